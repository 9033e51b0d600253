#include "Lumbra/LumbraPlugins.h"
#include "VornInterface/PluginLibraries.h"
#include "Zintel/ZintelPlugins.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "plugins/VornPlugin.h"
#include "plugins/VornPluginDialog.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

PluginLibrary loadFromRunFolder(const std::string& fileName)
{
    PluginLibrary library = loadPluginLibrary(std::string(VORN_RUN_DIR) + "/_W2K_system/" + fileName);
    EXPECT_TRUE(library.library.isLoaded()) << library.library.error();
    return library;
}

// Every plugin a library hands out belongs to its table entry and describes itself.
void expectPluginsOfTable(PluginLibrary& library, std::span<const PluginTableEntry> table)
{
    ASSERT_EQ(library.getPluginCount(), table.size());
    for (uint32_t index = 0; index < table.size(); ++index)
    {
        // The host would keep the plugin; here it goes once it has been looked at.
        std::unique_ptr<VornPlugin> plugin(library.getPluginObject(index, library.library.module()));
        if (plugin == nullptr)
            continue; // not part of the library yet: the host skips it
        EXPECT_STREQ(plugin->getTypeName(), table[index].typeName) << index;
        const char* name = plugin->getName();
        ASSERT_NE(name, nullptr) << index;
        EXPECT_STREQ(name, table[index].name) << index;
        // The description's title line names the plugin, some with their kind before the name
        // ("Modifier Move:").
        const std::string description = plugin->getDescription();
        const size_t titleEnd = description.find(":\n");
        ASSERT_NE(titleEnd, std::string::npos) << description;
        EXPECT_TRUE(description.substr(0, titleEnd).ends_with(name)) << description;
    }
    EXPECT_EQ(library.getPluginObject(static_cast<uint32_t>(table.size()), library.library.module()), nullptr);
    EXPECT_EQ(library.getPluginObject(0xFFFFFFFFu, library.library.module()), nullptr);
}

class PluginLibraries : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!GlobalObjectDevice::hasInstance())
            GlobalObjectDevice::initiate(nullptr);
    }

    PluginLibrary lumbra = loadFromRunFolder("Lumbra.plvd");
    PluginLibrary zintel = loadFromRunFolder("Zintel.plvd");
};

using Names = std::vector<std::string>;

} // namespace

TEST(LumbraPluginTable, ListsTheLibrarysPluginsInTheirOrder)
{
    Names names;
    for (const PluginTableEntry& entry : lumbra::pluginTable)
        names.push_back(std::string(entry.typeName) + ": " + entry.name);
    const Names expected = {
        "Dialog: Main Console",
        "Main Console Page: View Page",
        "Main Console Page: CrossSections Page",
        "Main Console Page: Materials Page",
        "Main Console Page: Edit Page",
        "Main Console Page: Create Page",
        "Object Creator: Force Creator",
        "Object Creator: Member Creator",
        "Object Creator: Joint Creator",
        "ObjectType: ObjectType CrossSection",
        "ObjectType: ObjectType Material",
        "ObjectType: ObjectType Modifier",
        "View Base: Perspective",
        "View Base: DevStatus",
        "Toolbar: Main Options",
        "Toolbar: Snap Options",
        "Toolbar: Zoom Options",
        "Toolbar: View Options",
        "Toolbar: Joint Properties",
        "Standard MenuItem: Close Group",
        "Standard MenuItem: Open Group",
        "Standard MenuItem: Create Group",
        "Standard MenuItem: Delete",
        "Standard MenuItem: Freeze",
        "Standard MenuItem: Hide",
        "Standard MenuItem: Reset Calculation",
        "Standard MenuItem: Calculate",
        "Object Modifier: Scale",
        "Object Modifier: Rotate",
        "Object Modifier: Move",
        "Dialog: Select Material Dialog",
        "Dialog: Select CrossSection Dialog",
        "Dialog: Calculation Setup Dialog",
        "Dialog: PropertyList Dialog",
        "Calculator: Full Iterator",
        "Calculator: Velocity Iterator",
        "Calculator: Basic Iterator",
        "Calculator: Auto Basic Iterator",
        "Shape: HBeam",
        "Shape: Rectangle",
        "Shape: Tube",
        "File Import: TempFormat",
        "File Import: Drawing Exchange Format",
        "File Export: TempFormat",
        "Standard MenuItem: Reset Active MenuItem",
        "Standard MenuItem: Toggle Block Rotation",
        "Standard MenuItem: Toggle Block Translation",
        "Standard MenuItem: Toggle Rigid Joint",
    };
    EXPECT_EQ(names, expected);
}

