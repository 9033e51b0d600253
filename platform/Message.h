#pragma once

// The message record shared by all modules, and the handle that names a window in it.

#include "platform/Geometry.h"

#include <cstdint>

namespace platform
{

// Names one window. Safe to hold and to pass between modules: once the window is gone the handle
// names nothing (its slot's generation has moved on) and every operation on it does nothing.
// Value 0 never names a window.
enum class WindowHandle : uint64_t
{
    None = 0
};

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// A window message as the queue hands it out: the target window, the Win32-numbered message,
// its two parameters, the time (the millisecond tick count) and the cursor's screen position.
struct Message
{
    WindowHandle window = WindowHandle::None;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;
    Point point;
};

// Packing and unpacking of the 16-bit halves, as the system's messages use them.
constexpr uint32_t makeLong(uint32_t low, uint32_t high)
{
    return (low & 0xFFFFu) | ((high & 0xFFFFu) << 16);
}
constexpr WParam makeWParam(uint32_t low, uint32_t high)
{
    return makeLong(low, high);
}
constexpr LParam makeLParam(uint32_t low, uint32_t high)
{
    return static_cast<LParam>(makeLong(low, high));
}
constexpr uint32_t lowWord(uint64_t value)
{
    return static_cast<uint32_t>(value & 0xFFFFu);
}
constexpr uint32_t highWord(uint64_t value)
{
    return static_cast<uint32_t>((value >> 16) & 0xFFFFu);
}
// Client coordinates in a mouse message's lParam, signed (negative under capture).
constexpr LParam pointToLParam(Point point)
{
    return makeLParam(static_cast<uint32_t>(point.x), static_cast<uint32_t>(point.y));
}
constexpr Point pointFromLParam(LParam value)
{
    return {static_cast<int16_t>(lowWord(static_cast<uint64_t>(value))),
            static_cast<int16_t>(highWord(static_cast<uint64_t>(value)))};
}
// A window handle carried in a message parameter (WM_COMMAND's lParam, WM_SETCURSOR's wParam).
inline LParam handleToLParam(WindowHandle handle)
{
    return static_cast<LParam>(static_cast<uint64_t>(handle));
}
inline WindowHandle handleFromParam(uint64_t value)
{
    return static_cast<WindowHandle>(value);
}

} // namespace platform
