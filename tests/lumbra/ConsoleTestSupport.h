#pragma once

// A host for the main console and its pages in a test program: an application interface that
// makes plugin windows the way the host does, small creators, modifiers and view types with their
// own pagettes and pages, and a top-level window to dock the console in.

#include "Lumbra/Console/ConsoleResources.h"
#include "Lumbra/Console/CreatePage.h"
#include "Lumbra/Console/EditPage.h"
#include "Lumbra/Console/MainConsole.h"
#include "Lumbra/Console/ViewPage.h"
#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/MenuItemImages.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginObjectType.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Template ids of the test's own windows (the test program is also the library's module, so they
// stay clear of the library's ids).
namespace TestTemplate
{
constexpr int32_t Pagette = 7001; // 60 x 30 with two edits
constexpr int32_t Page = 7002; // a stand-in console page
constexpr int32_t ViewTypePage = 7003;
constexpr int32_t Missing = 7099; // no such template: the window cannot be made
} // namespace TestTemplate

constexpr int32_t pagetteFirstEdit = 7101;
constexpr int32_t pagetteSecondEdit = 7102;

inline void registerConsoleTestResources()
{
    using namespace platform;
    platformApplication();
    lumbra::registerKitResources();
    lumbra::registerMenuItemImages();
    lumbra::registerConsoleResources();
    const ModuleHandle module = lumbra::thisModule();
    DialogTemplate pagette =
        dialogTemplateOf({0, 0, 60, 30}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
                         {controlItem("Edit", pagetteFirstEdit, {2, 2, 50, 12}, WS_TABSTOP | WS_BORDER),
                          controlItem("Edit", pagetteSecondEdit, {2, 16, 50, 12}, WS_TABSTOP | WS_BORDER)});
    pagette.exStyle = WS_EX_CONTROLPARENT;
    registerDialogTemplate(module, TestTemplate::Pagette, pagette);
    DialogTemplate page = dialogTemplateOf({0, 0, 100, 100}, WS_CHILD | DS_CONTROL | DS_SETFONT, "", {});
    page.exStyle = WS_EX_CONTROLPARENT;
    registerDialogTemplate(module, TestTemplate::Page, page);
    registerDialogTemplate(module, TestTemplate::ViewTypePage,
                           dialogTemplateOf({0, 0, 80, 40}, WS_CHILD | DS_CONTROL | DS_SETFONT, "", {}));
    // The creators' 16 x 16 button pictures.
    for (int32_t id : {121, 122, 172})
    {
        BitmapResource bitmap;
        bitmap.width = 16;
        bitmap.height = 16;
        bitmap.pixels.assign(256, 0x000080u + static_cast<uint32_t>(id));
        registerBitmapResource(module, id, bitmap);
    }
}

// Makes plugin windows as the host does: around the plugin's dialog object from the template of
// the plugin's module, the handle written through the request before the window exists.
class WindowMakingMAI : public ScriptedMAI
{
public:
    PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) override
    {
        if (request == nullptr || request->plugin == nullptr || request->plugin->dialogObject == nullptr)
            return nullptr;
        const PluginWindowRequest copy = *request;
        handles.push_back(std::make_unique<PluginWindowHandleImpl>());
        PluginWindowHandle* handle = handles.back().get();
        handle->parent = parent;
        if (copy.handleField != nullptr)
            *copy.handleField = handle;
        const platform::DialogTemplate* found = platform::findDialogTemplate(copy.plugin->module, copy.dialogId);
        platform::Window* parentWindow = parent != nullptr ? parent->getWnd() : nullptr;
        if (found != nullptr && copy.plugin->dialogObject->createIndirect(*found, parentWindow, copy.plugin->module))
            handle->attach(copy.plugin->dialogObject);
        return handle;
    }

    std::vector<std::unique_ptr<PluginWindowHandle>> handles;
};

// A pagette of the test template, named for the tests.
class TestPagette : public VornPluginCreatorPagette
{
public:
    explicit TestPagette(std::string name, int32_t templateId = TestTemplate::Pagette)
        : name(std::move(name)), templateId(templateId)
    {
    }
    const char* getTypeName() override { return "Test Pagette"; }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(templateId);
    }
    void applyToNewObject(VornDocument*, VornBaseObject*) override {}
    bool shown() { return window.exists() && (window.style() & platform::WS_VISIBLE) != 0; }

    std::string name;
    int32_t templateId;
    platform::Dialog window;
};

// An edit pagette that shows itself for every selection that holds something.
class TestEditPagette : public VornPluginEditPagette
{
public:
    explicit TestEditPagette(std::string name) : name(std::move(name)) {}
    const char* getTypeName() override { return "Test Edit Pagette"; }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(TestTemplate::Pagette);
    }
    bool updateFromSelection(int32_t, VornSelection* selection) override
    {
        ++updates;
        return selection == nullptr;
    }
    bool shown() { return window.exists() && (window.style() & platform::WS_VISIBLE) != 0; }

    std::string name;
    platform::Dialog window;
    int updates = 0;
};

// A modifier's pagette.
class TestModifierPagette : public PluginModifierPage
{
public:
    explicit TestModifierPagette(std::string name) : name(std::move(name)) {}
    const char* getTypeName() override { return "Test Modifier Pagette"; }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(TestTemplate::Pagette);
    }
    void setObject(VornModifier* record) override { shownRecord = record; }
    bool shown() { return window.exists() && (window.style() & platform::WS_VISIBLE) != 0; }

    std::string name;
    platform::Dialog window;
    VornModifier* shownRecord = nullptr;
};

