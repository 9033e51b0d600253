#pragma once

#include <cstddef>
#include <cstdint>

// Process-wide store of variable-length arrays of 32-bit words (a cross-section's shape data, a
// transform modifier's parameter block). Arrays are packed into 256 KB blocks without per-array
// allocation. An owner reaches its array only through a DWordArrayHandle; every entry points back at
// its handle, so the store may move entries to close gaps and rewrite the handle.
//
// Entry data is always 8-byte aligned (arrays may hold doubles): entries start on 8-byte boundaries
// and an entry of an odd number of words takes one padding word.

class DWordArrayManager;
class DWordArrayBlock;
class DWordArrayHandle;

struct DWordArrayEntry
{
    DWordArrayHandle* owner; // the handle that points at this entry
    DWordArrayBlock* block; // the block that holds it
    uint32_t offset; // word position of the entry in its block's data
    uint32_t length; // data words (padding not counted)

    // Header words in front of the data.
    static constexpr uint32_t HEADERSIZE = 6;

    uint32_t* data() { return reinterpret_cast<uint32_t*>(this + 1); }
    // Words the entry takes in its block: header, data and the padding that keeps the next entry aligned.
    static constexpr uint32_t footprint(uint32_t length) { return HEADERSIZE + length + (length & 1u); }
};
static_assert(sizeof(DWordArrayEntry) == DWordArrayEntry::HEADERSIZE * sizeof(uint32_t));
static_assert(sizeof(DWordArrayEntry) % 8 == 0, "entry data must stay 8-byte aligned");

class DWordArrayBlock
{
public:
    static constexpr uint32_t DATAWORDS = 0x10000;

    DWordArrayBlock* next = nullptr;
    DWordArrayBlock* previous = nullptr;
    uint32_t used = 0; // word position behind the last entry
    DWordArrayManager* manager = nullptr;

    uint32_t spaceLeft() const { return DATAWORDS - used; }
    DWordArrayEntry* entryAt(uint32_t offset) { return reinterpret_cast<DWordArrayEntry*>(data + offset * 4u); }

    // Removes an entry: the entries behind it move down to close the gap and their handles follow.
    void removeEntry(DWordArrayEntry* entry);
    // Empties the handle of every entry still in the block.
    void orphanEntries();

    alignas(8) std::byte data[DATAWORDS * 4u];
};

class DWordArrayManager
{
public:
    DWordArrayManager() = default;
    // Frees every block; handles still pointing into them become empty.
    ~DWordArrayManager();
    DWordArrayManager(const DWordArrayManager&) = delete;
    DWordArrayManager& operator=(const DWordArrayManager&) = delete;

    // Creates this module's store when it has none; returns the module's store.
    static DWordArrayManager* initiate();
    // The module's store; throws Exc_InternalError when there is none.
    static DWordArrayManager* instance();
    // Makes a store created elsewhere (the host's, handed over by the global object device) this
    // module's store.
    static void setInstance(DWordArrayManager* manager);

    // Largest array an entry can hold: header and data must fit into one block.
    static constexpr uint32_t MAXLENGTH = DWordArrayBlock::DATAWORDS - DWordArrayEntry::HEADERSIZE;

    // Creates an entry of `length` data words (contents not initialised) and points the handle at it.
    // A handle that held an entry loses it first. Null handle: nothing. A length above MAXLENGTH
    // throws Exc_InternalError.
    void createEntryOfLength(uint32_t length, DWordArrayHandle* handle);
    void removeEntry(DWordArrayEntry* entry);
    // Frees every empty block but the first one found, which stays as a spare.
    void releaseEmptyBlocks();

    uint32_t getCapacity() const { return capacity; } // words of all blocks
    uint32_t getUsed() const { return used; } // words taken by entries, headers included
    uint32_t getEntryCount() const { return entryCount; } // live entries
    uint32_t getBlockCount() const;
    DWordArrayBlock* getFirstBlock() const { return firstBlock; }

private:
    friend class DWordArrayBlock;
    void destroyBlock(DWordArrayBlock* block);

    DWordArrayBlock* firstBlock = nullptr;
    uint32_t capacity = 0;
    uint32_t used = 0;
    uint32_t entryCount = 0;
};
