#include "platform/qt/InputState.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

namespace platform
{

// ---- State of the pointer and keyboard ------------------------------------------------------

Qt::MouseButtons heldButtons = Qt::NoButton;
Qt::KeyboardModifiers heldModifiers = Qt::NoModifier;
QPoint lastGlobalPosition;
bool anyPointerEvent = false;
QPointer<QWidget> pointerWidget;

namespace
{

WindowHandle captureHandle = WindowHandle::None;
QPointer<QWidget> grabbingWidget;

// The press that may become the first half of a double click.
struct LastPress
{
    WindowHandle window = WindowHandle::None;
    uint32_t message = 0;
    uint64_t time = 0;
    QPoint position;
};
LastPress lastPress;

constexpr uint64_t doubleClickMilliseconds = 500;
constexpr int doubleClickHalfWidth = 2; // the 4 x 4 pixel box around the first press

// The toolkit may offer one event again to the parent widgets; it is translated once.
struct EventKey
{
    QEvent::Type type = QEvent::None;
    quint64 timestamp = 0;
    QPoint position;
    const QEvent* event = nullptr;
};
EventKey lastTranslated;
quint64 lastToolkitPressTime = 0;
Qt::MouseButton lastToolkitPressButton = Qt::NoButton;

bool alreadyTranslated(QEvent* event, quint64 timestamp, const QPoint& position)
{
    const bool same = lastTranslated.type == event->type() && lastTranslated.timestamp == timestamp &&
        (lastTranslated.event == event || lastTranslated.position == position);
    lastTranslated = {event->type(), timestamp, position, event};
    return same;
}

uint32_t mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    uint32_t flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// Index 0 left, 1 right, 2 middle; -1 for other buttons.
int buttonIndex(Qt::MouseButton button)
{
    switch (button)
    {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 1;
    case Qt::MiddleButton:
        return 2;
    default:
        return -1;
    }
}

constexpr uint32_t doubleClickMessages[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};

bool translateMouse(WindowState* target, QWidget* receiver, QMouseEvent* event, bool& passToToolkit)
{
    const QPoint global = event->globalPosition().toPoint();
    const quint64 timestamp = event->timestamp();
    if (alreadyTranslated(event, timestamp, global))
        return false;
    lastGlobalPosition = global;
    anyPointerEvent = true;
    heldButtons = event->buttons();
    heldModifiers = event->modifiers();
    QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick)
    {
        // The toolkit's own double click follows the press it was made of: that press was
        // already judged by the rules below.
        if (lastToolkitPressTime == timestamp && lastToolkitPressButton == event->button())
        {
            passToToolkit = false;
            return true;
        }
        type = QEvent::MouseButtonPress;
    }

    WindowState* captured = WindowState::of(captureHandle);
    WindowState* destination = captured != nullptr ? captured : target;
    const WindowHandle handle = destination->handle;
    uint32_t message = WM_MOUSEMOVE;
    if (type != QEvent::MouseMove)
    {
        const int index = buttonIndex(event->button());
        if (index < 0)
            return false;
        if (type == QEvent::MouseButtonPress)
        {
            lastToolkitPressTime = timestamp;
            lastToolkitPressButton = event->button();
            message = downMessages[index];
            const bool isDouble = destination->wantsDoubleClicks() && lastPress.window == handle &&
                lastPress.message == message && timestamp - lastPress.time < doubleClickMilliseconds &&
                std::abs(global.x() - lastPress.position.x()) <= doubleClickHalfWidth &&
                std::abs(global.y() - lastPress.position.y()) <= doubleClickHalfWidth;
            if (isDouble)
            {
                message = doubleClickMessages[index];
                lastPress = {};
            }
            else
                lastPress = {handle, message, timestamp, global};
        }
        else
            message = upMessages[index];
    }

