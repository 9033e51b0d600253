#include "BlockLists/BlockMemory.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace
{
std::size_t roundUp(std::size_t bytes, std::size_t step)
{
    return (bytes + step - 1) / step * step;
}
} // namespace

void adviseHugePages(void* memory, std::size_t bytes) noexcept
{
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = roundUp(start, BlockMemory::CHUNKALIGNMENT);
    const std::uintptr_t end = (start + bytes) / BlockMemory::CHUNKALIGNMENT * BlockMemory::CHUNKALIGNMENT;
    if (memory && end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

BlockMemory::BlockMemory(std::size_t blockBytes)
    : blockBytes(blockBytes), slotBytes(roundUp(std::max<std::size_t>(blockBytes, 1), ALIGNMENT)),
      slotsPerChunk(static_cast<uint32_t>(std::max<std::size_t>(CHUNKBYTES / slotBytes, 1))),
      chunkBytes(roundUp(slotsPerChunk * slotBytes, CHUNKALIGNMENT))
{
}

BlockMemory::~BlockMemory()
{
    while (!chunks.empty())
        unmapChunk(chunks.size() - 1);
}

void* BlockMemory::allocate() noexcept
{
    if (heapBlocks * blockBytes < HEAPBYTES)
    {
        void* block = ::operator new(blockBytes, std::align_val_t{ALIGNMENT}, std::nothrow);
        if (block)
            ++heapBlocks;
        return block;
    }
    return allocateFromChunk();
}

void* BlockMemory::allocateFromChunk()
{
    auto withRoom = std::find_if(chunks.begin(), chunks.end(), [](const Chunk& chunk) { return !chunk.freeSlots.empty(); });
    if (withRoom == chunks.end())
    {
        if (!addChunk())
            return nullptr;
        withRoom = chunks.end() - 1;
    }
    const uint32_t slot = withRoom->freeSlots.back();
    withRoom->freeSlots.pop_back();
    return withRoom->base + slot * slotBytes;
}

bool BlockMemory::addChunk()
{
    // Over-mapped by one alignment step, so that an aligned run of chunkBytes lies inside; the
    // ends are given back.
    try
    {
        chunks.reserve(chunks.size() + 1);
        Chunk chunk{nullptr, {}};
        chunk.freeSlots.reserve(slotsPerChunk);
        for (uint32_t slot = slotsPerChunk; slot-- > 0;)
            chunk.freeSlots.push_back(slot);

        const std::size_t mappedBytes = chunkBytes + CHUNKALIGNMENT;
        void* mapped = ::mmap(nullptr, mappedBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            return false;
        auto* start = static_cast<std::byte*>(mapped);
        const auto address = reinterpret_cast<std::uintptr_t>(start);
        std::byte* aligned = start + (roundUp(address, CHUNKALIGNMENT) - address);
        if (aligned != start)
            ::munmap(start, static_cast<std::size_t>(aligned - start));
        const std::size_t tail = static_cast<std::size_t>(start + mappedBytes - (aligned + chunkBytes));
        if (tail != 0)
            ::munmap(aligned + chunkBytes, tail);
        adviseHugePages(aligned, chunkBytes);
        chunk.base = aligned;
        chunks.push_back(std::move(chunk));
        return true;
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}

void BlockMemory::release(void* block) noexcept
{
    if (!block)
        return;
    auto* address = static_cast<std::byte*>(block);
    for (std::size_t index = 0; index < chunks.size(); ++index)
    {
        Chunk& chunk = chunks[index];
        if (address < chunk.base || address >= chunk.base + chunkBytes)
            continue;
        // Room for every slot was reserved when the chunk was made: this does not allocate.
        chunk.freeSlots.push_back(static_cast<uint32_t>((address - chunk.base) / slotBytes));
        if (chunk.freeSlots.size() == slotsPerChunk)
        {
            // One empty chunk stays as a spare, so that a container that shrinks and grows around
            // a chunk's edge does not map and fault in a chunk each time.
            for (std::size_t other = 0; other < chunks.size(); ++other)
                if (other != index && chunks[other].freeSlots.size() == slotsPerChunk)
                {
                    unmapChunk(index);
                    break;
                }
        }
        return;
    }
    ::operator delete(block, std::align_val_t{ALIGNMENT});
    --heapBlocks;
}

void BlockMemory::unmapChunk(std::size_t index)
{
    ::munmap(chunks[index].base, chunkBytes);
    chunks.erase(chunks.begin() + static_cast<std::ptrdiff_t>(index));
}
