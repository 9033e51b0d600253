// Numbers the program shows in fields narrower than their text: the fitting rule as a plain
// function, and edits and static texts that show the fitted text, read back the number unchanged
// and fit it again when they are resized.
#include "PlatformTestApplication.h"

#include "platform/Dialog.h"
#include "platform/NumberFit.h"
#include "platform/Resources.h"
#include "platform/SystemValues.h"
#include "platform/qt/WindowState.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

using namespace platform;

namespace
{

// Six pixels a character: widths in the plain tests count characters.
int sixPixelsEach(std::string_view text)
{
    return 6 * static_cast<int>(text.size());
}

double readBack(const std::string& text)
{
    double value = 0.0;
    EXPECT_TRUE(parseDouble(text, value)) << text;
    return value;
}

TEST(NumberFitRule, KeepsTheOwnFormatWhereItFitsAndShowsThreeDigitsOtherwiseSignDigitsAndExponent)
{
    struct Case
    {
        double value;
        std::string text; // the field's own format
        int digits;
        int characters; // room
        std::string shown;
    };
    const Case cases[] = {
        {1.736111113522435e-08, "1.73611111352243e-08", 15, 20, "1.73611111352243e-08"},
        {1.736111113522435e-08, "1.73611111352243e-08", 15, 12, "1.7361111e-8"},
        {1.736111113522435e-08, "0.0000000", 15, 12, "1.7361111e-8"}, // "%.7f": fits but shows no digit
        {1.736111113522435e-08, "0.000000", 15, 20, "1.73611111352244e-8"}, // "%f"
        {3.1271368917566e-06, " 3.12714e-6", 6, 11, " 3.12714e-6"}, // the short form fits
        {-3.127e-06, "-3.127e-06", 15, 8, "-3.13e-6"},
        {6721254772404, "6721254772404", 15, 13, "6721254772404"},
        {6721254772404, "6721254772404", 15, 9, "6.7213e12"},
        {static_cast<double>(0.01f), "0.00999999977648258", 15, 10, "0.01"}, // 7 digits round up to it
        {static_cast<double>(0.01f), "0.01", 6, 10, "0.01"}, // a float's own digits: only one
        {1e300, "1e+300", 15, 6, "1e+300"},
        {1e300, "1e+300", 15, 5, "1e300"},
        {1e300, std::string(301, '1'), 15, 12, "1e300"}, // "%f" of it: never more digits than the value has
        {0.5, "0.5000000", 15, 12, "0.5000000"},
        {123.456789, "123.456789", 15, 6, "123.46"},
        {-0.0, "-0", 15, 1, "-0"},
        {0.0, "0.0000000", 15, 12, "0.0000000"}, // zero has no digits to lose
        {-2.7e-7, "-2.7e-07", 15, 2, "-3e-7"}, // not even one digit fits: one
    };
    for (const Case& each : cases)
    {
        const std::string shown = fitNumberText(each.value, each.text, each.digits, 6 * each.characters, sixPixelsEach);
        EXPECT_EQ(shown, each.shown) << each.text << " in " << each.characters << " characters";
    }
}

TEST(NumberFitRule, SignificantDigitsCountFromTheFirstDigitThatIsNotZero)
{
    EXPECT_EQ(shownSignificantDigits("0.0000000"), 0);
    EXPECT_EQ(shownSignificantDigits("-0.0012300"), 5);
    EXPECT_EQ(shownSignificantDigits(" 1.5e-8"), 2);
    EXPECT_EQ(shownSignificantDigits("6721254772404"), 13);
}

constexpr int32_t fieldsDialogId = 133;
enum FieldId : int32_t
{
    WideEdit = 1101,
    DisplacementEdit = 1102, // as wide as the Joint Displacement pagette's edits
    SectionEdit = 1103, // as wide as the cross-section values
    StatisticText = 1104, // as wide as the Basic page's statistics
};

ModuleHandle fieldsModule()
{
    static const ModuleHandle module = [] {
        const ModuleHandle self = moduleContaining(reinterpret_cast<const void*>(&fieldsModule));
        DialogTemplate fields;
        fields.rect = {0, 0, 200, 80};
        fields.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
        fields.items = {
            controlItem("Edit", WideEdit, {4, 4, 190, 12}, ES_AUTOHSCROLL | WS_BORDER),
            controlItem("Edit", DisplacementEdit, {4, 20, 56, 12}, ES_AUTOHSCROLL | WS_BORDER | ES_READONLY),
            controlItem("Edit", SectionEdit, {4, 36, 50, 12}, ES_AUTOHSCROLL | WS_BORDER),
            controlItem("Static", StatisticText, {4, 52, 74, 8}, SS_LEFT),
        };
        registerDialogTemplate(self, fieldsDialogId, fields);
        return self;
    }();
    return module;
}

class NumberFields : public ::testing::Test
{
protected:
    NumberFields()
    {
        platformApplication();
        frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 500, 300}, nullptr);
        dialog.create(&frame, fieldsModule());
        dialog.showWindow(SW_SHOW);
        processMessages();
        // On an X server the frame is shown a little later: a line edit that was never painted
        // has not laid its text out, and its caret positions tell nothing yet.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.state()->widget));
    }
    ~NumberFields() override { frame.destroyWindow(); }

    // Whether the text in view fits without scrolling: painted with its caret at the end, the line
    // edit has not scrolled its start out of view; the label's text is no wider than its contents.
    static bool fitsInView(Window& field)
    {
        QWidget* widget = field.state()->widget;
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
        {
            const int caret = edit->cursorPosition();
            edit->setCursorPosition(static_cast<int>(edit->text().size()));
            edit->repaint();
            const int textEnd = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            edit->setCursorPosition(0);
            edit->repaint();
            const int textStart = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            edit->setCursorPosition(caret);
            return textEnd - textStart >= edit->fontMetrics().horizontalAdvance(edit->text()) &&
                textEnd < edit->width();
        }
        auto* label = static_cast<QLabel*>(widget);
        return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
    }

    Window frame;
    Dialog dialog{fieldsDialogId};
};

