// Toolbars: buttons from an image strip, states from update handlers at idle, clicks, wrapping and
// the user's customising with the parent's answers.
#include "ControlParent.h"

#include "platform/Application.h"
#include "platform/CommandRouting.h"
#include "platform/DeviceContext.h"
#include "platform/ImageList.h"
#include "platform/InputSimulation.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "platform/Toolbar.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace
{

using namespace platform;

constexpr std::uint32_t kMagenta = 0xFF00FF;
const std::uint32_t kColours[] = {0x0000FF, 0x00FF00, 0xFF0000};

ToolbarButton buttonRecord(int image, int id, std::uint8_t style = TBSTYLE_BUTTON)
{
    ToolbarButton b;
    b.imageIndex = image;
    b.commandId = id;
    b.state = TBSTATE_ENABLED;
    b.style = style;
    return b;
}

// A toolbar of three buttons (ids 101..103) and a separator, whose pictures are coloured squares
// on magenta, in a parent window that records what the bar sends.
class ToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Surface strip(48, 16, kMagenta);
        for (int i = 0; i < 3; ++i)
            strip.fillRect({i * 16 + 2, 2, i * 16 + 14, 14}, kColours[i]);
        ASSERT_EQ(images.add(strip, kMagenta), 0);
        ASSERT_TRUE(toolbar.create(WS_VISIBLE | CCS_ADJUSTABLE, {0, 0, 300, 22}, &parent, 1012));
        toolbar.setImageList(&images);
        const ToolbarButton buttons[] = {buttonRecord(0, 101), buttonRecord(0, 0, TBSTYLE_SEP), buttonRecord(1, 102),
                                         buttonRecord(2, 103)};
        ASSERT_TRUE(toolbar.addButtons(buttons, 4));
        toolbar.autoSize();
    }

    std::uint32_t shownColourAtButtonCentre(int index)
    {
        const QImage shot = toolbar.state()->widget->grab().toImage();
        const Rect r = toolbar.buttonRect(index);
        return shot.pixel(r.left + r.width() / 2, r.top + r.height() / 2) & 0xFFFFFF;
    }

    int argc = 1;
    char name[16] = "toolbar_test";
    char* argv[2] = {name, nullptr};
    Application application{argc, argv, "Quorl2"};
    ImageList images{{16, 16}};
    ControlParent parent;
    Toolbar toolbar;
};

TEST_F(ToolbarTest, ButtonsShowTheirImagesAndIds)
{
    ASSERT_EQ(toolbar.buttonCount(), 4);
    EXPECT_EQ(toolbar.commandToIndex(102), 2);
    EXPECT_EQ(toolbar.commandToIndex(999), -1);
    EXPECT_EQ(toolbar.buttonRect(1).width(), Toolbar::kSeparatorWidth);
    EXPECT_EQ(toolbar.buttonRect(3), (Rect{2 * 23 + 8, 0, 3 * 23 + 8, 22}));
    // Qt reports 0xRRGGBB; our images hold 0xBBGGRR.
    EXPECT_EQ(shownColourAtButtonCentre(0), 0xFF0000u);
    EXPECT_EQ(shownColourAtButtonCentre(2), 0x00FF00u);
    EXPECT_EQ(shownColourAtButtonCentre(3), 0x0000FFu);
    // The magenta corner of a picture shows the bar's face, not magenta.
    const QImage shot = toolbar.state()->widget->grab().toImage();
    const Rect r = toolbar.buttonRect(0);
    EXPECT_NE(shot.pixel(r.left + 4, r.top + 4) & 0xFFFFFF, 0xFF00FFu);
}

TEST_F(ToolbarTest, IdleUpdateSetsButtonStatesButNotText)
{
    CommandTarget frame;
    frame.onUpdate(101, [](CommandState& s) { s.Enable(false); });
    frame.onUpdate(102, [](CommandState& s) {
        s.SetCheck(2);
        s.SetText("ignored");
    });
    frame.onUpdate(103, [](CommandState& s) { s.SetRadio(true); });
    CommandRouter router;
    router.setChain([&] { return std::vector<CommandTarget*>{&frame}; });
    toolbar.updateCommandStates(router);

    EXPECT_EQ(toolbar.buttonState(101), 0);
    EXPECT_EQ(toolbar.buttonState(102), TBSTATE_ENABLED | TBSTATE_INDETERMINATE);
    EXPECT_EQ(toolbar.buttonState(103), TBSTATE_ENABLED | TBSTATE_CHECKED);
    // Setting a state from code sends nothing.
    EXPECT_TRUE(parent.commands.empty());
    EXPECT_TRUE(parent.notifications.empty());
    // A disabled button does not answer a click.
    toolbar.click(0);
    toolbar.click(3);
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{103}));
}

