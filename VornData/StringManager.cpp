#include "VornData/StringManager.h"

#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <system_error>

namespace
{
// Writes the terminator entry at the block's used position.
void writeTerminator(StringBlock* block)
{
    new (block->entryAt(block->used)) StringEntry{block, nullptr, nullptr};
}

uint32_t wordsOf(const StringEntry* entry)
{
    return static_cast<uint32_t>(
        (reinterpret_cast<const std::byte*>(entry->next) - reinterpret_cast<const std::byte*>(entry)) / 4);
}
} // namespace

StringManager::~StringManager()
{
    clear();
}

uint32_t StringManager::getBlockCount() const
{
    uint32_t blocks = 0;
    for (StringBlock* block = firstBlock; block; block = block->next)
        ++blocks;
    return blocks;
}

StringBlock* StringManager::addBlock(uint64_t capacity)
{
    if (capacity < StringBlock::STANDARDCAPACITY)
        capacity = StringBlock::STANDARDCAPACITY;
    if (capacity > UINT32_MAX - 8)
        throw Exc_OutOfMemory("StringManager::addBlock");
    void* memory = capacity == StringBlock::STANDARDCAPACITY
                       ? standardBlocks.allocate()
                       : ::operator new(sizeof(StringBlock) + capacity * 4, std::nothrow);
    if (!memory)
        throw Exc_OutOfMemory("StringManager::addBlock");
    auto* block = new (memory) StringBlock{this, lastBlock, nullptr, 0, static_cast<uint32_t>(capacity)};
    writeTerminator(block);
    try
    {
        rooms.append(block);
    }
    catch (const std::bad_alloc&)
    {
        deallocate(block);
        throw Exc_OutOfMemory("StringManager::addBlock");
    }
    if (lastBlock)
        lastBlock->next = block;
    else
        firstBlock = block;
    lastBlock = block;
    return block;
}

void StringManager::storeString(StringHandle* handle, const char* text)
{
    if (!handle)
        return;
    if (handle->entry)
    {
        // The text may be the handle's own: store first, release after.
        setString(handle, text, true);
        return;
    }
    if (!text || !*text)
        return;

    const size_t length = std::strlen(text);
    const uint64_t words = StringEntry::words(length);
    size_t position = rooms.firstWithRoom(words);
    if (position == StringBlockRooms::NONE)
    {
        addBlock(words + StringEntry::HEADERWORDS);
        position = rooms.size() - 1;
    }
    StringBlock* block = rooms.blockAt(position);

    auto* entry = block->entryAt(block->used);
    const uint32_t entryWords = static_cast<uint32_t>(words);
    new (entry) StringEntry{block, handle, block->entryAt(block->used + entryWords)};
    const size_t textBytes = (entryWords - StringEntry::HEADERWORDS) * size_t{4};
    std::memcpy(entry->text(), text, length);
    std::memset(entry->text() + length, 0, textBytes - length);
    block->used += entryWords;
    writeTerminator(block);
    rooms.update(position);
    handle->entry = entry;
}

void StringManager::releaseString(StringHandle* handle, bool compactionAllowed)
{
    if (!handle || !handle->entry)
        return;
    StringEntry* entry = handle->entry;
    StringBlock* block = entry->block;
    if (block->manager != this)
    {
        block->manager->releaseString(handle, compactionAllowed);
        return;
    }

    // Close the gap: the entries behind move down, their next links and handles follow.
    const uint32_t start = block->wordOf(entry);
    const uint32_t gap = wordsOf(entry);
    const uint32_t behind = start + gap;
    std::memmove(block->entryAt(start), block->entryAt(behind), (block->used - behind) * size_t{4});
    block->used -= gap;
    for (uint32_t word = start; word < block->used;)
    {
        StringEntry* moved = block->entryAt(word);
        moved->next = reinterpret_cast<StringEntry*>(reinterpret_cast<std::byte*>(moved->next) - gap * size_t{4});
        moved->owner->entry = moved;
        word += wordsOf(moved);
    }
    writeTerminator(block);
    rooms.update(block);

    handle->entry = nullptr;
    ++releaseCount;
    if (compactionAllowed && releaseCount >= COMPACTIONTHRESHOLD)
        compact();
}

void StringManager::setString(StringHandle* handle, const char* text, bool compactionAllowed)
{
    if (!handle)
        return;
    StringHandle replacement;
    storeString(&replacement, text);
    releaseString(handle, compactionAllowed);
    replacement.moveTo(handle);
}

void StringManager::compact()
{
    releaseCount = 0;
    if (!firstBlock || !firstBlock->next)
        return;
    sortBlocksByUse();
    while (lastBlock && lastBlock->used == 0)
        freeBlock(lastBlock);
    mergeBlocks();
    rooms.rebuild(firstBlock);
}

