#include "Knots/knotList.h"

#include "Knots/knotManager.h"
#include "VornData/generalException.h"

namespace
{

// Holds a list head quiet for a scope: emptying it does not tell its owner.
class QuietHead
{
public:
    explicit QuietHead(bool& quiet) : quiet(quiet), wasQuiet(quiet) { quiet = true; }
    ~QuietHead() { quiet = wasQuiet; }

private:
    bool& quiet;
    bool wasQuiet;
};

} // namespace

knotList::~knotList()
{
    quiet = true;
    if (kind == knotKind::pooled)
    {
        while (next != nullptr)
            next->remove();
    }
    else
    {
        while (next != nullptr)
            next->detach();
    }
}

knot* knotList::getLast() const
{
    knot* link = next;
    if (link == nullptr)
        return nullptr;
    while (link->next != nullptr)
        link = link->next;
    return link;
}

void knotList::requireKind(knotKind wanted, const char* where) const
{
    if (kind != wanted)
        throw Exc_InternalError(where);
}

void knotList::insert(knot* link)
{
    requireKind(knotKind::pooled, "knotList::insert");
    if (link == nullptr || !link->pooled || link->isInChain())
        throw Exc_InternalError("knotList::insert");
    link->next = next;
    if (next != nullptr)
        next->prev = link;
    link->prev = this;
    next = link;
}

void knotList::removeAllLinks()
{
    requireKind(knotKind::pooled, "knotList::removeAllLinks");
    QuietHead hold(quiet);
    while (next != nullptr)
        next->remove();
}

void knotList::moveChainTo(knotList* newHead, knotOwner* newOwner, const char* where)
{
    if (newHead == nullptr || newHead->kind != kind || (newHead != this && !newHead->isEmpty()))
        throw Exc_InternalError(where);
    newHead->object = newOwner;
    if (newHead == this)
        return;
    newHead->next = next;
    if (next != nullptr)
        next->prev = newHead;
    next = nullptr; // the moved-from list is left empty without telling its owner
}

void knotList::moveLinkedTo(knotList* newHead, knotOwner* newOwner)
{
    requireKind(knotKind::pooled, "knotList::moveLinkedTo");
    moveChainTo(newHead, newOwner, "knotList::moveLinkedTo");
    for (knot* link = newHead->next; link != nullptr; link = link->next)
    {
        if (link->partner != nullptr)
            link->partner->object = newOwner;
    }
}

void knotList::insertEmbedded(knot* link, bool notify, const char* where)
{
    requireKind(knotKind::embedded, where);
    if (link == nullptr || link->pooled)
        throw Exc_InternalError(where);
    // An object in its own list would make every walk through it endless.
    if (object != nullptr && link->object == object)
        throw Exc_InternalError(where);
    link->cutFromChain(true);
    link->next = next;
    if (next != nullptr)
        next->prev = link;
    link->prev = this;
    next = link;
    if (object != nullptr)
        link->listOwner = object;
    else
        link->clearListOwner(notify);
}

void knotList::insertOwned(knot* link)
{
    insertEmbedded(link, false, "knotList::insertOwned");
}

void knotList::insertOwnedNotify(knot* link)
{
    insertEmbedded(link, true, "knotList::insertOwnedNotify");
}

void linkOwnedKnot(knotList* list, knot* link)
{
    if (list == nullptr)
        throw Exc_InternalError("linkOwnedKnot");
    list->insertOwned(link);
}

void linkOwnedKnotNotify(knotList* list, knot* link)
{
    if (list == nullptr)
        throw Exc_InternalError("linkOwnedKnotNotify");
    list->insertOwnedNotify(link);
}

void knotList::clearEmbedded(bool notify)
{
    requireKind(knotKind::embedded, notify ? "knotList::clearOwnedNotify" : "knotList::clearOwned");
    while (next != nullptr)
    {
        if (notify)
            next->unlinkNotify();
        else
            next->unlink();
    }
}

