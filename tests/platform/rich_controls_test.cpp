// Tab, tree and combo controls: which changes notify (the user's) and which do not (code's), and
// the vetoes the owner can give.
#include "platform/ComboBox.h"
#include "platform/ControlNotifications.h"
#include "platform/RichControlsQt.h"
#include "platform/TabControl.h"
#include "platform/TreeControl.h"

#include "TestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using namespace platform;

QApplication& application()
{
    return testApplication();
}

class TabControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* text : {"Create", "Edit", "Materials"})
            tabs.insertItem(tabs.itemCount(), text, -1, 100 + tabs.itemCount());
        tabs.setNotificationHandler([this](std::int32_t code) {
            codes.push_back(code);
            seenSelection.push_back(tabs.curSel());
            return code == notify_code::TabSelectionChanging && veto ? 1 : 0;
        });
        strip = static_cast<QTabBar*>(qtWidgetOf(tabs));
        strip->resize(300, 30);
        strip->show();
    }
    void clickTab(int index) { QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center()); }

    QApplication& app = application();
    TabControl tabs;
    QTabBar* strip = nullptr;
    std::vector<std::int32_t> codes;
    std::vector<int> seenSelection;
    bool veto = false;
};

TEST_F(TabControlTest, SelectingFromCodeIsSilent)
{
    EXPECT_EQ(tabs.curSel(), 0);
    EXPECT_EQ(tabs.setCurSel(2), 0);
    EXPECT_EQ(tabs.curSel(), 2);
    EXPECT_EQ(tabs.setCurSel(7), -1);
    EXPECT_EQ(tabs.curSel(), 2);
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(tabs.itemData(1), 101);
}

TEST_F(TabControlTest, TheUsersClickAsksThenTells)
{
    clickTab(1);
    EXPECT_EQ(codes, (std::vector<std::int32_t>{notify_code::TabSelectionChanging, notify_code::TabSelectionChange}));
    // Changing is sent while the old tab is current, change once the new one is.
    EXPECT_EQ(seenSelection, (std::vector<int>{0, 1}));
    codes.clear();
    clickTab(1); // the current tab again: nothing
    EXPECT_TRUE(codes.empty());
}

TEST_F(TabControlTest, AVetoKeepsTheTab)
{
    veto = true;
    clickTab(2);
    EXPECT_EQ(codes, (std::vector<std::int32_t>{notify_code::TabSelectionChanging}));
    EXPECT_EQ(tabs.curSel(), 0);
}

class TreeControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = tree.insertItem("SYSTEM", 0, 0, TreeItem::None, TreeItem::Last, 1);
        b = tree.insertItem("Beta", 1, 1, root, TreeItem::Sort, 2);
        a = tree.insertItem("alpha", 1, 1, root, TreeItem::Sort, 3);
        tree.expand(root, TreeExpand::Expand);
        tree.setNotificationHandler([this](TreeNotification& n) {
            notes.push_back(n);
            texts.push_back(n.text ? n.text : "<null>");
            if (n.code == notify_code::TreeSelectionChanging)
                return vetoSelection ? std::intptr_t{1} : 0;
            if (n.code == notify_code::TreeBeginLabelEdit)
                return vetoEdit ? std::intptr_t{1} : 0;
            if (n.code == notify_code::TreeEndLabelEdit)
                return acceptEdit ? std::intptr_t{1} : 0;
            return std::intptr_t{0};
        });
        widget = static_cast<QTreeWidget*>(qtWidgetOf(tree));
        widget->resize(200, 200);
        widget->show();
    }
    std::vector<std::int32_t> codes() const
    {
        std::vector<std::int32_t> result;
        for (const TreeNotification& n : notes)
            result.push_back(n.code);
        return result;
    }

    QApplication& app = application();
    TreeControl tree;
    QTreeWidget* widget = nullptr;
    TreeItem root{}, a{}, b{};
    std::vector<TreeNotification> notes;
    std::vector<std::string> texts;
    bool vetoSelection = false;
    bool vetoEdit = false;
    bool acceptEdit = true;
};

TEST_F(TreeControlTest, ItemsKeepTheirPlaceAndData)
{
    EXPECT_EQ(tree.count(), 3);
    EXPECT_EQ(tree.childItem(root), a); // sorted by text ignoring case
    EXPECT_EQ(tree.nextSibling(a), b);
    EXPECT_EQ(tree.parentItem(b), root);
    EXPECT_EQ(tree.itemData(b), 2);
    EXPECT_TRUE(tree.isExpanded(root));
    EXPECT_EQ(tree.insertItem("orphan", 0, 0, static_cast<TreeItem>(999)), TreeItem::None);
    EXPECT_TRUE(notes.empty()); // inserting and expanding from code are silent
}

TEST_F(TreeControlTest, SelectingFromCodeNotifiesAsTheUserWould)
{
    ASSERT_TRUE(tree.selectItem(b));
    EXPECT_EQ(codes(), (std::vector<std::int32_t>{notify_code::TreeSelectionChanging, notify_code::TreeSelectionChanged}));
    EXPECT_EQ(notes[1].newItem, b);
    EXPECT_EQ(notes[1].newData, 2);
    EXPECT_EQ(notes[1].oldItem, TreeItem::None);
    EXPECT_EQ(notes[1].action, tree_action::Unknown);
    notes.clear();
    ASSERT_TRUE(tree.selectItem(TreeItem::None)); // no selection notifies too
    EXPECT_EQ(codes(), (std::vector<std::int32_t>{notify_code::TreeSelectionChanging, notify_code::TreeSelectionChanged}));
    EXPECT_EQ(notes[1].oldItem, b);
    EXPECT_EQ(tree.selectedItem(), TreeItem::None);
}

