#pragma once

#include "VornData/VornBaseObject.h"

// Change code a property sends its members when it is going away.
constexpr int32_t PropertyGoingCode = -1;

// Something members link to and that tells its members when it changes: a material or a
// cross-section.
class VornProperty : public VornBaseObject
{
    VORN_MODEL_TYPE(VornBaseObject, ObjectType::Property)

public:
    VornProperty() = default;

    // Calls linkedObjectChanged (this property, code) on every member that uses the property.
    void notifyLinked(int32_t code);

    void setDefaults();
    void copyTo(VornProperty& other);
    // The members drop their cached values and leave the property.
    void release();

    // Material or cross-section knots of the members that use the property.
    knotList members{this, knotKind::embedded};
};
