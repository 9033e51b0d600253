// The OpenGL view in a document window of the host, on the EGL pbuffer: its packaged plugins, the
// lit members, the selection checkerboard and X-ray blending in the window's pixels, and picking
// of members, joints, forces and closed groups with clicks and rubber bands.
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ZintelHost.h"

#include "Zintel/DocItemOpenGL.h"
#include "Zintel/OpenGLFamilies.h"
#include "Zintel/SelectionProtocol.h"
#include "Zintel/SnapObjects.h"
#include "Zintel/ViewSettingItems.h"
#include "Zintel/ViewTools.h"
#include "tests/platform/RecordedCommandState.h"
#include "plugins/InputEvent.h"
#include "platform/Services.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace
{

using zintel::OpenGLView;

constexpr uint32_t red = 0x0000FF;

// The model, in the plane x = 0 facing the camera at (20, 0, 0): screen right is +y, up is +z.
//   M1 J1 (0,-3,-2) - J2 (0,3,-2), cross-section 1 x 1, red material
//   M2 J3 (0,-3, 2) - J4 (0,3, 2), in the closed group G1 with its joints
//   J5 (0,0,0) pinned (its support pyramid hangs below it), J6 (0,1.5,-0.5) with the force F1
//   (0,0,-100) whose arrow runs from (0,1.5,0.5) down to J6, J7 (0,-1.5,0) hidden.
void buildModel(ModelDocument& model, const ZintelHost& host)
{
    VornCrossSection* box = host.squareSection(model, 1.0);
    box->name.set(model.strings(), "Box");
    VornMaterial* material = model.materials->add();
    material->name.set(model.strings(), "Red");
    material->setColor(red);

    model.addJoint("J1", 0, -3, -2);
    model.addJoint("J2", 0, 3, -2);
    model.addJoint("J3", 0, -3, 2);
    model.addJoint("J4", 0, 3, 2);
    model.addJoint("J5", 0, 0, 0)->supportFlags = 0x07;
    model.addJoint("J6", 0, 1.5, -0.5);
    model.addJoint("J7", 0, -1.5, 0)->setFlagBits(VornFlag::Hidden);
    for (const char* name : {"M1", "M2"})
    {
        VornMember* member = model.addMember(name, name[1] == '1' ? "J1" : "J3", name[1] == '1' ? "J2" : "J4");
        member->setCrossSection(box);
        member->setMaterial(material);
    }
    VornForceDefinition* load = model.definitions->add();
    load->name.set(model.strings(), "Load");
    load->setVector(0, 0, -100);
    VornForceInstance* force = model.forces->add();
    force->name.set(model.strings(), "F1");
    force->setJoint(model.named<VornJoint>("J6"));
    force->setForceDefinition(load);

    VornGroup* group = model.addGroup("G1");
    group->addChild(model.named<VornMember>("M2"));
    group->addChild(model.named<VornJoint>("J3"));
    group->addChild(model.named<VornJoint>("J4"));
    group->select();
}

class OpenGLViewInWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ZintelHost& host = ZintelHost::instance();
        if (!host.noGl.empty() || host.info() == nullptr)
            return;
        model = new ModelDocument(host.document());
        buildModel(*model, host);
    }

    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr) << "the document window shows the OpenGL view";
        OpenGLView& state = *host.info();
        state.povX = 20.0;
        state.xrayMode = zintel::XRay::Automatic;
        state.detailLevel = zintel::Detail::Maximum;
        // The grid's lines would cross the pixels these tests look at.
        for (DrawObject* object = state.drawObjects; object != nullptr; object = object->next)
            if (std::string(object->plugin->getName()) == "Grid")
                object->enabled = 0;
        clearSelection();
        host.paint();
    }

    void TearDown() override
    {
        if (host.info() != nullptr)
            clearSelection();
    }

    // Calls `visit` with every joint, member, force and group of the model.
    template <class Visit>
    static void forEachObject(Visit visit)
    {
        const auto walk = [&visit](auto* list) {
            for (uint32_t index = 0; index < list->getCount(); ++index)
                visit(static_cast<VornBaseObject&>((*list)[index]));
        };
        walk(model->joints);
        walk(model->members);
        walk(model->forces);
        walk(model->groups);
    }

    static void clearSelection()
    {
        forEachObject([](VornBaseObject& object) { object.clearFlagBits(VornFlag::Selected | VornFlag::PreSelected); });
        model->document->getModifiableSelection()->clear();
    }

    // The names of the objects whose selected bit is set.
    static std::set<std::string> selectedNames()
    {
        std::set<std::string> names;
        forEachObject([&names](VornBaseObject& object) {
            if (object.hasFlagBits(VornFlag::Selected))
                names.insert(object.name.getString());
        });
        return names;
    }

    platform::Point at(double y, double z) const { return host.windowPointOf(0.0, y, z); }

    void mouse(platform::Point point, uint32_t flags)
    {
        host.viewType->onMouse(host.viewInterface(), point.x, point.y, flags);
    }
    void click(platform::Point point, uint32_t keys = 0)
    {
        mouse(point, InputEvent::LeftDown | InputEvent::LeftHeld | keys);
        mouse(point, InputEvent::LeftUp | keys);
    }
    void drag(platform::Point from, platform::Point to)
    {
        mouse(from, InputEvent::LeftDown | InputEvent::LeftHeld);
        mouse(to, InputEvent::Move | InputEvent::LeftHeld);
        mouse(to, InputEvent::LeftUp);
    }

    static inline ModelDocument* model = nullptr;
    ZintelHost& host = ZintelHost::instance();
};

