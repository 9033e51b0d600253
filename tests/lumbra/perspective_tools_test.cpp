#include "tests/lumbra/PerspectiveTestSupport.h"

#include "Lumbra/Perspective/PerspectiveSnaps.h"
#include "Lumbra/Perspective/PerspectiveTools.h"
#include "VornData/VornJoint.h"

using lumbra::PerspectiveView;
using lumbra::ScreenOffset;

class PerspectiveTools : public PerspectiveTest
{
protected:
    PerspectiveTools()
    {
        view = &openWindow(240, 200);
        pan = packaged<lumbra::PluginVPMIPan>(viewType->menuItemPlugins);
        rotate = packaged<lumbra::PluginVPMIRotate>(viewType->menuItemPlugins);
        zoom = packaged<lumbra::PluginVPMIZoom>(viewType->menuItemPlugins);
    }

    // A left drag of the tool from one position to another, with a step halfway.
    void drag(VornPluginMenuItem* tool, platform::Point from, platform::Point to)
    {
        ASSERT_TRUE(tool->onMouse(view, 0, 0, 0, InputEvent::Probe));
        tool->onMouse(view, from.x, from.y, 0, InputEvent::LeftDown | InputEvent::LeftHeld);
        tool->onMouse(view, (from.x + to.x) / 2, (from.y + to.y) / 2, 0, InputEvent::LeftHeld);
        tool->onMouse(view, to.x, to.y, 0, InputEvent::LeftHeld);
        tool->onMouse(view, to.x, to.y, 0, InputEvent::LeftUp);
    }

    ScreenOffset drawnAt(const Vector3& point)
    {
        ScreenOffset offset;
        cameraOf(*view).project(offset, point);
        return offset;
    }

    SizedView* view = nullptr;
    lumbra::PluginVPMIPan* pan = nullptr;
    lumbra::PluginVPMIRotate* rotate = nullptr;
    lumbra::PluginVPMIZoom* zoom = nullptr;
};

TEST_F(PerspectiveTools, PanningWithNothingSnappedMovesTheCameraAtTheOriginsDepth)
{
    drag(pan, {100, 100}, {110, 100});
    const PerspectiveView& camera = cameraOf(*view);
    EXPECT_NEAR(camera.pointOfView.x, 500.0, 1e-9);
    EXPECT_NEAR(camera.pointOfView.y, 5.0, 1e-9);
    EXPECT_NEAR(camera.pointOfView.z, 0.0, 1e-9);
    EXPECT_NEAR(pan->stepX.y, 0.5, 1e-12);
    EXPECT_NEAR(drawnAt({0, 0, 0}).x, 10.0, 1e-9);
    EXPECT_FALSE(pan->isDragging());
    EXPECT_FALSE(view->captured);
}

TEST_F(PerspectiveTools, PanningKeepsTheSnappedJointUnderTheCursor)
{
    model.addJoint("Far", -300, -40, 25); // drawn at (50, -31.25) from the centre
    doc.setActiveMenuItem(pan); // makes the point and joint snaps usable
    paint(*view);
    const ScreenOffset before = drawnAt({-300, -40, 25});
    const platform::Point at{120 + static_cast<int32_t>(before.x) + 2, 100 + static_cast<int32_t>(before.y) - 1};
    drag(pan, at, {at.x - 37, at.y + 21});
    const ScreenOffset after = drawnAt({-300, -40, 25});
    EXPECT_NEAR(after.x - before.x, -37.0, 1e-6);
    EXPECT_NEAR(after.y - before.y, 21.0, 1e-6);
    EXPECT_NEAR(pan->pivot.x, -300.0, 1e-12);
}

TEST_F(PerspectiveTools, ZoomingDoublesPerHundredPixelsDownAndIgnoresSidewaysMoves)
{
    struct Case
    {
        platform::Point to;
        double zoom;
        int repaints;
    };
    const Case cases[] = {{{50, 200}, 2000.0, 2}, {{50, 0}, 500.0, 2}, {{150, 100}, 1000.0, 0}, {{50, 150}, 1000.0 * std::sqrt(2.0), 2}};
    for (const Case& c : cases)
    {
        cameraOf(*view).zoom = 1000.0;
        const int before = view->invalidations;
        drag(zoom, {50, 100}, c.to);
        EXPECT_NEAR(cameraOf(*view).zoom, c.zoom, 1e-9);
        EXPECT_EQ(view->invalidations - before, c.repaints);
    }
}

