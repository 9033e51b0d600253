// The OpenGL view's state and arithmetic without GL: the bounding box, the settings item, the
// view's start values and grid plane, the nearest hit record, the selection modes, the selection
// buffer, and where the grid and plane snaps put a point (or refuse to).
#include "Zintel/BoundingBox.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLView.h"
#include "Zintel/PluginViewOpenGL.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/SnapObjects.h"
#include "tests/support/ModelServices.h"
#include "VornData/VornJoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace
{

using namespace zintel;

TEST(BoundingBox, GrowsPerAxisFromItsFirstPoint)
{
    BoundingBox box;
    EXPECT_TRUE(box.empty);
    box.addPoint(1, 5, 3);
    EXPECT_FALSE(box.empty);
    EXPECT_EQ(box.minX, 1);
    EXPECT_EQ(box.maxY, 5);
    box.addPoint(2, 4, 3);
    box.addPoint(2, 4, 3);
    EXPECT_EQ(box.minX, 1);
    EXPECT_EQ(box.minY, 4);
    EXPECT_EQ(box.minZ, 3);
    EXPECT_EQ(box.maxX, 2);
    EXPECT_EQ(box.maxY, 5);
    EXPECT_EQ(box.maxZ, 3);
}

TEST(DocItemOpenGL, StartsWithTheDocumentDefaultsAndKeepsTheSquaredSize)
{
    installModelServices();
    DocItemOpenGL item(nullptr);
    EXPECT_STREQ(item.getName(), "OPENGL");
    EXPECT_EQ(item.getScalelessSize(), 0.1);
    EXPECT_EQ(item.gridSpacingX, 1.0);
    EXPECT_EQ(item.gridOffsetZ, 0.0);
    EXPECT_EQ(item.neutralColor.word(), 0xFFC0C0C0u);
    EXPECT_EQ(item.tensionColor.word(), 0xFF0000FFu);
    EXPECT_EQ(item.compressionColor.word(), 0xFFFF0000u);
    item.setScalelessSize(0.5);
    EXPECT_DOUBLE_EQ(item.scalelessSizeSq3, 0.75);
}

TEST(OpenGLViewState, MatricesAreTheIdentityBeforeTheFirstFrame)
{
    OpenGLView view(nullptr, nullptr, nullptr);
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(view.modelviewMatrix[i], i % 5 == 0 ? 1.0 : 0.0);
        EXPECT_EQ(view.projectionMatrix[i], i % 5 == 0 ? 1.0 : 0.0);
    }
    EXPECT_FALSE(view.hasContext());
    EXPECT_EQ(view.bandStart.x, OpenGLView::noBand);
    EXPECT_EQ(view.frozenColor.word(), 0x80FFF0C0u);
}

// The eye at the origin looking down -z with a 90 degree field of view into a 200 x 100 window:
// at depth 10 the window spans x from -20 to 20 and y from -10 to 10; three pixels of margin
// widen that by 0.6.
struct ShownRegionCase
{
    const char* name;
    double a[3];
    double b[3];
    double radius;
    bool shown;
};

TEST(OpenGLViewState, TheShownRegionLeavesOutOnlyWhatLiesBeyondASide)
{
    OpenGLView view(nullptr, nullptr, nullptr);
    EXPECT_TRUE(view.shownRegion().mayShow(std::array{500.0, 0.0, 0.0}.data(), std::array{500.0, 0.0, 0.0}.data(), 0.0))
        << "before the first frame everything may show";
    view.viewport[2] = 200;
    view.viewport[3] = 100;
    const double projection[16] = {0.5, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0 / 99.0, -1, 0, 0, -200.0 / 99.0, 0};
    std::copy(projection, projection + 16, view.projectionMatrix);
    const std::vector<ShownRegionCase> window = {
        {"in the middle", {0, 0, -10}, {0, 0, -10}, 0.0, true},
        {"beyond the right side within the margin", {20.4, 0, -10}, {20.4, 0, -10}, 0.0, true},
        {"beyond the right side", {21, 0, -10}, {21, 0, -10}, 0.0, false},
        {"beyond the left side", {-21, 0, -10}, {-21, 0, -10}, 0.0, false},
        {"above the top", {0, 11, -10}, {0, 11, -10}, 0.0, false},
        {"below the bottom", {0, -11, -10}, {0, -11, -10}, 0.0, false},
        {"a body reaching in from beyond the right side", {25, 0, -10}, {25, 0, -10}, 5.0, true},
        {"a segment across the window with both ends beyond it", {-30, 0, -10}, {30, 0, -10}, 0.0, true},
        {"a segment beyond the top from left to right", {-30, 12, -10}, {30, 12, -10}, 0.0, false},
        {"behind the eye", {0, 0, 10}, {0, 0, 10}, 0.0, false},
        {"from behind the eye to in front of it", {0, 0, 10}, {0, 0, -10}, 0.0, true},
    };
    for (const ShownRegionCase& c : window)
        EXPECT_EQ(view.shownRegion().mayShow(c.a, c.b, c.radius), c.shown) << c.name;

    // A pick's region: 20 pixels square about the window's centre, x from -2 to 2 at depth 10.
    view.pickRegion = {true, 90.0, 40.0, 110.0, 60.0};
    const std::vector<ShownRegionCase> pick = {
        {"in the pick's region", {0, 0, -10}, {0, 0, -10}, 0.0, true},
        {"in the window beside the pick's region", {5, 0, -10}, {5, 0, -10}, 0.0, false},
        {"reaching into the pick's region", {5, 0, -10}, {5, 0, -10}, 3.0, true},
    };
    for (const ShownRegionCase& c : pick)
        EXPECT_EQ(view.shownRegion().mayShow(c.a, c.b, c.radius), c.shown) << c.name;
}

