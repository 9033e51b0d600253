// Rules of the iteration kernels beyond their fixed point: degenerate models, non-finite runs, the
// automatic step, supports in local axes, and the balance of the beam element.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "Lumbra/Calculation/IterationKernels.h"
#include "tests/support/CalculationRuns.h"
#include "tests/support/Structures.h"

using namespace lumbra;

namespace
{
constexpr uint8_t Held = JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ;
constexpr Calculator AllCalculators[] = {Calculator::Basic, Calculator::AutoBasic, Calculator::Velocity,
                                         Calculator::Full};

Vector3 crossProduct(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// A structure, its prepared model and its result lists.
struct KernelRun
{
    explicit KernelRun(const Structure& structure) : model(structure)
    {
        prepared.build(*model.joints, *model.members);
        lists = std::make_unique<CalculationLists>(prepared);
        settings.basic.inverseDisplacementFactor = 2.5 * prepared.largestJointStiffness * settings.basic.eFactor;
    }
    IterationReport iterate(Calculator calculator)
    {
        return iterateOnce(calculator, prepared, settings, *lists, scratch);
    }
    const Vector3& displacement(uint32_t joint) { return (*lists->source().displacements)[joint].displacement; }

    StructureModel model;
    PreparedModel prepared;
    std::unique_ptr<CalculationLists> lists;
    KernelSettings settings;
    IterationScratch scratch;
};

class EveryCalculator : public ::testing::TestWithParam<Calculator>
{
};

// A member whose joints coincide is skipped: zero results, finite neighbours; a joint without
// members stays where it is.
TEST_P(EveryCalculator, SkipsZeroLengthMembersAndKeepsLooseJointsStill)
{
    Structure structure;
    structure.addJoint(0, 0, 0, Held);
    structure.addJoint(0, 0, 1, 0, Vector3(0, 0, -5));
    structure.addJoint(0, 0, 1, 0);
    structure.addJoint(3, 3, 3, 0, Vector3(1, 1, 1)); // loose
    structure.addMember(0, 1);
    structure.addMember(1, 2); // zero length
    KernelRun run(structure);
    ASSERT_EQ(run.prepared.skippedMembers.size(), 1u);
    for (int iteration = 0; iteration < 50; ++iteration)
        ASSERT_TRUE(run.iterate(GetParam()).finite);
    const auto source = run.lists->source();
    EXPECT_EQ((*source.forces)[1].axialForce, 0.0);
    EXPECT_EQ((*source.forces)[1].force.length(), 0.0);
    EXPECT_EQ((*source.reactions)[1].startMoment.length(), 0.0);
    EXPECT_LT(run.displacement(1).z, 0.0);
    EXPECT_EQ(run.displacement(3).length(), 0.0);
    // The joint at the zero-length member's far end has no stiffness of its own either.
    EXPECT_EQ(run.displacement(2).length(), 0.0);
}

// A parameter that makes the step infinite gives a non-finite iteration: it is reported, and the
// source lists keep the last finite iteration.
TEST_P(EveryCalculator, ReportsNonFiniteIterations)
{
    KernelRun run(warrenTruss(2, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000)));
    ASSERT_TRUE(run.iterate(GetParam()).finite);
    const Vector3 kept = run.displacement(1);
    run.settings.basic.inverseDisplacementFactor = 0.0;
    run.settings.autoBasic.automatic = false;
    run.settings.autoBasic.factor = 0.0;
    run.settings.velocity.timeBase = HUGE_VAL;
    run.settings.full.timeBase = HUGE_VAL;
    EXPECT_FALSE(run.iterate(GetParam()).finite);
    EXPECT_EQ(run.displacement(1).z, kept.z);
}

TEST_P(EveryCalculator, RefusesListsThatDoNotMatchTheModel)
{
    KernelRun run(warrenTruss(2, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000)));
    run.lists->displacements.lists[1].add();
    EXPECT_FALSE(run.iterate(GetParam()).finite);
}

