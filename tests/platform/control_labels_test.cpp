// How the labels of dialog controls look: the dialog font, and etched disabled texts.
#include "PlatformTestApplication.h"

#include "platform/Dialog.h"
#include "platform/InputSimulation.h"
#include "platform/Resources.h"
#include "platform/TabControl.h"
#include "platform/qt/WindowState.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace platform;

namespace
{

constexpr int32_t labelsDialogId = 171;
constexpr QRgb black = 0x000000;
constexpr QRgb grey = 0x808080;
constexpr QRgb white = 0xFFFFFF;

struct LabelCase
{
    const char* name;
    const char* className;
    uint32_t style;
    const char* text;
};

// Each label twice: enabled with id 100 + n, disabled with id 200 + n.
const LabelCase labelCases[] = {
    {"static text", "Static", SS_LEFT, "Disable"},
    {"check box", "Button", BS_AUTOCHECKBOX, "Default"},
    {"radio button", "Button", BS_AUTORADIOBUTTON, "Remove"},
    {"push button", "Button", BS_PUSHBUTTON, "Move Down"},
    {"group box", "Button", BS_GROUPBOX, "Plugins"},
};

ModuleHandle labelsModule()
{
    static const ModuleHandle module = [] {
        const ModuleHandle self = moduleContaining(reinterpret_cast<const void*>(&labelsModule));
        DialogTemplate labels;
        labels.rect = {0, 0, 200, 20 + 20 * static_cast<int32_t>(std::size(labelCases))};
        labels.style = WS_POPUP | WS_VISIBLE;
        labels.caption = "Labels";
        int32_t row = 0;
        for (const LabelCase& label : labelCases)
        {
            for (bool disabled : {false, true})
                labels.items.push_back(DialogItemTemplate{label.className,
                                                          (disabled ? 200 : 100) + row,
                                                          {disabled ? 100 : 5, 5 + 20 * row, 80, 16},
                                                          label.style | WS_VISIBLE | (disabled ? WS_DISABLED : 0u),
                                                          0,
                                                          label.text,
                                                          ""});
            ++row;
        }
        registerDialogTemplate(self, labelsDialogId, labels);
        return self;
    }();
    return module;
}

QImage imageOf(Dialog& dialog, int32_t id)
{
    Window* control = dialog.dlgItem(id);
    if (control == nullptr)
        return {};
    return control->state()->widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb colourAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

TEST(ControlLabels, DialogsUseTheDialogFontFromItsFile)
{
    platformApplication();
    Dialog dialog(labelsDialogId);
    ASSERT_TRUE(dialog.create(nullptr, labelsModule()));
    const QFontInfo shown(dialog.dlgItem(100)->state()->widget->font());
    EXPECT_EQ(shown.family().toStdString(), "Liberation Sans")
        << "the dialog font is missing (package fonts-liberation2): dialog texts do not fit their controls";
    EXPECT_EQ(shown.pixelSize(), 11);
}

// Dialog units follow the font the controls show: four horizontal units are its average letter
// width and eight vertical units hold a line of it; with the dialog font that is 6 by 13 pixels,
// the units the templates were laid out in.
TEST(ControlLabels, DialogUnitsFollowTheDialogFont)
{
    platformApplication();
    Dialog dialog(labelsDialogId);
    ASSERT_TRUE(dialog.create(nullptr, labelsModule()));
    const QFontMetrics shown(dialog.dlgItem(100)->state()->widget->font());
    const int letters = shown.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(dialogUnitsToPixelsX(4), (letters + 26) / 52);
    EXPECT_GE(dialogUnitsToPixelsY(8), shown.height());
    EXPECT_EQ(dialogUnitsToPixelsX(4), 6);
    EXPECT_EQ(dialogUnitsToPixelsY(8), 13);
    EXPECT_EQ(dialog.windowRect().width(), dialogUnitsToPixelsX(200)) << "the dialog's own size";
}

// A dialog keeps the dialog font in whatever window holds it: the console's pages sit in a tab
// control with padded tabs, and the view pages' pagettes inside those pages; nothing of these
// holders may reach the texts.
TEST(ControlLabels, DialogsKeepTheDialogFontInEveryHolder)
{
    platformApplication();
    DialogTemplate page = *findDialogTemplate(labelsModule(), labelsDialogId);
    page.style = WS_CHILD | WS_VISIBLE;
    Window frame;
    ASSERT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 600, 400}, nullptr));
    Window plainHolder;
    ASSERT_TRUE(plainHolder.create("Window", "", WS_CHILD | WS_VISIBLE, {0, 0, 500, 300}, &frame));
    TabControl tabs;
    ASSERT_TRUE(tabs.create(WS_VISIBLE, {0, 0, 500, 300}, &frame, 1));
    tabs.setPadding({2, 4});
    tabs.insertItem(0, "Page");
    Dialog pageInTabs;
    ASSERT_TRUE(pageInTabs.createIndirect(dialogTemplateOf({0, 20, 300, 180}, WS_CHILD | WS_VISIBLE, "", {}), &tabs,
                                          labelsModule()));
    const std::pair<const char*, Window*> holders[] = {
        {"plain window", &plainHolder}, {"padded tab control", &tabs}, {"page in a padded tab control", &pageInTabs}};
    for (const auto& [name, holder] : holders)
    {
        SCOPED_TRACE(name);
        Dialog dialog;
        ASSERT_TRUE(dialog.createIndirect(page, holder, labelsModule()));
        processMessages();
        for (const Window* control : dialog.children())
        {
            const QFont font = control->state()->widget->font();
            const QFontInfo shown(font);
            EXPECT_EQ(shown.family().toStdString(), "Liberation Sans") << "control " << control->dlgCtrlId();
            EXPECT_EQ(shown.pixelSize(), 11) << "control " << control->dlgCtrlId();
            EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias)
                << "control " << control->dlgCtrlId() << " draws with grey edges";
        }
    }
}

