#include "uikit/ControlRules.h"

#include <algorithm>
#include <cmath>

uint32_t focusFrameColour(uint32_t colour)
{
    bool anyBright = false;
    for (int shift = 0; shift < 24; shift += 8)
        anyBright = anyBright || ((colour >> shift) & 0xFF) > 192;
    if (anyBright)
        return (colour >> 1) & 0x7F7F7F;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8)
    {
        const uint32_t channel = (colour >> shift) & 0xFF;
        result |= (256 - (256 - channel) / 2) << shift;
    }
    return result;
}

uint32_t selectedCellColour(uint32_t background)
{
    return ((background & 0xFEFEFEFE) >> 1) + 0x407F40;
}

double wrapAngleDegrees(double degrees)
{
    double wrapped = std::fmod(degrees + 180.0, 360.0);
    if (wrapped < 0)
        wrapped += 360.0;
    wrapped -= 180.0;
    // fmod's result plus a turn may round up to the excluded end.
    return wrapped >= 180.0 ? wrapped - 360.0 : wrapped;
}

namespace
{

std::optional<double> finiteOrNothing(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::optional<double> spinnerStepped(double value, double step, bool multiply, bool up, double fromZero)
{
    if (multiply)
    {
        if (step == 0.0)
            return std::nullopt;
        if (value == 0.0 && up && fromZero != 0.0)
            return finiteOrNothing(fromZero);
        return finiteOrNothing(up ? value * step : value / step);
    }
    return finiteOrNothing(up ? value + step : value - step);
}

std::optional<double> spinnerDragged(double value, int32_t lastY, int32_t y, double dragFactor, bool exponential,
                                     double fromZero)
{
    const double pixelsUp = static_cast<double>(lastY) - static_cast<double>(y);
    if (exponential)
    {
        if (value == 0.0 && pixelsUp > 0 && fromZero != 0.0)
            value = fromZero;
        return finiteOrNothing(value * std::exp(pixelsUp * dragFactor));
    }
    return finiteOrNothing(value + pixelsUp * dragFactor);
}

MiniScrollBarGeometry miniScrollBarGeometry(const platform::Rect& client, int32_t page, int32_t total, int32_t position)
{
    MiniScrollBarGeometry geometry;
    platform::Rect track = client;
    track.left = track.right - 6;
    geometry.track = track.height() - 16;
    if (page >= total || total <= 0)
    {
        geometry.above = track;
        return geometry;
    }
    geometry.scrolls = true;
    // Single precision as the bar always drew; a bar too short for a track shows a bare thumb.
    const float perPixel = 1.0f / static_cast<float>(total);
    const float trackLength = static_cast<float>(std::max(geometry.track, 0));
    const float positionLength = static_cast<float>(position) * perPixel * trackLength;
    const float pageLength = static_cast<float>(page) * perPixel * trackLength;
    geometry.above = {track.left, track.top, track.right, track.top + static_cast<int32_t>(positionLength) + 1};
    geometry.thumb = {track.left + 1, geometry.above.bottom, track.right,
                      geometry.above.bottom + static_cast<int32_t>(pageLength) + 15};
    geometry.below = {track.left, geometry.thumb.bottom, track.right, track.bottom};
    return geometry;
}

int32_t clampScrollPosition(int32_t position, int32_t page, int32_t total)
{
    if (page >= total)
        return 0;
    return std::clamp(position, 0, total - page);
}

int32_t miniScrollBarDragPosition(int32_t startPosition, int32_t startY, int32_t y, int32_t page, int32_t total,
                                  int32_t track)
{
    if (track <= 0)
        return clampScrollPosition(startPosition, page, total);
    const double moved = (static_cast<double>(y) - startY) * (static_cast<double>(total) / track);
    // Clamped as a double first, so that the conversion to int is always defined.
    const double wanted = std::clamp(startPosition + std::trunc(moved), -1.0, static_cast<double>(total) + 1.0);
    return clampScrollPosition(static_cast<int32_t>(wanted), page, total);
}
