// The six exported entry points of the library.

#include "plugins/PluginLibraryExports.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return 0;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    return nullptr;
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
