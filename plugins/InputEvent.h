#pragma once

#include <cstdint>

// The flags word of a mouse or key event in a view, as the host view makes it and the view
// interface, tools and draw objects read it. Mouse events carry the held-button bits the way the
// system's own mouse messages do: a press or move while the right button is down has RightHeld.
namespace InputEvent
{
constexpr uint32_t LeftHeld = 0x01;
constexpr uint32_t RightHeld = 0x02;
constexpr uint32_t MiddleHeld = 0x04;
constexpr uint32_t Shift = 0x08;
constexpr uint32_t Ctrl = 0x10;
constexpr uint32_t ModifierKeys = Shift | Ctrl;

// The event kind.
constexpr uint32_t KindMask = 0xF00;
constexpr uint32_t Move = 0x000;
constexpr uint32_t LeftDown = 0x100;
constexpr uint32_t LeftUp = 0x200;
constexpr uint32_t RightDown = 0x300;
constexpr uint32_t RightUp = 0x400;
constexpr uint32_t MiddleDown = 0x500;
constexpr uint32_t MiddleUp = 0x600;
constexpr uint32_t LeftDoubleClick = 0x700;
constexpr uint32_t RightDoubleClick = 0x800;
constexpr uint32_t MiddleDoubleClick = 0x900;
constexpr uint32_t ShiftDown = 0xA00;
constexpr uint32_t ShiftUp = 0xB00;
constexpr uint32_t CtrlDown = 0xC00;
constexpr uint32_t CtrlUp = 0xD00;

// Alone, with coordinates -1: the mouse left for a view of another document.
constexpr uint32_t Leave = 0x80;
// Alone, with coordinates 0: does the tool take mouse input now?
constexpr uint32_t Probe = 0x1000;

constexpr uint32_t kindOf(uint32_t flags)
{
    return flags & KindMask;
}
} // namespace InputEvent