// A creator with a tool menu item, creation and edit pagettes and a button picture (0: none).
class TestCreator : public VornPluginObjectCreator
{
public:
    TestCreator(std::string objectName, int32_t bitmapId, int pagetteCount = 1)
        : objectName(std::move(objectName)), bitmapId(bitmapId), tool(this->objectName + " Tool")
    {
        toolMenuItem = &tool;
        for (int i = 0; i < pagetteCount; ++i)
        {
            createPagetteObjects.push_back(std::make_unique<TestPagette>(this->objectName + " " + std::to_string(i)));
            addCreatePagette(createPagetteObjects.back().get());
            editPagetteObjects.push_back(
                std::make_unique<TestEditPagette>(this->objectName + " edit " + std::to_string(i)));
            addEditPagette(editPagetteObjects.back().get());
        }
    }
    const char* getName() override { return objectName.c_str(); }
    void about(PluginWindowHandle*) override {}
    const char* getObjectTypeName() override { return objectName.c_str(); }
    int32_t getObjectTypeID() override { return 0; }
    int32_t getBitmapID() override { return bitmapId; }
    platform::ToolbarButton* getButton() override { return &button; }
    bool createObject() override { return false; }
    void acceptSnapObject(VornPluginSnapObject*) override {}
    void onMouse(int32_t, int32_t, int32_t, uint32_t) override {}
    void deactivate() override {}

    // Gives the creator, its tool and its pagettes the module and application interface.
    void adopt(MAI* mai)
    {
        for (VornPlugin* plugin : std::initializer_list<VornPlugin*>{this, &tool})
        {
            plugin->mai = mai;
            plugin->module = lumbra::thisModule();
        }
        for (auto& pagette : createPagetteObjects)
            package(pagette.get());
        for (auto& pagette : editPagetteObjects)
            package(pagette.get());
    }
    bool pagettesShown()
    {
        for (auto& pagette : createPagetteObjects)
            if (!pagette->shown())
                return false;
        return true;
    }
    bool pagettesHidden()
    {
        for (auto& pagette : createPagetteObjects)
            if (pagette->shown())
                return false;
        return true;
    }

    std::string objectName;
    int32_t bitmapId;
    RecordingMenuItem tool;
    std::vector<std::unique_ptr<TestPagette>> createPagetteObjects;
    std::vector<std::unique_ptr<TestEditPagette>> editPagetteObjects;
};

// A stand-in for a console page the library does not have yet (or one whose window cannot be made).
class StandInPage : public VornPluginMainConsolePage
{
public:
    StandInPage(std::string name, int32_t templateId) : name(std::move(name)), templateId(templateId) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(templateId);
    }
    void addTabImage(platform::ImageList*) override {}

    std::string name;
    int32_t templateId;
    platform::Dialog window;
};

// The console made the way the host makes it: its plugins added to a registry in the library's
// table order, its window made inside a top-level window that stands in for the docking bar.
class ConsoleTest : public ::testing::Test
{
protected:
    ConsoleTest()
    {
        registerConsoleTestResources();
        mai.activeDocument = &doc;
        mai.activeView = &view;
        // The host's type that the console is filed under.
        registry.addPluginType(&mai.pluginLists.dialogs, "Dialog", nullptr);
    }
    ~ConsoleTest() override
    {
        top.destroyWindow();
        processMessages();
    }

    // Adds the plugin as the host adds a library's plugin.
    template <class Plugin>
    Plugin* add(Plugin* plugin)
    {
        plugin->mai = &mai;
        plugin->module = lumbra::thisModule();
        registry.addPlugin(plugin);
        return plugin;
    }

    // The library's console and pages (table indices 0 to 5), with stand-ins for the pages the
    // library does not make yet; `standInTemplate` is the template of the stand-ins' windows.
    void addLibraryConsole(int32_t standInTemplate = TestTemplate::Page)
    {
        for (uint32_t index = 0; index <= 5; ++index)
        {
            VornPlugin* plugin = lumbra::createPlugin(index);
            if (plugin == nullptr)
                plugin = new StandInPage(lumbra::pluginTable[index].name, standInTemplate);
            add(plugin);
        }
        console = static_cast<lumbra::PluginMainConsoleDialog*>(registry.findPlugin("Dialog", "Main Console"));
    }

    // Makes the console's window inside the top-level window.
    lumbra::CMainConsole* openConsole()
    {
        top.create("Window", "console test", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {20, 20, 420, 720},
                   nullptr);
        topHandle.attach(&top);
        mai.createPluginWindow(console->getWindowRequest(), &topHandle);
        processMessages();
        return static_cast<lumbra::CMainConsole*>(console->dialog());
    }

    // The page plugins in the order of the console's tabs.
    std::vector<std::string> tabNames()
    {
        std::vector<std::string> names;
        auto* window = static_cast<lumbra::CMainConsole*>(console->dialog());
        for (int tab = 0; tab < window->tabs.itemCount(); ++tab)
            names.push_back(reinterpret_cast<VornPluginBase*>(window->tabs.itemData(tab))->getName());
        return names;
    }

    template <class Page>
    Page* page(const char* name)
    {
        return dynamic_cast<Page*>(registry.findPlugin("Main Console Page", name));
    }

    void addCreators(std::initializer_list<TestCreator*> creators)
    {
        for (TestCreator* creator : creators)
        {
            creator->adopt(&mai);
            PluginManager::pushFront(mai.pluginLists.objectCreators, creator);
        }
    }

    WindowMakingMAI mai;
    CountingDoc doc{&mai};
    FakeView view{&doc};
    PluginManager registry;
    lumbra::PluginMainConsoleDialog* console = nullptr;
    platform::Window top;
    PluginWindowHandleImpl topHandle;
};
