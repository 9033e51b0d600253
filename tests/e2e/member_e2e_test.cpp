// The member creator in the real program: in the perspective view a triangle is drawn member by
// member with the mouse (a click on the grid starts at a new joint, each further click ends a member
// and starts the next, the last click snaps to the first joint); the saved model holds three joints
// and three members with the document's cross-section and material.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;

void clickAt(int x, int y)
{
    // The view snaps on every move: the click comes after the mouse has arrived.
    ProgramRun::xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    std::this_thread::sleep_for(200ms);
    ProgramRun::xdotool("mousemove " + std::to_string(x + 1) + " " + std::to_string(y));
    ProgramRun::xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    std::this_thread::sleep_for(200ms);
    ProgramRun::xdotool("click 1");
    std::this_thread::sleep_for(400ms);
}

// The lines of a saved model file.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The index of the line after `heading`; the line count when there is none.
size_t after(const std::vector<std::string>& lines, const std::string& heading)
{
    for (size_t index = 0; index < lines.size(); ++index)
        if (lines[index] == heading)
            return index + 1;
    return lines.size();
}

} // namespace

TEST(MemberEndToEnd, ATriangleDrawnMemberByMemberInThePerspectiveView)
{
    ProgramRun run("member_triangle");
    run.writeFile("system/plugin.cfg", "PLUGINCONFIG\r\nversion 1\r\nView Base\r\nPerspective\r\nDefault\r\n");
    run.start();
    const std::string window = run.waitForWindow("^Quorl2 beta", 30s);
    ASSERT_FALSE(window.empty()) << "no main frame";
    const std::string notice = run.waitForWindow("^Quorl2$", 10s);
    if (!notice.empty())
        run.sendKeys(notice, "Escape");
    run.waitForTitle(window, "Quorl21", 10s);
    std::this_thread::sleep_for(1500ms);

    // Create, Member makes the member creator the tool.
    run.sendKeys(window, "alt+c m");
    std::this_thread::sleep_for(500ms);
    clickAt(546, 637); // a grid point: the first joint
    clickAt(646, 637); // the first member
    clickAt(596, 537); // the second
    clickAt(546, 637); // onto the first joint: the third closes the triangle
    ProgramRun::xdotool("click 3"); // the chain ends
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "triangle.png"));

    run.sendKeys(window, "Escape alt+f s");
    const std::string dialog = run.waitForWindow("^Export$", 10s);
    ASSERT_FALSE(dialog.empty()) << "no export dialog";
    ProgramRun::xdotool("windowfocus --sync " + dialog);
    ProgramRun::xdotool("type --delay 20 '" + (run.folder() / "triangle.sfa").string() + "'");
    run.sendKeys(dialog, "Return");
    std::string saved;
    for (int attempt = 0; attempt < 100 && saved.empty(); ++attempt)
    {
        std::this_thread::sleep_for(100ms);
        saved = run.readFile("triangle.sfa");
    }
    const std::vector<std::string> lines = linesOf(saved);
    const size_t joints = after(lines, "JOINTS");
    const size_t members = after(lines, "MEMBERS");
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
