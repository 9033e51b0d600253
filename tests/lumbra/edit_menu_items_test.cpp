#include "Lumbra/EditMenuItems.h"
#include "plugins/InputEvent.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "tests/support/HeldLock.h"

#include <memory>

using namespace lumbra;

namespace
{

class DeleteCommand : public LumbraCommandTest
{
protected:
    DeleteCommand() { adopt(item); }

    std::vector<std::string> jointNames() { return namesOf(model.joints); }
    std::vector<std::string> memberNames() { return namesOf(model.members); }

    PluginMenuItemDelete item;
};

struct DeleteCase
{
    std::vector<const char*> selected;
    std::vector<std::string> jointsLeft;
    std::vector<std::string> membersLeft;
    uint32_t forcesLeft;
};

class DeleteOfSelection : public DeleteCommand, public testing::WithParamInterface<DeleteCase>
{
};

TEST_P(DeleteOfSelection, RemovesTheSelectedJointsWithTheirMembersAndForcesAndLeavesAFreshEmptySelection)
{
    const DeleteCase& c = GetParam();
    select(c.selected);
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    log.probe = [this] { return static_cast<int>(model.joints->getCount() + model.members->getCount()); };

    item.execute(&view);

    EXPECT_EQ(jointNames(), c.jointsLeft);
    EXPECT_EQ(memberNames(), c.membersLeft);
    EXPECT_EQ(model.forces->getCount(), c.forcesLeft);
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged}));
    EXPECT_EQ(log.probes[1], 5) << "SELCH is sent before anything is removed";
    EXPECT_TRUE(doc.document.getSelection()->isEmpty());
    EXPECT_EQ(model.selections->getCount(), 1u) << "the deleted selection is gone";
    EXPECT_EQ(doc.invalidations, 1);
    EXPECT_TRUE(doc.lock.try_lock()) << "the lock is released";
    doc.lock.unlock();
}

// J1 carries F1; M1 joins J1 and J2, M2 joins J2 and J3.
INSTANTIATE_TEST_SUITE_P(Selections, DeleteOfSelection,
                         testing::Values(DeleteCase{{"J3"}, {"J1", "J2"}, {"M1"}, 1},
                                         DeleteCase{{"J1"}, {"J2", "J3"}, {"M2"}, 0},
                                         DeleteCase{{"J2"}, {"J1", "J3"}, {}, 1},
                                         DeleteCase{{"J1", "J3"}, {"J2"}, {}, 0},
                                         DeleteCase{{"M2"}, {"J1", "J2", "J3"}, {"M1"}, 1}));

TEST_F(DeleteCommand, TheEmptiedGroupOfADeletedJointEndsItself)
{
    select({"J3"});
    item.execute(&view);
    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr);
}

// An object that stays linked when asked to leave its list, as an element whose removal is already
// under way does: the delete must not go round it for ever.
class StayingObject : public VornSelectable
{
public:
    explicit StayingObject(BlockListBase* list) : list(list) {}
    void removeFromList() override { ++removals; }
    BlockListBase* getOwnerList() const override { return list; }

    BlockListBase* list;
    int removals = 0;
};

TEST_F(DeleteCommand, AnObjectThatWillNotLeaveIsUnlinkedAndTheRestIsDeleted)
{
    StayingObject staying(model.joints);
    VornSelection* selection = select({"J3"});
    selection->add(&staying);

    item.execute(&view);

    EXPECT_EQ(staying.removals, 1);
    EXPECT_EQ(staying.selections.getFirst(), nullptr) << "unlinked from the doomed selection";
    EXPECT_EQ(jointNames(), (std::vector<std::string>{"J1", "J2"}));
    EXPECT_TRUE(doc.document.getSelection()->isEmpty());
    EXPECT_EQ(model.selections->getCount(), 1u);
}

