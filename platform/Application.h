#pragma once

// The application object and its message loop.

#include "platform/DynamicLibrary.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform
{

class Window;

// The process's one GUI application: created first in main, before any window.
//
// Every message taken from the queue (input, posted messages, timers) goes this way:
//   1. the pre-translate hook (the host's),
//   2. preTranslateMessage of the target window and then of each ancestor (dialogs do their
//      keyboard handling there),
//   3. the libraries' filters, the one added last first, until one consumes it,
//   4. dispatch to the window.
// When the queue becomes empty after at least one message, the idle phase runs: the idle
// handler with count 0, 1, 2, ... while it answers true, then each library's idle function, the
// one added last first. Inside a modal loop neither runs: the modal dialog gets WM_KICKIDLE.
class PLATFORM_API Application
{
public:
    using MessageHook = std::function<bool(Message&)>;
    using IdleHandler = std::function<bool(int32_t count)>;
    using LibraryIdle = std::function<void()>;

    Application(int& argc, char** argv, const std::string& name);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application, or null before it is made.
    static Application* instance();
    // The name boxes use as their default caption.
    const std::string& name() const;

    // Runs the message loop until quit(); answers the exit code.
    int run();
    void quit(int exitCode = 0);
    // Handles everything that is waiting (messages, timers, paints) and then the idle phase.
    // Tests call it where the real program would return to its loop.
    void processMessages();

    // The main window owns message boxes; destroying it ends the loop.
    void setMainWindow(Window* window);
    Window* mainWindow() const;

    // The icon of every top-level window: an icon resource of a module (a null or unknown
    // module throws ResourceError; a missing icon leaves the icon as it is).
    void setWindowIcon(ModuleHandle module, int32_t iconId);

    void setPreTranslateHook(MessageHook hook);
    void setIdleHandler(IdleHandler handler);
    // A library's message filter (FilterDllMsg) and idle function (ProcessDllIdle), a pair.
    void addLibraryHooks(MessageHook filter, LibraryIdle idle);
    // Forgets every library's hooks (libraries are never unloaded; tests start afresh).
    void clearLibraryHooks();

    struct State;
    // Internal: used by the platform's own code.
    void windowDestroyed(WindowHandle window);
    bool preTranslate(Message& message);
    void armIdle();
    void runIdle();
    // A modal loop runs (for `window`, a modal dialog, or a toolkit box when None).
    void enterModal(WindowHandle window = WindowHandle::None);
    void leaveModal();
    bool inModalLoop() const;
    State* state() const { return state_.get(); }

private:
    std::unique_ptr<State> state_;
};

// A modal loop of the toolkit's own (a box, a common dialog, a context menu) for the scope's
// lifetime: no idle work runs inside, as in every modal loop.
class ModalScope
{
public:
    ModalScope()
    {
        if (Application* application = Application::instance())
            application->enterModal();
    }
    ~ModalScope()
    {
        if (Application* application = Application::instance())
            application->leaveModal();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// What an error box shows for an exception.
struct ExceptionText
{
    std::string text;
    std::string caption;
};

// Describes an exception of the modules' own types (the host installs one that knows the
// program's exceptions); answers nothing for an exception it does not know.
using ExceptionDescriber = std::function<std::optional<ExceptionText>(const std::exception_ptr&)>;

// Installs the describer every report asks first; an empty one removes it.
PLATFORM_API void setExceptionDescriber(ExceptionDescriber describer);

// Reports the exception being handled (call inside a catch block) in an error box: as the
// installed describer describes it, else a std::exception by its what() under the application's
// name, anything else as "Unknown error".
PLATFORM_API void reportCurrentException();

} // namespace platform
