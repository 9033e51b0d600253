#pragma once

#include "VornData/VornSelectable.h"

// A set of selected objects: the document's current selection, its property-list selection, or a
// named selection set. A selection without the keep-when-empty bit (0x40) ends itself when its last
// object leaves.
class VornSelection : public VornBaseObject
{
    VORN_MODEL_TYPE(VornBaseObject, ObjectType::Selection)

public:
    VornSelection() = default;

    void knotRemoved(knotLink* link) override;
    void removeFromList() override { removeFromOwnList(this); }
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    // Links the object into the selection; refused (false) for null, removed objects and objects
    // the selection already holds.
    bool add(VornSelectable* object);
    bool contains(const VornSelectable* object) const;
    bool isEmpty() const { return objects.isEmpty(); }
    bool isSingle() const { return objects.getFirst() && !objects.getFirst()->getNext(); }
    // Takes every object out; a selection without 0x40 then ends itself.
    void clear();

    // On the flag byte of every object in the selection.
    void setFlags(uint8_t bits) { setAndClearFlags(bits, 0); }
    void clearFlags(uint8_t bits) { setAndClearFlags(0, bits); }
    void setAndClearFlags(uint8_t set, uint8_t clear);

    bool isNamed() const { return hasFlagBits(VornFlag::Named); }
    void setNamed(bool named) { named ? setFlagBits(VornFlag::Named) : clearFlagBits(VornFlag::Named); }

    // The object a knot of the objects list stands for.
    static VornSelectable* objectOf(const knot* link) { return static_cast<VornSelectable*>(link->getObject()); }

    void setDefaults();
    void copyTo(VornSelection& other);
    void release();

    // Pooled knots linked with the selected objects' selections lists.
    knotList objects{this, knotKind::pooled};
};
