// What the History pagette lists for a selection, as a function of the selection and the records
// of its objects; and the history commands on the shared model.
#include "Lumbra/Modifiers/HistoryCommands.h"
#include "Lumbra/Modifiers/HistoryEntries.h"
#include "Lumbra/Modifiers/HistoryPagette.h"
#include "Lumbra/Modifiers/TransformModifiers.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/Menu.h"
#include "platform/SystemValues.h"
#include "plugins/TransformParameters.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/lumbra/TransformRecordEdits.h"
#include "tests/support/HeldLock.h"

#include <chrono>
#include <string>
#include <vector>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

using Texts = std::vector<std::string>;

class HistoryTest : public LumbraCommandTest
{
protected:
    HistoryTest()
    {
        for (PluginModifierTransform* plugin :
             {static_cast<PluginModifierTransform*>(&scale), static_cast<PluginModifierTransform*>(&rotate),
              static_cast<PluginModifierTransform*>(&move)})
        {
            plugin->mai = &mai;
            plugin->lockTimeout = 5ms;
        }
        historyLockTimeout() = 5ms;
        for (const char* name : {"J1", "J2", "J3"})
            joint(name)->resetToCreation();
    }
    ~HistoryTest() override { historyLockTimeout() = documentLockTimeout; }

    VornJoint* joint(const char* name) { return model.named<VornJoint>(name); }

    // A record of the plugin on the named objects, linked as the youngest record of each.
    VornModifier* record(PluginModifierTransform& plugin, const std::vector<const char*>& names)
    {
        VornModifier* added = model.modifiers->add();
        added->modifierPlugin = &plugin;
        added->parameters.reallocate(transformParameterWords);
        writeTransformParameters(*added, TransformParameters::neutral());
        for (const char* name : names)
        {
            auto* modifiable = dynamic_cast<VornModifiable*>(object(name));
            knotList* list =
                dynamic_cast<VornVertex*>(modifiable) != nullptr ? &added->selectedVertices : &added->otherModifiables;
            knotManager::instance()->link(list, &modifiable->modifiers);
        }
        return added;
    }

    // Sets the record's move and applies it.
    void moveBy(VornModifier* target, Point3f by)
    {
        move.rebuildBase(target);
        editRecordMove(move, *target, by);
    }

    // A selection whose objects run in the given order (the selection lists the object added
    // last first).
    VornSelection* selectInOrder(const std::vector<const char*>& names)
    {
        return select(std::vector<const char*>(names.rbegin(), names.rend()));
    }

    HistoryTree tree(const std::vector<const char*>& names, HistoryInput input = {})
    {
        input.selection = selectInOrder(names);
        return buildHistoryTree(input);
    }

    static Texts textsOf(const HistoryTree& built)
    {
        Texts texts;
        for (const HistoryEntry& entry : built.entries)
            texts.push_back((entry.kind == HistoryEntryKind::GroupedCreation ? "  " : "") + entry.text);
        return texts;
    }

    PluginModifierScale scale;
    PluginModifierRotate rotate;
    PluginModifierMove move;
};

} // namespace

TEST_F(HistoryTest, OneObjectListsItsRecordsYoungestFirstAndThenItsCreation)
{
    record(move, {"J1"});
    record(scale, {"J1"});
    const HistoryTree built = tree({"J1"});
    EXPECT_EQ(textsOf(built), (Texts{"move/rotate/SCALE", "MOVE/rotate/scale", "Joint creation"}));
    EXPECT_EQ(built.entries[2].kind, HistoryEntryKind::SingleCreation);
    EXPECT_EQ(built.entries[2].typeId, VornJoint::staticTypeID());
    EXPECT_EQ(built.selected, -1);
    EXPECT_TRUE(built.showNothing);
}

