#include "Lumbra/Calculation/PreparedModel.h"

#include <algorithm>
#include <cmath>

#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"

namespace lumbra
{

namespace
{
double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The applied forces of a joint in global axes.
Vector3 appliedLoad(const VornJoint& joint)
{
    Vector3 load(0, 0, 0);
    for (knot* link = joint.forces.getFirst(); link; link = link->getNext())
    {
        const auto* force = static_cast<const VornForceInstance*>(static_cast<VornBaseObject*>(link->getObject()));
        Vector3 vector = force->getVector();
        if (force->isLocal())
            joint.getOrientation().toGlobal(vector);
        load += vector;
    }
    return load;
}
} // namespace

void WorkingState::forget()
{
    std::fill(std::begin(mirrored), std::end(mirrored), nullptr);
    std::fill(std::begin(restingSides), std::end(restingSides), false);
    std::fill(std::begin(restingLists), std::end(restingLists), nullptr);
}

void PreparedModel::build(const BlockList<VornJoint>& jointList, const BlockList<VornMember>& memberList)
{
    state.forget();
    const uint32_t jointTotal = jointList.getCount();
    memberTotal = memberList.getCount();
    joints.resize(jointTotal);
    orientations.resize(jointTotal);
    positions.resize(jointTotal);
    axialMembers.clear();
    bendingMembers.clear();
    skippedMembers.clear();
    axialMembers.reserve(memberTotal);
    bendingMembers.reserve(memberTotal);

    for (uint32_t index = 0; index < jointTotal; ++index)
    {
        const VornJoint& joint = jointList[index];
        PreparedJoint& prepared = joints[index];
        prepared.load = appliedLoad(joint);
        prepared.mass = 0;
        prepared.stiffness = 0;
        prepared.rotationalInertia = 0;
        prepared.supports = joint.supportFlags;
        const auto freeAlong = [&joint](uint8_t bit) { return (joint.supportFlags & bit) ? 0.0 : 1.0; };
        prepared.freeAxes.set(freeAlong(JointSupport::TranslationX), freeAlong(JointSupport::TranslationY),
                              freeAlong(JointSupport::TranslationZ));
        prepared.localSupports = (joint.supportFlags & JointSupport::LocalAxes) &&
            (joint.supportFlags &
             (JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ));
        prepared.rotates = 0;
        orientations[index] = joint.getOrientation();
        positions[index] = joint.getPosition();
    }

    // The members in the order of their higher joint index (a counting sort, which keeps the
    // members of one joint in their list order); the skipped ones in theirs.
    constexpr uint32_t skipped = UINT32_MAX;
    memberRanks.resize(memberTotal);
    rankStarts.assign(jointTotal + 1, 0);
    for (uint32_t index = 0; index < memberTotal; ++index)
    {
        const VornMember& member = memberList[index];
        const VornJoint* start = member.getStartJoint();
        const VornJoint* end = member.getEndJoint();
        const double length = member.getLength();
        if (!start || !end || !(length > 0.0) || !std::isfinite(length))
        {
            memberRanks[index] = skipped;
            skippedMembers.push_back(index);
            continue;
        }
        memberRanks[index] = std::max(BlockList<VornJoint>::getIndex(start), BlockList<VornJoint>::getIndex(end));
        ++rankStarts[memberRanks[index] + 1];
    }
    for (uint32_t rank = 0; rank < jointTotal; ++rank)
        rankStarts[rank + 1] += rankStarts[rank];
    axialMembers.resize(memberTotal - skippedMembers.size());
    for (uint32_t index = 0; index < memberTotal; ++index)
        if (memberRanks[index] != skipped)
            axialMembers[rankStarts[memberRanks[index]]++].index = index;

    for (AxialMember& axial : axialMembers)
    {
        const VornMember& member = memberList[axial.index];
        const VornJoint* start = member.getStartJoint();
        const VornJoint* end = member.getEndJoint();
        const double length = member.getLength();
        axial.start = BlockList<VornJoint>::getIndex(start);
        axial.end = BlockList<VornJoint>::getIndex(end);
        axial.rigidStart = start->isRigid() ? 1 : 0;
        axial.rigidEnd = end->isRigid() ? 1 : 0;
        axial.restLength = length;
        axial.stiffness = member.getEA() / length;
        axial.chord = end->getPosition();
        axial.chord -= start->getPosition();
        axial.restDefect = std::fma(-length, length, dot(axial.chord, axial.chord));

        const Matrix3x3& frame = member.getFrame();
        const double e = member.getE() / length;
        bendingMembers.push_back(BendingMember{frame.getRow0(), frame.getRow1(), e * member.getIx(), e * member.getIy(),
                                               member.getGJ() / length});

        const double mass = member.getHalfMassPerLength() * length;
        const double stiffness = axial.stiffness;
        const double inertia = mass * length * length / 3.0;
        for (const uint32_t joint : {axial.start, axial.end})
        {
            joints[joint].mass += mass;
            joints[joint].stiffness += stiffness;
            joints[joint].rotationalInertia += inertia;
        }
    }

    largestJointStiffness = 0;
    for (uint32_t index = 0; index < jointTotal; ++index)
    {
        PreparedJoint& joint = joints[index];
        largestJointStiffness = std::max(largestJointStiffness, joint.stiffness);
        const bool rigid = (joint.supports & JointSupport::Rigid) != 0;
        const bool rotationBlocked = (joint.supports & JointSupport::Rotation) != 0;
        joint.rotates = rigid && !rotationBlocked && joint.rotationalInertia > 0.0 && joint.stiffness > 0.0;
    }
}

} // namespace lumbra
