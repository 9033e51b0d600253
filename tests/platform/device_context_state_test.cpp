#include "DrawingExpectations.h"
#include "platform/DeviceContext.h"
#include "platform/PixelArt.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

using namespace platform;
using drawing_test::imageMatches;

namespace
{

constexpr ColorRef BACKGROUND = 0x403020;
constexpr int32_t HUGE_COORDINATE = std::numeric_limits<int32_t>::max();
constexpr int32_t HUGE_NEGATIVE = std::numeric_limits<int32_t>::min();

constexpr std::array<PixelArtColour, 6> PALETTE = {{
    {'.', BACKGROUND},
    {'k', 0x000000},
    {'w', 0xFFFFFF},
    {'g', 0x808080},
    {'b', rgb(0, 0, 255)},
    {'r', rgb(255, 0, 0)},
}};

// Something to draw over: every pixel different.
Surface patternedSurface(int32_t width, int32_t height)
{
    Surface surface(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            surface.setPixel(
                x, y, rgb(static_cast<uint8_t>(x * 37), static_cast<uint8_t>(y * 53), static_cast<uint8_t>(x ^ y)));
    return surface;
}

bool sameImage(const Surface& first, const Surface& second)
{
    if (first.size() != second.size())
        return false;
    for (int32_t y = 0; y < first.height(); ++y)
        for (int32_t x = 0; x < first.width(); ++x)
            if (first.pixel(x, y) != second.pixel(x, y))
                return false;
    return true;
}

} // namespace

TEST(DeviceContextClipping, IntersectsAndComesBackWithRestoreDC)
{
    Surface surface(8, 8, BACKGROUND);
    DeviceContext dc(surface);
    EXPECT_EQ(dc.getClipBox(), (Rect{0, 0, 8, 8}));
    dc.intersectClipRect({2, 2, 6, 6});
    const int32_t depth = dc.saveDC();
    EXPECT_EQ(depth, 1);
    dc.intersectClipRect({4, 4, 10, 10});
    dc.selectObject(Pen{PS_SOLID, 0, 0xFFFFFF});
    dc.setTextColor(0x123456);
    EXPECT_EQ(dc.getClipBox(), (Rect{4, 4, 6, 6}));
    dc.fillRect({0, 0, 8, 8}, Brush::stock(BLACK_BRUSH));
    EXPECT_TRUE(dc.restoreDC(-1));
    EXPECT_EQ(dc.getClipBox(), (Rect{2, 2, 6, 6}));
    EXPECT_EQ(dc.currentPen(), Pen::stock(BLACK_PEN));
    EXPECT_EQ(dc.getTextColor(), 0u);
    dc.moveTo(0, 2);
    dc.lineTo(8, 2); // clipped to x 2..5
    dc.setPixel(1, 3, 0xFFFFFF); // outside the clip: not drawn
    EXPECT_EQ(dc.getPixel(1, 3), CLR_INVALID);
    EXPECT_EQ(dc.getPixel(4, 4), 0u);
    EXPECT_TRUE(imageMatches(
        surface, {"........", "........", "..kkkk..", "........", "....kk..", "....kk..", "........", "........"},
        PALETTE, "clip_save_restore"));
    EXPECT_FALSE(dc.restoreDC(1)); // already restored
    EXPECT_FALSE(dc.restoreDC(0));
    dc.resetClip();
    EXPECT_EQ(dc.getClipBox(), (Rect{0, 0, 8, 8}));
}

TEST(DeviceContextClipping, RestoreToAnEarlierDepthDropsTheLaterOnes)
{
    Surface surface(4, 4);
    DeviceContext dc(surface);
    dc.setBkMode(TRANSPARENT);
    dc.saveDC();
    dc.setROP2(R2_XORPEN);
    dc.saveDC();
    dc.setTextAlign(TA_UPDATECP);
    EXPECT_EQ(dc.saveDC(), 3);
    EXPECT_TRUE(dc.restoreDC(2));
    EXPECT_EQ(dc.getROP2(), R2_XORPEN);
    EXPECT_EQ(dc.getTextAlign(), TA_TOP | TA_LEFT);
    EXPECT_FALSE(dc.restoreDC(2));
    EXPECT_TRUE(dc.restoreDC(1));
    EXPECT_EQ(dc.getROP2(), R2_COPYPEN);
    EXPECT_EQ(dc.getBkMode(), TRANSPARENT);
}

TEST(DeviceContextRasterOperations, XorAndNotDrawnTwiceRestoreTheImage)
{
    Surface surface = patternedSurface(24, 16);
    const Surface original = surface;
    DeviceContext dc(surface);
    const Point triangle[] = {{2, 2}, {20, 4}, {8, 14}};
    for (int32_t mode : {R2_XORPEN, R2_NOT})
    {
        dc.setROP2(mode);
        dc.selectObject(Pen{PS_DOT, 0, rgb(200, 100, 50)});
        dc.selectObject(Brush::solid(rgb(10, 250, 90)));
        dc.setBkColor(0x00FF00);
        for (int pass = 0; pass < 2; ++pass)
        {
            dc.moveTo(0, 0);
            dc.lineTo(23, 15);
            dc.rectangle({3, 3, 12, 9});
            dc.polygon(triangle);
        }
        EXPECT_TRUE(sameImage(surface, original)) << "mode " << mode;
    }
    // Fills, edges and pixel writes copy whatever the mix mode.
    Surface copied(4, 4, 0x0F0F0F);
    DeviceContext copyDc(copied);
    copyDc.setROP2(R2_XORPEN);
    copyDc.fillRect({0, 0, 1, 1}, Brush::solid(0x808080));
    copyDc.fillSolidRect({1, 0, 2, 1}, 0x808080);
    copyDc.setPixel(2, 0, 0x808080);
    Rect edge{0, 1, 4, 4};
    copyDc.drawEdge(edge, BDR_SUNKENOUTER, BF_TOP);
    for (int32_t x = 0; x < 3; ++x)
        EXPECT_EQ(copied.pixel(x, 0), 0x808080u) << x;
    EXPECT_EQ(copied.pixel(0, 1), 0x808080u);
    // And the mode really changed pixels in between.
    dc.setROP2(R2_NOT);
    dc.moveTo(0, 0);
    dc.lineTo(5, 0);
    EXPECT_EQ(surface.pixel(2, 0), original.pixel(2, 0) ^ 0xFFFFFFu);
}

TEST(DeviceContextRasterOperations, MixModesCombinePenAndDestination)
{
    struct MixCase
    {
        int32_t mode;
        ColorRef expected;
    };
    const ColorRef destination = 0x00F0F0;
    const ColorRef pen = 0x0F0FF0;
    const MixCase cases[] = {
        {R2_COPYPEN, pen},
        {R2_XORPEN, pen ^ destination},
        {R2_NOT, destination ^ 0xFFFFFF},
        {R2_BLACK, 0},
        {R2_WHITE, 0xFFFFFF},
        {R2_MASKPEN, pen & destination},
        {R2_MERGEPEN, pen | destination},
        {R2_NOTCOPYPEN, pen ^ 0xFFFFFF},
        {R2_NOP, destination},
        {R2_NOTMERGEPEN, ~(pen | destination) & 0xFFFFFF},
        {R2_MASKNOTPEN, ~pen & destination & 0xFFFFFF},
        {R2_MASKPENNOT, pen & ~destination & 0xFFFFFF},
        {R2_NOTMASKPEN, ~(pen & destination) & 0xFFFFFF},
        {R2_NOTXORPEN, ~(pen ^ destination) & 0xFFFFFF},
        {R2_MERGENOTPEN, (~pen | destination) & 0xFFFFFF},
        {R2_MERGEPENNOT, (pen | ~destination) & 0xFFFFFF},
    };
    for (const MixCase& mix : cases)
    {
        Surface surface(3, 1, destination);
        DeviceContext dc(surface);
        dc.selectObject(Pen{PS_SOLID, 0, pen});
        dc.setROP2(mix.mode);
        dc.moveTo(0, 0);
        dc.lineTo(2, 0);
        EXPECT_EQ(surface.pixel(0, 0), mix.expected) << "mode " << mix.mode;
        EXPECT_EQ(surface.pixel(2, 0), destination) << "mode " << mix.mode;
    }
}

TEST(DeviceContextBlits, CopyInvertAndCombineBetweenContexts)
{
    const Bitmap image = pixelArt({"rb", "wk"});
    DeviceContext memory = DeviceContext::createCompatibleDC();
    const Bitmap initial = memory.selectObject(image);
    EXPECT_EQ(initial.size(), (Size{1, 1}));
    Surface window(6, 4, BACKGROUND);
    DeviceContext dc(window);
    // Asked for more than the bitmap holds: only the bitmap's pixels arrive.
    EXPECT_TRUE(dc.bitBlt(1, 1, 500, 500, memory, 0, 0, SRCCOPY));
    EXPECT_TRUE(dc.bitBlt(4, 0, 2, 1, memory, 0, 1, SRCCOPY));
    EXPECT_TRUE(imageMatches(window, {"....wk", ".rb...", ".wk...", "......"}, PALETTE, "blit_copy"));
    // SRCINVERT twice restores; NOTSRCCOPY, SRCAND and SRCPAINT combine as their names say.
    const Surface before = window;
    dc.bitBlt(0, 0, 6, 4, memory, -1, -1, SRCINVERT);
    EXPECT_EQ(window.pixel(1, 1), 0u); // red xor red
    dc.bitBlt(0, 0, 6, 4, memory, -1, -1, SRCINVERT);
    EXPECT_TRUE(sameImage(window, before));
    struct RopCase
    {
        uint32_t rop;
        ColorRef expected;
    };
    const ColorRef destination = 0x0F0F0F;
    const ColorRef source = 0xFFFFFF; // the 'w' pixel at (0, 1)
    for (const RopCase& rop :
         {RopCase{NOTSRCCOPY, 0x000000}, RopCase{SRCAND, source & destination}, RopCase{SRCPAINT, source | destination},
          RopCase{SRCERASE, source & ~destination & 0xFFFFFF}})
    {
        Surface target(1, 1, destination);
        DeviceContext targetDc(target);
        EXPECT_TRUE(targetDc.bitBlt(0, 0, 1, 1, memory, 0, 1, rop.rop));
        EXPECT_EQ(target.pixel(0, 0), rop.expected) << std::hex << rop.rop;
    }
    // Putting the first bitmap back answers ours.
    EXPECT_EQ(memory.selectObject(initial), image);
    // A window context has no bitmap to swap.
    EXPECT_TRUE(dc.selectObject(image).isNull());
}

TEST(DeviceContextBlits, OverlappingCopyWithinOneImageMovesItIntact)
{
    for (const Point shift : {Point{1, 1}, Point{-1, -1}, Point{2, 0}, Point{-2, 0}, Point{0, 2}})
    {
        Surface surface = patternedSurface(8, 8);
        const Surface original = surface;
        DeviceContext dc(surface);
        EXPECT_TRUE(dc.bitBlt(2 + shift.x, 2 + shift.y, 4, 4, dc, 2, 2, SRCCOPY));
        for (int32_t y = 2; y < 6; ++y)
            for (int32_t x = 2; x < 6; ++x)
                ASSERT_EQ(surface.pixel(x + shift.x, y + shift.y), original.pixel(x, y))
                    << "shift " << shift.x << "," << shift.y << " at " << x << "," << y;
    }
}

TEST(DeviceContextBlits, PatternOperationsAndTransparentCopy)
{
    Surface surface(4, 2, 0x0000FF);
    DeviceContext dc(surface);
    dc.selectObject(Brush::stock(GRAY_BRUSH));
    EXPECT_TRUE(dc.patBlt(0, 0, 2, 1, PATCOPY));
    EXPECT_TRUE(dc.patBlt(2, 0, 1, 1, DSTINVERT));
    EXPECT_TRUE(dc.patBlt(3, 0, 1, 1, WHITENESS));
    EXPECT_TRUE(dc.patBlt(0, 1, 1, 1, BLACKNESS));
    EXPECT_FALSE(dc.patBlt(0, 0, 1, 1, SRCCOPY)); // needs a source
    EXPECT_EQ(surface.pixel(0, 0), 0x808080u);
    EXPECT_EQ(surface.pixel(2, 0), 0xFFFF00u);
    EXPECT_EQ(surface.pixel(3, 0), 0xFFFFFFu);
    EXPECT_EQ(surface.pixel(0, 1), 0u);

    // Image lists draw without their magenta pixels.
    DeviceContext memory = DeviceContext::createCompatibleDC();
    memory.selectObject(pixelArt({".k.", "k.k"}));
    Surface window(3, 2, 0xFFFFFF);
    DeviceContext windowDc(window);
    EXPECT_TRUE(windowDc.transparentBlt(0, 0, 3, 2, memory, 0, 0, IMAGE_MASK_COLOUR));
    EXPECT_TRUE(imageMatches(window, {"wkw", "kwk"}, PALETTE, "transparent_blit"));
}

TEST(DeviceContextWindows, AreaContextDrawsOffsetAndReportsChanges)
{
    auto surface = std::make_shared<Surface>(10, 6, BACKGROUND);
    std::vector<Rect> changes;
    surface->setChangeCallback([&](const Rect& changed) { changes.push_back(changed); });
    DeviceContext child(surface, {2, 1, 7, 5}); // a 5 x 4 child at (2, 1)
    EXPECT_EQ(child.size(), (Size{5, 4}));
    EXPECT_EQ(child.getClipBox(), (Rect{0, 0, 5, 4}));
    child.fillRect({-10, -10, 100, 1}, Brush::stock(BLACK_BRUSH));
    child.moveTo(0, 3);
    child.lineTo(100, 3);
    child.setPixel(4, 2, 0xFFFFFF);
    EXPECT_EQ(child.getPixel(4, 2), 0xFFFFFFu);
    EXPECT_EQ(child.getPixel(5, 2), CLR_INVALID);
    EXPECT_TRUE(imageMatches(*surface,
                             {"..........", "..kkkkk...", "..........", "......w...", "..kkkkk...", ".........."},
                             PALETTE, "child_area"));
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0], (Rect{2, 1, 7, 2}));
    EXPECT_EQ(changes[1], (Rect{2, 4, 7, 5}));
    EXPECT_EQ(changes[2], (Rect{6, 3, 7, 4}));
}

