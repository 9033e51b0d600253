#pragma once

#include "VornData/VornModifiable.h"

class VornSelection;

// A group of selectables. Every document has a root group "__WORLD" that holds the world tracer, so
// it never becomes empty. A group ends itself when its last child leaves.
class VornGroup : public VornModifiable
{
    VORN_MODEL_TYPE(VornModifiable, ObjectType::Group)

public:
    VornGroup() = default;

    void knotRemoved(knotLink* link) override;
    // A group that is closed (selected as a whole) takes its children with it, and with them
    // everything below them; an open group leaves its children where they are, without a group.
    void removeFromList() override;
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    void applyModifiers() override {}
    void resetToCreation() override {}
    void reapplyModifiers() override {}
    void commitModifiers() override {}

    // Puts the child into this group, taking it out of its previous group, and gives it the group's
    // closed state as its in-closed-group bit. Refused (false) for null, for removed objects and for
    // a group that is this group or one of its ancestors.
    bool addChild(VornSelectable* child);
    // Selected as a whole (closed).
    bool isSelected() const { return hasFlagBits(VornFlag::GroupClosed); }
    bool isEmpty() const { return children.isEmpty(); }

    void select();
    void deselect();
    void setChildFlags(uint8_t bits) { setAndClearChildFlags(bits, 0); }
    void clearChildFlags(uint8_t bits) { setAndClearChildFlags(0, bits); }
    void setAndClearChildFlags(uint8_t set, uint8_t clear);
    void setFlagsRecursive(uint8_t bits) { setAndClearFlagsRecursive(bits, 0); }
    void clearFlagsRecursive(uint8_t bits) { setAndClearFlagsRecursive(0, bits); }
    void setAndClearFlagsRecursive(uint8_t set, uint8_t clear);
    // Adds every child to the selection (selected and pre-selected), descending into open groups; a
    // closed group counts as one object.
    void addToSelection(VornSelection* selection);
    // Takes every child out; the group then ends itself.
    void removeAllChildren();

    // The child a knot of the children list stands for.
    static VornSelectable* childOf(const knot* link) { return static_cast<VornSelectable*>(link->getObject()); }
    // The object as a group, or null.
    static VornGroup* asGroup(VornSelectable* object) { return dynamic_cast<VornGroup*>(object); }

    void setDefaults();
    void copyTo(VornGroup& other);
    void release();

    // The group knots of the children (embedded knots of the children).
    knotList children{this, knotKind::embedded};

private:
    void takeOutChildren();
};
