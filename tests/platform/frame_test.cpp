// The MDI frame headless: documents with several views, activation notifications and their order,
// menus swapped with the active document, closing with a veto, command routing through the
// active view, frame accelerators, and a GL view whose frames land in its window.
#include "platform/Application.h"
#include "platform/BmpFile.h"
#include "platform/DialogBar.h"
#include "platform/GlSurface.h"
#include "platform/ImageList.h"
#include "platform/InputSimulation.h"
#include "platform/MainFrame.h"
#include "platform/Menu.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/Toolbar.h"
#include "platform/qt/MenuQt.h"
#include "platform/qt/WindowState.h"
#include "tests/platform/RecordedCommandState.h"

#include <GL/gl.h>
#include <QApplication>
#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMainWindow>
#include <QDockWidget>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace platform;

std::vector<std::string> journal;

struct TestDocument : Document
{
    bool vetoClose = false;
    bool canCloseFrame(ChildFrame&) override { return !vetoClose; }
    void onCloseDocument() override { journal.push_back("close " + title()); }
};

struct TestFrame : ChildFrame
{
    void onMdiActivate(bool activate, ChildFrame* activated, ChildFrame* deactivated) override
    {
        journal.push_back(std::string(activate ? "frame+ " : "frame- ") +
                          (activate ? name(activated) : name(deactivated)));
    }
    static std::string name(ChildFrame* frame) { return frame ? frame->title() : "none"; }
};

// A view that paints itself one colour, or with GL when asked, and records its input.
struct TestView : View
{
    std::uint32_t colour = 0x00FF00;
    bool useGl = false;
    std::vector<std::uint32_t> messages;
    WParam lastWParam = 0;
    LParam lastLParam = 0;
    bool saw(std::uint32_t message) const
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    void onActivateView(bool activate, View* activated, View* deactivated) override
    {
        View* other = activate ? deactivated : activated;
        journal.push_back(std::string(activate ? "view+ " : "view- ") + "other " +
                          (other ? other->frame()->title() : std::string("none")));
    }
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override
    {
        if (message == WM_PAINT)
        {
            if (useGl)
            {
                GlSurface& gl = glSurface();
                if (gl.makeCurrent())
                {
                    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
                    glClear(GL_COLOR_BUFFER_BIT);
                    gl.swapBuffers();
                }
            }
            else if (Surface* image = surface())
            {
                image->fill(colour);
            }
            return 0;
        }
        if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_TIMER || message == WM_MOUSEWHEEL ||
            message == WM_SETCURSOR || message == WM_MOUSEMOVE || message == WM_SETFOCUS)
        {
            messages.push_back(message);
            lastWParam = wParam;
            lastLParam = lParam;
        }
        return View::windowProc(message, wParam, lParam);
    }
};

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        journal.clear();
        noDocumentMenu.appendPopup("&File")->appendItem(ID_FILE_NEW, "&New\tCtrl+N");
        Menu* file = documentMenu.appendPopup("&File");
        file->appendItem(ID_FILE_NEW, "&New\tCtrl+N");
        file->appendItem(ID_FILE_CLOSE, "&Close");
        docTemplate = std::make_unique<DocTemplate>(
            &documentMenu, ".qr2", [] { return std::make_unique<TestDocument>(); },
            [] { return std::make_unique<TestFrame>(); }, [] { return std::make_unique<TestView>(); });
        ASSERT_TRUE(frame.createFrame("Quorl2 beta", &noDocumentMenu));
        frame.addDocTemplate(docTemplate.get());
        frame.show();
        application.processMessages();
    }

    TestView* viewOf(ChildFrame* child) { return static_cast<TestView*>(child->view()); }

    int argc = 1;
    char name[16] = "frame_test";
    char* argv[2] = {name, nullptr};
    Application application{argc, argv, "Quorl2"};
    Menu noDocumentMenu{Menu::Kind::Bar};
    Menu documentMenu{Menu::Kind::Bar};
    std::unique_ptr<DocTemplate> docTemplate;
    MainFrame frame;
};

