#include "uikit/ControlRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

TEST(FocusFrameColour, DarkerOnBrightColoursLighterOtherwise)
{
    EXPECT_EQ(focusFrameColour(0x80FF80), 0x407F40u);
    EXPECT_EQ(focusFrameColour(0x000000), 0x808080u);
    EXPECT_EQ(focusFrameColour(0x404040), 0xA0A0A0u);
    EXPECT_EQ(focusFrameColour(0xC08000), 0xE0C080u); // 192 is not above 192: lighter
    EXPECT_EQ(focusFrameColour(0xC100FF), 0x60007Fu); // a channel above 192 halves all
    // Lighter halves never carry into the next channel.
    EXPECT_EQ(focusFrameColour(0x00C000) & 0xFF00FF, 0x800080u);
}

TEST(SelectedCellColour, HalvedAndTintedGreen)
{
    EXPECT_EQ(selectedCellColour(0xFFFFFF), 0xBFFEBFu);
    EXPECT_EQ(selectedCellColour(0x000000), 0x407F40u);
}

TEST(AngleRule, KeepsAnglesInTheHalfOpenTurn)
{
    const std::pair<double, double> cases[] = {
        {190, -170}, {-180, -180}, {180, -180}, {179.5, 179.5}, {-181, 179},
        {540, -180}, {-900, -180}, {0, 0},      {725, 5},
    };
    for (const auto& [in, out] : cases)
        EXPECT_DOUBLE_EQ(wrapAngleDegrees(in), out) << "from " << in;
    // Huge values end in range at once instead of subtracting turns forever.
    for (double big : {1e300, -1e300, 1e17, -3e15})
    {
        const double wrapped = wrapAngleDegrees(big);
        EXPECT_GE(wrapped, -180.0);
        EXPECT_LT(wrapped, 180.0);
    }
    EXPECT_LT(wrapAngleDegrees(-180.0 - 1e-14), 180.0);
}

TEST(SpinnerArithmetic, StepsAdditiveAndMultiplicative)
{
    EXPECT_DOUBLE_EQ(*spinnerStepped(2.5, 1, false, true), 3.5);
    EXPECT_DOUBLE_EQ(*spinnerStepped(2.5, 1, false, false), 1.5);
    EXPECT_DOUBLE_EQ(*spinnerStepped(2.0, 1.1, true, true), 2.2);
    EXPECT_DOUBLE_EQ(*spinnerStepped(2.2, 1.1, true, false), 2.0);
}

TEST(SpinnerArithmetic, RefusesStepsThatLeaveTheFiniteNumbers)
{
    EXPECT_FALSE(spinnerStepped(5, 0, true, false).has_value()); // divide by a zero factor
    EXPECT_FALSE(spinnerStepped(5, 0, true, true).has_value());
    EXPECT_FALSE(spinnerStepped(1e308, 10, true, true).has_value());
    EXPECT_FALSE(spinnerStepped(std::numeric_limits<double>::max(), 1e308, false, true).has_value());
    EXPECT_FALSE(spinnerDragged(1e300, 100, 0, 10, true).has_value());
}

TEST(SpinnerArithmetic, DragsLinearAndExponential)
{
    EXPECT_NEAR(*spinnerDragged(1.0, 50, 40, 0.01, false), 1.1, 1e-12); // 10 pixels up
    EXPECT_NEAR(*spinnerDragged(1.0, 40, 50, 0.01, false), 0.9, 1e-12);
    const double up = *spinnerDragged(3.0, 50, 30, 0.05, true);
    EXPECT_NEAR(up, 3.0 * std::exp(1.0), 1e-12);
    EXPECT_NEAR(*spinnerDragged(up, 30, 50, 0.05, true), 3.0, 1e-12);
}

// Multiplying never leaves 0: a click or drag up from 0 starts from the link's own small value,
// everything else keeps the plain rule.
TEST(SpinnerArithmetic, MultiplicativeSpinningLeavesZeroOnlyUpwardAndOnlyWithAStart)
{
    struct Case
    {
        const char* what;
        double value;
        bool up;
        double fromZero;
        double clicked;
    };
    const Case cases[] = {
        {"up from 0 with a start", 0.0, true, 1e-4, 1e-4},
        {"down from 0 stays", 0.0, false, 1e-4, 0.0},
        {"up from 0 without a start stays", 0.0, true, 0.0, 0.0},
        {"a value off 0 ignores the start", 2.0, true, 1e-4, 2.2},
        {"negative values multiply as before", -2.0, true, 1e-4, -2.2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(*spinnerStepped(c.value, 1.1, true, c.up, c.fromZero), c.clicked, 1e-12);
    }
    EXPECT_DOUBLE_EQ(*spinnerStepped(0.0, 1.0, false, true, 1e-4), 1.0) << "adding steps as before";

    EXPECT_NEAR(*spinnerDragged(0.0, 50, 40, 0.01, true, 1e-4), 1e-4 * std::exp(0.1), 1e-16);
    EXPECT_EQ(*spinnerDragged(0.0, 40, 50, 0.01, true, 1e-4), 0.0) << "dragging down from 0 stays";
    EXPECT_EQ(*spinnerDragged(0.0, 50, 40, 0.01, true), 0.0);
}

TEST(MiniScrollBarGeometry, TrackThumbAndPlainStrip)
{
    const platform::Rect client{0, 0, 10, 216}; // a track of 200 pixels
    MiniScrollBarGeometry plain = miniScrollBarGeometry(client, 500, 400, 0);
    EXPECT_FALSE(plain.scrolls);
    EXPECT_EQ(plain.above, (platform::Rect{4, 0, 10, 216}));

    MiniScrollBarGeometry half = miniScrollBarGeometry(client, 500, 1000, 250);
    ASSERT_TRUE(half.scrolls);
    EXPECT_EQ(half.above, (platform::Rect{4, 0, 10, 51}));
    EXPECT_EQ(half.thumb, (platform::Rect{5, 51, 10, 51 + 100 + 15}));
    EXPECT_EQ(half.below, (platform::Rect{4, 166, 10, 216}));
}

TEST(MiniScrollBarGeometry, ShortBarsHaveNoTrackToDrag)
{
    // 16 pixels: no track; the thumb fills and dragging moves nothing (no division by zero).
    const MiniScrollBarGeometry shortBar = miniScrollBarGeometry({0, 0, 10, 16}, 100, 1000, 300);
    EXPECT_EQ(shortBar.track, 0);
    EXPECT_EQ(miniScrollBarDragPosition(300, 5, 15, 100, 1000, shortBar.track), 300);
    EXPECT_EQ(miniScrollBarDragPosition(300, 5, 15, 100, 1000, -4), 300);
}

TEST(MiniScrollBarGeometry, DragByTheWholeTrackMovesByTheTotal)
{
    EXPECT_EQ(miniScrollBarDragPosition(0, 10, 30, 200, 1000, 200), 100);
    EXPECT_EQ(miniScrollBarDragPosition(0, 10, 210, 200, 1000, 200), 800); // the whole total, clamped
    EXPECT_EQ(miniScrollBarDragPosition(800, 300, -100, 200, 1000, 200), 0);
    EXPECT_EQ(miniScrollBarDragPosition(0, 0, 30000, 200, 2000000000, 1), 2000000000 - 200);
}

} // namespace
