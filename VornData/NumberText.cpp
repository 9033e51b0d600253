#include "VornData/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string formatDouble(double value, int digits)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (digits < 1)
        digits = 1;
    if (digits > 40)
        digits = 40;
    // "%.*e" rounds to the requested significant digits exactly like the digit conversion the text
    // is built from: d.ddddde[+-]x.
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, std::fabs(value));
    const char* exponentText = std::strchr(scientific, 'e');
    const int exponent = exponentText ? std::atoi(exponentText + 1) : 0;

    std::string text;
    text += value < 0 ? '-' : ' ';
    text.append(scientific, exponentText ? size_t(exponentText - scientific) : std::strlen(scientific));
    if (digits == 1)
        text += '.';
    if (exponent != 0 && value != 0)
        text += 'e' + std::to_string(exponent);
    return text;
}
