#pragma once

#include "platform/DrawingConstants.h"
#include "platform/Surface.h"

#include <memory>
#include <stdexcept>
#include <utility>

namespace platform
{

// A memory bitmap: a handle to a Surface that memory device contexts select and draw into.
// Copies of a Bitmap are the same bitmap (like the system's bitmap handles); a bitmap lives as
// long as any handle or device context holds it, so deleting it while selected is harmless.
class Bitmap
{
public:
    // The null bitmap: selects nothing, has no pixels.
    Bitmap() = default;
    // A bitmap of the given size in one colour (a "compatible bitmap" starts black).
    Bitmap(int32_t width, int32_t height, ColorRef fillColour = 0x000000)
        : surface_(std::make_shared<Surface>(width, height, fillColour))
    {
    }
    // A bitmap holding the given image, e.g. Surface::loadImage(path) or a copy of a window's image.
    explicit Bitmap(Surface image) : surface_(std::make_shared<Surface>(std::move(image))) {}

    bool isNull() const { return !surface_; }
    int32_t width() const { return surface_ ? surface_->width() : 0; }
    int32_t height() const { return surface_ ? surface_->height() : 0; }
    Size size() const { return {width(), height()}; }

    // The pixels; a null bitmap has none, asking for them is a program error.
    Surface& surface() const
    {
        if (!surface_)
            throw std::logic_error("platform::Bitmap::surface: the bitmap is null");
        return *surface_;
    }

    // Same bitmap, not same pixels.
    friend bool operator==(const Bitmap& first, const Bitmap& second) { return first.surface_ == second.surface_; }

private:
    std::shared_ptr<Surface> surface_;
};

} // namespace platform
