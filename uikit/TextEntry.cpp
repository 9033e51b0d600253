#include "uikit/TextEntry.h"

#include "VornData/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// White space as strtod skips it in the C locale.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
    {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The length of the decimal number at the start of `text` (sign, digits, point, exponent), or 0.
size_t decimalNumberLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return 0;
    // An exponent counts only when at least one digit follows the 'e' and its sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
    {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j]))
        {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

TypedNumber parseTypedNumber(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    text.remove_prefix(start);

    std::string_view unsignedPart = text;
    if (!unsignedPart.empty() && (unsignedPart[0] == '+' || unsignedPart[0] == '-'))
        unsignedPart.remove_prefix(1);
    // Infinity is too large a value for any setting; "nan" and hexadecimal are no decimal numbers
    // (a hexadecimal text must not pass as the 0 in front of its 'x').
    if (startsWithNoCase(unsignedPart, "inf"))
        return {TypedNumberStatus::TooLarge, 0.0};
    if (startsWithNoCase(unsignedPart, "0x"))
        return {TypedNumberStatus::NotANumber, 0.0};

    const size_t length = decimalNumberLength(text);
    if (length == 0)
        return {TypedNumberStatus::NotANumber, 0.0};

    const std::string number(text.substr(0, length));
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    if (std::isinf(value))
        return {TypedNumberStatus::TooLarge, 0.0};
    // An underflow gives 0 or a denormal, which is what the person meant closely enough.
    return {TypedNumberStatus::Accepted, value};
}

std::string doubleToShortText(double value, int digits)
{
    // The property list's number text: one form of short numbers in the whole program.
    return formatDouble(value, digits);
}

const char* skipBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

std::string_view skipBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

void trimTrailingBlanks(std::string& text)
{
    const size_t last = text.find_last_not_of(" \t");
    text.erase(last == std::string::npos ? 0 : last + 1);
}
