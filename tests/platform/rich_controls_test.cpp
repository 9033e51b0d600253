// Tab, tree and combo controls: which changes notify their parent (the user's) and which do not
// (code's), and the vetoes the parent can give.
#include "ControlParent.h"

#include "platform/Application.h"
#include "platform/ComboBox.h"
#include "platform/Controls.h"
#include "platform/Cursor.h"
#include "platform/ImageList.h"
#include "platform/InputSimulation.h"
#include "platform/Surface.h"
#include "platform/TabControl.h"
#include "platform/TreeControl.h"
#include "platform/qt/WindowState.h"

#include <QAbstractItemView>
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

TEST_F(TabControlTest, TabsShareANarrowStripInsteadOfFallingOffIt)
{
    tabs.insertItem(tabs.itemCount(), "CrossSections", -1, 0);
    tabs.insertItem(tabs.itemCount(), "View", -1, 0);
    tabs.setWindowPos(nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
    QCoreApplication::processEvents();
    const QRect last = strip->tabRect(strip->count() - 1);
    EXPECT_LE(last.right(), strip->width());
    clickTab(4);
    EXPECT_EQ(tabs.curSel(), 4);
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
    for (QLineEdit* candidate : widget->findChildren<QLineEdit*>())
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

TEST_F(TreeControlTest, SiblingsBothWaysAndEnsureVisibleOpensTheWay)
{
    const TreeItem second = tree.insertItem("second root", 0, 0);
    EXPECT_EQ(tree.previousSibling(b), a);
    EXPECT_EQ(tree.previousSibling(a), TreeItem::None);
    EXPECT_EQ(tree.previousSibling(second), root);
    EXPECT_EQ(tree.previousSibling(root), TreeItem::None);
    EXPECT_EQ(tree.previousSibling(static_cast<TreeItem>(999)), TreeItem::None);

    tree.expand(root, TreeExpand::Collapse);
    TreeItem deepest = TreeItem::None;
    for (int row = 0; row < 40; ++row)
        deepest = tree.insertItem("row " + std::to_string(row), 0, 0, b);
    ASSERT_TRUE(tree.ensureVisible(deepest));
    EXPECT_TRUE(tree.isExpanded(root));
    EXPECT_TRUE(tree.isExpanded(b));
    QTreeWidgetItem* shown = widget->topLevelItem(0)->child(1)->child(39);
    EXPECT_TRUE(widget->viewport()->rect().contains(widget->visualItemRect(shown))) << "scrolled into view";
    EXPECT_FALSE(tree.ensureVisible(static_cast<TreeItem>(999)));
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(TreeControlTest, HitTestTellsWhereOnTheItemThePointLies)
{
    const QPoint offset = widget->viewport()->mapTo(widget, QPoint(0, 0));
    const QRect rootCell = widget->visualItemRect(widget->topLevelItem(0)).translated(offset);
    const QRect alphaCell = widget->visualItemRect(widget->topLevelItem(0)->child(0)).translated(offset);
    const int alphaY = alphaCell.center().y();
    struct Case
    {
        const char* where;
        Point point;
        TreeItem item;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {"on the label", {alphaCell.left() + 2, alphaY}, a, TVHT_ONITEMLABEL},
        {"right of the label", {195, alphaY}, a, TVHT_ONITEMRIGHT},
        {"in the indent", {2, alphaY}, a, TVHT_ONITEMINDENT},
        {"on the expand button", {rootCell.left() - 4, rootCell.center().y()}, root, TVHT_ONITEMBUTTON},
        {"below the last item", {30, 190}, TreeItem::None, TVHT_NOWHERE},
        {"above the window", {30, -3}, TreeItem::None, TVHT_ABOVE},
        {"below the window", {30, 203}, TreeItem::None, TVHT_BELOW},
        {"left of the window", {-3, alphaY}, TreeItem::None, TVHT_TOLEFT},
        {"right of the window", {204, alphaY}, TreeItem::None, TVHT_TORIGHT},
    };
    for (const Case& c : cases)
    {
        std::uint32_t flags = 0;
        EXPECT_EQ(tree.hitTest(c.point, &flags), c.item) << c.where;
        EXPECT_EQ(flags, c.flags) << c.where;
    }
    EXPECT_EQ(tree.hitTest({alphaCell.left() + 2, alphaY}), a) << "the flags are optional";
}

TEST_F(TreeControlTest, RightClickTellsTheParentWhoFindsTheItemUnderTheCursor)
{
    tree.selectItem(a);
    parent.notifications.clear();
    TreeItem underCursor = TreeItem::None;
    std::uint32_t where = 0;
    parent.answer = [&](NotifyHeader& header) -> LResult {
        if (header.code == NM_RCLICK)
            underCursor = tree.hitTest(tree.screenToClient(cursorPosition()), &where);
        return 0;
    };
    const QPoint offset = widget->viewport()->mapTo(widget, QPoint(0, 0));
    const QRect betaCell = widget->visualItemRect(widget->topLevelItem(0)->child(1)).translated(offset);
    const Point onBeta{betaCell.left() + 3, betaCell.center().y()};
    simulateMouse(tree.handle(), WM_RBUTTONDOWN, onBeta);
    EXPECT_TRUE(parent.notifications.empty()) << "nothing until the button is released";
    simulateMouse(tree.handle(), WM_RBUTTONUP, onBeta);
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{NM_RCLICK}));
    EXPECT_EQ(underCursor, b);
    EXPECT_EQ(where, TVHT_ONITEMLABEL);
    EXPECT_EQ(tree.selectedItem(), a) << "a right click does not select";
    EXPECT_EQ(widget->currentItem(), widget->topLevelItem(0)->child(0));
}

TEST_F(TreeControlTest, TakingTheFocusSelectsNothingTheParentWasNotToldOf)
{
    QWidget* top = parent.state()->widget;
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    tree.setFocus();
    ASSERT_TRUE(widget->hasFocus());
    EXPECT_EQ(tree.selectedItem(), TreeItem::None);
    EXPECT_EQ(widget->currentItem(), nullptr) << "no item looks chosen";
    EXPECT_TRUE(widget->selectionModel()->selectedIndexes().empty());
    EXPECT_TRUE(parent.notifications.empty());
    // The first key the person presses chooses an item, and the parent hears of it.
    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(tree.selectedItem(), root);
    EXPECT_EQ(parent.notifications, (std::vector<std::int32_t>{TVN_SELCHANGING, TVN_SELCHANGED}));
}

// A forwarder sends the keys it hears to the label editor, as to any edit window.
TEST_F(TreeControlTest, TheLabelEditorIsAChildEditWindowThatTakesSentKeys)
{
    struct Case
    {
        std::uint32_t key;
        const char* parentSees;
        const char* labelAfter;
    };
    for (const Case& c : {Case{VK_RETURN, "Gamma", "Gamma"}, Case{VK_ESCAPE, "<null>", "Beta"}})
    {
        EXPECT_EQ(tree.editControl(), nullptr);
        ASSERT_TRUE(tree.editLabel(b));
        Window* edit = tree.editControl();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->className(), "Edit");
        EXPECT_EQ(edit->parent(), &tree);
        EXPECT_NE(dynamic_cast<Edit*>(edit), nullptr);
        EXPECT_EQ(edit->windowText(), "Beta");
        EXPECT_NE(edit->sendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0u) << "a dialog leaves Enter and Escape to it";
        const Rect onScreen = edit->windowRect();
        const Point middle =
            tree.screenToClient(Point{(onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2});
        EXPECT_EQ(tree.hitTest(middle), b) << "it lies over the edited item";

        edit->setWindowText("Gamma");
        const WindowHandle handle = edit->handle();
        sendMessage(handle, WM_KEYDOWN, c.key, 0);
        EXPECT_FALSE(tree.isEditingLabel());
        EXPECT_EQ(tree.editControl(), nullptr);
        EXPECT_EQ(Window::fromHandle(handle), nullptr) << "the edit window is gone";
        EXPECT_EQ(texts.back(), c.parentSees);
        EXPECT_EQ(tree.itemText(b), c.labelAfter);
        tree.setItemText(b, "Beta");
    }
}

class CheckBoxTreeTest : public ControlTest
{
protected:
    void SetUp() override
    {
        Surface strip(16, 16, 0x0000FF);
        images.add(strip);
        ASSERT_TRUE(tree.create(WS_VISIBLE | TVS_CHECKBOXES, {0, 0, 200, 200}, &parent, 1105));
        tree.setImageList(&images);
        for (const char* name : {"Origin", "Members", "Joints"})
            items.push_back(tree.insertItem(name, 0, 0, TreeItem::None, TreeItem::Last, 500 + items.size()));
        parent.answer = [this](NotifyHeader& header) -> LResult {
            if (header.code == TVN_ITEMCHANGED)
                changes.push_back(reinterpret_cast<NotifyTreeItemChange&>(header));
            return 0;
        };
        widget = static_cast<QTreeWidget*>(tree.state()->widget);
    }

    // The parts of a row from left to right, as the hit test names them.
    std::vector<std::uint32_t> partsAlong(int row, std::vector<int>* firstX = nullptr)
    {
        const QPoint offset = widget->viewport()->mapTo(widget, QPoint(0, 0));
        const int y = widget->visualItemRect(widget->topLevelItem(row)).translated(offset).center().y();
        std::vector<std::uint32_t> parts;
        for (int x = offset.x(); x < offset.x() + widget->viewport()->width(); ++x)
        {
            std::uint32_t flags = 0;
            tree.hitTest({x, y}, &flags);
            if (parts.empty() || parts.back() != flags)
            {
                parts.push_back(flags);
                if (firstX)
                    firstX->push_back(x);
            }
        }
        return parts;
    }

    ImageList images{Size{16, 16}};
    TreeControl tree;
    QTreeWidget* widget = nullptr;
    std::vector<TreeItem> items;
    std::vector<NotifyTreeItemChange> changes;
};

TEST_F(CheckBoxTreeTest, EveryItemHasABoxThatCodeSetsSilently)
{
    for (TreeItem item : items)
    {
        EXPECT_FALSE(tree.getCheck(item));
        EXPECT_EQ(tree.itemState(item, TVIS_STATEIMAGEMASK), indexToStateImageMask(1));
    }
    ASSERT_TRUE(tree.setCheck(items[1], true));
    EXPECT_TRUE(tree.getCheck(items[1]));
    EXPECT_EQ(tree.itemState(items[1], TVIS_STATEIMAGEMASK | TVIS_BOLD), indexToStateImageMask(2));
    EXPECT_FALSE(tree.getCheck(items[0])) << "its neighbours keep theirs";
    ASSERT_TRUE(tree.setItemState(items[1], indexToStateImageMask(1), TVIS_STATEIMAGEMASK));
    EXPECT_FALSE(tree.getCheck(items[1]));
    EXPECT_EQ(widget->topLevelItem(1)->checkState(0), Qt::Unchecked) << "the box is drawn as it is";
    EXPECT_FALSE(tree.setCheck(static_cast<TreeItem>(999), true));
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(CheckBoxTreeTest, TheRowReadsBoxIconLabelFromTheLeft)
{
    const std::vector<std::uint32_t> parts = partsAlong(0);
    EXPECT_EQ(parts,
              (std::vector<std::uint32_t>{TVHT_ONITEMINDENT, TVHT_ONITEMSTATEICON, TVHT_ONITEMICON, TVHT_ONITEMLABEL,
                                          TVHT_ONITEMRIGHT}));
}

TEST_F(CheckBoxTreeTest, TheUsersClickOnTheBoxOrSpaceTogglesAndTells)
{
    tree.selectItem(items[0]);
    parent.notifications.clear();
    std::vector<int> starts;
    const std::vector<std::uint32_t> parts = partsAlong(2, &starts);
    ASSERT_GE(parts.size(), 3u);
    ASSERT_EQ(parts[1], TVHT_ONITEMSTATEICON);
    const QPoint offset = widget->viewport()->mapTo(widget, QPoint(0, 0));
    const int y = widget->visualItemRect(widget->topLevelItem(2)).translated(offset).center().y();
    const Point onBox{starts[1] + 2, y};

    simulateMouse(tree.handle(), WM_LBUTTONDOWN, onBox);
    simulateMouse(tree.handle(), WM_LBUTTONUP, onBox);
    EXPECT_TRUE(tree.getCheck(items[2]));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].item.item, items[2]);
    EXPECT_EQ(changes[0].item.data, 502);
    EXPECT_EQ(changes[0].oldState, indexToStateImageMask(1));
    EXPECT_EQ(changes[0].newState, indexToStateImageMask(2));
    EXPECT_EQ(tree.selectedItem(), items[0]) << "the box does not select its item";

    simulateMouse(tree.handle(), WM_LBUTTONDOWN, onBox);
    simulateMouse(tree.handle(), WM_LBUTTONUP, onBox);
    EXPECT_FALSE(tree.getCheck(items[2])) << "a second click clears it";
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].newState, indexToStateImageMask(1));

    QTest::keyClick(widget, Qt::Key_Space); // the selected item's box
    EXPECT_TRUE(tree.getCheck(items[0]));
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2].item.item, items[0]);

    changes.clear();
    simulateMouse(tree.handle(), WM_LBUTTONDOWN, {starts[3] + 2, y}); // the label
    simulateMouse(tree.handle(), WM_LBUTTONUP, {starts[3] + 2, y});
    EXPECT_EQ(tree.selectedItem(), items[2]);
    EXPECT_FALSE(tree.getCheck(items[2])) << "the label selects without toggling";
    EXPECT_TRUE(changes.empty());
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

