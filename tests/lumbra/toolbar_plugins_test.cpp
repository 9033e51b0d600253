// The toolbar plugins of the library: their fixed answers, and their command that shows and hides
// the bar the host made for them in a real frame.
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/ToolbarPlugins.h"
#include "platform/MainFrame.h"
#include "platform/Menu.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Toolbar.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/platform/RecordedCommandState.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

struct ToolbarCase
{
    uint32_t index;
    const char* name;
    const char* menuPath;
    const char* description;
    uint32_t dockBar;
    bool visibleByDefault;
};

const ToolbarCase toolbars[] = {
    {14, "Main Options", "&Tools\\&Toolbars\\Main &Options",
     "Main Options:\nA toolbar allowing the main options to be selected.", 0xE81C, true},
    {15, "Snap Options", "&Tools\\&Toolbars\\S&nap Options",
     "Snap Options:\nA toolbar allowing the snap options to be toggled on and off.", 0xE81B, true},
    {16, "Zoom Options", "&Tools\\&Toolbars\\&Zoom Options",
     "Zoom Options:\nA toolbar for automated View/Zoom settings.", 0xE81B, false},
    {17, "View Options", "&Tools\\&Toolbars\\&View Options",
     "View Options:\nA toolbar allowing the View options to be toggled on and off.", 0xE81B, true},
    {18, "Joint Properties", "&Tools\\&Toolbars\\&Properties\\&Joint Properties",
     "Joint Properties:\nA toolbar allowing the Selected Joints to be altered.", 0xE81B, true},
};

std::unique_ptr<VornPluginToolbar> makeToolbar(uint32_t index)
{
    return std::unique_ptr<VornPluginToolbar>(dynamic_cast<VornPluginToolbar*>(lumbra::createPlugin(index)));
}

TEST(LumbraToolbars, EachTableEntryMakesItsToolbarWithItsTextsAndStartPlace)
{
    for (const ToolbarCase& expected : toolbars)
    {
        SCOPED_TRACE(expected.name);
        std::unique_ptr<VornPluginToolbar> toolbar = makeToolbar(expected.index);
        ASSERT_NE(toolbar, nullptr);
        EXPECT_STREQ(lumbra::pluginTable[expected.index].typeName, "Toolbar");
        EXPECT_STREQ(lumbra::pluginTable[expected.index].name, expected.name);
        EXPECT_STREQ(toolbar->getTypeName(), "Toolbar");
        EXPECT_STREQ(toolbar->getName(), expected.name);
        EXPECT_STREQ(toolbar->getButtonText(), expected.name) << "items name their bar by it";
        EXPECT_STREQ(toolbar->getMenuPath(), expected.menuPath);
        EXPECT_STREQ(toolbar->getDescription(), expected.description);
        EXPECT_EQ(toolbar->getDockAlignment(), 0xF000);
        EXPECT_EQ(static_cast<uint32_t>(toolbar->getDockBarID()), expected.dockBar);
        EXPECT_EQ(toolbar->isVisibleByDefault(), expected.visibleByDefault);
        EXPECT_EQ(toolbar->getBitmapID(), 0) << "no button of its own";
        EXPECT_EQ(toolbar->getToolbarName(), nullptr);
    }
}

TEST(LumbraToolbars, AboutNamesTheToolbarInAnOkBox)
{
    platformApplication();
    for (const ToolbarCase& expected : toolbars)
    {
        platform::ScriptedInteraction boxes;
        makeToolbar(expected.index)->about(nullptr);
        ASSERT_EQ(boxes.boxes.size(), 1u) << expected.name;
        EXPECT_EQ(boxes.boxes[0].text, std::string(expected.name) + " Toolbar");
        EXPECT_EQ(boxes.boxes[0].caption, expected.name);
        EXPECT_EQ(boxes.boxes[0].type, platform::MB_OK);
    }
}

