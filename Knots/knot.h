#pragma once

// Knots: two-way links between model objects. Model objects never point at each other; every
// relation is a chain of knots headed by a knotList that belongs to one object.
//
// A pooled knot comes from the shared knotManager, always in pairs: one in each of two lists, each
// naming the other list's owner and pointing at its partner. An embedded knot is a field of a model
// object; it sits directly in another object's list and names its own embedding object.

#include <cstdint>

class knot;
class knotLink;
class knotList;

// Base of every object that owns knot lists or embedded knots.
class knotOwner
{
public:
    virtual ~knotOwner() = default;

    // Called with a list of this owner that has just become empty (link->isListHead()), or with an
    // embedded knot of this owner whose list owner has just been cleared by a notifying operation.
    virtual void knotRemoved(knotLink* link) {}

    // The list in which the embedded knots of the knotReferences that point at this object sit;
    // null for an owner that cannot be referenced.
    virtual knotList* getReferenceList() { return nullptr; }
};

// The part that a knot and a list head share, so that a knot's `prev` may point at either. A head
// is marked as such explicitly; for a head, `next` is its first knot and `object` its owner.
class knotLink
{
public:
    knotLink(const knotLink&) = delete;
    knotLink& operator=(const knotLink&) = delete;

    // True for a list head: the end of a backward walk.
    bool isListHead() const { return headMark; }

    knot* getNext() const { return next; }

    // The list head or knot for this record, or null when it is the other kind.
    knotList* asList();
    knot* asKnot();

protected:
    knotLink(bool isHead, knotOwner* object) : object(object), headMark(isHead) {}
    ~knotLink() = default;

    // Stores `next`. A list head that becomes empty tells its owner, unless it is held quiet.
    void setNext(knot* value);

    knot* next = nullptr; // a knot: the following knot; a head: the first knot
    knotLink* prev = nullptr; // a knot: the preceding knot or its list head; a head: unused
    knotOwner* object; // a knot: the related object; a head: the owner of the list
    const bool headMark;
    bool quiet = false; // a head: do not tell the owner when the list becomes empty

    friend class knot;
    friend class knotList;
    friend class knotManager;
};

class knot : public knotLink
{
public:
    // An embedded knot, a field of `embeddingObject`.
    explicit knot(knotOwner* embeddingObject = nullptr) : knotLink(false, embeddingObject) {}
    // An embedded knot that is destroyed while it still sits in a list leaves that list quietly,
    // its neighbours joined; nobody is told. Pool knots die with their block.
    ~knot()
    {
        if (!pooled)
            detach();
    }

    knotLink* getPrev() const { return prev; }
    knotOwner* getObject() const { return object; }
    void setObject(knotOwner* value) { object = value; }
    // A pooled knot's partner in the other list (null for a one-sided link or an embedded knot).
    knot* getPartner() const { return partner; }
    void setPartner(knot* value) { partner = value; }
    // An embedded knot's partner: the owner of the list it sits in (null when it sits in none).
    knotOwner* getListOwner() const { return listOwner; }

    bool isPooled() const { return pooled; }
    bool isInChain() const { return prev != nullptr; }
    // The head of the chain this knot sits in (walks backward); null when it sits in none.
    knotList* findList() const;

    // Resets next, prev and object.
    void clear();

    // Pooled knots.
    // Takes the knot and its partner out of their chains and cuts the partner's link back; returns
    // the partner, or the knot itself when it has none. The knot keeps its own partner field.
    knot* unlinkPair();
    // unlinkPair, then hands the knot and its partner back to the pool. The pool fills the holes
    // with its top knots; `held`, when given, is a knot pointer of the caller that keeps naming the
    // same link when that knot moves. Throws Exc_InternalError for an embedded knot.
    void remove(knot** held = nullptr);

    // Embedded knots: take the knot out of its chain, joining its neighbours, and clear next, prev
    // and the list owner. The notifying form tells the knot's object when it loses its list owner.
    void unlink();
    void unlinkNotify();
    // Moves this knot's place in its chain and its list owner (or partner) to `other`, which takes
    // `newObject`; this knot is left in no chain (an embedded knot keeps naming its own object,
    // a pooled one is cleared). `other` must sit in no chain. Moving a link tells
    // nobody: the link itself still exists.
    void moveTo(knot* other, knotOwner* newObject);
    void moveToNotify(knot* other, knotOwner* newObject) { moveTo(other, newObject); }
    // Cuts the knot out of its chain, joining its neighbours, and clears its list owner; nobody is
    // told. The destructor of an embedded knot.
    void detach();
    // The same without touching the list owner.
    void detachFromChain();

private:
    // Takes the knot out of its chain, joining its neighbours, and clears next and prev. A list
    // that becomes empty tells its owner unless `tellListOwner` is false.
    void cutFromChain(bool tellListOwner);
    // Clears the list owner; with `notify`, the knot's object is told first.
    void clearListOwner(bool notify);

    knot* partner = nullptr;
    knotOwner* listOwner = nullptr;
    bool pooled = false;

    friend class knotList;
    friend class knotManager;
    friend struct knotBlock;
};
