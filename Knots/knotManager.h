#pragma once

#include "BlockLists/BlockMemory.h"
#include "Knots/knotList.h"

#include <cstdint>

class GlobalObjectDevice;

constexpr std::uint32_t knotsPerBlock = 1024;

// One block of the pool: knots are handed out from the bottom up, so the used knots of the pool
// always occupy its lowest slots.
struct knotBlock
{
    knotBlock();

    knotBlock* next = nullptr;
    knotBlock* prev = nullptr;
    std::uint32_t count = 0; // used knots
    knot knots[knotsPerBlock];
};

// The pool of pooled knots, one per process, shared by every module through the global object
// device. Every release fills its hole with the top knot, so the pool never fragments; raw knot
// pointers kept across a removal are therefore stale unless defragmentation is locked.
class knotManager
{
public:
    // Holds one block. Throws Exc_OutOfMemory when it cannot be allocated.
    knotManager();
    ~knotManager();
    knotManager(const knotManager&) = delete;
    knotManager& operator=(const knotManager&) = delete;

    // Creates this module's shared pool. Throws Exc_InternalError when the module has one already,
    // Exc_OutOfMemory when it cannot be allocated.
    static void initiate();
    // This module's shared pool. Throws Exc_InternalError before initiate or attach.
    static knotManager* instance();
    static bool hasInstance();

    // A cleared knot from the pool; the caller sets its object and partner.
    knot* getKnot();
    // Gives back a knot that sits in no chain. The top knot of the pool moves into its slot; `held1`
    // and `held2` are knot pointers of the caller that keep naming the same links when that happens.
    // While defragmentation is locked the knot is parked instead (partner and object cleared).
    void releaseKnot(knot* released, knot** held1 = nullptr, knot** held2 = nullptr);

    // Links two pooled lists of different owners with a pair of knots, each at the front of its list.
    // Links come only from the shared pool, to which their removal returns them.
    void link(knotList* listA, knotList* listB);
    // A one-sided link: one knot naming `object`, with no partner, at the front of the list; it is
    // removed like a pair.
    knot* addObject(knotList* list, knotOwner* object);

    // While locked, released knots are parked, so knot pointers held across removals stay valid.
    // The last unlock returns the parked knots to the pool.
    void lockDefrag();
    void unlockDefrag();

    // Frees the last block (the pool's destruction). Throws Exc_InternalError when there is none.
    void deleteLastBlock();

    // Counters the status view shows.
    std::uint32_t getCapacity() const { return capacity; }
    std::uint32_t getUsed() const { return used; }
    std::uint32_t getBlockCount() const { return capacity / knotsPerBlock; }
    std::int32_t getDefragLockCount() const { return defragLockCount; }

private:
    // Adds an empty block after the last one.
    void appendBlock(const char* where);
    void freeBlock(knotBlock* block);
    // Moves the pool's top knot into the slot of `released`, which sits in no chain.
    void fillHole(knot* released, knot** held1, knot** held2);
    // fillHole, then gives back a spare block once more than a block and a quarter is free.
    void returnToPool(knot* released, knot** held1, knot** held2);
    // Returns every parked knot to the pool.
    void drainDeferred(knot** held1, knot** held2);
    // knot::remove: cuts the pair out of their chains and returns both knots.
    void removePair(knot* link, knot** held);
    friend class knot;

    BlockMemory blockMemory{sizeof(knotBlock)};
    knotBlock* firstBlock = nullptr;
    knotBlock* lastBlock = nullptr;
    knotBlock* activeBlock = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t used = 0;
    std::int32_t defragLockCount = 0;
    knotList deferred{nullptr, knotKind::pooled};

    // The device's attach points a library's module variable at the host's pool.
    static void setInstance(knotManager* manager);
    friend class GlobalObjectDevice;
};

// Locks knot defragmentation of the shared pool for a scope: every cascade of removals that walks
// raw knot pointers holds one.
class knotDefragLock
{
public:
    knotDefragLock() : manager(knotManager::instance()) { manager->lockDefrag(); }
    ~knotDefragLock() { manager->unlockDefrag(); }
    knotDefragLock(const knotDefragLock&) = delete;
    knotDefragLock& operator=(const knotDefragLock&) = delete;

private:
    knotManager* manager;
};
