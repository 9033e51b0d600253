// The accelerators dialog: choosing events, binding, reordering and removing, and the file
// commands that replace the table only when a file was read whole.
#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/AcceleratorsDialog.h"
#include "VornInterface/HostDialogResources.h"
#include "platform/Controls.h"
#include "platform/Services.h"
#include "tests/host/HostDialogTestSupport.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using platform::TreeItem;
using Dialog = CAcceleratorsDialog;

struct AcceleratorsDialogFixture : ::testing::Test, MenuItemRegistry
{
    ScratchFolder folder;
    platform::ScriptedInteraction interaction;
    AcceleratorTable& table = mai.accelerators;
    std::unique_ptr<Dialog> dialog;

    AcceleratorsDialogFixture()
    {
        platformApplication();
        dialog = std::make_unique<Dialog>(mai, registry);
        EXPECT_TRUE(dialog->create(nullptr, hostResourceModule()));
    }

    platform::ListBox& list() { return *dialog->dlgItemAs<platform::ListBox>(Dialog::BindingsId); }
    std::vector<std::string> rows()
    {
        std::vector<std::string> texts;
        for (int32_t row = 0; row < list().getCount(); ++row)
            texts.push_back(list().getText(row));
        return texts;
    }
    bool enabled(int32_t id) { return dialog->dlgItem(id)->isEnabled(); }
    bool shown(int32_t id) { return (dialog->dlgItem(id)->style() & platform::WS_VISIBLE) != 0; }
    void chooseAction(const char* name)
    {
        platform::TreeControl& tree = dialog->getTree();
        for (TreeItem item = tree.childItem(tree.rootItem()); item != TreeItem::None; item = tree.nextSibling(item))
            if (tree.itemText(item) == name)
                tree.selectItem(item);
    }
    void chooseGesture(const char* name, bool shift, bool ctrl)
    {
        dialog->getInputList().setCurSel(dialog->getInputList().findStringExact(-1, name));
        dialog->checkDlgButton(Dialog::ShiftId, shift ? platform::BST_CHECKED : platform::BST_UNCHECKED);
        dialog->checkDlgButton(Dialog::CtrlId, ctrl ? platform::BST_CHECKED : platform::BST_UNCHECKED);
        dialog->OnModifierClick();
    }
    void chooseDevice(const char* device)
    {
        dialog->getDeviceList().setCurSel(dialog->getDeviceList().findStringExact(-1, device));
        dialog->OnDeviceChange();
    }
    void bind(const char* name)
    {
        chooseAction(name);
        dialog->OnBind();
    }
    std::vector<std::string> boundNames(uint32_t code)
    {
        std::vector<std::string> names;
        for (AcceleratorBinding* binding = table.getBindings(code); binding != nullptr; binding = binding->next)
            names.push_back(binding->plugin->getName());
        return names;
    }
};

TEST_F(AcceleratorsDialogFixture, OpensOnTheRightButtonDragWithTheMenuItemsToBind)
{
    platform::TreeControl& tree = dialog->getTree();
    EXPECT_EQ(tree.itemText(tree.rootItem()), "Standard MenuItem");
    EXPECT_EQ(tree.itemData(tree.rootItem()), 0);
    std::vector<std::string> actions;
    for (TreeItem item = tree.childItem(tree.rootItem()); item != TreeItem::None; item = tree.nextSibling(item))
        actions.push_back(tree.itemText(item));
    EXPECT_EQ(actions, (std::vector<std::string>{"Delete", "Scale", "Rotate", "Move"})) << "registry list order";
    EXPECT_EQ(dialog->getDeviceList().windowText(), "MOUSE");
    EXPECT_EQ(dialog->getInputList().windowText(), "RIGHT BUTTON DRAG");
    EXPECT_EQ(dialog->currentEvent(), AcceleratorCode::RightDrag);
    EXPECT_EQ(rows(), std::vector<std::string>{"..no actions.."});
    for (int32_t id : {Dialog::MoveUpId, Dialog::MoveDownId, Dialog::RemoveId, Dialog::BindId, Dialog::ClearId})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(shown(Dialog::CaptureId));
    EXPECT_TRUE(shown(Dialog::ShiftId));

    tree.selectItem(tree.rootItem());
    EXPECT_FALSE(enabled(Dialog::BindId)) << "a type carries no plugin";
    chooseAction("Move");
    EXPECT_TRUE(enabled(Dialog::BindId));
}

// The combos' template heights hold their dropped lists; closed, they cover nothing below them.
TEST_F(AcceleratorsDialogFixture, ClosedCombosLeaveTheControlsBelowThemUncovered)
{
    for (int32_t comboId : {Dialog::DeviceId, Dialog::InputId})
    {
        const platform::Rect combo = dialog->dlgItem(comboId)->windowRect();
        for (platform::Window* control : dialog->children())
        {
            if (control->dlgCtrlId() == comboId || (control->style() & platform::WS_VISIBLE) == 0)
                continue;
            EXPECT_TRUE(combo.intersected(control->windowRect()).isEmpty())
                << "combo " << comboId << " covers control " << control->dlgCtrlId() << " \"" << control->windowText()
                << "\"";
        }
    }
}

