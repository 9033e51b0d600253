#include "Lumbra/ToolbarPlugins.h"

#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "plugins/PluginWindow.h"
#include "uikit/ControlBars.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <string>

namespace lumbra
{

void LumbraToolbar::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, getName(), std::string(getName()) + " Toolbar");
}

void LumbraToolbar::execute(MAI_View* activeView)
{
    // Nothing happens before the host made the bar, or without a frame around it.
    if (barHandle != nullptr)
        showBarInFrame(barHandle, !barHandle->isVisible());
}

void LumbraToolbar::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    commandUI->Enable(barHandle != nullptr);
    commandUI->SetCheck(barHandle != nullptr && barHandle->isVisible() ? 1 : 0);
}

int32_t LumbraToolbar::getDockAlignment()
{
    return static_cast<int32_t>(platform::CBRS_ALIGN_ANY);
}

PluginToolbarMainOptions::PluginToolbarMainOptions()
    : LumbraToolbar({"Main Options", "&Tools\\&Toolbars\\Main &Options",
                     "Main Options:\nA toolbar allowing the main options to be selected.", platform::IDW_DOCKBAR_LEFT,
                     true})
{
}

PluginToolbarSnapOptions::PluginToolbarSnapOptions()
    : LumbraToolbar({"Snap Options", "&Tools\\&Toolbars\\S&nap Options",
                     "Snap Options:\nA toolbar allowing the snap options to be toggled on and off.",
                     platform::IDW_DOCKBAR_TOP, true})
{
}

PluginToolbarZoomOptions::PluginToolbarZoomOptions()
    : LumbraToolbar({"Zoom Options", "&Tools\\&Toolbars\\&Zoom Options",
                     "Zoom Options:\nA toolbar for automated View/Zoom settings.", platform::IDW_DOCKBAR_TOP, false})
{
}

PluginToolbarViewOptions::PluginToolbarViewOptions()
    : LumbraToolbar({"View Options", "&Tools\\&Toolbars\\&View Options",
                     "View Options:\nA toolbar allowing the View options to be toggled on and off.",
                     platform::IDW_DOCKBAR_TOP, true})
{
}

PluginToolbarJointProperties::PluginToolbarJointProperties()
    : LumbraToolbar({"Joint Properties", "&Tools\\&Toolbars\\&Properties\\&Joint Properties",
                     "Joint Properties:\nA toolbar allowing the Selected Joints to be altered.",
                     platform::IDW_DOCKBAR_TOP, true})
{
}

} // namespace lumbra
