#include "PlatformTestApplication.h"

#include "platform/Cursor.h"
#include "platform/InputSimulation.h"
#include "platform/Keyboard.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace
{

struct Received
{
    uint32_t message;
    WParam wParam;
    Point point;
};

class InputWindow : public Window
{
public:
    LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
    {
        if ((message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) || message == WM_SETCURSOR ||
            message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_CHAR ||
            message == WM_CAPTURECHANGED)
            received.push_back({message, wParam, pointFromLParam(lParam)});
        if (message == WM_KEYDOWN)
            shiftHeld = isKeyDown(VK_SHIFT);
        if (message == WM_SETCURSOR && cursor != nullptr)
        {
            setCursor(cursor);
            return 1;
        }
        return Window::windowProc(message, wParam, lParam);
    }
    std::vector<uint32_t> messages() const
    {
        std::vector<uint32_t> result;
        for (const Received& entry : received)
            result.push_back(entry.message);
        return result;
    }
    std::vector<Received> received;
    Cursor* cursor = nullptr;
    bool shiftHeld = false;
};

class InputTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        registerWindowClass({"InputTestView", CS_DBLCLKS, nullptr, 0xFFFFFF});
        ASSERT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 440, 340}, nullptr));
        ASSERT_TRUE(view.create("InputTestView", "", WS_CHILD | WS_VISIBLE, {100, 100, 300, 250}, &frame, 1));
        ASSERT_TRUE(plain.create("Window", "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &frame, 2));
        processMessages();
    }
    void TearDown() override { Window::releaseCapture(); }
    InputWindow frame;
    InputWindow view;
    InputWindow plain;
};

TEST_F(InputTest, ASecondPressCloseInTimeAndPlaceBecomesADoubleClick)
{
    const WindowHandle target = view.handle();
    simulateMouse(target, WM_LBUTTONDOWN, {10, 10}, 0, 100000);
    simulateMouse(target, WM_LBUTTONUP, {10, 10}, 0, 100050);
    simulateMouse(target, WM_LBUTTONDOWN, {12, 8}, 0, 100400);
    simulateMouse(target, WM_LBUTTONUP, {12, 8}, 0, 100450);
    // A third press starts again; then too late, too far, and another button.
    simulateMouse(target, WM_LBUTTONDOWN, {12, 8}, 0, 100500);
    simulateMouse(target, WM_LBUTTONUP, {12, 8}, 0, 100510);
    simulateMouse(target, WM_LBUTTONDOWN, {12, 8}, 0, 101100);
    simulateMouse(target, WM_LBUTTONUP, {12, 8}, 0, 101110);
    simulateMouse(target, WM_LBUTTONDOWN, {20, 8}, 0, 101200);
    simulateMouse(target, WM_LBUTTONUP, {20, 8}, 0, 101210);
    simulateMouse(target, WM_RBUTTONDOWN, {20, 8}, 0, 101300);
    simulateMouse(target, WM_RBUTTONUP, {20, 8}, 0, 101310);
    simulateMouse(target, WM_RBUTTONDOWN, {20, 8}, 0, 101400);
    std::vector<uint32_t> buttons;
    for (uint32_t message : view.messages())
        if (message != WM_SETCURSOR && message != WM_MOUSEMOVE)
            buttons.push_back(message);
    EXPECT_EQ(buttons,
              (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                     WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                     WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK}));
    simulateMouse(target, WM_RBUTTONUP, {20, 8}, 0, 101410);

    // A window whose class does not ask for double clicks gets presses only.
    simulateMouse(plain.handle(), WM_LBUTTONDOWN, {5, 5}, 0, 200000);
    simulateMouse(plain.handle(), WM_LBUTTONUP, {5, 5}, 0, 200010);
    simulateMouse(plain.handle(), WM_LBUTTONDOWN, {5, 5}, 0, 200100);
    const std::vector<uint32_t> plainMessages = plain.messages();
    EXPECT_EQ(std::count(plainMessages.begin(), plainMessages.end(), WM_LBUTTONDBLCLK), 0);
    simulateMouse(plain.handle(), WM_LBUTTONUP, {5, 5}, 0, 200110);
}

