// The modifier tools of the OpenGL view without a window: which tool serves the active modifier,
// the geometry they share, and drags of the Move, Rotate and Scale tools that change the active
// transform record.
#include "Zintel/ModifierTools/MoveTool.h"
#include "Zintel/ModifierTools/RotateTool.h"
#include "Zintel/ModifierTools/ScaleTool.h"
#include "Zintel/ModifierTools/ToolGeometry.h"
#include "tests/support/HeldLock.h"
#include "tests/zintel/ModifierToolBench.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using namespace zintel;
using namespace zintel::tools;
using namespace std::chrono_literals;

constexpr double pi = 3.14159265358979323846;

void expectMove(const Point3f& actual, const Point3f& expected, double tolerance, const char* name)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << name;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << name;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << name;
}

int toolCount(const OpenGLDrawObjectMTool& layer)
{
    int count = 0;
    for (OpenGLModifierTool* tool = layer.tools; tool != nullptr; tool = tool->next)
        ++count;
    return count;
}

// --- choosing the tool ---

TEST(ModifierToolLayer, WithoutAnActiveModifierOffersNoHandleAndRefusesTheMouse)
{
    ModifierToolBench bench;
    EXPECT_EQ(bench.tools->getHandleCount(), 0);
    EXPECT_FALSE(bench.tools->onMouse(10, 10, 0, InputEvent::LeftDown | InputEvent::LeftHeld));
    EXPECT_EQ(bench.tools->currentTool, nullptr);
    EXPECT_EQ(bench.tools->tools, nullptr);
}

TEST(ModifierToolLayer, PackagesTheShowItemAndTheThreeToolsNewestFirst)
{
    ModifierToolBench bench;
    EXPECT_EQ(namesOf(bench.layer->toolPlugins), (std::vector<std::string>{"Scale", "Rotate", "Move"}));
    EXPECT_EQ(bench.layer->GetPackagedPlugin(4), nullptr);
    for (VornPluginBase* entry = bench.layer->toolPlugins; entry != nullptr; entry = entry->getNext())
    {
        auto* toolPlugin = dynamic_cast<PluginVOModifierTool*>(entry);
        ASSERT_NE(toolPlugin, nullptr);
        EXPECT_EQ(toolPlugin->modifierPlugin()->getName(), std::string(entry->getName()));
    }
}

TEST(ModifierToolLayer, MakesOneToolPerKindAndViewAndReusesIt)
{
    ModifierToolBench bench;
    bench.activate(bench.move, {0, 0, 0});
    OpenGLModifierTool* first = bench.tool();
    EXPECT_NE(dynamic_cast<OpenGLModifierToolMove*>(first), nullptr);
    bench.activate(bench.rotate, {0, 0, 0});
    EXPECT_NE(dynamic_cast<OpenGLModifierToolRotate*>(bench.tool()), nullptr);
    bench.activate(bench.move, {1, 0, 0});
    EXPECT_EQ(bench.tool(), first) << "a second Move record reuses the view's Move tool";
    EXPECT_EQ(toolCount(*bench.tools), 2);

    // A second view of the document has tools of its own.
    FakeView otherView(&bench.doc);
    auto* otherInfo = new OpenGLView(nullptr, &otherView, &bench.settings);
    auto* otherLayer = static_cast<OpenGLDrawObjectMTool*>(bench.layer->getDrawObject(otherInfo));
    otherLayer->getHandleCount();
    EXPECT_NE(otherLayer->currentTool, nullptr);
    EXPECT_NE(otherLayer->currentTool, first);
}

TEST(ModifierToolLayer, EveryOperationServesTheModifierActiveNowNotTheOneOfTheLastFrame)
{
    ModifierToolBench bench;
    bench.activate(bench.move, {0, 0, 0});
    EXPECT_EQ(bench.tools->getHandleCount(), 4);
    // No frame is drawn between the change and the questions.
    VornModifier* turn = bench.activate(bench.rotate, {0, 0, 0});
    EXPECT_EQ(bench.tools->getHandleCount(), 3) << "the Rotate tool's rings";
    EXPECT_EQ(bench.tools->getHandleCursor(3), platform::CursorHandle{}) << "the Rotate tool has no fourth handle";
    bench.tool()->scaleFactor = 0.01f;
    EXPECT_TRUE(bench.press(2, bench.windowPointOf({0.6, 0, 0})));
    EXPECT_TRUE(bench.dragTo(bench.windowPointOf({0, 0.6, 0})));
    EXPECT_NE(bench.parametersOf(turn).rotate.z, 0.0f);
    EXPECT_EQ(bench.rotate->updates.load(), 1);
    EXPECT_EQ(bench.move->updates.load(), 0);
}