    if (captured == nullptr)
    {
        pointerWidget = destination->widget;
        if (message == WM_MOUSEMOVE || message == downMessages[0] || message == downMessages[1] ||
            message == downMessages[2])
            dispatchToWindow(destination, WM_SETCURSOR, static_cast<WParam>(handle), makeLParam(HTCLIENT, message));
    }
    destination = WindowState::of(handle);
    if (destination == nullptr)
    {
        passToToolkit = false;
        return true;
    }
    const QPoint client = destination->widget->mapFromGlobal(global);
    Message record;
    record.window = handle;
    record.message = message;
    record.wParam = mouseKeyFlags(event->buttons(), event->modifiers());
    record.lParam = pointToLParam({client.x(), client.y()});
    record.time = static_cast<uint32_t>(timestamp);
    record.point = {global.x(), global.y()};
    const bool toolkit = routeNativeEvent(destination, record);
    passToToolkit = toolkit && destination == target && WindowState::of(handle) != nullptr &&
        WindowState::of(receiver) == destination;
    return true;
}

bool translateWheel(WindowState* target, QWheelEvent* event, bool& passToToolkit)
{
    const QPoint global = event->globalPosition().toPoint();
    if (alreadyTranslated(event, event->timestamp(), global))
        return false;
    heldModifiers = event->modifiers();
    Message record;
    record.window = target->handle;
    record.message = WM_MOUSEWHEEL;
    record.wParam = makeWParam(mouseKeyFlags(event->buttons(), event->modifiers()),
                               static_cast<uint32_t>(static_cast<int16_t>(event->angleDelta().y())));
    record.lParam = makeLParam(static_cast<uint32_t>(global.x()), static_cast<uint32_t>(global.y()));
    record.time = static_cast<uint32_t>(event->timestamp());
    record.point = {global.x(), global.y()};
    passToToolkit = routeNativeEvent(target, record);
    return true;
}

// Keys the system marks as extended (the navigation block, not the numeric pad).
bool isExtendedKey(uint32_t virtualKey, bool keypad)
{
    if (keypad)
        return virtualKey == VK_RETURN || virtualKey == VK_DIVIDE;
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT || virtualKey == VK_DELETE ||
        virtualKey == VK_LWIN || virtualKey == VK_RWIN || virtualKey == VK_APPS;
}

bool translateKey(WindowState* target, QKeyEvent* event, bool& passToToolkit)
{
    if (alreadyTranslated(event, event->timestamp(), QPoint(event->key(), static_cast<int>(event->modifiers()))))
        return false;
    heldModifiers = event->modifiers();
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    const uint32_t virtualKey = virtualKeyFor(event->key(), keypad);
    if (virtualKey == 0)
        return false;
    const bool press = event->type() == QEvent::KeyPress;
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    const bool system = alt || virtualKey == VK_F10 || virtualKey == VK_MENU;
    const uint32_t message = press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    const uint32_t scanCode = event->nativeScanCode() > 8 ? (event->nativeScanCode() - 8) & 0xFF : 0;
    uint32_t keyData = 1 | (scanCode << 16);
    if (isExtendedKey(virtualKey, keypad))
        keyData |= KF_EXTENDED_BIT;
    if (alt)
        keyData |= KF_ALTDOWN_BIT;
    if (!press)
        keyData |= KF_PREVIOUS_DOWN_BIT | KF_KEY_UP_BIT;
    else if (event->isAutoRepeat())
        keyData |= KF_PREVIOUS_DOWN_BIT;

    const WindowHandle handle = target->handle;
    Message record;
    record.window = handle;
    record.message = message;
    record.wParam = virtualKey;
    record.lParam = static_cast<LParam>(keyData);
    record.time = static_cast<uint32_t>(event->timestamp());
    record.point = {lastGlobalPosition.x(), lastGlobalPosition.y()};
    bool consumed = false;
    bool toolkit = routeNativeEvent(target, record, &consumed);
    const QString text = event->text();
    // A key-down taken by a hook is not translated into characters.
    if (press && !consumed && !text.isEmpty())
        for (QChar character : text)
        {
            WindowState* current = WindowState::of(handle);
            if (current == nullptr)
                break;
            Message characterRecord = record;
            characterRecord.message = system ? WM_SYSCHAR : WM_CHAR;
            characterRecord.wParam = character.unicode();
            toolkit = routeNativeEvent(current, characterRecord) && toolkit;
        }
    passToToolkit = toolkit && WindowState::of(handle) != nullptr;
    return true;
}

// A key the program sent to a control (WM_KEYDOWN, WM_CHAR) on its way to the toolkit: it is
// not translated into messages again.
bool deliveringSentKey = false;

} // namespace

