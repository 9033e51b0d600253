#pragma once

// Numbers typed by the user, numbers shown in short form and blanks. Plain text functions; the
// dialog helper getDlgItemDouble (DialogNumbers.h) builds on them. Typed numbers follow the one
// rule of the platform's data exchange (platform::parseNumber), so a page and a dialog agree.

#include <string>
#include <string_view>

// What became of a typed text.
enum class TypedNumberStatus
{
    Accepted, // a finite decimal number; characters after it are ignored ("12abc" gives 12)
    NotANumber, // nothing convertible: empty, blanks, letters, "nan", hexadecimal; refused silently
    TooLarge, // out of the range of a double, or typed as infinity; refused with a message
};

struct TypedNumber
{
    TypedNumberStatus status = TypedNumberStatus::NotANumber;
    double value = 0.0; // set only when accepted
};

// Reads a decimal number the way it is typed on every machine (platform::parseNumber): the C
// locale's '.' is the only decimal point, whatever the user's locale.
TypedNumber parseTypedNumber(std::string_view text);

// The texts of the box that refuses a number out of range.
inline constexpr const char* valueTooLargeText = "Value too large.";
inline constexpr const char* valueConversionCaption = "Error: Text to Value Conversion";

// A short scientific form with `digits` significant digits (formatDouble of the property list):
// a sign character ('-' or a blank), the first digit, '.', the other digits, then "e" and the
// exponent unless it is 0 or the value is 0. (1234, 3) gives " 1.23e3", (-7, 3) gives "-7.00".
// Non-finite values give "nan", "inf" and "-inf".
std::string doubleToShortText(double value, int digits);

// The text from its first character that is neither a blank nor a tab.
const char* skipBlanks(const char* text);
std::string_view skipBlanks(std::string_view text);
// Cuts trailing blanks and tabs.
void trimTrailingBlanks(std::string& text);
// The text without white space (blanks, tabs, line ends, form feeds) at either end.
std::string trimmedText(std::string_view text);
