#pragma once

#include "BlockLists/BlockMemory.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

// A document's texts (the names of its objects), packed one after another in 256 KB blocks without
// per-text allocation. A text is reached only through a StringHandle; every entry points back at its
// handle, so the storage may move entries at any time (to close the gap of a released text, or to
// merge half-empty blocks) and rewrite the handle.
//
// Entries start on 8-byte boundaries (their headers hold pointers). A text too long for a standard
// block gets a block of its own that fits it.

class StringManager;
class StringHandle;
struct StringBlock;

struct StringEntry
{
    StringBlock* block; // the block that holds the entry
    StringHandle* owner; // null in a terminator
    StringEntry* next; // the address just behind the entry; null in a terminator

    static constexpr uint32_t HEADERWORDS = 6;
    char* text() { return reinterpret_cast<char*>(this + 1); }
    // Words an entry of a text of `length` characters takes: header, text, its zero byte, and zero
    // padding to the next 8-byte boundary.
    static constexpr uint64_t words(uint64_t length) { return HEADERWORDS + (length + 8) / 8 * 2; }
};
static_assert(sizeof(StringEntry) == StringEntry::HEADERWORDS * sizeof(uint32_t));

struct StringBlock
{
    StringManager* manager;
    StringBlock* previous;
    StringBlock* next;
    uint32_t used; // words of entries, counted from the start of the data, up to the terminator
    uint32_t capacity; // data words: the standard size, or more for a block made for one long text

    static constexpr uint32_t BYTES = 0x40000;
    static constexpr uint32_t STANDARDCAPACITY = 0x10000 - 8; // data words of a standard 256 KB block

    std::byte* data() { return reinterpret_cast<std::byte*>(this + 1); }
    StringEntry* entryAt(uint32_t word) { return reinterpret_cast<StringEntry*>(data() + word * uint64_t{4}); }
    uint32_t wordOf(const StringEntry* entry)
    {
        return static_cast<uint32_t>((reinterpret_cast<const std::byte*>(entry) - data()) / 4);
    }
    // Whether `words` more words and the terminator fit.
    bool hasRoom(uint64_t words) const { return used + words + StringEntry::HEADERWORDS <= capacity; }
};
static_assert(sizeof(StringBlock) == 32 &&
              StringBlock::BYTES == sizeof(StringBlock) + StringBlock::STANDARDCAPACITY * 4u);

struct StringManagerStatistics
{
    uint32_t usedWords; // of all blocks
    uint32_t blockCount;
    uint32_t blockDataWords; // data words of a standard block
    uint32_t releaseCount; // since the last compaction
    uint32_t compactionThreshold; // releases that trigger a compaction
};

// The blocks of a StringManager in chain order, with a tree of the largest room over every run of
// them: storing a text finds the first block with room for it in a few steps, without reading the
// header of every block before it.
class StringBlockRooms
{
public:
    static constexpr size_t NONE = SIZE_MAX;

    // Room of a block: the words an entry may take there, beside the terminator behind it.
    static uint32_t roomOf(const StringBlock* block) { return block->capacity - block->used - StringEntry::HEADERWORDS; }

    size_t size() const { return blocks.size(); }
    StringBlock* blockAt(size_t position) const { return blocks[position]; }
    // The position of the first block, from the head, with room for an entry of `words` words;
    // NONE when no block has it.
    size_t firstWithRoom(uint64_t words) const;
    void append(StringBlock* block);
    // After the use of the block at a position changed.
    void update(size_t position);
    // After the use of a block changed, its position unknown.
    void update(const StringBlock* block);
    // Starts again from the chain, after the chain was reordered or shortened.
    void rebuild(StringBlock* first);
    void clear();

private:
    void rebuildTree();

    std::vector<StringBlock*> blocks;
    // Largest room of the blocks under each node; node 1 is the root, the nodes from `leaves` on
    // are the blocks (a position without block has room 0).
    std::vector<uint32_t> largestRoom;
    size_t leaves = 0;
    size_t lastFound = 0; // position of the block that update(block) found last
};

class StringManager
{
public:
    static constexpr uint32_t COMPACTIONTHRESHOLD = 200;

    StringManager() = default;
    // Clears: every handle that held a text of this storage becomes empty.
    ~StringManager();
    StringManager(const StringManager&) = delete;
    StringManager& operator=(const StringManager&) = delete;

