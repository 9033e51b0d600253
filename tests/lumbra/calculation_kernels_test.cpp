// The iteration kernels of the calculators against the direct stiffness method: each calculator,
// iterated to its fixed point on the problems it models, gives the linear answer (the strains are
// kept near 1e-8, where the deformed geometry the kernels work on differs from it by about that).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Lumbra/Calculation/IterationKernels.h"
#include "tests/lumbra/ReferenceStiffness.h"
#include "tests/support/CalculationRuns.h"
#include "tests/support/Structures.h"

using namespace lumbra;

namespace
{
constexpr uint8_t Pinned = 0;
constexpr uint8_t Rigid = JointSupport::Rigid;
constexpr uint8_t Held = JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ;
constexpr uint8_t Clamped = Rigid | Held | JointSupport::Rotation;
constexpr double EFactor = 0.1;

// The rotation vector of a small rotation matrix.
Vector3 rotationVector(const Matrix3x3& m)
{
    return Vector3(0.5 * (m(2, 1) - m(1, 2)), 0.5 * (m(0, 2) - m(2, 0)), 0.5 * (m(1, 0) - m(0, 1)));
}

double largestLength(const std::vector<Vector3>& vectors)
{
    double largest = 0;
    for (const Vector3& v : vectors)
        largest = std::max(largest, v.length());
    return largest;
}

double largestDifference(const std::vector<Vector3>& a, const std::vector<Vector3>& b)
{
    double largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, a[i].distanceTo(b[i]));
    return largest;
}

// A problem: its structure for a load scale P, whether it needs bending (a frame) and the gravity
// that keeps its self-weight of the order of its loads.
struct Problem
{
    const char* name;
    std::function<Structure(double)> build;
    bool frame;
    double load;
    double g;
    // Textbook value of the problem (with g = 0) and where the reference solution shows it.
    std::function<double(const StructureSection&, double)> textbook;
    std::function<double(const ReferenceSolution&)> measured;
};

double ea(const StructureSection& s)
{
    return s.elasticity * EFactor * s.area;
}
double eix(const StructureSection& s)
{
    return s.elasticity * EFactor * s.ix;
}
double eiy(const StructureSection& s)
{
    return s.elasticity * EFactor * s.iy;
}
double gj(const StructureSection& s)
{
    return s.elasticity / (2.0 * (1.0 + s.poissonRatio)) * EFactor * s.j;
}

Structure verticalBar(double p)
{
    Structure s;
    s.addJoint(0, 0, 0, Held);
    s.addJoint(0, 0, 3, Pinned, Vector3(0, 0, -p));
    s.addMember(0, 1);
    return s;
}

Structure twoBarTruss(double p)
{
    Structure s;
    s.addJoint(-1, 0, 0, Held);
    s.addJoint(1, 0, 0, Held);
    s.addJoint(0, 0, 1, JointSupport::TranslationY, Vector3(0, 0, -p));
    s.addMember(0, 2);
    s.addMember(2, 1);
    return s;
}

Structure spaceTruss(double p)
{
    Structure s;
    for (const auto& [x, y] : {std::pair(0, 0), std::pair(2, 0), std::pair(2, 2), std::pair(0, 2)})
        s.addJoint(x, y, 0, Held);
    s.addJoint(0, 0, 2, Pinned);
    s.addJoint(2, 0, 2, Pinned, Vector3(p, 0.5 * p, -p));
    s.addJoint(2, 2, 2, Pinned);
    s.addJoint(0, 2, 2, Pinned, Vector3(0, -p, 0.3 * p));
    for (uint32_t i = 0; i < 4; ++i)
    {
        s.addMember(i, 4 + i); // verticals
        s.addMember(4 + i, 4 + (i + 1) % 4); // top ring
        s.addMember(i, 4 + (i + 1) % 4); // face diagonals
    }
    s.addMember(4, 6);
    return s;
}

Structure cantilever(double p, uint8_t tip)
{
    Structure s;
    s.addJoint(0, 0, 0, Clamped);
    s.addJoint(2, 0, 0, tip, Vector3(0, p, -p));
    s.addMember(0, 1);
    return s;
}

Structure simplySupportedBeam(double p)
{
    Structure s;
    s.addJoint(0, 0, 0, Rigid | Held);
    s.addJoint(2, 0, 0, Rigid, Vector3(0, 0, -p));
    s.addJoint(4, 0, 0, Rigid | JointSupport::TranslationY | JointSupport::TranslationZ);
    s.addMember(0, 1);
    s.addMember(1, 2);
    return s;
}

