#include "Zintel/ViewSettingItems.h"

#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/ZintelLibrary.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"

namespace zintel
{

using Kind = PluginVOMIViewSetting::Kind;

const PluginVOMIViewSetting::Setting viewSettings[12] = {
    {"View Detail Maximum", "&View\\S&ettings\\&Detail Level\\&Maximum", "View Detail Maximum",
     "PluginVOMIDetailMaximum", "View Detail Maximum [OpenGL]\n2000", Kind::Detail, Detail::Maximum, nullptr},
    {"View Detail High", "&View\\S&ettings\\&Detail Level\\&High", "View Detail High", "PluginVOMIDetailHigh",
     "View Detail High [OpenGL]\n2000", Kind::Detail, Detail::High, nullptr},
    {"View Detail Medium", "&View\\S&ettings\\&Detail Level\\&Medium", "View Detail Medium", "PluginVOMIDetailMedium",
     "View Detail Medium [OpenGL]\n2000", Kind::Detail, Detail::Medium, nullptr},
    {"View Detail Low", "&View\\S&ettings\\&Detail Level\\&Low", "View Detail Low", "PluginVOMIDetailLow",
     "View Detail Low [OpenGL]\n2000", Kind::Detail, Detail::Low, nullptr},
    {"View X-Ray Automatic", "&View\\S&ettings\\&X-Ray\\A&utomatic", "X-Ray View Automatic", "PluginVOMIXRayAutomatic",
     "View Detail High [OpenGL]\n2000", Kind::XRay, XRay::Automatic, nullptr},
    {"View X-Ray Displacements", "&View\\S&ettings\\&X-Ray\\&Displacements", "X-Ray View Displacements",
     "PluginVOMIXRayDisplacements", "View Detail High [OpenGL]\n2000", Kind::XRay, XRay::Displacements, nullptr},
    {"View X-Ray Model", "&View\\S&ettings\\&X-Ray\\&Model", "X-Ray View Model", "PluginVOMIXRayModel",
     "View Detail High [OpenGL]\n2000", Kind::XRay, XRay::Model, nullptr},
    {"View X-Ray None", "&View\\S&ettings\\&X-Ray\\&None", "Disable X-Ray View", "PluginVOMIXRayNone",
     "View Detail High [OpenGL]\n2000", Kind::XRay, 0, nullptr},
    {"View X-Ray All", "&View\\S&ettings\\&X-Ray\\&All", "X-Ray View All", "PluginVOMIXRayAll",
     "View Detail High [OpenGL]\n2000", Kind::XRay, XRay::Model | XRay::Displacements, nullptr},
    {"Advanced Lighting Shadow", "&View\\S&ettings\\&Lighting\\&Shadow", "Advanced Lighting Shadow",
     "PluginVOMIAdvLightShadow", "View Detail High [OpenGL]\n2000", Kind::LightingSwitch, 0, &OpenGLView::shadowsOn},
    {"Advanced Lighting Relative", "&View\\S&ettings\\&Lighting\\&Relative", "Advanced Lighting Relative",
     "PluginVOMIAdvLightRel", "View Detail High [OpenGL]\n2000", Kind::LightingSwitch, 0, &OpenGLView::lightRelative},
    {"Advanced Lighting", "&View\\S&ettings\\&Lighting\\&Enable", "Advanced Lighting", "PluginVOMIAdvLighting",
     "View Detail High [OpenGL]\n2000", Kind::Lighting, 0, &OpenGLView::lightingOff},
};

namespace
{

OpenGLView* openGLViewOf(MAI_View* view)
{
    return PluginViewOpenGL::showsOpenGL(view) ? dynamic_cast<OpenGLView*>(view->viewTypeInfos) : nullptr;
}

} // namespace

PluginVOMIViewSetting::PluginVOMIViewSetting(const Setting& setting) : setting(setting)
{
    button.imageIndex = -1;
}

const char* PluginVOMIViewSetting::getName()
{
    return setting.name;
}

const char* PluginVOMIViewSetting::getDescription()
{
    return setting.menuPath;
}

void PluginVOMIViewSetting::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, setting.aboutCaption, setting.aboutText);
}

const char* PluginVOMIViewSetting::getMenuPath()
{
    return setting.menuPath;
}

const char* PluginVOMIViewSetting::getToolTipText()
{
    return setting.toolTip;
}

void PluginVOMIViewSetting::execute(MAI_View* activeView)
{
    OpenGLView* info = openGLViewOf(activeView);
    if (info == nullptr)
        return;
    switch (setting.kind)
    {
    case Kind::Detail:
        info->detailLevel = static_cast<int8_t>(setting.value);
        break;
    case Kind::XRay:
        info->xrayMode = static_cast<uint8_t>(setting.value);
        break;
    case Kind::Lighting:
    case Kind::LightingSwitch:
        info->*setting.flag = !(info->*setting.flag);
        break;
    }
    activeView->invalidate(false);
}

void PluginVOMIViewSetting::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    OpenGLView* info = openGLViewOf(activeView);
    switch (setting.kind)
    {
    case Kind::Detail:
    case Kind::XRay: {
        bool marked = false;
        if (info != nullptr && setting.kind == Kind::Detail)
            marked = info->detailLevel == setting.value;
        else if (info != nullptr)
            marked = setting.value == XRay::Automatic ? (info->xrayMode & XRay::Automatic) != 0
                                                      : info->xrayMode == setting.value;
        commandUI->Enable(info != nullptr);
        commandUI->SetRadio(marked);
        break;
    }
    case Kind::Lighting:
        commandUI->Enable(info != nullptr);
        commandUI->SetCheck(info != nullptr && !info->lightingOff ? 1 : 0);
        break;
    case Kind::LightingSwitch: {
        const bool usable = info != nullptr && !info->lightingOff;
        commandUI->Enable(usable);
        commandUI->SetCheck(usable && info->*setting.flag ? 1 : 0);
        break;
    }
    }
}

} // namespace zintel
