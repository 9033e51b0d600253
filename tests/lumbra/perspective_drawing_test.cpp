#include "tests/lumbra/PerspectiveTestSupport.h"

#include "Lumbra/Perspective/DisplacedMembers.h"
#include "VornData/CalcResults.h"
#include "VornData/VornJoint.h"
#include "tests/support/ImageCheck.h"

using lumbra::PerspectiveView;
using lumbra::ScreenOffsetList;

namespace
{

constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t black = 0x000000;

} // namespace

class PerspectiveDrawing : public PerspectiveTest
{
};

TEST_F(PerspectiveDrawing, TheViewTypePackagesItsFamilyInOrder)
{
    const char* names[] = {"&View\\Select &Type\\&Perspective",
                           "Grid",
                           "Displaced Members",
                           "Joints",
                           "JointSupport",
                           "Members",
                           "Members by Material",
                           "Members by Cross-section",
                           "Origin",
                           "Show/Hide Page",
                           "Advanced Settings Page",
                           "Colors Page",
                           "Zoom View",
                           "Rotate View",
                           "Pan View",
                           "Joint",
                           "Grid",
                           "Plane"};
    lumbra::PluginViewPerspective fresh;
    for (uint32_t index = 0; index < 18; ++index)
    {
        std::unique_ptr<VornPluginBase> plugin(fresh.GetPackagedPlugin(index));
        ASSERT_NE(plugin, nullptr) << index;
        EXPECT_STREQ(plugin->getName(), names[index]);
    }
    EXPECT_EQ(fresh.GetPackagedPlugin(18), nullptr);
    EXPECT_EQ(fresh.GetPackagedPlugin(400), nullptr);
    // The registry filed each kind in its own list, newest first.
    EXPECT_EQ(namesOf(viewType->snapObjectPlugins), (std::vector<std::string>{"Plane", "Grid", "Joint"}));
    EXPECT_EQ(namesOf(viewType->pagePlugins),
              (std::vector<std::string>{"Colors Page", "Advanced Settings Page", "Show/Hide Page"}));
}

TEST_F(PerspectiveDrawing, AWindowPaintsItsLayersInPackagingOrderWithTheMemberModesInOneRing)
{
    SizedView& view = openWindow();
    std::vector<std::string> order;
    for (DrawObject* object = view.viewTypeInfos->drawObjects; object != nullptr; object = object->next)
        order.push_back(std::string(object->plugin->getName()) + (object->enabled ? "+" : "-"));
    EXPECT_EQ(order, (std::vector<std::string>{"Grid+", "Displaced Members+", "Joints+", "JointSupport+", "Members+",
                                               "Members by Material-", "Members by Cross-section-", "Origin+"}));
    lumbra::PerspectiveDrawObject* members = layer(view, "Members");
    std::vector<std::string> ring;
    lumbra::PerspectiveDrawObject* step = members;
    do
    {
        ring.push_back(step->plugin->getName());
        step = step->ringLink;
    } while (step != members && ring.size() < 10);
    EXPECT_EQ(ring.size(), 3u);
    EXPECT_EQ(layer(view, "Grid")->ringLink, layer(view, "Grid"));
}

TEST_F(PerspectiveDrawing, TheSmallFrameLooksAsItsReference)
{
    buildFrame();
    (*model.joints)[0].supportFlags = 0x07;
    (*model.joints)[1].supportFlags = 0x3F;
    (*model.members)[2].setFlagBits(VornFlag::PreSelected);
    SizedView& view = openWindow(240, 200);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(paint(view), "perspective_frame"));
}

TEST_F(PerspectiveDrawing, TheGridLiesInThePlaneTheCameraLooksAcross)
{
    SizedView& view = openWindow(240, 200);
    PerspectiveView& camera = cameraOf(view);
    showOnly(view, {"Grid"});
    struct Case
    {
        float direction, tilt;
        int32_t plane;
    };
    const Case cases[] = {{0, 0, 2}, {0, -50, 0}, {0, 30, 2}, {90, 0, 1}, {80, -60, 0}, {180, 0, 2}};
    for (const Case& c : cases)
    {
        camera.direction = c.direction;
        camera.tilt = c.tilt;
        camera.updateDirection();
        camera.updateTilt();
        paint(view);
        EXPECT_EQ(camera.gridPlane, c.plane) << c.direction << "/" << c.tilt;
    }
    // The fresh camera sees the YZ grid: the centre lines black, the others grey, spaced 20 pixels.
    camera.direction = camera.tilt = 0;
    camera.updateDirection();
    camera.updateTilt();
    const platform::Surface picture = paint(view);
    EXPECT_EQ(picture.pixel(120, 50), black);
    EXPECT_EQ(picture.pixel(50, 100), black);
    EXPECT_EQ(picture.pixel(140, 50), 0xA0A0A0u);
    EXPECT_EQ(picture.pixel(130, 50), 0x808080u);
}

