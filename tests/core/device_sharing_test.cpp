#include "VornData/generalException.h"
#include "VornInterface/PluginLibraries.h"
#include "tests/core/CoreProbe.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

struct ProbeLibrary
{
    PluginLibrary library;
    std::unique_ptr<CoreProbePlugin> probe;
};

ProbeLibrary loadProbe(const char* path)
{
    ProbeLibrary loaded;
    loaded.library = loadPluginLibrary(path);
    EXPECT_TRUE(loaded.library.library.isLoaded()) << loaded.library.library.error();
    if (!loaded.library.handsOutPlugins())
        return loaded;
    VornPlugin* plugin = loaded.library.getPluginObject(0, loaded.library.library.module());
    loaded.probe.reset(dynamic_cast<CoreProbePlugin*>(plugin));
    EXPECT_NE(loaded.probe, nullptr);
    return loaded;
}

// The process as the host builds it: one device, then two libraries from the same core, each
// handed the device. Set up once: the device lives until the process ends.
struct HostWithTwoLibraries
{
    GlobalObjectDevice* device = nullptr;
    ProbeLibrary first;
    ProbeLibrary second;
    // What the first library saw after it was handed a null device.
    bool nullDeviceLeftLibraryDetached = false;
    std::int32_t typesAfterFirst = -1;
};

HostWithTwoLibraries& host()
{
    static HostWithTwoLibraries* process = [] {
        auto* built = new HostWithTwoLibraries;
        built->device = GlobalObjectDevice::initiate(nullptr);
        built->first = loadProbe(CORE_PROBE_A_PATH);
        built->second = loadProbe(CORE_PROBE_B_PATH);
        if (built->first.probe && built->second.probe)
        {
            built->first.library.processGlobalObjectDevice(nullptr);
            CoreProbePlugin& probe = *built->first.probe;
            built->nullDeviceLeftLibraryDetached = probe.moduleDevice() == nullptr &&
                probe.moduleTypeRegistry() == nullptr && probe.moduleKnotPool() == nullptr &&
                probe.moduleDWordArrays() == nullptr;
            built->first.library.processGlobalObjectDevice(built->device);
            built->typesAfterFirst = getTypeIDManager()->getTypeCount();
            built->second.library.processGlobalObjectDevice(built->device);
        }
        return built;
    }();
    return *process;
}

TEST(GlobalObjectDevice, TheHostCreatesTheServicesAndRegistersNoTypes)
{
    HostWithTwoLibraries& process = host();
    ASSERT_NE(process.device, nullptr);
    EXPECT_EQ(GlobalObjectDevice::instance(), process.device);
    EXPECT_EQ(process.device->knots, knotManager::instance());
    EXPECT_EQ(process.device->typeRegistry, getTypeIDManager());
    EXPECT_EQ(process.device->dwordArrays, DWordArrayManager::instance());
    EXPECT_EQ(process.device->applicationInterface, nullptr);
    EXPECT_EQ(objectTypeID(ObjectType::BaseObject), NOTYPEID); // the host registered nothing itself
    EXPECT_THROW(GlobalObjectDevice::initiate(nullptr), Exc_InternalError);
    EXPECT_THROW(knotManager::initiate(), Exc_InternalError);
}

TEST(GlobalObjectDevice, ANullDeviceLeavesALibraryDetachedWithoutHarm)
{
    EXPECT_TRUE(host().nullDeviceLeftLibraryDetached);
}

TEST(GlobalObjectDevice, HostAndBothLibrariesShareOneDeviceOneRegistryAndOnePool)
{
    HostWithTwoLibraries& process = host();
    ASSERT_TRUE(process.first.probe && process.second.probe);
    for (CoreProbePlugin* probe : {process.first.probe.get(), process.second.probe.get()})
    {
        EXPECT_EQ(probe->moduleDevice(), process.device);
        EXPECT_EQ(probe->moduleTypeRegistry(), getTypeIDManager());
        EXPECT_EQ(probe->moduleKnotPool(), knotManager::instance());
        EXPECT_EQ(probe->moduleDWordArrays(), DWordArrayManager::instance());
    }
}

