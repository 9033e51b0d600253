#include "Lumbra/SectionPages/PageSupport.h"

#include "Lumbra/LumbraMenuItem.h"
#include "VornData/VornBaseObject.h"
#include "platform/Dialog.h"
#include "uikit/ColorButton.h"
#include "uikit/PagetteButton.h"
#include "uikit/TextEntry.h"

#include <charconv>
#include <system_error>

namespace lumbra
{

DocumentChangeLock lockForPageChange(MAI* mai, const char* operation)
{
    return DocumentChangeLock(mai != nullptr ? mai->activeDocument : nullptr, operation);
}

void sendObjectChange(MAI* mai, const char* channel, VornBaseObject* object, const void* changedValue)
{
    ObjectChangeNotice notice{object, changedValue};
    notify(mai, channel, &notice);
}

void chooseObjectColour(MAI* mai, CColorButton& button, uint32_t& shown, VornBaseObject* object, const char* lockText,
                        const char* channel)
{
    if (object == nullptr || !button.chooseColour() || shown == object->getColor())
        return;
    {
        DocumentChangeLock lock = lockForPageChange(mai, lockText);
        if (!lock)
        {
            shown = object->getColor();
            button.invalidate(true);
            return;
        }
        object->setColor(shown);
    }
    sendObjectChange(mai, channel, object, &object->colorAndFlags);
}

bool noticeConcerns(const void* payload, const VornBaseObject* shown)
{
    if (payload == nullptr)
        return true;
    return shown != nullptr && static_cast<const ObjectChangeNotice*>(payload)->object == shown;
}

namespace
{

// The fewest digits, 6 to 9, that read the value back as the same float.
int singlePrecisionDigits(double value)
{
    const float stored = static_cast<float>(value);
    char text[64];
    for (int digits = 6; digits < 9; ++digits)
    {
        const std::to_chars_result written =
            std::to_chars(text, text + sizeof text, stored, std::chars_format::general, digits);
        float readBack = 0;
        std::from_chars(text, written.ptr, readBack);
        if (readBack == stored)
            return digits;
    }
    return 9;
}

int pageNumberDigits(double value, PageNumberForm form)
{
    switch (form)
    {
    case PageNumberForm::SinglePrecision:
        return singlePrecisionDigits(value);
    case PageNumberForm::Short:
        return 6;
    case PageNumberForm::Full:
        break;
    }
    return 15;
}

} // namespace

std::string pageNumberText(double value, PageNumberForm form)
{
    switch (form)
    {
    case PageNumberForm::SinglePrecision: {
        char text[64];
        const std::to_chars_result written = std::to_chars(text, text + sizeof text, static_cast<float>(value),
                                                           std::chars_format::general, singlePrecisionDigits(value));
        return std::string(text, written.ptr);
    }
    case PageNumberForm::Short:
        return doubleToShortText(value, 6);
    case PageNumberForm::Full:
        break;
    }
    return platform::formatDouble(value);
}

void setPageNumber(platform::Dialog& page, int32_t editId, double value, PageNumberForm form)
{
    page.setDlgItemNumber(editId, value, pageNumberText(value, form), pageNumberDigits(value, form));
}

void showPageNumber(platform::Dialog& page, int32_t editId, double value, PageNumberForm form)
{
    const bool singlePrecision = form == PageNumberForm::SinglePrecision;
    const auto same = [&](double shown) {
        return singlePrecision ? static_cast<float>(shown) == static_cast<float>(value) : shown == value;
    };
    platform::Window* edit = page.dlgItem(editId);
    if (double shown = 0.0; edit != nullptr && edit->shownNumber(shown))
    {
        if (same(shown))
            return;
    }
    else if (const TypedNumber typed = parseTypedNumber(page.dlgItemText(editId));
             typed.status == TypedNumberStatus::Accepted && same(typed.value))
        return;
    setPageNumber(page, editId, value, form);
}

std::vector<platform::DialogItemTemplate> valueRowItems(int32_t top, int32_t editLeft, int32_t labelId,
                                                        const char* label, int32_t editId, int32_t spinnerId,
                                                        const char* spinnerText)
{
    using namespace platform;
    using namespace SectionPagette;
    return {
        controlItem("Static", labelId, {labelLeft, top + 2, editLeft - gap - labelLeft, 8}, SS_LEFT, label),
        controlItem("Edit", editId, {editLeft, top, editRight - editLeft, rowHeight},
                    WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
        controlItem("Button", spinnerId, {spinnerLeft, top, spinnerWidth, rowHeight}, BS_OWNERDRAW, spinnerText),
    };
}

platform::DialogTemplate sectionPagetteTemplate(int32_t frameId, const char* title, int32_t height,
                                                std::vector<platform::DialogItemTemplate> items)
{
    using namespace platform;
    items.insert(items.begin(),
                 controlItem("Button", frameId, {0, 0, SectionPagette::width, height}, BS_OWNERDRAW, title));
    return dialogTemplateOf({0, 0, SectionPagette::width, height}, WS_CHILD | DS_CONTROL | DS_SETFONT, "",
                            std::move(items));
}

void attachPagetteFrame(platform::Dialog& page, CPagetteButton& frame, int32_t frameId)
{
    frame.subclassDlgItem(frameId, &page);
    const platform::Rect client = page.clientRect();
    frame.moveWindow(client, false);
    frame.openHeight = client.height();
}

} // namespace lumbra
