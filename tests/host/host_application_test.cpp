// The application object: the key channels before dispatch and the start-up without plugins.
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

#include <gtest/gtest.h>

namespace
{

CVornInterfaceApp& host()
{
    static int argc = 1;
    static char name[] = "host_application_test";
    static char* argv[] = {name, nullptr};
    static auto* application = new platform::Application(argc, argv, "Quorl2");
    static auto* app = new CVornInterfaceApp;
    (void)application;
    return *app;
}

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
    CVornInterfaceApp& app = host();
    KeyListener escape;
    app.mai().notifierRegistry.addListener("KP_ESC", &escape);

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
    CVornInterfaceApp& app = host();
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