TEST_F(OpenGLViewInWindow, AClickSelectsTheNearestVisibleItemUnderIt)
{
    struct Case
    {
        const char* what;
        double y, z;
        std::set<std::string> selected;
    };
    const Case cases[] = {
        {"member", 0.0, -2.0, {"M1"}},
        {"joint", 0.0, 0.0, {"J5"}},
        {"force", 1.5, 0.2, {"F1"}},
        {"member of a closed group: the group", 0.0, 2.0, {"G1"}},
        {"support symbol: supports are not picked", 0.0, -0.3, {}},
        {"hidden joint", -1.5, 0.0, {}},
        {"empty space", -4.5, 0.0, {}},
    };
    for (const Case& c : cases)
    {
        click(at(c.y, c.z));
        EXPECT_EQ(selectedNames(), c.selected) << c.what;
        const bool inSelection = !model->document->getSelection()->isEmpty();
        EXPECT_EQ(inSelection, !c.selected.empty()) << c.what;
        EXPECT_EQ(host.info()->bandStart.x, OpenGLView::noBand) << "the click ended the band";
    }
}

TEST_F(OpenGLViewInWindow, ShiftAddsCtrlRemovesAndBothToggle)
{
    click(at(0.0, -2.0));
    click(at(0.0, 0.0), InputEvent::Shift);
    EXPECT_EQ(selectedNames(), (std::set<std::string>{"J5", "M1"}));
    click(at(0.0, -2.0), InputEvent::Ctrl);
    EXPECT_EQ(selectedNames(), (std::set<std::string>{"J5"}));
    click(at(0.0, -2.0), InputEvent::Shift | InputEvent::Ctrl);
    click(at(0.0, 0.0), InputEvent::Shift | InputEvent::Ctrl);
    EXPECT_EQ(selectedNames(), (std::set<std::string>{"M1"}));
}

TEST_F(OpenGLViewInWindow, ABandDraggedRightTakesWholeItemsOneDraggedLeftTakesTouchedOnes)
{
    struct Case
    {
        const char* what;
        platform::Point from, to;
        std::set<std::string> selected;
    };
    const Case cases[] = {
        {"right, around M1", at(-3.8, -1.2), at(3.8, -2.8), {"J1", "J2", "M1"}},
        {"right, over half of M1", at(-3.8, -1.2), at(0.5, -2.8), {"J1"}},
        {"left, over half of M1", at(0.5, -2.8), at(-3.8, -1.2), {"J1", "M1"}},
        {"right, around the force", at(1.0, 0.8), at(2.0, -0.9), {"F1", "J6"}},
    };
    for (const Case& c : cases)
    {
        drag(c.from, c.to);
        EXPECT_EQ(selectedNames(), c.selected) << c.what;
    }
}

