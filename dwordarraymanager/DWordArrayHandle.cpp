#include "dwordarraymanager/DWordArrayHandle.h"

void DWordArrayHandle::free()
{
    if (entry)
        entry->block->removeEntry(entry);
}

void DWordArrayHandle::reallocate(uint32_t length)
{
    if (entry && entry->length == length)
        return;
    if (length == 0)
        free();
    else
        DWordArrayManager::instance()->createEntryOfLength(length, this); // checks, then frees the old entry
}

void DWordArrayHandle::moveTo(DWordArrayHandle& other)
{
    if (&other == this)
        return;
    other.free();
    other.entry = entry;
    if (entry)
        entry->owner = &other;
    entry = nullptr;
}
