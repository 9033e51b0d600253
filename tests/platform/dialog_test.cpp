#include "PlatformTestApplication.h"
#include "UiThreadRecording.h"

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/InputSimulation.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/TabControl.h"
#include "platform/SystemValues.h"
#include "platform/Threads.h"
#include "platform/Time.h"
#include "platform/TreeControl.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QPixmap>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>

using namespace platform;

namespace
{

constexpr int32_t testDialogId = 132;
enum ControlId : int32_t
{
    OwnerDrawn = 1001,
    CheckBox = 1002,
    ThreeState = 1003,
    RadioA = 1004,
    RadioB = 1005,
    NumberEdit = 1006,
    Status = 1007,
    Picture = 1008,
    List = 1009,
    Scroller = 1010,
    Group = 1011
};

// Every basic control once, in the order the tab order is tested with.
DialogTemplate everyControlTemplate(uint32_t dialogStyle)
{
    DialogTemplate dialogTemplate;
    dialogTemplate.rect = {0, 0, 150, 125};
    dialogTemplate.style = dialogStyle;
    dialogTemplate.caption = "Every control";
    dialogTemplate.items = {
        controlItem("Button", Group, {3, 35, 140, 30}, BS_GROUPBOX, "Options"),
        controlItem("Button", IDOK, {7, 7, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, "OK"),
        controlItem("Button", IDCANCEL, {60, 7, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP, "Cancel"),
        controlItem("Button", OwnerDrawn, {7, 25, 20, 12}, BS_OWNERDRAW),
        controlItem("Button", CheckBox, {7, 40, 60, 10}, BS_AUTOCHECKBOX | WS_TABSTOP, "&Shift"),
        controlItem("Button", ThreeState, {70, 40, 60, 10}, BS_AUTO3STATE, "Abs:"),
        controlItem("Button", RadioA, {7, 52, 40, 10}, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "A"),
        controlItem("Button", RadioB, {50, 52, 40, 10}, BS_AUTORADIOBUTTON, "B"),
        controlItem("Edit", NumberEdit, {7, 65, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP),
        controlItem("Static", Status, {90, 65, 40, 8}, SS_RIGHT, "Ready"),
        controlItem("Static", Picture, {110, 7, 20, 16}, SS_BITMAP, "#151"),
        controlItem("ListBox", List, {7, 80, 80, 40}, LBS_NOTIFY | WS_TABSTOP),
        controlItem("ScrollBar", Scroller, {90, 80, 10, 40}, SBS_VERT),
    };
    return dialogTemplate;
}

ModuleHandle testModule()
{
    static const ModuleHandle module = [] {
        const ModuleHandle self = moduleContaining(reinterpret_cast<const void*>(&everyControlTemplate));
        registerDialogTemplate(self, testDialogId, everyControlTemplate(WS_CHILD | DS_CONTROL));
        registerBitmapResource(self, 151, BitmapResource{2, 2, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}});
        return self;
    }();
    return module;
}

// A dialog that records the notifications of its controls.
class RecordingDialog : public Dialog
{
public:
    RecordingDialog() : Dialog(testDialogId) {}

    bool onInitDialog() override
    {
        initialisedWithControls = dlgItem(NumberEdit) != nullptr && exists();
        if (onInit)
            onInit(*this);
        Dialog::onInitDialog();
        return initAnswer;
    }
    bool onCommand(uint32_t id, uint32_t code, WindowHandle control) override
    {
        notifications.push_back({id, code});
        return Dialog::onCommand(id, code, control);
    }
    void doDataExchange(DataExchange& exchange) override
    {
        exchangeDouble(exchange, NumberEdit, number);
        exchangeText(exchange, Status, status);
    }
    int count(uint32_t id, uint32_t code) const
    {
        return static_cast<int>(std::count(notifications.begin(), notifications.end(), std::pair{id, code}));
    }

    std::vector<std::pair<uint32_t, uint32_t>> notifications;
    bool initialisedWithControls = false;
    bool initAnswer = true;
    std::function<void(RecordingDialog&)> onInit;
    double number = 2.5;
    std::string status = "Ready";
};

int kitButtonsDestroyed = 0;

class KitButton : public Button
{
public:
    ~KitButton() override { ++kitButtonsDestroyed; }
};

class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 450, 450}, nullptr));
        ASSERT_TRUE(dialog.create(&frame, testModule()));
        dialog.showWindow(SW_SHOW);
        processMessages();
        dialog.notifications.clear();
    }
    Point centreOf(int32_t id)
    {
        const Rect rect = dialog.dlgItem(id)->clientRect();
        return {rect.width() / 2, rect.height() / 2};
    }
    void click(int32_t id)
    {
        Window* control = dialog.dlgItem(id);
        simulateMouse(control->handle(), WM_LBUTTONDOWN, centreOf(id));
        simulateMouse(control->handle(), WM_LBUTTONUP, centreOf(id));
        processMessages();
    }
    Window frame;
    RecordingDialog dialog;
};

