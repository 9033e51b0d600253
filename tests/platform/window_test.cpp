#include "PlatformTestApplication.h"

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/InputSimulation.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <thread>
#include <stdexcept>

using namespace platform;

namespace
{

// A painted window that counts its messages and may run a hook on one of them.
class RecordingWindow : public Window
{
public:
    LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
    {
        ++counts[message];
        messages.push_back(message);
        if (onMessage)
            if (auto answer = onMessage(message, wParam, lParam))
                return *answer;
        return Window::windowProc(message, wParam, lParam);
    }
    std::map<uint32_t, int> counts;
    std::vector<uint32_t> messages;
    std::function<std::optional<LResult>(uint32_t, WParam, LParam)> onMessage;
};

class WindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(top.create("Window", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400}, nullptr));
        ASSERT_TRUE(child.create("Window", "", WS_CHILD | WS_VISIBLE, {10, 20, 110, 80}, &top, 7));
        ASSERT_TRUE(grandChild.create("Window", "", WS_CHILD | WS_VISIBLE, {5, 5, 25, 25}, &child, 8));
        processMessages();
        // On a real display the first exposure comes when it comes: paint everything now.
        top.redrawWindow(nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        top.counts.clear();
        child.counts.clear();
        grandChild.counts.clear();
    }
    void TearDown() override
    {
        platformApplication().setPreTranslateHook(nullptr);
        platformApplication().setIdleHandler(nullptr);
        platformApplication().clearLibraryHooks();
    }
    RecordingWindow top;
    RecordingWindow child;
    RecordingWindow grandChild;
};

TEST_F(WindowTest, VisibilityIsTheVisibleBitOfTheWindowAndAllItsAncestors)
{
    EXPECT_TRUE(grandChild.isVisible());
    EXPECT_TRUE(child.modifyStyle(WS_VISIBLE, 0));
    EXPECT_FALSE(child.isVisible());
    EXPECT_FALSE(grandChild.isVisible()) << "an ancestor is hidden";
    EXPECT_NE(grandChild.style() & WS_VISIBLE, 0u) << "its own bit stays";
    EXPECT_TRUE(child.modifyStyle(0, WS_VISIBLE));
    EXPECT_TRUE(grandChild.isVisible());
}

TEST_F(WindowTest, ModifyStyleRepaintsNothingAndCallsSetWindowPosOnlyWithFlags)
{
    child.modifyStyle(WS_VISIBLE, 0, 0);
    processMessages();
    EXPECT_EQ(top.counts[WM_PAINT], 0) << "hiding a child repaints nothing by itself";
    EXPECT_EQ(child.counts[WM_MOVE] + child.counts[WM_SIZE], 0);

    // With flags the window's position is set again: no move, no size (flags say so), but the
    // style change is applied; SWP_SHOWWINDOW shows it.
    child.modifyStyle(0, WS_GROUP, SWP_SHOWWINDOW);
    EXPECT_NE(child.style() & WS_VISIBLE, 0u);
    EXPECT_NE(child.style() & WS_GROUP, 0u);
    EXPECT_EQ(child.windowRect(), top.clientToScreen(Rect{10, 20, 110, 80}));
}

TEST_F(WindowTest, ShowWindowCommandsAnswerThePreviousVisibility)
{
    struct Case
    {
        int32_t command;
        bool visibleAfter;
        bool answer;
    };
    const Case cases[] = {{SW_HIDE, false, true},          {SW_HIDE, false, false}, {SW_SHOW, true, false},
                          {SW_SHOWNOACTIVATE, true, true}, {SW_HIDE, false, true},  {SW_SHOWNA, true, false},
                          {SW_SHOWNORMAL, true, true}};
    for (const Case& step : cases)
    {
        EXPECT_EQ(child.showWindow(step.command), step.answer) << "command " << step.command;
        EXPECT_EQ((child.style() & WS_VISIBLE) != 0, step.visibleAfter) << "command " << step.command;
    }
}

