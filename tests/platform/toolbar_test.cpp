// Toolbars: buttons from an image strip, states from update handlers at idle, clicks, wrapping and
// the user's customising with the owner's answers.
#include "platform/CommandRouting.h"
#include "platform/ImageList.h"
#include "platform/Surface.h"
#include "platform/Toolbar.h"
#include "platform/ToolbarQt.h"

#include "TestApplication.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace
{

using namespace platform;

QApplication& application()
{
    return testApplication();
}

constexpr std::uint32_t kMagenta = 0xFF00FF;
const std::uint32_t kColours[] = {0x0000FF, 0x00FF00, 0xFF0000};

ToolbarButton buttonRecord(int image, int id, std::uint8_t style = toolbar_style::Button)
{
    ToolbarButton b;
    b.imageIndex = image;
    b.commandId = id;
    b.state = toolbar_state::Enabled;
    b.style = style;
    return b;
}

// A toolbar of three buttons (ids 101..103) whose pictures are coloured squares on magenta.
class ToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        application();
        Surface strip(48, 16, kMagenta);
        for (int i = 0; i < 3; ++i)
            strip.fillRect({i * 16 + 2, 2, i * 16 + 14, 14}, kColours[i]);
        ASSERT_EQ(images.add(strip, kMagenta), 0);
        toolbar.setImageList(&images);
        const ToolbarButton buttons[] = {buttonRecord(0, 101), buttonRecord(0, 0, toolbar_style::Separator),
                                         buttonRecord(1, 102), buttonRecord(2, 103)};
        ASSERT_TRUE(toolbar.addButtons(buttons, 4));
        toolbar.autoSize();
        toolbar.setCommandSink([this](std::uint32_t id) { commands.push_back(id); });
    }

    std::uint32_t shownColourAtButtonCentre(int index)
    {
        const QImage shot = qtWidgetOf(toolbar)->grab().toImage();
        const Rect r = toolbar.buttonRect(index);
        return shot.pixel(r.left + r.width() / 2, r.top + r.height() / 2) & 0xFFFFFF;
    }

    QApplication& app = application(); // before any widget
    ImageList images{{16, 16}};
    Toolbar toolbar;
    std::vector<std::uint32_t> commands;
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
    const QImage shot = qtWidgetOf(toolbar)->grab().toImage();
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
    EXPECT_EQ(toolbar.buttonState(102), toolbar_state::Enabled | toolbar_state::Indeterminate);
    EXPECT_EQ(toolbar.buttonState(103), toolbar_state::Enabled | toolbar_state::Checked);
    // Setting a state from code sends nothing.
    EXPECT_TRUE(commands.empty());
    // A disabled button does not answer a click.
    toolbar.click(0);
    toolbar.click(3);
    EXPECT_EQ(commands, (std::vector<std::uint32_t>{103}));
}

TEST_F(ToolbarTest, CheckAndGroupButtons)
{
    const ToolbarButton more[] = {buttonRecord(0, 201, toolbar_style::Check),
                                  buttonRecord(0, 301, toolbar_style::CheckGroup),
                                  buttonRecord(1, 302, toolbar_style::CheckGroup),
                                  buttonRecord(2, 303, toolbar_style::CheckGroup)};
    toolbar.addButtons(more, 4);
    toolbar.click(toolbar.commandToIndex(201));
    EXPECT_TRUE(toolbar.buttonState(201) & toolbar_state::Checked);
    toolbar.click(toolbar.commandToIndex(201));
    EXPECT_FALSE(toolbar.buttonState(201) & toolbar_state::Checked);

    toolbar.click(toolbar.commandToIndex(301));
    toolbar.click(toolbar.commandToIndex(303));
    EXPECT_FALSE(toolbar.buttonState(301) & toolbar_state::Checked);
    EXPECT_TRUE(toolbar.buttonState(303) & toolbar_state::Checked);
    toolbar.click(1); // the separator does nothing
    EXPECT_EQ(commands, (std::vector<std::uint32_t>{201, 201, 301, 303}));
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
    EXPECT_TRUE(toolbar.button(1).state & toolbar_state::Wrap);
    // Hidden buttons take no room.
    toolbar.setButtonState(103, toolbar_state::Enabled | toolbar_state::Hidden);
    EXPECT_EQ(toolbar.layoutForWidth(80), (Size{54, 22}));
    EXPECT_TRUE(toolbar.buttonRect(3).isEmpty());
}

// An owner that offers two buttons for customising and records the notifications.
struct CustomisingOwner
{
    bool allowDelete = true;
    bool allowInsert = true;
    std::vector<std::int32_t> codes;

    bool operator()(ToolbarNotification& n)
    {
        codes.push_back(n.code);
        switch (n.code)
        {
        case toolbar_notification::QueryDelete:
            return allowDelete;
        case toolbar_notification::QueryInsert:
            return allowInsert;
        case toolbar_notification::GetButtonInfo:
            if (n.index > 1)
                return false;
            n.button = buttonRecord(n.index, 500 + n.index);
            n.text = n.index == 0 ? "Joint" : std::string(300, 'x');
            return true;
        case toolbar_notification::ToolbarChange:
            return true;
        default:
            return false;
        }
    }
};

TEST_F(ToolbarTest, CustomisingAsksTheOwner)
{
    CustomisingOwner owner;
    toolbar.setNotificationHandler([&](ToolbarNotification& n) { return owner(n); });

    const auto available = toolbar.availableButtons();
    ASSERT_EQ(available.size(), 2u);
    EXPECT_EQ(available[0].text, "Joint");
    EXPECT_EQ(available[1].text.size(), 127u); // cut to the text space minus the terminator
    EXPECT_EQ(available[1].button.commandId, 501);

    ASSERT_TRUE(toolbar.customizeInsert(0, 1));
    EXPECT_EQ(toolbar.button(0).commandId, 501);
    ASSERT_TRUE(toolbar.customizeRemove(toolbar.commandToIndex(102)));
    ASSERT_TRUE(toolbar.customizeMove(0, 3));
    EXPECT_EQ(toolbar.button(3).commandId, 501);

    owner.allowDelete = false;
    EXPECT_FALSE(toolbar.customizeRemove(0));
    EXPECT_FALSE(toolbar.customizeMove(0, 1));
    owner.allowDelete = true;
    owner.allowInsert = false;
    EXPECT_FALSE(toolbar.customizeInsert(0, 0));
    EXPECT_EQ(toolbar.buttonCount(), 4);

    owner.codes.clear();
    toolbar.endCustomize();
    EXPECT_EQ(owner.codes, (std::vector<std::int32_t>{toolbar_notification::ToolbarChange}));
    // Nothing changed since: no second change notification.
    owner.codes.clear();
    toolbar.endCustomize();
    EXPECT_TRUE(owner.codes.empty());
}

TEST_F(ToolbarTest, ClickSendsTheCommandAndAClickNotification)
{
    std::vector<std::int32_t> notified;
    toolbar.setNotificationHandler([&](ToolbarNotification& n) {
        notified.push_back(n.code);
        EXPECT_EQ(n.button.commandId, 102);
        return true;
    });
    toolbar.click(2);
    EXPECT_EQ(commands, (std::vector<std::uint32_t>{102}));
    EXPECT_EQ(notified, (std::vector<std::int32_t>{toolbar_notification::Click}));
    EXPECT_FALSE(toolbar.deleteButton(7));
    EXPECT_EQ(toolbar.button(7).commandId, 0);
}

} // namespace
