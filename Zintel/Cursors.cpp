#include "Zintel/Cursors.h"

#include "Zintel/ZintelLibrary.h"
#include "platform/Cursor.h"
#include "platform/PixelArt.h"
#include "platform/Resources.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace zintel
{

namespace
{

enum CursorId : int32_t
{
    SelectId = 174,
    ZoomId = 175,
    RotateId = 176,
    PanId = 177,
    SelectAddId = 178,
    SelectRemoveId = 179,
    SelectToggleId = 180,
    HandleXId = 181,
    HandleYId = 182,
    HandleZId = 183,
    HandleXYId = 184,
    HandleXZId = 185,
    HandleYZId = 186,
    HandleXYZId = 187,
};

// An arrow in the upper left; the lower right (from column 8, row 9) is left for a sign.
constexpr std::array<std::string_view, 16> arrowRows = {
    "k...............",
    "kk..............",
    "kwk.............",
    "kwwk............",
    "kwwwk...........",
    "kwwwwk..........",
    "kwwwwwk.........",
    "kwwwwkkk........",
    "kwkwwk..........",
    "kk.kwwk.........",
    "k...kwwk........",
    ".....kk.........",
    "................",
    "................",
    "................",
    "................",
};

// Letters of three columns for the handle labels.
std::string_view letterRow(char letter, size_t row)
{
    static constexpr std::string_view x[] = {"k.k", "k.k", ".k.", "k.k", "k.k"};
    static constexpr std::string_view y[] = {"k.k", "k.k", ".k.", ".k.", ".k."};
    static constexpr std::string_view z[] = {"kkk", "..k", ".k.", "k..", "kkk"};
    return letter == 'X' ? x[row] : letter == 'Y' ? y[row] : z[row];
}

// Where the handle cursors point: their arrow's tip is drawn there, so the pixel picked is the one
// the arrow shows.
constexpr int32_t handleHotSpot = 4;

// The arrow with its tip at the handle hot spot and the label right-aligned in five rows below it.
platform::CursorResource labelled(std::string_view label)
{
    constexpr size_t labelRows = 5;
    const size_t width = handleHotSpot + arrowRows[0].size();
    std::vector<std::string> rows(handleHotSpot, std::string(width, '.'));
    for (std::string_view arrowRow : arrowRows)
        rows.push_back(std::string(handleHotSpot, '.') + std::string(arrowRow));
    // The arrow's picture ends after its twelfth row; the label takes the rows after it.
    rows.resize(handleHotSpot + 12 + labelRows, std::string(width, '.'));
    for (size_t row = 0; row < labelRows; ++row)
    {
        std::string sign;
        for (char letter : label)
        {
            if (!sign.empty())
                sign += '.';
            sign += letterRow(letter, row);
        }
        rows[rows.size() - labelRows + row].replace(width - sign.size(), sign.size(), sign);
    }
    std::vector<std::string_view> views(rows.begin(), rows.end());
    return platform::pixelArtCursor(views, handleHotSpot, handleHotSpot);
}

platform::CursorResource picture(std::initializer_list<std::string_view> rows, int32_t hotspot)
{
    return platform::pixelArtCursor(std::span<const std::string_view>(rows.begin(), rows.size()), hotspot, hotspot);
}

// The selection sign: a dashed rectangle.
constexpr std::string_view bandSign[] = {"kk.kk.kk", "k......k", "........", "k......k", "kk.kk.kk"};

platform::CursorResource selectCursor(std::string_view mark)
{
    std::vector<std::string> rows(arrowRows.begin(), arrowRows.end());
    for (size_t row = 0; row < 5; ++row)
        rows[10 + row].replace(8, 8, bandSign[row]);
    if (!mark.empty())
        for (size_t row = 0; row < 3; ++row)
            rows[11 + row].replace(10, 3, mark.substr(row * 3, 3));
    std::vector<std::string_view> views(rows.begin(), rows.end());
    return platform::pixelArtCursor(views, 1, 1);
}

platform::CursorHandle load(int32_t id, platform::CursorHandle& cached)
{
    if (cached != platform::CursorHandle{})
        return cached;
    platform::ResourceModuleScope scope(thisModule());
    registerCursorResources();
    platform::Cursor* cursor = platform::loadCursor(thisModule(), id);
    cached = static_cast<platform::CursorHandle>(reinterpret_cast<uintptr_t>(cursor));
    return cached;
}

} // namespace

void registerCursorResources()
{
    static const bool registered = [] {
        const platform::ModuleHandle module = thisModule();
        platform::registerCursorResource(module, SelectId, selectCursor(""));
        platform::registerCursorResource(module, SelectAddId, selectCursor(".k.kkk.k."));
        platform::registerCursorResource(module, SelectRemoveId, selectCursor("...kkk..."));
        platform::registerCursorResource(module, SelectToggleId, selectCursor(".k..k..k."));
        platform::registerCursorResource(module, ZoomId, picture({
            ".kkkk...........",
            "k....k..........",
            "k.ww.k..........",
            "k.w..k..........",
            "k....k..........",
            ".kkkkkk.........",
            "......kk........",
            ".......kk.......",
            "........kk......",
            "................",
            "................",
            "................",
            "................",
            "................",
            "................",
            "................",
        }, 1));
        platform::registerCursorResource(module, RotateId, picture({
            "................",
            "..kkkkk.........",
            ".k.....k........",
            "k.......k.......",
            "k.......k.......",
            "k.......k.......",
            "k.....kkkkk.....",
            ".k.....kkk......",
            "..k.....k.......",
            "................",
            "................",
            "................",
            "................",
            "................",
            "................",
            "................",
        }, 1));
        platform::registerCursorResource(module, PanId, picture({
            "................",
            "....k.k.k.......",
            "...kwkwkwk......",
            "...kwkwkwk.k....",
            "...kwkwkwkkwk...",
            ".kkkwwwwwwkwk...",
            "kwwkwwwwwwwwk...",
            ".kwwwwwwwwwwk...",
            "..kwwwwwwwwk....",
            "...kwwwwwwwk....",
            "....kwwwwwk.....",
            ".....kkkkkk.....",
            "................",
            "................",
            "................",
            "................",
        }, 2));
        platform::registerCursorResource(module, HandleXId, labelled("X"));
        platform::registerCursorResource(module, HandleYId, labelled("Y"));
        platform::registerCursorResource(module, HandleZId, labelled("Z"));
        platform::registerCursorResource(module, HandleXYId, labelled("XY"));
        platform::registerCursorResource(module, HandleXZId, labelled("XZ"));
        platform::registerCursorResource(module, HandleYZId, labelled("YZ"));
        platform::registerCursorResource(module, HandleXYZId, labelled("XYZ"));
        return true;
    }();
    (void)registered;
}

#define ZINTEL_CURSOR(function, id)                                                                                    \
    platform::CursorHandle function()                                                                                  \
    {                                                                                                                  \
        static platform::CursorHandle cached{};                                                                        \
        return load(id, cached);                                                                                       \
    }

ZINTEL_CURSOR(getCursorSelect, SelectId)
ZINTEL_CURSOR(getCursorSelectAdd, SelectAddId)
ZINTEL_CURSOR(getCursorSelectRemove, SelectRemoveId)
ZINTEL_CURSOR(getCursorSelectToggle, SelectToggleId)
ZINTEL_CURSOR(getCursorZoom, ZoomId)
ZINTEL_CURSOR(getCursorRotate, RotateId)
ZINTEL_CURSOR(getCursorPan, PanId)
ZINTEL_CURSOR(getCursorHandleX, HandleXId)
ZINTEL_CURSOR(getCursorHandleY, HandleYId)
ZINTEL_CURSOR(getCursorHandleZ, HandleZId)
ZINTEL_CURSOR(getCursorHandleXY, HandleXYId)
ZINTEL_CURSOR(getCursorHandleXZ, HandleXZId)
ZINTEL_CURSOR(getCursorHandleYZ, HandleYZId)
ZINTEL_CURSOR(getCursorHandleXYZ, HandleXYZId)

#undef ZINTEL_CURSOR

} // namespace zintel
// clang-format on
