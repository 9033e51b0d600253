#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

// A 32-bit image that windows and memory bitmaps draw into. Every pixel is a colour word
// 0x00BBGGRR; the top byte reads as 0 whatever was written there.
//
// A surface can report what was drawn into it: whoever shows it (a window) sets a change
// callback and repaints the reported rectangle. Drawing code reports each finished operation
// with markChanged(); the pixel writers below report by themselves.
class PLATFORM_API Surface
{
public:
    using ChangeCallback = std::function<void(const Rect& changed)>;

    // An empty surface of 0 x 0 pixels.
    Surface();
    // A surface of the given size filled with one colour; negative sizes count as 0.
    Surface(int32_t width, int32_t height, uint32_t fillColour = 0x000000);
    ~Surface();
    // Copies and moves carry the pixels only: a surface keeps its own change callback (a window
    // may assign a new image to its backing surface), and a new one starts without.
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&& other);
    Surface& operator=(Surface&& other);

    int32_t width() const;
    int32_t height() const;
    Size size() const { return {width(), height()}; }
    Rect bounds() const { return {0, 0, width(), height()}; }
    bool isEmpty() const { return width() == 0 || height() == 0; }

    // The colour at (x, y); 0xFFFFFFFF (the system's "invalid colour") outside the surface.
    uint32_t pixel(int32_t x, int32_t y) const;
    // Sets one pixel; does nothing outside the surface.
    void setPixel(int32_t x, int32_t y, uint32_t colour);
    // Fills the whole surface, or the part of `area` inside it.
    void fill(uint32_t colour);
    void fillRect(const Rect& area, uint32_t colour);
    // New size; the top-left content stays, new pixels get `fillColour`. Reports nothing: the
    // owner that resizes knows it must repaint.
    void resize(int32_t width, int32_t height, uint32_t fillColour = 0x000000);

    // Direct access to one row of `width()` pixels for the drawing code; the top byte of each
    // word must be written as 0xFF (use storedColour()). Writers report with markChanged().
    uint32_t* row(int32_t y);
    const uint32_t* row(int32_t y) const;
    // All rows at once: height() rows of exactly width() words each, top row first (null when
    // empty). Same rules as row().
    uint32_t* pixelData();
    const uint32_t* pixelData() const;
    static constexpr uint32_t storedColour(uint32_t colour) { return colour | 0xFF000000u; }
    static constexpr uint32_t colourOf(uint32_t stored) { return stored & 0x00FFFFFFu; }

    void setChangeCallback(ChangeCallback callback);
    // Tells the change callback (if any) that `changed`, clipped to the surface, was drawn.
    void markChanged(const Rect& changed);

    // Writes the surface as a PNG file (tests write what they saw on a failure); false on error.
    bool savePng(const std::string& path) const;
    // Reads an image file (PNG, BMP, ...); an empty surface when it cannot be read.
    static Surface loadImage(const std::string& path);

    struct Data;

private:
    friend class SurfaceAccess;
    std::unique_ptr<Data> data_;
};

} // namespace platform
