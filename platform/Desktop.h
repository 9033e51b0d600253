#pragma once

// The desktop the program's windows live on.

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"

namespace platform
{

// The work area of the primary screen (without panels), in screen coordinates; right and bottom
// are exclusive, so bottom is the first row below the area.
PLATFORM_API Rect desktopWorkArea();

} // namespace platform
