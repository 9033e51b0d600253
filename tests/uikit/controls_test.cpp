// The colour button, the double spinner and typed numbers in a page made from a template.

#include "KitTestSupport.h"

#include "platform/Controls.h"
#include "platform/DrawingConstants.h"
#include "platform/Services.h"
#include "uikit/ColorButton.h"
#include "uikit/DialogNumbers.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/TextEntry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform;

namespace
{

constexpr int32_t valueEditId = 1001;
constexpr int32_t spinnerId = 1002;
constexpr int32_t colourButtonId = 1003;
constexpr int32_t secondColourButtonId = 1004;

DialogTemplate pageTemplate()
{
    DialogTemplate page = childDialogTemplate({0, 0, 120, 40});
    page.items.push_back(editControl(valueEditId, {5, 5, 60, 12}));
    page.items.push_back(ownerDrawButton(spinnerId, {66, 4, 9, 20}));
    page.items.push_back(ownerDrawButton(colourButtonId, {80, 5, 13, 12}, "C"));
    page.items.push_back(ownerDrawButton(secondColourButtonId, {96, 5, 13, 12}, "D"));
    return page;
}

class RecordingLink : public DoubleSpinnerLink
{
public:
    RecordingLink(double* value, double step, double dragFactor) : DoubleSpinnerLink(value, step, dragFactor) {}
    void beginChange() override { ++begins; }
    void valueChanged() override { values.push_back(*value); }
    int begins = 0;
    std::vector<double> values;
};

// A page as the library's pages are: variables exchanged with its controls, a spinner beside the
// edit and a colour button showing a colour variable.
class TestPage : public Dialog
{
public:
    TestPage() : colourButton(&colour, 0x123456) {}

    bool onInitDialog() override
    {
        colourButton.subclassDlgItem(colourButtonId, this);
        plainColourButton.subclassDlgItem(secondColourButtonId, this);
        return true;
    }
    void doDataExchange(DataExchange& exchange) override { exchangeDouble(exchange, valueEditId, value); }

    double value = 2.5;
    uint32_t colour = 0;
    CColorButton colourButton;
    CColorButton plainColourButton;
};

class PageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        processMessages();
        ASSERT_TRUE(createTopWindow(top, {50, 50, 450, 250}));
        ASSERT_TRUE(page.createIndirect(pageTemplate(), &top, testModule()));
        processMessages();
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    Window top;
    TestPage page;
};

// The page's spinner button made into a spinner with a recording link->
class SpinnerTest : public PageTest
{
protected:
    void makeSpinner(double step, double dragFactor, int32_t flags)
    {
        link = std::make_unique<RecordingLink>(&value, step, dragFactor);
        spinner = std::make_unique<CDoubleSpinner>(link.get(), flags);
        ASSERT_TRUE(spinner->subclassDlgItem(spinnerId, &page));
    }
    void TearDown() override
    {
        PageTest::TearDown();
        spinner.reset();
    }

    void mouse(uint32_t action, Point at, uint32_t time = 0) { simulateMouse(spinner->handle(), action, at, 0, time); }
    void click(Point at)
    {
        mouse(WM_LBUTTONDOWN, at);
        mouse(WM_LBUTTONUP, at);
        processMessages();
    }
    Point upper() const { return {5, 3}; }
    Point lower() const { return {5, spinner->clientRect().height() - 3}; }

    double value = 0.0;
    std::unique_ptr<RecordingLink> link;
    std::unique_ptr<CDoubleSpinner> spinner;
};