TEST_F(DialogTest, EveryBasicControlStandsAtItsPixelRectangle)
{
    struct Expected
    {
        int32_t id;
        const char* className;
        Rect pixels;
    };
    // x = dlu * 6 / 4 and y = dlu * 13 / 8, rounded.
    const Expected expected[] = {
        {IDOK, "Button", {11, 11, 86, 34}},         {IDCANCEL, "Button", {90, 11, 165, 34}},
        {OwnerDrawn, "Button", {11, 41, 41, 60}},   {CheckBox, "Button", {11, 65, 101, 81}},
        {ThreeState, "Button", {105, 65, 195, 81}}, {RadioA, "Button", {11, 85, 71, 101}},
        {RadioB, "Button", {75, 85, 135, 101}},     {NumberEdit, "Edit", {11, 106, 131, 125}},
        {Status, "Static", {135, 106, 195, 119}},   {Picture, "Static", {165, 11, 195, 37}},
        {List, "ListBox", {11, 130, 131, 195}},     {Scroller, "ScrollBar", {135, 130, 150, 195}},
        {Group, "Button", {5, 57, 215, 106}},
    };
    EXPECT_EQ(dialog.clientRect(), (Rect{0, 0, 225, 203}));
    for (const Expected& control : expected)
    {
        Window* window = dialog.dlgItem(control.id);
        ASSERT_NE(window, nullptr) << control.id;
        EXPECT_EQ(window->className(), control.className) << control.id;
        EXPECT_EQ(dialog.screenToClient(window->windowRect()), control.pixels) << control.id;
        EXPECT_NE(window->style() & WS_CHILD, 0u) << control.id;
        EXPECT_TRUE(window->isVisible()) << control.id;
    }
    EXPECT_EQ(dialog.dlgItemText(CheckBox), "&Shift");
    EXPECT_EQ(dialog.dlgItemText(Status), "Ready");
}

TEST_F(DialogTest, InitialisationRunsInsideCreationWithTheControlsInPlace)
{
    EXPECT_TRUE(dialog.initialisedWithControls);
    EXPECT_EQ(dialog.dlgItemText(NumberEdit), "2.5") << "onInitDialog loaded the variables";
    EXPECT_EQ(Window::focus(), dialog.dlgItem(IDOK)) << "true: the focus goes to the first tab stop";

    RecordingDialog keepsFocus;
    keepsFocus.initAnswer = false;
    keepsFocus.onInit = [](RecordingDialog& self) { self.dlgItem(NumberEdit)->setFocus(); };
    ASSERT_TRUE(keepsFocus.create(&frame, testModule()));
    EXPECT_EQ(Window::focus(), keepsFocus.dlgItem(NumberEdit)) << "false: the dialog's own choice stays";
}

TEST_F(DialogTest, TypingIntoAnEditNotifiesSettingItsTextFromCodeDoesNot)
{
    Window* edit = dialog.dlgItem(NumberEdit);
    edit->setWindowText("");
    dialog.setDlgItemText(NumberEdit, "7");
    dialog.number = 9.0;
    dialog.updateData(false);
    EXPECT_EQ(dialog.count(NumberEdit, EN_CHANGE), 0);

    dialog.gotoDlgCtrl(edit);
    simulateTyping(edit->handle(), "12");
    processMessages();
    EXPECT_EQ(dialog.count(NumberEdit, EN_CHANGE), 2) << "one per typed character";
    EXPECT_EQ(edit->windowText(), "12") << "the whole text was selected and replaced";
}

TEST_F(DialogTest, ALongTextSetByTheProgramShowsFromItsStart)
{
    Window* edit = dialog.dlgItem(NumberEdit);
    dialog.dlgItem(List)->setFocus();
    for (const char* text : {"-6.72125477240432e-05", "x"})
    {
        edit->setWindowText(text);
        EXPECT_EQ(edit->sendMessage(EM_GETSEL), 0) << text << ": the caret stands before the first character";
    }
}

TEST_F(DialogTest, ButtonsNotifyClicksButNotChecksSetByTheProgram)
{
    click(CheckBox);
    EXPECT_EQ(dialog.isDlgButtonChecked(CheckBox), BST_CHECKED);
    click(CheckBox);
    EXPECT_EQ(dialog.isDlgButtonChecked(CheckBox), BST_UNCHECKED);
    EXPECT_EQ(dialog.count(CheckBox, BN_CLICKED), 2);

    std::vector<uint32_t> states;
    for (int round = 0; round < 3; ++round)
    {
        click(ThreeState);
        states.push_back(dialog.isDlgButtonChecked(ThreeState));
    }
    EXPECT_EQ(states, (std::vector<uint32_t>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));

    click(RadioA);
    click(RadioB);
    EXPECT_EQ(dialog.isDlgButtonChecked(RadioA), BST_UNCHECKED) << "one of the group";
    EXPECT_EQ(dialog.isDlgButtonChecked(RadioB), BST_CHECKED);

    dialog.notifications.clear();
    dialog.checkDlgButton(CheckBox, BST_CHECKED);
    dialog.checkDlgButton(RadioA, BST_CHECKED);
    dialog.dlgItemAs<ListBox>(List)->addString("one");
    dialog.dlgItemAs<ListBox>(List)->setCurSel(0);
    dialog.dlgItemAs<ScrollBar>(Scroller)->setScrollPos(30);
    processMessages();
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(dialog.isDlgButtonChecked(CheckBox), BST_CHECKED);
}

TEST_F(DialogTest, ListBoxKeepsStringsWithDataAndNotifiesTheUsersSelection)
{
    auto* list = dialog.dlgItemAs<ListBox>(List);
    EXPECT_EQ(list->addString("Shift"), 0);
    EXPECT_EQ(list->addString("Ctrl"), 1);
    EXPECT_EQ(list->setItemData(1, -1), LB_OKAY);
    EXPECT_EQ(list->getItemData(1), -1);
    EXPECT_EQ(list->getText(0), "Shift");
    EXPECT_EQ(list->findStringExact(-1, "ctrl"), 1);
    EXPECT_EQ(list->getCurSel(), LB_ERR);
    EXPECT_EQ(list->getItemData(5), LB_ERR);

    const Rect second = list->getItemRect(1);
    simulateMouse(list->handle(), WM_LBUTTONDOWN, {second.left + 3, second.top + 2});
    simulateMouse(list->handle(), WM_LBUTTONUP, {second.left + 3, second.top + 2});
    processMessages();
    EXPECT_EQ(list->getCurSel(), 1);
    EXPECT_EQ(dialog.count(List, LBN_SELCHANGE), 1);
}

