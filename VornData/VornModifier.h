#pragma once

#include "VornData/VornBaseObject.h"
#include "VornData/VornMath.h"
#include "dwordarraymanager/DWordArrayHandle.h"

class ModifierApplier;

// A modifier record: the plugin that applies it, its parameter block and the objects it acts on.
// A modifier whose three lists have all become empty ends itself.
class VornModifier : public VornBaseObject
{
    VORN_MODEL_TYPE(VornBaseObject, ObjectType::Modifier)

public:
    VornModifier();

    void knotRemoved(knotLink* link) override;
    // An active modifier is made inactive through the document's host first.
    void removeFromList() override;
    BlockListBase* getOwnerList() const override { return ownListOf(this); }
    bool canLink(const VornBaseObject* object) const override { return false; }
    bool link(VornBaseObject* object) override { return false; }

    bool isDisabled() const { return hasFlagBits(VornFlag::Disabled); }
    void setDisabled(bool disabled) { disabled ? markDisabled() : clearFlagBits(VornFlag::Disabled); }
    void markDisabled() { setFlagBits(VornFlag::Disabled); }
    bool hasNoObjects() const
    {
        return selectedVertices.isEmpty() && linkedVertices.isEmpty() && otherModifiables.isEmpty();
    }

    void setDefaults();
    void copyTo(VornModifier& other);
    void release();

    // The object-modifier plugin that applies the record; null for a new element.
    ModifierApplier* modifierPlugin = nullptr;
    // The parameter block the plugin defines.
    DWordArrayHandle parameters;
    // Pooled knots linked with the modifiers lists of the objects the record acts on.
    knotList selectedVertices{this, knotKind::pooled};
    knotList linkedVertices{this, knotKind::pooled};
    knotList otherModifiables{this, knotKind::pooled};
    // Centre of the transform; angles in degrees of the frame in which it acts.
    Vector3 pivot;
    Vector3 frameAngles;

private:
    void removeAllLinks();
};
