// The member creator as a tool, without windows: scripted point and joint snaps of a view type, a
// scripted message box, and the Joints pagette's model as the user fills it.
#include "Lumbra/Creators/MemberCreator.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/CreatorTestSupport.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"
#include "tests/support/ModelDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

// A view that counts the tool's requests to show its cursor again.
class CursorView : public FakeView
{
public:
    using FakeView::FakeView;
    void refreshCursor() override { ++cursorRefreshes; }
    int cursorRefreshes = 0;
};

class MemberCreatorTest : public ::testing::Test
{
protected:
    MemberCreatorTest()
    {
        installCreatorTool(registry, mai, doc, view, viewType, creator);
        joints = find<PluginCreatorMemberPageJoints>();
        name = find<PluginCreatorMemberPageName>();
        // List order (newest first): Grid, then Joints.
        jointSnap = addSnap("Joints", "Joint", 2);
        gridSnap = addSnap("Grid", "Point", 9);
        doc.setActiveMenuItem(creator->toolMenuItem);
    }

    template <class Pagette>
    Pagette* find()
    {
        for (VornPluginPagette* p = creator->createPagettes.first(); p != nullptr; p = p->nextPagette)
            if (auto* found = dynamic_cast<Pagette*>(p))
                return found;
        return nullptr;
    }

    ScriptedSnap* addSnap(const char* snapName, const char* kind, int32_t priority)
    {
        auto* snap = new ScriptedSnap(snapName, kind, priority, -1.0, Vector3());
        snap->mai = &mai;
        registry.addPlugin(snap);
        mai.addSnapObject(snap);
        return snap;
    }

    // The mouse is over the joint (null: over the point) when the event comes.
    void mouse(uint32_t flags, VornJoint* overJoint, Vector3 point = Vector3())
    {
        jointSnap->joint = overJoint;
        jointSnap->screenDistance = overJoint != nullptr ? 0.0 : -1.0;
        gridSnap->point = point;
        gridSnap->screenDistance = 5.0;
        creator->toolMenuItem->onMouse(&view, 100, 50, 0, flags);
    }
    // A move to the place, then a click there, as the view delivers them.
    void click(VornJoint* overJoint, Vector3 point = Vector3())
    {
        mouse(InputEvent::Move, overJoint, point);
        mouse(InputEvent::LeftDown | InputEvent::LeftHeld, overJoint, point);
        mouse(InputEvent::LeftUp, overJoint, point);
    }

    // A joint by its name, or a joint made at a point ("---") by its position.
    static std::string describe(const VornJoint* joint)
    {
        if (joint == nullptr)
            return "-";
        const std::string text = joint->name.getString();
        if (text != "---")
            return text;
        std::ostringstream at;
        at << "(" << joint->getPosition().x << "," << joint->getPosition().y << "," << joint->getPosition().z << ")";
        return at.str();
    }
    // Every member as start-end, sorted, separated by blanks.
    std::string memberList()
    {
        std::vector<std::string> all;
        for (uint32_t index = 0; index < model.members->getCount(); ++index)
        {
            const VornMember& member = (*model.members)[index];
            all.push_back(describe(member.getStartJoint()) + "-" + describe(member.getEndJoint()));
        }
        std::sort(all.begin(), all.end());
        std::string text;
        for (const std::string& one : all)
            text += (text.empty() ? "" : " ") + one;
        return text;
    }

    PluginManager registry;
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    CursorView view{&doc};
    ModelDocument model{doc.document};
    SnapViewType* viewType = new SnapViewType;
    PluginCreatorMember* creator = new PluginCreatorMember;
    PluginCreatorMemberPageJoints* joints = nullptr;
    PluginCreatorMemberPageName* name = nullptr;
    ScriptedSnap* jointSnap = nullptr;
    ScriptedSnap* gridSnap = nullptr;
};