void StringManager::sortBlocksByUse()
{
    // Stable insertion sort of the chain, largest use first.
    for (StringBlock* block = firstBlock->next; block;)
    {
        StringBlock* next = block->next;
        StringBlock* predecessor = block->previous;
        while (predecessor && predecessor->used < block->used)
            predecessor = predecessor->previous;
        if (predecessor != block->previous)
        {
            unlink(block);
            insertBehind(block, predecessor);
        }
        block = next;
    }
}

void StringManager::mergeBlocks()
{
    StringBlock* candidate = firstBlock;
    while (candidate && candidate->used >= StringBlock::STANDARDCAPACITY / 2)
        candidate = candidate->next;
    while (candidate)
    {
        StringBlock* next = candidate->next;
        StringBlock* target = firstBlock;
        while (target != candidate && !target->hasRoom(candidate->used))
            target = target->next;
        if (target != candidate)
        {
            for (uint32_t word = 0; word < candidate->used;)
            {
                StringEntry* entry = candidate->entryAt(word);
                const uint32_t words = wordsOf(entry);
                appendEntry(target, entry, words);
                word += words;
            }
            candidate->used = 0;
            freeBlock(candidate);
        }
        candidate = next;
    }
}

void StringManager::appendEntry(StringBlock* block, StringEntry* entry, uint32_t words)
{
    StringEntry* copy = block->entryAt(block->used);
    std::memcpy(copy, entry, words * size_t{4});
    copy->block = block;
    copy->next = block->entryAt(block->used + words);
    copy->owner->entry = copy;
    block->used += words;
    writeTerminator(block);
}

void StringManager::unlink(StringBlock* block)
{
    unlinkFrom<&StringBlock::previous, &StringBlock::next>(firstBlock, lastBlock, block);
}

void StringManager::insertBehind(StringBlock* block, StringBlock* predecessor)
{
    linkBehind<&StringBlock::previous, &StringBlock::next>(firstBlock, lastBlock, predecessor, block);
}

void StringManager::freeBlock(StringBlock* block)
{
    for (uint32_t word = 0; word < block->used;)
    {
        StringEntry* entry = block->entryAt(word);
        entry->owner->entry = nullptr;
        word += wordsOf(entry);
    }
    unlink(block);
    deallocate(block);
}

void StringManager::deallocate(StringBlock* block)
{
    const bool standard = block->capacity == StringBlock::STANDARDCAPACITY;
    block->~StringBlock();
    if (standard)
        standardBlocks.release(block);
    else
        ::operator delete(block);
}

void StringManager::clear()
{
    while (lastBlock)
        freeBlock(lastBlock);
    rooms.clear();
}

void StringManager::getStatistics(StringManagerStatistics* record) const
{
    if (!record)
        return;
    *record = StringManagerStatistics{0, 0, StringBlock::STANDARDCAPACITY, releaseCount, COMPACTIONTHRESHOLD};
    for (StringBlock* block = firstBlock; block; block = block->next)
    {
        record->usedWords += block->used;
        ++record->blockCount;
    }
}

size_t StringBlockRooms::firstWithRoom(uint64_t words) const
{
    if (leaves == 0 || largestRoom[1] < words)
        return NONE;
    // Down the leftmost branch that has the room.
    size_t node = 1;
    while (node < leaves)
    {
        node *= 2;
        if (largestRoom[node] < words)
            ++node;
    }
    return node - leaves;
}

void StringBlockRooms::append(StringBlock* block)
{
    blocks.push_back(block);
    if (blocks.size() <= leaves)
    {
        update(blocks.size() - 1);
        return;
    }
    try
    {
        largestRoom.reserve(2 * std::max<size_t>(2 * leaves, 1));
    }
    catch (...)
    {
        blocks.pop_back();
        throw;
    }
    rebuildTree();
}

void StringBlockRooms::update(size_t position)
{
    size_t node = leaves + position;
    largestRoom[node] = roomOf(blocks[position]);
    // Up to the first node whose largest room stays what it was.
    for (node /= 2; node >= 1; node /= 2)
    {
        const uint32_t largest = std::max(largestRoom[2 * node], largestRoom[2 * node + 1]);
        if (largestRoom[node] == largest)
            break;
        largestRoom[node] = largest;
    }
}

void StringBlockRooms::update(const StringBlock* block)
{
    // Releases come in runs from one block (a model that is deleted releases its names from the
    // last one back): the block of the last search is tried first.
    if (lastFound >= blocks.size() || blocks[lastFound] != block)
    {
        const auto found = std::find(blocks.begin(), blocks.end(), block);
        if (found == blocks.end())
            return;
        lastFound = static_cast<size_t>(found - blocks.begin());
    }
    update(lastFound);
}

