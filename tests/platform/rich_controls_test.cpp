// Tab, tree and combo controls: which changes notify their parent (the user's) and which do not
// (code's), and the vetoes the parent can give.
#include "ControlParent.h"

#include "platform/Application.h"
#include "platform/ComboBox.h"
#include "platform/TabControl.h"
#include "platform/TreeControl.h"
#include "platform/qt/WindowState.h"

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

class ControlTest : public ::testing::Test
{
protected:
    int argc = 1;
    char name[24] = "rich_controls_test";
    char* argv[2] = {name, nullptr};
    Application application{argc, argv, "Quorl2"};
    ControlParent parent;
};

class TabControlTest : public ControlTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tabs.create(WS_VISIBLE, {0, 0, 300, 30}, &parent, 1004));
        for (const char* text : {"Create", "Edit", "Materials"})
            tabs.insertItem(tabs.itemCount(), text, -1, 100 + tabs.itemCount());
        parent.answer = [this](NotifyHeader& header) -> LResult {
            seenSelection.push_back(tabs.curSel());
            return header.code == TCN_SELCHANGING && veto ? 1 : 0;
        };
        strip = static_cast<QTabBar*>(tabs.state()->widget);
    }
    void clickTab(int index) { QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center()); }

    TabControl tabs;
    QTabBar* strip = nullptr;
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
    EXPECT_TRUE(parent.notifications.empty());
    EXPECT_EQ(tabs.itemData(1), 101);
    EXPECT_EQ(tabs.itemText(2), "Materials");
}

TEST_F(TabControlTest, TheUsersClickAsksThenTells)
{
    clickTab(1);
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TCN_SELCHANGING, TCN_SELCHANGE}));
    // "Changing" is sent while the old tab is current, "change" once the new one is.
    EXPECT_EQ(seenSelection, (std::vector<int>{0, 1}));
    parent.notifications.clear();
    clickTab(1); // the current tab again: nothing
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(TabControlTest, AVetoKeepsTheTab)
{
    veto = true;
    clickTab(2);
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TCN_SELCHANGING}));
    EXPECT_EQ(tabs.curSel(), 0);
}

class TreeControlTest : public ControlTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.create(WS_VISIBLE | TVS_EDITLABELS, {0, 0, 200, 200}, &parent, 1000));
        root = tree.insertItem("SYSTEM", 0, 0, TreeItem::None, TreeItem::Last, 1);
        b = tree.insertItem("Beta", 1, 1, root, TreeItem::Sort, 2);
        a = tree.insertItem("alpha", 1, 1, root, TreeItem::Sort, 3);
        tree.expand(root, TreeExpand::Expand);
        parent.answer = [this](NotifyHeader& header) -> LResult {
            if (header.code == TVN_SELCHANGING || header.code == TVN_SELCHANGED)
                selections.push_back(reinterpret_cast<NotifyTree&>(header));
            if (header.code == TVN_BEGINLABELEDIT || header.code == TVN_ENDLABELEDIT)
            {
                const char* text = reinterpret_cast<NotifyTreeLabel&>(header).item.text;
                texts.push_back(text ? text : "<null>");
            }
            if (header.code == TVN_SELCHANGING)
                return vetoSelection ? 1 : 0;
            if (header.code == TVN_BEGINLABELEDIT)
                return vetoEdit ? 1 : 0;
            if (header.code == TVN_ENDLABELEDIT)
                return acceptEdit ? 1 : 0;
            return 0;
        };
        widget = static_cast<QTreeWidget*>(tree.state()->widget);
    }

    TreeControl tree;
    QTreeWidget* widget = nullptr;
    TreeItem root{}, a{}, b{};
    std::vector<NotifyTree> selections;
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
    EXPECT_TRUE(parent.notifications.empty()); // inserting and expanding from code are silent
}

TEST_F(TreeControlTest, SelectingFromCodeNotifiesAsTheUserWould)
{
    ASSERT_TRUE(tree.selectItem(b));
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(selections[1].newItem.item, b);
    EXPECT_EQ(selections[1].newItem.data, 2);
    EXPECT_EQ(selections[1].oldItem.item, TreeItem::None);
    EXPECT_EQ(selections[1].action, TVC_UNKNOWN);
    parent.notifications.clear();
    ASSERT_TRUE(tree.selectItem(TreeItem::None)); // no selection notifies too
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TVN_SELCHANGING, TVN_SELCHANGED}));
    EXPECT_EQ(selections[3].oldItem.item, b);
    EXPECT_EQ(tree.selectedItem(), TreeItem::None);
}

TEST_F(TreeControlTest, TheUsersClickAndKeysSelectWithAVeto)
{
    const QPoint onA = widget->visualItemRect(widget->topLevelItem(0)->child(0)).center();
    vetoSelection = true;
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, onA);
    EXPECT_EQ(tree.selectedItem(), TreeItem::None);
    vetoSelection = false;
    selections.clear();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, onA);
    EXPECT_EQ(tree.selectedItem(), a);
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_EQ(selections[1].action, TVC_BYMOUSE);
    selections.clear();
    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(tree.selectedItem(), b);
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_EQ(selections[1].action, TVC_BYKEYBOARD);
}

TEST_F(TreeControlTest, DeletingAllIsSilentAndOldHandlesNameNothing)
{
    tree.selectItem(a);
    parent.notifications.clear();
    EXPECT_TRUE(tree.deleteItem(a));
    EXPECT_TRUE(tree.deleteAllItems());
    EXPECT_TRUE(parent.notifications.empty());
    EXPECT_EQ(tree.count(), 0);
    EXPECT_EQ(tree.itemText(b), "");
    EXPECT_FALSE(tree.selectItem(b));
    EXPECT_FALSE(tree.setItemText(root, "x"));
}

