#pragma once

#include "BlockLists/BlockListBase.h"

#include <cstdint>

// A set of block lists found by name: the lists of one model. The group does not own its lists.
// Group locks nest; the lists are locked once while the group is locked.
class BlockListGroup
{
public:
    BlockListGroup() = default;
    // Takes every list out of the chain; the lists stay alive.
    virtual ~BlockListGroup();
    BlockListGroup(const BlockListGroup&) = delete;
    BlockListGroup& operator=(const BlockListGroup&) = delete;

    // Puts the list at the head of the chain; a list of a name already present does not replace it
    // but is found first. A list added to a locked group is locked with it. Throws
    // Exc_InternalError for a null list or one that already sits in a group or under a parent.
    void addBlockList(BlockListBase* list);
    // Takes the list out of the chain; a list that leaves a locked group is unlocked once. A list that
    // is not in this group: nothing.
    void removeBlockList(BlockListBase* list);
    // The most recently added list of that name (exact comparison), or null.
    BlockListBase* getBlockList(const char* name) const;
    // The list at that position of the chain (0: the most recently added), or null.
    BlockListBase* getBlockList(int32_t index) const;
    BlockListBase* getFirstBlockList() const { return firstList; }

    void clearAll();
    void lock();
    // An unlock without a lock does nothing.
    void unlock();
    int32_t getLockCount() const { return blLockCount; }

private:
    friend class BlockListBase;
    // Takes a list out of the chain without touching its lock (a list that is being destroyed).
    void unlinkBlockList(BlockListBase* list);

    BlockListBase* firstList = nullptr;
    int32_t blLockCount = 0;
};