// A disabled label shows its text where the enabled one shows it, in dark grey, and under it a
// white copy one pixel down and right; nothing of it is drawn black.
TEST(ControlLabels, DisabledLabelsAreEtchedInGreyOverWhite)
{
    platformApplication();
    Dialog dialog(labelsDialogId);
    ASSERT_TRUE(dialog.create(nullptr, labelsModule()));
    for (int32_t row = 0; row < static_cast<int32_t>(std::size(labelCases)); ++row)
    {
        SCOPED_TRACE(labelCases[row].name);
        const QImage enabled = imageOf(dialog, 100 + row);
        const QImage disabled = imageOf(dialog, 200 + row);
        ASSERT_FALSE(enabled.isNull());
        ASSERT_EQ(enabled.size(), disabled.size());
        auto isText = [&](int x, int y) {
            return x < enabled.width() && y < enabled.height() && colourAt(enabled, x, y) == black;
        };
        int textPixels = 0;
        int wrongText = 0;
        int wrongEmboss = 0;
        for (int y = 0; y < enabled.height(); ++y)
            for (int x = 0; x < enabled.width(); ++x)
            {
                if (!isText(x, y))
                    continue;
                ++textPixels;
                wrongText += colourAt(disabled, x, y) != grey ? 1 : 0;
                if (x + 1 < enabled.width() && y + 1 < enabled.height() && !isText(x + 1, y + 1))
                    wrongEmboss += colourAt(disabled, x + 1, y + 1) != white ? 1 : 0;
            }
        EXPECT_GT(textPixels, 30) << "the enabled label shows its text in black";
        EXPECT_EQ(wrongText, 0) << "of " << textPixels << " text pixels, these are not dark grey when disabled";
        EXPECT_EQ(wrongEmboss, 0) << "pixels below and right of the text that are not white when disabled";
    }
}

// A check box or radio button takes a click anywhere in its rectangle, also far right of its text.
TEST(ControlLabels, CheckBoxesAndRadioButtonsTakeClicksBesideTheirText)
{
    platformApplication();
    Dialog dialog(labelsDialogId);
    ASSERT_TRUE(dialog.create(nullptr, labelsModule()));
    for (int32_t id : {101, 102})
    {
        Window* control = dialog.dlgItem(id);
        ASSERT_NE(control, nullptr);
        const Rect area = control->clientRect();
        const Point farRight{area.right - 2, area.bottom / 2};
        simulateMouse(control->handle(), WM_LBUTTONDOWN, farRight);
        simulateMouse(control->handle(), WM_LBUTTONUP, farRight);
        processMessages();
        EXPECT_EQ(dialog.isDlgButtonChecked(id), BST_CHECKED) << "control " << id;
    }
}

} // namespace
