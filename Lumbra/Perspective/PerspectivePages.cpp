#include "Lumbra/Perspective/PerspectivePages.h"

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"

namespace lumbra
{

void PerspectivePage::about(PluginWindowHandle* parent)
{
    showPerspectiveAbout(parent, texts.name, 1999, texts.aboutCaption);
}

PluginVPPageShowHide::PluginVPPageShowHide(PluginViewPerspective* viewType)
    : PerspectivePage({"Show/Hide Page", "Show/Hide Page:\nShow/Hide object types within the perspective view.",
                       "PluginVPPageShowHide", 145}),
      viewType(viewType)
{
}

PluginVPPageAdvancedSettings::PluginVPPageAdvancedSettings()
    : PerspectivePage({"Advanced Settings Page", "Advanced Settings Page:\nView/Modify the perspective's view.",
                       "PluginVPPageAdvancedSettings", 133})
{
}

PluginVPPageColors::PluginVPPageColors()
    : PerspectivePage({"Colors Page", "Colors Page:\nGeneral Color Settings of the perspective view.",
                       "PluginVPPageColors", 146})
{
}

} // namespace lumbra