TEST_F(FrameTest, NewDocumentsActivateInOrderAndSwapTheMenu)
{
    EXPECT_EQ(frame.currentMenu(), &noDocumentMenu);
    ASSERT_TRUE(frame.executeCommand(ID_FILE_NEW));
    ASSERT_EQ(frame.childFrames().size(), 1u);
    ChildFrame* first = frame.activeChild();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(frame.currentMenu(), &documentMenu);
    EXPECT_EQ(frame.windowText(), "Quorl2 beta - Untitled1");
    EXPECT_EQ(journal, (std::vector<std::string>{"frame+ Untitled1", "view+ other none"}));

    journal.clear();
    ASSERT_TRUE(frame.executeCommand(ID_FILE_NEW));
    ChildFrame* second = frame.activeChild();
    ASSERT_NE(second, first);
    // The frames hear it before the views; the one that goes before the one that comes.
    EXPECT_EQ(journal,
              (std::vector<std::string>{"frame- Untitled1", "frame+ Untitled2", "view- other Untitled2",
                                        "view+ other Untitled1"}));

    journal.clear();
    first->activate();
    application.processMessages();
    EXPECT_EQ(frame.activeChild(), first);
    EXPECT_EQ(journal.size(), 4u);
}

TEST_F(FrameTest, SeveralViewsPerDocumentAndClosingWithAVeto)
{
    Document* document = docTemplate->openNewDocument(frame);
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(frame.executeCommand(ID_WINDOW_NEW));
    ASSERT_EQ(document->views().size(), 2u);
    EXPECT_EQ(frame.activeDocument(), document);

    static_cast<TestDocument*>(document)->vetoClose = true;
    EXPECT_FALSE(frame.activeChild()->close());
    EXPECT_EQ(frame.childFrames().size(), 2u);

    static_cast<TestDocument*>(document)->vetoClose = false;
    journal.clear();
    ASSERT_TRUE(frame.activeChild()->close());
    application.processMessages();
    EXPECT_EQ(frame.childFrames().size(), 1u);
    EXPECT_EQ(document->views().size(), 1u);
    ASSERT_NE(frame.activeChild(), nullptr);

    // The last view goes: the document closes and the view hears of no successor.
    journal.clear();
    ASSERT_TRUE(frame.executeCommand(ID_FILE_CLOSE));
    application.processMessages();
    EXPECT_TRUE(frame.childFrames().empty());
    EXPECT_EQ(frame.activeChild(), nullptr);
    EXPECT_EQ(frame.currentMenu(), &noDocumentMenu);
    EXPECT_EQ(frame.windowText(), "Quorl2 beta");
    EXPECT_TRUE(docTemplate->documents().empty());
    EXPECT_EQ(journal, (std::vector<std::string>{"frame- Untitled1", "view- other none", "close Untitled1"}));
}

TEST_F(FrameTest, CommandsGoToTheActiveViewFirst)
{
    ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
    std::vector<std::string> reached;
    CommandTarget hostLookup;
    hostLookup.onCommandRange(0x9000, 0xBFFF, [&](std::uint32_t) { reached.push_back("plugin"); });
    frame.setPreRouteTarget(&hostLookup);
    View* view = frame.activeView();
    view->onCommand(32791, [&] { reached.push_back("view"); });
    frame.activeDocument()->onCommand(32791, [&] { reached.push_back("document"); });
    frame.activeDocument()->onCommand(32792, [&] { reached.push_back("document"); });
    frame.onCommand(32793, [&] { reached.push_back("frame"); });
    for (std::uint32_t id : {0xA000u, 32791u, 32792u, 32793u})
        EXPECT_TRUE(frame.executeCommand(id));
    EXPECT_FALSE(frame.executeCommand(32794));
    EXPECT_EQ(reached, (std::vector<std::string>{"plugin", "view", "document", "frame"}));
}

TEST_F(FrameTest, AGlViewShowsItsFramesAndSnapshotsThem)
{
    TestView* view = nullptr;
    ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
    view = static_cast<TestView*>(frame.activeView());
    view->useGl = true;
    view->invalidate(false);
    view->updateWindow();
    Surface image;
    ASSERT_TRUE(view->renderToImage(image));
    ASSERT_FALSE(image.isEmpty());
    EXPECT_EQ(image.size(), view->clientRect().size());
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), 0xFF0000u);
    EXPECT_FALSE(view->glSurface().isCurrent());
}

TEST_F(FrameTest, SnapshotsOfAViewGoToBitmapFiles)
{
    ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
    auto* view = static_cast<TestView*>(frame.activeView());
    view->colour = 0x123456;
    Surface image;
    ASSERT_TRUE(view->renderToImage(image));
    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/frame_test_snapshot.bmp";
    ASSERT_EQ(writeBmpFile(path, image), BmpWriteError::None);
    const Surface read = Surface::loadImage(path);
    ASSERT_EQ(read.size(), view->clientRect().size());
    EXPECT_EQ(read.pixel(3, 3), 0x123456u);
    std::filesystem::remove(path);
}

