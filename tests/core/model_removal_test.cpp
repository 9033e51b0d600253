// Removing model objects: what goes with them, what stays, and that everything ends with the document.

#include "tests/core/ModelFixture.h"

using Names = std::vector<std::string>;

TEST_F(SharedModel, DeletingAJointRemovesItsMembersAndForces)
{
    model.named<VornJoint>("J1")->removeFromList();

    EXPECT_EQ(namesOf(model.joints), (Names{"J2", "J3"}));
    EXPECT_EQ(namesOf(model.members), (Names{"M2"}));
    EXPECT_EQ(model.forces->getCount(), 0u);
    // What stays is still linked correctly after the lists closed their holes.
    VornMember* m2 = model.named<VornMember>("M2");
    EXPECT_EQ(m2->getStartJoint(), model.named<VornJoint>("J2"));
    EXPECT_EQ(m2->getEndJoint(), model.named<VornJoint>("J3"));
    EXPECT_EQ(model.named<VornForceDefinition>("Load")->forces.getFirst(), nullptr);
    EXPECT_EQ(childNames("G1"), (Names{"J2"}));
    EXPECT_EQ(model.named<VornCrossSection>("Box")->members.getFirst()->getObject(), m2);
}

TEST_F(SharedModel, DeletingTheClosedGroupRemovesExactlyItsChildren)
{
    model.named<VornGroup>("G1")->removeFromList();

    EXPECT_EQ(namesOf(model.groups), (Names{"G2", "__WORLD"}));
    EXPECT_EQ(childNames("G2"), (Names{"J3"}));
    EXPECT_EQ(namesOf(model.joints), (Names{"J3"}));
    // M2 hangs at J2, so it goes with J2; F1 goes with J1.
    EXPECT_EQ(model.members->getCount(), 0u);
    EXPECT_EQ(model.forces->getCount(), 0u);
    VornJoint* j3 = model.named<VornJoint>("J3");
    EXPECT_EQ(j3->getParentGroup(), model.named<VornGroup>("G2"));
    EXPECT_FALSE(j3->isInClosedGroup());
    EXPECT_EQ(model.named<VornGroup>("G2")->getParentGroup(), model.document->getWorldGroup());
}

TEST_F(SharedModel, DeletingAClosedGroupTakesNestedGroupsWithTheirChildren)
{
    model.addGroup("Inner")->addChild(model.named<VornJoint>("J3"));
    // G2 has ended itself, and "Inner" may have moved into its slot: look it up again.
    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr);
    EXPECT_TRUE(model.named<VornGroup>("G1")->addChild(model.named<VornGroup>("Inner")));

    model.named<VornGroup>("G1")->removeFromList();

    EXPECT_EQ(namesOf(model.groups), (Names{"__WORLD"}));
    EXPECT_EQ(model.joints->getCount(), 0u);
}

// A removal moves the last element into the hole; the slot it left is handed out again by the next
// add, and the new element's own knots must name it, not stay cleared by the move.
TEST_F(SharedModel, ElementsAddedIntoSlotsLeftByMovedElementsLinkAsThemselves)
{
    VornForceInstance* f2 = model.forces->add();
    f2->name.set(model.strings(), "F2");
    f2->setJoint(model.named<VornJoint>("J2"));
    // J1 takes M1 and F1 along: J3, M2 and F2 move down, leaving their last slots free.
    model.named<VornJoint>("J1")->removeFromList();

    VornJoint* j4 = model.addJoint("J4", 1, 1, 1);
    VornMember* m3 = model.addMember("M3", "J2", "J4");
    VornForceInstance* f3 = model.forces->add();
    f3->name.set(model.strings(), "F3");
    f3->setJoint(j4);
    f3->setForceDefinition(model.named<VornForceDefinition>("Load"));

    EXPECT_EQ(j4->getParentGroup(), model.document->getWorldGroup());
    EXPECT_EQ(VornGroup::childOf(model.document->getWorldGroup()->children.getFirst()), m3);
    EXPECT_EQ(j4->members.getFirst()->getObject(), m3);
    EXPECT_EQ(j4->forces.getFirst()->getObject(), f3);
    EXPECT_EQ(model.named<VornForceDefinition>("Load")->forces.getFirst()->getObject(), f3);
    EXPECT_EQ(model.named<VornCrossSection>("Box")->members.getFirst()->getObject(), model.named<VornMember>("M2"));
    // Deleting the new joint finds its member and force through those knots.
    j4->removeFromList();
    EXPECT_EQ(namesOf(model.members), (Names{"M2"}));
    EXPECT_EQ(namesOf(model.forces), (Names{"F2"}));
}

TEST_F(SharedModel, APointerToAMovedElementFindsItRemoved)
{
    VornGroup* stale = model.addGroup("Last");
    // G2 is not last in the group list; ending it moves "Last" into its slot.
    model.named<VornGroup>("G2")->removeAllChildren();
    ASSERT_EQ(model.named<VornGroup>("G2"), nullptr);
    EXPECT_TRUE(stale->isRemoved());
    EXPECT_FALSE(stale->addChild(model.named<VornJoint>("J3")));
    stale->removeFromList();
    EXPECT_NE(model.named<VornGroup>("Last"), nullptr);
}

TEST_F(SharedModel, AnOpenGroupLeavesItsChildrenInTheModel)
{
    VornGroup* g1 = model.named<VornGroup>("G1");
    g1->deselect();
    g1->removeFromList();

    EXPECT_EQ(namesOf(model.joints), (Names{"J1", "J2", "J3"}));
    EXPECT_EQ(model.named<VornJoint>("J1")->getParentGroup(), nullptr);
    EXPECT_EQ(namesOf(model.groups), (Names{"G2", "__WORLD"}));
}

