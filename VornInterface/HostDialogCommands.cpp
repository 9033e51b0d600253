#include "VornInterface/HostDialogCommands.h"

#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/AcceleratorsDialog.h"
#include "VornInterface/HostMenus.h"
#include "VornInterface/ObjectHierarchyDialog.h"
#include "VornInterface/PluginsDialog.h"
#include "VornInterface/Snapshots.h"
#include "VornInterface/StartupDialogs.h"
#include "platform/Window.h"

bool runHostDialogCommand(uint32_t commandId, const HostDialogCommandContext& context)
{
    const platform::WindowHandle owner =
        context.owner != nullptr ? context.owner->handle() : platform::WindowHandle::None;
    switch (commandId)
    {
    case HostCommand::Plugins:
        CPluginsDialog::showModal(context.registry, context.owner);
        return true;
    case HostCommand::Accelerators:
        CAcceleratorsDialog::showModal(context.mai, context.registry, context.owner);
        updateMenuItemHotkeyTexts(context.mai);
        return true;
    case HostCommand::ObjectHierarchy:
        CDialogObjectHierarchy::showModal(context.owner);
        return true;
    case HostCommand::SnapshotTarget:
        Snapshots::instance().chooseTarget(owner);
        return true;
    case HostCommand::MakeSnapshot:
        Snapshots::instance().makeSnapshot(context.activeView, owner);
        return true;
    case HostCommand::AutoSnapshot:
        Snapshots::instance().toggleAutoSnapshot(context.activeDocument, owner);
        return true;
    case HostCommand::About:
        CAboutDlg::showModal(context.owner);
        return true;
    default:
        return false;
    }
}

bool isHostDialogCommandChecked(uint32_t commandId, const VornDocument* activeDocument)
{
    return commandId == HostCommand::AutoSnapshot && Snapshots::isAutoSnapshotOn(activeDocument);
}
