#pragma once

#include "platform/ControlNotifications.h"
#include "platform/DrawingConstants.h"
#include "platform/PlatformApi.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

namespace platform
{

class ImageList;

// Expand, collapse or toggle.
enum class TreeExpand : std::uint32_t
{
    Collapse = 1,
    Expand = 2,
    Toggle = 3,
};

// A tree of items with text, images and a data word (window class "SysTreeView32"). Selecting an
// item (or none) and starting a label edit notify the parent also from code, as the user's own
// action would (TVN_SELCHANGING, TVN_SELCHANGED; TVN_BEGINLABELEDIT, TVN_ENDLABELEDIT); a nonzero
// answer to a "changing" or "begin" notification vetoes. Deleting items, expanding, scrolling and
// setting a check box from code are silent. With TVS_EDITLABELS the user edits a label by
// clicking the selected item or F2. With TVS_CHECKBOXES every item has a check box (its state
// image); the user's click on it or Space toggles it and sends TVN_ITEMCHANGED. A right click
// sends NM_RCLICK. Taking the focus selects nothing by itself.
class PLATFORM_API TreeControl : public Window
{
public:
    static constexpr const char* kClassName = "SysTreeView32";

    bool create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id);

    void setImageList(const ImageList* images);

    // A new item under `parent` (None: top level) after `insertAfter` (an item, First, Last or
    // Sort for its place by text, ignoring case). None when the parent or the place names no item.
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
    // The item's state bits under `mask`; of them the tree keeps TVIS_BOLD (a bold label) and
    // the state image index in TVIS_STATEIMAGEMASK (0 none, 1 unchecked, 2 checked).
    std::uint32_t itemState(TreeItem item, std::uint32_t mask) const;
    bool setItemState(TreeItem item, std::uint32_t state, std::uint32_t mask);
    // The item's check box (state image 2: checked).
    bool getCheck(TreeItem item) const;
    bool setCheck(TreeItem item, bool checked);

    // The colour behind the items (CLR_DEFAULT: the system's); answers the one before.
    ColorRef setBkColor(ColorRef colour);
    ColorRef getBkColor() const;

    TreeItem rootItem() const; // the first top-level item
    TreeItem parentItem(TreeItem item) const;
    TreeItem childItem(TreeItem item) const; // first child; None: the first top-level item
    TreeItem nextSibling(TreeItem item) const;
    TreeItem previousSibling(TreeItem item) const;
    bool itemHasChildren(TreeItem item) const;
    bool sortChildren(TreeItem item);

    bool expand(TreeItem item, TreeExpand how);
    bool isExpanded(TreeItem item) const;
    // Expands the item's ancestors and scrolls it into view.
    bool ensureVisible(TreeItem item);

    // The item at a point in client coordinates and, in `flags`, where on it the point lies
    // (TVHT_*); None when the point is on no item.
    TreeItem hitTest(Point client, std::uint32_t* flags = nullptr) const;

    TreeItem selectedItem() const;
    // Selects the item (None: no selection), notifying as the user's change would.
    bool selectItem(TreeItem item);

    // Starts editing the label (asks with TVN_BEGINLABELEDIT first); false when vetoed or no item.
    bool editLabel(TreeItem item);
    bool isEditingLabel() const;
    // The label editor while a label is edited: a child edit window of the tree ("Edit") that
    // takes Enter and Escape sent to it as the person's keys; null otherwise.
    Window* editControl() const;
    // The text in the label editor, as the user types it.
    void setEditText(const std::string& text);
    // Ends the edit as Enter (keep) or Escape (cancel) would.
    bool endEditLabelNow(bool cancel);
};

} // namespace platform
