#include "tests/boundary/BoundaryProbe.h"
#include "VornInterface/PluginLibraries.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/platform/UiThreadRecording.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

PluginLibrary loadProbe()
{
    PluginLibrary probe = loadPluginLibrary(BOUNDARY_PROBE_PATH);
    EXPECT_TRUE(probe.library.isLoaded()) << probe.library.error();
    return probe;
}

} // namespace

TEST(PluginLibraryLoading, LoadsBothLibrariesOfTheRunFolderInNameOrder)
{
    const PluginLibraryLoadResult result = loadPluginLibraries(std::string(VORN_RUN_DIR) + "/_W2K_system");
    EXPECT_TRUE(result.failures.empty());
    ASSERT_EQ(result.libraries.size(), 2u);
    EXPECT_NE(result.libraries[0].library.path().find("Lumbra.plvd"), std::string::npos);
    EXPECT_NE(result.libraries[1].library.path().find("Zintel.plvd"), std::string::npos);
    for (const PluginLibrary& library : result.libraries)
    {
        EXPECT_NE(library.processGlobalObjectDevice, nullptr);
        EXPECT_TRUE(library.handsOutPlugins());
        EXPECT_NE(library.getPluginWindow, nullptr);
        EXPECT_TRUE(library.takesMessagesAndIdle());
        EXPECT_NE(library.library.module(), platform::ModuleHandle::None);
    }
    EXPECT_NE(result.libraries[0].library.module(), result.libraries[1].library.module());
}

TEST(PluginLibraryLoading, ReportsAMissingFolderAsNoLibraries)
{
    const PluginLibraryLoadResult result = loadPluginLibraries("no-such-folder");
    EXPECT_TRUE(result.libraries.empty());
    EXPECT_TRUE(result.failures.empty());
}

TEST(PluginLibraryLoading, ReportsALibraryThatCannotBeLoaded)
{
    const PluginLibraryLoadResult result = loadPluginLibraries(std::string(VORN_TEST_SOURCE_DIR) + "/broken");
    EXPECT_TRUE(result.libraries.empty());
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].find("not-a-library.plvd"), std::string::npos);
}

TEST(ModuleBoundary, AnExceptionThrownInALibraryIsCaughtInTheHost)
{
    PluginLibrary probe = loadProbe();
    ASSERT_TRUE(probe.handsOutPlugins());
    ASSERT_EQ(probe.getPluginCount(), 1u);
    std::unique_ptr<VornPlugin> plugin(probe.getPluginObject(0, probe.library.module()));
    ASSERT_NE(plugin, nullptr);
    auto* probePlugin = dynamic_cast<BoundaryProbePlugin*>(plugin.get());
    ASSERT_NE(probePlugin, nullptr);
    try
    {
        probePlugin->raiseInternalError();
        FAIL() << "the probe did not throw";
    }
    catch (const generalException& exception)
    {
        EXPECT_STREQ(exception.message, "Internal Error");
        EXPECT_STREQ(exception.where, "BoundaryProbePlugin::raiseInternalError");
    }
}

TEST(ModuleBoundary, DynamicCastWorksAcrossModules)
{
    PluginLibrary probe = loadProbe();
    // The object is made and, through its virtual destructor, destroyed by the library's code.
    std::unique_ptr<VornPluginBase> plugin(probe.getPluginObject(0, probe.library.module()));
    ASSERT_NE(plugin, nullptr);
    EXPECT_NE(dynamic_cast<VornPlugin*>(plugin.get()), nullptr);
    EXPECT_NE(dynamic_cast<BoundaryProbePlugin*>(plugin.get()), nullptr);
    EXPECT_EQ(dynamic_cast<UnrelatedPlugin*>(plugin.get()), nullptr);
    EXPECT_STREQ(plugin->getTypeName(), "Boundary Probe");
    EXPECT_EQ(probe.getPluginObject(1, probe.library.module()), nullptr);
}

TEST(ModuleBoundary, EachModuleKeepsItsOwnStatics)
{
    PluginLibrary probe = loadProbe();
    std::unique_ptr<VornPlugin> object(probe.getPluginObject(0, probe.library.module()));
    auto* plugin = dynamic_cast<BoundaryProbePlugin*>(object.get());
    ASSERT_NE(plugin, nullptr);
    const int hostBefore = bumpModuleCounter();
    const int libraryFirst = plugin->bumpCounterInOwnModule();
    const int librarySecond = plugin->bumpCounterInOwnModule();
    EXPECT_EQ(librarySecond, libraryFirst + 1);
    EXPECT_EQ(bumpModuleCounter(), hostBefore + 1);
}

TEST(ModuleBoundary, EveryModuleHasItsOwnIdentity)
{
    PluginLibrary probe = loadProbe();
    const platform::ModuleHandle host = platform::moduleContaining(reinterpret_cast<const void*>(&loadProbe));
    EXPECT_NE(host, platform::ModuleHandle::None);
    EXPECT_NE(host, probe.library.module());
    EXPECT_EQ(platform::moduleContaining(reinterpret_cast<const void*>(probe.getPluginCount)), probe.library.module());
    EXPECT_EQ(platform::moduleContaining(nullptr), platform::ModuleHandle::None);
}

TEST(ModuleBoundary, ALibrarysWorkerAsksItsQuestionOnTheHostsUiThread)
{
    platformApplication();
    PluginLibrary probe = loadProbe();
    std::unique_ptr<VornPlugin> object(probe.getPluginObject(0, probe.library.module()));
    auto* plugin = dynamic_cast<BoundaryProbePlugin*>(object.get());
    ASSERT_NE(plugin, nullptr);
    UiThreadRecordingInteraction script;
    script.boxAnswers = {platform::IDIGNORE};
    EXPECT_EQ(plugin->askFromAWorker("Retry to gain access?"), platform::IDIGNORE);
    ASSERT_EQ(script.boxes.size(), 1u) << "the host's service answered the library's worker";
    EXPECT_EQ(script.boxes[0].text, "Retry to gain access?");
    EXPECT_EQ(script.askedOnUiThread, std::vector<bool>{true});
}
