#pragma once

#include <cstdint>
#include <optional>

// Mouse and key input of a view turned into the event values that plugins and the accelerator
// table understand.

// The event value of a mouse message: the held buttons and modifiers (0x01 left, 0x02 right,
// 0x04 middle, 0x08 Shift, 0x10 Ctrl) plus the event kind (0x000 move, 0x100-0x600 down and up
// of left, right and middle, 0x700-0x900 their double clicks). `keyFlags` are the system's mouse
// key flags of the message. Answers nothing for a message that is not one of the ten.
std::optional<std::uint32_t> mouseEventValue(std::uint32_t message, std::uint32_t keyFlags);

// The accelerator code of a released key: 72 + virtual key, +256 with Shift, +512 with Ctrl.
// Answers nothing for a key outside 0-255.
std::optional<std::uint32_t> keyReleaseCode(std::uint32_t virtualKey, bool shiftHeld, bool controlHeld);

class MAI;
class MAI_View;

// Hands a view window's input message to its view interface: the ten mouse messages as events,
// Shift and Ctrl going down or up as key states, a released key to the plugins bound to its code
// (with Shift and Ctrl as they are held now), the wheel as one beep. False for other messages.
bool routeViewInput(MAI_View& view, MAI& mai, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
