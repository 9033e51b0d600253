#pragma once

// Colours, system colours and the numeric constants of drawing, with the values the system uses.
// Plain header: usable by plugins and core code without a window.

#include <array>
#include <cstdint>

namespace platform
{

// A colour word 0x00BBGGRR.
using ColorRef = uint32_t;

constexpr ColorRef rgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) | (static_cast<ColorRef>(blue) << 16);
}
constexpr uint8_t redOf(ColorRef colour)
{
    return static_cast<uint8_t>(colour);
}
constexpr uint8_t greenOf(ColorRef colour)
{
    return static_cast<uint8_t>(colour >> 8);
}
constexpr uint8_t blueOf(ColorRef colour)
{
    return static_cast<uint8_t>(colour >> 16);
}

// Answered by pixel reads outside the drawable area.
inline constexpr ColorRef CLR_INVALID = 0xFFFFFFFF;
// A control's own colour instead of one set for it.
inline constexpr ColorRef CLR_DEFAULT = 0xFF000000;
// The mask colour of image lists: pixels of this colour are not drawn.
inline constexpr ColorRef IMAGE_MASK_COLOUR = 0xFF00FF;

// System colour indexes.
inline constexpr int32_t COLOR_SCROLLBAR = 0;
inline constexpr int32_t COLOR_BACKGROUND = 1;
inline constexpr int32_t COLOR_ACTIVECAPTION = 2;
inline constexpr int32_t COLOR_INACTIVECAPTION = 3;
inline constexpr int32_t COLOR_MENU = 4;
inline constexpr int32_t COLOR_WINDOW = 5;
inline constexpr int32_t COLOR_WINDOWFRAME = 6;
inline constexpr int32_t COLOR_MENUTEXT = 7;
inline constexpr int32_t COLOR_WINDOWTEXT = 8;
inline constexpr int32_t COLOR_CAPTIONTEXT = 9;
inline constexpr int32_t COLOR_ACTIVEBORDER = 10;
inline constexpr int32_t COLOR_INACTIVEBORDER = 11;
inline constexpr int32_t COLOR_APPWORKSPACE = 12;
inline constexpr int32_t COLOR_HIGHLIGHT = 13;
inline constexpr int32_t COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int32_t COLOR_BTNFACE = 15;
inline constexpr int32_t COLOR_BTNSHADOW = 16;
inline constexpr int32_t COLOR_GRAYTEXT = 17;
inline constexpr int32_t COLOR_BTNTEXT = 18;
inline constexpr int32_t COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int32_t COLOR_BTNHIGHLIGHT = 20;
inline constexpr int32_t COLOR_3DDKSHADOW = 21;
inline constexpr int32_t COLOR_3DLIGHT = 22;
inline constexpr int32_t COLOR_INFOTEXT = 23;
inline constexpr int32_t COLOR_INFOBK = 24;
inline constexpr int32_t COLOR_HOTLIGHT = 26;
inline constexpr int32_t COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int32_t COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int32_t COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int32_t COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int32_t COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;

// The one fixed classic palette behind getSysColor, the same on every machine so that drawing
// tests are exact.
inline constexpr std::array<ColorRef, 29> CLASSIC_SYSTEM_COLOURS = {
    0xC0C0C0, // COLOR_SCROLLBAR
    0x808000, // COLOR_BACKGROUND (teal desktop)
    0x800000, // COLOR_ACTIVECAPTION (navy)
    0x808080, // COLOR_INACTIVECAPTION
    0xC0C0C0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x000000, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0xFFFFFF, // COLOR_CAPTIONTEXT
    0xC0C0C0, // COLOR_ACTIVEBORDER
    0xC0C0C0, // COLOR_INACTIVEBORDER
    0x808080, // COLOR_APPWORKSPACE
    0x800000, // COLOR_HIGHLIGHT (navy)
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xC0C0C0, // COLOR_BTNFACE
    0x808080, // COLOR_BTNSHADOW
    0x808080, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0xC0C0C0, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x000000, // COLOR_3DDKSHADOW
    0xDFDFDF, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK (pale yellow)
    0x000000, // (unused index 25)
    0x800000, // COLOR_HOTLIGHT
    0xF0CAA6, // COLOR_GRADIENTACTIVECAPTION
    0xC0C0C0, // COLOR_GRADIENTINACTIVECAPTION
};

// The colour of a system colour index; black for an unknown index, as the system answers.
constexpr ColorRef getSysColor(int32_t index)
{
    return index >= 0 && index < static_cast<int32_t>(CLASSIC_SYSTEM_COLOURS.size()) ? CLASSIC_SYSTEM_COLOURS[index]
                                                                                     : 0x000000;
}

// Pen styles.
inline constexpr int32_t PS_SOLID = 0;
inline constexpr int32_t PS_DASH = 1;
inline constexpr int32_t PS_DOT = 2;
inline constexpr int32_t PS_DASHDOT = 3;
inline constexpr int32_t PS_DASHDOTDOT = 4;
inline constexpr int32_t PS_NULL = 5;

