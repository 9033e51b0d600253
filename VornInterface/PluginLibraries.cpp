#include "VornInterface/PluginLibraries.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace
{

template <typename Function>
Function bind(const platform::DynamicLibrary& library, const char* name)
{
    return reinterpret_cast<Function>(library.symbol(name));
}

} // namespace

PluginLibrary loadPluginLibrary(const std::string& path)
{
    PluginLibrary plugin;
    plugin.library = platform::DynamicLibrary::load(path);
    if (!plugin.library.isLoaded())
        return plugin;
    plugin.processGlobalObjectDevice = bind<ProcessGlobalObjectDeviceFunction>(plugin.library, "ProcessGlobalObjectDevice");
    plugin.getPluginCount = bind<GetPluginCountFunction>(plugin.library, "GetPluginCount");
    plugin.getPluginObject = bind<GetPluginObjectFunction>(plugin.library, "GetPluginObject");
    plugin.getPluginWindow = bind<GetPluginWindowFunction>(plugin.library, "GetPluginWindow");
    plugin.filterDllMsg = bind<FilterDllMsgFunction>(plugin.library, "FilterDllMsg");
    plugin.processDllIdle = bind<ProcessDllIdleFunction>(plugin.library, "ProcessDllIdle");
    return plugin;
}

PluginLibraryLoadResult loadPluginLibraries(const std::string& folder)
{
    PluginLibraryLoadResult result;
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
    {
        if (entry->path().extension() == ".plvd" && entry->is_regular_file(error))
            paths.push_back(entry->path());
    }
    std::sort(paths.begin(), paths.end());
    for (const std::filesystem::path& path : paths)
    {
        PluginLibrary plugin = loadPluginLibrary(path.string());
        if (plugin.library.isLoaded())
            result.libraries.push_back(std::move(plugin));
        else
            result.failures.push_back(path.filename().string() + ": " + plugin.library.error());
    }
    return result;
}
