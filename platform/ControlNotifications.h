#pragma once

#include "platform/Message.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"
#include "platform/ToolbarButton.h"

#include <cstdint>

namespace platform
{

// Records of the rich controls' notifications. Tab, tree and toolbar controls send WM_NOTIFY to
// their parent (wParam the control id, lParam the record); combo boxes send their codes in
// WM_COMMAND.

// The head of every WM_NOTIFY record.
struct NotifyHeader
{
    WindowHandle from = WindowHandle::None;
    std::uintptr_t idFrom = 0;
    std::int32_t code = 0;
};

// Names one item of a tree control. Safe to hold: once the item is deleted the value names
// nothing and every operation on it does nothing. None is the invisible root.
enum class TreeItem : std::uint64_t
{
    None = 0,
    // Places for insertItem's `insertAfter`.
    First = 0xFFFFFFFFFFFF0001ull,
    Last = 0xFFFFFFFFFFFF0002ull,
    Sort = 0xFFFFFFFFFFFF0003ull,
};

struct TreeItemRecord
{
    TreeItem item = TreeItem::None;
    std::intptr_t data = 0;
    // The label: for TVN_ENDLABELEDIT the edited text, null when the edit was cancelled.
    const char* text = nullptr;
};

// TVN_SELCHANGING and TVN_SELCHANGED (a nonzero answer to the first keeps the selection).
struct NotifyTree
{
    NotifyHeader header;
    std::uint32_t action = TVC_UNKNOWN;
    TreeItemRecord oldItem;
    TreeItemRecord newItem;
};

// TVN_BEGINLABELEDIT (a nonzero answer vetoes the edit) and TVN_ENDLABELEDIT (a nonzero answer
// keeps the new text).
struct NotifyTreeLabel
{
    NotifyHeader header;
    TreeItemRecord item;
};

// TVN_ITEMCHANGED: the user changed an item's state bits (toggled its check box); code never
// sends it. NM_RCLICK, sent when the right button is released over the tree, carries only the
// header: the parent finds the item with a hit test at the cursor position.
struct NotifyTreeItemChange
{
    NotifyHeader header;
    TreeItemRecord item;
    std::uint32_t oldState = 0;
    std::uint32_t newState = 0;
};

// The toolbar's customising notifications. For TBN_GETBUTTONINFO the owner fills `button` and
// copies the button's name into `text` (room for textLimit characters with the terminator) and
// answers nonzero; zero ends the list. TBN_QUERYINSERT and TBN_QUERYDELETE allow with nonzero.
struct NotifyToolbar
{
    NotifyHeader header;
    std::int32_t item = -1;
    ToolbarButton button;
    std::int32_t textLimit = 0;
    char* text = nullptr;

    // The owner's answer to TBN_GETBUTTONINFO: the button and as much of its name (null: none)
    // as `text` holds.
    PLATFORM_API void answer(const ToolbarButton& record, const char* name);
};

} // namespace platform
