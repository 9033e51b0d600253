#include "Lumbra/EditMenuItems.h"

#include "Knots/knotManager.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/VornDocument.h"
#include "plugins/InputEvent.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "platform/Toolbar.h"
#include "uikit/ControlBars.h"
#include "uikit/KitCursors.h"
#include "__globalobjectdevice/NotificationChannels.h"

namespace lumbra
{

namespace
{

void showNotYetBox(MAI* mai, const char* text)
{
    if (mai != nullptr)
        mai->messageBox(text, "errr...", platform::MB_OK);
}

} // namespace

PluginMenuItemDelete::PluginMenuItemDelete()
    : LumbraMenuItem({"Delete", "&Edit\\&Delete", "Delete", MenuItemImage::Delete, nullptr, "Delete Menu Item"}, true)
{
}

void PluginMenuItemDelete::execute(MAI_View* activeView)
{
    VornSelection* selection = nonEmptySelectionOf(activeView);
    if (selection == nullptr)
        return;
    MAI_Doc* documentInterface = documentInterfaceOf(activeView);
    // Ignore gives up like Abort: deleting while a calculation's worker holds the model could
    // pull objects from under it.
    const DocumentChangeLock lock = lockDocument(documentInterface);
    if (!lock)
        return;
    VornDocument& document = documentInterface->document;

    // The doomed selection becomes a named set, so that making a new one current keeps it.
    notify(mai, Channel::SelectionChanging);
    selection->setNamed(true);
    knotReference doomed;
    doomed.set(selection);
    document.newSelection();
    notify(mai, Channel::SelectionChanged);

    // Removing an object takes what depends on it along, which may move the selection within its
    // list; the reference follows it, and clears when the emptied selection ends itself.
    {
        knotDefragLock holdKnots;
        while (auto* remaining = static_cast<VornSelection*>(doomed.get()))
        {
            knot* first = remaining->objects.getFirst();
            if (first == nullptr)
            {
                remaining->removeFromList();
                break;
            }
            VornSelectable* object = VornSelection::objectOf(first);
            if (object->getOwnerList() != nullptr)
                object->removeFromList();
            // An object that lives in no list, or would not go, must not keep the loop turning:
            // its link to the selection is cut on both sides, and the loop goes on with the next.
            auto* after = static_cast<VornSelection*>(doomed.get());
            if (after != nullptr && after->objects.getFirst() == first)
                first->remove();
        }
    }
    documentInterface->invalidateViews();
}

void PluginMenuItemDelete::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    enableBySelection(commandUI, activeView);
}

PluginMenuItemFreeze::PluginMenuItemFreeze()
    : LumbraMenuItem({"Freeze", "&Edit\\&Freeze", "Freeze", MenuItemImage::Freeze, nullptr, "Freeze Menu Item"}, true)
{
}

void PluginMenuItemFreeze::execute(MAI_View* activeView)
{
    showNotYetBox(mai, "\"Freeze\" doesn't do anything... yet.");
}

void PluginMenuItemFreeze::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    enableBySelection(commandUI, activeView);
}

PluginMenuItemHide::PluginMenuItemHide()
    : LumbraMenuItem({"Hide", "&Edit\\&Hide", "Hide", MenuItemImage::Hide, nullptr, "Hide Menu Item"}, true)
{
}

void PluginMenuItemHide::execute(MAI_View* activeView)
{
    showNotYetBox(mai, "\"Hide\" doesn't do anything... yet.");
}

void PluginMenuItemHide::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    enableBySelection(commandUI, activeView);
}

PluginMenuItemSelect::PluginMenuItemSelect()
    : LumbraMenuItem({"Select", "&Edit\\&Select", "Select", MenuItemImage::Select, nullptr, "Select Menu Item"}, true)
{
}

void PluginMenuItemSelect::execute(MAI_View* activeView)
{
    makeActiveTool(activeView, this);
}

void PluginMenuItemSelect::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    updateToolState(commandUI, activeView, this);
}

void PluginMenuItemSelect::activate(bool active)
{
    platform::Window* pagette =
        owner != nullptr && owner->windowHandle != nullptr ? owner->windowHandle->getWnd() : nullptr;
    if (pagette == nullptr)
        return;
    for (platform::Window* child : pagette->children())
        if (auto* toolbar = dynamic_cast<platform::Toolbar*>(child))
        {
            const uint8_t state = toolbar->buttonState(0);
            toolbar->setButtonState(
                0, active ? uint8_t(state | platform::TBSTATE_CHECKED) : uint8_t(state & ~platform::TBSTATE_CHECKED));
        }
}

platform::CursorHandle PluginMenuItemSelect::getCursor(MAI_View* view, int32_t x, int32_t y, uint32_t flags)
{
    return static_cast<platform::CursorHandle>(reinterpret_cast<uintptr_t>(getCursorSelect()));
}

bool PluginMenuItemSelect::onMouse(MAI_View* view, int32_t x, int32_t y, int32_t z, uint32_t flags)
{
    if (flags == InputEvent::Probe)
        return true;
    ViewTypeInfo* shown = view != nullptr ? view->viewTypeInfos : nullptr;
    if (shown != nullptr && shown->viewTypePlugin != nullptr)
        shown->viewTypePlugin->onMouse(view, x, y, flags);
    return true;
}

PluginMenuItemAddToPropList::PluginMenuItemAddToPropList(VornPluginDialog* propertyListDialog)
    : LumbraMenuItem({"AddToPropList", "&Tools\\&Property List\\&Add Selected", "AddToPropList", 0, nullptr,
                      "AddToPropList Menu Item"},
                     true),
      propertyListDialog(propertyListDialog)
{
}

void PluginMenuItemAddToPropList::execute(MAI_View* activeView)
{
    beep(mai);
    VornSelection* selection = nonEmptySelectionOf(activeView);
    if (selection == nullptr)
        return;
    if (propertyListDialog != nullptr && propertyListDialog->windowHandle != nullptr &&
        propertyListDialog->windowHandle->getWnd() != nullptr && !propertyListDialog->windowHandle->isVisible())
        showBarInFrame(propertyListDialog->barHandle, true);
    // The property list holds each object once; adding one it holds changes nothing.
    VornSelection* propertyList = documentOf(activeView)->getPropertyListSelection();
    for (knot* link = selection->objects.getFirst(); link != nullptr; link = link->getNext())
        propertyList->add(VornSelection::objectOf(link));
    notify(mai, Channel::PropertyListChanged);
}

void PluginMenuItemAddToPropList::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    enableBySelection(commandUI, activeView);
}

PluginMenuItemResetActive::PluginMenuItemResetActive()
    : LumbraMenuItem({"Reset Active MenuItem", nullptr, "Reset Active MenuItem", 0, nullptr, "Reset Active Menu Item",
                      "Deactivates and Reactivates Active MenuItem."},
                     true)
{
}

void PluginMenuItemResetActive::execute(MAI_View* activeView)
{
    MAI_Doc* document = documentInterfaceOf(activeView);
    VornPluginMenuItem* tool = document != nullptr ? document->getActiveMenuItem() : nullptr;
    if (tool == nullptr)
        return;
    tool->activate(false);
    tool->activate(true);
}

void PluginMenuItemResetActive::updateCommandUI(platform::CommandState* commandUI, MAI_View* activeView)
{
    commandUI->Enable(activeView != nullptr);
}

} // namespace lumbra
