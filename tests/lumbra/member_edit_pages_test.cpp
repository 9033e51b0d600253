// The member editor's pages on several selected members, without windows: common values or
// means, the "Abs:" and "Automatic" buttons, the property combos and the document lock.
#include "Lumbra/Creators/MemberCreator.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

// The shared model with members of lengths 2, 2, 3 and 4 from joint P0, made by the fixture.
class MemberEditPagesTest : public LumbraCommandTest
{
protected:
    MemberEditPagesTest()
    {
        model.addJoint("P0", 0, 0, 0);
        model.addJoint("P2", 2, 0, 0);
        model.addJoint("Q2", 0, 2, 0);
        model.addJoint("P3", 3, 0, 0);
        model.addJoint("P4", 4, 0, 0);
        model.addMember("L2a", "P0", "P2");
        model.addMember("L2b", "P0", "Q2");
        model.addMember("L3", "P0", "P3");
        model.addMember("L4", "P0", "P4");
        for (PluginCreatorMemberEditPage* page :
             std::initializer_list<PluginCreatorMemberEditPage*>{&crossSection, &material, &length})
        {
            adopt(*page);
            page->lockTimeout = 5ms;
        }
    }

    VornMember& member(const char* name) { return *model.named<VornMember>(name); }

    PluginCreatorMemberEditPageCrossSection crossSection;
    PluginCreatorMemberEditPageMaterial material;
    PluginCreatorMemberEditPageLength length;
};

TEST_F(MemberEditPagesTest, TheLengthPageShowsTheCommonLengthOrTheMeanAndWhetherItIsFixed)
{
    struct Case
    {
        std::vector<const char*> members;
        std::vector<const char*> fixed; // their lengths entered by hand (5 each, unless below)
        int32_t automatic;
        double shown;
        bool editShown, lengthEnabled, readOnly, spinEnabled;
    };
    const Case cases[] = {
        {{"L3"}, {}, MemberLengthModel::FromJoints, 3.0, false, true, true, false},
        {{"L3"}, {"L3"}, MemberLengthModel::Fixed, 5.0, false, true, false, true},
        {{"L2a", "L2b"}, {}, MemberLengthModel::FromJoints, 2.0, false, true, true, false},
        {{"L2a", "L2b", "L3"}, {}, MemberLengthModel::FromJoints, 7.0 / 3.0, true, false, true, false},
        {{"L2a", "L3"}, {"L2a"}, MemberLengthModel::Mixed, 4.0, true, false, true, false},
        {{"L3", "L4"}, {"L3", "L4"}, MemberLengthModel::Fixed, 5.0, false, true, false, true},
        {{"J1", "L2a"}, {}, MemberLengthModel::FromJoints, 2.0, false, true, true, false}, // joints do not count
    };
    for (const Case& c : cases)
    {
        for (const char* name : {"L2a", "L2b", "L3", "L4"})
        {
            member(name).clearFlagBits(VornFlag::LengthFixed);
            member(name).updateLength();
        }
        for (const char* name : c.fixed)
        {
            member(name).setFlagBits(VornFlag::LengthFixed);
            member(name).setLength(5.0);
        }
        SCOPED_TRACE(std::to_string(c.members.size()) + " members, first " + c.members[0]);
        EXPECT_TRUE(length.updateFromSelection(0, select(c.members))); // no window: hidden
        const MemberLengthModel& shown = length.model;
        EXPECT_EQ(shown.automatic, c.automatic);
        EXPECT_DOUBLE_EQ(shown.length, c.shown);
        EXPECT_EQ(shown.editShown, c.editShown);
        EXPECT_EQ(shown.lengthEnabled, c.lengthEnabled);
        EXPECT_EQ(shown.lengthReadOnly, c.readOnly);
        EXPECT_EQ(shown.spinEnabled, c.spinEnabled);
    }
    EXPECT_TRUE(length.updateFromSelection(0, doc.document.newSelection()));
}

