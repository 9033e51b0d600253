// Closing an edited model in the real program: File, Close asks whether to export the changes;
// Cancel keeps the document, Yes exports it through the export dialog and closes it; with no
// edited document left, Exit ends the program without a question.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{

using namespace std::chrono_literals;

// The question's box carries the program's caption.
const std::string questionTitle = "^Quorl2$";

TEST(ClosingEndToEnd, AJointMadeThenFileCloseAsksCancelKeepsTheDocumentAndYesExportsIt)
{
    ProgramRun run("close_edited_document");
    run.makePerspectiveTheDefaultView();
    const std::string window = run.startWithFirstDocument();
    ASSERT_FALSE(window.empty()) << "no main frame";

    // Create, Joint, and a click on the grid makes a joint.
    run.sendKeys(window, "alt+c j");
    std::this_thread::sleep_for(500ms);
    ProgramRun::clickAt(546, 637);

    run.sendKeys(window, "Escape alt+f c");
    const std::string question = run.waitForWindow(questionTitle, 10s);
    ASSERT_FALSE(question.empty()) << "File, Close of the edited document asks";
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "close_question.png"));
    run.sendKeys(question, "Escape");
    for (int attempt = 0; attempt < 50 && !run.waitForWindow(questionTitle, 0s).empty(); ++attempt)
        std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(run.waitForWindow(questionTitle, 0s).empty()) << "Cancel closes the question";
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(run.waitForTitle(window, "Quorl21", 2s), "Quorl2 beta - Quorl21 - [Quorl21]")
        << "Cancel keeps the document";

    run.sendKeys(window, "alt+f c");
    const std::string asked = run.waitForWindow(questionTitle, 10s);
    ASSERT_FALSE(asked.empty()) << "the document is still edited";
    run.sendKeys(asked, "y");
    const std::string dialog = run.waitForWindow("^Export$", 10s);
    ASSERT_FALSE(dialog.empty()) << "Yes opens the export dialog";
    ProgramRun::xdotool("windowfocus --sync " + dialog);
    ProgramRun::xdotool("type --delay 20 '" + (run.folder() / "joint.sfa").string() + "'");
    run.sendKeys(dialog, "Return");
    EXPECT_EQ(run.waitForTitle(window, "^Quorl2 beta$", 10s), "Quorl2 beta") << "the exported document closes";
    EXPECT_NE(run.readFile("joint.sfa").find("JOINTS\r\n1\r\n"), std::string::npos) << run.readFile("joint.sfa");

    run.sendKeys(window, "alt+f x");
    EXPECT_EQ(run.waitForExit(20s), 0) << "nothing edited is left: Exit asks nothing";
}

} // namespace
