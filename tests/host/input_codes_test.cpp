#include "VornInterface/InputCodes.h"

#include <gtest/gtest.h>

namespace
{

struct MouseCase
{
    std::uint32_t message;
    std::uint32_t keyFlags;
    std::uint32_t expected;
};

TEST(MouseEventValue, MessagesAndKeyFlagsBecomeEventKindsAndFlags)
{
    // System key flags: 1 left, 2 right, 4 Shift, 8 Ctrl, 0x10 middle.
    const MouseCase cases[] = {
        {0x200, 0x00, 0x000}, // move, nothing held
        {0x200, 0x01, 0x001}, // move with left held
        {0x201, 0x01, 0x101}, // left down
        {0x202, 0x00, 0x200}, // left up
        {0x203, 0x01, 0x701}, // left double click
        {0x204, 0x02, 0x302}, // right down
        {0x205, 0x04, 0x408}, // right up with Shift
        {0x206, 0x02, 0x802}, // right double click
        {0x207, 0x10, 0x504}, // middle down
        {0x208, 0x08, 0x610}, // middle up with Ctrl
        {0x209, 0x10, 0x904}, // middle double click
        {0x201, 0x1F, 0x11F}, // everything held
    };
    for (const MouseCase& c : cases)
        EXPECT_EQ(mouseEventValue(c.message, c.keyFlags), c.expected) << std::hex << "message 0x" << c.message;
}

TEST(MouseEventValue, OtherMessagesGiveNothing)
{
    EXPECT_FALSE(mouseEventValue(0x1FF, 0));
    EXPECT_FALSE(mouseEventValue(0x20A, 0)); // the wheel is not routed
    EXPECT_FALSE(mouseEventValue(0x100, 0));
}

TEST(KeyReleaseCode, IsSeventyTwoPlusKeyWithShiftAndCtrlOffsets)
{
    EXPECT_EQ(keyReleaseCode('A', false, false), 72u + 65u);
    EXPECT_EQ(keyReleaseCode('A', true, false), 72u + 65u + 256u);
    EXPECT_EQ(keyReleaseCode('A', false, true), 72u + 65u + 512u);
    EXPECT_EQ(keyReleaseCode('A', true, true), 72u + 65u + 768u);
    EXPECT_EQ(keyReleaseCode(16, false, false), 88u) << "releasing Shift itself: Shift is already up";
    EXPECT_EQ(keyReleaseCode(0xFF, true, true), 1095u) << "the last code of the table";
    EXPECT_FALSE(keyReleaseCode(0x100, false, false));
}

} // namespace

#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "tests/plugins/PluginTestDoubles.h"

namespace
{

struct RoutedView : ::testing::Test
{
    FakeMAI mai;
    FakeDoc document{&mai};
    FakeView view{&document};
    RecordingMenuItem tool{"Tool"};
    RecordingMenuItem keyCommand{"Key Command"};
    RecordingMenuItem shiftKeyCommand{"Shift Key Command"};

    RoutedView()
    {
        document.setActiveMenuItem(&tool);
        tool.calls.clear();
        mai.accelerators.addBinding(72 + 'D', &keyCommand);
        mai.accelerators.addBinding(72 + 'D' + 256, &shiftKeyCommand);
    }
};

TEST_F(RoutedView, MouseMessagesReachTheActiveToolWithTheirPosition)
{
    EXPECT_TRUE(routeViewInput(view, mai, 0x201, 0x0001, platform::makeLParam(10, static_cast<uint32_t>(-4))));
    EXPECT_EQ(tool.calls, std::vector<std::string>{"10,-4,101"}) << "negative coordinates stay negative";
}

TEST_F(RoutedView, KeyReleaseRunsTheBindingsOfItsCodeOnly)
{
    EXPECT_TRUE(routeViewInput(view, mai, platform::WM_KEYDOWN, 'D', 0));
    EXPECT_TRUE(keyCommand.calls.empty()) << "key-downs run nothing";
    EXPECT_TRUE(routeViewInput(view, mai, platform::WM_KEYUP, 'D', 0));
    EXPECT_EQ(keyCommand.calls, std::vector<std::string>{"execute"});
    EXPECT_TRUE(shiftKeyCommand.calls.empty());
}

TEST_F(RoutedView, ShiftAndCtrlChangesReachTheToolAtTheLastPosition)
{
    routeViewInput(view, mai, platform::WM_MOUSEMOVE, 0, platform::makeLParam(5, 6));
    tool.calls.clear();
    routeViewInput(view, mai, platform::WM_KEYDOWN, platform::VK_SHIFT, 0);
    routeViewInput(view, mai, platform::WM_KEYUP, platform::VK_SHIFT, 0);
    routeViewInput(view, mai, platform::WM_KEYDOWN, platform::VK_CONTROL, 0);
    ASSERT_EQ(tool.calls.size(), 3u);
    EXPECT_EQ(tool.calls[0], "5,6,a08");
    EXPECT_EQ(tool.calls[1], "5,6,b00");
    EXPECT_EQ(tool.calls[2], "5,6,c10");
}

TEST_F(RoutedView, WheelOnlyBeepsAndOtherMessagesAreNotInput)
{
    int beeps = 0;
    struct BeepingMAI : FakeMAI
    {
        int* beeps;
        void beep() override { ++*beeps; }
    } counting;
    counting.beeps = &beeps;
    EXPECT_TRUE(routeViewInput(view, counting, platform::WM_MOUSEWHEEL, 0, 0));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(tool.calls.empty());
    EXPECT_FALSE(routeViewInput(view, mai, platform::WM_PAINT, 0, 0));
}

} // namespace
