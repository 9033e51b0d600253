#include "platform/Surface.h"

#include "platform/qt/SurfaceImage.h"

#include <QImageReader>
#include <QString>
#include <bit>
#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

static_assert(std::endian::native == std::endian::little, "pixel words are read as little-endian RGBX bytes");

namespace platform
{

namespace
{

QImage makeImage(int32_t width, int32_t height, uint32_t fillColour)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGBX8888);
    if (image.isNull())
        throw std::bad_alloc();
    // Rows of 32-bit pixels are never padded, so pixelData() can hand out one block.
    if (image.bytesPerLine() != static_cast<qsizetype>(width) * 4)
        throw std::logic_error("platform::Surface: padded image rows");
    const uint32_t stored = Surface::storedColour(fillColour);
    for (int32_t y = 0; y < height; ++y)
    {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        std::fill(line, line + width, stored);
    }
    return image;
}

} // namespace

Surface::Surface() : data_(std::make_unique<Data>())
{
}

Surface::Surface(int32_t width, int32_t height, uint32_t fillColour) : data_(std::make_unique<Data>())
{
    data_->image = makeImage(width, height, fillColour);
}

Surface::~Surface() = default;

Surface::Surface(const Surface& other) : data_(std::make_unique<Data>())
{
    data_->image = other.data_->image;
}

Surface& Surface::operator=(const Surface& other)
{
    if (this != &other)
        data_->image = other.data_->image;
    return *this;
}

Surface::Surface(Surface&& other) : data_(std::make_unique<Data>())
{
    data_->image = std::exchange(other.data_->image, QImage());
}

Surface& Surface::operator=(Surface&& other)
{
    if (this != &other)
        data_->image = std::exchange(other.data_->image, QImage());
    return *this;
}

int32_t Surface::width() const
{
    return data_->image.width();
}

int32_t Surface::height() const
{
    return data_->image.height();
}

uint32_t Surface::pixel(int32_t x, int32_t y) const
{
    if (!bounds().contains({x, y}))
        return 0xFFFFFFFFu;
    return colourOf(row(y)[x]);
}

void Surface::setPixel(int32_t x, int32_t y, uint32_t colour)
{
    if (!bounds().contains({x, y}))
        return;
    row(y)[x] = storedColour(colour);
    markChanged({x, y, x + 1, y + 1});
}

void Surface::fill(uint32_t colour)
{
    fillRect(bounds(), colour);
}

void Surface::fillRect(const Rect& area, uint32_t colour)
{
    const Rect inside = area.intersected(bounds());
    if (inside.isEmpty())
        return;
    const uint32_t stored = storedColour(colour);
    for (int32_t y = inside.top; y < inside.bottom; ++y)
    {
        uint32_t* line = row(y);
        std::fill(line + inside.left, line + inside.right, stored);
    }
    markChanged(inside);
}

void Surface::resize(int32_t width, int32_t height, uint32_t fillColour)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == this->width() && height == this->height())
        return;
    QImage resized = makeImage(width, height, fillColour);
    const int32_t keptWidth = std::min(width, this->width());
    const int32_t keptHeight = std::min(height, this->height());
    for (int32_t y = 0; keptWidth > 0 && y < keptHeight; ++y)
        std::memcpy(resized.scanLine(y), data_->image.constScanLine(y), sizeof(uint32_t) * keptWidth);
    data_->image = std::move(resized);
}

uint32_t* Surface::row(int32_t y)
{
    return reinterpret_cast<uint32_t*>(data_->image.scanLine(y));
}

const uint32_t* Surface::row(int32_t y) const
{
    return reinterpret_cast<const uint32_t*>(data_->image.constScanLine(y));
}

uint32_t* Surface::pixelData()
{
    return isEmpty() ? nullptr : reinterpret_cast<uint32_t*>(data_->image.bits());
}

const uint32_t* Surface::pixelData() const
{
    return isEmpty() ? nullptr : reinterpret_cast<const uint32_t*>(data_->image.constBits());
}

void Surface::setChangeCallback(ChangeCallback callback)
{
    data_->changed = std::move(callback);
}

void Surface::markChanged(const Rect& changed)
{
    if (!data_->changed)
        return;
    const Rect inside = changed.intersected(bounds());
    if (!inside.isEmpty())
        data_->changed(inside);
}

bool Surface::savePng(const std::string& path) const
{
    return !data_->image.isNull() && data_->image.save(QString::fromStdString(path), "PNG");
}

Surface Surface::loadImage(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    QImage loaded = reader.read();
    Surface surface;
    if (!loaded.isNull())
        surface.data_->image = loaded.convertToFormat(QImage::Format_RGBX8888);
    return surface;
}

} // namespace platform