TEST(LumbraToolbars, BeforeTheHostMadeTheBarTheEntryIsUncheckedDisabledAndDoesNothing)
{
    for (const ToolbarCase& expected : toolbars)
    {
        SCOPED_TRACE(expected.name);
        std::unique_ptr<VornPluginToolbar> toolbar = makeToolbar(expected.index);
        toolbar->execute(nullptr);
        RecordedCommandState state;
        toolbar->updateCommandUI(&state, nullptr);
        EXPECT_EQ(state.enabled, 0);
        EXPECT_EQ(state.check, 0);

        // A handle whose window is gone answers the same way for the command: nothing happens.
        PluginWindowHandleImpl gone;
        toolbar->barHandle = &gone;
        toolbar->execute(nullptr);
        toolbar->barHandle = nullptr;
    }
}

// A main frame with the five bars made as the host makes them.
class ToolbarsInAFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(frame.createFrame("Quorl2 beta", &menu));
        frame.show();
        for (const ToolbarCase& expected : toolbars)
        {
            auto& plugin = plugins.emplace_back(makeToolbar(expected.index));
            auto& bar = bars.emplace_back(std::make_unique<platform::Toolbar>());
            ASSERT_TRUE(bar->create(platform::WS_VISIBLE, {0, 0, 24, 22}, &frame, 0xE800));
            bar->setWindowText(plugin->getButtonText());
            handles.emplace_back(std::make_unique<PluginWindowHandleImpl>(bar.get()));
            plugin->barHandle = handles.back().get();
            frame.addToolbar(*bar, static_cast<uint32_t>(plugin->getDockAlignment()));
            frame.dockToolbar(*bar, static_cast<uint32_t>(plugin->getDockBarID()));
        }
        processMessages();
    }
    void TearDown() override
    {
        for (auto& plugin : plugins)
            plugin->barHandle = nullptr;
        bars.clear();
        frame.destroyWindow();
        processMessages();
    }

    RecordedCommandState update(VornPluginToolbar& plugin)
    {
        RecordedCommandState state;
        plugin.updateCommandUI(&state, nullptr);
        return state;
    }

    platform::Menu menu{platform::Menu::Kind::Bar};
    platform::MainFrame frame;
    std::vector<std::unique_ptr<VornPluginToolbar>> plugins;
    std::vector<std::unique_ptr<platform::Toolbar>> bars;
    std::vector<std::unique_ptr<PluginWindowHandleImpl>> handles;
};

TEST_F(ToolbarsInAFrame, TheCommandHidesAndShowsItsOwnBarOnlyAndTheCheckFollows)
{
    for (size_t index = 0; index < plugins.size(); ++index)
    {
        SCOPED_TRACE(plugins[index]->getName());
        RecordedCommandState state = update(*plugins[index]);
        EXPECT_EQ(state.enabled, 1);
        EXPECT_EQ(state.check, 1);

        plugins[index]->execute(nullptr);
        processMessages();
        EXPECT_FALSE(frame.isToolbarVisible(*bars[index]));
        state = update(*plugins[index]);
        EXPECT_EQ(state.enabled, 1);
        EXPECT_EQ(state.check, 0);
        for (size_t other = 0; other < plugins.size(); ++other)
        {
            if (other == index)
                continue;
            EXPECT_TRUE(frame.isToolbarVisible(*bars[other])) << plugins[other]->getName();
        }

        plugins[index]->execute(nullptr);
        processMessages();
        EXPECT_TRUE(frame.isToolbarVisible(*bars[index])) << "twice: back to where it was";
        EXPECT_EQ(update(*plugins[index]).check, 1);
    }
}

TEST_F(ToolbarsInAFrame, DockingABarElsewhereKeepsItsStartPlace)
{
    frame.dockToolbar(*bars[0], platform::IDW_DOCKBAR_TOP);
    processMessages();
    EXPECT_EQ(frame.toolbarDockBar(*bars[0]), platform::IDW_DOCKBAR_TOP);
    EXPECT_EQ(static_cast<uint32_t>(plugins[0]->getDockBarID()), platform::IDW_DOCKBAR_LEFT);
}

} // namespace
