// The program from start to close, on an X server: start-up in its run folder, the main frame
// with its menus, toolbars and the main console, a new document window, the plugin configuration
// written at close, and the start-up's answers to a missing or broken configuration and to a
// missing plugin folder.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;

const std::string mainTitle = "^Quorl2 beta";

// The real libraries and the test's own plugins.
ProgramRun::Options withPlugins()
{
    ProgramRun::Options options;
    options.extraLibrary = E2E_PLUGINS;
    return options;
}

// Width and height of a window, from xdotool.
std::pair<int, int> windowSize(const std::string& window)
{
    std::string geometry = ProgramRun::xdotool("getwindowgeometry " + window);
    std::smatch match;
    if (std::regex_search(geometry, match, std::regex("Geometry: ([0-9]+)x([0-9]+)")))
        return {std::stoi(match[1]), std::stoi(match[2])};
    return {0, 0};
}

std::pair<int, int> screenSize()
{
    std::string geometry = ProgramRun::xdotool("getdisplaygeometry");
    std::istringstream values(geometry);
    int width = 0, height = 0;
    values >> width >> height;
    return {width, height};
}

// The height of the popup menu that the keys open (the tallest window that appears), 0 when none.
int popupHeightAfter(ProgramRun& run, const std::string& window, const std::string& keys)
{
    const std::string before = ProgramRun::mappedWindows();
    run.sendKeys(window, keys);
    const std::string after = ProgramRun::mappedWindows();
    int tallest = 0;
    std::istringstream lines(after);
    std::string line;
    const std::regex sized("^\\s*(0x[0-9a-f]+) .*\\) +([0-9]+)x([0-9]+)\\+");
    while (std::getline(lines, line))
    {
        std::smatch match;
        if (std::regex_search(line, match, sized) && before.find(match[1].str() + " ") == std::string::npos)
            tallest = std::max(tallest, std::stoi(match[3]));
    }
    return tallest;
}

// The main frame, once the start-up's beta notice has been closed.
std::string mainFrameAfterBetaNotice(ProgramRun& run)
{
    const std::string frame = run.waitForWindow(mainTitle, 30s);
    const std::string notice = run.waitForWindow("^Quorl2$", 10s);
    if (!notice.empty())
        run.sendKeys(notice, "Escape");
    return frame;
}

// The colours of the screen's pixels in a rectangle, row by row.
std::vector<std::string> pixelColours(int left, int top, int width, int height)
{
    std::istringstream pixels(runCommand("import -window root -crop " + std::to_string(width) + "x" +
                                         std::to_string(height) + "+" + std::to_string(left) + "+" +
                                         std::to_string(top) + " txt:- 2>/dev/null"));
    std::vector<std::string> colours;
    std::string line;
    while (std::getline(pixels, line))
        if (!line.empty() && line[0] != '#')
        {
            const size_t hash = line.find('#');
            colours.push_back(hash == std::string::npos ? line : line.substr(hash, 7));
        }
    return colours;
}

// How many pixels of two pictures of one rectangle differ.
int differingPixels(const std::vector<std::string>& first, const std::vector<std::string>& second)
{
    int differing = std::abs(static_cast<int>(first.size()) - static_cast<int>(second.size()));
    for (size_t index = 0; index < std::min(first.size(), second.size()); ++index)
        differing += first[index] != second[index] ? 1 : 0;
    return differing;
}

// Closes the program through File, Exit, the same path as the close box.
void exitThroughMenu(ProgramRun& run, const std::string& window)
{
    run.sendKeys(window, "Escape alt+f x");
}

