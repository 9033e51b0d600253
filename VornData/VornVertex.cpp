#include "VornData/VornVertex.h"

#include "VornData/ModifierApplier.h"
#include "VornData/VornModifier.h"

VornVertex::VornVertex()
    : position(0, 0, 0), modifiedPosition(0, 0, 0), basePosition(0, 0, 0), creationCoordinate(0, 0, 0)
{
}

void VornVertex::runModifierChain()
{
    modifiedPosition = creationCoordinate;
    modifiedOrientation = creationOrientation;
    // Oldest modifier first: the list is newest first, so walk it backwards from its last knot.
    knotIterator iterator(&modifiers);
    iterator.toLast();
    while (knot* link = iterator.getKnot())
    {
        VornModifier* modifier = static_cast<VornModifier*>(link->getObject());
        // A record without its plugin cannot transform anything: it is passed over.
        if (modifier && modifier->modifierPlugin)
            modifier->modifierPlugin->applyToCurrent(modifier, this);
        iterator.previous();
    }
    takeModifiedState();
}

void VornVertex::takeModifiedState()
{
    position = modifiedPosition;
    orientation = modifiedOrientation;
    orientation.getInverse(inverseOrientation);
}

void VornVertex::applyModifiers()
{
    runModifierChain();
}

void VornVertex::resetToCreation()
{
    basePosition = creationCoordinate;
    baseOrientation = creationOrientation;
}

void VornVertex::reapplyModifiers()
{
    takeModifiedState();
}

void VornVertex::commitModifiers()
{
    creationCoordinate = position;
    creationOrientation = orientation;
}

void VornVertex::setOrientationAngles(double alfa, double beta, double gamma)
{
    // Row i of the orientation is column i of Rx(alfa)·Ry(beta)·Rz(gamma) in the turning-frame
    // convention, which is row i of Rz·Ry·Rx in the convention of Matrix3x3's rotations.
    Matrix3x3 aboutX, aboutY, aboutZ, zy;
    aboutX.setRotationX(alfa * DEGREES_TO_RADIANS);
    aboutY.setRotationY(beta * DEGREES_TO_RADIANS);
    aboutZ.setRotationZ(gamma * DEGREES_TO_RADIANS);
    zy.multiply(aboutZ, aboutY);
    orientation.multiply(zy, aboutX);
    creationOrientation = orientation;
    orientation.getInverse(inverseOrientation);
}

void VornVertex::setDefaults()
{
    VornModifiable::setDefaults();
    // A slot may hold what an earlier element left there: every field starts afresh.
    for (Vector3* vector : {&position, &modifiedPosition, &basePosition, &creationCoordinate})
        vector->setZero();
    for (Matrix3x3* matrix :
         {&orientation, &inverseOrientation, &modifiedOrientation, &baseOrientation, &creationOrientation})
        matrix->setIdentity();
}

void VornVertex::copyTo(VornVertex& other)
{
    VornModifiable::copyTo(other);
    other.position = position;
    other.orientation = orientation;
    other.inverseOrientation = inverseOrientation;
    other.modifiedPosition = modifiedPosition;
    other.basePosition = basePosition;
    other.creationCoordinate = creationCoordinate;
    other.modifiedOrientation = modifiedOrientation;
    other.baseOrientation = baseOrientation;
    other.creationOrientation = creationOrientation;
}