TEST_F(MemberCreatorTest, PackagesItsToolAndPagettesAndTakesPointAndJointSnaps)
{
    std::vector<std::string> creation;
    for (VornPluginPagette* p = creator->createPagettes.first(); p != nullptr; p = p->nextPagette)
        creation.push_back(p->getName());
    std::vector<std::string> editing;
    for (VornPluginPagette* p = creator->editPagettes.first(); p != nullptr; p = p->nextPagette)
        editing.push_back(p->getName());
    EXPECT_EQ(creation, (std::vector<std::string>{"Name Pagette", "Joints Pagette", "CreateButton Pagette"}));
    EXPECT_EQ(editing, (std::vector<std::string>{"Joints Pagette", "Material Pagette", "CrossSection Pagette",
                                                 "Length Pagette"}));
    EXPECT_EQ(creator->jointsPagette, joints);
    EXPECT_STREQ(creator->toolMenuItem->getMenuPath(), "&Create\\&Member");
    EXPECT_EQ(creator->getBitmapID(), 122);
    EXPECT_STREQ(creator->getObjectTypeName(), "Member");
    EXPECT_EQ(creator->getObjectTypeID(), VornMember::staticTypeID());
    EXPECT_EQ(name->model.name, "Member000");
    EXPECT_TRUE(jointSnap->isUsable());
    EXPECT_TRUE(gridSnap->isUsable());
    ScriptedSnap other("Other", "AnyPoint", 1, 0.0, Vector3());
    creator->acceptSnapObject(&other);
    EXPECT_FALSE(other.isUsable());
}