std::string printed(const char* format, double value)
{
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string general15(double value)
{
    return formatDouble(value);
}

TEST_F(NumberFields, EveryValueShowsSignDigitsAndExponentInEveryFieldAndReadsBackUnchanged)
{
    struct Field
    {
        int32_t id;
        std::string (*format)(double);
        int digits;
    };
    const Field fields[] = {
        {WideEdit, general15, 15},
        {DisplacementEdit, general15, 15},
        {SectionEdit, [](double value) { return printed("%.6g", value); }, 6},
        {StatisticText, [](double value) { return printed("%.7f", value); }, 15},
    };
    const double values[] = {1.736e-08, -3.127e-06, 6721254772404, static_cast<double>(0.01f), 1e300, -0.0};
    for (const Field& field : fields)
        for (const double value : values)
        {
            Window& control = *dialog.dlgItem(field.id);
            const std::string ownText = field.format(value);
            SCOPED_TRACE("field " + std::to_string(field.id) + ", " + ownText);
            dialog.setDlgItemNumber(field.id, value, ownText, field.digits);
            const std::string inView = control.textInView();
            EXPECT_TRUE(fitsInView(control)) << inView;
            EXPECT_EQ(inView.front() == '-', std::signbit(value)) << inView << ": the sign is in view";
            const double shown = readBack(inView);
            if (value != 0.0)
            {
                EXPECT_GE(shownSignificantDigits(inView), 1) << inView;
                EXPECT_NEAR(shown, value, std::abs(value) * 0.05) << inView << ": leading digits and exponent";
            }
            if (inView != ownText)
            {
                // The field's own text only gives way when it does not fit or shows too few digits.
                control.setWindowText(ownText);
                EXPECT_TRUE(!fitsInView(control) || shownSignificantDigits(ownText) < 3) << ownText << " would fit";
                dialog.setDlgItemNumber(field.id, value, ownText, field.digits);
            }

            // Read back without an edit: the value and the field's own text, unchanged.
            double read = 12345.0;
            EXPECT_TRUE(control.shownNumber(read));
            EXPECT_EQ(std::signbit(read), std::signbit(value));
            EXPECT_EQ(read, value);
            EXPECT_EQ(control.windowText(), ownText);
        }
}

TEST_F(NumberFields, TheOwnFormatStaysWhereItFits)
{
    dialog.setDlgItemNumber(WideEdit, 1.736e-08, "1.736e-08");
    EXPECT_EQ(dialog.dlgItem(WideEdit)->textInView(), "1.736e-08");
    dialog.setDlgItemNumber(SectionEdit, -3.127e-06, "-3.127e-06", 6);
    EXPECT_EQ(dialog.dlgItem(SectionEdit)->textInView(), "-3.127e-06");
    dialog.setDlgItemNumber(StatisticText, 0.25, "0.2500000");
    EXPECT_EQ(dialog.dlgItem(StatisticText)->textInView(), "0.2500000");
}

TEST_F(NumberFields, ADataExchangeReadsTheExactValueBackAndTheFieldFitsAgainWhenResized)
{
    class Exchanging : public Dialog
    {
    public:
        Exchanging() : Dialog(fieldsDialogId) {}
        void doDataExchange(DataExchange& exchange) override { exchangeDouble(exchange, SectionEdit, value); }
        double value = static_cast<double>(0.01f);
    } page;
    ASSERT_TRUE(page.create(&frame, fieldsModule()));
    page.updateData(false);
    Window& edit = *page.dlgItem(SectionEdit);
    const std::string narrow = edit.textInView();
    EXPECT_EQ(edit.windowText(), "0.00999999977648258");
    EXPECT_LT(narrow.size(), edit.windowText().size()) << narrow;
    page.value = 0;
    ASSERT_TRUE(page.updateData(true));
    EXPECT_EQ(page.value, static_cast<double>(0.01f)) << "showing the value wrote nothing back";

    edit.setWindowPos(nullptr, 0, 0, 400, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(edit.textInView(), "0.00999999977648258") << "room for the whole text";
    edit.setWindowPos(nullptr, 0, 0, 50, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(fitsInView(edit)) << edit.textInView();

    // The person's own text is read as typed, and a resize leaves it alone.
    static_cast<QLineEdit*>(edit.state()->widget)->setText("7.5");
    double read = 0;
    EXPECT_FALSE(edit.shownNumber(read));
    EXPECT_EQ(edit.windowText(), "7.5");
    edit.setWindowPos(nullptr, 0, 0, 400, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(edit.textInView(), "7.5");
    ASSERT_TRUE(page.updateData(true));
    EXPECT_EQ(page.value, 7.5);

    // Text set by the program is plain text again.
    edit.setWindowText("1.736111113522435e-08");
    EXPECT_FALSE(edit.shownNumber(read));
    EXPECT_EQ(edit.textInView(), "1.736111113522435e-08");
}

} // namespace
