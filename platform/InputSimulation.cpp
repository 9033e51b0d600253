#include "platform/InputSimulation.h"
#include "platform/qt/InputState.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include <cctype>

namespace platform
{

namespace
{

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
        const int key =
            std::isalpha(static_cast<unsigned char>(character)) ? toolkitKeyForName(name) : static_cast<int>(character);
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
