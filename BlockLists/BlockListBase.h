#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

class BlockListGroup;

// Base of every block list, through which groups, parents and children handle lists of any element
// type. A list sits in at most one chain: its group's lists or its parent's children; the same two
// sibling links serve both.
//
// Locking is a nesting count that defers removals, not a thread lock. A child is always locked at its
// parent's level: locking or unlocking a child whose count equals its parent's acts on the parent,
// which passes it on to all its children.
class BlockListBase
{
public:
    BlockListBase(const char* name, void* owner);
    // Leaves the group and the parent; the children become top-level lists.
    virtual ~BlockListBase();
    BlockListBase(const BlockListBase&) = delete;
    BlockListBase& operator=(const BlockListBase&) = delete;

    // Releases every element once, frees every block and clears the children; count and capacity
    // become 0, the current element and the queued removals are dropped. A child list follows its
    // parent only: cleared on its own it throws Exc_InternalError.
    void clear();
    // Adds one element in its default state.
    virtual void grow() = 0;
    // Removes the element with that index; throws Exc_BlockListIndexOutOfRange when there is none,
    // Exc_InternalError for a child list (it removes only with its parent).
    void remove(uint32_t index);
    // Adds elements until the count is not below the other list's.
    virtual void growTo(const BlockListBase* other);
    virtual void lock();
    // At lock count 0 the queued removals are carried out, newest first. An unlock without a lock
    // does nothing.
    virtual void unlock();
    virtual uint32_t getBlockSize() const = 0;
    virtual uint32_t getBlockCount() const = 0;

    const char* getName() const { return name.load(std::memory_order_relaxed); }
    // Stores the pointer; the text is not copied. A calculation's worker renames its result lists
    // while readers look them up by name, so the pointer is read and written whole.
    void setName(const char* text) { name.store(text, std::memory_order_relaxed); }
    BlockListBase* getNext() const { return next; }
    BlockListBase* getPrevious() const { return previous; }
    BlockListBase* getParent() const { return parent; }
    BlockListBase* getFirstChild() const { return firstChild; }
    BlockListGroup* getGroup() const { return group; }
    void* getOwner() const { return owner; }
    uint32_t getCount() const { return count; }
    uint32_t getCapacity() const { return capacity; }
    int32_t getLockCount() const { return lockCount; }

    // Makes the child a parallel list of this one: it joins at the head of the children, at this
    // list's lock level, grows to this list's count and queues this list's pending removals. Throws Exc_InternalError for a null child,
    // this list or one of its ancestors, a child that already sits in a chain, is locked, or holds
    // more elements than this list.
    void addChild(BlockListBase* child);
    // The first child from the head whose name equals the text (exact comparison), or null.
    BlockListBase* getChild(const char* childName) const;
    // The same, among the children created for that owner.
    BlockListBase* getChild(const char* childName, const void* childOwner) const;

    // Free for the user of the list (the perspective view keeps its paint time here); 0 at creation.
    int32_t stamp = 0;

protected:
    // clear and remove without the child-list check: what a parent tells its children.
    virtual void clearInStep() = 0;
    virtual void removeInStep(uint32_t index) = 0;
    // Holds a lock for one removal when the list was not locked yet, and releases it however the
    // removal ends, so an exception never leaves the list (and its children) locked.
    class RemovalLock
    {
    public:
        explicit RemovalLock(BlockListBase& list) : held(list.lockCount == 0 ? &list : nullptr)
        {
            if (held)
                held->lock();
        }
        ~RemovalLock()
        {
            // Reached with a lock still held only while an exception leaves the removal: that
            // exception is the one to report, so a second one from the unlock is dropped.
            try
            {
                release();
            }
            catch (...)
            {
            }
        }
        RemovalLock(const RemovalLock&) = delete;
        RemovalLock& operator=(const RemovalLock&) = delete;
        // Unlocks now, carrying out the queued removals (which may throw).
        void release()
        {
            if (BlockListBase* list = std::exchange(held, nullptr))
                list->unlock();
        }

    private:
        BlockListBase* held;
    };
    // Throws Exc_InternalError when this list is a child, which removes and clears only with its parent.
    void refuseAsChild(const char* where) const;
    // Tells one child to remove the element with that index.
    static void removeFromChild(BlockListBase* child, uint32_t index) { child->removeInStep(index); }
    // Carries out the removals queued while the list was locked.
    virtual void carryOutQueuedRemovals() = 0;
    // Passes the removals queued so far, oldest first, on to a new child, so that it replays them
    // in step with this list.
    virtual void passQueuedRemovalsTo(BlockListBase* child) = 0;
    // Tells every child, from the head of the chain, to remove the element with that index.
    void removeFromChildren(uint32_t index);
    void growChildren();
    void clearChildren();

    uint32_t capacity = 0;
    uint32_t count = 0;
    int32_t lockCount = 0;

private:
    friend class BlockListGroup;
    void unlinkFromChain();

    BlockListGroup* group = nullptr;
    std::atomic<const char*> name;
    BlockListBase* parent = nullptr;
    BlockListBase* firstChild = nullptr;
    BlockListBase* next = nullptr;
    BlockListBase* previous = nullptr;
    void* owner;
};