TEST_F(ToolbarTest, CheckAndGroupButtons)
{
    const ToolbarButton more[] = {buttonRecord(0, 201, TBSTYLE_CHECK), buttonRecord(0, 301, TBSTYLE_CHECKGROUP),
                                  buttonRecord(1, 302, TBSTYLE_CHECKGROUP), buttonRecord(2, 303, TBSTYLE_CHECKGROUP)};
    toolbar.addButtons(more, 4);
    toolbar.click(toolbar.commandToIndex(201));
    EXPECT_TRUE(toolbar.buttonState(201) & TBSTATE_CHECKED);
    toolbar.click(toolbar.commandToIndex(201));
    EXPECT_FALSE(toolbar.buttonState(201) & TBSTATE_CHECKED);

    toolbar.click(toolbar.commandToIndex(301));
    toolbar.click(toolbar.commandToIndex(303));
    EXPECT_FALSE(toolbar.buttonState(301) & TBSTATE_CHECKED);
    EXPECT_TRUE(toolbar.buttonState(303) & TBSTATE_CHECKED);
    toolbar.click(1); // the separator does nothing
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{201, 201, 301, 303}));
}

TEST_F(ToolbarTest, WrapsIntoRows)
{
    toolbar.setWrapable(true);
    // 23 + 8 + 23 + 23 = 77 pixels in one row; 50 fit the first button and the separator.
    EXPECT_EQ(toolbar.layoutForWidth(80), (Size{77, 22}));
    EXPECT_EQ(toolbar.rowCount(), 1);
    EXPECT_EQ(toolbar.layoutForWidth(50), (Size{46, 44}));
    EXPECT_EQ(toolbar.rowCount(), 2);
    EXPECT_EQ(toolbar.buttonRect(2).top, 22);
    EXPECT_TRUE(toolbar.button(1).state & TBSTATE_WRAP);
    // Hidden buttons take no room.
    toolbar.setButtonState(103, TBSTATE_ENABLED | TBSTATE_HIDDEN);
    EXPECT_EQ(toolbar.layoutForWidth(80), (Size{54, 22}));
    EXPECT_TRUE(toolbar.buttonRect(3).isEmpty());
}

TEST_F(ToolbarTest, CustomisingAsksTheParent)
{
    bool allowDelete = true;
    bool allowInsert = true;
    parent.answer = [&](NotifyHeader& header) -> LResult {
        auto& n = reinterpret_cast<NotifyToolbar&>(header);
        EXPECT_EQ(header.idFrom, 1012u);
        EXPECT_EQ(header.from, toolbar.handle());
        switch (header.code)
        {
        case TBN_QUERYDELETE:
            return allowDelete;
        case TBN_QUERYINSERT:
            return allowInsert;
        case TBN_GETBUTTONINFO: {
            if (n.item > 1)
                return 0;
            n.button = buttonRecord(n.item, 500 + n.item);
            // A name longer than the room offered is cut, as the system's owners do it.
            const std::string text = n.item == 0 ? "Joint" : std::string(300, 'x');
            std::strncpy(n.text, text.c_str(), static_cast<size_t>(n.textLimit) - 1);
            n.text[n.textLimit - 1] = '\0';
            return 1;
        }
        default:
            return 1;
        }
    };

    const auto available = toolbar.availableButtons();
    ASSERT_EQ(available.size(), 2u);
    EXPECT_EQ(available[0].text, "Joint");
    EXPECT_EQ(available[1].text.size(), 127u);
    EXPECT_EQ(available[1].button.commandId, 501);

    ASSERT_TRUE(toolbar.customizeInsert(0, 1));
    EXPECT_EQ(toolbar.button(0).commandId, 501);
    ASSERT_TRUE(toolbar.customizeRemove(toolbar.commandToIndex(102)));
    ASSERT_TRUE(toolbar.customizeMove(0, 3));
    EXPECT_EQ(toolbar.button(3).commandId, 501);

    allowDelete = false;
    EXPECT_FALSE(toolbar.customizeRemove(0));
    EXPECT_FALSE(toolbar.customizeMove(0, 1));
    allowDelete = true;
    allowInsert = false;
    EXPECT_FALSE(toolbar.customizeInsert(0, 0));
    EXPECT_EQ(toolbar.buttonCount(), 4);

    parent.notifications.clear();
    toolbar.endCustomize();
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TBN_TOOLBARCHANGE}));
    // Nothing changed since: no second change notification.
    parent.notifications.clear();
    toolbar.endCustomize();
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(ToolbarTest, AnUprightBarStacksItsButtonsAndTurnsSeparatorsIntoGaps)
{
    toolbar.setVertical(true);
    EXPECT_EQ(toolbar.autoSize(), (Size{23, 22 + 8 + 22 + 22}));
    EXPECT_EQ(toolbar.buttonRect(2).top, 30);
    EXPECT_EQ(toolbar.buttonRect(3).left, 0);
    EXPECT_EQ(shownColourAtButtonCentre(3), 0x0000FFu); // the third picture, drawn in its new place
    toolbar.setVertical(false);
    EXPECT_EQ(toolbar.autoSize(), (Size{77, 22}));
}