TEST_F(FrameTest, FlyByAndTooltipTextsOfCommands)
{
    frame.setPromptProvider(
        [](std::uint32_t id) { return id == ID_FILE_NEW ? std::string("Create a new document\nNew") : std::string(); });
    frame.setTooltipProvider([](std::uint32_t id) { return id == 0xBFFE ? std::string("Joint tool") : std::string(); });
    EXPECT_EQ(frame.tooltipText(ID_FILE_NEW), "New");
    EXPECT_EQ(frame.tooltipText(0xBFFE), "Joint tool");
    EXPECT_EQ(frame.tooltipText(32771), "");
    // The mouse over the menu entry shows the prompt in the status bar.
    QAction* entry = qtMenuOf(*noDocumentMenu.submenu(0))->actions().front();
    entry->hover();
    EXPECT_EQ(frame.messageText(), "Create a new document");
    // Choosing it closes the menu: the status bar is idle again while the command runs and after.
    std::string shownWhileRunning;
    frame.onCommand(ID_FILE_NEW, [&] { shownWhileRunning = frame.messageText(); });
    entry->trigger();
    EXPECT_EQ(shownWhileRunning, "Ready");
    EXPECT_EQ(frame.messageText(), "Ready");
}

TEST_F(FrameTest, ToolbarsDockFloatHideAndUpdateAtIdle)
{
    ImageList images({16, 16});
    images.add(Surface(32, 16, 0x00FF00));
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 100, 22}, &frame, 0xE800));
    toolbar.setWindowText("Standard Toolbar");
    toolbar.setImageList(&images);
    ToolbarButton buttons[2];
    buttons[0].imageIndex = 0;
    buttons[0].commandId = ID_FILE_NEW;
    buttons[0].state = TBSTATE_ENABLED;
    buttons[1].imageIndex = 1;
    buttons[1].commandId = 32791;
    buttons[1].state = TBSTATE_ENABLED;
    toolbar.addButtons(buttons, 2);
    frame.addToolbar(toolbar, CBRS_ALIGN_ANY);
    frame.dockToolbar(toolbar, IDW_DOCKBAR_LEFT);
    EXPECT_EQ(frame.toolbarDockBar(toolbar), IDW_DOCKBAR_LEFT);
    frame.dockToolbar(toolbar, IDW_DOCKBAR_TOP);
    EXPECT_EQ(frame.toolbarDockBar(toolbar), IDW_DOCKBAR_TOP);

    // 32791 has no handler: the idle update disables its button; New stays enabled.
    frame.onIdleUpdate();
    EXPECT_EQ(toolbar.buttonState(32791), 0);
    EXPECT_EQ(toolbar.buttonState(ID_FILE_NEW), TBSTATE_ENABLED);
    // A click reaches the frame's command routing: a new document.
    toolbar.click(0);
    EXPECT_EQ(frame.childFrames().size(), 1u);

    frame.showToolbar(toolbar, false);
    EXPECT_FALSE(frame.isToolbarVisible(toolbar));
    frame.showToolbar(toolbar, true);
    EXPECT_TRUE(frame.isToolbarVisible(toolbar));
    frame.floatToolbar(toolbar, {300, 300});
    EXPECT_EQ(frame.toolbarDockBar(toolbar), 0u);
}

// Adds `count` enabled buttons with the commands 32800, 32801, ...
void addEnabledButtons(Toolbar& toolbar, int count)
{
    for (int index = 0; index < count; ++index)
    {
        ToolbarButton button;
        button.commandId = 32800 + index;
        button.state = TBSTATE_ENABLED;
        toolbar.addButtons(&button, 1);
    }
}

