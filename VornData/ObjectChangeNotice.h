#pragma once

class VornBaseObject;

// The payload of "CRSCH", "MATCH" and "FDFCH" when one element of the list changed: the element
// and the address of the value that changed inside it (null when the element changed as a whole).
// Listeners read the first word, the element. A null payload instead means that the list as a
// whole changed.
struct ObjectChangeNotice
{
    VornBaseObject* object;
    const void* changedValue;
};
