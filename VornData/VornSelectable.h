#pragma once

#include "VornData/VornBaseObject.h"

class VornGroup;

// Anything that can be selected and grouped.
class VornSelectable : public VornBaseObject
{
    VORN_MODEL_TYPE(VornBaseObject, ObjectType::Selectable)

public:
    VornSelectable() = default;

    // The group that holds the object; null when it is in none.
    VornGroup* getParentGroup() const;
    // Takes the object out of its group (the group ends itself when it becomes empty).
    void leaveGroup();

    void setDefaults();
    void copyTo(VornSelectable& other);
    void release();

    // Pooled knots, one per VornSelection that holds the object.
    knotList selections{this, knotKind::pooled};
    // Stands in the children list of the group that holds the object; its list owner is that group.
    knot groupKnot{this};

protected:
    // The selectable's own part of setDefaults (also the end of its release).
    void resetSelectableFields();
};
