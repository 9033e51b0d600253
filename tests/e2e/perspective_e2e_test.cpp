// The perspective view in the real program: a new document shows its model (a small frame that a
// test library puts into every new document) in perspective; a left drag selects with a rubber
// band, and the pan and zoom tools move the camera with the mouse.
#include "ProgramRun.h"

#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{

using namespace std::chrono_literals;

// How many pixels of two screenshots differ.
int differingPixels(const std::filesystem::path& first, const std::filesystem::path& second)
{
    const platform::Surface a = platform::Surface::loadImage(first.string());
    const platform::Surface b = platform::Surface::loadImage(second.string());
    if (a.width() != b.width() || a.height() != b.height() || a.width() == 0)
        return -1;
    int count = 0;
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

void mouseDrag(const std::string& button, int fromX, int fromY, int toX, int toY)
{
    ProgramRun::xdotool("mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) + " mousedown " + button);
    for (int step = 1; step <= 4; ++step)
        ProgramRun::xdotool("mousemove " + std::to_string(fromX + (toX - fromX) * step / 4) + " " +
                            std::to_string(fromY + (toY - fromY) * step / 4));
    ProgramRun::xdotool("mouseup " + button);
    std::this_thread::sleep_for(500ms);
}

} // namespace

TEST(PerspectiveEndToEnd, ANewDocumentShowsItsModelInPerspectiveAndTheMouseMovesTheCamera)
{
    ProgramRun::Options options;
    options.extraLibrary = FRAME_MODEL_LIBRARY;
    ProgramRun run("perspective_view", options);
    // The perspective is the view type new windows show first.
    run.makePerspectiveTheDefaultView();
    run.start();
    const std::string window = run.waitForWindow("^Quorl2 beta", 30s);
    ASSERT_FALSE(window.empty()) << "no main frame";
    const std::string notice = run.waitForWindow("^Quorl2$", 10s);
    if (!notice.empty())
        run.sendKeys(notice, "Escape");
    run.waitForTitle(window, "Quorl21", 10s);
    std::this_thread::sleep_for(1500ms);
    // Each step's screenshot, and how many pixels it changed.
    std::filesystem::path last = run.folder() / "perspective_document.png";
    ASSERT_TRUE(ProgramRun::screenshot(last));
    auto changedPixels = [&](const char* name) {
        const std::filesystem::path shot = run.folder() / name;
        if (!ProgramRun::screenshot(shot))
            return -1;
        const int changed = differingPixels(last, shot);
        last = shot;
        return changed;
    };

    // A band dragged to the left over the middle of the window touches members and selects them.
    mouseDrag("1", 700, 560, 560, 420);
    EXPECT_GT(changedPixels("perspective_selected.png"), 0) << "the selection shows";

    // The zoom tool from the View menu: dragging down enlarges the picture.
    run.sendKeys(window, "alt+v z");
    std::this_thread::sleep_for(300ms);
    mouseDrag("1", 640, 400, 640, 480);
    EXPECT_GT(changedPixels("perspective_zoomed.png"), 1000) << "the camera zoomed";

    // The same window switched to the document status view lists the document's internals.
    run.sendKeys(window, "alt+v t d");
    std::this_thread::sleep_for(500ms);
    EXPECT_GT(changedPixels("status_view.png"), 1000) << "the status view shows";

    run.sendKeys(window, "Escape alt+f x");
    EXPECT_TRUE(run.waitForExit(20s).has_value());
}
