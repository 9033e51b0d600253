#include "platform/PixelArt.h"

#include <array>
#include <stdexcept>
#include <string>

namespace platform
{

namespace
{

constexpr std::array<PixelArtColour, 16> STANDARD_PALETTE = {{
    {'.', IMAGE_MASK_COLOUR},
    {'k', rgb(0, 0, 0)},
    {'w', rgb(255, 255, 255)},
    {'s', rgb(192, 192, 192)},
    {'g', rgb(128, 128, 128)},
    {'r', rgb(255, 0, 0)},
    {'R', rgb(128, 0, 0)},
    {'y', rgb(255, 255, 0)},
    {'Y', rgb(128, 128, 0)},
    {'l', rgb(0, 255, 0)},
    {'G', rgb(0, 128, 0)},
    {'c', rgb(0, 255, 255)},
    {'C', rgb(0, 128, 128)},
    {'b', rgb(0, 0, 255)},
    {'B', rgb(0, 0, 128)},
    {'p', rgb(128, 0, 128)},
}};

[[noreturn]] void refuse(const std::string& why)
{
    throw std::invalid_argument("platform::pixelArt: " + why);
}

} // namespace

std::span<const PixelArtColour> standardPixelArtPalette()
{
    return STANDARD_PALETTE;
}

Bitmap pixelArt(std::span<const std::string_view> rows, std::span<const PixelArtColour> palette)
{
    if (rows.empty() || rows.front().empty())
        refuse("an image needs at least one pixel");
    std::array<int32_t, 256> colourOfKey;
    colourOfKey.fill(-1);
    std::array<ColorRef, 256> colours{};
    for (const PixelArtColour& entry : palette)
    {
        const auto key = static_cast<unsigned char>(entry.key);
        if (colourOfKey[key] >= 0)
            refuse(std::string("the palette has the key '") + entry.key + "' twice");
        colourOfKey[key] = 1;
        colours[key] = entry.colour & 0x00FFFFFFu;
    }
    const auto width = static_cast<int32_t>(rows.front().size());
    Surface image(width, static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
    {
        if (static_cast<int32_t>(rows[y].size()) != width)
            refuse("row " + std::to_string(y) + " is " + std::to_string(rows[y].size()) + " pixels long, not " +
                   std::to_string(width));
        uint32_t* pixels = image.row(static_cast<int32_t>(y));
        for (size_t x = 0; x < rows[y].size(); ++x)
        {
            const auto key = static_cast<unsigned char>(rows[y][x]);
            if (colourOfKey[key] < 0)
                refuse("row " + std::to_string(y) + " column " + std::to_string(x) + ": no colour for '" +
                       std::string(1, rows[y][x]) + "'");
            pixels[x] = Surface::storedColour(colours[key]);
        }
    }
    return Bitmap(std::move(image));
}

Bitmap pixelArt(std::initializer_list<std::string_view> rows, std::span<const PixelArtColour> palette)
{
    return pixelArt(std::span<const std::string_view>(rows.begin(), rows.size()), palette);
}

CursorResource pixelArtCursor(std::span<const std::string_view> rows, int32_t hotspotX, int32_t hotspotY)
{
    const Bitmap art = pixelArt(rows);
    CursorResource cursor;
    cursor.width = art.width();
    cursor.height = art.height();
    cursor.hotspotX = hotspotX;
    cursor.hotspotY = hotspotY;
    cursor.transparentColour = IMAGE_MASK_COLOUR;
    cursor.pixels.reserve(static_cast<size_t>(cursor.width) * static_cast<size_t>(cursor.height));
    for (int32_t y = 0; y < cursor.height; ++y)
        for (int32_t x = 0; x < cursor.width; ++x)
            cursor.pixels.push_back(art.surface().pixel(x, y));
    return cursor;
}

} // namespace platform
