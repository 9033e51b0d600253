#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Menu-item plugins are joined into the menus along their menu paths ("&Calculate\&Method\&Basic
// Iteration"). Each path part but the last names a popup; it joins an entry whose text equals it
// with every "&" removed and letter case ignored, so "&Select type" and "Select &Type" are one.

// The few operations on one menu that path joining needs; the frame adapts its menus to it.
class EditableMenu
{
public:
    virtual ~EditableMenu() = default;
    virtual int entryCount() const = 0;
    // The entry's text as shown, with its "&" and any "\t" and hot-key text.
    virtual std::string entryText(int position) const = 0;
    // The popup the entry opens; null for a plain entry or a separator.
    virtual std::unique_ptr<EditableMenu> submenu(int position) = 0;
    virtual void removeEntry(int position) = 0;
    // Inserts a new, empty popup labelled `label` before `position` (at the end when position is
    // the entry count); null when it cannot be made.
    virtual std::unique_ptr<EditableMenu> insertPopup(int position, const std::string& label) = 0;
    virtual void appendItem(std::uint32_t commandId, const std::string& text) = 0;
};

// The text of a menu item's own entry: the path's last part, a tab and the hot-key text.
std::string menuEntryText(const std::string& lastPart, const std::string& hotKeyText);

// True when two menu texts are the same once every "&" is removed, ignoring letter case.
bool sameMenuLabel(const std::string& left, const std::string& right);

// Walks `path` from `menu`, joining or making the popups its parts name, and appends the entry
// `commandId` with the last part, a tab and `hotKeyText`. A plain entry met where a popup is needed
// is replaced by a popup at the same position.
void addMenuPath(EditableMenu& menu, const std::string& path, const std::string& hotKeyText, std::uint32_t commandId);

// Removes the entry that `addMenuPath` made for `path` and `hotKeyText`, and every popup that this
// leaves empty. Answers the number of entries left in `menu`, or -1 when the path is empty.
int removeMenuPath(EditableMenu& menu, const std::string& path, const std::string& hotKeyText);
