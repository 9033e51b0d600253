#include "platform/Controls.h"

#include "platform/Resources.h"
#include "platform/WindowState.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <map>

namespace platform
{

namespace
{

// Check boxes step through their states the system's way: unchecked, checked, and for
// three-state boxes indeterminate; boxes without BS_AUTO* keep their state (the program sets it).
class CheckBoxWidget : public QCheckBox
{
public:
    CheckBoxWidget(WindowHandle handle, QWidget* parent) : QCheckBox(parent), handle_(handle) {}

protected:
    void nextCheckState() override
    {
        WindowState* state = WindowState::of(handle_);
        if (state == nullptr)
            return;
        const uint32_t type = state->style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX)
            setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
        else if (type == BS_AUTO3STATE)
            setCheckState(checkState() == Qt::Unchecked ? Qt::Checked
                          : checkState() == Qt::Checked ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
    }

private:
    WindowHandle handle_;
};

// A push-like check box (BS_PUSHLIKE): a push button that shows its check as pressed. Without
// BS_AUTO* it acts as a plain push button whose state the program sets.
class PushLikeCheckWidget : public QPushButton
{
public:
    PushLikeCheckWidget(WindowHandle handle, QWidget* parent) : QPushButton(parent), handle_(handle)
    {
        setCheckable(true);
        setAutoDefault(false);
    }

protected:
    void nextCheckState() override
    {
        WindowState* state = WindowState::of(handle_);
        if (state != nullptr && (state->style & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            setChecked(!isChecked());
    }

private:
    WindowHandle handle_;
};

// Radio buttons are checked by the platform (auto radio buttons within their WS_GROUP group) or
// by the program.
class RadioButtonWidget : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override {}
};

Qt::Alignment textAlignment(uint32_t style, WindowKind kind)
{
    if (kind == WindowKind::Edit)
    {
        if ((style & 3) == ES_RIGHT)
            return Qt::AlignRight | Qt::AlignVCenter;
        if ((style & 3) == ES_CENTER)
            return Qt::AlignHCenter | Qt::AlignVCenter;
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    const uint32_t type = style & SS_TYPEMASK;
    if (type == SS_RIGHT)
        return Qt::AlignRight | Qt::AlignTop;
    if (type == SS_CENTER)
        return Qt::AlignHCenter | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

// "&Name" shows as "Name" (the mnemonic marker), "&&" as "&".
QString withoutMnemonics(const std::string& text)
{
    QString shown;
    for (size_t index = 0; index < text.size(); ++index)
    {
        if (text[index] == '&')
        {
            if (index + 1 < text.size() && text[index + 1] == '&')
                ++index;
            else
                continue;
        }
        shown += QChar(static_cast<uchar>(text[index]));
    }
    return QString::fromUtf8(shown.toLatin1());
}

QPixmap bitmapPixmap(const BitmapResource& bitmap)
{
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < bitmap.height; ++y)
        for (int32_t x = 0; x < bitmap.width; ++x)
        {
            const uint32_t colour = bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x];
            image.setPixel(x, y, colour == bitmap.transparentColour
                                     ? qRgba(0, 0, 0, 0)
                                     : qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
        }
    return QPixmap::fromImage(image);
}

// A static bitmap or icon names its resource as "#<id>" in its text.
void showStaticImage(WindowState* state, const std::string& text)
{
    auto* label = static_cast<QLabel*>(state->widget);
    if (text.size() < 2 || text[0] != '#' || state->module == ModuleHandle::None)
    {
        label->clear();
        return;
    }
    const int32_t id = std::atoi(text.c_str() + 1);
    const BitmapResource* image = (state->style & SS_TYPEMASK) == SS_ICON ? findIconResource(state->module, id)
                                                                          : findBitmapResource(state->module, id);
    if (image == nullptr)
        label->clear();
    else
        label->setPixmap(bitmapPixmap(*image));
}

// The radio buttons of the WS_GROUP group `state` belongs to.
std::vector<WindowState*> radioGroup(WindowState* state)
{
    std::vector<WindowState*> group;
    if (state->parent == nullptr)
        return {state};
    const auto& siblings = state->parent->children;
    auto position = std::find(siblings.begin(), siblings.end(), state);
    auto first = position;
    while (first != siblings.begin() && ((*first)->style & WS_GROUP) == 0)
        --first;
    for (auto current = first; current != siblings.end(); ++current)
    {
        if (current != first && ((*current)->style & WS_GROUP) != 0)
            break;
        if ((*current)->kind == WindowKind::RadioButton)
            group.push_back(*current);
    }
    return group;
}

void setButtonCheck(WindowState* state, uint32_t check)
{
    state->check = check;
    if (state->kind == WindowKind::CheckBox && qobject_cast<QCheckBox*>(state->widget) == nullptr)
        static_cast<QAbstractButton*>(state->widget)->setChecked(check != BST_UNCHECKED);
    else if (state->kind == WindowKind::CheckBox)
    {
        auto* box = static_cast<QCheckBox*>(state->widget);
        box->setCheckState(check == BST_CHECKED         ? Qt::Checked
                           : check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
    }
    else if (state->kind == WindowKind::RadioButton)
        static_cast<QRadioButton*>(state->widget)->setChecked(check == BST_CHECKED);
}

uint32_t buttonCheck(const WindowState* state)
{
    if (state->kind == WindowKind::CheckBox && qobject_cast<QCheckBox*>(state->widget) == nullptr)
        return static_cast<QAbstractButton*>(state->widget)->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    if (state->kind == WindowKind::CheckBox)
    {
        switch (static_cast<QCheckBox*>(state->widget)->checkState())
        {
        case Qt::Checked:
            return BST_CHECKED;
        case Qt::PartiallyChecked:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
        }
    }
    if (state->kind == WindowKind::RadioButton)
        return static_cast<QRadioButton*>(state->widget)->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

void onButtonClicked(WindowHandle handle)
{
    guardedCall([&] {
        WindowState* state = WindowState::of(handle);
        if (state == nullptr)
            return;
        if (state->kind == WindowKind::RadioButton && (state->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            for (WindowState* member : radioGroup(state))
                if ((member->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                    setButtonCheck(member, member == state ? BST_CHECKED : BST_UNCHECKED);
        state->object->notifyParent(BN_CLICKED);
    });
}

QListWidget* listWidget(WindowState* state)
{
    return static_cast<QListWidget*>(state->widget);
}

int32_t listCount(WindowState* state)
{
    return state->kind == WindowKind::OwnerDrawListBox ? static_cast<int32_t>(state->items.size())
                                                       : listWidget(state)->count();
}

// Where LBS_SORT puts a new string: after every string that does not sort after it.
int32_t sortedPosition(WindowState* state, const std::string& text)
{
    const int32_t count = listCount(state);
    const QString key = QString::fromStdString(text);
    for (int32_t index = 0; index < count; ++index)
    {
        const QString existing = state->kind == WindowKind::OwnerDrawListBox
                                     ? QString::fromStdString(state->items[index].text)
                                     : listWidget(state)->item(index)->text();
        if (QString::compare(key, existing, Qt::CaseInsensitive) < 0)
            return index;
    }
    return count;
}

class ProgrammaticChange
{
public:
    explicit ProgrammaticChange(QWidget* widget) : widget_(widget), wasBlocked_(widget->blockSignals(true)) {}
    ~ProgrammaticChange() { widget_->blockSignals(wasBlocked_); }

private:
    QWidget* widget_;
    bool wasBlocked_;
};

void syncListScrollBar(WindowState* state);

LResult listBoxMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    const int32_t index = static_cast<int32_t>(static_cast<intptr_t>(wParam));
    const int32_t count = listCount(state);
    const bool ownerDrawn = state->kind == WindowKind::OwnerDrawListBox;
    auto repaint = [&] {
        if (ownerDrawn && state->object != nullptr)
        {
            syncListScrollBar(state);
            state->object->invalidate(true);
        }
    };
    switch (message)
    {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        int32_t position = message == LB_ADDSTRING
                               ? ((state->style & LBS_SORT) != 0 ? sortedPosition(state, text) : count)
                               : (index < 0 || index > count ? count : index);
        if (message == LB_INSERTSTRING && index > count)
            return LB_ERR;
        if (ownerDrawn)
            state->items.insert(state->items.begin() + position, ListBoxItem{text, 0});
        else
        {
            ProgrammaticChange change(state->widget);
            listWidget(state)->insertItem(position, QString::fromStdString(text));
        }
        repaint();
        return position;
    }
    case LB_DELETESTRING:
        if (index < 0 || index >= count)
            return LB_ERR;
        if (ownerDrawn)
        {
            state->items.erase(state->items.begin() + index);
            if (state->selection == index)
                state->selection = -1;
            else if (state->selection > index)
                --state->selection;
        }
        else
        {
            ProgrammaticChange change(state->widget);
            delete listWidget(state)->takeItem(index);
        }
        repaint();
        return count - 1;
    case LB_RESETCONTENT:
        if (ownerDrawn)
        {
            state->items.clear();
            state->selection = -1;
            state->topIndex = 0;
        }
        else
        {
            ProgrammaticChange change(state->widget);
            listWidget(state)->clear();
        }
        repaint();
        return 0;
    case LB_GETCOUNT:
        return count;
    case LB_SETCURSEL:
        if (ownerDrawn)
            state->selection = index >= 0 && index < count ? index : -1;
        else
        {
            ProgrammaticChange change(state->widget);
            listWidget(state)->setCurrentRow(index >= 0 && index < count ? index : -1);
            if (index < 0 || index >= count)
                listWidget(state)->clearSelection();
        }
        repaint();
        return index >= 0 && index < count ? index : LB_ERR;
    case LB_GETCURSEL:
        if (ownerDrawn)
            return state->selection;
        return listWidget(state)->selectedItems().isEmpty() ? LB_ERR : listWidget(state)->currentRow();
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
        if (index < 0 || index >= count)
            return LB_ERR;
        const std::string text =
            ownerDrawn ? state->items[index].text : listWidget(state)->item(index)->text().toStdString();
        if (message == LB_GETTEXT && lParam != 0)
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LResult>(text.size());
    }
    case LB_GETITEMDATA:
        if (index < 0 || index >= count)
            return LB_ERR;
        if (ownerDrawn)
            return state->items[index].data;
        return static_cast<LResult>(listWidget(state)->item(index)->data(Qt::UserRole).toLongLong());
    case LB_SETITEMDATA:
        if (index < 0 || index >= count)
            return LB_ERR;
        if (ownerDrawn)
            state->items[index].data = lParam;
        else
            listWidget(state)->item(index)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(lParam));
        return LB_OKAY;
    case LB_FINDSTRINGEXACT: {
        const QString wanted = lParam != 0 ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString();
        for (int32_t step = 1; step <= count; ++step)
        {
            const int32_t candidate = (index + step) % count < 0 ? 0 : (index + step) % count;
            const QString text = ownerDrawn ? QString::fromStdString(state->items[candidate].text)
                                            : listWidget(state)->item(candidate)->text();
            if (QString::compare(text, wanted, Qt::CaseInsensitive) == 0)
                return candidate;
        }
        return LB_ERR;
    }
    case LB_GETTOPINDEX:
        if (ownerDrawn)
            return state->topIndex;
        return std::max(0, listWidget(state)->indexAt(QPoint(1, 1)).row());
    case LB_SETTOPINDEX:
        if (index < 0 || (index >= count && count > 0))
            return LB_ERR;
        if (ownerDrawn)
            state->topIndex = index;
        else if (count > 0)
            listWidget(state)->scrollToItem(listWidget(state)->item(index), QAbstractItemView::PositionAtTop);
        repaint();
        return LB_OKAY;
    case LB_SETITEMHEIGHT:
        state->itemHeight = std::max<int32_t>(1, static_cast<int32_t>(lParam));
        repaint();
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return ownerDrawn ? state->itemHeight
                          : (count > 0 ? listWidget(state)->visualItemRect(listWidget(state)->item(0)).height()
                                       : state->itemHeight);
    case LB_GETITEMRECT: {
        if (index < 0 || index >= count || lParam == 0)
            return LB_ERR;
        Rect* rect = reinterpret_cast<Rect*>(lParam);
        if (ownerDrawn)
        {
            const int32_t top = (index - state->topIndex) * state->itemHeight;
            *rect = {0, top, clientSize(state).width(), top + state->itemHeight};
        }
        else
        {
            const QRect item = listWidget(state)->visualItemRect(listWidget(state)->item(index));
            *rect = {item.x(), item.y(), item.x() + item.width(), item.y() + item.height()};
        }
        return LB_OKAY;
    }
    default:
        handled = false;
        return 0;
    }
}

int32_t visibleRows(const WindowState* state)
{
    return std::max(1, clientSize(state).height() / std::max(1, state->itemHeight));
}

// The owner-drawn list box's own vertical bar shows the rows: one step per row.
void syncListScrollBar(WindowState* state)
{
    const int32_t count = static_cast<int32_t>(state->items.size());
    state->topIndex = std::clamp(state->topIndex, 0, std::max(0, count - visibleRows(state)));
    if ((state->style & WS_VSCROLL) != 0)
        state->object->setScrollInfo(SB_VERT, {0, std::max(0, count - 1), visibleRows(state), state->topIndex});
}

LResult ownerDrawListBoxScroll(WindowState* state, WParam wParam)
{
    const int32_t count = static_cast<int32_t>(state->items.size());
    int32_t top = state->topIndex;
    switch (lowWord(wParam))
    {
    case SB_LINEUP:
        --top;
        break;
    case SB_LINEDOWN:
        ++top;
        break;
    case SB_PAGEUP:
        top -= visibleRows(state);
        break;
    case SB_PAGEDOWN:
        top += visibleRows(state);
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = count;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        top = static_cast<int32_t>(highWord(wParam));
        break;
    default:
        return 0;
    }
    state->topIndex = top;
    syncListScrollBar(state);
    state->object->invalidate(true);
    return 0;
}

// Paints an owner-drawn control through WM_DRAWITEM records to its parent.
void drawOwnerDrawnItems(WindowState* state)
{
    const WindowHandle handle = state->handle;
    auto send = [&](DrawItemRecord& record) {
        WindowState* current = WindowState::of(handle);
        if (current == nullptr || current->parent == nullptr)
            return;
        dispatchToWindow(current->parent, WM_DRAWITEM, static_cast<WParam>(current->id),
                         reinterpret_cast<LParam>(&record));
    };
    std::shared_ptr<DeviceContext> dc = makeWindowDC(state);
    const bool disabled = (state->style & WS_DISABLED) != 0;
    const bool focused = Window::focus() == state->object;
    if (state->kind == WindowKind::OwnerDrawButton)
    {
        DrawItemRecord record;
        record.controlType = ODT_BUTTON;
        record.controlId = static_cast<uint32_t>(state->id);
        record.itemAction = ODA_DRAWENTIRE;
        record.itemState = (state->pushed && state->pressInside ? ODS_SELECTED : 0) | (focused ? ODS_FOCUS : 0) |
                           (disabled ? ODS_DISABLED : 0);
        record.window = handle;
        record.dc = dc.get();
        record.itemRect = {0, 0, state->widget->width(), state->widget->height()};
        send(record);
        return;
    }
    // Owner-drawn list box: one record per visible row.
    const int32_t height = clientSize(state).height();
    const int32_t width = clientSize(state).width();
    for (int32_t row = state->topIndex; row < static_cast<int32_t>(state->items.size()); ++row)
    {
        const int32_t top = (row - state->topIndex) * state->itemHeight;
        if (top >= height)
            break;
        DrawItemRecord record;
        record.controlType = ODT_LISTBOX;
        record.controlId = static_cast<uint32_t>(state->id);
        record.itemId = static_cast<uint32_t>(row);
        record.itemAction = ODA_DRAWENTIRE;
        record.itemState = (row == state->selection ? ODS_SELECTED : 0) | (disabled ? ODS_DISABLED : 0);
        record.window = handle;
        record.dc = dc.get();
        record.itemRect = {0, top, width, top + state->itemHeight};
        record.itemData = static_cast<uintptr_t>(state->items[row].data);
        send(record);
        state = WindowState::of(handle);
        if (state == nullptr)
            return;
    }
}

void redrawNow(WindowState* state)
{
    if (state->object == nullptr)
        return;
    state->object->invalidate(false);
    state->object->updateWindow();
}

// The owner-drawn button's behaviour: press, track, release, keyboard.
LResult ownerDrawButtonMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    Window* object = state->object;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        object->setFocus();
        object->setCapture();
        state->pushed = true;
        state->pressInside = true;
        redrawNow(state);
        return 0;
    case WM_LBUTTONDBLCLK:
        object->notifyParent(BN_DOUBLECLICKED);
        return 0;
    case WM_MOUSEMOVE:
        if (state->pushed && Window::capture() == object)
        {
            const bool inside = object->clientRect().contains(pointFromLParam(lParam));
            if (inside != state->pressInside)
            {
                state->pressInside = inside;
                redrawNow(state);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!state->pushed)
            return 0;
        const bool inside = object->clientRect().contains(pointFromLParam(lParam));
        const WindowHandle handle = state->handle;
        state->pushed = false;
        Window::releaseCapture();
        if (WindowState::of(handle) == nullptr)
            return 0;
        redrawNow(state);
        if (inside)
            object->notifyParent(BN_CLICKED);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (state->pushed)
        {
            state->pushed = false;
            redrawNow(state);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !state->pushed)
        {
            state->pushed = true;
            state->pressInside = true;
            redrawNow(state);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && state->pushed)
        {
            state->pushed = false;
            redrawNow(state);
            object->notifyParent(BN_CLICKED);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        object->invalidate(false);
        return 0;
    case BM_GETSTATE:
        return (state->pushed ? BST_PUSHED : 0) | (Window::focus() == object ? BST_FOCUS : 0);
    case BM_SETSTATE:
        state->pushed = wParam != 0;
        state->pressInside = state->pushed;
        redrawNow(state);
        return 0;
    case BM_GETCHECK:
        return BST_UNCHECKED;
    case BM_CLICK:
        object->notifyParent(BN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_ERASEBKGND:
        return 1; // the owner paints every pixel
    default:
        handled = false;
        return 0;
    }
}

LResult ownerDrawListBoxMouse(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    if (message == WM_LBUTTONDOWN && (state->style & LBS_NOSEL) == 0)
    {
        const int32_t row = state->topIndex + pointFromLParam(lParam).y / state->itemHeight;
        if (row >= 0 && row < static_cast<int32_t>(state->items.size()) && row != state->selection)
        {
            state->selection = row;
            state->object->invalidate(true);
            if ((state->style & LBS_NOTIFY) != 0)
                state->object->notifyParent(LBN_SELCHANGE);
        }
        return 0;
    }
    if (message == WM_LBUTTONDBLCLK && (state->style & LBS_NOTIFY) != 0)
    {
        state->object->notifyParent(LBN_DBLCLK);
        return 0;
    }
    if (message == WM_VSCROLL)
        return ownerDrawListBoxScroll(state, wParam);
    if (message == WM_SIZE)
    {
        syncListScrollBar(state);
        return 0;
    }
    handled = false;
    return 0;
}

} // namespace

namespace
{

std::map<std::string, ControlWidgetHooks>& registeredControls()
{
    static std::map<std::string, ControlWidgetHooks> controls;
    return controls;
}

} // namespace

void registerControlWidgetHooks(const std::string& className, const ControlWidgetHooks& hooks)
{
    registeredControls()[className] = hooks;
}

const ControlWidgetHooks* controlWidgetHooks(const std::string& className)
{
    auto found = registeredControls().find(className);
    return found == registeredControls().end() ? nullptr : &found->second;
}

WindowKind controlKindFor(const std::string& className, uint32_t style)
{
    if (controlWidgetHooks(className) != nullptr)
        return WindowKind::RegisteredControl;
    if (className == "Button")
    {
        switch (style & BS_TYPEMASK)
        {
        case BS_OWNERDRAW:
            return WindowKind::OwnerDrawButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return WindowKind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return WindowKind::RadioButton;
        case BS_GROUPBOX:
            return WindowKind::GroupBox;
        default:
            return WindowKind::PushButton;
        }
    }
    if (className == "Edit")
        return WindowKind::Edit;
    if (className == "Static")
        return (style & SS_TYPEMASK) == SS_BITMAP || (style & SS_TYPEMASK) == SS_ICON ? WindowKind::StaticBitmap
                                                                                      : WindowKind::StaticText;
    if (className == "ListBox")
        return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 ? WindowKind::OwnerDrawListBox
                                                                          : WindowKind::ListBox;
    if (className == "ScrollBar")
        return WindowKind::ScrollBar;
    return WindowKind::Painted;
}

QWidget* createControlWidget(WindowState* state, QWidget* parentWidget)
{
    const WindowHandle handle = state->handle;
    const uint32_t style = state->style;
    switch (state->kind)
    {
    case WindowKind::PushButton: {
        auto* button = new QPushButton(parentWidget);
        button->setAutoDefault(false);
        button->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        QObject::connect(button, &QPushButton::clicked, [handle] { onButtonClicked(handle); });
        return button;
    }
    case WindowKind::CheckBox: {
        if ((style & BS_PUSHLIKE) != 0)
        {
            auto* button = new PushLikeCheckWidget(handle, parentWidget);
            QObject::connect(button, &QPushButton::clicked, [handle] { onButtonClicked(handle); });
            return button;
        }
        auto* box = new CheckBoxWidget(handle, parentWidget);
        const uint32_t type = style & BS_TYPEMASK;
        box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        QObject::connect(box, &QCheckBox::clicked, [handle] { onButtonClicked(handle); });
        return box;
    }
    case WindowKind::RadioButton: {
        auto* radio = new RadioButtonWidget(parentWidget);
        radio->setAutoExclusive(false);
        QObject::connect(radio, &QRadioButton::clicked, [handle] { onButtonClicked(handle); });
        return radio;
    }
    case WindowKind::GroupBox: {
        auto* group = new QGroupBox(parentWidget);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case WindowKind::Edit: {
        auto* edit = new QLineEdit(parentWidget);
        edit->setAlignment(textAlignment(style, WindowKind::Edit));
        edit->setReadOnly((style & ES_READONLY) != 0);
        edit->setFrame(true);
        if ((style & ES_PASSWORD) != 0)
            edit->setEchoMode(QLineEdit::Password);
        // textEdited comes from the person's typing only, never from setText.
        QObject::connect(edit, &QLineEdit::textEdited, [handle] {
            guardedCall([&] {
                if (Window* window = Window::fromHandle(handle))
                    window->notifyParent(EN_CHANGE);
            });
        });
        return edit;
    }
    case WindowKind::StaticText:
    case WindowKind::StaticBitmap: {
        auto* label = new QLabel(parentWidget);
        label->setAlignment(textAlignment(style, WindowKind::StaticText));
        label->setWordWrap((style & SS_TYPEMASK) == SS_LEFT || (style & SS_TYPEMASK) == SS_CENTER);
        if ((style & SS_SUNKEN) != 0 || (state->exStyle & WS_EX_STATICEDGE) != 0)
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if ((style & SS_TYPEMASK) == SS_ETCHEDHORZ || (style & SS_TYPEMASK) == SS_ETCHEDFRAME)
            label->setFrameStyle(QFrame::HLine | QFrame::Sunken);
        if ((style & SS_NOTIFY) == 0)
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    }
    case WindowKind::ListBox: {
        auto* list = new QListWidget(parentWidget);
        list->setSelectionMode((style & LBS_NOSEL) != 0 ? QAbstractItemView::NoSelection
                                                        : QAbstractItemView::SingleSelection);
        QObject::connect(list, &QListWidget::currentRowChanged, [handle] {
            guardedCall([&] {
                WindowState* current = WindowState::of(handle);
                if (current != nullptr && (current->style & LBS_NOTIFY) != 0)
                    current->object->notifyParent(LBN_SELCHANGE);
            });
        });
        return list;
    }
    case WindowKind::ScrollBar:
        return makeScrollBar(state, SB_CTL, parentWidget);
    case WindowKind::RegisteredControl:
        return controlWidgetHooks(state->windowClass.name)->create(state, parentWidget);
    default:
        return new QWidget(parentWidget);
    }
}

void setControlText(WindowState* state, const std::string& text)
{
    state->text = text;
    const QString shown = withoutMnemonics(text);
    switch (state->kind)
    {
    case WindowKind::PushButton:
    case WindowKind::CheckBox:
    case WindowKind::RadioButton:
        static_cast<QAbstractButton*>(state->widget)->setText(QString::fromStdString(text));
        break;
    case WindowKind::GroupBox:
        static_cast<QGroupBox*>(state->widget)->setTitle(QString::fromStdString(text));
        break;
    case WindowKind::Edit: {
        ProgrammaticChange change(state->widget);
        static_cast<QLineEdit*>(state->widget)->setText(QString::fromStdString(text));
        break;
    }
    case WindowKind::StaticText:
        static_cast<QLabel*>(state->widget)->setText((state->style & SS_NOPREFIX) != 0 ? QString::fromStdString(text)
                                                                                      : shown);
        break;
    case WindowKind::StaticBitmap:
        showStaticImage(state, text);
        break;
    case WindowKind::Painted:
        if (state->parent == nullptr && state->widget != nullptr)
            state->widget->setWindowTitle(QString::fromStdString(text));
        break;
    case WindowKind::RegisteredControl:
        if (const ControlWidgetHooks* hooks = controlWidgetHooks(state->windowClass.name); hooks && hooks->setText)
            hooks->setText(state, text);
        break;
    default:
        break;
    }
}

std::string controlText(const WindowState* state)
{
    if (state->kind == WindowKind::Edit)
        return static_cast<QLineEdit*>(state->widget)->text().toStdString();
    if (state->kind == WindowKind::RegisteredControl)
        if (const ControlWidgetHooks* hooks = controlWidgetHooks(state->windowClass.name); hooks && hooks->getText)
            return hooks->getText(state);
    return state->text;
}

LResult controlDefault(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = false;
    switch (state->kind)
    {
    case WindowKind::OwnerDrawButton:
        return ownerDrawButtonMessage(state, message, wParam, lParam, handled);
    case WindowKind::OwnerDrawListBox: {
        LResult result = listBoxMessage(state, message, wParam, lParam, handled);
        if (handled)
            return result;
        return ownerDrawListBoxMouse(state, message, wParam, lParam, handled);
    }
    case WindowKind::ListBox: {
        if (message == WM_LBUTTONDBLCLK && (state->style & LBS_NOTIFY) != 0)
            state->object->notifyParent(LBN_DBLCLK);
        if (message == WM_SETFOCUS && (state->style & LBS_NOTIFY) != 0)
            state->object->notifyParent(LBN_SETFOCUS);
        if (message == WM_KILLFOCUS && (state->style & LBS_NOTIFY) != 0)
            state->object->notifyParent(LBN_KILLFOCUS);
        return listBoxMessage(state, message, wParam, lParam, handled);
    }
    case WindowKind::PushButton:
    case WindowKind::CheckBox:
    case WindowKind::RadioButton: {
        handled = true;
        auto* button = static_cast<QAbstractButton*>(state->widget);
        switch (message)
        {
        case BM_GETCHECK:
            return buttonCheck(state);
        case BM_SETCHECK:
            setButtonCheck(state, static_cast<uint32_t>(wParam));
            return 0;
        case BM_GETSTATE:
            return buttonCheck(state) | (button->isDown() ? BST_PUSHED : 0) |
                   (Window::focus() == state->object ? BST_FOCUS : 0);
        case BM_SETSTATE:
            button->setDown(wParam != 0);
            return 0;
        case BM_CLICK:
            button->click();
            return 0;
        case BM_SETSTYLE: {
            const uint32_t type = static_cast<uint32_t>(wParam) & BS_TYPEMASK;
            state->style = (state->style & ~0xFFFFu) | (static_cast<uint32_t>(wParam) & 0xFFFFu);
            if (state->kind == WindowKind::PushButton)
                static_cast<QPushButton*>(button)->setDefault(type == BS_DEFPUSHBUTTON);
            if (controlKindFor("Button", state->style) != state->kind)
                replaceControlWidget(state);
            return 0;
        }
        case WM_GETDLGCODE:
            if (state->kind == WindowKind::RadioButton)
                return DLGC_BUTTON | DLGC_RADIOBUTTON;
            if (state->kind == WindowKind::PushButton)
                return DLGC_BUTTON | ((state->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                                                                        : DLGC_UNDEFPUSHBUTTON);
            return DLGC_BUTTON;
        case WM_SETFOCUS:
            if ((state->style & BS_NOTIFY) != 0)
                state->object->notifyParent(BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if ((state->style & BS_NOTIFY) != 0)
                state->object->notifyParent(BN_KILLFOCUS);
            return 0;
        default:
            handled = false;
            return 0;
        }
    }
    case WindowKind::Edit: {
        handled = true;
        auto* edit = static_cast<QLineEdit*>(state->widget);
        switch (message)
        {
        case EM_SETSEL: {
            const int32_t start = static_cast<int32_t>(static_cast<intptr_t>(wParam));
            const int32_t end = static_cast<int32_t>(lParam);
            const int32_t length = static_cast<int32_t>(edit->text().size());
            if (start < 0)
                edit->deselect();
            else if (end < 0 || end > length)
                edit->setSelection(start, length - start);
            else
                edit->setSelection(start, end - start);
            return 0;
        }
        case EM_GETSEL: {
            const int32_t start = edit->hasSelectedText() ? static_cast<int32_t>(edit->selectionStart())
                                                          : static_cast<int32_t>(edit->cursorPosition());
            const int32_t end = start + static_cast<int32_t>(edit->selectedText().size());
            return static_cast<LResult>(makeLong(static_cast<uint32_t>(start), static_cast<uint32_t>(end)));
        }
        case EM_LIMITTEXT:
            edit->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(wParam));
            return 0;
        case EM_SETREADONLY:
            edit->setReadOnly(wParam != 0);
            if (wParam != 0)
                state->style |= ES_READONLY;
            else
                state->style &= ~ES_READONLY;
            return 1;
        case EM_REPLACESEL: {
            ProgrammaticChange change(edit);
            edit->insert(lParam != 0 ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString());
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_SETFOCUS:
            state->object->notifyParent(EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            state->object->notifyParent(EN_KILLFOCUS);
            return 0;
        default:
            handled = false;
            return 0;
        }
    }
    case WindowKind::ScrollBar: {
        handled = true;
        Window* bar = state->object;
        switch (message)
        {
        case SBM_SETPOS:
            return bar->setScrollPos(SB_CTL, static_cast<int32_t>(static_cast<intptr_t>(wParam)), lParam != 0);
        case SBM_GETPOS:
            return bar->getScrollPos(SB_CTL);
        case SBM_SETRANGE:
            bar->setScrollRange(SB_CTL, static_cast<int32_t>(static_cast<intptr_t>(wParam)),
                                static_cast<int32_t>(lParam), false);
            return 0;
        case SBM_GETRANGE: {
            const ScrollInfo info = bar->getScrollInfo(SB_CTL);
            if (wParam != 0)
                *reinterpret_cast<int32_t*>(wParam) = info.minimum;
            if (lParam != 0)
                *reinterpret_cast<int32_t*>(lParam) = info.maximum;
            return 0;
        }
        default:
            handled = false;
            return 0;
        }
    }
    case WindowKind::StaticText:
    case WindowKind::StaticBitmap:
        if (message == WM_GETDLGCODE)
        {
            handled = true;
            return DLGC_STATIC;
        }
        if (message == WM_LBUTTONUP && (state->style & SS_NOTIFY) != 0)
            state->object->notifyParent(STN_CLICKED);
        return 0;
    case WindowKind::GroupBox:
        if (message == WM_GETDLGCODE)
        {
            handled = true;
            return DLGC_STATIC;
        }
        return 0;
    default:
        return 0;
    }
}

// A button whose BS_ type changed kind (push button to check box): a new widget in its place.
void replaceControlWidget(WindowState* state)
{
    QWidget* old = state->widget;
    // The check state is read from the old widget while the kind still describes it.
    const uint32_t check = buttonCheck(state);
    state->kind = controlKindFor("Button", state->style);
    QWidget* replacement = createControlWidget(state, old->parentWidget());
    replacement->setGeometry(old->geometry());
    replacement->setEnabled(old->isEnabled());
    replacement->setAttribute(Qt::WA_NoMousePropagation);
    replacement->stackUnder(old);
    WindowRegistry::unmapWidget(old);
    WindowRegistry::mapWidget(replacement, state);
    state->widget = replacement;
    setControlText(state, state->text);
    setButtonCheck(state, check);
    replacement->setVisible((state->style & WS_VISIBLE) != 0);
    old->hide();
    old->deleteLater();
}

// ---- Default handling ----------------------------------------------------------------------------

Window::PaintInfo Window::beginPaint()
{
    PaintInfo info;
    if (state_ == nullptr)
        return info;
    info.paintRect = state_->invalid.isEmpty() ? clientRect() : state_->invalid;
    info.erase = state_->eraseNeeded;
    state_->invalid = {};
    state_->eraseNeeded = false;
    if (info.erase)
    {
        state_->invalid = info.paintRect; // WM_ERASEBKGND erases the area being painted
        info.erase = sendMessage(WM_ERASEBKGND) == 0;
        if (state_ != nullptr)
            state_->invalid = {};
    }
    return info;
}

void Window::endPaint()
{
}

LResult Window::defaultWindowProc(uint32_t message, WParam wParam, LParam lParam)
{
    WindowState* state = state_;
    if (state == nullptr)
        return 0;
    if (state->isNativeControl() && requestToolkitDefault(state, message))
    {
        // The toolkit handles the event itself; only the notifications that go with it are ours.
        if (message == WM_LBUTTONDBLCLK && state->kind == WindowKind::ListBox && (state->style & LBS_NOTIFY) != 0)
            notifyParent(LBN_DBLCLK);
        return 0;
    }
    if (state->isNativeControl() && (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR))
    {
        deliverSentKeyToToolkit(state, message, wParam);
        return 0;
    }
    bool handled = false;
    const LResult result = controlDefault(state, message, wParam, lParam, handled);
    if (handled || state_ == nullptr)
        return result;

    switch (message)
    {
    case WM_PAINT:
        if (state->surface)
        {
            const WindowHandle self = state->handle;
            beginPaint();
            if (WindowState::of(self) == nullptr)
                return 0;
            if (state->kind == WindowKind::OwnerDrawButton || state->kind == WindowKind::OwnerDrawListBox)
                drawOwnerDrawnItems(state);
            endPaint();
        }
        return 0;
    case WM_ERASEBKGND:
        if (state->surface && state->windowClass.background != 0xFFFFFFFF)
        {
            const Rect area = state->invalid.isEmpty() ? clientRect() : state->invalid;
            state->surface->fillRect(area, state->windowClass.background);
            return 1;
        }
        return 0;
    case WM_SETTEXT:
        setControlText(state, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        if (state->surface)
            invalidate(true);
        return 1;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        const std::string text = controlText(state);
        const size_t length = std::min<size_t>(text.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        return static_cast<LResult>(length);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(controlText(state).size());
    case WM_SETCURSOR: {
        const WindowHandle self = state->handle;
        if (state->parent != nullptr && dispatchToWindow(state->parent, WM_SETCURSOR, wParam, lParam) != 0)
            return 1;
        state = WindowState::of(self);
        if (state == nullptr || handleFromParam(wParam) != self || state->isNativeControl())
            return 0;
        setCursor(state->cursor != nullptr ? state->cursor : state->windowClass.cursor);
        return 1;
    }
    case WM_DRAWITEM: {
        auto* record = reinterpret_cast<DrawItemRecord*>(lParam);
        Window* item = record != nullptr ? fromHandle(record->window) : nullptr;
        if (item == nullptr || item == this)
            return 0;
        item->drawItem(*record);
        return 1;
    }
    case WM_MEASUREITEM: {
        auto* record = reinterpret_cast<MeasureItemRecord*>(lParam);
        Window* item = record != nullptr ? dlgItem(static_cast<int32_t>(record->controlId)) : nullptr;
        if (item == nullptr)
            return 0;
        item->measureItem(*record);
        return 1;
    }
    case WM_CLOSE:
        destroyWindow();
        return 0;
    case WM_SETREDRAW:
        state->widget->setUpdatesEnabled(wParam != 0);
        if (wParam != 0)
            invalidate(true);
        return 0;
    case WM_MOUSEWHEEL:
        if (state->parent != nullptr)
            return dispatchToWindow(state->parent, message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

// ---- Control classes ------------------------------------------------------------------------------

int32_t ListBox::addString(const std::string& text)
{
    return static_cast<int32_t>(sendMessage(LB_ADDSTRING, 0, reinterpret_cast<LParam>(text.c_str())));
}

int32_t ListBox::insertString(int32_t index, const std::string& text)
{
    return static_cast<int32_t>(sendMessage(LB_INSERTSTRING, toWParam(index), reinterpret_cast<LParam>(text.c_str())));
}

std::string ListBox::getText(int32_t index)
{
    const LResult length = sendMessage(LB_GETTEXTLEN, toWParam(index));
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    sendMessage(LB_GETTEXT, toWParam(index), reinterpret_cast<LParam>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int32_t ListBox::findStringExact(int32_t startAfter, const std::string& text)
{
    return static_cast<int32_t>(
        sendMessage(LB_FINDSTRINGEXACT, toWParam(startAfter), reinterpret_cast<LParam>(text.c_str())));
}

Rect ListBox::getItemRect(int32_t index)
{
    Rect rect;
    sendMessage(LB_GETITEMRECT, toWParam(index), reinterpret_cast<LParam>(&rect));
    return rect;
}

} // namespace platform
