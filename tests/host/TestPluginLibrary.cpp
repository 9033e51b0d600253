// A tiny plugin library for the loader's tests, built in several variants: LIBRARY_NAME names its
// plugins, PLUGIN_COUNT says how many it hands out, WITH_FILTER and WITH_IDLE choose the message
// hooks, WITH_OBJECTS whether it hands out plugins at all, THROWS makes GetPluginObject throw.
#include "plugins/PluginLibraryExports.h"
#include "plugins/VornPlugin.h"

#include <stdexcept>
#include <string>

namespace host_test_library
{

bool deviceSeen = false;

class NamedPlugin : public VornPlugin
{
public:
    explicit NamedPlugin(std::uint32_t index)
        : name(std::string(LIBRARY_NAME) + std::to_string(index) + (deviceSeen ? " with device" : ""))
    {
    }
    const char* getTypeName() override { return "Calculator"; }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}

    std::string name;
};

} // namespace host_test_library

void ProcessGlobalObjectDevice(GlobalObjectDevice* device)
{
    host_test_library::deviceSeen = device != nullptr;
}

#if WITH_OBJECTS
std::uint32_t GetPluginCount()
{
    return PLUGIN_COUNT;
}

VornPlugin* GetPluginObject(std::uint32_t index, platform::ModuleHandle module)
{
#if THROWS
    throw std::runtime_error("cannot make plugin");
#endif
    return index == 1 ? nullptr : new host_test_library::NamedPlugin(index);
}
#endif

#if WITH_FILTER
int FilterDllMsg(platform::Message* message)
{
    return 0;
}
#endif

#if WITH_IDLE
void ProcessDllIdle()
{
}
#endif
