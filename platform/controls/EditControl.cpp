// The single-line edit control: a toolkit line edit that reports EN_CHANGE for the person's typing.

#include "platform/qt/LineEditSelection.h"
#include "platform/qt/ControlKinds.h"
#include "platform/qt/OwnerTextColour.h"

#include <QLineEdit>

namespace platform
{

namespace
{

Qt::Alignment editAlignment(uint32_t style)
{
    if ((style & 3) == ES_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if ((style & 3) == ES_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QLineEdit* lineEdit(const WindowState* state)
{
    return static_cast<QLineEdit*>(state->widget);
}

QWidget* createEdit(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    const uint32_t style = state->style;
    auto* edit = new QLineEdit(parentWidget);
    edit->setAlignment(editAlignment(style));
    edit->setReadOnly((style & ES_READONLY) != 0);
    edit->setFrame(true);
    if ((style & ES_PASSWORD) != 0)
        edit->setEchoMode(QLineEdit::Password);
    useOwnerTextColour(*edit);
    // textEdited comes from the person's typing only, never from setText.
    QObject::connect(edit, &QLineEdit::textEdited, [handle] {
        guardedCall([&] {
            if (Window* window = Window::fromHandle(handle))
                window->notifyParent(EN_CHANGE);
        });
    });
    return edit;
}

void setEditText(WindowState* state, const std::string& text)
{
    ProgrammaticChange change(state->widget);
    QLineEdit* edit = lineEdit(state);
    edit->setText(QString::fromStdString(text));
    // A text put in by the program shows from its start (sign and leading digits of a long number),
    // not scrolled to its end; a field the person is typing in keeps its caret.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

std::string editText(const WindowState* state)
{
    const std::string inView = lineEdit(state)->text().toStdString();
    // A number fitted into the field reads back in its full text until the person changes it.
    if (state->number && state->number->inView == inView)
        return state->number->text;
    return inView;
}

LResult editMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    QLineEdit* edit = lineEdit(state);
    switch (message)
    {
    case EM_SETSEL:
        selectInLineEdit(*edit, static_cast<int32_t>(static_cast<intptr_t>(wParam)), static_cast<int32_t>(lParam));
        return 0;
    case EM_GETSEL: {
        const LineEditSelection selection = lineEditSelection(*edit);
        return static_cast<LResult>(
            makeLong(static_cast<uint32_t>(selection.start), static_cast<uint32_t>(selection.end)));
    }
    case EM_LIMITTEXT:
        edit->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(wParam));
        return 0;
    case EM_SETREADONLY:
        edit->setReadOnly(wParam != 0);
        if (wParam != 0)
            state->style |= ES_READONLY;
        else
            state->style &= ~ES_READONLY;
        return 1;
    case EM_REPLACESEL: {
        ProgrammaticChange change(edit);
        edit->insert(lParam != 0 ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString());
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
        state->object->notifyParent(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->object->notifyParent(EN_KILLFOCUS);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

} // namespace

const ControlKindBehaviour editBehaviour{
    .create = createEdit, .setText = setEditText, .getText = editText, .message = editMessage};

} // namespace platform
