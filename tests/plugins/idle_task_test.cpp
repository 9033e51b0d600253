#include "plugins/IdleTask.h"
#include "plugins/PluginLibraryApplication.h"

#include "VornData/generalException.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class AppendingTask : public IdleTask
{
public:
    AppendingTask(std::string& log, char mark) : log(log), mark(mark) {}
    void run() override { log += mark; }
    std::string& log;
    char mark;
};

} // namespace

TEST(IdleTasks, RunNewestFirstOnEveryPass)
{
    IdleTaskManager manager;
    std::string log;
    manager.runTasks(); // nothing registered: nothing happens
    AppendingTask a(log, 'A'), b(log, 'B');
    manager.addTask(&a);
    manager.addTask(&b);
    manager.runTasks();
    manager.runTasks();
    EXPECT_EQ(log, "BABA");
}

TEST(IdleTasks, ATaskAddedTwiceRunsOnceAndANullTaskIsRefused)
{
    IdleTaskManager manager;
    std::string log;
    AppendingTask a(log, 'A'), b(log, 'B');
    manager.addTask(&a);
    manager.addTask(&b);
    manager.addTask(&a);
    manager.runTasks();
    EXPECT_EQ(log, "BA");
    EXPECT_THROW(manager.addTask(nullptr), Exc_InternalError);
}

TEST(IdleTasks, TheLibraryManagerIsMadeOnce)
{
    IdleTaskManager& manager = IdleTaskManager::instanciate();
    EXPECT_EQ(&IdleTaskManager::instanciate(), &manager);
    EXPECT_EQ(&IdleTaskManager::instance(), &manager);
}

TEST(IdleTasks, TheLibraryIdlePassRunsTheTasksAndSwallowsWhatTheyThrow)
{
    // Tasks of the library manager live as long as the program, like the library's own.
    static std::string log;
    static AppendingTask first(log, '1');
    class ThrowingTask : public IdleTask
    {
    public:
        void run() override
        {
            if (armed)
                throw Exc_InternalError("ThrowingTask::run");
        }
        bool armed = false;
    };
    static ThrowingTask thrower;
    PluginLibraryApplication application("Test.dll", true);
    IdleTaskManager::instance().addTask(&first);
    IdleTaskManager::instance().addTask(&thrower);
    application.processIdle();
    EXPECT_EQ(log, "1");
    thrower.armed = true;
    application.processIdle(); // the throw ends the pass: the older task does not run
    EXPECT_EQ(log, "1");
    thrower.armed = false;
    EXPECT_EQ(application.filterMessage(nullptr), 0);
}