TEST_F(AcceleratorsDialogFixture, MouseGesturesWithShiftAndCtrl)
{
    chooseGesture("MIDDLE BUTTON UP", true, true);
    EXPECT_EQ(dialog->currentEvent(), 54u);
    chooseGesture("RIGHT BUTTON STATIC CLICK", false, true);
    EXPECT_EQ(dialog->currentEvent(), 36u);
    bind("Rotate");
    EXPECT_EQ(boundNames(36), std::vector<std::string>{"Rotate"});
    EXPECT_EQ(rows(), std::vector<std::string>{"Rotate [Standard MenuItem]"});
}

TEST_F(AcceleratorsDialogFixture, KeysAreCapturedWithTheirShiftAndCtrlStates)
{
    chooseDevice("KEYBOARD");
    EXPECT_TRUE(shown(Dialog::CaptureId));
    EXPECT_FALSE(shown(Dialog::ShiftId));
    EXPECT_EQ(dialog->currentEvent(), 0u);
    EXPECT_FALSE(list().isEnabled());
    bind("Move");
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text, "No input event selected");
    EXPECT_EQ(interaction.boxes[0].caption, "Add Accelerator Error");
    EXPECT_EQ(table.getCount(), 0);

    EXPECT_FALSE(dialog->captureKey(platform::WM_KEYDOWN, platform::VK_SHIFT)) << "Shift passes through";
    EXPECT_TRUE(dialog->captureKey(platform::WM_KEYDOWN, 'A'));
    EXPECT_TRUE(dialog->captureKey(platform::WM_CHAR, 'A'));
    EXPECT_TRUE(dialog->captureKey(platform::WM_KEYUP, 'A'));
    EXPECT_EQ(dialog->currentEvent(), 72u + 65 + 256);
    EXPECT_EQ(dialog->dlgItemText(Dialog::CaptureId), "Shift + A");
    dialog->captureKey(platform::WM_KEYUP, platform::VK_SHIFT);
    dialog->captureKey(platform::WM_KEYUP, 'A');
    EXPECT_EQ(dialog->currentEvent(), 137u);
    EXPECT_EQ(dialog->dlgItemText(Dialog::CaptureId), "A");

    dialog->captureKey(platform::WM_KEYDOWN, platform::VK_CONTROL);
    dialog->captureKey(platform::WM_KEYUP, 0x21);
    EXPECT_EQ(dialog->dlgItemText(Dialog::CaptureId), "Ctrl + Page up");
    EXPECT_EQ(dialog->currentEvent(), 72u + 0x21 + 512);
    dialog->captureKey(platform::WM_KEYUP, platform::VK_CONTROL);
    dialog->captureKey(platform::WM_KEYUP, 0xFF);
    EXPECT_EQ(dialog->dlgItemText(Dialog::CaptureId), "unknown keystroke");
    EXPECT_EQ(dialog->currentEvent(), 0u);
    EXPECT_FALSE(dialog->captureKey(platform::WM_KEYDOWN, platform::VK_TAB)) << "Tab moves the focus";
}

TEST_F(AcceleratorsDialogFixture, BindMoveAndRemoveWorkOnTheSelectedBinding)
{
    bind("Move");
    bind("Rotate");
    bind("Scale");
    EXPECT_EQ(boundNames(1), (std::vector<std::string>{"Move", "Rotate", "Scale"}));
    EXPECT_EQ(list().getCurSel(), 2) << "the new binding is selected at the end";
    EXPECT_TRUE(enabled(Dialog::MoveUpId));
    EXPECT_FALSE(enabled(Dialog::MoveDownId));
    EXPECT_TRUE(enabled(Dialog::RemoveId));
    EXPECT_TRUE(enabled(Dialog::ClearId));

    list().setCurSel(0);
    dialog->OnBindingSelChanged();
    EXPECT_FALSE(enabled(Dialog::MoveUpId));
    EXPECT_TRUE(enabled(Dialog::MoveDownId));
    dialog->OnMoveDown();
    EXPECT_EQ(boundNames(1), (std::vector<std::string>{"Rotate", "Move", "Scale"}));
    EXPECT_EQ(list().getCurSel(), 1) << "the moved binding stays selected";
    EXPECT_STREQ(dialog->getCurrentBinding()->plugin->getName(), "Move");
    dialog->OnMoveDown();
    EXPECT_EQ(boundNames(1), (std::vector<std::string>{"Rotate", "Scale", "Move"}));
    EXPECT_FALSE(enabled(Dialog::MoveDownId));
    dialog->OnMoveUp();
    dialog->OnMoveUp();
    EXPECT_EQ(boundNames(1), (std::vector<std::string>{"Move", "Rotate", "Scale"}));
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"Move [Standard MenuItem]", "Rotate [Standard MenuItem]",
                                        "Scale [Standard MenuItem]"}));

    list().setCurSel(1);
    dialog->OnBindingSelChanged();
    dialog->OnRemove();
    EXPECT_EQ(boundNames(1), (std::vector<std::string>{"Move", "Scale"}));
    dialog->OnRemove();
    dialog->OnRemove();
    EXPECT_EQ(rows(), std::vector<std::string>{"..no actions.."});
    EXPECT_FALSE(enabled(Dialog::RemoveId));
    EXPECT_FALSE(enabled(Dialog::ClearId));
}

