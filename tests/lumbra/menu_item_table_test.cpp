#include "Lumbra/EditMenuItems.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/MenuItemImages.h"
#include "platform/Resources.h"
#include "plugins/VornPluginMenuItem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{

struct TableItem
{
    uint32_t index;
    const char* path;
    int32_t bitmap;
    const char* toolbar;
};

// The menu items of the plugin table, with their paths, images and toolbars.
const TableItem menuItems[] = {
    {19, "&Edit\\&Grouping\\&Close", 136, nullptr},
    {20, "&Edit\\&Grouping\\&Open", 135, nullptr},
    {21, "&Edit\\&Grouping\\&Group", 134, nullptr},
    {22, "&Edit\\&Delete", 133, nullptr},
    {23, "&Edit\\&Freeze", 147, nullptr},
    {24, "&Edit\\&Hide", 148, nullptr},
    {25, "&Calculate\\&Reset", 154, nullptr},
    {26, "&Calculate\\&Calculate", 152, nullptr},
    {44, nullptr, 0, nullptr},
    {45, "&Modify\\&Joint Properties\\&Block Rotation", 170, "Joint Properties"},
    {46, "&Modify\\&Joint Properties\\&Translation Blocked", 168, "Joint Properties"},
    {47, "&Modify\\&Joint Properties\\&Rigid", 169, "Joint Properties"},
};

TEST(LumbraMenuItemTable, EveryMenuItemEntryMakesItsPluginWithItsTextsAndA16By16Image)
{
    lumbra::registerMenuItemImages();
    for (const TableItem& expected : menuItems)
    {
        SCOPED_TRACE(expected.index);
        std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(expected.index));
        auto* item = dynamic_cast<VornPluginMenuItem*>(plugin.get());
        ASSERT_NE(item, nullptr);
        const PluginTableEntry& entry = lumbra::pluginTable[expected.index];
        EXPECT_STREQ(item->getTypeName(), entry.typeName);
        EXPECT_STREQ(item->getName(), entry.name);
        EXPECT_STREQ(item->getButtonText(), entry.name);
        if (expected.path != nullptr)
        {
            EXPECT_STREQ(item->getMenuPath(), expected.path);
            EXPECT_EQ(std::string(item->getDescription()), std::string(entry.name) + ":\n" + expected.path);
        }
        else
            EXPECT_EQ(item->getMenuPath(), nullptr);
        EXPECT_EQ(item->getBitmapID(), expected.bitmap);
        if (expected.toolbar != nullptr)
            EXPECT_STREQ(item->getToolbarName(), expected.toolbar);
        else
            EXPECT_EQ(item->getToolbarName(), nullptr);
        if (expected.bitmap == 0)
            continue;
        const platform::BitmapResource* image = platform::findBitmapResource(lumbra::thisModule(), expected.bitmap);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
        EXPECT_EQ(image->transparentColour, 0xFF00FFu);
    }
}

TEST(LumbraMenuItemTable, ThePackagedSelectItemHasItsPathAndA16By16Image)
{
    lumbra::registerMenuItemImages();
    lumbra::PluginMenuItemSelect select;
    EXPECT_STREQ(select.getName(), "Select");
    EXPECT_STREQ(select.getMenuPath(), "&Edit\\&Select");
    EXPECT_EQ(select.getBitmapID(), 129);
    EXPECT_EQ(select.getToolbarName(), nullptr);
    const platform::BitmapResource* image = platform::findBitmapResource(lumbra::thisModule(), 129);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 16);
}

TEST(LumbraMenuItemTable, CommandsTakeTheMouseAndTheJointTogglesDoNot)
{
    for (const TableItem& expected : menuItems)
    {
        std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(expected.index));
        auto* item = static_cast<VornPluginMenuItem*>(plugin.get());
        EXPECT_EQ(item->onMouse(nullptr, 0, 0, 0, 0x1000), expected.index < 45) << expected.index;
    }
}

} // namespace
