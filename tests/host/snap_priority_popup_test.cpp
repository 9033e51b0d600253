// The snap priority popup and its gauge, built and tested on their own: nothing opens them yet.
#include "VornInterface/SnapPriorityPopup.h"
#include "platform/DeviceContext.h"
#include "platform/SystemValues.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

namespace
{

struct SnapPriorityFixture : ::testing::Test
{
    platform::Window parent;
    std::unique_ptr<CPopupSnapPriority> popup;

    SnapPriorityFixture()
    {
        platformApplication();
        EXPECT_TRUE(parent.create("Window", "", platform::WS_OVERLAPPEDWINDOW, {0, 0, 200, 200}, nullptr));
        popup = std::make_unique<CPopupSnapPriority>();
        EXPECT_TRUE(popup->open(&parent));
    }

    void type(const std::string& text)
    {
        popup->setDlgItemText(CPopupSnapPriority::NumberId, text);
        popup->onCommand(CPopupSnapPriority::NumberId, platform::EN_CHANGE, platform::WindowHandle::None);
    }
    std::string shownText() { return popup->dlgItemText(CPopupSnapPriority::NumberId); }
    void mouse(uint32_t message, int32_t y)
    {
        popup->getGauge().sendMessage(message, platform::MK_LBUTTON, platform::pointToLParam({2, y}));
    }
};

TEST_F(SnapPriorityFixture, OpensOnTheGaugesValue)
{
    EXPECT_EQ(popup->getGauge().getValue(), 5);
    EXPECT_EQ(shownText(), "5");
    EXPECT_EQ(popup->getGauge().dlgCtrlId(), CPopupSnapPriority::GaugeId) << "the gauge took over its button";
}

TEST_F(SnapPriorityFixture, TypedNumbersAreCleanedAndClamped)
{
    const struct
    {
        const char* typed;
        int32_t value;
        const char* shown;
    } cases[] = {
        {"7a", 7, "7"}, {"a7", 7, "a7"}, {"", 7, ""},       {"25", 10, "10"},
        {"0", 0, "0"},  {"3", 3, "3"},   {"007", 7, "007"}, {"99999999999999999999", 10, "10"},
    };
    for (const auto& c : cases)
    {
        type(c.typed);
        EXPECT_EQ(popup->getGauge().getValue(), c.value) << c.typed;
        EXPECT_EQ(shownText(), c.shown) << c.typed;
    }
}

TEST_F(SnapPriorityFixture, DraggingTheGaugeSetsTheValueAndTheNumber)
{
    const int32_t height = popup->getGauge().clientRect().height();
    ASSERT_GT(height, 20);
    mouse(platform::WM_LBUTTONDOWN, 0);
    EXPECT_EQ(popup->getGauge().getValue(), 10) << "the top is the maximum";
    EXPECT_EQ(shownText(), "10");
    mouse(platform::WM_MOUSEMOVE, height);
    EXPECT_EQ(popup->getGauge().getValue(), 0) << "the bottom is the minimum";
    mouse(platform::WM_MOUSEMOVE, height * 2);
    EXPECT_EQ(popup->getGauge().getValue(), 0) << "clamped below";
    mouse(platform::WM_LBUTTONUP, height);
    mouse(platform::WM_MOUSEMOVE, 0);
    EXPECT_EQ(popup->getGauge().getValue(), 0) << "no change once the button is up";
    EXPECT_EQ(shownText(), "0");
}

TEST(IntensityGauge, RedWhenFullBlueWhenEmptyWhiteAbove)
{
    CIntensityCtrl gauge;
    const platform::Rect rect{0, 0, 10, 101};
    platform::Surface image(10, 101, 0x123456);
    platform::DeviceContext context(image);

    gauge.setValue(10);
    gauge.drawGauge(context, rect);
    EXPECT_EQ(image.pixel(5, 0), 0x2040FFu);
    EXPECT_EQ(image.pixel(5, 100), 0x2040FFu);

    gauge.setValue(0);
    gauge.drawGauge(context, rect);
    EXPECT_EQ(image.pixel(5, 0), 0xFFFFFFu);
    EXPECT_EQ(image.pixel(5, 99), 0xFFFFFFu);
    EXPECT_EQ(image.pixel(5, 100), 0xFF4040u);

    gauge.setValue(5);
    gauge.drawGauge(context, rect);
    EXPECT_EQ(image.pixel(5, 49), 0xFFFFFFu);
    EXPECT_EQ(image.pixel(5, 50), gauge.currentColour());
    EXPECT_EQ(gauge.currentColour(), 0x8F409Fu) << "half way, each channel truncated";

    int32_t connected = 3;
    gauge.setValuePointer(&connected);
    EXPECT_EQ(gauge.getValue(), 3);
    EXPECT_EQ(gauge.valueAtHeight(0, 100), 10);
    EXPECT_EQ(gauge.valueAtHeight(50, 100), 5);
    EXPECT_EQ(gauge.valueAtHeight(100, 100), 0);
}

} // namespace
