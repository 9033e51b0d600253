#include "plugins/PluginWindowFactory.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

// Counts live handles, so a test sees that a failed attempt keeps none.
int liveHandles = 0;

class CountedHandle : public FakeWindowHandle
{
public:
    CountedHandle() { ++liveHandles; }
    ~CountedHandle() override { --liveHandles; }
    void attach(platform::Window* window) override { attached = window; }
    platform::Window* getWnd() override { return reinterpret_cast<platform::Window*>(0x700); }
    platform::Window* attached = nullptr;
};

PluginWindowHandle* makeCountedHandle()
{
    return new CountedHandle;
}

class TestPagette : public VornPluginWindowed
{
public:
    const char* getTypeName() override { return "Pagette"; }
    const char* getName() override { return "Pagette"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(dialogId); }
    int32_t dialogId = 123;
};

platform::Window* const madeWindow = reinterpret_cast<platform::Window*>(0x900);
platform::Window* parentSeen = nullptr;
PluginWindowHandle* handleSeenWhileMaking = nullptr;

platform::Window* makeWindow(platform::Window* parent, VornPluginWindowed* plugin)
{
    parentSeen = parent;
    handleSeenWhileMaking = plugin->windowHandle;
    return madeWindow;
}

platform::Window* failToMakeWindow(platform::Window*, VornPluginWindowed*)
{
    return nullptr;
}

platform::Window* throwWhileMakingWindow(platform::Window*, VornPluginWindowed*)
{
    throw std::runtime_error("no template");
}

const PluginWindowTableEntry table[] = {
    {101, makeWindow}, {123, makeWindow}, {124, failToMakeWindow}, {125, throwWhileMakingWindow},
    {130, nullptr}, // a window the library does not make yet
};

class WindowFactory : public ::testing::Test
{
protected:
    void TearDown() override
    {
        delete made;
        EXPECT_EQ(liveHandles, 1); // the parent
    }
    PluginWindowHandle* make(int32_t dialogId, PluginWindowHandle* parentHandle)
    {
        plugin.dialogId = dialogId;
        made = makePluginWindow(parentHandle, plugin.getWindowRequest(), table, makeCountedHandle);
        return made;
    }

    TestPagette plugin;
    CountedHandle parent;
    PluginWindowHandle* made = nullptr;
};

} // namespace

TEST_F(WindowFactory, TheHandleReachesThePluginBeforeTheWindowIsMade)
{
    for (int32_t dialogId : {123, 101})
    {
        delete made;
        plugin.windowHandle = nullptr;
        PluginWindowHandle* handle = make(dialogId, &parent);
        ASSERT_NE(handle, nullptr) << dialogId;
        EXPECT_EQ(handleSeenWhileMaking, handle);
        EXPECT_EQ(plugin.windowHandle, handle);
        EXPECT_EQ(handle->parent, &parent);
        EXPECT_EQ(static_cast<CountedHandle*>(handle)->attached, madeWindow);
        EXPECT_EQ(parentSeen, parent.getWnd());
    }
}

TEST_F(WindowFactory, ARequestWithoutHandleFieldStillGetsTheHandle)
{
    PluginWindowRequest request{123, &plugin, nullptr};
    made = makePluginWindow(&parent, &request, table, makeCountedHandle);
    EXPECT_NE(made, nullptr);
}

TEST_F(WindowFactory, FailuresAnswerNullKeepNothingAndLeaveTheHandleFieldAsItWas)
{
    FakeWindowHandle earlier;
    for (int32_t dialogId : {124, 125, 130, 999})
    {
        plugin.windowHandle = &earlier;
        EXPECT_EQ(make(dialogId, &parent), nullptr) << dialogId;
        EXPECT_EQ(plugin.windowHandle, &earlier) << dialogId;
        EXPECT_EQ(liveHandles, 1) << dialogId; // only the parent
    }
    EXPECT_EQ(make(123, nullptr), nullptr);
    FakeWindowHandle parentWithoutWindow; // its window is gone
    parentSeen = madeWindow;
    EXPECT_EQ(make(123, &parentWithoutWindow), nullptr);
    EXPECT_EQ(parentSeen, madeWindow); // no window was made
    EXPECT_EQ(makePluginWindow(&parent, nullptr, table, makeCountedHandle), nullptr);
    EXPECT_EQ(plugin.windowHandle, &earlier);
}
