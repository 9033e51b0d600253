#pragma once

#include <algorithm>
#include <cstdint>

namespace platform
{

// Plain integer geometry in pixels, y pointing down, laid out as the system's POINT, SIZE and RECT.

struct Point
{
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size
{
    int32_t width = 0;
    int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle whose right and bottom edges are exclusive: it covers the pixels with
// left <= x < right and top <= y < bottom. Width and height are right - left and bottom - top.
struct Rect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static constexpr Rect fromPointAndSize(Point topLeft, Size size)
    {
        return {topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height};
    }

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr Point topLeft() const { return {left, top}; }
    constexpr Point bottomRight() const { return {right, bottom}; }
    // Empty when it covers no pixel (also when inverted).
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    // The common part; an empty rectangle when they do not overlap.
    constexpr Rect intersected(const Rect& other) const
    {
        Rect common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                    std::min(bottom, other.bottom)};
        return common.isEmpty() ? Rect{} : common;
    }
    // The smallest rectangle holding both; an empty one does not count.
    constexpr Rect united(const Rect& other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    constexpr Rect translated(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Grows by dx on the left and right and dy on the top and bottom (shrinks for negative values).
    constexpr Rect inflated(int32_t dx, int32_t dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    // The same rectangle with left <= right and top <= bottom.
    constexpr Rect normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
