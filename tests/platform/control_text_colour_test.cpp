// The text colour a control's owner chooses: the colour the control paints its text in, and back
// to its own when the owner stops choosing.
#include "PlatformTestApplication.h"

#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/qt/WindowState.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace platform;

namespace
{

constexpr ColorRef darkRed = 0x0000C0;
constexpr ColorRef darkGreen = 0x008000;
constexpr int32_t editId = 101;
constexpr int32_t comboId = 102;

// A window that chooses the text colour of its controls and remembers whom it was asked for.
struct ColouringOwner : Window
{
    ColorRef chosen = CLR_DEFAULT;
    std::vector<int32_t> askedFor; // control ids

    ColouringOwner() { create("Window", "colours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 450, 250}, nullptr); }

    ColorRef controlTextColour(Window& control) override
    {
        askedFor.push_back(control.dlgCtrlId());
        return chosen;
    }
};

std::unique_ptr<Window> makeEdit(ColouringOwner& owner)
{
    auto edit = std::make_unique<Window>();
    if (!edit->create("Edit", "MWMW 0123", WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 10, 210, 34}, &owner, editId))
        return nullptr;
    return edit;
}

std::unique_ptr<Window> makeComboField(ColouringOwner& owner)
{
    auto combo = std::make_unique<ComboBox>();
    if (!combo->create(WS_VISIBLE | CBS_DROPDOWN, {10, 50, 210, 150}, &owner, comboId))
        return nullptr;
    combo->setWindowText("MWMW 0123");
    return combo;
}

struct ColouredControl
{
    const char* name;
    std::unique_ptr<Window> (*make)(ColouringOwner& owner);
};

void PrintTo(const ColouredControl& control, std::ostream* out)
{
    *out << control.name;
}

QImage imageOf(Window& control)
{
    return control.state()->widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels of `colour` inside the control's frame (the frame has dark pixels of its own).
std::vector<QPoint> pixelsOf(const QImage& image, QRgb colour)
{
    std::vector<QPoint> found;
    const QRect inside = image.rect().adjusted(4, 4, -4, -4);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == colour)
                found.push_back({x, y});
    return found;
}

// After a failed check, writes what the control drew into the working folder, so a person can look.
void keepIfFailed(const QImage& image, const std::string& name)
{
    if (!::testing::Test::HasFailure())
        return;
    const std::string file = "control_text_colour_" + name + ".out.png";
    image.save(QString::fromStdString(file));
    std::cerr << "the control's image is in " << file << "\n";
}

QRgb qtRgb(ColorRef colour)
{
    return qRgb(redOf(colour), greenOf(colour), blueOf(colour)) & 0xFFFFFF;
}

class ControlTextColour : public ::testing::TestWithParam<ColouredControl>
{
protected:
    void SetUp() override
    {
        control = GetParam().make(owner);
        ASSERT_NE(control, nullptr);
    }

    Application& application = platformApplication(); // before the windows
    ColouringOwner owner;
    std::unique_ptr<Window> control;
};

// The text is drawn where it always is, every pixel of it in the owner's colour; when the owner
// answers CLR_DEFAULT again the control looks exactly as before.
TEST_P(ControlTextColour, TextIsDrawnInTheOwnersColourUntilItStopsChoosing)
{
    const QImage own = imageOf(*control);
    const QRgb ownText = 0x000000;
    const std::vector<QPoint> text = pixelsOf(own, ownText);
    ASSERT_GT(text.size(), 10u) << "the text's own colour is black; the cores of its strokes are exactly that";

    for (ColorRef chosen : {darkRed, darkGreen})
    {
        SCOPED_TRACE(chosen);
        owner.chosen = chosen;
        owner.askedFor.clear();
        const QImage coloured = imageOf(*control);
        EXPECT_EQ(owner.askedFor, std::vector<int32_t>{control->dlgCtrlId()}) << "asked once, for this control";
        int wrong = 0;
        for (const QPoint& at : text)
            wrong += (coloured.pixel(at) & 0xFFFFFF) != qtRgb(chosen) ? 1 : 0;
        EXPECT_EQ(wrong, 0) << "of " << text.size() << " text pixels";
        EXPECT_TRUE(pixelsOf(coloured, ownText).empty()) << "nothing of the text stays black";
        keepIfFailed(coloured, std::string(GetParam().name) + "_" + std::to_string(chosen));
    }

    owner.chosen = CLR_DEFAULT;
    const QImage restored = imageOf(*control);
    EXPECT_TRUE(restored == own) << "the control's own colour again";
    keepIfFailed(restored, std::string(GetParam().name) + "_restored");
    keepIfFailed(own, std::string(GetParam().name) + "_own");
}

INSTANTIATE_TEST_SUITE_P(EditsAndComboFields, ControlTextColour,
                         ::testing::Values(ColouredControl{"Edit", makeEdit},
                                           ColouredControl{"ComboBoxField", makeComboField}),
                         [](const auto& info) { return std::string(info.param.name); });

// Invalidating the control is how the owner shows a changed answer: the control paints again
// and asks (a combo box also for its edit field).
TEST_P(ControlTextColour, RedrawingTheControlAsksAgain)
{
    processMessages();
    owner.askedFor.clear();
    owner.chosen = darkRed;
    control->invalidate(true);
    // A window system delivers the paint when it has shown the window: wait for it, bounded.
    for (int tries = 0; owner.askedFor.empty() && tries < 300; ++tries)
    {
        processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(owner.askedFor.empty()) << "the control did not paint again";
    EXPECT_EQ(owner.askedFor.back(), control->dlgCtrlId());
}

// A disabled control keeps the grey of disabled text, whatever the owner would choose.
TEST(ControlTextColourDisabled, KeepsItsGrey)
{
    platformApplication();
    ColouringOwner owner;
    const std::unique_ptr<Window> edit = makeEdit(owner);
    ASSERT_NE(edit, nullptr);
    edit->enableWindow(false);
    const QImage own = imageOf(*edit);
    owner.chosen = darkRed;
    EXPECT_TRUE(imageOf(*edit) == own);
    EXPECT_TRUE(pixelsOf(imageOf(*edit), qtRgb(darkRed)).empty());
}

// A window is asked only about its own children; a message naming another window gets the default.
TEST(ControlTextColourMessage, AnswersOnlyForOwnChildren)
{
    platformApplication();
    ColouringOwner owner;
    ColouringOwner stranger;
    const std::unique_ptr<Window> edit = makeEdit(owner);
    ASSERT_NE(edit, nullptr);
    owner.chosen = darkGreen;
    stranger.chosen = darkRed;
    EXPECT_EQ(owner.sendMessage(WM_CTLCOLOREDIT, 0, handleToLParam(edit->handle())), static_cast<LResult>(darkGreen));
    EXPECT_EQ(stranger.sendMessage(WM_CTLCOLOREDIT, 0, handleToLParam(edit->handle())),
              static_cast<LResult>(CLR_DEFAULT));
    EXPECT_EQ(owner.sendMessage(WM_CTLCOLOREDIT, 0, handleToLParam(WindowHandle::None)),
              static_cast<LResult>(CLR_DEFAULT));
    EXPECT_TRUE(stranger.askedFor.empty());
}

} // namespace
