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
    if (viewType == nullptr || activeView == nullptr)
        return;
    ViewTypeInfo* shown = activeView->viewTypeInfos;
    if (shown != nullptr && shown->viewTypePlugin == viewType)
        return;
    VornPluginViewBase* previous = shown != nullptr ? shown->viewTypePlugin : nullptr;
    if (previous != nullptr)
        previous->deactivateView(activeView, viewType);
    viewType->getViewTypeInfo(activeView);
    if (mai != nullptr)
        mai->pluginLists.activateInDialogs(viewType);
    viewType->activateView(activeView, previous);
    activeView->invalidate(false);
}

void PluginMenuItemView::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    if (commandUI == nullptr)
        return;
    const bool usable = viewType != nullptr && activeView != nullptr;
    commandUI->Enable(usable);
    commandUI->SetRadio(usable && activeView->viewTypeInfos != nullptr &&
                        activeView->viewTypeInfos->viewTypePlugin == viewType);
}

} // namespace zintel
