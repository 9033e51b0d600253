#pragma once

#include "platform/DynamicLibrary.h"
#include "plugins/PluginLibraryExports.h"

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
    std::vector<std::string> failures;    // one line per library that could not be loaded
};

// Loads every "*.plvd" file of `folder`, sorted by name so the order is the same on every machine.
// A library that fails to load is skipped and reported in `failures`.
PluginLibraryLoadResult loadPluginLibraries(const std::string& folder);

// Loads one library and binds its six entry points.
PluginLibrary loadPluginLibrary(const std::string& path);
