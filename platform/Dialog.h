#pragma once

// Dialogs built from templates: modal dialogs and modeless child dialogs (pages, pagettes, bars).

#include "platform/DialogTemplate.h"
#include "platform/DynamicLibrary.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform
{

class Dialog;

// The direction and the dialog of one data exchange (doDataExchange).
class PLATFORM_API DataExchange
{
public:
    DataExchange(Dialog& dialog, bool saveAndValidate) : dialog(dialog), saveAndValidate(saveAndValidate) {}
    Dialog& dialog;
    bool saveAndValidate; // true: controls to variables
    bool refused = false; // a control held text that could not be taken
};

// Text of a control (edit, static, button) in both directions. Writing raises no notification.
PLATFORM_API void exchangeText(DataExchange& exchange, int32_t id, std::string& value);
// A number in an edit: written with 15 significant digits ("%.15g") and fitted to the edit
// (Window::setNumberText); read like strtod in the C locale (leading blanks skipped, trailing
// characters ignored), or as the exact value written while the edit still shows it. Empty,
// unreadable or infinite text is refused: the variable keeps its value and the exchange is marked
// refused (no box).
PLATFORM_API void exchangeDouble(DataExchange& exchange, int32_t id, double& value);
// A check box or radio button's state (BST_*).
PLATFORM_API void exchangeCheck(DataExchange& exchange, int32_t id, int32_t& value);

// "%.15g" in the C locale; next to the largest double, where that would read back as out of
// range, the shortest text that reads back exactly.
PLATFORM_API std::string formatDouble(double value);
// Reads the decimal number typed at the start of `text` the same way on every machine: the C
// locale's '.' is the only decimal point, leading white space and one sign are allowed, characters
// after the number are ignored ("12abc" gives 12). "nan", hexadecimal, text without a number and
// a number followed directly by a comma and a digit ("1,5", a decimal comma that must not be read
// as 1) are Missing; infinity and overflow are OutOfRange. `value` changes only for Valid.
enum class ParsedNumber
{
    Valid,
    Missing, // no number at the start
    OutOfRange // too large for a double (strtod's infinity)
};
PLATFORM_API ParsedNumber parseNumber(std::string_view text, double& value);
// parseNumber(text, value) == ParsedNumber::Valid.
PLATFORM_API bool parseDouble(std::string_view text, double& value);

// Makes kit objects for template controls that name a kit class: the dialog subclasses the
// control into a new object of that class when it is created (the platform owns the object).
PLATFORM_API void registerKitClass(const std::string& name, std::function<Window*()> factory);

class PLATFORM_API Dialog : public Window
{
public:
    // The object exists before its window; the template is found when the window is made.
    explicit Dialog(int32_t templateId = 0);
    ~Dialog() override;

    int32_t templateId() const { return templateId_; }

    // A modeless dialog from template templateId() of `module`: a child of `parent` when the
    // template has WS_CHILD, otherwise a top-level window owned by it. onInitDialog runs inside.
    bool create(Window* parent, ModuleHandle module);
    bool createIndirect(const DialogTemplate& dialogTemplate, Window* parent, ModuleHandle module);
    // Runs the dialog modally (owner: `owner`, or the main window) and answers the id that ended
    // it (endDialog's value); -1 when the window could not be made.
    int32_t doModal(ModuleHandle module, Window* owner = nullptr);
    int32_t doModalIndirect(const DialogTemplate& dialogTemplate, ModuleHandle module, Window* owner = nullptr);
    // Ends a modal dialog with `result`. A modeless dialog only records it: it stays open.
    void endDialog(int32_t result);
    bool isModal() const { return modal_; }

    // Called inside creation, after the controls exist. True: the focus goes to the first
    // control with WS_TABSTOP; false: the dialog set the focus itself.
    virtual bool onInitDialog();
    // IDOK and IDCANCEL of a modal dialog (its buttons, Enter, Escape). onOK takes the data
    // (updateData) and ends with IDOK; onCancel ends with IDCANCEL. In a modeless dialog they do
    // nothing unless overridden.
    virtual void onOK();
    virtual void onCancel();
    // WM_COMMAND from a control or a menu; the default runs onOK / onCancel for IDOK / IDCANCEL.
    virtual bool onCommand(uint32_t id, uint32_t code, WindowHandle control);
    virtual void doDataExchange(DataExchange& exchange);
    // Controls to variables (save) or variables to controls. False when a text was refused.
    bool updateData(bool saveAndValidate = true);

    // Items by id.
    void setDlgItemText(int32_t id, const std::string& text);
    // Window::setNumberText of the control.
    void setDlgItemNumber(int32_t id, double value, const std::string& text, int digits = 15);
    std::string dlgItemText(int32_t id) const;
    void checkDlgButton(int32_t id, uint32_t check);
    uint32_t isDlgButtonChecked(int32_t id) const;
    // The next (or previous) control with WS_TABSTOP that is visible and enabled, in z-order,
    // wrapping around; radio groups (WS_GROUP) are entered at their checked button, and the
    // controls of a child with WS_EX_CONTROLPARENT (a page) stand in the order in its place.
    Window* nextDlgTabItem(Window* from, bool previous) const;
    // Moves the focus to the control (an edit gets all its text selected).
    void gotoDlgCtrl(Window* control);
    // The default push button's id (0 when none).
    int32_t defaultButtonId() const;

    LResult windowProc(uint32_t message, WParam wParam, LParam lParam) override;
    // Dialog keyboard: Tab / Shift+Tab move the focus (a page, a child with WS_EX_CONTROLPARENT,
    // shares the tab order of the window that holds it); arrows move within a radio group; Enter
    // clicks the default button (in a modal dialog without one: IDOK); Escape cancels a modal
    // dialog. Enter and Escape never close a modeless dialog.
    bool preTranslateMessage(Message& message) override;

private:
    bool build(const DialogTemplate& dialogTemplate, Window* parent, ModuleHandle module, bool modal);
    int32_t runModal(const DialogTemplate& dialogTemplate, ModuleHandle module, Window* owner);

    int32_t templateId_;
    bool modal_ = false;
    bool ended_ = false;
    int32_t result_ = 0;
};

} // namespace platform