TEST_F(DialogTest, KeysSentByTheProgramActLikeTypedOnes)
{
    Window* edit = dialog.dlgItem(NumberEdit);
    edit->setWindowText("12");
    edit->sendMessage(EM_SETSEL, 2, 2);
    edit->sendMessage(WM_CHAR, '5');
    EXPECT_EQ(edit->windowText(), "125");
    edit->sendMessage(WM_KEYDOWN, VK_BACK);
    edit->sendMessage(WM_KEYDOWN, VK_HOME);
    edit->sendMessage(WM_CHAR, '-');
    EXPECT_EQ(edit->windowText(), "-12");
}

TEST_F(DialogTest, PushLikeCheckBoxesAndIconsOfTheDialogsModule)
{
    registerIconResource(testModule(), 151, BitmapResource{1, 1, {0x0000FF}, 0xFF00FF});
    DialogTemplate extra;
    extra.rect = {0, 0, 80, 40};
    extra.style = WS_CHILD | WS_VISIBLE;
    extra.items = {controlItem("Button", 2001, {2, 2, 40, 14}, BS_CHECKBOX | BS_PUSHLIKE | WS_TABSTOP, "Edit Label"),
                   controlItem("Button", 2002, {2, 20, 40, 14}, BS_AUTOCHECKBOX | BS_PUSHLIKE, "Auto"),
                   controlItem("Static", 2003, {50, 2, 10, 10}, SS_ICON, "#151")};
    RecordingDialog pushLike;
    ASSERT_TRUE(pushLike.createIndirect(extra, &frame, testModule()));
    pushLike.notifications.clear();
    for (int32_t id : {2001, 2002})
    {
        Window* button = pushLike.dlgItem(id);
        const Rect rect = button->clientRect();
        simulateMouse(button->handle(), WM_LBUTTONDOWN, {rect.width() / 2, rect.height() / 2});
        simulateMouse(button->handle(), WM_LBUTTONUP, {rect.width() / 2, rect.height() / 2});
    }
    EXPECT_EQ(pushLike.count(2001, BN_CLICKED), 1);
    EXPECT_EQ(pushLike.isDlgButtonChecked(2001), BST_UNCHECKED) << "acts as a push button";
    EXPECT_EQ(pushLike.isDlgButtonChecked(2002), BST_CHECKED);
    pushLike.checkDlgButton(2001, BST_CHECKED);
    EXPECT_EQ(pushLike.isDlgButtonChecked(2001), BST_CHECKED);
    EXPECT_EQ(pushLike.count(2001, BN_CLICKED), 1) << "no notification for the program's check";
    EXPECT_EQ(pushLike.dlgItemText(2003), "#151");
    EXPECT_NE(findIconResource(testModule(), 151), findBitmapResource(testModule(), 151))
        << "icon 151 and bitmap 151 are different resources";
}

TEST_F(DialogTest, AGreyFrameIsAOnePixelShadowGreyBoxAroundAnEmptyInside)
{
    DialogTemplate framed;
    framed.rect = {0, 0, 80, 40};
    framed.style = WS_CHILD | WS_VISIBLE;
    framed.items = {controlItem("Static", 2004, {4, 4, 40, 20}, SS_GRAYFRAME),
                    controlItem("Static", 2005, {50, 4, 20, 20}, SS_LEFT)};
    RecordingDialog holder;
    ASSERT_TRUE(holder.createIndirect(framed, &frame, testModule()));
    // Qt reports 0xRRGGBB; the shadow grey reads the same either way.
    const QImage grey = holder.dlgItem(2004)->state()->widget->grab().toImage();
    const QImage plain = holder.dlgItem(2005)->state()->widget->grab().toImage();
    const int right = grey.width() - 1;
    const int bottom = grey.height() - 1;
    for (const QPoint edge : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom),
                              QPoint(right / 2, 0), QPoint(0, bottom / 2)})
        EXPECT_EQ(grey.pixel(edge) & 0xFFFFFF, 0x808080u) << edge.x() << "," << edge.y();
    EXPECT_EQ(grey.pixel(right / 2, bottom / 2), plain.pixel(plain.width() / 2, plain.height() / 2))
        << "the inside shows the dialog's background";
    EXPECT_NE(plain.pixel(0, 0) & 0xFFFFFF, 0x808080u) << "a plain static has no frame";
}

TEST_F(DialogTest, TheWindowIconComesFromAnIconOfAModule)
{
    registerIconResource(testModule(), 152, BitmapResource{2, 1, {0x0000FF, 0xFF00FF}, 0xFF00FF});
    platformApplication().setWindowIcon(testModule(), 152);
    const QImage icon = QApplication::windowIcon().pixmap(2, 1).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(2, 1));
    EXPECT_EQ(icon.pixel(0, 0), 0xFFFF0000u) << "0x00BBGGRR red";
    EXPECT_EQ(qAlpha(icon.pixel(1, 0)), 0) << "the transparent colour";
    EXPECT_THROW(platformApplication().setWindowIcon(ModuleHandle::None, 152), ResourceError);
}

TEST_F(DialogTest, ChangingAButtonsStyleKeepsItsCheckAndMakesItTheNewKind)
{
    DialogTemplate buttons;
    buttons.rect = {0, 0, 80, 40};
    buttons.style = WS_CHILD | WS_VISIBLE;
    buttons.items = {controlItem("Button", 2101, {2, 2, 40, 14}, BS_PUSHBUTTON | WS_TABSTOP, "Push"),
                     controlItem("Button", 2102, {2, 20, 40, 14}, BS_AUTO3STATE | WS_TABSTOP, "Three")};
    RecordingDialog page;
    ASSERT_TRUE(page.createIndirect(buttons, &frame, testModule()));

    // A push button becomes a check box: unchecked, then checkable like any check box.
    auto* push = page.dlgItemAs<Button>(2101);
    ASSERT_NE(push, nullptr);
    push->setButtonStyle(BS_AUTOCHECKBOX);
    EXPECT_EQ(page.isDlgButtonChecked(2101), BST_UNCHECKED);
    page.checkDlgButton(2101, BST_CHECKED);
    EXPECT_EQ(page.isDlgButtonChecked(2101), BST_CHECKED);

    // A checked check box becomes a radio button and stays checked.
    page.checkDlgButton(2102, BST_CHECKED);
    auto* three = page.dlgItemAs<Button>(2102);
    ASSERT_NE(three, nullptr);
    three->setButtonStyle(BS_AUTORADIOBUTTON);
    EXPECT_EQ(page.isDlgButtonChecked(2102), BST_CHECKED);
}

