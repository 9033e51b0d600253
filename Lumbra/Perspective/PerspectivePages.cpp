#include "Lumbra/Perspective/PerspectivePages.h"

#include "Lumbra/Perspective/PerspectiveDrawObjects.h"
#include "Lumbra/Perspective/PerspectivePagettes.h"

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

PluginVPPageShowHide::~PluginVPPageShowHide() = default;

PluginWindowRequest* PluginVPPageShowHide::getWindowRequest()
{
    if (pagette == nullptr)
    {
        pagette = std::make_unique<CViewPerspectivePagetteShowHide>(viewType);
        dialogObject = pagette.get();
    }
    return PerspectivePage::getWindowRequest();
}

void PluginVPPageShowHide::updatePage()
{
    if (pagette != nullptr)
        pagette->refresh();
}

PluginVPPageAdvancedSettings::PluginVPPageAdvancedSettings()
    : PerspectivePage({"Advanced Settings Page", "Advanced Settings Page:\nView/Modify the perspective's view.",
                       "PluginVPPageAdvancedSettings", 133})
{
}

PluginVPPageAdvancedSettings::~PluginVPPageAdvancedSettings() = default;

PluginWindowRequest* PluginVPPageAdvancedSettings::getWindowRequest()
{
    if (pagette == nullptr)
    {
        pagette = std::make_unique<CViewPerspectivePagetteSetup>(mai);
        dialogObject = pagette.get();
    }
    return PerspectivePage::getWindowRequest();
}

void PluginVPPageAdvancedSettings::updatePage()
{
    if (pagette != nullptr)
        pagette->refresh();
}

PluginVPPageColors::PluginVPPageColors()
    : PerspectivePage({"Colors Page", "Colors Page:\nGeneral Color Settings of the perspective view.",
                       "PluginVPPageColors", 146})
{
}

PluginVPPageColors::~PluginVPPageColors() = default;

PluginWindowRequest* PluginVPPageColors::getWindowRequest()
{
    if (pagette == nullptr)
    {
        pagette = std::make_unique<CViewPerspectivePagetteColors>(mai);
        dialogObject = pagette.get();
    }
    return PerspectivePage::getWindowRequest();
}

void PluginVPPageColors::updatePage()
{
    if (pagette != nullptr)
        pagette->refresh();
}

} // namespace lumbra
