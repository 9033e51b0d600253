#pragma once

// Private to the platform library: images of an image list as Qt pixmaps with transparency.

#include "platform/ImageList.h"

#include <QPixmap>

namespace platform
{

// The image as a pixmap whose masked pixels are transparent; a null pixmap for a bad index.
QPixmap pixmapOf(const ImageList& images, int index);

} // namespace platform
