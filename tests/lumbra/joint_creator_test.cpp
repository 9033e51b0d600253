// The joint creator as a tool, without windows: scripted snap objects of a view type, a scripted
// lock box, and the pagettes' models as the user would fill them.
#include "Lumbra/Creators/JointCreator.h"
#include "VornData/CalcResults.h"
#include "VornData/VornJoint.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/CreatorTestSupport.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/lumbra/TransformRecordEdits.h"
#include "tests/support/HeldLock.h"

#include <gtest/gtest.h>

#include <memory>

#include <cmath>
#include <string>
#include <vector>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

std::vector<double> coordinatesOf(const VornJoint& joint)
{
    return {joint.getCreationCoordinate().x, joint.getCreationCoordinate().y, joint.getCreationCoordinate().z,
            joint.getPosition().x,           joint.getPosition().y,           joint.getPosition().z};
}

class JointCreatorTest : public ::testing::Test
{
protected:
    JointCreatorTest()
    {
        installCreatorTool(registry, mai, doc, view, viewType, creator);
        for (VornPluginPagette* p = creator->createPagettes.first(); p != nullptr; p = p->nextPagette)
            chain.push_back(p->getName());
        name = find<PluginCreatorJointPageName>();
        coordinates = find<PluginCreatorJointPageCoordinates>();
        support = find<PluginCreatorJointPageSupport>();
        orientation = find<PluginCreatorJointPageOrientation>();
    }

    template <class Pagette>
    Pagette* find()
    {
        for (VornPluginPagette* p = creator->createPagettes.first(); p != nullptr; p = p->nextPagette)
            if (auto* found = dynamic_cast<Pagette*>(p))
                return found;
        return nullptr;
    }

    ScriptedSnap* addSnap(const char* snapName, const char* kind, int32_t priority, double screen, Vector3 point)
    {
        auto* snap = new ScriptedSnap(snapName, kind, priority, screen, point);
        snap->mai = &mai;
        registry.addPlugin(snap);
        mai.addSnapObject(snap);
        return snap;
    }

    // The tool becomes active as the creator menu item makes it so.
    void activate() { doc.setActiveMenuItem(creator->toolMenuItem); }

    BlockList<VornJoint>* joints()
    {
        return dynamic_cast<BlockList<VornJoint>*>(doc.document.getBlockList("VornJoint"));
    }
    uint32_t jointCount() { return joints()->getCount(); }
    VornJoint* lastJoint() { return &joint(jointCount() - 1); }
    VornJoint& joint(uint32_t index) { return (*joints())[index]; }

    PluginManager registry;
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    FakeView view{&doc};
    SnapViewType* viewType = new SnapViewType;
    PluginCreatorJoint* creator = new PluginCreatorJoint;
    std::vector<std::string> chain;
    PluginCreatorJointPageName* name = nullptr;
    PluginCreatorJointPageCoordinates* coordinates = nullptr;
    PluginCreatorJointPageSupport* support = nullptr;
    PluginCreatorJointPageOrientation* orientation = nullptr;
};

TEST_F(JointCreatorTest, PackagesItsToolAndTheCreationChainInTheOrderOfCreation)
{
    EXPECT_EQ(chain,
              (std::vector<std::string>{"Name Pagette", "Coordinates Pagette", "Support Pagette", "Orientation Pagette",
                                        "CreateButton Pagette"}));
    ASSERT_NE(creator->toolMenuItem, nullptr);
    EXPECT_STREQ(creator->toolMenuItem->getMenuPath(), "&Create\\&Joint");
    EXPECT_EQ(registry.getFirstPlugin("Creator Joint Pagette") != nullptr, true);
    EXPECT_EQ(creator->getBitmapID(), 121);
}

