#include "Zintel/PluginMenuItemView.h"

#include "Zintel/ZintelLibrary.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/CommandRouting.h"

namespace zintel
{

PluginMenuItemView::PluginMenuItemView(VornPluginViewBase* viewType, std::string menuPath)
    : viewType(viewType), menuPath(std::move(menuPath))
{
}

const char* PluginMenuItemView::getName()
{
    return menuPath.c_str();
}

const char* PluginMenuItemView::getDescription()
{
    return menuPath.c_str();
}

const char* PluginMenuItemView::getMenuPath()
{
    return menuPath.c_str();
}

void PluginMenuItemView::about(PluginWindowHandle* parent)
{
    showAboutBox(parent, menuPath.c_str(), "View Menu Item\n1999");
}

void PluginMenuItemView::execute(MAI_View* activeView)
{
    showViewType(mai, activeView, viewType);
}

void PluginMenuItemView::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    commandUI->Enable(viewType != nullptr && activeView != nullptr);
    commandUI->SetRadio(viewType != nullptr && isViewTypeShown(activeView, viewType));
}

} // namespace zintel
