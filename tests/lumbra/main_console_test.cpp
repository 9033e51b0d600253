// The main console: its tabs, one per console page with a window, and what choosing a tab and
// bringing a plugin forward do.

#include "platform/DialogBar.h"
#include "platform/Desktop.h"
#include "platform/MainFrame.h"
#include "platform/Menu.h"
#include "platform/Services.h"
#include "tests/lumbra/ConsoleTestSupport.h"

using namespace lumbra;

namespace
{

bool pageShown(VornPluginWindowed* page)
{
    return page->windowHandle != nullptr && (page->windowHandle->getStyle() & platform::WS_VISIBLE) != 0;
}

// Pages the library does not make yet are stood in for, with windows (they join in their place)
// or without (they get no tab and the pages after them close up).
class ConsoleTabs : public ConsoleTest, public testing::WithParamInterface<int32_t>
{
};

TEST_P(ConsoleTabs, ReadCreateEditThenTheOtherPagesInTheLibrarysOrder)
{
    const int32_t standInTemplate = GetParam();
    addLibraryConsole(standInTemplate);
    CMainConsole* window = openConsole();
    ASSERT_NE(window, nullptr);

    std::vector<std::string> expected;
    for (const char* name : {"Create Page", "Edit Page", "Materials Page", "CrossSections Page", "View Page"})
    {
        auto* plugin = page<VornPluginMainConsolePage>(name);
        ASSERT_NE(plugin, nullptr) << name;
        const bool standIn = dynamic_cast<StandInPage*>(plugin) != nullptr;
        if (standIn && standInTemplate == TestTemplate::Missing)
        {
            EXPECT_EQ(plugin->tabIndex, -1) << name;
            continue;
        }
        EXPECT_EQ(plugin->tabIndex, static_cast<int32_t>(expected.size())) << name;
        EXPECT_EQ(pageShown(plugin), expected.empty()) << name << ": only the first tab's page is shown";
        if (!standIn)
        {
            EXPECT_GE(plugin->tabImageIndex, 0) << name;
        }
        expected.push_back(name);
    }
    EXPECT_EQ(tabNames(), expected);
    EXPECT_EQ(window->tabs.curSel(), 0);
    EXPECT_EQ(window->tabs.itemText(0), "") << "the tabs show pictures only";
    EXPECT_EQ(doc.getActiveMenuItem(), nullptr) << "showing the first page activates no tool";
    EXPECT_EQ(window->clientRect().height(), platform::desktopWorkArea().bottom - 87);
}

INSTANTIATE_TEST_SUITE_P(StandIns, ConsoleTabs, testing::Values(TestTemplate::Page, TestTemplate::Missing));

TEST_F(ConsoleTest, WithoutPagesTheTabControlIsEmpty)
{
    add(createPlugin(0));
    console = static_cast<PluginMainConsoleDialog*>(registry.findPlugin("Dialog", "Main Console"));
    CMainConsole* window = openConsole();
    EXPECT_EQ(window->tabs.itemCount(), 0);
    EXPECT_EQ(window->selectTab(0), -1);
    EXPECT_FALSE(console->activatePlugin(console)) << "the console is none of its pages";
}

TEST_F(ConsoleTest, APluginThatOnlyNamesThePageTypeIsPassedOver)
{
    // Another library's plugin filed under "Main Console Page" without being a page.
    struct Impostor : RecordingMenuItem
    {
        const char* getTypeName() override { return "Main Console Page"; }
    };
    addLibraryConsole();
    add(new Impostor);
    CMainConsole* window = openConsole();
    EXPECT_EQ(
        tabNames(),
        (std::vector<std::string>{"Create Page", "Edit Page", "Materials Page", "CrossSections Page", "View Page"}));
    EXPECT_EQ(window->tabs.curSel(), 0);
    RecordingMenuItem stranger("Stranger");
    EXPECT_FALSE(console->activatePlugin(&stranger));
}

TEST_F(ConsoleTest, ChoosingATabShowsItsPageAndMakesItsToolTheActiveOne)
{
    addLibraryConsole();
    CMainConsole* window = openConsole();
    auto* create = page<PluginMCPageCreate>("Create Page");
    auto* edit = page<PluginMCPageEdit>("Edit Page");
    auto* view = page<PluginMCPageView>("View Page");
    RecordingMenuItem createTool("Create Tool"), editTool("Edit Tool");
    create->pageTool = &createTool;
    edit->pageTool = &editTool;

    // The tab control tells of the user's choice as it does for a click.
    auto userChooses = [&](int tab) {
        platform::NotifyHeader header{window->tabs.handle(), static_cast<std::uintptr_t>(ConsoleControl::Tabs),
                                      platform::TCN_SELCHANGING};
        EXPECT_EQ(window->sendMessage(platform::WM_NOTIFY, header.idFrom, reinterpret_cast<platform::LParam>(&header)),
                  0);
        window->tabs.setCurSel(tab);
        header.code = platform::TCN_SELCHANGE;
        EXPECT_EQ(window->sendMessage(platform::WM_NOTIFY, header.idFrom, reinterpret_cast<platform::LParam>(&header)),
                  0);
    };

    userChooses(edit->tabIndex);
    EXPECT_EQ(doc.getActiveMenuItem(), &editTool);
    EXPECT_TRUE(pageShown(edit));
    EXPECT_FALSE(pageShown(create));

    EXPECT_EQ(window->selectTab(view->tabIndex), edit->tabIndex);
    EXPECT_EQ(doc.getActiveMenuItem(), nullptr) << "a page without a tool ends the active tool";
    EXPECT_TRUE(pageShown(view));
    EXPECT_FALSE(pageShown(edit));

    userChooses(create->tabIndex);
    EXPECT_EQ(doc.getActiveMenuItem(), &createTool) << "the creator last chosen comes back";

    createTool.calls.clear();
    EXPECT_EQ(window->selectTab(create->tabIndex), create->tabIndex);
    EXPECT_EQ(window->selectTab(99), create->tabIndex) << "no such tab: nothing happens";
    EXPECT_TRUE(createTool.calls.empty());
    EXPECT_TRUE(pageShown(create));
}

TEST_F(ConsoleTest, ResizingKeepsTheTabControlAndEveryPageFittedToTheConsole)
{
    addLibraryConsole();
    CMainConsole* window = openConsole();
    const platform::Rect tabsBefore = window->tabs.windowRect();
    const platform::Rect consoleBefore = window->windowRect();
    window->setWindowPos(nullptr, 0, 0, 260, 500, platform::SWP_NOMOVE | platform::SWP_NOZORDER);
    processMessages();

    const platform::Rect console = window->windowRect();
    const platform::Rect tabs = window->tabs.windowRect();
    EXPECT_EQ(tabs.left - console.left, tabsBefore.left - consoleBefore.left);
    EXPECT_EQ(tabs.top - console.top, tabsBefore.top - consoleBefore.top);
    EXPECT_EQ(tabs.right - console.left, 259);
    EXPECT_EQ(tabs.bottom - console.top, 499);
    const platform::Rect tabsClient = window->tabs.clientRect();
    for (const char* name : {"Create Page", "Edit Page", "View Page"})
    {
        platform::Window* pageWindow = page<VornPluginWindowed>(name)->windowHandle->getWnd();
        const platform::Rect placed = window->tabs.screenToClient(pageWindow->windowRect());
        EXPECT_EQ(
            placed,
            (platform::Rect{tabsClient.left + 3, tabsClient.top + 35, tabsClient.right - 2, tabsClient.bottom - 2}))
            << name;
    }
}

TEST_F(ConsoleTest, BringingACreatorForwardActivatesItThenSwitchesToTheCreateTab)
{
    TestCreator joint("Joint", 121), member("Member", 122);
    addCreators({&member, &joint});
    addLibraryConsole();
    CMainConsole* window = openConsole();
    auto* create = page<PluginMCPageCreate>("Create Page");
    auto* view = page<PluginMCPageView>("View Page");
    window->selectTab(view->tabIndex);

    EXPECT_TRUE(console->activatePlugin(&member.tool));
    EXPECT_EQ(window->tabs.curSel(), create->tabIndex);
    EXPECT_EQ(doc.getActiveMenuItem(), &member.tool);
    EXPECT_EQ(create->pageTool, &member.tool);
    EXPECT_TRUE(member.pagettesShown());
    EXPECT_TRUE(pageShown(create));

    // A page itself brought forward switches to its tab.
    EXPECT_TRUE(console->activatePlugin(view));
    EXPECT_EQ(window->tabs.curSel(), view->tabIndex);

    // A view type is shown on the View page, but the console stays where it is.
    window->selectTab(create->tabIndex);
    FakeViewType viewType;
    EXPECT_FALSE(console->activatePlugin(&viewType));
    EXPECT_EQ(window->tabs.curSel(), create->tabIndex);
    RecordingMenuItem stranger("Stranger");
    EXPECT_FALSE(console->activatePlugin(&stranger));
}

TEST_F(ConsoleTest, DockingAndThePackagedShowAndHideItem)
{
    addLibraryConsole();
    EXPECT_STREQ(console->getWindowTitle(), "Main Console");
    const std::vector<std::pair<uint32_t, int32_t>> dockInfo = {{0, 0x5000}, {1, 0xE81D}, {2, 0}, {3, 0}, {4, 0},
                                                                {5, 10},     {6, 0},      {7, 1}, {8, 0}, {9, 0}};
    for (const auto& [key, value] : dockInfo)
        EXPECT_EQ(console->getDockInfo(key), value) << key;

    std::unique_ptr<VornPluginBase> item(console->GetPackagedPlugin(0));
    auto* menuItem = dynamic_cast<PluginDialogMenuItem*>(item.get());
    ASSERT_NE(menuItem, nullptr);
    EXPECT_STREQ(menuItem->getMenuPath(), "&Tools\\&Toolbars\\Main &Console");
    EXPECT_EQ(menuItem->dialog, console);
    EXPECT_EQ(menuItem->mai, &mai);
    EXPECT_EQ(console->GetPackagedPlugin(1), nullptr);

    // Without a bar the item is enabled and unchecked, and its command does nothing.
    RecordedCommandState state;
    menuItem->updateCommandUI(&state, nullptr);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.check, 0);
    menuItem->execute(nullptr);
    PluginDialogMenuItem orphan(nullptr, "&Tools\\Nothing");
    RecordedCommandState orphanState;
    orphan.updateCommandUI(&orphanState, nullptr);
    EXPECT_EQ(orphanState.enabled, 0);
}