    // Gives the handle the text; a text the handle held before is released. Null handle:
    // nothing. Null or empty text: the handle is left empty.
    void storeString(StringHandle* handle, const char* text);
    // Frees the handle's entry (in whichever storage holds it) and empties the handle; every 200th
    // release compacts when compaction is allowed.
    void releaseString(StringHandle* handle, bool compactionAllowed = true);
    // Replaces the handle's text; an empty text leaves the handle empty. When storing fails the
    // handle keeps its old text.
    void setString(StringHandle* handle, const char* text, bool compactionAllowed = true);
    // Sorts the blocks by use, frees empty blocks at the end, and merges later blocks into earlier
    // ones that have room.
    void compact();
    void clear();
    void getStatistics(StringManagerStatistics* record) const;

    // The registry: a table of handles, numbered from 1, whose texts are saved and loaded together.
    // A registered handle must stay alive until the table is reset or its place is set again.
    //
    // Appends a handle that holds a text and answers its number; a null or empty handle is not
    // registered (0).
    uint32_t registerHandle(StringHandle* handle);
    // Puts the handle (null leaves the place empty) under a number from 1, lengthening the table
    // with empty places as needed. Number 0: nothing.
    void setRegistryEntry(uint32_t number, StringHandle* handle);
    void resetRegistry();
    uint32_t getRegistrySize() const { return static_cast<uint32_t>(registry.size()); }
    StringHandle* getRegistryEntry(uint32_t number) const;

    // Largest byte count of a strings file that is read.
    static constexpr uint32_t MAXSTRINGSFILEBYTES = 0x4000000;
    // Writes the registered texts: a 32-bit little-endian byte count, then each text in number
    // order followed by its zero byte (an empty place or handle: the zero byte alone). False when
    // the file cannot be written.
    bool saveStrings(const std::filesystem::path& path) const;
    // Reads a file that saveStrings wrote and gives each registered handle its text, in number
    // order. Refused (false, no handle changes) when the file cannot be read, holds fewer or more
    // bytes than its count says, says more than MAXSTRINGSFILEBYTES, or does not hold exactly one
    // text per place of the table.
    bool loadStrings(const std::filesystem::path& path);

    StringBlock* getFirstBlock() const { return firstBlock; }
    uint32_t getBlockCount() const;
    uint32_t getReleaseCount() const { return releaseCount; }

private:
    StringBlock* addBlock(uint64_t capacity);
    // Unlinks the block, empties the handles of its entries and frees it.
    void freeBlock(StringBlock* block);
    // Gives the block's memory back.
    void deallocate(StringBlock* block);
    void unlink(StringBlock* block);
    void insertBehind(StringBlock* block, StringBlock* predecessor);
    // Copies an entry behind the entries of a block with room and points its handle there.
    void appendEntry(StringBlock* block, StringEntry* entry, uint32_t words);
    void sortBlocksByUse();
    void mergeBlocks();

    BlockMemory standardBlocks{StringBlock::BYTES}; // blocks made for one long text come from the heap
    StringBlock* firstBlock = nullptr;
    StringBlock* lastBlock = nullptr;
    StringBlockRooms rooms;
    uint32_t releaseCount = 0;
    std::vector<StringHandle*> registry;
};

// The one owner of a text in a StringManager. Not copyable: the storage rewrites exactly the handle
// its entry names. Moving goes through moveTo. Destroying a handle releases its text.
class StringHandle
{
public:
    StringHandle() = default;
    ~StringHandle() { release(); }
    StringHandle(const StringHandle&) = delete;
    StringHandle& operator=(const StringHandle&) = delete;

    // setString of that storage; a null storage changes nothing.
    void set(StringManager* manager, const char* text);
    void release();
    // The other handle takes over this handle's text (its own text is released first); this
    // handle becomes empty.
    void moveTo(StringHandle* other);

    const char* getText() const { return entry ? entry->text() : nullptr; }
    const char* getString() const { return entry ? entry->text() : ""; }
    uint32_t getLength() const;
    bool isEmpty() const { return entry == nullptr; }
    StringEntry* getEntry() const { return entry; }

private:
    friend class StringManager;
    StringEntry* entry = nullptr;
};
