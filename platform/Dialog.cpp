#include "platform/Dialog.h"

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/Keyboard.h"
#include "platform/Resources.h"
#include "platform/qt/TextRendering.h"
#include "platform/qt/WindowState.h"

#include <QApplication>
#include <QFont>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <map>
#include <string_view>

namespace platform
{

namespace
{

std::map<std::string, std::function<Window*()>>& kitClasses()
{
    static std::map<std::string, std::function<Window*()>> factories;
    return factories;
}

// Template controls get an object of their control class, so a dialog may use them as one.
Window* newControlObject(const std::string& className)
{
    if (className == "Button")
        return new Button;
    if (className == "Edit")
        return new Edit;
    if (className == "ListBox")
        return new ListBox;
    if (className == "ScrollBar")
        return new ScrollBar;
    return new Window;
}

bool isPushButton(Window* window)
{
    const uint32_t code = window != nullptr ? static_cast<uint32_t>(window->sendMessage(WM_GETDLGCODE)) : 0;
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool isRadioButton(const Window* window)
{
    const uint32_t type = window->style() & BS_TYPEMASK;
    return window->className() == "Button" && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// The index of the first control of the WS_GROUP group that holds children[index].
size_t groupStart(const std::vector<Window*>& children, size_t index)
{
    while (index > 0 && (children[index]->style() & WS_GROUP) == 0)
        --index;
    return index;
}

bool takesKeyboardFocus(const Window* window)
{
    const uint32_t style = window->style();
    return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

// The radio buttons of the WS_GROUP group that holds `radio`, in z-order.
std::vector<Window*> radioGroupOf(Window* radio)
{
    if (radio->parent() == nullptr)
        return {radio};
    const std::vector<Window*> siblings = radio->parent()->children();
    const size_t index = static_cast<size_t>(std::find(siblings.begin(), siblings.end(), radio) - siblings.begin());
    const size_t start = groupStart(siblings, std::min(index, siblings.size() - 1));
    std::vector<Window*> group;
    for (size_t member = start; member < siblings.size(); ++member)
    {
        if (member != start && (siblings[member]->style() & WS_GROUP) != 0)
            break;
        if (isRadioButton(siblings[member]))
            group.push_back(siblings[member]);
    }
    return group;
}

// The tab stops under `container`, in z-order: a radio group is entered at its checked button,
// and a child with WS_EX_CONTROLPARENT (a page inside the dialog) gives its own stops in its place,
// after itself when it is a tab stop too (a tab control holding its pages).
void appendTabStops(const Window* container, std::vector<Window*>& stops)
{
    for (Window* item : container->children())
    {
        if (!takesKeyboardFocus(item))
            continue;
        if ((item->exStyle() & WS_EX_CONTROLPARENT) != 0)
        {
            if ((item->style() & WS_TABSTOP) != 0)
                stops.push_back(item);
            appendTabStops(item, stops);
            continue;
        }
        if ((item->style() & WS_TABSTOP) == 0)
            continue;
        Window* stop = item;
        if (isRadioButton(item))
            for (Window* member : radioGroupOf(item))
                if (member->sendMessage(BM_GETCHECK) == BST_CHECKED)
                    stop = member;
        if (std::find(stops.begin(), stops.end(), stop) == stops.end())
            stops.push_back(stop);
    }
}

// The next (or previous) tab stop under `root` after `from`, wrapping around. `from` may sit
// inside a stop, or be another button of a stop's radio group.
Window* nextTabStop(const Window* root, Window* from, bool previous)
{
    std::vector<Window*> stops;
    appendTabStops(root, stops);
    if (stops.empty())
        return nullptr;
    size_t current = stops.size();
    for (Window* window = from; window != nullptr && window != root && current == stops.size();
         window = window->parent())
    {
        const std::vector<Window*> group = isRadioButton(window) ? radioGroupOf(window) : std::vector<Window*>{};
        for (size_t stop = 0; stop < stops.size(); ++stop)
            if (stops[stop] == window || std::find(group.begin(), group.end(), stops[stop]) != group.end())
                current = stop;
    }
    if (current == stops.size())
        return previous ? stops.back() : stops.front();
    return stops[(current + (previous ? stops.size() - 1 : 1)) % stops.size()];
}

// The window whose controls Tab moves through: the dialog itself, or the window that holds it
// (and each further holder) while it is a child with WS_EX_CONTROLPARENT, so that the pages
// inside a dialog and the dialog's own controls make one tab order.
const Window* tabOrderRoot(const Window* dialog)
{
    const Window* root = dialog;
    while (root->parent() != nullptr && (root->style() & WS_CHILD) != 0 && (root->exStyle() & WS_EX_CONTROLPARENT) != 0)
        root = root->parent();
    return root;
}

} // namespace

// ---- Numbers and data exchange -------------------------------------------------------------------

std::string formatDouble(double value)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    // Near the largest double, 15 digits round beyond it and the text would read back as out of
    // range: there the shortest text that reads back exactly is shown.
    double readBack = 0.0;
    if (std::from_chars(buffer, result.ptr, readBack).ec == std::errc::result_out_of_range)
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    return std::string(buffer, result.ptr);
}

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// White space as strtod skips it in the C locale.
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
    {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The length of the decimal number at the start of `text` (sign, digits, point, exponent), or 0.
size_t decimalNumberLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return 0;
    // An exponent counts only when at least one digit follows the 'e' and its sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
    {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j]))
        {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

ParsedNumber parseNumber(std::string_view text, double& value)
{
    size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    text.remove_prefix(start);

    std::string_view unsignedPart = text;
    if (!unsignedPart.empty() && (unsignedPart[0] == '+' || unsignedPart[0] == '-'))
        unsignedPart.remove_prefix(1);
    // Infinity is too large a value for any setting; "nan" and hexadecimal are no decimal numbers
    // (a hexadecimal text must not pass as the 0 in front of its 'x').
    if (startsWithNoCase(unsignedPart, "inf"))
        return ParsedNumber::OutOfRange;
    if (startsWithNoCase(unsignedPart, "0x"))
        return ParsedNumber::Missing;

    const size_t length = decimalNumberLength(text);
    if (length == 0)
        return ParsedNumber::Missing;
    // "1,5" is a decimal comma, not 1 followed by other text: refused rather than cut to 1.
    if (length + 1 < text.size() && text[length] == ',' && isDigit(text[length + 1]))
        return ParsedNumber::Missing;

    const std::string number(text.substr(0, length));
    const double parsed = strtod_l(number.c_str(), nullptr, cLocale());
    if (std::isinf(parsed))
        return ParsedNumber::OutOfRange;
    // An underflow gives 0 or a denormal, which is what the person meant closely enough.
    value = parsed;
    return ParsedNumber::Valid;
}

bool parseDouble(std::string_view text, double& value)
{
    return parseNumber(text, value) == ParsedNumber::Valid;
}

void exchangeText(DataExchange& exchange, int32_t id, std::string& value)
{
    Window* item = exchange.dialog.dlgItem(id);
    if (item == nullptr)
        return;
    if (exchange.saveAndValidate)
        value = item->windowText();
    else
        item->setWindowText(value);
}

void exchangeDouble(DataExchange& exchange, int32_t id, double& value)
{
    Window* item = exchange.dialog.dlgItem(id);
    if (item == nullptr)
        return;
    if (!exchange.saveAndValidate)
    {
        item->setNumberText(value, formatDouble(value));
        return;
    }
    double shown = 0.0;
    if (item->shownNumber(shown) && std::isfinite(shown))
        value = shown;
    else if (!parseDouble(item->windowText(), value))
        exchange.refused = true;
}

void exchangeCheck(DataExchange& exchange, int32_t id, int32_t& value)
{
    if (exchange.saveAndValidate)
        value = static_cast<int32_t>(exchange.dialog.isDlgButtonChecked(id));
    else
        exchange.dialog.checkDlgButton(id, static_cast<uint32_t>(value));
}

void registerKitClass(const std::string& name, std::function<Window*()> factory)
{
    kitClasses()[name] = std::move(factory);
}

// ---- Dialog ------------------------------------------------------------------------------------------

Dialog::Dialog(int32_t templateId) : templateId_(templateId)
{
}

Dialog::~Dialog()
{
    // Destroy here, while the object is still a Dialog: the messages of the end reach it as one.
    destroyWindow();
}

bool Dialog::create(Window* parent, ModuleHandle module)
{
    const DialogTemplate* dialogTemplate = findDialogTemplate(module, templateId_);
    if (dialogTemplate == nullptr)
        return false;
    return build(*dialogTemplate, parent, module, false);
}

bool Dialog::createIndirect(const DialogTemplate& dialogTemplate, Window* parent, ModuleHandle module)
{
    return build(dialogTemplate, parent, module, false);
}

int32_t Dialog::doModal(ModuleHandle module, Window* owner)
{
    const DialogTemplate* dialogTemplate = findDialogTemplate(module, templateId_);
    if (dialogTemplate == nullptr)
        return -1;
    return runModal(*dialogTemplate, module, owner);
}

int32_t Dialog::doModalIndirect(const DialogTemplate& dialogTemplate, ModuleHandle module, Window* owner)
{
    return runModal(dialogTemplate, module, owner);
}

bool Dialog::build(const DialogTemplate& dialogTemplate, Window* parent, ModuleHandle module, bool modal)
{
    if (exists())
        return false;
    modal_ = modal;
    ended_ = false;
    result_ = 0;
    uint32_t style = dialogTemplate.style;
    Rect rect = dialogUnitsToPixels(dialogTemplate.rect);
    if (modal)
        style = (style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    if (modal || ((style & WS_CHILD) == 0 && (style & DS_CENTER) != 0))
    {
        // Centred over the owner (or the screen).
        const Rect area = parent != nullptr && parent->exists() ? parent->windowRect() : desktopWorkArea();
        rect = Rect::fromPointAndSize(
            {area.left + (area.width() - rect.width()) / 2, area.top + (area.height() - rect.height()) / 2},
            rect.size());
    }
    const uint32_t visible = style & WS_VISIBLE;
    if (!Window::create("#32770", dialogTemplate.caption, style & ~WS_VISIBLE, rect, parent, 0, dialogTemplate.exStyle))
        return false;
    setModule(module);
    state()->widget->setFont(text::dialogFont());
    const WindowHandle self = handle();
    for (const DialogItemTemplate& item : dialogTemplate.items)
    {
        Window* control = newControlObject(item.className);
        if (!control->create(item.className, item.text, item.style | WS_CHILD, dialogUnitsToPixels(item.rect), this,
                             item.id, item.exStyle))
        {
            delete control;
            std::fprintf(stderr, "Dialog %d: control %d of unknown class \"%s\" left out\n", templateId_, item.id,
                         item.className.c_str());
            continue;
        }
        control->state()->platformOwned = true;
        // A control without the visible style stays hidden when its dialog is shown: its widget,
        // never hidden explicitly, would otherwise appear with the dialog.
        if ((item.style & WS_VISIBLE) == 0)
            control->state()->widget->setVisible(false);
        auto factory = kitClasses().find(item.kitClass);
        if (!item.kitClass.empty() && factory != kitClasses().end())
        {
            const WindowHandle controlHandle = control->handle();
            Window* kitObject = factory->second();
            if (kitObject != nullptr && kitObject->subclassWindow(controlHandle))
                kitObject->state()->platformOwned = true;
            else
                delete kitObject;
        }
    }
    if (!isWindow(self))
        return false;
    if (sendMessage(WM_INITDIALOG) != 0 && isWindow(self))
        if (Window* first = nextDlgTabItem(nullptr, false))
            gotoDlgCtrl(first);
    if (!isWindow(self))
        return false;
    if (visible != 0 || modal)
        showWindow(SW_SHOW);
    return true;
}

int32_t Dialog::runModal(const DialogTemplate& dialogTemplate, ModuleHandle module, Window* owner)
{
    Application* application = Application::instance();
    if (owner == nullptr && application != nullptr)
        owner = application->mainWindow();
    if (!build(dialogTemplate, owner, module, true))
        return -1;
    state()->widget->setWindowModality(Qt::ApplicationModal);
    const WindowHandle self = handle();
    if (application != nullptr)
        application->enterModal(self);
    // Paints and timers go on inside the loop, like in every modal loop.
    while (!ended_ && isWindow(self))
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (application != nullptr)
        application->leaveModal();
    const int32_t result = ended_ ? result_ : IDCANCEL;
    destroyWindow();
    modal_ = false;
    return result;
}

void Dialog::endDialog(int32_t result)
{
    result_ = result;
    if (modal_)
        ended_ = true;
}

bool Dialog::onInitDialog()
{
    updateData(false);
    return true;
}

void Dialog::onOK()
{
    if (modal_ && updateData(true))
        endDialog(IDOK);
}

void Dialog::onCancel()
{
    if (modal_)
        endDialog(IDCANCEL);
}

bool Dialog::onCommand(uint32_t id, uint32_t code, WindowHandle)
{
    if (code != BN_CLICKED)
        return false;
    if (id == static_cast<uint32_t>(IDOK))
    {
        onOK();
        return true;
    }
    if (id == static_cast<uint32_t>(IDCANCEL))
    {
        onCancel();
        return true;
    }
    return false;
}

void Dialog::doDataExchange(DataExchange&)
{
}

bool Dialog::updateData(bool saveAndValidate)
{
    if (!exists())
        return false;
    DataExchange exchange(*this, saveAndValidate);
    doDataExchange(exchange);
    return !exchange.refused;
}

void Dialog::setDlgItemText(int32_t id, const std::string& text)
{
    if (Window* item = dlgItem(id))
        item->setWindowText(text);
}

void Dialog::setDlgItemNumber(int32_t id, double value, const std::string& text, int digits)
{
    if (Window* item = dlgItem(id))
        item->setNumberText(value, text, digits);
}

std::string Dialog::dlgItemText(int32_t id) const
{
    Window* item = dlgItem(id);
    return item != nullptr ? item->windowText() : std::string();
}

void Dialog::checkDlgButton(int32_t id, uint32_t check)
{
    if (Window* item = dlgItem(id))
        item->sendMessage(BM_SETCHECK, check);
}

uint32_t Dialog::isDlgButtonChecked(int32_t id) const
{
    Window* item = dlgItem(id);
    return item != nullptr ? static_cast<uint32_t>(item->sendMessage(BM_GETCHECK)) : 0;
}

Window* Dialog::nextDlgTabItem(Window* from, bool previous) const
{
    return nextTabStop(this, from, previous);
}

void Dialog::gotoDlgCtrl(Window* control)
{
    if (control == nullptr)
        return;
    control->setFocus();
    if (control->className() == "Edit")
        control->sendMessage(EM_SETSEL, 0, -1);
}

int32_t Dialog::defaultButtonId() const
{
    for (Window* item : children())
        if (item->className() == "Button" && (item->style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return item->dlgCtrlId();
    return 0;
}

LResult Dialog::windowProc(uint32_t message, WParam wParam, LParam lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
        return onInitDialog() ? 1 : 0;
    case WM_COMMAND:
        onCommand(lowWord(wParam), highWord(wParam), handleFromParam(static_cast<uint64_t>(lParam)));
        return 0;
    case WM_CLOSE:
        onCancel();
        return 0;
    case DM_GETDEFID: {
        const int32_t id = defaultButtonId();
        return id != 0 ? static_cast<LResult>(makeLong(static_cast<uint32_t>(id), DC_HASDEFID)) : 0;
    }
    case DM_SETDEFID:
        for (Window* item : children())
        {
            const uint32_t type = item->style() & BS_TYPEMASK;
            if (item->className() != "Button" || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
                continue;
            const uint32_t wanted =
                item->dlgCtrlId() == static_cast<int32_t>(wParam) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            if (wanted != type)
                item->sendMessage(BM_SETSTYLE, (item->style() & ~BS_TYPEMASK & 0xFFFFu) | wanted, 1);
        }
        return 1;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

bool Dialog::preTranslateMessage(Message& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    Window* target = fromHandle(message.window);
    const uint32_t code =
        target != nullptr ? static_cast<uint32_t>(target->sendMessage(WM_GETDLGCODE, message.wParam)) : 0;
    if ((code & DLGC_WANTALLKEYS) != 0)
        return false;
    // The control of this dialog that holds `target` (the focus may sit inside a control).
    Window* control = target;
    while (control != nullptr && control->parent() != this)
        control = control->parent();
    switch (message.wParam)
    {
    case VK_TAB: {
        if ((code & DLGC_WANTTAB) != 0 || isKeyDown(VK_CONTROL) || isKeyDown(VK_MENU))
            return false;
        if (Window* next = nextTabStop(tabOrderRoot(this), target, isKeyDown(VK_SHIFT)))
            gotoDlgCtrl(next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        // Arrows move within a radio group; the button reached is clicked, which checks an auto
        // radio button and lets the program check a plain one.
        if ((code & DLGC_WANTARROWS) != 0 || control == nullptr || !isRadioButton(control))
            return false;
        const std::vector<Window*> group = radioGroupOf(control);
        const size_t count = group.size();
        const size_t step = message.wParam == VK_LEFT || message.wParam == VK_UP ? count - 1 : 1;
        size_t index = static_cast<size_t>(std::find(group.begin(), group.end(), control) - group.begin());
        for (size_t tried = 1; tried < count; ++tried)
        {
            index = (index + step) % count;
            if (takesKeyboardFocus(group[index]))
            {
                gotoDlgCtrl(group[index]);
                group[index]->sendMessage(BM_CLICK);
                break;
            }
        }
        return true;
    }
    case VK_RETURN: {
        if (control != nullptr && isPushButton(control) && control->isEnabled())
        {
            control->sendMessage(BM_CLICK);
            return true;
        }
        const int32_t id = defaultButtonId();
        Window* button = id != 0 ? dlgItem(id) : nullptr;
        if (button != nullptr && button->isVisible() && button->isEnabled())
            button->sendMessage(BM_CLICK);
        else if (modal_)
            sendMessage(WM_COMMAND, makeWParam(IDOK, BN_CLICKED), 0);
        return true;
    }
    case VK_ESCAPE:
        if (modal_)
            sendMessage(WM_COMMAND, makeWParam(IDCANCEL, BN_CLICKED), 0);
        return true;
    default:
        return false;
    }
}

} // namespace platform
