#include "tests/lumbra/PerspectiveTestSupport.h"

#include "Lumbra/Perspective/PerspectiveSnaps.h"
#include "VornData/VornJoint.h"

using lumbra::PluginVPSOGrid;
using lumbra::PluginVPSOJoint;
using lumbra::PluginVPSOPlane;

// The worked example: a fresh 400 x 300 window whose grid lies in the plane x = 0, the mouse at
// (237, 98), 37 pixels right of the centre and 52 above it.
class PerspectiveSnaps : public PerspectiveTest
{
protected:
    PerspectiveSnaps()
    {
        view = &openWindow(400, 300);
        grid = packaged<PluginVPSOGrid>(viewType->snapObjectPlugins);
        joint = packaged<PluginVPSOJoint>(viewType->snapObjectPlugins);
        plane = packaged<PluginVPSOPlane>(viewType->snapObjectPlugins);
        for (VornPluginSnapObject* snap : std::initializer_list<VornPluginSnapObject*>{grid, joint, plane})
            snap->setUsable(true);
    }

    SnapPoint best(float x = 237, float y = 98)
    {
        return findBestSnapPoint(viewType->snapObjectPlugins, view, x, y, 0);
    }

    SizedView* view = nullptr;
    PluginVPSOGrid* grid = nullptr;
    PluginVPSOJoint* joint = nullptr;
    PluginVPSOPlane* plane = nullptr;
};

TEST_F(PerspectiveSnaps, EachSnapScoresItsDistancePlusItsPriorityHandicap)
{
    paint(*view);
    ASSERT_EQ(cameraOf(*view).gridPlane, 2);
    SnapPoint point(0);
    ASSERT_TRUE(grid->snapPoint(&point, view, 237, 98, 1e9f));
    EXPECT_EQ(point.point[0], 0.0);
    EXPECT_EQ(point.point[1], -20.0);
    EXPECT_EQ(point.point[2], 30.0);
    EXPECT_DOUBLE_EQ(point.depth, -500.0);
    EXPECT_DOUBLE_EQ(point.distance, 191.0);
    EXPECT_EQ(point.source, grid);

    SnapPoint onPlane(0);
    ASSERT_TRUE(plane->snapPoint(&onPlane, view, 237, 98, 1e9f));
    EXPECT_NEAR(onPlane.point[1], -18.5, 1e-9);
    EXPECT_NEAR(onPlane.point[2], 26.0, 1e-9);
    EXPECT_DOUBLE_EQ(onPlane.distance, 220.0);

    model.addJoint("Near", 0, -15, 25); // drawn at (30, -50)
    model.addJoint("Beside", 0, -30, 26); // drawn at (60, -52), 23 pixels away
    paint(*view);
    SnapPoint atJoint(0);
    ASSERT_TRUE(joint->snapPoint(&atJoint, view, 237, 98, 1e9f));
    EXPECT_STREQ(atJoint.joint->name.getString(), "Near");
    EXPECT_DOUBLE_EQ(atJoint.distance, 49.0);
}

TEST_F(PerspectiveSnaps, AJointBeatsTheGridWhichBeatsThePlane)
{
    model.addJoint("Near", 0, -15, 25);
    paint(*view);
    EXPECT_EQ(best().source, joint);
    joint->execute(view); // off
    EXPECT_EQ(best().source, grid);
    grid->execute(view);
    EXPECT_EQ(best().source, plane);
    plane->execute(view);
    EXPECT_EQ(best().source, nullptr);
}

TEST_F(PerspectiveSnaps, TheGridReachesFortyPixelsAroundItsPointsATieGoingToThePlane)
{
    paint(*view);
    cameraOf(*view).zoom = 4000.0; // grid points 80 pixels apart
    struct Case
    {
        float x, y;
        VornPluginSnapObject* winner;
    };
    // The grid point (0, -10, 0) is drawn at (80, 0) from the centre (200, 150).
    const Case cases[] = {
        {280, 150, grid}, {280 + 39, 150, grid}, {280 + 20, 150 + 19, grid}, {280 + 20, 150 + 20, plane},
        {280 + 40, 150, plane},
    };
    for (const Case& c : cases)
        EXPECT_EQ(best(c.x, c.y).source, c.winner) << c.x << "," << c.y;
}

TEST_F(PerspectiveSnaps, ASnapObjectThatCannotBeatTheBestDistanceDoesNotSearch)
{
    paint(*view);
    grid->lastPoint[0] = 77.0;
    SnapPoint point(0);
    EXPECT_FALSE(grid->snapPoint(&point, view, 237, 98, 150.0f));
    EXPECT_EQ(grid->lastPoint[0], 77.0);
    EXPECT_EQ(point.source, nullptr);
    EXPECT_EQ(point.distance, 0.0);
}

TEST_F(PerspectiveSnaps, PointSnapsFailWhereThePlaneHasNoPointInFrontOfTheCamera)
{
    paint(*view);
    cameraOf(*view).gridPlane = 0; // the camera itself lies in the plane z = 0
    SnapPoint point(0);
    EXPECT_FALSE(grid->snapPoint(&point, view, 237, 98, 1e9f));
    EXPECT_EQ(grid->lastPoint[0], 500.0);
    EXPECT_EQ(point.depth, 0.0);
    EXPECT_FALSE(plane->snapPoint(&point, view, 237, 98, 1e9f));
    // Looking exactly along the plane y = 0 through the centre: parallel, no point.
    cameraOf(*view).gridPlane = 1;
    EXPECT_FALSE(plane->snapPoint(&point, view, 200, 150, 1e9f));
}

TEST_F(PerspectiveSnaps, TheJointSnapNeedsAPaintAndPrefersTheLaterOfTwoEqualJoints)
{
    model.addJoint("Left", 0, 5, 0); // drawn at (-10, 0)
    model.addJoint("Right", 0, -5, 0); // drawn at (10, 0)
    SnapPoint point(0);
    EXPECT_FALSE(joint->snapPoint(&point, view, 200, 150, 1e9f));
    paint(*view);
    ASSERT_TRUE(joint->snapPoint(&point, view, 200, 150, 1e9f));
    EXPECT_STREQ(point.joint->name.getString(), "Right");
}

TEST_F(PerspectiveSnaps, TheMenuCommandTogglesTheSwitchWhichOnlyCountsWhileUsable)
{
    RecordedCommandState state;
    grid->updateCommandUI(&state, view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.check, 1);
    grid->execute(view);
    grid->updateCommandUI(&state, view);
    EXPECT_EQ(state.check, 0);
    grid->execute(view);
    grid->setUsable(false);
    grid->updateCommandUI(&state, view);
    EXPECT_EQ(state.enabled, 0);
    EXPECT_EQ(state.check, 0);
    EXPECT_TRUE(grid->isEnabled());
    // The plane snap has no menu entry; being asked for one switches it on and makes it usable.
    plane->execute(view);
    plane->setUsable(false);
    EXPECT_EQ(plane->getMenuPath(), nullptr);
    EXPECT_TRUE(plane->isEnabled());
    EXPECT_TRUE(plane->isUsable());
}
