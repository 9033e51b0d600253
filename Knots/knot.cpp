#include "Knots/knot.h"

#include "Knots/knotManager.h"
#include "VornData/generalException.h"

void knotLink::setNext(knot* value)
{
    next = value;
    if (value == nullptr && headMark && !quiet && object != nullptr)
        object->knotRemoved(this);
}

knotList* knot::findList() const
{
    knotLink* link = prev;
    while (link != nullptr && !link->isListHead())
        link = static_cast<knot*>(link)->prev;
    return link ? link->asList() : nullptr;
}

void knot::clear()
{
    next = nullptr;
    prev = nullptr;
    object = nullptr;
}

void knot::cutFromChain(bool tellListOwner)
{
    if (prev == nullptr)
        return;
    if (next != nullptr)
        next->prev = prev;
    const bool wasQuiet = prev->quiet;
    if (!tellListOwner)
        prev->quiet = true;
    prev->setNext(next);
    prev->quiet = wasQuiet;
    next = nullptr;
    prev = nullptr;
}

void knot::clearListOwner(bool notify)
{
    if (notify && object != nullptr && listOwner != nullptr)
        object->knotRemoved(this);
    listOwner = nullptr;
}

knot* knot::unlinkPair()
{
    cutFromChain(true);
    if (partner == nullptr)
        return this;
    knot* other = partner;
    other->partner = nullptr;
    other->cutFromChain(true);
    return other;
}

void knot::remove(knot** held)
{
    if (!pooled)
        throw Exc_InternalError("knot::remove");
    knotManager::instance()->removePair(this, held);
}

void knot::unlink()
{
    cutFromChain(true);
    clearListOwner(false);
}

void knot::unlinkNotify()
{
    cutFromChain(true);
    clearListOwner(true);
}

void knot::moveTo(knot* other, knotOwner* newObject)
{
    if (other == this)
    {
        object = newObject;
        return;
    }
    if (other == nullptr || other->isInChain() || other->pooled != pooled)
        throw Exc_InternalError("knot::moveTo");
    other->object = newObject;
    other->listOwner = listOwner;
    other->partner = partner;
    other->next = next;
    other->prev = prev;
    if (prev != nullptr)
        prev->next = other;
    if (next != nullptr)
        next->prev = other;
    if (partner != nullptr)
        partner->partner = other;
    // An embedded knot stays a field of its object: the slot it was moved out of is handed out again
    // later, and its knot must then name the new element there.
    knotOwner* const embeddingObject = pooled ? nullptr : object;
    clear();
    object = embeddingObject;
    partner = nullptr;
    listOwner = nullptr;
}

void knot::detach()
{
    cutFromChain(false);
    listOwner = nullptr;
}

void knot::detachFromChain()
{
    cutFromChain(false);
}
