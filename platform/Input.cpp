#include "platform/Cursor.h"
#include "platform/InputSimulation.h"
#include "platform/Keyboard.h"
#include "platform/Resources.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>

#include <cstdlib>
#include <map>

namespace platform
{

class Cursor
{
public:
    explicit Cursor(const QCursor& shape) : shape(shape) {}
    QCursor shape;
};

namespace
{

// ---- State of the pointer and keyboard ------------------------------------------------------

WindowHandle captureHandle = WindowHandle::None;
QPointer<QWidget> grabbingWidget;
Qt::MouseButtons heldButtons = Qt::NoButton;
Qt::KeyboardModifiers heldModifiers = Qt::NoModifier;
QPoint lastGlobalPosition;
bool anyPointerEvent = false;
QPointer<QWidget> pointerWidget; // the widget the pointer was last over
Cursor* shownCursor = nullptr;

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

constexpr uint32_t downMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr uint32_t upMessages[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr uint32_t doubleClickMessages[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
constexpr Qt::MouseButton buttonsByIndex[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

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
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT ||
           virtualKey == VK_DELETE || virtualKey == VK_LWIN || virtualKey == VK_RWIN || virtualKey == VK_APPS;
}

uint32_t virtualKeyFor(int key, bool keypad)
{
    if (keypad)
    {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return VK_NUMPAD0 + static_cast<uint32_t>(key - Qt::Key_0);
        switch (key)
        {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma:
        case Qt::Key_Delete:
            return key == Qt::Key_Delete ? VK_DELETE : VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + static_cast<uint32_t>(key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + static_cast<uint32_t>(key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<uint32_t>(key - Qt::Key_F1);
    switch (key)
    {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Help:
        return VK_HELP;
    case Qt::Key_Super_L:
        return VK_LWIN;
    case Qt::Key_Super_R:
        return VK_RWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    // Shifted digits of the US layout report their key.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    default:
        return 0;
    }
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

int toolkitKeyForVirtualKey(uint32_t virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return static_cast<int>(virtualKey);
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        return Qt::Key_F1 + static_cast<int>(virtualKey - VK_F1);
    switch (virtualKey)
    {
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return 0;
    }
}

quint64 simulatedTime = 0;
Qt::MouseButtons simulatedButtons = Qt::NoButton;

Qt::KeyboardModifiers modifiersFromFlags(uint32_t keyFlags)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (keyFlags & MK_SHIFT)
        modifiers |= Qt::ShiftModifier;
    if (keyFlags & MK_CONTROL)
        modifiers |= Qt::ControlModifier;
    return modifiers;
}

quint64 nextSimulatedTime(uint32_t time)
{
    simulatedTime = time != 0 ? time : simulatedTime + 1000;
    return simulatedTime;
}

int toolkitKeyForName(const std::string& keyName)
{
    if (keyName.empty())
        return 0;
    // One printable character is its own key code (letters upper case); "+" and "," would be
    // read as separators of a key sequence.
    if (keyName.size() == 1 && keyName[0] > ' ' && keyName[0] < 0x7F)
        return std::toupper(static_cast<unsigned char>(keyName[0]));
    const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(keyName), QKeySequence::PortableText);
    if (sequence.isEmpty())
        return 0;
    return sequence[0].key();
}

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

void setWidgetCursor(QWidget* widget, Cursor* cursor)
{
    if (widget != nullptr)
        widget->setCursor(cursor != nullptr ? cursor->shape : QCursor(Qt::ArrowCursor));
}

// ---- Cursors --------------------------------------------------------------------------------------

Cursor* loadStandardCursor(int32_t id)
{
    // Kept for the run, like the system's shared cursors (and never torn down after the toolkit).
    static auto& cursors = *new std::map<int32_t, Cursor*>;
    auto found = cursors.find(id);
    if (found != cursors.end())
        return found->second;
    Qt::CursorShape shape;
    switch (id)
    {
    case IDC_ARROW:
        shape = Qt::ArrowCursor;
        break;
    case IDC_IBEAM:
        shape = Qt::IBeamCursor;
        break;
    case IDC_WAIT:
        shape = Qt::WaitCursor;
        break;
    case IDC_CROSS:
        shape = Qt::CrossCursor;
        break;
    case IDC_UPARROW:
        shape = Qt::UpArrowCursor;
        break;
    case IDC_SIZENWSE:
        shape = Qt::SizeFDiagCursor;
        break;
    case IDC_SIZENESW:
        shape = Qt::SizeBDiagCursor;
        break;
    case IDC_SIZEWE:
        shape = Qt::SizeHorCursor;
        break;
    case IDC_SIZENS:
        shape = Qt::SizeVerCursor;
        break;
    case IDC_SIZEALL:
        shape = Qt::SizeAllCursor;
        break;
    case IDC_NO:
        shape = Qt::ForbiddenCursor;
        break;
    case IDC_HAND:
        shape = Qt::PointingHandCursor;
        break;
    default:
        return nullptr;
    }
    Cursor* cursor = new Cursor(QCursor(shape));
    cursors[id] = cursor;
    return cursor;
}

Cursor* loadCursor(ModuleHandle module, int32_t id)
{
    const CursorResource* resource = findCursorResource(module, id);
    if (resource == nullptr)
        return nullptr;
    static auto& cursors = *new std::map<std::pair<ModuleHandle, int32_t>, Cursor*>;
    auto found = cursors.find({module, id});
    if (found != cursors.end())
        return found->second;
    QImage image(resource->width, resource->height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < resource->height; ++y)
        for (int32_t x = 0; x < resource->width; ++x)
        {
            const uint32_t colour = resource->pixels[static_cast<size_t>(y) * resource->width + x];
            image.setPixel(x, y, colour == resource->transparentColour
                                     ? qRgba(0, 0, 0, 0)
                                     : qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
        }
    Cursor* cursor = new Cursor(QCursor(QPixmap::fromImage(image), resource->hotspotX, resource->hotspotY));
    cursors[{module, id}] = cursor;
    return cursor;
}

Cursor* setCursor(Cursor* cursor)
{
    Cursor* previous = shownCursor;
    shownCursor = cursor;
    QWidget* widget = pointerWidget;
    if (WindowState* captured = captureState())
        widget = captured->widget;
    setWidgetCursor(widget, cursor);
    return previous;
}

Cursor* currentCursor()
{
    return shownCursor;
}

Point cursorPosition()
{
    const QPoint position = anyPointerEvent ? lastGlobalPosition : QCursor::pos();
    return {position.x(), position.y()};
}

bool isKeyDown(uint32_t virtualKey)
{
    switch (virtualKey)
    {
    case VK_SHIFT:
        return (heldModifiers & Qt::ShiftModifier) != 0;
    case VK_CONTROL:
        return (heldModifiers & Qt::ControlModifier) != 0;
    case VK_MENU:
        return (heldModifiers & Qt::AltModifier) != 0;
    case VK_LBUTTON:
        return (heldButtons & Qt::LeftButton) != 0;
    case VK_RBUTTON:
        return (heldButtons & Qt::RightButton) != 0;
    case VK_MBUTTON:
        return (heldButtons & Qt::MiddleButton) != 0;
    default:
        return false;
    }
}

// ---- Simulated input --------------------------------------------------------------------------------

void simulateMouse(WindowHandle window, uint32_t action, Point client, uint32_t keyFlags, uint32_t time)
{
    WindowState* state = WindowState::of(window);
    if (state == nullptr)
        return;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    for (int index = 0; index < 3; ++index)
    {
        if (action == downMessages[index])
        {
            type = QEvent::MouseButtonPress;
            button = buttonsByIndex[index];
            simulatedButtons |= button;
        }
        else if (action == upMessages[index])
        {
            type = QEvent::MouseButtonRelease;
            button = buttonsByIndex[index];
            simulatedButtons &= ~button;
        }
    }
    // The event goes to the innermost widget under the point, as the window system's would.
    const QPoint global = state->widget->mapToGlobal(QPoint(client.x, client.y));
    QWidget* receiver = state->widget;
    if (QWidget* inner = state->widget->childAt(QPoint(client.x, client.y)))
        receiver = inner;
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, simulatedButtons,
                      modifiersFromFlags(keyFlags));
    event.setTimestamp(nextSimulatedTime(time));
    QApplication::sendEvent(receiver, &event);
}

bool simulateKey(WindowHandle window, const std::string& keyName, bool press, uint32_t keyFlags, bool keypad)
{
    WindowState* state = WindowState::of(window);
    const int key = toolkitKeyForName(keyName);
    if (state == nullptr || key == 0)
        return false;
    // Keys go to the focused window when it lies inside `window`.
    QWidget* receiver = state->widget;
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && state->widget->isAncestorOf(focus))
        receiver = focus;
    Qt::KeyboardModifiers modifiers = modifiersFromFlags(keyFlags);
    if (keypad)
        modifiers |= Qt::KeypadModifier;
    QString text;
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde && keyName.size() == 1)
        text = QString::fromStdString(keyName);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        text = (keyFlags & MK_SHIFT) != 0 ? text.toUpper() : text.toLower();
    if (key == Qt::Key_Space)
        text = " ";
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = "\r";
    else if (key == Qt::Key_Tab)
        text = "\t";
    else if (key == Qt::Key_Backspace)
        text = "\b";
    else if (key == Qt::Key_Escape)
        text = QString(QChar(27));
    if ((keyFlags & MK_CONTROL) != 0 && key >= Qt::Key_A && key <= Qt::Key_Z)
        text = QString(QChar(key - Qt::Key_A + 1));
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, press ? text : QString());
    event.setTimestamp(nextSimulatedTime(0));
    QApplication::sendEvent(receiver, &event);
    return true;
}

void simulateTyping(WindowHandle window, const std::string& text)
{
    for (char character : text)
    {
        const std::string name(1, static_cast<char>(std::toupper(static_cast<unsigned char>(character))));
        const bool upper = std::isupper(static_cast<unsigned char>(character)) != 0;
        WindowState* state = WindowState::of(window);
        if (state == nullptr)
            return;
        QWidget* receiver = state->widget;
        if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && state->widget->isAncestorOf(focus))
            receiver = focus;
        const int key = std::isalpha(static_cast<unsigned char>(character)) ? toolkitKeyForName(name)
                                                                              : static_cast<int>(character);
        const Qt::KeyboardModifiers modifiers = upper ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent down(QEvent::KeyPress, key, modifiers, QString(QChar(character)));
        down.setTimestamp(nextSimulatedTime(0));
        QApplication::sendEvent(receiver, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, QString());
        up.setTimestamp(nextSimulatedTime(0));
        QApplication::sendEvent(receiver, &up);
    }
}

uint32_t virtualKeyForKeyName(const std::string& keyName, bool keypad)
{
    return virtualKeyFor(toolkitKeyForName(keyName), keypad);
}

} // namespace platform
