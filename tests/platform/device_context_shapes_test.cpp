#include "DrawingExpectations.h"
#include "platform/DeviceContext.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

using namespace platform;
using drawing_test::imageMatches;

namespace
{

constexpr ColorRef BACKGROUND = 0x403020;

constexpr std::array<PixelArtColour, 9> PALETTE = {{
    {'.', BACKGROUND},
    {'k', 0x000000},
    {'w', 0xFFFFFF},
    {'g', 0x808080},
    {'s', 0xC0C0C0},
    {'L', 0xDFDFDF},
    {'b', rgb(0, 0, 255)},
    {'r', rgb(255, 0, 0)},
    {'y', rgb(255, 255, 0)},
}};

// A small window image in the background colour with a context over it.
struct Canvas
{
    Canvas(int32_t width, int32_t height) : surface(width, height, BACKGROUND), dc(surface) {}
    Surface surface;
    DeviceContext dc;
};

struct LineCase
{
    const char* name;
    Point from;
    Point to;
    std::vector<std::string_view> rows;
};

} // namespace

TEST(DeviceContextLines, LeaveOutTheLastPixelInEveryDirection)
{
    const std::vector<LineCase> cases = {
        {"horizontal", {1, 1}, {5, 1}, {"........", ".kkkk...", "........", "........", "........"}},
        {"leftwards", {5, 1}, {1, 1}, {"........", "..kkkk..", "........", "........", "........"}},
        {"vertical", {2, 0}, {2, 4}, {"..k.....", "..k.....", "..k.....", "..k.....", "........"}},
        {"diagonal", {0, 0}, {4, 4}, {"k.......", ".k......", "..k.....", "...k....", "........"}},
        {"upwards diagonal", {4, 4}, {0, 0}, {"........", ".k......", "..k.....", "...k....", "....k..."}},
        {"shallow", {0, 0}, {6, 2}, {"kk......", "..kkk...", ".....k..", "........", "........"}},
        {"steep", {1, 0}, {2, 4}, {".k......", ".k......", "..k.....", "..k.....", "........"}},
        {"single point", {3, 3}, {3, 3}, {"........", "........", "........", "........", "........"}},
    };
    for (const LineCase& line : cases)
    {
        Canvas canvas(8, 5);
        canvas.dc.moveTo(line.from);
        canvas.dc.lineTo(line.to);
        EXPECT_TRUE(imageMatches(canvas.surface, line.rows, PALETTE, std::string("line_") + line.name));
        EXPECT_EQ(canvas.dc.getCurrentPosition(), line.to) << line.name;
    }
}

TEST(DeviceContextLines, ClosedPolylineCoversEveryCornerOnce)
{
    // Drawn with XOR: a pixel drawn twice would come back to the background.
    Canvas canvas(7, 6);
    canvas.dc.selectObject(Pen{PS_SOLID, 1, 0x000000});
    canvas.dc.setROP2(R2_XORPEN);
    canvas.dc.moveTo(1, 1);
    for (Point corner : {Point{5, 1}, Point{5, 4}, Point{1, 4}, Point{1, 1}})
        canvas.dc.lineTo(corner);
    // XOR with black changes nothing; use white to see it.
    Canvas white(7, 6);
    white.dc.selectObject(Pen{PS_SOLID, 0, 0xFFFFFF});
    white.dc.setROP2(R2_XORPEN);
    white.dc.moveTo(1, 1);
    for (Point corner : {Point{5, 1}, Point{5, 4}, Point{1, 4}, Point{1, 1}})
        white.dc.lineTo(corner);
    const std::array<PixelArtColour, 2> xorPalette = {{{'.', BACKGROUND}, {'x', BACKGROUND ^ 0xFFFFFF}}};
    EXPECT_TRUE(imageMatches(white.surface, {".......", ".xxxxx.", ".x...x.", ".x...x.", ".xxxxx.", "......."},
                             xorPalette, "closed_polyline_xor"));
    EXPECT_TRUE(imageMatches(canvas.surface, {".......", ".......", ".......", ".......", ".......", "......."},
                             PALETTE, "closed_polyline_xor_black"));
}

