#pragma once

// What the draw objects share of the selection protocol: the object that stands for an item, the
// marking of hits (with the closed groups that hold the item), the combination of the hits with the
// selection per mode, and the commit.

#include "BlockLists/BlockList.h"
#include "VornData/VornSelectable.h"

#include <cstdint>

class VornDocument;

namespace zintel
{

class OpenGLDrawObject;

namespace PickMode
{
constexpr int32_t Start = 0;
constexpr int32_t Commit = 1;
constexpr int32_t Replace = 2;
constexpr int32_t Add = 3;
constexpr int32_t Subtract = 4;
constexpr int32_t Toggle = 5;
constexpr int32_t BandDraw = 7;
constexpr int32_t PointDraw = 8;
} // namespace PickMode

// The outermost closed group that holds the object, or the object itself.
const VornBaseObject& representativeOf(const VornSelectable& object);

// True when the object is drawn nowhere and cannot be picked: its representative is hidden.
bool isHiddenItem(const VornSelectable& object);

// A hit item: it becomes pre-selected, and the closed groups that hold it follow the mode
// (replace and add mark them, subtract clears them, toggle inverts their selection).
void markHit(VornSelectable& item, int32_t mode);

// After the hits of modes 3 to 5: add keeps the selected items, subtract removes the hits from the
// selection, toggle inverts the selection of the hits.
void combineWithSelection(VornBaseObject& item, int32_t mode);

// The rubber band was dragged from left to right: items count only when wholly inside.
bool usesWindowRule(const OpenGLDrawObject& object);

// Applies the hits of the view's last pick to the `count` items of the object whose names it drew
// (firstPickName + index; under the window rule also firstPickName + count + index for the far
// end), then combines with the selection by mode. `itemAt` gives the item of an index.
template <class Item, class ItemAt>
void applyHits(const OpenGLDrawObject& object, uint32_t count, int32_t mode, bool windowRule, ItemAt itemAt);

// Selected := pre-selected for every item; every pre-selected item joins the document's current
// selection.
template <class Item>
void commitSelection(BlockList<Item>& list, VornDocument& document);

// Modes 1 to 5 of the selection protocol for the items of a list that the object named by index
// (modes 7 and 8 draw the names and are each object's own).
template <class Item>
void applySelectionMode(const OpenGLDrawObject& object, BlockList<Item>& list, int32_t mode, bool windowRule);

// The list of that name of the document the object's view shows; null when there is none.
template <class Item>
BlockList<Item>* documentList(const OpenGLDrawObject& object, const char* name);

// The item behind a pick name of the object (the list's range check throws outside it); null
// without a list.
template <class Item>
VornBaseObject* pickedItem(const OpenGLDrawObject& object, BlockList<Item>* list, uint32_t name);

// Some item's representative is selected.
template <class Item>
bool hasSelectedRepresentative(BlockList<Item>* list);

VornDocument* documentOf(const OpenGLDrawObject& object);

// The hit records of the view type's last pick: name count, two depths, the names.
struct HitRecords
{
    const uint32_t* buffer = nullptr;
    int32_t count = 0;
};
HitRecords lastHits(const OpenGLDrawObject& object);

} // namespace zintel

#include "Zintel/SelectionProtocol.inl"
