#pragma once

#include "Zintel/OpenGLFamilies.h"

namespace zintel
{

// One rendering option of the active OpenGL view under "&View\S&ettings\": a detail level or an
// X-ray mode (radio marks), or a lighting switch (check marks).
class PluginVOMIViewSetting : public PluginVOMenuItem
{
public:
    enum class Kind
    {
        Detail,
        XRay,
        Lighting, // checked while advanced lighting is on
        LightingSwitch // usable only with advanced lighting
    };
    struct Setting
    {
        const char* name;
        const char* menuPath;
        const char* toolTip;
        const char* aboutCaption;
        const char* aboutText;
        Kind kind;
        int32_t value; // the detail level or X-ray mode written
        bool OpenGLView::*flag; // the switch toggled
    };

    explicit PluginVOMIViewSetting(const Setting& setting);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    const char* getMenuPath() override;
    const char* getToolTipText() override;
    void execute(MAI_View* activeView) override;
    void updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView) override;

private:
    const Setting& setting;
};

// The settings in the order the view type packages them: detail Maximum, High, Medium, Low, X-ray
// Automatic, Displacements, Model, None, All, then shadows, relative light and lighting.
extern const PluginVOMIViewSetting::Setting viewSettings[12];

template <int Index>
VornPluginBase* packagedViewSetting(VornPlugin& packager)
{
    return packager.package(new (std::nothrow) PluginVOMIViewSetting(viewSettings[Index]));
}

} // namespace zintel
