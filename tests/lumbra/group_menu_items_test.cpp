#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/GroupMenuItems.h"
#include "tests/lumbra/LumbraTestDoubles.h"
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

// A window handle whose showing is recorded and changes its visible bit.
class ShownHandle : public FakeWindowHandle
{
public:
    void showWindow(int32_t command) override
    {
        shows.push_back(command);
        style = command == 0 ? (style & ~0x10000000u) : (style | 0x10000000u);
    }
    std::vector<int32_t> shows;
};

TEST_F(LumbraCommandTest, CreateGroupShowsAHiddenBarAndHidesAShownOne)
{
    PluginMenuItemGroupCreate item;
    adopt(item);
    item.execute(&view); // nothing packaged yet
    std::unique_ptr<VornPluginBase> packaged(item.GetPackagedPlugin(0));
    item.execute(&view); // no window yet

    ShownHandle window;
    ShownHandle bar;
    item.dialog->windowHandle = &window;
    item.dialog->barHandle = &bar;
    item.execute(&view);
    EXPECT_EQ(bar.shows, (std::vector<int32_t>{5}));
    EXPECT_EQ(window.shows, (std::vector<int32_t>{5}));
    EXPECT_EQ(update(item, &view).check, 1);

    item.execute(&view);
    EXPECT_EQ(bar.shows, (std::vector<int32_t>{5, 0}));
    item.dialog->windowHandle = nullptr;
    item.dialog->barHandle = nullptr;
}

} // namespace
