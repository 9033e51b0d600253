// Numbers the program shows in edits and static texts, fitted to the control's width in the
// control's own font and fitted again when the control's size, font or style changes.

#include "platform/NumberFit.h"
#include "platform/qt/ControlKinds.h"
#include "platform/qt/WindowState.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform
{

namespace
{

// The width a line edit lays its text out in without scrolling: its contents less the text
// margins, the two-pixel margin at either side and the caret's pixel.
int editTextWidth(const QLineEdit& edit)
{
    QStyleOptionFrame panel;
    panel.initFrom(&edit);
    panel.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &edit) : 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

// The width a label lays its text out in: its contents less its margin and indent.
int labelTextWidth(const QLabel& label)
{
    const int indent = label.indent() >= 0 ? label.indent()
        : label.frameWidth() > 0           ? label.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2
                                           : 0;
    return label.contentsRect().width() - 2 * label.margin() - 2 * indent;
}

bool showsNumbers(const WindowState& state)
{
    return state.kind == WindowKind::Edit || state.kind == WindowKind::StaticText;
}

// The text the control shows now.
std::string textShown(const WindowState& state)
{
    if (state.kind == WindowKind::Edit)
        return static_cast<QLineEdit*>(state.widget)->text().toStdString();
    return static_cast<QLabel*>(state.widget)->text().toStdString();
}

void fitShownNumber(WindowState* state)
{
    WindowState::ShownNumber& number = *state->number;
    const QFontMetrics metrics(state->widget->font());
    const int width = state->kind == WindowKind::Edit ? editTextWidth(*static_cast<QLineEdit*>(state->widget))
                                                      : labelTextWidth(*static_cast<QLabel*>(state->widget));
    std::string fitted = fitNumberText(number.value, number.text, number.digits, width, [&](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    });
    if (fitted == number.inView && textShown(*state) == fitted)
        return;
    number.inView = std::move(fitted);
    behaviourOf(state->kind).setText(state, number.inView);
}

// Fits a shown number again when its control changes size, font or style (a control is polished
// with its style's font when it is first shown); a field the person changed keeps their text.
class RefitOnChange : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Resize && type != QEvent::FontChange && type != QEvent::StyleChange &&
            type != QEvent::Polish)
            return false;
        WindowState* state = WindowState::of(static_cast<QWidget*>(watched));
        if (state != nullptr && state->widget == watched && state->number && textShown(*state) == state->number->inView)
            guardedCall([state] { fitShownNumber(state); });
        return false;
    }
};

} // namespace

void Window::setNumberText(double value, const std::string& text, int digits)
{
    if (state_ == nullptr)
        return;
    if (!showsNumbers(*state_))
    {
        setWindowText(text);
        return;
    }
    state_->text = text;
    state_->number = WindowState::ShownNumber{value, text, digits, {}};
    static RefitOnChange refit;
    state_->widget->installEventFilter(&refit);
    fitShownNumber(state_);
}

bool Window::shownNumber(double& value) const
{
    if (state_ == nullptr || !state_->number || textShown(*state_) != state_->number->inView)
        return false;
    value = state_->number->value;
    return true;
}

std::string Window::textInView() const
{
    if (state_ == nullptr)
        return {};
    if (showsNumbers(*state_))
        return textShown(*state_);
    return windowText();
}

} // namespace platform
