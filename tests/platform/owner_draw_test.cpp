#include "PlatformTestApplication.h"

#include "platform/Controls.h"
#include "platform/DeviceContext.h"
#include "platform/Dialog.h"
#include "platform/InputSimulation.h"
#include "platform/PaintDC.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "tests/support/ImageCheck.h"
#include "platform/qt/WindowState.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace
{

constexpr uint32_t shownColour = 0x80FF80;
constexpr uint32_t pressedColour = 0x204060;
constexpr uint32_t focusColour = 0x407F40;

// A colour swatch drawn through the owner-draw protocol: its colour, a darker one while pressed,
// a focus frame inside (left + 3 .. right - 4) when it has the focus.
class SwatchButton : public Button
{
public:
    void drawItem(DrawItemRecord& record) override
    {
        records.push_back(record);
        ASSERT_NE(record.dc, nullptr);
        DeviceContext& dc = *record.dc;
        const Rect& rect = record.itemRect;
        dc.fillSolidRect(rect, (record.itemState & ODS_SELECTED) != 0 ? pressedColour : shownColour);
        if ((record.itemState & ODS_FOCUS) != 0)
        {
            const Pen previous = dc.selectObject(Pen{PS_SOLID, 1, focusColour});
            dc.moveTo(rect.left + 3, rect.top + 3);
            dc.lineTo(rect.right - 4, rect.top + 3);
            dc.lineTo(rect.right - 4, rect.bottom - 4);
            dc.lineTo(rect.left + 3, rect.bottom - 4);
            dc.lineTo(rect.left + 3, rect.top + 3);
            dc.selectObject(previous);
        }
    }
    std::vector<DrawItemRecord> records;
};

class Owner : public Dialog
{
public:
    LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
    {
        if (message == WM_MEASUREITEM)
        {
            reinterpret_cast<MeasureItemRecord*>(lParam)->itemHeight = 20;
            ++measured;
            return 1;
        }
        return Dialog::windowProc(message, wParam, lParam);
    }
    int measured = 0;
    bool onCommand(uint32_t id, uint32_t code, WindowHandle control) override
    {
        commands.push_back({id, code});
        return Dialog::onCommand(id, code, control);
    }
    std::vector<std::pair<uint32_t, uint32_t>> commands;
};

DialogTemplate swatchTemplate()
{
    DialogTemplate dialogTemplate;
    dialogTemplate.rect = {0, 0, 100, 60};
    dialogTemplate.style = WS_CHILD | WS_VISIBLE;
    DialogItemTemplate swatch;
    swatch.className = "Button";
    swatch.id = 1040;
    swatch.rect = {10, 10, 20, 12}; // 30 x 20 pixels at (15, 16)
    swatch.style = BS_OWNERDRAW | WS_VISIBLE;
    DialogItemTemplate rows;
    rows.className = "ListBox";
    rows.id = 1041;
    rows.rect = {40, 10, 50, 40};
    rows.style = LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_VISIBLE | WS_VSCROLL;
    dialogTemplate.items = {swatch, rows};
    return dialogTemplate;
}

class OwnerDrawTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(frame.create("Window", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200}, nullptr));
        ASSERT_TRUE(owner.createIndirect(swatchTemplate(), &frame, ModuleHandle::None));
        ASSERT_TRUE(swatch.subclassDlgItem(1040, &owner));
        swatch.invalidate();
        swatch.updateWindow();
    }
    Window frame;
    Owner owner;
    SwatchButton swatch;
};

