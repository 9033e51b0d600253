// Model object behaviour: flags and type tests, selections and groups, member values, joint axes,
// modifier chains, forces and shape lists.

#include "tests/core/ModelFixture.h"

#include <cmath>

#include "VornData/ModifierApplier.h"
#include "VornData/VornDocumentHost.h"
#include "VornData/ShapeList.h"

namespace
{
void expectRow(const Vector3& row, double x, double y, double z)
{
    EXPECT_NEAR(row.x, x, 1e-12);
    EXPECT_NEAR(row.y, y, 1e-12);
    EXPECT_NEAR(row.z, z, 1e-12);
}
} // namespace

TEST(ModelObject, SetColorKeepsTheFlagByte)
{
    installModelServices();
    VornJoint joint;
    joint.colorAndFlags = 0x21000000u;
    joint.setColor(0x123456);
    EXPECT_EQ(joint.colorAndFlags, 0x21123456u);
    EXPECT_EQ(joint.getColor(), 0x123456u);
}

TEST(ModelObject, KindsFollowTheTypeTree)
{
    installModelServices();
    VornJoint joint;
    VornMember member;
    VornMaterial material;
    struct Case
    {
        const VornBaseObject* object;
        ObjectType type;
        bool expected;
    } cases[] = {
        {&joint, ObjectType::Joint, true},       {&joint, ObjectType::Vertex, true},
        {&joint, ObjectType::Modifiable, true},  {&joint, ObjectType::Selectable, true},
        {&joint, ObjectType::BaseObject, true},  {&joint, ObjectType::Member, false},
        {&member, ObjectType::Vertex, false},    {&member, ObjectType::BaseObject, true},
        {&material, ObjectType::Property, true}, {&material, ObjectType::CrossSection, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->isKindOf(objectTypeID(c.type)), c.expected) << int(c.type);
    EXPECT_FALSE(joint.isKindOf(-1));
    EXPECT_EQ(joint.getTypeID(), objectTypeID(ObjectType::Joint));
}

TEST(ModelObject, ObjectsOutsideBlockListsHaveNoList)
{
    ModelDocument model;
    EXPECT_EQ(model.document->getWorldTracer().getOwnerList(), nullptr);
    EXPECT_EQ(model.document->getPropertyListSelection()->getOwnerList(), nullptr);
    // Embedded in a settings item: only constructed, or given its defaults and released as a list
    // would do with its elements.
    VornCrossSection constructed;
    EXPECT_EQ(constructed.getOwnerList(), nullptr);
    constructed.removeFromList(); // nothing to leave
    model.crossSections->add();
    EXPECT_THROW(model.crossSections->remove(&constructed), Exc_BlockListAlienItem);
    EXPECT_EQ(constructed.getArea(), 0.01);
    VornCrossSection defaultsHolder;
    // The optimiser must not see which object this is: it would follow the list lookup that an
    // element outside the lists never takes into the bytes before the object, and warn.
    VornCrossSection* withDefaults = &defaultsHolder;
    asm volatile("" : "+r"(withDefaults));
    withDefaults->setDefaults();
    withDefaults->removeFromList();
    withDefaults->release();
    EXPECT_EQ(withDefaults->getOwnerList(), nullptr);
    EXPECT_EQ(withDefaults->getDocument(), nullptr);
    VornJoint* joint = model.joints->add();
    EXPECT_EQ(joint->getOwnerList(), model.joints);
    EXPECT_EQ(joint->getDocument(), model.document.get());
}

TEST(ModelObject, ReleaseLeavesTheFlagByteAtRemovedAndTellsReferences)
{
    ModelDocument model;
    VornJoint* joint = model.addJoint("J", 1, 2, 3);
    joint->colorAndFlags = 0x7F00FF00u;
    knotReference reference;
    reference.set(joint);
    joint->release();
    EXPECT_EQ(joint->getFlags(), 0x80);
    EXPECT_EQ(reference.get(), nullptr);
}

TEST(Selection, RefusesDuplicatesAndNull)
{
    ModelDocument model;
    VornJoint* joint = model.addJoint("J", 0, 0, 0);
    VornSelection* selection = model.document->getSelection();
    EXPECT_TRUE(selection->add(joint));
    EXPECT_FALSE(selection->add(joint));
    EXPECT_FALSE(selection->add(nullptr));
    EXPECT_TRUE(selection->isSingle());
    EXPECT_EQ(knotManager::instance()->getUsed(), 2u);
}

TEST(Selection, ClearingRemovesAnUnkeptSelectionOnce)
{
    ModelDocument model;
    VornJoint* a = model.addJoint("A", 0, 0, 0);
    VornJoint* b = model.addJoint("B", 1, 0, 0);
    // Two selections, the one to clear first, so that its removal moves the other into its slot.
    VornSelection* cleared = model.selections->add();
    VornSelection* other = model.selections->add();
    cleared->add(a);
    cleared->add(b);
    other->add(b);
    cleared->clear();
    ASSERT_EQ(model.selections->getCount(), 1u);
    VornSelection& remaining = (*model.selections)[0];
    EXPECT_TRUE(remaining.isSingle());
    EXPECT_EQ(VornSelection::objectOf(remaining.objects.getFirst()), model.named<VornJoint>("B"));
}

TEST(Selection, SetSelectionRemovesTheUnnamedPreviousOneEvenWhenItHoldsObjects)
{
    ModelDocument model;
    VornJoint* joint = model.addJoint("J", 0, 0, 0);
    VornSelection* previous = model.document->getSelection();
    previous->add(joint);
    VornSelection* next = model.selections->add();
    next->add(joint);
    VornSelection* current = model.document->setSelection(next);
    ASSERT_EQ(model.selections->getCount(), 1u);
    EXPECT_EQ(current, &(*model.selections)[0]);
    EXPECT_EQ(model.document->getSelection(), current);
    EXPECT_TRUE(current->isSingle());
    // The joint is in exactly one selection now.
    EXPECT_EQ(joint->selections.getFirst()->getNext(), nullptr);
}

TEST(Selection, NamedSetsSurviveAndEmptySelectionsDoNotPileUp)
{
    ModelDocument model;
    VornSelection* named = model.document->getSelection();
    named->add(model.addJoint("J", 0, 0, 0));
    named->setNamed(true);
    VornSelection* modifiable = model.document->getModifiableSelection();
    EXPECT_NE(modifiable, named);
    EXPECT_EQ(model.selections->getCount(), 2u);
    // An empty unnamed current selection is replaced, not kept beside the new one.
    model.document->newSelection();
    model.document->newSelection();
    EXPECT_EQ(model.selections->getCount(), 2u);
    EXPECT_TRUE(model.document->getSelection()->isEmpty());
}

TEST(Selection, SelectAllTakesClosedGroupsAsOneAndSkipsTheTracer)
{
    ModelDocument model;
    VornSelection* empty = model.document->getSelection();
    model.document->selectAll(empty);
    EXPECT_TRUE(empty->isEmpty());

    model.addJoint("A", 0, 0, 0);
    VornJoint* b = model.addJoint("B", 1, 0, 0);
    VornJoint* c = model.addJoint("C", 2, 0, 0);
    VornGroup* open = model.addGroup("Open");
    open->addChild(b);
    VornGroup* closed = model.addGroup("Closed");
    closed->addChild(c);
    closed->select();
    VornSelection* all = model.document->getSelection();
    model.document->selectAll(all);
    int count = 0;
    for (knot* link = all->objects.getFirst(); link; link = link->getNext(), ++count)
        EXPECT_TRUE(VornSelection::objectOf(link)->isSelected() || VornSelection::objectOf(link) == closed);
    EXPECT_EQ(count, 3); // A, B, Closed
    EXPECT_TRUE(all->contains(closed));
    EXPECT_FALSE(all->contains(c));
}

TEST(Group, RefusesToBecomeItsOwnAncestor)
{
    ModelDocument model;
    VornGroup* outer = model.addGroup("Outer");
    VornGroup* inner = model.addGroup("Inner");
    ASSERT_TRUE(outer->addChild(inner));
    EXPECT_FALSE(inner->addChild(outer));
    EXPECT_FALSE(outer->addChild(outer));
    EXPECT_FALSE(outer->addChild(nullptr));
    EXPECT_EQ(outer->getParentGroup(), model.document->getWorldGroup());
}

TEST(Group, ClosedStateReachesChildrenAndFlagsDescend)
{
    ModelDocument model;
    VornGroup* outer = model.addGroup("Outer");
    VornGroup* inner = model.addGroup("Inner");
    VornJoint* joint = model.addJoint("J", 0, 0, 0);
    inner->addChild(joint);
    outer->select();
    outer->addChild(inner);
    EXPECT_TRUE(inner->isInClosedGroup());
    EXPECT_FALSE(joint->isInClosedGroup());
    outer->setFlagsRecursive(0x40);
    EXPECT_TRUE(joint->isUnderModifier());
    outer->clearFlagsRecursive(0x40);
    EXPECT_FALSE(joint->isUnderModifier());
    outer->deselect();
    EXPECT_FALSE(inner->isInClosedGroup());
}

struct MemberCase
{
    bool material;
    bool crossSection;
    double area;
    double ea;
    double halfMass;
    double inverseArea;
};

class MemberValues : public ::testing::TestWithParam<MemberCase>
{
};

TEST_P(MemberValues, FollowMaterialAndCrossSection)
{
    const MemberCase& c = GetParam();
    ModelDocument model;
    model.addJoint("A", 0, 0, 0);
    model.addJoint("B", 3, 4, 0);
    VornMember* member = model.addMember("M", "A", "B");
    if (c.material)
        member->setMaterial(model.materials->add());
    if (c.crossSection)
    {
        VornCrossSection* section = model.crossSections->add();
        section->setValues(c.area, 2e-6, 3e-6, 0, 4e-6);
        member->setCrossSection(section);
    }
    EXPECT_DOUBLE_EQ(member->getEA(), c.ea);
    EXPECT_DOUBLE_EQ(member->getHalfMassPerLength(), c.halfMass);
    EXPECT_DOUBLE_EQ(member->getInverseArea(), c.inverseArea);
    EXPECT_TRUE(std::isfinite(member->getE()));
    const bool usableSection = c.crossSection && c.area > 0;
    EXPECT_EQ(member->getSectionValueY(), usableSection ? 2e-6 : 8.33333333e-06);
    EXPECT_EQ(member->getSectionValueZ(), usableSection ? 3e-6 : 8.33333333e-06);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, MemberValues,
    ::testing::Values(MemberCase{false, false, 0, 6.0e9, 600, 100}, MemberCase{true, true, 0.01, 2.0e9, 39, 100},
                      MemberCase{true, true, 0.02, 4.0e9, 78, 50}, MemberCase{false, true, 0.02, 6.0e9, 600, 100},
                      MemberCase{true, false, 0, 6.0e9, 600, 100},
                      // An area that is not positive counts as no usable cross-section.
                      MemberCase{true, true, 0.0, 6.0e9, 600, 100}, MemberCase{true, true, -0.5, 6.0e9, 600, 100},
                      MemberCase{true, true, NAN, 6.0e9, 600, 100}));

TEST(Member, LengthAndFrameFollowJointsAndAngle)
{
    ModelDocument model;
    VornJoint* a = model.addJoint("A", 0, 0, 0);
    model.addJoint("B", 3, 4, 0);
    VornMember* member = model.addMember("M", "A", "B");
    EXPECT_DOUBLE_EQ(member->getLength(), 5.0);
    expectRow(member->localAxes().getRow0(), 0.6, 0.8, 0);
    expectRow(member->localAxes().getRow1(), -0.8, 0.6, 0);
    member->setAngle(90);
    expectRow(member->localAxes().getRow1(), 0, 0, 1);
    expectRow(member->localAxes().getRow2(), 0.8, -0.6, 0);

    // A moved joint tells its members.
    a->getCreationCoordinate().set(3, 4, -5);
    a->applyModifiers();
    EXPECT_DOUBLE_EQ(member->getLength(), 5.0);
    expectRow(member->localAxes().getRow0(), 0, 0, 1);

    // A member of fixed length keeps its length.
    member->setFlagBits(VornFlag::LengthFixed);
    member->setLength(7.0);
    EXPECT_EQ(member->getLength(), 7.0);
    EXPECT_EQ(member->getLinkCount(objectTypeID(ObjectType::Joint)), 2);
    EXPECT_EQ(member->getLinkCount(objectTypeID(ObjectType::Member)), 0);
    EXPECT_EQ(member->getLinkedObject(objectTypeID(ObjectType::Joint), 2), nullptr);
}

TEST(Member, MaterialChangesReachItsMembers)
{
    ModelDocument model;
    model.addJoint("A", 0, 0, 0);
    model.addJoint("B", 1, 0, 0);
    VornMaterial* material = model.materials->add();
    VornCrossSection* section = model.crossSections->add();
    VornMember* member = model.addMember("M", "A", "B");
    EXPECT_TRUE(member->link(material));
    EXPECT_TRUE(member->link(section));
    EXPECT_FALSE(member->link(model.joints->add()));
    EXPECT_EQ(member->getLink(material), material);
    material->setDensity(1000);
    EXPECT_DOUBLE_EQ(member->getHalfMassPerLength(), 5.0);
    material->setElasticity(2.56e11);
    EXPECT_DOUBLE_EQ(material->getShearModulus(), 1.0e11);
    EXPECT_DOUBLE_EQ(member->getEA(), 2.56e9);
    EXPECT_DOUBLE_EQ(member->getE(), 2.56e11);
    material->setPoissonRatio(-1);
    EXPECT_DOUBLE_EQ(material->getShearModulus(), 2.56e11 * 0.390625);
    section->setArea(0);
    EXPECT_EQ(member->getEA(), 6.0e9);
}

TEST(Joint, OrientationAnglesGiveTheLocalAxes)
{
    installModelServices();
    VornJoint joint;
    joint.setOrientationAngles(90, 0, 90);
    expectRow(joint.getOrientation().getRow0(), 0, 0, 1);
    expectRow(joint.getOrientation().getRow1(), 1, 0, 0);
    expectRow(joint.getOrientation().getRow2(), 0, 1, 0);
    // The modifiers start from the creation orientation, so the axes survive applying them.
    joint.applyModifiers();
    expectRow(joint.getOrientation().getRow0(), 0, 0, 1);
}

TEST(Joint, NewJointsAreRigidWithIdentityAxes)
{
    ModelDocument model;
    VornJoint* joint = model.joints->add();
    EXPECT_EQ(joint->supportFlags, 0x80);
    EXPECT_TRUE(joint->isRigid());
    EXPECT_FALSE(joint->isRotationBlocked());
    expectRow(joint->getOrientation().getRow0(), 1, 0, 0);
    EXPECT_TRUE(joint->members.isEmpty());
}

namespace
{
// Moves the modified position by the record's pivot and notes the order of the calls.
class RecordingApplier : public ModifierApplier
{
public:
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier* record, VornModifiable* object) override
    {
        static_cast<VornVertex*>(object)->getModifiedPosition() += record->pivot;
        order.push_back(record->name.getString());
    }
    std::vector<std::string> order;
};
} // namespace

