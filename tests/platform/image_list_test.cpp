// Image lists cut from strips with a magenta mask, as toolbars load their buttons.
#include "platform/ImageList.h"
#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace
{

using platform::ImageList;
using platform::Surface;

constexpr std::uint32_t kMagenta = 0xFF00FF;

// Three 16 x 16 images side by side: red, green, blue squares, each with a magenta top-left corner.
Surface threeImageStrip()
{
    Surface strip(48, 16, kMagenta);
    const std::uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (int i = 0; i < 3; ++i)
        strip.fillRect({i * 16 + 4, 4, i * 16 + 16, 16}, colours[i]);
    return strip;
}

TEST(ImageList, CutsAStripAndMasksMagenta)
{
    ImageList list({16, 16});
    EXPECT_EQ(list.add(threeImageStrip(), kMagenta), 0);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.pixel(0, 8, 8), 0x0000FFu);
    EXPECT_EQ(list.pixel(1, 8, 8), 0x00FF00u);
    EXPECT_EQ(list.pixel(2, 15, 15), 0xFF0000u);
    EXPECT_EQ(list.pixel(1, 0, 0), ImageList::NoMask);
    // More images go behind the first ones.
    EXPECT_EQ(list.add(threeImageStrip(), kMagenta), 3);
    EXPECT_EQ(list.count(), 6);
    // Without a mask magenta is a colour like any other.
    EXPECT_EQ(list.add(threeImageStrip()), 6);
    EXPECT_EQ(list.pixel(6, 0, 0), kMagenta);
}

TEST(ImageList, RejectsStripsSmallerThanOneImage)
{
    ImageList list({16, 16});
    EXPECT_EQ(list.add(Surface(15, 16), kMagenta), -1);
    EXPECT_EQ(list.add(Surface(32, 8), kMagenta), -1);
    EXPECT_EQ(list.add(Surface(), kMagenta), -1);
    EXPECT_EQ(list.count(), 0);
    // A strip that is not a whole number of images wide gives the whole ones.
    EXPECT_EQ(list.add(Surface(40, 16), kMagenta), 0);
    EXPECT_EQ(list.count(), 2);
}

TEST(ImageList, DrawingLeavesTransparentPixelsAlone)
{
    ImageList list({16, 16});
    list.add(threeImageStrip(), kMagenta);
    Surface target(40, 20, 0x123456);
    list.draw(2, target, {10, 2});
    EXPECT_EQ(target.pixel(10, 2), 0x123456u); // magenta corner
    EXPECT_EQ(target.pixel(20, 10), 0xFF0000u); // blue square
    EXPECT_EQ(target.pixel(9, 10), 0x123456u); // outside the image
    list.draw(7, target, {0, 0}); // no such image: nothing happens
    list.draw(0, target, {-8, -8}); // partly outside: clipped
    EXPECT_EQ(target.pixel(0, 0), 0x0000FFu);
}

} // namespace
