#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Asks the kernel to back the whole 2 MB pages inside a large buffer with huge pages, before the
// buffer is first written: one page fault instead of 512 for buffers of megabytes that are filled
// at once. Only a hint: where it is not followed, nothing changes.
void adviseHugePages(void* memory, std::size_t bytes) noexcept;

// Memory for the equal-sized blocks of one container (a block list, the knot pool, a string
// storage). Every fresh page costs the process a page fault when it is first written, and a large
// model fills hundreds of megabytes of blocks; so once a container holds more than a few megabytes
// of blocks it takes further blocks from chunks of several megabytes, aligned so that the kernel
// may back them with 2 MB pages: one fault instead of 512. The first blocks come from the heap, so
// that a small container holds no chunk.
//
// The state lives in the owning container, not in a module's statics: the modules each carry their
// own copy of the core's code, and a block may be given back by another module than took it.
// Not safe for concurrent use (the container is not).
class BlockMemory
{
public:
    explicit BlockMemory(std::size_t blockBytes);
    // Every block must have been given back.
    ~BlockMemory();
    BlockMemory(const BlockMemory&) = delete;
    BlockMemory& operator=(const BlockMemory&) = delete;

    // Uninitialised memory for one block, aligned for any type; null when none can be had.
    void* allocate() noexcept;
    // Gives back a block that allocate handed out; null: nothing.
    void release(void* block) noexcept;

    std::size_t getBlockBytes() const { return blockBytes; }
    // Chunks mapped at the moment, the empty spare among them.
    std::size_t getChunkCount() const { return chunks.size(); }

    // Alignment of every block: the cache line.
    static constexpr std::size_t ALIGNMENT = 64;
    // Bytes of heap blocks beyond which blocks come from chunks.
    static constexpr std::size_t HEAPBYTES = std::size_t{4} << 20;
    // Bytes a chunk aims at, and the alignment and size step of chunks (the huge page size).
    static constexpr std::size_t CHUNKBYTES = std::size_t{8} << 20;
    static constexpr std::size_t CHUNKALIGNMENT = std::size_t{2} << 20;

private:
    struct Chunk
    {
        std::byte* base;
        std::vector<uint32_t> freeSlots; // handed out from the back
    };

    void* allocateFromChunk();
    bool addChunk();
    void unmapChunk(std::size_t index);

    std::size_t blockBytes;
    std::size_t slotBytes; // blockBytes rounded up to the alignment
    uint32_t slotsPerChunk;
    std::size_t chunkBytes;
    std::size_t heapBlocks = 0;
    std::vector<Chunk> chunks;
};
