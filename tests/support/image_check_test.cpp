// The picture tests' comparison: what it accepts, and the files it leaves only on a mismatch.
#include "tests/support/ImageCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{

namespace fs = std::filesystem;
using platform::Surface;
using vorn_test::ImageTolerance;

class ImageCheck : public testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv("VORN_UPDATE_IMAGES");
        fs::remove_all(folder);
        fs::create_directories(folder);
        reference.setPixel(2, 1, 0x204060);
        ASSERT_TRUE(reference.savePng((folder / "reference.png").string()));
    }
    bool written(const char* suffix) const { return fs::exists(folder / (std::string("drawn") + suffix)); }
    testing::AssertionResult check(const Surface& drawn, ImageTolerance tolerance = {})
    {
        return vorn_test::imageMatchesFile(drawn, folder / "reference.png", "drawn", folder, tolerance);
    }

    const fs::path folder = fs::path(VORN_TEST_BINARY_DIR) / "image_check";
    Surface reference{4, 3, 0xFFFFFF};
};

TEST_F(ImageCheck, AMatchingImageWritesNothing)
{
    Surface drawn = reference;
    EXPECT_TRUE(check(drawn));
    EXPECT_FALSE(written(".out.png"));
    EXPECT_FALSE(written(".diff.png"));
}

TEST_F(ImageCheck, AMatchAfterAFailureRemovesThePicturesOfTheFailure)
{
    Surface drawn = reference;
    drawn.setPixel(0, 0, 0x000000);
    ASSERT_FALSE(check(drawn));
    ASSERT_TRUE(written(".out.png"));
    ASSERT_TRUE(written(".diff.png"));
    EXPECT_TRUE(check(reference));
    EXPECT_FALSE(written(".out.png"));
    EXPECT_FALSE(written(".diff.png"));
}

TEST_F(ImageCheck, ADifferingImageWritesTheDrawnImageAndRedWhereItDiffers)
{
    Surface drawn = reference;
    drawn.setPixel(0, 0, 0x000000);
    drawn.setPixel(3, 2, 0xFFFFFE);
    const testing::AssertionResult result = check(drawn);
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("2 pixels differ"), std::string::npos) << message;
    EXPECT_NE(message.find("x 0..3, y 0..2"), std::string::npos) << message;
    EXPECT_NE(message.find((folder / "drawn.diff.png").string()), std::string::npos) << message;

    const Surface out = Surface::loadImage((folder / "drawn.out.png").string());
    ASSERT_EQ(out.size(), drawn.size());
    EXPECT_EQ(out.pixel(0, 0), 0x000000u);
    EXPECT_EQ(out.pixel(2, 1), 0x204060u);
    const Surface diff = Surface::loadImage((folder / "drawn.diff.png").string());
    ASSERT_EQ(diff.size(), drawn.size());
    EXPECT_EQ(diff.pixel(0, 0), 0x0000FFu) << "red";
    EXPECT_EQ(diff.pixel(3, 2), 0x0000FFu);
    EXPECT_NE(diff.pixel(1, 0), 0x0000FFu) << "an equal pixel is not marked";
}

TEST_F(ImageCheck, ToleranceAllowsSmallChannelDifferencesAndAFewPixels)
{
    struct Case
    {
        const char* what;
        uint32_t colour; // drawn at (0, 0) and (1, 0) instead of white
        ImageTolerance tolerance;
        bool matches;
    };
    const Case cases[] = {
        {"one step off, no tolerance", 0xFFFFFE, {0, 0}, false},
        {"one step off, one allowed per channel", 0xFFFFFE, {1, 0}, true},
        {"two steps off in green, one allowed", 0xFFFDFF, {1, 0}, false},
        {"two pixels differ, two allowed", 0x000000, {0, 2}, true},
        {"two pixels differ, one allowed", 0x000000, {0, 1}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        fs::remove(folder / "drawn.out.png");
        Surface drawn = reference;
        drawn.setPixel(0, 0, c.colour);
        drawn.setPixel(1, 0, c.colour);
        EXPECT_EQ(static_cast<bool>(check(drawn, c.tolerance)), c.matches);
        EXPECT_EQ(written(".out.png"), !c.matches);
    }
}

TEST_F(ImageCheck, ADifferentSizeOrAMissingReferenceFails)
{
    EXPECT_FALSE(check(Surface(4, 4, 0xFFFFFF)));
    EXPECT_TRUE(written(".out.png"));
    fs::remove(folder / "drawn.out.png");
    EXPECT_FALSE(vorn_test::imageMatchesFile(reference, folder / "missing.png", "drawn", folder));
    EXPECT_TRUE(written(".out.png"));
}

TEST_F(ImageCheck, UpdatingWritesTheReference)
{
    Surface drawn(2, 2, 0x123456);
    setenv("VORN_UPDATE_IMAGES", "1", 1);
    const fs::path fresh = folder / "new" / "fresh.png";
    EXPECT_TRUE(vorn_test::imageMatchesFile(drawn, fresh, "drawn", folder));
    unsetenv("VORN_UPDATE_IMAGES");
    EXPECT_TRUE(vorn_test::imageMatchesFile(drawn, fresh, "drawn", folder));
    EXPECT_FALSE(written(".out.png"));
}

} // namespace
