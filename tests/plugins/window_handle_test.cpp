#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraWindows.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "plugins/VornPlugin.h"
#include "platform/Geometry.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "uikit/PluginWindowHandleImpl.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

class WindowHandles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(top.create("Window", "top", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                               {100, 100, 500, 400}, nullptr));
        ASSERT_TRUE(child.create("Window", "", platform::WS_CHILD | platform::WS_VISIBLE, {10, 20, 110, 80}, &top));
        processMessages();
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    platform::Window top;
    platform::Window child;
};

// Every operation of a handle that has no window answers harmlessly.
void expectHarmless(PluginWindowHandle& handle)
{
    const platform::Rect untouched{1, 2, 3, 4};
    platform::Rect rect = untouched;
    handle.getWindowRect(rect);
    EXPECT_EQ(rect, untouched);
    handle.getClientRect(rect);
    EXPECT_EQ(rect, untouched);
    EXPECT_EQ(handle.getWnd(), nullptr);
    EXPECT_EQ(handle.getStyle(), 0u);
    EXPECT_FALSE(handle.isVisible());
    EXPECT_FALSE(handle.moveWindow({0, 0, 10, 10}, true));
    EXPECT_FALSE(handle.modifyStyle(0, platform::WS_VISIBLE, 0));
    EXPECT_FALSE(handle.redraw(nullptr));
    handle.showWindow(platform::SW_SHOW);
    EXPECT_FALSE(handle.isVisible());
}

} // namespace

TEST_F(WindowHandles, AHandleWithoutWindowAnswersHarmlessly)
{
    PluginWindowHandleImpl handle;
    expectHarmless(handle);
    handle.attach(nullptr);
    expectHarmless(handle);
}

TEST_F(WindowHandles, AHandleDrivesItsLiveWindow)
{
    PluginWindowHandleImpl handle;
    handle.attach(&child);
    EXPECT_EQ(handle.getWnd(), &child);
    EXPECT_TRUE(handle.isVisible());
    EXPECT_NE(handle.getStyle() & platform::WS_CHILD, 0u);

    platform::Rect client;
    handle.getClientRect(client);
    EXPECT_EQ(client, (platform::Rect{0, 0, 100, 60}));
    EXPECT_TRUE(handle.moveWindow({30, 40, 80, 90}, false));
    platform::Rect window;
    handle.getWindowRect(window);
    EXPECT_EQ(window, top.clientToScreen(platform::Rect{30, 40, 80, 90}));

    handle.showWindow(platform::SW_HIDE);
    EXPECT_FALSE(handle.isVisible());
    EXPECT_TRUE(handle.modifyStyle(0, platform::WS_VISIBLE, 0));
    EXPECT_TRUE(handle.isVisible());
    EXPECT_TRUE(handle.redraw(nullptr));

    // A handle made for the window's system handle finds the same window.
    PluginWindowHandleImpl second(child.handle());
    EXPECT_EQ(second.getWnd(), &child);
}

TEST_F(WindowHandles, AHandleOutlivingItsWindowAnswersHarmlessly)
{
    PluginWindowHandleImpl handle;
    {
        platform::Window shortLived;
        ASSERT_TRUE(shortLived.create("Window", "", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 50, 50}, &top));
        handle.attach(&shortLived);
        EXPECT_TRUE(handle.isVisible());
        shortLived.destroyWindow();
    }
    expectHarmless(handle);
}

TEST_F(WindowHandles, AHandlePaintsItsWindowInTheResourceContextOfTheLibraryHoldingIt)
{
    // A library's window looks up its pictures while it paints: in the library's own resources,
    // whatever context the caller (the host or another library) runs in.
    class PaintRecorder : public platform::Window
    {
    public:
        platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override
        {
            if (message == platform::WM_PAINT)
                paintedIn = platform::currentResourceModule();
            return Window::windowProc(message, wParam, lParam);
        }
        platform::ModuleHandle paintedIn = platform::ModuleHandle::None;
    } window;
    ASSERT_TRUE(window.create("Window", "", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 50, 50}, &top));
    processMessages();
    PluginWindowHandleImpl handle;
    handle.attach(&window);

    const platform::ModuleHandle callers{0x5150};
    platform::ResourceModuleScope callersContext(callers);
    EXPECT_TRUE(handle.redraw(nullptr));
    EXPECT_EQ(window.paintedIn, lumbra::thisModule());
    EXPECT_EQ(platform::currentResourceModule(), callers);
}