TEST_F(TreeControlTest, BoldStateRoundTripsAndShows)
{
    EXPECT_EQ(tree.itemState(a, TVIS_BOLD), 0u);
    ASSERT_TRUE(tree.setItemState(a, TVIS_BOLD, TVIS_BOLD));
    EXPECT_EQ(tree.itemState(a, TVIS_BOLD), TVIS_BOLD);
    EXPECT_EQ(tree.itemState(a, 0), 0u) << "only the bits asked for";
    EXPECT_EQ(tree.itemState(b, TVIS_BOLD), 0u) << "the sibling keeps its state";
    EXPECT_TRUE(widget->topLevelItem(0)->child(0)->font(0).bold()) << "the label is drawn bold";
    ASSERT_TRUE(tree.setItemState(a, 0, 0));
    EXPECT_EQ(tree.itemState(a, TVIS_BOLD), TVIS_BOLD) << "a bit outside the mask stays";
    ASSERT_TRUE(tree.setItemState(a, 0, TVIS_BOLD));
    EXPECT_EQ(tree.itemState(a, TVIS_BOLD), 0u);
    EXPECT_FALSE(tree.setItemState(static_cast<TreeItem>(999), TVIS_BOLD, TVIS_BOLD));
    EXPECT_EQ(tree.itemState(static_cast<TreeItem>(999), TVIS_BOLD), 0u);
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(TreeControlTest, BackgroundColourPaintsTheEmptyGround)
{
    const QPoint below = widget->viewport()->rect().bottomRight() - QPoint(4, 4);
    auto groundAt = [&] { return widget->viewport()->grab().toImage().pixelColor(below); };
    const QColor systemGround = groundAt();
    EXPECT_EQ(tree.getBkColor(), CLR_DEFAULT);
    EXPECT_EQ(tree.setBkColor(0x00C0E0E8), CLR_DEFAULT);
    EXPECT_EQ(tree.getBkColor(), 0x00C0E0E8u);
    EXPECT_EQ(groundAt(), QColor(0xE8, 0xE0, 0xC0)) << "red in the low byte, blue in the high";
    EXPECT_EQ(tree.setBkColor(CLR_DEFAULT), 0x00C0E0E8u);
    EXPECT_EQ(groundAt(), systemGround) << "the system's colour comes back";
}

TEST_F(TreeControlTest, LabelEditAcceptedVetoedOrRefused)
{
    vetoEdit = true;
    EXPECT_FALSE(tree.editLabel(a));
    EXPECT_FALSE(tree.isEditingLabel());
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TVN_BEGINLABELEDIT}));
    EXPECT_EQ(texts.back(), "alpha");

    vetoEdit = false;
    parent.notifications.clear();
    ASSERT_TRUE(tree.editLabel(a));
    ASSERT_TRUE(tree.isEditingLabel());
    tree.setEditText("Gamma");
    acceptEdit = false; // the parent refuses the new text
    EXPECT_TRUE(tree.endEditLabelNow(false));
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT}));
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
    EXPECT_TRUE(tree.endEditLabelNow(true)); // cancelled: the parent sees no text
    EXPECT_EQ(texts.back(), "<null>");
    EXPECT_EQ(tree.itemText(b), "Beta");
}

class ComboBoxTest : public ControlTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dropList.create(WS_VISIBLE | CBS_DROPDOWNLIST, {0, 0, 150, 24}, &parent, 1101));
        ASSERT_TRUE(dropDown.create(WS_VISIBLE | CBS_DROPDOWN, {0, 40, 150, 64}, &parent, 1102));
        for (ComboBox* c : {&dropList, &dropDown})
            for (const char* text : {"Steel", "Wood", "Concrete"})
            {
                const int index = c->addString(text);
                c->setItemData(index, (index + 1) * 10);
            }
    }
    ComboBox dropList;
    ComboBox dropDown;
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
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ComboBoxTest, TheUsersChoiceAndTypingNotify)
{
    auto* combo = static_cast<QComboBox*>(dropList.state()->widget);
    QTest::keyClick(combo, Qt::Key_Down); // the user moves the selection with the keyboard
    EXPECT_EQ(dropList.curSel(), 0);
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{1101}));
    EXPECT_EQ(parent.commandCodes, (std::vector<std::uint32_t>{CBN_SELCHANGE}));

    parent.commands.clear();
    parent.commandCodes.clear();
    auto* editable = static_cast<QComboBox*>(dropDown.state()->widget);
    QTest::keyClicks(editable->lineEdit(), "Al");
    EXPECT_EQ(parent.commandCodes, (std::vector<std::uint32_t>{CBN_EDITCHANGE, CBN_EDITCHANGE}));
    EXPECT_EQ(dropDown.windowText(), "Al");
}

TEST(RichControlsWithoutWindow, AnswerNothing)
{
    TabControl tabs;
    TreeControl tree;
    ComboBox combo;
    EXPECT_EQ(tabs.insertItem(0, "x"), -1);
    EXPECT_EQ(tabs.curSel(), -1);
    EXPECT_EQ(tree.insertItem("x", 0, 0), TreeItem::None);
    EXPECT_FALSE(tree.selectItem(TreeItem::None));
    EXPECT_EQ(combo.addString("x"), -1);
    EXPECT_EQ(combo.findStringExact(-1, "x"), -1);
}

} // namespace
