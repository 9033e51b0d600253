#include "Lumbra/Perspective/PerspectiveImages.h"

#include "Lumbra/MenuItemImages.h"

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace lumbra
{

void registerPerspectiveImages()
{
    // Rotate: a circular arrow.
    registerMenuItemImage(124, {
        "................",
        ".....BBBBB......",
        "...BB.....BB....",
        "..B.........B...",
        ".B...........B..",
        ".B...........B..",
        "B.............B.",
        "B.............B.",
        "B..........BBBBB",
        "B...........BBB.",
        ".B...........B..",
        ".B..............",
        "..B.............",
        "...BB.....BB....",
        ".....BBBBB......",
        "................",
    });
    // Pan: four arrows.
    registerMenuItemImage(125, {
        ".......B........",
        "......BBB.......",
        ".....BBBBB......",
        ".......B........",
        "...B...B...B....",
        "..BB...B...BB...",
        ".BBBBBBBBBBBBB..",
        "..BB...B...BB...",
        "...B...B...B....",
        ".......B........",
        ".....BBBBB......",
        "......BBB.......",
        ".......B........",
        "................",
        "................",
        "................",
    });
    // Grid snap: a grid with a marked point.
    registerMenuItemImage(126, {
        "................",
        ".g...g...g...g..",
        "gggggggggggggggg",
        ".g...g...g...g..",
        ".g...g...g...g..",
        ".g...g..rrr..g..",
        "gggggggggrgggggg",
        ".g...g..rrr..g..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        "gggggggggggggggg",
        ".g...g...g...g..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        "gggggggggggggggg",
        "................",
    });
    // Joint snap: a joint with a member.
    registerMenuItemImage(127, {
        "................",
        "................",
        "............BB..",
        "...........B....",
        "..........B.....",
        ".........B......",
        "........B.......",
        "......rrrr......",
        "......rwwr......",
        "......rwwr......",
        "......rrrr......",
        ".....B..........",
        "....B...........",
        "...B............",
        "..B.............",
        "................",
    });
    // Zoom: a magnifying glass.
    registerMenuItemImage(128, {
        "................",
        "....kkkk........",
        "...k....k.......",
        "..k..ww..k......",
        "..k.w....k......",
        "..k......k......",
        "..k......k......",
        "...k....k.......",
        "....kkkkkk......",
        ".........kk.....",
        "..........kk....",
        "...........kk...",
        "............kk..",
        ".............k..",
        "................",
        "................",
    });
    // Layer images of the show/hide pagette. Joints: a red square.
    registerMenuItemImage(141, {
        "................",
        "................",
        "................",
        "................",
        "................",
        ".....kkkkkk.....",
        ".....krrrrk.....",
        ".....krrrrk.....",
        ".....krrrrk.....",
        ".....krrrrk.....",
        ".....kkkkkk.....",
        "................",
        "................",
        "................",
        "................",
        "................",
    });
    // Members: two joints and the member between them.
    registerMenuItemImage(142, {
        "................",
        "............kkk.",
        "............krk.",
        "...........Bkkk.",
        "..........B.....",
        ".........B......",
        "........B.......",
        ".......B........",
        "......B.........",
        ".....B..........",
        "....B...........",
        "...B............",
        ".kkk............",
        ".krk............",
        ".kkk............",
        "................",
    });
    // Grid: crossing lines.
    registerMenuItemImage(143, {
        "................",
        "..g...g...g...g.",
        "gggggggggggggggg",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "gggggggggggggggg",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "gggggggggggggggg",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "gggggggggggggggg",
        "................",
    });
    // Supports: a triangle under a joint; the second image with a square for blocked rotation.
    for (int32_t id : {144, 146})
        registerMenuItemImage(id, {
            "................",
            "................",
            "................",
            id == 146 ? "....kkkkkkkk...." : "................",
            id == 146 ? "....k......k...." : "................",
            id == 146 ? "....k..rr..k...." : ".......rr.......",
            id == 146 ? "....k.kkkk.k...." : "......kkkk......",
            id == 146 ? "....k.kwwk.k...." : "......kwwk......",
            id == 146 ? "....kkwwwwkk...." : ".....kwwwwk.....",
            "....kwwwwwwk....",
            "...kwwwwwwwwk...",
            "..kkkkkkkkkkkk..",
            "................",
            "................",
            "................",
            "................",
        });
    // A layer without an image of its own.
    registerMenuItemImage(145, {
        "................",
        "................",
        "..kkkkkkkkkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
        "..kkkkkkkkkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
        "................",
        "................",
        "................",
        "................",
    });
}

} // namespace lumbra
// clang-format on
