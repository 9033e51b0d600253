#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Rect;
using platform::Surface;

TEST(Surface, StoresColourWordsAsBgr)
{
    Surface surface(4, 3, 0x123456);
    EXPECT_EQ(surface.size(), (platform::Size{4, 3}));
    EXPECT_EQ(surface.pixel(3, 2), 0x123456u);
    surface.setPixel(1, 1, 0x0000FF); // pure red
    EXPECT_EQ(surface.pixel(1, 1), 0x0000FFu);
    // The colour word is laid out as red, green, blue bytes in memory.
    const auto* bytes = reinterpret_cast<const unsigned char*>(surface.row(1) + 1);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0x00);
    // Outside the surface: the invalid colour, and writes do nothing.
    surface.setPixel(-1, 0, 0);
    surface.setPixel(4, 0, 0);
    EXPECT_EQ(surface.pixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(surface.pixel(0, 3), 0xFFFFFFFFu);
}

TEST(Surface, ResizeKeepsTheTopLeftContent)
{
    Surface surface(3, 3, 0x111111);
    surface.setPixel(2, 2, 0x222222);
    surface.resize(5, 4, 0x333333);
    EXPECT_EQ(surface.pixel(2, 2), 0x222222u);
    EXPECT_EQ(surface.pixel(0, 0), 0x111111u);
    EXPECT_EQ(surface.pixel(4, 0), 0x333333u);
    EXPECT_EQ(surface.pixel(0, 3), 0x333333u);
    surface.resize(2, 2);
    EXPECT_EQ(surface.size(), (platform::Size{2, 2}));
    EXPECT_EQ(surface.pixel(1, 1), 0x111111u);
    surface.resize(-5, 3);
    EXPECT_TRUE(surface.isEmpty());
    EXPECT_EQ(surface.pixel(0, 0), 0xFFFFFFFFu);
}

TEST(Surface, ReportsDrawingToItsCallbackClippedToItself)
{
    Surface surface(10, 10);
    std::vector<Rect> reported;
    surface.setChangeCallback([&](const Rect& changed) { reported.push_back(changed); });
    surface.fillRect({-5, 2, 4, 20}, 0xFF);
    surface.setPixel(9, 9, 0);
    surface.setPixel(10, 10, 0); // outside: nothing drawn, nothing reported
    surface.fillRect({20, 20, 30, 30}, 0);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], (Rect{0, 2, 4, 10}));
    EXPECT_EQ(reported[1], (Rect{9, 9, 10, 10}));
    EXPECT_EQ(surface.pixel(0, 9), 0xFFu);
    EXPECT_EQ(surface.pixel(4, 9), 0u);
}

TEST(Surface, CopiesAndAssignmentsCarryPixelsButNotTheCallback)
{
    Surface shown(2, 2, 0x10);
    int reports = 0;
    shown.setChangeCallback([&](const Rect&) { ++reports; });
    Surface copy(shown);
    copy.setPixel(0, 0, 0x20); // the copy is independent and has no callback
    EXPECT_EQ(shown.pixel(0, 0), 0x10u);
    EXPECT_EQ(reports, 0);
    shown = Surface(3, 3, 0x30); // the shown surface keeps its callback
    EXPECT_EQ(shown.pixel(2, 2), 0x30u);
    shown.setPixel(0, 0, 0);
    EXPECT_EQ(reports, 1);
    Surface moved(std::move(copy));
    EXPECT_EQ(moved.pixel(0, 0), 0x20u);
    EXPECT_TRUE(copy.isEmpty()); // NOLINT(bugprone-use-after-move): a moved-from surface is empty
}

TEST(Surface, SavesAndLoadsPng)
{
    Surface surface(3, 2, 0x00FF00);
    surface.setPixel(2, 1, 0xFF0000);
    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/surface_roundtrip.png";
    ASSERT_TRUE(surface.savePng(path));
    const Surface loaded = Surface::loadImage(path);
    ASSERT_EQ(loaded.size(), surface.size());
    EXPECT_EQ(loaded.pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(loaded.pixel(2, 1), 0xFF0000u);
    EXPECT_TRUE(Surface::loadImage(path + ".missing").isEmpty());
}
