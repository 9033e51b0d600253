// The member creator in the real program: in the perspective view a triangle is drawn member by
// member with the mouse (a click on the grid starts at a new joint, each further click ends a member
// and starts the next, the last click snaps to the first joint); the saved model holds three joints
// and three members with the document's cross-section and material.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(MemberEndToEnd, ATriangleDrawnMemberByMemberInThePerspectiveView)
{
    ProgramRun run("member_triangle");
    run.makePerspectiveTheDefaultView();
    const std::string window = run.startWithFirstDocument();
    ASSERT_FALSE(window.empty()) << "no main frame";

    // Create, Member makes the member creator the tool.
    run.sendKeys(window, "alt+c m");
    std::this_thread::sleep_for(500ms);
    ProgramRun::clickAt(546, 637); // a grid point: the first joint
    ProgramRun::clickAt(646, 637); // the first member
    ProgramRun::clickAt(596, 537); // the second
    ProgramRun::clickAt(546, 637); // onto the first joint: the third closes the triangle
    ProgramRun::xdotool("click 3"); // the chain ends
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "triangle.png"));

    const std::string saved = run.exportModel(window, "triangle.sfa");
    ASSERT_FALSE(saved.empty()) << "nothing exported";
    const std::vector<std::string> lines = linesOf(saved);
    const size_t joints = lineAfter(lines, "JOINTS");
    const size_t members = lineAfter(lines, "MEMBERS");
    ASSERT_LT(members, lines.size()) << saved;
    EXPECT_EQ(lines[joints], "3") << saved;
    ASSERT_EQ(lines[members], "3") << saved;
    // Each member: name, colour, start and end joint, material, cross-section, length, angle.
    std::vector<std::string> ends;
    for (size_t member = 0; member < 3; ++member)
    {
        const size_t first = members + 1 + member * 8;
        ASSERT_LT(first + 7, lines.size());
        EXPECT_EQ(lines[first], "Member00" + std::to_string(member));
        ends.push_back(lines[first + 2] + "-" + lines[first + 3]);
        EXPECT_EQ(lines[first + 4], "0") << "the document's material";
        EXPECT_EQ(lines[first + 5], "0") << "the document's cross-section";
    }
    EXPECT_EQ(ends, (std::vector<std::string>{"0-1", "1-2", "2-0"}));

    run.sendKeys(window, "alt+f x");
    EXPECT_TRUE(run.waitForExit(20s).has_value());
}
