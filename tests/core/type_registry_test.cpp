#include "VornData/VornTypeIDManager.h"
#include "VornData/generalException.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> childrenOf(const VornTypeIDManager& registry, const char* name)
{
    std::vector<std::string> names;
    for (std::int32_t child = registry.getFirstChildID(registry.findType(name)); child != NOTYPEID;
         child = registry.getNextSiblingID(child))
        names.emplace_back(registry.getName(child));
    return names;
}

using Names = std::vector<std::string>;

// The module's shared registry with the object type tree, registered once for the whole program.
VornTypeIDManager& moduleRegistryWithTree()
{
    if (getTypeIDManager() == nullptr)
    {
        VornTypeIDManager::initiate();
        registerObjectTypeTree();
    }
    return *getTypeIDManager();
}

TEST(ObjectTypeTree, TheFourteenNamesGetIdsZeroToThirteenInOrder)
{
    const VornTypeIDManager& registry = moduleRegistryWithTree();
    const char* expected[] = {"Base Object", "Property",   "CrossSection",    "Material", "Modifier",
                              "Selection",   "Selectable", "Modifiable",      "Group",    "Member",
                              "Vertex",      "Joint",      "ForceDefinition", "Force"};
    ASSERT_EQ(registry.getTypeCount(), 14);
    for (std::int32_t id = 0; id < 14; ++id)
    {
        EXPECT_STREQ(registry.getName(id), expected[id]);
        EXPECT_EQ(objectTypeID(static_cast<ObjectType>(id)), id);
    }
}

TEST(ObjectTypeTree, BasesAndChildrenNewestFirst)
{
    const VornTypeIDManager& registry = moduleRegistryWithTree();
    const std::pair<const char*, const char*> bases[] = {
        {"Base Object", "none"},
        {"Property", "Base Object"},
        {"CrossSection", "Property"},
        {"Material", "Property"},
        {"Modifier", "Base Object"},
        {"Selection", "Base Object"},
        {"Selectable", "Base Object"},
        {"Modifiable", "Selectable"},
        {"Group", "Modifiable"},
        {"Member", "Modifiable"},
        {"Vertex", "Modifiable"},
        {"Joint", "Vertex"},
        {"ForceDefinition", "Base Object"},
        {"Force", "Selectable"},
    };
    for (const auto& [name, base] : bases)
        EXPECT_STREQ(registry.getName(registry.getBaseClassID(registry.findType(name))), base) << name;

    EXPECT_EQ(childrenOf(registry, "Base Object"),
              (Names{"ForceDefinition", "Selectable", "Selection", "Modifier", "Property"}));
    EXPECT_EQ(childrenOf(registry, "Selectable"), (Names{"Force", "Modifiable"}));
    EXPECT_EQ(childrenOf(registry, "Modifiable"), (Names{"Vertex", "Member", "Group"}));
    EXPECT_EQ(childrenOf(registry, "Property"), (Names{"Material", "CrossSection"}));
    EXPECT_EQ(childrenOf(registry, "Vertex"), (Names{"Joint"}));
    EXPECT_EQ(childrenOf(registry, "Joint"), Names{});
}

TEST(ObjectTypeTree, IsKindOfFollowsTheBases)
{
    const VornTypeIDManager& registry = moduleRegistryWithTree();
    const auto id = [&](const char* name) { return registry.findType(name); };
    struct Case
    {
        const char* type;
        const char* ancestor;
        bool expected;
    };
    const Case cases[] = {
        {"Joint", "Joint", true},           {"Joint", "Vertex", true},           {"Joint", "Modifiable", true},
        {"Joint", "Selectable", true},      {"Joint", "Base Object", true},      {"Joint", "Member", false},
        {"Vertex", "Joint", false},         {"Force", "Selectable", true},       {"Force", "Modifiable", false},
        {"CrossSection", "Property", true}, {"Material", "CrossSection", false}, {"Selection", "Selectable", false},
    };
    for (const Case& testCase : cases)
        EXPECT_EQ(registry.isKindOf(id(testCase.type), id(testCase.ancestor)), testCase.expected)
            << testCase.type << " of " << testCase.ancestor;
    EXPECT_FALSE(registry.isKindOf(NOTYPEID, id("Base Object")));
}

