#pragma once

#include "platform/DynamicLibrary.h"

#include <cstdint>

namespace platform
{
class ImageList;
}

// Adds the module's bitmap of that id to the image list, its 0xFF00FF pixels transparent; the index
// of the new image, or -1 when the module has no such bitmap or it is smaller than one image.
int32_t addBitmapImage(platform::ModuleHandle module, int32_t bitmapId, platform::ImageList& images);
