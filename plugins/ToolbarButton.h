#pragma once

#include <cstdint>

// One button of a toolbar, with the fields of the system's toolbar button record. A menu item
// keeps one for the button that runs it; whoever puts the button on a toolbar fills it.
struct ToolbarButton
{
    int32_t imageIndex = -1;
    int32_t commandId = 0;
    uint8_t state = 0;
    uint8_t style = 0;
    uint8_t reserved[2] = {0, 0};
    uintptr_t data = 0;
    intptr_t stringIndex = 0;
};