TEST_F(DialogTest, ASubclassKeepsTheControlAndSeesEveryMessageFirst)
{
    class CaptureEdit : public Edit
    {
    public:
        LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
        {
            seen.push_back(message);
            if (message == WM_CHAR)
                return 0; // swallowed: the text must not change
            return Edit::windowProc(message, wParam, lParam);
        }
        std::vector<uint32_t> seen;
    };
    Window* original = dialog.dlgItem(NumberEdit);
    const WindowHandle handle = original->handle();
    const Rect rect = original->windowRect();
    const uint32_t style = original->style();
    CaptureEdit edit;
    ASSERT_TRUE(edit.subclassDlgItem(NumberEdit, &dialog));
    EXPECT_EQ(edit.handle(), handle);
    EXPECT_EQ(Window::fromHandle(handle), &edit);
    EXPECT_EQ(edit.dlgCtrlId(), NumberEdit);
    EXPECT_EQ(edit.windowRect(), rect);
    EXPECT_EQ(edit.style(), style);
    EXPECT_EQ(edit.windowText(), "2.5");
    CaptureEdit second;
    EXPECT_FALSE(second.subclassDlgItem(NumberEdit, &dialog)) << "taken already";

    dialog.setDlgItemText(NumberEdit, "4");
    EXPECT_EQ(edit.seen.front(), WM_SETTEXT);
    dialog.gotoDlgCtrl(&edit);
    edit.sendMessage(EM_SETSEL, 1, 1);
    simulateTyping(handle, "9");
    EXPECT_EQ(edit.windowText(), "4");
    EXPECT_NE(std::find(edit.seen.begin(), edit.seen.end(), WM_KEYDOWN), edit.seen.end());
    EXPECT_EQ(dialog.count(NumberEdit, EN_CHANGE), 0);
}

TEST_F(DialogTest, EnterAndEscapeNeverCloseAModelessDialog)
{
    Window* edit = dialog.dlgItem(NumberEdit);
    dialog.gotoDlgCtrl(edit);
    for (const char* key : {"Return", "Esc"})
    {
        simulateKey(edit->handle(), key, true);
        simulateKey(edit->handle(), key, false);
        processMessages();
    }
    EXPECT_TRUE(dialog.exists());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.count(IDOK, BN_CLICKED), 1) << "Enter clicks the default button";
    EXPECT_EQ(dialog.count(IDCANCEL, BN_CLICKED), 0);
}