// Brush styles.
inline constexpr int32_t BS_SOLID = 0;
inline constexpr int32_t BS_NULL = 1;
inline constexpr int32_t BS_HOLLOW = BS_NULL;

// Stock objects.
inline constexpr int32_t WHITE_BRUSH = 0;
inline constexpr int32_t LTGRAY_BRUSH = 1;
inline constexpr int32_t GRAY_BRUSH = 2;
inline constexpr int32_t DKGRAY_BRUSH = 3;
inline constexpr int32_t BLACK_BRUSH = 4;
inline constexpr int32_t NULL_BRUSH = 5;
inline constexpr int32_t HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int32_t WHITE_PEN = 6;
inline constexpr int32_t BLACK_PEN = 7;
inline constexpr int32_t NULL_PEN = 8;
inline constexpr int32_t OEM_FIXED_FONT = 10;
inline constexpr int32_t ANSI_FIXED_FONT = 11;
inline constexpr int32_t ANSI_VAR_FONT = 12;
inline constexpr int32_t SYSTEM_FONT = 13;
inline constexpr int32_t DEVICE_DEFAULT_FONT = 14;
inline constexpr int32_t SYSTEM_FIXED_FONT = 16;
inline constexpr int32_t DEFAULT_GUI_FONT = 17;

// Mix modes of pens and brushes (setROP2).
inline constexpr int32_t R2_BLACK = 1;
inline constexpr int32_t R2_NOTMERGEPEN = 2;
inline constexpr int32_t R2_MASKNOTPEN = 3;
inline constexpr int32_t R2_NOTCOPYPEN = 4;
inline constexpr int32_t R2_MASKPENNOT = 5;
inline constexpr int32_t R2_NOT = 6;
inline constexpr int32_t R2_XORPEN = 7;
inline constexpr int32_t R2_NOTMASKPEN = 8;
inline constexpr int32_t R2_MASKPEN = 9;
inline constexpr int32_t R2_NOTXORPEN = 10;
inline constexpr int32_t R2_NOP = 11;
inline constexpr int32_t R2_MERGENOTPEN = 12;
inline constexpr int32_t R2_COPYPEN = 13;
inline constexpr int32_t R2_MERGEPENNOT = 14;
inline constexpr int32_t R2_MERGEPEN = 15;
inline constexpr int32_t R2_WHITE = 16;

// Raster operations of bit blits: bits 16-23 are the truth table over (pattern, source,
// destination), every one of the 256 tables works.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr uint32_t SRCPAINT = 0x00EE0086;
inline constexpr uint32_t SRCAND = 0x008800C6;
inline constexpr uint32_t SRCINVERT = 0x00660046;
inline constexpr uint32_t SRCERASE = 0x00440328;
inline constexpr uint32_t NOTSRCCOPY = 0x00330008;
inline constexpr uint32_t NOTSRCERASE = 0x001100A6;
inline constexpr uint32_t MERGECOPY = 0x00C000CA;
inline constexpr uint32_t MERGEPAINT = 0x00BB0226;
inline constexpr uint32_t PATCOPY = 0x00F00021;
inline constexpr uint32_t PATPAINT = 0x00FB0A09;
inline constexpr uint32_t PATINVERT = 0x005A0049;
inline constexpr uint32_t DSTINVERT = 0x00550009;
inline constexpr uint32_t BLACKNESS = 0x00000042;
inline constexpr uint32_t WHITENESS = 0x00FF0062;

// Background modes: whether gaps of styled pens and the box behind text are painted.
inline constexpr int32_t TRANSPARENT = 1;
inline constexpr int32_t OPAQUE = 2;

// Text alignment flags (setTextAlign).
inline constexpr uint32_t TA_NOUPDATECP = 0;
inline constexpr uint32_t TA_UPDATECP = 1;
inline constexpr uint32_t TA_LEFT = 0;
inline constexpr uint32_t TA_RIGHT = 2;
inline constexpr uint32_t TA_CENTER = 6;
inline constexpr uint32_t TA_TOP = 0;
inline constexpr uint32_t TA_BOTTOM = 8;
inline constexpr uint32_t TA_BASELINE = 24;

// Edge borders and edges (drawEdge).
inline constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
inline constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
inline constexpr uint32_t BDR_RAISEDINNER = 0x0004;
inline constexpr uint32_t BDR_SUNKENINNER = 0x0008;
inline constexpr uint32_t BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr uint32_t BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// Which sides drawEdge draws, and how.
inline constexpr uint32_t BF_LEFT = 0x0001;
inline constexpr uint32_t BF_TOP = 0x0002;
inline constexpr uint32_t BF_RIGHT = 0x0004;
inline constexpr uint32_t BF_BOTTOM = 0x0008;
inline constexpr uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr uint32_t BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr uint32_t BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr uint32_t BF_MIDDLE = 0x0800; // fill the inside with the button face
inline constexpr uint32_t BF_ADJUST = 0x2000; // shrink the caller's rectangle by the borders drawn

} // namespace platform
