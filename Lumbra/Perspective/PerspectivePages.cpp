#include "Lumbra/Perspective/PerspectivePages.h"

namespace lumbra
{

PluginVPPageShowHide::PluginVPPageShowHide(PluginViewPerspective* viewType)
    : PerspectivePage({"Show/Hide Page", "Show/Hide Page:\nShow/Hide object types within the perspective view.",
                       "PluginVPPageShowHide", 145}),
      viewType(viewType)
{
}

std::unique_ptr<CViewPerspectivePagetteShowHide> PluginVPPageShowHide::makePagette()
{
    return std::make_unique<CViewPerspectivePagetteShowHide>(viewType);
}

PluginVPPageAdvancedSettings::PluginVPPageAdvancedSettings()
    : PerspectivePage({"Advanced Settings Page", "Advanced Settings Page:\nView/Modify the perspective's view.",
                       "PluginVPPageAdvancedSettings", 133})
{
}

std::unique_ptr<CViewPerspectivePagetteSetup> PluginVPPageAdvancedSettings::makePagette()
{
    return std::make_unique<CViewPerspectivePagetteSetup>(mai);
}

PluginVPPageColors::PluginVPPageColors()
    : PerspectivePage({"Colors Page", "Colors Page:\nGeneral Color Settings of the perspective view.",
                       "PluginVPPageColors", 146})
{
}

std::unique_ptr<CViewPerspectivePagetteColors> PluginVPPageColors::makePagette()
{
    return std::make_unique<CViewPerspectivePagetteColors>(mai);
}

} // namespace lumbra
