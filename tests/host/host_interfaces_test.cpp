// The host's application and document interfaces: menu items in the menus and on toolbars, the
// active calculator switch, and the document lock helper.
#include "VornInterface/HostFrame.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/MAI_Doc_VornInterface.h"
#include "VornInterface/MAI_VornInterface.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/Application.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/Threads.h"
#include "platform/Time.h"
#include "platform/Toolbar.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginMenuItem.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace
{

platform::Application& application()
{
    static int argc = 1;
    static char name[] = "host_interfaces_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new platform::Application(argc, argv, "Quorl2");
    return *app;
}

// A module handle of its own for the test's bitmaps.
const platform::ModuleHandle testModule = static_cast<platform::ModuleHandle>(0x7E57);
constexpr int32_t arrowBitmap = 301;

class Item : public VornPluginMenuItem
{
public:
    Item(std::string name, std::string path, int32_t bitmap = 0, const char* toolbar = nullptr)
        : name(std::move(name)), path(std::move(path)), bitmap(bitmap), toolbar(toolbar)
    {
        module = testModule;
    }
    const char* getName() override { return name.c_str(); }
    const char* getMenuPath() override { return path.c_str(); }
    int32_t getBitmapID() override { return bitmap; }
    const char* getToolbarName() override { return toolbar; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}

    std::string name;
    std::string path;
    int32_t bitmap;
    const char* toolbar;
};

class ToolbarPlugin : public VornPluginToolbar
{
public:
    explicit ToolbarPlugin(std::string name) : name(std::move(name)) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    std::string name;
};

class FakeFrame : public HostFrame
{
public:
    FakeFrame() : images(platform::Size{16, 16}) {}
    platform::Menu* currentMenu() override { return menu.get(); }
    void redrawMenuBar() override { ++menuRedraws; }
    platform::Toolbar* pluginToolbar(VornPluginToolbar* plugin) override
    {
        auto found = toolbars.find(plugin);
        return found != toolbars.end() ? found->second.get() : nullptr;
    }
    platform::ImageList& buttonImages() override { return images; }
    void toolbarChanged(platform::Toolbar&) override {}
    void redrawToolbars() override {}
    platform::Window* window() override { return nullptr; }

    std::unique_ptr<platform::Menu> menu = std::make_unique<platform::Menu>(platform::Menu::Kind::Bar);
    std::map<VornPluginToolbar*, std::unique_ptr<platform::Toolbar>> toolbars;
    platform::ImageList images;
    int menuRedraws = 0;
};

struct Interfaces : ::testing::Test
{
    MAI_VornInterface mai;
    FakeFrame frame;
    PluginManager registry;
    ToolbarPlugin* mainOptions = new ToolbarPlugin("Main Options");

    Interfaces()
    {
        application();
        registerHostPluginTypes(registry, mai);
        registry.addPlugin(mainOptions);
        frame.toolbars[mainOptions] = std::make_unique<platform::Toolbar>();
        mai.setFrame(&frame);
        platform::BitmapResource bitmap{16, 16, std::vector<uint32_t>(256, 0x0000FF)};
        platform::registerBitmapResource(testModule, arrowBitmap, bitmap);
        platform::Menu* calculate = frame.menu->appendPopup("C&alculate");
        calculate->appendItem(65535, "&Method");
    }

    platform::Toolbar& toolbar() { return *frame.toolbars[mainOptions]; }
};

TEST_F(Interfaces, MenuItemGetsItsIdOnceAndIsInsertedOnce)
{
    Item basic("Basic", "&Calculate\\&Method\\&Basic Iteration");
    Item full("Full", "&Calculate\\&Method\\&Full Iteration");
    EXPECT_TRUE(mai.addMenuItem(&basic));
    EXPECT_TRUE(mai.addMenuItem(&full));
    EXPECT_TRUE(mai.addMenuItem(&basic));
    EXPECT_EQ(basic.commandId, 0xBFFEu);
    EXPECT_EQ(full.commandId, 0xBFFDu);
    platform::Menu* method = frame.menu->submenu(0)->submenu(0);
    ASSERT_NE(method, nullptr) << "\"&Method\" became a popup";
    ASSERT_EQ(method->entryCount(), 2);
    EXPECT_EQ(method->entryText(0), "&Basic Iteration\t");
    EXPECT_EQ(mai.firstMenuItem(), &full);
    EXPECT_EQ(mai.findMenuItem(0xBFFE), &basic);
}

TEST_F(Interfaces, RemovedItemKeepsItsIdAndComesBackWithItsButton)
{
    Item tool("Zoom", "&View\\&Zoom", arrowBitmap);
    ASSERT_TRUE(mai.addMenuItem(&tool));
    ASSERT_EQ(toolbar().buttonCount(), 1);
    const uint32_t id = tool.commandId;
    EXPECT_TRUE(mai.removeMenuItem(&tool));
    EXPECT_EQ(toolbar().buttonCount(), 0);
    EXPECT_EQ(frame.menu->entryCount(), 1) << "the popup made for it went with it";
    EXPECT_EQ(mai.findMenuItem(id), nullptr);
    EXPECT_TRUE(mai.addMenuItem(&tool));
    EXPECT_EQ(tool.commandId, id);
    ASSERT_EQ(toolbar().buttonCount(), 1) << "re-adding restores the button";
    EXPECT_EQ(toolbar().button(0).commandId, static_cast<int32_t>(id));
    EXPECT_EQ(frame.images.count(), 1) << "its image is reused";
}

TEST_F(Interfaces, ItemForAnUnknownToolbarHasAnEntryButNoButton)
{
    Item snap("Grid", "&View\\&Grid", arrowBitmap, "Snap Options");
    EXPECT_TRUE(mai.addMenuItem(&snap));
    EXPECT_EQ(toolbar().buttonCount(), 0);
    EXPECT_EQ(frame.menu->entryCount(), 2);
}

TEST_F(Interfaces, WithoutMenuNothingChanges)
{
    frame.menu.reset();
    Item item("Item", "&Create\\&Joint");
    EXPECT_FALSE(mai.addMenuItem(&item));
    EXPECT_EQ(item.commandId, 0u);
    EXPECT_FALSE(mai.removeMenuItem(&item));
}

TEST_F(Interfaces, MessageBoxWithoutCaptionShowsTheProgramsName)
{
    platform::ScriptedInteraction script;
    script.boxAnswers.push_back(platform::IDNO);
    EXPECT_EQ(mai.messageBox("text", nullptr, platform::MB_YESNO), platform::IDNO);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].caption, "Quorl2");
}

