// The move, rotate and scale modifiers on the shared model: the records they make of a selection,
// the reuse of a record by another of the three, and the modifier chain of a joint recomputed
// through rebuildBase and updateModifier.
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "Lumbra/ToolMenuItems.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/PluginManager.h"
#include "plugins/TransformParameters.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"

#include <chrono>
#include <string>
#include <vector>

using namespace lumbra;

namespace
{

void expectNear(const Vector3& actual, const Vector3& expected, const char* what = "")
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-9) << what;
}

TransformParameters parametersOf(VornModifier* record)
{
    TransformParameters parameters{};
    EXPECT_TRUE(readTransformParameters(*record, parameters));
    return parameters;
}

class TransformModifiers : public LumbraCommandTest
{
protected:
    TransformModifiers()
    {
        for (PluginModifierTransform* plugin :
             {static_cast<PluginModifierTransform*>(&scale), static_cast<PluginModifierTransform*>(&rotate),
              static_cast<PluginModifierTransform*>(&move)})
        {
            plugin->mai = &mai;
            plugin->lockTimeout = std::chrono::milliseconds(5);
        }
        rotate.linkModifier(&scale);
        move.linkModifier(&scale);
        // The objects carry their creation state as their base state, as after creation.
        for (const char* name : {"J1", "J2", "J3"})
            joint(name)->resetToCreation();
    }

    VornJoint* joint(const char* name) { return model.named<VornJoint>(name); }

    // Sets the record's parameters, builds its matrices and applies it, as the pagette and the
    // OpenGL tools do.
    void edit(VornModifier* record, Point3f moveBy, Point3f rotateBy = {0, 0, 0}, Point3f scaleBy = {1, 1, 1})
    {
        TransformParameters parameters = parametersOf(record);
        parameters.move = moveBy;
        parameters.rotate = rotateBy;
        parameters.scale = scaleBy;
        ASSERT_TRUE(writeTransformParameters(*record, parameters));
        ASSERT_TRUE(PluginModifierTransform::buildMatrices(record));
        move.updateModifier(record);
    }

    // A new record of the named objects made by the modifier and made active, as its menu item
    // does.
    VornModifier* transform(PluginModifierTransform& modifier, const std::vector<const char*>& names)
    {
        select(names);
        VornModifier* record = modifier.activate(&doc, nullptr, 0);
        doc.setActiveModifier(record);
        return record;
    }

    std::vector<std::string> names(const knotList& list)
    {
        std::vector<std::string> result;
        for (knot* link = list.getFirst(); link != nullptr; link = link->getNext())
            result.push_back(static_cast<VornBaseObject*>(link->getObject())->name.getString());
        std::sort(result.begin(), result.end());
        return result;
    }

