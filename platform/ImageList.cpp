#include "platform/ImageList.h"

#include "platform/Surface.h"

#include <vector>

namespace platform
{

struct ImageList::State
{
    Size imageSize;
    // Each image as colour words, NoMask where transparent.
    std::vector<std::vector<std::uint32_t>> images;
};

ImageList::ImageList(Size imageSize) : state_(std::make_unique<State>())
{
    state_->imageSize = imageSize;
}

ImageList::~ImageList() = default;

Size ImageList::imageSize() const
{
    return state_->imageSize;
}

int ImageList::count() const
{
    return static_cast<int>(state_->images.size());
}

int ImageList::add(const Surface& strip, std::uint32_t maskColour)
{
    const Size size = state_->imageSize;
    if (size.width <= 0 || size.height <= 0 || strip.height() < size.height || strip.width() < size.width)
        return -1;
    const int first = count();
    const int pieces = strip.width() / size.width;
    for (int piece = 0; piece < pieces; ++piece)
    {
        std::vector<std::uint32_t> image(static_cast<size_t>(size.width) * size.height);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
            {
                const std::uint32_t colour = strip.pixel(piece * size.width + x, y);
                image[static_cast<size_t>(y) * size.width + x] = colour == maskColour ? NoMask : colour;
            }
        state_->images.push_back(std::move(image));
    }
    return first;
}

void ImageList::clear()
{
    state_->images.clear();
}

std::uint32_t ImageList::pixel(int index, int x, int y) const
{
    const Size size = state_->imageSize;
    if (index < 0 || index >= count() || x < 0 || y < 0 || x >= size.width || y >= size.height)
        return NoMask;
    return state_->images[index][static_cast<size_t>(y) * size.width + x];
}

namespace
{

// Greyed drawing of a disabled button: the brightness, lifted towards light grey.
std::uint32_t greyed(std::uint32_t colour)
{
    const std::uint32_t r = colour & 0xFF;
    const std::uint32_t g = (colour >> 8) & 0xFF;
    const std::uint32_t b = (colour >> 16) & 0xFF;
    const std::uint32_t level = 128 + (r * 30 + g * 59 + b * 11) / 200;
    return level | (level << 8) | (level << 16);
}

} // namespace

void ImageList::draw(int index, Surface& target, Point at, bool disabled) const
{
    if (index < 0 || index >= count())
        return;
    const Size size = state_->imageSize;
    const std::vector<std::uint32_t>& image = state_->images[index];
    for (int y = 0; y < size.height; ++y)
    {
        const int targetY = at.y + y;
        if (targetY < 0 || targetY >= target.height())
            continue;
        std::uint32_t* row = target.row(targetY);
        for (int x = 0; x < size.width; ++x)
        {
            const int targetX = at.x + x;
            const std::uint32_t colour = image[static_cast<size_t>(y) * size.width + x];
            if (targetX < 0 || targetX >= target.width() || colour == NoMask)
                continue;
            row[targetX] = Surface::storedColour(disabled ? greyed(colour) : colour);
        }
    }
    target.markChanged(Rect::fromPointAndSize(at, size));
}

} // namespace platform

#include "platform/qt/ImageListQt.h"

#include <QImage>

namespace platform
{

QPixmap pixmapOf(const ImageList& images, int index)
{
    if (index < 0 || index >= images.count())
        return QPixmap();
    const Size size = images.imageSize();
    QImage image(size.width, size.height, QImage::Format_ARGB32);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
        {
            const std::uint32_t colour = images.pixel(index, x, y);
            image.setPixel(x, y,
                           colour == ImageList::NoMask
                               ? 0u
                               : 0xFF000000u | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
        }
    return QPixmap::fromImage(image);
}

} // namespace platform