// Bars docked side by side each keep the length of their buttons: none is squeezed until its
// buttons are cut off, none spreads a few buttons over an empty stretch.
TEST_F(FrameTest, DockedToolbarsAreAsLongAsTheirButtons)
{
    ImageList images({16, 16});
    images.add(Surface(16, 16, 0x00FF00));
    std::vector<std::unique_ptr<Toolbar>> toolbars;
    for (const int count : {5, 2, 3})
    {
        auto& toolbar = *toolbars.emplace_back(std::make_unique<Toolbar>());
        ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 24, 22}, &frame, 0xE800 + count));
        toolbar.setImageList(&images);
        addEnabledButtons(toolbar, count);
        frame.addToolbar(toolbar, CBRS_ALIGN_ANY);
        frame.dockToolbar(toolbar, IDW_DOCKBAR_TOP);
    }
    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Select", WS_CHILD | WS_VISIBLE, {0, 0, 200, 40}, &frame));
    frame.addDialogBar(bar, CBRS_ALIGN_TOP);
    frame.dockDialogBar(bar, IDW_DOCKBAR_TOP);
    application.processMessages();

    auto widthOf = [](Toolbar& toolbar) { return toolbar.state()->widget->width(); };
    for (auto& toolbar : toolbars)
        EXPECT_EQ(widthOf(*toolbar), toolbar->autoSize().width) << toolbar->buttonCount() << " buttons";

    // A button added later lengthens its bar.
    Toolbar& shortest = *toolbars[1];
    const int before = widthOf(shortest);
    ToolbarButton added;
    added.commandId = 32810;
    added.state = TBSTATE_ENABLED;
    shortest.addButtons(&added, 1);
    shortest.autoSize();
    application.processMessages();
    EXPECT_GT(widthOf(shortest), before);
    EXPECT_EQ(widthOf(shortest), shortest.autoSize().width);

    // At a side the bar is as tall as its column; floating, its window may be resized freely.
    frame.dockToolbar(shortest, IDW_DOCKBAR_LEFT);
    application.processMessages();
    EXPECT_EQ(shortest.state()->widget->height(), shortest.autoSize().height);
    frame.floatToolbar(shortest, {300, 300});
    application.processMessages();
    EXPECT_EQ(shortest.state()->widget->maximumWidth(), QWIDGETSIZE_MAX);
    EXPECT_EQ(shortest.state()->widget->minimumWidth(), 0);
}

// A dialog bar whose size comes from the layout function, as the host's bars answer.
struct SizedBar : DialogBar
{
    DialogBarSizes sizes{{220, 400}, {260, 300}, {220, 400}, {200, 200}, {32767, 32767}, 0};
    std::vector<std::uint32_t> modes;
    Size calcDynamicLayout(std::int32_t length, std::uint32_t mode) override
    {
        modes.push_back(mode);
        return calcDialogBarLayout(sizes, length, mode).size;
    }
};

