#include "VornInterface/StandardToolbar.h"

#include "VornInterface/CommandIds.h"
#include "platform/PixelArt.h"

#include <span>

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace
{

// The pictures' colours (0x00BBGGRR); '.' shows the button face.
const platform::PixelArtColour palette[] = {
    {'.', platform::IMAGE_MASK_COLOUR},
    {'k', 0x000000}, // outline
    {'w', 0xFFFFFF}, // paper
    {'g', 0xC0C0C0}, // light grey
    {'d', 0x808080}, // dark grey
    {'b', 0x800000}, // navy
    {'i', 0xFF8000}, // light blue
    {'G', 0x00A000}, // green: things coming in
    {'R', 0x0000C0}, // red: things going out
    {'y', 0x00FFFF}, // yellow
};

constexpr std::string_view newPicture[16] = {
    "................",
    "...kkkkkkkk.....",
    "...kwwwwwwkk....",
    "...kwwwwwwkgk...",
    "...kwwwwwwkggk..",
    "...kwwwwwwkkkkk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "...kkkkkkkkkkkk.",
    "................",
};

constexpr std::string_view importPicture[16] = {
    "................",
    "......kkkkkkk...",
    "......kwwwwwkk..",
    "......kwwwwwkgk.",
    "......kwwwwwkkkk",
    "....G.kwwwwwwwwk",
    "....GGkwwwwwwwwk",
    "GGGGGGGwdddddwwk",
    "GGGGGGGGwwwwwwwk",
    "GGGGGGGwdddddwwk",
    "....GGkwwwwwwwwk",
    "....G.kwwwwwwwwk",
    "......kwwwwwwwwk",
    "......kwwwwwwwwk",
    "......kkkkkkkkkk",
    "................",
};

constexpr std::string_view exportPicture[16] = {
    "................",
    "kkkkkkk.........",
    "kwwwwwkk........",
    "kwwwwwkgk.......",
    "kwwwwwkkkk......",
    "kwwwwwwwwk..R...",
    "kwwwwwwwwk..RR..",
    "kwdddddwRRRRRRR.",
    "kwwwwwwwRRRRRRRR",
    "kwdddddwRRRRRRR.",
    "kwwwwwwwwk..RR..",
    "kwwwwwwwwk..R...",
    "kwwwwwwwwk......",
    "kwwwwwwwwk......",
    "kkkkkkkkkk......",
    "................",
};

constexpr std::string_view printPicture[16] = {
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwddddwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kggggggggggggk.",
    ".kgwwwwwwwwyygk.",
    ".kggggggggggggk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "...kwwwwwwwwk...",
    "...kwddddddwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
    "................",
};

constexpr std::string_view aboutPicture[16] = {
    "................",
    ".....bbbbbb.....",
    "...bbiiiiiibb...",
    "..biiiiwwiiiib..",
    "..biiiiwwiiiib..",
    ".biiiiiiiiiiiib.",
    ".biiiiwwwiiiiib.",
    ".biiiiiwwiiiiib.",
    ".biiiiiwwiiiiib.",
    ".biiiiiwwiiiiib.",
    ".biiiiiwwiiiiib.",
    "..biiiwwwwiiib..",
    "..biiiiiiiiiib..",
    "...bbiiiiiibb...",
    ".....bbbbbb.....",
    "................",
};

} // namespace

const std::vector<StandardToolbarButton>& standardToolbarButtons()
{
    static const std::vector<StandardToolbarButton> buttons = {
        {HostCommand::FileNew, newPicture},
        {HostCommand::Import, importPicture},
        {HostCommand::Export, exportPicture},
        {HostCommand::Print, printPicture},
        {HostCommand::About, aboutPicture},
    };
    return buttons;
}

platform::Surface standardToolbarImageStrip()
{
    const std::vector<StandardToolbarButton>& buttons = standardToolbarButtons();
    platform::Surface strip(16 * static_cast<int32_t>(buttons.size()), 16, platform::IMAGE_MASK_COLOUR);
    for (std::size_t index = 0; index < buttons.size(); ++index)
    {
        const platform::Bitmap picture = platform::pixelArt(std::span(buttons[index].picture, 16), palette);
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 16; ++x)
                strip.setPixel(static_cast<int32_t>(index) * 16 + x, y, picture.surface().pixel(x, y));
    }
    return strip;
}
// clang-format on