struct ColourListener : ColorChoiceListener
{
    void colorChosen(uint32_t* colour) override { chosen.push_back(*colour); }
    std::vector<uint32_t> chosen;
};

TEST_F(Interfaces, CancelledColourChangesNothingAndTellsNobody)
{
    platform::ScriptedInteraction script;
    script.colourAnswers.push_back(std::nullopt);
    script.colourAnswers.push_back(0x123456u);
    ColourListener listener;
    uint32_t colour = 0xABCDEF;
    mai.chooseColor(&colour, &listener);
    EXPECT_EQ(colour, 0xABCDEFu);
    EXPECT_TRUE(listener.chosen.empty());
    mai.chooseColor(&colour, &listener);
    EXPECT_EQ(colour, 0x123456u);
    EXPECT_EQ(listener.chosen, std::vector<uint32_t>{0x123456u});
}

// ---- The active calculator ----

class Calculator : public VornPluginCalculator
{
public:
    explicit Calculator(std::string name) : name(std::move(name)) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return false; }
    int32_t getCalculationState(VornDocument*) override { return running ? Running : 0; }
    int32_t stopCalculation(VornDocument*) override
    {
        ++stops;
        if (stops_work)
        {
            workerStop = true;
            worker.wait(5000);
            running = false;
        }
        return running ? 1 : 0;
    }
    // A calculation on a worker thread that holds the document lock for each iteration, as the
    // calculators do; its last act takes the lock once more. Exit code 1: the lock was not granted.
    void startWorker(DocumentLock* lock)
    {
        running = true;
        workerStop = false;
        ASSERT_TRUE(worker.start([this, lock] {
            for (bool last = false; !last;)
            {
                last = workerStop.load();
                if (!lock->try_lock_for(std::chrono::seconds(1)))
                    return 1u;
                ++iterations;
                lock->unlock();
                platform::sleepMilliseconds(1);
            }
            return 0u;
        }));
    }
    std::string name;
    bool running = false;
    bool stops_work = true;
    int stops = 0;
    platform::WorkerThread worker;
    std::atomic<bool> workerStop{false};
    std::atomic<int> iterations{0};
};

