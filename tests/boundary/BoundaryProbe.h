#pragma once

#include "VornData/generalException.h"
#include "plugins/VornPlugin.h"

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
};

// A class the probe never instantiates: a cast to it must fail in the host.
class UnrelatedPlugin : public VornPlugin
{
public:
    const char* getTypeName() override { return "Unrelated"; }
    const char* getName() override { return "Unrelated"; }
    void about(PluginWindowHandle* parent) override {}
};