void knotList::clearOwned()
{
    clearEmbedded(false);
}

void knotList::clearOwnedNotify()
{
    clearEmbedded(true);
}

void knotList::moveEmbeddedTo(knotList* newHead, knotOwner* newOwner, bool notify)
{
    const char* where = notify ? "knotList::moveOwnedNotifyTo" : "knotList::moveOwnedTo";
    requireKind(knotKind::embedded, where);
    moveChainTo(newHead, newOwner, where);
    for (knot* link = newHead->next; link != nullptr; link = link->next)
    {
        if (newOwner != nullptr)
            link->listOwner = newOwner;
        else
            link->clearListOwner(notify);
    }
}

void knotList::moveOwnedTo(knotList* newHead, knotOwner* newOwner)
{
    moveEmbeddedTo(newHead, newOwner, false);
}

void knotList::moveOwnedNotifyTo(knotList* newHead, knotOwner* newOwner)
{
    moveEmbeddedTo(newHead, newOwner, true);
}

void knotList::append(knotList* other)
{
    if (other == nullptr || other == this || other->kind != kind || other->object != object)
        throw Exc_InternalError("knotList::append");
    knot* moved = other->next;
    if (moved == nullptr)
        return;
    other->next = nullptr;
    knot* tail = getLast();
    if (tail == nullptr)
    {
        next = moved;
        moved->prev = this;
    }
    else
    {
        tail->next = moved;
        moved->prev = tail;
    }
    other->setNext(nullptr); // tells the other list's owner that it emptied
}

// knotIterator

knot* knotIterator::setList(const knotList* list)
{
    current = list ? list->getFirst() : nullptr;
    return static_cast<knot*>(current);
}

knotOwner* knotIterator::getObject() const
{
    knot* link = getKnot();
    return link ? link->getObject() : nullptr;
}

knot* knotIterator::next()
{
    knot* link = getKnot();
    current = link ? link->getNext() : nullptr;
    return static_cast<knot*>(current);
}

knotLink* knotIterator::previous()
{
    knot* link = getKnot();
    current = link ? link->getPrev() : nullptr;
    return current;
}

void knotIterator::toLast()
{
    knot* link = getKnot();
    if (link == nullptr)
        return;
    while (link->getNext() != nullptr)
        link = link->getNext();
    current = link;
}

void knotIterator::toFirst()
{
    knot* link = getKnot();
    if (link == nullptr)
        return;
    while (link->getPrev() != nullptr && !link->getPrev()->isListHead())
        link = link->getPrev()->asKnot();
    current = link;
}

knotList* knotIterator::getList() const
{
    if (current == nullptr)
        return nullptr;
    if (current->isListHead())
        return current->asList();
    return static_cast<knot*>(current)->findList();
}

bool knotIterator::findForward(const knotOwner* object)
{
    for (knot* link = getKnot(); link != nullptr; link = link->getNext())
    {
        if (link->getObject() == object)
        {
            current = link;
            return true;
        }
    }
    return false;
}

bool knotIterator::findBackward(const knotOwner* object)
{
    for (knot* link = getKnot(); link != nullptr; link = link->getPrev() ? link->getPrev()->asKnot() : nullptr)
    {
        if (link->getObject() == object)
        {
            current = link;
            return true;
        }
    }
    return false;
}

bool knotIterator::find(const knotOwner* object)
{
    return findForward(object) || findBackward(object);
}

knot* knotIterator::removeCurrent()
{
    knot* link = getKnot();
    if (link == nullptr)
        return nullptr;
    knot* following = link->getNext();
    link->remove(&following);
    current = following;
    return following;
}

// knotReference

void knotReference::set(knotOwner* target)
{
    link.unlink(); // quietly: the reference does not tell itself
    if (target == nullptr)
        return;
    knotList* references = target->getReferenceList();
    if (references != nullptr)
        references->insertOwnedNotify(&link);
}