TEST_F(WindowTest, HandlesOfDeadOrNeverMadeWindowsAnswerNothing)
{
    const WindowHandle handle = grandChild.handle();
    ASSERT_TRUE(isWindow(handle));
    EXPECT_EQ(Window::fromHandle(handle), &grandChild);
    grandChild.destroyWindow();
    EXPECT_FALSE(isWindow(handle));
    EXPECT_EQ(Window::fromHandle(handle), nullptr);
    EXPECT_EQ(sendMessage(handle, WM_GETTEXTLENGTH), 0);
    EXPECT_FALSE(postMessage(handle, WM_USER));

    // A new window may take the slot: the old handle still names nothing.
    Window reuse;
    ASSERT_TRUE(reuse.create("Window", "", WS_CHILD, {0, 0, 5, 5}, &child));
    EXPECT_NE(reuse.handle(), handle);
    EXPECT_EQ(Window::fromHandle(handle), nullptr);

    Window never;
    for (Window* window : {static_cast<Window*>(&grandChild), &never})
    {
        EXPECT_EQ(window->handle(), WindowHandle::None);
        EXPECT_EQ(window->style(), 0u);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(window->showWindow(SW_SHOW));
        EXPECT_FALSE(window->modifyStyle(0, WS_VISIBLE));
        EXPECT_FALSE(window->moveWindow({0, 0, 10, 10}));
        EXPECT_FALSE(window->redrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
        EXPECT_EQ(window->windowRect(), Rect{});
        EXPECT_EQ(window->clientRect(), Rect{});
        EXPECT_EQ(window->parent(), nullptr);
        EXPECT_TRUE(window->children().empty());
        EXPECT_EQ(window->sendMessage(WM_GETTEXTLENGTH), 0);
        EXPECT_FALSE(window->setTimer(1, 100));
        EXPECT_EQ(window->setCapture(), nullptr);
        EXPECT_EQ(window->surface(), nullptr);
    }
}

TEST_F(WindowTest, DestroyingAParentDestroysItsChildrenWithTheirMessages)
{
    const WindowHandle childHandle = child.handle();
    const WindowHandle grandChildHandle = grandChild.handle();
    top.destroyWindow();
    EXPECT_FALSE(isWindow(childHandle));
    EXPECT_FALSE(isWindow(grandChildHandle));
    EXPECT_EQ(child.counts[WM_DESTROY], 1);
    EXPECT_EQ(grandChild.counts[WM_NCDESTROY], 1);
}

TEST_F(WindowTest, ChildrenAreListedInCreationOrderUntilOneIsBroughtToTheTop)
{
    Window second;
    Window third;
    ASSERT_TRUE(second.create("Window", "", WS_CHILD, {0, 0, 5, 5}, &top, 2));
    ASSERT_TRUE(third.create("Window", "", WS_CHILD, {0, 0, 5, 5}, &top, 3));
    EXPECT_EQ(top.children(), (std::vector<Window*>{&child, &second, &third}));
    EXPECT_EQ(top.dlgItem(3), &third);
    EXPECT_EQ(top.dlgItem(99), nullptr);
    EXPECT_EQ(grandChild.topLevelParent(), &top);
    child.bringWindowToTop();
    EXPECT_EQ(top.children(), (std::vector<Window*>{&second, &third, &child}));
}

TEST_F(WindowTest, RectanglesAndCoordinateConversion)
{
    EXPECT_EQ(child.clientRect(), (Rect{0, 0, 100, 60}));
    const Rect topOnScreen = top.windowRect();
    EXPECT_EQ(child.windowRect(),
              (Rect{topOnScreen.left + 10, topOnScreen.top + 20, topOnScreen.left + 110, topOnScreen.top + 80}));
    const Point onScreen = grandChild.clientToScreen(Point{-3, 4});
    EXPECT_EQ(onScreen, (Point{topOnScreen.left + 10 + 5 - 3, topOnScreen.top + 20 + 5 + 4}));
    EXPECT_EQ(grandChild.screenToClient(onScreen), (Point{-3, 4}));

    EXPECT_TRUE(child.moveWindow({30, 40, 230, 90}, false));
    EXPECT_EQ(child.clientRect(), (Rect{0, 0, 200, 50}));
    EXPECT_EQ(child.counts[WM_SIZE], 1);
    EXPECT_EQ(child.counts[WM_MOVE], 1);
    ASSERT_NE(child.surface(), nullptr);
    EXPECT_EQ(child.surface()->size(), (Size{200, 50})) << "the backing image follows the size";
}

TEST_F(WindowTest, TheWorkAreaBottomIsExclusive)
{
    const Rect area = desktopWorkArea();
    EXPECT_FALSE(area.isEmpty());
    EXPECT_EQ(area.height(), area.bottom - area.top);
}

TEST_F(WindowTest, InvalidateUpdateAndRedrawFlags)
{
    child.invalidate(true);
    EXPECT_EQ(child.updateRect(), child.clientRect());
    child.updateWindow();
    EXPECT_EQ(child.counts[WM_PAINT], 1);
    EXPECT_EQ(child.counts[WM_ERASEBKGND], 1);
    EXPECT_TRUE(child.updateRect().isEmpty());
    child.updateWindow();
    EXPECT_EQ(child.counts[WM_PAINT], 1) << "nothing waits";

    const Rect part{0, 0, 10, 10};
    child.invalidateRect(&part, false);
    child.updateWindow();
    EXPECT_EQ(child.counts[WM_PAINT], 2);
    EXPECT_EQ(child.counts[WM_ERASEBKGND], 1) << "no erase asked";

    EXPECT_TRUE(child.redrawWindow(nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
    EXPECT_EQ(child.counts[WM_PAINT], 3);
    EXPECT_EQ(grandChild.counts[WM_PAINT], 0) << "children only with RDW_ALLCHILDREN";
    EXPECT_TRUE(child.redrawWindow(nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW));
    EXPECT_EQ(child.counts[WM_PAINT], 4);
    EXPECT_EQ(grandChild.counts[WM_PAINT], 1);

    child.invalidate(true);
    child.redrawWindow(nullptr, RDW_VALIDATE);
    child.updateWindow();
    EXPECT_EQ(child.counts[WM_PAINT], 4) << "validated";
}

TEST_F(WindowTest, ScrollingMovesChildrenOnlyWhenTheWholeAreaScrolls)
{
    const Rect before = grandChild.windowRect();
    const Rect area{0, 0, 50, 50};
    child.scrollWindow(0, -4, &area);
    EXPECT_EQ(grandChild.windowRect(), before);
    EXPECT_FALSE(child.updateRect().isEmpty());
    child.scrollWindow(3, -4);
    EXPECT_EQ(grandChild.windowRect(), before.translated(3, -4));
}

TEST_F(WindowTest, AWindowsOwnScrollBarReportsToItAndTakesNoClientSpace)
{
    RecordingWindow scrolled;
    ASSERT_TRUE(scrolled.create("Window", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, {0, 0, 100, 100}, &top));
    EXPECT_EQ(scrolled.clientRect(), (Rect{0, 0, 84, 100}));
    EXPECT_TRUE(scrolled.setScrollInfo(SB_VERT, {0, 99, 10, 50}));
    EXPECT_EQ(scrolled.getScrollPos(SB_VERT), 50);
    EXPECT_EQ(scrolled.setScrollPos(SB_VERT, 500), 50);
    EXPECT_EQ(scrolled.getScrollPos(SB_VERT), 90) << "up to maximum - page + 1";
    EXPECT_EQ(scrolled.counts[WM_VSCROLL], 0) << "set by the program: no message";

    std::vector<uint32_t> codes;
    scrolled.onMessage = [&](uint32_t message, WParam wParam, LParam) -> std::optional<LResult> {
        if (message == WM_VSCROLL)
            codes.push_back(lowWord(wParam));
        return std::nullopt;
    };
    simulateMouse(scrolled.handle(), WM_LBUTTONDOWN, {92, 97});
    simulateMouse(scrolled.handle(), WM_LBUTTONUP, {92, 97});
    EXPECT_EQ(scrolled.counts[WM_LBUTTONDOWN], 0) << "the bar's input is the bar's";
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), SB_LINEDOWN);
    EXPECT_EQ(scrolled.getScrollPos(SB_VERT), 90) << "the program moves the thumb, the click does not";

    EXPECT_TRUE(scrolled.showScrollBar(SB_VERT, false));
    EXPECT_EQ(scrolled.clientRect(), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(scrolled.style() & WS_VSCROLL, 0u);
}

TEST_F(WindowTest, TimersAndPostedMessagesArriveThroughTheLoop)
{
    int ticks = 0;
    child.onMessage = [&](uint32_t message, WParam wParam, LParam) -> std::optional<LResult> {
        if (message == WM_TIMER && wParam == 31171 && ++ticks == 2)
            child.killTimer(31171);
        return std::nullopt;
    };
    ASSERT_TRUE(child.setTimer(31171, 10));
    for (int round = 0; round < 200 && ticks < 2; ++round)
    {
        processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(child.killTimer(31171)) << "already killed";

    std::thread worker([handle = child.handle()] { postMessage(handle, WM_USER + 5, 1, 2); });
    worker.join();
    processMessages();
    EXPECT_EQ(child.counts[WM_USER + 5], 1) << "posted from a worker thread";
    child.counts[WM_USER + 5] = 0;
    EXPECT_TRUE(child.postMessage(WM_USER + 5, 1, 2));
    EXPECT_EQ(child.counts[WM_USER + 5], 0) << "posting returns at once";
    processMessages();
    EXPECT_EQ(child.counts[WM_USER + 5], 1);
}

TEST_F(WindowTest, QueuedMessagesPassTheHookTheWindowsAndTheLibraryFiltersInOrder)
{
    std::vector<std::string> order;
    Application& application = platformApplication();
    application.setPreTranslateHook([&](Message& message) {
        if (message.message == WM_USER + 1)
            order.push_back("host");
        return false;
    });
    application.addLibraryHooks(
        [&](Message& message) {
            if (message.message == WM_USER + 1)
                order.push_back("first library");
            return false;
        },
        nullptr);
    application.addLibraryHooks(
        [&](Message& message) {
            if (message.message != WM_USER + 1)
                return false;
            order.push_back("second library");
            return message.wParam == 1; // consumes
        },
        nullptr);
    class Walker : public RecordingWindow
    {
    public:
        bool preTranslateMessage(Message& message) override
        {
            if (message.message == WM_USER + 1)
                trail->push_back(name);
            return false;
        }
        std::vector<std::string>* trail = nullptr;
        std::string name;
    };
    Walker parent;
    Walker inner;
    parent.trail = inner.trail = &order;
    parent.name = "parent";
    inner.name = "inner";
    ASSERT_TRUE(parent.create("Window", "", WS_CHILD, {0, 0, 5, 5}, &top));
    ASSERT_TRUE(inner.create("Window", "", WS_CHILD, {0, 0, 5, 5}, &parent));
    inner.postMessage(WM_USER + 1, 1);
    inner.postMessage(WM_USER + 1, 0);
    processMessages();
    EXPECT_EQ(order,
              (std::vector<std::string>{"host", "inner", "parent", "second library", "host", "inner", "parent",
                                        "second library", "first library"}));
    EXPECT_EQ(inner.counts[WM_USER + 1], 1) << "the consumed one never arrives";
}

TEST_F(WindowTest, IdleRunsOnceAfterABurstOfMessages)
{
    std::vector<int32_t> counts;
    int libraryIdles = 0;
    Application& application = platformApplication();
    application.setIdleHandler([&](int32_t count) {
        counts.push_back(count);
        return count < 2;
    });
    application.addLibraryHooks(nullptr, [&] { ++libraryIdles; });
    processMessages();
    counts.clear();
    libraryIdles = 0;
    child.postMessage(WM_USER);
    child.postMessage(WM_USER);
    processMessages();
    EXPECT_EQ(counts, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(libraryIdles, 1);
    processMessages();
    EXPECT_EQ(libraryIdles, 1) << "nothing happened since";
}

// An exception type of a module the platform knows nothing of, and the describer its host would
// install for it.
struct ModuleFailure
{
    const char* kind;
    const char* where;
};

class DescribedFailures
{
public:
    DescribedFailures()
    {
        setExceptionDescriber([](const std::exception_ptr& failure) -> std::optional<ExceptionText> {
            try
            {
                std::rethrow_exception(failure);
            }
            catch (const ModuleFailure& known)
            {
                if (known.kind == nullptr)
                    throw std::logic_error("the describer itself fails");
                return ExceptionText{known.where, known.kind};
            }
            catch (...)
            {
                return std::nullopt;
            }
        });
    }
    ~DescribedFailures() { setExceptionDescriber(nullptr); }
};

TEST_F(WindowTest, AnExceptionInAHandlerIsReportedAndStopsThere)
{
    struct Case
    {
        std::function<void()> raise;
        std::string text;
        std::string caption;
    };
    const std::vector<Case> cases = {
        {[] {
             throw ModuleFailure{"Out of Memory", "CMCPageCreate::OnInitDialog"};
         },
         "CMCPageCreate::OnInitDialog", "Out of Memory"},
        {[] { throw std::runtime_error("disk on fire"); }, "disk on fire", "Quorl2"},
        {[] { throw 42; }, "Unknown error", "Quorl2"},
        {[] {
             throw ModuleFailure{nullptr, "ignored"};
         },
         "Unknown error", "Quorl2"},
    };
    DescribedFailures describer;
    ScriptedInteraction script;
    child.onMessage = [&cases](uint32_t message, WParam wParam, LParam) -> std::optional<LResult> {
        if (message == WM_USER)
            cases.at(wParam).raise();
        return std::nullopt;
    };
    for (size_t index = 0; index < cases.size(); ++index)
        child.postMessage(WM_USER, index);
    child.postMessage(WM_USER + 1);
    processMessages();
    ASSERT_EQ(script.boxes.size(), cases.size());
    for (size_t index = 0; index < cases.size(); ++index)
    {
        SCOPED_TRACE(cases[index].text);
        EXPECT_EQ(script.boxes[index].text, cases[index].text);
        EXPECT_EQ(script.boxes[index].caption, cases[index].caption);
        EXPECT_EQ(script.boxes[index].type & MB_ICONMASK, MB_ICONERROR);
    }
    EXPECT_EQ(child.counts[WM_USER + 1], 1) << "the loop goes on";

    // The same for input and painting, which come straight from the toolkit.
    child.onMessage = [](uint32_t message, WParam, LParam) -> std::optional<LResult> {
        if (message == WM_LBUTTONDOWN || message == WM_PAINT)
            throw ModuleFailure{"Internal Error", "MAI_View::OnLButtonDown"};
        return std::nullopt;
    };
    simulateMouse(child.handle(), WM_LBUTTONDOWN, {3, 3});
    simulateMouse(child.handle(), WM_LBUTTONUP, {3, 3});
    ASSERT_EQ(script.boxes.size(), cases.size() + 1);
    EXPECT_EQ(script.boxes.back().text, "MAI_View::OnLButtonDown");
    EXPECT_EQ(script.boxes.back().caption, "Internal Error");

    // A paint the program asks for passes the exception on to the program's own catch point.
    child.invalidate();
    EXPECT_THROW(child.updateWindow(), ModuleFailure);
    // A paint that threw does not stop the window from painting again.
    child.onMessage = nullptr;
    const int paintsBefore = child.counts[WM_PAINT];
    child.invalidate();
    child.updateWindow();
    EXPECT_EQ(child.counts[WM_PAINT], paintsBefore + 1);
}

TEST_F(WindowTest, WithoutADescriberAModuleExceptionIsStillReported)
{
    ScriptedInteraction script;
    child.onMessage = [](uint32_t message, WParam, LParam) -> std::optional<LResult> {
        if (message == WM_USER)
            throw ModuleFailure{"Out of Memory", "CMCPageCreate::OnInitDialog"};
        return std::nullopt;
    };
    child.postMessage(WM_USER);
    processMessages();
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "Unknown error");
    EXPECT_EQ(script.boxes[0].caption, "Quorl2");
}

} // namespace
