#include "Lumbra/KitResources.h"

#include "Lumbra/LumbraLibrary.h"
#include "platform/PixelArt.h"
#include "platform/Resources.h"
#include "uikit/KitCursors.h"
#include "uikit/PagetteButton.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace lumbra
{
namespace
{

// 'k' black, 'w' white, '.' transparent.
platform::CursorResource cursorFromArt(std::span<const std::string_view> rows, int32_t hotspotX, int32_t hotspotY)
{
    return platform::pixelArtCursor(rows, hotspotX, hotspotY);
}

// The select tool: an arrow with a small box of the picked object.
platform::CursorResource selectCursor()
{
    static constexpr std::string_view rows[] = {
        "k...............",
        "kk..............",
        "kwk.............",
        "kwwk............",
        "kwwwk...........",
        "kwwwwk..........",
        "kwwwwwk.........",
        "kwwwwwwk........",
        "kwwwwkkkk.......",
        "kwkwwk..........",
        "kk.kwwk.kkkkkk..",
        "k..kwwk.kwwwwk..",
        "....kwwkkwwwwk..",
        "....kwwkkwwwwk..",
        ".....kk.kwwwwk..",
        "........kkkkkk..",
    };
    return cursorFromArt(rows, 0, 0);
}

// The creation tools: a cross whose centre is the hot spot, with the made thing drawn in its
// lower right corner (7 x 5 pixels).
platform::CursorResource creationCursor(std::initializer_list<std::string_view> madeThing)
{
    std::vector<std::string> rows = {
        ".......k........", ".......k........", ".......k........", ".......k........",
        ".......k........", "................", "................", "kkkkk.....kkkkk.",
        "................", "................", ".......k........", ".......k........",
        ".......k........", ".......k........", ".......k........", "................",
    };
    size_t row = 10;
    for (std::string_view part : madeThing)
        rows[row++].replace(9, part.size(), part);
    std::vector<std::string_view> views(rows.begin(), rows.end());
    return cursorFromArt(views, 7, 7);
}

platform::CursorResource createJointCursor()
{
    return creationCursor({"..kkk..", ".kwwwk.", ".kwwwk.", ".kwwwk.", "..kkk.."});
}

platform::CursorResource createMemberStartCursor()
{
    return creationCursor({".kkk...", "kwwwk..", "kwwwkkk", "kwwwk..", ".kkk..."});
}

platform::CursorResource createMemberEndCursor()
{
    return creationCursor({"....kkk", "...kwww", "kkkkwww", "...kwww", "....kkk"});
}

platform::CursorResource createForceCursor()
{
    return creationCursor({"...k...", "...k...", ".kkkkk.", "..kkk..", "...k..."});
}

// The pagette frame while the column can be dragged: up and down arrows.
platform::CursorResource pagetteButtonCursor()
{
    static constexpr std::string_view rows[] = {
        ".......k........",
        "......kwk.......",
        ".....kwwwk......",
        "....kwwwwwk.....",
        "...kkkkwkkkk....",
        "......kwk.......",
        "......kwk.......",
        "......kwk.......",
        "......kwk.......",
        "......kwk.......",
        "...kkkkwkkkk....",
        "....kwwwwwk.....",
        ".....kwwwk......",
        "......kwk.......",
        ".......k........",
        "................",
    };
    return cursorFromArt(rows, 7, 7);
}

} // namespace

void registerKitResources()
{
    const platform::ModuleHandle module = thisModule();
    platform::registerCursorResource(module, KitCursorId::Select, selectCursor());
    platform::registerCursorResource(module, KitCursorId::CreateJoint, createJointCursor());
    platform::registerCursorResource(module, KitCursorId::CreateMemberStart, createMemberStartCursor());
    platform::registerCursorResource(module, KitCursorId::CreateMemberEnd, createMemberEndCursor());
    platform::registerCursorResource(module, KitCursorId::CreateForce, createForceCursor());
    platform::registerCursorResource(module, KitCursorId::PagetteButton, pagetteButtonCursor());
    platform::registerDialogTemplate(module, CEmptyChildDialog::templateId, emptyChildDialogTemplate());
}

} // namespace lumbra
// clang-format on
