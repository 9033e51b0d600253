// The move modifier in the real program: the selected frame is moved and then rotated by values
// typed into the Transform Properties pagette of the console's Edit page, and the perspective
// view shows each change.
#include "ProgramRun.h"

#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;

// Where the console's Edit tab is on the 1280 x 1024 screen, and the column through its edits.
constexpr int editTabX = 1144;
constexpr int editTabY = 112;
constexpr int consoleEditColumn = 1189;
// The view lies left of the console.
constexpr int viewRight = 1000;

// How many pixels left of `right` two screenshots differ in.
int differingPixels(const std::filesystem::path& first, const std::filesystem::path& second, int right)
{
    const platform::Surface a = platform::Surface::loadImage(first.string());
    const platform::Surface b = platform::Surface::loadImage(second.string());
    if (a.width() != b.width() || a.height() != b.height() || a.width() == 0)
        return -1;
    int count = 0;
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < std::min(right, a.width()); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

// The vertical centres of the white edit boxes crossed by the console's edit column, from the
// bottom of the screen up. The Transform Properties pagette is the lowest pagette of the Edit
// page, so its nine edits come first whatever static pagettes stand above it.
std::vector<int> editCentresFromBottom(const std::filesystem::path& shot)
{
    const platform::Surface screen = platform::Surface::loadImage(shot.string());
    std::vector<int> centres;
    int runEnd = -1;
    for (int32_t y = screen.height() - 1; y >= 0; --y)
    {
        const bool white = (screen.pixel(consoleEditColumn, y) & 0xFFFFFFu) == 0xFFFFFFu;
        if (white && runEnd < 0)
            runEnd = y;
        if (!white && runEnd >= 0)
        {
            const int length = runEnd - y;
            if (length >= 10 && length <= 30)
                centres.push_back(y + 1 + length / 2);
            runEnd = -1;
        }
    }
    return centres;
}

void mouseDrag(int fromX, int fromY, int toX, int toY)
{
    ProgramRun::xdotool("mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) + " mousedown 1");
    for (int step = 1; step <= 4; ++step)
        ProgramRun::xdotool("mousemove " + std::to_string(fromX + (toX - fromX) * step / 4) + " " +
                            std::to_string(fromY + (toY - fromY) * step / 4));
    ProgramRun::xdotool("mouseup 1");
    std::this_thread::sleep_for(500ms);
}

void click(int x, int y)
{
    ProgramRun::xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    std::this_thread::sleep_for(500ms);
}

} // namespace

TEST(TransformEndToEnd, JointsMovedAndRotatedFromTheTransformPagetteShowInThePerspectiveView)
{
    ProgramRun::Options options;
    options.extraLibrary = FRAME_MODEL_LIBRARY;
    ProgramRun run("transform_pagette", options);
    run.makePerspectiveTheDefaultView();
    run.start();
    const std::string window = run.waitForWindow("^Quorl2 beta", 30s);
    ASSERT_FALSE(window.empty()) << "no main frame";
    const std::string notice = run.waitForWindow("^Quorl2$", 10s);
    if (!notice.empty())
        run.sendKeys(notice, "Escape");
    run.waitForTitle(window, "Quorl21", 10s);
    std::this_thread::sleep_for(1500ms);

    // A band over the whole frame selects it; the Edit page then shows its history.
    mouseDrag(330, 120, 980, 940);
    click(editTabX, editTabY);
    run.sendKeys(window, "alt+m m");
    std::this_thread::sleep_for(1000ms);
    std::filesystem::path last = run.folder() / "transform_move_tool.png";
    ASSERT_TRUE(ProgramRun::screenshot(last));
    const std::vector<int> edits = editCentresFromBottom(last);
    ASSERT_GE(edits.size(), 9u) << "the Transform Properties pagette shows its nine edits";
    // From the bottom: scale z, y, x, rotate z, y, x, move z, y, x.
    auto typeInto = [&](int centre, const std::string& text, const char* shotName) {
        click(consoleEditColumn, centre);
        ProgramRun::xdotool("key ctrl+a");
        ProgramRun::xdotool("type " + text);
        std::this_thread::sleep_for(1000ms);
        const std::filesystem::path shot = run.folder() / shotName;
        if (!ProgramRun::screenshot(shot))
            return -1;
        const int changed = differingPixels(last, shot, viewRight);
        last = shot;
        return changed;
    };
    EXPECT_GT(typeInto(edits[7], "20", "transform_moved.png"), 200) << "the frame moved along y";
    EXPECT_GT(typeInto(edits[3], "45", "transform_rotated.png"), 200) << "the frame turned about z";

    // The moved frame is not exported: Exit asks, and No lets it go.
    run.sendKeys(window, "Escape alt+f x");
    const std::string question = run.waitForWindow("^Quorl2$", 10s);
    ASSERT_FALSE(question.empty()) << "Exit asks about the edited model";
    run.sendKeys(question, "n");
    EXPECT_TRUE(run.waitForExit(20s).has_value());
}