TEST_F(PerspectiveTools, RotatingOrbitsThePivotAndKeepsTheAnglesInRange)
{
    struct Case
    {
        float direction, tilt;
        platform::Point to; // from (100, 100)
        float newDirection, newTilt;
    };
    const Case cases[] = {
        {0, -50, {100, 150}, 0, -90},
        {0, -50, {100, 50}, 0, 0},
        {170, 0, {80, 100}, -170, 0},
        {-170, 0, {120, 100}, 170, 0},
        {0, 80, {100, 0}, 0, 90},
        {30, 10, {130, 110}, 0, 0},
    };
    for (const Case& c : cases)
    {
        PerspectiveView& camera = cameraOf(*view);
        camera.direction = c.direction;
        camera.tilt = c.tilt;
        camera.updateDirection();
        camera.updateTilt();
        // The camera 500 away from the origin along its line of sight.
        camera.pointOfView = {0, 0, 0};
        Vector3 back = camera.lineOfSight(0, 0);
        back.scale(-500.0 / back.length());
        camera.pointOfView = back;
        drag(rotate, {100, 100}, c.to);
        EXPECT_FLOAT_EQ(camera.direction, c.newDirection) << c.direction << "/" << c.tilt;
        EXPECT_FLOAT_EQ(camera.tilt, c.newTilt) << c.direction << "/" << c.tilt;
        // The pivot (the origin) stays at the centre and at its distance.
        const ScreenOffset origin = drawnAt({0, 0, 0});
        EXPECT_NEAR(origin.x, 0.0, 1e-6);
        EXPECT_NEAR(origin.y, 0.0, 1e-6);
        EXPECT_NEAR(camera.pointOfView.length(), 500.0, 1e-6);
    }
}

TEST_F(PerspectiveTools, RotatingFromStraightAboveThePivotGivesAFiniteCamera)
{
    PerspectiveView& camera = cameraOf(*view);
    camera.pointOfView = {0, 0, 500};
    camera.tilt = -90;
    camera.updateTilt();
    drag(rotate, {100, 100}, {130, 80});
    EXPECT_TRUE(std::isfinite(camera.pointOfView.x) && std::isfinite(camera.pointOfView.y) &&
                std::isfinite(camera.pointOfView.z));
}

TEST_F(PerspectiveTools, ToolsTakeEventsOnlyInPerspectiveViewsAndReadTheEventBitsInOrder)
{
    FakeViewType otherType;
    SizedView other(&doc, 100, 100);
    otherType.getViewTypeInfo(&other);
    for (VornPluginMenuItem* tool : std::initializer_list<VornPluginMenuItem*>{pan, rotate, zoom})
    {
        EXPECT_TRUE(tool->onMouse(view, 0, 0, 0, InputEvent::Probe));
        EXPECT_FALSE(tool->onMouse(&other, 0, 0, 0, InputEvent::Probe));
        EXPECT_FALSE(tool->onMouse(&other, 5, 5, 0, InputEvent::LeftDown));
    }
    // A right-button press code has the release bit; a middle-button press code the press bit.
    zoom->onMouse(view, 10, 10, 0, InputEvent::MiddleDown);
    EXPECT_TRUE(zoom->isDragging());
    zoom->onMouse(view, 10, 10, 0, InputEvent::RightDown);
    EXPECT_FALSE(zoom->isDragging());
}

