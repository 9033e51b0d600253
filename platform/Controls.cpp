// What every control kind shares: choosing the kind, and passing creation, text and messages on to
// the kind's own behaviour (controls/). Classes registered by other parts of the platform make
// their widgets through their hooks.

#include "platform/qt/ControlKinds.h"

#include <algorithm>
#include <cstring>
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

const ControlKindBehaviour registeredControlBehaviour{.create = createRegisteredControl,
                                                      .setText = setRegisteredControlText,
                                                      .getText = registeredControlText};

// A painted top-level window shows its text as the title.
void setPaintedWindowText(WindowState* state, const std::string& text)
{
    if (state->parent == nullptr && state->widget != nullptr)
        state->widget->setWindowTitle(QString::fromStdString(text));
}

const ControlKindBehaviour paintedBehaviour{.setText = setPaintedWindowText};

void paintOwnerDrawnControl(WindowState* state)
{
    if (const ControlKindBehaviour& behaviour = behaviourOf(state->kind); behaviour.paint != nullptr)
        behaviour.paint(state);
}

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
    return behaviour.create != nullptr ? behaviour.create(state, parentWidget) : new QWidget(parentWidget);
}

void setControlText(WindowState* state, const std::string& text)
{
    state->text = text;
    if (const ControlKindBehaviour& behaviour = behaviourOf(state->kind); behaviour.setText != nullptr)
        behaviour.setText(state, text);
}

std::string controlText(const WindowState* state)
{
    const ControlKindBehaviour& behaviour = behaviourOf(state->kind);
    return behaviour.getText != nullptr ? behaviour.getText(state) : state->text;
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

// ---- Default handling ----------------------------------------------------------------------------

Window::PaintInfo Window::beginPaint()
{
    PaintInfo info;
    if (state_ == nullptr)
        return info;
    info.paintRect = state_->invalid.isEmpty() ? clientRect() : state_->invalid;
    info.erase = state_->eraseNeeded;
    state_->invalid = {};
    state_->eraseNeeded = false;
    if (info.erase)
    {
        state_->invalid = info.paintRect; // WM_ERASEBKGND erases the area being painted
        info.erase = sendMessage(WM_ERASEBKGND) == 0;
        if (state_ != nullptr)
            state_->invalid = {};
    }
    return info;
}

void Window::endPaint()
{
}

LResult Window::defaultWindowProc(uint32_t message, WParam wParam, LParam lParam)
{
    WindowState* state = state_;
    if (state == nullptr)
        return 0;
    if (state->isNativeControl() && requestToolkitDefault(state, message))
    {
        // The toolkit handles the event itself; only the notifications that go with it are ours.
        if (message == WM_LBUTTONDBLCLK && state->kind == WindowKind::ListBox && (state->style & LBS_NOTIFY) != 0)
            notifyParent(LBN_DBLCLK);
        return 0;
    }
    if (state->isNativeControl() && (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR))
    {
        deliverSentKeyToToolkit(state, message, wParam);
        return 0;
    }
    bool handled = false;
    const LResult result = controlDefault(state, message, wParam, lParam, handled);
    if (handled || state_ == nullptr)
        return result;

    switch (message)
    {
    case WM_PAINT:
        if (state->surface)
        {
            const WindowHandle self = state->handle;
            beginPaint();
            if (WindowState::of(self) == nullptr)
                return 0;
            paintOwnerDrawnControl(state);
            endPaint();
        }
        return 0;
    case WM_ERASEBKGND:
        if (state->surface && state->windowClass.background != 0xFFFFFFFF)
        {
            const Rect area = state->invalid.isEmpty() ? clientRect() : state->invalid;
            state->surface->fillRect(area, state->windowClass.background);
            return 1;
        }
        return 0;
    case WM_SETTEXT:
        setControlText(state, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        if (state->surface)
            invalidate(true);
        return 1;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        const std::string text = controlText(state);
        const size_t length = std::min<size_t>(text.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        return static_cast<LResult>(length);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(controlText(state).size());
    case WM_SETCURSOR: {
        const WindowHandle self = state->handle;
        if (state->parent != nullptr && dispatchToWindow(state->parent, WM_SETCURSOR, wParam, lParam) != 0)
            return 1;
        state = WindowState::of(self);
        if (state == nullptr || handleFromParam(wParam) != self || state->isNativeControl())
            return 0;
        setCursor(state->cursor != nullptr ? state->cursor : state->windowClass.cursor);
        return 1;
    }
    case WM_DRAWITEM: {
        auto* record = reinterpret_cast<DrawItemRecord*>(lParam);
        Window* item = record != nullptr ? fromHandle(record->window) : nullptr;
        if (item == nullptr || item == this)
            return 0;
        item->drawItem(*record);
        return 1;
    }
    case WM_MEASUREITEM: {
        auto* record = reinterpret_cast<MeasureItemRecord*>(lParam);
        Window* item = record != nullptr ? dlgItem(static_cast<int32_t>(record->controlId)) : nullptr;
        if (item == nullptr)
            return 0;
        item->measureItem(*record);
        return 1;
    }
    case WM_CLOSE:
        destroyWindow();
        return 0;
    case WM_SETREDRAW:
        state->widget->setUpdatesEnabled(wParam != 0);
        if (wParam != 0)
            invalidate(true);
        return 0;
    case WM_MOUSEWHEEL:
        if (state->parent != nullptr)
            return dispatchToWindow(state->parent, message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace platform
