#include "platform/Application.h"

#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/Time.h"
#include "platform/SystemValues.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QThread>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <exception>
#include <vector>

namespace platform
{

namespace
{

Application* theApplication = nullptr;

ExceptionDescriber& exceptionDescriber()
{
    static ExceptionDescriber describer;
    return describer;
}

// A posted message on its way through the toolkit's queue.
class PostedMessageEvent : public QEvent
{
public:
    static QEvent::Type type()
    {
        static const QEvent::Type registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }
    explicit PostedMessageEvent(const Message& message) : QEvent(type()), message(message) {}
    Message message;
};

// One message being dispatched. For a message translated from a toolkit event, the default
// handling of that message is the toolkit's own handling of the event.
struct DispatchFrame
{
    WindowState* target;
    uint32_t message;
    bool fromToolkitEvent;
    bool toolkitDefault;
};

std::vector<DispatchFrame>& dispatchFrames()
{
    static std::vector<DispatchFrame> frames;
    return frames;
}

class FramePush
{
public:
    FramePush(WindowState* target, uint32_t message, bool fromToolkitEvent)
    {
        dispatchFrames().push_back({target, message, fromToolkitEvent, false});
        depth_ = dispatchFrames().size();
    }
    ~FramePush() { dispatchFrames().resize(depth_ - 1); }
    bool toolkitDefault() const { return dispatchFrames()[depth_ - 1].toolkitDefault; }

private:
    size_t depth_;
};

uint32_t messageTime = 0;

} // namespace

// Everything the toolkit sends into our code passes here: input, closing, posted messages.
class EventBridge : public QObject
{
public:
    bool eventFilter(QObject* receiver, QEvent* event) override;
    bool event(QEvent* event) override;
};

struct Application::State
{
    State(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
    std::string name;
    EventBridge bridge;
    WindowHandle mainWindow = WindowHandle::None;
    MessageHook preTranslateHook;
    IdleHandler idleHandler;
    std::vector<std::pair<MessageHook, LibraryIdle>> libraries;
    bool idleArmed = false;
    QTimer idleTimer;
    std::vector<WindowHandle> modalWindows; // innermost last
};

bool EventBridge::event(QEvent* event)
{
    if (event->type() != PostedMessageEvent::type())
        return QObject::event(event);
    guardedCall([&] {
        Message message = static_cast<PostedMessageEvent*>(event)->message;
        if (WindowState::of(message.window) != nullptr || message.window == WindowHandle::None)
            routeQueuedMessage(message);
    });
    return true;
}

bool EventBridge::eventFilter(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::ApplicationDeactivate)
    {
        // Another program took the pointer: a drag in progress ends as if released.
        guardedCall([] { captureLost(captureState()); });
        return false;
    }
    if (!receiver->isWidgetType())
        return false;
    bool consumed = false;
    guardedCall([&] {
        auto* widget = static_cast<QWidget*>(receiver);
        WindowState* target = WindowState::of(widget);
        if (target == nullptr || target->destroying)
            return;
        // Widgets inside a painted window that are no windows of ours (its own scroll bars, a
        // toolkit widget placed there) handle their input themselves. Inside a control they are
        // the control's parts (a list's viewport).
        if (widget != target->widget && !target->isNativeControl())
            return;
        switch (event->type())
        {
        case QEvent::Close:
            if (widget == target->widget && target->parent == nullptr)
            {
                event->ignore();
                consumed = true;
                dispatchToWindow(target, WM_CLOSE, 0, 0);
            }
            return;
        case QEvent::FocusIn:
            noteToolkitFocus(target);
            return;
        default:
            break;
        }
        bool passToToolkit = true;
        if (translateInputEvent(target, widget, event, passToToolkit))
            consumed = !passToToolkit;
    });
    return consumed;
}

// ---- Routing ---------------------------------------------------------------------------------

void guardedCall(const std::function<void()>& body)
{
    try
    {
        body();
    }
    catch (...)
    {
        reportCurrentException();
    }
}

void setExceptionDescriber(ExceptionDescriber describer)
{
    exceptionDescriber() = std::move(describer);
}

void reportCurrentException()
{
    const std::string caption = theApplication != nullptr ? theApplication->name() : std::string("Error");
    std::string text;
    std::string title = caption;
    const std::exception_ptr current = std::current_exception();
    std::optional<ExceptionText> described;
    if (const ExceptionDescriber& describer = exceptionDescriber())
    {
        try
        {
            described = describer(current);
        }
        catch (...)
        {
            // A describer that fails leaves the exception to the plain description below.
        }
    }
    if (described)
    {
        text = std::move(described->text);
        title = std::move(described->caption);
    }
    else if (current)
    {
        try
        {
            std::rethrow_exception(current);
        }
        catch (const std::exception& exception)
        {
            text = exception.what();
        }
        catch (...)
        {
            text = "Unknown error";
        }
    }
    else
    {
        text = "Unknown error";
    }
    try
    {
        const Window* main = theApplication != nullptr ? theApplication->mainWindow() : nullptr;
        messageBox(main != nullptr ? main->handle() : WindowHandle::None, text, title, MB_OK | MB_ICONERROR);
    }
    catch (...)
    {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
}

LResult dispatchToWindow(WindowState* target, uint32_t message, WParam wParam, LParam lParam)
{
    if (target == nullptr || target->object == nullptr)
        return 0;
    FramePush frame(target, message, false);
    return target->object->windowProc(message, wParam, lParam);
}

bool requestToolkitDefault(WindowState* target, uint32_t message)
{
    auto& frames = dispatchFrames();
    if (frames.empty())
        return false;
    DispatchFrame& top = frames.back();
    if (!top.fromToolkitEvent || top.target != target || top.message != message)
        return false;
    top.toolkitDefault = true;
    return true;
}

static bool preTranslate(Message& message)
{
    if (theApplication == nullptr)
        return false;
    return theApplication->preTranslate(message);
}

bool routeQueuedMessage(Message& message)
{
    noteMessageActivity();
    if (message.time == 0)
        message.time = tickCount();
    messageTime = message.time;
    if (preTranslate(message))
        return true;
    dispatchToWindow(WindowState::of(message.window), message.message, message.wParam, message.lParam);
    return false;
}

bool routeNativeEvent(WindowState* target, Message& message, bool* consumed)
{
    noteMessageActivity();
    messageTime = message.time;
    FramePush frame(target, message.message, true);
    const bool taken = preTranslate(message);
    if (consumed != nullptr)
        *consumed = taken;
    if (taken)
        return false;
    WindowState* current = WindowState::of(message.window);
    if (current == nullptr || current->object == nullptr)
        return false;
    current->object->windowProc(message.message, message.wParam, message.lParam);
    return frame.toolkitDefault() && WindowState::of(message.window) != nullptr;
}

uint32_t currentMessageTime()
{
    return messageTime;
}

bool postMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (theApplication == nullptr)
        return false;
    // Worker threads post too: only the user-interface thread looks at the window table (the
    // message of a window that is gone by delivery is dropped there).
    const bool uiThread = isUiThread();
    if (uiThread && WindowState::of(window) == nullptr)
        return false;
    Message record;
    record.window = window;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    record.time = tickCount();
    if (uiThread)
        record.point = cursorPosition();
    QCoreApplication::postEvent(&theApplication->state()->bridge, new PostedMessageEvent(record));
    return true;
}

void noteMessageActivity()
{
    if (theApplication != nullptr)
        theApplication->armIdle();
}

QWidget* mainWindowWidget()
{
    if (theApplication == nullptr)
        return nullptr;
    WindowState* state = WindowState::of(theApplication->state()->mainWindow);
    return state != nullptr ? state->widget : nullptr;
}

// ---- Application -------------------------------------------------------------------------------

Application::Application(int& argc, char** argv, const std::string& name) : state_(std::make_unique<State>(argc, argv))
{
    // The toolkit switches to the user's locale; numbers in files and dialogs are always read
    // and written the C way.
    std::setlocale(LC_NUMERIC, "C");
    state_->name = name;
    QApplication::setApplicationName(QString::fromStdString(name));
    QApplication::setQuitOnLastWindowClosed(false);
    state_->application.installEventFilter(&state_->bridge);
    state_->idleTimer.setSingleShot(true);
    state_->idleTimer.setInterval(0);
    QObject::connect(&state_->idleTimer, &QTimer::timeout, [this] { runIdle(); });
    theApplication = this;
}

void Application::setWindowIcon(ModuleHandle module, int32_t iconId)
{
    const BitmapResource* icon = findIconResource(module, iconId);
    if (icon == nullptr || icon->width <= 0 || icon->height <= 0)
        return;
    QImage image(icon->width, icon->height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < icon->height; ++y)
        for (int32_t x = 0; x < icon->width; ++x)
        {
            const uint32_t colour = icon->pixels[static_cast<size_t>(y) * icon->width + x];
            image.setPixel(x, y,
                           colour == icon->transparentColour ? 0u
                                                             : 0xFF000000u | ((colour & 0xFFu) << 16) |
                                   (colour & 0xFF00u) | ((colour >> 16) & 0xFFu));
        }
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

Application::~Application()
{
    state_->application.removeEventFilter(&state_->bridge);
    // Widgets of destroyed windows are deleted later; do it before the toolkit goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    theApplication = nullptr;
}

Application* Application::instance()
{
    return theApplication;
}

const std::string& Application::name() const
{
    return state_->name;
}

int Application::run()
{
    return QApplication::exec();
}

void Application::quit(int exitCode)
{
    QApplication::exit(exitCode);
}

void Application::processMessages()
{
    // Twice: what the first round posts (paints, deferred deletes, the idle timer) runs too.
    for (int round = 0; round < 3; ++round)
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void Application::setMainWindow(Window* window)
{
    state_->mainWindow = window != nullptr ? window->handle() : WindowHandle::None;
}

Window* Application::mainWindow() const
{
    return Window::fromHandle(state_->mainWindow);
}

void Application::setPreTranslateHook(MessageHook hook)
{
    state_->preTranslateHook = std::move(hook);
}

void Application::setIdleHandler(IdleHandler handler)
{
    state_->idleHandler = std::move(handler);
}

void Application::addLibraryHooks(MessageHook filter, LibraryIdle idle)
{
    state_->libraries.emplace_back(std::move(filter), std::move(idle));
}

void Application::clearLibraryHooks()
{
    state_->libraries.clear();
}

void Application::windowDestroyed(WindowHandle window)
{
    if (window == state_->mainWindow && window != WindowHandle::None)
    {
        state_->mainWindow = WindowHandle::None;
        quit(0);
    }
}

bool Application::preTranslate(Message& message)
{
    if (state_->preTranslateHook && state_->preTranslateHook(message))
        return true;
    // The target window, then its ancestors; each may be destroyed by the one before.
    std::vector<WindowHandle> chain;
    for (WindowState* current = WindowState::of(message.window); current != nullptr; current = current->parent)
        chain.push_back(current->handle);
    for (WindowHandle handle : chain)
        if (Window* window = Window::fromHandle(handle); window != nullptr && window->preTranslateMessage(message))
            return true;
    for (auto library = state_->libraries.rbegin(); library != state_->libraries.rend(); ++library)
        if (library->first && library->first(message))
            return true;
    return false;
}

void Application::armIdle()
{
    if (!state_->idleArmed)
    {
        state_->idleArmed = true;
        state_->idleTimer.start();
    }
}

void Application::runIdle()
{
    state_->idleArmed = false;
    guardedCall([&] {
        // Inside modal loops no idle work runs (the host's neither); the dialog is told instead.
        if (!state_->modalWindows.empty())
        {
            sendMessage(state_->modalWindows.back(), WM_KICKIDLE, 0, 0);
            return;
        }
        if (state_->idleHandler)
            for (int32_t count = 0; state_->idleHandler(count); ++count)
            {
            }
        for (auto library = state_->libraries.rbegin(); library != state_->libraries.rend(); ++library)
            if (library->second)
                library->second();
    });
}

void Application::enterModal(WindowHandle window)
{
    state_->modalWindows.push_back(window);
}

void Application::leaveModal()
{
    if (!state_->modalWindows.empty())
        state_->modalWindows.pop_back();
}

bool Application::inModalLoop() const
{
    return !state_->modalWindows.empty();
}

} // namespace platform