TEST(HostEndToEnd, StartsMaximisedWithADocumentAndWritesConfigurationAtClose)
{
    ProgramRun run("start_new_close", withPlugins());
    // An entry that changes nothing: the file written at close no longer has it.
    run.writeFile("system/plugin.cfg", "PLUGINCONFIG\r\nversion 1\r\nCalculator\r\nE2E Iterator\r\nUnchanged\r\n");
    run.start();
    const std::string window = mainFrameAfterBetaNotice(run);
    ASSERT_FALSE(window.empty()) << "no main frame";
    EXPECT_TRUE(std::regex_search(run.waitForTitle(window, "Quorl21", 10s), std::regex("^Quorl2 beta - .*Quorl21")))
        << "an empty command line opens a new document";
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(windowSize(window), screenSize()) << "maximised";

    const int documentFileMenu = popupHeightAfter(run, window, "alt+f");
    run.sendKeys(window, "Escape Escape");
    run.sendKeys(window, "alt+f c");
    EXPECT_EQ(run.waitForTitle(window, "^Quorl2 beta$", 10s), "Quorl2 beta") << "File, Close closes the document";
    const int noDocumentFileMenu = popupHeightAfter(run, window, "alt+f");
    ProgramRun::screenshot(run.folder() / "no_document_file_menu.png");
    run.sendKeys(window, "Escape Escape");
    EXPECT_GT(noDocumentFileMenu, 0) << "the no-document menu has a File popup";
    EXPECT_GT(documentFileMenu, noDocumentFileMenu) << "the document menu's File popup has more entries";

    run.sendKeys(window, "ctrl+n");
    EXPECT_TRUE(std::regex_search(run.waitForTitle(window, "Quorl22", 10s), std::regex("^Quorl2 beta - .*Quorl22")))
        << "New opens a document window";
    // "&Calculate\&Method\&E2E Iteration" turned the document menu's "&Method" into a popup.
    const int methodPopup = popupHeightAfter(run, window, "alt+a m");
    EXPECT_GT(methodPopup, 0);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "main_frame_with_document.png"));
    run.sendKeys(window, "Escape Escape Escape");

    exitThroughMenu(run, window);
    ASSERT_EQ(run.waitForExit(20s), 0) << "Exit ends the program";
    EXPECT_EQ(run.readFile("system/plugin.cfg"), "PLUGINCONFIG\r\nversion 1\r\n")
        << "no plugin is disabled or a chosen default";
}

// How many pixels of the area (x, y, width, height) of a screenshot have the colour ("#0000FF"),
// counted by ImageMagick.
int pixelsOfColour(const std::filesystem::path& png, int x, int y, int width, int height, const std::string& colour)
{
    const std::string command = "convert '" + png.string() + "' -crop " + std::to_string(width) + "x" +
        std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y) +
        " +repage -format %c histogram:info:- 2>/dev/null";
    std::istringstream lines(runCommand(command));
    std::string line;
    while (std::getline(lines, line))
        if (line.find(colour + " ") != std::string::npos)
            return std::stoi(line);
    return 0;
}

TEST(HostEndToEnd, TheMainConsoleIsDockedAtTheRightAndToolsShowsAndHidesIt)
{
    ProgramRun run("main_console");
    run.start();
    const std::string window = mainFrameAfterBetaNotice(run);
    ASSERT_FALSE(window.empty()) << "no main frame";
    std::this_thread::sleep_for(1s);
    const auto [width, height] = screenSize();
    // The tab pictures hold pure blue; the top of the document view beside them does not.
    auto blueAtRight = [&](const char* name) {
        const std::filesystem::path shot = run.folder() / name;
        EXPECT_TRUE(ProgramRun::screenshot(shot));
        return pixelsOfColour(shot, width * 3 / 4, 60, width / 4, 100, "#0000FF");
    };
    EXPECT_GT(blueAtRight("console_shown.png"), 0) << "the console's tabs stand at the right edge";
    run.sendKeys(window, "alt+t t c");
    EXPECT_EQ(blueAtRight("console_hidden.png"), 0) << "Tools, Toolbars, Main Console hides it";
    run.sendKeys(window, "alt+t t c");
    EXPECT_GT(blueAtRight("console_shown_again.png"), 0) << "and shows it again";
    exitThroughMenu(run, window);
    EXPECT_EQ(run.waitForExit(20s), 0);
}

