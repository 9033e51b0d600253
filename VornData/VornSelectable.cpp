#include "VornData/VornSelectable.h"

#include "VornData/VornGroup.h"

VornGroup* VornSelectable::getParentGroup() const
{
    return static_cast<VornGroup*>(groupKnot.getListOwner());
}

void VornSelectable::leaveGroup()
{
    VornGroup* group = getParentGroup();
    if (!group)
        return;
    ModelCascadeGuard guard(group);
    groupKnot.unlink();
}

void VornSelectable::resetSelectableFields()
{
    // Runs inside the block list's removal, which the caller guards: no guard of its own here, or
    // its end would compact lists while that removal is still under way.
    selections.removeAllLinks();
    groupKnot.unlink();
}

void VornSelectable::setDefaults()
{
    VornBaseObject::setDefaults();
    resetSelectableFields();
}

void VornSelectable::copyTo(VornSelectable& other)
{
    VornBaseObject::copyTo(other);
    selections.moveLinkedTo(&other.selections, &other);
    groupKnot.moveTo(&other.groupKnot, &other);
}

void VornSelectable::release()
{
    VornBaseObject::release();
    resetSelectableFields();
}