TEST_F(ConsoleTest, TheShowAndHideItemTogglesTheBarInItsFrameAndIsCheckedWhileItIsShown)
{
    addLibraryConsole();
    platform::Menu noDocumentMenu;
    noDocumentMenu.appendPopup("&File");
    platform::MainFrame frame;
    ASSERT_TRUE(frame.createFrame("console test", &noDocumentMenu));
    platform::DialogBar bar;
    ASSERT_TRUE(
        bar.create("#32770", "Main Console", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 200, 400}, &frame));
    frame.addDialogBar(bar, platform::CBRS_ALIGN_LEFT | platform::CBRS_ALIGN_RIGHT);
    frame.dockDialogBar(bar, platform::IDW_DOCKBAR_RIGHT);
    PluginWindowHandleImpl barHandle(&bar);
    console->barHandle = &barHandle;
    std::unique_ptr<VornPluginBase> packaged(console->GetPackagedPlugin(0));
    auto* item = static_cast<PluginDialogMenuItem*>(packaged.get());

    auto checked = [&] {
        RecordedCommandState state;
        item->updateCommandUI(&state, nullptr);
        EXPECT_EQ(state.enabled, 1);
        return state.check;
    };
    EXPECT_EQ(checked(), 1);
    item->execute(nullptr);
    EXPECT_FALSE(frame.isDialogBarVisible(bar));
    EXPECT_EQ(checked(), 0);
    item->execute(nullptr);
    EXPECT_TRUE(frame.isDialogBarVisible(bar));
    EXPECT_EQ(checked(), 1);
    console->barHandle = nullptr;
    frame.destroyWindow();
}

