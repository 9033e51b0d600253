#include "VornData/VornTypeIDManager.h"

#include "VornData/generalException.h"

#include <cstring>
#include <new>

namespace
{

// This module's pointer to the shared registry: created here by initiate or set by the device.
VornTypeIDManager* sharedTypeIDManager = nullptr;

// This module's static type ids, one per model class.
std::int32_t staticTypeIDs[objectTypeCount] = {NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID,
                                               NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID, NOTYPEID};

} // namespace

const ObjectTypeDefinition objectTypeTree[objectTypeCount] = {
    {"Base Object", ObjectType::BaseObject},     {"Property", ObjectType::BaseObject},
    {"CrossSection", ObjectType::Property},      {"Material", ObjectType::Property},
    {"Modifier", ObjectType::BaseObject},        {"Selection", ObjectType::BaseObject},
    {"Selectable", ObjectType::BaseObject},      {"Modifiable", ObjectType::Selectable},
    {"Group", ObjectType::Modifiable},           {"Member", ObjectType::Modifiable},
    {"Vertex", ObjectType::Modifiable},          {"Joint", ObjectType::Vertex},
    {"ForceDefinition", ObjectType::BaseObject}, {"Force", ObjectType::Selectable},
};

void VornTypeIDManager::initiate()
{
    if (sharedTypeIDManager != nullptr)
        return;
    sharedTypeIDManager = new (std::nothrow) VornTypeIDManager;
    if (sharedTypeIDManager == nullptr)
        throw Exc_OutOfMemory("VornTypeIDManager::initiate");
}

void VornTypeIDManager::setInstance(VornTypeIDManager* manager)
{
    sharedTypeIDManager = manager;
}

VornTypeIDManager* getTypeIDManager()
{
    return sharedTypeIDManager;
}

VornTypeInfo& VornTypeIDManager::record(std::int32_t id, const char* where)
{
    if (id < 0 || static_cast<std::uint32_t>(id) >= firstEmpty)
        throw Exc_InternalError(where);
    return typeInfo[static_cast<std::size_t>(id)];
}

const VornTypeInfo& VornTypeIDManager::record(std::int32_t id, const char* where) const
{
    return const_cast<VornTypeIDManager*>(this)->record(id, where);
}

std::int32_t VornTypeIDManager::findType(const char* name) const
{
    if (name == nullptr)
        return NOTYPEID;
    for (std::uint32_t id = 0; id < firstEmpty; ++id)
    {
        if (std::strcmp(typeInfo[id].name, name) == 0)
            return static_cast<std::int32_t>(id);
    }
    return NOTYPEID;
}

std::int32_t VornTypeIDManager::registerType(const char* name, std::int32_t baseclassID)
{
    if (name == nullptr)
        throw Exc_InternalError("VornTypeIDManager::registerType");
    const std::int32_t existing = findType(name);
    if (existing != NOTYPEID)
        return existing;
    if (baseclassID < NOTYPEID || baseclassID >= static_cast<std::int32_t>(firstEmpty))
        throw Exc_InternalError("VornTypeIDManager::registerType");
    if (firstEmpty == typeInfo.size())
        enlargeTypeNameArray();
    const std::int32_t id = static_cast<std::int32_t>(firstEmpty++);
    VornTypeInfo& added = typeInfo[static_cast<std::size_t>(id)];
    added.name = name;
    added.baseclassID = baseclassID;
    if (baseclassID != NOTYPEID)
    {
        VornTypeInfo& base = typeInfo[static_cast<std::size_t>(baseclassID)];
        added.nextSiblingID = base.firstChildID;
        base.firstChildID = id;
    }
    return id;
}

void VornTypeIDManager::enlargeTypeNameArray()
{
    try
    {
        typeInfo.resize(typeInfo.size() + growthStep);
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory("VornTypeIDManager::enlargeTypeNameArray");
    }
}

const char* VornTypeIDManager::getName(std::int32_t id) const
{
    if (id == NOTYPEID)
        return "none";
    return record(id, "VornTypeIDManager::getName").name;
}

std::int32_t VornTypeIDManager::getBaseClassID(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getBaseClassID").baseclassID;
}

std::int32_t VornTypeIDManager::getFirstChildID(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getFirstChildID").firstChildID;
}

std::int32_t VornTypeIDManager::getNextSiblingID(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getNextSiblingID").nextSiblingID;
}

const VornTypeInfo& VornTypeIDManager::getTypeInfo(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getTypeInfo");
}

PropertyDescriptor* VornTypeIDManager::getFirstProperty(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getFirstProperty").firstProperty;
}

std::int32_t VornTypeIDManager::getPropertyCount(std::int32_t id) const
{
    return record(id, "VornTypeIDManager::getPropertyCount").propertyCount;
}

bool VornTypeIDManager::isKindOf(std::int32_t id, std::int32_t ancestorID) const
{
    // Bases are always registered before the types derived from them, so the walk ends.
    for (std::int32_t walk = id; walk != NOTYPEID; walk = record(walk, "VornTypeIDManager::isKindOf").baseclassID)
    {
        if (walk == ancestorID)
            return true;
    }
    return false;
}

void VornTypeIDManager::resetInstanceCounts()
{
    for (VornTypeInfo& info : typeInfo)
    {
        info.instanceCount = 0;
        info.totalInstanceCount = -1;
    }
}

void VornTypeIDManager::countInstance(std::int32_t id)
{
    ++record(id, "VornTypeIDManager::countInstance").instanceCount;
}

std::int32_t VornTypeIDManager::getTotalInstanceCount(std::int32_t id)
{
    VornTypeInfo& info = record(id, "VornTypeIDManager::getTotalInstanceCount");
    if (info.totalInstanceCount == -1)
    {
        std::int32_t total = info.instanceCount;
        for (std::int32_t child = info.firstChildID; child != NOTYPEID;
             child = typeInfo[static_cast<std::size_t>(child)].nextSiblingID)
            total += getTotalInstanceCount(child);
        info.totalInstanceCount = total;
    }
    return info.totalInstanceCount;
}

void registerObjectTypeTree()
{
    VornTypeIDManager* registry = getTypeIDManager();
    if (registry == nullptr)
        throw Exc_InternalError("registerObjectTypeTree");
    for (std::int32_t type = 0; type < objectTypeCount; ++type)
    {
        const ObjectTypeDefinition& definition = objectTypeTree[type];
        const std::int32_t base = static_cast<std::int32_t>(definition.base) == type
            ? NOTYPEID
            : staticTypeIDs[static_cast<std::int32_t>(definition.base)];
        staticTypeIDs[type] = registry->registerType(definition.name, base);
    }
}

std::int32_t objectTypeID(ObjectType type)
{
    const auto index = static_cast<std::int32_t>(type);
    return index >= 0 && index < objectTypeCount ? staticTypeIDs[index] : NOTYPEID;
}
