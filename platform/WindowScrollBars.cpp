#include "platform/Window.h"

#include "platform/qt/ScrollBars.h"

#include <QScrollBar>

#include <algorithm>

namespace platform
{

bool Window::setScrollInfo(int32_t bar, const ScrollInfo& info, bool redraw)
{
    WindowState::ScrollState* scroll = scrollState(state_, bar);
    if (scroll == nullptr)
        return false;
    scroll->info = info;
    scroll->info.maximum = std::max(info.minimum, info.maximum);
    scroll->info.page = std::clamp(info.page, 0, scroll->info.maximum - scroll->info.minimum + 1);
    scroll->info.position = std::clamp(info.position, scroll->info.minimum, highestPosition(scroll->info));
    showInBar(*scroll);
    if (redraw && scroll->bar != nullptr)
        scroll->bar->update();
    return true;
}

ScrollInfo Window::getScrollInfo(int32_t bar) const
{
    WindowState::ScrollState* scroll = scrollState(state_, bar);
    return scroll != nullptr ? scroll->info : ScrollInfo{0, 0, 0, 0};
}

int32_t Window::setScrollPos(int32_t bar, int32_t position, bool redraw)
{
    WindowState::ScrollState* scroll = scrollState(state_, bar);
    if (scroll == nullptr)
        return 0;
    const int32_t previous = scroll->info.position;
    ScrollInfo info = scroll->info;
    info.position = position;
    setScrollInfo(bar, info, redraw);
    return previous;
}

int32_t Window::getScrollPos(int32_t bar) const
{
    return getScrollInfo(bar).position;
}

bool Window::setScrollRange(int32_t bar, int32_t minimum, int32_t maximum, bool redraw)
{
    WindowState::ScrollState* scroll = scrollState(state_, bar);
    if (scroll == nullptr)
        return false;
    ScrollInfo info = scroll->info;
    info.minimum = minimum;
    info.maximum = maximum;
    return setScrollInfo(bar, info, redraw);
}

bool Window::showScrollBar(int32_t bar, bool show)
{
    if (state_ == nullptr || (bar != SB_HORZ && bar != SB_VERT) || state_->isNativeControl())
        return false;
    const uint32_t bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (show == ((state_->style & bit) != 0))
        return true;
    const QSize before = clientSize(state_);
    state_->style = show ? (state_->style | bit) : (state_->style & ~bit);
    layoutScrollBars(state_);
    const QSize after = clientSize(state_);
    if (after != before)
    {
        dispatchToWindow(state_, WM_SIZE, 0, makeLParam(after.width(), after.height()));
        invalidate(true);
    }
    return true;
}

} // namespace platform
