#pragma once

// A person's input, delivered the way the toolkit delivers it (through the same event path as
// real input), for tests and scripted end-to-end runs.

#include "platform/Geometry.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <string>

namespace platform
{

// A mouse event at `client` (client coordinates of `window`, may lie outside it). `action` is
// WM_MOUSEMOVE or a button's WM_*BUTTONDOWN / WM_*BUTTONUP; `keyFlags` may hold MK_SHIFT and
// MK_CONTROL. `time` is the event's millisecond time stamp; 0 takes one a second after the last
// simulated event, so that separate calls never make a double click by accident.
PLATFORM_API void simulateMouse(WindowHandle window, uint32_t action, Point client, uint32_t keyFlags = 0,
                                uint32_t time = 0);

// A key pressed or released over the window with the focus inside `window` (or `window`
// itself). `keyName` is the toolkit's name of the key: "A", "5", "F13", "PgUp", "PgDown",
// "Home", "End", "Ins", "Del", "Left", "Up", "Return", "Tab", "Esc", "Space", ";" ... `keypad`
// marks a key of the numeric pad. False when the name names no key.
PLATFORM_API bool simulateKey(WindowHandle window, const std::string& keyName, bool press, uint32_t keyFlags = 0,
                              bool keypad = false);

// Types `text` (printable characters) into the window: each character pressed and released.
PLATFORM_API void simulateTyping(WindowHandle window, const std::string& text);

// The virtual-key code the platform reports for the named key (0 for none); see simulateKey.
PLATFORM_API uint32_t virtualKeyForKeyName(const std::string& keyName, bool keypad = false);

} // namespace platform
