#pragma once

class VornModifier;
class VornModifiable;

// What the data model needs of an object-modifier plugin: applying one modifier record to one
// object. The plugin framework's object-modifier plugins implement it; the data model knows no more
// of them.
class ModifierApplier
{
public:
    // Transforms the object's base state (the state before modification) in place.
    virtual void applyToBase(VornModifier* record, VornModifiable* object) = 0;
    // Transforms the object's modified state (the state the modifier chain works on) in place.
    virtual void applyToCurrent(VornModifier* record, VornModifiable* object) = 0;

protected:
    ~ModifierApplier() = default;
};