TEST_F(HistoryTest, SeveralObjectsListTheRecordsTheyShareAndMarkWhereTheirHistoriesDiffer)
{
    struct Case
    {
        const char* name;
        std::vector<const char*> selection;
        Texts expected;
    };
    VornModifier* shared = record(move, {"J1", "J2"});
    record(rotate, {"J2"}); // younger, J2 only
    const Case cases[] = {
        {"the second has its own younger record",
         {"J1", "J2"},
         {"not shared modifiers", "MOVE/rotate/scale", "Joint creation"}},
        {"records of the first alone are left out", {"J2", "J1"}, {"MOVE/rotate/scale", "Joint creation"}},
        {"the first without records", {"J3", "J2"}, {"not shared modifiers", "Joint creation"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textsOf(tree(c.selection)), c.expected) << c.name;
    record(scale, {"J3"});
    EXPECT_EQ(textsOf(tree({"J1", "J3"})), (Texts{"not shared modifiers", "Joint creation"})) << "none shared";

    // Nothing but the creation entry: it is selected and the active record's modifier lets go.
    HistoryInput input;
    input.activeRecord = shared;
    const HistoryTree fresh = tree({"M2"}, input);
    EXPECT_EQ(textsOf(fresh), (Texts{"Member creation"}));
    EXPECT_EQ(fresh.selected, 0);
    EXPECT_TRUE(fresh.deactivateActive);
}

TEST_F(HistoryTest, ObjectsOfSeveralTypesGetTheCreationGroupSortedByText)
{
    const HistoryTree built = tree({"M1", "J1", "F1", "J2"});
    EXPECT_EQ(textsOf(built), (Texts{"Creation", "  Force creation", "  Joint creation", "  Member creation"}));
    EXPECT_EQ(built.entries[0].kind, HistoryEntryKind::CreationGroup);
    EXPECT_EQ(built.entries[2].typeId, VornJoint::staticTypeID());
    EXPECT_EQ(textsOf(tree({})), (Texts{"no objects selected"}));
}

TEST_F(HistoryTest, TheActiveRecordIsSelectedOnlyWhileItsToolIsActive)
{
    VornModifier* older = record(move, {"J1"});
    VornModifier* active = record(rotate, {"J1"});
    struct Case
    {
        bool toolActive, autoSelect;
        VornModifier* active;
        int32_t selected;
        bool showNothing, deactivate;
    };
    const Case cases[] = {
        {true, false, active, 0, false, false},   {true, false, older, 1, false, false},
        {false, true, active, -1, true, false},   {false, true, nullptr, 0, false, false},
        {false, false, nullptr, -1, true, false},
    };
    for (const Case& c : cases)
    {
        HistoryInput input;
        input.activeRecord = c.active;
        input.activeRecordToolActive = c.toolActive;
        input.autoSelectModifier = c.autoSelect;
        const HistoryTree built = tree({"J1"}, input);
        EXPECT_EQ(built.selected, c.selected);
        EXPECT_EQ(built.showNothing, c.showNothing);
        EXPECT_EQ(built.deactivateActive, c.deactivate);
    }
}

TEST_F(HistoryTest, DeleteHistoryKeepsWhereTheObjectsAreAndDropsTheirRecords)
{
    VornModifier* moved = record(move, {"J1", "J2"});
    moveBy(moved, {0, 0, 3});
    selectInOrder({"J1"});
    mai.answers = {platform::IDNO};
    EXPECT_FALSE(deleteHistory(doc));
    EXPECT_EQ(joint("J1")->modifiers.isEmpty(), false);

    ChannelLog log(mai, {Channel::ModifierHistoryChanged});
    mai.answers = {platform::IDYES};
    EXPECT_TRUE(deleteHistory(doc));
    ASSERT_EQ(mai.boxes.size(), 2u);
    EXPECT_EQ(mai.boxes[1].caption, "Delete History");
    EXPECT_TRUE(joint("J1")->modifiers.isEmpty());
    joint("J1")->applyModifiers();
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().z, 3.0);
    // J2 was not selected: it keeps the record.
    EXPECT_FALSE(joint("J2")->modifiers.isEmpty());
    EXPECT_EQ(log.heard, (std::vector<std::string>{"HSTCH"}));
}

TEST_F(HistoryTest, DetachingFromSomeObjectsKeepsTheRecordForTheOthersWithItsDisabledMark)
{
    VornModifier* moved = record(move, {"J1", "J2", "J3"});
    moveBy(moved, {1, 0, 0});
    selectInOrder({"J1"});
    mai.answers = {platform::IDYES};
    ASSERT_TRUE(detachModifier(doc, moved));
    EXPECT_EQ(mai.boxes.back().caption, "Detach Modifier");
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 0.0);
    EXPECT_DOUBLE_EQ(joint("J2")->getPosition().x, 4.0);
    EXPECT_TRUE(joint("J1")->modifiers.isEmpty());
    ASSERT_EQ(model.modifiers->getCount(), 1u);
    EXPECT_FALSE((*model.modifiers)[0].isDisabled());

    // Detaching from all its objects ends the record.
    selectInOrder({"J2", "J3"});
    mai.answers = {platform::IDYES};
    ASSERT_TRUE(detachModifier(doc, &(*model.modifiers)[0]));
    EXPECT_EQ(model.modifiers->getCount(), 0u);
    EXPECT_DOUBLE_EQ(joint("J3")->getPosition().x, 3.0);
}

