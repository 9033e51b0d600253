#include "BlockLists/BlockList.h"
#include "BlockLists/BlockMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace
{
// Blocks of a size that divides no chunk evenly, so slots do not line up with huge pages.
constexpr std::size_t blockBytes = 300000;

// Blocks that fill the heap share and then exactly `chunks` chunks.
std::size_t blocksBeyondTheHeap(std::size_t chunks)
{
    const std::size_t heapBlocks = (BlockMemory::HEAPBYTES + blockBytes - 1) / blockBytes;
    const std::size_t slotBytes = (blockBytes + BlockMemory::ALIGNMENT - 1) / BlockMemory::ALIGNMENT * BlockMemory::ALIGNMENT;
    return heapBlocks + chunks * (BlockMemory::CHUNKBYTES / slotBytes);
}

void fillBlock(void* block, std::size_t number)
{
    std::memset(block, static_cast<int>(number % 251), blockBytes);
}

bool blockHolds(const void* block, std::size_t number)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    return bytes[0] == number % 251 && bytes[blockBytes / 2] == number % 251 && bytes[blockBytes - 1] == number % 251;
}

TEST(BlockMemoryTest, BlocksAreAlignedAndKeepTheirContentsFromTheHeapAndFromChunks)
{
    BlockMemory memory(blockBytes);
    std::vector<void*> blocks;
    const std::size_t count = blocksBeyondTheHeap(3);
    for (std::size_t number = 0; number < count; ++number)
    {
        void* block = memory.allocate();
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % BlockMemory::ALIGNMENT, 0u);
        fillBlock(block, number);
        blocks.push_back(block);
    }
    EXPECT_GE(memory.getChunkCount(), 3u) << "a large container takes its further blocks from chunks";
    for (std::size_t number = 0; number < count; ++number)
        ASSERT_TRUE(blockHolds(blocks[number], number)) << "no two blocks overlap: " << number;

    // Given back in any order (a string storage frees blocks from the middle).
    std::shuffle(blocks.begin(), blocks.end(), std::mt19937(11));
    for (void* block : blocks)
        memory.release(block);
    EXPECT_LE(memory.getChunkCount(), 1u) << "empty chunks are unmapped, but for one spare";
    memory.release(nullptr);
}

TEST(BlockMemoryTest, FreedSlotsAreReusedAndTheSpareChunkSavesRemappingAtTheEdge)
{
    BlockMemory memory(blockBytes);
    std::vector<void*> blocks;
    for (std::size_t number = 0; number < blocksBeyondTheHeap(1); ++number)
        blocks.push_back(memory.allocate());
    ASSERT_EQ(memory.getChunkCount(), 1u);

    // A slot given back in the middle of a chunk is handed out again before a new chunk is made.
    void* middle = blocks[blocks.size() - 3];
    memory.release(middle);
    EXPECT_EQ(memory.allocate(), middle);
    EXPECT_EQ(memory.getChunkCount(), 1u);

    // Around the edge of a chunk: the chunk that empties stays as the spare and is used again.
    void* next = memory.allocate();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(memory.getChunkCount(), 2u);
    memory.release(next);
    EXPECT_EQ(memory.getChunkCount(), 2u);
    EXPECT_EQ(memory.allocate(), next);
    blocks.push_back(next);

    for (void* block : blocks)
        memory.release(block);
}

// A model-object-sized element: 1024 of them make a block of about 700 KB.
struct Wide
{
    static constexpr uint32_t itemsPerBlock = 1024;
    int64_t value = 0;
    char payload[680] = {};
    void setDefaults() { value = -1; }
    void copyTo(Wide* other) const { other->value = value; }
};

TEST(BlockMemoryTest, AListOfManyBlocksKeepsIndexesAndFindsItsElementsInEveryBlock)
{
    BlockList<Wide> list("Wide");
    constexpr uint32_t count = 40 * 1024 + 17; // well beyond the heap share
    for (uint32_t i = 0; i < count; ++i)
    {
        Wide* element = list.add();
        ASSERT_EQ(element->value, -1);
        element->value = i;
    }
    ASSERT_EQ(list.getBlockCount(), 41u);
    for (uint32_t i = 0; i < count; i += 1023)
    {
        Wide& element = list[i];
        EXPECT_EQ(element.value, i);
        EXPECT_EQ(BlockList<Wide>::getIndex(&element), i);
        EXPECT_EQ(BlockList<Wide>::listOf(&element), &list);
    }

    // Shrinking frees blocks from the end; growing again takes fresh elements.
    while (list.getCount() > 3000)
        list.remove(&list[list.getCount() - 1]);
    EXPECT_LE(list.getBlockCount(), 4u);
    for (uint32_t i = 0; i < 20000; ++i)
        list.add()->value = 3000 + i;
    EXPECT_EQ(list[2999].value, 2999);
    EXPECT_EQ(list[22999].value, 22999);
    EXPECT_EQ(BlockList<Wide>::getIndex(&list[22999]), 22999u);
}
} // namespace
