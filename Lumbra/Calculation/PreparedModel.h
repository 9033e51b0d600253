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
    // 1 when the joint holds the member's end rigidly: the Full kernel reads the bending record of
    // such members only.
    uint8_t rigidStart;
    uint8_t rigidEnd;
    double restLength; // L0
    double stiffness; // EA / L0, before the E-factor
    Vector3 chord; // end position - start position
    // chord·chord - L0²: the elongation is formed from it and the displacements alone, so that it
    // keeps its precision when the displacements are tiny against the member's length.
    double restDefect;
};

// What the Full kernel reads beside the axial record of a member with a rigid end, at the same
// position.
struct BendingMember
{
    Vector3 axis; // the member's local x axis before the calculation
    Vector3 crossAxis; // its local y axis (turned by the member's angle)
    // Before the E-factor, over L0:
    double eix; // E·Ix / L0: bending with deflection along local z
    double eiy; // E·Iy / L0: bending with deflection along local y
    double gj; // G·J / L0: torsion
};

// What the kernels read of a joint.
struct PreparedJoint
{
    Vector3 load; // the forces applied to the joint, in global axes
    double mass; // the half masses of its members: sum of h·L0
    double stiffness; // sum of EA / L0 of its members, before the E-factor
    double rotationalInertia; // sum of h·L0³ / 3 of its members
    Vector3 freeAxes; // per axis 1, or 0 where the support byte blocks the translation
    uint8_t supports; // the support byte
    uint8_t localSupports; // translations blocked in the joint's own axes
    uint8_t rotates; // rigid, no rotation blocked and with members: the Full kernel turns it
};

// The joint values of one iteration in plain arrays, in the joints' order.
struct JointValues
{
    std::vector<Vector3> displacements;
    std::vector<Vector3> velocities; // the Velocity and Full kernels
    std::vector<Vector3> angularVelocities; // the Full kernel
    std::vector<Matrix3x3> reorientations; // the Full kernel
};

// The kernels' working state: the joint values of the last finite iteration (the source) and those
// of the iteration being computed (the target). The kernels read their source here instead of in
// the source lists, and load it from the lists only when they are handed lists it does not mirror:
// the first iteration on a model, or after the lists turned in a way the kernels did not.
struct WorkingState
{
    JointValues sides[2];
    int source = 0;
    // The joint lists (displacements, velocities, reorientations) whose values the source holds;
    // null where it mirrors none.
    const void* mirrored[3] = {};
    // Per side: whether every joint that does not turn holds the identity reorientation and no
    // angular velocity, so that the Full kernel need not write them again.
    bool restingSides[2] = {};
    // The result lists whose records of the parts that stay at rest hold their resting values
    // already: in a reaction list the zero moments and shear of every member without a rigid end,
    // in a reorientation list the identity at every joint that does not turn.
    const void* restingLists[6] = {};

    // The lists may have been written by others since: the next iteration loads its source from
    // them, and writes the resting values again.
    void forget();
};

// A snapshot of the model in the arrays the iteration kernels step over, built from the joint and
// member lists under the document lock, and the working state of the kernels. The kernels read the
// snapshot only; they publish their results in the result lists they are handed.
// It holds what the model says when it is built (positions, supports, forces, sections, lengths),
// so whoever runs the kernels builds it again after the model or the lists may have changed.
//
// The members are ordered by the higher of their joints' indexes, so that the kernels, stepping
// over them in that order, move through the joints' arrays as they do through the members'.
//
// Sound handling of the degenerate cases: a member without two joints or with a rest length of 0 is
// skipped (its results are zero), and a joint without stiffness keeps its displacement.
class PreparedModel
{
public:
    // Reuses its arrays, so that rebuilding a model of the same size allocates nothing. Forgets
    // the working state.
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

    WorkingState state;

private:
    uint32_t memberTotal = 0;
    // Per member the higher index of its joints, or the skip mark; then the start of each such
    // index's members in the kernels' order.
    std::vector<uint32_t> memberRanks;
    std::vector<uint32_t> rankStarts;
};

} // namespace lumbra