void StringBlockRooms::rebuild(StringBlock* first)
{
    // The chain is never longer than the blocks appended: neither vector grows here.
    blocks.clear();
    for (StringBlock* block = first; block; block = block->next)
        blocks.push_back(block);
    rebuildTree();
}

void StringBlockRooms::clear()
{
    blocks.clear();
    largestRoom.clear();
    leaves = 0;
}

void StringBlockRooms::rebuildTree()
{
    leaves = 1;
    while (leaves < blocks.size())
        leaves *= 2;
    largestRoom.assign(2 * leaves, 0);
    for (size_t position = 0; position < blocks.size(); ++position)
        largestRoom[leaves + position] = roomOf(blocks[position]);
    for (size_t node = leaves; node-- > 1;)
        largestRoom[node] = std::max(largestRoom[2 * node], largestRoom[2 * node + 1]);
}

void StringHandle::set(StringManager* manager, const char* text)
{
    if (manager)
        manager->setString(this, text, true);
}

void StringHandle::release()
{
    if (entry)
        entry->block->manager->releaseString(this, true);
}

void StringHandle::moveTo(StringHandle* other)
{
    if (!other || other == this)
        return;
    other->release();
    other->entry = entry;
    if (entry)
        entry->owner = other;
    entry = nullptr;
}

uint32_t StringHandle::getLength() const
{
    if (!entry)
        return 0;
    // The text ends with its zero byte and zero padding within the last 8 bytes of the text area.
    const char* text = entry->text();
    const size_t area = reinterpret_cast<const char*>(entry->next) - text;
    const void* zero = std::memchr(text + area - 8, 0, 8);
    return static_cast<uint32_t>(static_cast<const char*>(zero) - text);
}

uint32_t StringManager::registerHandle(StringHandle* handle)
{
    if (!handle || handle->isEmpty())
        return 0;
    registry.push_back(handle);
    return static_cast<uint32_t>(registry.size());
}

void StringManager::setRegistryEntry(uint32_t number, StringHandle* handle)
{
    if (number == 0)
        return;
    if (number > registry.size())
        registry.resize(number, nullptr);
    registry[number - 1] = handle;
}

void StringManager::resetRegistry()
{
    registry.clear();
}

StringHandle* StringManager::getRegistryEntry(uint32_t number) const
{
    return number >= 1 && number <= registry.size() ? registry[number - 1] : nullptr;
}

bool StringManager::saveStrings(const std::filesystem::path& path) const
{
    std::string texts;
    for (const StringHandle* handle : registry)
    {
        if (handle)
            texts += handle->getString();
        texts += '\0';
    }
    if (texts.size() > MAXSTRINGSFILEBYTES)
        return false;
    const auto byteCount = static_cast<uint32_t>(texts.size());
    const char countBytes[4] = {static_cast<char>(byteCount & 0xFF), static_cast<char>((byteCount >> 8) & 0xFF),
                                static_cast<char>((byteCount >> 16) & 0xFF), static_cast<char>(byteCount >> 24)};
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(countBytes, sizeof countBytes);
    file.write(texts.data(), static_cast<std::streamsize>(texts.size()));
    file.close();
    return !file.fail();
}

bool StringManager::loadStrings(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
    if (error || fileBytes < 4)
        return false;
    std::ifstream file(path, std::ios::binary);
    unsigned char countBytes[4] = {};
    if (!file.read(reinterpret_cast<char*>(countBytes), sizeof countBytes))
        return false;
    const uint32_t byteCount =
        countBytes[0] | uint32_t{countBytes[1]} << 8 | uint32_t{countBytes[2]} << 16 | uint32_t{countBytes[3]} << 24;
    // The count must say exactly what follows: a shorter file is truncated, a longer one is not ours.
    if (byteCount > MAXSTRINGSFILEBYTES || fileBytes - 4 != byteCount)
        return false;
    std::string texts(byteCount, '\0');
    if (!file.read(texts.data(), static_cast<std::streamsize>(byteCount)))
        return false;

    // All texts are read and checked before the first handle changes.
    std::vector<std::string> loaded;
    for (size_t start = 0; start < texts.size();)
    {
        const size_t end = texts.find('\0', start);
        if (end == std::string::npos)
            return false; // the last text lacks its zero byte
        loaded.emplace_back(texts, start, end - start);
        start = end + 1;
    }
    if (loaded.size() != registry.size())
        return false;
    for (size_t number = 0; number < registry.size(); ++number)
        if (registry[number])
            setString(registry[number], loaded[number].c_str());
    return true;
}