struct ConsolePluginTexts
{
    uint32_t index;
    const char* typeName;
    const char* name;
    const char* description;
    const char* aboutCaption;
    const char* aboutText;
};

class ConsolePlugins : public testing::TestWithParam<ConsolePluginTexts>
{
};

TEST_P(ConsolePlugins, DescribeThemselves)
{
    const ConsolePluginTexts& c = GetParam();
    std::unique_ptr<VornPlugin> plugin(createPlugin(c.index));
    ASSERT_NE(plugin, nullptr);
    EXPECT_STREQ(plugin->getTypeName(), c.typeName);
    EXPECT_STREQ(plugin->getName(), c.name);
    EXPECT_STREQ(plugin->getName(), pluginTable[c.index].name);
    EXPECT_STREQ(plugin->getDescription(), c.description);
    platform::ScriptedInteraction boxes;
    plugin->about(nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, c.aboutCaption);
    EXPECT_EQ(boxes.boxes[0].text, c.aboutText);
    EXPECT_EQ(boxes.boxes[0].type, platform::MB_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsolePlugins,
    testing::Values(ConsolePluginTexts{0, "Dialog", "Main Console",
                                       "Main Console:\nThe tabbed interface to create and modify the data.",
                                       "Main Console", "Main Console Dialog"},
                    ConsolePluginTexts{1, "Main Console Page", "View Page",
                                       "View Page:\nSupplies the interface for view setup.", "View Page", "View Page"},
                    ConsolePluginTexts{4, "Main Console Page", "Edit Page",
                                       "Edit Page:\nSupplies the interface for \nselecting and modifying objects.",
                                       "Edit Page", "Edit Page"},
                    ConsolePluginTexts{5, "Main Console Page", "Create Page",
                                       "Create Page:\nA console page supplying the interface for creating objects.",
                                       "Create Page", "Create Page"}));

} // namespace