TEST_F(SharedModel, SelectionsAndGroupsEndThemselvesWhenEmpty)
{
    VornSelection* selection = model.document->getSelection();
    selection->add(model.named<VornJoint>("J3"));
    model.document->getPropertyListSelection()->add(model.named<VornJoint>("J3"));
    ASSERT_EQ(model.selections->getCount(), 1u);

    model.named<VornJoint>("J3")->removeFromList();

    EXPECT_EQ(model.selections->getCount(), 0u);
    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr);
    // The property-list selection is kept when it becomes empty.
    EXPECT_TRUE(model.document->getPropertyListSelection()->isEmpty());
    EXPECT_FALSE(model.document->getPropertyListSelection()->isRemoved());
    // The document made no dangling current selection of it.
    VornSelection* fresh = model.document->getSelection();
    EXPECT_TRUE(fresh->isEmpty());
    EXPECT_EQ(model.selections->getCount(), 1u);
}

TEST_F(SharedModel, AGroupEndsItselfWhenItsLastChildMovesToAnotherGroup)
{
    model.named<VornGroup>("G1")->addChild(model.named<VornJoint>("J3"));

    EXPECT_EQ(model.named<VornGroup>("G2"), nullptr);
    EXPECT_EQ(model.named<VornJoint>("J3")->getParentGroup(), model.named<VornGroup>("G1"));
    EXPECT_TRUE(model.named<VornJoint>("J3")->isInClosedGroup());
}

// A property that goes away resets the values of its members that depend on it; what the other
// property gave them stays.
TEST_F(SharedModel, RemovingAMaterialOrCrossSectionResetsTheValuesOfItsMembers)
{
    struct Case
    {
        bool material; // the material goes, otherwise the cross-section
        double inverseArea;
    };
    for (const Case& c : {Case{true, 50.0}, Case{false, 100.0}})
    {
        SCOPED_TRACE(c.material ? "material" : "cross-section");
        ModelDocument fresh;
        VornJoint* a = fresh.addJoint("A", 0, 0, 0);
        VornJoint* b = fresh.addJoint("B", 1, 0, 0);
        VornMaterial* steel = fresh.materials->add();
        steel->name.set(fresh.strings(), "Steel");
        VornCrossSection* box = fresh.crossSections->add();
        box->name.set(fresh.strings(), "Box");
        box->setValues(0.02, 2e-5, 3e-5, 0, 1e-6);
        VornMember* member = fresh.members->add();
        member->setStartJoint(a);
        member->setEndJoint(b);
        member->setMaterial(steel);
        member->setCrossSection(box);
        ASSERT_DOUBLE_EQ(member->getInverseArea(), 50.0);

        if (c.material)
            steel->removeFromList();
        else
            box->removeFromList();

        EXPECT_EQ(member->getHalfMassPerLength(), 600.0);
        EXPECT_EQ(member->getEA(), 6.0e9);
        EXPECT_EQ(member->getGJ(), 1101562.5);
        EXPECT_DOUBLE_EQ(member->getInverseArea(), c.inverseArea);
        EXPECT_EQ(member->getIx(), 2e-5);
        EXPECT_EQ(member->getIy(), 3e-5);
    }

    // The shared model: its members lose their material and keep the section's inverse area.
    model.named<VornMaterial>("Steel")->removeFromList();
    for (const char* name : {"M1", "M2"})
    {
        EXPECT_EQ(model.named<VornMember>(name)->getMaterial(), nullptr);
        EXPECT_EQ(model.named<VornMember>(name)->getEA(), 6.0e9);
    }
}

TEST_F(SharedModel, RemovingAForceDefinitionRemovesItsForces)
{
    model.named<VornForceDefinition>("Load")->removeFromList();

    EXPECT_EQ(model.forces->getCount(), 0u);
    EXPECT_EQ(model.named<VornJoint>("J1")->forces.getFirst(), nullptr);
}

TEST_F(SharedModel, ClosingTheDocumentFreesEverything)
{
    knotManager* pool = knotManager::instance();
    DWordArrayManager* arrays = DWordArrayManager::instance();
    model.document->getSelection()->add(model.named<VornJoint>("J2"));
    knotReference tracer;
    tracer.set(model.named<VornJoint>("J1"));
    ASSERT_NE(tracer.get(), nullptr);
    ASSERT_GT(pool->getUsed(), 0u);
    ASSERT_GT(arrays->getEntryCount(), 0u);

    model.document.reset();

    // LeakSanitizer checks the heap; the shared pools must be back where they were.
    EXPECT_EQ(tracer.get(), nullptr);
    EXPECT_EQ(pool->getUsed(), 0u);
    EXPECT_EQ(arrays->getEntryCount(), 0u);
}

TEST_F(SharedModel, ResetEmptiesTheModelAndKeepsOneRootGroup)
{
    model.document->reset();

    EXPECT_EQ(namesOf(model.groups), (Names{"__WORLD"}));
    EXPECT_EQ(model.joints->getCount(), 0u);
    EXPECT_EQ(model.members->getCount(), 0u);
    EXPECT_EQ(model.materials->getCount(), 0u);
    EXPECT_EQ(knotManager::instance()->getUsed(), 0u);
    VornGroup* world = model.document->getWorldGroup();
    ASSERT_NE(world, nullptr);
    EXPECT_STREQ(world->name.getString(), "__WORLD");
    EXPECT_TRUE(world->children.getFirst() && !world->children.getFirst()->getNext());
}
