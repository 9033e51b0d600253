#pragma once

#include "VornData/VornBaseObject.h"
#include "VornData/VornMath.h"

class VornForceInstance;

// A force vector that forces apply to joints. Bit 0x20: the vector is given in the joint's local
// axes. Removing a definition removes its forces.
class VornForceDefinition : public VornBaseObject
{
    VORN_MODEL_TYPE(VornBaseObject, ObjectType::ForceDefinition)

public:
    VornForceDefinition();

    // Elements per block of the document's list of this type.
    static constexpr uint32_t itemsPerBlock = 128;

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    Vector3& getVector() { return vector; }
    const Vector3& getVector() const { return vector; }
    double getMagnitude() const { return magnitude; }
    const Matrix3x3& getAxes() const { return axes; }
    // Stores the vector, then update.
    void setVector(double x, double y, double z);
    // Magnitude and axes from the vector.
    void update();

    bool isLocal() const { return hasFlagBits(VornFlag::Local); }
    void setLocal() { setFlagBits(VornFlag::Local); }
    void setGlobal() { clearFlagBits(VornFlag::Local); }
    void setLocalFlag(bool local) { local ? setLocal() : setGlobal(); }

    // The force takes the definition's colour, vector and local flag.
    void applyToInstance(VornForceInstance* force) const;
    void updateInstances();
    void notifyInstances(int32_t code);
    // Colour-and-flags and the three components equal.
    bool isEqual(const VornForceDefinition& other) const;

    void setDefaults();
    void copyTo(VornForceDefinition& other);
    void release();

    // Definition knots of the forces that use the definition.
    knotList forces{this, knotKind::embedded};
    Vector3 vector;
    double magnitude = 0;
    Matrix3x3 axes;
};
