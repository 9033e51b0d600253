#pragma once

// The object type registry: one process-wide table of type names with single inheritance, shared
// by every module through the global object device. Ids are the indexes of the records, handed out
// 0, 1, 2 ... in the order of first registration; a name registered again keeps its id.

#include <cstdint>
#include <vector>

class GlobalObjectDevice;
class PropertyDescriptor;
class VornSelection;

constexpr std::int32_t NOTYPEID = -1;

// One registered type.
struct VornTypeInfo
{
    const char* name = nullptr; // not copied: a literal of the registering module
    std::int32_t baseclassID = NOTYPEID;
    std::int32_t nextSiblingID = NOTYPEID;
    std::int32_t firstChildID = NOTYPEID; // the most recently registered type derived from this one
    PropertyDescriptor* firstProperty = nullptr; // this type's own descriptors, newest first
    std::int32_t propertyCount = 0;
    std::int32_t instanceCount = 0;
    std::int32_t totalInstanceCount = -1; // -1 while not computed
};

class VornTypeIDManager
{
public:
    static constexpr std::uint32_t growthStep = 32;

    // Creates this module's shared registry when it has none. Throws Exc_OutOfMemory when it
    // cannot be allocated.
    static void initiate();

    // Registers `name` under `baseclassID` (NOTYPEID for a root) and returns its id; a name already
    // registered returns its id whatever base is given. Throws Exc_InternalError for a null name
    // or a base that is not registered, Exc_OutOfMemory when the table cannot grow.
    std::int32_t registerType(const char* name, std::int32_t baseclassID);
    // The id of a registered name, or NOTYPEID.
    std::int32_t findType(const char* name) const;

    // Accessors of a registered id; any other id throws Exc_InternalError (getName(NOTYPEID) is "none").
    const char* getName(std::int32_t id) const;
    std::int32_t getBaseClassID(std::int32_t id) const;
    std::int32_t getFirstChildID(std::int32_t id) const;
    std::int32_t getNextSiblingID(std::int32_t id) const;
    const VornTypeInfo& getTypeInfo(std::int32_t id) const;
    PropertyDescriptor* getFirstProperty(std::int32_t id) const;
    std::int32_t getPropertyCount(std::int32_t id) const;
    std::int32_t getTypeCount() const { return static_cast<std::int32_t>(firstEmpty); }
    std::uint32_t getCapacity() const { return static_cast<std::uint32_t>(typeInfo.size()); }
    // True when `id` is `ancestorID` or derives from it along the registered bases.
    bool isKindOf(std::int32_t id, std::int32_t ancestorID) const;

    // Adds a descriptor to its type's list; false when the type lists one of that name already.
    // Defined with the property descriptors, which it reads.
    bool addProperty(PropertyDescriptor* descriptor);
    // Counts the objects of a selection per type; defined with the selection, which it walks.
    void countInstances(VornSelection* selection);
    // The parts of countInstances that need no selection.
    void resetInstanceCounts();
    void countInstance(std::int32_t id);
    // Instances of the type and of all types derived from it, cached until the next reset.
    std::int32_t getTotalInstanceCount(std::int32_t id);

    // Grows the table by 32 records. Throws Exc_OutOfMemory (the registry unchanged) on failure.
    void enlargeTypeNameArray();

private:
    VornTypeInfo& record(std::int32_t id, const char* where);
    const VornTypeInfo& record(std::int32_t id, const char* where) const;

    std::vector<VornTypeInfo> typeInfo; // its size is the capacity, a multiple of 32
    std::uint32_t firstEmpty = 0;

    // The device's attach points a library's module variable at the host's registry.
    static void setInstance(VornTypeIDManager* manager);
    friend class GlobalObjectDevice;
};

// This module's pointer to the shared type registry; null before initiate or attach.
VornTypeIDManager* getTypeIDManager();

// The object type tree, in the order every plugin library registers it.
enum class ObjectType : std::int32_t
{
    BaseObject,
    Property,
    CrossSection,
    Material,
    Modifier,
    Selection,
    Selectable,
    Modifiable,
    Group,
    Member,
    Vertex,
    Joint,
    ForceDefinition,
    Force,
};
constexpr std::int32_t objectTypeCount = 14;

struct ObjectTypeDefinition
{
    const char* name;
    ObjectType base; // the type itself for the root
};
// The fourteen names and bases, indexed by ObjectType.
extern const ObjectTypeDefinition objectTypeTree[objectTypeCount];

// Registers the object type tree into this module's shared registry and keeps the ids in this
// module's static type ids. Throws Exc_InternalError when the module has no registry.
void registerObjectTypeTree();
// This module's static type id of a model class: NOTYPEID until the module registered the tree.
std::int32_t objectTypeID(ObjectType type);