// Records more hit records than the draw objects' counts made room for, behind the model.
class NameFlood : public zintel::OpenGLDrawObject
{
public:
    using OpenGLDrawObject::OpenGLDrawObject;
    int32_t select(int32_t mode) override
    {
        if (mode != zintel::PickMode::BandDraw)
            return 0;
        pickNameEnd = firstPickName + 300;
        glPushName(0);
        for (uint32_t name = firstPickName; name < pickNameEnd; ++name)
        {
            glLoadName(name);
            glBegin(GL_POINTS);
            glVertex3d(-5.0, 0.0, -2.0);
            glEnd();
        }
        glPopName();
        return 0;
    }
};

TEST_F(OpenGLViewInWindow, HitsBeyondTheSelectionBufferGrowItAndPickAgain)
{
    auto* flood = new NameFlood(nullptr, host.info());
    click(at(0.0, -2.0));
    delete flood;
    EXPECT_EQ(selectedNames(), (std::set<std::string>{"M1"}));
}

// Throws a model error while its names are drawn.
class FailingDrawObject : public zintel::OpenGLDrawObject
{
public:
    using OpenGLDrawObject::OpenGLDrawObject;
    int32_t select(int32_t mode) override
    {
        if (mode == zintel::PickMode::BandDraw)
            throw Exc_InternalError("FailingDrawObject::select");
        return 0;
    }
};

bool isReddish(uint32_t colour);

TEST_F(OpenGLViewInWindow, AModelErrorWhilePickingIsShownAndTheViewDrawsOn)
{
    platform::ScriptedInteraction script;
    auto* failing = new FailingDrawObject(nullptr, host.info());
    click(at(0.0, -2.0));
    delete failing;
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "FailingDrawObject::select");
    EXPECT_FALSE(platform::isAnyGlCurrent());
    host.paint();
    const platform::Point centre = at(0.0, -2.0);
    EXPECT_TRUE(isReddish(host.pixel(centre.x, centre.y))) << "the context left selection mode";
}

bool isReddish(uint32_t colour)
{
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    return r > 100 && g < r / 2 && b < r / 2;
}

bool isWhitish(uint32_t colour)
{
    return (colour & 0xFF) > 200 && ((colour >> 8) & 0xFF) > 200 && ((colour >> 16) & 0xFF) > 200;
}

TEST_F(OpenGLViewInWindow, AMemberIsALitSolidOfItsMaterialColour)
{
    const platform::Point centre = at(0.0, -2.0);
    EXPECT_TRUE(isReddish(host.pixel(centre.x, centre.y))) << std::hex << host.pixel(centre.x, centre.y);
    const platform::Point beside = at(0.0, -1.0);
    EXPECT_EQ(host.pixel(beside.x, beside.y), 0x808080u) << "the background between the members";
    // Lit, not flat: the red is shaded (the light falls at an angle), and below full intensity.
    EXPECT_LT(host.pixel(centre.x, centre.y) & 0xFF, 0xFFu);
}

TEST_F(OpenGLViewInWindow, ASelectedMemberShowsTheCheckerboardOfTheSelectionColour)
{
    model->named<VornMember>("M1")->markPreSelected();
    host.paint();
    const platform::Point centre = at(0.0, -2.0);
    int white = 0, reddish = 0;
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
        {
            const uint32_t colour = host.pixel(centre.x + dx, centre.y + dy);
            white += isWhitish(colour) ? 1 : 0;
            reddish += isReddish(colour) ? 1 : 0;
        }
    EXPECT_EQ(white, 2);
    EXPECT_EQ(reddish, 2);
    const uint32_t a = host.pixel(centre.x, centre.y), b = host.pixel(centre.x + 1, centre.y + 1);
    EXPECT_EQ(isWhitish(a), isWhitish(b)) << "the pattern is a checkerboard";
}

TEST_F(OpenGLViewInWindow, AnXRayedModelBlendsItsMembersWithWhatLiesBehind)
{
    const platform::Point centre = at(0.0, -2.0);
    const uint32_t opaque = host.pixel(centre.x, centre.y);
    host.info()->xrayMode = zintel::XRay::Model;
    host.paint();
    const uint32_t blended = host.pixel(centre.x, centre.y);
    const int background = 0x80;
    const int red = blended & 0xFF, green = (blended >> 8) & 0xFF;
    EXPECT_NE(blended, opaque);
    EXPECT_GT(red, green + 20) << std::hex << blended;
    EXPECT_LT(green, background) << "a quarter of the member's colour over three quarters of the background";
    EXPECT_GT(green, background / 2);
    EXPECT_LT(red, static_cast<int>(opaque & 0xFF));
}

