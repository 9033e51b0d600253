#include "VornData/VornForceInstance.h"

#include "VornData/VornForceDefinition.h"
#include "VornData/VornJoint.h"

VornForceInstance::VornForceInstance() : vector(0, 0, 0)
{
}

VornJoint* VornForceInstance::getJoint() const
{
    return static_cast<VornJoint*>(jointKnot.getListOwner());
}

VornForceDefinition* VornForceInstance::getForceDefinition() const
{
    return static_cast<VornForceDefinition*>(definitionKnot.getListOwner());
}

void VornForceInstance::takeOverDefinition()
{
    VornForceDefinition* definition = getForceDefinition();
    if (definition && getJoint())
        definition->applyToInstance(this);
}

bool VornForceInstance::setJoint(VornJoint* joint)
{
    linkKnotTo(joint ? &joint->forces : nullptr, jointKnot);
    takeOverDefinition();
    return true;
}

bool VornForceInstance::setForceDefinition(VornForceDefinition* definition)
{
    linkKnotTo(definition ? &definition->forces : nullptr, definitionKnot);
    takeOverDefinition();
    return true;
}

void VornForceInstance::setDefaults()
{
    jointKnot.unlink();
    definitionKnot.unlink();
    vector.setZero();
    VornSelectable::setDefaults();
}

void VornForceInstance::copyTo(VornForceInstance& other)
{
    VornSelectable::copyTo(other);
    jointKnot.moveTo(&other.jointKnot, &other);
    definitionKnot.moveTo(&other.definitionKnot, &other);
    other.vector = vector;
}

void VornForceInstance::release()
{
    VornSelectable::release();
    jointKnot.unlink();
    definitionKnot.unlink();
}
