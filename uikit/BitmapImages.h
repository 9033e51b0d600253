#pragma once

#include "platform/DynamicLibrary.h"
#include "platform/PixelArt.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace platform
{
class ImageList;
}

// Adds the module's bitmap of that id to the image list, its 0xFF00FF pixels transparent; the index
// of the new image, or -1 when the module has no such bitmap or it is smaller than one image.
int32_t addBitmapImage(platform::ModuleHandle module, int32_t bitmapId, platform::ImageList& images);

// Registers the picture drawn by `rows` (platform/PixelArt.h letters, '.' the mask colour, which
// tool bars and image lists leave transparent) as the module's bitmap of that id. Registering an
// id again replaces its picture.
void registerPixelArtBitmap(platform::ModuleHandle module, int32_t bitmapId, std::span<const std::string_view> rows,
                            std::span<const platform::PixelArtColour> palette = platform::standardPixelArtPalette());
void registerPixelArtBitmap(platform::ModuleHandle module, int32_t bitmapId,
                            std::initializer_list<std::string_view> rows);