TEST_F(TreeControlTest, TheUsersClickSelectsWithAVeto)
{
    const QPoint onA = widget->visualItemRect(widget->topLevelItem(0)->child(0)).center();
    vetoSelection = true;
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, onA);
    EXPECT_EQ(tree.selectedItem(), TreeItem::None);
    vetoSelection = false;
    notes.clear();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, onA);
    EXPECT_EQ(tree.selectedItem(), a);
    ASSERT_EQ(codes(), (std::vector<std::int32_t>{notify_code::TreeSelectionChanging, notify_code::TreeSelectionChanged}));
    EXPECT_EQ(notes[1].action, tree_action::ByMouse);
    notes.clear();
    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(tree.selectedItem(), b);
    ASSERT_EQ(codes().size(), 2u);
    EXPECT_EQ(notes[1].action, tree_action::ByKeyboard);
}

TEST_F(TreeControlTest, DeletingAllIsSilentAndOldHandlesNameNothing)
{
    tree.selectItem(a);
    notes.clear();
    EXPECT_TRUE(tree.deleteItem(a));
    EXPECT_TRUE(tree.deleteAllItems());
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(tree.count(), 0);
    EXPECT_EQ(tree.itemText(b), "");
    EXPECT_FALSE(tree.selectItem(b));
    EXPECT_FALSE(tree.setItemText(root, "x"));
}

TEST_F(TreeControlTest, LabelEditAcceptedVetoedOrRefused)
{
    tree.setEditLabels(true);
    vetoEdit = true;
    EXPECT_FALSE(tree.editLabel(a));
    EXPECT_FALSE(tree.isEditingLabel());
    EXPECT_EQ(codes(), (std::vector<std::int32_t>{notify_code::TreeBeginLabelEdit}));
    EXPECT_EQ(texts.back(), "alpha");

    vetoEdit = false;
    notes.clear();
    ASSERT_TRUE(tree.editLabel(a));
    ASSERT_TRUE(tree.isEditingLabel());
    tree.setEditText("Gamma");
    acceptEdit = false; // the owner refuses the new text
    EXPECT_TRUE(tree.endEditLabelNow(false));
    EXPECT_EQ(codes(), (std::vector<std::int32_t>{notify_code::TreeBeginLabelEdit, notify_code::TreeEndLabelEdit}));
    EXPECT_EQ(texts.back(), "Gamma");
    EXPECT_EQ(tree.itemText(a), "alpha");

    acceptEdit = true;
    ASSERT_TRUE(tree.editLabel(a));
    // The user types and presses Enter in the edit box.
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : widget->viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "Delta");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(tree.isEditingLabel());
    EXPECT_EQ(tree.itemText(a), "Delta");

    ASSERT_TRUE(tree.editLabel(b));
    tree.setEditText("never");
    EXPECT_TRUE(tree.endEditLabelNow(true)); // cancelled: the owner sees no text
    EXPECT_EQ(texts.back(), "<null>");
    EXPECT_EQ(tree.itemText(b), "Beta");
}

class ComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (auto* c : {&dropList, &dropDown})
        {
            for (const char* text : {"Steel", "Wood", "Concrete"})
            {
                const int index = c->addString(text);
                c->setItemData(index, (index + 1) * 10);
            }
            c->setNotificationHandler([this](std::uint32_t code) { codes.push_back(code); });
        }
    }
    QApplication& app = application();
    ComboBox dropList{ComboBox::Kind::DropList};
    ComboBox dropDown{ComboBox::Kind::DropDown};
    std::vector<std::uint32_t> codes;
};

TEST_F(ComboBoxTest, CodeChangesAreSilent)
{
    EXPECT_EQ(dropList.curSel(), -1);
    EXPECT_EQ(dropList.setCurSel(2), 2);
    EXPECT_EQ(dropList.windowText(), "Concrete");
    EXPECT_EQ(dropList.itemData(1), 20);
    EXPECT_EQ(dropList.findStringExact(-1, "wood"), 1);
    EXPECT_EQ(dropList.findStringExact(1, "wood"), 1); // wraps round
    EXPECT_EQ(dropList.findStringExact(-1, "Wo"), -1);
    dropDown.setWindowText("typed by code");
    EXPECT_EQ(dropDown.windowText(), "typed by code");
    EXPECT_EQ(dropDown.deleteString(0), 2);
    EXPECT_EQ(dropDown.deleteString(5), -1);
    EXPECT_TRUE(codes.empty());
}

TEST_F(ComboBoxTest, TheUsersChoiceAndTypingNotify)
{
    auto* combo = static_cast<QComboBox*>(qtWidgetOf(dropList));
    combo->show();
    QTest::keyClick(combo, Qt::Key_Down); // the user moves the selection with the keyboard
    EXPECT_EQ(dropList.curSel(), 0);
    EXPECT_EQ(codes, (std::vector<std::uint32_t>{notify_code::ComboSelectionChange}));

    codes.clear();
    auto* editable = static_cast<QComboBox*>(qtWidgetOf(dropDown));
    editable->show();
    QTest::keyClicks(editable->lineEdit(), "Al");
    EXPECT_EQ(codes, (std::vector<std::uint32_t>{notify_code::ComboEditChange, notify_code::ComboEditChange}));
    EXPECT_EQ(dropDown.windowText(), "Al");
}

} // namespace
