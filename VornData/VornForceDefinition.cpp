#include "VornData/VornForceDefinition.h"

#include "VornData/VornForceInstance.h"

VornForceDefinition::VornForceDefinition() : vector(0, 0, 0)
{
}

void VornForceDefinition::setVector(double x, double y, double z)
{
    vector.set(x, y, z);
    update();
}

void VornForceDefinition::update()
{
    magnitude = vector.length();
    axes.setDirectionFrame(magnitude, vector);
}

void VornForceDefinition::applyToInstance(VornForceInstance* force) const
{
    force->setColor(getColor());
    force->vector = vector;
    force->setLocal(isLocal());
}

void VornForceDefinition::updateInstances()
{
    for (knot* link = forces.getFirst(); link; link = link->getNext())
        applyToInstance(static_cast<VornForceInstance*>(link->getObject()));
}

void VornForceDefinition::notifyInstances(int32_t code)
{
    for (knot* link = forces.getFirst(); link; link = link->getNext())
        static_cast<VornBaseObject*>(link->getObject())->linkedObjectChanged(this, code);
}

bool VornForceDefinition::isEqual(const VornForceDefinition& other) const
{
    return colorAndFlags == other.colorAndFlags && vector.getX() == other.vector.getX() &&
        vector.getY() == other.vector.getY() && vector.getZ() == other.vector.getZ();
}

void VornForceDefinition::setDefaults()
{
    VornBaseObject::setDefaults();
    vector.setZero();
    magnitude = 0;
    axes.setIdentity();
    forces.clearOwned();
    forces.setOwner(this);
}

void VornForceDefinition::copyTo(VornForceDefinition& other)
{
    forces.moveOwnedTo(&other.forces, &other);
    other.vector = vector;
    other.magnitude = magnitude;
    other.axes = axes;
    VornBaseObject::copyTo(other);
}

void VornForceDefinition::release()
{
    markRemoved();
    if (!isInMassRelease())
    {
        while (knot* link = forces.getFirst())
            removeLinkedObject(static_cast<VornBaseObject*>(link->getObject()), *link);
    }
    forces.clearOwned();
    VornBaseObject::release();
}
