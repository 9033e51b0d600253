#pragma once

// Numbers typed into dialog controls: every page reads them through getDlgItemDouble.

#include <cstdint>
#include <string>

namespace platform
{
class Window;
}

// Reads the number typed into control `controlId` of `dialog` (see parseTypedNumber). On success
// stores it through `value` and answers true. A text that holds no number is refused silently;
// a number out of range is refused with the box "Value too large.", owned by the main window.
// Refused texts leave `*value` as it was. A number the program shows (setNumberText) reads back as
// the exact value shown while the person has not changed it.
bool getDlgItemDouble(platform::Window* dialog, int32_t controlId, double* value);

// Shows a number field's text in its edit and leaves an edit that already holds it alone: a text
// that is the value's own (platform::formatDouble) is fitted to the edit (setNumberText), a text
// the person typed stays as typed.
void showNumberField(platform::Window* edit, double value, const std::string& text);
