// The six exported entry points of the library.

#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraPlugins.h"
#include "VornData/PropertyDescriptor.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginLibraryApplication.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/Trace.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    if (!attachPluginLibrary(device))
        return;
    // This library describes the properties of the shared types (the property list shows them).
    registerBaseObjectProperties();
    registerVertexProperties();
    registerJointProperties();
    registerMemberProperties();
}

std::uint32_t GetPluginCount()
{
    return static_cast<std::uint32_t>(lumbra::pluginTable.size());
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    lumbra::application();
    return lumbra::createPlugin(index);
}

PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request)
{
    vornTrace("Inside Lumbra DLL\n");
    return makePluginWindow(parent, request, lumbra::windowTable, lumbra::makeWindowHandle);
}

int FilterDllMsg(platform::Message* message)
{
    return lumbra::application().filterMessage(message);
}

void ProcessDllIdle()
{
    lumbra::application().processIdle();
}