// The creator's phases as the user goes through them. Joints made at points are named "---" (the
// Joints pagette shows every snapped point under that name) and are described by position.
TEST_F(MemberCreatorTest, TheToolGoesThroughItsPhasesEventByEvent)
{
    VornJoint* a = model.addJoint("A", 0, 0, 0);
    VornJoint* b = model.addJoint("B", 4, 0, 0);
    VornJoint* c = model.addJoint("C", 4, 0, 0); // where B is
    enum class Event
    {
        ClickJoint,
        ClickPoint,
        RightRelease,
        CtrlDown,
        RightHeldRelease,
        DeleteStart,
        DeleteJoint,
    };
    struct Step
    {
        const char* what;
        Event event;
        VornJoint* joint; // the joint clicked or deleted
        Vector3 point; // the point clicked
        int32_t answer; // to a box the step shows
        // Expected afterwards:
        std::string start, end;
        uint32_t joints, memberCount;
        std::string members; // each from start to end, sorted
        size_t boxes;
        int beeps;
    };
    const Vector3 none(0, 0, 0);
    const std::string triangle = "(4,3,0)-A A-B B-(4,3,0)";
    const Step steps[] = {
        {"start at a joint", Event::ClickJoint, a, none, 0, "A", "-", 3, 0, "", 0, 0},
        {"end at a joint", Event::ClickJoint, b, none, 0, "B", "-", 3, 1, "A-B", 0, 0},
        {"end at a point", Event::ClickPoint, nullptr, {4, 3, 0}, 0, "(4,3,0)", "-", 4, 2, "A-B B-(4,3,0)", 0, 0},
        {"back to the first joint", Event::ClickJoint, a, none, 0, "A", "-", 4, 3, triangle, 0, 0},
        {"to itself: refused", Event::ClickJoint, a, none, 0, "A", "A", 4, 3, triangle, 1, 0},
        {"to itself again: a beep", Event::ClickJoint, a, none, 0, "A", "A", 4, 3, triangle, 1, 1},
        {"cancelled", Event::RightRelease, nullptr, none, 0, "-", "-", 4, 3, triangle, 1, 1},
        {"start at B", Event::ClickJoint, b, none, 0, "B", "-", 4, 3, triangle, 1, 1},
        {"end at C where B is: No", Event::ClickJoint, c, none, platform::IDNO, "B", "C", 4, 3, triangle, 2, 1},
        {"cancelled again", Event::CtrlDown, nullptr, none, 0, "-", "-", 4, 3, triangle, 2, 1},
        {"start at B again", Event::ClickJoint, b, none, 0, "B", "-", 4, 3, triangle, 2, 1},
        {"end at B's point: No takes the new joint back", Event::ClickPoint, nullptr, {4, 0, 0}, platform::IDNO, "B",
         "-", 4, 3, triangle, 3, 1},
        {"a release with the right button held", Event::RightHeldRelease, nullptr, {9, 9, 9}, 0, "B", "-", 4, 3,
         triangle, 3, 1},
        {"end at B's point: Yes", Event::ClickPoint, nullptr, {4, 0, 0}, platform::IDYES, "(4,0,0)", "-", 5, 4,
         "(4,3,0)-A A-B B-(4,0,0) B-(4,3,0)", 4, 1},
        // Deleting a joint deletes its members; the last joint of the list moves into its place.
        {"a joint before the start goes: the start stays", Event::DeleteJoint, a, none, 0, "(4,0,0)", "-", 4, 2,
         "B-(4,0,0) B-(4,3,0)", 4, 1},
        {"the start deleted", Event::DeleteStart, nullptr, none, 0, "-", "-", 3, 1, "B-(4,3,0)", 4, 1},
        {"a joint clicked then starts anew", Event::ClickJoint, c, none, 0, "C", "-", 3, 1, "B-(4,3,0)", 4, 1},
        {"cancelled once more", Event::RightRelease, nullptr, none, 0, "-", "-", 3, 1, "B-(4,3,0)", 4, 1},
        {"start at a point", Event::ClickPoint, nullptr, {8, 0, 0}, 0, "(8,0,0)", "-", 4, 1, "B-(4,3,0)", 4, 1},
        {"end at a point", Event::ClickPoint, nullptr, {8, 5, 0}, 0, "(8,5,0)", "-", 5, 2,
         "(8,0,0)-(8,5,0) B-(4,3,0)", 4, 1},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        mai.answers.clear();
        if (step.answer != 0)
            mai.answers.push_back(step.answer);
        switch (step.event)
        {
        case Event::ClickJoint:
            click(step.joint);
            break;
        case Event::ClickPoint:
            click(nullptr, step.point);
            break;
        case Event::RightRelease:
            mouse(InputEvent::RightUp, nullptr);
            break;
        case Event::CtrlDown:
            mouse(InputEvent::CtrlDown, nullptr);
            break;
        case Event::RightHeldRelease:
            mouse(InputEvent::LeftUp | InputEvent::RightHeld, nullptr, step.point);
            break;
        case Event::DeleteStart:
            creator->getStartJoint()->removeFromList();
            break;
        case Event::DeleteJoint:
            step.joint->removeFromList();
            break;
        }
        EXPECT_EQ(describe(creator->getStartJoint()), step.start);
        EXPECT_EQ(describe(creator->getEndJoint()), step.end);
        EXPECT_EQ(model.joints->getCount(), step.joints);
        EXPECT_EQ(model.members->getCount(), step.memberCount);
        EXPECT_EQ(memberList(), step.members);
        EXPECT_EQ(mai.boxes.size(), step.boxes);
        EXPECT_EQ(mai.beeps, step.beeps);
        EXPECT_TRUE(mai.answers.empty());
    }
    EXPECT_EQ(mai.boxes[0].caption, "Illegal Member Creation");
    EXPECT_EQ(mai.boxes[0].text.substr(0, 47), "The start joint is identical to the end joint.\n");
    EXPECT_EQ(mai.boxes[0].type, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(mai.boxes[1].caption, "Potential Calculation Problems");
    EXPECT_EQ(mai.boxes[1].text.substr(0, 42), "You are creating a member of length zero.\n");
    EXPECT_EQ(mai.boxes[1].type, platform::MB_YESNO | platform::MB_ICONWARNING);
    // Members are named in the order they are made.
    EXPECT_EQ(describe(findNamed(model.members, "Member004")->getStartJoint()), "(8,0,0)");
    EXPECT_EQ(name->model.name, "Member005");
}

// Every member made links both joints, measures its length and takes the document's creation
// cross-section and material; without them it stays without.
TEST_F(MemberCreatorTest, AMemberBetweenTwoNewJointsGetsTheCreationPropertiesAndTheTypedFields)
{
    VornCrossSection* section = model.crossSections->add();
    VornMaterial* material = model.materials->add();
    section->setArea(0.02);
    material->setDensity(1000.0);
    doc.creationCrossSection.set(section);
    doc.creationMaterial.set(material);

    // CREATE before any mouse event: both blocks are open and typed into.
    MemberJointsModel& fields = joints->model;
    fields.start.name = "  S1 ";
    fields.start.colour = 0x0000FF;
    fields.start.coordinates.type(0, "1");
    fields.end.name = "E1";
    fields.end.coordinates.type(0, "1");
    fields.end.coordinates.type(1, "3");
    fields.end.coordinates.type(2, "4");
    name->model.colour = 0x123456;
    ASSERT_TRUE(creator->createObject());

    ASSERT_EQ(model.joints->getCount(), 2u);
    ASSERT_EQ(model.members->getCount(), 1u);
    VornJoint& start = (*model.joints)[0];
    VornJoint& end = (*model.joints)[1];
    EXPECT_STREQ(start.name.getString(), "S1");
    EXPECT_EQ(fields.start.name, "S1");
    EXPECT_EQ(start.colorAndFlags, 0x0000FFu);
    EXPECT_EQ(end.colorAndFlags, 0x80FF80u);
    EXPECT_EQ(start.getCreationCoordinate().x, 1.0);
    EXPECT_EQ(end.getPosition().z, 4.0);
    EXPECT_EQ(end.getParentGroup(), doc.document.getWorldGroup());

    const VornMember& member = (*model.members)[0];
    EXPECT_EQ(member.getStartJoint(), &start);
    EXPECT_EQ(member.getEndJoint(), &end);
    EXPECT_EQ(member.getLength(), 5.0);
    EXPECT_EQ(member.getCrossSection(), section);
    EXPECT_EQ(member.getMaterial(), material);
    EXPECT_DOUBLE_EQ(member.getHalfMassPerLength(), 0.5 * 0.02 * 1000.0);
    EXPECT_STREQ(member.name.getString(), "Member000");
    EXPECT_EQ(member.colorAndFlags, 0x123456u);
    EXPECT_EQ(member.getParentGroup(), doc.document.getWorldGroup());
    EXPECT_EQ(name->model.name, "Member001");
    EXPECT_GE(doc.invalidations, 1);
    // The end is the next start.
    EXPECT_EQ(creator->getStartJoint(), &end);
    EXPECT_EQ(creator->getEndJoint(), nullptr);

    // CREATE again makes a joint from the end block (still open) and a member from the old end.
    fields.end.name = "E2";
    fields.end.coordinates.type(0, "9");
    doc.creationCrossSection.set(nullptr);
    doc.creationMaterial.set(nullptr);
    ASSERT_TRUE(creator->createObject());
    ASSERT_EQ(model.members->getCount(), 2u);
    EXPECT_EQ((*model.members)[1].getStartJoint(), &end);
    EXPECT_STREQ((*model.members)[1].getEndJoint()->name.getString(), "E2");
    EXPECT_EQ((*model.members)[1].getCrossSection(), nullptr);
    EXPECT_EQ((*model.members)[1].getMaterial(), nullptr);
}

// After a mouse event in the start phase the end block is closed: CREATE then makes the start
// joint alone, and no member follows.
TEST_F(MemberCreatorTest, CreateInTheStartPhaseMakesOnlyTheStartJoint)
{
    mouse(InputEvent::Move, nullptr, Vector3(2, 2, 0));
    EXPECT_EQ(joints->model.start.name, "---");
    EXPECT_FALSE(joints->model.end.coordinates.enabled);
    EXPECT_FALSE(creator->createObject());
    EXPECT_EQ(model.joints->getCount(), 1u);
    EXPECT_EQ(model.members->getCount(), 0u);
    EXPECT_EQ(describe(creator->getStartJoint()), "(2,2,0)");
    EXPECT_EQ(name->model.name, "Member000");
}

// Bad typed coordinates make nothing; a lock given up makes nothing either, and names do not
// advance.
TEST_F(MemberCreatorTest, RefusedInputOrLockMakesNothing)
{
    joints->model.end.coordinates.type(1, "abc");
    EXPECT_FALSE(creator->createObject());
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].caption, "Error: Text to Value Conversion");
    EXPECT_EQ(model.joints->getCount(), 0u);
    joints->model.end.coordinates.type(1, "1");

    auto held = std::make_unique<HeldLock>(doc.lock);
    mai.answers = {platform::IDABORT};
    EXPECT_FALSE(creator->createObject());
    EXPECT_EQ(mai.boxes.back().caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(model.joints->getCount(), 0u);
    EXPECT_EQ(model.members->getCount(), 0u);
    EXPECT_EQ(creator->getStartJoint(), nullptr);
    held.reset();
    EXPECT_TRUE(creator->createObject());
    EXPECT_EQ(model.members->getCount(), 1u);
}