TEST_F(AcceleratorsDialogFixture, ClearAsksFirst)
{
    bind("Move");
    interaction.boxAnswers = {platform::IDNO, platform::IDYES};
    dialog->OnClear();
    EXPECT_EQ(table.getCount(), 1);
    dialog->OnClear();
    EXPECT_EQ(table.getCount(), 0);
    EXPECT_EQ(interaction.boxes[0].text, "You are about to remove all accelerators\nAre you sure?");
    EXPECT_FALSE(enabled(Dialog::ClearId));
}

TEST_F(AcceleratorsDialogFixture, LoadReplacesTheTableOnlyWithAFileReadWhole)
{
    bind("Move");
    writeFileText(folder.file("good.acc"), "ACCELERATORS\r\nversion 1\r\nEvent: 2\r\nStandard MenuItem\r\nRotate\r\n");
    writeFileText(folder.file("bad.acc"),
                  "ACCELERATORS\r\nversion 1\r\nEvent: 2\r\nStandard MenuItem\r\nRotate\r\nEvent: x\r\n");

    interaction.boxAnswers = {platform::IDOK};
    interaction.fileAnswers = {std::nullopt};
    dialog->OnLoad();
    EXPECT_EQ(boundNames(1), std::vector<std::string>{"Move"}) << "cancelling the file dialog loses nothing";
    EXPECT_EQ(interaction.boxes[0].text, "Load Accelerators:\nAll current accelerator settings will be lost");
    EXPECT_EQ(interaction.boxes[0].caption, "Accelerators.");
    ASSERT_EQ(interaction.fileRequests.size(), 1u);
    EXPECT_EQ(interaction.fileRequests[0].title, "Open Accelerator File");
    EXPECT_EQ(interaction.fileRequests[0].filters.size(), 2u);
    EXPECT_EQ(interaction.fileRequests[0].defaultExtension, "acc");

    interaction.boxAnswers = {platform::IDOK};
    interaction.fileAnswers = {platform::ScriptedInteraction::FileAnswer{folder.file("bad.acc"), 1}};
    dialog->OnLoad();
    EXPECT_EQ(boundNames(1), std::vector<std::string>{"Move"}) << "a file that fails halfway loses nothing";
    EXPECT_TRUE(boundNames(2).empty());
    EXPECT_EQ(interaction.boxes.back().caption, "Error loading accelerators");

    interaction.boxAnswers = {platform::IDOK};
    interaction.fileAnswers = {platform::ScriptedInteraction::FileAnswer{folder.file("good.acc"), 1}};
    dialog->OnLoad();
    EXPECT_TRUE(boundNames(1).empty());
    EXPECT_EQ(boundNames(2), std::vector<std::string>{"Rotate"});
    EXPECT_EQ(interaction.fileRequests.back().fileName, folder.file("bad.acc")) << "the last name is offered again";
}

TEST_F(AcceleratorsDialogFixture, ResetAndSetAsDefaultUseTheDefaultFileOfTheWorkingFolder)
{
    interaction.boxAnswers = {platform::IDNO};
    dialog->OnSetAsDefault();
    EXPECT_FALSE(std::filesystem::exists("system/default.acc"));
    EXPECT_EQ(interaction.boxes[0].text,
              "No accelerators are present\nAre you sure you want to make this the default setting?");
    interaction.boxAnswers = {platform::IDYES};
    dialog->OnSetAsDefault();
    EXPECT_EQ(readFileText("system/default.acc"), "ACCELERATORS\r\nversion 1\r\n");

    bind("Scale");
    interaction.boxes.clear();
    interaction.boxAnswers = {platform::IDOK};
    std::filesystem::remove("system/default.acc");
    dialog->OnResetToDefaults();
    EXPECT_EQ(boundNames(1), std::vector<std::string>{"Scale"}) << "a missing default file loses nothing";
    ASSERT_EQ(interaction.boxes.size(), 2u);
    EXPECT_EQ(interaction.boxes[0].text, "Reset to Defaults:\nAll current accelerator settings will be lost.");
    EXPECT_EQ(interaction.boxes[1].caption, "FileException");

    dialog->OnSetAsDefault();
    table.clear();
    bind("Move");
    interaction.boxAnswers = {platform::IDOK};
    dialog->OnResetToDefaults();
    EXPECT_EQ(boundNames(1), std::vector<std::string>{"Scale"});
    EXPECT_EQ(rows(), std::vector<std::string>{"Scale [Standard MenuItem]"});
}

} // namespace