struct CountingListener : NotifierListener
{
    void notify(void*) override { ++count; }
    int count = 0;
};

struct Calculators : Interfaces
{
    Calculator* basic = new Calculator("Basic Iterator");
    Calculator* full = new Calculator("Full Iterator");
    CountingListener switches;
    platform::ScriptedInteraction script;

    Calculators()
    {
        registry.addPlugin(basic);
        registry.addPlugin(full);
        mai.notifierRegistry.addListener(Channel::ActiveCalculatorChanged, &switches);
    }
};

TEST_F(Calculators, NewDocumentStartsWithTheFirstCalculator)
{
    MAI_Doc_VornInterface document(&mai, nullptr);
    EXPECT_EQ(document.getActiveCalculator(), full) << "the head of the list";
    document.setActiveCalculator(full);
    EXPECT_EQ(switches.count, 0) << "the active one again: nothing";
    document.setActiveCalculator(basic);
    EXPECT_EQ(document.getActiveCalculator(), basic);
    EXPECT_EQ(switches.count, 1);
    EXPECT_TRUE(script.boxes.empty()) << "nothing runs: no question";
}

TEST_F(Calculators, RunningCalculationIsStoppedOnlyWhenTheUserAgrees)
{
    MAI_Doc_VornInterface document(&mai, nullptr);
    full->running = true;
    script.boxAnswers = {platform::IDNO, platform::IDYES};
    document.setActiveCalculator(basic);
    EXPECT_EQ(document.getActiveCalculator(), full);
    EXPECT_TRUE(full->running);
    EXPECT_EQ(switches.count, 0);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].caption, "Shut down calculation?");

    document.setActiveCalculator(basic);
    EXPECT_FALSE(full->running);
    EXPECT_EQ(document.getActiveCalculator(), basic);
    EXPECT_EQ(switches.count, 1);
}

TEST_F(Calculators, CalculatorThatDoesNotStopStaysActive)
{
    MAI_Doc_VornInterface document(&mai, nullptr);
    full->running = true;
    full->stops_work = false;
    script.boxAnswers = {platform::IDYES};
    document.setActiveCalculator(basic);
    EXPECT_EQ(document.getActiveCalculator(), full);
    ASSERT_EQ(script.boxes.size(), 2u);
    EXPECT_EQ(script.boxes[1].text, "The active calculator does not shutdown");
    EXPECT_EQ(switches.count, 0);
    full->stops_work = true;
}

TEST_F(Calculators, ClosingADocumentStopsItsCalculationFirstAndStopAllReachesEveryDocument)
{
    auto first = std::make_unique<MAI_Doc_VornInterface>(&mai, nullptr);
    MAI_Doc_VornInterface second(&mai, nullptr);
    full->running = true;
    stopAllCalculations(mai);
    EXPECT_FALSE(full->running);
    EXPECT_EQ(full->stops, 1) << "a stopped calculation is not asked again";
    full->startWorker(first->getLock());
    while (full->iterations.load() < 3)
        platform::sleepMilliseconds(1);
    first.reset();
    EXPECT_FALSE(full->running);
    EXPECT_FALSE(full->worker.isRunning()) << "the worker ended before the document went";
    EXPECT_EQ(full->worker.exitCode(), 0u) << "its last iteration still found the document lock";
    EXPECT_EQ(mai.documents, &second) << "the closed document left the chain";
}

} // namespace

#include "VornInterface/HostMenus.h"

