#pragma once

// One run of the real program for an end-to-end test: a fresh run folder beside the test, the
// program started in it on the test's X display, and the X tools that drive and photograph it.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class ProgramRun
{
public:
    struct Options
    {
        bool withPluginLibraries = true; // false: an empty "_W2K_system" folder
        std::string extraLibrary; // a further plugin library put beside the real ones
    };

    // Makes the folder "<test binary dir>/<name>" afresh: the program and the plugin folder are
    // links into the build's run folder, "system" and "doc" are copies.
    explicit ProgramRun(const std::string& name, Options options);
    explicit ProgramRun(const std::string& name) : ProgramRun(name, Options{}) {}
    // Kills the program if it still runs.
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    const std::filesystem::path& folder() const { return folder_; }

    // Starts the program in its folder on the X platform.
    void start();
    // Starts the program, dismisses its welcome notice and waits for the first document; the
    // main frame's X id, empty when it did not appear.
    std::string startWithFirstDocument();
    bool isRunning();
    // Waits until the program ended; its exit code, or nothing when it still runs after `timeout`.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

    // The X id of a visible window whose title matches the regular expression, waiting for it up
    // to `timeout`; empty when none appeared.
    std::string waitForWindow(const std::string& titlePattern, std::chrono::milliseconds timeout);
    // Waits until the window's title matches; the last title seen.
    std::string waitForTitle(const std::string& window, const std::string& titlePattern,
                             std::chrono::milliseconds timeout);
    // Runs xdotool with the arguments; its output.
    static std::string xdotool(const std::string& arguments);
    // Moves the mouse to the screen point and lets the program take the move.
    static void moveMouseTo(int x, int y);
    // A left click at the screen point, after the mouse has arrived there (views snap on every
    // move, so the click must not come with the move).
    static void clickAt(int x, int y);
    // Keys as xdotool names them ("ctrl+n", "alt+f", "Return"), typed into the window.
    void sendKeys(const std::string& window, const std::string& keys);
    // The screen as a PNG file; true when written.
    static bool screenshot(const std::filesystem::path& path);
    // The windows that are mapped on the screen (X ids), read with xwininfo.
    static std::string mappedWindows();

    // Saves the active document through File > Export as `fileName` in the run folder; the saved
    // text, empty when nothing was written within a few seconds.
    std::string exportModel(const std::string& window, const std::string& fileName);

    // Reads a file of the run folder; empty when it does not exist.
    std::string readFile(const std::filesystem::path& relative) const;
    void writeFile(const std::filesystem::path& relative, const std::string& contents) const;
    // Writes a plugin configuration that makes the perspective view the default view type.
    void makePerspectiveTheDefaultView() const;

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Runs a shell command; its standard output.
std::string runCommand(const std::string& command);

// The lines of a saved model file, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
// The index of the line after `heading`; the line count when there is none.
size_t lineAfter(const std::vector<std::string>& lines, const std::string& heading);
