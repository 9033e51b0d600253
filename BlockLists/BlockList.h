#pragma once

#include "BlockLists/BlockListBase.h"
#include "BlockLists/BlockMemory.h"
#include "VornData/generalException.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>

// Items per block of an element type: the type's own `static constexpr uint32_t itemsPerBlock` when
// it declares one, 256 otherwise.
template <class T>
constexpr uint32_t blockListItemsPerBlock()
{
    if constexpr (requires { T::itemsPerBlock; })
        return T::itemsPerBlock;
    else
        return 256;
}

// A named container that stores its elements by value in fixed-size blocks. `add` hands out the next
// slot, `remove` fills the hole with the last element, so the elements in use always have the
// indexes 0 to count - 1. Every element of a block is constructed with its block and destroyed with
// it; in between the list drives the element through these operations when the type has them:
//   setDefaults()      initial state of a slot that is handed out (otherwise: assigned T())
//   release()          frees what the element holds before it leaves the list (otherwise: nothing)
//   copyTo(T* other)   moves its content into another slot's element (or copyTo(T&); otherwise: =)
//   markInBlockList()  once, when the slot's element is constructed, so that an element can tell a
//                      slot from an embedding in another object (isOutsideBlockLists(), which
//                      `remove` asks before it looks for a slot around an element)
// Each slot carries a small header in front of its element: the slot's index (fixed for the life of
// the block) and the state of a removal queued while the list is locked. `listOf` and `getIndex`
// work from an element's address alone.
template <class T>
class BlockList : public BlockListBase
{
public:
    static constexpr uint32_t ITEMSPERBLOCK = blockListItemsPerBlock<T>();
    // Free slots beyond which a block is released: more than a block and a quarter, so a list that
    // shrinks and grows around a block boundary does not free and allocate a block each time.
    static constexpr uint32_t RELEASETHRESHOLD = ITEMSPERBLOCK + ITEMSPERBLOCK / 4 + 1;
    static_assert(ITEMSPERBLOCK > 0);
    static_assert(alignof(T) <= BlockMemory::ALIGNMENT);

    // The holder slot, when given, receives the list's address and is set to null when the list is
    // destroyed. The owner says on whose behalf the list exists (children of one parent may share a
    // name and differ by owner).
    explicit BlockList(const char* name, BlockList<T>** holder = nullptr, void* owner = nullptr);
    ~BlockList() override;

    // Appends an element in its default state; every child grows by one element with it.
    T* add();
    // Removes an element of this list (queued while the list is locked); every child removes the
    // element of the same index. An element already released or queued: nothing. An element that
    // is not a slot of this list: Exc_BlockListAlienItem. A child list: Exc_InternalError, it
    // removes only with its parent.
    void remove(T* element);
    using BlockListBase::remove;
    T& operator[](uint32_t index);
    const T& operator[](uint32_t index) const;
    // The element at an index below getCount(), without the check of operator[]: for loops over
    // many elements whose indexes were checked against the count once.
    T& uncheckedAt(uint32_t index) { return *slotAt(index)->element(); }
    const T& uncheckedAt(uint32_t index) const { return *slotAt(index)->element(); }

    // The index of an element's slot.
    static uint32_t getIndex(const T* element) { return slotOf(element)->header.index; }
    // The list that holds an element.
    static BlockList<T>* listOf(const T* element);

    void grow() override { add(); }
    uint32_t getBlockSize() const override { return ITEMSPERBLOCK; }
    uint32_t getBlockCount() const override { return blockCount; }

    // The element the user interface treats as the list's chosen one; the list keeps it valid when
    // elements move or leave. `current` is the same field.
    T* currentElement = nullptr;
    T*& current = currentElement;

protected:
    void clearInStep() override;
    void removeInStep(uint32_t index) override { removeElement(&(*this)[index]); }
    void carryOutQueuedRemovals() override;
    void passQueuedRemovalsTo(BlockListBase* child) override;

private:
    static constexpr uint32_t NOSLOT = 0xFFFFFFFFu;
    static constexpr uint32_t TABLEGROWTH = 1024;