Structure portalFrame(double p)
{
    Structure s;
    s.addJoint(0, 0, 0, Clamped);
    s.addJoint(4, 0, 0, Clamped);
    s.addJoint(0, 0, 3, Rigid, Vector3(p, 0, 0));
    s.addJoint(4, 0, 3, Rigid);
    s.addJoint(2, 0, 3, Rigid, Vector3(0, 0.5 * p, -2 * p));
    s.addMember(0, 2);
    s.addMember(1, 3);
    s.addMember(2, 4);
    s.addMember(4, 3);
    return s;
}

// Two members at a right angle in the horizontal plane, loaded down at the free end: the first bends
// with deflection along its z (Ix) and twists, the second, turned by 90 degrees about its axis,
// bends with deflection along its y (Iy).
Structure spaceFrame(double p)
{
    Structure s;
    s.addJoint(0, 0, 0, Clamped);
    s.addJoint(2, 0, 0, Rigid);
    s.addJoint(2, 2, 0, Rigid, Vector3(0.5 * p, 0, -p));
    s.addMember(0, 1);
    s.addMember(1, 2, 90.0);
    return s;
}

const std::vector<Problem>& problems()
{
    static const std::vector<Problem> table = {
        {"VerticalBar", verticalBar, false, 2.0, 0.01,
         [](const StructureSection& s, double p) { return -p * 3.0 / ea(s); },
         [](const ReferenceSolution& r) { return r.displacements[1].z; }},
        {"TwoBarTruss", twoBarTruss, false, 2.0, 0.01,
         [](const StructureSection&, double p) { return -p / std::sqrt(2.0); },
         [](const ReferenceSolution& r) { return r.normalForces[0]; }},
        {"WarrenTruss", [](double p) { return warrenTruss(2, 2.0, Pinned, Vector3(0, 0, -p)); }, false, 2.0, 0.01,
         [](const StructureSection& s, double p) { return -11.0 * p * 2.0 / (6.0 * ea(s)); },
         [](const ReferenceSolution& r) { return r.displacements[1].z; }},
        {"SpaceTruss", spaceTruss, false, 2.0, 0.01, nullptr, nullptr},
        {"WarrenTrussRigidJoints", [](double p) { return warrenTruss(2, 2.0, Rigid, Vector3(0, 0, -p)); }, true, 2.0,
         0.01, nullptr, nullptr},
        {"CantileverRigidTip", [](double p) { return cantilever(p, Rigid); }, true, 2e-3, 1e-5,
         [](const StructureSection& s, double p) { return -p * 8.0 / (3.0 * eix(s)); },
         [](const ReferenceSolution& r) { return r.displacements[1].z; }},
        {"CantileverHingedTip", [](double p) { return cantilever(p, Pinned); }, true, 2e-3, 1e-5,
         [](const StructureSection& s, double p) { return p * 8.0 / (3.0 * eiy(s)); },
         [](const ReferenceSolution& r) { return r.displacements[1].y; }},
        {"SimplySupportedBeam", simplySupportedBeam, true, 2e-3, 1e-5,
         [](const StructureSection& s, double p) { return -p * 64.0 / (48.0 * eix(s)); },
         [](const ReferenceSolution& r) { return r.displacements[1].z; }},
        {"PortalFrame", portalFrame, true, 2e-3, 1e-5, nullptr, nullptr},
        {"SpaceFrame", spaceFrame, true, 2e-3, 1e-5,
         [](const StructureSection& s, double p) { return -p * (8.0 / (3.0 * eix(s)) + 8.0 / (3.0 * eiy(s)) + 8.0 / gj(s)); },
         [](const ReferenceSolution& r) { return r.displacements[2].z; }},
    };
    return table;
}

// The reference solver itself reproduces the textbook answers (without self-weight).
TEST(ReferenceStiffness, ReproducesTextbookAnswers)
{
    for (const Problem& problem : problems())
    {
        if (!problem.textbook)
            continue;
        SCOPED_TRACE(problem.name);
        const Structure structure = problem.build(problem.load);
        StructureModel model(structure);
        const ReferenceSolution solution = solveReference(*model.joints, *model.members, {EFactor, 0.0, true, true});
        const double expected = problem.textbook(structure.section, problem.load);
        EXPECT_NEAR(problem.measured(solution), expected, std::abs(expected) * 1e-9);
    }
}

struct KernelCase
{
    size_t problem;
    Calculator calculator;
};

class KernelFixedPoint : public ::testing::TestWithParam<KernelCase>
{
};