TEST_F(ComboBoxTest, EditSelectionOfTheField)
{
    dropDown.setWindowText("Steel frame");
    struct Case
    {
        int start, end;
        int expectedStart, expectedEnd;
    };
    const Case cases[] = {
        {0, 5, 0, 5}, // a part
        {6, -1, 6, 11}, // to the end
        {2, 99, 2, 11}, // past the end: to the end
        {0, -1, 0, 11}, // everything
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(dropDown.setEditSel(c.start, c.end));
        int start = -7, end = -7;
        ASSERT_TRUE(dropDown.editSel(start, end));
        EXPECT_EQ(start, c.expectedStart) << c.start << ".." << c.end;
        EXPECT_EQ(end, c.expectedEnd) << c.start << ".." << c.end;
    }
    ASSERT_TRUE(dropDown.setEditSel(-1, 0)); // no highlighted part any more
    int start = -7, end = -7;
    ASSERT_TRUE(dropDown.editSel(start, end));
    EXPECT_EQ(start, end);
    EXPECT_EQ(dropDown.windowText(), "Steel frame") << "the text stays";
    EXPECT_FALSE(dropList.setEditSel(0, 2)) << "a drop-list has no edit field";
    EXPECT_FALSE(dropList.editSel(start, end));
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ControlTest, SortedComboKeepsItsItemsInTextOrder)
{
    ComboBox sorted;
    ASSERT_TRUE(sorted.create(WS_VISIBLE | CBS_DROPDOWN | CBS_SORT, {0, 0, 150, 80}, &parent, 1066));
    struct Added
    {
        const char* text;
        int index; // where it lands
    };
    const Added additions[] = {
        {"Perspective", 0}, {"DevStatus", 0}, {"OpenGL", 1}, {"openGL", 2}, {" none", 0}, {" all", 0}, {"beta", 2},
    };
    for (const Added& added : additions)
    {
        const int index = sorted.addString(added.text);
        EXPECT_EQ(index, added.index) << added.text;
        sorted.setItemData(index, reinterpret_cast<std::intptr_t>(added.text));
    }
    std::vector<std::string> texts;
    for (int index = 0; index < sorted.count(); ++index)
        texts.push_back(sorted.itemText(index));
    EXPECT_EQ(texts,
              (std::vector<std::string>{" all", " none", "beta", "DevStatus", "OpenGL", "openGL", "Perspective"}));
    for (int index = 0; index < sorted.count(); ++index)
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(sorted.itemData(index))), texts[index])
            << "each item keeps its data as others come in before it";

    ASSERT_EQ(sorted.setCurSel(sorted.findStringExact(-1, "DevStatus")), 3);
    sorted.addString("Alpha");
    EXPECT_EQ(sorted.windowText(), "DevStatus") << "the selection stays with its item";
    EXPECT_EQ(sorted.curSel(), 4);
    const int last = sorted.count();
    EXPECT_EQ(sorted.insertString(-1, "Aardvark"), last) << "inserting places where told";

    ComboBox plain;
    ASSERT_TRUE(plain.create(WS_VISIBLE | CBS_DROPDOWNLIST, {0, 100, 150, 180}, &parent, 1067));
    for (const char* text : {"Perspective", "DevStatus", "OpenGL"})
        plain.addString(text);
    EXPECT_EQ(plain.itemText(0), "Perspective") << "without the style the order is the order added";
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ComboBoxTest, OpeningTheListLetsTheOwnerFillItFirst)
{
    auto* combo = static_cast<QComboBox*>(dropList.state()->widget);
    parent.onCommand = [&](std::uint32_t id, std::uint32_t code) {
        if (id == 1101 && code == CBN_DROPDOWN)
        {
            dropList.resetContent();
            for (const char* text : {"Aluminium", "Glass"})
                dropList.addString(text);
        }
    };
    QTest::mouseClick(combo, Qt::LeftButton); // the person opens the list
    EXPECT_EQ(parent.commandCodes, (std::vector<std::uint32_t>{CBN_DROPDOWN}));
    ASSERT_TRUE(combo->view()->isVisible());
    QAbstractItemModel* shown = combo->view()->model();
    ASSERT_EQ(shown->rowCount(), 2) << "the opened list shows the refill";
    EXPECT_EQ(shown->index(1, 0).data().toString(), "Glass");
    combo->hidePopup();
    EXPECT_EQ(dropList.curSel(), -1);
}

