#pragma once

// Dialog templates: a dialog's controls with class, id, rectangle in dialog units, style and
// text, and its font. Dialog units map to pixels through the base units of the dialog font, which
// is read from its file and so the same on every machine: a horizontal unit is a quarter of the
// font's average letter width and a vertical unit an eighth of its line, so that texts laid out
// for the template font fit in the font shown.

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform
{

// A rectangle in dialog units: position and size, as resource scripts write it.
struct DialogUnitRect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// x = dlu * base width / 4 and y = dlu * base height / 8 (6 and 13 pixels with the dialog font),
// rounded to the nearest pixel (halves away from zero); right and bottom are mapped from x + width
// and y + height so neighbours stay flush. They need the platform::Application (the font).
PLATFORM_API int32_t dialogUnitsToPixelsX(int32_t units);
PLATFORM_API int32_t dialogUnitsToPixelsY(int32_t units);
PLATFORM_API Rect dialogUnitsToPixels(const DialogUnitRect& rect);

struct DialogItemTemplate
{
    std::string className; // "Button", "Edit", "Static", "ListBox", "ScrollBar"
    int32_t id = 0;
    DialogUnitRect rect;
    uint32_t style = 0; // the control's whole style; WS_CHILD is added
    uint32_t exStyle = 0;
    std::string text; // a static bitmap names its bitmap resource as "#<id>"
    // The class of the user-interface kit the control becomes (its dialog subclasses it, or a
    // factory registered with registerKitClass does); empty for a plain control.
    std::string kitClass;
};

struct DialogTemplate
{
    DialogUnitRect rect; // position (child dialogs: in the parent) and client size
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::string caption;
    std::string fontName = "MS Sans Serif";
    int32_t fontPointSize = 8;
    std::vector<DialogItemTemplate> items;
};

// The builders every module writes its templates with, as resource scripts read: a visible control
// with its whole style, push buttons and check boxes in the tab order, and a dialog.
inline DialogItemTemplate controlItem(std::string className, int32_t id, DialogUnitRect rect, uint32_t style,
                                      std::string text = "")
{
    DialogItemTemplate item;
    item.className = std::move(className);
    item.id = id;
    item.rect = rect;
    item.style = style | WS_VISIBLE;
    item.text = std::move(text);
    return item;
}

inline DialogItemTemplate pushButtonItem(int32_t id, DialogUnitRect rect, std::string text, uint32_t extra = 0)
{
    return controlItem("Button", id, rect, BS_PUSHBUTTON | WS_TABSTOP | extra, std::move(text));
}

inline DialogItemTemplate checkBoxItem(int32_t id, DialogUnitRect rect, std::string text, uint32_t extra = 0)
{
    return controlItem("Button", id, rect, BS_AUTOCHECKBOX | WS_TABSTOP | extra, std::move(text));
}

inline DialogTemplate dialogTemplateOf(DialogUnitRect rect, uint32_t style, std::string caption,
                                       std::vector<DialogItemTemplate> items)
{
    DialogTemplate result;
    result.rect = rect;
    result.style = style;
    result.caption = std::move(caption);
    result.items = std::move(items);
    return result;
}

} // namespace platform