TEST_F(PageTest, TypedNumbersAcceptedAndRefusedThroughTheDialog)
{
    struct Case
    {
        const char* text;
        bool accepted;
        double value;
        bool box;
    } cases[] = {
        {"12.5", true, 12.5, false},  {"  -3e2", true, -300, false}, {"1,5", false, 0, false},
        {"12abc", true, 12.0, false}, {"0", true, 0.0, false},       {"", false, 0, false},
        {"   ", false, 0, false},     {"abc", false, 0, false},      {"nan", false, 0, false},
        {"0x10", false, 0, false},    {"1e400", false, 0, true},     {"-1e999", false, 0, true},
        {"inf", false, 0, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        ScriptedInteraction script;
        page.setDlgItemText(valueEditId, c.text);
        double target = 77.0;
        EXPECT_EQ(getDlgItemDouble(&page, valueEditId, &target), c.accepted);
        EXPECT_DOUBLE_EQ(target, c.accepted ? c.value : 77.0) << "a refused text leaves the value unchanged";
        ASSERT_EQ(script.boxes.size(), c.box ? 1u : 0u);
        if (c.box)
        {
            EXPECT_EQ(script.boxes[0].text, "Value too large.");
            EXPECT_EQ(script.boxes[0].caption, "Error: Text to Value Conversion");
            EXPECT_EQ(script.boxes[0].type, MB_OK | MB_ICONWARNING);
            EXPECT_EQ(script.boxes[0].owner, WindowHandle::None) << "owned by the main window";
        }
    }
    // After a refusal the next valid text is taken.
    double target = 1.0;
    page.setDlgItemText(valueEditId, "abc");
    EXPECT_FALSE(getDlgItemDouble(&page, valueEditId, &target));
    page.setDlgItemText(valueEditId, "4.25");
    EXPECT_TRUE(getDlgItemDouble(&page, valueEditId, &target));
    EXPECT_DOUBLE_EQ(target, 4.25);
    EXPECT_FALSE(getDlgItemDouble(&page, 4242, &target)) << "no such control";
    EXPECT_FALSE(getDlgItemDouble(nullptr, valueEditId, &target));
}

TEST_F(PageTest, NumbersOutsideTheFieldsRangeAreRefusedSilently)
{
    struct Case
    {
        const char* text;
        NumberRange range;
        bool accepted;
    } cases[] = {
        {"0.5", NumberRange::Positive, true},    {"0", NumberRange::Positive, false},
        {"-0", NumberRange::Positive, false},    {"-2", NumberRange::Positive, false},
        {"0", NumberRange::NotNegative, true},   {"-0.1", NumberRange::NotNegative, false},
        {"-7", NumberRange::Any, true},          {"1e400", NumberRange::Any, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        ScriptedInteraction script;
        page.setDlgItemText(valueEditId, c.text);
        double target = 77.0;
        EXPECT_EQ(getDlgItemDouble(&page, valueEditId, &target, c.range), c.accepted);
        EXPECT_EQ(isTakenNumberText(c.text, c.range), c.accepted);
        EXPECT_EQ(target, c.accepted ? std::stod(c.text) : 77.0);
        EXPECT_EQ(script.boxes.size(), std::string(c.text) == "1e400" ? 1u : 0u) << "only a huge number has a box";
    }
}

TEST_F(PageTest, AFocusedFieldLeftOnARefusedTextGivesBackTheValueItHeld)
{
    FocusedNumberField field;
    double held = 0.0;
    field.focused(valueEditId, 2.0);
    page.setDlgItemText(valueEditId, "2,5");
    EXPECT_TRUE(field.leftRefused(&page, valueEditId, NumberRange::Any, &held));
    EXPECT_EQ(held, 2.0);
    EXPECT_FALSE(field.leftRefused(&page, valueEditId, NumberRange::Any, &held)) << "left once";

    // A value set by other means than typing is the one to go back to; a taken text stays.
    field.focused(valueEditId, 2.0);
    field.heldChanged(valueEditId, 2.2);
    field.heldChanged(4242, 9.0);
    page.setDlgItemText(valueEditId, "-1");
    EXPECT_TRUE(field.leftRefused(&page, valueEditId, NumberRange::Positive, &held));
    EXPECT_EQ(held, 2.2);
    field.focused(valueEditId, 2.0);
    page.setDlgItemText(valueEditId, "3");
    EXPECT_FALSE(field.leftRefused(&page, valueEditId, NumberRange::Positive, &held));
    // Leaving a field that never had the focus here brings nothing back.
    page.setDlgItemText(valueEditId, "abc");
    EXPECT_FALSE(field.leftRefused(&page, valueEditId, NumberRange::Any, &held));
    // Nor does leaving it once the page shows another object: the value held is not that object's.
    const int first = 1;
    const int second = 2;
    field.focused(valueEditId, 2.0, &first);
    EXPECT_FALSE(field.leftRefused(&page, valueEditId, NumberRange::Any, &held, &second));
    field.focused(valueEditId, 2.0, &first);
    EXPECT_TRUE(field.leftRefused(&page, valueEditId, NumberRange::Any, &held, &first));
}

TEST_F(SpinnerTest, SpinnerClicksStepAdditively)
{
    value = 2.5;
    makeSpinner(1.0, 0.01, 0);
    click(upper());
    EXPECT_DOUBLE_EQ(value, 3.5);
    EXPECT_EQ(link->begins, 1);
    EXPECT_EQ(link->values, std::vector<double>{3.5});
    click(lower());
    click(lower());
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_EQ(link->begins, 3);
    EXPECT_EQ(spinner->getFlags(), 0) << "the press state ends with the release";
}

TEST_F(SpinnerTest, SpinnerClicksStepMultiplicativelyAndKeepTheirConfiguration)
{
    value = 2.0;
    const int32_t configuration = CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply;
    makeSpinner(1.1, 0.01, configuration);
    click(upper());
    EXPECT_DOUBLE_EQ(value, 2.2);
    click(lower());
    EXPECT_DOUBLE_EQ(value, 2.0);
    EXPECT_EQ(spinner->getFlags(), configuration);

    // A factor of 0 is refused: dividing by it would make the value infinite.
    link->step = 0.0;
    link->values.clear();
    click(lower());
    click(upper());
    EXPECT_DOUBLE_EQ(value, 2.0);
    EXPECT_TRUE(link->values.empty());
}

TEST_F(SpinnerTest, SpinnerDoubleClickStepsTwice)
{
    value = 10.0;
    makeSpinner(1.0, 0.01, 0);
    const uint32_t t = 500000;
    mouse(WM_LBUTTONDOWN, lower(), t);
    mouse(WM_LBUTTONUP, lower(), t + 40);
    mouse(WM_LBUTTONDOWN, lower(), t + 120);
    mouse(WM_LBUTTONUP, lower(), t + 160);
    processMessages();
    EXPECT_DOUBLE_EQ(value, 8.0);
    EXPECT_EQ(link->values.size(), 2u);
}

TEST_F(SpinnerTest, SpinnerDragsLinearlyOneChangePerMove)
{
    value = 1.0;
    makeSpinner(5.0, 0.01, 0);
    mouse(WM_LBUTTONDOWN, {5, 15});
    for (int32_t y = 14; y >= 5; --y)
        mouse(WM_MOUSEMOVE, {5, y});
    mouse(WM_MOUSEMOVE, {6, 5}); // no vertical movement: no change
    mouse(WM_LBUTTONUP, {6, 5});
    processMessages();
    EXPECT_NEAR(value, 1.1, 1e-12) << "10 pixels up at 0.01 per pixel, and no step after a drag";
    EXPECT_EQ(link->values.size(), 10u);
    EXPECT_EQ(link->begins, 1);
    EXPECT_EQ(spinner->getFlags(), 0);
}

TEST_F(SpinnerTest, ExponentialDragBackToTheStartRestoresTheValue)
{
    value = 3.0;
    makeSpinner(1.1, 0.05, CDoubleSpinner::SpinExponential | CDoubleSpinner::SpinMultiply);
    mouse(WM_LBUTTONDOWN, upper());
    mouse(WM_MOUSEMOVE, {5, upper().y - 20});
    processMessages();
    EXPECT_NEAR(value, 3.0 * std::exp(1.0), 1e-9);
    mouse(WM_MOUSEMOVE, upper());
    mouse(WM_LBUTTONUP, upper());
    processMessages();
    EXPECT_NEAR(value, 3.0, 1e-12);
}

TEST_F(SpinnerTest, SmallMoveMakesADragNotAStep)
{
    value = 0.0;
    makeSpinner(10.0, 1.0, 0);
    mouse(WM_LBUTTONDOWN, upper());
    mouse(WM_MOUSEMOVE, {5, upper().y + 1});
    mouse(WM_LBUTTONUP, {5, upper().y + 1});
    processMessages();
    EXPECT_DOUBLE_EQ(value, -1.0);
}

TEST_F(SpinnerTest, AnglesStayInTheHalfOpenTurn)
{
    value = 170.0;
    makeSpinner(20.0, 1.0, 0);
    spinner->setFlags(spinner->getFlags() | CDoubleSpinner::SpinAngle);
    click(upper());
    EXPECT_DOUBLE_EQ(value, -170.0);
    click(lower());
    EXPECT_DOUBLE_EQ(value, 170.0);
    value = 160.0;
    click(upper());
    EXPECT_DOUBLE_EQ(value, -180.0) << "180 becomes -180";
    click(upper());
    click(lower());
    EXPECT_DOUBLE_EQ(value, -180.0) << "-180 stays";
    // A drag far upwards wraps as well.
    value = 179.0;
    mouse(WM_LBUTTONDOWN, upper());
    mouse(WM_MOUSEMOVE, {5, upper().y - 5});
    mouse(WM_LBUTTONUP, {5, upper().y - 5});
    processMessages();
    EXPECT_DOUBLE_EQ(value, -176.0);
    EXPECT_EQ(spinner->getFlags(), CDoubleSpinner::SpinAngle);
}

TEST_F(SpinnerTest, SpinnerWithoutLinkIgnoresTheMouse)
{
    spinner = std::make_unique<CDoubleSpinner>(nullptr, 0);
    ASSERT_TRUE(spinner->subclassDlgItem(spinnerId, &page));
    mouse(WM_LBUTTONDOWN, upper());
    mouse(WM_MOUSEMOVE, {5, 0});
    mouse(WM_LBUTTONUP, upper());
    processMessages();
    EXPECT_EQ(spinner->getFlags(), 0);
    EXPECT_EQ(Window::capture(), nullptr);
}

TEST_F(SpinnerTest, PaintsTwoHalvesWithArrowsAndPressedState)
{
    value = 1.0;
    makeSpinner(1.0, 1.0, 0);
    spinner->invalidate(true);
    processMessages();
    const Surface* surface = spinner->surface();
    ASSERT_NE(surface, nullptr);
    const Rect client = spinner->clientRect();
    const int32_t mid = client.height() >> 1;
    EXPECT_EQ(surface->pixel(0, 0), getSysColor(COLOR_3DLIGHT)) << "raised edge of the upper half";
    EXPECT_EQ(surface->pixel(2, 2), getSysColor(COLOR_BTNFACE));
    EXPECT_EQ(surface->pixel(client.width() >> 1, mid - 5), 0x000000u) << "the upper arrow's black inside";
    EXPECT_EQ(surface->pixel(0, mid), getSysColor(COLOR_3DLIGHT)) << "raised edge of the lower half";
    mouse(WM_LBUTTONDOWN, lower());
    processMessages();
    EXPECT_EQ(surface->pixel(0, mid), getSysColor(COLOR_3DSHADOW)) << "the pressed half is sunken";
    EXPECT_EQ(surface->pixel(0, 0), getSysColor(COLOR_3DLIGHT));
    mouse(WM_LBUTTONUP, lower());
    processMessages();
    EXPECT_EQ(surface->pixel(0, mid), getSysColor(COLOR_3DLIGHT));
}

TEST_F(SpinnerTest, PageLinkExchangesThePagesVariables)
{
    // The page's edit shows its value; the link reads the typed text before the change and
    // writes the stepped value back.
    DoubleSpinnerPageLink pageLink(&page.value, 0.5);
    pageLink.edit = page.dlgItem(valueEditId);
    spinner = std::make_unique<CDoubleSpinner>(&pageLink, 0);
    ASSERT_TRUE(spinner->subclassDlgItem(spinnerId, &page));
    page.setDlgItemText(valueEditId, "4");
    click(upper());
    EXPECT_DOUBLE_EQ(page.value, 4.5);
    EXPECT_EQ(page.dlgItemText(valueEditId), "4.5");
    EXPECT_DOUBLE_EQ(pageLink.dragFactor, 1.0);
}

// ---- Colour button ----

TEST_F(PageTest, ColourButtonConstruction)
{
    EXPECT_EQ(page.colour, 0x123456u) << "the initial colour goes into the owner's variable at once";
    EXPECT_EQ(page.plainColourButton.colour(), 0x80FF80u) << "own colour without a variable";
    uint32_t kept = 0x445566;
    CColorButton noInitial(&kept);
    EXPECT_EQ(kept, 0x445566u);
    EXPECT_EQ(noInitial.colour(), 0x445566u);
}

TEST_F(PageTest, ColourButtonPaintsItsColourAndFocusFrame)
{
    CColorButton& button = page.plainColourButton;
    button.invalidate(true);
    processMessages();
    const Surface* surface = button.surface();
    ASSERT_NE(surface, nullptr);
    const Rect client = button.clientRect();
    EXPECT_EQ(surface->pixel(1, 1), 0x80FF80u);
    EXPECT_EQ(surface->pixel(3, 3), 0x80FF80u) << "no frame without the focus";

    button.setFocus();
    button.invalidate(true);
    processMessages();
    EXPECT_EQ(surface->pixel(3, 3), 0x407F40u) << "darker frame on a light colour";
    EXPECT_EQ(surface->pixel(client.right - 4, client.bottom - 4), 0x407F40u);
    EXPECT_EQ(surface->pixel(4, 4), 0x80FF80u);
    EXPECT_EQ(surface->pixel(2, 2), 0x80FF80u);
}

TEST_F(PageTest, DisabledColourButtonShowsTheFaceInARaisedFrame)
{
    CColorButton& button = page.colourButton;
    button.enableWindow(false);
    button.invalidate(true);
    processMessages();
    const Surface* surface = button.surface();
    ASSERT_NE(surface, nullptr);
    const Rect client = button.clientRect();
    EXPECT_EQ(surface->pixel(0, 0), getSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(surface->pixel(client.right - 1, client.bottom - 1), getSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(surface->pixel(client.width() / 2, client.height() / 2), getSysColor(COLOR_BTNFACE));
}

TEST_F(PageTest, ColourDialogScriptedOkAndCancel)
{
    ScriptedInteraction script;
    script.colourAnswers.push_back(0x0000FF);
    script.colourAnswers.push_back(std::nullopt);
    EXPECT_TRUE(page.colourButton.chooseColour());
    ASSERT_EQ(script.colourRequests.size(), 1u);
    EXPECT_EQ(script.colourRequests[0].initialColour, 0x123456u) << "opened on the shown colour";
    EXPECT_EQ(script.colourRequests[0].flags, CC_RGBINIT | CC_FULLOPEN);
    EXPECT_EQ(script.colourRequests[0].owner, WindowHandle::None) << "owned by the main window";
    EXPECT_EQ(page.colour, 0x0000FFu);
    processMessages();
    EXPECT_EQ(page.colourButton.surface()->pixel(1, 1), 0x0000FFu) << "repainted at once";

    EXPECT_FALSE(page.colourButton.chooseColour()) << "cancel";
    EXPECT_EQ(page.colour, 0x0000FFu);
}

} // namespace