// The height a program gives a combo box is that of the field with its list dropped.
TEST_F(ControlTest, ComboFieldIsOneLineAndTheHeightGivenIsTheDroppedList)
{
    std::vector<int> listHeights;
    for (int given : {60, 120, 240})
    {
        ComboBox combo;
        ASSERT_TRUE(combo.create(WS_VISIBLE | CBS_DROPDOWNLIST, {10, 10, 160, 10 + given}, &parent, 1109));
        for (int row = 0; row < 30; ++row)
            combo.addString("Material " + std::to_string(row));
        auto* widget = static_cast<QComboBox*>(combo.state()->widget);
        const int field = combo.windowRect().height();
        EXPECT_LE(field, 2 * widget->fontMetrics().height()) << "one line high, given " << given;
        EXPECT_GE(field, widget->fontMetrics().height());
        EXPECT_EQ(combo.windowRect().width(), 150);

        combo.moveWindow({20, 30, 170, 30 + given});
        EXPECT_EQ(combo.windowRect().height(), field) << "moving keeps the field's height";
        combo.setWindowPos(nullptr, 25, 35, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_EQ(combo.windowRect().height(), field);

        widget->showPopup();
        const int list = widget->view()->window()->height();
        widget->hidePopup();
        EXPECT_LE(list, given - field + 8) << "the list is no taller than the rest of the height given";
        EXPECT_GE(list, (given - field) / 2) << given;
        listHeights.push_back(list);
    }
    EXPECT_LT(listHeights[0], listHeights[1]);
    EXPECT_LT(listHeights[1], listHeights[2]);
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
