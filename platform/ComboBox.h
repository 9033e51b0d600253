#pragma once

#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

namespace platform
{

// A combo box (window class "ComboBox"): CBS_DROPDOWN (an edit field with a list) or
// CBS_DROPDOWNLIST (the list only); with CBS_SORT addString keeps the items sorted by text,
// ignoring case. Items carry a data word. Only the user's own actions notify the parent
// (WM_COMMAND): opening the list CBN_DROPDOWN (sent before it opens, so the owner may fill it),
// choosing an item CBN_SELCHANGE, typing CBN_EDITCHANGE. Setting the selection or the text from
// code is silent. The window's height as given is that of the field with its list dropped: the
// window itself is the closed field, one line high, and the rest is the list's height.
class PLATFORM_API ComboBox : public Window
{
public:
    static constexpr const char* kClassName = "ComboBox";

    bool create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id);

    // Adds at the end, or in its place by text with CBS_SORT; answers the item's index.
    int addString(const std::string& text);
    // Inserts before `index` (-1: at the end), also in a sorted combo; answers the item's index
    // (-1 without a window).
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

    // The selection in the edit field, [start, end); false for a drop-list.
    bool editSel(int& start, int& end) const;
    // Selects in the edit field: a negative start removes the selection, a negative end selects
    // to the end of the text. False for a drop-list.
    bool setEditSel(int start, int end);

    // The edit field's text (a drop-list: the selected item's text) is the window text; setting
    // it with setWindowText is silent.
};

} // namespace platform
