#include "VornData/VornJoint.h"

void VornJoint::applyModifiers()
{
    VornVertex::applyModifiers();
    notifyMembers(JointMovedCode);
    notifyForces(JointMovedCode);
}

void VornJoint::reapplyModifiers()
{
    VornVertex::reapplyModifiers();
    notifyMembers(JointMovedCode);
    notifyForces(JointMovedCode);
}

void VornJoint::notifyAll(const knotList& list, int32_t code)
{
    for (knot* link = list.getFirst(); link; link = link->getNext())
        static_cast<VornBaseObject*>(link->getObject())->linkedObjectChanged(this, code);
}

void VornJoint::removeAttached(knotList& list)
{
    while (knot* link = list.getFirst())
    {
        VornBaseObject* attached = static_cast<VornBaseObject*>(link->getObject());
        removeLinkedObject(attached, *link);
    }
}

void VornJoint::setDefaults()
{
    VornVertex::setDefaults();
    members.clearOwned();
    members.setOwner(this);
    forces.clearOwned();
    forces.setOwner(this);
    supportFlags = JointSupport::Rigid;
}

void VornJoint::copyTo(VornJoint& other)
{
    VornVertex::copyTo(other);
    members.moveOwnedTo(&other.members, &other);
    forces.moveOwnedTo(&other.forces, &other);
    other.supportFlags = supportFlags;
}

void VornJoint::release()
{
    markRemoved();
    if (!isInMassRelease())
    {
        removeAttached(members);
        removeAttached(forces);
    }
    members.clearOwned();
    forces.clearOwned();
    VornSelectable::release();
    resetModifiableFields();
}
