#include "VornInterface/StandardToolbar.h"
#include "tests/support/ImageCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace
{

TEST(StandardToolbar, FiveButtonsEachWithAFullSixteenBySixteenPicture)
{
    const auto& buttons = standardToolbarButtons();
    ASSERT_EQ(buttons.size(), 5u);
    std::set<std::uint32_t> ids;
    for (const StandardToolbarButton& button : buttons)
    {
        ids.insert(button.commandId);
        for (int row = 0; row < 16; ++row)
            EXPECT_EQ(button.picture[row].size(), 16u) << "button " << button.commandId << " row " << row;
    }
    EXPECT_EQ(ids, (std::set<std::uint32_t>{57600, 32777, 32778, 57607, 57664}));
}

TEST(StandardToolbar, StripShowsEveryPictureOnTheMaskColour)
{
    platform::Surface strip = standardToolbarImageStrip();
    ASSERT_EQ(strip.width(), 80);
    ASSERT_EQ(strip.height(), 16);
    EXPECT_EQ(strip.pixel(0, 0), 0xFF00FFu) << "corners show the button face";
    EXPECT_EQ(strip.pixel(3, 1), 0x000000u) << "the new page's outline";
    EXPECT_EQ(strip.pixel(16 + 0, 7), 0x00A000u) << "import's arrow comes in from the left";
    EXPECT_EQ(strip.pixel(32 + 15, 8), 0x0000C0u) << "export's arrow goes out to the right";
    EXPECT_TRUE(vorn_test::matchesReferenceImage(strip, "standard_toolbar"));
}

} // namespace