TEST(GlobalObjectDevice, BothLibrariesHoldTheSameTypeIdsZeroToThirteen)
{
    HostWithTwoLibraries& process = host();
    ASSERT_TRUE(process.first.probe && process.second.probe);
    EXPECT_EQ(process.typesAfterFirst, 14);
    EXPECT_EQ(getTypeIDManager()->getTypeCount(), 14); // the second found every name
    for (std::int32_t type = 0; type < objectTypeCount; ++type)
    {
        EXPECT_EQ(process.first.probe->moduleTypeID(static_cast<ObjectType>(type)), type);
        EXPECT_EQ(process.second.probe->moduleTypeID(static_cast<ObjectType>(type)), type);
    }
    // A name one library registers is known to the other under the same id.
    const std::int32_t added = process.first.probe->registerTypeInModule("Probe Type", 0);
    EXPECT_EQ(process.second.probe->registerTypeInModule("Probe Type", NOTYPEID), added);
    EXPECT_STREQ(getTypeIDManager()->getName(added), "Probe Type");
}

class Holder : public knotOwner
{
public:
    knotList links{this, knotKind::pooled};
};

TEST(GlobalObjectDevice, KnotsLinkedInOneLibraryAreCountedAndRemovedThroughTheOthers)
{
    HostWithTwoLibraries& process = host();
    ASSERT_TRUE(process.first.probe && process.second.probe);
    knotManager& pool = *knotManager::instance();
    const std::uint32_t usedBefore = pool.getUsed();
    Holder a, b, c;
    process.first.probe->linkInModule(&a.links, &b.links);
    process.second.probe->linkInModule(&a.links, &c.links);
    pool.link(&b.links, &c.links);
    EXPECT_EQ(pool.getUsed(), usedBefore + 6);
    EXPECT_EQ(a.links.getFirst()->getObject(), &c);
    EXPECT_EQ(a.links.getLast()->getObject(), &b);
    process.second.probe->removeAllLinksInModule(&a.links);
    EXPECT_TRUE(a.links.isEmpty());
    EXPECT_EQ(b.links.getFirst()->getObject(), &c);
    EXPECT_EQ(pool.getUsed(), usedBefore + 2);
    process.first.probe->removeAllLinksInModule(&b.links);
    EXPECT_EQ(pool.getUsed(), usedBefore);
}

TEST(GlobalObjectDevice, AnArrayCreatedInALibraryIsSeenAndFreedThroughTheHostsStore)
{
    HostWithTwoLibraries& process = host();
    ASSERT_TRUE(process.first.probe && process.second.probe);
    DWordArrayManager& store = *DWordArrayManager::instance();
    const std::uint32_t entriesBefore = store.getEntryCount();
    {
        DWordArrayHandle first, second;
        process.first.probe->fillArrayInModule(&first, 74, 0xABCDu);
        process.second.probe->fillArrayInModule(&second, 3, 7u);
        EXPECT_EQ(store.getEntryCount(), entriesBefore + 2);
        ASSERT_EQ(first.getLength(), 74u);
        EXPECT_EQ(first.getData()[73], 0xABCDu);
        process.second.probe->fillArrayInModule(&first, 0, 0); // freed through the second library
        EXPECT_TRUE(first.isEmpty());
        EXPECT_EQ(store.getEntryCount(), entriesBefore + 1);
        EXPECT_EQ(second.getData()[2], 7u);
    }
    EXPECT_EQ(store.getEntryCount(), entriesBefore);
}

class CountingListener : public NotifierListener
{
public:
    void notify(void* payload) override
    {
        received = payload;
        ++calls;
    }
    void* received = nullptr;
    int calls = 0;
};

TEST(GlobalObjectDevice, ASendFromALibraryReachesAListenerOfTheHost)
{
    HostWithTwoLibraries& process = host();
    ASSERT_TRUE(process.first.probe);
    NotifierRegistry registry;
    CountingListener listener;
    registry.addListener(Channel::SelectionChanged, &listener);
    int payload = 0;
    process.first.probe->notifyInModule(&registry, Channel::SelectionChanged, &payload);
    process.second.probe->notifyInModule(&registry, Channel::MaterialsChanged, &payload); // no such channel
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.received, &payload);
}

} // namespace
