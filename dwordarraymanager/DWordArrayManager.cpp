#include "dwordarraymanager/DWordArrayManager.h"

#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"
#include "dwordarraymanager/DWordArrayHandle.h"

#include <cstring>
#include <new>

namespace
{
// This module's store: the host creates it, each plugin library is handed the host's.
DWordArrayManager* moduleStore = nullptr;
} // namespace

DWordArrayManager* DWordArrayManager::initiate()
{
    if (!moduleStore)
    {
        moduleStore = new (std::nothrow) DWordArrayManager();
        if (!moduleStore)
            throw Exc_OutOfMemory("DWordArrayManager::initiate");
    }
    return moduleStore;
}

DWordArrayManager* DWordArrayManager::instance()
{
    if (!moduleStore)
        throw Exc_InternalError("DWordArrayManager::instance");
    return moduleStore;
}

void DWordArrayManager::setInstance(DWordArrayManager* manager)
{
    moduleStore = manager;
}

DWordArrayManager::~DWordArrayManager()
{
    while (firstBlock)
        destroyBlock(firstBlock);
}

uint32_t DWordArrayManager::getBlockCount() const
{
    uint32_t blocks = 0;
    for (DWordArrayBlock* block = firstBlock; block; block = block->next)
        ++blocks;
    return blocks;
}

void DWordArrayManager::createEntryOfLength(uint32_t length, DWordArrayHandle* handle)
{
    if (!handle)
        return;
    if (length > MAXLENGTH)
        throw Exc_InternalError("DWordArrayManager::createEntryOfLength");
    handle->free();

    const uint32_t need = DWordArrayEntry::footprint(length);
    DWordArrayBlock* block = firstBlock;
    while (block && block->spaceLeft() < need)
        block = block->next;
    if (!block)
    {
        block = new (std::nothrow) DWordArrayBlock();
        if (!block)
            throw Exc_OutOfMemory("DWordArrayManager::createEntryOfLength");
        block->manager = this;
        linkAtFront<&DWordArrayBlock::previous, &DWordArrayBlock::next>(firstBlock, block);
        capacity += DWordArrayBlock::DATAWORDS;
    }

    DWordArrayEntry* entry = new (block->entryAt(block->used)) DWordArrayEntry{handle, block, block->used, length};
    handle->entry = entry;
    block->used += need;
    used += need;
    ++entryCount;
}

void DWordArrayManager::removeEntry(DWordArrayEntry* entry)
{
    if (entry)
        entry->block->removeEntry(entry);
}

void DWordArrayBlock::removeEntry(DWordArrayEntry* entry)
{
    const uint32_t gap = DWordArrayEntry::footprint(entry->length);
    const uint32_t start = entry->offset;
    manager->used -= gap;
    --manager->entryCount;
    entry->owner->entry = nullptr;

    const uint32_t behind = start + gap;
    std::memmove(data + start * 4u, data + behind * 4u, (used - behind) * 4u);
    used -= gap;
    for (uint32_t offset = start; offset < used;)
    {
        DWordArrayEntry* moved = entryAt(offset);
        moved->offset = offset;
        moved->block = this;
        moved->owner->entry = moved;
        offset += DWordArrayEntry::footprint(moved->length);
    }

    if (used == 0)
        manager->releaseEmptyBlocks();
}

void DWordArrayBlock::orphanEntries()
{
    for (uint32_t offset = 0; offset < used;)
    {
        DWordArrayEntry* entry = entryAt(offset);
        entry->owner->entry = nullptr;
        offset += DWordArrayEntry::footprint(entry->length);
    }
}

void DWordArrayManager::releaseEmptyBlocks()
{
    bool spareKept = false;
    for (DWordArrayBlock* block = firstBlock; block;)
    {
        DWordArrayBlock* next = block->next;
        if (block->used == 0)
        {
            if (spareKept)
                destroyBlock(block);
            spareKept = true;
        }
        block = next;
    }
}

void DWordArrayManager::destroyBlock(DWordArrayBlock* block)
{
    uint32_t entriesLeft = 0;
    for (uint32_t offset = 0; offset < block->used; ++entriesLeft)
        offset += DWordArrayEntry::footprint(block->entryAt(offset)->length);
    block->orphanEntries();
    entryCount -= entriesLeft;
    capacity -= DWordArrayBlock::DATAWORDS;
    used -= block->used;
    unlinkFrom<&DWordArrayBlock::previous, &DWordArrayBlock::next>(firstBlock, block);
    delete block;
}
