#include "Zintel/Bitmaps.h"

#include "Zintel/ZintelLibrary.h"
#include "uikit/BitmapImages.h"

#include <initializer_list>
#include <string_view>

// The pictures drawn as text rows below keep their layout.
// clang-format off

namespace zintel
{

namespace
{

void registerPicture(int32_t id, std::initializer_list<std::string_view> rows)
{
    registerPixelArtBitmap(thisModule(), id, rows);
}

} // namespace

void registerBitmapResources()
{
    // A yellow pyramid on its vertical axis, circled by an arrow.
    registerPicture(BitmapId::RotateView, {
        ".......k........",
        ".......k........",
        ".......k........",
        "......kyk.......",
        "......kyk.......",
        ".....kyyYk......",
        "...bbkyyYkbbb...",
        ".bb.kyyyYYk..bb.",
        "b...byyyYYk....b",
        "...bbyyyYYYk.bb.",
        "..bbbbbbbbbbb...",
        "..kbbyyyYYYYk...",
        "..kkbkkkkkkkk...",
        ".......k........",
        ".......k........",
        ".......k........",
    });
    // A white open hand.
    registerPicture(BitmapId::PanView, {
        "................",
        "......kk........",
        "...kkkwwkkk.....",
        "..kwwkwwkwwk....",
        "..kwwkwwkwwkkk..",
        "..kwwkwwkwwkwwk.",
        "..kwwkwwkwwkwwk.",
        "kkkwwkwwkwwkwwk.",
        "kwwkwwwwwwwwwwk.",
        "kwwwkwwwwwwwwwk.",
        ".kwwwwwwwwwwwwk.",
        "..kwwwwwwwwwwwk.",
        "...kwwwwwwwwwk..",
        "....kwwwwwwwk...",
        ".....kwwwwwwk...",
        ".....kkkkkkkk...",
    });
    // The floor grid with the red cross of a snap on one of its nodes.
    registerPicture(BitmapId::GridSnap, {
        "................",
        "................",
        "...ggggggggggggg",
        "...g...g..rg...g",
        "...g...g..rg...g",
        "...g...g...g...g",
        "..ggggggrrkrrgg.",
        "..g...g...g...g.",
        "..g...g..rg...g.",
        "..g...g..rg...g.",
        ".ggggggggggggg..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        "ggggggggggggg...",
        "................",
    });
    // A joint where two members meet, inside the red cross of a snap.
    registerPicture(BitmapId::JointSnap, {
        "..............gg",
        ".......r.....gg.",
        ".......r....gg..",
        "............g...",
        "......kkk..g....",
        ".....kcbbkg.....",
        ".rr..kbbbk..rr..",
        ".....kbbBk......",
        "....gkkkk.......",
        "...g............",
        "..gg...r........",
        ".gg....r........",
        "gg..............",
        "................",
        "................",
        "................",
    });
    // A magnifying glass: cyan glass, yellow handle.
    registerPicture(BitmapId::ZoomView, {
        "................",
        "....kkkkk.......",
        "...kccccck......",
        "..kcwwcccck.....",
        "..kcwccccck.....",
        "..kccccccck.....",
        "..kccccccck.....",
        "..kccccccck.....",
        "...kccccck......",
        "....kkkkkyk.....",
        "........kyyk....",
        ".........kyyk...",
        "..........kyyk..",
        "...........kyyk.",
        "............kk..",
        "................",
    });
    // A lit ball: a joint.
    registerPicture(BitmapId::JointLayer, {
        "................",
        "................",
        ".....kkkkkk.....",
        "....kbbbbbbk....",
        "...kbwcbbbbBk...",
        "..kbwccbbbbbBk..",
        "..kbccbbbbbbBk..",
        "..kbbbbbbbbbBk..",
        "..kbbbbbbbbbBk..",
        "..kbbbbbbbbBBk..",
        "..kbbbbbbbBBBk..",
        "...kbbbbBBBBk...",
        "....kBBBBBBk....",
        ".....kkkkkk.....",
        "................",
        "................",
    });
    // A lit bar rising across the picture: a member.
    registerPicture(BitmapId::MemberLayer, {
        "............k...",
        "...........kkk..",
        "..........kwskk.",
        ".........kwssgk.",
        "........kwssgk..",
        ".......kwssgk...",
        "......kwssgk....",
        ".....kwssgk.....",
        "....kwssgk......",
        "...kwssgk.......",
        "..kwssgk........",
        ".kwssgk.........",
        "kkssgk..........",
        ".kkgk...........",
        "..kk............",
        "................",
    });
    // The floor grid seen at a slant.
    registerPicture(BitmapId::GridLayer, {
        "................",
        "................",
        "...ggggggggggggg",
        "...g...g...g...g",
        "...g...g...g...g",
        "...g...g...g...g",
        "..ggggggggggggg.",
        "..g...g...g...g.",
        "..g...g...g...g.",
        "..g...g...g...g.",
        ".ggggggggggggg..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        ".g...g...g...g..",
        "ggggggggggggg...",
        "................",
    });
    // A joint's ball over a dimension line as wide as the ball: the size of scaleless items. The
    // bars paint their title pictures 15 x 15, so the last row and column stay empty.
    registerPicture(BitmapId::ScalelessSizeTitle, {
        ".....kkkkkk.....",
        "....kbbbbbbk....",
        "...kbwcbbbbBk...",
        "...kbccbbbbBk...",
        "...kbbbbbbbBk...",
        "...kbbbbbbbBk...",
        "...kbbbbbbBBk...",
        "....kbbbBBBk....",
        ".....kkkkkk.....",
        "................",
        "...k........k...",
        "...k.k....k.k...",
        "...kkkkkkkkkk...",
        "...k.k....k.k...",
        "...k........k...",
        "................",
    });
    // A small magnifier framed by four corner marks: everything fills the view.
    registerPicture(BitmapId::ZoomAll, {
        "kkkk........kkkk",
        "k..............k",
        "k..............k",
        "k....kkk.......k",
        "....kwcck.......",
        "...kwcccck......",
        "...kccccck......",
        "...kccccck......",
        "....kccckk......",
        ".....kkkyyk.....",
        "........kyyk....",
        ".........kyyk...",
        "k.........kyyk.k",
        "k..........kk..k",
        "k..............k",
        "kkkk........kkkk",
    });
    // The same magnifier on a white square inside the corner marks: the selection fills the view.
    registerPicture(BitmapId::ZoomSelected, {
        "kkkk........kkkk",
        "k..............k",
        "k.wwwwwwwwwwww.k",
        "k.wwwkkkwwwwww.k",
        "..wwkwcckwwwww..",
        "..wkwcccckwwww..",
        "..wkccccckwwww..",
        "..wkccccckwwww..",
        "..wwkccckkwwww..",
        "..wwwkkkyykwww..",
        "..wwwwwwkyykww..",
        "..wwwwwwwkyykw..",
        "k.wwwwwwwwkyyk.k",
        "k.wwwwwwwwwkkw.k",
        "k..............k",
        "kkkk........kkkk",
    });
    // A slanted surface with the red cross of a snap on a point of it.
    registerPicture(BitmapId::SurfacePointSnap, {
        "................",
        "................",
        "................",
        "................",
        "......CCCCCCCCCC",
        "......CccccccccC",
        ".....CccrcccccC.",
        ".....CccrcccccC.",
        "....CccccccccC..",
        "...CcrrckcrrC...",
        "...CccccccccC...",
        "..CcccccrccC....",
        "..CcccccrccC....",
        ".CccccccccC.....",
        "CCCCCCCCCC......",
        "................",
    });
}

} // namespace zintel
// clang-format on
