#include "uikit/BitmapImages.h"

#include "platform/ImageList.h"
#include "platform/Resources.h"
#include "platform/Surface.h"
#include "platform/DrawingConstants.h"

using namespace platform;

int32_t addBitmapImage(ModuleHandle module, int32_t bitmapId, ImageList& images)
{
    const BitmapResource* bitmap = nullptr;
    try
    {
        bitmap = findBitmapResource(module, bitmapId);
    }
    catch (const ResourceError&)
    {
        return -1;
    }
    const Size size = images.imageSize();
    if (bitmap == nullptr || bitmap->width < size.width || bitmap->height < size.height)
        return -1;
    Surface strip(bitmap->width, bitmap->height);
    for (int32_t y = 0; y < bitmap->height; ++y)
        for (int32_t x = 0; x < bitmap->width; ++x)
            strip.setPixel(x, y, bitmap->pixels[static_cast<size_t>(y) * static_cast<size_t>(bitmap->width) + x]);
    return images.add(strip, IMAGE_MASK_COLOUR);
}

void registerPixelArtBitmap(ModuleHandle module, int32_t bitmapId, std::span<const std::string_view> rows,
                            std::span<const PixelArtColour> palette)
{
    const Bitmap art = pixelArt(rows, palette);
    BitmapResource bitmap;
    bitmap.width = art.width();
    bitmap.height = art.height();
    bitmap.transparentColour = IMAGE_MASK_COLOUR;
    bitmap.pixels.reserve(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height));
    for (int32_t y = 0; y < bitmap.height; ++y)
        for (int32_t x = 0; x < bitmap.width; ++x)
            bitmap.pixels.push_back(art.surface().pixel(x, y));
    registerBitmapResource(module, bitmapId, std::move(bitmap));
}

void registerPixelArtBitmap(ModuleHandle module, int32_t bitmapId, std::initializer_list<std::string_view> rows)
{
    registerPixelArtBitmap(module, bitmapId, std::span<const std::string_view>(rows.begin(), rows.size()));
}
