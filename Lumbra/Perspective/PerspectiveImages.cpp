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
}

} // namespace lumbra
// clang-format on
