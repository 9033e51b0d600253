// The joint creator in the real program: after the mouse has hovered the perspective view, which
// makes the Coordinates pagette follow it, the pagette's edits take typing again once the mouse is
// on the console; a Y typed there and CREATE make a joint at that Y.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;

// Where the console's controls are on the 1280 x 1024 screen.
constexpr int jointToolX = 1093; // the joint creator's button of the Create page
constexpr int jointToolY = 142;
constexpr int coordinateEditX = 1188; // the Coordinates pagette's Y edit
constexpr int coordinateYEditY = 265;
constexpr int createButtonX = 1173;
constexpr int createButtonY = 486;

} // namespace

TEST(JointEndToEnd, AYTypedAfterHoveringTheViewMakesTheJointThere)
{
    ProgramRun run("joint_typed_after_hover");
    run.makePerspectiveTheDefaultView();
    const std::string window = run.startWithFirstDocument();
    ASSERT_FALSE(window.empty()) << "no main frame";

    ProgramRun::clickAt(jointToolX, jointToolY);
    // Over the view the pagette shows where the mouse points.
    for (int step = 0; step < 4; ++step)
        ProgramRun::moveMouseTo(546 + 20 * step, 637);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "hovering.png"));
    // Off to the console, straight into the Y edit.
    ProgramRun::moveMouseTo(1100, 700);
    ProgramRun::clickAt(coordinateEditX, coordinateYEditY);
    ProgramRun::xdotool("key ctrl+a");
    ProgramRun::xdotool("type 2.5");
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "typed.png"));
    ProgramRun::clickAt(createButtonX, createButtonY);

    const std::string saved = run.exportModel(window, "joint.sfa");
    ASSERT_FALSE(saved.empty()) << "nothing exported";
    const std::vector<std::string> lines = linesOf(saved);
    const size_t joints = lineAfter(lines, "JOINTS");
    ASSERT_LT(joints + 6, lines.size()) << saved;
    ASSERT_EQ(lines[joints], "1") << saved;
    // The joint: name, colour, x, y, z, support flags.
    EXPECT_EQ(std::stod(lines[joints + 4]), 2.5) << saved;

    run.sendKeys(window, "alt+f x");
    EXPECT_TRUE(run.waitForExit(20s).has_value());
}
