#include "uikit/DialogNumbers.h"

#include "platform/Dialog.h"
#include "platform/Services.h"
#include "platform/Window.h"
#include "uikit/TextEntry.h"

bool getDlgItemDouble(platform::Window* dialog, int32_t controlId, double* value)
{
    platform::Window* control = dialog != nullptr ? dialog->dlgItem(controlId) : nullptr;
    if (control == nullptr || value == nullptr)
        return false;
    // A number the program shows and the person left alone reads back exactly.
    if (control->shownNumber(*value))
        return true;
    const TypedNumber number = parseTypedNumber(control->windowText());
    switch (number.status)
    {
    case TypedNumberStatus::Accepted:
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

void showNumberField(platform::Window* edit, double value, const std::string& text)
{
    if (edit == nullptr || edit->windowText() == text)
        return;
    if (text == platform::formatDouble(value))
        edit->setNumberText(value, text);
    else
        edit->setWindowText(text);
}
