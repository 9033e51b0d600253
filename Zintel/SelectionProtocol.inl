#pragma once

#include "VornData/VornDocument.h"
#include "VornData/VornSelection.h"
#include "Zintel/OpenGLFamilies.h"

namespace zintel
{

template <class Item, class ItemAt>
void applyHits(const OpenGLDrawObject& object, uint32_t count, int32_t mode, bool windowRule, ItemAt itemAt)
{
    const HitRecords hits = lastHits(object);
    const uint32_t first = object.firstPickName;
    int32_t at = 0;
    for (int32_t record = 0; record < hits.count; ++record)
    {
        const uint32_t names = hits.buffer[at];
        const int32_t next = at + 3 + static_cast<int32_t>(names);
        if (names > 0)
        {
            const uint32_t index = hits.buffer[at + 3] - first;
            if (!windowRule)
            {
                if (index < count)
                    markHit(itemAt(index), mode);
            }
            else if (index < count && record + 1 < hits.count && hits.buffer[next] > 0 &&
                     hits.buffer[next + 3] - first - count == index)
            {
                // Both ends inside: the far end's record is used up with the near one.
                markHit(itemAt(index), mode);
                at = next + 3 + static_cast<int32_t>(hits.buffer[next]);
                ++record;
                continue;
            }
        }
        at = next;
    }
    if (mode != PickMode::Replace)
        for (uint32_t index = count; index-- > 0;)
            combineWithSelection(itemAt(index), mode);
}

template <class Item>
void commitSelection(BlockList<Item>& list, VornDocument& document)
{
    VornSelection* selection = document.getSelection();
    for (uint32_t index = list.getCount(); index-- > 0;)
    {
        Item& item = list[index];
        item.setSelected(item.isPreSelected());
        if (item.isPreSelected())
            selection->add(&item);
    }
}

template <class Item>
void applySelectionMode(const OpenGLDrawObject& object, BlockList<Item>& list, int32_t mode, bool windowRule)
{
    switch (mode)
    {
    case PickMode::Replace:
    case PickMode::Add:
    case PickMode::Subtract:
    case PickMode::Toggle:
        applyHits<Item>(object, list.getCount(), mode, windowRule,
                        [&list](uint32_t index) -> Item& { return list[index]; });
        break;
    case PickMode::Commit:
        if (VornDocument* document = documentOf(object))
            commitSelection(list, *document);
        break;
    default:
        break;
    }
}

template <class Item>
BlockList<Item>* documentList(const OpenGLDrawObject& object, const char* name)
{
    VornDocument* document = documentOf(object);
    return document != nullptr ? static_cast<BlockList<Item>*>(document->getBlockList(name)) : nullptr;
}

template <class Item>
VornBaseObject* pickedItem(const OpenGLDrawObject& object, BlockList<Item>* list, uint32_t name)
{
    return list != nullptr ? &(*list)[name - object.firstPickName] : nullptr;
}

template <class Item>
bool hasSelectedRepresentative(BlockList<Item>* list)
{
    if (list == nullptr)
        return false;
    for (uint32_t index = list->getCount(); index-- > 0;)
        if (representativeOf((*list)[index]).hasFlagBits(VornFlag::Selected))
            return true;
    return false;
}

} // namespace zintel
