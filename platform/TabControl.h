#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

namespace platform
{

class ImageList;

// Styles of the tab control.
inline constexpr std::uint32_t TCS_SINGLELINE = 0x0000;
inline constexpr std::uint32_t TCS_FOCUSNEVER = 0x8000; // a click does not take the focus

// A bare tab strip (window class "SysTabControl32"): tabs with text, an image from the control's
// image list and a data word. Selecting from code is silent; the user's change asks the parent
// first (TCN_SELCHANGING; a nonzero answer keeps the current tab), then changes and tells it
// (TCN_SELCHANGE). An object can also take over a tab control made from a dialog template.
class PLATFORM_API TabControl : public Window
{
public:
    static constexpr const char* kClassName = "SysTabControl32";

    bool create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id);

    void setImageList(const ImageList* images);
    // Room around each tab's image and text.
    void setPadding(Size padding);

    // Inserts before `index` (at the end when out of range); answers the new tab's index, -1
    // without a window.
    int insertItem(int index, const std::string& text, int image = -1, std::intptr_t data = 0);
    bool deleteItem(int index);
    void deleteAllItems();
    int itemCount() const;
    std::string itemText(int index) const;
    int itemImage(int index) const;
    std::intptr_t itemData(int index) const;

    int curSel() const;
    // Selects without notifying; answers the previous selection (-1 for a bad index, no change).
    int setCurSel(int index);
};

} // namespace platform
