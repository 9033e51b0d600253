#pragma once

#include <cstdint>
#include <vector>

#include "BlockLists/BlockList.h"
#include "VornData/VornMath.h"

class VornJoint;
class VornMember;

namespace lumbra
{

// What the iteration kernels read of a member for its axial force: one record per member that has
// two joints and a positive rest length, in a contiguous array.
struct AxialMember
{
    uint32_t start; // joint indexes
    uint32_t end;
    uint32_t index; // member index: where its results go
    uint32_t unused;
    double inverseLength; // 1 / L0
    double ea; // EA, before the E-factor
    Vector3 chord; // end position - start position
    // chord·chord - L0²: the elongation is formed from it and the displacements alone, so that it
    // keeps its precision when the displacements are tiny against the member's length.
    double restDefect;
};

// What the Full kernel reads beside the axial record, at the same position.
struct BendingMember
{
    Vector3 axis; // the member's local x axis before the calculation
    Vector3 crossAxis; // its local y axis (turned by the member's angle)
    double eix; // E·Ix: bending with deflection along local z
    double eiy; // E·Iy: bending with deflection along local y
    double gj; // G·J: torsion
    uint8_t rigidStart; // 1 when the joint holds the member's end rigidly
    uint8_t rigidEnd;
};

// What the kernels read of a joint.
struct PreparedJoint
{
    Vector3 load; // the forces applied to the joint, in global axes
    double mass; // the half masses of its members: sum of h·L0
    double stiffness; // sum of EA / L0 of its members, before the E-factor
    double rotationalInertia; // sum of h·L0³ / 3 of its members
    uint8_t supports; // the support byte
    uint8_t rotates; // rigid, no rotation blocked and with members: the Full kernel turns it
};

// A snapshot of the model in the arrays the iteration kernels step over, built from the joint and
// member lists under the document lock. The kernels read it only; the results stay in the lists.
//
// Sound handling of the degenerate cases: a member without two joints or with a rest length of 0 is
// skipped (its results are zero), and a joint without stiffness keeps its displacement.
class PreparedModel
{
public:
    // Reuses its arrays, so that rebuilding a model of the same size allocates nothing.
    void build(const BlockList<VornJoint>& joints, const BlockList<VornMember>& members);

    uint32_t jointCount() const { return static_cast<uint32_t>(joints.size()); }
    uint32_t memberCount() const { return memberTotal; }

    std::vector<AxialMember> axialMembers;
    std::vector<BendingMember> bendingMembers;
    std::vector<uint32_t> skippedMembers;
    std::vector<PreparedJoint> joints;
    std::vector<Matrix3x3> orientations; // per joint: rows = the joint's axes
    std::vector<Vector3> positions; // per joint: its working position
    double largestJointStiffness = 0; // the largest PreparedJoint::stiffness

private:
    uint32_t memberTotal = 0;
};

} // namespace lumbra