// Grid points (priority 9) against the bare plane point (a fixed 11 x snapRadius) and a joint snap
// (priority 2) that would beat both if it were asked.
TEST_F(JointCreatorTest, TheStrictlyNearestPointSnapWinsAndJointSnapsAreNotUsed)
{
    struct Case
    {
        double firstGrid, secondGrid; // screen distances; negative: no grid point near
        Vector3 expected;
    };
    const Vector3 gridA(1, 0, 0), gridB(2, 0, 0), plane(7, 8, 0), jointPoint(9, 9, 9);
    const Case cases[] = {
        {5.0, 10.0, gridA}, // 185 beats 190 and the plane's 220
        {30.0, 10.0, gridB}, // the later grid object is nearer
        {12.0, 12.0, gridA}, // a tie keeps the earlier object
        {39.0, -1.0, gridA}, // 219 still beats the plane
        {40.0, -1.0, plane}, // 220 does not replace the plane's 220 found first
        {-1.0, -1.0, plane},
    };
    ScriptedSnap* jointSnap = addSnap("Joints", "Joint", 2, 0.0, jointPoint);
    ScriptedSnap* second = addSnap("Grid B", "Point", 9, 0.0, gridB);
    ScriptedSnap* first = addSnap("Grid A", "Point", 9, 0.0, gridA);
    ScriptedSnap* planePoint = addSnap("Plane", "Point", 11, 0.0, plane);
    // List order (newest first): Plane, Grid A, Grid B, Joints.
    activate();
    EXPECT_FALSE(jointSnap->isUsable());
    EXPECT_TRUE(first->isUsable() && second->isUsable() && planePoint->isUsable());
    // Another tool may have left the shared joint snap usable: it is still not asked.
    jointSnap->setUsable(true);

    for (const Case& c : cases)
    {
        first->screenDistance = c.firstGrid;
        second->screenDistance = c.secondGrid;
        creator->toolMenuItem->onMouse(&view, 100, 50, 0, InputEvent::LeftUp);
        SCOPED_TRACE(std::to_string(c.firstGrid) + " / " + std::to_string(c.secondGrid));
        EXPECT_EQ(
            coordinatesOf(*lastJoint()),
            (std::vector<double>{c.expected.x, c.expected.y, c.expected.z, c.expected.x, c.expected.y, c.expected.z}));
        EXPECT_TRUE(coordinates->model.readOnly);
    }
    EXPECT_EQ(jointSnap->asked, 0);
    EXPECT_EQ(jointCount(), std::size(cases));
}

TEST_F(JointCreatorTest, AJointIsCreatedOnALeftReleaseWhileTheRightButtonIsNotHeld)
{
    struct Case
    {
        uint32_t flags;
        bool creates;
    };
    const Case cases[] = {
        {InputEvent::LeftUp, true},
        {InputEvent::LeftUp | InputEvent::Shift | InputEvent::Ctrl, true},
        {InputEvent::LeftUp | InputEvent::MiddleHeld, true},
        {InputEvent::LeftUp | InputEvent::RightHeld, false},
        {InputEvent::LeftDown | InputEvent::LeftHeld, false},
        {InputEvent::Move | InputEvent::LeftHeld, false},
        {InputEvent::RightUp, false},
        {InputEvent::LeftDoubleClick, false},
    };
    activate();
    for (const Case& c : cases)
    {
        const uint32_t before = jointCount();
        creator->toolMenuItem->onMouse(&view, 12, 34, 0, c.flags);
        EXPECT_EQ(jointCount() - before, c.creates ? 1u : 0u) << std::hex << c.flags;
    }
    // Nothing snapped: the raw pixel position and 0, in disabled edits.
    EXPECT_EQ(coordinatesOf(*lastJoint()), (std::vector<double>{12, 34, 0, 12, 34, 0}));
    EXPECT_FALSE(coordinates->model.enabled);
    creator->toolMenuItem->onMouse(&view, -1, -1, -1, InputEvent::Leave);
    EXPECT_TRUE(coordinates->model.enabled);

    // Without a view under the mouse nothing is fed or created.
    mai.hoveredView = nullptr;
    const uint32_t before = jointCount();
    creator->toolMenuItem->onMouse(&view, 1, 1, 0, InputEvent::LeftUp);
    EXPECT_EQ(jointCount(), before);
}