TEST_F(PerspectiveDrawing, SupportSymbolsShowWhichDirectionsAreBlocked)
{
    model.addJoint("J", 0, 0, 0);
    SizedView& view = openWindow(100, 100);
    showOnly(view, {"JointSupport"});
    struct Case
    {
        uint8_t supports;
        // Probes halfway along: triangle left, bottom, right; square left, top, right, bottom.
        uint32_t triangleLeft, triangleBottom, triangleRight, squareLeft, squareTop, squareRight, squareBottom;
    };
    const uint32_t none = 0x808080;
    const Case cases[] = {
        {0x07, white, white, white, none, none, none, none},
        {0x01, white, black, black, none, none, none, none},
        {0x38, none, none, none, white, white, white, white},
        {0x08, none, none, none, white, black, black, black},
    };
    for (const Case& c : cases)
    {
        (*model.joints)[0].supportFlags = c.supports;
        const platform::Surface picture = paint(view);
        // The joint is drawn at (50, 50).
        EXPECT_EQ(picture.pixel(46, 54), c.triangleLeft) << int(c.supports);
        EXPECT_EQ(picture.pixel(50, 58), c.triangleBottom) << int(c.supports);
        EXPECT_EQ(picture.pixel(54, 54), c.triangleRight) << int(c.supports);
        EXPECT_EQ(picture.pixel(44, 50), c.squareLeft) << int(c.supports);
        EXPECT_EQ(picture.pixel(50, 44), c.squareTop) << int(c.supports);
        EXPECT_EQ(picture.pixel(56, 50), c.squareRight) << int(c.supports);
        EXPECT_EQ(picture.pixel(50, 56), c.squareBottom) << int(c.supports);
    }
}

TEST_F(PerspectiveDrawing, JointsAndMembersShowTheStateOfTheirOutermostClosedGroup)
{
    buildFrame();
    VornGroup* group = model.addGroup("G");
    group->addChild(model.named<VornJoint>("J1"));
    group->addChild(model.named<VornMember>("M1"));
    group->setColor(0x00C000);
    group->select(); // closed
    group->markPreSelected();
    SizedView& view = openWindow(240, 200);
    showOnly(view, {"Joints", "Members"});
    const platform::Surface picture = paint(view);
    // J1 at (200, 100): filled in the group's colour, outlined as selected.
    EXPECT_EQ(picture.pixel(201, 101), 0x00C000u);
    EXPECT_EQ(picture.pixel(198, 98), white);
    // J2 at (40, 100) in its own colour, outlined in the default colour.
    EXPECT_EQ(picture.pixel(41, 101), 0x0000FFu);
    EXPECT_EQ(picture.pixel(38, 98), black);
    // M1 (x = 200, from y 100 up to 20) dotted in the group's colour: two on, two off.
    std::string pattern;
    for (int32_t y = 80; y > 72; --y)
        pattern += picture.pixel(200, y) == 0x00C000u ? '1' : (picture.pixel(200, y) == 0x808080u ? '0' : '?');
    EXPECT_NE(pattern.find("11"), std::string::npos) << pattern;
    EXPECT_NE(pattern.find("00"), std::string::npos) << pattern;
    // M2 (x = 40) solid in its own colour.
    EXPECT_EQ(picture.pixel(40, 60), 0xFF0000u);
    EXPECT_EQ(picture.pixel(40, 61), 0xFF0000u);
}

