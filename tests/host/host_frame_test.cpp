// The main frame as the user meets it: the Window menu lists the document windows, the standard
// toolbar is the flat bar, the status bar follows its menu entry, and bars that may dock nowhere
// or have no dock bar to start at stay undocked.
#include "VornInterface/HostMenus.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/SmallControls.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/Menu.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"
#include "tests/host/HostApplicationForTests.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

const platform::ModuleHandle panelModule = static_cast<platform::ModuleHandle>(0x7E58);
constexpr int32_t panelTemplate = 611;

// A toolbar plugin that names no dock bar to start at.
class UndockedToolbar : public VornPluginToolbar
{
public:
    const char* getName() override { return "Loose Options"; }
    const char* getButtonText() override { return "Loose Options"; }
    const char* getMenuPath() override { return "&Tools\\&Toolbars\\&Loose Options"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    int32_t getDockAlignment() override { return 0xF000; }
};

// A dialog plugin whose bar may dock on no side.
class FixedPanel : public VornPluginDialog
{
public:
    FixedPanel() { module = panelModule; }
    const char* getName() override { return "Fixed Panel"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        if (dialogObject == nullptr)
            dialogObject = &dialog;
        return requestWindow(panelTemplate);
    }
    const char* getWindowTitle() override { return "Fixed Panel"; }
    int32_t getDockInfo(uint32_t) override { return 0; }

    platform::Dialog dialog;
};

class MainFrameTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        app = &testHost();
        registerHostPluginTypes(app->registry(), app->mai());
        platform::DialogTemplate panel;
        panel.rect = {0, 0, 100, 60};
        panel.style = platform::WS_CHILD;
        platform::registerDialogTemplate(panelModule, panelTemplate, panel);
        toolbarPlugin = new UndockedToolbar;
        panelPlugin = new FixedPanel;
        app->registry().addPlugin(toolbarPlugin);
        app->registry().addPlugin(panelPlugin);
        std::filesystem::create_directories("system");
        frame = new CMainFrame;
        ASSERT_TRUE(frame->create());
        platform::Application::instance()->setMainWindow(frame);
    }

    template <typename Kind>
    static Kind* childOfKind()
    {
        for (platform::Window* child : frame->children())
            if (auto* found = dynamic_cast<Kind*>(child))
                return found;
        return nullptr;
    }

    static inline CVornInterfaceApp* app = nullptr;
    static inline CMainFrame* frame = nullptr;
    static inline UndockedToolbar* toolbarPlugin = nullptr;
    static inline FixedPanel* panelPlugin = nullptr;
};

TEST_F(MainFrameTest, TheWindowMenuListsTheDocumentWindowsAndActivatesTheChosenOne)
{
    ASSERT_NE(frame->newDocument(), nullptr);
    ASSERT_NE(frame->newDocument(), nullptr);
    platform::Application::instance()->processMessages();
    const std::vector<platform::ChildFrame*> children = frame->childFrames();
    ASSERT_EQ(children.size(), 2u);
    platform::Menu* window = windowMenuOf(*frame->currentMenu());
    ASSERT_NE(window, nullptr);
    const int first = window->entryCount() - 2;
    ASSERT_TRUE(window->isSeparator(first - 1)) << "the list follows the menu's own entries";
    EXPECT_EQ(window->entryText(first), "&1 " + children[0]->title());
    EXPECT_EQ(window->entryText(first + 1), "&2 " + children[1]->title());
    EXPECT_EQ(window->checkState(first + 1), 1) << "the newest window is active";
    EXPECT_EQ(window->checkState(first), 0);

    ASSERT_TRUE(frame->executeCommand(window->commandId(first)));
    platform::Application::instance()->processMessages();
    EXPECT_EQ(frame->activeChild(), children[0]);
    EXPECT_EQ(window->checkState(first), 1);
    EXPECT_EQ(window->checkState(first + 1), 0);

    children[1]->close();
    platform::Application::instance()->processMessages();
    EXPECT_EQ(window->entryText(window->entryCount() - 1), "&1 " + children[0]->title())
        << "a closed window leaves the list";
}

TEST_F(MainFrameTest, TheStandardToolbarIsTheFlatBar)
{
    CFlatToolBar* bar = childOfKind<CFlatToolBar>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->style() & (platform::TBSTYLE_FLAT | platform::TBSTYLE_TRANSPARENT),
              platform::TBSTYLE_FLAT | platform::TBSTYLE_TRANSPARENT);
    EXPECT_EQ(bar->windowText(), "Standard Toolbar");
    EXPECT_EQ(bar->buttonCount(), 5);
    EXPECT_EQ(bar->buttonRect(0).left, 4) << "the buttons lie inside the bar's frame and borders";
    EXPECT_EQ(frame->toolbarDockBar(*bar), platform::IDW_DOCKBAR_TOP);
}

TEST_F(MainFrameTest, BarsWithoutADockBarOrDockSideStayUndocked)
{
    auto* toolbar = frame->pluginToolbar(toolbarPlugin);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(frame->isBarFloating(*toolbar));
    EXPECT_EQ(frame->toolbarDockBar(*toolbar), 0u);
    platform::Window* panel = panelPlugin->barHandle->getWnd();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(frame->isBarFloating(*panel));
    EXPECT_TRUE(frame->isToolbarVisible(*toolbar));
}

TEST_F(MainFrameTest, TheStatusBarEntryShowsAndHidesTheStatusBarAndIsCheckedWhileShown)
{
    ASSERT_NE(frame->newDocument(), nullptr);
    platform::Menu* toolbars = frame->currentMenu()->submenu(4)->submenu(0);
    ASSERT_NE(toolbars, nullptr);
    const int entry = toolbars->findCommand(HostCommand::StatusBar);
    ASSERT_GE(entry, 0);
    toolbars->updateCommandStates(frame->commandRouter());
    EXPECT_TRUE(toolbars->isEnabled(entry));
    EXPECT_EQ(toolbars->checkState(entry), 1);
    ASSERT_TRUE(frame->executeCommand(HostCommand::StatusBar));
    EXPECT_FALSE(frame->isStatusBarVisible());
    toolbars->updateCommandStates(frame->commandRouter());
    EXPECT_EQ(toolbars->checkState(entry), 0);
    ASSERT_TRUE(frame->executeCommand(HostCommand::StatusBar));
    EXPECT_TRUE(frame->isStatusBarVisible());
}

} // namespace