TEST_F(OpenGLViewInWindow, SupportsAndForcesAreDrawnAtTheirJoints)
{
    struct Case
    {
        const char* what;
        double y, z;
    };
    const Case cases[] = {
        {"pin support below J5", 0.0, -0.3},
        {"head of the force above J6", 1.5, -0.2},
        {"shaft of the force", 1.5, 0.3},
    };
    for (const Case& c : cases)
    {
        const platform::Point point = at(c.y, c.z);
        EXPECT_NE(host.pixel(point.x, point.y), 0x808080u) << c.what;
    }
    const platform::Point beside = at(0.6, -0.3);
    EXPECT_EQ(host.pixel(beside.x, beside.y), 0x808080u) << "beside the pin";
}

TEST_F(OpenGLViewInWindow, ShadowsFallOnTheFloorAlongTheLight)
{
    // The light comes from azimuth 45 and elevation 30 degrees: a point h above the floor casts
    // its shadow h tan(60) cos(45) back along x and along y.
    const double drop = 3.0 * std::tan(60.0 * 3.14159265358979323846 / 180.0) * std::cos(3.14159265358979323846 / 4);
    const platform::Point shadowOfM1 = host.windowPointOf(-drop, -drop, -5.0);
    const uint32_t before = host.pixel(shadowOfM1.x, shadowOfM1.y);
    host.document().floorHeight = -5.0;
    host.paint();
    const uint32_t shadowed = host.pixel(shadowOfM1.x, shadowOfM1.y);
    host.document().floorHeight = 0.0;
    host.paint();
    EXPECT_EQ(before, 0x808080u);
    EXPECT_LT(shadowed & 0xFF, 0x60u) << std::hex << shadowed << ": half black over the background";
    EXPECT_EQ(host.pixel(shadowOfM1.x, shadowOfM1.y), 0x808080u) << "no shadows while the eye is on the floor";
}

TEST_F(OpenGLViewInWindow, AtLowDetailMembersAreLinesAndStillPicked)
{
    host.info()->detailLevel = zintel::Detail::Low;
    host.paint();
    click(at(0.0, -2.0));
    EXPECT_EQ(selectedNames(), (std::set<std::string>{"M1"}));
}

TEST_F(OpenGLViewInWindow, TheJointSnapFindsTheJointUnderTheCursorAndNotAHiddenOne)
{
    auto* snap = dynamic_cast<zintel::PluginVPSODrawObject*>(host.viewType->snapObjects);
    for (VornPluginBase* plugin = host.viewType->snapObjects; plugin != nullptr; plugin = plugin->getNext())
        if (auto* found = dynamic_cast<zintel::PluginVPSODrawObject*>(plugin))
            snap = found;
    ASSERT_NE(snap, nullptr);
    SnapPoint point(0);
    const platform::Point joint = at(0.0, 0.0);
    ASSERT_TRUE(snap->snapPoint(&point, host.viewInterface(), joint.x, joint.y, 1e9f));
    EXPECT_EQ(point.joint, model->named<VornJoint>("J5"));
    EXPECT_EQ(point.distance, 100.0);
    const platform::Point hidden = at(-1.5, 0.0);
    EXPECT_FALSE(snap->snapPoint(&point, host.viewInterface(), hidden.x, hidden.y, 1e9f));
}

TEST_F(OpenGLViewInWindow, TheSurfaceSnapFindsAPointOnTheMembersFace)
{
    zintel::PluginVPSOSurfacePoint* snap = nullptr;
    for (VornPluginBase* plugin = host.viewType->snapObjects; plugin != nullptr; plugin = plugin->getNext())
        if (auto* found = dynamic_cast<zintel::PluginVPSOSurfacePoint*>(plugin))
            snap = found;
    ASSERT_NE(snap, nullptr);
    SnapPoint point(0);
    const platform::Point centre = at(0.0, -2.0);
    ASSERT_TRUE(snap->snapPoint(&point, host.viewInterface(), centre.x, centre.y, 1e9f));
    EXPECT_NEAR(point.point[0], 0.5, 0.05) << "the face towards the eye";
    EXPECT_NEAR(point.point[2], -2.0, 0.1);
}