// The snapped path switches the edits read-only, the raw path disables them; a leave on either
// path makes them take typing again. A snap record of another kind than "Point" carries no
// coordinates.
TEST_F(JointCreatorTest, TheCoordinatesFollowPointSnapsAndRawPositionsAndIgnoreOtherSnaps)
{
    ScriptedSnap point("Grid", "Point", 9, 0.0, Vector3(4, 5, 6));
    ScriptedSnap jointSnap("Joints", "Joint", 2, 0.0, Vector3(9, 9, 9));
    struct Step
    {
        ScriptedSnap* source; // null: the raw position (7, 8, 0)
        uint32_t flags;
        std::vector<double> shown;
        bool readOnly, enabled;
    };
    const Step steps[] = {
        {&point, InputEvent::Move, {4, 5, 6}, true, true},    {&jointSnap, InputEvent::Move, {4, 5, 6}, true, true},
        {nullptr, InputEvent::Move, {7, 8, 0}, true, false},  {&point, InputEvent::Leave, {7, 8, 0}, false, true},
        {nullptr, InputEvent::Move, {7, 8, 0}, false, false}, {nullptr, InputEvent::Leave, {7, 8, 0}, false, true},
    };
    JointCoordinatesModel& model = coordinates->model;
    for (const Step& step : steps)
    {
        if (step.source != nullptr)
        {
            SnapPoint snap(0);
            snap.point = &step.source->point.x;
            snap.source = step.source;
            coordinates->onSnapPoint(&snap, step.flags);
        }
        else
            coordinates->onMousePoint(7, 8, 0, step.flags);
        EXPECT_EQ((std::vector<double>{model.value(0), model.value(1), model.value(2)}), step.shown);
        EXPECT_EQ(model.text(2), step.shown[2] == 6 ? "6" : "0");
        EXPECT_EQ(model.readOnly, step.readOnly);
        EXPECT_EQ(model.enabled, step.enabled);
    }
}

// However the mouse stops being over a view, the coordinates take typing again.
TEST_F(JointCreatorTest, TheCoordinatesTakeTypingOnceTheMouseIsOverNoViewOrTheToolChanges)
{
    ScriptedSnap* grid = addSnap("Grid", "Point", 9, 0.0, Vector3(4, 5, 6));
    activate();
    const JointCoordinatesModel& model = coordinates->model;
    creator->toolMenuItem->onMouse(&view, 12, 34, 0, InputEvent::Move);
    ASSERT_TRUE(model.readOnly);

    // Off to the console: the host forgets the hovered view, then tells the tool.
    mai.hoveredView = nullptr;
    creator->toolMenuItem->onMouse(&view, -1, -1, -1, InputEvent::Leave);
    EXPECT_FALSE(model.readOnly);
    EXPECT_TRUE(model.enabled);

    // Hovered without a snap, then another tool is chosen.
    grid->screenDistance = -1.0;
    mai.hoveredView = &view;
    creator->toolMenuItem->onMouse(&view, 12, 34, 0, InputEvent::Move);
    ASSERT_FALSE(model.enabled);
    doc.setActiveMenuItem(nullptr);
    EXPECT_TRUE(model.enabled);
    EXPECT_FALSE(model.readOnly);
}

TEST_F(JointCreatorTest, RepeatedCreatesNumberTheNamesAndColourTheJointsWithClearFlags)
{
    ASSERT_TRUE(creator->createObject());
    ASSERT_TRUE(creator->createObject());
    ASSERT_EQ(jointCount(), 2u);
    EXPECT_STREQ(joint(0).name.getString(), "Joint000");
    EXPECT_STREQ(joint(1).name.getString(), "Joint001");
    EXPECT_EQ(name->model.name, "Joint002");
    for (uint32_t index = 0; index < 2; ++index)
    {
        EXPECT_EQ(joint(index).colorAndFlags, 0x80FF80u);
        EXPECT_EQ(joint(index).getParentGroup(), doc.document.getWorldGroup());
    }
    EXPECT_EQ(doc.invalidations, 2);

    struct Case
    {
        const char* typed;
        const char* stored; // null: unnamed
        const char* next;
    };
    const Case cases[] = {
        {" beam 12 ", "beam 12", "beam 13"},
        {"009", "009", "010"},
        {"x999", "x999", "x1000"},
        {"N99999999999999999999", "N99999999999999999999", "N100000000000000000000"},
        {"   ", nullptr, ""},
    };
    name->model.colour = 0x123456;
    for (const Case& c : cases)
    {
        name->model.type(c.typed);
        ASSERT_TRUE(creator->createObject());
        EXPECT_STREQ(lastJoint()->name.getText(), c.stored) << c.typed;
        EXPECT_EQ(name->model.name, c.next);
        EXPECT_EQ(lastJoint()->colorAndFlags, 0x123456u);
    }
}

