#pragma once

#include <cstdint>

namespace platform
{

// One toolbar button as plugins describe it and the customise notifications hand it over. The
// fields and their values are the system's; the layout is fixed-width for 64-bit data words.
struct ToolbarButton
{
    std::int32_t imageIndex = -1; // index in the toolbar's image list; -1 before an image was added
    std::int32_t commandId = 0;
    std::uint8_t state = 0;       // toolbar_state bits
    std::uint8_t style = 0;       // toolbar_style value
    std::uint8_t reserved[6] = {};
    std::uint64_t data = 0;       // the owner's word (plugins keep a pointer to their item here)
    std::int64_t stringIndex = 0; // index of the button's text; 0 = none
};
static_assert(sizeof(ToolbarButton) == 32, "the button record has a fixed layout");

// Button state bits.
namespace toolbar_state
{
constexpr std::uint8_t Checked = 0x01;
constexpr std::uint8_t Pressed = 0x02;
constexpr std::uint8_t Enabled = 0x04;
constexpr std::uint8_t Hidden = 0x08;
constexpr std::uint8_t Indeterminate = 0x10;
constexpr std::uint8_t Wrap = 0x20;
} // namespace toolbar_state

// Button styles.
namespace toolbar_style
{
constexpr std::uint8_t Button = 0x00;
constexpr std::uint8_t Separator = 0x01;
constexpr std::uint8_t Check = 0x02;
constexpr std::uint8_t Group = 0x04;
constexpr std::uint8_t CheckGroup = Check | Group;
} // namespace toolbar_style

} // namespace platform
