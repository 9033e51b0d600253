#include "plugins/VornPluginObjectType.h"
#include "tests/core/ModelFixture.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class ActiveModifier : public ::testing::Test
{
protected:
    ActiveModifier()
    {
        installModelServices();
        doc.document.addBlockList(joints = new BlockList<VornJoint>("VornJoint"));
        doc.document.addBlockList(modifiers = new BlockList<VornModifier>("VornModifier"));
        doc.document.reset();
        joint = joints->add();
        joint->name.set(&doc.document.getStringStorage(), "J1");
    }

    // A record of the plugin acting on the joint (a record without objects ends itself).
    VornModifier* addRecord(const char* name)
    {
        VornModifier* record = modifiers->add();
        record->name.set(&doc.document.getStringStorage(), name);
        record->modifierPlugin = &plugin;
        knotManager::instance()->link(&record->selectedVertices, &joint->modifiers);
        return record;
    }

    RecordingModifier plugin;
    FakeMAI mai;
    FakeDoc doc{&mai};
    BlockList<VornJoint>* joints = nullptr;
    BlockList<VornModifier>* modifiers = nullptr;
    VornJoint* joint = nullptr;
};

using Calls = std::vector<std::string>;

} // namespace

TEST_F(ActiveModifier, ThePluginsOfTheOldAndTheNewRecordAreTold)
{
    VornModifier* first = addRecord("First");
    doc.setActiveModifier(first);
    doc.setActiveModifier(first);
    EXPECT_EQ(plugin.calls, (Calls{"activate First"}));
    doc.setActiveModifier(nullptr);
    EXPECT_EQ(plugin.calls, (Calls{"activate First", "deactivate"}));
    EXPECT_EQ(doc.getActiveModifier(), nullptr);
}

TEST_F(ActiveModifier, TheActiveRecordIsFollowedWhenItMovesAndForgottenWhenItLeaves)
{
    VornModifier* first = addRecord("First");
    doc.setActiveModifier(addRecord("Second"));
    first->removeFromList(); // the active record moves into the freed slot
    ASSERT_EQ(modifiers->getCount(), 1u);
    ASSERT_NE(doc.getActiveModifier(), nullptr);
    EXPECT_STREQ(doc.getActiveModifier()->name.getString(), "Second");

    doc.getActiveModifier()->removeFromList();
    EXPECT_EQ(doc.getActiveModifier(), nullptr);
    EXPECT_EQ(plugin.calls, (Calls{"activate Second", "deactivate"}));
}