// A joint held in x of its own axes moves only across that axis; the Basic calculator reads the
// supports in global axes.
TEST_P(EveryCalculator, HoldsSupportsInTheJointsAxes)
{
    Structure structure;
    structure.addJoint(0, 0, 0, Held);
    structure.addJoint(1, 0, 0, JointSupport::TranslationX | JointSupport::LocalAxes, Vector3(3, 2, -7));
    structure.addMember(0, 1);
    KernelRun run(structure);
    VornJoint& joint = (*run.model.joints)[1];
    joint.setOrientationAngles(0, 0, 45);
    run.prepared.build(*run.model.joints, *run.model.members);
    for (int iteration = 0; iteration < 5; ++iteration)
        ASSERT_TRUE(run.iterate(GetParam()).finite);
    Vector3 moved = run.displacement(1);
    ASSERT_GT(moved.length(), 0.0);
    if (GetParam() == Calculator::Basic)
    {
        EXPECT_EQ(moved.x, 0.0);
        return;
    }
    joint.getOrientation().transform(moved);
    EXPECT_NEAR(moved.x, 0.0, 1e-12 * std::abs(moved.y) + 1e-300);
}

// The kernels step over a working state of their own: lists they did not write last are read, and
// an iteration that is not finite leaves the state where the last finite one left it.
TEST_P(EveryCalculator, ReadsSourceListsTheyDidNotWriteAndKeepTheLastFiniteState)
{
    const Structure truss = warrenTruss(3, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000));
    KernelRun first(truss);
    ASSERT_TRUE(first.iterate(GetParam()).finite);
    KernelRun second(truss);
    ASSERT_TRUE(second.iterate(GetParam()).finite);
    ASSERT_TRUE(second.iterate(GetParam()).finite);

    KernelRun run(truss);
    for (int iteration = 0; iteration < 3; ++iteration)
        ASSERT_TRUE(run.iterate(GetParam()).finite);
    CalculationLists fresh(run.prepared);
    ASSERT_TRUE(iterateOnce(GetParam(), run.prepared, run.settings, fresh, run.scratch).finite);
    // Failing iterations, then one with the parameters restored: it goes on from the lists' first.
    const KernelSettings settings = run.settings;
    run.settings.basic.inverseDisplacementFactor = 0.0;
    run.settings.autoBasic.automatic = false;
    run.settings.autoBasic.factor = 0.0;
    run.settings.velocity.timeBase = HUGE_VAL;
    run.settings.full.timeBase = HUGE_VAL;
    for (int iteration = 0; iteration < 2; ++iteration)
        ASSERT_FALSE(iterateOnce(GetParam(), run.prepared, run.settings, fresh, run.scratch).finite);
    const auto afterFirst = fresh.source();
    for (uint32_t joint = 0; joint < run.prepared.jointCount(); ++joint)
        ASSERT_EQ((*afterFirst.displacements)[joint].displacement.z, first.displacement(joint).z) << joint;
    run.settings = settings;
    ASSERT_TRUE(iterateOnce(GetParam(), run.prepared, run.settings, fresh, run.scratch).finite);
    const auto afterSecond = fresh.source();
    for (uint32_t joint = 0; joint < run.prepared.jointCount(); ++joint)
    {
        EXPECT_EQ((*afterSecond.displacements)[joint].displacement.x, second.displacement(joint).x) << joint;
        EXPECT_EQ((*afterSecond.displacements)[joint].displacement.z, second.displacement(joint).z) << joint;
        EXPECT_EQ((*afterSecond.velocities)[joint].velocity.z, (*second.lists->source().velocities)[joint].velocity.z);
    }
}

