#include "platform/qt/ScrollBars.h"

#include <QScrollBar>

#include <algorithm>

namespace platform
{

namespace
{

// The width of a vertical bar and the height of a horizontal one.
constexpr int barThickness = 16;

void sendScroll(WindowHandle handle, int32_t which, uint32_t code, int32_t position)
{
    WindowState* state = WindowState::of(handle);
    if (state == nullptr)
        return;
    const bool vertical = which == SB_VERT || (which == SB_CTL && (state->style & SBS_VERT) != 0);
    const uint32_t message = vertical ? WM_VSCROLL : WM_HSCROLL;
    const WParam wParam = makeWParam(code, static_cast<uint32_t>(position));
    if (which == SB_CTL)
        dispatchToWindow(state->parent, message, wParam, handleToLParam(handle));
    else
        dispatchToWindow(state, message, wParam, 0);
}

uint32_t scrollCode(int action)
{
    switch (action)
    {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace

WindowState::ScrollState* scrollState(WindowState* state, int32_t which)
{
    if (state == nullptr || which < SB_HORZ || which > SB_CTL)
        return nullptr;
    if (which == SB_CTL && state->kind != WindowKind::ScrollBar)
        return nullptr;
    return &state->scroll[which];
}

int32_t highestPosition(const ScrollInfo& info)
{
    return std::max(info.minimum, info.page > 0 ? info.maximum - info.page + 1 : info.maximum);
}

void showInBar(WindowState::ScrollState& scroll)
{
    if (scroll.bar == nullptr)
        return;
    const bool wasBlocked = scroll.bar->blockSignals(true);
    scroll.bar->setRange(scroll.info.minimum, highestPosition(scroll.info));
    scroll.bar->setPageStep(std::max(1, scroll.info.page));
    scroll.bar->setValue(scroll.info.position);
    scroll.bar->blockSignals(wasBlocked);
}

QScrollBar* makeScrollBar(WindowState* state, int32_t which, QWidget* parent)
{
    const bool vertical = which == SB_VERT || (which == SB_CTL && (state->style & SBS_VERT) != 0);
    auto* bar = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    state->scroll[which].bar = bar;
    showInBar(state->scroll[which]);
    const WindowHandle handle = state->handle;
    QObject::connect(bar, &QScrollBar::actionTriggered, [handle, which, bar](int action) {
        guardedCall([&] {
            WindowState::ScrollState* scroll = scrollState(WindowState::of(handle), which);
            if (scroll == nullptr)
                return;
            if (action == QAbstractSlider::SliderMove)
            {
                sendScroll(handle, which, SB_THUMBTRACK, bar->sliderPosition());
                return;
            }
            const uint32_t code = scrollCode(action);
            if (code == SB_ENDSCROLL)
                return;
            // The program moves the thumb in answer; the click alone does not.
            bar->setSliderPosition(scroll->info.position);
            sendScroll(handle, which, code, scroll->info.position);
            sendScroll(handle, which, SB_ENDSCROLL, scroll->info.position);
        });
    });
    QObject::connect(bar, &QScrollBar::sliderReleased, [handle, which, bar] {
        guardedCall([&] {
            sendScroll(handle, which, SB_THUMBPOSITION, bar->sliderPosition());
            sendScroll(handle, which, SB_ENDSCROLL, bar->sliderPosition());
            if (WindowState::ScrollState* scroll = scrollState(WindowState::of(handle), which))
                showInBar(*scroll);
        });
    });
    return bar;
}

QSize clientSize(const WindowState* state)
{
    QSize size = state->widget->size();
    if (state->kind != WindowKind::ScrollBar)
    {
        if (state->scroll[SB_VERT].bar != nullptr && !state->scroll[SB_VERT].bar->isHidden())
            size.rwidth() -= barThickness;
        if (state->scroll[SB_HORZ].bar != nullptr && !state->scroll[SB_HORZ].bar->isHidden())
            size.rheight() -= barThickness;
    }
    return size.expandedTo(QSize(0, 0));
}

void layoutScrollBars(WindowState* state)
{
    if (state->isNativeControl())
        return;
    for (int32_t which : {SB_HORZ, SB_VERT})
    {
        const bool wanted = (state->style & (which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
        QScrollBar*& bar = state->scroll[which].bar;
        if (wanted && bar == nullptr)
            makeScrollBar(state, which, state->widget);
        if (bar != nullptr)
            bar->setVisible(wanted);
    }
    const QSize client = clientSize(state);
    if (QScrollBar* vertical = state->scroll[SB_VERT].bar; vertical != nullptr && !vertical->isHidden())
        vertical->setGeometry(client.width(), 0, barThickness, client.height());
    if (QScrollBar* horizontal = state->scroll[SB_HORZ].bar; horizontal != nullptr && !horizontal->isHidden())
        horizontal->setGeometry(0, client.height(), client.width(), barThickness);
}

} // namespace platform