TEST(ModifierToolLayer, AModifierThatNoToolServesGetsNoHandles)
{
    ModifierToolBench bench;
    auto* twist = new JointTransform("Twist");
    bench.registry.addPlugin(twist);
    bench.activate(twist, {0, 0, 0});
    EXPECT_EQ(bench.tools->getHandleCount(), 0);
    EXPECT_FALSE(bench.tools->onMouse(5, 5, 0, InputEvent::LeftDown | InputEvent::LeftHeld));
}

// --- shared geometry ---

struct SnapCase
{
    double displacement, step;
    bool snapping;
    double expected;
};

TEST(ToolGeometry, SnappingMakesWholeGridStepsOnlyForAPositiveStep)
{
    const SnapCase cases[] = {
        {2.4, 1.0, true, 2.0},   {2.5, 1.0, true, 3.0},  {-2.5, 1.0, true, -2.0},
        {-2.6, 1.0, true, -3.0}, {0.24, 0.1, true, 0.2}, {2.4, 1.0, false, 2.4},
        {2.4, 0.0, true, 2.4},   {2.4, -1.0, true, 2.4}, {2.4, NAN, true, 2.4},
    };
    for (const SnapCase& c : cases)
        EXPECT_DOUBLE_EQ(snappedDisplacement(c.displacement, c.step, c.snapping), c.expected)
            << c.displacement << " by " << c.step;
}

TEST(ToolGeometry, TheNearestAxisPointLiesOnTheRayThatCrossesTheAxis)
{
    Vector3 nearest(7, 7, 7);
    // The ray from (0, 0, 10) through (2, 0, 0) crosses the X axis there.
    EXPECT_EQ(nearestPointOnAxis({1, 0, 0}, {-3, 0, 0}, {{0, 0, 10}, {2, 0, -10}}, nearest), 0);
    EXPECT_NEAR(nearest.x, 2.0, 1e-12);
    EXPECT_NEAR(nearest.y, 0.0, 1e-12);
    EXPECT_NEAR(nearest.z, 0.0, 1e-12);
    // Skew lines: the axis point under the ray's closest approach.
    EXPECT_EQ(nearestPointOnAxis({0, 1, 0}, {1, 0, 0}, {{0, 5, 3}, {1, 0, 0}}, nearest), 0);
    EXPECT_NEAR(nearest.x, 1.0, 1e-12);
    EXPECT_NEAR(nearest.y, 5.0, 1e-12);
    EXPECT_NEAR(nearest.z, 0.0, 1e-12);

    const Vector3 kept(7, 7, 7);
    nearest = kept;
    EXPECT_EQ(nearestPointOnAxis({0, 0, 2}, {0, 0, 0}, {{0, 0, 10}, {0, 0, -1}}, nearest), 1) << "parallel";
    EXPECT_EQ(nearestPointOnAxis({0, 0, 0}, {0, 0, 0}, {{0, 0, 10}, {1, 0, -1}}, nearest), 1) << "no axis";
    EXPECT_EQ(nearest.x, kept.x);
}

TEST(ToolGeometry, ARayAlongThePlaneMeetsItNowhereAndLeavesThePointAlone)
{
    Vector3 hit(7, 7, 7);
    EXPECT_FALSE(intersectRayPlane({0, 0, 1}, {0, 0, 0}, {{0, 0, 5}, {1, 1, 0}}, hit));
    EXPECT_EQ(hit.x, 7.0);
    EXPECT_TRUE(intersectRayPlane({0, 0, 1}, {0, 0, 2}, {{0, 0, 5}, {1, 0, -1}}, hit));
    EXPECT_NEAR(hit.x, 3.0, 1e-12);
    EXPECT_NEAR(hit.z, 2.0, 1e-12);
}

TEST(ToolGeometry, AToolFartherAwayIsLargerInTheModelAndTheSameOnTheScreen)
{
    ModifierToolBench bench;
    bench.info->povX = 50;
    bench.info->povY = bench.info->povZ = 0;
    bench.info->fovY = 30;
    const float near = toolScaleFactor(*bench.info, {40, 0, 0});
    const float far = toolScaleFactor(*bench.info, {20, 0, 0});
    EXPECT_NEAR(near, std::tan(15 * pi / 180) * 10 * 0.006, 1e-7);
    EXPECT_NEAR(far / near, 3.0, 1e-5);
}