TEST(DeviceContextWindows, MemoryContextDrawsIntoTheSelectedBitmapOnly)
{
    const Bitmap bitmap(3, 2); // compatible bitmaps start black
    EXPECT_EQ(bitmap.surface().pixel(2, 1), 0u);
    DeviceContext memory = DeviceContext::createCompatibleDC();
    EXPECT_TRUE(memory.isMemoryContext());
    memory.selectObject(bitmap);
    memory.fillSolidRect({0, 0, 3, 2}, 0x808080);
    memory.setPixel(1, 1, 0xFFFFFF);
    EXPECT_EQ(bitmap.surface().pixel(0, 0), 0x808080u);
    EXPECT_EQ(bitmap.surface().pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(memory.size(), (Size{3, 2}));
    // saveDC keeps the selected bitmap too.
    memory.saveDC();
    memory.selectObject(Bitmap(5, 5));
    memory.restoreDC(-1);
    EXPECT_EQ(memory.currentBitmap(), bitmap);
}

TEST(DeviceContextCoordinates, HugeCoordinatesAreClippedExactlyAndCheaply)
{
    Surface surface(16, 16, BACKGROUND);
    DeviceContext dc(surface);
    // A diagonal through the whole int range crosses the image on its diagonal.
    dc.moveTo(HUGE_NEGATIVE + 1, HUGE_NEGATIVE + 1);
    dc.lineTo(HUGE_COORDINATE, HUGE_COORDINATE);
    for (int32_t i = 0; i < 16; ++i)
        ASSERT_EQ(surface.pixel(i, i), 0u) << i;
    EXPECT_EQ(surface.pixel(1, 0), BACKGROUND);
    // Extreme lines from far outside: clipped exactly to what the line crosses.
    dc.moveTo(HUGE_NEGATIVE, 3);
    dc.lineTo(HUGE_COORDINATE, 3);
    EXPECT_EQ(surface.pixel(0, 3), 0u);
    EXPECT_EQ(surface.pixel(15, 3), 0u);
    dc.moveTo(HUGE_NEGATIVE, HUGE_COORDINATE);
    dc.lineTo(HUGE_COORDINATE, HUGE_NEGATIVE);
    dc.selectObject(Pen{PS_DASHDOT, 0, 0xFFFFFF});
    dc.moveTo(HUGE_COORDINATE, 0);
    dc.lineTo(HUGE_NEGATIVE, 1);
    dc.selectObject(Brush::solid(rgb(0, 0, 255)));
    dc.rectangle({HUGE_NEGATIVE, 8, HUGE_COORDINATE, HUGE_COORDINATE});
    EXPECT_EQ(surface.pixel(7, 12), rgb(0, 0, 255));
    const Point farTriangle[] = {{HUGE_NEGATIVE, HUGE_NEGATIVE}, {HUGE_COORDINATE, 0}, {0, HUGE_COORDINATE}};
    dc.polygon(farTriangle);
    dc.fillRect({HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_COORDINATE, HUGE_COORDINATE}, Brush::stock(GRAY_BRUSH));
    EXPECT_EQ(surface.pixel(15, 15), 0x808080u);
    Rect edge{HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_COORDINATE, HUGE_COORDINATE};
    dc.drawEdge(edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    dc.draw3dRect({HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_COORDINATE, HUGE_COORDINATE}, 0, 0);
    dc.frameRect({HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_COORDINATE, HUGE_COORDINATE}, Brush::stock(BLACK_BRUSH));
    dc.setPixel(HUGE_COORDINATE, HUGE_NEGATIVE, 0);
    EXPECT_EQ(dc.getPixel(HUGE_NEGATIVE, HUGE_NEGATIVE), CLR_INVALID);
    DeviceContext memory = DeviceContext::createCompatibleDC();
    EXPECT_TRUE(dc.bitBlt(HUGE_COORDINATE, HUGE_COORDINATE, HUGE_COORDINATE, HUGE_COORDINATE, memory, HUGE_NEGATIVE,
                          HUGE_NEGATIVE, SRCCOPY));
    dc.intersectClipRect({HUGE_NEGATIVE, HUGE_NEGATIVE, HUGE_COORDINATE, HUGE_COORDINATE});
    EXPECT_EQ(dc.getClipBox(), (Rect{0, 0, 16, 16}));
}

TEST(DeviceContextCoordinates, ClampToPixelMakesProjectedValuesSafe)
{
    EXPECT_EQ(clampToPixel(12.7), 12);
    EXPECT_EQ(clampToPixel(-12.7), -12);
    EXPECT_EQ(clampToPixel(1e300), 1 << 30);
    EXPECT_EQ(clampToPixel(-std::numeric_limits<double>::infinity()), -(1 << 30));
    EXPECT_EQ(clampToPixel(std::nan("")), 0);
    // Two clamped values still add up without overflow.
    EXPECT_GT(static_cast<int64_t>(clampToPixel(1e300)) + clampToPixel(1e300), 0);
}

TEST(PixelArt, TurnsRowsIntoABitmapAndRefusesMistakes)
{
    const Bitmap arrow = pixelArt({"k..", "kw.", "kkk"});
    EXPECT_EQ(arrow.size(), (Size{3, 3}));
    EXPECT_EQ(arrow.surface().pixel(0, 0), 0u);
    EXPECT_EQ(arrow.surface().pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(arrow.surface().pixel(2, 0), IMAGE_MASK_COLOUR);
    const PixelArtColour own[] = {{'#', 0x123456}, {' ', 0xFFFFFF}};
    EXPECT_EQ(pixelArt({"# ", " #"}, own).surface().pixel(1, 1), 0x123456u);
    EXPECT_THROW(pixelArt({"kk", "k"}), std::invalid_argument);
    EXPECT_THROW(pixelArt({"kz"}), std::invalid_argument);
    EXPECT_THROW(pixelArt(std::initializer_list<std::string_view>{}), std::invalid_argument);
    const PixelArtColour twice[] = {{'a', 0}, {'a', 1}};
    EXPECT_THROW(pixelArt({"a"}, twice), std::invalid_argument);
}