    struct SlotHeader
    {
        uint32_t index; // never changes: an element that moves takes the index of its new slot
        uint32_t queued; // nonzero while a removal of this slot waits for the unlock
        uint32_t older; // queued removal before this one, or NOSLOT
        uint32_t newer; // queued removal after this one, or NOSLOT
    };
    struct Slot
    {
        SlotHeader header;
        alignas(T) std::byte storage[sizeof(T)];
        T* element() { return std::launder(reinterpret_cast<T*>(storage)); }
    };
    struct Block;
    struct BlockHeader
    {
        BlockList<T>* list;
        Block* previous;
        Block* next;
        uint32_t used;
        uint32_t firstIndex;
    };
    struct Block
    {
        BlockHeader header;
        Slot slots[ITEMSPERBLOCK];
    };

    static Slot* slotOf(const T* element)
    {
        return reinterpret_cast<Slot*>(reinterpret_cast<std::byte*>(const_cast<T*>(element)) - offsetof(Slot, storage));
    }
    Slot* slotAt(uint32_t index) const { return &table[index / ITEMSPERBLOCK]->slots[index % ITEMSPERBLOCK]; }
    // The slot of an element of this list, or Exc_BlockListAlienItem.
    Slot* ownSlotOf(T* element) const;
    void removeElement(T* element);

    void addBlock();
    void removeBlock();
    void releaseSurplusBlocks();
    // Takes the last element in use into the given slot (when it is another one) and shortens the list.
    void fillHole(Slot* hole);
    void destroyBlock(Block* block);

    static void setDefaultsOf(T& element)
    {
        if constexpr (requires { element.setDefaults(); })
            element.setDefaults();
        else
            element = T();
    }
    static void releaseOf(T& element)
    {
        if constexpr (requires { element.release(); })
            element.release();
    }
    static void copyInto(T& from, T& to)
    {
        if constexpr (requires { from.copyTo(&to); })
            from.copyTo(&to);
        else if constexpr (requires { from.copyTo(to); })
            from.copyTo(to);
        else
            to = from;
    }

    BlockList<T>** holder;
    BlockMemory blockMemory{sizeof(Block)};
    Block* lastBlock = nullptr;
    Block** table = nullptr;
    uint32_t tableCapacity = 0;
    uint32_t blockCount = 0;
    uint32_t queueHead = NOSLOT;
};

template <class T>
BlockList<T>::BlockList(const char* name, BlockList<T>** holder, void* owner)
    : BlockListBase(name, owner), holder(holder)
{
    table = new (std::nothrow) Block*[TABLEGROWTH]();
    if (!table)
        throw Exc_OutOfMemory("BlockList<T>::BlockList<T>()");
    tableCapacity = TABLEGROWTH;
    if (holder)
        *holder = this;
}

template <class T>
BlockList<T>::~BlockList()
{
    while (lastBlock)
    {
        Block* block = lastBlock;
        lastBlock = block->header.previous;
        destroyBlock(block);
    }
    delete[] table;
    if (holder)
        *holder = nullptr;
}

template <class T>
T* BlockList<T>::add()
{
    if (count == capacity)
        addBlock();
    Slot* slot = slotAt(count);
    ++table[count / ITEMSPERBLOCK]->header.used;
    ++count;
    growChildren();
    setDefaultsOf(*slot->element());
    return slot->element();
}

