#include "VornData/PropertyDescriptor.h"

#include <algorithm>
#include <cstring>

#include "VornData/CalcResults.h"
#include "VornData/NumberText.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "VornData/VornTypeIDManager.h"

namespace
{
constexpr size_t singleLineLimit = 950; // name and text together below this: one line
constexpr size_t nameLimit = 960; // the message up to the end of the name
constexpr size_t messageLimit = 990;
constexpr int valueDigits = 6;
const char* const notAvailable = "n.a.";
} // namespace

std::string composeSetValueFailure(const char* propertyName, const char* text)
{
    const std::string name = propertyName ? propertyName : "";
    const std::string value = text ? text : "";
    if (name.size() + value.size() < singleLineLimit)
        return "Failed to set property \"" + name + "\" to value \"" + value + "\".";
    std::string message = "Failed to set property \"";
    message.append(name, 0, std::min(name.size(), nameLimit - message.size()));
    message += "\"\nto value \"";
    const size_t room = messageLimit - message.size();
    if (value.size() + 2 <= room)
        message += value + "\".";
    else
        message += value.substr(0, room - 3) + "...";
    return message;
}

bool VornTypeIDManager::addProperty(PropertyDescriptor* descriptor)
{
    if (!descriptor)
        return false;
    VornTypeInfo& info = record(descriptor->getTypeID(), "VornTypeIDManager::addProperty");
    for (PropertyDescriptor* listed = info.firstProperty; listed; listed = listed->next)
        if (std::strcmp(listed->getName(), descriptor->getName()) == 0)
            return false;
    descriptor->next = info.firstProperty;
    info.firstProperty = descriptor;
    ++info.propertyCount;
    return true;
}

void PropertyDescriptor::setValueText(VornBaseObject* object, const char* text, std::string& message,
                                      std::string& objectName) const
{
    objectName = object ? object->name.getString() : "";
    message = composeSetValueFailure(getName(), text);
}

// The descriptors of the system. They cross module boundaries through the shared registry, so they
// live in no anonymous namespace.
namespace vorndata
{
class NameProperty : public PropertyDescriptor
{
public:
    NameProperty() : PropertyDescriptor(Editable) {}
    const char* getName() const override { return "Name"; }
    int32_t getTypeID() const override { return VornBaseObject::staticTypeID(); }
    std::optional<std::string> getValueText(VornBaseObject* object, int32_t, int32_t) const override
    {
        return std::string(object->name.getString());
    }
    std::optional<std::string> getSecondaryText(VornBaseObject* object, int32_t, int32_t) const override
    {
        return std::string(object->name.getString());
    }
};

class ColorProperty : public PropertyDescriptor
{
public:
    ColorProperty() : PropertyDescriptor(512) {}
    const char* getName() const override { return "Color"; }
    int32_t getTypeID() const override { return VornBaseObject::staticTypeID(); }
    std::optional<std::string> getValueText(VornBaseObject*, int32_t, int32_t) const override { return std::nullopt; }
    uint32_t getBackgroundColor(VornBaseObject* object) const override { return object->getColor(); }
};

class CreationCoordinateProperty : public PropertyDescriptor
{
public:
    CreationCoordinateProperty(int axis, const char* name) : PropertyDescriptor(Editable), axis(axis), name(name) {}
    const char* getName() const override { return name; }
    int32_t getTypeID() const override { return VornVertex::staticTypeID(); }
    std::optional<std::string> getValueText(VornBaseObject* object, int32_t, int32_t) const override
    {
        auto* vertex = dynamic_cast<VornVertex*>(object);
        if (!vertex)
            return std::nullopt;
        return formatDouble(vertex->getCreationCoordinate()[axis], valueDigits);
    }
    std::optional<std::string> getSecondaryText(VornBaseObject* object, int32_t, int32_t) const override
    {
        return std::string(object->name.getString());
    }

private:
    const int axis;
    const char* const name;
};

// The element of a calculator's result list (a child of the object's own list) that belongs to the
// object; null while no calculation has filled the list that far.
template <class Record, class Object>
const Record* findResult(Object* object, const char* childName)
{
    BlockList<Object>* list = ownListOf(object);
    if (!list)
        return nullptr;
    auto* results = dynamic_cast<BlockList<Record>*>(list->getChild(childName));
    if (!results)
        return nullptr;
    const uint32_t index = list->getIndex(object);
    if (index >= results->getCount())
        return nullptr;
    return &(*results)[index];
}

class DisplacementProperty : public PropertyDescriptor
{
public:
    DisplacementProperty(int axis, const char* name) : PropertyDescriptor(8), axis(axis), name(name) {}
    const char* getName() const override { return name; }
    int32_t getTypeID() const override { return VornJoint::staticTypeID(); }
    std::optional<std::string> getValueText(VornBaseObject* object, int32_t, int32_t) const override
    {
        auto* joint = dynamic_cast<VornJoint*>(object);
        const CalcDisplacement* displacement = joint ? findResult<CalcDisplacement>(joint, "Displacements") : nullptr;
        if (!displacement)
            return std::string(notAvailable);
        return formatDouble(displacement->displacement[axis], valueDigits);
    }
    std::optional<std::string> getSecondaryText(VornBaseObject* object, int32_t, int32_t) const override
    {
        return std::string(object->name.getString());
    }

private:
    const int axis;
    const char* const name;
};

// "Normal Force" (the axial force) and "Normal Stress" (the axial force times the member's inverse
// area).
class MemberForceProperty : public PropertyDescriptor
{
public:
    MemberForceProperty(bool stress, const char* name) : PropertyDescriptor(8), stress(stress), name(name) {}
    const char* getName() const override { return name; }
    int32_t getTypeID() const override { return VornMember::staticTypeID(); }
    std::optional<std::string> getValueText(VornBaseObject* object, int32_t, int32_t) const override
    {
        auto* member = dynamic_cast<VornMember*>(object);
        const CalcNForce* force = member ? findResult<CalcNForce>(member, "NForces") : nullptr;
        if (!force)
            return std::string(notAvailable);
        const double axial = force->axialForce;
        return formatDouble(stress ? axial * member->getInverseArea() : axial, valueDigits);
    }

private:
    const bool stress;
    const char* const name;
};
} // namespace vorndata

using namespace vorndata;

namespace
{
void registerDescriptor(PropertyDescriptor& descriptor)
{
    getTypeIDManager()->addProperty(&descriptor);
}
} // namespace

void registerBaseObjectProperties()
{
    static ColorProperty color;
    static NameProperty name;
    registerDescriptor(color);
    registerDescriptor(name);
}

void registerVertexProperties()
{
    static CreationCoordinateProperty z(2, "Z Creation Coordinate");
    static CreationCoordinateProperty y(1, "Y Creation Coordinate");
    static CreationCoordinateProperty x(0, "X Creation Coordinate");
    registerDescriptor(z);
    registerDescriptor(y);
    registerDescriptor(x);
}

void registerJointProperties()
{
    static DisplacementProperty z(2, "Z Displacement");
    static DisplacementProperty y(1, "Y Displacement");
    static DisplacementProperty x(0, "X Displacement");
    registerDescriptor(z);
    registerDescriptor(y);
    registerDescriptor(x);
}

void registerMemberProperties()
{
    static MemberForceProperty force(false, "Normal Force");
    static MemberForceProperty stress(true, "Normal Stress");
    registerDescriptor(force);
    registerDescriptor(stress);
}
