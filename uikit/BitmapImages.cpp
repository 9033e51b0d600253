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
