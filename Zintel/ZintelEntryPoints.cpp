// The six exported entry points of the library.

#include "Zintel/ZintelPlugins.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginLibraryApplication.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/Trace.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return static_cast<std::uint32_t>(zintel::pluginTable.size());
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    zintel::application();
    return zintel::createPlugin(index);
}

// The library's windowed plugins carry their own dialog objects, so the host makes their windows
// itself and never needs to ask here.
PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request)
{
    vornTrace("Inside Zintel DLL\n");
    return nullptr;
}

int FilterDllMsg(platform::Message* message)
{
    return zintel::application().filterMessage(message);
}

void ProcessDllIdle()
{
    zintel::application().processIdle();
}
