#include "VornData/VornModifiable.h"

void VornModifiable::setDefaults()
{
    VornSelectable::setDefaults();
    resetModifiableFields();
}

void VornModifiable::copyTo(VornModifiable& other)
{
    VornSelectable::copyTo(other);
    modifiers.moveLinkedTo(&other.modifiers, &other);
}
