#include "VornData/VornMember.h"

#include <cmath>

#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"

namespace
{
bool isJointType(int32_t id)
{
    return isTypeID(id, VornVertex::staticTypeID()) || isTypeID(id, VornJoint::staticTypeID());
}
} // namespace

VornJoint* VornMember::getStartJoint() const
{
    return static_cast<VornJoint*>(startKnot.getListOwner());
}

VornJoint* VornMember::getEndJoint() const
{
    return static_cast<VornJoint*>(endKnot.getListOwner());
}

VornMaterial* VornMember::getMaterial() const
{
    return static_cast<VornMaterial*>(materialKnot.getListOwner());
}

VornCrossSection* VornMember::getCrossSection() const
{
    return static_cast<VornCrossSection*>(crossSectionKnot.getListOwner());
}

int32_t VornMember::getLinkCount(int32_t id) const
{
    return isJointType(id) ? 2 : 0;
}

VornBaseObject* VornMember::getLinkedObject(int32_t id, int32_t index) const
{
    if (!isJointType(id))
        return nullptr;
    if (index == 0)
        return getStartJoint();
    if (index == 1)
        return getEndJoint();
    return nullptr;
}

bool VornMember::canLink(const VornBaseObject* object) const
{
    return object &&
        (object->isKindOf(VornMaterial::staticTypeID()) || object->isKindOf(VornCrossSection::staticTypeID()));
}

VornBaseObject* VornMember::getLink(const VornBaseObject* object) const
{
    if (!object)
        return nullptr;
    if (object->isKindOf(VornMaterial::staticTypeID()))
        return getMaterial();
    if (object->isKindOf(VornCrossSection::staticTypeID()))
        return getCrossSection();
    return nullptr;
}

bool VornMember::link(VornBaseObject* object)
{
    if (!object)
        return false;
    if (object->isKindOf(VornMaterial::staticTypeID()))
        return setMaterial(static_cast<VornMaterial*>(object));
    if (object->isKindOf(VornCrossSection::staticTypeID()))
        return setCrossSection(static_cast<VornCrossSection*>(object));
    return false;
}

void VornMember::linkedObjectChanged(VornBaseObject* source, int32_t code)
{
    if (!source)
        return;
    VornJoint* start = getStartJoint();
    VornJoint* end = getEndJoint();
    if (code == JointMovedCode && (source == start || source == end))
    {
        updateLength();
        if (start && end)
            rebuildFrame();
        return;
    }
    if (source == getCrossSection())
    {
        if (code == PropertyGoingCode)
        {
            // Ix and Iy keep their values.
            halfMassPerLength = MemberDefaults::HalfMassPerLength;
            ea = MemberDefaults::EA;
            inverseArea = MemberDefaults::InverseArea;
            gj = MemberDefaults::GJ;
            return;
        }
        updateMass();
        updateSection();
        return;
    }
    if (source == getMaterial())
    {
        switch (code)
        {
        case PropertyGoingCode:
            halfMassPerLength = MemberDefaults::HalfMassPerLength;
            ea = MemberDefaults::EA;
            gj = MemberDefaults::GJ;
            break;
        case MaterialCode::Elasticity:
        case MaterialCode::PoissonRatio:
            updateSection();
            break;
        case MaterialCode::Density:
            updateMass();
            break;
        default:
            break;
        }
    }
}

bool VornMember::setJoint(knot& end, VornJoint* joint)
{
    linkKnotTo(joint ? &joint->members : nullptr, end);
    updateLength();
    if (getStartJoint() && getEndJoint())
        rebuildFrame();
    return true;
}

bool VornMember::setStartJoint(VornJoint* joint)
{
    return setJoint(startKnot, joint);
}

bool VornMember::setEndJoint(VornJoint* joint)
{
    return setJoint(endKnot, joint);
}

