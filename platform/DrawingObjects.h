#pragma once

// The drawing objects a device context selects: pens, brushes and fonts. They are plain values:
// selecting one copies it into the context, so they can be made and dropped inside a loop.

#include "platform/DrawingConstants.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform
{

// A pen. Every pen draws one pixel wide lines (widths 0 and 1 are the ones in use; wider pens
// draw one pixel too). Styled pens repeat these patterns along a line, one step per pixel, on
// pixels first:
//   PS_DASH        6 on, 2 off
//   PS_DOT         2 on, 2 off
//   PS_DASHDOT     6 on, 2 off, 2 on, 2 off
//   PS_DASHDOTDOT  6 on, 2 off, 2 on, 2 off, 2 on, 2 off
// The gaps are painted in the background colour in OPAQUE mode and left alone in TRANSPARENT
// mode. The pattern runs on across lineTo calls and starts again at moveTo.
struct Pen
{
    int32_t style = PS_SOLID;
    int32_t width = 0;
    ColorRef colour = 0x000000;

    // WHITE_PEN, BLACK_PEN or NULL_PEN.
    static Pen stock(int32_t id)
    {
        switch (id)
        {
        case WHITE_PEN:
            return {PS_SOLID, 0, 0xFFFFFF};
        case BLACK_PEN:
            return {PS_SOLID, 0, 0x000000};
        case NULL_PEN:
            return {PS_NULL, 0, 0x000000};
        default:
            throw std::invalid_argument("platform::Pen::stock: not a stock pen");
        }
    }

    friend bool operator==(const Pen&, const Pen&) = default;
};

// A brush: solid in one colour, or hollow (BS_NULL), which fills nothing.
struct Brush
{
    int32_t style = BS_SOLID;
    ColorRef colour = 0xFFFFFF;

    static Brush solid(ColorRef colour) { return {BS_SOLID, colour}; }
    static Brush hollow() { return {BS_NULL, 0x000000}; }
    // WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH (0x808080), DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH.
    static Brush stock(int32_t id)
    {
        switch (id)
        {
        case WHITE_BRUSH:
            return solid(0xFFFFFF);
        case LTGRAY_BRUSH:
            return solid(0xC0C0C0);
        case GRAY_BRUSH:
            return solid(0x808080);
        case DKGRAY_BRUSH:
            return solid(0x404040);
        case BLACK_BRUSH:
            return solid(0x000000);
        case NULL_BRUSH:
            return hollow();
        default:
            throw std::invalid_argument("platform::Brush::stock: not a stock brush");
        }
    }

    friend bool operator==(const Brush&, const Brush&) = default;
};

// Font weights.
inline constexpr int32_t FW_DONTCARE = 0;
inline constexpr int32_t FW_NORMAL = 400;
inline constexpr int32_t FW_BOLD = 700;

// A font, described as the system's logical fonts are. Every face maps onto the DejaVu fonts
// that ship with the program's dependencies, so text looks and measures the same everywhere:
// fixed-pitch faces (or fixedPitch) onto "DejaVu Sans Mono", serif faces ("Times", "Serif",
// "Roman") onto "DejaVu Serif", all others onto "DejaVu Sans". Text is drawn without
// antialiasing: every pixel is the text colour or untouched.
struct Font
{
    std::string faceName; // "" = the default proportional face
    int32_t height = 0; // < 0: character (em) height in pixels; > 0: cell height; 0: 11-pixel characters
    int32_t weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;

    // The stock fonts: ANSI_VAR_FONT and DEFAULT_GUI_FONT (proportional, 11-pixel characters),
    // SYSTEM_FONT and DEVICE_DEFAULT_FONT (the same, bold), ANSI_FIXED_FONT, OEM_FIXED_FONT and
    // SYSTEM_FIXED_FONT (fixed pitch, 11-pixel characters).
    static Font stock(int32_t id)
    {
        switch (id)
        {
        case ANSI_VAR_FONT:
        case DEFAULT_GUI_FONT:
            return {"", -11, FW_NORMAL};
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
            return {"", -11, FW_BOLD};
        case ANSI_FIXED_FONT:
        case OEM_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            return {"", -11, FW_NORMAL, false, false, true};
        default:
            throw std::invalid_argument("platform::Font::stock: not a stock font");
        }
    }
    // The font of dialogs and their controls.
    static Font dialog() { return stock(ANSI_VAR_FONT); }

    friend bool operator==(const Font&, const Font&) = default;
};

// What a font measures, in pixels, as the system's text metrics.
struct TextMetrics
{
    int32_t height = 0; // ascent + descent: the height of a line of text
    int32_t ascent = 0; // from the top of the cell to the baseline
    int32_t descent = 0; // from the baseline to the bottom of the cell
    int32_t internalLeading = 0;
    int32_t externalLeading = 0;
    int32_t averageCharWidth = 0; // width of "x"
    int32_t maxCharWidth = 0;
};

} // namespace platform
