#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/PluginWindowHandleImpl.h"
#include "platform/Geometry.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

using lumbra::PluginWindowHandleImpl;

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
