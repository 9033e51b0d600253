#pragma once

#include "VornData/VornVertex.h"

// Support byte of a joint.
namespace JointSupport
{
constexpr uint8_t TranslationX = 0x01;
constexpr uint8_t TranslationY = 0x02;
constexpr uint8_t TranslationZ = 0x04;
constexpr uint8_t RotationX = 0x08;
constexpr uint8_t RotationY = 0x10;
constexpr uint8_t RotationZ = 0x20;
constexpr uint8_t Rotation = RotationX | RotationY | RotationZ;
constexpr uint8_t LocalAxes = 0x40; // supports given in the joint's local axes
constexpr uint8_t Rigid = 0x80; // members rigidly connected
} // namespace JointSupport

// Change code a joint sends its members and forces when it has moved.
constexpr int32_t JointMovedCode = 5;

// A vertex of the document's "VornJoint" list, with the members and forces attached to it and its
// supports.
class VornJoint : public VornVertex
{
    VORN_MODEL_TYPE(VornVertex, ObjectType::Joint)

public:
    VornJoint() = default;

    // Elements per block of the document's list of this type.
    static constexpr uint32_t itemsPerBlock = 1024;

    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    // The vertex operations, then the members and forces are told that the joint moved.
    void applyModifiers() override;
    void reapplyModifiers() override;

    // Point an iterator at the joint's member ends or at its forces.
    void getMemberIterator(knotIterator& iterator) const { iterator.setList(&members); }
    void beginForces(knotIterator& iterator) const { iterator.setList(&forces); }
    bool isRotationBlocked() const { return (supportFlags & JointSupport::Rotation) != 0; }
    bool isRigid() const { return (supportFlags & JointSupport::Rigid) != 0; }
    void notifyMembers(int32_t code) { notifyAll(members, code); }
    void notifyForces(int32_t code) { notifyAll(forces, code); }

    void setDefaults();
    void copyTo(VornJoint& other);
    // Every member and force attached to the joint is removed with it.
    void release();

    // Start or end knots of the attached members.
    knotList members{this, knotKind::embedded};
    // Joint knots of the forces applied to the joint.
    knotList forces{this, knotKind::embedded};
    uint8_t supportFlags = 0xC0;

private:
    void notifyAll(const knotList& list, int32_t code);
    void removeAttached(knotList& list);
};
