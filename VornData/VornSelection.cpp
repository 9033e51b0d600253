#include "VornData/VornSelection.h"

#include "Knots/knotManager.h"

void VornSelection::knotRemoved(knotLink* link)
{
    // While the selection is being released its emptied list must not remove it a second time.
    if (link == &objects && !isRemoved() && !hasFlagBits(VornFlag::KeepWhenEmpty) && !isInMassRelease())
        removeFromList();
}

bool VornSelection::contains(const VornSelectable* object) const
{
    for (knot* link = object->selections.getFirst(); link; link = link->getNext())
        if (link->getObject() == this)
            return true;
    return false;
}

bool VornSelection::add(VornSelectable* object)
{
    if (!object || isRemoved() || object->isRemoved() || contains(object))
        return false;
    knotManager::instance()->link(&objects, &object->selections);
    return true;
}

void VornSelection::clear()
{
    // The selection may end itself with its last link; it leaves its list when the guard ends.
    ModelCascadeGuard guard(this);
    while (knot* link = objects.getFirst())
        link->remove();
}

void VornSelection::setAndClearFlags(uint8_t set, uint8_t clear)
{
    for (knot* link = objects.getFirst(); link; link = link->getNext())
        objectOf(link)->setAndClearFlagBits(set, clear);
}

void VornSelection::setDefaults()
{
    VornBaseObject::setDefaults();
    objects.removeAllLinks();
}

void VornSelection::copyTo(VornSelection& other)
{
    VornBaseObject::copyTo(other);
    objects.moveLinkedTo(&other.objects, &other);
}

void VornSelection::release()
{
    markRemoved();
    objects.removeAllLinks();
    VornBaseObject::release();
}

void VornTypeIDManager::countInstances(VornSelection* selection)
{
    resetInstanceCounts();
    if (!selection)
        return;
    for (knot* link = selection->objects.getFirst(); link; link = link->getNext())
        countInstance(VornSelection::objectOf(link)->getTypeID());
}
