#pragma once

#include <cstdint>

#include "BlockLists/BlockList.h"
#include "Knots/knotList.h"
#include "VornData/StringManager.h"
#include "VornData/VornTypeIDManager.h"

class BlockListBase;
class BlockListGroup;
class VornDocument;

// Flag bits of the high byte of a model object's colour-and-flags word.
namespace VornFlag
{
constexpr uint8_t Selected = 0x01;
constexpr uint8_t PreSelected = 0x02;
constexpr uint8_t Hidden = 0x04;
constexpr uint8_t Frozen = 0x08; // selectables
constexpr uint8_t Named = 0x08; // selections: a named selection set
constexpr uint8_t Disabled = 0x08; // modifiers
constexpr uint8_t InClosedGroup = 0x10; // selectables
constexpr uint8_t GroupClosed = 0x20; // groups: selected as a whole
constexpr uint8_t Local = 0x20; // force definitions and forces: vector in local axes
constexpr uint8_t LengthFixed = 0x20; // members
constexpr uint8_t KeepWhenEmpty = 0x40; // selections
constexpr uint8_t UnderModifier = 0x40; // modifiables: object of the active transform modifier
constexpr uint8_t Removed = 0x80;
} // namespace VornFlag

// Root of every model object. Model objects live by value in block-list slots and move between
// slots, so they never point at each other: every relation is a knot. The block list drives an
// object's life through setDefaults (a slot is handed out), copyTo (the element moves to another
// slot), release (the element leaves its list) and destruction.
//
// Each class's setDefaults resets its own fields and its base's; release leaves the flag byte
// at 0x80 (Removed), so a class's own reset never touches the colour-and-flags word.
class VornBaseObject : public knotOwner
{
public:
    VornBaseObject() = default;
    VornBaseObject(const VornBaseObject&) = delete;
    VornBaseObject& operator=(const VornBaseObject&) = delete;
    // Destruction cuts the object's links quietly: nothing cascades and no model object is told.
    ~VornBaseObject() override;

    // --- virtual operations, in the order every module relies on ---
    void knotRemoved(knotLink* link) override {}
    // Removes the object from the block list that stores it, with whatever must go with it.
    virtual void removeFromList() {}
    virtual int32_t getTypeID() const { return staticTypeID(); }
    virtual bool isKindOf(int32_t typeID) const;
    virtual int32_t getLinkCount(int32_t typeID) const { return 0; }
    virtual VornBaseObject* getLinkedObject(int32_t typeID, int32_t index) const { return nullptr; }
    virtual bool canLink(const VornBaseObject* object) const { return false; }
    virtual VornBaseObject* getLink(const VornBaseObject* object) const { return nullptr; }
    virtual bool link(VornBaseObject* object) { return false; }
    virtual void linkedObjectChanged(VornBaseObject* source, int32_t code) {}

    // The block list that stores the object; null for an object that lives in none (the world
    // tracer, the property-list selection, a cross-section embedded in a settings item).
    virtual BlockListBase* getOwnerList() const { return nullptr; }

    knotList* getReferenceList() override { return &references; }

    // The type id this module registered for the class (-1 before the type tree is registered).
    static int32_t staticTypeID() { return objectTypeID(ObjectType::BaseObject); }

    // --- colour and flags ---
    uint32_t getColor() const { return colorAndFlags & 0xFFFFFFu; }
    void setColor(uint32_t color) { colorAndFlags = (colorAndFlags & 0xFF000000u) | (color & 0xFFFFFFu); }
    uint8_t getFlags() const { return static_cast<uint8_t>(colorAndFlags >> 24); }
    void setFlagByte(uint8_t flags) { colorAndFlags = (colorAndFlags & 0xFFFFFFu) | (uint32_t(flags) << 24); }
    bool hasFlagBits(uint8_t bits) const { return (getFlags() & bits) != 0; }
    void setFlagBits(uint8_t bits) { colorAndFlags |= uint32_t(bits) << 24; }
    void clearFlagBits(uint8_t bits) { colorAndFlags &= ~(uint32_t(bits) << 24); }
    void setAndClearFlagBits(uint8_t set, uint8_t clear) { setFlagByte(uint8_t((getFlags() & ~clear) | set)); }

    bool isSelected() const { return hasFlagBits(VornFlag::Selected); }
    void setSelected(bool selected) { selected ? markSelected() : clearSelected(); }
    void markSelected() { setFlagBits(VornFlag::Selected); }
    void clearSelected() { clearFlagBits(VornFlag::Selected); }
    bool isPreSelected() const { return hasFlagBits(VornFlag::PreSelected); }
    void setPreSelected(bool preSelected) { preSelected ? markPreSelected() : clearPreSelected(); }
    void markPreSelected() { setFlagBits(VornFlag::PreSelected); }
    void clearPreSelected() { clearFlagBits(VornFlag::PreSelected); }
    bool isHidden() const { return hasFlagBits(VornFlag::Hidden); }
    bool isFrozen() const { return hasFlagBits(VornFlag::Frozen); }
    bool isInClosedGroup() const { return hasFlagBits(VornFlag::InClosedGroup); }
    bool isUnderModifier() const { return hasFlagBits(VornFlag::UnderModifier); }
    void clearFlag40() { clearFlagBits(0x40); }
    // The element has left (or is leaving) its list.
    bool isRemoved() const { return hasFlagBits(VornFlag::Removed); }

