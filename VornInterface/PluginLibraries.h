#pragma once

#include "platform/DynamicLibrary.h"
#include "plugins/PluginLibraryExports.h"

#include <cstdint>
#include <string>
#include <vector>

// One plugin library loaded by the host, with its entry points bound by name (null when absent).
struct PluginLibrary
{
    platform::DynamicLibrary library;
    ProcessGlobalObjectDeviceFunction processGlobalObjectDevice = nullptr;
    GetPluginCountFunction getPluginCount = nullptr;
    GetPluginObjectFunction getPluginObject = nullptr;
    GetPluginWindowFunction getPluginWindow = nullptr;
    FilterDllMsgFunction filterDllMsg = nullptr;
    ProcessDllIdleFunction processDllIdle = nullptr;

    // A library without both of these stays loaded but contributes no plugins.
    bool handsOutPlugins() const { return getPluginCount != nullptr && getPluginObject != nullptr; }
    // The message filter and the idle hook are only used as a pair.
    bool takesMessagesAndIdle() const { return filterDllMsg != nullptr && processDllIdle != nullptr; }
};

struct PluginLibraryLoadResult
{
    std::vector<PluginLibrary> libraries; // in load order: sorted by file name
    std::vector<std::string> failures; // one line per library that could not be loaded
};

// The "*.plvd" files of `folder`, sorted by name; none when the folder cannot be read.
std::vector<std::string> pluginLibraryPaths(const std::string& folder);

// Loads every "*.plvd" file of `folder`, sorted by name so the order is the same on every machine.
// A library that fails to load is skipped and reported in `failures`.
PluginLibraryLoadResult loadPluginLibraries(const std::string& folder);

// Loads one library and binds its six entry points.
PluginLibrary loadPluginLibrary(const std::string& path);

class GlobalObjectDevice;
class MAI;
class PluginManager;
class PluginRegistryListener;
class StartupStatus;

// What registering the plugin libraries of a folder gave.
struct PluginRegistration
{
    std::uint32_t pluginCount = 0; // top-level plugin objects registered
    std::vector<PluginLibrary> libraries; // every library that loaded, in load order
    std::vector<std::string> failures; // one line per library that failed to load or threw
};

// Loads the libraries of `folder` in name order. Each is handed the device (when it exports
// ProcessGlobalObjectDevice) and, when it hands out plugins, each plugin object gets the library's
// module and the application interface and is added to the registry. Status texts "Loading <path>"
// go to `status`, one line per added plugin to `listener` (both may be null). A library that
// throws is reported in the failures and contributes what it registered before.
PluginRegistration registerPluginLibraries(const std::string& folder, GlobalObjectDevice* device, MAI* mai,
                                           PluginManager& registry, StartupStatus* status,
                                           PluginRegistryListener* listener);