TEST_F(OpenGLViewInWindow, LeavingTheTypeDropsTheContextAndTheNextPaintMakesOne)
{
    OpenGLView& state = *host.info();
    EXPECT_TRUE(state.hasContext());
    host.viewType->deactivateView(host.viewInterface(), nullptr);
    EXPECT_FALSE(state.hasContext());
    host.paint();
    EXPECT_TRUE(state.hasContext());
    const platform::Point centre = at(0.0, -2.0);
    EXPECT_TRUE(isReddish(host.pixel(centre.x, centre.y))) << "the display lists were made again";
}

VornPluginMenuItem* menuItemNamed(const std::string& name)
{
    for (VornPluginBase* plugin = ZintelHost::instance().viewType->menuItems; plugin != nullptr;
         plugin = plugin->getNext())
        if (name == plugin->getName())
            return static_cast<VornPluginMenuItem*>(plugin);
    return nullptr;
}

TEST_F(OpenGLViewInWindow, ZoomAllBringsEveryJointIntoTheWindowAndZoomSelectedTheSelection)
{
    OpenGLView& state = *host.info();
    const double savedNear = state.zNear, savedFar = state.zFar;
    state.direction = 35.0f;
    state.tilt = 20.0f;
    state.povX = 500.0;
    VornPluginMenuItem* zoomAll = menuItemNamed("Zoom All");
    VornPluginMenuItem* zoomSelected = menuItemNamed("Zoom Selected");
    ASSERT_NE(zoomAll, nullptr);
    ASSERT_NE(zoomSelected, nullptr);
    RecordedCommandState command;
    zoomSelected->updateCommandUI(&command, host.viewInterface());
    EXPECT_EQ(command.enabled, 0) << "nothing selected";
    zoomAll->execute(host.viewInterface());
    host.paint();
    const platform::Rect client = host.view()->clientRect();
    for (uint32_t index = 0; index < model->joints->getCount(); ++index)
    {
        const VornJoint& joint = (*model->joints)[index];
        const platform::Point point =
            host.windowPointOf(joint.getPosition().x, joint.getPosition().y, joint.getPosition().z);
        EXPECT_TRUE(point.x >= 0 && point.x < client.width() && point.y >= 0 && point.y < client.height())
            << joint.name.getString() << " at " << point.x << "," << point.y;
    }
    EXPECT_EQ(state.direction, 35.0f) << "the camera is not turned";

    click(at(0.0, -2.0));
    ASSERT_EQ(selectedNames(), (std::set<std::string>{"M1"}));
    zoomSelected->updateCommandUI(&command, host.viewInterface());
    EXPECT_EQ(command.enabled, 1);
    zoomSelected->execute(host.viewInterface());
    host.paint();
    const platform::Point start = host.windowPointOf(0, -3, -2), end = host.windowPointOf(0, 3, -2);
    EXPECT_GT(std::abs(end.x - start.x), client.width() / 2) << "the member fills the view";
    state.povY = state.povZ = 0.0;
    state.direction = state.tilt = 0.0f;
    state.zNear = savedNear, state.zFar = savedFar;
    state.projectionDirty = true;
}

TEST_F(OpenGLViewInWindow, TheViewToolsDragTheCameraFromAPressToTheRelease)
{
    OpenGLView& state = *host.info();
    auto* zoom = dynamic_cast<zintel::PluginVOMIZoom*>(menuItemNamed("Zoom View"));
    auto* pan = dynamic_cast<zintel::PluginVOMIPan*>(menuItemNamed("Pan View"));
    ASSERT_NE(zoom, nullptr);
    ASSERT_NE(pan, nullptr);
    MAI_View* view = host.viewInterface();
    EXPECT_TRUE(zoom->onMouse(view, 0, 0, 0, InputEvent::Probe));
    EXPECT_FALSE(zoom->dragging()) << "no drag before a press";

    const platform::Point centre = at(0.0, 0.0);
    const double startX = state.povX;
    zoom->onMouse(view, centre.x, centre.y, 0, InputEvent::LeftDown | InputEvent::LeftHeld);
    zoom->onMouse(view, centre.x + 100, centre.y, 0, InputEvent::Move | InputEvent::LeftHeld);
    EXPECT_GT(state.povX, startX * 1.5) << "100 pixels right: twice as far from the anchor";
    zoom->onMouse(view, centre.x + 100, centre.y - 100, 0, InputEvent::Move | InputEvent::LeftHeld);
    EXPECT_NEAR(state.povX, startX, 1e-9) << "and 100 up: back where it started";
    zoom->onMouse(view, centre.x, centre.y, 0, InputEvent::LeftUp);
    zoom->onMouse(view, centre.x + 300, centre.y, 0, InputEvent::Move | InputEvent::LeftHeld);
    EXPECT_NEAR(state.povX, startX, 1e-9) << "no drag after the release";

    host.paint();
    const platform::Point member = at(0.0, -2.0);
    pan->onMouse(view, member.x, member.y, 0, InputEvent::LeftDown | InputEvent::LeftHeld);
    pan->onMouse(view, member.x + 40, member.y - 30, 0, InputEvent::Move | InputEvent::LeftHeld);
    pan->onMouse(view, member.x + 40, member.y - 30, 0, InputEvent::LeftUp);
    host.paint();
    const platform::Point moved = at(0.0, -2.0);
    EXPECT_NEAR(moved.x, member.x + 40, 1);
    EXPECT_NEAR(moved.y, member.y - 30, 1) << "the picked point follows the cursor";
    state.povY = state.povZ = 0.0;
}

