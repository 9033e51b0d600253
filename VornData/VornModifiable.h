#pragma once

#include "VornData/VornSelectable.h"

// A selectable that modifiers can be applied to. Its modifiers list is newest first; the modifiers
// are applied oldest first.
class VornModifiable : public VornSelectable
{
    VORN_MODEL_TYPE(VornSelectable, ObjectType::Modifiable)

public:
    VornModifiable() = default;

    // Creation state with every modifier applied, from the oldest to the newest.
    virtual void applyModifiers() = 0;
    // The base state becomes the creation state.
    virtual void resetToCreation() = 0;
    // The working state becomes the modified state (the chain is not run again).
    virtual void reapplyModifiers() = 0;
    // The working state becomes the new creation state.
    virtual void commitModifiers() = 0;

    void setDefaults();
    void copyTo(VornModifiable& other);

    // Pooled knots, one per VornModifier applied to the object.
    knotList modifiers{this, knotKind::pooled};

protected:
    // The modifiable's own part of setDefaults; the release of every derived class ends with it.
    void resetModifiableFields() { modifiers.removeAllLinks(); }
};
