#pragma once

// Numbers typed into dialog controls: every page reads them through getDlgItemDouble.

#include <cstdint>

namespace platform
{
class Window;
}

// Reads the number typed into control `controlId` of `dialog` (see parseTypedNumber). On success
// stores it through `value` and answers true. A text that holds no number is refused silently;
// a number out of range is refused with the box "Value too large.", owned by the main window.
// Refused texts leave `*value` as it was.
bool getDlgItemDouble(platform::Window* dialog, int32_t controlId, double* value);
