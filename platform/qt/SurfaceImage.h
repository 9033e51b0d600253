#pragma once

// Private to the platform library: the QImage behind a Surface, for blitting it into a widget
// or painting text on it with QPainter. Public headers never include this file.

#include "platform/Surface.h"

#include <QImage>

namespace platform
{

struct Surface::Data
{
    QImage image; // Format_RGBX8888: the little-endian word of a pixel is 0xFFBBGGRR
    ChangeCallback changed;
};

class SurfaceAccess
{
public:
    // The surface's image; writing into it bypasses the change callback (call markChanged).
    static QImage& image(Surface& surface) { return surface.data_->image; }
    static const QImage& image(const Surface& surface) { return surface.data_->image; }
};

// Shorthands for the two accessors above.
inline QImage& surfaceImage(Surface& surface)
{
    return SurfaceAccess::image(surface);
}
inline const QImage& surfaceImage(const Surface& surface)
{
    return SurfaceAccess::image(surface);
}

} // namespace platform
