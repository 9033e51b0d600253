#pragma once

#include "dwordarraymanager/DWordArrayManager.h"

// The one owner of an array in the DWordArrayManager. Not copyable: the store rewrites exactly the
// handle its entry names, so a copy would keep a stale address. Moving goes through moveTo, which
// tells the entry about its new owner. Destroying a handle frees its entry.
class DWordArrayHandle
{
public:
    DWordArrayHandle() = default;
    ~DWordArrayHandle() { free(); }
    DWordArrayHandle(const DWordArrayHandle&) = delete;
    DWordArrayHandle& operator=(const DWordArrayHandle&) = delete;

    // Removes the entry from its store; the handle becomes empty.
    void free();
    // Keeps the entry and its contents when it has exactly `length` words; otherwise frees it and,
    // for a length above 0, creates a new entry of that length in the module's store (contents not
    // initialised).
    void reallocate(uint32_t length);
    // The other handle takes over this handle's entry (its own entry is freed first); this handle
    // becomes empty.
    void moveTo(DWordArrayHandle& other);

    uint32_t getLength() const { return entry ? entry->length : 0; }
    uint32_t* getData() { return entry ? entry->data() : nullptr; }
    const uint32_t* getData() const { return entry ? entry->data() : nullptr; }
    bool isEmpty() const { return entry == nullptr; }
    DWordArrayEntry* getEntry() const { return entry; }

private:
    friend class DWordArrayManager;
    friend class DWordArrayBlock;
    DWordArrayEntry* entry = nullptr;
};