// As on the start-up notice: the first tab stop is a plain push button, the default one comes
// later. The push button with the focus is drawn as the default and is the one Enter clicks;
// while no push button has the focus, the default button is both.
TEST_F(DialogTest, TheFocusedPushButtonIsDrawnAsTheDefaultAndEnterClicksIt)
{
    DialogTemplate notice;
    notice.rect = {0, 0, 160, 60};
    notice.style = WS_CHILD | WS_VISIBLE;
    notice.items = {controlItem("Button", IDOK, {5, 40, 80, 14}, BS_PUSHBUTTON | WS_TABSTOP, "&Read Introduction"),
                    controlItem("Button", IDCANCEL, {95, 40, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP, "&OK"),
                    controlItem("Button", OwnerDrawn, {5, 22, 20, 12}, BS_OWNERDRAW | WS_TABSTOP),
                    controlItem("Edit", NumberEdit, {5, 5, 80, 12}, ES_AUTOHSCROLL | WS_TABSTOP)};
    RecordingDialog holder;
    ASSERT_TRUE(holder.createIndirect(notice, &frame, testModule()));
    auto drawnAsDefault = [&](int32_t id) {
        return static_cast<QPushButton*>(holder.dlgItem(id)->state()->widget)->isDefault();
    };
    struct Case
    {
        const char* focus;
        int32_t focused; // 0: the focus stays where the dialog put it
        bool readDrawnDefault, okDrawnDefault;
        int32_t clickedByEnter;
    };
    const Case cases[] = {
        {"the first tab stop, as the dialog opens", 0, true, false, IDOK},
        {"the edit field", NumberEdit, false, true, IDCANCEL},
        {"the default button itself", IDCANCEL, false, true, IDCANCEL},
        {"the plain push button", IDOK, true, false, IDOK},
        {"an owner-drawn button", OwnerDrawn, false, false, OwnerDrawn},
        {"the edit field again", NumberEdit, false, true, IDCANCEL},
    };
    for (const Case& c : cases)
    {
        if (c.focused != 0)
            holder.gotoDlgCtrl(holder.dlgItem(c.focused));
        ASSERT_NE(Window::focus(), nullptr);
        EXPECT_EQ(drawnAsDefault(IDOK), c.readDrawnDefault) << c.focus;
        EXPECT_EQ(drawnAsDefault(IDCANCEL), c.okDrawnDefault) << c.focus;
        holder.notifications.clear();
        simulateKey(Window::focus()->handle(), "Return", true);
        simulateKey(Window::focus()->handle(), "Return", false);
        processMessages();
        EXPECT_EQ(holder.count(static_cast<uint32_t>(c.clickedByEnter), BN_CLICKED), 1) << c.focus;
        EXPECT_EQ(holder.notifications.size(), 1u) << c.focus;
    }
}

TEST_F(DialogTest, EnterAndEscapeInATreeLabelEditorEndTheEditNotTheDialog)
{
    TreeControl tree;
    ASSERT_TRUE(tree.create(WS_VISIBLE | WS_TABSTOP | TVS_EDITLABELS, {5, 5, 150, 100}, &dialog, 1020));
    const TreeItem item = tree.insertItem("Steel", 0, 0);
    for (const char* key : {"Return", "Esc"})
    {
        ASSERT_TRUE(tree.editLabel(item));
        const WindowHandle edit = tree.editControl()->handle();
        simulateKey(edit, "End", true);
        simulateTyping(edit, "2");
        EXPECT_EQ(Window::fromHandle(edit)->windowText(), "Steel2") << "the editor takes the typing";
        simulateKey(edit, key, true);
        simulateKey(edit, key, false);
        processMessages();
        EXPECT_FALSE(tree.isEditingLabel()) << key;
        EXPECT_EQ(Window::fromHandle(edit), nullptr) << key;
    }
    EXPECT_EQ(dialog.count(IDOK, BN_CLICKED), 0) << "the default button stays unpressed";
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogTest, TabMovesThroughTheTabStopsAndEntersARadioGroupAtItsCheckedButton)
{
    dialog.checkDlgButton(RadioB, BST_CHECKED);
    dialog.gotoDlgCtrl(dialog.dlgItem(IDOK));
    std::vector<int32_t> visited;
    for (int step = 0; step < 6; ++step)
    {
        simulateKey(Window::focus()->handle(), "Tab", true);
        simulateKey(Window::focus()->handle(), "Tab", false);
        visited.push_back(Window::focus()->dlgCtrlId());
    }
    EXPECT_EQ(visited, (std::vector<int32_t>{IDCANCEL, CheckBox, RadioB, NumberEdit, List, IDOK}));
    simulateKey(Window::focus()->handle(), "Tab", true, MK_SHIFT);
    EXPECT_EQ(Window::focus()->dlgCtrlId(), List) << "Shift+Tab goes back";
}

TEST_F(DialogTest, NumbersAreExchangedWithFifteenDigitsAndARefusedTextChangesNothing)
{
    const std::pair<double, const char*> shown[] = {{0.1 + 0.2, "0.3"},
                                                    {1.0 / 3.0, "0.333333333333333"},
                                                    {-1e-7, "-1e-07"},
                                                    {123456789012345678.0, "1.23456789012346e+17"},
                                                    {0.0, "0"}};
    for (const auto& [value, text] : shown)
    {
        dialog.number = value;
        dialog.updateData(false);
        EXPECT_EQ(dialog.dlgItemText(NumberEdit), text);
    }
    const std::pair<const char*, double> read[] = {{"12abc", 12.0},    {"  3.5", 3.5}, {"+4", 4.0},
                                                   {"-0.25e2", -25.0}, {"2,", 2.0},    {"7, 5", 7.0}};
    for (const auto& [text, value] : read)
    {
        dialog.setDlgItemText(NumberEdit, text);
        EXPECT_TRUE(dialog.updateData(true)) << text;
        EXPECT_DOUBLE_EQ(dialog.number, value) << text;
    }
    double tiny = 5.0;
    EXPECT_EQ(parseNumber("1e-999", tiny), ParsedNumber::Valid) << "underflow reads as 0, as strtod's";
    EXPECT_EQ(tiny, 0.0);
    EXPECT_EQ(parseNumber("-1e999", tiny), ParsedNumber::OutOfRange) << "the caller's \"Value too large.\"";
    EXPECT_EQ(parseNumber("x1", tiny), ParsedNumber::Missing);
    // A decimal comma is refused, never cut to the whole part.
    for (const char* refused :
         {"", "abc", "1e999", "-1e999", "   ", "0x10", "nan", "inf", "-Infinity", "1,5", "-0,25", "3.5,1"})
    {
        dialog.number = 42.0;
        dialog.setDlgItemText(NumberEdit, refused);
        EXPECT_FALSE(dialog.updateData(true)) << refused;
        EXPECT_EQ(dialog.number, 42.0) << refused;
    }
}

TEST_F(DialogTest, EveryNumberWrittenIntoAFieldReadsBack)
{
    const double largest = std::numeric_limits<double>::max();
    const double values[] = {largest,
                             -largest,
                             std::nextafter(largest, 0.0),
                             1.797693134862315e308,
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             -1e-300,
                             0.1 + 0.2};
    for (const double value : values)
    {
        dialog.number = value;
        dialog.updateData(false);
        const std::string shown = dialog.dlgItemText(NumberEdit);
        dialog.number = 0.0;
        ASSERT_TRUE(dialog.updateData(true)) << shown;
        EXPECT_NEAR(dialog.number, value, std::fabs(value) * 1e-14) << shown;
    }
    dialog.number = largest;
    dialog.updateData(false);
    EXPECT_EQ(dialog.dlgItemText(NumberEdit), "1.7976931348623157e+308");
}

TEST_F(DialogTest, AModalDialogAnswersTheIdOfTheButtonThatEndedIt)
{
    const DialogTemplate modalTemplate = everyControlTemplate(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    struct Case
    {
        std::function<void(RecordingDialog&)> act;
        int32_t answer;
    };
    const Case cases[] = {
        {[](RecordingDialog& self) { self.dlgItem(IDCANCEL)->postMessage(BM_CLICK); }, IDCANCEL},
        {[](RecordingDialog& self) { self.postMessage(WM_COMMAND, makeWParam(IDOK, BN_CLICKED)); }, IDOK},
        {[](RecordingDialog& self) { self.postMessage(WM_CLOSE); }, IDCANCEL},
    };
    for (const Case& step : cases)
    {
        RecordingDialog modal;
        modal.onInit = step.act;
        EXPECT_EQ(modal.doModalIndirect(modalTemplate, testModule(), &frame), step.answer);
        EXPECT_FALSE(modal.exists()) << "the window goes when the loop ends";
    }

    // Enter with a refused number keeps a modal dialog open; Escape ends it.
    class EnterThenEscape : public RecordingDialog
    {
    public:
        LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override
        {
            if (message == WM_KICKIDLE)
                ++kicks;
            if (message == WM_USER + 7)
            {
                const WindowHandle edit = handleFromParam(wParam);
                simulateKey(edit, "Return", true); // refused "abc": stays open
                stillOpenAfterEnter = exists();
                simulateKey(edit, "Esc", true);
                return 0;
            }
            return RecordingDialog::windowProc(message, wParam, lParam);
        }
        bool stillOpenAfterEnter = false;
        int kicks = 0;
    };
    int idleRuns = 0;
    platformApplication().setIdleHandler([&](int32_t) {
        ++idleRuns;
        return false;
    });
    EnterThenEscape keyed;
    keyed.onInit = [](RecordingDialog& self) {
        self.setDlgItemText(NumberEdit, "abc");
        self.postMessage(WM_USER + 7, static_cast<WParam>(self.dlgItem(NumberEdit)->handle()));
    };
    EXPECT_EQ(keyed.doModalIndirect(modalTemplate, testModule(), &frame), IDCANCEL);
    EXPECT_TRUE(keyed.stillOpenAfterEnter);
    EXPECT_GT(keyed.kicks, 0) << "idle inside the modal loop goes to the dialog";
    EXPECT_EQ(idleRuns, 0) << "the program's idle work waits for the modal loop to end";
    platformApplication().setIdleHandler(nullptr);
}

TEST_F(DialogTest, AWorkerAsksItsQuestionWhileAModalDialogIsOpen)
{
    const DialogTemplate modalTemplate = everyControlTemplate(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    RecordingDialog modal;
    // Notes whether the dialog was still open when the worker's question was asked.
    struct WhileOpen : UiThreadRecordingInteraction
    {
        explicit WhileOpen(const Dialog& dialog) : dialog(dialog) {}
        int32_t messageBox(const MessageBoxRequest& request) override
        {
            dialogOpen.push_back(dialog.exists());
            return UiThreadRecordingInteraction::messageBox(request);
        }
        const Dialog& dialog;
        std::vector<bool> dialogOpen;
    } script(modal);
    script.boxAnswers = {IDRETRY};
    WorkerThread worker;
    std::atomic<int32_t> answer{-1};
    modal.onInit = [&](RecordingDialog& self) {
        const WindowHandle dialog = self.handle();
        EXPECT_TRUE(worker.start([&answer, dialog] {
            answer = messageBox(WindowHandle::None, "waiting", "Access TimeOut", MB_ABORTRETRYIGNORE);
            postMessage(dialog, WM_COMMAND, makeWParam(IDOK, BN_CLICKED));
            return 0u;
        }));
    };
    EXPECT_EQ(modal.doModalIndirect(modalTemplate, testModule(), &frame), IDOK)
        << "the worker ended the dialog once it had its answer";
    EXPECT_TRUE(worker.wait(5000));
    EXPECT_EQ(answer.load(), IDRETRY);
    EXPECT_EQ(script.askedOnUiThread, std::vector<bool>{true});
    EXPECT_EQ(script.dialogOpen, std::vector<bool>{true});
}

TEST_F(DialogTest, AStopClosesTheBoxAWorkerHasOpen)
{
    // The real boxes: a worker's question opens one on this thread, and the worker's stop closes it.
    WorkerThread worker;
    std::atomic<int32_t> answer{-1};
    ASSERT_TRUE(worker.start([&] {
        answer = messageBox(WindowHandle::None, "waiting", "Access TimeOut", MB_ABORTRETRYIGNORE | MB_ICONWARNING);
        return 0u;
    }));
    bool boxWasOpen = false;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) == nullptr)
            return;
        boxWasOpen = true;
        stopper.stop();
        worker.requestStop();
    });
    stopper.start(10);
    const uint32_t start = tickCount();
    while (worker.isRunning() && tickCount() - start < 10000)
        processMessages();
    EXPECT_TRUE(boxWasOpen);
    EXPECT_TRUE(worker.wait(0));
    EXPECT_EQ(answer.load(), messageBoxStopped);
    processMessages();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the box is gone";
}