TEST_F(ToolbarTest, ClickSendsTheCommandThenAClickNotification)
{
    std::vector<int> clickedIds;
    parent.answer = [&](NotifyHeader& header) -> LResult {
        clickedIds.push_back(reinterpret_cast<NotifyToolbar&>(header).button.commandId);
        return 0;
    };
    toolbar.click(2);
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{102}));
    EXPECT_EQ(parent.commandCodes, (std::vector<std::uint32_t>{BN_CLICKED}));
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{NM_CLICK}));
    EXPECT_EQ(clickedIds, (std::vector<int>{102}));
    EXPECT_FALSE(toolbar.deleteButton(7));
    EXPECT_EQ(toolbar.button(7).commandId, 0);
}

std::uint32_t shownPixel(Toolbar& bar, Point at)
{
    return bar.state()->widget->grab().toImage().pixel(at.x, at.y) & 0xFFFFFF;
}

TEST_F(ToolbarTest, AFlatBarRaisesOnlyTheButtonUnderTheMouse)
{
    const Rect first = toolbar.buttonRect(0);
    const Point topLeft{first.left, first.top};
    EXPECT_EQ(shownPixel(toolbar, topLeft), 0xFFFFFFu) << "a plain bar's buttons are raised";
    toolbar.modifyStyle(0, TBSTYLE_FLAT);
    EXPECT_EQ(shownPixel(toolbar, topLeft), 0xC0C0C0u) << "flat: the face only";
    simulateMouse(toolbar.handle(), WM_MOUSEMOVE, {first.left + 5, first.top + 5});
    EXPECT_EQ(shownPixel(toolbar, topLeft), 0xFFFFFFu) << "raised under the mouse";
    const Rect third = toolbar.buttonRect(2);
    EXPECT_EQ(shownPixel(toolbar, {third.left, third.top}), 0xC0C0C0u);
}

TEST_F(ToolbarTest, TheFrameIsPaintedAroundTheButtonsInsideTheBorders)
{
    struct FramedToolbar : Toolbar
    {
        void paintNonClient(DeviceContext& context, Size size) override
        {
            context.fillSolidRect({0, 0, size.width, size.height}, 0x00FF00);
        }
    } framed;
    ASSERT_TRUE(framed.create(WS_VISIBLE, {0, 0, 100, 22}, &parent, 1013));
    framed.setImageList(&images);
    const ToolbarButton one = buttonRecord(0, 101);
    framed.addButtons(&one, 1);
    framed.setBorders(3, 4, 5, 6);
    EXPECT_EQ(framed.autoSize(), (Size{3 + 23 + 5, 4 + 22 + 6}));
    EXPECT_EQ(framed.buttonRect(0), (Rect{3, 4, 26, 26}));
    // Qt reports 0xRRGGBB; the first picture is red.
    EXPECT_EQ(shownPixel(framed, {1, 1}), 0x00FF00u) << "the frame";
    EXPECT_EQ(shownPixel(framed, {29, 30}), 0x00FF00u);
    EXPECT_EQ(shownPixel(framed, {14, 15}), 0xFF0000u) << "the button over it";
    EXPECT_EQ(shownPixel(framed, {3, 4}), 0xFFFFFFu) << "the button's own raised edge";
    EXPECT_EQ(shownPixel(framed, {5, 6}), 0xC0C0C0u) << "the button's face";
}

