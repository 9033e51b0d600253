#pragma once

// Private to the platform library: fonts and text through Qt, for DeviceContext and dialogs.

#include "platform/DrawingObjects.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

#include <string_view>

class QFont;
class QPainter;

namespace platform::text
{

// The font of dialogs and their controls: Liberation Sans, 11-pixel characters (13-pixel lines);
// one-colour glyphs, as all text.
QFont dialogFont();
// The dialog font's base units: width, the average width of its letters; height, its line.
Size dialogBaseUnits();

TextMetrics metricsOf(const Font& font);
// The advance width of the text in the font.
int32_t widthOf(const Font& font, std::string_view text);
// Draws the text with the top-left corner of its cell at (left, top), in device pixels, only
// inside `clip`. Reports nothing to the surface's change callback.
void draw(Surface& target, const Rect& clip, int32_t left, int32_t top, const Font& font, std::string_view text,
          ColorRef colour);

// The same through `painter` (a printed page): vector text, clipped by the painter's clip.
void draw(QPainter& painter, int32_t left, int32_t top, const Font& font, std::string_view text, ColorRef colour);

} // namespace platform::text
