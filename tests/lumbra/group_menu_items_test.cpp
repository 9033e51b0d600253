#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/GroupMenuItems.h"
#include "platform/DialogBar.h"
#include "platform/MainFrame.h"
#include "platform/Menu.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"
#include "uikit/PluginWindowHandleImpl.h"
#include "__globalobjectdevice/NotificationChannels.h"

using namespace lumbra;

namespace
{

constexpr uint8_t selectedBits = VornFlag::Selected | VornFlag::PreSelected;

class GroupCommands : public LumbraCommandTest
{
protected:
    GroupCommands()
    {
        adopt(closeItem);
        adopt(openItem);
    }

    PluginMenuItemGroupClose closeItem;
    PluginMenuItemGroupOpen openItem;
};

TEST_F(GroupCommands, CloseReplacesMembersOfASubgroupByTheGroupAndKeepsRootObjects)
{
    select({"M2", "J3"});
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    EXPECT_EQ(update(closeItem, &view).enabled, 1);

    closeItem.execute(&view);

    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"G2", "M2"}));
    auto* g2 = model.named<VornGroup>("G2");
    EXPECT_TRUE(g2->isSelected()) << "selected as a whole";
    EXPECT_TRUE(object("J3")->isInClosedGroup());
    EXPECT_EQ(g2->getFlags() & selectedBits, selectedBits);
    EXPECT_EQ(object("M2")->getFlags() & selectedBits, selectedBits);
    EXPECT_EQ(model.selections->getCount(), 1u) << "the replaced selection left its list once";
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged}));
    EXPECT_EQ(doc.invalidations, 1);
}

struct RegroupCase
{
    bool close; // Close Group, else Open Group
    std::vector<const char*> selected;
    std::vector<std::string> selectedAfter;
    std::vector<std::string> wholeGroupsAfter;
};

class RegroupOfSelection : public GroupCommands, public testing::WithParamInterface<RegroupCase>
{
};

TEST_P(RegroupOfSelection, TheNewSelectionReplacesTheOldOneWhichLeavesItsListOnce)
{
    const RegroupCase& c = GetParam();
    select(c.selected);

    (c.close ? static_cast<LumbraMenuItem&>(closeItem) : openItem).execute(&view);

    EXPECT_EQ(selectedNames(), c.selectedAfter);
    for (const std::string& name : selectedNames())
        EXPECT_EQ(object(name.c_str())->getFlags() & selectedBits, selectedBits) << name;
    std::vector<std::string> whole;
    for (uint32_t index = 0; index < model.groups->getCount(); ++index)
        if ((*model.groups)[index].isSelected())
            whole.push_back((*model.groups)[index].name.getString());
    std::sort(whole.begin(), whole.end());
    EXPECT_EQ(whole, c.wholeGroupsAfter);
    EXPECT_EQ(model.selections->getCount(), 1u) << "the replaced selection is gone, once";
    EXPECT_EQ(doc.invalidations, 1);
}

// G1 = {J1, J2, M1} starts closed, G2 = {J3} open; M2 lies in the root.
INSTANTIATE_TEST_SUITE_P(
    MixedSelections, RegroupOfSelection,
    testing::Values(RegroupCase{true, {"M2", "J3"}, {"G2", "M2"}, {"G1", "G2"}},
                    RegroupCase{true, {"J1", "J3"}, {"G2"}, {"G1", "G2"}}, // J1 is inside a closed group
                    RegroupCase{true, {"G1", "J3"}, {"G1", "G2"}, {"G1", "G2"}},
                    RegroupCase{true, {"M1", "J2"}, {}, {"G1"}}, RegroupCase{true, {"M2"}, {"M2"}, {"G1"}},
                    RegroupCase{false, {"G1", "M2"}, {"J1", "J2", "M1", "M2"}, {}},
                    RegroupCase{false, {"G1", "J3"}, {"J1", "J2", "J3", "M1"}, {}},
                    RegroupCase{false, {"M2", "J3"}, {"J3", "M2"}, {"G1"}}));

TEST_F(GroupCommands, CloseKeepsANamedSelectionSet)
{
    VornSelection* named = select({"J3"});
    named->setNamed(true);

    closeItem.execute(&view);

    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"G2"}));
    ASSERT_EQ(model.selections->getCount(), 2u);
    for (uint32_t index = 0; index < 2; ++index)
    {
        if ((*model.selections)[index].isNamed())
        {
            EXPECT_TRUE((*model.selections)[index].contains(object("J3")));
        }
    }
}

TEST_F(GroupCommands, CloseIsEnabledOnlyForObjectsOfSubgroups)
{
    EXPECT_EQ(update(closeItem, &view).enabled, 0) << "empty selection";
    select({"M2"});
    EXPECT_EQ(update(closeItem, &view).enabled, 0) << "root object";
    select({"G1"});
    EXPECT_EQ(update(closeItem, &view).enabled, 0) << "a closed group sits in the root";
    select({"J1"});
    EXPECT_EQ(update(closeItem, &view).enabled, 0) << "already inside a closed group";
    select({"J3"});
    EXPECT_EQ(update(closeItem, &view).enabled, 1);
    EXPECT_EQ(update(closeItem, nullptr).enabled, 0);
}