TEST_F(PerspectiveTools, AChosenToolBecomesTheActiveToolAndMarksTheSnapsItUses)
{
    EXPECT_EQ(doc.getActiveMenuItem(), nullptr);
    pan->execute(view);
    EXPECT_EQ(doc.getActiveMenuItem(), pan);
    RecordedCommandState panState;
    pan->updateCommandUI(&panState, view);
    EXPECT_EQ(panState.enabled, 1);
    EXPECT_EQ(panState.radio, 1);
    for (VornPluginBase* plugin = viewType->snapObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
        EXPECT_TRUE(static_cast<VornPluginSnapObject*>(plugin)->isUsable()) << plugin->getName();
    zoom->execute(view);
    for (VornPluginBase* plugin = viewType->snapObjectPlugins; plugin != nullptr; plugin = plugin->getNext())
        EXPECT_FALSE(static_cast<VornPluginSnapObject*>(plugin)->isUsable()) << plugin->getName();
    RecordedCommandState withoutView;
    zoom->updateCommandUI(&withoutView, nullptr);
    EXPECT_EQ(withoutView.enabled, 0);
}

TEST_F(PerspectiveTools, ShowTypeCommandsSwitchLayersPerWindowWithTheMemberModesAsRadioButtons)
{
    SizedView& second = openWindow(100, 100);
    auto showType = [&](const char* layerName) {
        VornPluginBase* plugin = layer(*view, layerName)->plugin;
        return static_cast<VornPluginMenuItem*>(plugin->GetPackagedPlugin(0));
    };
    std::unique_ptr<VornPluginMenuItem> byMaterial(showType("Members by Material"));
    std::unique_ptr<VornPluginMenuItem> grid(showType("Grid"));
    byMaterial->mai = grid->mai = &mai;
    EXPECT_STREQ(byMaterial->getName(), "Display Members by Material");
    EXPECT_STREQ(byMaterial->getMenuPath(), "&View\\&Display\\Members\\by Material");
    EXPECT_STREQ(grid->getMenuPath(), "&View\\&Display\\Grid");
    byMaterial->execute(view);
    EXPECT_TRUE(layer(*view, "Members by Material")->enabled);
    EXPECT_FALSE(layer(*view, "Members")->enabled);
    EXPECT_FALSE(layer(*view, "Members by Cross-section")->enabled);
    EXPECT_TRUE(layer(second, "Members")->enabled);
    grid->execute(view);
    EXPECT_FALSE(layer(*view, "Grid")->enabled);
    RecordedCommandState state;
    grid->updateCommandUI(&state, view);
    EXPECT_EQ(state.check, 0);
    grid->execute(view);
    EXPECT_TRUE(layer(*view, "Grid")->enabled);
}

TEST_F(PerspectiveTools, HidingALayerWithSelectedObjectsAsksFirst)
{
    buildFrame();
    model.named<VornJoint>("J2")->markSelected();
    std::unique_ptr<VornPluginMenuItem> joints(
        static_cast<VornPluginMenuItem*>(layer(*view, "Joints")->plugin->GetPackagedPlugin(0)));
    joints->mai = &mai;
    mai.answers = {2}; // Cancel
    joints->execute(view);
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, "Some selected items will become invisible!");
    EXPECT_EQ(mai.boxes[0].caption, "Selected items will be invisible!");
    EXPECT_TRUE(layer(*view, "Joints")->enabled);
    mai.answers = {1};
    joints->execute(view);
    EXPECT_FALSE(layer(*view, "Joints")->enabled);
}

TEST_F(PerspectiveTools, TheFamilyIsHandedToTheHostOnlyWhenTheViewTypeChanges)
{
    SizedView& second = openWindow(100, 100);
    const int family = 3 + 8 + 3; // tools, show-type items, snap objects
    viewType->activateView(nullptr, nullptr);
    EXPECT_EQ(mai.added, family);
    EXPECT_EQ(mai.toolbarRedraws, 1);
    // From one perspective window to another: nothing is taken away or handed again.
    viewType->deactivateView(&second, viewType);
    viewType->activateView(view, viewType);
    EXPECT_EQ(mai.added, family);
    EXPECT_EQ(mai.removed, 0);
    // Switching a window to another view type takes the family back.
    FakeViewType otherType;
    viewType->deactivateView(&second, &otherType);
    EXPECT_EQ(mai.removed, family);
    // Handing the plane snap over switches it on and makes it usable.
    auto* plane = packaged<lumbra::PluginVPSOPlane>(viewType->snapObjectPlugins);
    plane->setUsable(false);
    viewType->activateView(&second, &otherType);
    EXPECT_TRUE(plane->isUsable());
    EXPECT_TRUE(viewType->activatePlugin(pan));
    EXPECT_FALSE(viewType->activatePlugin(plane));
}
