#pragma once

// Private to the platform library: a 0x00BBGGRR colour word as the toolkit's colour.

#include "platform/DrawingConstants.h"

#include <QColor>

namespace platform
{

inline QColor qtColour(ColorRef colour)
{
    return {static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
            static_cast<int>((colour >> 16) & 0xFFu)};
}

} // namespace platform
