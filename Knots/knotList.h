#pragma once

#include "Knots/knot.h"

// What a list holds: pooled pairs made by knotManager::link, or the embedded knots of other objects.
enum class knotKind : std::uint8_t
{
    pooled,
    embedded
};

// The head of a chain of knots, owned by one object.
class knotList : public knotLink
{
public:
    knotList(knotOwner* owner, knotKind kind) : knotLink(true, owner), kind(kind) {}
    // A list destroyed while it still holds knots cuts them quietly: pooled pairs go back to the
    // pool (the partners' owners are told as usual when their lists empty), embedded knots are
    // unlinked and stay with their objects. The owner, which is being destroyed, is not told.
    ~knotList();

    knot* getFirst() const { return next; }
    knotOwner* getOwner() const { return object; }
    void setOwner(knotOwner* owner) { object = owner; }
    knotKind getKind() const { return kind; }
    bool isEmpty() const { return next == nullptr; }
    // The last knot (walks the chain); null for an empty list.
    knot* getLast() const;
    knot* last() const { return getLast(); }

    // Pooled lists.
    // Puts a pooled knot that sits in no chain at the front.
    void insert(knot* link);
    // Removes every link of the list, pairs and all, without telling the owner that it emptied.
    void removeAllLinks();
    // Moves the chain to `newHead`, which must be empty, with `newOwner`; every partner now names
    // `newOwner`. This list is left empty with its old owner, quietly.
    void moveLinkedTo(knotList* newHead, knotOwner* newOwner);

    // Lists of embedded knots; the notifying forms tell a knot's object when it loses its list owner.
    // Puts the knot at the front (taking it out of any chain first) with this list's owner as its
    // list owner. A knot of this list's own owner is refused: an object never lists itself.
    void insertOwned(knot* link);
    void insertOwnedNotify(knot* link);
    // Empties the list by unlinking every knot in it.
    void clearOwned();
    void clearOwnedNotify();
    // Moves the chain to `newHead`, which must be empty, with `newOwner` as every knot's list owner.
    // This list is left empty, quietly.
    void moveOwnedTo(knotList* newHead, knotOwner* newOwner);
    void moveOwnedNotifyTo(knotList* newHead, knotOwner* newOwner);

    // Moves all knots of `other` to the end of this list; `other` becomes empty and tells its owner.
    // Only lists of one kind and one owner may be joined, since no partner is changed.
    void append(knotList* other);

private:
    void requireKind(knotKind wanted, const char* where) const;
    void insertEmbedded(knot* link, bool notify, const char* where);
    void clearEmbedded(bool notify);
    void moveChainTo(knotList* newHead, knotOwner* newOwner, const char* where);
    void moveEmbeddedTo(knotList* newHead, knotOwner* newOwner, bool notify);

    const knotKind kind;
};

inline knotList* knotLink::asList()
{
    return headMark ? static_cast<knotList*>(this) : nullptr;
}

inline knot* knotLink::asKnot()
{
    return headMark ? nullptr : static_cast<knot*>(this);
}

// Free forms of knotList::insertOwned and knotList::insertOwnedNotify.
void linkOwnedKnot(knotList* list, knot* link);
void linkOwnedKnotNotify(knotList* list, knot* link);

// A walk along a chain. It stands on a knot, on a list head at the end of a backward walk, or on
// nothing.
class knotIterator
{
public:
    knotIterator() = default;
    explicit knotIterator(const knotList* list) : current(list ? list->getFirst() : nullptr) {}

    knot* setList(const knotList* list);
    knotLink* getCurrent() const { return current; }
    // The knot it stands on; null at a list head or after the end.
    knot* getKnot() const { return current ? current->asKnot() : nullptr; }
    knotOwner* getObject() const;
    // Stands on a knot (not on a list head, not past the end): the test of both walks.
    bool isValid() const { return getKnot() != nullptr; }
    bool hasNext() const { return isValid() && current->getNext() != nullptr; }
    knot* next();
    knotLink* previous();
    // Moves to the last or first knot of the chain.
    void toLast();
    void toFirst();
    // The list head of the chain; null when it stands on nothing.
    knotList* getList() const;
    // Searches for the knot naming `object`; on failure the iterator stays where it was.
    bool findForward(const knotOwner* object);
    bool findBackward(const knotOwner* object);
    bool find(const knotOwner* object);
    // Steps to the next knot, then removes the pooled knot it stood on with its partner; the new
    // current knot stays valid although the pool may move it. Returns the new current knot.
    knot* removeCurrent();

private:
    knotLink* current = nullptr;
};

// Points at one model object by standing in that object's reference list; empties itself when
// the object is released or destroyed.
class knotReference : public knotOwner
{
public:
    knotReference() : link(this) {}
    knotReference(const knotReference&) = delete;
    knotReference& operator=(const knotReference&) = delete;

    knotOwner* get() const { return link.getListOwner(); }
    // Points the reference at `target` (null: at nothing), cutting the previous link. A target that
    // cannot be referenced (no reference list) leaves the reference pointing at nothing.
    void set(knotOwner* target);

    knot& getKnot() { return link; }

private:
    knot link;
};
