#include "Knots/knotManager.h"

#include "VornData/generalException.h"

#include <new>

namespace
{

// This module's pointer to the shared pool: created here by initiate or set by the device's attach.
knotManager* sharedKnotManager = nullptr;

// The knot may carry the caller's held pointers to `from`; they now name `to`.
void redirectHeld(knot** held, knot* from, knot* to)
{
    if (held != nullptr && *held == from)
        *held = to;
}

} // namespace

knotBlock::knotBlock()
{
    for (knot& link : knots)
        link.pooled = true;
}

knotManager::knotManager()
{
    appendBlock("knotManager::knotManager()");
    activeBlock = firstBlock;
}

knotManager::~knotManager()
{
    // Parked knots live in the blocks: forget them before the blocks go.
    deferred.next = nullptr;
    while (lastBlock != nullptr)
        deleteLastBlock();
}

void knotManager::initiate()
{
    if (sharedKnotManager != nullptr)
        throw Exc_InternalError("knotManager::initiate()");
    knotManager* created = new (std::nothrow) knotManager;
    if (created == nullptr)
        throw Exc_OutOfMemory("knotManager::initiate()");
    sharedKnotManager = created;
}

knotManager* knotManager::instance()
{
    if (sharedKnotManager == nullptr)
        throw Exc_InternalError("knotManager::instance");
    return sharedKnotManager;
}

bool knotManager::hasInstance()
{
    return sharedKnotManager != nullptr;
}

void knotManager::setInstance(knotManager* manager)
{
    sharedKnotManager = manager;
}

void knotManager::appendBlock(const char* where)
{
    void* memory = blockMemory.allocate();
    if (memory == nullptr)
        throw Exc_OutOfMemory(where);
    auto* block = new (memory) knotBlock;
    block->prev = lastBlock;
    if (lastBlock != nullptr)
        lastBlock->next = block;
    else
        firstBlock = block;
    lastBlock = block;
    capacity += knotsPerBlock;
}

knot* knotManager::getKnot()
{
    if (activeBlock == nullptr)
        throw Exc_InternalError("knotManager::getKnot");
    if (activeBlock->count == knotsPerBlock)
    {
        if (activeBlock == lastBlock)
            appendBlock("knotManager::getKnot");
        activeBlock = activeBlock->next;
    }
    knot* link = &activeBlock->knots[activeBlock->count];
    link->clear();
    link->partner = nullptr;
    ++activeBlock->count;
    ++used;
    return link;
}

void knotManager::releaseKnot(knot* released, knot** held1, knot** held2)
{
    if (activeBlock == nullptr || released == nullptr || !released->pooled || released->isInChain())
        throw Exc_InternalError("knotManager::releaseKnot");
    if (defragLockCount != 0)
    {
        released->partner = nullptr;
        released->object = nullptr;
        deferred.insert(released);
        return;
    }
    returnToPool(released, held1, held2);
}

void knotManager::returnToPool(knot* released, knot** held1, knot** held2)
{
    fillHole(released, held1, held2);
    --used;
    if (capacity - used > knotsPerBlock + knotsPerBlock / 4)
    {
        knotBlock* spare = lastBlock;
        lastBlock = spare->prev;
        lastBlock->next = nullptr;
        freeBlock(spare);
        capacity -= knotsPerBlock;
    }
}

void knotManager::drainDeferred(knot** held1, knot** held2)
{
    while (knot* parked = deferred.next)
    {
        parked->cutFromChain(false);
        returnToPool(parked, held1, held2);
    }
}

void knotManager::removePair(knot* link, knot** held)
{
    // Cutting the links tells the owners of lists that become empty, and what they do then may
    // remove further links; the pool must not move these two knots meanwhile.
    lockDefrag();
    knot* other = nullptr;
    try
    {
        other = link->unlinkPair();
    }
    catch (...)
    {
        if (--defragLockCount == 0)
            drainDeferred(held, nullptr);
        throw;
    }
    link->partner = nullptr;
    --defragLockCount;
    knot* self = link;
    if (other != link)
        releaseKnot(other, &self, held);
    releaseKnot(self, held);
    if (defragLockCount == 0)
        drainDeferred(held, nullptr);
}

void knotManager::fillHole(knot* released, knot** held1, knot** held2)
{
    if (activeBlock->count == 0)
    {
        if (activeBlock == firstBlock)
            throw Exc_InternalError("knotManager::releaseKnot");
        activeBlock = activeBlock->prev;
    }
    --activeBlock->count;
    knot* top = &activeBlock->knots[activeBlock->count];
    if (top != released)
    {
        released->next = top->next;
        released->prev = top->prev;
        released->object = top->object;
        released->partner = top->partner;
        if (released->prev != nullptr)
            released->prev->next = released;
        if (released->next != nullptr)
            released->next->prev = released;
        if (released->partner != nullptr)
            released->partner->partner = released;
        redirectHeld(held1, top, released);
        redirectHeld(held2, top, released);
    }
    top->clear();
    top->partner = nullptr;
}

void knotManager::link(knotList* listA, knotList* listB)
{
    // Removals give knots back to the shared pool, so only the shared pool may hand out links.
    if (this != sharedKnotManager || listA == nullptr || listB == nullptr || listA == listB ||
        listA->getKind() != knotKind::pooled || listB->getKind() != knotKind::pooled ||
        (listA->getOwner() != nullptr && listA->getOwner() == listB->getOwner()))
        throw Exc_InternalError("knotManager::link");
    knot* a = getKnot();
    knot* b = nullptr;
    try
    {
        b = getKnot();
    }
    catch (...)
    {
        releaseKnot(a);
        throw;
    }
    a->object = listB->getOwner();
    a->partner = b;
    b->object = listA->getOwner();
    b->partner = a;
    listA->insert(a);
    listB->insert(b);
}

knot* knotManager::addObject(knotList* list, knotOwner* object)
{
    if (this != sharedKnotManager || list == nullptr || list->getKind() != knotKind::pooled)
        throw Exc_InternalError("knotManager::addObject");
    knot* link = getKnot();
    link->object = object;
    list->insert(link);
    return link;
}

void knotManager::lockDefrag()
{
    ++defragLockCount;
}

void knotManager::unlockDefrag()
{
    if (defragLockCount == 0)
        throw Exc_InternalError("knotManager::unlockDefrag");
    if (--defragLockCount == 0)
        drainDeferred(nullptr, nullptr);
}

void knotManager::deleteLastBlock()
{
    if (lastBlock == nullptr)
        throw Exc_InternalError("knotManager::deleteLastBlock()");
    knotBlock* block = lastBlock;
    if (block == activeBlock)
    {
        used -= block->count;
        activeBlock = block->prev;
    }
    lastBlock = block->prev;
    if (lastBlock != nullptr)
        lastBlock->next = nullptr;
    else
        firstBlock = nullptr;
    freeBlock(block);
    capacity -= knotsPerBlock;
}

void knotManager::freeBlock(knotBlock* block)
{
    block->~knotBlock();
    blockMemory.release(block);
}