TEST_F(MemberEditPagesTest, AutomaticMakesLengthsFollowTheJointsOrFixesThem)
{
    // Fixed at 5 between joints 4 apart, beside an automatic member: mixed.
    member("L4").setFlagBits(VornFlag::LengthFixed);
    member("L4").setLength(5.0);
    length.updateFromSelection(0, select({"L4", "L3"}));
    EXPECT_EQ(length.model.automatic, MemberLengthModel::Mixed);
    EXPECT_DOUBLE_EQ(length.model.length, 4.0);
    EXPECT_EQ(member("L4").getLength(), 5.0);

    // From mixed every length follows its joints again.
    length.clickAutomatic();
    EXPECT_EQ(length.model.automatic, MemberLengthModel::FromJoints);
    EXPECT_FALSE(member("L4").isLengthFixed());
    EXPECT_EQ(member("L4").getLength(), 4.0);
    EXPECT_DOUBLE_EQ(length.model.length, 3.5);
    EXPECT_TRUE(length.model.lengthReadOnly);
    EXPECT_FALSE(length.model.spinEnabled);
    EXPECT_FALSE(length.model.editShown) << "lengths that differ hide \"Edit:\"";
    EXPECT_FALSE(length.model.editEnabled);
    EXPECT_GE(doc.invalidations, 1);

    // From automatic every length is fixed where it is, and typing gives them all one length.
    length.clickAutomatic();
    EXPECT_EQ(length.model.automatic, MemberLengthModel::Fixed);
    EXPECT_TRUE(member("L3").isLengthFixed() && member("L4").isLengthFixed());
    EXPECT_EQ(member("L3").getLength(), 3.0);
    EXPECT_FALSE(length.model.lengthReadOnly);
    EXPECT_TRUE(length.model.spinEnabled);
    length.applyLength(6.5);
    EXPECT_EQ(member("L3").getLength(), 6.5);
    EXPECT_EQ(member("L4").getLength(), 6.5);

    // An automatic member keeps the distance of its joints whatever is typed.
    member("L2a").clearFlagBits(VornFlag::LengthFixed);
    length.updateFromSelection(0, select({"L2a"}));
    length.applyLength(9.0);
    EXPECT_EQ(member("L2a").getLength(), 2.0);

    // Made automatic, lengths that agree show "Edit:", disabled, beside the enabled edit.
    member("L2b").setFlagBits(VornFlag::LengthFixed);
    length.updateFromSelection(0, select({"L2a", "L2b"}));
    ASSERT_EQ(length.model.automatic, MemberLengthModel::Mixed);
    length.clickAutomatic();
    EXPECT_EQ(length.model.automatic, MemberLengthModel::FromJoints);
    EXPECT_TRUE(length.model.editShown);
    EXPECT_FALSE(length.model.editEnabled);
    EXPECT_TRUE(length.model.lengthEnabled);
    EXPECT_TRUE(length.model.lengthReadOnly);
}

TEST_F(MemberEditPagesTest, TheAngleOfSeveralMembersTurnsTogetherOrTakesOneValue)
{
    member("L2a").setAngle(10.0);
    member("L3").setAngle(30.0);
    MemberAngleModel& angle = crossSection.model.angle;

    crossSection.updateFromSelection(0, select({"L2a", "L3"}));
    EXPECT_EQ(angle.angle, 20.0);
    EXPECT_TRUE(angle.absoluteShown);
    EXPECT_TRUE(angle.readOnly);
    // Typing is not taken while the row shows a mean.
    crossSection.typedAngle(50.0);
    EXPECT_EQ(member("L2a").getAngle(), 10.0);
    crossSection.spinAngle(25.0);
    EXPECT_EQ(member("L2a").getAngle(), 15.0);
    EXPECT_EQ(member("L3").getAngle(), 35.0);
    crossSection.spinAngle(24.0);
    EXPECT_EQ(member("L2a").getAngle(), 14.0);

    crossSection.updateFromSelection(0, select({"L2a", "L3"}));
    EXPECT_EQ(angle.angle, 24.0);
    crossSection.clickAbsolute();
    EXPECT_EQ(member("L2a").getAngle(), 24.0);
    EXPECT_EQ(member("L3").getAngle(), 24.0);
    EXPECT_FALSE(angle.absoluteShown || angle.readOnly);
    crossSection.spinAngle(29.0);
    EXPECT_EQ(member("L2a").getAngle(), 29.0);
    EXPECT_EQ(member("L3").getAngle(), 29.0);

    crossSection.updateFromSelection(0, select({"L4"}));
    EXPECT_FALSE(angle.absoluteShown || angle.readOnly);
    crossSection.typedAngle(45.0);
    EXPECT_EQ(member("L4").getAngle(), 45.0);
    EXPECT_EQ(member("L3").getAngle(), 29.0);
}