TEST_F(JointCreatorTest, SupportsAndOrientationComeFromThePagettes)
{
    struct Case
    {
        std::vector<std::pair<JointSupportModel::Row, int>> clicks; // axis -1: the row's "all" box
        bool rigid, local;
        uint8_t flags;
        std::array<int32_t, 2> all;
    };
    using Row = JointSupportModel::Row;
    const Case cases[] = {
        {{}, true, true, 0xC0, {0, 0}},
        {{{Row::Translation, 0}, {Row::Rotation, 2}}, false, false, 0x21, {2, 2}},
        {{{Row::Translation, 0}, {Row::Translation, 1}, {Row::Translation, 2}}, true, false, 0x87, {1, 0}},
        {{{Row::Rotation, -1}}, false, true, 0x78, {0, 1}},
        {{{Row::Rotation, 1}, {Row::Rotation, -1}}, true, true, 0xC0, {0, 0}}, // some set: "all" clears
    };
    for (const Case& c : cases)
    {
        JointSupportModel& model = support->model;
        model = JointSupportModel{};
        for (auto [row, axis] : c.clicks)
            axis < 0 ? model.clickAll(row) : model.clickAxis(row, static_cast<size_t>(axis));
        model.rigid = c.rigid;
        model.local = c.local;
        EXPECT_EQ(model.all, c.all);
        ASSERT_TRUE(creator->createObject());
        EXPECT_EQ(lastJoint()->supportFlags, c.flags);
    }

    struct Axes
    {
        std::array<const char*, 3> angles;
        Vector3 x, y, z;
    };
    const Axes orientations[] = {
        {{"0", "0", "0"}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{"90", "0", "0"}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{"90", "0", "90"}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
    };
    for (const Axes& c : orientations)
    {
        for (size_t i = 0; i < 3; ++i)
            orientation->model.type(i, c.angles[i]);
        ASSERT_TRUE(creator->createObject());
        const Matrix3x3& axes = lastJoint()->getOrientation();
        const Vector3 expected[] = {c.x, c.y, c.z};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                EXPECT_NEAR(axes(row, column), expected[row][column], 1e-12)
                    << c.angles[0] << " " << c.angles[1] << " " << c.angles[2] << " row " << row;
    }
}

TEST_F(JointCreatorTest, InvalidTypedInputCreatesNothingAndSaysWhy)
{
    struct Case
    {
        bool inCoordinates;
        size_t field;
        const char* text;
        const char* box;
    };
    const Case cases[] = {
        {true, 0, "abc", "Please enter a number."},
        {true, 2, "", "Please enter a number."},
        {false, 1, "1e999", "Value too large."},
        {false, 0, "nan", "Please enter a number."},
    };
    coordinates->model.type(0, "4");
    coordinates->model.type(1, "5");
    for (const Case& c : cases)
    {
        NumberTripleModel& model = c.inCoordinates ? static_cast<NumberTripleModel&>(coordinates->model)
                                                   : static_cast<NumberTripleModel&>(orientation->model);
        const std::string kept = model.text(c.field);
        model.type(c.field, c.text);
        mai.boxes.clear();
        EXPECT_FALSE(creator->createObject()) << c.text;
        EXPECT_EQ(jointCount(), 0u);
        ASSERT_EQ(mai.boxes.size(), 1u);
        EXPECT_EQ(mai.boxes[0].text, c.box);
        EXPECT_EQ(mai.boxes[0].caption, "Error: Text to Value Conversion");
        EXPECT_EQ(name->model.name, "Joint000");
        model.type(c.field, kept);
    }
    ASSERT_TRUE(creator->createObject());
    EXPECT_EQ(coordinatesOf(*lastJoint()), (std::vector<double>{4, 5, 0, 4, 5, 0}));
}

TEST_F(JointCreatorTest, TheLockBoxAbortsOrIgnoresWithoutCreatingAndRetryWaitsAgain)
{
    struct Case
    {
        int32_t answer;
        bool creates;
    };
    const Case cases[] = {{platform::IDABORT, false}, {platform::IDIGNORE, false}, {platform::IDRETRY, true}};
    for (const Case& c : cases)
    {
        auto held = std::make_unique<HeldLock>(doc.lock);
        mai.boxes.clear();
        mai.answers = {c.answer};
        // Retry: the worker lets go while the box is up.
        mai.onBox = [&] {
            if (c.answer == platform::IDRETRY)
                held.reset();
        };
        const uint32_t before = jointCount();
        const std::string nameBefore = name->model.name;
        EXPECT_EQ(creator->createObject(), c.creates);
        EXPECT_EQ(jointCount() - before, c.creates ? 1u : 0u);
        EXPECT_EQ(name->model.name == nameBefore, !c.creates);
        ASSERT_GE(mai.boxes.size(), 1u);
        EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
        EXPECT_EQ(mai.boxes[0].text.substr(0, 50), "Create Member\nis waiting to gain access to the dat");
        mai.onBox = nullptr;
    }
}

TEST_F(JointCreatorTest, WithoutADocumentNothingIsCreated)
{
    mai.activeDocument = nullptr;
    EXPECT_FALSE(creator->createObject());
    EXPECT_EQ(jointCount(), 0u);
}

} // namespace

