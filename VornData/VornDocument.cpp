#include "VornData/VornDocument.h"

#include <cassert>
#include <cstring>
#include <memory>
#include <new>

#include "VornData/DocumentItem.h"
#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"

VornDocument::VornDocument()
{
    std::unique_ptr<BlockList<VornSelection>> selections(
        createDocumentList<VornSelection>("VornSelection", "VornDocument::VornDocument() 1"));
    std::unique_ptr<BlockList<VornGroup>> groups(
        createDocumentList<VornGroup>("VornGroup", "VornDocument::VornDocument() 2"));
    selectionList = selections.release();
    addBlockList(selectionList);
    groupList = groups.release();
    addBlockList(groupList);
    propertyListSelection.setFlagBits(VornFlag::KeepWhenEmpty);
}

VornDocument::~VornDocument()
{
    // Items first: a calculator's item stops its worker while the model is still there.
    while (firstDocumentItem)
        delete firstDocumentItem;
    releaseAllQuietly();
    destroyLists();
}

void VornDocument::releaseAllQuietly()
{
    releasingAll = true;
    propertyListSelection.objects.removeAllLinks();
    worldTracer.groupKnot.unlink();
    clearAll();
    releasingAll = false;
}

void VornDocument::destroyLists()
{
    while (BlockListBase* list = getFirstBlockList())
    {
        removeBlockList(list);
        delete list;
    }
    selectionList = nullptr;
    groupList = nullptr;
}

void VornDocument::addBlockList(BlockListBase* list)
{
    assert(list && !getBlockList(list->getName()) && "one list per name");
    BlockListGroup::addBlockList(list);
}

void VornDocument::reset()
{
    strings.clear();
    releaseAllQuietly();
    worldTracer.name.set(&strings, "__worldtracer");
    VornGroup* root = groupList->add();
    root->name.set(&strings, "__WORLD");
    root->addChild(&worldTracer);
}

VornGroup* VornDocument::getWorldGroup() const
{
    return worldTracer.getParentGroup();
}

VornSelection* VornDocument::getSelection()
{
    if (auto* current = static_cast<VornSelection*>(currentSelection.get()))
        return current;
    VornSelection* selection = selectionList->add();
    currentSelection.set(selection);
    return selection;
}

VornSelection* VornDocument::findSelection() const
{
    return static_cast<VornSelection*>(currentSelection.get());
}

VornSelection* VornDocument::setSelection(VornSelection* selection)
{
    auto* previous = static_cast<VornSelection*>(currentSelection.get());
    // The reference follows the new selection if the previous one's removal moves it.
    currentSelection.set(selection);
    if (previous && previous != selection && !previous->isNamed())
        previous->removeFromList();
    return static_cast<VornSelection*>(currentSelection.get());
}

VornSelection* VornDocument::getModifiableSelection()
{
    auto* current = static_cast<VornSelection*>(currentSelection.get());
    if (current && !current->isNamed())
        return current;
    VornSelection* selection = selectionList->add();
    currentSelection.set(selection);
    return selection;
}

VornSelection* VornDocument::newSelection()
{
    if (auto* current = static_cast<VornSelection*>(currentSelection.get()); current && !current->isNamed())
    {
        // One guard for both steps: the cleared selection removes itself only when the guard ends,
        // so `current` still names it when an already empty one has to be removed here.
        ModelCascadeGuard guard(current);
        current->clear();
        if (!current->isRemoved() && !current->hasFlagBits(VornFlag::KeepWhenEmpty))
            current->removeFromList();
    }
    VornSelection* selection = selectionList->add();
    currentSelection.set(selection);
    return selection;
}

void VornDocument::selectAll(VornSelection* selection)
{
    VornGroup* root = getWorldGroup();
    if (!root || !selection)
        return;
    for (knot* link = root->children.getFirst(); link; link = link->getNext())
    {
        VornSelectable* child = VornGroup::childOf(link);
        VornGroup* group = VornGroup::asGroup(child);
        if (group && !group->isSelected())
        {
            group->addToSelection(selection);
            continue;
        }
        if (child == &worldTracer)
            continue;
        selection->add(child);
        child->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
    }
}

void VornDocument::addDocumentItem(DocumentItem* item)
{
    if (!item)
        throw Exc_InternalError("VornDocument::addDocumentItem [1]");
    if (getDocumentItem(item->getName()))
        throw Exc_InternalError("VornDocument::addDocumentItem [2]");
    linkAtFront<&DocumentItem::previous, &DocumentItem::next>(firstDocumentItem, item);
    item->document = this;
}

DocumentItem* VornDocument::getDocumentItem(const char* key) const
{
    if (!key)
        return nullptr;
    for (DocumentItem* item = firstDocumentItem; item; item = item->next)
        if (std::strcmp(item->getName(), key) == 0)
            return item;
    return nullptr;
}

void VornDocument::countCompletedIteration()
{
    iterationCount.fetch_add(1);
    int32_t pending = pendingIterations.load();
    while (pending > 0 && !pendingIterations.compare_exchange_weak(pending, pending - 1))
    {
    }
}
