// What every control kind shares: choosing the kind, and passing creation, text and messages on to
// the kind's own behaviour (controls/). Classes registered by other parts of the platform make
// their widgets through their hooks.

#include "platform/Controls.h"

#include "platform/qt/ControlKinds.h"

#include <map>

namespace platform
{

namespace
{

std::map<std::string, ControlWidgetHooks>& registeredControls()
{
    static std::map<std::string, ControlWidgetHooks> controls;
    return controls;
}

QWidget* createRegisteredControl(WindowState* state, QWidget* parentWidget)
{
    return controlWidgetHooks(state->windowClass.name)->create(state, parentWidget);
}

void setRegisteredControlText(WindowState* state, const std::string& text)
{
    if (const ControlWidgetHooks* hooks = controlWidgetHooks(state->windowClass.name); hooks && hooks->setText)
        hooks->setText(state, text);
}

std::string registeredControlText(const WindowState* state)
{
    if (const ControlWidgetHooks* hooks = controlWidgetHooks(state->windowClass.name); hooks && hooks->getText)
        return hooks->getText(state);
    return state->text;
}

const ControlKindBehaviour registeredControlBehaviour{
    .create = createRegisteredControl, .setText = setRegisteredControlText, .getText = registeredControlText};

// A painted top-level window shows its text as the title.
void setPaintedWindowText(WindowState* state, const std::string& text)
{
    if (state->parent == nullptr && state->widget != nullptr)
        state->widget->setWindowTitle(QString::fromStdString(text));
}

const ControlKindBehaviour paintedBehaviour{.setText = setPaintedWindowText};

} // namespace

const ControlKindBehaviour& behaviourOf(WindowKind kind)
{
    switch (kind)
    {
    case WindowKind::OwnerDrawButton:
        return ownerDrawButtonBehaviour;
    case WindowKind::PushButton:
        return pushButtonBehaviour;
    case WindowKind::CheckBox:
        return checkBoxBehaviour;
    case WindowKind::RadioButton:
        return radioButtonBehaviour;
    case WindowKind::GroupBox:
        return groupBoxBehaviour;
    case WindowKind::Edit:
        return editBehaviour;
    case WindowKind::StaticText:
        return staticTextBehaviour;
    case WindowKind::StaticBitmap:
        return staticBitmapBehaviour;
    case WindowKind::ListBox:
        return listBoxBehaviour;
    case WindowKind::OwnerDrawListBox:
        return ownerDrawListBoxBehaviour;
    case WindowKind::ScrollBar:
        return scrollBarBehaviour;
    case WindowKind::RegisteredControl:
        return registeredControlBehaviour;
    case WindowKind::Painted:
        break;
    }
    return paintedBehaviour;
}

void registerControlWidgetHooks(const std::string& className, const ControlWidgetHooks& hooks)
{
    registeredControls()[className] = hooks;
}

const ControlWidgetHooks* controlWidgetHooks(const std::string& className)
{
    auto found = registeredControls().find(className);
    return found == registeredControls().end() ? nullptr : &found->second;
}

WindowKind controlKindFor(const std::string& className, uint32_t style)
{
    if (controlWidgetHooks(className) != nullptr)
        return WindowKind::RegisteredControl;
    if (className == "Button")
    {
        switch (style & BS_TYPEMASK)
        {
        case BS_OWNERDRAW:
            return WindowKind::OwnerDrawButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return WindowKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return WindowKind::RadioButton;
        case BS_GROUPBOX:
            return WindowKind::GroupBox;
        default:
            return WindowKind::PushButton;
        }
    }
    if (className == "Edit")
        return WindowKind::Edit;
    if (className == "Static")
        return (style & SS_TYPEMASK) == SS_BITMAP || (style & SS_TYPEMASK) == SS_ICON ? WindowKind::StaticBitmap
                                                                                      : WindowKind::StaticText;
    if (className == "ListBox")
        return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 ? WindowKind::OwnerDrawListBox
                                                                           : WindowKind::ListBox;
    if (className == "ScrollBar")
        return WindowKind::ScrollBar;
    return WindowKind::Painted;
}

QWidget* createControlWidget(WindowState* state, QWidget* parentWidget)
{
    const ControlKindBehaviour& behaviour = behaviourOf(state->kind);
    if (behaviour.create == nullptr)
        return new QWidget(parentWidget);
    QWidget* widget = behaviour.create(state, parentWidget);
    // Controls registered by libraries draw themselves their own way.
    if (state->kind != WindowKind::RegisteredControl)
        useLabelStyle(widget);
    return widget;
}

void setControlText(WindowState* state, const std::string& text)
{
    state->text = text;
    state->number.reset();
    if (const ControlKindBehaviour& behaviour = behaviourOf(state->kind); behaviour.setText != nullptr)
        behaviour.setText(state, text);
}

std::string controlText(const WindowState* state)
{
    const ControlKindBehaviour& behaviour = behaviourOf(state->kind);
    return behaviour.getText != nullptr ? behaviour.getText(state) : state->text;
}

void paintOwnerDrawnControl(WindowState* state)
{
    if (const ControlKindBehaviour& behaviour = behaviourOf(state->kind); behaviour.paint != nullptr)
        behaviour.paint(state);
}

LResult controlDefault(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = false;
    const ControlKindBehaviour& behaviour = behaviourOf(state->kind);
    return behaviour.message != nullptr ? behaviour.message(state, message, wParam, lParam, handled) : 0;
}

void sendDrawItem(WindowHandle control, DrawItemRecord& record)
{
    WindowState* current = WindowState::of(control);
    if (current == nullptr || current->parent == nullptr)
        return;
    dispatchToWindow(current->parent, WM_DRAWITEM, static_cast<WParam>(current->id), reinterpret_cast<LParam>(&record));
}

// ---- Control classes ------------------------------------------------------------------------------

int32_t ListBox::addString(const std::string& text)
{
    return static_cast<int32_t>(sendMessage(LB_ADDSTRING, 0, reinterpret_cast<LParam>(text.c_str())));
}

int32_t ListBox::insertString(int32_t index, const std::string& text)
{
    return static_cast<int32_t>(sendMessage(LB_INSERTSTRING, toWParam(index), reinterpret_cast<LParam>(text.c_str())));
}

std::string ListBox::getText(int32_t index)
{
    const LResult length = sendMessage(LB_GETTEXTLEN, toWParam(index));
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    sendMessage(LB_GETTEXT, toWParam(index), reinterpret_cast<LParam>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int32_t ListBox::findStringExact(int32_t startAfter, const std::string& text)
{
    return static_cast<int32_t>(
        sendMessage(LB_FINDSTRINGEXACT, toWParam(startAfter), reinterpret_cast<LParam>(text.c_str())));
}

Rect ListBox::getItemRect(int32_t index)
{
    Rect rect;
    sendMessage(LB_GETITEMRECT, toWParam(index), reinterpret_cast<LParam>(&rect));
    return rect;
}

} // namespace platform
