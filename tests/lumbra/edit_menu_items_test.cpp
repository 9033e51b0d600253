#include "Lumbra/EditMenuItems.h"
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

TEST_F(DeleteCommand, RemovesTheSelectedJointWithItsMembersAndLeavesAFreshEmptySelection)
{
    select({"J3"});
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    log.probe = [this] { return static_cast<int>(model.joints->getCount()); };

    item.execute(&view);

    EXPECT_EQ(jointNames(), (std::vector<std::string>{"J1", "J2"}));
    EXPECT_EQ(memberNames(), (std::vector<std::string>{"M1"})) << "M2 hangs on J3 and goes with it";
    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr) << "the emptied group ends itself";
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged}));
    EXPECT_EQ(log.probes[1], 3) << "SELCH is sent before anything is removed";
    EXPECT_TRUE(doc.document.getSelection()->isEmpty());
    EXPECT_EQ(model.selections->getCount(), 1u) << "the deleted selection is gone";
    EXPECT_EQ(doc.invalidations, 1);
    EXPECT_TRUE(doc.lock.try_lock()) << "the lock is released";
    doc.lock.unlock();
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
