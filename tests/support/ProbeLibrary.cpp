#include "tests/support/ProbeLibrary.h"

#include "plugins/PluginLibraryExports.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    probeLibraryReceivesDevice(device);
}

std::uint32_t GetPluginCount()
{
    return 1;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle)
{
    return index == 0 ? makeProbePlugin() : nullptr;
}

PluginWindowHandle* GetPluginWindow(PluginWindowHandle*, PluginWindowRequest*)
{
    return nullptr;
}

int FilterDllMsg(platform::Message*)
{
    return 0;
}

void ProcessDllIdle()
{
}
