#include "tests/boundary/BoundaryProbe.h"
#include "plugins/PluginLibraryExports.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    (void)device;
}

std::uint32_t GetPluginCount()
{
    return 1;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    return index == 0 ? new BoundaryProbePlugin : nullptr;
}

PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request)
{
    return nullptr;
}

int FilterDllMsg(platform::Message* message)
{
    return 0;
}

void ProcessDllIdle()
{
}
