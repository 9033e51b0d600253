#pragma once

#include "platform/SystemValues.h"

#include <cstdint>

namespace platform
{

// One toolbar button as plugins describe it and the customise notifications hand it over. The
// fields and their values (TBSTATE_, TBSTYLE_) are the system's; the layout is fixed-width for
// 64-bit data words.
struct ToolbarButton
{
    std::int32_t imageIndex = -1; // index in the toolbar's image list; -1 before an image was added
    std::int32_t commandId = 0;
    std::uint8_t state = 0; // TBSTATE_ bits
    std::uint8_t style = 0; // TBSTYLE_ value
    std::uint8_t reserved[6] = {};
    std::uint64_t data = 0; // the owner's word (plugins keep a pointer to their item here)
    std::int64_t stringIndex = 0; // index of the button's text; 0 = none
};
static_assert(sizeof(ToolbarButton) == 32, "the button record has a fixed layout");

} // namespace platform
