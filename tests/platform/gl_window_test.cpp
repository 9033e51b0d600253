// GL drawing on a view window reached only through its handle or a device context: the paint's
// context draws the frame into the window, a mouse handler picks on the same GL context without
// showing anything, a printed page takes the frame as an image, and no context stays current.
#include "platform/Application.h"
#include "platform/DeviceContext.h"
#include "platform/MainFrame.h"
#include "platform/GlSurface.h"
#include "platform/GlWindow.h"
#include "platform/Menu.h"
#include "platform/PaintDC.h"
#include "platform/Printing.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "tests/GlHalvesScene.h"
#include "tests/PdfText.h"
#include "tests/support/GlRequirement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace
{

using namespace platform;

constexpr std::uint32_t red = 0x0000FF;
constexpr std::uint32_t green = 0x00FF00;
constexpr std::uint32_t yellow = 0x00FFFF;
constexpr std::uint32_t blue = 0xFF0000;

// A view that draws the two halves with GL through whatever device context it is given, and picks
// at a left press through its window handle, as a plugin's view type does.
struct GlHalvesView : View
{
    std::uint32_t leftColour = red;
    std::uint32_t rightColour = green;
    GLuint lists = 0;
    WindowHandle paintedWindow = WindowHandle::None;
    bool madeCurrent = false;
    bool swapped = false;
    bool currentAfterFrame = true;
    // The last pick: by selection mode, by read-back, whether the paint's lists were there.
    GLuint selected = 0;
    GLuint readBack = 0;
    bool listsSeenInPick = false;
    bool currentAfterPick = true;

    void draw(DeviceContext& context)
    {
        paintedWindow = context.window();
        madeCurrent = makeGlCurrent(context);
        swapped = false;
        if (madeCurrent)
        {
            if (lists == 0 || !glIsList(lists))
                lists = gl_halves::makeLists();
            const Size size = clientRect().size();
            gl_halves::fillViewport(size.width, size.height);
            gl_halves::draw(lists, leftColour, rightColour);
            swapped = swapGlBuffers(context);
        }
        currentAfterFrame = isAnyGlCurrent();
    }

    void pick(int x, int y)
    {
        if (!makeGlCurrent(handle()))
            return;
        const Size size = clientRect().size();
        listsSeenInPick = lists != 0 && glIsList(lists);
        gl_halves::fillViewport(size.width, size.height);
        selected = gl_halves::selectAt(lists, x, y, size.width, size.height);
        readBack = gl_halves::readNameAt(lists, x, y, size.height);
        releaseGlCurrent();
        currentAfterPick = isAnyGlCurrent();
    }

    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override
    {
        if (message == WM_PAINT)
        {
            PaintDC context(*this);
            draw(context);
            return 0;
        }
        if (message == WM_LBUTTONDOWN)
        {
            pick(static_cast<std::int16_t>(lowWord(lParam)), static_cast<std::int16_t>(highWord(lParam)));
            return 0;
        }
        return View::windowProc(message, wParam, lParam);
    }
};

class GlWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (GlSurface probe(4, 4); !probe.makeCurrent())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << probe.error());
        releaseGlCurrent();
        documentMenu.appendPopup("&File")->appendItem(ID_FILE_NEW, "&New");
        docTemplate = std::make_unique<DocTemplate>(
            &documentMenu, ".qr2", [] { return std::make_unique<Document>(); },
            [] { return std::make_unique<ChildFrame>(); }, [] { return std::make_unique<GlHalvesView>(); });
        ASSERT_TRUE(frame.createFrame("Quorl2 beta", &documentMenu));
        frame.addDocTemplate(docTemplate.get());
        frame.show();
        ASSERT_NE(docTemplate->openNewDocument(frame), nullptr);
        application.processMessages();
        view = static_cast<GlHalvesView*>(frame.activeView());
        paint();
    }

    void paint()
    {
        view->invalidate(false);
        view->updateWindow();
    }

    std::uint32_t windowPixel(int x, int y) const { return Surface::colourOf(view->surface()->pixel(x, y)); }
    int width() const { return view->clientRect().width(); }
    int height() const { return view->clientRect().height(); }

    int argc = 1;
    char name[16] = "gl_window_test";
    char* argv[2] = {name, nullptr};
    Application application{argc, argv, "Quorl2"};
    Menu documentMenu{Menu::Kind::Bar};
    std::unique_ptr<DocTemplate> docTemplate;
    MainFrame frame;
    GlHalvesView* view = nullptr;
};

TEST_F(GlWindowTest, DeviceContextsNameTheWindowTheyDrawFor)
{
    EXPECT_EQ(view->paintedWindow, view->handle()) << "a paint's context";
    EXPECT_EQ(view->getDC()->window(), view->handle());
    EXPECT_EQ(frame.getDC()->window(), frame.handle());
    EXPECT_EQ(DeviceContext::createCompatibleDC().window(), WindowHandle::None);
    Surface image(8, 8);
    EXPECT_EQ(DeviceContext(image).window(), WindowHandle::None);

    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/gl_window_names.pdf";
    for (WindowHandle printed : {view->handle(), WindowHandle::None})
    {
        WindowHandle seen = WindowHandle{7};
        ASSERT_TRUE(printToPdfFile(path, {WindowHandle::None, PrintDialogKind::print, "names", {40, 30}, printed},
                                   [&](DeviceContext& page) { seen = page.window(); }));
        EXPECT_EQ(seen, printed) << "a printed page";
    }
    std::filesystem::remove(path);
}