TEST_F(InputTest, MouseMessagesCarryClientCoordinatesAndKeyFlags)
{
    simulateMouse(view.handle(), WM_MOUSEMOVE, {7, 9}, MK_SHIFT | MK_CONTROL);
    simulateMouse(view.handle(), WM_MBUTTONDOWN, {7, 9}, MK_SHIFT);
    ASSERT_GE(view.received.size(), 4u);
    const Received& move = view.received[1];
    EXPECT_EQ(move.message, WM_MOUSEMOVE);
    EXPECT_EQ(move.point, (Point{7, 9}));
    EXPECT_EQ(move.wParam, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(view.received.back().wParam, MK_MBUTTON | MK_SHIFT);
    simulateMouse(view.handle(), WM_MBUTTONUP, {7, 9});
}

TEST_F(InputTest, TheWindowIsAskedForACursorBeforeEveryMove)
{
    Cursor* sizing = loadStandardCursor(IDC_SIZENS);
    ASSERT_NE(sizing, nullptr);
    EXPECT_EQ(loadStandardCursor(IDC_SIZENS), sizing) << "the same cursor every time";
    EXPECT_EQ(loadStandardCursor(12345), nullptr);
    view.cursor = sizing;
    simulateMouse(view.handle(), WM_MOUSEMOVE, {3, 3});
    simulateMouse(view.handle(), WM_MOUSEMOVE, {4, 3});
    EXPECT_EQ(view.messages(), (std::vector<uint32_t>{WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_MOUSEMOVE}));
    EXPECT_EQ(view.received[0].wParam, static_cast<WParam>(view.handle()));
    EXPECT_EQ(currentCursor(), sizing);
    EXPECT_TRUE(frame.received.empty()) << "the view answered itself";

    // Without an answer of its own, the window shows its cursor or the class's (null: the arrow).
    view.cursor = nullptr;
    Cursor* cross = loadStandardCursor(IDC_CROSS);
    view.setWindowCursor(cross);
    simulateMouse(view.handle(), WM_MOUSEMOVE, {5, 3});
    EXPECT_EQ(currentCursor(), cross);
    // The default handling asks the parent first, naming the window under the pointer.
    ASSERT_FALSE(frame.received.empty());
    EXPECT_EQ(frame.received.front().message, WM_SETCURSOR);
    EXPECT_EQ(frame.received.front().wParam, static_cast<WParam>(view.handle()));
}

TEST_F(InputTest, CursorsComeFromTheirModulesResources)
{
    const ModuleHandle module = moduleContaining(reinterpret_cast<const void*>(&processMessages));
    CursorResource image;
    image.width = image.height = 2;
    image.hotspotX = 1;
    image.pixels = {0xFF00FF, 0x000000, 0x000000, 0xFF00FF};
    registerCursorResource(module, 171, image);
    Cursor* joint = loadCursor(module, 171);
    ASSERT_NE(joint, nullptr);
    EXPECT_EQ(loadCursor(module, 171), joint);
    EXPECT_EQ(loadCursor(module, 172), nullptr) << "no such cursor: the arrow";
    EXPECT_THROW(loadCursor(ModuleHandle::None, 171), ResourceError);
}

TEST_F(InputTest, ACapturedWindowGetsEveryMouseMessageWithCoordinatesOutsideIt)
{
    EXPECT_EQ(view.setCapture(), nullptr) << "capture without a button held";
    EXPECT_EQ(Window::capture(), &view);
    // The pointer over the frame, left of and above the view.
    simulateMouse(frame.handle(), WM_MOUSEMOVE, {30, 40});
    simulateMouse(frame.handle(), WM_LBUTTONDOWN, {30, 40});
    simulateMouse(frame.handle(), WM_LBUTTONUP, {-5, 500});
    EXPECT_EQ(frame.messages(), (std::vector<uint32_t>{})) << "nothing for the window under the pointer";
    EXPECT_EQ(view.messages(), (std::vector<uint32_t>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}))
        << "no cursor question under capture";
    EXPECT_EQ(view.received[0].point, (Point{-70, -60}));
    EXPECT_EQ(view.received[2].point, (Point{-105, 400}));
    EXPECT_EQ(Window::capture(), &view) << "the window releases the capture itself";
    EXPECT_TRUE(Window::releaseCapture());
    EXPECT_EQ(view.messages().back(), WM_CAPTURECHANGED);
    EXPECT_EQ(Window::capture(), nullptr);
}

