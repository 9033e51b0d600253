#include "uikit/NameNumbering.h"

#include <cstdio>

namespace
{

// Where the run of decimal digits at the end of `name` starts (name.size() when there is none).
size_t trailingDigitsStart(const std::string& name)
{
    size_t start = name.size();
    while (start > 0 && name[start - 1] >= '0' && name[start - 1] <= '9')
        --start;
    return start;
}

} // namespace

void makeNextName(std::string& name)
{
    if (name.empty())
        return;
    const size_t start = trailingDigitsStart(name);
    if (start == name.size())
    {
        name += "001";
        return;
    }
    // Count up from the last digit; a carry out of the first digit lengthens the run.
    size_t i = name.size();
    while (i > start)
    {
        --i;
        if (name[i] != '9')
        {
            ++name[i];
            return;
        }
        name[i] = '0';
    }
    name.insert(start, 1, '1');
}

void incrementNameNumber(std::string& name)
{
    const size_t start = trailingDigitsStart(name);
    const size_t runLength = name.size() - start;
    if (runLength == 0 || runLength > 5)
    {
        name += "#002";
        return;
    }
    unsigned value = 0;
    for (size_t i = start; i < name.size(); ++i)
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03u", value + 1);
    name.replace(start, std::string::npos, digits);
}
