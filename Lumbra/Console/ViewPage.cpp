#include "Lumbra/Console/ViewPage.h"

#include "Lumbra/Console/ConsoleResources.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"

#include <cstring>

namespace lumbra
{

namespace
{

const ConsolePageTexts viewPageTexts = {
    "View Page",
    "View Page:\nSupplies the interface for view setup.",
};

bool hasWindow(VornPluginWindowed* plugin)
{
    return plugin->windowHandle != nullptr && plugin->windowHandle->getWnd() != nullptr;
}

} // namespace

PluginMCPageView::PluginMCPageView()
    : LumbraConsolePage(viewPageTexts, ConsoleDialog::ViewPage, ConsoleTabImage::ViewPage)
{
}

bool PluginMCPageView::activatePlugin(VornPluginBase* plugin)
{
    if (plugin == nullptr)
        return false;
    if (std::strcmp(plugin->getTypeName(), "View Base") == 0)
    {
        if (auto* page = static_cast<CMCPageView*>(dialog()); page != nullptr && page->exists())
            page->showViewType(static_cast<VornPluginViewBase*>(plugin));
        return false;
    }
    if (mai == nullptr || mai->activeView == nullptr || mai->activeView->viewTypeInfos == nullptr)
        return false;
    VornPluginViewBase* viewType = mai->activeView->viewTypeInfos->viewTypePlugin;
    if (viewType == nullptr || !viewType->activatePlugin(plugin))
        return false;
    pageTool = viewType->currentTool;
    return true;
}

std::unique_ptr<platform::Dialog> PluginMCPageView::makeDialog()
{
    return std::make_unique<CMCPageView>(nullptr, this);
}

CMCPageView::CMCPageView(platform::Window* parent, VornPluginWindowed* owner)
    : Dialog(ConsoleDialog::ViewPage), owner(dynamic_cast<PluginMCPageView*>(owner))
{
}

VornPluginBase* CMCPageView::viewTypeList() const
{
    return owner != nullptr && owner->mai != nullptr ? owner->mai->pluginLists.viewTypes : nullptr;
}

bool CMCPageView::onInitDialog()
{
    Dialog::onInitDialog();
    viewTypes.subclassDlgItem(ConsoleControl::ViewTypeCombo, this);
    // The plugin's handle is filled before the page exists and attached only after its
    // initialisation; the view types' pages are made under it now.
    if (owner != nullptr && owner->windowHandle != nullptr)
        owner->windowHandle->attach(this);
    const platform::Rect pages = pageRect();
    for (VornPluginBase* entry = viewTypeList(); entry != nullptr; entry = entry->getNext())
    {
        auto* viewType = static_cast<VornPluginViewBase*>(entry);
        const int item = viewTypes.addString(viewType->getName());
        if (item >= 0)
            viewTypes.setItemData(item, reinterpret_cast<std::intptr_t>(viewType));
        viewType->windowHandle = owner->mai->createPluginWindow(viewType->getWindowRequest(), owner->windowHandle);
        if (hasWindow(viewType))
        {
            viewType->windowHandle->moveWindow(pages, true);
            viewType->windowHandle->showWindow(platform::SW_HIDE);
        }
    }
    return true;
}

bool CMCPageView::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id == static_cast<uint32_t>(ConsoleControl::ViewTypeCombo))
    {
        if (code == platform::CBN_SELCHANGE)
            onSelchangeViewType();
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

platform::LResult CMCPageView::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::LResult result = Dialog::windowProc(message, wParam, lParam);
    if (message == platform::WM_SIZE)
    {
        const platform::Rect pages = pageRect();
        for (VornPluginBase* entry = viewTypeList(); entry != nullptr; entry = entry->getNext())
            if (auto* viewType = static_cast<VornPluginViewBase*>(entry); hasWindow(viewType))
                viewType->windowHandle->moveWindow(pages, true);
    }
    return result;
}

platform::Rect CMCPageView::pageRect() const
{
    const platform::Rect client = clientRect();
    return {client.left + 1, client.top + 30, client.right - 2, client.bottom - 2};
}

void CMCPageView::onSelchangeViewType()
{
    const int item = viewTypes.curSel();
    if (item < 0 || owner == nullptr || owner->mai == nullptr)
        return;
    auto* viewType = reinterpret_cast<VornPluginViewBase*>(viewTypes.itemData(item));
    if (viewType != nullptr && viewType->selectMenuItem != nullptr)
        owner->mai->postCommand(viewType->selectMenuItem->commandId);
}

void CMCPageView::showViewType(VornPluginViewBase* viewType)
{
    const int item = viewTypes.findStringExact(-1, viewType->getName());
    if (item >= 0)
        viewTypes.setCurSel(item);
    if (!hasWindow(viewType) || (viewType->windowHandle->getStyle() & platform::WS_VISIBLE) != 0)
        return;
    for (VornPluginBase* entry = viewTypeList(); entry != nullptr; entry = entry->getNext())
        if (auto* other = static_cast<VornPluginViewBase*>(entry); hasWindow(other))
            other->windowHandle->showWindow(other == viewType ? platform::SW_SHOW : platform::SW_HIDE);
}

} // namespace lumbra
