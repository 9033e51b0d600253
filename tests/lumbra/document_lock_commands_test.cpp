// Every command that changes the model waits for the document lock that a calculation's worker
// holds, asks Abort/Retry/Ignore when the wait expires, and changes nothing unless it got the lock.
#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/EditMenuItems.h"
#include "Lumbra/GroupMenuItems.h"
#include "Lumbra/JointPropertyToggles.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <functional>
#include <memory>
#include <sstream>
#include <thread>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

// One command that changes the model: the name its box shows, what it needs selected, how it runs,
// and whether it edits what an export keeps (opening and closing groups change only marks that no
// file holds).
struct LockingCommand
{
    const char* name;
    std::vector<const char*> selection;
    std::function<void(MAI_View*)> run;
    bool editsModel = true;
};

class CommandsUnderTheDocumentLock : public LumbraCommandTest
{
protected:
    CommandsUnderTheDocumentLock()
    {
        jointSupportState().stale = true;
        for (LumbraMenuItem* item :
             std::initializer_list<LumbraMenuItem*>{&remove, &closeGroup, &openGroup, &rotation, &translation, &rigid})
        {
            adopt(*item);
            item->lockTimeout = 5ms;
        }
    }

    std::vector<LockingCommand> commands()
    {
        return {
            {"Close Group", {"J3", "M2"}, [this](MAI_View* v) { closeGroup.execute(v); }, false},
            {"Open Group", {"G1"}, [this](MAI_View* v) { openGroup.execute(v); }, false},
            {"Create Group",
             {"J3", "M2"},
             [this](MAI_View*) { createGroupOfSelection(doc, &mai, "Frame", 0x80FF80, 5ms); }},
            {"Toggle Block Rotation", {"J1", "J3"}, [this](MAI_View* v) { rotation.execute(v); }},
            {"Toggle Block Translation", {"J1", "J3"}, [this](MAI_View* v) { translation.execute(v); }},
            {"Toggle Rigid Joint", {"J1", "J3"}, [this](MAI_View* v) { rigid.execute(v); }},
            // Last: it takes J3 away.
            {"Delete", {"J3"}, [this](MAI_View* v) { remove.execute(v); }},
        };
    }

    // Selects what the command works on, as a pick tool would, and answers the model's state.
    std::string prepare(const LockingCommand& command)
    {
        select(command.selection);
        mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
        return modelState();
    }

    // Everything the commands may change: lists, names, support bytes, flags and the selection.
    std::string modelState()
    {
        std::ostringstream state;
        state << namesOf(model.joints).size() << " joints, " << namesOf(model.members).size() << " members, "
              << model.groups->getCount() << " groups, " << model.selections->getCount() << " selections;";
        for (uint32_t index = 0; index < model.groups->getCount(); ++index)
            state << ' ' << (*model.groups)[index].name.getString() << '/' << std::hex
                  << (*model.groups)[index].getFlags() << std::dec;
        for (uint32_t index = 0; index < model.joints->getCount(); ++index)
            state << ' ' << (*model.joints)[index].name.getString() << ':' << int((*model.joints)[index].supportFlags)
                  << '/' << std::hex << (*model.joints)[index].getFlags() << std::dec;
        state << "; selected";
        for (const std::string& name : selectedNames())
            state << ' ' << name;
        return state.str();
    }

    PluginMenuItemDelete remove;
    PluginMenuItemGroupClose closeGroup;
    PluginMenuItemGroupOpen openGroup;
    PluginMenuItemToggleBlockRotation rotation;
    PluginMenuItemToggleBlockTranslation translation;
    PluginMenuItemToggleRigidJoint rigid;
};

