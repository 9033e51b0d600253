#pragma once

// Compares drawn images with expected ones written as pixel art, and on a mismatch leaves the
// actual image and a diff image as PNG files beside the test binary so a person can look.

#include "platform/PixelArt.h"
#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <span>
#include <sstream>
#include <string>
#include <string_view>

namespace drawing_test
{

// The key of `colour` in the palette, '?' when it has none.
inline char keyOf(platform::ColorRef colour, std::span<const platform::PixelArtColour> palette)
{
    for (const platform::PixelArtColour& entry : palette)
        if (entry.colour == colour)
            return entry.key;
    return '?';
}

inline std::string outputPath(const std::string& name, const char* suffix)
{
    return std::string(VORN_TEST_BINARY_DIR) + "/" + name + suffix;
}

// Writes <name>.out.png (what was drawn) and <name>.diff.png (red where it differs from
// `expected`, the drawn image dimmed elsewhere); answers how many pixels differ.
inline int writeDifference(const platform::Surface& actual, const platform::Surface& expected, const std::string& name)
{
    platform::Surface difference(actual.width(), actual.height());
    int differing = 0;
    for (int32_t y = 0; y < actual.height(); ++y)
        for (int32_t x = 0; x < actual.width(); ++x)
        {
            const platform::ColorRef colour = actual.pixel(x, y);
            if (colour != expected.pixel(x, y))
            {
                ++differing;
                difference.setPixel(x, y, platform::rgb(255, 0, 0));
            }
            else
                difference.setPixel(x, y, (colour >> 2) & 0x3F3F3F);
        }
    actual.savePng(outputPath(name, ".out.png"));
    difference.savePng(outputPath(name, ".diff.png"));
    return differing;
}

// Success when `actual` is exactly the image drawn by `rows` in `palette`.
inline testing::AssertionResult imageMatches(const platform::Surface& actual, std::span<const std::string_view> rows,
                                             std::span<const platform::PixelArtColour> palette,
                                             const std::string& name)
{
    const platform::Bitmap expected = platform::pixelArt(rows, palette);
    if (expected.size() != actual.size())
        return testing::AssertionFailure() << name << ": drawn " << actual.width() << "x" << actual.height()
                                           << ", expected " << expected.width() << "x" << expected.height();
    bool same = true;
    for (int32_t y = 0; y < actual.height() && same; ++y)
        for (int32_t x = 0; x < actual.width() && same; ++x)
            same = actual.pixel(x, y) == expected.surface().pixel(x, y);
    if (same)
        return testing::AssertionSuccess();
    const int differing = writeDifference(actual, expected.surface(), name);
    std::ostringstream message;
    message << name << ": " << differing << " pixels differ (see " << outputPath(name, ".out.png") << " and "
            << outputPath(name, ".diff.png") << ")\n   drawn        expected\n";
    for (int32_t y = 0; y < actual.height(); ++y)
    {
        message << "   ";
        for (int32_t x = 0; x < actual.width(); ++x)
            message << keyOf(actual.pixel(x, y), palette);
        message << "   " << rows[static_cast<size_t>(y)] << "\n";
    }
    return testing::AssertionFailure() << message.str();
}

inline testing::AssertionResult imageMatches(const platform::Surface& actual, std::initializer_list<std::string_view> rows,
                                             std::span<const platform::PixelArtColour> palette,
                                             const std::string& name)
{
    return imageMatches(actual, std::span<const std::string_view>(rows.begin(), rows.size()), palette, name);
}

} // namespace drawing_test
