// Menus built at run time, commands routed along the chain, and update handlers reaching entries.
#include "VornInterface/MenuPaths.h"
#include "platform/CommandRouting.h"
#include "platform/Menu.h"
#include "platform/qt/MenuQt.h"

#include <QAction>
#include "TestApplication.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <memory>

namespace
{

using namespace platform;

QApplication& application()
{
    return testApplication();
}

// The frame's adapter between path joining and a platform menu, as the host builds it.
class PlatformEditableMenu : public EditableMenu
{
public:
    explicit PlatformEditableMenu(Menu& menu) : menu_(menu) {}
    int entryCount() const override { return menu_.entryCount(); }
    std::string entryText(int position) const override { return menu_.entryText(position); }
    std::unique_ptr<EditableMenu> submenu(int position) override
    {
        Menu* sub = menu_.submenu(position);
        return sub ? std::make_unique<PlatformEditableMenu>(*sub) : nullptr;
    }
    void removeEntry(int position) override { menu_.removeEntry(position); }
    std::unique_ptr<EditableMenu> insertPopup(int position, const std::string& label) override
    {
        return std::make_unique<PlatformEditableMenu>(*menu_.insertPopup(position, label));
    }
    void appendItem(std::uint32_t id, const std::string& text) override { menu_.appendItem(id, text); }

private:
    Menu& menu_;
};

// A small document menu: "&File" with New and Exit, "&Create" with the placeholder "&Options".
std::unique_ptr<Menu> documentMenu()
{
    auto bar = std::make_unique<Menu>(Menu::Kind::Bar);
    Menu* file = bar->appendPopup("&File");
    file->appendItem(57600, "&New\tCtrl+N");
    file->appendSeparator();
    file->appendItem(57665, "E&xit");
    Menu* create = bar->appendPopup("&Create");
    create->appendItem(kPlaceholderCommandId, "&Options");
    create->appendSeparator();
    return bar;
}

TEST(Menu, PathsAreInsertedAndRemoved)
{
    application();
    auto bar = documentMenu();
    Menu* popup = qtMenuOf(*bar->submenu(1)) ? bar->submenu(1) : nullptr;
    ASSERT_NE(popup, nullptr);
    PlatformEditableMenu editable(*bar);
    addMenuPath(editable, "&Create\\&Joint", "J", 0xBFFE);
    addMenuPath(editable, "&Create\\&Member", "", 0xBFFD);
    addMenuPath(editable, "&Create\\&Options\\&Grid", "", 0xBFFC);
    // The same item again appears once.
    addMenuPath(editable, "&Create\\&Joint", "J", 0xBFFE);

    Menu* create = bar->submenu(1);
    ASSERT_EQ(create->entryCount(), 4);
    ASSERT_NE(create->submenu(0), nullptr); // the placeholder became a popup at its place
    EXPECT_EQ(create->entryText(0), "&Options");
    EXPECT_EQ(create->submenu(0)->commandId(0), 0xBFFCu);
    EXPECT_TRUE(create->isSeparator(1));
    EXPECT_EQ(create->entryText(2), "&Joint\tJ");
    EXPECT_EQ(create->commandId(2), 0xBFFEu);
    EXPECT_EQ(create->entryText(3), "&Member\t");
    // The Qt menu shows the same entries.
    const QList<QAction*> shown = qtMenuOf(*create)->actions();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[2]->text().toStdString(), "&Joint\tJ");
    EXPECT_TRUE(shown[1]->isSeparator());

    removeMenuPath(editable, "&Create\\&Options\\&Grid", "");
    removeMenuPath(editable, "&Create\\&Joint", "J");
    ASSERT_EQ(create->entryCount(), 2);
    EXPECT_TRUE(create->isSeparator(0)); // the emptied popup went with its last entry
    EXPECT_EQ(create->commandId(1), 0xBFFDu);
    EXPECT_EQ(qtMenuOf(*create)->actions().size(), 2);
}

TEST(Menu, ABarMayOutliveTheMenuBarOfItsFrame)
{
    application();
    auto menuBar = std::make_unique<QMenuBar>();
    std::unique_ptr<Menu> bar = documentMenu();
    bar->appendItem(57601, "&Open"); // an entry of the bar itself, not of a popup
    attachMenuBar(*bar, menuBar.get());
    ASSERT_EQ(menuBar->actions().size(), 3);
    // The frame's window, and with it the menu bar and its actions, goes first.
    menuBar.reset();
    bar->appendItem(57602, "&Close");
    EXPECT_EQ(bar->entryCount(), 4);
    bar.reset();
}

