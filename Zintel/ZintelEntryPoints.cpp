// The six exported entry points of the library.

#include "Zintel/Bitmaps.h"
#include "Zintel/Pages/OpenGLPagettes.h"
#include "Zintel/ScalelessSize.h"
#include "Zintel/ZintelLibrary.h"
#include "Zintel/ZintelPlugins.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginLibraryApplication.h"
#include "plugins/PluginLibraryExports.h"
#include "plugins/Trace.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    // The library's pictures and dialog templates are known from its loading on, as every
    // library's are.
    zintel::registerBitmapResources();
    zintel::registerOpenGLPageTemplates();
    zintel::registerScalelessSizeTemplate();
    attachPluginLibrary(device);
}

// Every entry point but the first runs in the library's resource context, so that dialog
// templates, bitmaps and cursors are found in this library.

std::uint32_t GetPluginCount()
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    return static_cast<std::uint32_t>(zintel::pluginTable.size());
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    zintel::application();
    return zintel::createPlugin(index);
}

// The library's windowed plugins carry their own dialog objects, so the host makes their windows
// itself; a call here is a fault of the caller, and says so.
PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request)
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    vornTrace("Inside Zintel DLL\n");
    platform::messageBox(platform::WindowHandle::None,
                         "GetPluginWindow() in Zintel.dll\nis called.\nthis should NOT happen!", "Listen...",
                         platform::MB_OK);
    return nullptr;
}

int FilterDllMsg(platform::Message* message)
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    return zintel::application().filterMessage(message);
}

void ProcessDllIdle()
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    zintel::application().processIdle();
}