TEST_F(PerspectiveDrawing, HiddenAndFrozenObjectsUseTheViewsColours)
{
    buildFrame();
    model.named<VornMember>("M2")->setFlagBits(VornFlag::Hidden);
    model.named<VornMember>("M1")->setFlagBits(VornFlag::Frozen);
    SizedView& view = openWindow(240, 200);
    showOnly(view, {"Members"});
    cameraOf(view).frozenColor = 0x123456;
    const platform::Surface picture = paint(view);
    EXPECT_EQ(picture.pixel(40, 60), 0x809090u);
    EXPECT_EQ(picture.pixel(200, 60), 0x123456u);
}

TEST_F(PerspectiveDrawing, TheColouringLayersPaintInTheColourOfTheMaterialOrDashDotWithoutOne)
{
    buildFrame();
    VornMaterial* steel = model.materials->add();
    steel->setColor(0x00AAAA);
    model.named<VornMember>("M1")->setMaterial(steel);
    SizedView& view = openWindow(240, 200);
    showOnly(view, {"Members by Material"});
    const platform::Surface picture = paint(view);
    EXPECT_EQ(picture.pixel(200, 60), 0x00AAAAu);
    // M2 has no material: a dash-dot line in the default colour (six on, two off, two on, two off).
    std::string pattern;
    for (int32_t y = 100; y > 76; --y)
        pattern += picture.pixel(40, y) == black ? '1' : '0';
    EXPECT_EQ(pattern, "111111001100111111001100");
}

TEST_F(PerspectiveDrawing, DisplacedMembersFollowThePublishedDisplacements)
{
    buildFrame();
    SizedView& view = openWindow(240, 200);
    showOnly(view, {"Displaced Members"});
    // Before any calculation nothing is drawn and no list is made.
    platform::Surface picture = paint(view);
    EXPECT_EQ(picture.pixel(200, 60), 0x808080u);
    EXPECT_EQ(model.joints->getChild("DispScreenCoor"), nullptr);

    // A calculator's published list, faked: every joint moved 10 along y.
    auto displacements = std::make_unique<BlockList<CalcDisplacement>>("Displacements");
    model.joints->addChild(displacements.get());
    for (uint32_t index = 0; index < displacements->getCount(); ++index)
        (*displacements)[index].displacement.set(0, 10, 0);
    picture = paint(view);
    // M1 runs at x = 200 undisplaced; displaced 20 pixels to the left, in the hidden colour.
    EXPECT_EQ(picture.pixel(180, 60), 0x809090u);
    EXPECT_EQ(picture.pixel(200, 60), 0x808080u);
    EXPECT_NE(model.joints->getChild("DispScreenCoor", view.viewTypeInfos), nullptr);

    // The next publish shows at the next paint.
    for (uint32_t index = 0; index < displacements->getCount(); ++index)
        (*displacements)[index].displacement.set(0, -10, 0);
    picture = paint(view);
    EXPECT_EQ(picture.pixel(220, 60), 0x809090u);
    EXPECT_EQ(picture.pixel(180, 60), 0x808080u);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(picture, "perspective_displaced"));
}

