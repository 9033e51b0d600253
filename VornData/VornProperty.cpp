#include "VornData/VornProperty.h"

void VornProperty::notifyLinked(int32_t code)
{
    for (knot* link = members.getFirst(); link; link = link->getNext())
        static_cast<VornBaseObject*>(link->getObject())->linkedObjectChanged(this, code);
}

void VornProperty::setDefaults()
{
    VornBaseObject::setDefaults();
    members.clearOwned();
    members.setOwner(this);
}

void VornProperty::copyTo(VornProperty& other)
{
    members.moveOwnedTo(&other.members, &other);
    VornBaseObject::copyTo(other);
}

void VornProperty::release()
{
    if (!isInMassRelease())
        notifyLinked(PropertyGoingCode);
    markRemoved();
    members.clearOwned();
    VornBaseObject::release();
}
