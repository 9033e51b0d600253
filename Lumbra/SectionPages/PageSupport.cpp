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

std::string pageNumberText(double value, bool singlePrecision)
{
    if (!singlePrecision)
        return platform::formatDouble(value);
    const float stored = static_cast<float>(value);
    char text[64];
    for (int digits = 6; digits <= 9; ++digits)
    {
        const std::to_chars_result written =
            std::to_chars(text, text + sizeof text, stored, std::chars_format::general, digits);
        float readBack = 0;
        std::from_chars(text, written.ptr, readBack);
        if (readBack == stored || digits == 9)
            return std::string(text, written.ptr);
    }
    return {};
}

void showPageNumber(platform::Dialog& page, int32_t editId, double value, bool singlePrecision)
{
    const TypedNumber shown = parseTypedNumber(page.dlgItemText(editId));
    if (shown.status == TypedNumberStatus::Accepted)
    {
        const bool same =
            singlePrecision ? static_cast<float>(shown.value) == static_cast<float>(value) : shown.value == value;
        if (same)
            return;
    }
    page.setDlgItemText(editId, pageNumberText(value, singlePrecision));
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