namespace
{

// The joint editor's pages on the shared model (joints J1, J2, J3), without windows.
class JointEditPagesTest : public LumbraCommandTest
{
protected:
    JointEditPagesTest()
    {
        adopt(support);
        support.lockTimeout = 5ms;
    }

    VornJoint& joint(const char* name) { return *model.named<VornJoint>(name); }

    PluginCreatorJointEditPageSupport support;
    PluginCreatorJointEditPageDisplacement displacement;
};

TEST_F(JointEditPagesTest, TheSupportPageShowsCommonMixedAndClearStates)
{
    struct Case
    {
        uint8_t first, second; // the two selected joints' flag bytes
        std::array<std::array<int32_t, 3>, 2> blocked;
        std::array<int32_t, 2> all;
        std::array<bool, 4> rigidHingeLocalGlobal;
    };
    const Case cases[] = {
        {0xC1, 0xC1, {{{1, 0, 0}, {0, 0, 0}}}, {2, 0}, {true, false, true, false}},
        {0xC0, 0x40, {{{0, 0, 0}, {0, 0, 0}}}, {0, 0}, {false, false, true, false}},
        {0x07, 0x03, {{{1, 1, 2}, {0, 0, 0}}}, {2, 0}, {false, true, false, true}},
        {0x38, 0xB8, {{{0, 0, 0}, {1, 1, 1}}}, {0, 1}, {false, false, false, true}},
    };
    for (const Case& c : cases)
    {
        joint("J1").supportFlags = c.first;
        joint("J3").supportFlags = c.second;
        EXPECT_TRUE(support.updateFromSelection(0, select({"J1", "J3"}))); // no window: hidden
        const JointEditSupportModel& shown = support.model;
        EXPECT_EQ(shown.blocked, c.blocked) << std::hex << int(c.first) << " " << int(c.second);
        EXPECT_EQ(shown.all, c.all);
        EXPECT_EQ((std::array<bool, 4>{shown.rigid, shown.hinge, shown.local, shown.global}), c.rigidHingeLocalGlobal);
    }
    EXPECT_TRUE(support.updateFromSelection(0, doc.document.newSelection()));
}

TEST_F(JointEditPagesTest, ASupportClickChangesEverySelectedJointUnderTheLockAndSendsOneNotice)
{
    ChannelLog log(mai, {"LOPCH"});
    joint("J1").supportFlags = 0xC1;
    joint("J3").supportFlags = 0x40;
    const uint8_t untouched = joint("J2").supportFlags;
    support.updateFromSelection(0, select({"J1", "J3"}));
    // Translation x is mixed: the first click clears it everywhere, the next sets it.
    support.apply(support.model.clickAxis(JointSupportModel::Translation, 0));
    EXPECT_EQ(joint("J1").supportFlags, 0xC0);
    EXPECT_EQ(joint("J3").supportFlags, 0x40);
    EXPECT_EQ(support.model.blocked[0][0], 0);
    support.apply(support.model.clickAll(JointSupportModel::Rotation));
    support.apply({0, JointSupport::Rigid});
    EXPECT_EQ(joint("J1").supportFlags, 0xF8);
    EXPECT_EQ(joint("J3").supportFlags, 0xF8);
    EXPECT_TRUE(support.model.rigid);
    EXPECT_EQ(joint("J2").supportFlags, untouched);
    EXPECT_EQ(log.heard.size(), 3u);
    EXPECT_EQ(doc.invalidations, 3);

    // Given up at the lock box: nothing changes and nothing is announced.
    HeldLock held(doc.lock);
    mai.answers = {platform::IDABORT};
    support.apply({JointSupport::Rigid, 0});
    EXPECT_EQ(joint("J1").supportFlags, 0xF8);
    EXPECT_EQ(log.heard.size(), 3u);
}

TEST_F(JointEditPagesTest, TheDisplacementPageShowsCommonValuesOrMeansAndNaWithoutResults)
{
    adopt(displacement);
    EXPECT_FALSE(displacement.updateFromSelection(0, select({"J1", "J2"})) && displacement.model.available);
    EXPECT_FALSE(displacement.model.available);
    EXPECT_EQ(displacement.model.labels[0], "Displ.X");

    auto* joints = dynamic_cast<BlockList<VornJoint>*>(doc.document.getBlockList("VornJoint"));
    // A parent list does not destroy its children: the test keeps its own.
    auto results = std::make_unique<BlockList<CalcDisplacement>>("Displacements");
    joints->addChild(results.get());
    (*results)[BlockList<VornJoint>::getIndex(&joint("J1"))].displacement = Vector3(1, 2, 2);
    (*results)[BlockList<VornJoint>::getIndex(&joint("J2"))].displacement = Vector3(1, 0, 0);
    displacement.updateFromSelection(0, select({"J1", "J2"}));
    EXPECT_TRUE(displacement.model.available);
    EXPECT_EQ(displacement.model.labels,
              (std::array<std::string, 4>{"Displ.X", "Av.Displ.Y", "Av.Displ.Z", "Av.Total Displ."}));
    EXPECT_EQ(displacement.model.values, (std::array<double, 4>{1, 1, 1, 2}));
}

} // namespace