// The kernels step over the members in an order of their own: every member's results land at its
// own index, whatever the order of the member list.
TEST_P(EveryCalculator, PutsEveryMembersResultsAtItsIndex)
{
    Structure listed;
    listed.addJoint(0, 0, 0, Held | JointSupport::Rigid);
    listed.addJoint(2, 0, 0, JointSupport::TranslationY | JointSupport::Rigid);
    listed.addJoint(1, 0, 1.5, JointSupport::Rigid, Vector3(300, 0, -900));
    listed.addJoint(3, 0, 1.5, JointSupport::Rigid, Vector3(0, 0, -400));
    Structure reversed = listed;
    const uint32_t ends[][2] = {{0, 1}, {0, 2}, {1, 2}, {2, 3}, {1, 3}};
    for (const auto& end : ends)
        listed.addMember(end[0], end[1]);
    for (int member = std::size(ends) - 1; member >= 0; --member)
        reversed.addMember(ends[member][1], ends[member][0]);
    KernelRun forward(listed), backward(reversed);
    for (int iteration = 0; iteration < 20; ++iteration)
    {
        ASSERT_TRUE(forward.iterate(GetParam()).finite);
        ASSERT_TRUE(backward.iterate(GetParam()).finite);
    }
    const auto forwardResults = forward.lists->source();
    const auto backwardResults = backward.lists->source();
    for (uint32_t member = 0; member < std::size(ends); ++member)
    {
        SCOPED_TRACE(member);
        const uint32_t other = std::size(ends) - 1 - member;
        const double axial = (*forwardResults.forces)[member].axialForce;
        ASSERT_NE(axial, 0.0);
        EXPECT_NEAR((*backwardResults.forces)[other].axialForce, axial, 1e-9 * std::abs(axial));
        // Reversed, the member pulls its other end.
        EXPECT_NEAR((*backwardResults.forces)[other].force.z, -(*forwardResults.forces)[member].force.z,
                    1e-9 * std::abs(axial));
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, EveryCalculator, ::testing::ValuesIn(AllCalculators),
                         [](const ::testing::TestParamInfo<Calculator>& info) { return calculatorName(info.param); });

// With one member the automatic step is 1 / (factor base · EA · E-factor / L0); where members meet
// it comes from the joint's summed stiffness.
TEST(AutomaticStep, ComesFromTheStiffestJoint)
{
    Structure single;
    single.section.elasticity = 4.0e5; // EA = 4000, times 0.1 over L0 = 1: 400
    single.addJoint(0, 0, 0, Held);
    single.addJoint(0, 0, 1, 0);
    single.addMember(0, 1);
    KernelRun one(single);
    const IterationReport report = one.iterate(Calculator::AutoBasic);
    EXPECT_DOUBLE_EQ(report.biggestStiffness, 400.0);
    EXPECT_DOUBLE_EQ(report.usedFactor, 1000.0);

    // Five more members of nearly the same stiffness at the free joint: the step comes from their sum.
    Structure hangers = single;
    const double length = std::sqrt(0.3 * 0.3 + 0.95 * 0.95);
    for (int index = 0; index < 5; ++index)
    {
        const double angle = (index + 1) * 1.0471975511965976;
        hangers.addMember(hangers.addJoint(std::cos(angle) * 0.3, std::sin(angle) * 0.3, 1.95, Held), 1);
    }
    EXPECT_NEAR(KernelRun(hangers).iterate(Calculator::AutoBasic).biggestStiffness, 400.0 + 5.0 * 400.0 / length, 1e-9);
}

// Six equal hangers meeting at one joint: a step from one member's stiffness overshoots and grows
// without bound; the step from the joint's sum settles.
TEST(AutomaticStep, SettlesWhereManyStiffMembersMeet)
{
    Structure hangers;
    const uint32_t knot = hangers.addJoint(0, 0, 0, 0, Vector3(0, 0, -50));
    for (int index = 0; index < 6; ++index)
    {
        const double angle = index * 1.0471975511965976;
        hangers.addMember(hangers.addJoint(std::cos(angle) * 0.2, std::sin(angle) * 0.2, 1.0, Held), knot);
    }
    KernelRun run(hangers);
    double first = 0, last = 0;
    for (int iteration = 0; iteration < 400; ++iteration)
    {
        const IterationReport report = run.iterate(Calculator::AutoBasic);
        ASSERT_TRUE(report.finite);
        (iteration == 0 ? first : last) = report.outOfBalanceForce;
    }
    EXPECT_LT(last, first * 1e-6);

    // The same step rule with one member's stiffness, as the Basic kernel with that factor.
    KernelRun memberStep(hangers);
    memberStep.settings.basic.inverseDisplacementFactor = 2.5 * memberStep.prepared.axialMembers[0].stiffness * 0.1;
    IterationReport report;
    for (int iteration = 0; iteration < 400 && report.finite; ++iteration)
        report = memberStep.iterate(Calculator::Basic);
    EXPECT_TRUE(!report.finite || report.outOfBalanceForce > 1e3 * first);
}

// The beam element of the Full kernel on a frame whose joints have moved and turned at random:
// every member exerts no net force and no net moment; a rigid-body motion of the whole frame
// gives no forces at all.
class BeamElement : public ::testing::Test
{
protected:
    BeamElement()
    {
        structure.addJoint(0, 0, 0, Held | JointSupport::Rigid | JointSupport::Rotation);
        structure.addJoint(0, 0, 3, JointSupport::Rigid);
        structure.addJoint(4, 0, 3, JointSupport::Rigid);
        structure.addJoint(4, 2, 3, 0);
        structure.addJoint(4, 2, 0, JointSupport::Rigid);
        structure.addMember(0, 1);
        structure.addMember(1, 2, 30.0);
        structure.addMember(2, 3);
        structure.addMember(3, 4);
        structure.addMember(4, 2, -60.0);
        run = std::make_unique<KernelRun>(structure);
    }
    // Sets the source displacements and reorientations.
    template <class Motion>
    void move(Motion motion)
    {
        auto source = run->lists->lists<true>(run->lists->current);
        for (uint32_t j = 0; j < run->prepared.jointCount(); ++j)
            motion(j, run->prepared.positions[j], (*source.displacements)[j].displacement,
                   (*source.reorientations)[j].rotation);
    }
    const CalcMReaction& reaction(uint32_t member) { return (*run->lists->source().reactions)[member]; }
    const CalcNForce& normalForce(uint32_t member) { return (*run->lists->source().forces)[member]; }

    Structure structure;
    std::unique_ptr<KernelRun> run;
};

TEST_F(BeamElement, ExertsNoNetForceOrMoment)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> small(-1e-6, 1e-6);
    move([&](uint32_t, const Vector3&, Vector3& displacement, Matrix3x3& rotation) {
        displacement.set(small(random), small(random), small(random));
        rotation.setRotation(Vector3(small(random), small(random), small(random)));
    });
    ASSERT_TRUE(run->iterate(Calculator::Full).finite);
    for (uint32_t m = 0; m < run->prepared.memberCount(); ++m)
    {
        SCOPED_TRACE(m);
        const CalcMReaction& r = reaction(m);
        const AxialMember& member = run->prepared.axialMembers[m];
        Vector3 arm = member.chord;
        arm += (*run->lists->lists<false>(0).displacements)[member.end].displacement;
        arm -= (*run->lists->lists<false>(0).displacements)[member.start].displacement;
        Vector3 netForce = r.startForce;
        netForce += r.endForce;
        Vector3 netMoment = r.startMoment;
        netMoment += r.endMoment;
        netMoment += crossProduct(arm, r.endForce);
        const double scale = r.startForce.length() + r.startMoment.length() + r.endMoment.length();
        EXPECT_GT(r.startMoment.length() + r.endMoment.length(), 0.0);
        EXPECT_LE(netForce.length(), 1e-12 * scale);
        EXPECT_LE(netMoment.length(), 1e-12 * scale);
        // The published normal forces are the member's end force and axial force.
        EXPECT_EQ(normalForce(m).force.x, r.startForce.x);
        EXPECT_EQ(normalForce(m).axialForce, r.startLocalForce.x);
    }
}

