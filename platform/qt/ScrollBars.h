#pragma once

// Private to the platform library: the toolkit scroll bars of windows and scroll bar controls
// (ScrollBars.cpp) and the scroll state behind Window's scroll bar methods (WindowScrollBars.cpp).

#include "platform/qt/WindowState.h"

#include <QSize>

#include <cstdint>

class QScrollBar;
class QWidget;

namespace platform
{

// A toolkit scroll bar reporting to the window: WM_HSCROLL/WM_VSCROLL to the parent for a
// scroll bar control (SB_CTL), to the window itself for its own bars.
QScrollBar* makeScrollBar(WindowState* state, int32_t which, QWidget* parent);
// Creates or places the window's own bars (WS_HSCROLL, WS_VSCROLL) at its edges.
void layoutScrollBars(WindowState* state);
// The client size: the window without its own scroll bars.
QSize clientSize(const WindowState* state);

// The scroll state of a bar (SB_HORZ, SB_VERT, or SB_CTL of a scroll bar control); null for
// any other bar.
WindowState::ScrollState* scrollState(WindowState* state, int32_t which);
// The highest thumb position: with a page the thumb goes up to maximum - page + 1.
int32_t highestPosition(const ScrollInfo& info);
// Shows the scroll state in its toolkit bar, if there is one, without reporting a scroll.
void showInBar(WindowState::ScrollState& scroll);

} // namespace platform
