#pragma once

// Private to the platform library: the exact pixel walks behind DeviceContext's lines and
// polygons. Everything works in device pixels with 64-bit coordinates, so int32 input can never
// overflow, and clips before it visits a pixel, so the work is bounded by the clip size.

#include "platform/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace platform::raster
{

struct DevicePoint
{
    int64_t x = 0;
    int64_t y = 0;
};

// Calls visit(x, y, step) for every pixel of the Bresenham line from `from` towards `to`, the
// last pixel left out, that lies inside `clip`; `step` counts pixels from `from` (for pen
// patterns). The pixel at step i lies at major = start + i and minor = start + round(i * slope),
// halves rounded away from the start, so a clipped line hits the same pixels as an unclipped one.
template <typename Visit>
void forEachLinePixel(DevicePoint from, DevicePoint to, const Rect& clip, Visit&& visit)
{
    if (clip.isEmpty())
        return;
    const int64_t dx = to.x - from.x;
    const int64_t dy = to.y - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t majorDelta = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t minorDelta = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (majorDelta == 0)
        return;
    const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorStart = xMajor ? from.x : from.y;
    const int64_t minorStart = xMajor ? from.y : from.x;
    const int64_t majorLow = xMajor ? clip.left : clip.top;
    const int64_t majorHigh = xMajor ? clip.right : clip.bottom; // exclusive
    const int64_t minorLow = xMajor ? clip.top : clip.left;
    const int64_t minorHigh = xMajor ? clip.bottom : clip.right;

    // Steps whose major coordinate lies inside the clip: at most the clip's extent.
    int64_t firstStep = 0;
    int64_t endStep = majorDelta;
    if (majorStep > 0)
    {
        firstStep = std::max(firstStep, majorLow - majorStart);
        endStep = std::min(endStep, majorHigh - majorStart);
    }
    else
    {
        firstStep = std::max(firstStep, majorStart - majorHigh + 1);
        endStep = std::min(endStep, majorStart - majorLow + 1);
    }
    if (firstStep >= endStep)
        return;

    // minor offset at step i = floor((2 i minorDelta + majorDelta) / (2 majorDelta)); the
    // numerator reaches 2^65 for int32 input, so the starting value is computed in 128 bits.
    const int64_t denominator = 2 * majorDelta;
    const __int128 startNumerator = static_cast<__int128>(2) * firstStep * minorDelta + majorDelta;
    int64_t minorOffset = static_cast<int64_t>(startNumerator / denominator);
    int64_t remainder = static_cast<int64_t>(startNumerator % denominator);
    for (int64_t step = firstStep; step < endStep; ++step)
    {
        const int64_t major = majorStart + majorStep * step;
        const int64_t minor = minorStart + minorStep * minorOffset;
        if (minor >= minorLow && minor < minorHigh)
        {
            if (xMajor)
                visit(static_cast<int32_t>(major), static_cast<int32_t>(minor), step);
            else
                visit(static_cast<int32_t>(minor), static_cast<int32_t>(major), step);
        }
        remainder += 2 * minorDelta;
        if (remainder >= denominator)
        {
            remainder -= denominator;
            ++minorOffset;
        }
    }
}

// Calls fillSpan(y, left, right) for every row of the polygon inside `clip`, alternate
// (even-odd) filling. Pixels are sampled at their integer coordinates, as lines place them, so
// the fill meets the outline without gaps; a sample on an edge counts as inside on the left and
// top edges only.
template <typename FillSpan>
void forEachPolygonSpan(std::span<const DevicePoint> points, const Rect& clip, FillSpan&& fillSpan)
{
    if (points.size() < 3 || clip.isEmpty())
        return;
    int64_t top = points[0].y;
    int64_t bottom = points[0].y;
    for (const DevicePoint& point : points)
    {
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    const int64_t firstRow = std::max<int64_t>(top, clip.top);
    const int64_t endRow = std::min<int64_t>(bottom, clip.bottom);
    std::vector<double> crossings;
    for (int64_t row = firstRow; row < endRow; ++row)
    {
        crossings.clear();
        for (size_t index = 0; index < points.size(); ++index)
        {
            const DevicePoint& a = points[index];
            const DevicePoint& b = points[(index + 1) % points.size()];
            if (a.y == b.y)
                continue;
            const DevicePoint& upper = a.y < b.y ? a : b;
            const DevicePoint& lower = a.y < b.y ? b : a;
            if (row < upper.y || row >= lower.y)
                continue;
            const double t = static_cast<double>(row - upper.y) / static_cast<double>(lower.y - upper.y);
            crossings.push_back(static_cast<double>(upper.x) + t * static_cast<double>(lower.x - upper.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t index = 0; index + 1 < crossings.size(); index += 2)
        {
            // Pixel x is inside when start <= x < end; clamp to the clip before converting, the
            // crossings may lie far outside the int range.
            const double start = std::clamp(std::ceil(crossings[index]), static_cast<double>(clip.left),
                                            static_cast<double>(clip.right));
            const double end = std::clamp(std::ceil(crossings[index + 1]), static_cast<double>(clip.left),
                                          static_cast<double>(clip.right));
            if (start < end)
                fillSpan(static_cast<int32_t>(row), static_cast<int32_t>(start), static_cast<int32_t>(end));
        }
    }
}

// The result of a raster operation on 24-bit colours: bit i of `truthTable` is the result for
// the input bits (pattern, source, destination) = i read as a 3-bit number.
constexpr uint32_t mixTernary(uint32_t truthTable, uint32_t pattern, uint32_t source, uint32_t destination)
{
    uint32_t result = 0;
    for (uint32_t index = 0; index < 8; ++index)
    {
        if (!((truthTable >> index) & 1u))
            continue;
        const uint32_t p = (index & 4u) ? pattern : ~pattern;
        const uint32_t s = (index & 2u) ? source : ~source;
        const uint32_t d = (index & 1u) ? destination : ~destination;
        result |= p & s & d;
    }
    return result & 0x00FFFFFFu;
}

} // namespace platform::raster

namespace platform::raster
{

// A ROP2 mode with the pen colour fixed, reduced to result = constant ^ (destination & keep).
// Built straight from the mode's truth table, without walking it per bit: every line and fill
// makes one, so this sits on the paint's hot path.
struct PenMix
{
    PenMix(int32_t mode, uint32_t pen)
    {
        // The mode (R2_BLACK = 1 .. R2_WHITE = 16) less one is a truth table: its bit
        // (2 * pen bit + destination bit) is the result for those input bits.
        const uint32_t table = static_cast<uint32_t>(mode - 1) & 0xFu;
        const auto allBits = [table](uint32_t index) { return ((table >> index) & 1u) ? 0x00FFFFFFu : 0u; };
        const uint32_t penBits = pen & 0x00FFFFFFu;
        const uint32_t noPenBits = ~pen & 0x00FFFFFFu;
        constant = (noPenBits & allBits(0)) | (penBits & allBits(2));
        keep = (noPenBits & (allBits(0) ^ allBits(1))) | (penBits & (allBits(2) ^ allBits(3)));
    }
    uint32_t apply(uint32_t destination) const { return (constant ^ (destination & keep)) & 0x00FFFFFFu; }
    bool ignoresDestination() const { return keep == 0; }

    uint32_t constant;
    uint32_t keep;
};

// A raster operation with the pattern fixed, as four masks for the (source, destination) cases.
struct BlitMix
{
    BlitMix(uint32_t truthTable, uint32_t pattern)
        : neither(mixTernary(truthTable, pattern, 0, 0)),
          destinationOnly(mixTernary(truthTable, pattern, 0, 0x00FFFFFFu)),
          sourceOnly(mixTernary(truthTable, pattern, 0x00FFFFFFu, 0)),
          both(mixTernary(truthTable, pattern, 0x00FFFFFFu, 0x00FFFFFFu))
    {
    }
    uint32_t apply(uint32_t source, uint32_t destination) const
    {
        return ((neither & ~source & ~destination) | (destinationOnly & ~source & destination) |
                (sourceOnly & source & ~destination) | (both & source & destination)) &
            0x00FFFFFFu;
    }

    uint32_t neither;
    uint32_t destinationOnly;
    uint32_t sourceOnly;
    uint32_t both;
};

} // namespace platform::raster