template <class T>
typename BlockList<T>::Slot* BlockList<T>::ownSlotOf(T* element) const
{
    if (!lastBlock || count == 0)
        throw Exc_BlockListAlienItem("BlockList<T>::remove(...) !(activeBlock|usedCount) ");
    if (!element)
        throw Exc_BlockListAlienItem("BlockList<T>::remove(...)");
    // An element that knows it lives in no block list has no slot header in front of it to read.
    if constexpr (requires { element->isOutsideBlockLists(); })
        if (element->isOutsideBlockLists())
            throw Exc_BlockListAlienItem("BlockList<T>::remove(...)");
    Slot* slot = slotOf(element);
    const uint32_t index = slot->header.index;
    if (index >= capacity || slotAt(index) != slot)
        throw Exc_BlockListAlienItem("BlockList<T>::remove(...)");
    return slot;
}

template <class T>
void BlockList<T>::remove(T* element)
{
    refuseAsChild("BlockList<T>::remove(...) of a child list");
    removeElement(element);
}

template <class T>
void BlockList<T>::removeElement(T* element)
{
    Slot* slot = ownSlotOf(element);
    const uint32_t index = slot->header.index;
    if (index >= count || slot->header.queued)
        return;
    if (currentElement == element)
        currentElement = nullptr;

    // An unlocked list removes through its own queue too: a release that removes further elements
    // of this list then only queues them, and parent and children make the same moves.
    RemovalLock removal(*this);
    // Marked before the release, so that a removal of this element that the release causes is a no-op.
    slot->header.queued = 1;
    std::exception_ptr releaseFailure;
    try
    {
        releaseOf(*element);
    }
    catch (...)
    {
        // A list of its own keeps the element; a child leaves with its parent's element all the
        // same, so that the two stay in step, and reports the failure afterwards.
        if (!getParent())
        {
            slot->header.queued = 0;
            throw;
        }
        releaseFailure = std::current_exception();
    }
    slot->header.older = queueHead;
    slot->header.newer = NOSLOT;
    if (queueHead != NOSLOT)
        slotAt(queueHead)->header.newer = index;
    queueHead = index;
    removeFromChildren(index);
    removal.release();
    if (releaseFailure)
        std::rethrow_exception(releaseFailure);
}

template <class T>
void BlockList<T>::fillHole(Slot* hole)
{
    --count;
    --table[count / ITEMSPERBLOCK]->header.used;
    Slot* last = slotAt(count);
    if (last == hole)
        return;
    copyInto(*last->element(), *hole->element());
    if (currentElement == last->element())
        currentElement = hole->element();
}

template <class T>
void BlockList<T>::carryOutQueuedRemovals()
{
    while (queueHead != NOSLOT)
    {
        Slot* removed = slotAt(queueHead);
        queueHead = removed->header.older;
        if (queueHead != NOSLOT)
            slotAt(queueHead)->header.newer = NOSLOT;
        if (count == 0)
            throw Exc_BlockListAlienItem("BlockList<T>::remove(...)");

        Slot* last = slotAt(count - 1);
        if (last != removed && last->header.queued)
        {
            // The last slot waits for its own removal: the hole takes its place in the queue and is
            // filled when that removal comes up.
            --count;
            --table[count / ITEMSPERBLOCK]->header.used;
            SlotHeader& hole = removed->header;
            hole.older = last->header.older;
            hole.newer = last->header.newer;
            if (hole.older != NOSLOT)
                slotAt(hole.older)->header.newer = hole.index;
            if (hole.newer != NOSLOT)
                slotAt(hole.newer)->header.older = hole.index;
            else
                queueHead = hole.index;
            last->header.queued = 0;
        }
        else
        {
            fillHole(removed);
            removed->header.queued = 0;
        }
    }
    releaseSurplusBlocks();
}

template <class T>
void BlockList<T>::passQueuedRemovalsTo(BlockListBase* child)
{
    if (queueHead == NOSLOT)
        return;
    uint32_t oldest = queueHead;
    while (slotAt(oldest)->header.older != NOSLOT)
        oldest = slotAt(oldest)->header.older;
    for (uint32_t index = oldest; index != NOSLOT; index = slotAt(index)->header.newer)
        removeFromChild(child, index);
}