    PluginModifierScale scale;
    PluginModifierRotate rotate;
    PluginModifierMove move;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(TransformModifiers, DescribeThemselvesAndAreRecognisedByTheirRecords)
{
    struct Case
    {
        PluginModifierTransform* plugin;
        const char* name;
        const char* description;
        uint8_t kind;
        const char* caption;
        int32_t bitmap, history;
    };
    const Case cases[] = {
        {&move, "Move", "Modifier Move:\nInterface to translation of objects.", 0, "MOVE/rotate/scale", 131, 160},
        {&rotate, "Rotate", "Modifier Rotate:\nInterface to rotation of objects.", 1, "move/ROTATE/scale", 132, 161},
        {&scale, "Scale", "Modifier Scale:\nInterface to the scaling of objects.", 2, "move/rotate/SCALE", 155, 162},
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(c.plugin->getName(), c.name);
        EXPECT_STREQ(c.plugin->getTypeName(), "Object Modifier");
        EXPECT_STREQ(c.plugin->getDescription(), c.description);
        EXPECT_EQ(c.plugin->getTransformKind(), c.kind);
        EXPECT_STREQ(c.plugin->getToolCaption(0), c.caption);
        EXPECT_EQ(c.plugin->getBitmapID(), c.bitmap);
        EXPECT_EQ(c.plugin->getSecondBitmapID(), c.history);
        EXPECT_EQ(c.plugin->getImageIndex(), -1);
    }
    VornModifier* record = transform(move, {"J1"});
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(PluginModifierTransform::isTransformRecord(record));
    record->modifierPlugin = nullptr;
    EXPECT_FALSE(PluginModifierTransform::isTransformRecord(record));
    EXPECT_FALSE(PluginModifierTransform::isTransformRecord(nullptr));
}

TEST_F(TransformModifiers, PackageTheirMenuItemAndOnlyMoveRegistersThePagetteType)
{
    for (PluginModifierTransform* plugin :
         {static_cast<PluginModifierTransform*>(&scale), static_cast<PluginModifierTransform*>(&rotate),
          static_cast<PluginModifierTransform*>(&move)})
    {
        std::unique_ptr<VornPluginBase> item(plugin->GetPackagedPlugin(0));
        auto* menuItem = dynamic_cast<PluginMenuItemModifier*>(item.get());
        ASSERT_NE(menuItem, nullptr);
        EXPECT_EQ(menuItem->modifier, plugin);
        EXPECT_EQ(plugin->menuItem, menuItem);
        EXPECT_EQ(menuItem->mai, &mai);
        EXPECT_EQ(plugin->GetPackagedPlugin(7), nullptr);
    }
    PluginManager registry;
    for (PluginModifierTransform* plugin :
         {static_cast<PluginModifierTransform*>(&scale), static_cast<PluginModifierTransform*>(&rotate),
          static_cast<PluginModifierTransform*>(&move)})
        plugin->registerPluginTypes(&registry);
    int registrations = 0;
    for (const PluginType* type = registry.getFirstType(); type != nullptr; type = type->getNewer())
        registrations += std::string(type->getName()) == "Transform Pagette" ? 1 : 0;
    EXPECT_EQ(registrations, 1);
    EXPECT_EQ(registry.countOwnedTypes(&move), 1);
    EXPECT_STREQ(registry.getOwnedTypeName(&move, 0), "Transform Pagette");
}

TEST_F(TransformModifiers, ANewRecordHoldsTheSelectedVerticesAtTheirCentroidWithIdentityMatrices)
{
    ChannelLog log(mai, {Channel::ModifierHistoryChanged});
    VornModifier* record = transform(move, {"J1", "J2"});
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(doc.getActiveModifier(), record);
    EXPECT_EQ(names(record->selectedVertices), (Names{"J1", "J2"}));
    EXPECT_TRUE(record->linkedVertices.isEmpty());
    expectNear(record->pivot, {1.5, 2, 0});
    const TransformParameters parameters = parametersOf(record);
    for (int index = 0; index < 16; ++index)
    {
        const double identity = index % 5 == 0 ? 1.0 : 0.0;
        EXPECT_EQ(parameters.pointMatrix.m[index], identity);
        EXPECT_EQ(parameters.axesMatrix.m[index], identity);
    }
    EXPECT_EQ(parameters.scale.x, 1.0f);
    EXPECT_EQ(parameters.move.x, 0.0f);
    EXPECT_TRUE(joint("J1")->isUnderModifier());
    EXPECT_FALSE(joint("J3")->isUnderModifier());
    EXPECT_EQ(log.heard, (std::vector<std::string>{"HSTCH"}));
}

TEST_F(TransformModifiers, AMemberAloneBringsItsJointsAsLinkedVerticesAroundTheirMidpoint)
{
    VornModifier* record = transform(rotate, {"M2"});
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->selectedVertices.isEmpty());
    EXPECT_EQ(names(record->linkedVertices), (Names{"J2", "J3"}));
    EXPECT_EQ(names(record->otherModifiables), (Names{"M2"}));
    expectNear(record->pivot, {3, 4, 2.5});
    // Turning the member half round about z swaps nothing along z and mirrors x, y about the pivot.
    edit(record, {0, 0, 0}, {0, 0, 180});
    expectNear(joint("J2")->getPosition(), {3, 4, 0});
    edit(record, {1, 0, 0});
    expectNear(joint("J2")->getPosition(), {4, 4, 0});
    expectNear(joint("J3")->getPosition(), {4, 4, 5});
    expectNear(joint("J1")->getPosition(), {0, 0, 0}, "not part of the record");
}

TEST_F(TransformModifiers, ASelectionWithoutVerticesLeavesNoRecordAndBeeps)
{
    for (const std::vector<const char*>& selection : {std::vector<const char*>{"F1"}, std::vector<const char*>{}})
    {
        const int beepsBefore = mai.beeps;
        select(selection);
        EXPECT_EQ(move.activate(&doc, nullptr, 0), nullptr);
        EXPECT_EQ(model.modifiers->getCount(), 0u);
        EXPECT_EQ(mai.beeps - beepsBefore, selection.empty() ? 0 : 1);
    }
    EXPECT_EQ(move.activate(nullptr, nullptr, 0), nullptr);
}

TEST_F(TransformModifiers, RotatingRightAfterMovingTheSameSelectionKeepsTheRecordAndItsTranslation)
{
    VornModifier* moved = transform(move, {"J1", "J2"});
    edit(moved, {0, 0, 2});
    ChannelLog log(mai, {Channel::ModifierHistoryChanged});
    VornModifier* rotated = transform(rotate, {"J2", "J1"});
    EXPECT_EQ(rotated, moved);
    EXPECT_EQ(model.modifiers->getCount(), 1u);
    EXPECT_EQ(PluginModifierTransform::transformOf(rotated), &rotate);
    EXPECT_EQ(parametersOf(rotated).move.z, 2.0f);
    expectNear(joint("J1")->getPosition(), {0, 0, 2});
    EXPECT_EQ(log.heard, (std::vector<std::string>{"HSTCH"}));

    // Another selection makes a record of its own on top.
    VornModifier* other = transform(scale, {"J1"});
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(model.modifiers->getCount(), 2u);
    EXPECT_EQ(PluginModifierTransform::transformOf(&(*model.modifiers)[0]), &rotate);
}