TEST_F(WindowHandles, AnAboutBoxIsOwnedByTheParentsWindow)
{
    platform::ScriptedInteraction boxes;
    PluginWindowHandleImpl parent;
    parent.attach(&top);
    lumbra::showAboutBox(&parent, "Main Options", "Main Options\nLumbra");
    lumbra::showAboutBox(nullptr, "Delete", "Delete\nLumbra");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].owner, top.handle());
    EXPECT_EQ(boxes.boxes[0].caption, "Main Options");
    EXPECT_EQ(boxes.boxes[0].type, platform::MB_OK);
    EXPECT_EQ(boxes.boxes[1].owner, platform::WindowHandle::None);
}

namespace
{

constexpr int32_t pageTemplateId = 700;
constexpr int32_t missingTemplateId = 701;

void registerPageTemplate()
{
    static const bool registered = [] {
        platform::DialogTemplate page;
        page.rect = {0, 0, 100, 50};
        page.style = platform::WS_CHILD | platform::WS_VISIBLE;
        platform::registerDialogTemplate(lumbra::thisModule(), pageTemplateId, page);
        return true;
    }();
    (void)registered;
}

class PagePlugin : public VornPluginWindowed
{
public:
    const char* getTypeName() override { return "Test Page"; }
    const char* getName() override { return "Test Page"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(dialogId); }
    int32_t dialogId = pageTemplateId;
};

// A page of the library: it reads its plugin's window handle while it initialises.
class TestPage : public platform::Dialog
{
public:
    TestPage(platform::Window* parent, VornPluginWindowed* plugin)
        : Dialog(plugin->getWindowRequest()->dialogId), plugin(plugin)
    {
    }
    bool onInitDialog() override
    {
        handleDuringInit = plugin->windowHandle;
        return Dialog::onInitDialog();
    }
    VornPluginWindowed* plugin;
    PluginWindowHandle* handleDuringInit = nullptr;
};

const PluginWindowTableEntry pageTable[] = {
    {pageTemplateId, lumbra::makeLumbraDialog<TestPage>},
    {missingTemplateId, lumbra::makeLumbraDialog<TestPage>},
};

} // namespace

TEST_F(WindowHandles, TheLibraryMakesAPageFromItsTemplateUnderTheParentsWindow)
{
    registerPageTemplate();
    PagePlugin plugin;
    PluginWindowHandleImpl parent;
    parent.attach(&top);
    std::unique_ptr<PluginWindowHandle> handle(
        makePluginWindow(&parent, plugin.getWindowRequest(), pageTable, lumbra::makeWindowHandle));
    ASSERT_NE(handle, nullptr);
    auto* page = dynamic_cast<TestPage*>(handle->getWnd());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->parent(), &top);
    EXPECT_EQ(page->handleDuringInit, handle.get());
    EXPECT_EQ(plugin.windowHandle, handle.get());
    EXPECT_EQ(handle->parent, &parent);
    EXPECT_TRUE(handle->isVisible());
    page->destroyWindow();
    delete page;
    EXPECT_FALSE(handle->isVisible());
}

TEST_F(WindowHandles, APageWithoutTemplateIsNotMadeAndLeavesNothing)
{
    registerPageTemplate();
    PagePlugin plugin;
    plugin.dialogId = missingTemplateId;
    PluginWindowHandleImpl parent;
    parent.attach(&top);
    EXPECT_EQ(makePluginWindow(&parent, plugin.getWindowRequest(), pageTable, lumbra::makeWindowHandle), nullptr);
    EXPECT_EQ(plugin.windowHandle, nullptr);
    EXPECT_EQ(top.children(), std::vector<platform::Window*>{&child});
}