// The Joints pagette follows the phases: start block, then end block; a held button opens all.
TEST_F(MemberCreatorTest, TheJointsPagetteShowsTheStartThenTheEnd)
{
    VornJoint* a = model.addJoint("A", 1, 2, 3);
    const MemberJointsModel& shown = joints->model;
    mouse(InputEvent::Move, a);
    EXPECT_EQ(shown.start.name, "A");
    EXPECT_TRUE(shown.start.nameReadOnly && shown.start.coordinates.readOnly);
    EXPECT_EQ(shown.start.coordinates.value(2), 3.0);
    EXPECT_FALSE(shown.end.nameEnabled || shown.end.coordinates.enabled || shown.endColourEnabled);

    mouse(InputEvent::Move, nullptr, Vector3(5, 6, 7));
    EXPECT_EQ(shown.start.name, "---");
    EXPECT_FALSE(shown.start.nameReadOnly);
    EXPECT_EQ(shown.start.coordinates.text(0), "5");

    const int refreshes = view.cursorRefreshes;
    mouse(InputEvent::LeftUp, a); // chooses the start: nothing is fed
    EXPECT_EQ(creator->getStartJoint(), a);
    EXPECT_EQ(view.cursorRefreshes, refreshes + 1);
    EXPECT_EQ(shown.start.name, "---");

    mouse(InputEvent::Move, nullptr, Vector3(8, 0, 0));
    EXPECT_EQ(shown.start.name, "A");
    EXPECT_FALSE(shown.start.nameEnabled || shown.start.coordinates.enabled);
    EXPECT_TRUE(shown.end.nameEnabled && shown.end.coordinates.enabled && shown.end.coordinates.readOnly);
    EXPECT_EQ(shown.end.name, "---");
    EXPECT_EQ(shown.end.coordinates.value(0), 8.0);

    mouse(InputEvent::Move | InputEvent::LeftHeld, nullptr, Vector3(8, 0, 0));
    EXPECT_TRUE(shown.start.nameEnabled && shown.end.nameEnabled && shown.endColourEnabled);
    EXPECT_FALSE(shown.start.coordinates.readOnly || shown.end.coordinates.readOnly);

    // Raw mouse positions are never shown.
    gridSnap->screenDistance = -1.0;
    jointSnap->screenDistance = -1.0;
    creator->toolMenuItem->onMouse(&view, 300, 300, 0, InputEvent::Move);
    EXPECT_EQ(shown.end.coordinates.value(0), 8.0);

    // The start block forgets a start joint that was deleted.
    creator->deactivate();
    a->removeFromList();
    EXPECT_EQ(shown.shownStartJoint.get(), nullptr);
}