TEST_F(TransformModifiers, RebuildingAndUpdatingTheMiddleOfThreeRecordsKeepsTheOlderAndReappliesTheYounger)
{
    VornJoint* j3 = joint("J3"); // (3, 4, 5)
    VornModifier* r1 = transform(move, {"J3"});
    edit(r1, {1, 0, 0});
    VornModifier* r2 = transform(scale, {"J3", "J1"});
    edit(r2, {0, 0, 0}, {0, 0, 0}, {2, 2, 2});
    VornModifier* r3 = transform(move, {"J3"});
    edit(r3, {0, 10, 0});
    ASSERT_EQ(model.modifiers->getCount(), 3u);
    // r2's pivot is the centroid of J3 after r1 (4,4,5) and J1 (0,0,0).
    expectNear(r2->pivot, {2, 2, 2.5});
    expectNear(j3->getPosition(), {6, 16, 7.5});

    move.rebuildBase(r2);
    expectNear(j3->getBasePosition(), {4, 4, 5}, "creation state with r1");
    TransformParameters parameters = parametersOf(r2);
    parameters.scale = {3, 3, 3};
    writeTransformParameters(*r2, parameters);
    PluginModifierTransform::buildMatrices(r2);
    scale.updateModifier(r2);
    // (4,4,5) scaled by 3 about (2,2,2.5) is (8,8,10); r3 moves it by 10 along y.
    expectNear(j3->getPosition(), {8, 18, 10});
    expectNear(joint("J1")->getPosition(), {-4, -4, -5});
    // The whole chain run afresh gives the same.
    j3->applyModifiers();
    expectNear(j3->getPosition(), {8, 18, 10});
}

TEST_F(TransformModifiers, ADisabledRecordPassesItsBaseStateOnAndTheYoungerStillApply)
{
    VornModifier* older = transform(move, {"J2"});
    edit(older, {0, 0, 1});
    VornModifier* younger = transform(move, {"J2", "J3"});
    edit(younger, {1, 0, 0});
    expectNear(joint("J2")->getPosition(), {4, 4, 1});

    older->markDisabled();
    move.rebuildBase(older);
    move.updateModifier(older);
    expectNear(joint("J2")->getModifiedPosition(), {4, 4, 0});
    expectNear(joint("J2")->getPosition(), {4, 4, 0});
    // Disabling the younger record instead: its vertices keep their base state.
    older->setDisabled(false);
    younger->markDisabled();
    move.rebuildBase(younger);
    move.updateModifier(younger);
    expectNear(joint("J2")->getPosition(), {3, 4, 1});
    expectNear(joint("J3")->getPosition(), {3, 4, 5});
}

TEST_F(TransformModifiers, AVertexWhoseModifierListLacksTheRecordIsLeftAlone)
{
    VornModifier* record = transform(move, {"J1"});
    edit(record, {0, 0, 1});
    // J2 listed by the record without the record in J2's list: a broken link.
    knotManager::instance()->addObject(&record->selectedVertices, joint("J2"));
    edit(record, {0, 0, 2});
    move.rebuildBase(record);
    expectNear(joint("J1")->getPosition(), {0, 0, 2});
    expectNear(joint("J2")->getPosition(), {3, 4, 0});
}

TEST_F(TransformModifiers, ActivatingMarksTheRecordsObjectsAndDeactivatingClearsThem)
{
    VornModifier* first = transform(move, {"M1"});
    EXPECT_TRUE(joint("J1")->isUnderModifier());
    EXPECT_TRUE(model.named<VornMember>("M1")->isUnderModifier());
    transform(move, {"J3"});
    EXPECT_FALSE(joint("J1")->isUnderModifier());
    EXPECT_FALSE(model.named<VornMember>("M1")->isUnderModifier());
    EXPECT_TRUE(joint("J3")->isUnderModifier());
    doc.setActiveModifier(first);
    EXPECT_TRUE(joint("J1")->isUnderModifier());
    EXPECT_FALSE(joint("J3")->isUnderModifier());
}

TEST_F(TransformModifiers, WaitForTheDocumentLockAndChangeNothingWhenTheUserGivesUp)
{
    VornModifier* record = transform(move, {"J1"});
    TransformParameters parameters = parametersOf(record);
    parameters.move = {5, 0, 0};
    writeTransformParameters(*record, parameters);
    PluginModifierTransform::buildMatrices(record);
    {
        HeldLock held(doc.lock);
        mai.answers = {platform::IDABORT, platform::IDABORT};
        move.updateModifier(record);
        select({"J3"});
        EXPECT_EQ(move.activate(&doc, nullptr, 0), nullptr);
    }
    EXPECT_EQ(mai.boxes.size(), 2u);
    expectNear(joint("J1")->getPosition(), {0, 0, 0});
    EXPECT_EQ(model.modifiers->getCount(), 1u);
    move.updateModifier(record);
    expectNear(joint("J1")->getPosition(), {5, 0, 0});
}
