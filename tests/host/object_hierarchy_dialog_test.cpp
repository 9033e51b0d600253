// The object hierarchy dialog: the type registry as a tree with properties before subtypes.
#include "VornData/PropertyDescriptor.h"
#include "VornData/VornTypeIDManager.h"
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/ObjectHierarchyDialog.h"
#include "platform/SystemValues.h"
#include "tests/host/TreeTestSupport.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using platform::TreeItem;

class NamedDescriptor : public PropertyDescriptor
{
public:
    NamedDescriptor(const char* name, int32_t type) : PropertyDescriptor(0), name(name), type(type) {}
    const char* getName() const override { return name; }
    int32_t getTypeID() const override { return type; }
    std::optional<std::string> getValueText(VornBaseObject*, int32_t, int32_t) const override { return std::nullopt; }
    const char* name;
    int32_t type;
};

bool isBold(const platform::TreeControl& tree, TreeItem item)
{
    return tree.itemState(item, platform::TVIS_BOLD) == platform::TVIS_BOLD;
}

struct ObjectHierarchyFixture : ::testing::Test
{
    VornTypeIDManager registry;
    std::vector<std::unique_ptr<NamedDescriptor>> descriptors;
    std::unique_ptr<CDialogObjectHierarchy> made;

    ObjectHierarchyFixture()
    {
        platformApplication();
        made = std::make_unique<CDialogObjectHierarchy>();
        for (const ObjectTypeDefinition& definition : objectTypeTree)
        {
            const bool root = definition.base == static_cast<ObjectType>(&definition - objectTypeTree);
            registry.registerType(definition.name, root ? NOTYPEID : static_cast<int32_t>(definition.base));
        }
        const int32_t vertex = registry.findType("Vertex");
        for (const char* name : {"x", "y", "z"})
        {
            descriptors.push_back(std::make_unique<NamedDescriptor>(name, vertex));
            registry.addProperty(descriptors.back().get());
        }
        EXPECT_TRUE(made->create(nullptr, hostResourceModule()));
        made->fillTree(registry);
    }
    CDialogObjectHierarchy& dialog() { return *made; }
};

TEST_F(ObjectHierarchyFixture, TypesStandUnderTheirBasesWithPropertiesFirst)
{
    platform::TreeControl& tree = dialog().getTree();
    EXPECT_EQ(childTexts(tree, TreeItem::None), std::vector<std::string>{"Base Object"}) << "the single root";
    const TreeItem selectable = childNamed(tree, tree.rootItem(), "Selectable");
    const TreeItem modifiable = childNamed(tree, selectable, "Modifiable");
    const TreeItem vertex = childNamed(tree, modifiable, "Vertex");
    ASSERT_NE(vertex, TreeItem::None);
    const std::vector<std::string> underVertex = childTexts(tree, vertex);
    ASSERT_EQ(underVertex.size(), 4u);
    EXPECT_EQ(underVertex.back(), "Joint") << "properties first, then the subtypes";
    EXPECT_TRUE(isBold(tree, vertex));
    EXPECT_FALSE(isBold(tree, tree.childItem(vertex))) << "property names are not bold";
    EXPECT_TRUE(tree.isExpanded(vertex));
    EXPECT_TRUE(tree.isExpanded(tree.rootItem()));

    const TreeItem joint = childNamed(tree, vertex, "Joint");
    EXPECT_TRUE(isBold(tree, joint));
    EXPECT_FALSE(tree.itemHasChildren(joint)) << "a type without descriptors or subtypes is a bold leaf";
}

TEST_F(ObjectHierarchyFixture, TreeStandsOnTheDialogsOwnColour)
{
    EXPECT_EQ(dialog().getTree().getBkColor(), platform::ColorRef{0x00C0E0E8});
}

TEST_F(ObjectHierarchyFixture, TreeFollowsTheDialogsSize)
{
    dialog().moveWindow({0, 0, 420, 300});
    const platform::Rect client = dialog().clientRect();
    EXPECT_EQ(dialog().getTreeRect().width(), client.width());
    EXPECT_EQ(dialog().getTreeRect().height(), client.height());
    EXPECT_EQ(dialog().getTree().windowRect().size(), client.size()) << "the tree window follows";
}

} // namespace
