// The application object: the key channels before dispatch and the start-up without plugins.
#include "VornInterface/VornInterfaceApp.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "tests/host/HostApplicationForTests.h"
#include "tests/platform/RecordedCommandState.h"

#include <gtest/gtest.h>

namespace
{

struct KeyListener : NotifierListener
{
    void notify(void* payload) override { keys.push_back(static_cast<platform::Message*>(payload)->wParam); }
    std::vector<platform::WParam> keys;
};

platform::Message keyDown(uint32_t key)
{
    platform::Message message;
    message.message = platform::WM_KEYDOWN;
    message.wParam = key;
    return message;
}

TEST(HostApplication, KeyChannelsTakeTheirKeyOnlyWhileSomebodyListens)
{
    CVornInterfaceApp& app = testHost();
    KeyListener escape;
    app.mai().notifierRegistry.addListener(Channel::EscapeKey, &escape);

    platform::Message tab = keyDown(platform::VK_TAB);
    EXPECT_FALSE(app.preTranslateMessage(tab)) << "nobody listens to KP_TAB: the key goes on";
    platform::Message esc = keyDown(platform::VK_ESCAPE);
    EXPECT_TRUE(app.preTranslateMessage(esc));
    EXPECT_EQ(escape.keys, std::vector<platform::WParam>{platform::VK_ESCAPE});
    platform::Message keyUp = esc;
    keyUp.message = platform::WM_KEYUP;
    EXPECT_FALSE(app.preTranslateMessage(keyUp)) << "only key-downs";
    platform::Message letter = keyDown('A');
    EXPECT_FALSE(app.preTranslateMessage(letter));
    escape.unlink();
    EXPECT_FALSE(app.preTranslateMessage(esc));
}

TEST(HostApplication, NoPluginLibraryShowsTheFatalMessage)
{
    CVornInterfaceApp& app = testHost();
    platform::ScriptedInteraction script;
    bool splashClosed = false;
    app.hooks.closeSplash = [&] { splashClosed = true; };
    EXPECT_FALSE(app.loadPlugins("no-such-folder", nullptr));
    EXPECT_TRUE(splashClosed);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "No Plugin Library found in \"system\\\"");
    EXPECT_EQ(script.boxes[0].caption, "FATAL ERROR:");
    EXPECT_EQ(script.boxes[0].type & platform::MB_ICONMASK, platform::MB_ICONERROR);
}

} // namespace

#include "VornData/generalException.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/MAI_View_VornInterface.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginMenuItem.h"
#include "platform/DeviceContext.h"
#include "platform/InputSimulation.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

class TestItem : public VornPluginMenuItem
{
public:
    TestItem(std::string name, std::string path, bool throwsOnRun, bool throwsOnUpdate)
        : name(std::move(name)), path(std::move(path)), throwsOnRun(throwsOnRun), throwsOnUpdate(throwsOnUpdate)
    {
    }
    const char* getName() override { return name.c_str(); }
    const char* getMenuPath() override { return path.c_str(); }
    const char* getToolTipText() override { return "Tip of the item"; }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View* view) override
    {
        ++runs;
        sawView = view != nullptr;
        if (throwsOnRun)
            throw Exc_InternalError("TestItem::execute");
    }
    void updateCommandUI(platform::CommandState* state, MAI_View*) override
    {
        ++updates;
        if (throwsOnUpdate)
            throw Exc_InternalError("TestItem::updateCommandUI");
        state->Enable(true);
    }
    std::string name, path;
    bool throwsOnRun, throwsOnUpdate;
    int runs = 0;
    int updates = 0;
    bool sawView = false;
};

TEST(HostMainFrame, PluginCommandsRouteToTheirItemsAndFailuresAreReportedOnce)
{
    CVornInterfaceApp& app = testHost();
    registerHostPluginTypes(app.registry(), app.mai());
    // A view type that paints the view red and counts its paints.
    struct PaintingViewType : FakeViewType
    {
        void draw(platform::DeviceContext* context, ViewTypeInfo*) override
        {
            ++paints;
            context->fillSolidRect({0, 0, 10, 10}, 0x0000FF);
        }
        int paints = 0;
    };
    auto* viewType = new PaintingViewType;
    app.registry().addPlugin(viewType);
    RecordingMenuItem shiftD("Shift D");
    RecordingMenuItem plainD("Plain D");
    app.mai().accelerators.addBinding(72 + 'D' + 256, &shiftD);
    app.mai().accelerators.addBinding(72 + 'D', &plainD);
    auto* good = new TestItem("Good", "&Calculate\\&Method\\&Good Iteration", false, false);
    auto* bad = new TestItem("Bad", "&Create\\&Bad", true, true);
    app.registry().addPlugin(good);
    app.registry().addPlugin(bad);
    std::filesystem::create_directories("system");

    auto* frame = new CMainFrame;
    ASSERT_TRUE(frame->create());
    platform::Application::instance()->setMainWindow(frame);
    ASSERT_NE(frame->newDocument(), nullptr);
    platform::Application::instance()->processMessages();
    ASSERT_NE(good->commandId, 0u) << "the first document window built the plugin entries";

    // The view paints through the view type and hands its keys to the bindings.
    auto* view = dynamic_cast<CVornInterfaceView*>(frame->activeView());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->viewInterface(), nullptr);
    EXPECT_EQ(app.mai().activeView, view->viewInterface());
    view->invalidate(false);
    view->updateWindow();
    EXPECT_GE(viewType->paints, 1);
    EXPECT_EQ(view->surface()->pixel(5, 5), 0x0000FFu);
    platform::simulateKey(view->handle(), "D", true, platform::MK_SHIFT);
    platform::simulateKey(view->handle(), "D", false, platform::MK_SHIFT);
    platform::Application::instance()->processMessages();
    EXPECT_EQ(shiftD.calls, std::vector<std::string>{"execute"}) << "released with Shift held: 72 + key + 256";
    EXPECT_TRUE(plainD.calls.empty());
    EXPECT_EQ(app.mai().findMenuItem(good->commandId), good);

    platform::ScriptedInteraction script;
    EXPECT_TRUE(frame->executeCommand(good->commandId));
    EXPECT_EQ(good->runs, 1);
    EXPECT_TRUE(good->sawView) << "commands get the active view";
    EXPECT_TRUE(frame->executeCommand(bad->commandId));
    EXPECT_EQ(script.beeps.size(), 10u);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "TestItem::execute");
    EXPECT_EQ(script.boxes[0].caption, "Internal Error") << "the program's own exception, as the host describes it";

    for (int pass = 0; pass < 3; ++pass)
    {
        RecordedCommandState state(bad->commandId);
        frame->commandRouter().update(state);
    }
    EXPECT_EQ(bad->updates, 1) << "a failing update handler is left alone after its report";
    EXPECT_EQ(script.boxes.size(), 2u);
    RecordedCommandState goodState(good->commandId);
    frame->commandRouter().update(goodState);
    EXPECT_EQ(goodState.enabled, 1);
    EXPECT_EQ(goodState.text, "&Good Iteration\t");
    EXPECT_EQ(frame->tooltipText(good->commandId), "Tip of the item");

    // Closing writes the plugin configuration into the working folder and ends with the frame.
    std::filesystem::remove("system/plugin.cfg");
    frame->postMessage(platform::WM_CLOSE);
    platform::Application::instance()->processMessages();
    std::ifstream written("system/plugin.cfg", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "PLUGINCONFIG\r\nversion 1\r\n");
    EXPECT_EQ(platform::Application::instance()->mainWindow(), nullptr);
    app.mai().accelerators.clear();
}

} // namespace
