// The owner's text colour of an edit: asked for at every paint, so the owner only has to redraw
// the control when its answer changes.

#include "platform/qt/OwnerTextColour.h"

#include "platform/qt/ColourQt.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>

namespace platform
{

namespace
{

// The text colour of the enabled states; the disabled state keeps its own.
constexpr QPalette::ColorGroup enabledGroups[] = {QPalette::Active, QPalette::Inactive};

// Asks the owner of the edit's control and gives the palette its answer. The palette changes only
// when the answer does, so steady answers cost no further paint.
void applyOwnerTextColour(QLineEdit& edit)
{
    // The edit's own window, or the combo box whose field it is.
    WindowState* control = WindowState::of(&edit);
    if (control == nullptr || control->destroying || control->parent == nullptr)
        return;
    const WindowHandle self = control->handle;
    const auto answer =
        static_cast<ColorRef>(dispatchToWindow(control->parent, WM_CTLCOLOREDIT, 0, handleToLParam(self)));
    if (WindowState::of(self) == nullptr)
        return;
    const QPalette ownColours = QApplication::palette(&edit);
    QPalette palette = edit.palette();
    bool changed = false;
    for (QPalette::ColorGroup group : enabledGroups)
    {
        const QColor wanted = answer == CLR_DEFAULT ? ownColours.color(group, QPalette::Text) : qtColour(answer);
        if (palette.color(group, QPalette::Text) != wanted)
        {
            palette.setColor(group, QPalette::Text, wanted);
            changed = true;
        }
    }
    if (changed)
        edit.setPalette(palette);
}

class OwnerTextColourFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        QPointer<QLineEdit> edit = static_cast<QLineEdit*>(watched);
        if (!edit->isEnabled())
            return false;
        guardedCall([&] { applyOwnerTextColour(*edit); });
        // An owner that destroyed the control while answering leaves nothing to paint.
        return edit.isNull();
    }
};

} // namespace

void useOwnerTextColour(QLineEdit& edit)
{
    // One filter for the running application, which owns it (a test may make several).
    static QPointer<OwnerTextColourFilter> filter;
    if (filter == nullptr)
    {
        filter = new OwnerTextColourFilter;
        filter->setParent(QCoreApplication::instance());
    }
    edit.installEventFilter(filter);
}

} // namespace platform
