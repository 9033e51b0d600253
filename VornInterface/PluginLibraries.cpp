#include "VornInterface/PluginLibraries.h"

#include "VornData/generalException.h"
#include "VornInterface/StartupStatus.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPlugin.h"

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
    plugin.processGlobalObjectDevice =
        bind<ProcessGlobalObjectDeviceFunction>(plugin.library, "ProcessGlobalObjectDevice");
    plugin.getPluginCount = bind<GetPluginCountFunction>(plugin.library, "GetPluginCount");
    plugin.getPluginObject = bind<GetPluginObjectFunction>(plugin.library, "GetPluginObject");
    plugin.getPluginWindow = bind<GetPluginWindowFunction>(plugin.library, "GetPluginWindow");
    plugin.filterDllMsg = bind<FilterDllMsgFunction>(plugin.library, "FilterDllMsg");
    plugin.processDllIdle = bind<ProcessDllIdleFunction>(plugin.library, "ProcessDllIdle");
    return plugin;
}

std::vector<std::string> pluginLibraryPaths(const std::string& folder)
{
    std::vector<std::string> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
    {
        if (entry->path().extension() == ".plvd" && entry->is_regular_file(error))
            paths.push_back(entry->path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

PluginLibraryLoadResult loadPluginLibraries(const std::string& folder)
{
    PluginLibraryLoadResult result;
    for (const std::string& path : pluginLibraryPaths(folder))
    {
        PluginLibrary plugin = loadPluginLibrary(path);
        if (plugin.library.isLoaded())
            result.libraries.push_back(std::move(plugin));
        else
            result.failures.push_back(std::filesystem::path(path).filename().string() + ": " + plugin.library.error());
    }
    return result;
}

namespace
{

// Hands the library the device and registers the plugins it hands out; answers how many.
std::uint32_t registerLibraryPlugins(PluginLibrary& library, GlobalObjectDevice* device, MAI* mai,
                                     PluginManager& registry, PluginRegistryListener* listener)
{
    if (library.processGlobalObjectDevice != nullptr)
        library.processGlobalObjectDevice(device);
    if (!library.handsOutPlugins())
        return 0;
    std::uint32_t registered = 0;
    const std::uint32_t count = library.getPluginCount();
    for (std::uint32_t index = 0; index < count; ++index)
    {
        VornPlugin* plugin = library.getPluginObject(index, library.library.module());
        if (plugin == nullptr)
            continue;
        plugin->module = library.library.module();
        plugin->mai = mai;
        registry.addPlugin(plugin, listener);
        ++registered;
    }
    return registered;
}

} // namespace

PluginRegistration registerPluginLibraries(const std::string& folder, GlobalObjectDevice* device, MAI* mai,
                                           PluginManager& registry, StartupStatus* status,
                                           PluginRegistryListener* listener)
{
    PluginRegistration result;
    for (const std::string& path : pluginLibraryPaths(folder))
    {
        if (status != nullptr)
            status->showStatus("Loading " + path.substr(0, 247));
        const std::string fileName = std::filesystem::path(path).filename().string();
        PluginLibrary library = loadPluginLibrary(path);
        if (!library.library.isLoaded())
        {
            result.failures.push_back(fileName + ": " + library.library.error());
            continue;
        }
        try
        {
            result.pluginCount += registerLibraryPlugins(library, device, mai, registry, listener);
        }
        catch (const generalException& exception)
        {
            result.failures.push_back(fileName + ": " + exception.where + ": " + exception.message);
        }
        catch (const std::exception& exception)
        {
            result.failures.push_back(fileName + ": " + exception.what());
        }
        result.libraries.push_back(std::move(library));
    }
    return result;
}
