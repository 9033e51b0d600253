#include "BlockLists/BlockListGroup.h"

#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"

#include <cstring>

BlockListGroup::~BlockListGroup()
{
    while (firstList)
        removeBlockList(firstList);
}

void BlockListGroup::addBlockList(BlockListBase* list)
{
    if (!list || list->group || list->parent || list->next || list->previous)
        throw Exc_InternalError("BlockListGroup::addBlockList");
    if (blLockCount > 0)
        list->lock();
    linkAtFront<&BlockListBase::previous, &BlockListBase::next>(firstList, list);
    list->group = this;
}

void BlockListGroup::removeBlockList(BlockListBase* list)
{
    if (!list || list->group != this)
        return;
    unlinkBlockList(list);
    if (blLockCount > 0)
        list->unlock();
}

void BlockListGroup::unlinkBlockList(BlockListBase* list)
{
    unlinkFrom<&BlockListBase::previous, &BlockListBase::next>(firstList, list);
    list->group = nullptr;
}

BlockListBase* BlockListGroup::getBlockList(const char* name) const
{
    if (!name)
        return nullptr;
    for (BlockListBase* list = firstList; list; list = list->next)
    {
        const char* listName = list->getName();
        if (listName && std::strcmp(listName, name) == 0)
            return list;
    }
    return nullptr;
}

BlockListBase* BlockListGroup::getBlockList(int32_t index) const
{
    if (index < 0)
        return nullptr;
    BlockListBase* list = firstList;
    for (; list && index > 0; --index)
        list = list->next;
    return list;
}

void BlockListGroup::clearAll()
{
    for (BlockListBase* list = firstList; list; list = list->next)
        list->clear();
}

void BlockListGroup::lock()
{
    if (blLockCount == 0)
    {
        for (BlockListBase* list = firstList; list; list = list->next)
            list->lock();
    }
    ++blLockCount;
}

void BlockListGroup::unlock()
{
    if (blLockCount == 0)
        return;
    if (--blLockCount == 0)
    {
        for (BlockListBase* list = firstList; list; list = list->next)
            list->unlock();
    }
}