TEST_F(InputTest, CaptureTakenAwayWhileAButtonIsHeldSendsTheReleaseThatWouldHaveCome)
{
    simulateMouse(view.handle(), WM_LBUTTONDOWN, {10, 10});
    view.setCapture();
    view.received.clear();
    plain.setCapture();
    EXPECT_EQ(view.messages(), (std::vector<uint32_t>{WM_LBUTTONUP, WM_CAPTURECHANGED}));
    EXPECT_EQ(Window::capture(), &plain);
    Window::releaseCapture();
    simulateMouse(view.handle(), WM_LBUTTONUP, {10, 10});

    view.setCapture();
    view.received.clear();
    view.showWindow(SW_HIDE);
    EXPECT_EQ(Window::capture(), nullptr) << "a hidden window loses the capture";
    EXPECT_EQ(view.messages(), (std::vector<uint32_t>{WM_CAPTURECHANGED}));
}

TEST_F(InputTest, KeysArriveAsWindowsVirtualKeyCodes)
{
    struct Key
    {
        const char* name;
        bool keypad;
        uint32_t virtualKey;
    };
    const Key keys[] = {
        {"A", false, 'A'},           {"Z", false, 'Z'},
        {"0", false, '0'},           {"9", false, '9'},
        {"F1", false, VK_F1},        {"F12", false, 0x7B},
        {"F24", false, VK_F24},      {"Left", false, VK_LEFT},
        {"Up", false, VK_UP},        {"Right", false, VK_RIGHT},
        {"Down", false, VK_DOWN},    {"Home", false, VK_HOME},
        {"End", false, VK_END},      {"PgUp", false, VK_PRIOR},
        {"PgDown", false, VK_NEXT},  {"Ins", false, VK_INSERT},
        {"Del", false, VK_DELETE},   {"Backspace", false, VK_BACK},
        {"Tab", false, VK_TAB},      {"Return", false, VK_RETURN},
        {"Esc", false, VK_ESCAPE},   {"Space", false, VK_SPACE},
        {"5", true, VK_NUMPAD0 + 5}, {"*", true, VK_MULTIPLY},
        {"+", true, VK_ADD},         {"-", true, VK_SUBTRACT},
        {".", true, VK_DECIMAL},     {"/", true, VK_DIVIDE},
        {";", false, VK_OEM_1},      {"=", false, VK_OEM_PLUS},
        {",", false, VK_OEM_COMMA},  {"-", false, VK_OEM_MINUS},
        {".", false, VK_OEM_PERIOD}, {"/", false, VK_OEM_2},
        {"`", false, VK_OEM_3},      {"[", false, VK_OEM_4},
        {"\\", false, VK_OEM_5},     {"]", false, VK_OEM_6},
        {"'", false, VK_OEM_7},
    };
    view.setFocus();
    for (const Key& key : keys)
    {
        EXPECT_EQ(virtualKeyForKeyName(key.name, key.keypad), key.virtualKey) << key.name;
        view.received.clear();
        ASSERT_TRUE(simulateKey(view.handle(), key.name, true, 0, key.keypad)) << key.name;
        ASSERT_TRUE(simulateKey(view.handle(), key.name, false, 0, key.keypad)) << key.name;
        ASSERT_GE(view.received.size(), 2u) << key.name;
        EXPECT_EQ(view.received.front().message, WM_KEYDOWN) << key.name;
        EXPECT_EQ(view.received.front().wParam, key.virtualKey) << key.name;
        EXPECT_EQ(view.received.back().message, WM_KEYUP) << key.name;
    }
    // F10 and Alt combinations are system keys.
    view.received.clear();
    simulateKey(view.handle(), "F10", true);
    EXPECT_EQ(view.received.front().message, WM_SYSKEYDOWN);
    simulateKey(view.handle(), "F10", false);

    // The Shift state is the one of the key's moment.
    simulateKey(view.handle(), "A", true, MK_SHIFT);
    EXPECT_TRUE(view.shiftHeld);
    simulateKey(view.handle(), "A", false, MK_SHIFT);
    simulateKey(view.handle(), "A", true);
    EXPECT_FALSE(view.shiftHeld);
    simulateKey(view.handle(), "A", false);
}

TEST_F(InputTest, ATypedCharacterFollowsItsKeyDown)
{
    view.setFocus();
    simulateTyping(view.handle(), "a");
    ASSERT_EQ(view.messages(), (std::vector<uint32_t>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(view.received[0].wParam, static_cast<WParam>('A'));
    EXPECT_EQ(view.received[1].wParam, static_cast<WParam>('a'));
}

} // namespace
