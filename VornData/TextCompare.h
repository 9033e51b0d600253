#pragma once

#include <string_view>

// Texts compared the way names and extensions are compared everywhere in the program: ASCII
// letters without regard to case, every other character as it is (the same on every machine,
// whatever the user's locale).
inline char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool sameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// The same for texts that may be missing: a null text equals nothing.
inline bool sameTextIgnoringCase(const char* a, const char* b)
{
    return a != nullptr && b != nullptr && sameTextIgnoringCase(std::string_view(a), std::string_view(b));
}
