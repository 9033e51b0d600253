#include "plugins/IdleTask.h"

#include "VornData/generalException.h"

#include <new>

IdleTaskManager* IdleTaskManager::_singletoninstance = nullptr;

IdleTaskManager& IdleTaskManager::instanciate()
{
    if (_singletoninstance == nullptr)
    {
        _singletoninstance = new (std::nothrow) IdleTaskManager;
        if (_singletoninstance == nullptr)
            throw Exc_OutOfMemory("IdleTaskManager::instanciate()");
    }
    return *_singletoninstance;
}

IdleTaskManager& IdleTaskManager::instance()
{
    if (_singletoninstance == nullptr)
        throw Exc_InternalError("IdleTaskManager::instance()");
    return *_singletoninstance;
}

void IdleTaskManager::addTask(IdleTask* task)
{
    if (task == nullptr)
        throw Exc_InternalError("IdleTaskManager::addTask");
    // A second add would make the chain a ring and the idle pass endless.
    if (task->added)
        return;
    task->added = true;
    task->nextTask = firstTask;
    firstTask = task;
}

void IdleTaskManager::runTasks()
{
    for (IdleTask* task = firstTask; task != nullptr; task = task->nextTask)
        task->run();
}
