#include "platform/NumberFit.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace platform
{

namespace
{

// The value with `digits` significant digits in the general form, the exponent written short:
// "1.736e-08" becomes "1.736e-8", "1e+300" "1e300".
std::string generalText(double value, int digits)
{
    char buffer[64];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, written.ptr);
    const size_t exponent = text.find('e');
    if (exponent == std::string::npos)
        return text;
    std::string mantissa = text.substr(0, exponent);
    std::string_view power = std::string_view(text).substr(exponent + 1);
    const bool negative = !power.empty() && power.front() == '-';
    if (!power.empty() && (power.front() == '-' || power.front() == '+'))
        power.remove_prefix(1);
    while (power.size() > 1 && power.front() == '0')
        power.remove_prefix(1);
    return mantissa + (negative ? "e-" : "e") + std::string(power);
}

} // namespace

int shownSignificantDigits(std::string_view text)
{
    int digits = 0;
    bool leading = true;
    for (const char c : text)
    {
        if (c == 'e' || c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++digits;
    }
    return digits;
}

std::string fitNumberText(double value, std::string_view text, int digits, int width,
                          const std::function<int(std::string_view)>& textWidth)
{
    if (!std::isfinite(value) || value == 0.0)
        return std::string(text);
    // The digits the value has: trailing zeros of its general form are none of them.
    const int ownDigits = std::max(1, shownSignificantDigits(generalText(value, std::clamp(digits, 1, 17))));
    if (shownSignificantDigits(text) >= std::min(3, ownDigits) && textWidth(text) <= width)
        return std::string(text);
    for (int shown = ownDigits; shown > 1; --shown)
    {
        std::string candidate = generalText(value, shown);
        if (textWidth(candidate) <= width)
            return candidate;
    }
    return generalText(value, 1);
}

} // namespace platform