TEST_F(FrameTest, DialogBarsAskForTheirSizeWhenDocked)
{
    SizedBar bar;
    ASSERT_TRUE(bar.create("#32770", "Main Console", WS_CHILD | WS_VISIBLE, {0, 0, 220, 400}, &frame));
    frame.addDialogBar(bar, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    frame.dockDialogBar(bar, IDW_DOCKBAR_RIGHT);
    application.processMessages();
    ASSERT_FALSE(bar.modes.empty());
    EXPECT_EQ(bar.modes.back(), LM_VERTDOCK);
    EXPECT_EQ(bar.state()->widget->width(), 220);
    EXPECT_TRUE(frame.isDialogBarVisible(bar));
    frame.showDialogBar(bar, false);
    EXPECT_FALSE(frame.isDialogBarVisible(bar));
}

// Bars sharing the top row keep at least the width they ask for, side by side, however tall one is.
TEST_F(FrameTest, DialogBarsDockedInARowKeepTheirWidthWithoutOverlapping)
{
    std::vector<std::unique_ptr<SizedBar>> bars;
    for (const Size docked : {Size{152, 29}, Size{152, 29}, Size{210, 350}})
    {
        auto& bar = *bars.emplace_back(std::make_unique<SizedBar>());
        bar.sizes.docked = bar.sizes.floating = bar.sizes.reference = docked;
        ASSERT_TRUE(bar.create("#32770", "Row", WS_CHILD | WS_VISIBLE, {0, 0, docked.width, docked.height}, &frame));
        frame.addDialogBar(bar, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        frame.dockDialogBar(bar, IDW_DOCKBAR_TOP);
        application.processMessages();
    }
    std::vector<QRect> placed;
    for (auto& bar : bars)
    {
        QWidget* widget = bar->state()->widget;
        EXPECT_GE(widget->width(), bar->sizes.docked.width);
        EXPECT_EQ(widget->height(), bar->sizes.docked.height);
        placed.emplace_back(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    }
    for (size_t first = 0; first < placed.size(); ++first)
        for (size_t second = first + 1; second < placed.size(); ++second)
            EXPECT_FALSE(placed[first].intersects(placed[second])) << first << " and " << second;
}

// A bar docked into a row too short for it starts a row of its own below, whether the program
// docks it or the person redocks a floating bar with its title's dock button: the frame never
// grows wider than it was (maximised on the screen), also not after the bar floats again.
TEST_F(FrameTest, ABarTooLongForItsRowStartsANewRowInsteadOfWideningTheFrame)
{
    auto* window = static_cast<QMainWindow*>(frame.state()->widget);
    const int frameWidth = window->width();
    ASSERT_LE(frameWidth, MainFrame::desktopWorkArea().width());
    ImageList images({16, 16});
    images.add(Surface(16, 16, 0x00FF00));
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 24, 22}, &frame, 0xE801));
    toolbar.setImageList(&images);
    addEnabledButtons(toolbar, 4);
    frame.addToolbar(toolbar, CBRS_ALIGN_ANY);
    frame.dockToolbar(toolbar, IDW_DOCKBAR_TOP);
    const int barWidth = frameWidth * 3 / 5;
    std::vector<std::unique_ptr<SizedBar>> bars;
    for (const char* title : {"Select", "Property List"})
    {
        auto& bar = *bars.emplace_back(std::make_unique<SizedBar>());
        bar.sizes.docked = bar.sizes.floating = bar.sizes.reference = {barWidth, 60};
        ASSERT_TRUE(bar.create("#32770", title, WS_CHILD | WS_VISIBLE, {0, 0, barWidth, 60}, &frame));
        frame.addDialogBar(bar, CBRS_ALIGN_ANY);
    }
    frame.dockDialogBar(*bars[0], IDW_DOCKBAR_TOP);
    SizedBar& list = *bars[1];
    auto* listDock = qobject_cast<QDockWidget*>(list.state()->widget->parentWidget());
    ASSERT_NE(listDock, nullptr);
    auto placeOf = [](Window& bar) {
        QWidget* widget = bar.state()->widget;
        return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    };

    struct Step
    {
        const char* what;
        std::function<void()> act;
        bool docked;
    };
    const Step steps[] = {
        {"docked by the program", [&] { frame.dockDialogBar(list, IDW_DOCKBAR_TOP); }, true},
        {"floated", [&] { frame.floatDialogBar(list, Point{300, 300}); }, false},
        {"redocked by the title's dock button", [&] { listDock->setFloating(false); }, true},
        {"floated again", [&] { listDock->setFloating(true); }, false},
    };
    for (const Step& step : steps)
    {
        step.act();
        application.processMessages();
        EXPECT_EQ(window->width(), frameWidth) << step.what;
        EXPECT_EQ(frame.isBarFloating(list), !step.docked) << step.what;
        if (!step.docked)
            continue;
        const QRect placed = placeOf(list);
        EXPECT_GE(placed.width(), barWidth) << step.what << ": the whole bar shows";
        EXPECT_LE(placed.right(), frameWidth) << step.what;
        for (Window* other : {static_cast<Window*>(bars[0].get()), static_cast<Window*>(&toolbar)})
            EXPECT_FALSE(placed.intersects(placeOf(*other))) << step.what;
        EXPECT_GE(placed.top(), placeOf(*bars[0]).bottom()) << step.what << ": in a row below";
    }
}

// A floating bar shows the whole size it asks for under the title of its floating window.
TEST_F(FrameTest, AFloatingDialogBarGetsItsWholeSizeUnderItsTitle)
{
    SizedBar bar;
    bar.sizes.floating = {150, 29};
    bar.sizes.modeFlags = 15;
    ASSERT_TRUE(bar.create("#32770", "Size", WS_CHILD | WS_VISIBLE, {0, 0, 150, 29}, &frame));
    frame.addDialogBar(bar, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    frame.floatDialogBar(bar, Point{300, 300});
    application.processMessages();
    ASSERT_TRUE(frame.isBarFloating(bar));
    EXPECT_EQ(bar.modes.back(), static_cast<std::uint32_t>(LM_MRUWIDTH));
    EXPECT_EQ(bar.state()->widget->width(), 150);
    EXPECT_EQ(bar.state()->widget->height(), 29);
}

TEST_F(FrameTest, AHiddenBarHidesTheWindowsInsideItAndIsFoundFromThem)
{
    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Create Group", WS_CHILD | WS_VISIBLE, {0, 0, 200, 80}, &frame));
    Window inside;
    ASSERT_TRUE(inside.create("Window", "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 20}, &bar));
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 24, 22}, &frame, 0xE800));
    frame.addDialogBar(bar, CBRS_ALIGN_ANY);
    frame.addToolbar(toolbar, CBRS_ALIGN_ANY);
    application.processMessages();
    EXPECT_EQ(MainFrame::frameOf(inside), &frame);
    EXPECT_EQ(MainFrame::frameOf(frame), &frame);

    // Windows inside a hidden bar say so, so that a plugin can tell whether its bar shows.
    for (const bool show : {false, true, false})
    {
        EXPECT_TRUE(frame.showControlBar(bar, show));
        EXPECT_TRUE(frame.showControlBar(toolbar, show));
        application.processMessages();
        EXPECT_EQ(frame.isDialogBarVisible(bar), show);
        EXPECT_EQ(inside.isVisible(), show);
        EXPECT_EQ(frame.isToolbarVisible(toolbar), show);
        EXPECT_EQ(toolbar.isVisible(), show);
    }
    EXPECT_FALSE(frame.showControlBar(inside, true)) << "a window inside a bar is no bar";
    EXPECT_FALSE(inside.isVisible());

    Window alone;
    ASSERT_TRUE(alone.create("Window", "", WS_OVERLAPPEDWINDOW, {0, 0, 50, 20}, nullptr));
    EXPECT_EQ(MainFrame::frameOf(alone), nullptr);
}