TEST_F(CommandsUnderTheDocumentLock, AbortOrIgnoreAfterTheTimeOutLeaveTheModelUntouched)
{
    for (const LockingCommand& command : commands())
    {
        for (const int32_t answer : {platform::IDABORT, platform::IDIGNORE})
        {
            SCOPED_TRACE(std::string(command.name) + (answer == platform::IDABORT ? ": Abort" : ": Ignore"));
            const std::string before = prepare(command);
            ChannelLog log(mai,
                           {Channel::SelectionChanging, Channel::SelectionChanged, Channel::ObjectsPropertyChanged});
            mai.boxes.clear();
            mai.answers = {answer};
            const int invalidations = doc.invalidations;
            {
                HeldLock calculation(doc.lock);
                command.run(&view);
            }

            ASSERT_EQ(mai.boxes.size(), 1u);
            EXPECT_EQ(mai.boxes[0].text, documentLockWaitingText(command.name));
            EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
            EXPECT_EQ(mai.boxes[0].type & platform::MB_TYPEMASK, platform::MB_ABORTRETRYIGNORE);
            EXPECT_EQ(modelState(), before);
            EXPECT_TRUE(log.heard.empty()) << "nothing is announced";
            EXPECT_EQ(doc.invalidations, invalidations);
        }
    }
}

TEST_F(CommandsUnderTheDocumentLock, RetryWaitsAgainAndTheCommandRunsOnceTheLockIsFree)
{
    for (const LockingCommand& command : commands())
    {
        SCOPED_TRACE(command.name);
        const std::string before = prepare(command);
        auto calculation = std::make_unique<HeldLock>(doc.lock);
        mai.boxes.clear();
        mai.answers = {platform::IDRETRY, platform::IDRETRY};
        mai.onBox = [&] {
            if (mai.boxes.size() == 2)
                calculation.reset();
        };

        command.run(&view);

        mai.onBox = nullptr;
        EXPECT_EQ(mai.boxes.size(), 2u);
        EXPECT_NE(modelState(), before);
        ASSERT_TRUE(doc.lock.try_lock()) << "released again";
        doc.lock.unlock();
    }
}

TEST_F(CommandsUnderTheDocumentLock, AFreeLockIsTakenWithoutAsking)
{
    for (const LockingCommand& command : commands())
    {
        SCOPED_TRACE(command.name);
        const std::string before = prepare(command);

        command.run(&view);

        EXPECT_TRUE(mai.boxes.empty());
        EXPECT_NE(modelState(), before);
    }
}

TEST_F(CommandsUnderTheDocumentLock, EditsOfTheModelMarkTheDocumentUntilItsExportAndAGivenUpCommandDoesNot)
{
    for (const LockingCommand& command : commands())
    {
        SCOPED_TRACE(command.name);
        prepare(command);
        doc.markExported();
        mai.answers = {platform::IDABORT};
        {
            HeldLock calculation(doc.lock);
            command.run(&view);
        }
        EXPECT_FALSE(doc.hasUnexportedChanges()) << "given up";

        command.run(&view);

        EXPECT_EQ(doc.hasUnexportedChanges(), command.editsModel);
    }
}

TEST_F(CommandsUnderTheDocumentLock, TheChangeAndItsNoticesHappenWhileTheLockIsHeld)
{
    // Whether a calculation's worker could take the lock at this moment.
    const auto lockedAgainstWorkers = [this] {
        bool taken = false;
        std::thread worker([&] {
            taken = doc.lock.try_lock();
            if (taken)
                doc.lock.unlock();
        });
        worker.join();
        return taken ? 0 : 1;
    };
    for (const LockingCommand& command : commands())
    {
        SCOPED_TRACE(command.name);
        prepare(command);
        ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged, Channel::ObjectsPropertyChanged});
        log.probe = lockedAgainstWorkers;

        command.run(&view);

        ASSERT_FALSE(log.probes.empty());
        EXPECT_EQ(log.probes, std::vector<int>(log.probes.size(), 1)) << "a worker could step in between";
        EXPECT_EQ(lockedAgainstWorkers(), 0) << "free again afterwards";
    }
}

TEST(DocumentLockWaitingText, NamesTheWaitingCommandTwice)
{
    EXPECT_EQ(documentLockWaitingText("Delete"),
              "Delete function\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
              "Abort Delete?\nRetry to gain access?\nOr ignore? (could cause program crash)");
}

} // namespace
