// The flat toolbar's border and loading, and the picker classes that nothing creates.
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/SmallControls.h"
#include "platform/DeviceContext.h"
#include "platform/DrawingConstants.h"
#include "platform/ImageList.h"
#include "platform/SystemValues.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

namespace
{

TEST(FlatToolBar, LoadingAddsTheFlatAndTransparentStyles)
{
    platformApplication();
    platform::Window frame;
    ASSERT_TRUE(frame.create("Window", "", platform::WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr));
    CFlatToolBar bar;
    ASSERT_TRUE(bar.create(platform::WS_VISIBLE, {0, 0, 100, 22}, &frame, 0xE800));
    platform::ImageList images({16, 16});
    EXPECT_FALSE(bar.loadToolBar({}, &images));
    EXPECT_EQ(bar.style() & 0x8800u, 0u);
    platform::ToolbarButton buttons[2];
    buttons[0].commandId = 57600;
    buttons[0].imageIndex = 0;
    buttons[1].commandId = 57664;
    buttons[1].imageIndex = 1;
    ASSERT_TRUE(bar.loadToolBar(buttons, &images));
    EXPECT_EQ(bar.style() & 0x8800u, 0x0800u | 0x8000u);
    EXPECT_EQ(bar.buttonCount(), 2);
}

TEST(FlatToolBar, BorderIsCoveredInTheButtonFaceInsideAnEtchedEdge)
{
    platform::Surface image(40, 20, 0x123456);
    platform::DeviceContext context(image);
    CFlatToolBar bar;
    bar.paintNonClient(context, {40, 20});
    const uint32_t face = platform::getSysColor(platform::COLOR_BTNFACE);
    for (platform::Point probe : {platform::Point{2, 2}, platform::Point{20, 3}, platform::Point{20, 16},
                                  platform::Point{3, 10}, platform::Point{36, 10}})
        EXPECT_EQ(image.pixel(probe.x, probe.y), face) << probe.x << "," << probe.y;
    EXPECT_EQ(image.pixel(20, 10), 0x123456u) << "the client part stays";
    EXPECT_NE(image.pixel(0, 0), 0x123456u) << "the etched edge";
    EXPECT_NE(image.pixel(39, 19), 0x123456u);
}

TEST(FlatToolBar, MovingInvalidatesWhereTheBarStood)
{
    platformApplication();
    platform::Window parent;
    ASSERT_TRUE(parent.create("Window", "", platform::WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr));
    parent.validateRect(nullptr);
    CFlatToolBar::positionChanged(parent, {0, 0, 120, 26}, false);
    EXPECT_TRUE(parent.updateRect().isEmpty());
    CFlatToolBar::positionChanged(parent, {0, 0, 120, 26}, true);
    EXPECT_EQ(parent.updateRect(), (platform::Rect{0, 0, 120, 26}));
}

TEST(PickerClasses, ColourPickerHueFieldAndCellListDoNothingOfTheirOwn)
{
    platformApplication();
    CColorPicker picker;
    ASSERT_TRUE(picker.create(nullptr, hostResourceModule()));
    EXPECT_EQ(picker.windowText(), "Choose Color");
    EXPECT_EQ(picker.dlgItemText(1041), "Button1");

    CHueSat field;
    ASSERT_TRUE(field.subclassDlgItem(1041, &picker));
    platform::Surface image(8, 8, 0x123456);
    platform::DeviceContext context(image);
    platform::DrawItemRecord record;
    record.dc = &context;
    record.itemRect = {0, 0, 8, 8};
    field.drawItem(record);
    EXPECT_EQ(image.pixel(4, 4), 0x123456u);

    CCellList cells;
    ASSERT_TRUE(cells.create("Window", "", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 30, 30}, &picker));
    cells.invalidate();
    cells.updateWindow();
    EXPECT_TRUE(cells.updateRect().isEmpty()) << "the paint validates the window";
}

} // namespace
