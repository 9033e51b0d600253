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
    memberStep.settings.basic.inverseDisplacementFactor =
        2.5 * memberStep.prepared.axialMembers[0].ea * memberStep.prepared.axialMembers[0].inverseLength * 0.1;
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