namespace
{

std::vector<std::string> entryTexts(const platform::Menu& menu)
{
    std::vector<std::string> texts;
    for (int position = 0; position < menu.entryCount(); ++position)
        texts.push_back(menu.entryText(position));
    return texts;
}

TEST(HostMenus, BarsForNoDocumentAndForDocuments)
{
    application();
    auto noDocument = makeNoDocumentMenu();
    EXPECT_EQ(entryTexts(*noDocument), (std::vector<std::string>{"&File", "&View", "&Create", "&Tools", "&Help"}));
    EXPECT_EQ(noDocument->submenu(2), nullptr) << "a plain top-level \"&Create\"";
    auto document = makeDocumentMenu();
    EXPECT_EQ(entryTexts(*document),
              (std::vector<std::string>{"&File", "&Edit", "&Create", "&Modify", "&Tools", "&View", "C&alculate",
                                        "&Window", "&Help"}));
    EXPECT_EQ(document->submenu(0)->entryCount(), 18);
    EXPECT_EQ(document->submenu(6)->commandId(0), HostCommand::Placeholder) << "\"&Method\" waits for plugins";
}

TEST(HostMenus, UpdateRatesAndPrompts)
{
    EXPECT_EQ(updatePeriodOf(HostCommand::UpdateNever), 0);
    EXPECT_EQ(updatePeriodOf(HostCommand::UpdateTwentyFivePerSecond), 40);
    EXPECT_EQ(updatePeriodOf(HostCommand::UpdateEverySecond), 1000);
    EXPECT_EQ(updatePeriodOf(HostCommand::UpdateEveryFifteenSeconds), 15000);
    EXPECT_EQ(updatePeriodOf(HostCommand::Import), -1);
    EXPECT_EQ(hostCommandPrompt(32780),
              "View the Readme-file; general remarks about this application.\nView the Readme-file");
}

} // namespace

#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "plugins/VornPluginDialog.h"

namespace
{

constexpr int32_t panelTemplate = 610;

class PanelPlugin : public VornPluginDialog
{
public:
    explicit PanelPlugin(int32_t dialogId) : dialogId(dialogId) { module = testModule; }
    const char* getName() override { return "Panel"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        if (dialogObject == nullptr)
            dialogObject = &dialog;
        return requestWindow(dialogId);
    }
    const char* getWindowTitle() override { return "Panel"; }
    int32_t getDockInfo(uint32_t) override { return 0; }

    int32_t dialogId;
    platform::Dialog dialog;
};

TEST_F(Interfaces, PluginWindowsComeFromTheirOwnModulesTemplate)
{
    platform::DialogTemplate panel;
    panel.rect = {0, 0, 100, 60};
    panel.style = platform::WS_CHILD;
    platform::registerDialogTemplate(testModule, panelTemplate, panel);
    platform::Window parentWindow;
    ASSERT_TRUE(parentWindow.create("Window", "parent", platform::WS_OVERLAPPEDWINDOW, {0, 0, 300, 300}, nullptr));
    PluginWindowHandleImpl parent(&parentWindow);

    PanelPlugin made(panelTemplate);
    PluginWindowHandle* handle = mai.createPluginWindow(made.getWindowRequest(), &parent);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(made.windowHandle, handle) << "the request's handle field got the handle";
    EXPECT_EQ(handle->parent, &parent);
    ASSERT_NE(handle->getWnd(), nullptr);
    EXPECT_EQ(handle->getWnd()->parent(), &parentWindow);

    PanelPlugin missing(panelTemplate + 1);
    PluginWindowHandle* empty = mai.createPluginWindow(missing.getWindowRequest(), &parent);
    ASSERT_NE(empty, nullptr) << "a handle even when the module has no such template";
    EXPECT_EQ(missing.windowHandle, empty);
    EXPECT_EQ(empty->getWnd(), nullptr);
    EXPECT_FALSE(empty->isVisible());
    EXPECT_EQ(mai.requestPluginWindow(&missing, 5, &parent), nullptr) << "its library has no GetPluginWindow";
    delete empty;
    delete handle;
    parentWindow.destroyWindow();
}

} // namespace