TEST_F(BeamElement, GivesNoForceForARigidBodyMotion)
{
    Matrix3x3 turn;
    turn.setRotation(Vector3(2e-3, -1e-3, 3e-3));
    const Vector3 shift(1e-3, 2e-3, -1e-3);
    move([&](uint32_t, const Vector3& position, Vector3& displacement, Matrix3x3& rotation) {
        displacement = position;
        turn.transform(displacement);
        displacement -= position;
        displacement += shift;
        rotation = turn;
    });
    ASSERT_TRUE(run->iterate(Calculator::Full).finite);
    // The same motion as a deformation would give forces of about EA · 1e-3 = 2e5.
    for (uint32_t m = 0; m < run->prepared.memberCount(); ++m)
    {
        SCOPED_TRACE(m);
        EXPECT_LT(reaction(m).startForce.length(), 1e-5);
        EXPECT_LT(reaction(m).startMoment.length(), 1e-5);
        EXPECT_LT(reaction(m).endMoment.length(), 1e-5);
    }
}

} // namespace

// A member whose joints no longer hold it rigidly has no moments and no shear in either reaction
// list once the model is prepared again, though the lists held the moments of its rigid ends; its
// joints no longer turn in either reorientation list.
TEST(FullReactions, LoseTheMomentsOfEndsThatAreNoLongerRigid)
{
    KernelRun run(warrenTruss(2, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000)));
    // Turned joints, so that every member has end moments.
    for (uint32_t joint = 0; joint < run.prepared.jointCount(); ++joint)
        for (BlockList<CalcReorientation>& list : run.lists->reorientations.lists)
            list[joint].rotation.setRotation(Vector3(1e-3 * joint, -2e-3, 1e-3));
    for (int iteration = 0; iteration < 4; ++iteration)
        ASSERT_TRUE(run.iterate(Calculator::Full).finite);
    for (BlockList<CalcMReaction>& list : run.lists->reactions.lists)
        ASSERT_GT(list[0].startMoment.length(), 0.0);

    for (uint32_t joint = 0; joint < run.model.joints->getCount(); ++joint)
        (*run.model.joints)[joint].supportFlags &= static_cast<uint8_t>(~JointSupport::Rigid);
    run.prepared.build(*run.model.joints, *run.model.members);
    for (int iteration = 0; iteration < 2; ++iteration)
        ASSERT_TRUE(run.iterate(Calculator::Full).finite);
    for (BlockList<CalcMReaction>& list : run.lists->reactions.lists)
        for (uint32_t member = 0; member < list.getCount(); ++member)
        {
            SCOPED_TRACE(member);
            const CalcMReaction& reaction = list[member];
            ASSERT_NE(reaction.startLocalForce.x, 0.0);
            EXPECT_EQ(reaction.startMoment.length() + reaction.endMoment.length(), 0.0);
            EXPECT_EQ(reaction.startLocalMoment.length() + reaction.endLocalMoment.length(), 0.0);
            EXPECT_EQ(reaction.startLocalForce.y, 0.0);
            EXPECT_EQ(reaction.endLocalForce.z, 0.0);
            EXPECT_EQ(reaction.endLocalForce.x, reaction.startLocalForce.x);
            EXPECT_EQ(reaction.endForce.z, -reaction.startForce.z);
        }
    for (int side = 0; side < 2; ++side)
        for (uint32_t joint = 0; joint < run.prepared.jointCount(); ++joint)
        {
            SCOPED_TRACE(joint);
            const Matrix3x3& turn = run.lists->reorientations.lists[side][joint].rotation;
            EXPECT_EQ(turn.rows[0].x + turn.rows[1].y + turn.rows[2].z, 3.0);
            EXPECT_EQ(turn.rows[0].y, 0.0);
            EXPECT_EQ(run.lists->velocities.lists[side][joint].angularVelocity.length(), 0.0);
        }
}

