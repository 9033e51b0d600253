#pragma once

#include "Zintel/OpenGLFamilies.h"

#include <string>

namespace zintel
{

// The menu item "&View\&Display\..." that shows or hides the layer of one draw-object plugin in
// the active OpenGL view. Layers whose plugins share a display name behave as a radio group that
// may also be all off.
class PluginVOMIShowType : public PluginVOMenuItem
{
public:
    explicit PluginVOMIShowType(PluginDrawObject* drawObjectPlugin);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getToolTipText() override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    PluginDrawObject* drawObjectPlugin;

private:
    OpenGLDrawObject* drawObjectIn(MAI_View* view) const;

    // Built on the first request and kept.
    std::string nameText;
    std::string menuPathText;
};

// The packaged show-type item of a draw-object plugin (its packaged plugin 0).
VornPluginBase* makeShowTypeItem(VornPlugin& packager);

} // namespace zintel
