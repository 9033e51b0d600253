#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The standard toolbar of the main frame: New, Import, Export, Print and About, in that order,
// with 16 x 16 images drawn here.

struct StandardToolbarButton
{
    std::uint32_t commandId;
    const std::string_view* picture; // 16 rows of 16 palette letters
};

const std::vector<StandardToolbarButton>& standardToolbarButtons();

// The images side by side in one strip (16 pixels high, 16 per button); the parts that show the
// button face are magenta, the image lists' mask colour.
platform::Surface standardToolbarImageStrip();
