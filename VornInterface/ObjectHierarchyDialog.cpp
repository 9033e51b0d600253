#include "VornInterface/ObjectHierarchyDialog.h"

#include "VornData/PropertyDescriptor.h"
#include "VornData/VornTypeIDManager.h"
#include "VornInterface/HostDialogResources.h"
#include "platform/SystemValues.h"

using platform::TreeItem;

CDialogObjectHierarchy::CDialogObjectHierarchy() : platform::Dialog(HostResource::ObjectHierarchyDialog)
{
    registerHostDialogResources();
}

void CDialogObjectHierarchy::showModal(platform::Window* owner)
{
    CDialogObjectHierarchy dialog;
    dialog.doModal(hostResourceModule(), owner);
}

bool CDialogObjectHierarchy::onInitDialog()
{
    platform::Dialog::onInitDialog();
    initialised = true;
    tree.create(platform::WS_VISIBLE | platform::WS_BORDER | platform::WS_TABSTOP, clientRect(), this, TreeId);
    if (const VornTypeIDManager* registry = getTypeIDManager())
        fillTree(*registry);
    tree.setBkColor(backgroundColour);
    const platform::Rect client = clientRect();
    OnSize(client.width(), client.height());
    return true;
}

void CDialogObjectHierarchy::fillTree(const VornTypeIDManager& registry)
{
    tree.deleteAllItems();
    for (int32_t id = 0; id < registry.getTypeCount(); ++id)
        if (registry.getBaseClassID(id) == NOTYPEID)
            addTypeSubtree(registry, id, TreeItem::None);
}

void CDialogObjectHierarchy::addTypeSubtree(const VornTypeIDManager& registry, int32_t typeId, TreeItem parent)
{
    const TreeItem item = tree.insertItem(registry.getName(typeId), 0, 0, parent, TreeItem::Last);
    if (item == TreeItem::None)
        return;
    tree.setItemState(item, platform::TVIS_BOLD, platform::TVIS_BOLD);
    for (PropertyDescriptor* property = registry.getFirstProperty(typeId); property != nullptr;
         property = property->getNext())
        tree.insertItem(property->getName(), 0, 0, item, TreeItem::Last);
    for (int32_t child = registry.getFirstChildID(typeId); child != NOTYPEID; child = registry.getNextSiblingID(child))
        addTypeSubtree(registry, child, item);
    tree.expand(item, platform::TreeExpand::Expand);
}

void CDialogObjectHierarchy::OnSize(int32_t width, int32_t height)
{
    if (!initialised)
        return;
    treeRect = {treeRect.left, treeRect.top, treeRect.left + width, treeRect.top + height};
    tree.moveWindow(treeRect);
}

platform::LResult CDialogObjectHierarchy::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_SIZE)
        OnSize(static_cast<int32_t>(platform::lowWord(static_cast<uint64_t>(lParam))),
               static_cast<int32_t>(platform::highWord(static_cast<uint64_t>(lParam))));
    return platform::Dialog::windowProc(message, wParam, lParam);
}
