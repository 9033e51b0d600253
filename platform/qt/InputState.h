#pragma once

// Private to the platform library: what the translation of the toolkit's pointer and key events
// keeps (Input.cpp), read by the cursor and key queries and used by the simulated input.

#include "platform/SystemValues.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>

namespace platform
{

// The buttons and modifiers of the last input event.
extern Qt::MouseButtons heldButtons;
extern Qt::KeyboardModifiers heldModifiers;
// Where the pointer was at the last pointer event, and whether there was one at all.
extern QPoint lastGlobalPosition;
extern bool anyPointerEvent;
// The widget the pointer was last over.
extern QPointer<QWidget> pointerWidget;

// The messages of the left, right and middle button, and the buttons, in that order.
inline constexpr uint32_t downMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
inline constexpr uint32_t upMessages[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
inline constexpr Qt::MouseButton buttonsByIndex[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// The virtual key for a toolkit key code (0: none); `keypad` for keys of the numeric pad.
uint32_t virtualKeyFor(int key, bool keypad);
// The toolkit key code for a virtual key (0: none of the keys a control handles).
int toolkitKeyForVirtualKey(uint32_t virtualKey);

} // namespace platform