TEST(ToolGeometry, TheRingAxesFollowTheAnglesOfTheOuterRings)
{
    const Vector3 middle = OpenGLModifierToolRotate::ringAxis(1, {90, 0, 0});
    EXPECT_NEAR(middle.x, 0.0, 1e-12);
    EXPECT_NEAR(middle.y, 0.0, 1e-12);
    EXPECT_NEAR(middle.z, -1.0, 1e-12);
    const Vector3 inner = OpenGLModifierToolRotate::ringAxis(2, {0, 0, 0});
    EXPECT_NEAR(inner.z, 1.0, 1e-12);
}

// --- drags ---

struct MoveCase
{
    const char* name;
    int32_t handle;
    int32_t viewPlane;
    bool snapping;
    bool uniform;
    double steps[3];
    Vector3 from, to;
    Point3f expected;
    bool exact; // whole grid steps: no pixel rounding shows
    Vector3 eye = {0, 0, 10};
};

const MoveCase moveCases[] = {
    {"X arrow", 0, 0, false, true, {1, 1, 1}, {0.065, 0, 0}, {0.295, 0, 0}, {0.23f, 0, 0}, false},
    {"Y arrow", 2, 0, false, true, {1, 1, 1}, {0, 0.065, 0}, {0, -0.165, 0}, {0, -0.23f, 0}, false},
    {"square in XY", 3, 0, false, true, {1, 1, 1}, {0.01, 0.01, 0}, {0.31, -0.19, 0}, {0.3f, -0.2f, 0}, false},
    {"square in XZ",
     3,
     1,
     false,
     true,
     {1, 1, 1},
     {0.01, 0, 0.01},
     {0.21, 0, -0.29},
     {0.2f, 0, -0.3f},
     false,
     {0, -6, 8}},
    {"X arrow snapped down", 0, 0, true, true, {0.1, 5, 5}, {0.065, 0, 0}, {0.305, 0, 0}, {0.2f, 0, 0}, true},
    {"X arrow snapped up, backwards",
     0,
     0,
     true,
     true,
     {0.1, 5, 5},
     {0.065, 0, 0},
     {-0.195, 0, 0},
     {-0.3f, 0, 0},
     true},
    {"square: the Y step 0 leaves y unsnapped",
     3,
     0,
     true,
     false,
     {0.1, 0, 0.1},
     {0.01, 0.01, 0},
     {0.25, 0.18, 0},
     {0.2f, 0.17f, 0},
     false},
    {"X step 0 of a uniform grid snaps nothing",
     0,
     0,
     true,
     true,
     {0, 0.1, 0.1},
     {0.065, 0, 0},
     {0.295, 0, 0},
     {0.23f, 0, 0},
     false},
};

TEST(MoveTool, DragsChangeTheMoveVectorOfTheActiveRecord)
{
    for (const MoveCase& c : moveCases)
    {
        ModifierToolBench bench;
        ModifierToolBench::setGridSnap(c.snapping);
        bench.settings.gridUniform = c.uniform;
        bench.settings.gridSpacingX = c.steps[0];
        bench.settings.gridSpacingY = c.steps[1];
        bench.settings.gridSpacingZ = c.steps[2];
        bench.info->viewPlane = c.viewPlane;
        bench.aim(c.eye);
        VornModifier* record = bench.activate(bench.move, {0, 0, 0});
        DraggingTool* tool = bench.tool();
        tool->scaleFactor = 0.001f; // arrow heads 0.06 to 0.07 from the centre
        ASSERT_TRUE(bench.press(c.handle, bench.windowPointOf(c.from))) << c.name;
        EXPECT_TRUE(bench.view->captured) << c.name;
        ASSERT_TRUE(bench.dragTo(bench.windowPointOf(c.to))) << c.name;
        const TransformParameters after = bench.parametersOf(record);
        const double pixel = bench.pixelAt(0.0) * 2;
        // Snapped values are whole steps exactly; the others within two pixels of the aim.
        expectMove(after.move, c.expected, c.exact ? 1e-6 : 2 * pixel, c.name);
        EXPECT_EQ(bench.move->updates.load(), 1) << c.name;
        EXPECT_EQ(bench.changes.count, 1) << c.name;
        EXPECT_EQ(bench.changes.last, record) << c.name;
        // The record's matrix moves points by the new vector.
        Vector3 origin(0, 0, 0);
        after.pointMatrix.transformPoint(origin);
        EXPECT_NEAR(origin.x, after.move.x, 1e-6) << c.name;
        EXPECT_TRUE(bench.release(bench.windowPointOf(c.to))) << c.name;
        EXPECT_FALSE(tool->dragging) << c.name;
        EXPECT_EQ(tool->highlightMask, 7) << c.name;
        EXPECT_FALSE(bench.view->captured) << c.name;
        EXPECT_EQ(bench.info->mouseHolder, nullptr) << c.name;
    }
}

