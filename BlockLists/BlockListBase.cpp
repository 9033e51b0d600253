#include "BlockLists/BlockListBase.h"

#include "BlockLists/BlockListGroup.h"
#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"

#include <cstring>
#include <exception>

BlockListBase::BlockListBase(const char* name, void* owner) : name(name), owner(owner)
{
}

BlockListBase::~BlockListBase()
{
    if (group)
        group->unlinkBlockList(this);
    else
        unlinkFromChain();
    for (BlockListBase* child = firstChild; child;)
    {
        BlockListBase* nextChild = child->next;
        child->parent = nullptr;
        child->next = nullptr;
        child->previous = nullptr;
        child = nextChild;
    }
    firstChild = nullptr;
}

void BlockListBase::unlinkFromChain()
{
    BlockListBase* noChain = nullptr;
    unlinkFrom<&BlockListBase::previous, &BlockListBase::next>(parent ? parent->firstChild : noChain, this);
    parent = nullptr;
}

void BlockListBase::refuseAsChild(const char* where) const
{
    if (parent)
        throw Exc_InternalError(where);
}

void BlockListBase::clear()
{
    refuseAsChild("BlockListBase::clear() of a child list");
    clearInStep();
}

void BlockListBase::remove(uint32_t index)
{
    refuseAsChild("BlockListBase::remove(...) of a child list");
    removeInStep(index);
}

void BlockListBase::growTo(const BlockListBase* other)
{
    while (count < other->count)
        grow();
}

void BlockListBase::lock()
{
    if (parent && parent->lockCount == lockCount)
    {
        parent->lock();
        return;
    }
    ++lockCount;
    for (BlockListBase* child = firstChild; child; child = child->next)
        child->lock();
}

void BlockListBase::unlock()
{
    if (parent && parent->lockCount == lockCount)
    {
        parent->unlock();
    }
    else
    {
        if (lockCount == 0)
            return;
        --lockCount;
        for (BlockListBase* child = firstChild; child; child = child->next)
            child->unlock();
    }
    if (lockCount == 0)
        carryOutQueuedRemovals();
}

void BlockListBase::addChild(BlockListBase* child)
{
    bool refused = !child || child->parent || child->group || child->next || child->previous || child->lockCount != 0 ||
        child->count > count;
    for (const BlockListBase* ancestor = this; ancestor && !refused; ancestor = ancestor->parent)
        refused = ancestor == child;
    if (refused)
        throw Exc_InternalError("BlockListBase::addChild");

    // Join at this list's lock level before the link exists, so the child's own lock does not
    // climb to this list.
    for (int32_t level = 0; level < lockCount; ++level)
        child->lock();
    linkAtFront<&BlockListBase::previous, &BlockListBase::next>(firstChild, child);
    child->parent = this;
    child->growTo(this);
    passQueuedRemovalsTo(child);
}

BlockListBase* BlockListBase::getChild(const char* childName) const
{
    for (BlockListBase* child = firstChild; child; child = child->next)
    {
        const char* name = child->getName();
        if (name && childName && std::strcmp(name, childName) == 0)
            return child;
    }
    return nullptr;
}

BlockListBase* BlockListBase::getChild(const char* childName, const void* childOwner) const
{
    for (BlockListBase* child = firstChild; child; child = child->next)
    {
        const char* name = child->getName();
        if (child->owner == childOwner && name && childName && std::strcmp(name, childName) == 0)
            return child;
    }
    return nullptr;
}

void BlockListBase::removeFromChildren(uint32_t index)
{
    // Every child removes, even after one has thrown, so that all stay in step; the first
    // exception is passed on afterwards.
    std::exception_ptr failure;
    for (BlockListBase* child = firstChild; child; child = child->next)
    {
        try
        {
            child->removeInStep(index);
        }
        catch (...)
        {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

void BlockListBase::growChildren()
{
    for (BlockListBase* child = firstChild; child; child = child->next)
        child->grow();
}

void BlockListBase::clearChildren()
{
    for (BlockListBase* child = firstChild; child; child = child->next)
        child->clearInStep();
}
