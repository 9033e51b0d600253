#include "uikit/ViewTypePage.h"

#include "platform/SystemValues.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginViewBase.h"
#include "uikit/BitmapImages.h"
#include "uikit/PluginWindowHandleImpl.h"
#include "uikit/ToolbarCustomizing.h"

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
        if (mai != nullptr && item->commandId != 0)
            mai->postCommand(item->commandId);
        return;
    }
    selectTool(item);
    if (mai != nullptr)
        mai->pluginLists.activateInDialogs(item);
}

platform::LResult ViewTypePage::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (platform::NotifyToolbar* notification = toolbarNotification(message, lParam, toolbarId))
    {
        const auto offered = [this](size_t index) {
            VornPluginMenuItem* item = itemsWithButtons[index];
            return OfferedButton{pageButtonOf(item), item->getName()};
        };
        // The bar may have wrapped into more or fewer rows: the pagettes move with its height.
        const auto changed = [this] {
            const platform::Rect client = clientRect();
            layout(client.width(), client.height());
            stack.bar.repaintNow();
        };
        return answerCustomizing(*notification, itemsWithButtons.size(), offered, changed).value_or(0);
    }
    return platform::Dialog::windowProc(message, wParam, lParam);
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
