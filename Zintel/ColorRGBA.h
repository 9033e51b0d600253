#pragma once

#include <cstdint>

namespace zintel
{

// A colour of the OpenGL view: red, green, blue and alpha bytes in memory order, so that its word
// has red in bits 0-7 like the model's colours (0x00BBGGRR) and alpha in bits 24-31 (0 transparent,
// 255 opaque).
struct ColorRGBA
{
    constexpr ColorRGBA() = default;
    constexpr ColorRGBA(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
        : red(red), green(green), blue(blue), alpha(alpha)
    {
    }

    constexpr uint32_t word() const
    {
        return uint32_t(red) | uint32_t(green) << 8 | uint32_t(blue) << 16 | uint32_t(alpha) << 24;
    }

    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

// GL takes the colours as signed bytes, where 127 is full intensity: red, green and blue halved and
// no alpha.
constexpr uint32_t halvedColor(uint32_t word)
{
    return (word >> 1) & 0x7F7F7Fu;
}

// An alpha byte (0-255) as the top signed byte of a halved colour.
constexpr uint32_t halvedAlpha(uint8_t alpha)
{
    return (uint32_t(alpha) << 23) & 0x7F000000u;
}

// glColor3bv of a colour word (model colour or ColorRGBA word), halved.
void sendColor(uint32_t word);
// glColor4bv of a halved colour with an alpha byte or-ed in.
void sendColorWithAlpha(uint32_t word, uint32_t halvedAlphaByte);

} // namespace zintel
