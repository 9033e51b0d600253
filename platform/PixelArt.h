#pragma once

// Small images (toolbar buttons, tab images, cursors) written as text in the source: one string
// per row, one character per pixel, each character a colour of a palette. For example
//
//   static constexpr std::string_view arrowRows[] = {
//       "k.......",
//       "kk......",
//       "kwk.....",
//   };
//   platform::Bitmap arrow = platform::pixelArt(arrowRows);
//
// '.' is the mask colour (magenta, IMAGE_MASK_COLOUR), drawn as transparent by image lists.

#include "platform/Bitmap.h"
#include "platform/DrawingConstants.h"
#include "platform/PlatformApi.h"
#include "platform/Resources.h"

#include <initializer_list>
#include <span>
#include <string_view>

namespace platform
{

struct PixelArtColour
{
    char key;
    ColorRef colour;
};

// The classic 16 colours, with the mask in place of bright magenta:
//   '.' mask (0xFF00FF)  'k' black   'w' white   's' silver (C0C0C0)   'g' grey (808080)
//   'r' red      'R' dark red      'y' yellow   'Y' olive   'l' lime (bright green)
//   'G' green    'c' cyan          'C' teal     'b' blue    'B' navy   'p' purple
PLATFORM_API std::span<const PixelArtColour> standardPixelArtPalette();

// The image drawn by `rows` in `palette` (the standard one when none is given). All rows must
// have the same length and use only keys of the palette; anything else is a program error and
// throws std::invalid_argument naming the row and column.
PLATFORM_API Bitmap pixelArt(std::span<const std::string_view> rows,
                             std::span<const PixelArtColour> palette = standardPixelArtPalette());
PLATFORM_API Bitmap pixelArt(std::initializer_list<std::string_view> rows,
                             std::span<const PixelArtColour> palette = standardPixelArtPalette());

// A cursor resource drawn by `rows` in the standard palette, '.' transparent, with its hot spot.
PLATFORM_API CursorResource pixelArtCursor(std::span<const std::string_view> rows, int32_t hotspotX,
                                           int32_t hotspotY);

} // namespace platform
