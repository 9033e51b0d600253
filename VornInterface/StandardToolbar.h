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

// Command ids of the buttons.
inline constexpr std::uint32_t commandFileNew = 57600;
inline constexpr std::uint32_t commandImport = 32777;
inline constexpr std::uint32_t commandExport = 32778;
inline constexpr std::uint32_t commandFilePrint = 57607;
inline constexpr std::uint32_t commandAppAbout = 57664;

const std::vector<StandardToolbarButton>& standardToolbarButtons();

// The images side by side in one strip (16 pixels high, 16 per button); the parts that show the
// button face are magenta, the image lists' mask colour.
platform::Surface standardToolbarImageStrip();
