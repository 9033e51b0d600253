#include "Lumbra/CreateGroupDialog.h"
#include "Lumbra/GroupMenuItems.h"
#include "Lumbra/LumbraLibrary.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"
#include "__globalobjectdevice/NotificationChannels.h"

using namespace lumbra;

namespace
{

class CreateGroup : public LumbraCommandTest
{
protected:
    // The group of that name and the names of its children, sorted.
    std::vector<std::string> childrenOf(const char* groupName)
    {
        std::vector<std::string> names;
        VornGroup* group = model.named<VornGroup>(groupName);
        for (knot* link = group ? group->children.getFirst() : nullptr; link; link = link->getNext())
            names.push_back(VornGroup::childOf(link)->name.getString());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CreateGroup, MakesOneClosedRootGroupOfTheSelectionAndSelectsItAlone)
{
    select({"J3", "M2"});
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});

    EXPECT_TRUE(lumbra::createGroupOfSelection(doc, &mai, "Frame", 0x123456));

    EXPECT_EQ(childrenOf("Frame"), (std::vector<std::string>{"J3", "M2"}));
    VornGroup* frame = model.named<VornGroup>("Frame");
    EXPECT_EQ(frame->getParentGroup(), doc.document.getWorldGroup());
    EXPECT_EQ(frame->getColor(), 0x123456u);
    EXPECT_TRUE(frame->isSelected());
    EXPECT_EQ(frame->getFlags() & 0x23, 0x23);
    EXPECT_TRUE(object("J3")->isInClosedGroup());
    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr) << "the emptied group ended itself";
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"Frame"}));
    EXPECT_EQ(object("M2")->getFlags() & 0x03, 0) << "the old selection's marks are cleared";
    EXPECT_EQ(log.heard, (std::vector<std::string>{Channel::SelectionChanging, Channel::SelectionChanged}));
    EXPECT_EQ(doc.invalidations, 1);
}

TEST_F(CreateGroup, AnEmptyNameOrSelectionMakesNothing)
{
    const uint32_t groups = model.groups->getCount();
    EXPECT_FALSE(lumbra::createGroupOfSelection(doc, &mai, "Frame", 0));
    select({"J3"});
    EXPECT_FALSE(lumbra::createGroupOfSelection(doc, &mai, "", 0));
    EXPECT_EQ(model.groups->getCount(), groups);
    EXPECT_EQ(doc.invalidations, 0);
}

// The bar's window made from the library's template inside a top-level window.
class CreateGroupWindow : public CreateGroup
{
protected:
    void SetUp() override
    {
        platformApplication();
        lumbra::registerCreateGroupDialogTemplate();
        adopt(item);
        item.commandId = 0xBFFE;
        plugin.reset(static_cast<PluginCreateGroupDialog*>(item.GetPackagedPlugin(0)));
        ASSERT_TRUE(top.create("Window", "create group", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                               {50, 50, 450, 250}, nullptr));
        ASSERT_EQ(plugin->getWindowRequest()->dialogId, 137);
        dialog = static_cast<CDialogCreateGroup*>(plugin->dialogObject);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->create(&top, lumbra::thisModule()));
        processMessages();
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    void typeName(const std::string& text)
    {
        dialog->setDlgItemText(CDialogCreateGroup::nameEditId, text);
        dialog->onCommand(CDialogCreateGroup::nameEditId, platform::EN_CHANGE, platform::WindowHandle::None);
    }
    void click(int32_t id)
    {
        dialog->onCommand(static_cast<uint32_t>(id), platform::BN_CLICKED, platform::WindowHandle::None);
    }
    bool enabled(int32_t id) { return dialog->dlgItem(id)->isEnabled(); }

    PluginMenuItemGroupCreate item;
    std::unique_ptr<PluginCreateGroupDialog> plugin;
    CDialogCreateGroup* dialog = nullptr;
    platform::Window top;
};

TEST_F(CreateGroupWindow, OkStaysDisabledForBlanksAndCreatesTheTrimmedNameThenCloses)
{
    EXPECT_EQ(dialog->colourButton.colour(), 0x80FF80u);
    EXPECT_FALSE(enabled(CDialogCreateGroup::okId));
    typeName("   ");
    EXPECT_FALSE(enabled(CDialogCreateGroup::okId));
    EXPECT_FALSE(enabled(CDialogCreateGroup::stripOkId));
    typeName("  Frame ");
    EXPECT_TRUE(enabled(CDialogCreateGroup::okId));
    EXPECT_TRUE(enabled(CDialogCreateGroup::stripOkId));

    select({"J3", "M2"});
    click(CDialogCreateGroup::okId);

    EXPECT_EQ(childrenOf("Frame"), (std::vector<std::string>{"J3", "M2"}));
    EXPECT_EQ(model.named<VornGroup>("Frame")->getColor(), 0x80FF80u);
    EXPECT_EQ(mai.posted, (std::vector<uint32_t>{0xBFFE})) << "the owner's command hides the bar";
    EXPECT_EQ(dialog->dlgItemText(CDialogCreateGroup::nameEditId), "");
    EXPECT_FALSE(enabled(CDialogCreateGroup::okId));
}

TEST_F(CreateGroupWindow, TheStripOkCreatesWithoutClosingAndCancelOnlyCloses)
{
    select({"J3", "M2"});
    typeName("Frame");
    click(CDialogCreateGroup::stripOkId);
    EXPECT_NE(model.named<VornGroup>("Frame"), nullptr);
    EXPECT_TRUE(mai.posted.empty());

    const uint32_t groups = model.groups->getCount();
    typeName("Other");
    click(CDialogCreateGroup::cancelId);
    EXPECT_EQ(model.groups->getCount(), groups);
    EXPECT_EQ(mai.posted.size(), 1u);
}

TEST_F(CreateGroupWindow, WithAnEmptySelectionOkOnlyClearsTheName)
{
    const uint32_t groups = model.groups->getCount();
    typeName("Frame");
    click(CDialogCreateGroup::stripOkId);
    EXPECT_EQ(model.groups->getCount(), groups);
    EXPECT_EQ(dialog->dlgItemText(CDialogCreateGroup::nameEditId), "");
}

TEST_F(CreateGroupWindow, ALowBarIsAStripWithTheSmallOkBesideTheColour)
{
    platform::Window* stripOk = dialog->dlgItem(CDialogCreateGroup::stripOkId);
    platform::Window* edit = dialog->dlgItem(CDialogCreateGroup::nameEditId);
    dialog->moveWindow({0, 0, 200, 30});
    processMessages();
    EXPECT_TRUE((stripOk->style() & platform::WS_VISIBLE) != 0);
    EXPECT_EQ(dialog->screenToClient(edit->windowRect()).left, 0);
    EXPECT_EQ(dialog->screenToClient(dialog->colourButton.windowRect()).left, 134);

    dialog->moveWindow({0, 0, 200, 80});
    processMessages();
    EXPECT_FALSE((stripOk->style() & platform::WS_VISIBLE) != 0);
    EXPECT_EQ(dialog->screenToClient(edit->windowRect()).left, 3);
    EXPECT_EQ(dialog->screenToClient(dialog->colourButton.windowRect()).top, 8);
    EXPECT_EQ(dialog->defaultButtonId(), CDialogCreateGroup::okId);
}

} // namespace