TEST(ObjectTypeTree, ASecondRegistrationOfTheTreeKeepsEveryId)
{
    VornTypeIDManager& registry = moduleRegistryWithTree();
    registerObjectTypeTree();
    EXPECT_EQ(registry.getTypeCount(), 14);
    EXPECT_EQ(registry.registerType("Joint", NOTYPEID), 11);
    EXPECT_EQ(registry.getBaseClassID(11), 10);
    EXPECT_EQ(objectTypeID(ObjectType::Force), 13);
}

TEST(TypeRegistry, RegistrationAfterOtherNamesBuildsOnTheExistingIds)
{
    // A registry in which another library registered a name first: the tree takes the next ids and
    // finds the shared name under its first id.
    VornTypeIDManager registry;
    EXPECT_EQ(registry.registerType("Selectable", NOTYPEID), 0);
    EXPECT_EQ(registry.registerType("Joint", 0), 1);
    EXPECT_EQ(registry.registerType("Selectable", 1), 0);
    EXPECT_EQ(registry.getBaseClassID(1), 0);
    EXPECT_EQ(registry.getBaseClassID(0), NOTYPEID);
}

TEST(TypeRegistry, The33rdRegistrationGrowsTheTableKeepingEveryRecord)
{
    VornTypeIDManager registry;
    EXPECT_EQ(registry.getCapacity(), 0u);
    std::vector<std::string> names;
    for (int i = 0; i < 33; ++i)
        names.push_back("type " + std::to_string(i));
    for (int i = 0; i < 32; ++i)
        registry.registerType(names[i].c_str(), i == 0 ? NOTYPEID : i - 1);
    EXPECT_EQ(registry.getCapacity(), 32u);
    EXPECT_EQ(registry.registerType(names[32].c_str(), 0), 32);
    EXPECT_EQ(registry.getCapacity(), 64u);
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(registry.getName(i), names[i]);
    EXPECT_EQ(registry.getBaseClassID(31), 30);
    EXPECT_EQ(registry.getFirstChildID(0), 32);
    EXPECT_EQ(registry.getNextSiblingID(32), 1);
}

TEST(TypeRegistry, BadIdsNamesAndBasesThrowAndChangeNothing)
{
    VornTypeIDManager registry;
    registry.registerType("Base Object", NOTYPEID);
    EXPECT_STREQ(registry.getName(NOTYPEID), "none");
    EXPECT_THROW(registry.getName(1), Exc_InternalError);
    EXPECT_THROW(registry.getName(-2), Exc_InternalError);
    EXPECT_THROW(registry.getBaseClassID(5), Exc_InternalError);
    EXPECT_THROW(registry.getFirstChildID(-1), Exc_InternalError);
    EXPECT_THROW(registry.getNextSiblingID(1), Exc_InternalError);
    EXPECT_THROW(registry.getTypeInfo(1), Exc_InternalError);
    EXPECT_THROW(registry.getPropertyCount(1), Exc_InternalError);
    EXPECT_THROW(registry.registerType(nullptr, NOTYPEID), Exc_InternalError);
    EXPECT_THROW(registry.registerType("Orphan", 1), Exc_InternalError);
    EXPECT_THROW(registry.registerType("Orphan", -2), Exc_InternalError);
    EXPECT_EQ(registry.getTypeCount(), 1);
    EXPECT_EQ(registry.findType("Orphan"), NOTYPEID);
    try
    {
        registry.getName(7);
        ADD_FAILURE() << "a bad id was accepted";
    }
    catch (const generalException& exception)
    {
        EXPECT_STREQ(exception.message, "Internal Error");
        EXPECT_STREQ(exception.where, "VornTypeIDManager::getName");
    }
}

TEST(TypeRegistry, TotalInstanceCountsAddUpAlongTheTree)
{
    VornTypeIDManager registry;
    const std::int32_t root = registry.registerType("Base Object", NOTYPEID);
    const std::int32_t vertex = registry.registerType("Vertex", root);
    const std::int32_t joint = registry.registerType("Joint", vertex);
    const std::int32_t member = registry.registerType("Member", root);
    registry.resetInstanceCounts();
    registry.countInstance(joint);
    registry.countInstance(joint);
    registry.countInstance(vertex);
    registry.countInstance(member);
    EXPECT_EQ(registry.getTotalInstanceCount(root), 4);
    EXPECT_EQ(registry.getTotalInstanceCount(vertex), 3);
    EXPECT_EQ(registry.getTotalInstanceCount(joint), 2);
    registry.resetInstanceCounts();
    EXPECT_EQ(registry.getTotalInstanceCount(root), 0);
}

} // namespace