TEST(DeviceContextPens, StyledPensRepeatTheirPatternWithTransparentOrOpaqueGaps)
{
    struct PatternCase
    {
        int32_t style;
        int32_t backgroundMode;
        std::string_view row;
    };
    const PatternCase cases[] = {
        {PS_SOLID, TRANSPARENT, "kkkkkkkkkkkkkkkk"}, {PS_DOT, TRANSPARENT, "kk..kk..kk..kk.."},
        {PS_DOT, OPAQUE, "kkwwkkwwkkwwkkww"},        {PS_DASHDOT, TRANSPARENT, "kkkkkk..kk..kkkk"},
        {PS_DASHDOT, OPAQUE, "kkkkkkwwkkwwkkkk"},    {PS_DASH, TRANSPARENT, "kkkkkk..kkkkkk.."},
        {PS_NULL, OPAQUE, "................"},
    };
    for (const PatternCase& pattern : cases)
    {
        Canvas canvas(17, 1);
        canvas.dc.selectObject(Pen{pattern.style, 0, 0x000000});
        canvas.dc.setBkMode(pattern.backgroundMode);
        canvas.dc.setBkColor(0xFFFFFF);
        canvas.dc.moveTo(0, 0);
        canvas.dc.lineTo(16, 0);
        const std::string expected = std::string(pattern.row) + ".";
        EXPECT_TRUE(imageMatches(canvas.surface, {std::string_view(expected)}, PALETTE,
                                 "pen_style_" + std::to_string(pattern.style) + "_mode_" +
                                     std::to_string(pattern.backgroundMode)));
    }
}

TEST(DeviceContextPens, PatternRunsOnAcrossLineToAndRestartsAtMoveTo)
{
    Canvas canvas(12, 2);
    canvas.dc.selectObject(Pen{PS_DOT, 0, 0x000000});
    canvas.dc.setBkMode(TRANSPARENT);
    canvas.dc.moveTo(0, 0);
    canvas.dc.lineTo(3, 0);
    canvas.dc.lineTo(9, 0); // continues: pixel 3 is the second pixel of the first gap
    canvas.dc.moveTo(1, 1);
    canvas.dc.lineTo(7, 1); // starts the pattern afresh at x = 1
    EXPECT_TRUE(imageMatches(canvas.surface, {"kk..kk..k...", ".kk..kk....."}, PALETTE, "pen_pattern_continues"));
}

TEST(DeviceContextShapes, RectangleOutlinesInThePenAndFillsInTheBrush)
{
    // The joint symbol: Rectangle(x-2, y-2, x+3, y+3) is a 5 x 5 square around (x, y).
    Canvas canvas(9, 7);
    const Pen oldPen = canvas.dc.selectObject(Pen{PS_SOLID, 0, rgb(255, 0, 0)});
    const Brush oldBrush = canvas.dc.selectObject(Brush::solid(rgb(0, 0, 255)));
    canvas.dc.rectangle({4 - 2, 3 - 2, 4 + 3, 3 + 3});
    EXPECT_TRUE(imageMatches(
        canvas.surface, {".........", "..rrrrr..", "..rbbbr..", "..rbbbr..", "..rbbbr..", "..rrrrr..", "........."},
        PALETTE, "rectangle_joint"));
    // The previous objects come back from selecting.
    EXPECT_EQ(canvas.dc.selectObject(oldPen), (Pen{PS_SOLID, 0, rgb(255, 0, 0)}));
    EXPECT_EQ(canvas.dc.selectObject(oldBrush), Brush::solid(rgb(0, 0, 255)));
    EXPECT_EQ(oldPen, Pen::stock(BLACK_PEN));
    EXPECT_EQ(oldBrush, Brush::stock(WHITE_BRUSH));
}