TEST_F(HistoryTest, DisablingARecordMovesItsObjectsBackEvenWhileAnotherRecordIsActive)
{
    VornModifier* first = record(move, {"J1", "J3"});
    moveBy(first, {0, 1, 0});
    VornModifier* second = record(move, {"J1"});
    moveBy(second, {0, 0, 1});
    doc.setActiveModifier(second);
    ASSERT_TRUE(disableModifier(doc, first));
    EXPECT_TRUE(first->isDisabled());
    // J3 is not under the active record and still goes back.
    EXPECT_DOUBLE_EQ(joint("J3")->getPosition().y, 4.0);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().y, 0.0);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().z, 1.0);
    ASSERT_TRUE(disableModifier(doc, first));
    EXPECT_DOUBLE_EQ(joint("J3")->getPosition().y, 5.0);
    EXPECT_DOUBLE_EQ(joint("J1")->getBasePosition().y, 1.0);
    EXPECT_GT(doc.invalidations, 0);
}

TEST_F(HistoryTest, DeletingARecordTakesItOffItsObjectsAndOutOfTheDocument)
{
    VornModifier* first = record(move, {"J1", "M1"});
    moveBy(first, {2, 0, 0});
    doc.setActiveModifier(first);
    mai.answers = {platform::IDYES};
    ChannelLog log(mai, {Channel::ModifierHistoryChanged});
    ASSERT_TRUE(deleteModifier(doc, first));
    EXPECT_EQ(model.modifiers->getCount(), 0u);
    EXPECT_EQ(doc.getActiveModifier(), nullptr);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 0.0);
    EXPECT_FALSE(joint("J1")->isUnderModifier());
    EXPECT_TRUE(model.named<VornMember>("M1")->modifiers.isEmpty());
    EXPECT_EQ(log.heard, (std::vector<std::string>{"HSTCH"}));
}

TEST_F(HistoryTest, ADeletedOlderRecordStaysGoneWhenTheActiveRecordIsEditedAfterwards)
{
    // Move, then Rotate on the same joint; the Rotate stays active while the Move is deleted.
    VornModifier* moved = record(move, {"J1"});
    moveBy(moved, {1, 0, 0});
    VornModifier* turned = record(rotate, {"J1"});
    rotate.rebuildBase(turned);
    rotate.updateModifier(turned);
    doc.setActiveModifier(turned);
    ASSERT_DOUBLE_EQ(joint("J1")->getPosition().x, 1.0);

    mai.answers = {platform::IDYES};
    ASSERT_TRUE(deleteModifier(doc, moved));
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 0.0);
    // The record list closes up behind the deleted record: the active one is looked up again.
    VornModifier* active = doc.getActiveModifier();
    ASSERT_NE(active, nullptr);
    ASSERT_EQ(active->modifierPlugin, &rotate);

    // An edit of the active record builds on its base: the deleted move must not come back.
    editRecordMove(rotate, *active, {0, 2, 0});
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 0.0);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().y, 2.0);
}

