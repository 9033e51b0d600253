#pragma once

class IdleTaskManager;

// A small job a library runs each time the program is idle. Its owner embeds it and keeps it as
// long as the library lives: there is no way to take a task back.
class IdleTask
{
public:
    IdleTask() = default;
    IdleTask(const IdleTask&) = delete;
    IdleTask& operator=(const IdleTask&) = delete;

    virtual void run() = 0;

protected:
    ~IdleTask() = default;

private:
    friend class IdleTaskManager;
    IdleTask* nextTask = nullptr;
    bool added = false;
};

// The chain of a library's idle tasks; the task added last runs first. Each library has its own
// (`instanciate`, `instance`).
class IdleTaskManager
{
public:
    IdleTaskManager() = default;
    IdleTaskManager(const IdleTaskManager&) = delete;
    IdleTaskManager& operator=(const IdleTaskManager&) = delete;

    // Makes the library's manager when it has none; later calls do nothing.
    static IdleTaskManager& instanciate();
    // The library's manager; a program error before `instanciate`.
    static IdleTaskManager& instance();

    // A null task is a program error; a task already added stays where it is.
    void addTask(IdleTask* task);
    void runTasks();

private:
    IdleTask* firstTask = nullptr;
    static IdleTaskManager* _singletoninstance;
};