struct SettingCase
{
    const char* name;
    int8_t detail;
    uint8_t xray;
};

TEST_F(OpenGLViewInWindow, TheSettingItemsWriteTheActiveViewAndMarkTheValueInForce)
{
    OpenGLView& state = *host.info();
    const SettingCase cases[] = {
        {"View Detail Low", 25, 4},           {"View Detail Medium", 50, 4}, {"View Detail High", 75, 4},
        {"View Detail Maximum", 100, 4},      {"View X-Ray None", 100, 0},   {"View X-Ray Model", 100, 1},
        {"View X-Ray Displacements", 100, 2}, {"View X-Ray All", 100, 3},    {"View X-Ray Automatic", 100, 4},
    };
    state.xrayMode = zintel::XRay::Automatic;
    for (const SettingCase& c : cases)
    {
        VornPluginMenuItem* item = menuItemNamed(c.name);
        ASSERT_NE(item, nullptr) << c.name;
        item->execute(host.viewInterface());
        EXPECT_EQ(state.detailLevel, c.detail) << c.name;
        // Automatic keeps its bit; each paint puts the mode it picks beside it.
        EXPECT_EQ((state.xrayMode & zintel::XRay::Automatic) != 0 ? zintel::XRay::Automatic : state.xrayMode, c.xray)
            << c.name;
        host.paint();
        RecordedCommandState command;
        item->updateCommandUI(&command, host.viewInterface());
        EXPECT_EQ(command.enabled, 1);
        EXPECT_EQ(command.radio, 1) << c.name << ": marked after a paint, also in automatic mode";
        item->updateCommandUI(&command, nullptr);
        EXPECT_EQ(command.enabled, 0);
        EXPECT_EQ(command.radio, 0);
    }

    VornPluginMenuItem* lighting = menuItemNamed("Advanced Lighting");
    VornPluginMenuItem* shadows = menuItemNamed("Advanced Lighting Shadow");
    ASSERT_NE(lighting, nullptr);
    ASSERT_NE(shadows, nullptr);
    RecordedCommandState command;
    shadows->updateCommandUI(&command, host.viewInterface());
    EXPECT_EQ(command.check, 1);
    lighting->execute(host.viewInterface());
    EXPECT_TRUE(state.lightingOff);
    shadows->updateCommandUI(&command, host.viewInterface());
    EXPECT_EQ(command.enabled, 0) << "shadows need advanced lighting";
    EXPECT_EQ(command.check, 0);
    EXPECT_TRUE(state.shadowsOn) << "but keep their value";
    lighting->execute(host.viewInterface());
    EXPECT_FALSE(state.lightingOff);
    state.detailLevel = zintel::Detail::Maximum;
}