TEST(MoveTool, ADragMovesTheModifiersJoints)
{
    ModifierToolBench bench;
    VornJoint* joint = bench.model.joints->add();
    joint->getBasePosition().set(0.1, 0.2, 0.0);
    joint->getPosition() = joint->getBasePosition();
    bench.move->moved = {0};
    bench.activate(bench.move, {0.1, 0.2, 0});
    bench.tool()->scaleFactor = 0.001f;
    ASSERT_TRUE(bench.press(3, bench.windowPointOf({0.1, 0.2, 0})));
    ASSERT_TRUE(bench.dragTo(bench.windowPointOf({0.4, -0.1, 0})));
    EXPECT_NEAR(joint->getPosition().x, 0.4, 2 * bench.pixelAt(0));
    EXPECT_NEAR(joint->getPosition().y, -0.1, 2 * bench.pixelAt(0));
    EXPECT_NEAR(joint->getPosition().z, 0.0, 1e-9);
}

TEST(MoveTool, AnArrowAlongTheLineOfSightIsRefusedWithABeepNotABox)
{
    ModifierToolBench bench;
    VornModifier* record = bench.activate(bench.move, {0, 0, 0});
    DraggingTool* tool = bench.tool();
    tool->scaleFactor = 0.001f;
    // The Z arrow points straight at the eye above the pivot.
    EXPECT_FALSE(bench.press(1, bench.windowPointOf({0, 0, 0})));
    EXPECT_FALSE(tool->dragging);
    EXPECT_FALSE(bench.view->captured);
    EXPECT_EQ(bench.mai.beeps, 1);
    EXPECT_TRUE(bench.mai.boxTexts.empty());
    EXPECT_EQ(bench.move->updates.load(), 0);
    const TransformParameters after = bench.parametersOf(record);
    expectMove(after.move, {0, 0, 0}, 0.0, "refused");
}

TEST(MoveTool, AMouseEventAtTheStartPointChangesNothing)
{
    ModifierToolBench bench;
    bench.activate(bench.move, {0, 0, 0});
    bench.tool()->scaleFactor = 0.001f;
    const platform::Point start = bench.windowPointOf({0.065, 0, 0});
    ASSERT_TRUE(bench.press(0, start));
    EXPECT_TRUE(bench.dragTo(start));
    EXPECT_EQ(bench.move->updates.load(), 0);
    EXPECT_EQ(bench.changes.count, 0);
}

TEST(MoveTool, AStepWaitsForTheDocumentLockAndGivingUpEndsTheDrag)
{
    ModifierToolBench bench;
    VornModifier* record = bench.activate(bench.move, {0, 0, 0});
    DraggingTool* tool = bench.tool();
    tool->scaleFactor = 0.001f;
    tool->lockTimeout = 20ms;
    ASSERT_TRUE(bench.press(0, bench.windowPointOf({0.065, 0, 0})));
    {
        HeldLock calculation(*bench.doc.getLock());
        bench.mai.boxAnswer = platform::IDABORT;
        EXPECT_FALSE(bench.dragTo(bench.windowPointOf({0.3, 0, 0})));
    }
    ASSERT_EQ(bench.mai.boxTexts.size(), 1u) << "the time-out box";
    EXPECT_EQ(bench.move->updates.load(), 0);
    EXPECT_EQ(bench.parametersOf(record).move.x, 0.0f);
    EXPECT_FALSE(tool->dragging);
    EXPECT_FALSE(bench.view->captured);
}

struct RotateCase
{
    const char* name;
    int32_t handle;
    Vector3 from, to; // model points; `to` unused for an edge-on drag
    platform::Point shift; // an edge-on drag: how far the mouse moves (right, down); none for the others
    Point3f expected;
    double tolerance; // degrees
};

Vector3 ringPoint(double degrees)
{
    return {0.6 * std::cos(degrees * pi / 180), 0.6 * std::sin(degrees * pi / 180), 0};
}

