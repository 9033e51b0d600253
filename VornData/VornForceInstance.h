#pragma once

#include "VornData/VornSelectable.h"
#include "VornData/VornMath.h"

class VornJoint;
class VornForceDefinition;

// A force definition applied to a joint. It keeps its own copy of the definition's colour, vector
// and local flag (0x20).
class VornForceInstance : public VornSelectable
{
    VORN_MODEL_TYPE(VornSelectable, ObjectType::Force)

public:
    VornForceInstance();

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    VornJoint* getJoint() const;
    VornForceDefinition* getForceDefinition() const;
    Vector3& getVector() { return vector; }
    const Vector3& getVector() const { return vector; }
    // Link the force to a joint or a definition (leaving the previous one; null: to none). With both
    // set, the force takes over the definition's values.
    bool setJoint(VornJoint* joint);
    bool setForceDefinition(VornForceDefinition* definition);

    bool isLocal() const { return hasFlagBits(VornFlag::Local); }
    void setLocal(bool local) { local ? setFlagBits(VornFlag::Local) : clearFlagBits(VornFlag::Local); }

    void setDefaults();
    void copyTo(VornForceInstance& other);
    void release();

    Vector3 vector;
    knot jointKnot{this};
    knot definitionKnot{this};

private:
    void takeOverDefinition();
};