TEST(HostEndToEnd, ConfiguredPluginsAreWrittenBackAtClose)
{
    ProgramRun run("configured_plugins", withPlugins());
    // Written as no close writes it (LF line ends, another order), so only a written file matches.
    run.writeFile("system/plugin.cfg",
                  "PLUGINCONFIG\nversion 1\n"
                  "Calculator\nE2E Iterator\nDefault\n"
                  "File Import\nE2E Format\nDisabled\n");
    run.start();
    const std::string window = mainFrameAfterBetaNotice(run);
    ASSERT_FALSE(window.empty());
    std::this_thread::sleep_for(1s);
    exitThroughMenu(run, window);
    ASSERT_EQ(run.waitForExit(20s), 0);
    // Types in registration order, CR LF line ends.
    EXPECT_EQ(run.readFile("system/plugin.cfg"),
              "PLUGINCONFIG\r\nversion 1\r\n"
              "File Import\r\nE2E Format\r\nDisabled\r\n"
              "Calculator\r\nE2E Iterator\r\nDefault\r\n");
}

TEST(HostEndToEnd, TheToolbarsMenuHidesAndShowsAPluginToolbar)
{
    ProgramRun run("toolbars_menu");
    run.start();
    const std::string window = mainFrameAfterBetaNotice(run);
    ASSERT_FALSE(window.empty());
    run.waitForTitle(window, "Quorl21", 10s);
    std::this_thread::sleep_for(1s);
    // "Main Options" starts docked at the left, below the standard toolbar; hidden, the document
    // window takes its place.
    // The bar stands at the left side, its buttons one under the other.
    const auto mainOptionsStrip = [] { return pixelColours(0, 80, 24, 250); };
    const std::vector<std::string> shown = mainOptionsStrip();
    ASSERT_EQ(shown.size(), 6000u);

    run.sendKeys(window, "alt+t t o");
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "main_options_hidden.png"));
    EXPECT_GT(differingPixels(mainOptionsStrip(), shown), 3000) << "Tools, Toolbars, Main Options hides the bar";

    run.sendKeys(window, "alt+t t o");
    std::this_thread::sleep_for(500ms);
    EXPECT_LT(differingPixels(mainOptionsStrip(), shown), 600) << "and shows it again";

    exitThroughMenu(run, window);
    ASSERT_EQ(run.waitForExit(20s), 0);
}

struct BrokenConfiguration
{
    const char* name;
    const char* contents; // null: no file
};

TEST(HostEndToEnd, MissingOrBrokenConfigurationStillStarts)
{
    const BrokenConfiguration cases[] = {
        {"missing_configuration", nullptr},
        {"corrupted_configuration", "PLUGINCONF\r\nversion 1\r\n"},
        {"truncated_configuration", "PLUGINCONFIG\r\nversion 1\r\nCalculator\r\n"},
        {"newer_configuration", "PLUGINCONFIG\r\nversion 2\r\nCalculator\r\nE2E Iterator\r\nDefault\r\n"},
    };
    for (const BrokenConfiguration& c : cases)
    {
        SCOPED_TRACE(c.name);
        ProgramRun run(c.name, withPlugins());
        if (c.contents != nullptr)
            run.writeFile("system/plugin.cfg", c.contents);
        run.start();
        const std::string window = mainFrameAfterBetaNotice(run);
        ASSERT_FALSE(window.empty()) << "the program starts all the same";
        std::this_thread::sleep_for(500ms);
        exitThroughMenu(run, window);
        ASSERT_EQ(run.waitForExit(20s), 0);
        EXPECT_EQ(run.readFile("system/plugin.cfg"), "PLUGINCONFIG\r\nversion 1\r\n")
            << "a good file replaces the broken one";
        if (c.contents != nullptr)
        {
            EXPECT_EQ(run.readFile("system/plugin.cfg.bak"), c.contents) << "the refused file is kept";
        }
    }
}