    // --- where the object lives ---
    // Only an object that a block list constructed in one of its slots lives in a block list; one
    // embedded in another object lives in none, whatever was called on it, so nothing looks for a
    // block-list slot around it.
    void markInBlockList() { inBlockList = true; }
    bool isOutsideBlockLists() const { return !inBlockList; }
    // The document whose group holds the object's list; null when there is none.
    VornDocument* getDocument() const;
    // The string storage of the object's document (null without a document): where names go.
    StringManager* getStringStorage() const;

    // --- life cycle, driven by the block list ---
    void setDefaults();
    void copyTo(VornBaseObject& other);
    void release();

    // name of the object in its document's string storage; empty for a new object.
    StringHandle name;
    // low 24 bits colour (0x00BBGGRR), high byte flags (VornFlag).
    uint32_t colorAndFlags = 0;

protected:
    // True while the object's document releases everything at once (reset, close): cascades and
    // self-removals are skipped then, because every list is being emptied anyway.
    bool isInMassRelease() const;
    // Sets the flag byte to Removed before a class's release work begins, so that a removal
    // reached again through a cascade finds the object already on its way out.
    void markRemoved() { setFlagByte(VornFlag::Removed); }

    // Embedded knots of the knotReferences that trace the object (windows, the property list).
    knotList references{this, knotKind::embedded};

private:
    bool inBlockList = false;
};

// Whether a type id names the class with the given registered id (an unregistered class, -1,
// matches nothing).
inline bool isTypeID(int32_t id, int32_t classTypeID)
{
    return id >= 0 && id == classTypeID;
}

// The type-id members of a model class: its own registered id, getTypeID and isKindOf, which asks the base class for every id that is not its own.
#define VORN_MODEL_TYPE(BaseClass, Type)                                                                               \
public:                                                                                                                \
    static int32_t staticTypeID()                                                                                      \
    {                                                                                                                  \
        return objectTypeID(Type);                                                                                     \
    }                                                                                                                  \
    int32_t getTypeID() const override                                                                                 \
    {                                                                                                                  \
        return staticTypeID();                                                                                         \
    }                                                                                                                  \
    bool isKindOf(int32_t id) const override                                                                           \
    {                                                                                                                  \
        return isTypeID(id, staticTypeID()) || BaseClass::isKindOf(id);                                                \
    }                                                                                                                  \
                                                                                                                       \
public:

// Puts an object's embedded knot into another object's list (leaving the list it sat in), or, for a
// null list, only takes it out: how an object links to its joint, material, definition and so on.
inline void linkKnotTo(knotList* list, knot& link)
{
    if (list)
        list->insertOwned(&link);
    else
        link.unlink();
}

// Removes an object that depends on another one (a member of a removed joint, a child of a removed
// closed group). An object that lives in no block list cannot be removed; its knot is taken out of
// the list instead, so that the caller's loop over that list always ends.
void removeLinkedObject(VornBaseObject* object, knot& linkToList);

// Brackets an operation that may remove model objects. While it lives, the document's lists are
// locked, so removed elements stay where they are (marked Removed) instead of being refilled by other
// elements, and knots are not moved by the pool; the removals are carried out when the outermost
// guard ends. Without a document the object's own list is locked.
class ModelCascadeGuard
{
public:
    explicit ModelCascadeGuard(const VornBaseObject* object);
    ~ModelCascadeGuard();
    ModelCascadeGuard(const ModelCascadeGuard&) = delete;
    ModelCascadeGuard& operator=(const ModelCascadeGuard&) = delete;

private:
    BlockListGroup* lockedGroup = nullptr;
    BlockListBase* lockedList = nullptr;
    bool defragLocked = false;
};

// The block list of type T that stores an element, or null for an element that lives in none.
template <class T>
BlockList<T>* ownListOf(const T* element)
{
    if (element->isOutsideBlockLists())
        return nullptr;
    return BlockList<T>::listOf(const_cast<T*>(element));
}

// removeFromList of a list element: removes it from its own list inside a cascade guard. An element
// already removed, or living in no list, is left alone.
template <class T>
void removeFromOwnList(T* element)
{
    if (element->isRemoved())
        return;
    BlockList<T>* list = ownListOf(element);
    if (!list)
        return;
    ModelCascadeGuard guard(element);
    list->remove(element);
}
