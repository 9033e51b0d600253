#pragma once

#include "platform/PlatformApi.h"

#include <memory>
#include <string>

namespace platform
{

// The process's one GUI application: created first in main, before any window.
class PLATFORM_API Application
{
public:
    Application(int& argc, char** argv, const std::string& name);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the event loop until the last main window closes; answers the exit code.
    int run();

    // A plain top-level window with the given title, shown maximised. Stands in for the main
    // frame until the program's own frame exists.
    void showMainWindow(const std::string& title);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
