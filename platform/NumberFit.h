#pragma once

// Numbers shown in fields too narrow for their text: the one rule for every edit and static text
// that shows a number set by the program.

#include "platform/PlatformApi.h"

#include <functional>
#include <string>
#include <string_view>

namespace platform
{

// The significant digits a number's text shows: the digits of its mantissa from the first one
// that is not 0 ("0.0000000" shows none, "0.0012300" five, "1.5e-8" two).
PLATFORM_API int shownSignificantDigits(std::string_view text);

// The text that shows `value` in a field `width` pixels wide (`textWidth` measures a text in the
// field's font). `text` is the field's own format of the value; it stays whenever it fits and
// shows at least three significant digits (all of them when the value, written with `digits`
// significant digits, has fewer). Otherwise the value is written with its sign, leading digits
// and exponent ("-3.127e-6", the exponent without '+' or leading zeros), with as many significant
// digits as fit and never more than `digits`; when not even one digit fits, with one.
// Not a number, infinities and zeros keep `text`.
PLATFORM_API std::string fitNumberText(double value, std::string_view text, int digits, int width,
                                       const std::function<int(std::string_view)>& textWidth);

} // namespace platform
