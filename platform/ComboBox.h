#pragma once

#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

// A combo box: a drop-down (an edit field with a list) or a drop-list (the list only). Items
// carry a data word. Only the user's own changes notify: choosing an item sends
// ComboSelectionChange, typing sends ComboEditChange. Setting the selection or the text from
// code is silent.
class PLATFORM_API ComboBox
{
public:
    enum class Kind
    {
        DropDown,
        DropList
    };

    explicit ComboBox(Kind kind = Kind::DropList);
    ~ComboBox();
    ComboBox(const ComboBox&) = delete;
    ComboBox& operator=(const ComboBox&) = delete;

    Kind kind() const;
    int addString(const std::string& text);
    // Inserts before `index` (-1: at the end); answers the item's index.
    int insertString(int index, const std::string& text);
    // Answers the number of items left, or -1 for a bad index.
    int deleteString(int index);
    void resetContent();
    int count() const;
    std::string itemText(int index) const;
    std::intptr_t itemData(int index) const;
    bool setItemData(int index, std::intptr_t data);
    // The index of the item whose text equals `text` ignoring case, searching after `start`; -1 when none.
    int findStringExact(int start, const std::string& text) const;

    int curSel() const;
    // Selects silently (-1 clears); answers the new selection, -1 for a bad index.
    int setCurSel(int index);

    // The edit field's text (a drop-list: the selected item's text); setting it is silent.
    std::string windowText() const;
    void setWindowText(const std::string& text);

    // Notification codes go to the handler (the owner's WM_COMMAND in a dialog).
    void setNotificationHandler(std::function<void(std::uint32_t code)> handler);

    struct State;
    State& state() const { return *state_; }

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
