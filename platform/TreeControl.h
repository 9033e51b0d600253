#pragma once

#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

class ImageList;

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

// Expand, collapse or toggle.
enum class TreeExpand : std::uint32_t
{
    Collapse = 1,
    Expand = 2,
    Toggle = 3,
};

// One notification of a tree control. For TreeEndLabelEdit, `text` is the edited text, or null
// when the edit was cancelled; a nonzero answer keeps the new text.
struct TreeNotification
{
    std::int32_t code = 0;
    std::uint32_t action = 0; // tree_action: how a selection changed
    TreeItem oldItem = TreeItem::None;
    TreeItem newItem = TreeItem::None;
    std::intptr_t oldData = 0;
    std::intptr_t newData = 0;
    const char* text = nullptr;
};

// A tree of items with text, images and a data word. Selecting an item (or none) and starting a
// label edit notify also from code, as the user's own action would; a nonzero answer to
// TreeSelectionChanging or TreeBeginLabelEdit vetoes. Deleting items and expanding from code
// are silent.
class PLATFORM_API TreeControl
{
public:
    TreeControl();
    ~TreeControl();
    TreeControl(const TreeControl&) = delete;
    TreeControl& operator=(const TreeControl&) = delete;

    void setImageList(const ImageList* images);
    // Whether the user may edit labels (click on the selected item, or F2).
    void setEditLabels(bool allowed);

    // A new item under `parent` (None: top level) after `insertAfter` (an item, First, Last or
    // Sort for its place by text). None when the parent or the place names no item.
    TreeItem insertItem(const std::string& text, int image, int selectedImage, TreeItem parent = TreeItem::None,
                        TreeItem insertAfter = TreeItem::Last, std::intptr_t data = 0);
    bool deleteItem(TreeItem item);
    bool deleteAllItems();
    int count() const;

    std::string itemText(TreeItem item) const;
    bool setItemText(TreeItem item, const std::string& text);
    std::intptr_t itemData(TreeItem item) const;
    bool setItemData(TreeItem item, std::intptr_t data);
    int itemImage(TreeItem item) const;
    bool setItemImage(TreeItem item, int image, int selectedImage);

    TreeItem rootItem() const; // the first top-level item
    TreeItem parentItem(TreeItem item) const;
    TreeItem childItem(TreeItem item) const; // first child; None: the first top-level item
    TreeItem nextSibling(TreeItem item) const;
    bool itemHasChildren(TreeItem item) const;
    bool sortChildren(TreeItem item);

    bool expand(TreeItem item, TreeExpand how);
    bool isExpanded(TreeItem item) const;

    TreeItem selectedItem() const;
    // Selects the item (None: no selection), notifying as the user's change would.
    bool selectItem(TreeItem item);

    // Starts editing the label (asks with TreeBeginLabelEdit first); false when vetoed or no item.
    bool editLabel(TreeItem item);
    bool isEditingLabel() const;
    // The text in the label editor, as the user types it.
    void setEditText(const std::string& text);
    // Ends the edit as Enter (keep) or Escape (cancel) would.
    bool endEditLabelNow(bool cancel);

    void setNotificationHandler(std::function<std::intptr_t(TreeNotification&)> handler);

    struct State;
    State& state() const { return *state_; }

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