TEST_F(DeleteCommand, AClosedGroupGoesAsAWholeWithWhatDependsOnItsMembers)
{
    select({"G1"});

    item.execute(&view);

    EXPECT_EQ(jointNames(), (std::vector<std::string>{"J3"}));
    EXPECT_TRUE(memberNames().empty()) << "M1 was in the group, M2 hung on J2";
    EXPECT_EQ(model.forces->getCount(), 0u) << "the force on J1 goes with it";
    EXPECT_EQ(model.named<VornGroup>("G1"), nullptr);
    EXPECT_NE(model.named<VornGroup>("G2"), nullptr);
}

TEST_F(DeleteCommand, DoesNothingWithoutViewOrSelectionAndIsEnabledOnlyWithASelection)
{
    EXPECT_EQ(update(item, nullptr).enabled, 0);
    EXPECT_EQ(update(item, &view).enabled, 0);
    item.execute(nullptr);
    item.execute(&view);
    EXPECT_EQ(model.joints->getCount(), 3u);
    EXPECT_EQ(doc.invalidations, 0);

    select({"M2"});
    EXPECT_EQ(update(item, &view).enabled, 1);
    EXPECT_EQ(update(item, nullptr).enabled, 0);
}

TEST_F(DeleteCommand, LockTimeOutAsksAndAbortOrIgnoreLeaveTheModelAlone)
{
    item.lockTimeout = std::chrono::milliseconds(5);
    HeldLock calculation(doc.lock);
    for (int32_t answer : {platform::IDABORT, platform::IDIGNORE})
    {
        select({"J3"});
        mai.boxes.clear();
        mai.answers = {answer};

        item.execute(&view);

        ASSERT_EQ(mai.boxes.size(), 1u) << "answer " << answer;
        EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
        EXPECT_EQ(mai.boxes[0].text,
                  "Delete function\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
                  "Abort Delete?\nRetry to gain access?\nOr ignore? (could cause program crash)");
        EXPECT_EQ(mai.boxes[0].type & platform::MB_TYPEMASK, platform::MB_ABORTRETRYIGNORE);
        EXPECT_EQ(mai.boxes[0].type & platform::MB_ICONMASK, platform::MB_ICONEXCLAMATION);
        EXPECT_EQ(model.joints->getCount(), 3u);
        EXPECT_EQ(selectedNames(), (std::vector<std::string>{"J3"})) << "the selection is untouched";
        EXPECT_EQ(doc.invalidations, 0);
    }
}

TEST_F(DeleteCommand, RetryWaitsAgainAndDeletesOnceTheLockIsFree)
{
    item.lockTimeout = std::chrono::milliseconds(5);
    select({"J3"});
    auto calculation = std::make_unique<HeldLock>(doc.lock);
    mai.answers = {platform::IDRETRY, platform::IDRETRY};
    mai.onBox = [&] {
        if (mai.boxes.size() == 2)
            calculation.reset();
    };

    item.execute(&view);

    EXPECT_EQ(mai.boxes.size(), 2u);
    EXPECT_EQ(model.joints->getCount(), 2u);
}

TEST_F(LumbraCommandTest, FreezeAndHideOnlySayTheyDoNothingYet)
{
    PluginMenuItemFreeze freeze;
    PluginMenuItemHide hide;
    adopt(freeze);
    adopt(hide);
    select({"J3", "M2"});
    const uint32_t j3Before = object("J3")->colorAndFlags;

    freeze.execute(&view);
    hide.execute(&view);

    ASSERT_EQ(mai.boxes.size(), 2u);
    EXPECT_EQ(mai.boxes[0].text, "\"Freeze\" doesn't do anything... yet.");
    EXPECT_EQ(mai.boxes[1].text, "\"Hide\" doesn't do anything... yet.");
    for (const auto& box : mai.boxes)
    {
        EXPECT_EQ(box.caption, "errr...");
        EXPECT_EQ(box.type, platform::MB_OK);
    }
    EXPECT_EQ(object("J3")->colorAndFlags, j3Before);
    EXPECT_EQ(update(freeze, &view).enabled, 1);
    EXPECT_EQ(update(hide, &view).enabled, 1);
    doc.document.newSelection();
    EXPECT_EQ(update(freeze, &view).enabled, 0);
    EXPECT_EQ(update(hide, &view).enabled, 0);
}

