#include "uikit/DialogNumbers.h"

#include "platform/Dialog.h"
#include "platform/Services.h"
#include "platform/Window.h"
#include "uikit/TextEntry.h"

bool isInRange(double value, NumberRange range)
{
    switch (range)
    {
    case NumberRange::Positive:
        return value > 0.0;
    case NumberRange::NotNegative:
        return value >= 0.0;
    case NumberRange::Any:
        break;
    }
    return true;
}

bool isTakenNumberText(std::string_view text, NumberRange range)
{
    const TypedNumber number = parseTypedNumber(text);
    return number.status == TypedNumberStatus::Accepted && isInRange(number.value, range);
}

bool getDlgItemDouble(platform::Window* dialog, int32_t controlId, double* value, NumberRange range)
{
    platform::Window* control = dialog != nullptr ? dialog->dlgItem(controlId) : nullptr;
    if (control == nullptr || value == nullptr)
        return false;
    // A number the program shows and the person left alone reads back exactly.
    double shown = 0.0;
    if (control->shownNumber(shown))
    {
        if (!isInRange(shown, range))
            return false;
        *value = shown;
        return true;
    }
    const TypedNumber number = parseTypedNumber(control->windowText());
    switch (number.status)
    {
    case TypedNumberStatus::Accepted:
        if (!isInRange(number.value, range))
            return false;
        *value = number.value;
        return true;
    case TypedNumberStatus::TooLarge:
        // No owner of its own: the box belongs to the main window, which it keeps from input.
        platform::messageBox(platform::WindowHandle::None, valueTooLargeText, valueConversionCaption,
                             platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    case TypedNumberStatus::NotANumber:
        break;
    }
    return false;
}

void FocusedNumberField::focused(int32_t editId, double value, const void* subject)
{
    focusedId = editId;
    heldValue = value;
    heldSubject = subject;
}

void FocusedNumberField::heldChanged(int32_t editId, double value)
{
    if (editId == focusedId)
        heldValue = value;
}

bool FocusedNumberField::leftRefused(const platform::Window* dialog, int32_t editId, NumberRange range, double* held,
                                     const void* subject)
{
    const bool wasFocused = editId == focusedId && subject == heldSubject;
    focusedId = -1;
    const platform::Window* control = dialog != nullptr ? dialog->dlgItem(editId) : nullptr;
    if (!wasFocused || control == nullptr || held == nullptr || isTakenNumberText(control->windowText(), range))
        return false;
    *held = heldValue;
    return true;
}

void showNumberField(platform::Window* edit, double value, const std::string& text)
{
    if (edit == nullptr || edit->windowText() == text)
        return;
    if (text == platform::formatDouble(value))
        edit->setNumberText(value, text);
    else
        edit->setWindowText(text);
}
