// The group box: a frame with a title around other controls; it takes neither clicks nor focus.

#include "platform/qt/ControlKinds.h"

#include <QGroupBox>

namespace platform
{

namespace
{

QWidget* createGroupBox(WindowState*, QWidget* parentWidget)
{
    auto* group = new QGroupBox(parentWidget);
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
    group->setFocusPolicy(Qt::NoFocus);
    return group;
}

void setGroupBoxText(WindowState* state, const std::string& text)
{
    static_cast<QGroupBox*>(state->widget)->setTitle(QString::fromStdString(text));
}

LResult groupBoxMessage(WindowState*, uint32_t message, WParam, LParam, bool& handled)
{
    handled = message == WM_GETDLGCODE;
    return handled ? DLGC_STATIC : 0;
}

} // namespace

const ControlKindBehaviour groupBoxBehaviour{
    .create = createGroupBox, .setText = setGroupBoxText, .message = groupBoxMessage};

} // namespace platform
