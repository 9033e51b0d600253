#include "VornData/VornGroup.h"

#include "VornData/VornSelection.h"

#include <optional>

void VornGroup::knotRemoved(knotLink* link)
{
    if (link == &children && !isRemoved() && !isInMassRelease())
        removeFromList();
}

void VornGroup::removeFromList()
{
    if (isRemoved())
        return;
    // The lists stay locked for the whole loop: a child's removal may cascade (a joint takes its
    // members along), and no element may move into a freed slot while the loop still works on this
    // group and its children.
    ModelCascadeGuard guard(this);
    if (isSelected() && !children.isEmpty())
    {
        clearFlagBits(VornFlag::GroupClosed);
        while (!isRemoved() && !children.isEmpty())
        {
            VornSelectable* child = childOf(children.getFirst());
            if (VornGroup* subgroup = asGroup(child))
                subgroup->setFlagBits(VornFlag::GroupClosed);
            removeLinkedObject(child, child->groupKnot);
        }
    }
    removeFromOwnList(this);
}

bool VornGroup::addChild(VornSelectable* child)
{
    if (!child || isRemoved() || child->isRemoved())
        return false;
    // The group itself or one of its ancestors as its child would make a cycle.
    for (const VornGroup* group = this; group; group = group->getParentGroup())
        if (group == child)
            return false;
    // A child that leaves its previous group may end that group; the guard holds the group in its
    // list until the move is done. A child in no group (a new object) needs no guard.
    std::optional<ModelCascadeGuard> guard;
    if (child->groupKnot.isInChain())
        guard.emplace(this);
    children.insertOwned(&child->groupKnot);
    if (isSelected())
        child->setFlagBits(VornFlag::InClosedGroup);
    else
        child->clearFlagBits(VornFlag::InClosedGroup);
    return true;
}

void VornGroup::select()
{
    setFlagBits(VornFlag::GroupClosed);
    setChildFlags(VornFlag::InClosedGroup);
}

void VornGroup::deselect()
{
    clearFlagBits(VornFlag::GroupClosed);
    clearChildFlags(VornFlag::InClosedGroup);
}

void VornGroup::setAndClearChildFlags(uint8_t set, uint8_t clear)
{
    for (knot* link = children.getFirst(); link; link = link->getNext())
        childOf(link)->setAndClearFlagBits(set, clear);
}

void VornGroup::setAndClearFlagsRecursive(uint8_t set, uint8_t clear)
{
    for (knot* link = children.getFirst(); link; link = link->getNext())
    {
        VornSelectable* child = childOf(link);
        child->setAndClearFlagBits(set, clear);
        if (VornGroup* subgroup = asGroup(child))
            subgroup->setAndClearFlagsRecursive(set, clear);
    }
}

void VornGroup::addToSelection(VornSelection* selection)
{
    for (knot* link = children.getFirst(); link; link = link->getNext())
    {
        VornSelectable* child = childOf(link);
        VornGroup* subgroup = asGroup(child);
        if (subgroup && !subgroup->isSelected())
        {
            subgroup->addToSelection(selection);
            continue;
        }
        selection->add(child);
        child->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
    }
}

void VornGroup::removeAllChildren()
{
    ModelCascadeGuard guard(this);
    takeOutChildren();
}

void VornGroup::takeOutChildren()
{
    // A child that leaves a group is no longer represented by it.
    for (knot* link = children.getFirst(); link; link = link->getNext())
        childOf(link)->clearFlagBits(VornFlag::InClosedGroup);
    children.clearOwned();
}

void VornGroup::setDefaults()
{
    VornModifiable::setDefaults();
    children.clearOwned();
    children.setOwner(this);
}

void VornGroup::copyTo(VornGroup& other)
{
    VornModifiable::copyTo(other);
    children.moveOwnedTo(&other.children, &other);
}

void VornGroup::release()
{
    VornSelectable::release();
    // Only a group that is open and still has children gets here with children (a closed group's
    // removal takes them first): they stay in the model, without a group.
    takeOutChildren();
    resetModifiableFields();
}
