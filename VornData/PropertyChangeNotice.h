#pragma once

#include <cstdint>

class knotList;

// Change codes of a PropertyChangeNotice.
namespace PropertyChangeCode
{
constexpr int32_t JointSupport = 13; // the support flags of joints
} // namespace PropertyChangeCode

// The payload of "LOPCH": a property of a list of objects has changed. It only points at the list
// of the changed objects, so making one allocates nothing and cannot fail.
struct PropertyChangeNotice
{
    PropertyChangeNotice(knotList* objects, int32_t typeID, int32_t changeCode)
        : typeID(typeID), changeCode(changeCode), objects(objects)
    {
    }

    int32_t typeID; // the type id of the changed objects
    int32_t changeCode; // what changed (PropertyChangeCode)
    knotList* objects;
};
