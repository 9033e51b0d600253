#include "DrawingExpectations.h"
#include "platform/Application.h"
#include "platform/DeviceContext.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace
{

constexpr ColorRef BACKGROUND = 0x403020;
constexpr ColorRef TEXT_COLOUR = 0x4040FF;

// Text needs the application (fonts belong to it).
class DeviceContextText : public testing::Test
{
public:
    static void SetUpTestSuite() { application = std::make_unique<Application>(argc, argv, "drawing test"); }
    static void TearDownTestSuite() { application.reset(); }

protected:
    DeviceContextText() : surface(80, 30, BACKGROUND), dc(surface) { prepareForText(dc); }

    // The stock proportional font, the text colour, a transparent background.
    static void prepareForText(DeviceContext& context)
    {
        context.selectObject(Font::stock(ANSI_VAR_FONT));
        context.setTextColor(TEXT_COLOUR);
        context.setBkMode(TRANSPARENT);
    }
    // Leaves the drawn image beside the test binary when the test failed.
    void TearDown() override
    {
        if (HasFailure())
            vorn_test::saveActualImage(
                surface, std::string("text_") + testing::UnitTest::GetInstance()->current_test_info()->name(),
                VORN_TEST_BINARY_DIR);
    }

    // The pixels of `image` that are not `untouched` all lie inside `box`; answers how many.
    static int changedPixelsInside(const Surface& image, ColorRef untouched, const Rect& box)
    {
        int changed = 0;
        for (int32_t y = 0; y < image.height(); ++y)
            for (int32_t x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != untouched)
                {
                    EXPECT_TRUE(box.contains({x, y})) << "drawn outside the text box at " << x << "," << y;
                    ++changed;
                }
        return changed;
    }

    static inline int argc = 1;
    static inline char programName[] = "platform_drawing_test";
    static inline char* argv[] = {programName, nullptr};
    static inline std::unique_ptr<Application> application;

    Surface surface;
    DeviceContext dc;
};

} // namespace

TEST_F(DeviceContextText, StockFontsHaveFixedMetrics)
{
    const TextMetrics metrics = dc.getTextMetrics();
    EXPECT_EQ(metrics.height, 13);
    EXPECT_EQ(metrics.ascent, 10);
    EXPECT_EQ(metrics.descent, 3);
    EXPECT_EQ(metrics.internalLeading, 2);
    EXPECT_EQ(dc.getTextExtent("Hello"), (Size{28, 13}));
    EXPECT_EQ(dc.getTextExtent(""), (Size{0, 13}));
    EXPECT_EQ(Font::dialog(), Font::stock(ANSI_VAR_FONT));
    // The initial font of a context is the bold system font.
    DeviceContext fresh(surface);
    EXPECT_EQ(fresh.currentFont(), Font::stock(SYSTEM_FONT));
    EXPECT_GT(fresh.getTextExtent("Hello").width, 28);
    // A positive height asks for the height of the whole line.
    for (int32_t cellHeight : {8, 13, 20})
    {
        dc.selectObject(Font{"Arial", cellHeight});
        EXPECT_LE(dc.getTextMetrics().height, cellHeight);
        EXPECT_GE(dc.getTextMetrics().height, cellHeight - 1);
    }
    dc.selectObject(Font{"Courier New", -11});
    EXPECT_EQ(dc.getTextExtent("iiii").width, dc.getTextExtent("MMMM").width); // fixed pitch
}

TEST_F(DeviceContextText, TextIsDrawnAtItsPositionInTheTextColour)
{
    dc.textOut(10, 5, "Hello");
    const int changed = changedPixelsInside(surface, BACKGROUND, {10, 5, 10 + 28, 5 + 13});
    EXPECT_GT(changed, 40);
    // Every drawn pixel has exactly the text colour: no antialiasing.
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int32_t x = 0; x < surface.width(); ++x)
            ASSERT_TRUE(surface.pixel(x, y) == BACKGROUND || surface.pixel(x, y) == TEXT_COLOUR) << x << "," << y;
    // The "H": two stems from the cap height (row 2 of the cell) down to the baseline, joined
    // by a bar in row 5; the top-left of the cell stays the background.
    for (int32_t row = 2; row < 10; ++row)
    {
        EXPECT_EQ(surface.pixel(11, 5 + row), TEXT_COLOUR) << row;
        EXPECT_EQ(surface.pixel(16, 5 + row), TEXT_COLOUR) << row;
    }
    EXPECT_EQ(surface.pixel(13, 5 + 5), TEXT_COLOUR);
    EXPECT_EQ(surface.pixel(13, 5 + 4), BACKGROUND);
    EXPECT_EQ(surface.pixel(10, 5), BACKGROUND);
    EXPECT_EQ(surface.pixel(11, 5 + 10), BACKGROUND); // below the baseline
    EXPECT_TRUE(vorn_test::matchesReferenceImage(surface, "text_hello"));
}