TEST(LumbraPluginTable, TheWindowFactoryKnowsTheDialogsOfTheLibrary)
{
    std::vector<int32_t> ids;
    for (const PluginWindowTableEntry& entry : lumbra::windowTable)
        ids.push_back(entry.dialogId);
    std::vector<int32_t> expected = {101};
    for (int32_t id : {108, 109, 123})
        expected.push_back(id);
    for (int32_t id = 126; id <= 148; ++id)
        expected.push_back(id);
    for (int32_t id : {155, 156, 169, 170, 172, 173, 175})
        expected.push_back(id);
    EXPECT_EQ(ids, expected);
}

TEST_F(PluginLibraries, BothLibrariesAnswerTheirEntryPointsAfterLoading)
{
    for (PluginLibrary* library : {&lumbra, &zintel})
    {
        ASSERT_NE(library->processGlobalObjectDevice, nullptr);
        ASSERT_NE(library->getPluginWindow, nullptr);
        ASSERT_NE(library->filterDllMsg, nullptr);
        ASSERT_NE(library->processDllIdle, nullptr);
        library->processGlobalObjectDevice(GlobalObjectDevice::instance());
        platform::Message* noMessage = nullptr;
        EXPECT_EQ(library->filterDllMsg(noMessage), 0);
        library->processDllIdle();
    }
    EXPECT_EQ(lumbra.getPluginWindow(nullptr, nullptr), nullptr);
    expectPluginsOfTable(lumbra, lumbra::pluginTable);
    expectPluginsOfTable(zintel, zintel::pluginTable);
}

TEST_F(PluginLibraries, ZintelRegistersItsPicturesInItsOwnModuleWhenLoaded)
{
    zintel.processGlobalObjectDevice(GlobalObjectDevice::instance());
    // Plugin 0, the scaleless-size dialog, names the title picture of its bar.
    std::unique_ptr<VornPlugin> made(zintel.getPluginObject(0, zintel.library.module()));
    auto* dialog = dynamic_cast<VornPluginDialog*>(made.get());
    ASSERT_NE(dialog, nullptr);
    const platform::BitmapResource* title =
        platform::findBitmapResource(zintel.library.module(), dialog->getDockInfo(DockInfo::TitleBitmap));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->width, 16);
    EXPECT_EQ(title->height, 16);
}

TEST_F(PluginLibraries, LumbrasWindowFactoryRefusesUnknownIdsAndNullParents)
{
    PluginWindowHandle* untouched = nullptr;
    for (int32_t dialogId : {102, 110, 124, 999, -1})
    {
        PluginWindowRequest request{dialogId, nullptr, &untouched};
        EXPECT_EQ(lumbra.getPluginWindow(nullptr, &request), nullptr) << dialogId;
        EXPECT_EQ(untouched, nullptr) << dialogId;
    }
}

TEST_F(PluginLibraries, ZintelRefusesToMakeWindowsAndSaysSo)
{
    zintel.processGlobalObjectDevice(GlobalObjectDevice::instance());
    platform::ScriptedInteraction boxes;
    PluginWindowRequest request{101, nullptr, nullptr};
    EXPECT_EQ(zintel.getPluginWindow(nullptr, &request), nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "GetPluginWindow() in Zintel.dll\nis called.\nthis should NOT happen!");
    EXPECT_EQ(boxes.boxes[0].caption, "Listen...");
    EXPECT_EQ(boxes.boxes[0].type, platform::MB_OK);
}
