#include "Lumbra/ModelFiles/ModelFileFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace lumbra::modelfile
{

bool isWritableName(std::string_view name)
{
    return name.size() <= maximumNameLength && name.find('\n') == std::string_view::npos;
}

void appendReal(std::string& out, double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    out.append(text, result.ptr);
}

void appendInteger(std::string& out, int64_t value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

std::optional<double> readReal(std::string_view line)
{
    // from_chars takes no leading '+' and no blanks; its hexadecimal form needs chars_format::hex.
    double value = 0;
    const char* end = line.data() + line.size();
    const auto result = std::from_chars(line.data(), end, value, std::chars_format::general);
    if (line.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int64_t> readInteger(std::string_view line)
{
    int64_t value = 0;
    const char* end = line.data() + line.size();
    const auto result = std::from_chars(line.data(), end, value);
    if (line.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<uint64_t> readUnsigned(std::string_view line, uint64_t largest)
{
    uint64_t value = 0;
    const char* end = line.data() + line.size();
    const auto result = std::from_chars(line.data(), end, value);
    if (line.empty() || result.ec != std::errc() || result.ptr != end || value > largest)
        return std::nullopt;
    return value;
}

int64_t readLeadingInteger(std::string_view line)
{
    std::size_t position = 0;
    while (position < line.size() && (line[position] == ' ' || line[position] == '\t'))
        ++position;
    bool negative = false;
    if (position < line.size() && (line[position] == '+' || line[position] == '-'))
        negative = line[position++] == '-';
    int64_t value = 0;
    for (; position < line.size() && line[position] >= '0' && line[position] <= '9'; ++position)
    {
        // Only the version line is read so; a run of digits beyond any version saturates.
        if (value > (std::numeric_limits<int64_t>::max() - 9) / 10)
            break;
        value = value * 10 + (line[position] - '0');
    }
    return negative ? -value : value;
}

} // namespace lumbra::modelfile