const RotateCase rotateCases[] = {
    {"inner ring follows the mouse around", 2, ringPoint(0), ringPoint(40), {}, {0, 0, -40}, 0.5},
    {"beyond half a turn the angle comes from the other side", 2, ringPoint(0), ringPoint(200), {}, {0, 0, 160}, 0.5},
    {"outer ring edge-on turns a degree a pixel across it", 0, {0, 0, 0}, {0, 0, 0}, {3, 10}, {10, 0, 0}, 1e-4},
    {"middle ring edge-on", 1, {0, 0, 0}, {0, 0, 0}, {7, -2}, {0, 7, 0}, 1e-4},
};

TEST(RotateTool, DragsChangeTheRotateAnglesOfTheActiveRecord)
{
    for (const RotateCase& c : rotateCases)
    {
        ModifierToolBench bench;
        VornModifier* record = bench.activate(bench.rotate, {0, 0, 0});
        DraggingTool* tool = bench.tool();
        tool->scaleFactor = 0.01f; // rings of radius 0.6
        const platform::Point from = bench.windowPointOf(c.from);
        ASSERT_TRUE(bench.press(c.handle, from)) << c.name;
        const platform::Point to = c.shift.x != 0 || c.shift.y != 0
            ? platform::Point{from.x + c.shift.x, from.y + c.shift.y}
            : bench.windowPointOf(c.to);
        ASSERT_TRUE(bench.dragTo(to)) << c.name;
        const Point3f angles = bench.parametersOf(record).rotate;
        EXPECT_NEAR(angles.x, c.expected.x, c.tolerance) << c.name;
        EXPECT_NEAR(angles.y, c.expected.y, c.tolerance) << c.name;
        EXPECT_NEAR(angles.z, c.expected.z, c.tolerance) << c.name;
        EXPECT_EQ(bench.rotate->updates.load(), 1) << c.name;
        EXPECT_EQ(bench.changes.count, 1) << c.name;
        bench.release(to);
        EXPECT_EQ(tool->highlightMask, 7) << c.name;
    }
}

TEST(RotateTool, ARayAlongTheRingsPlaneRefusesTheStartAndKeepsTheAngleDuringADrag)
{
    ModifierToolBench bench;
    // From (0.5, 0, 10) the outer ring (in x = 0) is seen at 93 degrees: the drag follows the
    // mouse around it, and every window point with x = 750 lies on a ray along its plane.
    bench.aim({0.5, 0, 10});
    VornModifier* record = bench.activate(bench.rotate, {0, 0, 0});
    DraggingTool* tool = bench.tool();
    tool->scaleFactor = 0.01f;
    EXPECT_FALSE(bench.press(0, {750, 300}));
    EXPECT_EQ(bench.mai.beeps, 1);
    EXPECT_FALSE(tool->dragging);
    EXPECT_TRUE(bench.mai.boxTexts.empty());

    ASSERT_TRUE(bench.press(0, {800, 400}));
    ASSERT_TRUE(bench.dragTo({850, 450}));
    const float turned = bench.parametersOf(record).rotate.x;
    EXPECT_TRUE(std::isfinite(turned));
    EXPECT_NE(turned, 0.0f);
    EXPECT_TRUE(bench.dragTo({750, 500}));
    EXPECT_EQ(bench.parametersOf(record).rotate.x, turned);
    EXPECT_TRUE(tool->dragging);
    EXPECT_EQ(bench.rotate->updates.load(), 1);
}

TEST(RotateTool, TheGridSnapDoesNotAffectAngles)
{
    ModifierToolBench bench;
    ModifierToolBench::setGridSnap(true);
    bench.settings.gridSpacingX = 45;
    VornModifier* record = bench.activate(bench.rotate, {0, 0, 0});
    bench.tool()->scaleFactor = 0.01f;
    ASSERT_TRUE(bench.press(0, bench.windowPointOf({0, 0, 0})));
    ASSERT_TRUE(bench.dragTo(bench.windowPointOf({0, -0.0185 * 2, 0})));
    EXPECT_NEAR(bench.parametersOf(record).rotate.x, 20.0f, 1.0);
}

struct ScaleCase
{
    const char* name;
    int32_t handle;
    float scaleFactor;
    Point3f rotate, startScale;
    Vector3 from, to;
    int32_t rightPixels; // a centre drag: the mouse moves this far right
    Point3f expected;
    double tolerance;
};