TEST(OpenGLViewType, PackagesItsPluginsAndFilesThemByFamily)
{
    ZintelHost& host = ZintelHost::instance();
    if (!host.noGl.empty())
        VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
    zintel::PluginViewOpenGL& viewType = *host.viewType;
    std::vector<std::string> drawObjects = namesOf(viewType.drawObjectPlugins);
    std::sort(drawObjects.begin(), drawObjects.end());
    EXPECT_EQ(drawObjects,
              (std::vector<std::string>{"Displaced Members", "Displaced Members by Relative Stress",
                                        "Displaced Members by Stress", "Forces", "Grid", "Joint Supports", "Joints",
                                        "Members", "Members by Material", "Modifier Pivot", "Modifier Tool",
                                        "Orientation Indicator", "Test"}));
    std::vector<std::string> snaps = namesOf(viewType.snapObjects);
    std::sort(snaps.begin(), snaps.end());
    EXPECT_EQ(snaps, (std::vector<std::string>{"Grid", "Joints", "Plane", "SurfacePoint"}));
    std::set<std::string> listed;
    for (VornPluginSnapObject* snap = host.viewType->mai->snapObjects; snap != nullptr; snap = snap->nextSnapObject)
        listed.insert(snap->getName());
    EXPECT_EQ(listed, (std::set<std::string>{"Grid", "Joints", "SurfacePoint"})) << "the plane is not listed";
    ASSERT_NE(viewType.selectMenuItem, nullptr);
    EXPECT_STREQ(viewType.selectMenuItem->getMenuPath(), "&View\\Select &Type\\&OpenGL");
    EXPECT_EQ(viewType.GetPackagedPlugin(38), nullptr);
    EXPECT_EQ(viewType.GetPackagedPlugin(0xFFFFFFFFu), nullptr);
    EXPECT_TRUE(zintel::PluginViewOpenGL::showsOpenGL(host.viewInterface()));

    // The member layers and the displaced-member layers share a ring each, one of them shown; the
    // others ring to themselves.
    zintel::OpenGLView& state = *host.info();
    for (DrawObject* object = state.drawObjects; object != nullptr; object = object->next)
    {
        auto* drawObject = static_cast<zintel::OpenGLDrawObject*>(object);
        const std::string displayName = drawObject->plugin->getDisplayName();
        const std::string name = drawObject->plugin->getName();
        const bool members = displayName == "Members", displaced = displayName == "Displaced Members";
        EXPECT_EQ(drawObject->sameNameRing == drawObject, !members && !displaced) << name;
        if (members || displaced)
        {
            EXPECT_EQ(drawObject->sameNameRing->sameNameRing->sameNameRing == drawObject, displaced) << name;
            EXPECT_EQ(drawObject->enabled != 0,
                      name == "Members by Material" || name == "Displaced Members by Relative Stress");
        }
    }
    auto* item = dynamic_cast<zintel::DocItemOpenGL*>(host.document().getDocumentItem("OPENGL"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(state.docItem, item);
}

TEST(OpenGLViewType, ADocumentWithoutModelListsPaintsItsBackground)
{
    ZintelHost& host = ZintelHost::instance();
    if (!host.noGl.empty())
        VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
    CVornInterfaceView* bare = host.frame->newDocument();
    ASSERT_NE(bare, nullptr);
    platform::Application::instance()->processMessages();
    auto* state = dynamic_cast<zintel::OpenGLView*>(bare->viewInterface()->viewTypeInfos);
    ASSERT_NE(state, nullptr);
    // The grid needs no model; it would cross the centre.
    for (DrawObject* object = state->drawObjects; object != nullptr; object = object->next)
        if (std::string(object->plugin->getName()) == "Grid")
            object->enabled = 0;
    bare->invalidate(false);
    bare->updateWindow();
    EXPECT_EQ(platform::Surface::colourOf(
                  bare->surface()->pixel(bare->clientRect().width() / 2, bare->clientRect().height() / 2)),
              0x808080u);
    // Asking whether Zoom Selected can run makes no selection in a document that has none.
    ASSERT_EQ(bare->viewInterface()->document->document.findSelection(), nullptr);
    RecordedCommandState command;
    menuItemNamed("Zoom Selected")->updateCommandUI(&command, bare->viewInterface());
    EXPECT_EQ(command.enabled, 0);
    EXPECT_EQ(bare->viewInterface()->document->document.findSelection(), nullptr);
    host.viewType->onMouse(bare->viewInterface(), 10, 10, InputEvent::LeftDown | InputEvent::LeftHeld);
    host.viewType->onMouse(bare->viewInterface(), 10, 10, InputEvent::LeftUp);
    EXPECT_FALSE(platform::isAnyGlCurrent());
}

} // namespace
