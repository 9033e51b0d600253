// On a real X server: an MDI frame with two child frames, each with a GL view, as a person sees
// and drives it. The screenshots are written beside the test for a person to look at.
#include "platform/Application.h"
#include "platform/DialogBar.h"
#include "platform/MainFrame.h"
#include "platform/GlSurface.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/Toolbar.h"
#include "tests/support/GlRequirement.h"

#include <GL/gl.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace platform;

// Each view fills itself with its colour and draws a stippled white vertical line from the top
// down through its middle: on for 4 pixels, off for 4.
struct GlTestView : View
{
    float red = 0.0f;
    float green = 0.0f;
    std::vector<std::uint32_t> mousePresses;
    std::vector<std::uint32_t> keys;

    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override
    {
        switch (message)
        {
        case WM_PAINT: {
            GlSurface& gl = glSurface();
            if (!gl.makeCurrent())
                return 0;
            const int width = gl.width();
            const int height = gl.height();
            glViewport(0, 0, width, height);
            glClearColor(red, green, 0.2f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, width, height, 0, -1, 1);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glEnable(GL_LINE_STIPPLE);
            glLineStipple(4, 0xAAAA);
            glColor3f(1.0f, 1.0f, 1.0f);
            glBegin(GL_LINES);
            glVertex2f(width / 2 + 0.5f, 0.0f);
            glVertex2f(width / 2 + 0.5f, static_cast<float>(height));
            glEnd();
            glDisable(GL_LINE_STIPPLE);
            gl.swapBuffers();
            return 0;
        }
        case WM_LBUTTONDOWN:
            mousePresses.push_back(message);
            break;
        case WM_KEYDOWN:
            keys.push_back(static_cast<std::uint32_t>(wParam));
            break;
        default:
            break;
        }
        return View::windowProc(message, wParam, lParam);
    }
};

std::string outputPath(const std::string& name)
{
    return std::string(VORN_TEST_BINARY_DIR) + "/" + name;
}