TEST(Modifier, ChainRunsOldestFirstAndSkipsRecordsWithoutPlugin)
{
    ModelDocument model;
    VornJoint* joint = model.addJoint("J", 1, 1, 1);
    RecordingApplier applier;
    for (const char* name : {"A", "B", "NoPlugin"})
    {
        VornModifier* modifier = model.modifiers->add();
        modifier->name.set(model.strings(), name);
        modifier->pivot.set(1, 0, 0);
        if (std::strcmp(name, "NoPlugin") != 0)
            modifier->modifierPlugin = &applier;
        knotManager::instance()->link(&modifier->selectedVertices, &joint->modifiers);
    }
    joint->applyModifiers();
    EXPECT_EQ(applier.order, (std::vector<std::string>{"A", "B"}));
    expectRow(joint->getPosition(), 3, 1, 1);
    expectRow(joint->getCreationCoordinate(), 1, 1, 1);
    joint->commitModifiers();
    expectRow(joint->getCreationCoordinate(), 3, 1, 1);
}

TEST(Modifier, EndsItselfWhenItsLastObjectGoes)
{
    ModelDocument model;
    VornJoint* joint = model.addJoint("J", 0, 0, 0);
    VornModifier* modifier = model.modifiers->add();
    knotManager::instance()->link(&modifier->selectedVertices, &joint->modifiers);
    joint->removeFromList();
    EXPECT_EQ(model.modifiers->getCount(), 0u);
}