TEST_F(OwnerDrawTest, AButtonIsPaintedThroughTheDrawItemRecord)
{
    ASSERT_FALSE(swatch.records.empty());
    const DrawItemRecord& record = swatch.records.back();
    EXPECT_EQ(record.controlType, ODT_BUTTON);
    EXPECT_EQ(record.controlId, 1040u);
    EXPECT_EQ(record.itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(record.window, swatch.handle());
    EXPECT_EQ(record.itemRect, (Rect{0, 0, 30, 20}));
    EXPECT_EQ(swatch.windowRect(), owner.clientToScreen(Rect{15, 16, 45, 36}));

    const Surface& image = *swatch.surface();
    EXPECT_EQ(image.pixel(0, 0), shownColour);
    EXPECT_EQ(image.pixel(29, 19), shownColour);
    EXPECT_EQ(image.pixel(3, 3), shownColour) << "no focus: no frame";
    EXPECT_TRUE(vorn_test::matchesReferenceImage(image, "owner_draw_unfocused"));
}

TEST_F(OwnerDrawTest, PressingFocusesAndDrawsTheSelectedStateThenTheReleaseClicks)
{
    simulateMouse(swatch.handle(), WM_LBUTTONDOWN, {10, 10});
    const DrawItemRecord pressed = swatch.records.back();
    EXPECT_EQ(pressed.itemState & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
    const Surface& image = *swatch.surface();
    EXPECT_EQ(image.pixel(0, 0), pressedColour);
    EXPECT_EQ(image.pixel(3, 3), focusColour);
    EXPECT_EQ(image.pixel(26, 3), focusColour) << "right - 4";
    EXPECT_EQ(image.pixel(26, 16), focusColour) << "bottom - 4";
    EXPECT_EQ(image.pixel(27, 3), pressedColour);
    EXPECT_EQ(image.pixel(4, 4), pressedColour);
    EXPECT_TRUE(owner.commands.empty()) << "a press alone is no click";

    // Leaving the button while held shows it released; coming back pressed again.
    simulateMouse(swatch.handle(), WM_MOUSEMOVE, {-20, 50});
    EXPECT_EQ(swatch.records.back().itemState & ODS_SELECTED, 0u);
    simulateMouse(swatch.handle(), WM_MOUSEMOVE, {5, 5});
    EXPECT_NE(swatch.records.back().itemState & ODS_SELECTED, 0u);
    simulateMouse(swatch.handle(), WM_LBUTTONUP, {5, 5});
    EXPECT_EQ(image.pixel(0, 0), shownColour);
    EXPECT_EQ(image.pixel(3, 3), focusColour) << "still focused";
    EXPECT_EQ(owner.commands, (std::vector<std::pair<uint32_t, uint32_t>>{{1040, BN_CLICKED}}));
    EXPECT_TRUE(vorn_test::matchesReferenceImage(image, "owner_draw_pressed"));

    // A release outside the button is no click; a double click reaches the owner as such.
    simulateMouse(swatch.handle(), WM_LBUTTONDOWN, {5, 5});
    simulateMouse(swatch.handle(), WM_LBUTTONUP, {50, 5});
    EXPECT_EQ(owner.commands.size(), 1u);
}

TEST_F(OwnerDrawTest, ADisabledButtonIsDrawnWithTheDisabledState)
{
    swatch.enableWindow(false);
    swatch.updateWindow();
    EXPECT_NE(swatch.records.back().itemState & ODS_DISABLED, 0u);
}

TEST_F(OwnerDrawTest, AnOwnerDrawnListBoxAsksForOneRecordPerVisibleRow)
{
    class Rows : public ListBox
    {
    public:
        void drawItem(DrawItemRecord& record) override
        {
            records.push_back(record);
            record.dc->fillSolidRect(record.itemRect, record.itemData == 1 ? 0x0000FF : 0x00FF00);
        }
        std::vector<DrawItemRecord> records;
    };
    Rows rows;
    ASSERT_TRUE(rows.subclassDlgItem(1041, &owner));
    EXPECT_EQ(owner.measured, 1) << "asked once, as the list box was made";
    EXPECT_EQ(rows.getItemHeight(), 20);
    for (int index = 0; index < 6; ++index)
        rows.setItemData(rows.addString("row"), index % 2);
    rows.invalidate();
    rows.updateWindow();
    // 65 pixels high: rows 0 to 3 are (partly) visible; the bar takes 16 of the 75 pixels' width.
    ASSERT_EQ(rows.records.size(), 4u);
    EXPECT_EQ(rows.records[1].controlType, ODT_LISTBOX);
    EXPECT_EQ(rows.records[1].itemId, 1u);
    EXPECT_EQ(rows.records[1].itemRect, (Rect{0, 20, 59, 40}));
    EXPECT_EQ(rows.surface()->pixel(5, 25), 0x0000FFu);
    EXPECT_EQ(rows.surface()->pixel(5, 45), 0x00FF00u);
    const ScrollInfo bar = rows.getScrollInfo(SB_VERT);
    EXPECT_EQ(bar.maximum, 5);
    EXPECT_EQ(bar.page, 3) << "three whole rows";

    rows.records.clear();
    rows.sendMessage(WM_VSCROLL, SB_LINEDOWN);
    rows.updateWindow();
    ASSERT_FALSE(rows.records.empty());
    EXPECT_EQ(rows.records.front().itemId, 1u);
    EXPECT_EQ(rows.records.front().itemRect.top, 0);
    EXPECT_EQ(rows.getTopIndex(), 1);
    EXPECT_EQ(rows.getScrollPos(SB_VERT), 1);
    rows.sendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(rows.getTopIndex(), 3) << "the last rows fill the list";
}

TEST_F(OwnerDrawTest, ADeviceContextDrawsOutsideAPaintAndInsideOne)
{
    class Canvas : public Window
    {
    public:
        LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
        {
            if (message != WM_PAINT)
                return Window::windowProc(message, wParam, lParam);
            PaintDC dc(*this);
            paintArea = dc.paintRect();
            dc.fillSolidRect(dc.paintRect(), 0x112233);
            return 0;
        }
        Rect paintArea;
    };
    Canvas canvas;
    ASSERT_TRUE(canvas.create("Window", "", WS_CHILD | WS_VISIBLE, {0, 0, 40, 30}, &frame));
    canvas.updateWindow();
    EXPECT_EQ(canvas.paintArea, (Rect{0, 0, 40, 30}));
    EXPECT_EQ(canvas.surface()->pixel(39, 29), 0x112233u);
    EXPECT_TRUE(canvas.updateRect().isEmpty());

    canvas.getDC()->setPixel(5, 5, 0x0000FF);
    EXPECT_EQ(canvas.surface()->pixel(5, 5), 0x0000FFu) << "drawn at once, shown with the next repaint";
    EXPECT_TRUE(canvas.updateRect().isEmpty()) << "drawing outside a paint asks for no WM_PAINT";
}

// Grey on the grey page: only the edge shows the swatch (the neutral colour of a colour button).
constexpr uint32_t pageGrey = 0xC0C0C0;

// Whether the widget of `window`, as the user sees it, has the one-pixel sunken edge: shadow on
// the top and left, highlight on the bottom and right over them.
::testing::AssertionResult hasStaticEdge(Window& window)
{
    const QImage image = window.state()->widget->grab().toImage();
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    auto colourAt = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; };
    const struct
    {
        int x, y;
        uint32_t colour;
    } probes[] = {
        {0, 0, 0x808080},          {right - 1, 0, 0x808080},      {0, bottom - 1, 0x808080},
        {right / 2, 0, 0x808080},  {0, bottom / 2, 0x808080},     {right, 0, 0xFFFFFF},
        {0, bottom, 0xFFFFFF},     {right / 2, bottom, 0xFFFFFF}, {right, bottom / 2, 0xFFFFFF},
        {right, bottom, 0xFFFFFF},
    };
    for (const auto& probe : probes)
        if (colourAt(probe.x, probe.y) != probe.colour)
            return ::testing::AssertionFailure() << "pixel " << probe.x << "," << probe.y << " is " << std::hex
                                                 << colourAt(probe.x, probe.y) << ", not " << probe.colour;
    return ::testing::AssertionSuccess();
}

TEST(StaticEdge, FramesEveryKindOfWindowThatAsksForIt)
{
    platformApplication();
    class GreySwatch : public Button
    {
    public:
        void drawItem(DrawItemRecord& record) override { record.dc->fillSolidRect(record.itemRect, pageGrey); }
    };
    auto withStaticEdge = [](DialogItemTemplate item) {
        item.exStyle = WS_EX_STATICEDGE;
        return item;
    };
    DialogTemplate page;
    page.rect = {0, 0, 120, 60};
    page.style = WS_CHILD | WS_VISIBLE;
    page.exStyle = WS_EX_STATICEDGE;
    page.items = {withStaticEdge(controlItem("Button", 1060, {10, 10, 20, 12}, BS_OWNERDRAW | BS_FLAT, "C")),
                  controlItem("Button", 1061, {40, 10, 20, 12}, BS_OWNERDRAW, "C"),
                  withStaticEdge(controlItem("Static", 1062, {70, 10, 30, 12}, SS_LEFT, "Edge"))};
    Window frame;
    ASSERT_TRUE(frame.create("Window", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200}, nullptr));
    Owner owner;
    ASSERT_TRUE(owner.createIndirect(page, &frame, ModuleHandle::None));
    GreySwatch framed;
    GreySwatch plain;
    ASSERT_TRUE(framed.subclassDlgItem(1060, &owner));
    ASSERT_TRUE(plain.subclassDlgItem(1061, &owner));
    for (Window* window : {static_cast<Window*>(&framed), static_cast<Window*>(&plain)})
    {
        window->invalidate();
        window->updateWindow();
    }

    EXPECT_TRUE(hasStaticEdge(framed)) << "an owner-drawn button";
    EXPECT_EQ(framed.state()->widget->grab().toImage().pixel(1, 1) & 0xFFFFFFu, pageGrey) << "the owner's inside";
    EXPECT_EQ(framed.surface()->pixel(0, 0), pageGrey) << "the edge frames the owner's drawing, never enters it";
    EXPECT_TRUE(hasStaticEdge(owner)) << "a painted window (a page)";
    EXPECT_TRUE(hasStaticEdge(*owner.dlgItem(1062))) << "a native control";
    EXPECT_FALSE(hasStaticEdge(plain)) << "a button that does not ask for it";

    // The extended style changed later: the edge follows.
    plain.modifyStyleEx(0, WS_EX_STATICEDGE, 0);
    EXPECT_TRUE(hasStaticEdge(plain));
    framed.modifyStyleEx(WS_EX_STATICEDGE, 0, 0);
    EXPECT_FALSE(hasStaticEdge(framed));
}

} // namespace
