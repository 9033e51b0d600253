#include "Lumbra/EditMenuItems.h"

#include "Knots/knotManager.h"
#include "Lumbra/MenuItemImages.h"
#include "VornData/VornDocument.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "platform/CommandRouting.h"
#include "platform/SystemValues.h"
#include "__globalobjectdevice/NotificationChannels.h"

namespace lumbra
{

namespace
{

constexpr const char* deleteWaitingText =
    "Delete function\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
    "Abort Delete?\nRetry to gain access?\nOr ignore? (could cause program crash)";

void showNotYetBox(MAI* mai, const char* text)
{
    if (mai != nullptr)
        mai->messageBox(text, "errr...", platform::MB_OK);
}

} // namespace

PluginMenuItemDelete::PluginMenuItemDelete()
    : LumbraMenuItem({"Delete", "&Edit\\&Delete", "Delete", MenuItemImage::Delete, nullptr, "Delete Menu Item"}, true),
      lockTimeout(documentLockTimeout)
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
    DocumentChangeLock lock(documentInterface, deleteWaitingText, lockTimeout);
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
            removeLinkedObject(VornSelection::objectOf(first), *first);
            // An object that would not go must not keep the loop turning.
            auto* after = static_cast<VornSelection*>(doomed.get());
            if (after != nullptr && after->objects.getFirst() == first)
                first->unlink();
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
