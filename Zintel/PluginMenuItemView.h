#pragma once

#include "plugins/VornPluginMenuItem.h"

#include <string>

class VornPluginViewBase;

namespace zintel
{

// The command that shows its view type in the active view ("Standard MenuItem"); its name,
// description and menu path are all the menu path.
class PluginMenuItemView : public VornPluginMenuItem
{
public:
    PluginMenuItemView(VornPluginViewBase* viewType, std::string menuPath);

    const char* getName() override;
    const char* getDescription() override;
    const char* getMenuPath() override;
    void about(PluginWindowHandle* parent) override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

    VornPluginViewBase* viewType;
    std::string menuPath;
};

} // namespace zintel