TEST_F(DeviceContextText, OpaqueModeFillsTheTextBox)
{
    std::vector<Rect> reported;
    surface.setChangeCallback([&](const Rect& changed) { reported.push_back(changed); });
    dc.setBkMode(OPAQUE);
    dc.setBkColor(0xFFFFFF);
    dc.textOut(10, 5, "Hello");
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), (Rect{10, 5, 10 + 28, 5 + 13})); // a window repaints the text box
    for (int32_t y = 5; y < 5 + 13; ++y)
        for (int32_t x = 10; x < 10 + 28; ++x)
            ASSERT_TRUE(surface.pixel(x, y) == 0xFFFFFF || surface.pixel(x, y) == TEXT_COLOUR) << x << "," << y;
    EXPECT_EQ(surface.pixel(11, 5 + 4), TEXT_COLOUR);
    EXPECT_EQ(surface.pixel(10, 5), 0xFFFFFFu);
    EXPECT_EQ(surface.pixel(9, 5), BACKGROUND);
    EXPECT_EQ(surface.pixel(10 + 28, 5), BACKGROUND);
    EXPECT_EQ(surface.pixel(10, 5 + 13), BACKGROUND);
}

TEST_F(DeviceContextText, UpdateCpContinuesAtTheCurrentPosition)
{
    // Pieces of one line drawn one after the other look like the whole line drawn at once.
    Surface whole(80, 30, BACKGROUND);
    DeviceContext wholeDc(whole);
    prepareForText(wholeDc);
    wholeDc.textOut(10, 5, "Hello 42");

    dc.moveTo(10, 5);
    EXPECT_EQ(dc.setTextAlign(TA_UPDATECP), TA_TOP | TA_LEFT);
    dc.textOut(0, 0, "Hel"); // the position given is ignored
    dc.textOut(70, 20, "lo ");
    dc.textOut(0, 0, "42");
    dc.setTextAlign(TA_TOP | TA_LEFT);
    EXPECT_EQ(dc.getCurrentPosition(), (Point{10 + wholeDc.getTextExtent("Hello 42").width, 5}));
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int32_t x = 0; x < surface.width(); ++x)
            ASSERT_EQ(surface.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
}

TEST_F(DeviceContextText, AlignmentPlacesTheBoxAroundTheReferencePoint)
{
    dc.setTextAlign(TA_RIGHT | TA_BASELINE);
    dc.textOut(50, 20, "Hello");
    EXPECT_GT(changedPixelsInside(surface, BACKGROUND, {50 - 28, 20 - 10, 50, 20 + 3}), 40);
    EXPECT_EQ(surface.pixel(50 - 28 + 1, 19), TEXT_COLOUR); // the H stands on the baseline
}

TEST_F(DeviceContextText, Latin1AndUtf8GiveTheSameText)
{
    dc.textOut(2, 2, "caf\xE9 \xB0");
    Surface utf8(80, 30, BACKGROUND);
    DeviceContext utf8Dc(utf8);
    prepareForText(utf8Dc);
    utf8Dc.textOut(2, 2, "caf\xC3\xA9 \xC2\xB0");
    EXPECT_EQ(dc.getTextExtent("caf\xE9"), utf8Dc.getTextExtent("caf\xC3\xA9"));
    EXPECT_GT(dc.getTextExtent("\xE9").width, 0);
    for (int32_t y = 0; y < surface.height(); ++y)
        for (int32_t x = 0; x < surface.width(); ++x)
            ASSERT_EQ(surface.pixel(x, y), utf8.pixel(x, y)) << x << "," << y;
}

TEST_F(DeviceContextText, TextStaysInsideTheClip)
{
    dc.intersectClipRect({12, 0, 20, 11});
    dc.setBkMode(OPAQUE);
    dc.setBkColor(0xFFFFFF);
    dc.textOut(10, 5, "Hello");
    EXPECT_GT(changedPixelsInside(surface, BACKGROUND, {12, 5, 20, 11}), 20);
    // Far away or huge positions draw nothing and do not fail.
    dc.resetClip();
    dc.textOut(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), "Hello");
    dc.textOut(std::numeric_limits<int32_t>::min(), 0, "Hello");
    EXPECT_GT(changedPixelsInside(surface, BACKGROUND, {12, 5, 20, 11}), 20);
}
