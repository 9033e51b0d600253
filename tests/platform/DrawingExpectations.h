#pragma once

// Compares drawn images with expected ones written as pixel art.

#include "platform/PixelArt.h"
#include "platform/Surface.h"
#include "tests/support/ImageCheck.h"

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

// Success when `actual` is exactly the image drawn by `rows` in `palette`; a mismatch leaves the
// drawn and difference images (see ImageCheck.h) and lists both as pixel art.
inline testing::AssertionResult imageMatches(const platform::Surface& actual, std::span<const std::string_view> rows,
                                             std::span<const platform::PixelArtColour> palette, const std::string& name)
{
    const platform::Bitmap expected = platform::pixelArt(rows, palette);
    testing::AssertionResult result = vorn_test::imagesMatch(actual, expected.surface(), name, VORN_TEST_BINARY_DIR);
    if (result || expected.size() != actual.size())
        return result;
    std::ostringstream message;
    message << result.message() << "\n   drawn        expected\n";
    for (int32_t y = 0; y < actual.height(); ++y)
    {
        message << "   ";
        for (int32_t x = 0; x < actual.width(); ++x)
            message << keyOf(actual.pixel(x, y), palette);
        message << "   " << rows[static_cast<size_t>(y)] << "\n";
    }
    return testing::AssertionFailure() << message.str();
}

inline testing::AssertionResult imageMatches(const platform::Surface& actual,
                                             std::initializer_list<std::string_view> rows,
                                             std::span<const platform::PixelArtColour> palette, const std::string& name)
{
    return imageMatches(actual, std::span<const std::string_view>(rows.begin(), rows.size()), palette, name);
}

} // namespace drawing_test
