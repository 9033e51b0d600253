#pragma once

#include "plugins/PlatformTypes.h"

#include <cstdint>

// The application object of a plugin library: what its FilterDllMsg and ProcessDllIdle drive.
// Nothing a library's code throws gets past it into the host's message loop.
class PluginLibraryApplication
{
public:
    // `runsIdleTasks`: the library keeps idle tasks, whose manager the application makes.
    PluginLibraryApplication(const char* name, bool runsIdleTasks);
    PluginLibraryApplication(const PluginLibraryApplication&) = delete;
    PluginLibraryApplication& operator=(const PluginLibraryApplication&) = delete;

    const char* getName() const { return name; }

    // Nonzero when the library consumed the message; 0 also when its code threw.
    int filterMessage(platform::Message* message) noexcept;
    // The library's idle processing until it wants no more, then its idle tasks once; a throw
    // ends the pass without the tasks.
    void processIdle() noexcept;

private:
    // The library's modeless dialogs get their keyboard handling from the platform itself, so
    // nothing is left to take here.
    bool preTranslateMessage(platform::Message* message);
    // True while more idle work is wanted.
    bool onIdle(int32_t count);

    const char* name;
    bool runsIdleTasks;
};