TEST(Force, DefinitionValuesReachItsForces)
{
    ModelDocument model;
    VornForceDefinition* definition = model.definitions->add();
    definition->setVector(0, 3, 4);
    EXPECT_DOUBLE_EQ(definition->getMagnitude(), 5.0);
    expectRow(definition->getAxes().getRow0(), 0, 0.6, 0.8);
    expectRow(definition->getAxes().getRow1(), -1, 0, 0);
    expectRow(definition->getAxes().getRow2(), 0, -0.8, 0.6);
    definition->setColor(0x0000FF);
    definition->setLocalFlag(true);

    VornForceInstance* force = model.forces->add();
    force->setForceDefinition(definition);
    EXPECT_EQ(force->getColor(), 0u); // nothing copied before the force has a joint
    force->setJoint(model.addJoint("J", 0, 0, 0));
    EXPECT_EQ(force->getColor(), 0x0000FFu);
    EXPECT_TRUE(force->isLocal());
    expectRow(force->getVector(), 0, 3, 4);
}

TEST(ShapeListLayout, WordPositionsAndRefusedLengths)
{
    std::vector<uint32_t> words(ShapeList::computeSize(4, 1, 5));
    EXPECT_EQ(words.size(), 33u);
    ShapeList shape(words.data());
    shape.setPointCount(4);
    shape.setListCount(1);
    EXPECT_TRUE(shape.setListLength(0, 4));
    EXPECT_FALSE(shape.setListLength(1, 9));
    shape.setIndexCount(5);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(shape.getPoints()) - words.data(), 4);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(shape.getIndexList()) - words.data(), 28);
    EXPECT_EQ(shape.getListLength(0), 4u);
    EXPECT_EQ(shape.getListLength(1), 0u);
    EXPECT_EQ(shape.getIndexCount(), 5u);
}

