// Push buttons, check boxes and radio buttons: toolkit buttons that report BN_CLICKED.

#include "platform/qt/ControlKinds.h"
#include "platform/qt/StaticEdge.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace platform
{

namespace
{

// Check boxes step through their states the system's way: unchecked, checked, and for
// three-state boxes indeterminate; boxes without BS_AUTO* keep their state (the program sets it).
class CheckBoxWidget : public QCheckBox
{
public:
    CheckBoxWidget(WindowHandle handle, QWidget* parent) : QCheckBox(parent), handle_(handle) {}

protected:
    // The whole control takes clicks, not only its box and text.
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
    void nextCheckState() override
    {
        WindowState* state = WindowState::of(handle_);
        if (state == nullptr)
            return;
        const uint32_t type = state->style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX)
            setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
        else if (type == BS_AUTO3STATE)
            setCheckState(checkState() == Qt::Unchecked     ? Qt::Checked
                              : checkState() == Qt::Checked ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
    }

private:
    WindowHandle handle_;
};

// A push-like check box (BS_PUSHLIKE): a push button that shows its check as pressed. Without
// BS_AUTO* it acts as a plain push button whose state the program sets.
class PushLikeCheckWidget : public QPushButton
{
public:
    PushLikeCheckWidget(WindowHandle handle, QWidget* parent) : QPushButton(parent), handle_(handle)
    {
        setCheckable(true);
        setAutoDefault(false);
    }

protected:
    void nextCheckState() override
    {
        WindowState* state = WindowState::of(handle_);
        if (state != nullptr && (state->style & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            setChecked(!isChecked());
    }

private:
    WindowHandle handle_;
};

// Radio buttons are checked by the platform (auto radio buttons within their WS_GROUP group) or
// by the program.
class RadioButtonWidget : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
    void nextCheckState() override {}
};

// The radio buttons of the WS_GROUP group `state` belongs to.
std::vector<WindowState*> radioGroup(WindowState* state)
{
    std::vector<WindowState*> group;
    if (state->parent == nullptr)
        return {state};
    const auto& siblings = state->parent->children;
    auto position = std::find(siblings.begin(), siblings.end(), state);
    auto first = position;
    while (first != siblings.begin() && ((*first)->style & WS_GROUP) == 0)
        --first;
    for (auto current = first; current != siblings.end(); ++current)
    {
        if (current != first && ((*current)->style & WS_GROUP) != 0)
            break;
        if ((*current)->kind == WindowKind::RadioButton)
            group.push_back(*current);
    }
    return group;
}

void setButtonCheck(WindowState* state, uint32_t check)
{
    if (state->kind == WindowKind::CheckBox && qobject_cast<QCheckBox*>(state->widget) == nullptr)
        static_cast<QAbstractButton*>(state->widget)->setChecked(check != BST_UNCHECKED);
    else if (state->kind == WindowKind::CheckBox)
    {
        auto* box = static_cast<QCheckBox*>(state->widget);
        box->setCheckState(check == BST_CHECKED             ? Qt::Checked
                               : check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
    }
    else if (state->kind == WindowKind::RadioButton)
        static_cast<QRadioButton*>(state->widget)->setChecked(check == BST_CHECKED);
}

uint32_t buttonCheck(const WindowState* state)
{
    if (state->kind == WindowKind::CheckBox && qobject_cast<QCheckBox*>(state->widget) == nullptr)
        return static_cast<QAbstractButton*>(state->widget)->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    if (state->kind == WindowKind::CheckBox)
    {
        switch (static_cast<QCheckBox*>(state->widget)->checkState())
        {
        case Qt::Checked:
            return BST_CHECKED;
        case Qt::PartiallyChecked:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
        }
    }
    if (state->kind == WindowKind::RadioButton)
        return static_cast<QRadioButton*>(state->widget)->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

void onButtonClicked(WindowHandle handle)
{
    guardedCall([&] {
        WindowState* state = WindowState::of(handle);
        if (state == nullptr)
            return;
        if (state->kind == WindowKind::RadioButton && (state->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            for (WindowState* member : radioGroup(state))
                if ((member->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                    setButtonCheck(member, member == state ? BST_CHECKED : BST_UNCHECKED);
        state->object->notifyParent(BN_CLICKED);
    });
}

QWidget* createPushButton(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    auto* button = new QPushButton(parentWidget);
    button->setAutoDefault(false);
    button->setDefault((state->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    QObject::connect(button, &QPushButton::clicked, [handle] { onButtonClicked(handle); });
    return button;
}

QWidget* createCheckBox(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    if ((state->style & BS_PUSHLIKE) != 0)
    {
        auto* button = new PushLikeCheckWidget(handle, parentWidget);
        QObject::connect(button, &QPushButton::clicked, [handle] { onButtonClicked(handle); });
        return button;
    }
    auto* box = new CheckBoxWidget(handle, parentWidget);
    const uint32_t type = state->style & BS_TYPEMASK;
    box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
    QObject::connect(box, &QCheckBox::clicked, [handle] { onButtonClicked(handle); });
    return box;
}

QWidget* createRadioButton(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    auto* radio = new RadioButtonWidget(parentWidget);
    radio->setAutoExclusive(false);
    QObject::connect(radio, &QRadioButton::clicked, [handle] { onButtonClicked(handle); });
    return radio;
}

void setButtonText(WindowState* state, const std::string& text)
{
    static_cast<QAbstractButton*>(state->widget)->setText(QString::fromStdString(text));
}

uint32_t buttonDialogCode(const WindowState* state)
{
    if (state->kind == WindowKind::RadioButton)
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (state->kind == WindowKind::PushButton)
        return DLGC_BUTTON |
            ((state->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    return DLGC_BUTTON;
}

LResult buttonMessage(WindowState* state, uint32_t message, WParam wParam, LParam, bool& handled)
{
    handled = true;
    auto* button = static_cast<QAbstractButton*>(state->widget);
    switch (message)
    {
    case BM_GETCHECK:
        return buttonCheck(state);
    case BM_SETCHECK:
        setButtonCheck(state, static_cast<uint32_t>(wParam));
        return 0;
    case BM_GETSTATE:
        return buttonCheck(state) | (button->isDown() ? BST_PUSHED : 0) |
            (Window::focus() == state->object ? BST_FOCUS : 0);
    case BM_SETSTATE:
        button->setDown(wParam != 0);
        return 0;
    case BM_CLICK:
        button->click();
        return 0;
    case BM_SETSTYLE: {
        const uint32_t type = static_cast<uint32_t>(wParam) & BS_TYPEMASK;
        state->style = (state->style & ~0xFFFFu) | (static_cast<uint32_t>(wParam) & 0xFFFFu);
        if (state->kind == WindowKind::PushButton)
            static_cast<QPushButton*>(button)->setDefault(type == BS_DEFPUSHBUTTON);
        if (controlKindFor("Button", state->style) != state->kind)
            replaceControlWidget(state);
        showDefaultPushButton(state->parent);
        return 0;
    }
    case WM_GETDLGCODE:
        return buttonDialogCode(state);
    case WM_SETFOCUS:
        if ((state->style & BS_NOTIFY) != 0)
            state->object->notifyParent(BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if ((state->style & BS_NOTIFY) != 0)
            state->object->notifyParent(BN_KILLFOCUS);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

} // namespace

const ControlKindBehaviour pushButtonBehaviour{
    .create = createPushButton, .setText = setButtonText, .message = buttonMessage};
const ControlKindBehaviour checkBoxBehaviour{
    .create = createCheckBox, .setText = setButtonText, .message = buttonMessage};
const ControlKindBehaviour radioButtonBehaviour{
    .create = createRadioButton, .setText = setButtonText, .message = buttonMessage};

void showDefaultPushButton(WindowState* container)
{
    if (container == nullptr)
        return;
    Window* focused = Window::focus();
    WindowState* focusedState = focused != nullptr ? focused->state() : nullptr;
    const bool pushButtonFocused = focusedState != nullptr && focusedState->parent == container &&
        (focused->sendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    for (WindowState* child : container->children)
        if (child->kind == WindowKind::PushButton)
            static_cast<QPushButton*>(child->widget)
                ->setDefault(pushButtonFocused ? child == focusedState
                                               : (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
}

// A button whose BS_ type changed kind (push button to check box): a new widget in its place.
void replaceControlWidget(WindowState* state)
{
    QWidget* old = state->widget;
    // The check state is read from the old widget while the kind still describes it.
    const uint32_t check = buttonCheck(state);
    state->kind = controlKindFor("Button", state->style);
    QWidget* replacement = createControlWidget(state, old->parentWidget());
    replacement->setGeometry(old->geometry());
    replacement->setEnabled(old->isEnabled());
    replacement->setAttribute(Qt::WA_NoMousePropagation);
    replacement->stackUnder(old);
    WindowRegistry::unmapWidget(old);
    WindowRegistry::mapWidget(replacement, state);
    state->widget = replacement;
    followStaticEdge(state);
    setControlText(state, state->text);
    setButtonCheck(state, check);
    replacement->setVisible((state->style & WS_VISIBLE) != 0);
    old->hide();
    old->deleteLater();
}

} // namespace platform
