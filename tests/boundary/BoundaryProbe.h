#pragma once

#include "VornData/generalException.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "platform/Threads.h"
#include "plugins/VornPlugin.h"

#include <atomic>

// Everything here is inline, so the host and the probe library each compile their own copy: the
// object made in the library runs the library's copy through its virtual table, the host's direct
// calls run the host's.

// A counter per module: each module that compiles this function has its own static.
inline int bumpModuleCounter()
{
    static int counter = 0;
    return ++counter;
}

class BoundaryProbePlugin : public VornPlugin
{
public:
    const char* getTypeName() override { return "Boundary Probe"; }
    const char* getName() override { return "Probe"; }
    void about(PluginWindowHandle* parent) override {}
    virtual void raiseInternalError() { throw Exc_InternalError("BoundaryProbePlugin::raiseInternalError"); }
    virtual int bumpCounterInOwnModule() { return bumpModuleCounter(); }
    // A worker of the library asks a question; the user-interface thread keeps handling messages
    // until the worker has its answer.
    virtual int32_t askFromAWorker(const char* text)
    {
        platform::WorkerThread worker;
        std::atomic<int32_t> answer{-1};
        if (!worker.start([&] {
                answer =
                    platform::messageBox(platform::WindowHandle::None, text, "Probe", platform::MB_ABORTRETRYIGNORE);
                return 0u;
            }))
            return -1;
        while (worker.isRunning())
            platform::Application::instance()->processMessages();
        return answer.load();
    }
};

// A class the probe never instantiates: a cast to it must fail in the host.
class UnrelatedPlugin : public VornPlugin
{
public:
    const char* getTypeName() override { return "Unrelated"; }
    const char* getName() override { return "Unrelated"; }
    void about(PluginWindowHandle* parent) override {}
};