// A bar's plugin retitles it while it is docked or floating: the caption over the bar follows,
// the frame's title stays.
TEST_F(FrameTest, ADialogBarsNewTextIsTheCaptionOverIt)
{
    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Setup Calculation", WS_CHILD | WS_VISIBLE, {0, 0, 200, 300}, &frame));
    frame.addDialogBar(bar, CBRS_ALIGN_ANY);
    auto* dock = qobject_cast<QDockWidget*>(bar.state()->widget->parentWidget());
    ASSERT_NE(dock, nullptr);
    const std::string frameTitle = frame.windowText();
    for (bool floating : {false, true})
    {
        if (floating)
            frame.floatDialogBar(bar, Point{300, 300});
        else
            frame.dockDialogBar(bar, IDW_DOCKBAR_RIGHT);
        const std::string title = floating ? "Setup Full Iterator" : "Setup Basic Iterator";
        bar.setWindowText(title);
        application.processMessages();
        EXPECT_EQ(dock->windowTitle().toStdString(), title);
        EXPECT_EQ(bar.windowText(), title);
        EXPECT_EQ(frame.windowText(), frameTitle);
    }
}

TEST_F(FrameTest, AContextMenuSendsTheChosenCommandToItsOwner)
{
    struct Owner : Window
    {
        std::vector<std::uint32_t> commands;
        LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override
        {
            if (message == WM_COMMAND)
                commands.push_back(lowWord(wParam));
            return Window::windowProc(message, wParam, lParam);
        }
    } owner;
    ASSERT_TRUE(owner.create("Window", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 10, 200, 200}, nullptr));
    Menu popup;
    popup.appendItem(0xB000, "&First");
    popup.appendItem(0xB001, "&Second");
    popup.setCheck(1, 1);
    popup.appendItem(0xB002, "&Greyed");
    popup.setEnabled(2, false);
    // The person goes down to the second entry and presses Enter.
    bool modal = false;
    QTimer::singleShot(50, [&] {
        modal = application.inModalLoop();
        if (QWidget* shown = QApplication::activePopupWidget())
        {
            QTest::keyClick(shown, Qt::Key_Down);
            QTest::keyClick(shown, Qt::Key_Down);
            QTest::keyClick(shown, Qt::Key_Return);
        }
    });
    EXPECT_EQ(popup.trackPopup({100, 100}, true, owner.handle()), 0xB001u);
    EXPECT_EQ(owner.commands, (std::vector<std::uint32_t>{0xB001}));
    EXPECT_TRUE(modal) << "no idle work runs while the menu is up";
    EXPECT_FALSE(application.inModalLoop());
}

TEST_F(FrameTest, TheStatusBarIsToggledByItsCommandAndChecked)
{
    const struct
    {
        bool visibleAfter;
        int check;
    } steps[] = {{false, 0}, {true, 1}, {false, 0}};
    EXPECT_TRUE(frame.isStatusBarVisible());
    for (const auto& step : steps)
    {
        ASSERT_TRUE(frame.executeCommand(ID_VIEW_STATUS_BAR));
        EXPECT_EQ(frame.isStatusBarVisible(), step.visibleAfter);
        RecordedCommandState state(ID_VIEW_STATUS_BAR);
        frame.commandRouter().update(state);
        EXPECT_NE(state.enabled, 0);
        EXPECT_EQ(state.check, step.check);
    }
}

