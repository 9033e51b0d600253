#include "VornInterface/StandardToolbar.h"

#include <cstring>

namespace
{

// Palette letters; colours are 0x00BBGGRR.
std::uint32_t paletteColour(char letter)
{
    switch (letter)
    {
    case 'k': return 0x000000; // outline
    case 'w': return 0xFFFFFF; // paper
    case 'g': return 0xC0C0C0; // light grey
    case 'd': return 0x808080; // dark grey
    case 'b': return 0x800000; // navy
    case 'i': return 0xFF8000; // light blue
    case 'G': return 0x00A000; // green: things coming in
    case 'R': return 0x0000C0; // red: things going out
    case 'y': return 0x00FFFF; // yellow
    default: return 0xFF00FF;  // '.': transparent
    }
}

const char* const newPicture[16] = {
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

const char* const importPicture[16] = {
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

const char* const exportPicture[16] = {
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

const char* const printPicture[16] = {
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

const char* const aboutPicture[16] = {
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
        {commandFileNew, newPicture},
        {commandImport, importPicture},
        {commandExport, exportPicture},
        {commandFilePrint, printPicture},
        {commandAppAbout, aboutPicture},
    };
    return buttons;
}

platform::Surface standardToolbarImageStrip()
{
    const std::vector<StandardToolbarButton>& buttons = standardToolbarButtons();
    platform::Surface strip(16 * static_cast<int32_t>(buttons.size()), 16, 0xFF00FF);
    for (std::size_t index = 0; index < buttons.size(); ++index)
    {
        for (int32_t y = 0; y < 16; ++y)
        {
            const char* row = buttons[index].picture[y];
            for (int32_t x = 0; x < 16 && row[x] != '\0'; ++x)
                strip.setPixel(static_cast<int32_t>(index) * 16 + x, y, paletteColour(row[x]));
        }
    }
    return strip;
}