bool VornMember::setMaterial(VornMaterial* material)
{
    linkKnotTo(material ? &material->members : nullptr, materialKnot);
    updateMass();
    updateSection();
    return true;
}

bool VornMember::setCrossSection(VornCrossSection* crossSection)
{
    linkKnotTo(crossSection ? &crossSection->members : nullptr, crossSectionKnot);
    updateMass();
    updateSection();
    return true;
}

void VornMember::setAngle(double degrees)
{
    angle = degrees;
    cosAngle = std::cos(degrees * DEGREES_TO_RADIANS);
    sinAngle = std::sin(degrees * DEGREES_TO_RADIANS);
    if (getStartJoint() && getEndJoint())
        rebuildFrame();
}

void VornMember::setLength(double value)
{
    length = value;
    updateLength();
}

double VornMember::updateLength()
{
    if (isLengthFixed())
        return length;
    VornJoint* start = getStartJoint();
    VornJoint* end = getEndJoint();
    length = start && end ? start->getPosition().distanceTo(end->getPosition()) : 0.0;
    return length;
}

void VornMember::rebuildFrame()
{
    Vector3 direction = getEndJoint()->getPosition();
    direction -= getStartJoint()->getPosition();
    frame.setDirectionFrame(direction.length(), direction, cosAngle, sinAngle);
}

VornCrossSection* VornMember::usableCrossSection() const
{
    VornCrossSection* crossSection = getCrossSection();
    // An area that is not positive (or not a number) would divide by zero: no usable section.
    return crossSection && crossSection->getArea() > 0.0 ? crossSection : nullptr;
}

void VornMember::updateMass()
{
    VornCrossSection* crossSection = usableCrossSection();
    VornMaterial* material = getMaterial();
    halfMassPerLength = crossSection && material ? crossSection->getArea() * material->getDensity() * 0.5
                                                 : MemberDefaults::HalfMassPerLength;
}

void VornMember::useDefaultStiffness()
{
    inverseArea = MemberDefaults::InverseArea;
    ea = MemberDefaults::EA;
    gj = MemberDefaults::GJ;
}

double VornMember::updateSection()
{
    VornCrossSection* crossSection = usableCrossSection();
    if (!crossSection)
    {
        useDefaultStiffness();
        ix = iy = MemberDefaults::SectionValue;
        return ea;
    }
    if (VornMaterial* material = getMaterial())
    {
        ea = crossSection->getArea() * material->getElasticity();
        inverseArea = 1.0 / crossSection->getArea();
        gj = material->getShearModulus() * crossSection->getJ();
    }
    else
    {
        useDefaultStiffness();
    }
    ix = crossSection->getIx();
    iy = crossSection->getIy();
    return ea;
}

void VornMember::unlinkAll()
{
    for (knot* end : {&startKnot, &endKnot, &materialKnot, &crossSectionKnot})
        end->unlink();
}

void VornMember::setDefaults()
{
    angle = 0;
    cosAngle = 1;
    sinAngle = 0;
    length = 0;
    frame.setIdentity();
    unlinkAll();
    updateMass();
    updateSection();
    VornModifiable::setDefaults();
}

void VornMember::copyTo(VornMember& other)
{
    VornModifiable::copyTo(other);
    startKnot.moveTo(&other.startKnot, &other);
    endKnot.moveTo(&other.endKnot, &other);
    materialKnot.moveTo(&other.materialKnot, &other);
    crossSectionKnot.moveTo(&other.crossSectionKnot, &other);
    other.angle = angle;
    other.cosAngle = cosAngle;
    other.sinAngle = sinAngle;
    other.frame = frame;
    other.length = length;
    other.halfMassPerLength = halfMassPerLength;
    other.ea = ea;
    other.inverseArea = inverseArea;
    other.ix = ix;
    other.iy = iy;
    other.gj = gj;
}

void VornMember::release()
{
    markRemoved();
    unlinkAll();
    VornSelectable::release();
    resetModifiableFields();
}