// The owner offers the first two buttons under names, as a page's toolbar owner does.
void offerNamedButtons(ControlParent& parent)
{
    parent.answer = [](NotifyHeader& header) -> LResult {
        auto& n = reinterpret_cast<NotifyToolbar&>(header);
        if (header.code != TBN_GETBUTTONINFO)
            return 1;
        if (n.item > 1)
            return 0;
        n.button = buttonRecord(n.item, 101 + n.item);
        std::strncpy(n.text, n.item == 0 ? "Joint" : "Member", static_cast<size_t>(n.textLimit) - 1);
        return 1;
    };
}

TEST_F(ToolbarTest, ButtonsAreNamedByTheirTooltipElseByTheNameTheirOwnerOffers)
{
    offerNamedButtons(parent);
    toolbar.setTooltipProvider([](std::uint32_t id) { return id == 102 ? std::string("Member tool") : std::string(); });
    const struct
    {
        int index;
        const char* name;
    } cases[] = {{0, "Joint"}, {1, "Separator"}, {2, "Member tool"}, {3, "Command 103"}};
    for (const auto& c : cases)
        EXPECT_EQ(toolbar.buttonName(c.index), c.name) << c.index;
}

TEST_F(ToolbarTest, CustomisingGoesThroughTheInteractionService)
{
    offerNamedButtons(parent);
    ScriptedInteraction script;
    script.customizeAnswers.push_back([](Toolbar& bar) { EXPECT_TRUE(bar.customizeRemove(0)); });
    parent.notifications.clear();
    toolbar.customize();
    EXPECT_EQ(script.customizedToolbars, (std::vector<WindowHandle>{toolbar.handle()}));
    EXPECT_EQ(toolbar.buttonCount(), 3);
    EXPECT_EQ(std::count(parent.notifications.begin(), parent.notifications.end(), TBN_TOOLBARCHANGE), 1);
    // Closed at once: no change to report.
    parent.notifications.clear();
    toolbar.customize();
    EXPECT_EQ(script.customizedToolbars.size(), 2u);
    EXPECT_EQ(std::count(parent.notifications.begin(), parent.notifications.end(), TBN_TOOLBARCHANGE), 0);
}

TEST_F(ToolbarTest, ADoubleClickOpensTheCustomiseDialogOfAnAdjustableBarOnly)
{
    ScriptedInteraction script;
    const Point onBar{toolbar.buttonRect(0).left + 5, 5};
    auto doubleClick = [&] {
        simulateMouse(toolbar.handle(), WM_LBUTTONDOWN, onBar, 0, 1000);
        simulateMouse(toolbar.handle(), WM_LBUTTONUP, onBar, 0, 1050);
        simulateMouse(toolbar.handle(), WM_LBUTTONDOWN, onBar, 0, 1100);
        simulateMouse(toolbar.handle(), WM_LBUTTONUP, onBar, 0, 1150);
    };
    doubleClick();
    EXPECT_EQ(script.customizedToolbars, (std::vector<WindowHandle>{toolbar.handle()}));
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{101})) << "the first click of the two";
    parent.commands.clear();
    toolbar.modifyStyle(CCS_ADJUSTABLE, 0);
    doubleClick();
    EXPECT_EQ(script.customizedToolbars.size(), 1u) << "a bar that is not adjustable opens nothing";
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{101, 101})) << "two clicks";
}

TEST_F(ToolbarTest, TheCustomiseDialogIsAModalLoopAndListsButtonsByName)
{
    offerNamedButtons(parent);
    bool modal = false;
    std::vector<std::string> listed;
    QTimer::singleShot(50, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        modal = Application::instance()->inModalLoop();
        if (auto* list = dialog->findChild<QListWidget*>(QStringLiteral("ToolbarButtons")))
            for (int row = 0; row < list->count(); ++row)
                listed.push_back(list->item(row)->text().toStdString());
        dialog->close();
    });
    toolbar.customize();
    EXPECT_TRUE(modal) << "idle work waits while the dialog is up";
    EXPECT_FALSE(Application::instance()->inModalLoop());
    EXPECT_EQ(listed, (std::vector<std::string>{"Joint", "Separator", "Member", "Command 103"}));
}

TEST(ToolbarWithoutWindow, KeepsItsButtonsAndSendsNothing)
{
    Toolbar toolbar;
    const ToolbarButton one = buttonRecord(0, 7);
    EXPECT_TRUE(toolbar.addButtons(&one, 1));
    EXPECT_EQ(toolbar.buttonCount(), 1);
    EXPECT_EQ(toolbar.buttonState(7), TBSTATE_ENABLED);
    EXPECT_TRUE(toolbar.availableButtons().empty());
    EXPECT_FALSE(toolbar.customizeRemove(0)); // nobody allows it
    toolbar.click(0);
}

} // namespace
