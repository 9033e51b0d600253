#include "plugins/PluginLibraryApplication.h"

#include "plugins/IdleTask.h"
#include "plugins/Trace.h"

PluginLibraryApplication::PluginLibraryApplication(const char* name, bool runsIdleTasks)
    : name(name), runsIdleTasks(runsIdleTasks)
{
    vornTrace("TRACE.DLL initializing\n");
    if (runsIdleTasks)
        IdleTaskManager::instanciate();
}

int PluginLibraryApplication::filterMessage(platform::Message* message) noexcept
{
    try
    {
        return preTranslateMessage(message) ? 1 : 0;
    }
    catch (...)
    {
        return 0;
    }
}

void PluginLibraryApplication::processIdle() noexcept
{
    try
    {
        for (int32_t count = 0; onIdle(count); ++count)
        {
        }
        if (runsIdleTasks)
            IdleTaskManager::instance().runTasks();
    }
    catch (...)
    {
    }
}

bool PluginLibraryApplication::preTranslateMessage(platform::Message* message)
{
    return false;
}

bool PluginLibraryApplication::onIdle(int32_t count)
{
    return false;
}
