#pragma once

// The arithmetic of the kit's controls, free of window code so that every library's version of
// a control shares it and tests check it alone.

#include "platform/Geometry.h"

#include <cstdint>
#include <optional>

// The colour of the focus frame drawn on a colour K (0x00BBGGRR): on a colour with any channel
// above 192 each channel is halved (darker); otherwise each channel c becomes 256 - (256 - c) / 2
// (lighter). Channel by channel, so nothing spills into the neighbour.
uint32_t focusFrameColour(uint32_t colour);

// A selected row's cell colour: the background halved and tinted green.
uint32_t selectedCellColour(uint32_t background);

// An angle in degrees brought into [-180, 180) by whole turns; any finite value, however large.
double wrapAngleDegrees(double degrees);

// One click of a spinner: up adds the step (multiplies by it in multiplicative mode), down
// subtracts (divides). Nothing (the value stays) when the result would not be a finite number,
// which includes a multiplicative step of 0. Multiplying never leaves 0, so a multiplicative
// click up from 0 gives `fromZero` instead (when it is not 0).
std::optional<double> spinnerStepped(double value, double step, bool multiply, bool up, double fromZero = 0.0);

// A spinner drag from lastY to y (moving up increases the value): linear by dragFactor per pixel,
// or exponential by e^(dragFactor) per pixel. Nothing when the result would not be finite. An
// exponential drag up from 0 starts from `fromZero` (when it is not 0).
std::optional<double> spinnerDragged(double value, int32_t lastY, int32_t y, double dragFactor, bool exponential,
                                     double fromZero = 0.0);

// Where the mini scroll bar's parts stand in a client rectangle: the track is the rightmost
// 6 pixels; above the thumb, the thumb (at least 15 pixels) and below it.
struct MiniScrollBarGeometry
{
    bool scrolls = false; // false: page >= total, the whole track is `above` and plain
    platform::Rect above;
    platform::Rect thumb;
    platform::Rect below;
    int32_t track = 0; // the track's height less the thumb's 16 fixed pixels
};
MiniScrollBarGeometry miniScrollBarGeometry(const platform::Rect& client, int32_t page, int32_t total,
                                            int32_t position);

// The scroll position while the thumb is dragged from startY (position startPosition) to y:
// moving by the whole track moves by the whole total; clamped to [0, total - page]. Without a
// usable track (<= 0 pixels) the position stays.
int32_t miniScrollBarDragPosition(int32_t startPosition, int32_t startY, int32_t y, int32_t page, int32_t total,
                                  int32_t track);

// A scroll position clamped to [0, total - page] (0 when everything fits).
int32_t clampScrollPosition(int32_t position, int32_t page, int32_t total);
