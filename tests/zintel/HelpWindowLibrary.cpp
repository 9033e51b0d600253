// A plugin library that hands out the OpenGL view library's help window, which that library
// itself never does: put beside the real libraries, it lets a run of the program open the window
// from "&Help\&Contents".
#include "Zintel/HelpWindow.h"
#include "Zintel/ZintelLibrary.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginLibraryExports.h"
#include "platform/Resources.h"

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    attachPluginLibrary(device);
}

std::uint32_t GetPluginCount()
{
    return 1;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle)
{
    platform::ResourceModuleScope scope(zintel::thisModule());
    return index == 0 ? new zintel::PluginHelpWindow : nullptr;
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
