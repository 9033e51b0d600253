#include "VornData/VornTypeIDManager.h"
#include "VornInterface/PluginLibraries.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"

#include <gtest/gtest.h>

#include <string>

// The program's own libraries, handed the device in the reverse of their load order: the ids are
// the same whichever library registers first.
TEST(LibraryTypeTree, ZintelThenLumbraRegisterTheFourteenNamesOnceInOrder)
{
    GlobalObjectDevice* device = GlobalObjectDevice::initiate(nullptr);
    const std::string folder = std::string(VORN_RUN_DIR) + "/_W2K_system/";
    PluginLibrary zintel = loadPluginLibrary(folder + "Zintel.plvd");
    PluginLibrary lumbra = loadPluginLibrary(folder + "Lumbra.plvd");
    ASSERT_NE(zintel.processGlobalObjectDevice, nullptr) << zintel.library.error();
    ASSERT_NE(lumbra.processGlobalObjectDevice, nullptr) << lumbra.library.error();

    zintel.processGlobalObjectDevice(device);
    ASSERT_EQ(getTypeIDManager()->getTypeCount(), objectTypeCount);
    lumbra.processGlobalObjectDevice(device);
    ASSERT_EQ(getTypeIDManager()->getTypeCount(), objectTypeCount);
    for (std::int32_t id = 0; id < objectTypeCount; ++id)
    {
        EXPECT_STREQ(getTypeIDManager()->getName(id), objectTypeTree[id].name);
        const std::int32_t base = static_cast<std::int32_t>(objectTypeTree[id].base);
        EXPECT_EQ(getTypeIDManager()->getBaseClassID(id), base == id ? NOTYPEID : base);
    }
    // Lumbra describes the properties of four types; Zintel describes none.
    const char* const describedTypes[] = {"Base Object", "Vertex", "Joint", "Member"};
    for (const char* name : describedTypes)
        EXPECT_GT(getTypeIDManager()->getTypeInfo(getTypeIDManager()->findType(name)).propertyCount, 0) << name;
    EXPECT_EQ(getTypeIDManager()->getTypeInfo(getTypeIDManager()->findType("Material")).propertyCount, 0);
}
