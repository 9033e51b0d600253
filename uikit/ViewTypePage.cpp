#include "uikit/ViewTypePage.h"

#include "platform/ControlNotifications.h"
#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "uikit/BitmapImages.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <cstdint>
#include <new>

ViewTypePage::ViewTypePage(int32_t templateId, VornPluginViewBase* viewType)
    : platform::Dialog(templateId), viewType(viewType)
{
}

ViewTypePage::~ViewTypePage() = default;

void ViewTypePage::createHolder(platform::ModuleHandle module, const platform::Rect& start)
{
    holderHandle.reset(new (std::nothrow) PluginWindowHandleImpl);
    if (!holderHandle)
        throw Exc_OutOfMemory("CMCPageCreate::OnInitDialog()");
    holderHandle->parent = viewType->windowHandle;
    if (!holder.createHolder(this, module, &stack, holderHandle.get(), start))
        throw Exc_InternalError("CMCPageCreate::OnInitDialog()");
}

void ViewTypePage::createToolbar(uint32_t style, VornPluginBase* menuItems)
{
    using namespace platform;
    toolbar.create(style, {0, 0, 0, 0}, this, toolbarId);
    toolbar.setImageList(&images);
    ToolbarButton separator;
    separator.imageIndex = 0;
    separator.state = TBSTATE_ENABLED;
    separator.style = TBSTYLE_SEP;
    toolbar.addButtons(&separator, 1);
    nextCommandId = firstCommandId;
    itemsWithButtons.clear();
    for (VornPluginBase* plugin = menuItems; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* item = dynamic_cast<VornPluginMenuItem*>(plugin);
        ToolbarButton* button = pageButtonOf(plugin);
        if (item == nullptr || button == nullptr || item->getBitmapID() == 0)
            continue;
        const int image = addBitmapImage(item->module, item->getBitmapID(), images);
        if (image < 0)
            continue;
        button->imageIndex = image;
        button->commandId = nextCommandId++;
        button->state = TBSTATE_ENABLED;
        button->style = TBSTYLE_BUTTON;
        button->data = reinterpret_cast<std::uintptr_t>(item);
        toolbar.addButtons(button, 1);
        itemsWithButtons.push_back(item);
    }
    toolbarHeight = toolbar.autoSize().height;
}

void ViewTypePage::createPagettes(VornPluginBase* pages)
{
    MAI* mai = viewType->mai;
    for (VornPluginBase* plugin = pages; plugin != nullptr && mai != nullptr; plugin = plugin->getNext())
    {
        auto* page = dynamic_cast<VornPluginWindowed*>(plugin);
        if (page == nullptr)
            continue;
        page->windowHandle = mai->createPluginWindow(page->getWindowRequest(), holderHandle.get());
        if (page->windowHandle != nullptr)
            page->windowHandle->showWindow(platform::SW_SHOW);
    }
}

bool ViewTypePage::onCommand(uint32_t id, uint32_t code, platform::WindowHandle control)
{
    if (id >= static_cast<uint32_t>(firstCommandId) && id < static_cast<uint32_t>(nextCommandId))
        for (int index = 0; index < toolbar.buttonCount(); ++index)
        {
            const platform::ToolbarButton button = toolbar.button(index);
            if (static_cast<uint32_t>(button.commandId) != id || button.data == 0)
                continue;
            onButton(reinterpret_cast<VornPluginMenuItem*>(static_cast<std::uintptr_t>(button.data)));
            return true;
        }
    return platform::Dialog::onCommand(id, code, control);
}

void ViewTypePage::onButton(VornPluginMenuItem* item)
{
    MAI* mai = viewType->mai;
    if (isOneShotCommand(item))
    {
        // Run as the menu runs it; the active tool stays what it was.
        if (mai != nullptr)
            mai->postCommand(item->commandId);
        return;
    }
    selectTool(item);
    if (mai != nullptr)
        mai->pluginLists.activateInDialogs(item);
}

platform::LResult ViewTypePage::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_NOTIFY)
    {
        auto* header = reinterpret_cast<platform::NotifyHeader*>(lParam);
        if (header != nullptr && header->idFrom == static_cast<std::uintptr_t>(toolbarId))
            return onToolbarNotify(*reinterpret_cast<platform::NotifyToolbar*>(header));
    }
    return platform::Dialog::windowProc(message, wParam, lParam);
}

platform::LResult ViewTypePage::onToolbarNotify(platform::NotifyToolbar& notification)
{
    switch (notification.header.code)
    {
    case platform::TBN_QUERYINSERT:
    case platform::TBN_QUERYDELETE:
        return 1; // every button may go, every place takes one
    case platform::TBN_GETBUTTONINFO:
    {
        if (notification.item < 0 || static_cast<size_t>(notification.item) >= itemsWithButtons.size())
            return 0;
        VornPluginMenuItem* item = itemsWithButtons[static_cast<size_t>(notification.item)];
        notification.answer(*pageButtonOf(item), item->getName());
        return 1;
    }
    case platform::TBN_TOOLBARCHANGE:
    {
        // The bar may have wrapped into more or fewer rows: the pagettes move with its height.
        const platform::Rect client = clientRect();
        layout(client.width(), client.height());
        stack.bar.repaintNow();
        return 1;
    }
    default:
        return 0;
    }
}

void ViewTypePage::selectTool(VornPluginMenuItem* item)
{
    const platform::ToolbarButton* button = item != nullptr ? pageButtonOf(item) : nullptr;
    const int32_t checked = button != nullptr ? button->commandId : 0;
    for (int32_t id = firstCommandId; id < nextCommandId; ++id)
        toolbar.setButtonState(static_cast<uint32_t>(id),
                               platform::TBSTATE_ENABLED | (id == checked ? platform::TBSTATE_CHECKED : 0));
    viewType->currentTool = item;
    if (viewType->mai != nullptr && viewType->mai->activeDocument != nullptr)
        viewType->mai->activeDocument->setActiveMenuItem(item);
}
