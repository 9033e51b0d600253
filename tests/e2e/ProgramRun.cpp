#include "ProgramRun.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

std::string runCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    std::array<char, 4096> buffer;
    size_t read;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), read);
    pclose(pipe);
    return output;
}

ProgramRun::ProgramRun(const std::string& name, Options options) : folder_(fs::path(VORN_TEST_BINARY_DIR) / name)
{
    const fs::path run(VORN_RUN_DIR);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::create_symlink(run / "VornInterface", folder_ / "VornInterface");
    fs::create_directory(folder_ / "_W2K_system");
    if (options.withPluginLibraries)
    {
        for (const auto& library : fs::directory_iterator(run / "_W2K_system"))
            fs::create_symlink(library.path(), folder_ / "_W2K_system" / library.path().filename());
        if (!options.extraLibrary.empty())
            fs::create_symlink(options.extraLibrary,
                               folder_ / "_W2K_system" / fs::path(options.extraLibrary).filename());
    }
    fs::create_directory(folder_ / "system");
    for (const char* copied : {"system", "doc"})
    {
        if (fs::exists(run / copied))
            fs::copy(run / copied, folder_ / copied,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    fs::remove(folder_ / "system" / "plugin.cfg");
}

ProgramRun::~ProgramRun()
{
    if (pid_ > 0 && !exitCode_)
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void ProgramRun::start()
{
    pid_ = fork();
    if (pid_ == 0)
    {
        if (chdir(folder_.c_str()) != 0)
            _exit(127);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl("./VornInterface", "VornInterface", static_cast<char*>(nullptr));
        _exit(127);
    }
}

bool ProgramRun::isRunning()
{
    return !waitForExit(std::chrono::milliseconds(0)).has_value();
}

std::optional<int> ProgramRun::waitForExit(std::chrono::milliseconds timeout)
{
    if (exitCode_ || pid_ <= 0)
        return exitCode_;
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;)
    {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_)
        {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitCode_;
        }
        if (std::chrono::steady_clock::now() >= end)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string ProgramRun::xdotool(const std::string& arguments)
{
    return runCommand("xdotool " + arguments + " 2>/dev/null");
}

std::string ProgramRun::waitForWindow(const std::string& titlePattern, std::chrono::milliseconds timeout)
{
    // The X server's own list of top-level windows: xdotool's search misses some of Qt's dialogs.
    const std::regex pattern(titlePattern);
    const std::regex listed("^\\s*(0x[0-9a-f]+) \"(.*)\":");
    const auto end = std::chrono::steady_clock::now() + timeout;
    do
    {
        std::istringstream lines(runCommand("xwininfo -root -children 2>/dev/null"));
        std::string line;
        while (std::getline(lines, line))
        {
            std::smatch match;
            if (!std::regex_search(line, match, listed) || !std::regex_search(match[2].str(), pattern))
                continue;
            const std::string id = match[1];
            if (runCommand("xwininfo -id " + id + " 2>/dev/null").find("IsViewable") != std::string::npos)
                return std::to_string(std::stoul(id, nullptr, 16));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end && isRunning());
    return {};
}

std::string ProgramRun::waitForTitle(const std::string& window, const std::string& titlePattern,
                                     std::chrono::milliseconds timeout)
{
    const std::regex pattern(titlePattern);
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::string title;
    do
    {
        title = xdotool("getwindowname " + window);
        while (!title.empty() && title.back() == '\n')
            title.pop_back();
        if (std::regex_search(title, pattern))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end);
    return title;
}

void ProgramRun::moveMouseTo(int x, int y)
{
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void ProgramRun::clickAt(int x, int y)
{
    moveMouseTo(x, y);
    xdotool("mousemove " + std::to_string(x + 1) + " " + std::to_string(y));
    moveMouseTo(x, y);
    xdotool("click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
}

void ProgramRun::sendKeys(const std::string& window, const std::string& keys)
{
    xdotool("windowfocus --sync " + window);
    xdotool("key --clearmodifiers --delay 80 " + keys);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

bool ProgramRun::screenshot(const fs::path& path)
{
    runCommand("import -window root '" + path.string() + "' 2>/dev/null");
    return fs::exists(path);
}

std::string ProgramRun::mappedWindows()
{
    return runCommand("xwininfo -root -tree 2>/dev/null");
}

std::string ProgramRun::startWithFirstDocument()
{
    start();
    const std::string window = waitForWindow("^Quorl2 beta", std::chrono::seconds(30));
    if (window.empty())
        return window;
    const std::string notice = waitForWindow("^Quorl2$", std::chrono::seconds(10));
    if (!notice.empty())
        sendKeys(notice, "Escape");
    waitForTitle(window, "Quorl21", std::chrono::seconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    return window;
}

std::string ProgramRun::exportModel(const std::string& window, const std::string& fileName)
{
    sendKeys(window, "Escape alt+f s");
    const std::string dialog = waitForWindow("^Export$", std::chrono::seconds(10));
    if (dialog.empty())
        return {};
    xdotool("windowfocus --sync " + dialog);
    xdotool("type --delay 20 '" + (folder_ / fileName).string() + "'");
    sendKeys(dialog, "Return");
    std::string saved;
    for (int attempt = 0; attempt < 100 && saved.empty(); ++attempt)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        saved = readFile(fileName);
    }
    return saved;
}

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

size_t lineAfter(const std::vector<std::string>& lines, const std::string& heading)
{
    for (size_t index = 0; index < lines.size(); ++index)
        if (lines[index] == heading)
            return index + 1;
    return lines.size();
}

std::string ProgramRun::readFile(const fs::path& relative) const
{
    std::ifstream file(folder_ / relative, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ProgramRun::writeFile(const fs::path& relative, const std::string& contents) const
{
    std::ofstream file(folder_ / relative, std::ios::binary);
    file << contents;
}

void ProgramRun::makePerspectiveTheDefaultView() const
{
    writeFile("system/plugin.cfg", "PLUGINCONFIG\r\nversion 1\r\nView Base\r\nPerspective\r\nDefault\r\n");
}
