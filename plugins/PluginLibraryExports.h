#pragma once

// The six functions a plugin library exports by name, the only symbols it exports. The host
// binds them with platform::DynamicLibrary::symbol after loading the library.

#include "platform/DynamicLibrary.h"

#include <cstdint>

class GlobalObjectDevice;
class VornPlugin;
class PluginWindowHandle;
struct PluginWindowRequest;
namespace platform
{
struct Message;
}

#define VORN_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

VORN_PLUGIN_EXPORT void ProcessGlobalObjectDevice(GlobalObjectDevice* device);
VORN_PLUGIN_EXPORT std::uint32_t GetPluginCount();
VORN_PLUGIN_EXPORT VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module);
VORN_PLUGIN_EXPORT PluginWindowHandle* GetPluginWindow(PluginWindowHandle* parent, PluginWindowRequest* request);
VORN_PLUGIN_EXPORT int FilterDllMsg(platform::Message* message);
VORN_PLUGIN_EXPORT void ProcessDllIdle();

using ProcessGlobalObjectDeviceFunction = decltype(&ProcessGlobalObjectDevice);
using GetPluginCountFunction = decltype(&GetPluginCount);
using GetPluginObjectFunction = decltype(&GetPluginObject);
using GetPluginWindowFunction = decltype(&GetPluginWindow);
using FilterDllMsgFunction = decltype(&FilterDllMsg);
using ProcessDllIdleFunction = decltype(&ProcessDllIdle);
