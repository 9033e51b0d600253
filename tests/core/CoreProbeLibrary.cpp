// A plugin library built like Lumbra and Zintel from the same core; the core tests build it twice
// under two names.

#include "plugins/PluginLibraryExports.h"
#include "tests/core/CoreProbe.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return 1;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    return index == 0 ? new CoreProbePlugin : nullptr;
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
