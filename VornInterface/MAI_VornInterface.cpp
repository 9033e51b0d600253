#include "VornInterface/MAI_VornInterface.h"

#include "VornInterface/HostFrame.h"
#include "VornInterface/MenuItemPlacement.h"
#include "platform/Dialog.h"
#include "platform/Files.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/Window.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginMenuItem.h"

MAI_VornInterface::MAI_VornInterface() : workingFolder_(platform::currentFolder().substr(0, 1000))
{
}

PluginWindowHandle* MAI_VornInterface::createWindowHandle(platform::Window* window)
{
    return new PluginWindowHandleImpl(window);
}

PluginWindowHandle* MAI_VornInterface::createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent)
{
    if (request == nullptr || request->plugin == nullptr)
        return nullptr;
    // The plugin may reuse its request record while its window is being made.
    const PluginWindowRequest copy = *request;
    VornPluginWindowed* plugin = copy.plugin;
    if (plugin->dialogObject == nullptr)
    {
        GetPluginWindowFunction makeWindow = windowEntryOf(plugin->module);
        return makeWindow != nullptr ? makeWindow(parent, request) : nullptr;
    }
    auto* handle = new PluginWindowHandleImpl;
    handle->parent = parent;
    // Stored before the window exists, so the dialog finds its handle while it initialises.
    if (copy.handleField != nullptr)
        *copy.handleField = handle;
    const platform::DialogTemplate* dialogTemplate = nullptr;
    try
    {
        dialogTemplate = platform::findDialogTemplate(plugin->module, copy.dialogId & 0xFFFF);
    }
    catch (const platform::ResourceError&)
    {
    }
    platform::Window* parentWindow = parent != nullptr ? parent->getWnd() : nullptr;
    if (dialogTemplate != nullptr &&
        plugin->dialogObject->createIndirect(*dialogTemplate, parentWindow, plugin->module))
        handle->attach(plugin->dialogObject);
    return handle;
}

PluginWindowHandle* MAI_VornInterface::requestPluginWindow(VornPluginWindowed* plugin, int32_t dialogId,
                                                           PluginWindowHandle* parent)
{
    if (plugin == nullptr)
        return nullptr;
    GetPluginWindowFunction makeWindow = windowEntryOf(plugin->module);
    if (makeWindow == nullptr)
        return nullptr;
    PluginWindowRequest request{dialogId, plugin, nullptr};
    return makeWindow(parent, &request);
}

bool MAI_VornInterface::isInMenus(const VornPluginMenuItem* item) const
{
    return item->prevItem != nullptr || item->nextItem != nullptr || menuItems_ == item;
}

VornPluginMenuItem* MAI_VornInterface::findMenuItem(uint32_t commandId) const
{
    for (VornPluginMenuItem* item = menuItems_; item != nullptr; item = item->nextItem)
        if (item->commandId == commandId)
            return item;
    return nullptr;
}

bool MAI_VornInterface::addMenuItem(VornPluginMenuItem* item)
{
    platform::Menu* menu = frame_ != nullptr ? frame_->currentMenu() : nullptr;
    if (item == nullptr || menu == nullptr)
        return false;
    if (isInMenus(item))
        return true;
    item->prevItem = nullptr;
    item->nextItem = menuItems_;
    if (menuItems_ != nullptr)
        menuItems_->prevItem = item;
    menuItems_ = item;
    if (item->commandId == 0)
        item->commandId = commandIds_.allocate();
    if (item->commandId != 0)
        addToMenu(*item, *menu, *this, *frame_);
    frame_->redrawMenuBar();
    return true;
}

bool MAI_VornInterface::removeMenuItem(VornPluginMenuItem* item)
{
    platform::Menu* menu = frame_ != nullptr ? frame_->currentMenu() : nullptr;
    if (item == nullptr || menu == nullptr)
        return false;
    if (isInMenus(item))
    {
        if (item->prevItem != nullptr)
            item->prevItem->nextItem = item->nextItem;
        else
            menuItems_ = item->nextItem;
        if (item->nextItem != nullptr)
            item->nextItem->prevItem = item->prevItem;
        item->prevItem = nullptr;
        item->nextItem = nullptr;
    }
    if (removeFromMenu(*item, *menu, *this, *frame_))
        frame_->redrawMenuBar();
    return true;
}

void MAI_VornInterface::redrawToolbars()
{
    if (frame_ != nullptr)
        frame_->redrawToolbars();
}

int32_t MAI_VornInterface::messageBox(const char* text, const char* caption, uint32_t type)
{
    return platform::messageBox(platform::WindowHandle::None, text != nullptr ? text : "",
                                caption != nullptr ? caption : "Quorl2", type);
}

void MAI_VornInterface::chooseColor(uint32_t* colour, ColorChoiceListener* listener)
{
    if (colour == nullptr)
        return;
    uint32_t chosen = *colour;
    if (!platform::chooseColour(platform::WindowHandle::None, chosen))
        return;
    *colour = chosen & 0x00FFFFFFu;
    if (listener != nullptr)
        listener->colorChosen(colour);
}

void MAI_VornInterface::beep()
{
    platform::messageBeep(platform::MB_OK);
}

void MAI_VornInterface::postCommand(uint32_t commandId)
{
    if (frame_ != nullptr && frame_->window() != nullptr)
        frame_->window()->postMessage(platform::WM_COMMAND, platform::makeWParam(commandId, 0), 0);
}

void MAI_VornInterface::setWindowEntry(platform::ModuleHandle module, GetPluginWindowFunction entry)
{
    windowEntries_[module] = entry;
}

GetPluginWindowFunction MAI_VornInterface::windowEntryOf(platform::ModuleHandle module) const
{
    auto found = windowEntries_.find(module);
    return found != windowEntries_.end() ? found->second : nullptr;
}