namespace
{
// Stands in for the document interface: holds the active modifier the way it does, through a
// reference that follows the record and empties when it goes.
class RecordingHost : public VornDocumentHost
{
public:
    VornModifier* getActiveModifier() override { return static_cast<VornModifier*>(active.get()); }
    void setActiveModifier(VornModifier* modifier) override
    {
        ++changes;
        active.set(modifier);
    }
    knotReference active;
    int changes = 0;
};
} // namespace

TEST(Modifier, AnActiveModifierIsMadeInactiveBeforeItLeaves)
{
    ModelDocument model;
    RecordingHost host;
    model.document->setHost(&host);
    VornJoint* joint = model.addJoint("J", 0, 0, 0);
    VornModifier* first = model.modifiers->add();
    VornModifier* active = model.modifiers->add();
    active->name.set(model.strings(), "Active");
    for (VornModifier* modifier : {first, active})
        knotManager::instance()->link(&modifier->selectedVertices, &joint->modifiers);
    host.setActiveModifier(active);

    // Removing the first record moves the active one into its slot; the host's reference follows.
    first->removeFromList();
    ASSERT_EQ(model.modifiers->getCount(), 1u);
    EXPECT_EQ(host.getActiveModifier(), &(*model.modifiers)[0]);
    EXPECT_EQ(host.changes, 1);

    host.getActiveModifier()->removeFromList();
    EXPECT_EQ(host.changes, 2);
    EXPECT_EQ(host.getActiveModifier(), nullptr);
    EXPECT_EQ(model.modifiers->getCount(), 0u);
    model.document->setHost(nullptr);
}
