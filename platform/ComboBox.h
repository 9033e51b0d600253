#pragma once

#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

namespace platform
{

// A combo box (window class "ComboBox"): CBS_DROPDOWN (an edit field with a list) or
// CBS_DROPDOWNLIST (the list only). Items carry a data word. Only the user's own changes notify
// the parent (WM_COMMAND): choosing an item CBN_SELCHANGE, typing CBN_EDITCHANGE. Setting the
// selection or the text from code is silent.
class PLATFORM_API ComboBox : public Window
{
public:
    static constexpr const char* kClassName = "ComboBox";

    bool create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id);

    int addString(const std::string& text);
    // Inserts before `index` (-1: at the end); answers the item's index (-1 without a window).
    int insertString(int index, const std::string& text);
    // Answers the number of items left, or -1 for a bad index.
    int deleteString(int index);
    void resetContent();
    int count() const;
    std::string itemText(int index) const;
    std::intptr_t itemData(int index) const;
    bool setItemData(int index, std::intptr_t data);
    // The index of the item whose text equals `text` ignoring case, searching after `start`
    // (-1: from the top) and wrapping round; -1 when none.
    int findStringExact(int start, const std::string& text) const;

    int curSel() const;
    // Selects silently (-1 clears); answers the new selection, -1 for a bad index.
    int setCurSel(int index);

    // The edit field's text (a drop-list: the selected item's text) is the window text; setting
    // it with setWindowText is silent.
};

} // namespace platform
