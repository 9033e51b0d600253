#include "Lumbra/MenuItemImages.h"

#include "Lumbra/LumbraLibrary.h"
#include "uikit/BitmapImages.h"

#include <initializer_list>
#include <string_view>

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace lumbra
{

void registerPixelArtBitmap(int32_t id, std::span<const std::string_view> rows,
                            std::span<const platform::PixelArtColour> palette)
{
    ::registerPixelArtBitmap(thisModule(), id, rows, palette);
}

void registerMenuItemImage(int32_t id, std::initializer_list<std::string_view> rows)
{
    ::registerPixelArtBitmap(thisModule(), id, rows);
}

void registerMenuItemImages()
{
    // The pointer that picks objects.
    registerMenuItemImage(MenuItemImage::Select, {
        "................",
        "...k............",
        "...kk...........",
        "...kwk..........",
        "...kwwk.........",
        "...kwwwk........",
        "...kwwwwk.......",
        "...kwwwwwk......",
        "...kwwwwwwk.....",
        "...kwwwwkkkk....",
        "...kwkwwk.......",
        "...kk.kwwk......",
        "...k..kwwk......",
        ".......kwwk.....",
        ".......kkk......",
        "................",
    });
    // A red cross.
    registerMenuItemImage(MenuItemImage::Delete, {
        "................",
        "................",
        "..RR........RR..",
        "..RrR......RrR..",
        "...RrR....RrR...",
        "....RrR..RrR....",
        ".....RrRRrR.....",
        "......RrrR......",
        "......RrrR......",
        ".....RrRRrR.....",
        "....RrR..RrR....",
        "...RrR....RrR...",
        "..RrR......RrR..",
        "..RR........RR..",
        "................",
        "................",
    });
    // Three joints with a dashed frame around them.
    registerMenuItemImage(MenuItemImage::CreateGroup, {
        "................",
        ".kk.kk.kk.kk.kk.",
        "k..............k",
        "k...bb.........k",
        "...bwwb.........",
        "k..bwwb........k",
        "k...bb.....bb..k",
        "..........bwwb..",
        "k.........bwwb.k",
        "k.....bb...bb..k",
        ".....bwwb.......",
        "k....bwwb......k",
        "k.....bb.......k",
        "................",
        ".kk.kk.kk.kk.kk.",
        "................",
    });
    // The frame broken open on the right, its joints free.
    registerMenuItemImage(MenuItemImage::OpenGroup, {
        "................",
        "kkkkkkkk........",
        "k...............",
        "k...bb..........",
        "k..bwwb.........",
        "k..bwwb.........",
        "k...bb.....bb...",
        "k.........bwwb..",
        "k.........bwwb..",
        "k.....bb...bb...",
        "k....bwwb.......",
        "k....bwwb.......",
        "k.....bb........",
        "k...............",
        "kkkkkkkk........",
        "................",
    });
    // A solid frame around the joints: the group taken as one.
    registerMenuItemImage(MenuItemImage::CloseGroup, {
        "................",
        "kkkkkkkkkkkkkkkk",
        "kssssssssssssssk",
        "ksssbbsssssssssk",
        "kssbwwbssssssssk",
        "kssbwwbssssssssk",
        "ksssbbsssssbbssk",
        "ksssssssssbwwbsk",
        "ksssssssssbwwbsk",
        "ksssssbbsssbbssk",
        "kssssbwwbssssssk",
        "kssssbwwbssssssk",
        "ksssssbbsssssssk",
        "kssssssssssssssk",
        "kkkkkkkkkkkkkkkk",
        "................",
    });
    // A snowflake.
    registerMenuItemImage(MenuItemImage::Freeze, {
        "................",
        ".......b........",
        ".....b.b.b......",
        "......bbb.......",
        "..b....b....b...",
        "...b...b...b....",
        "b...b..b..b...b.",
        ".bbbbbbcbbbbbb..",
        "b...b..b..b...b.",
        "...b...b...b....",
        "..b....b....b...",
        "......bbb.......",
        ".....b.b.b......",
        ".......b........",
        "................",
        "................",
    });
    // A closed eye.
    registerMenuItemImage(MenuItemImage::Hide, {
        "................",
        "................",
        "................",
        "................",
        "................",
        "..k..........k..",
        "...kk......kk...",
        ".....kkkkkk.....",
        "....k..k..k.....",
        "...k...k...k....",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    });
    // A green start arrow.
    registerMenuItemImage(MenuItemImage::Calculate, {
        "................",
        "...kk...........",
        "...kGk..........",
        "...klGk.........",
        "...kllGk........",
        "...klllGk.......",
        "...kllllGk......",
        "...klllllGk.....",
        "...klllllGk.....",
        "...kllllGk......",
        "...klllGk.......",
        "...kllGk........",
        "...klGk.........",
        "...kGk..........",
        "...kk...........",
        "................",
    });
    // An arrow turning back to its start.
    registerMenuItemImage(MenuItemImage::ResetCalculation, {
        "................",
        "......BBBB......",
        "....BB....BB....",
        "...B........B...",
        "..B..........B..",
        "..B..........B..",
        ".B............B.",
        ".B............B.",
        ".B..........BBBB",
        ".B...........BB.",
        "..B...........B.",
        "..B.............",
        "...B............",
        "....BB....B.....",
        "......BBBB......",
        "................",
    });
    // A joint on a pinned support: it cannot move, it may turn.
    registerMenuItemImage(MenuItemImage::TranslationBlocked, {
        "................",
        "................",
        "......kkkk......",
        ".....krrrrk.....",
        ".....krrrrk.....",
        "......kkkk......",
        ".......kk.......",
        "......k..k......",
        ".....k....k.....",
        "....k......k....",
        "...k........k...",
        "..kkkkkkkkkkkk..",
        "..k.k.k.k.k.k...",
        ".k.k.k.k.k.k....",
        "................",
        "................",
    });
    // Two members meeting in a stiff, filled corner.
    registerMenuItemImage(MenuItemImage::Rigid, {
        "................",
        "..gg............",
        "..gg............",
        "..gg............",
        "..gg............",
        "..gg............",
        "..gg............",
        "..gg............",
        "..ggk...........",
        "..ggkk..........",
        "..ggkkk.........",
        "..rrrrgggggggg..",
        "..rrrrgggggggg..",
        "................",
        "................",
        "................",
    });
    // A joint clamped in a wall: it can neither move nor turn.
    registerMenuItemImage(MenuItemImage::RotationBlocked, {
        "................",
        "................",
        "................",
        "................",
        "......kkkk......",
        ".....krrrrk.....",
        ".....krrrrk.....",
        "......kkkk......",
        "....kkkkkkkk....",
        "....kggggggk....",
        "....kggggggk....",
        "..kkkkkkkkkkkk..",
        "..k.k.k.k.k.k...",
        ".k.k.k.k.k.k....",
        "................",
        "................",
    });
}

} // namespace lumbra
// clang-format on