template <class T>
T& BlockList<T>::operator[](uint32_t index)
{
    if (index >= count)
        throw Exc_BlockListIndexOutOfRange("BlockList< T >::operator[]");
    return *slotAt(index)->element();
}

template <class T>
const T& BlockList<T>::operator[](uint32_t index) const
{
    if (index >= count)
        throw Exc_BlockListIndexOutOfRange("BlockList< T >::operator[]");
    return *slotAt(index)->element();
}

template <class T>
BlockList<T>* BlockList<T>::listOf(const T* element)
{
    Slot* slot = slotOf(element);
    Slot* first = slot - slot->header.index % ITEMSPERBLOCK;
    auto* block = reinterpret_cast<Block*>(reinterpret_cast<std::byte*>(first) - offsetof(Block, slots));
    return block->header.list;
}

template <class T>
void BlockList<T>::clearInStep()
{
    // Locked meanwhile (children with it), so that a release that removes another element of this
    // list only queues it and releases it; the mark keeps every element from being released twice.
    lock();
    for (uint32_t index = count; index-- > 0;)
    {
        Slot* slot = slotAt(index);
        if (!slot->header.queued)
        {
            slot->header.queued = 1;
            releaseOf(*slot->element());
        }
    }
    queueHead = NOSLOT;
    currentElement = nullptr;
    while (lastBlock)
        removeBlock();
    clearChildren();
    unlock();
}

template <class T>
void BlockList<T>::addBlock()
{
    if (blockCount + 1 >= tableCapacity)
    {
        const uint32_t grownCapacity = tableCapacity + TABLEGROWTH;
        Block** grown = new (std::nothrow) Block*[grownCapacity]();
        if (!grown)
            throw Exc_OutOfMemory("BlockList< T >::addBlock() expand block array");
        for (uint32_t i = 0; i < blockCount; ++i)
            grown[i] = table[i];
        delete[] table;
        table = grown;
        tableCapacity = grownCapacity;
    }

    void* memory = blockMemory.allocate();
    if (!memory)
        throw Exc_OutOfMemory("BlockList<T>::addBlock() add block");
    Block* block = new (memory) Block;
    const uint32_t firstIndex = lastBlock ? lastBlock->header.firstIndex + ITEMSPERBLOCK : 0;
    uint32_t constructed = 0;
    try
    {
        for (; constructed < ITEMSPERBLOCK; ++constructed)
        {
            Slot& slot = block->slots[constructed];
            slot.header = SlotHeader{firstIndex + constructed, 0, NOSLOT, NOSLOT};
            new (slot.storage) T();
            if constexpr (requires(T & element) { element.markInBlockList(); })
                slot.element()->markInBlockList();
        }
    }
    catch (...)
    {
        while (constructed-- > 0)
            block->slots[constructed].element()->~T();
        blockMemory.release(block);
        throw;
    }
    block->header = BlockHeader{this, lastBlock, nullptr, 0, firstIndex};
    if (lastBlock)
        lastBlock->header.next = block;
    lastBlock = block;
    table[blockCount] = block;
    table[blockCount + 1] = nullptr;
    ++blockCount;
    capacity += ITEMSPERBLOCK;
}

template <class T>
void BlockList<T>::removeBlock()
{
    if (!lastBlock)
        throw Exc_InternalError("BlockList<T>::removeBlock()");
    Block* block = lastBlock;
    count -= block->header.used;
    --blockCount;
    lastBlock = block->header.previous;
    if (lastBlock)
        lastBlock->header.next = nullptr;
    table[blockCount] = nullptr;
    capacity -= ITEMSPERBLOCK;
    destroyBlock(block);
}

template <class T>
void BlockList<T>::releaseSurplusBlocks()
{
    while (capacity - count > RELEASETHRESHOLD)
        removeBlock();
}

template <class T>
void BlockList<T>::destroyBlock(Block* block)
{
    for (Slot& slot : block->slots)
        slot.element()->~T();
    blockMemory.release(block);
}