TEST(DeviceContextShapes, RectangleWithHollowBrushNullPenAndSwappedCorners)
{
    Canvas canvas(12, 5);
    canvas.dc.selectObject(Brush::stock(HOLLOW_BRUSH));
    canvas.dc.rectangle({0, 0, 4, 4});
    canvas.dc.selectObject(Pen::stock(NULL_PEN));
    canvas.dc.selectObject(Brush::stock(GRAY_BRUSH));
    canvas.dc.rectangle({5, 0, 8, 4}); // no outline: the fill stops a pixel short
    canvas.dc.selectObject(Pen::stock(WHITE_PEN));
    canvas.dc.selectObject(Brush::stock(BLACK_BRUSH));
    canvas.dc.rectangle({12, 5, 9, 1}); // corners given the other way round
    EXPECT_TRUE(imageMatches(canvas.surface,
                             {"kkkk.gg.....", "k..k.gg..www", "k..k.gg..wkw", "kkkk.....wkw", ".........www"}, PALETTE,
                             "rectangle_variants"));
}

TEST(DeviceContextShapes, FillsAndFramesExcludeTheRightAndBottomEdges)
{
    Canvas canvas(10, 6);
    canvas.dc.fillRect({0, 0, 3, 2}, Brush::stock(GRAY_BRUSH));
    canvas.dc.fillRect({3, 0, 5, 2}, Brush::hollow());
    canvas.dc.fillRect({6, 0, 5, 2}, Brush::stock(BLACK_BRUSH)); // inverted: nothing
    canvas.dc.fillSolidRect({4, 0, 6, 1}, 0xC0C0C0);
    EXPECT_EQ(canvas.dc.getBkColor(), 0xC0C0C0u); // as the framework's, it leaves its colour behind
    canvas.dc.frameRect({0, 2, 4, 6}, Brush::solid(rgb(0, 0, 255)));
    canvas.dc.draw3dRect({5, 2, 9, 6}, 0xFFFFFF, 0x808080);
    EXPECT_TRUE(imageMatches(canvas.surface,
                             {"ggg.ss....", "ggg.......", "bbbb.wwwg.", "b..b.w..g.", "b..b.w..g.", "bbbb.gggg."},
                             PALETTE, "fills_and_frames"));
}

TEST(DeviceContextShapes, PolygonFillsInsideTheOutlineWithoutGaps)
{
    Canvas canvas(9, 6);
    canvas.dc.selectObject(Brush::solid(rgb(0, 0, 255)));
    const Point triangle[] = {{1, 1}, {7, 1}, {4, 4}};
    canvas.dc.polygon(triangle);
    EXPECT_TRUE(imageMatches(canvas.surface,
                             {".........", ".kkkkkkk.", "..kbbbk..", "...kbk...", "....k....", "........."}, PALETTE,
                             "polygon_triangle"));
    // The support symbol in a hollow brush: the outline only.
    Canvas hollow(9, 6);
    hollow.dc.selectObject(Brush::hollow());
    hollow.dc.selectObject(Pen{PS_SOLID, 1, 0xFFFFFF});
    hollow.dc.polygon(triangle);
    EXPECT_TRUE(imageMatches(hollow.surface,
                             {".........", ".wwwwwww.", "..w...w..", "...w.w...", "....w....", "........."}, PALETTE,
                             "polygon_hollow"));
}

TEST(DeviceContextShapes, ConcavePolygonFillsAlternately)
{
    Canvas canvas(9, 7);
    canvas.dc.selectObject(Pen::stock(NULL_PEN));
    canvas.dc.selectObject(Brush::solid(rgb(255, 255, 0)));
    // A "U": the notch at the top stays empty.
    const Point shape[] = {{1, 1}, {3, 1}, {3, 4}, {6, 4}, {6, 1}, {8, 1}, {8, 6}, {1, 6}};
    canvas.dc.polygon(shape);
    EXPECT_TRUE(imageMatches(
        canvas.surface, {".........", ".yy...yy.", ".yy...yy.", ".yy...yy.", ".yyyyyyy.", ".yyyyyyy.", "........."},
        PALETTE, "polygon_concave"));
}

struct EdgeCase
{
    const char* name;
    Rect rect;
    uint32_t edge;
    uint32_t flags;
    std::vector<std::string_view> rows;
    Rect adjusted;
};