// A member from J1 at the centre of the picture to J2 behind the camera (which stands at x = 500
// and looks towards -x): only its part in front of the camera is drawn, which leaves the centre
// to the left; projected as it stands, J2 would show mirrored 100 pixels right of the centre.
TEST_F(PerspectiveDrawing, OnlyWhatLiesInFrontOfTheCameraIsDrawn)
{
    VornJoint* front = model.addJoint("J1", 0, 0, 0);
    VornJoint* behind = model.addJoint("J2", 0, 0, 0);
    model.addMember("M1", "J1", "J2")->setColor(0xFF0000);
    front->setColor(0x0000FF);
    behind->setColor(0x0000FF);
    auto displacements = std::make_unique<BlockList<CalcDisplacement>>("Displacements");
    model.joints->addChild(displacements.get());
    SizedView& view = openWindow(240, 200);
    struct Case
    {
        const char* layer;
        Vector3 behindAsBuilt; // where J2 stands
        Vector3 displacement; // of J2
        uint32_t colour; // of the member
    };
    const Case cases[] = {
        {"Members", {600, 10, 0}, {0, 0, 0}, 0xFF0000},
        {"Displaced Members", {0, 10, 0}, {600, 0, 0}, 0x809090},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.layer);
        behind->getPosition() = c.behindAsBuilt;
        (*displacements)[1].displacement = c.displacement;
        showOnly(view, {c.layer});
        const platform::Surface picture = paint(view);
        EXPECT_EQ(picture.pixel(70, 100), c.colour) << "the part in front, leaving the centre leftwards";
        EXPECT_EQ(picture.pixel(170, 100), 0x808080u) << "nothing towards the mirrored end";
        EXPECT_EQ(picture.pixel(220, 100), 0x808080u) << "nothing at the mirrored end";
    }
    // The joint behind the camera is not drawn, the one in front is.
    behind->getPosition() = {600, 10, 0};
    showOnly(view, {"Joints"});
    const platform::Surface joints = paint(view);
    EXPECT_EQ(joints.pixel(120, 100), 0x0000FFu);
    EXPECT_EQ(joints.pixel(220, 100), 0x808080u);

    // Moved through the grid's plane, the camera looks away from it and sees no grid at all.
    PerspectiveView& camera = cameraOf(view);
    camera.pointOfView = {-50, 0, 0};
    showOnly(view, {"Grid"});
    const platform::Surface grid = paint(view);
    EXPECT_EQ(camera.gridPlane, 2) << "the plane x = 0, behind the camera";
    int drawn = 0;
    for (int32_t y = 0; y < grid.height(); ++y)
        for (int32_t x = 0; x < grid.width(); ++x)
            drawn += grid.pixel(x, y) != 0x808080u ? 1 : 0;
    EXPECT_EQ(drawn, 0);
}

TEST_F(PerspectiveDrawing, EachWindowKeepsItsOwnProjectedListsAndReleasesThemWhenItGoes)
{
    buildFrame();
    auto displacements = std::make_unique<BlockList<CalcDisplacement>>("Displacements");
    model.joints->addChild(displacements.get());
    SizedView& first = openWindow(240, 200);
    SizedView& second = openWindow(120, 100);
    paint(first);
    paint(second);
    auto countChildren = [&](const char* name) {
        int count = 0;
        for (BlockListBase* child = model.joints->getFirstChild(); child != nullptr; child = child->getNext())
            count += std::string(child->getName()) == name ? 1 : 0;
        return count;
    };
    EXPECT_EQ(countChildren("ScreenCoor"), 2);
    EXPECT_EQ(countChildren("DispScreenCoor"), 2);
    EXPECT_NE(cameraOf(first).screenCoor, cameraOf(second).screenCoor);

    views.pop_back(); // the second window closes
    EXPECT_EQ(countChildren("ScreenCoor"), 1);
    EXPECT_EQ(countChildren("DispScreenCoor"), 1);
    // The joint list goes on growing and painting with the remaining window.
    model.addJoint("J5", 0, 0, 20);
    paint(first);
    EXPECT_EQ(cameraOf(first).screenCoor->getCount(), 5u);
    views.clear();
    EXPECT_EQ(countChildren("ScreenCoor"), 0);
    EXPECT_EQ(countChildren("DispScreenCoor"), 0);
    EXPECT_EQ(countChildren("Displacements"), 1);
}

TEST_F(PerspectiveDrawing, AWindowWhoseJointListWentDrawsNoModelAndDropsItsProjectedList)
{
    buildFrame();
    SizedView& view = openWindow(240, 200);
    paint(view);
    ASSERT_NE(cameraOf(view).screenCoor, nullptr);
    doc.document.removeBlockList(model.joints);
    delete model.joints; // its children are left without a parent
    model.joints = nullptr;
    showOnly(view, {"Joints", "JointSupport", "Members", "Displaced Members"});
    const platform::Surface picture = paint(view);
    EXPECT_EQ(picture.pixel(200, 60), 0x808080u);
    EXPECT_EQ(picture.pixel(201, 101), 0x808080u);
    // A new joint list gets a new projected list of the window.
    auto* joints = new BlockList<VornJoint>("VornJoint");
    doc.document.addBlockList(joints);
    joints->add()->getPosition().set(0, 0, 0);
    paint(view);
    ASSERT_NE(cameraOf(view).screenCoor, nullptr);
    EXPECT_EQ(cameraOf(view).screenCoor->getParent(), joints);
    EXPECT_EQ(cameraOf(view).screenCoor->getCount(), 1u);
}