TEST_F(GlWindowTest, APaintThroughItsDeviceContextShowsTheFrameInTheWindow)
{
    ASSERT_TRUE(view->madeCurrent) << glSurfaceOf(view->handle())->error();
    EXPECT_TRUE(view->swapped);
    EXPECT_FALSE(view->currentAfterFrame) << "the swap releases the context";
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red);
    EXPECT_EQ(windowPixel(3 * width() / 4, height() / 2), green);

    // The same surface as the view's own.
    EXPECT_EQ(glSurfaceOf(view->handle()), &view->glSurface());
    view->leftColour = blue;
    paint();
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), blue);
}

TEST_F(GlWindowTest, AMouseHandlerPicksOnThePaintsContextWithoutShowingAnything)
{
    ASSERT_TRUE(view->swapped);
    struct Case
    {
        int x;
        int y;
        GLuint name;
    };
    const Case cases[] = {
        {width() / 4, height() / 2, gl_halves::leftName},
        {3 * width() / 4, height() / 3, gl_halves::rightName},
        {2, height() - 3, gl_halves::leftName},
        {width() - 3, 2, gl_halves::rightName},
    };
    for (const Case& pick : cases)
    {
        view->selected = view->readBack = 0;
        view->currentAfterPick = true;
        sendMessage(view->handle(), WM_LBUTTONDOWN, MK_LBUTTON, pointToLParam({pick.x, pick.y}));
        EXPECT_TRUE(view->listsSeenInPick) << "the pick runs on the context the paint drew with";
        EXPECT_EQ(view->selected, pick.name) << "selection mode at " << pick.x << "," << pick.y;
        EXPECT_EQ(view->readBack, pick.name) << "read back at " << pick.x << "," << pick.y;
        EXPECT_FALSE(view->currentAfterPick);
    }
    // The read-back drew the names' colours into the pbuffer; the window still shows the paint.
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red);
    EXPECT_EQ(windowPixel(3 * width() / 4, height() / 2), green);
}

TEST_F(GlWindowTest, HandlesWithoutAViewWindowHaveNoGl)
{
    ChildFrame* child = frame.activeChild();
    const WindowHandle handles[] = {WindowHandle::None, frame.handle(), child->handle(), WindowHandle{0x7FFF0001}};
    for (WindowHandle handle : handles)
    {
        EXPECT_EQ(glSurfaceOf(handle), nullptr) << static_cast<std::uint64_t>(handle);
        EXPECT_FALSE(makeGlCurrent(handle));
        releaseGlSurface(handle); // does nothing
    }
    DeviceContext memory = DeviceContext::createCompatibleDC();
    EXPECT_FALSE(makeGlCurrent(memory));
    EXPECT_FALSE(swapGlBuffers(memory));
    EXPECT_FALSE(isAnyGlCurrent());

    const WindowHandle gone = view->handle();
    ASSERT_TRUE(child->close());
    application.processMessages();
    EXPECT_EQ(glSurfaceOf(gone), nullptr);
    EXPECT_FALSE(makeGlCurrent(gone));
}

TEST_F(GlWindowTest, ReleasingTheSurfaceDropsItsContextAndTheNextPaintMakesANewOne)
{
    ASSERT_TRUE(view->swapped);
    const GLuint lists = view->lists;
    releaseGlSurface(view->handle());
    ASSERT_TRUE(makeGlCurrent(view->handle()));
    EXPECT_FALSE(glIsList(lists)) << "the display lists went with the old context";
    releaseGlCurrent();
    paint();
    EXPECT_TRUE(view->swapped);
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red);
}

TEST_F(GlWindowTest, APrintedGlViewPutsItsRenderedFrameOnThePage)
{
    ASSERT_TRUE(view->swapped);
    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/gl_window_print.pdf";
    std::filesystem::remove(path);
    view->leftColour = yellow;
    view->rightColour = blue;
    const PrintRequest request{
        WindowHandle::None, PrintDialogKind::print, "GL view", {width(), height()}, view->handle()};
    bool printing = false;
    ASSERT_TRUE(printToPdfFile(path, request, [&](DeviceContext& page) {
        printing = page.isPrinting();
        view->draw(page);
    }));
    EXPECT_TRUE(printing);
    EXPECT_TRUE(view->swapped);
    EXPECT_FALSE(view->currentAfterFrame);
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red) << "printing leaves the window as it was";

    // The page's colours are 0x00RRGGBB.
    EXPECT_TRUE(pdf_test::printedHalves(path, static_cast<double>(width()) / height(), 0xFFFF00, 0x0000FF));
    std::filesystem::remove(path);
}

} // namespace