// The Velocity calculator's floor: a joint that ends exactly on it is left alone; one that ends
// below it is pushed up by (1 - drag)² of its penetration and bounces back with its vertical
// velocity turned and scaled by the same factor.
TEST(VelocityFloor, PushesJointsBackAndBouncesThem)
{
    Structure structure;
    structure.addJoint(0, 0, 0, Held);
    structure.addJoint(1, 0, 0, 0, Vector3(3e4, 0, -2e5));
    structure.addMember(0, 1);
    const auto step = [&structure](bool floorOn, double floorHeight) {
        KernelRun run(structure);
        run.settings.velocity.floorEnabled = floorOn;
        run.settings.velocity.floorHeight = floorHeight;
        EXPECT_TRUE(run.iterate(Calculator::Velocity).finite);
        return std::pair(run.displacement(1), (*run.lists->source().velocities)[1].velocity);
    };
    const auto [free, freeVelocity] = step(false, 0.0);
    ASSERT_LT(free.z, 0.0);
    ASSERT_NE(freeVelocity.x, 0.0);

    const auto [onFloor, onFloorVelocity] = step(true, free.z);
    EXPECT_EQ(onFloor.z, free.z);
    EXPECT_EQ(onFloorVelocity.z, freeVelocity.z);

    const double penetration = -0.5 * free.z;
    const double damping = 1.0 - KernelSettings().velocity.drag;
    const auto [bounced, bouncedVelocity] = step(true, free.z + penetration);
    EXPECT_DOUBLE_EQ(bounced.z, free.z + penetration * damping * damping);
    EXPECT_DOUBLE_EQ(bouncedVelocity.z, -freeVelocity.z * damping * damping);
    EXPECT_DOUBLE_EQ(bouncedVelocity.x, freeVelocity.x * damping);
}