TEST_F(DialogTest, ABoxOfAHugeTextFitsTheScreenWithItsButtons)
{
    std::string fullLines;
    for (int line = 0; line < 100; ++line)
        fullLines += std::string(boxLineLength, 'w') + "\n";
    const std::string texts[] = {"Line 7 of \"broken.acc\":\n" + std::string(300000, 'k') + std::string(3000, '\n'),
                                 fullLines};
    for (const std::string& text : texts)
    {
        QRect shown;
        QRect screen;
        QTimer inspector;
        QObject::connect(&inspector, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            inspector.stop();
            shown = box->frameGeometry();
            screen = box->screen()->availableGeometry();
            box->defaultButton()->click();
        });
        inspector.start(10);
        EXPECT_EQ(messageBox(WindowHandle::None, text, "Accelerators", MB_OKCANCEL | MB_ICONERROR), IDOK);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_LE(shown.width(), screen.width());
        EXPECT_LE(shown.height(), screen.height());
    }
}

TEST_F(DialogTest, ATemplateControlNamingAKitClassBecomesAnObjectOfThatClass)
{
    registerKitClass("CTestKitButton", [] { return new KitButton; });
    DialogTemplate withKit;
    withKit.rect = {0, 0, 60, 30};
    withKit.style = WS_CHILD | WS_VISIBLE;
    DialogItemTemplate button = controlItem("Button", 3001, {2, 2, 20, 12}, BS_OWNERDRAW, "swatch");
    button.kitClass = "CTestKitButton";
    DialogItemTemplate unknownKit = controlItem("Button", 3002, {30, 2, 20, 12}, BS_PUSHBUTTON, "plain");
    unknownKit.kitClass = "CNobodyRegisteredThis";
    withKit.items = {button, unknownKit};
    {
        Dialog holder;
        ASSERT_TRUE(holder.createIndirect(withKit, &frame, testModule()));
        ASSERT_NE(holder.dlgItemAs<KitButton>(3001), nullptr);
        EXPECT_EQ(holder.dlgItemText(3001), "swatch");
        EXPECT_EQ(holder.dlgItemAs<KitButton>(3002), nullptr);
        EXPECT_NE(holder.dlgItemAs<Button>(3002), nullptr) << "a plain button stays one";
    }
    EXPECT_EQ(kitButtonsDestroyed, 1) << "the platform deletes the kit object with its window";
}