TEST_F(FrameTest, TheIndicatorPanesFollowTheLockKeysAtIdle)
{
    // Offscreen there is no keyboard to ask: every pane stays off.
    frame.onIdleUpdate();
    for (const char* pane : {"CAP", "NUM", "SCRL"})
        EXPECT_FALSE(frame.isIndicatorOn(pane)) << pane;
    LockKeyLights lights;
    frame.setLockKeyReader([&] { return lights; });
    const struct
    {
        LockKeyLights lights;
        bool cap, num, scroll;
    } cases[] = {{{true, false, false}, true, false, false},
                 {{false, true, false}, false, true, false},
                 {{false, false, true}, false, false, true},
                 {{true, true, true}, true, true, true},
                 {{false, false, false}, false, false, false}};
    for (const auto& c : cases)
    {
        lights = c.lights;
        frame.onIdleUpdate();
        EXPECT_EQ(frame.isIndicatorOn("CAP"), c.cap);
        EXPECT_EQ(frame.isIndicatorOn("NUM"), c.num);
        EXPECT_EQ(frame.isIndicatorOn("SCRL"), c.scroll);
    }
    EXPECT_FALSE(frame.isIndicatorOn("OVR")) << "no such pane";
}

TEST_F(FrameTest, ArrangeIconsLinesMinimisedChildrenUpAlongTheBottom)
{
    for (int i = 0; i < 3; ++i)
        docTemplate->openNewDocument(frame);
    application.processMessages();
    std::vector<QMdiSubWindow*> subs;
    for (ChildFrame* child : frame.childFrames())
        subs.push_back(qobject_cast<QMdiSubWindow*>(child->state()->widget));
    ASSERT_EQ(subs.size(), 3u);
    for (QMdiSubWindow* sub : subs)
        sub->showNormal();
    subs[0]->showMinimized();
    subs[2]->showMinimized();
    application.processMessages();
    // The person drags the icons away.
    subs[0]->move(150, 40);
    subs[2]->move(10, 10);
    ASSERT_EQ(subs[0]->pos(), QPoint(150, 40));
    ASSERT_TRUE(frame.executeCommand(ID_WINDOW_ARRANGE));
    const int bottom = subs[0]->parentWidget()->height();
    EXPECT_EQ(subs[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[0]->x(), 0) << "in creation order, from the left";
    EXPECT_EQ(subs[2]->x(), subs[0]->width());
    EXPECT_FALSE(subs[1]->isMinimized());
}

TEST_F(FrameTest, BarsNeitherDockedNorFloatedStayFixed)
{
    Toolbar toolbar;
    ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 100, 22}, &frame, 0xE800));
    frame.addToolbar(toolbar, CBRS_ALIGN_ANY);
    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Panel", WS_CHILD | WS_VISIBLE, {0, 0, 120, 200}, &frame));
    frame.addDialogBar(bar, 0);
    application.processMessages();
    EXPECT_FALSE(frame.isBarFloating(toolbar));
    EXPECT_FALSE(frame.isBarFloating(bar));
    EXPECT_EQ(frame.toolbarDockBar(toolbar), 0u) << "at no dock bar";
    EXPECT_TRUE(frame.isToolbarVisible(toolbar));
    EXPECT_TRUE(frame.isDialogBarVisible(bar));
    auto* dock = qobject_cast<QDockWidget*>(bar.state()->widget->parentWidget());
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->features() & (QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable), 0)
        << "it cannot be dragged away";
    EXPECT_EQ(static_cast<QMainWindow*>(frame.state()->widget)->dockWidgetArea(dock), Qt::RightDockWidgetArea);
    // Docking it later makes it a docked bar like any other.
    frame.dockToolbar(toolbar, IDW_DOCKBAR_LEFT);
    EXPECT_EQ(frame.toolbarDockBar(toolbar), IDW_DOCKBAR_LEFT);
    frame.floatToolbar(toolbar, {300, 300});
    EXPECT_TRUE(frame.isBarFloating(toolbar));
}

TEST_F(FrameTest, TheWindowMenuListsTheChildren)
{
    Menu* window = documentMenu.appendPopup("&Window");
    window->appendItem(ID_WINDOW_NEW, "&New Window");
    frame.setWindowMenu(window);
    docTemplate->openNewDocument(frame);
    docTemplate->openNewDocument(frame);
    ASSERT_EQ(window->entryCount(), 4);
    EXPECT_TRUE(window->isSeparator(1));
    EXPECT_EQ(window->entryText(2), "&1 Untitled1");
    EXPECT_EQ(window->entryText(3), "&2 Untitled2");
    EXPECT_EQ(window->checkState(3), 1) << "the active child is checked";
    EXPECT_EQ(window->checkState(2), 0);

    ASSERT_TRUE(frame.executeCommand(MainFrame::kFirstChildWindowCommand));
    application.processMessages();
    EXPECT_EQ(frame.activeChild()->title(), "Untitled1");
    EXPECT_EQ(window->checkState(2), 1);

    frame.activeChild()->close();
    application.processMessages();
    ASSERT_EQ(window->entryCount(), 3);
    EXPECT_EQ(window->entryText(2), "&1 Untitled2");
    frame.activeChild()->close();
    application.processMessages();
    EXPECT_EQ(window->entryCount(), 1) << "no children, no list";
}

