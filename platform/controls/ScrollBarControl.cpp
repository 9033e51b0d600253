// The scroll bar control (SB_CTL): its position and range are the ones the program set.

#include "platform/qt/ControlKinds.h"
#include "platform/qt/ScrollBars.h"

#include <QScrollBar>

namespace platform
{

namespace
{

QWidget* createScrollBarControl(WindowState* state, QWidget* parentWidget)
{
    return makeScrollBar(state, SB_CTL, parentWidget);
}

LResult scrollBarMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    Window* bar = state->object;
    switch (message)
    {
    case SBM_SETPOS:
        return bar->setScrollPos(SB_CTL, static_cast<int32_t>(static_cast<intptr_t>(wParam)), lParam != 0);
    case SBM_GETPOS:
        return bar->getScrollPos(SB_CTL);
    case SBM_SETRANGE:
        bar->setScrollRange(SB_CTL, static_cast<int32_t>(static_cast<intptr_t>(wParam)), static_cast<int32_t>(lParam),
                            false);
        return 0;
    case SBM_GETRANGE: {
        const ScrollInfo info = bar->getScrollInfo(SB_CTL);
        if (wParam != 0)
            *reinterpret_cast<int32_t*>(wParam) = info.minimum;
        if (lParam != 0)
            *reinterpret_cast<int32_t*>(lParam) = info.maximum;
        return 0;
    }
    default:
        handled = false;
        return 0;
    }
}

} // namespace

const ControlKindBehaviour scrollBarBehaviour{.create = createScrollBarControl, .message = scrollBarMessage};

} // namespace platform