// An outer dialog with two controls and a page inside it: a child dialog with WS_EX_CONTROLPARENT
// holding two edits.
class NestedDialogTest : public testing::Test
{
protected:
    enum : int32_t
    {
        OuterEdit = 2001,
        OuterButton = 2002,
        InnerFirst = 2003,
        InnerSecond = 2004,
        Radio1 = 2005,
        Radio2 = 2006,
        Radio3 = 2007,
        AfterRadios = 2008
    };
    void SetUp() override
    {
        platformApplication();
        ASSERT_TRUE(frame.create("Window", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 450, 450}, nullptr));
        DialogTemplate outerTemplate;
        outerTemplate.rect = {0, 0, 200, 120};
        outerTemplate.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
        outerTemplate.items = {
            controlItem("Edit", OuterEdit, {5, 5, 60, 12}, WS_TABSTOP | WS_GROUP),
            controlItem("Button", OuterButton, {70, 5, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP, "Apply")};
        ASSERT_TRUE(outer.createIndirect(outerTemplate, &frame, testModule()));
        DialogTemplate pageTemplate;
        pageTemplate.rect = {5, 30, 150, 40};
        pageTemplate.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
        pageTemplate.exStyle = WS_EX_CONTROLPARENT;
        pageTemplate.items = {controlItem("Edit", InnerFirst, {5, 5, 60, 12}, WS_TABSTOP | WS_GROUP),
                              controlItem("Edit", InnerSecond, {70, 5, 60, 12}, WS_TABSTOP | WS_GROUP)};
        ASSERT_TRUE(page.createIndirect(pageTemplate, &outer, testModule()));
        processMessages();
    }
    void press(const char* key, uint32_t keyFlags = 0)
    {
        simulateKey(Window::focus()->handle(), key, true, keyFlags);
        simulateKey(Window::focus()->handle(), key, false, keyFlags);
        processMessages();
    }
    // The focused control's id after each press of `key`.
    std::vector<int32_t> focusAfterPresses(const char* key, int presses, uint32_t keyFlags = 0)
    {
        std::vector<int32_t> visited;
        for (int step = 0; step < presses; ++step)
        {
            press(key, keyFlags);
            visited.push_back(Window::focus()->dlgCtrlId());
        }
        return visited;
    }
    Window frame;
    Dialog outer;
    Dialog page;
};

TEST_F(NestedDialogTest, TabMovesThroughTheControlsOfAPageAsOneOrderAndWraps)
{
    outer.gotoDlgCtrl(outer.dlgItem(OuterEdit));
    EXPECT_EQ(focusAfterPresses("Tab", 4), (std::vector<int32_t>{OuterButton, InnerFirst, InnerSecond, OuterEdit}));
    EXPECT_EQ(focusAfterPresses("Tab", 4, MK_SHIFT),
              (std::vector<int32_t>{InnerSecond, InnerFirst, OuterButton, OuterEdit}))
        << "Shift+Tab goes back, leaving the page and wrapping";
}

TEST_F(NestedDialogTest, AControlParentThatIsATabStopComesBeforeThePagesItHolds)
{
    // A tab control holding a page: the tab control is a stop, then the page's controls follow.
    TabControl tabs;
    ASSERT_TRUE(tabs.create(WS_VISIBLE | WS_TABSTOP, {5, 130, 300, 200}, &outer, 2010));
    tabs.modifyStyleEx(0, WS_EX_CONTROLPARENT);
    DialogTemplate tabPageTemplate;
    tabPageTemplate.rect = {2, 20, 100, 30};
    tabPageTemplate.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    tabPageTemplate.exStyle = WS_EX_CONTROLPARENT;
    tabPageTemplate.items = {controlItem("Edit", 2011, {5, 5, 60, 12}, WS_TABSTOP | WS_GROUP)};
    Dialog tabPage;
    ASSERT_TRUE(tabPage.createIndirect(tabPageTemplate, &tabs, testModule()));
    processMessages();
    outer.gotoDlgCtrl(outer.dlgItem(OuterEdit));
    EXPECT_EQ(focusAfterPresses("Tab", 6),
              (std::vector<int32_t>{OuterButton, InnerFirst, InnerSecond, 2010, 2011, OuterEdit}));
    EXPECT_EQ(focusAfterPresses("Tab", 3, MK_SHIFT), (std::vector<int32_t>{2011, 2010, InnerSecond}))
        << "Shift+Tab goes back from the page to the tab control";
}

TEST_F(NestedDialogTest, AHiddenPageIsLeftOutAndEnterAndEscapeLeaveThePageOpen)
{
    page.gotoDlgCtrl(page.dlgItem(InnerSecond));
    press("Return");
    press("Esc");
    EXPECT_TRUE(page.exists());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(Window::focus(), page.dlgItem(InnerSecond));

    page.showWindow(SW_HIDE);
    outer.gotoDlgCtrl(outer.dlgItem(OuterButton));
    EXPECT_EQ(focusAfterPresses("Tab", 2), (std::vector<int32_t>{OuterEdit, OuterButton}));
}