TEST_F(FrameTest, ViewsGetMouseKeysTimersAndCapture)
{
    ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
    auto* view = static_cast<TestView*>(frame.activeView());
    application.processMessages();

    simulateMouse(view->handle(), WM_LBUTTONDOWN, {12, 7}, MK_SHIFT);
    application.processMessages();
    ASSERT_TRUE(view->saw(WM_LBUTTONDOWN));
    EXPECT_EQ(view->lastWParam & (MK_LBUTTON | MK_SHIFT), MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(pointFromLParam(view->lastLParam), (Point{12, 7}));
    simulateMouse(view->handle(), WM_LBUTTONUP, {12, 7});

    // Under capture the view hears the mouse outside it, at negative client coordinates.
    view->setCapture();
    view->messages.clear();
    simulateMouse(view->handle(), WM_MOUSEMOVE, {-30, -4});
    application.processMessages();
    ASSERT_TRUE(view->saw(WM_MOUSEMOVE));
    EXPECT_EQ(pointFromLParam(view->lastLParam), (Point{-30, -4}));
    Window::releaseCapture();

    view->messages.clear();
    ASSERT_TRUE(simulateKey(view->handle(), "A", true));
    application.processMessages();
    ASSERT_TRUE(view->saw(WM_KEYDOWN));
    EXPECT_EQ(view->lastWParam, static_cast<WParam>('A'));
    simulateKey(view->handle(), "A", false);

    // A timer per frame: the view's own.
    view->messages.clear();
    ASSERT_TRUE(view->setTimer(7, 5));
    for (int i = 0; i < 50 && !view->saw(WM_TIMER); ++i)
    {
        QTest::qWait(5);
        application.processMessages();
    }
    EXPECT_TRUE(view->saw(WM_TIMER));
    view->killTimer(7);
}

TEST_F(FrameTest, AcceleratorsLeaveEditingKeysToAFocusedEdit)
{
    int pastes = 0;
    CommandTarget app;
    app.onCommand(ID_EDIT_PASTE, [&] { ++pastes; });
    frame.setApplicationTarget(&app);
    frame.setAccelerators({{accelerator_flag::VirtualKey | accelerator_flag::Control, 'N', ID_FILE_NEW},
                           {accelerator_flag::VirtualKey | accelerator_flag::Control, 'V', ID_EDIT_PASTE}});
    ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
    View* view = frame.activeView();
    simulateKey(view->handle(), "N", true, MK_CONTROL);
    simulateKey(view->handle(), "N", false, MK_CONTROL);
    application.processMessages();
    EXPECT_EQ(frame.childFrames().size(), 2u) << "Ctrl+N made a document";
    simulateKey(frame.activeView()->handle(), "V", true, MK_CONTROL);
    application.processMessages();
    EXPECT_EQ(pastes, 1);

    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Console", WS_CHILD | WS_VISIBLE, {0, 0, 200, 300}, &frame));
    Window edit;
    ASSERT_TRUE(edit.create("Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 10, 180, 34}, &bar, 1001));
    frame.addDialogBar(bar, CBRS_ALIGN_RIGHT);
    frame.dockDialogBar(bar, IDW_DOCKBAR_RIGHT);
    edit.setFocus();
    application.processMessages();
    simulateKey(edit.handle(), "V", true, MK_CONTROL);
    application.processMessages();
    EXPECT_EQ(pastes, 1) << "the edit keeps its paste key";
    simulateKey(edit.handle(), "N", true, MK_CONTROL);
    application.processMessages();
    EXPECT_EQ(frame.childFrames().size(), 3u) << "keys that are no editing keys still reach the frame";
}

TEST_F(FrameTest, TheFrameCoversTheWorkArea)
{
    const Rect work = MainFrame::desktopWorkArea();
    EXPECT_FALSE(work.isEmpty());
    // The window system may keep a border for itself.
    const Rect shown = frame.windowRect();
    EXPECT_LE(shown.width(), work.width());
    EXPECT_GE(shown.width(), work.width() - 8);
    EXPECT_GE(shown.height(), work.height() - 40);
}

} // namespace
