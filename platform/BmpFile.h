#pragma once

#include "platform/PlatformApi.h"

#include <string>

namespace platform
{

class Surface;

// Which step of writing a bitmap file failed.
enum class BmpWriteError
{
    None = 0,
    EmptyImage, // nothing to write: 0 x 0 pixels
    CreateFile, // the temporary file beside the target could not be created
    WriteFile, // writing or flushing the data failed (disk full, ...)
    ReplaceFile, // the finished file could not be renamed over the target
};

// Writes the image as an uncompressed 24-bit BMP file (rows bottom up, padded to 4 bytes), the
// form every common viewer opens. The data goes to a temporary file in the target's folder that is
// renamed into place (FileWriter), so a failure leaves the old file (or none), never half a file.
PLATFORM_API BmpWriteError writeBmpFile(const std::string& path, const Surface& image);

} // namespace platform