TEST_F(HistoryTest, CommandsThatChangeTheModelWaitForTheLockAndChangeNothingWhenAbandoned)
{
    VornModifier* moved = record(move, {"J1"});
    moveBy(moved, {1, 0, 0});
    selectInOrder({"J1"});
    {
        HeldLock held(doc.lock);
        mai.answers = {platform::IDYES,   platform::IDABORT, platform::IDABORT, platform::IDYES,
                       platform::IDABORT, platform::IDYES,   platform::IDABORT};
        EXPECT_FALSE(deleteHistory(doc));
        EXPECT_FALSE(disableModifier(doc, moved));
        EXPECT_FALSE(detachModifier(doc, moved));
        EXPECT_FALSE(deleteModifier(doc, moved));
    }
    EXPECT_EQ(mai.boxes.size(), 7u);
    EXPECT_FALSE(moved->isDisabled());
    EXPECT_EQ(model.modifiers->getCount(), 1u);
    EXPECT_DOUBLE_EQ(joint("J1")->getPosition().x, 1.0);
}

TEST_F(HistoryTest, DisablingTheHistoryAsksAndNoKeepsItEnabled)
{
    mai.answers = {platform::IDNO};
    toggleHistory(doc);
    EXPECT_TRUE(doc.historyEnabled);
    EXPECT_EQ(mai.beeps, 0);
    mai.answers = {platform::IDYES};
    toggleHistory(doc);
    EXPECT_FALSE(doc.historyEnabled);
    EXPECT_EQ(mai.beeps, 1);
    toggleHistory(doc);
    EXPECT_TRUE(doc.historyEnabled);
    EXPECT_EQ(mai.boxes.size(), 2u);
}

TEST_F(HistoryTest, SelectingARecordsObjectsOrOneTypeMakesANewSelection)
{
    VornModifier* onMember = record(move, {"M2"});
    knotManager::instance()->link(&onMember->linkedVertices, &joint("J3")->modifiers);
    selectInOrder({"J1"});
    ASSERT_TRUE(selectRecordObjects(doc, onMember, false));
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"M2"}));
    EXPECT_FALSE(joint("J1")->isSelected());
    ASSERT_TRUE(selectRecordObjects(doc, onMember, true));
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"J3", "M2"}));
    EXPECT_TRUE(joint("J3")->isSelected());

    selectInOrder({"J1", "M1", "J2"});
    ASSERT_TRUE(selectObjectsOfType(doc, VornJoint::staticTypeID()));
    EXPECT_EQ(selectedNames(), (std::vector<std::string>{"J1", "J2"}));
    EXPECT_FALSE(model.named<VornMember>("M1")->isSelected());
}

TEST_F(HistoryTest, TheContextMenuOffersWhatTheEntryAndTheHistorySwitchAllow)
{
    auto entries = [](const HistoryMenuContext& context) {
        platform::Menu menu;
        buildHistoryMenu(menu, context);
        Texts texts;
        for (int position = 0; position < menu.entryCount(); ++position)
            texts.push_back(menu.isSeparator(position) ? "-" : menu.entryText(position));
        return texts;
    };
    HistoryMenuContext onRecord;
    onRecord.target = HistoryMenuContext::Target::Record;
    EXPECT_EQ(entries(onRecord),
              (Texts{"&Select All Modified Objects", "Select &Original Selection", "-", "Dis&able Modifier",
                     "De&tach Modifier", "&Delete Modifier", "-", "Cu&t Modifier", "&Copy Modifier", "&Paste Modifier",
                     "Paste Modifier &Instance", "-", "&Delete History", "History &Options"}));
    onRecord.recordDisabled = true;
    EXPECT_EQ(entries(onRecord)[3], "Modifier Dis&abled");
    HistoryMenuContext disabledHistory;
    disabledHistory.historyEnabled = false;
    disabledHistory.target = HistoryMenuContext::Target::GroupedCreation;
    EXPECT_EQ(entries(disabledHistory), (Texts{"&Enable History", "-", "&Select Objects", "-", "History &Options"}));
}