// ---- Used by the event bridge ------------------------------------------------------------------

bool translateInputEvent(WindowState* target, QWidget* receiver, QEvent* event, bool& passToToolkit)
{
    switch (event->type())
    {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return translateMouse(target, receiver, static_cast<QMouseEvent*>(event), passToToolkit);
    case QEvent::Wheel:
        return translateWheel(target, static_cast<QWheelEvent*>(event), passToToolkit);
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (deliveringSentKey)
            return false;
        return translateKey(target, static_cast<QKeyEvent*>(event), passToToolkit);
    case QEvent::Leave:
        if (receiver == target->widget && WindowState::of(captureHandle) == nullptr)
            dispatchToWindow(target, WM_MOUSELEAVE, 0, 0);
        return false;
    default:
        return false;
    }
}

void deliverSentKeyToToolkit(WindowState* state, uint32_t message, WParam wParam)
{
    QWidget* receiver = state->widget->focusProxy() != nullptr ? state->widget->focusProxy() : state->widget;
    int key = 0;
    QString text;
    if (message == WM_CHAR)
        text = QString(QChar(static_cast<char16_t>(wParam)));
    else
        key = toolkitKeyForVirtualKey(static_cast<uint32_t>(wParam));
    if (key == 0 && text.isEmpty())
        return;
    QKeyEvent event(message == WM_KEYUP ? QEvent::KeyRelease : QEvent::KeyPress, key, heldModifiers, text);
    deliveringSentKey = true;
    QApplication::sendEvent(receiver, &event);
    deliveringSentKey = false;
}

WindowState* captureState()
{
    return WindowState::of(captureHandle);
}

void setCaptureState(WindowState* state)
{
    if (grabbingWidget != nullptr)
        grabbingWidget->releaseMouse();
    grabbingWidget = nullptr;
    captureHandle = state != nullptr ? state->handle : WindowHandle::None;
    // On a real display the pointer must also be grabbed to report moves outside our windows.
    if (state != nullptr && state->widget->isVisible() && QGuiApplication::platformName() != "offscreen")
    {
        state->widget->grabMouse();
        grabbingWidget = state->widget;
    }
}

void captureLost(WindowState* state)
{
    if (state == nullptr || WindowState::of(captureHandle) != state)
        return;
    const WindowHandle handle = state->handle;
    // The release that would have come: the window must not stay in a pressed state.
    const Qt::MouseButtons held = heldButtons;
    heldButtons = Qt::NoButton;
    const QPoint client = state->widget->mapFromGlobal(lastGlobalPosition);
    for (int index = 0; index < 3; ++index)
    {
        WindowState* current = WindowState::of(handle);
        if (current == nullptr || !(held & buttonsByIndex[index]))
            continue;
        dispatchToWindow(current, upMessages[index], mouseKeyFlags(heldButtons, heldModifiers),
                         pointToLParam({client.x(), client.y()}));
    }
    WindowState* current = WindowState::of(handle);
    if (current != nullptr && captureHandle == handle)
    {
        setCaptureState(nullptr);
        dispatchToWindow(current, WM_CAPTURECHANGED, 0, 0);
    }
}

} // namespace platform
