#include "plugins/IdleTask.h"

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