TEST(HostEndToEnd, NoPluginLibraryShowsTheFatalMessageAndEnds)
{
    ProgramRun::Options none;
    none.withPluginLibraries = false;
    ProgramRun run("no_plugin_library", none);
    run.start();
    const std::string box = run.waitForWindow("^FATAL ERROR:$", 20s);
    ASSERT_FALSE(box.empty()) << "the fatal message is shown";
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "fatal_message.png"));
    EXPECT_TRUE(run.waitForWindow("^Quorl2 beta", 0s).empty()) << "no main frame";
    run.sendKeys(box, "Return");
    std::optional<int> exitCode = run.waitForExit(10s);
    ASSERT_TRUE(exitCode.has_value()) << "the program ends";
    EXPECT_NE(*exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(run.folder() / "system/plugin.cfg"));
}

} // namespace

namespace
{

// Types a file name into the file dialog of that title and confirms it.
void chooseFileInDialog(ProgramRun& run, const std::string& title, const std::string& path)
{
    const std::string dialog = run.waitForWindow(title, 10s);
    ASSERT_FALSE(dialog.empty()) << "no dialog " << title;
    ProgramRun::xdotool("windowfocus --sync " + dialog);
    ProgramRun::xdotool("type --delay 20 '" + path + "'");
    run.sendKeys(dialog, "Return");
}

// Waits until the file exists and has stopped growing; its contents.
std::string waitForFile(ProgramRun& run, const std::filesystem::path& relative)
{
    for (int attempt = 0; attempt < 100 && run.readFile(relative).empty(); ++attempt)
        std::this_thread::sleep_for(100ms);
    return run.readFile(relative);
}

} // namespace

TEST(HostEndToEnd, SavesAndOpensAModelThroughTheFileDialogs)
{
    ProgramRun run("model_file_save_open");
    run.start();
    const std::string window = mainFrameAfterBetaNotice(run);
    ASSERT_FALSE(window.empty()) << "no main frame";
    run.waitForTitle(window, "Quorl21", 10s);
    std::this_thread::sleep_for(1s);

    // File, Save writes the new document: its default material and cross-section.
    run.sendKeys(window, "alt+f s");
    chooseFileInDialog(run, "^Export$", (run.folder() / "new.sfa").string());
    const std::string saved = waitForFile(run, "new.sfa");
    ASSERT_EQ(std::count(saved.begin(), saved.end(), '\n'), 36) << saved;

    // A model with joints, a member and a force, opened into the document.
    const std::string empty = "JOINTS\r\n0\r\nMEMBERS\r\n0\r\nFORCEDEFINITIONS\r\n0\r\nFORCEINSTANCES\r\n0\r\n";
    const std::size_t at = saved.find(empty);
    ASSERT_NE(at, std::string::npos);
    const std::string model = saved.substr(0, at) +
        "JOINTS\r\n2\r\nBase\r\n8454016\r\n0e+00\r\n0e+00\r\n0e+00\r\n63\r\n"
        "Top\r\n8454016\r\n1.5e+00\r\n-2e+00\r\n0e+00\r\n192\r\n"
        "MEMBERS\r\n1\r\nColumn\r\n8454016\r\n0\r\n1\r\n0\r\n0\r\n2.5e+00\r\n3e+01\r\n"
        "FORCEDEFINITIONS\r\n1\r\nLoad\r\n255\r\n0e+00\r\n0e+00\r\n-1e+04\r\n"
        "FORCEINSTANCES\r\n1\r\nF1\r\n255\r\n0\r\n1\r\n";
    run.writeFile("model.sfa", model);
    run.sendKeys(window, "alt+f o");
    chooseFileInDialog(run, "^Import$", (run.folder() / "model.sfa").string());
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "after_open.png"));

    // Saved again, the document gives the file it was opened from.
    run.sendKeys(window, "alt+f s");
    chooseFileInDialog(run, "^Export$", (run.folder() / "again.sfa").string());
    EXPECT_EQ(waitForFile(run, "again.sfa"), model);
    EXPECT_TRUE(ProgramRun::screenshot(run.folder() / "after_save.png"));

    exitThroughMenu(run, window);
    EXPECT_EQ(run.waitForExit(20s), 0);
}