TEST_F(GroupCommands, OpenPutsTheMembersOfAWholeGroupInItsPlace)
{
    select({"G1", "M2"});
    EXPECT_EQ(update(openItem, &view).enabled, 1);

    openItem.execute(&view);

    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"J1", "J2", "M1", "M2"}));
    EXPECT_FALSE(model.named<VornGroup>("G1")->isSelected());
    for (const char* name : {"J1", "J2", "M1", "M2"})
    {
        EXPECT_FALSE(object(name)->isInClosedGroup()) << name;
        EXPECT_EQ(object(name)->getFlags() & selectedBits, selectedBits) << name;
    }
    EXPECT_EQ(model.selections->getCount(), 1u);
    EXPECT_EQ(update(openItem, &view).enabled, 0) << "nothing closed is selected any more";
}

TEST_F(GroupCommands, CloseAfterOpenSelectsTheGroupAgain)
{
    select({"G1"});
    openItem.execute(&view);
    closeItem.execute(&view);

    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"G1"}));
    EXPECT_TRUE(model.named<VornGroup>("G1")->isSelected());
}

TEST_F(LumbraCommandTest, CreateGroupNeedsTwoObjectsAndPackagesItsDialog)
{
    PluginMenuItemGroupCreate item;
    adopt(item);

    EXPECT_EQ(update(item, &view).enabled, 0);
    select({"J3"});
    EXPECT_EQ(update(item, &view).enabled, 0);
    select({"J3", "M2"});
    RecordedCommandState state = update(item, &view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.check, 0);
    EXPECT_EQ(update(item, nullptr).enabled, 0);

    std::unique_ptr<VornPluginBase> dialog(item.GetPackagedPlugin(0));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog.get(), item.dialog);
    EXPECT_EQ(item.dialog->mai, &mai);
    EXPECT_EQ(item.dialog->owner, &item);
    EXPECT_STREQ(dialog->getTypeName(), "Dialog");
    EXPECT_STREQ(dialog->getName(), "Create Group Dialog");
    EXPECT_EQ(item.dialog->getWindowRequest()->dialogId, 137);
    EXPECT_EQ(item.dialog->getDockInfo(DockInfo::StartHidden), 1);
    EXPECT_EQ(item.GetPackagedPlugin(1), nullptr);

    // The dialog's window hides the command's check and enablement rules while it shows.
    FakeWindowHandle shown(0x10000000u);
    item.dialog->windowHandle = &shown;
    doc.document.newSelection();
    state = update(item, &view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.check, 1);
    item.dialog->windowHandle = nullptr;
}

TEST_F(LumbraCommandTest, CreateGroupShowsAHiddenBarInItsFrameAndHidesAShownOne)
{
    platformApplication();
    PluginMenuItemGroupCreate item;
    adopt(item);
    item.execute(&view); // nothing packaged yet
    std::unique_ptr<VornPluginBase> packaged(item.GetPackagedPlugin(0));
    item.execute(&view); // no window yet

    // The bar and the dialog window inside it, as the host makes them, starting hidden.
    platform::Menu menu{platform::Menu::Kind::Bar};
    platform::MainFrame frame;
    ASSERT_TRUE(frame.createFrame("Quorl2 beta", &menu));
    frame.show();
    platform::DialogBar bar;
    ASSERT_TRUE(
        bar.create("#32770", "Create Group", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 200, 80}, &frame));
    platform::Window window;
    ASSERT_TRUE(window.create("Edit", "", platform::WS_CHILD | platform::WS_VISIBLE, {0, 0, 150, 20}, &bar));
    frame.addDialogBar(bar, platform::CBRS_ALIGN_ANY);
    frame.showDialogBar(bar, false);
    PluginWindowHandleImpl windowHandle(&window);
    PluginWindowHandleImpl barHandle(&bar);
    item.dialog->windowHandle = &windowHandle;
    item.dialog->barHandle = &barHandle;
    processMessages();
    EXPECT_EQ(update(item, &view).check, 0);

    item.execute(&view);
    processMessages();
    EXPECT_TRUE(frame.isDialogBarVisible(bar));
    EXPECT_EQ(platform::Window::focus(), &window) << "the name can be typed at once";
    RecordedCommandState state = update(item, &view);
    EXPECT_EQ(state.check, 1);
    EXPECT_EQ(state.enabled, 1);

    item.execute(&view);
    processMessages();
    EXPECT_FALSE(frame.isDialogBarVisible(bar));
    EXPECT_EQ(update(item, &view).check, 0);

    item.dialog->windowHandle = nullptr;
    item.dialog->barHandle = nullptr;
}

} // namespace