TEST_F(NestedDialogTest, AControlWithoutTheVisibleStyleStaysHiddenWhenItsDialogIsShown)
{
    DialogTemplate rows;
    rows.rect = {5, 80, 150, 30};
    rows.style = WS_CHILD | DS_CONTROL;
    DialogItemTemplate hidden = controlItem("Edit", 2020, {5, 5, 60, 12}, WS_TABSTOP);
    hidden.style &= ~WS_VISIBLE;
    rows.items = {hidden, controlItem("Edit", 2021, {70, 5, 60, 12}, WS_TABSTOP)};
    for (const bool native : {false, true})
    {
        SCOPED_TRACE(native ? "native windows" : "plain widgets");
        Dialog dialog;
        ASSERT_TRUE(dialog.createIndirect(rows, &outer, testModule()));
        // A native window, as next to an OpenGL view, is shown with its parent unless it was hidden.
        if (native)
            dialog.dlgItem(2020)->state()->widget->winId();
        dialog.showWindow(SW_SHOW);
        processMessages();
        EXPECT_FALSE(dialog.dlgItem(2020)->state()->widget->isVisible());
        EXPECT_FALSE(dialog.dlgItem(2020)->isVisible());
        EXPECT_TRUE(dialog.dlgItem(2021)->state()->widget->isVisible());
        dialog.dlgItem(2020)->showWindow(SW_SHOW);
        EXPECT_TRUE(dialog.dlgItem(2020)->state()->widget->isVisible());
        dialog.destroyWindow();
    }
}

TEST_F(NestedDialogTest, ArrowsMoveAndCheckWithinARadioGroupOnly)
{
    DialogTemplate radios;
    radios.rect = {5, 80, 150, 30};
    radios.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    radios.exStyle = WS_EX_CONTROLPARENT;
    radios.items = {controlItem("Button", Radio1, {5, 5, 30, 10}, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "1"),
                    controlItem("Button", Radio2, {40, 5, 30, 10}, BS_AUTORADIOBUTTON, "2"),
                    controlItem("Button", Radio3, {75, 5, 30, 10}, BS_AUTORADIOBUTTON, "3"),
                    controlItem("Edit", AfterRadios, {110, 5, 30, 12}, WS_TABSTOP | WS_GROUP)};
    Dialog group;
    ASSERT_TRUE(group.createIndirect(radios, &outer, testModule()));
    group.checkDlgButton(Radio1, BST_CHECKED);
    group.gotoDlgCtrl(group.dlgItem(Radio1));
    const std::vector<std::pair<const char*, int32_t>> steps = {
        {"Down", Radio2}, {"Right", Radio3}, {"Down", Radio1}, {"Up", Radio3}, {"Left", Radio2}};
    for (const auto& [key, expected] : steps)
    {
        press(key);
        EXPECT_EQ(Window::focus()->dlgCtrlId(), expected) << key;
        for (int32_t radio : {Radio1, Radio2, Radio3})
            EXPECT_EQ(group.isDlgButtonChecked(radio), radio == expected ? BST_CHECKED : BST_UNCHECKED)
                << key << " " << radio;
    }
    group.dlgItem(Radio3)->enableWindow(false);
    press("Right");
    EXPECT_EQ(Window::focus()->dlgCtrlId(), Radio1) << "a disabled button is passed over";
    press("Tab");
    EXPECT_EQ(Window::focus()->dlgCtrlId(), AfterRadios) << "Tab leaves the group from its checked button";
    press("Tab", MK_SHIFT);
    EXPECT_EQ(Window::focus()->dlgCtrlId(), Radio1) << "and enters it there again";
}

TEST(DialogResources, IdsRepeatBetweenModulesAndAnUnknownModuleFailsLoudly)
{
    platformApplication();
    const ModuleHandle first = moduleContaining(reinterpret_cast<const void*>(&everyControlTemplate));
    const ModuleHandle second = moduleContaining(reinterpret_cast<const void*>(&tickCount));
    ASSERT_NE(first, second);
    DialogTemplate small;
    small.rect = {0, 0, 40, 20};
    small.style = WS_CHILD;
    small.items = {controlItem("Static", 5, {1, 1, 30, 8}, SS_LEFT, "second module")};
    registerDialogTemplate(first, 143, everyControlTemplate(WS_CHILD));
    registerDialogTemplate(second, 143, small);
    EXPECT_EQ(findDialogTemplate(first, 143)->items.size(), everyControlTemplate(0).items.size());
    EXPECT_EQ(findDialogTemplate(second, 143)->items.size(), 1u);
    EXPECT_EQ(findDialogTemplate(second, 999), nullptr) << "a known module without that id";

    Window frame;
    ASSERT_TRUE(frame.create("Window", "", WS_OVERLAPPEDWINDOW, {0, 0, 300, 300}, nullptr));
    Dialog fromSecond(143);
    ASSERT_TRUE(fromSecond.create(&frame, second));
    EXPECT_EQ(fromSecond.dlgItemText(5), "second module");
    EXPECT_EQ(fromSecond.module(), second);

    EXPECT_THROW(findDialogTemplate(ModuleHandle::None, 143), ResourceError);
    EXPECT_THROW(findBitmapResource(static_cast<ModuleHandle>(0x1234), 151), ResourceError);
    Dialog nowhere(143);
    EXPECT_THROW(nowhere.create(&frame, ModuleHandle::None), ResourceError);

    {
        ResourceModuleScope scope(second);
        EXPECT_EQ(currentResourceModule(), second);
        {
            ResourceModuleScope inner(first);
            EXPECT_EQ(currentResourceModule(), first);
        }
        EXPECT_EQ(currentResourceModule(), second);
    }
    EXPECT_EQ(currentResourceModule(), ModuleHandle::None);
}

} // namespace