TEST(DeviceContextEdges, FollowTheClassicPixelRules)
{
    const std::vector<EdgeCase> cases = {
        {"raised",
         {0, 0, 6, 6},
         EDGE_RAISED,
         BF_RECT,
         {"LLLLLk", "Lwwwgk", "Lw..gk", "Lw..gk", "Lggggk", "kkkkkk"},
         {0, 0, 6, 6}},
        {"sunken",
         {0, 0, 6, 6},
         EDGE_SUNKEN,
         BF_RECT | BF_ADJUST,
         {"gggggw", "gkkkLw", "gk..Lw", "gk..Lw", "gLLLLw", "wwwwww"},
         {2, 2, 4, 4}},
        {"raised middle",
         {0, 0, 6, 6},
         EDGE_RAISED,
         BF_RECT | BF_MIDDLE,
         {"LLLLLk", "Lwwwgk", "Lwssgk", "Lwssgk", "Lggggk", "kkkkkk"},
         {0, 0, 6, 6}},
        {"etched bottom",
         {0, 0, 6, 3},
         EDGE_ETCHED,
         BF_BOTTOM | BF_ADJUST,
         {"......", "gggggg", "wwwwww"},
         {0, 0, 6, 1}},
        {"etched left", {0, 0, 3, 3}, EDGE_ETCHED, BF_LEFT, {"gw.", "gw.", "gw."}, {0, 0, 3, 3}},
        {"etched header",
         {0, 0, 6, 4},
         EDGE_ETCHED,
         BF_LEFT | BF_TOP | BF_RIGHT | BF_MIDDLE,
         {"gggggw", "gwwwgw", "gwssgw", "gwssgw"},
         {0, 0, 6, 4}},
        {"grip", {0, 0, 4, 4}, BDR_RAISEDINNER, BF_RECT | BF_ADJUST, {"wwwg", "w..g", "w..g", "gggg"}, {1, 1, 3, 3}},
        {"fold box", {0, 0, 4, 4}, BDR_SUNKENOUTER, BF_RECT, {"gggw", "g..w", "g..w", "wwww"}, {0, 0, 4, 4}},
    };
    for (const EdgeCase& edge : cases)
    {
        const int32_t width = static_cast<int32_t>(edge.rows.front().size());
        Canvas canvas(width, static_cast<int32_t>(edge.rows.size()));
        Rect rect = edge.rect;
        EXPECT_TRUE(canvas.dc.drawEdge(rect, edge.edge, edge.flags)) << edge.name;
        EXPECT_TRUE(imageMatches(canvas.surface, edge.rows, PALETTE, std::string("edge_") + edge.name));
        EXPECT_EQ(rect, edge.adjusted) << edge.name;
    }
    Canvas canvas(4, 4);
    Rect rect{0, 0, 4, 4};
    EXPECT_FALSE(canvas.dc.drawEdge(rect, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT));
}

TEST(DeviceContextEdges, SystemColoursComeFromTheClassicPalette)
{
    EXPECT_EQ(getSysColor(COLOR_BTNFACE), 0xC0C0C0u);
    EXPECT_EQ(getSysColor(COLOR_BTNSHADOW), 0x808080u);
    EXPECT_EQ(getSysColor(COLOR_BTNHIGHLIGHT), 0xFFFFFFu);
    EXPECT_EQ(getSysColor(COLOR_3DDKSHADOW), 0x000000u);
    EXPECT_EQ(getSysColor(COLOR_WINDOW), 0xFFFFFFu);
    EXPECT_EQ(getSysColor(COLOR_WINDOWTEXT), 0x000000u);
    EXPECT_EQ(getSysColor(COLOR_HIGHLIGHT), 0x800000u);
    EXPECT_EQ(getSysColor(COLOR_HIGHLIGHTTEXT), 0xFFFFFFu);
    EXPECT_EQ(getSysColor(-1), 0u);
    EXPECT_EQ(getSysColor(1000), 0u);
}