TEST_F(MemberEditPagesTest, AChosenCrossSectionOrMaterialGoesToEveryMemberAndIsAnnounced)
{
    VornCrossSection* a = model.crossSections->add();
    a->name.set(model.strings(), "A");
    VornCrossSection* b = model.crossSections->add();
    b->name.set(model.strings(), "B");
    member("L2a").setCrossSection(a);
    member("L3").setCrossSection(b);
    ChannelLog log(mai, {"APLSL"});

    crossSection.updateFromSelection(0, select({"L2a", "L3"}));
    EXPECT_TRUE(crossSection.model.crossSection.entries.empty());
    crossSection.updateFromSelection(0, select({"L2a"}));
    ASSERT_EQ(crossSection.model.crossSection.entries.size(), 1u);
    EXPECT_EQ(crossSection.model.crossSection.entries[0].name, "A");

    select({"L2a", "L3"});
    crossSection.listAll();
    std::vector<std::string> names;
    for (const auto& entry : crossSection.model.crossSection.entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "A", "Box"})); // the last element first
    EXPECT_EQ(crossSection.model.crossSection.chosen, -1);
    crossSection.choose(1);
    EXPECT_EQ(member("L2a").getCrossSection(), a);
    EXPECT_EQ(member("L3").getCrossSection(), a);
    ASSERT_EQ(log.heard, (std::vector<std::string>{"APLSL"}));
    EXPECT_EQ(log.payloads[0], a);

    VornMaterial* wood = model.materials->add();
    wood->name.set(model.strings(), "Wood");
    material.updateFromSelection(0, select({"M1", "M2"}));
    ASSERT_EQ(material.model.entries.size(), 1u);
    EXPECT_EQ(material.model.entries[0].name, "Steel");
    material.listAll();
    ASSERT_EQ(material.model.entries.size(), 2u);
    material.choose(0);
    EXPECT_EQ(member("M1").getMaterial(), wood);
    EXPECT_EQ(member("M2").getMaterial(), wood);
    EXPECT_EQ(log.payloads.back(), wood);
    // Applying to joints selected with the members leaves them alone.
    material.updateFromSelection(0, select({"J1", "M1"}));
    EXPECT_EQ(material.model.entries[0].name, "Wood");
}

// Every change waits for the document lock; a lock given up changes nothing and the page shows
// the members as they are.
TEST_F(MemberEditPagesTest, ChangesTakeTheDocumentLockAndAGivenUpLockChangesNothing)
{
    member("L2a").setAngle(10.0);
    crossSection.updateFromSelection(0, select({"L2a", "L3"}));
    length.updateFromSelection(0, select({"L2a", "L3"}));
    ChannelLog log(mai, {"APLSL"});
    auto held = std::make_unique<HeldLock>(doc.lock);
    mai.answers = {platform::IDABORT, platform::IDIGNORE, platform::IDABORT, platform::IDABORT};
    crossSection.spinAngle(20.0);
    length.clickAutomatic();
    crossSection.listAll();
    crossSection.choose(0);
    length.applyLength(8.0);
    EXPECT_EQ(mai.boxes.size(), 4u);
    for (const auto& box : mai.boxes)
        EXPECT_EQ(box.caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(member("L2a").getAngle(), 10.0);
    EXPECT_EQ(crossSection.model.angle.angle, 5.0);
    EXPECT_FALSE(member("L3").isLengthFixed());
    EXPECT_EQ(length.model.automatic, MemberLengthModel::FromJoints);
    EXPECT_EQ(member("L3").getLength(), 3.0);
    EXPECT_TRUE(log.heard.empty());

    // Retry: the lock is free again and the change is made.
    mai.answers = {platform::IDRETRY};
    mai.onBox = [&] { held.reset(); };
    crossSection.spinAngle(20.0);
    EXPECT_EQ(member("L2a").getAngle(), 25.0);
}

TEST_F(MemberEditPagesTest, TheJointsPageIsAlwaysShownAndEmpty)
{
    PluginCreatorMemberEditPageJoints joints;
    EXPECT_FALSE(joints.updateFromSelection(0, select({"L3"})));
    EXPECT_FALSE(joints.updateFromSelection(0, nullptr));
    EXPECT_STREQ(joints.getTypeName(), "Edit Member Pagette");
}

} // namespace
