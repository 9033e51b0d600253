// The host loads a folder of plugin libraries in name order and registers what they hand out.
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/PluginLibraries.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/PluginManager.h"
#include "tests/host/RecordingStatus.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

TEST(PluginLoading, LibrariesInNameOrderRegisterWhatTheyHandOut)
{
    const std::filesystem::path folder = HOST_TEST_LIBRARIES;
    std::filesystem::copy_file(BROKEN_LIBRARY, folder / "0_broken.plvd",
                               std::filesystem::copy_options::overwrite_existing);
    FakeMAI mai;
    GlobalObjectDevice* device = GlobalObjectDevice::initiate(&mai);
    PluginManager registry;
    registerHostPluginTypes(registry, mai);
    RecordingStatus status;

    PluginRegistration result = registerPluginLibraries(folder.string(), device, &mai, registry, &status, nullptr);

    // a_complete hands out indexes 0 and 2 (1 is null), b_filter_only index 0; c_no_plugins has
    // none, d_no_objects hands out nothing, e_throws throws.
    EXPECT_EQ(result.pluginCount, 3u);
    EXPECT_EQ(namesOf(mai.pluginLists.calculators),
              (std::vector<std::string>{"b_filter_only:0 with device", "a_complete:2 with device",
                                        "a_complete:0 with device"}))
        << "newest first; every library got the device before its plugins were made";
    ASSERT_EQ(result.libraries.size(), 5u);
    std::vector<std::string> withHooks;
    for (const PluginLibrary& library : result.libraries)
        if (library.takesMessagesAndIdle())
            withHooks.push_back(std::filesystem::path(library.library.path()).filename().string());
    EXPECT_EQ(withHooks, (std::vector<std::string>{"a_complete.plvd", "d_no_objects.plvd"}))
        << "a filter without idle, or idle without a filter, records nothing";
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].rfind("0_broken.plvd: ", 0), 0u);
    EXPECT_EQ(result.failures[1], "e_throws.plvd: cannot make plugin");

    for (VornPluginBase* plugin = mai.pluginLists.calculators; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* vornPlugin = static_cast<VornPlugin*>(plugin);
        EXPECT_EQ(vornPlugin->mai, &mai);
        EXPECT_NE(vornPlugin->module, platform::ModuleHandle::None);
    }
    ASSERT_EQ(status.lines.size(), 6u);
    EXPECT_EQ(status.lines[0], "Loading " + (folder / "0_broken.plvd").string());
    EXPECT_EQ(status.lines[1], "Loading " + (folder / "a_complete.plvd").string());
}

TEST(PluginLoading, MissingFolderRegistersNothing)
{
    FakeMAI mai;
    PluginManager registry;
    PluginRegistration result = registerPluginLibraries("no-such-folder", nullptr, &mai, registry, nullptr, nullptr);
    EXPECT_EQ(result.pluginCount, 0u);
    EXPECT_TRUE(result.libraries.empty());
}

} // namespace