// Heavy-ball parameters (time base and drag) that converge fast on a spectrum of M⁻¹K.
void dampFor(const ReferenceSolution& reference, double& timeBase, double& drag)
{
    const double fast = std::sqrt(reference.largestRate * 1.2), slow = std::sqrt(reference.smallestRate);
    timeBase = 4.0 / ((fast + slow) * (fast + slow));
    const double momentum = (fast - slow) / (fast + slow);
    drag = 1.0 - momentum * momentum;
}

TEST_P(KernelFixedPoint, MatchesDirectStiffness)
{
    const Problem& problem = problems()[GetParam().problem];
    const Calculator calculator = GetParam().calculator;
    const Structure structure = problem.build(problem.load);
    StructureModel model(structure);
    const bool basic = calculator == Calculator::Basic;
    const ReferenceSolution reference =
        solveReference(*model.joints, *model.members, {EFactor, problem.g, !basic, problem.frame});

    PreparedModel prepared;
    prepared.build(*model.joints, *model.members);
    KernelSettings settings;
    settings.basic = {2.5 * prepared.largestJointStiffness * EFactor, EFactor, problem.g};
    settings.autoBasic.eFactor = EFactor;
    settings.autoBasic.g = problem.g;
    settings.velocity.eFactor = EFactor;
    settings.velocity.g = problem.g;
    dampFor(reference, settings.velocity.timeBase, settings.velocity.drag);
    settings.full.eFactor = EFactor;
    settings.full.g = problem.g;
    settings.full.timeBase = settings.velocity.timeBase;
    settings.full.drag = settings.velocity.drag;

    double largestLoad = 0;
    for (const StructureJoint& joint : structure.joints)
        largestLoad = std::max(largestLoad, joint.load.length());
    largestLoad = std::max(largestLoad, problem.g * 1000.0);

    CalculationLists lists(prepared);
    IterationScratch scratch;
    // Iterate until the out-of-balance forces are near the rounding noise of the moments, then as
    // many iterations again, which takes the geometric convergence as far again.
    int iterations = 0;
    IterationReport report;
    const auto iterate = [&] {
        report = iterateOnce(calculator, prepared, settings, lists, scratch);
        ++iterations;
        return report.finite;
    };
    while (iterations < 1000000 && (iterations < 10 || report.outOfBalanceForce > 1e-10 * largestLoad ||
                                    report.outOfBalanceMoment > 1e-10 * largestLoad))
        ASSERT_TRUE(iterate());
    ASSERT_LT(iterations, 1000000) << "no equilibrium, out of balance " << report.outOfBalanceForce;
    for (int settling = iterations; settling > 0; --settling)
        ASSERT_TRUE(iterate());

    const auto source = lists.source();
    std::vector<Vector3> displacements, rotations, referenceRotations;
    for (uint32_t j = 0; j < prepared.jointCount(); ++j)
    {
        displacements.push_back((*source.displacements)[j].displacement);
        rotations.push_back(rotationVector((*source.reorientations)[j].rotation));
    }
    const double scale = largestLength(reference.displacements);
    ASSERT_GT(scale, 0.0);
    EXPECT_LT(largestDifference(displacements, reference.displacements), 1e-6 * scale)
        << "iterations " << iterations;

    double forceScale = largestLoad, forceError = 0;
    for (uint32_t m = 0; m < prepared.memberCount(); ++m)
    {
        forceScale = std::max(forceScale, std::abs(reference.normalForces[m]));
        forceError = std::max(forceError, std::abs((*source.forces)[m].axialForce - reference.normalForces[m]));
    }
    EXPECT_LT(forceError, 1e-6 * forceScale);

    // Only rigid joints with free rotations turn; the others keep the identity.
    if (calculator == Calculator::Full)
    {
        EXPECT_LE(largestDifference(rotations, reference.rotations), 1e-6 * largestLength(reference.rotations));
    }
}

std::vector<KernelCase> kernelCases()
{
    std::vector<KernelCase> cases;
    for (size_t index = 0; index < problems().size(); ++index)
    {
        if (problems()[index].frame)
        {
            cases.push_back({index, Calculator::Full});
            continue;
        }
        for (const Calculator calculator :
             {Calculator::Basic, Calculator::AutoBasic, Calculator::Velocity, Calculator::Full})
            cases.push_back({index, calculator});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Problems, KernelFixedPoint, ::testing::ValuesIn(kernelCases()),
                         [](const ::testing::TestParamInfo<KernelCase>& info) {
                             return std::string(problems()[info.param.problem].name) + "_" +
                                 calculatorName(info.param.calculator);
                         });

} // namespace