TEST(OpenGLViewState, TheGridPlaneIsTheOneThatFacesTheCamera)
{
    struct Case
    {
        float tilt, direction;
        int32_t plane;
    };
    for (const Case& c : {Case{0, 0, 2}, Case{90, 0, 0}, Case{0, 90, 1}, Case{-90, 0, 0}})
        EXPECT_EQ(OpenGLView::viewPlaneFor(c.tilt, c.direction), c.plane) << c.tilt << "," << c.direction;
}

TEST(NearestHit, TakesTheSmallestMinimumDepthAndTheEarlierRecordOnATie)
{
    // Records: (names, min, max, names...).
    const uint32_t records[] = {1, 500, 600, 11, 0, 100, 100, 2, 300, 400, 12, 13, 1, 300, 300, 14};
    uint32_t name = 0, depth = 0;
    int32_t offset = -1;
    ASSERT_TRUE(nearestHit(records, 4, name, depth, &offset));
    EXPECT_EQ(name, 12u) << "a record without names never wins; the tie keeps the earlier record";
    EXPECT_EQ(depth, 300u);
    EXPECT_EQ(offset, 7);
    EXPECT_FALSE(nearestHit(records, 0, name, depth));
}

TEST(SelectionModes, CombineTheHitsWithTheSelection)
{
    installModelServices();
    struct Case
    {
        int32_t mode;
        bool selected, hit, preSelected;
    };
    const Case cases[] = {
        {PickMode::Add, true, false, true},      {PickMode::Add, false, true, true},
        {PickMode::Add, false, false, false},    {PickMode::Subtract, true, true, false},
        {PickMode::Subtract, true, false, true}, {PickMode::Subtract, false, true, false},
        {PickMode::Toggle, true, true, false},   {PickMode::Toggle, false, true, true},
        {PickMode::Toggle, true, false, true},   {PickMode::Toggle, false, false, false},
    };
    for (const Case& c : cases)
    {
        VornJoint joint;
        joint.setSelected(c.selected);
        joint.setPreSelected(c.hit);
        combineWithSelection(joint, c.mode);
        EXPECT_EQ(joint.isPreSelected(), c.preSelected) << c.mode << " " << c.selected << " " << c.hit;
    }
}

TEST(SelectBuffer, GrowsWhenAskedForMoreAndNeverShrinks)
{
    PluginViewOpenGL viewType;
    uint32_t* first = viewType.resizeSelectBuffer(100);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(viewType.selectBufferCapacity, 100);
    EXPECT_EQ(viewType.resizeSelectBuffer(40), first);
    EXPECT_EQ(viewType.selectBufferCapacity, 100);
    EXPECT_NE(viewType.resizeSelectBuffer(404), nullptr);
    EXPECT_EQ(viewType.selectBufferCapacity, 404);
    EXPECT_EQ(viewType.GetPackagedPlugin(38), nullptr);
}

// A view looking down the z axis from (0, 0, 10) with identity matrices over a 100 x 100 window:
// the window point (wx, wy) at depth 0.1 is the model point (wx / 50 - 1, wy / 50 - 1, -0.8).
class GridSnapGeometry : public ::testing::Test
{
protected:
    GridSnapGeometry() : view(nullptr, nullptr, &item)
    {
        view.povX = 0.0;
        view.povY = 0.0;
        view.povZ = 10.0;
        view.viewport[2] = view.viewport[3] = 100;
        view.viewPlane = 0;
    }

    DocItemOpenGL item{nullptr};
    OpenGLView view;
};

TEST_F(GridSnapGeometry, ARayMeetsThePlaneAndSnapsToTheNearestNode)
{
    SnappedPoint hit;
    ASSERT_TRUE(gridPlaneHit(view, 60, 50, hit));
    EXPECT_NEAR(hit.x, 0.2 * 10 / 10.8, 1e-12);
    EXPECT_NEAR(hit.y, 0.0, 1e-12);
    EXPECT_EQ(hit.z, 0.0);

    item.gridSpacingX = 0.5;
    item.gridOffsetX = 0.25;
    struct Case
    {
        double x, y, nodeX, nodeY;
    };
    for (const Case& c : {Case{1.1, 0.3, 1.25, 0.5}, Case{0.5, 0.0, 0.75, 0.0}})
    {
        SnappedPoint node;
        ASSERT_TRUE(nearestGridNode(view, {c.x, c.y, 0.0}, node));
        EXPECT_DOUBLE_EQ(node.x, c.nodeX);
        EXPECT_DOUBLE_EQ(node.y, c.nodeY);
        EXPECT_EQ(node.z, 0.0);
    }
}

TEST_F(GridSnapGeometry, NoPointWhenTheRayRunsAlongThePlaneOrMeetsItBehindTheEye)
{
    SnappedPoint hit;
    view.viewPlane = 2; // the YZ plane: the ray through the window centre runs along it
    EXPECT_FALSE(gridPlaneHit(view, 50, 30, hit));
    view.viewPlane = 0;
    item.gridOffsetZ = 20.0; // the plane lies behind the eye
    EXPECT_FALSE(gridPlaneHit(view, 60, 50, hit));
    for (double& entry : view.projectionMatrix)
        entry = 0.0; // no inverse: the window point cannot be turned back
    item.gridOffsetZ = 0.0;
    EXPECT_FALSE(gridPlaneHit(view, 60, 50, hit));
}

TEST_F(GridSnapGeometry, NoNodeForASpacingThatIsNotAPositiveNumber)
{
    for (double spacing : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
    {
        item.gridSpacingX = spacing;
        SnappedPoint node;
        EXPECT_FALSE(nearestGridNode(view, {1.0, 1.0, 0.0}, node)) << spacing;
    }
}

} // namespace
