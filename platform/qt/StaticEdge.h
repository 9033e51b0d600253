#pragma once

// Private to the platform library: the static edge (WS_EX_STATICEDGE), a one-pixel sunken frame
// around a window of any kind, drawn over the window's outermost pixels after the window painted.

#include "platform/qt/WindowState.h"

namespace platform
{

// Lets the window's widget draw the edge whenever the window's extended style asks for it; call
// after the widget is made and after the extended style changed.
void followStaticEdge(WindowState* state);

} // namespace platform