// A start chosen in one document is not the start of a member in another.
TEST_F(MemberCreatorTest, AnEndChosenInAnotherDocumentIsForgotten)
{
    VornJoint* a = model.addJoint("A", 0, 0, 0);
    click(a);
    ASSERT_EQ(creator->getStartJoint(), a);

    CountingDoc other(&mai);
    CursorView otherView(&other);
    ModelDocument otherModel(other.document);
    new ViewTypeInfo(viewType, &otherView);
    VornJoint* b = otherModel.addJoint("B", 1, 0, 0);
    mai.activeDocument = &other;
    mai.hoveredView = &otherView;
    click(b);
    EXPECT_EQ(creator->getStartJoint(), b);
    EXPECT_EQ(otherModel.members->getCount(), 0u);
    // CREATE in the first document again: the start from the other one is not used.
    mai.activeDocument = &doc;
    mai.hoveredView = &view;
    EXPECT_TRUE(creator->createObject());
    ASSERT_EQ(model.members->getCount(), 1u);
    EXPECT_EQ(ownListOf((*model.members)[0].getStartJoint()), model.joints);
    EXPECT_EQ(otherModel.members->getCount(), 0u);
}

TEST_F(MemberCreatorTest, WithoutADocumentOrAViewNothingHappens)
{
    mai.hoveredView = nullptr;
    mouse(InputEvent::LeftUp, nullptr, Vector3(1, 1, 1));
    EXPECT_EQ(model.joints->getCount(), 0u);
    mai.hoveredView = &view;
    mai.activeDocument = nullptr;
    EXPECT_FALSE(creator->createObject());
    EXPECT_EQ(model.joints->getCount(), 0u);
}

} // namespace
