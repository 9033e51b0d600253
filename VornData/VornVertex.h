#pragma once

#include "VornData/VornModifiable.h"
#include "VornData/VornMath.h"

// A modifiable point with local axes. Its creation coordinate and creation orientation are the
// user's input; the modifiers applied to it turn them into the working position and orientation that
// views draw and calculators read.
class VornVertex : public VornModifiable
{
    VORN_MODEL_TYPE(VornModifiable, ObjectType::Vertex)

public:
    VornVertex();

    void applyModifiers() override;
    void resetToCreation() override;
    void reapplyModifiers() override;
    void commitModifiers() override;

    Vector3& getPosition() { return position; }
    Vector3& getModifiedPosition() { return modifiedPosition; }
    Vector3& getBasePosition() { return basePosition; }
    // The position before modification (the base position).
    Vector3& getUnmodifiedPosition() { return basePosition; }
    Vector3& getCreationCoordinate() { return creationCoordinate; }
    const Vector3& getPosition() const { return position; }
    const Vector3& getCreationCoordinate() const { return creationCoordinate; }
    Matrix3x3& getOrientation() { return orientation; }
    Matrix3x3& getInverseOrientation() { return inverseOrientation; }
    Matrix3x3& getModifiedOrientation() { return modifiedOrientation; }
    Matrix3x3& getBaseOrientation() { return baseOrientation; }
    Matrix3x3& getCreationOrientation() { return creationOrientation; }
    const Matrix3x3& getOrientation() const { return orientation; }

    // Orientation from three angles in degrees, turned about x, then y, then z of the turning frame:
    // the local axes of the joint creator's orientation fields. Sets the working and the creation
    // orientation, so that applying the modifiers keeps it.
    void setOrientationAngles(double alfa, double beta, double gamma);

    void setDefaults();
    void copyTo(VornVertex& other);

    Vector3 position;
    Matrix3x3 orientation;
    Matrix3x3 inverseOrientation;
    Vector3 modifiedPosition;
    Vector3 basePosition;
    Vector3 creationCoordinate;
    Matrix3x3 modifiedOrientation;
    Matrix3x3 baseOrientation;
    Matrix3x3 creationOrientation;

protected:
    // Runs the modifier chain on the creation state and makes the result the working state.
    void runModifierChain();
    // Working state := modified state.
    void takeModifiedState();
};