// A view type whose selection handler records the mouse events it gets.
class PickingViewType : public FakeViewType
{
public:
    void onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags) override
    {
        picks.push_back({x, y, static_cast<int32_t>(flags)});
    }
    std::vector<std::vector<int32_t>> picks;
};

TEST_F(LumbraCommandTest, SelectBecomesTheActiveToolOnceAndHandsTheMouseToTheViewType)
{
    PluginMenuItemSelect select;
    adopt(select);
    RecordingDialog dialog;
    mai.pluginLists.dialogs = &dialog;
    EXPECT_EQ(update(select, nullptr).enabled, 0);
    EXPECT_EQ(update(select, &view).radio, 0);

    select.execute(nullptr);
    EXPECT_EQ(doc.getActiveMenuItem(), nullptr);
    select.execute(&view);
    select.execute(&view);
    EXPECT_EQ(doc.getActiveMenuItem(), &select);
    EXPECT_EQ(dialog.offered, (std::vector<std::string>{"Select"})) << "told once";
    RecordedCommandState state = update(select, &view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.radio, 1);

    PickingViewType viewType;
    viewType.getViewTypeInfo(&view);
    EXPECT_TRUE(select.onMouse(&view, 0, 0, 0, InputEvent::Probe));
    EXPECT_TRUE(viewType.picks.empty()) << "the question is only answered";
    EXPECT_TRUE(select.onMouse(&view, 12, 34, 0, 0x101));
    EXPECT_EQ(viewType.picks, (std::vector<std::vector<int32_t>>{{12, 34, 0x101}}));
    doc.setActiveMenuItem(nullptr);
    mai.pluginLists.dialogs = nullptr;
}

TEST_F(LumbraCommandTest, AddToPropListBeepsAlwaysAndAddsEachSelectedObjectOnce)
{
    PluginMenuItemAddToPropList add(nullptr);
    adopt(add);
    ChannelLog log(mai, {Channel::PropertyListChanged});
    VornSelection* propertyList = doc.document.getPropertyListSelection();

    add.execute(&view);
    add.execute(nullptr);
    EXPECT_EQ(mai.beeps, 2);
    EXPECT_TRUE(propertyList->isEmpty());
    EXPECT_TRUE(log.heard.empty());
    EXPECT_EQ(update(add, &view).enabled, 0);

    select({"J1", "M2"});
    EXPECT_EQ(update(add, &view).enabled, 1);
    add.execute(&view);
    select({"M2", "J3"});
    add.execute(&view);

    EXPECT_EQ(mai.beeps, 4);
    std::vector<std::string> listed;
    for (knot* link = propertyList->objects.getFirst(); link != nullptr; link = link->getNext())
        listed.push_back(VornSelection::objectOf(link)->name.getString());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"J1", "J3", "M2"}));
    EXPECT_EQ(log.heard.size(), 2u);
    EXPECT_EQ(log.payloads, (std::vector<void*>{nullptr, nullptr}));
    EXPECT_STREQ(add.getMenuPath(), "&Tools\\&Property List\\&Add Selected");
    EXPECT_EQ(add.getBitmapID(), 0);
}

TEST_F(LumbraCommandTest, ResetActiveDeactivatesAndReactivatesTheActiveTool)
{
    PluginMenuItemResetActive reset;
    adopt(reset);
    RecordingMenuItem tool;

    reset.execute(&view);
    EXPECT_EQ(update(reset, &view).enabled, 1);
    EXPECT_EQ(update(reset, nullptr).enabled, 0);

    doc.setActiveMenuItem(&tool);
    tool.calls.clear();
    reset.execute(nullptr);
    EXPECT_TRUE(tool.calls.empty());
    reset.execute(&view);
    EXPECT_EQ(tool.calls, (std::vector<std::string>{"deactivate", "activate"}));
    EXPECT_EQ(doc.getActiveMenuItem(), &tool);
    EXPECT_EQ(reset.getMenuPath(), nullptr);
    EXPECT_STREQ(reset.getDescription(), "Reset Active MenuItem:\nDeactivates and Reactivates Active MenuItem.");
}

} // namespace