class MdiGlViews : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            VORN_WITHOUT_GL("no X server (DISPLAY is unset)");
        application = std::make_unique<Application>(argc, argv, "Quorl2");
        documentMenu.appendPopup("&File")->appendItem(ID_FILE_NEW, "&New\tCtrl+N");
        docTemplate = std::make_unique<DocTemplate>(
            &documentMenu, ".qr2", [] { return std::make_unique<Document>(); },
            [] { return std::make_unique<ChildFrame>(); }, [] { return std::make_unique<GlTestView>(); });
        frame = std::make_unique<MainFrame>();
        ASSERT_TRUE(frame->createFrame("Quorl2 beta", &documentMenu));
        frame->addDocTemplate(docTemplate.get());
        // A toolbar at the top: three coloured pictures on magenta, a separator after the first.
        Surface strip(48, 16, 0xFF00FF);
        const std::uint32_t colours[] = {0x0000FF, 0x00C000, 0xFF0000};
        for (int i = 0; i < 3; ++i)
            strip.fillRect({i * 16 + 2, 2, i * 16 + 14, 14}, colours[i]);
        images.add(strip, 0xFF00FF);
        ASSERT_TRUE(toolbar.create(WS_VISIBLE, {0, 0, 100, 22}, frame.get(), 0xE800));
        toolbar.setWindowText("Standard Toolbar");
        toolbar.setImageList(&images);
        ToolbarButton buttons[4];
        for (int i = 0; i < 4; ++i)
        {
            buttons[i].imageIndex = i == 1 ? -1 : (i == 0 ? 0 : i - 1);
            buttons[i].commandId = i == 1 ? 0 : 32770 + i;
            buttons[i].state = TBSTATE_ENABLED;
            buttons[i].style = i == 1 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
        }
        toolbar.addButtons(buttons, 4);
        frame->addToolbar(toolbar, CBRS_ALIGN_ANY);
        frame->dockToolbar(toolbar, IDW_DOCKBAR_TOP);
        frame->show();
        ASSERT_NE(docTemplate->openNewDocument(*frame), nullptr);
        first = frame->activeChild();
        ASSERT_NE(docTemplate->openNewDocument(*frame), nullptr);
        second = frame->activeChild();
        views[0] = static_cast<GlTestView*>(first->view());
        views[1] = static_cast<GlTestView*>(second->view());
        views[0]->red = 0.8f;
        views[1]->green = 0.8f;
        frame->tile();
        settle(600);
    }

    void TearDown() override
    {
        toolbar.destroyWindow();
        frame.reset();
        docTemplate.reset();
    }

    // Lets the X server and the toolkit catch up: events, paints, idle.
    void settle(int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
        {
            application->processMessages();
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    static void xdotool(const std::string& arguments)
    {
        const std::string command = "xdotool " + arguments;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    Point centreOnScreen(View* view)
    {
        const Rect client = view->clientRect();
        return view->clientToScreen(Point{client.width() / 2 - 20, client.height() / 2});
    }

    void clickAt(Point screen)
    {
        xdotool("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) + " click 1");
    }

    Surface screenshot(const std::string& name)
    {
        const std::string path = outputPath(name);
        const std::string command = "import -window root " + path;
        if (std::system(command.c_str()) != 0)
        {
            // Without ImageMagick, Qt grabs the screen.
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(path));
        }
        return Surface::loadImage(path);
    }

    int argc = 1;
    char name[16] = "e2e";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<Application> application;
    Menu documentMenu{Menu::Kind::Bar};
    std::unique_ptr<DocTemplate> docTemplate;
    std::unique_ptr<MainFrame> frame;
    ImageList images{{16, 16}};
    Toolbar toolbar;
    ChildFrame* first = nullptr;
    ChildFrame* second = nullptr;
    GlTestView* views[2] = {nullptr, nullptr};
};

TEST_F(MdiGlViews, BothViewsShowTheirFramesWithACompleteStippledLine)
{
    const Surface shot = screenshot("mdi_gl_views.png");
    ASSERT_FALSE(shot.isEmpty());
    const std::uint32_t expected[2] = {0x3300CC, 0x33CC00};
    for (int i = 0; i < 2; ++i)
    {
        const Rect client = views[i]->clientRect();
        ASSERT_GT(client.height(), 40);
        const Point topLeft = views[i]->clientToScreen(Point{0, 0});
        const std::uint32_t fill = shot.pixel(topLeft.x + client.width() / 4, topLeft.y + client.height() / 2);
        EXPECT_NEAR(static_cast<int>(fill & 0xFF), static_cast<int>(expected[i] & 0xFF), 2) << "view " << i;
        EXPECT_NEAR(static_cast<int>((fill >> 8) & 0xFF), static_cast<int>((expected[i] >> 8) & 0xFF), 2)
            << "view " << i;
        // The line: every dash of 4 lit pixels, with gaps of 4, all the way down.
        const int x = topLeft.x + client.width() / 2;
        int lit = 0;
        int longestGap = 0;
        int gap = 0;
        for (int y = 0; y < client.height(); ++y)
        {
            if (shot.pixel(x, topLeft.y + y) == 0xFFFFFFu)
            {
                ++lit;
                gap = 0;
            }
            else
            {
                longestGap = std::max(longestGap, ++gap);
            }
        }
        EXPECT_NEAR(lit, client.height() / 2, 4) << "view " << i;
        EXPECT_LE(longestGap, 5) << "view " << i;
    }
}

TEST_F(MdiGlViews, ClickingTheInactiveViewActivatesItAndKeysFollow)
{
    ASSERT_EQ(frame->activeChild(), second);
    clickAt(centreOnScreen(views[0]));
    settle(300);
    EXPECT_EQ(frame->activeChild(), first);
    EXPECT_EQ(views[0]->mousePresses.size(), 1u);

    xdotool("key a");
    settle(200);
    EXPECT_EQ(views[0]->keys, (std::vector<std::uint32_t>{'A'}));
    EXPECT_TRUE(views[1]->keys.empty());

    clickAt(centreOnScreen(views[1]));
    settle(300);
    EXPECT_EQ(frame->activeChild(), second);
    xdotool("key b");
    settle(200);
    EXPECT_EQ(views[1]->keys, (std::vector<std::uint32_t>{'B'}));
}

TEST_F(MdiGlViews, AModalMessageBoxBlocksTheViews)
{
    ASSERT_EQ(frame->activeChild(), second);
    const Point onFirst = centreOnScreen(views[0]);
    bool clickedWhileModal = false;
    QTimer::singleShot(500, [&] {
        clickAt(onFirst);
        xdotool("key c");
        settle(300);
        screenshot("mdi_gl_views_modal_box.png");
        clickedWhileModal = true;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    messageBox(frame->handle(), "The views wait.", "Quorl2 beta", MB_OK);
    ASSERT_TRUE(clickedWhileModal);
    settle(200);
    EXPECT_TRUE(views[0]->mousePresses.empty());
    EXPECT_TRUE(views[0]->keys.empty());
    EXPECT_EQ(frame->activeChild(), second);
}

} // namespace

namespace
{

TEST_F(MdiGlViews, AcceleratorsRunCommandsButLeaveEditingKeysToAFocusedEdit)
{
    int pastes = 0;
    frame->onCommand(ID_EDIT_PASTE, [&] { ++pastes; });
    frame->setAccelerators({{accelerator_flag::VirtualKey | accelerator_flag::Control, 'N', ID_FILE_NEW},
                            {accelerator_flag::VirtualKey | accelerator_flag::Control, 'V', ID_EDIT_PASTE}});
    // A dialog bar docked at the right with an edit field in it.
    DialogBar bar;
    ASSERT_TRUE(bar.create("#32770", "Console", WS_CHILD | WS_VISIBLE, {0, 0, 200, 300}, frame.get()));
    Window edit;
    ASSERT_TRUE(edit.create("Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, {10, 10, 180, 34}, &bar, 1001));
    frame->addDialogBar(bar, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    frame->dockDialogBar(bar, IDW_DOCKBAR_RIGHT);
    settle(400);

    // With a view in front, Ctrl+V is the frame's paste and Ctrl+N makes a new document.
    clickAt(centreOnScreen(views[1]));
    settle(200);
    xdotool("key ctrl+v");
    settle(200);
    EXPECT_EQ(pastes, 1);
    xdotool("key ctrl+n");
    settle(400);
    EXPECT_EQ(frame->childFrames().size(), 3u);

    // In the edit field Ctrl+V is the field's own key; the frame's paste does not run.
    clickAt(edit.clientToScreen(Point{20, 10}));
    settle(200);
    xdotool("type abc");
    xdotool("key ctrl+v");
    settle(300);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(edit.windowText(), "abc");
    screenshot("mdi_gl_views_dialog_bar.png");
}

} // namespace
