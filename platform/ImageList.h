#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <memory>

namespace platform
{

class Surface;

// A list of equally sized images, as toolbars, tab controls and trees use them. Images are cut
// from a strip left to right; with a mask colour, pixels of that colour are transparent.
class PLATFORM_API ImageList
{
public:
    static constexpr std::uint32_t NoMask = 0xFFFFFFFFu;

    explicit ImageList(Size imageSize);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    Size imageSize() const;
    int count() const;

    // Adds the images of the strip (as many whole images as fit its width; the strip must be at
    // least one image wide and high) and answers the index of the first, or -1 when none fits.
    int add(const Surface& strip, std::uint32_t maskColour = NoMask);
    void clear();

    // The image's colour at (x, y), or NoMask where it is transparent or outside.
    std::uint32_t pixel(int index, int x, int y) const;
    // Draws the image with its top-left corner at `at`, leaving transparent pixels alone; a
    // disabled image is drawn greyed. Does nothing for an index that is not in the list.
    void draw(int index, Surface& target, Point at, bool disabled = false) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
