#pragma once

// Numbers typed into dialog controls: every page reads them through getDlgItemDouble, and a page
// that applies a number field as it is typed keeps its field's value with a FocusedNumberField.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform
{
class Window;
}

// The numbers a field takes besides being a number at all.
enum class NumberRange
{
    Any,
    Positive, // above 0
    NotNegative, // 0 and above
};

bool isInRange(double value, NumberRange range);

// Whether the text reads as a number of the range (see parseTypedNumber); shows no message.
bool isTakenNumberText(std::string_view text, NumberRange range);

// Reads the number typed into control `controlId` of `dialog` (see parseTypedNumber). On success
// stores it through `value` and answers true. A text that holds no number, or a number outside
// `range`, is refused silently; a number out of the range of a double is refused with the box
// "Value too large.", owned by the main window. Refused texts leave `*value` as it was. A number
// the program shows (setNumberText) reads back as the exact value shown while the person has not
// changed it.
bool getDlgItemDouble(platform::Window* dialog, int32_t controlId, double* value,
                      NumberRange range = NumberRange::Any);

// The number field of a page that has the keyboard focus, for a page that applies what is typed
// at every keystroke. Typing passes through texts that are refused ("2," before "2,5", "-" before
// "-1"); when the user leaves the field on such a text, the field gets back the value it held
// when it got the focus, so what stays in effect is what the field shows.
class FocusedNumberField
{
public:
    // The field `editId` got the focus holding `value` of `subject`, the object the page shows
    // (none for a page that shows one object only).
    void focused(int32_t editId, double value, const void* subject = nullptr);
    // The value the focused field holds now changed by other means than its typing (a spin, a
    // click, a change from elsewhere): leaving it on a refused text goes back to this value.
    void heldChanged(int32_t editId, double value);
    // The field `editId` lost the focus. When its text is refused, answers true with the value it
    // held when it got the focus, which the page applies and shows again; never when the page
    // shows another object than the one the field got the focus with, which that value is not of.
    bool leftRefused(const platform::Window* dialog, int32_t editId, NumberRange range, double* held,
                     const void* subject = nullptr);

private:
    int32_t focusedId = -1;
    double heldValue = 0.0;
    const void* heldSubject = nullptr;
};

// Shows a number field's text in its edit and leaves an edit that already holds it alone: a text
// that is the value's own (platform::formatDouble) is fitted to the edit (setNumberText), a text
// the person typed stays as typed.
void showNumberField(platform::Window* edit, double value, const std::string& text);
