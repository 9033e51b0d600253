#include "uikit/TextEntry.h"

#include "VornData/NumberText.h"
#include "platform/Dialog.h"

TypedNumber parseTypedNumber(std::string_view text)
{
    double value = 0.0;
    switch (platform::parseNumber(text, value))
    {
    case platform::ParsedNumber::Valid:
        return {TypedNumberStatus::Accepted, value};
    case platform::ParsedNumber::OutOfRange:
        return {TypedNumberStatus::TooLarge, 0.0};
    case platform::ParsedNumber::Missing:
        break;
    }
    return {TypedNumberStatus::NotANumber, 0.0};
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

std::string trimmedText(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\f\v";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}