TEST(Menu, EntriesOutOfRangeAnswerNothing)
{
    application();
    Menu menu;
    menu.appendItem(1, "One");
    EXPECT_EQ(menu.entryText(5), "");
    EXPECT_EQ(menu.commandId(-1), 0u);
    EXPECT_EQ(menu.submenu(0), nullptr);
    EXPECT_FALSE(menu.removeEntry(1));
    menu.setCheck(9, 1);
    Menu* last = menu.insertPopup(99, "Last");
    EXPECT_EQ(last, menu.submenu(1));
}

// A command target that records what reached it.
struct RecordingTarget : CommandTarget
{
    std::vector<std::uint32_t> received;
};

class CommandChain : public ::testing::Test
{
protected:
    void SetUp() override
    {
        application();
        router.setChain([this] { return std::vector<CommandTarget*>{&view, &document, &frame}; });
    }
    RecordingTarget view, document, frame;
    CommandRouter router;
};

TEST_F(CommandChain, ACommandReachesTheFirstHandlerOfTheChain)
{
    view.onCommand(100, [&] { view.received.push_back(100); });
    frame.onCommand(100, [&] { frame.received.push_back(100); });
    frame.onCommand(200, [&] { frame.received.push_back(200); });
    document.onCommandRange(0x9000, 0xBFFF, [&](std::uint32_t id) { document.received.push_back(id); });

    EXPECT_TRUE(router.execute(100));
    EXPECT_TRUE(router.execute(200));
    EXPECT_TRUE(router.execute(0xA123));
    EXPECT_FALSE(router.execute(300));
    EXPECT_EQ(view.received, (std::vector<std::uint32_t>{100}));
    EXPECT_EQ(frame.received, (std::vector<std::uint32_t>{200}));
    EXPECT_EQ(document.received, (std::vector<std::uint32_t>{0xA123}));
}

TEST_F(CommandChain, UpdateStatesReachMenuEntriesBeforeThePopupOpens)
{
    frame.onCommand(10, [] {}); // a handler, no update handler: enabled
    view.onUpdate(11, [](CommandState& s) { s.Enable(false); });
    view.onUpdate(12, [](CommandState& s) { s.SetCheck(2); });
    document.onUpdate(13, [](CommandState& s) { s.SetRadio(true); });
    document.onUpdate(14, [](CommandState& s) { s.SetText("Every &Second\tF5"); });
    document.onCommandRange(0x9000, 0xBFFF, [](std::uint32_t) {}); // plugin ids count as handled

    Menu bar(Menu::Kind::Bar);
    bar.setRouter(&router);
    Menu* popup = bar.appendPopup("&View");
    for (std::uint32_t id : {10u, 11u, 12u, 13u, 14u, 15u, 0xF100u, 0xA000u, kPlaceholderCommandId})
        popup->appendItem(id, "entry");
    // Opening the popup runs the updates.
    QMenu* shown = qtMenuOf(*popup);
    emit shown->aboutToShow();

    EXPECT_TRUE(popup->isEnabled(0));
    EXPECT_FALSE(popup->isEnabled(1));
    EXPECT_EQ(popup->checkState(2), 2);
    EXPECT_TRUE(popup->isRadio(3));
    EXPECT_EQ(popup->entryText(4), "Every &Second\tF5");
    EXPECT_FALSE(popup->isEnabled(5)); // no handler, below the system range
    EXPECT_TRUE(popup->isEnabled(6)); // system command without handler stays
    EXPECT_TRUE(popup->isEnabled(7)); // plugin range handled
    EXPECT_FALSE(popup->isEnabled(8)); // placeholder
    EXPECT_FALSE(shown->actions()[1]->isEnabled());
    EXPECT_TRUE(shown->actions()[2]->isChecked());
    EXPECT_EQ(shown->actions()[4]->text().toStdString(), "Every &Second\tF5");
}

TEST_F(CommandChain, ChoosingAnEntryGoesToTheSinkOfItsMenuBar)
{
    Menu bar(Menu::Kind::Bar);
    std::vector<std::string> heard;
    bar.setCommandSink([&](std::uint32_t id) { heard.push_back("command " + std::to_string(id)); });
    Menu* sub = bar.appendPopup("&Tools")->appendPopup("&Toolbars");
    sub->appendItem(59392, "Standard &Toolbar");
    bar.setHoverListener([&](std::uint32_t id) { heard.push_back("hover " + std::to_string(id)); });
    QAction* action = qtMenuOf(*sub)->actions().front();
    action->hover();
    action->trigger();
    // The entry's prompt goes before the command runs: a dialog it opens leaves no stale prompt.
    EXPECT_EQ(heard, (std::vector<std::string>{"hover 59392", "hover 0", "command 59392"}));
}

} // namespace
