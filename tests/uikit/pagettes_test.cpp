// Pagettes in a holder: the frame's folding, resizing and dragging, the stack's layout and
// scrolling, and the mini scroll bar.

#include "KitTestSupport.h"
#include "tests/support/ImageCheck.h"

#include "platform/Controls.h"
#include "platform/DrawingConstants.h"
#include "plugins/PluginWindow.h"
#include "platform/Cursor.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/KitCursors.h"
#include "uikit/PagetteButton.h"
#include "uikit/PagetteStack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace platform;

namespace
{

constexpr int32_t frameId = 1080;
constexpr int32_t spinnerId = 1081;
constexpr int32_t barId = 1009;

// A handle over a window of this test.
class TestWindowHandle : public PluginWindowHandle
{
public:
    void attach(Window* attached) override { window = attached; }
    Window* getWnd() override { return window; }
    void getWindowRect(Rect& rect) override { rect = window != nullptr ? window->windowRect() : rect; }
    void getClientRect(Rect& rect) override { rect = window != nullptr ? window->clientRect() : rect; }
    bool moveWindow(const Rect& rect, bool repaint) override
    {
        return window != nullptr && window->moveWindow(rect, repaint);
    }
    uint32_t getStyle() override { return window != nullptr ? window->style() : 0; }
    bool isVisible() override { return window != nullptr && window->isVisible(); }
    void showWindow(int32_t command) override
    {
        if (window != nullptr)
            window->showWindow(command);
    }
    bool modifyStyle(uint32_t remove, uint32_t add, uint32_t flags) override
    {
        return window != nullptr && window->modifyStyle(remove, add, flags);
    }
    bool redraw(const Rect* updateRect) override
    {
        return window != nullptr && window->redrawWindow(updateRect, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    Window* window = nullptr;
};

// A pagette as the library's are: a child dialog whose first control becomes its frame, sized
// to the whole dialog; a spinner sits on it.
class TestPagette : public Dialog
{
public:
    bool onInitDialog() override
    {
        frame.subclassDlgItem(frameId, this);
        frame.moveWindow(clientRect(), false);
        frame.openHeight = clientRect().height();
        spinner.subclassDlgItem(spinnerId, this);
        return true;
    }

    CPagetteButton frame;
    double value = 1.0;
    DoubleSpinnerPageLink link{&value, 1.0};
    CDoubleSpinner spinner{&link, 0};
};

// Heights in dialog units that give whole pixels: 8 units are 13 pixels.
DialogTemplate pagetteTemplate(const std::string& title, int32_t heightUnits)
{
    DialogTemplate pagette = childDialogTemplate({0, 0, 120, heightUnits});
    pagette.items.push_back(ownerDrawButton(frameId, {0, 0, 120, heightUnits}, title));
    pagette.items.push_back(ownerDrawButton(spinnerId, {100, 14, 9, 16}));
    return pagette;
}

class PagetteTest : public testing::Test
{
protected:
    void SetUp() override
    {
        processMessages();
        registerDialogTemplate(testModule(), CEmptyChildDialog::templateId, emptyChildDialogTemplate());
        ASSERT_TRUE(createTopWindow(page, {40, 40, 260, 460}));
        ASSERT_TRUE(
            stack.bar.create("Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {200, 0, 210, 300}, &page, barId));
        ASSERT_TRUE(holder.createHolder(&page, testModule(), &stack, &holderHandle, {0, 1, 300, 301}));
        holder.moveWindow({0, 0, 190, holderHeight}, false);
    }
    void TearDown() override
    {
        page.destroyWindow();
        processMessages();
    }

    // Pagettes of the given heights (in units of 8 dialog units, 13 pixels), laid out.
    void addPagettes(std::initializer_list<int32_t> heightsInEights)
    {
        int index = 0;
        for (int32_t eights : heightsInEights)
        {
            auto pagette = std::make_unique<TestPagette>();
            ASSERT_TRUE(pagette->createIndirect(pagetteTemplate("Pagette " + std::to_string(++index), eights * 8),
                                                &holder, testModule()));
            pagettes.push_back(std::move(pagette));
        }
        stack.layout(true);
        processMessages();
    }

    Rect rectOf(int index) const { return holder.screenToClient(pagettes[index]->windowRect()); }
    int32_t topOf(int index) const { return rectOf(index).top; }
    int32_t heightOf(int index) const { return rectOf(index).height(); }

    void doubleClick(CPagetteButton& frame, Point at)
    {
        time += 2000;
        simulateMouse(frame.handle(), WM_LBUTTONDOWN, at, 0, time);
        simulateMouse(frame.handle(), WM_LBUTTONUP, at, 0, time + 30);
        simulateMouse(frame.handle(), WM_LBUTTONDOWN, at, 0, time + 90);
        simulateMouse(frame.handle(), WM_LBUTTONUP, at, 0, time + 120);
        processMessages();
    }
    // Press at `from` (client coordinates), move the mouse by `by` on the screen in steps of 2
    // pixels, release. The window may move under the mouse meanwhile, as a scrolled one does.
    void drag(Window& window, Point from, Point by)
    {
        simulateMouse(window.handle(), WM_LBUTTONDOWN, from);
        const Point start = window.clientToScreen(from);
        Point moved;
        while (moved != by)
        {
            moved.x += std::clamp(by.x - moved.x, -2, 2);
            moved.y += std::clamp(by.y - moved.y, -2, 2);
            simulateMouse(window.handle(), WM_MOUSEMOVE,
                          window.screenToClient(Point{start.x + moved.x, start.y + moved.y}));
        }
        simulateMouse(window.handle(), WM_LBUTTONUP, window.screenToClient(Point{start.x + by.x, start.y + by.y}));
        processMessages();
    }
    void clickBar(Point at)
    {
        simulateMouse(stack.bar.handle(), WM_LBUTTONDOWN, at);
        simulateMouse(stack.bar.handle(), WM_LBUTTONUP, at);
        processMessages();
    }

    int32_t holderHeight = 300;
    uint32_t time = 1000000;
    Window page;
    PagetteStack stack;
    TestWindowHandle holderHandle;
    CEmptyChildDialog holder;
    std::vector<std::unique_ptr<TestPagette>> pagettes;
};

TEST_F(PagetteTest, StackPlacesVisiblePagettesWithGaps)
{
    addPagettes({4, 8, 2}); // 52, 104 and 26 pixels
    EXPECT_EQ(rectOf(0), (Rect{0, 0, 180, 52}));
    EXPECT_EQ(topOf(1), 54);
    EXPECT_EQ(topOf(2), 54 + 106);
    EXPECT_EQ(stack.bar.total, 52 + 104 + 26 + 6);
    EXPECT_EQ(stack.bar.page, holderHeight);
    EXPECT_FALSE(stack.canScroll());

    // A hidden pagette takes no room; a top margin leaves space above the first.
    pagettes[1]->showWindow(SW_HIDE);
    stack.topMargin = 3;
    stack.layout(true);
    EXPECT_EQ(topOf(0), 3);
    EXPECT_EQ(topOf(2), 3 + 54);
    EXPECT_EQ(stack.bar.total, 3 + 52 + 26 + 4);
}

TEST_F(PagetteTest, DoubleClickFoldsAndOpensAndMovesThePagettesBelow)
{
    addPagettes({4, 8, 2});
    doubleClick(pagettes[0]->frame, {60, 8});
    EXPECT_FALSE(pagettes[0]->frame.unfolded);
    EXPECT_EQ(heightOf(0), 19);
    EXPECT_EQ(pagettes[0]->frame.clientRect().height(), 19) << "the frame follows its pagette";
    EXPECT_EQ(topOf(1), 21);
    EXPECT_EQ(topOf(2), 21 + 106);
    EXPECT_EQ(stack.bar.total, 19 + 104 + 26 + 6);

    doubleClick(pagettes[0]->frame, {60, 8});
    EXPECT_TRUE(pagettes[0]->frame.unfolded);
    EXPECT_EQ(heightOf(0), 52) << "the earlier open height";
    EXPECT_EQ(topOf(1), 54);
    EXPECT_EQ(topOf(2), 54 + 106);

    // A click in the small box of a folded pagette opens it.
    pagettes[1]->frame.setFolded(false);
    processMessages();
    EXPECT_EQ(topOf(2), 54 + 21);
    simulateMouse(pagettes[1]->frame.handle(), WM_LBUTTONDOWN, {8, 8}, 0, time += 2000);
    simulateMouse(pagettes[1]->frame.handle(), WM_LBUTTONUP, {8, 8}, 0, time += 30);
    processMessages();
    EXPECT_TRUE(pagettes[1]->frame.unfolded);
    EXPECT_EQ(topOf(2), 54 + 106);

    // The middle button's double click folds as well.
    simulateMouse(pagettes[2]->frame.handle(), WM_MBUTTONDOWN, {50, 5}, 0, time += 2000);
    simulateMouse(pagettes[2]->frame.handle(), WM_MBUTTONUP, {50, 5}, 0, time += 30);
    simulateMouse(pagettes[2]->frame.handle(), WM_MBUTTONDOWN, {50, 5}, 0, time += 60);
    simulateMouse(pagettes[2]->frame.handle(), WM_MBUTTONUP, {50, 5}, 0, time += 30);
    processMessages();
    EXPECT_FALSE(pagettes[2]->frame.unfolded);
    EXPECT_EQ(heightOf(2), 19);
}

TEST_F(PagetteTest, FoldingBeforeTheOpenHeightIsKnownIsIgnored)
{
    addPagettes({4});
    CPagetteButton& frame = pagettes[0]->frame;
    frame.openHeight = -1;
    frame.setFolded(true);
    EXPECT_EQ(heightOf(0), 52);
    EXPECT_TRUE(frame.unfolded);
}

TEST_F(PagetteTest, ResizingTheBottomEdgeStaysWithinItsBounds)
{
    addPagettes({4, 2});
    CPagetteButton& frame = pagettes[0]->frame;
    frame.resizable = true;
    frame.minOpenHeight = 40;
    drag(frame, {60, 50}, {0, 30});
    EXPECT_EQ(frame.openHeight, 82);
    EXPECT_EQ(heightOf(0), 82);
    EXPECT_EQ(topOf(1), 84) << "the next pagette follows the edge";
    drag(frame, {60, 80}, {0, -90});
    EXPECT_EQ(frame.openHeight, 40) << "the pagette's own minimum";
    frame.minOpenHeight = 29;
    drag(frame, {60, 37}, {0, -60});
    EXPECT_EQ(frame.openHeight, 29);
    drag(frame, {60, 26}, {0, 700});
    EXPECT_EQ(frame.openHeight, 600);
    EXPECT_EQ(topOf(1), 602);
}

TEST_F(PagetteTest, DraggingTheTitleScrollsOnlyATallColumn)
{
    addPagettes({4, 8, 2});
    CPagetteButton& frame = pagettes[1]->frame;
    drag(frame, {60, 8}, {0, -40});
    EXPECT_EQ(topOf(0), 0) << "the column fits: nothing scrolls";
    EXPECT_EQ(Window::capture(), nullptr);

    addPagettes({8, 8}); // 188 + 2 * 106 = 400 pixels in a 300-pixel holder
    ASSERT_TRUE(stack.canScroll());
    drag(frame, {60, 8}, {0, -40});
    EXPECT_EQ(stack.bar.position, 40) << "the content follows the mouse";
    EXPECT_EQ(topOf(0), -40);
    EXPECT_EQ(topOf(1), 14);
    drag(frame, {60, 8}, {0, -400});
    EXPECT_EQ(stack.bar.position, 100) << "no further than the end";
    EXPECT_EQ(rectOf(4).bottom + 2, holderHeight);
    drag(frame, {60, 8}, {0, 600});
    EXPECT_EQ(stack.bar.position, 0);
    EXPECT_EQ(topOf(0), 0);
}

TEST_F(PagetteTest, FrameOutsideAHolderFoldsButScrollsNothing)
{
    Window plain;
    ASSERT_TRUE(plain.create("Window", "", WS_CHILD | WS_VISIBLE, {0, 0, 190, 300}, &page, 77));
    TestPagette loose;
    ASSERT_TRUE(loose.createIndirect(pagetteTemplate("Loose", 32), &plain, testModule()));
    EXPECT_EQ(loose.frame.stack(), nullptr);
    doubleClick(loose.frame, {60, 8});
    EXPECT_FALSE(loose.frame.unfolded);
    EXPECT_EQ(loose.clientRect().height(), 19);
    drag(loose.frame, {60, 8}, {0, 60});
    EXPECT_EQ(plain.screenToClient(loose.windowRect()).top, 0);
}

TEST_F(PagetteTest, MiniScrollBarPagesByEightTenthsOfThePage)
{
    holderHeight = 500;
    holder.moveWindow({0, 0, 190, holderHeight}, false);
    stack.bar.moveWindow({200, 0, 210, 416}, false);
    addPagettes({16, 16, 16, 16}); // 4 * 210 = 840 pixels
    stack.topMargin = 160; // a column of exactly 1000 pixels
    stack.layout(true);
    processMessages();
    ASSERT_EQ(stack.bar.total, 1000);
    ASSERT_EQ(stack.bar.page, 500);

    clickBar({7, 400}); // below the thumb
    EXPECT_EQ(stack.bar.position, 400);
    EXPECT_EQ(topOf(0), 160 - 400) << "the stack follows the bar";
    clickBar({7, 400});
    EXPECT_EQ(stack.bar.position, 500) << "not 800: the end of the column";
    clickBar({7, 5}); // above the thumb
    EXPECT_EQ(stack.bar.position, 100);
    clickBar({1, 400}); // left of the track
    EXPECT_EQ(stack.bar.position, 100);

    // Two quick clicks page twice.
    clickBar({7, 5});
    ASSERT_EQ(stack.bar.position, 0);
    const Point below{7, 400};
    simulateMouse(stack.bar.handle(), WM_LBUTTONDOWN, below, 0, time += 2000);
    simulateMouse(stack.bar.handle(), WM_LBUTTONUP, below, 0, time += 30);
    simulateMouse(stack.bar.handle(), WM_LBUTTONDOWN, below, 0, time += 60);
    simulateMouse(stack.bar.handle(), WM_LBUTTONUP, below, 0, time += 30);
    processMessages();
    EXPECT_EQ(stack.bar.position, 500);
}

TEST_F(PagetteTest, DraggingTheThumbByTheTrackMovesByTheTotal)
{
    addPagettes({16, 16, 16}); // 630 pixels in 300
    stack.bar.moveWindow({200, 0, 210, 116}, false); // a track of 100 pixels
    stack.layout(true);
    processMessages();
    const int32_t thumbY = stack.bar.thumbRect.top + 5;
    drag(stack.bar, {7, thumbY}, {0, 10});
    EXPECT_EQ(stack.bar.position, 63) << "10 of 100 track pixels: a tenth of 630";
    EXPECT_EQ(topOf(0), -63);
    processMessages();
    const int32_t movedThumbY = stack.bar.thumbRect.top + 5;
    drag(stack.bar, {7, movedThumbY}, {0, 100});
    EXPECT_EQ(stack.bar.position, 330) << "clamped to the end";

    // A move with no button held never starts a drag.
    simulateMouse(stack.bar.handle(), WM_MOUSEMOVE, {7, stack.bar.thumbRect.top + 5});
    processMessages();
    EXPECT_FALSE(stack.bar.dragging);
}

TEST_F(PagetteTest, ShortBarNeitherDividesByZeroNorDrags)
{
    addPagettes({16, 16, 16});
    stack.bar.moveWindow({200, 0, 210, 16}, false);
    stack.bar.invalidate(true);
    processMessages();
    drag(stack.bar, {7, 8}, {0, 6});
    EXPECT_FALSE(stack.bar.dragging);
    EXPECT_EQ(stack.bar.position, 0);
}

TEST_F(PagetteTest, PlainBarWhenEverythingFits)
{
    addPagettes({4});
    stack.bar.invalidate(true);
    processMessages();
    const Surface* surface = stack.bar.surface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->pixel(7, 100), getSysColor(COLOR_BTNFACE));
    EXPECT_EQ(topOf(0), 0);
}

TEST_F(PagetteTest, FoldingTheLastPagetteOfAScrolledColumnScrollsBack)
{
    addPagettes({16, 16, 16}); // 630 in 300
    stack.scrollBy(330);
    processMessages();
    ASSERT_EQ(stack.bar.position, 330);
    ASSERT_EQ(rectOf(2).bottom + 2, holderHeight);
    pagettes[2]->frame.setFolded(false);
    processMessages();
    EXPECT_EQ(stack.bar.total, 208 + 208 + 19 + 6);
    EXPECT_EQ(stack.bar.position, 139) << "no empty space stays below the column";
    EXPECT_EQ(topOf(0), -139);
    EXPECT_EQ(rectOf(2).bottom, holderHeight);
}

TEST_F(PagetteTest, FoldingInTheMiddleOfAScrolledColumnMovesThePagettesAboveDown)
{
    addPagettes({16, 16, 16}); // 630 in 300
    stack.scrollBy(330);
    processMessages();
    pagettes[1]->frame.setFolded(false); // 189 pixels less: the column would end above the holder's end
    processMessages();
    EXPECT_EQ(stack.bar.position, 141);
    EXPECT_EQ(topOf(0), -141);
    EXPECT_EQ(topOf(1), 69);
    EXPECT_EQ(topOf(2), 90) << "the pagette below stays; the ones above came down";
    EXPECT_EQ(rectOf(2).bottom + 2, holderHeight);
}

TEST_F(PagetteTest, FrameCursorsForTheGripAndAScrollableColumn)
{
    platform::CursorResource arrows;
    arrows.width = arrows.height = 4;
    arrows.pixels.assign(16, 0x000000);
    registerCursorResource(testModule(), KitCursorId::PagetteButton, arrows);
    ResourceModuleScope resources(testModule());

    addPagettes({4, 2});
    CPagetteButton& frame = pagettes[0]->frame;
    frame.resizable = true;
    simulateMouse(frame.handle(), WM_MOUSEMOVE, {60, 50});
    processMessages();
    EXPECT_EQ(currentCursor(), loadStandardCursor(IDC_SIZENS)) << "over the grip";
    simulateMouse(frame.handle(), WM_MOUSEMOVE, {60, 8});
    processMessages();
    EXPECT_NE(currentCursor(), getCursorPagetteButton()) << "the column fits: no drag cursor";

    addPagettes({16, 16});
    ASSERT_TRUE(stack.canScroll());
    simulateMouse(frame.handle(), WM_MOUSEMOVE, {60, 9});
    processMessages();
    ASSERT_NE(getCursorPagetteButton(), nullptr);
    EXPECT_EQ(currentCursor(), getCursorPagetteButton());
}

TEST_F(PagetteTest, ResizingWithABottomMarginErasesTheStripsOnce)
{
    addPagettes({4, 2});
    CPagetteButton& frame = pagettes[0]->frame;
    frame.resizable = true;
    frame.bottomMargin = 10;
    frame.eraseLimit = 22;
    simulateMouse(frame.handle(), WM_LBUTTONDOWN, {60, 50});
    simulateMouse(frame.handle(), WM_MOUSEMOVE, {60, 60});
    EXPECT_EQ(frame.eraseMode, CPagetteButton::EraseStripsOnce);
    EXPECT_EQ(frame.eraseRect, (Rect{1, 52 - 10, 8000, 62}));
    processMessages();
    EXPECT_EQ(frame.eraseMode, CPagetteButton::EraseNormally) << "once";
    simulateMouse(frame.handle(), WM_LBUTTONUP, {60, 60});
    processMessages();
    EXPECT_EQ(heightOf(0), 62);

    frame.eraseMode = CPagetteButton::EraseSkipOnce;
    frame.invalidate(true);
    processMessages();
    EXPECT_EQ(frame.eraseMode, CPagetteButton::EraseNormally);
}

TEST_F(PagetteTest, ATitleTooLongForBoldShowsWholeFoldedAndUnfolded)
{
    auto pagette = std::make_unique<TestPagette>();
    ASSERT_TRUE(pagette->createIndirect(pagetteTemplate("Member Start Joint & End Joint", 32), &holder, testModule()));
    pagettes.push_back(std::move(pagette));
    stack.layout(true);
    processMessages();
    CPagetteButton& frame = pagettes[0]->frame;
    const int32_t width = frame.clientRect().width();
    for (const bool unfolded : {true, false})
    {
        SCOPED_TRACE(unfolded ? "unfolded" : "folded");
        frame.setFolded(unfolded);
        frame.invalidate(true);
        processMessages();
        const Surface picture = pictureOfWindow(frame);
        int letters = 0;
        int lettersAtTheEdge = 0;
        for (int32_t y = 2; y < frame.titleHeight - 2; ++y)
            for (int32_t x = 0; x < width; ++x)
                if (picture.pixel(x, y) == getSysColor(COLOR_BTNTEXT))
                {
                    ++letters;
                    // The frame's outer edge is black too; the grey line inside it is not.
                    lettersAtTheEdge += x == width - 2 ? 1 : 0;
                }
        EXPECT_GT(letters, 100) << "the title is written";
        EXPECT_EQ(lettersAtTheEdge, 0) << "the title ends inside the frame";
    }
}

TEST_F(PagetteTest, PictureOfAStack)
{
    addPagettes({4, 8, 2, 6});
    pagettes[2]->frame.setFolded(false);
    pagettes[1]->frame.resizable = true;
    pagettes[1]->frame.separator1 = 40;
    pagettes[1]->frame.invalidate(true);
    stack.layout(true);
    processMessages();
    const Surface picture = pictureOfWindow(page);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(picture, "pagette_stack"));
    // The raised frame's light edge at each pagette's top-left corner, the face inside.
    EXPECT_EQ(picture.pixel(0, 0), getSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(picture.pixel(0, topOf(1)), getSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(picture.pixel(60, topOf(1) + 60), getSysColor(COLOR_BTNFACE));
}

} // namespace