const ScaleCase scaleCases[] = {
    {"centre: 65 pixels right triple every factor",
     3,
     0.4f,
     {0, 0, 0},
     {1, 2, 0.5f},
     {0, 0, 0},
     {0, 0, 0},
     65,
     {3, 6, 1.5f},
     1e-6},
    {"centre: the same pixels at a 40 times closer zoom give the same factor",
     3,
     0.01f,
     {0, 0, 0},
     {1, 2, 0.5f},
     {0, 0, 0},
     {0, 0, 0},
     65,
     {3, 6, 1.5f},
     1e-6},
    {"centre: two pixels change a factor by a sixteenth",
     3,
     0.01f,
     {0, 0, 0},
     {1, 2, 0.5f},
     {0, 0, 0},
     {0, 0, 0},
     2,
     {1 + 2 / 32.5f, 2 * (1 + 2 / 32.5f), 0.5f * (1 + 2 / 32.5f)},
     1e-6},
    {"centre: 65 pixels left turn every factor over",
     3,
     0.4f,
     {0, 0, 0},
     {1, 2, 0.5f},
     {0, 0, 0},
     {0, 0, 0},
     -65,
     {-1, -2, -0.5f},
     1e-6},
    {"X handle pulled in to half its rest length",
     0,
     0.01f,
     {0, 0, 0},
     {1, 1, 1},
     {0.66, 0, 0},
     {0.325, 0, 0},
     0,
     {0.5f, 1, 1},
     0.006},
    {"X handle pulled through the centre",
     0,
     0.01f,
     {0, 0, 0},
     {2, 1, 1},
     {0.66, 0, 0},
     {-0.325, 0, 0},
     0,
     {-1, 1, 1},
     0.012},
    {"Y handle", 2, 0.01f, {0, 0, 0}, {1, 1, 1}, {0, 0.66, 0}, {0, 0.91, 0}, 0, {1, 1.4f, 1}, 0.006},
    {"Z handle turned onto the Y axis by the first angle",
     1,
     0.01f,
     {90, 0, 0},
     {1, 1, 1},
     {0, 0.66, 0},
     {0, 0.325, 0},
     0,
     {1, 1, 0.5f},
     0.006},
};

TEST(ScaleTool, DragsChangeTheScaleFactorsOfTheActiveRecord)
{
    for (const ScaleCase& c : scaleCases)
    {
        ModifierToolBench bench;
        VornModifier* record = bench.activate(bench.scale, {0, 0, 0}, {0, 0, 0}, c.rotate, c.startScale);
        auto* tool = dynamic_cast<OpenGLModifierToolScale*>(bench.tool());
        ASSERT_NE(tool, nullptr);
        tool->scaleFactor = c.scaleFactor;
        const platform::Point from = bench.windowPointOf(c.from);
        ASSERT_TRUE(bench.press(c.handle, from)) << c.name;
        const platform::Point to =
            c.handle == 3 ? platform::Point{from.x + c.rightPixels, from.y} : bench.windowPointOf(c.to);
        ASSERT_TRUE(bench.dragTo(to)) << c.name;
        expectMove(bench.parametersOf(record).scale, c.expected, c.tolerance, c.name);
        EXPECT_EQ(bench.scale->updates.load(), 1) << c.name;
        bench.release(to);
        EXPECT_EQ(tool->highlightMask, 7) << c.name;
        EXPECT_EQ(tool->displayFactors[0], 1.0f) << c.name;
        EXPECT_EQ(tool->displayFactors[1], 1.0f) << c.name;
        EXPECT_EQ(tool->displayFactors[2], 1.0f) << c.name;
    }
}

TEST(ScaleTool, AHandleAlongTheLineOfSightIsRefusedWithABeepNotABox)
{
    ModifierToolBench bench;
    // Every window point of the middle row lies on a ray along the X axis.
    bench.aim({-5, 0, -0.8});
    VornModifier* record = bench.activate(bench.scale, {0, 0, 0});
    DraggingTool* tool = bench.tool();
    tool->scaleFactor = 0.01f;
    EXPECT_FALSE(bench.press(0, {600, 500}));
    EXPECT_FALSE(tool->dragging);
    EXPECT_EQ(bench.mai.beeps, 1);
    EXPECT_TRUE(bench.mai.boxTexts.empty());
    expectMove(bench.parametersOf(record).scale, {1, 1, 1}, 0.0, "refused");
}

} // namespace