namespace
{

class JointEditCoordinatesTest : public JointEditPagesTest
{
protected:
    JointEditCoordinatesTest()
    {
        adopt(coordinates);
        coordinates.lockTimeout = 5ms;
        place("J1", {1, 5, 7});
        place("J3", {3, 5, 8});
        coordinates.updateFromSelection(0, select({"J1", "J3"}));
    }

    void place(const char* name, Vector3 at)
    {
        joint(name).getCreationCoordinate() = at;
        joint(name).applyModifiers();
    }
    std::vector<double> creationOf(const char* name)
    {
        const Vector3& at = joint(name).getCreationCoordinate();
        return {at.x, at.y, at.z};
    }
    std::vector<double> positionOf(const char* name)
    {
        const Vector3& at = joint(name).getPosition();
        return {at.x, at.y, at.z};
    }

    PluginCreatorJointEditPageCoordinates coordinates;
};

TEST_F(JointEditCoordinatesTest, MixedAxesShowTheMeanGreyedAndFillingTouchesNoJoint)
{
    const JointEditCoordinatesModel& shown = coordinates.model;
    EXPECT_EQ((std::array<double, 3>{shown.value(0), shown.value(1), shown.value(2)}),
              (std::array<double, 3>{2, 5, 7.5}));
    EXPECT_EQ(shown.uniform, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(shown.absoluteShown, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(shown.absoluteChecked, (std::array<bool, 3>{false, false, false}));

    joint("J1").getPosition().x = 9; // a preview the page must leave alone
    coordinates.updateFromSelection(0, select({"J1"}));
    EXPECT_EQ(positionOf("J1"), (std::vector<double>{9, 5, 7}));
    EXPECT_EQ(coordinates.model.value(0), 1.0);
    EXPECT_EQ(doc.invalidations, 0);
}

TEST_F(JointEditCoordinatesTest, SpinsAndTypingMoveTheCreationCoordinatesAbsPutsAllOnTheShownValue)
{
    struct Step
    {
        std::function<void()> act;
        std::vector<double> j1, j3; // creation coordinates after it
    };
    const Step steps[] = {
        // A spin of +1 on the mixed x keeps the joints' difference.
        {[&] {
             *coordinates.model.valueAddress(0) += 1.0;
             coordinates.applyShown();
         },
         {2, 5, 7},
         {4, 5, 8}},
        // Typing on the uniform y, committed as Enter or leaving the edit does.
        {[&] {
             coordinates.model.type(1, "6.5");
             EXPECT_TRUE(coordinates.applyTyped());
         },
         {2, 6.5, 7},
         {4, 6.5, 8}},
        // Text that is no number: a box, and nothing moves.
        {[&] {
             coordinates.model.type(2, "x");
             EXPECT_FALSE(coordinates.applyTyped());
             coordinates.model.type(2, "7.5");
         },
         {2, 6.5, 7},
         {4, 6.5, 8}},
    };
    for (const Step& step : steps)
    {
        step.act();
        EXPECT_EQ(creationOf("J1"), step.j1);
        EXPECT_EQ(creationOf("J3"), step.j3);
        EXPECT_EQ(positionOf("J1"), step.j1); // the modifiers ran again
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, "Please enter a number.");

    // "Abs:" on x: both joints go to the shown 3; released, each returns to its own place.
    coordinates.toggleAbsolute(0);
    EXPECT_EQ(positionOf("J1")[0], 3.0);
    EXPECT_EQ(positionOf("J3")[0], 3.0);
    EXPECT_TRUE(coordinates.model.uniform[0]);
    coordinates.toggleAbsolute(0);
    EXPECT_EQ(positionOf("J1")[0], 2.0);
    EXPECT_EQ(positionOf("J3")[0], 4.0);

    // Given up at the lock box: nothing moves.
    HeldLock held(doc.lock);
    mai.answers = {platform::IDABORT};
    *coordinates.model.valueAddress(1) += 1.0;
    coordinates.applyShown();
    EXPECT_EQ(creationOf("J1"), (std::vector<double>{2, 6.5, 7}));
}

TEST_F(JointEditCoordinatesTest, JointsPutOnOneValueByAbsStayThereWhenMovedAfterwards)
{
    coordinates.toggleAbsolute(0); // the shown mean of x, 2
    EXPECT_EQ(creationOf("J1"), (std::vector<double>{2, 5, 7}));
    EXPECT_EQ(creationOf("J3"), (std::vector<double>{2, 5, 8}));

    // Modify > Move on the same joints by 1 along z, then a Y typed on the page.
    PluginModifierMove move;
    move.mai = &mai;
    move.lockTimeout = 5ms;
    VornModifier* moved = move.activate(&doc, nullptr, 0);
    ASSERT_NE(moved, nullptr);
    editRecordMove(move, *moved, {0, 0, 1});
    EXPECT_EQ(positionOf("J1"), (std::vector<double>{2, 5, 8}));
    EXPECT_EQ(positionOf("J3"), (std::vector<double>{2, 5, 9}));

    coordinates.updateFromSelection(0, select({"J1", "J3"}));
    coordinates.model.type(1, "6");
    EXPECT_TRUE(coordinates.applyTyped());
    EXPECT_EQ(positionOf("J1"), (std::vector<double>{2, 6, 8}));
    EXPECT_EQ(positionOf("J3"), (std::vector<double>{2, 6, 9}));
}

} // namespace
