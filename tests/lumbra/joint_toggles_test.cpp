#include "Lumbra/JointPropertyToggles.h"
#include "VornData/PropertyChangeNotice.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "__globalobjectdevice/NotificationChannels.h"

using namespace lumbra;

namespace
{

class JointToggles : public LumbraCommandTest
{
protected:
    JointToggles()
    {
        jointSupportState().stale = true;
        adopt(rotation);
        adopt(translation);
        adopt(rigid);
    }

    uint8_t& bits(const char* joint) { return static_cast<VornJoint*>(object(joint))->supportFlags; }

    PluginMenuItemToggleBlockRotation rotation;
    PluginMenuItemToggleBlockTranslation translation;
    PluginMenuItemToggleRigidJoint rigid;
};

struct ToggleCase
{
    const char* what;
    int toggle; // 0 rotation, 1 translation, 2 rigid
    uint8_t j1Before;
    uint8_t j2Before;
    int check;
    uint8_t j1After;
    uint8_t j2After;
};

TEST_F(JointToggles, CheckMarkShowsNoneAllOrMixedAndExecuteBlocksOrUnblocksEveryJoint)
{
    const ToggleCase cases[] = {
        {"x and y rotation: mixed, then all blocked", 0, 0x48, 0x50, 2, 0x78, 0x78},
        {"x rotation only, in both: mixed, then cleared", 0, 0x48, 0x48, 2, 0x40, 0x40},
        {"both fully blocked: checked, then free", 0, 0x78, 0x78, 1, 0x40, 0x40},
        {"none: unchecked, then blocked", 0, 0x00, 0x80, 0, 0x38, 0xB8},
        {"translations: one in x: mixed, then cleared", 1, 0x41, 0x47, 2, 0x40, 0x40},
        {"translations none: then all", 1, 0xC0, 0x00, 0, 0xC7, 0x07},
        {"rigid and hinged: mixed, then both rigid", 2, 0xC0, 0x40, 2, 0xC0, 0xC0},
        {"both rigid: checked, then hinged", 2, 0xC7, 0x80, 1, 0x47, 0x00},
    };
    lumbra::JointSupportToggle* toggles[] = {&rotation, &translation, &rigid};
    for (const ToggleCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        bits("J1") = c.j1Before;
        bits("J2") = c.j2Before;
        select({"J1", "J2", "M1"}); // the member is passed over
        lumbra::JointSupportToggle& toggle = *toggles[c.toggle];
        mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);

        RecordedCommandState state = update(toggle, &view);
        EXPECT_EQ(state.enabled, 1);
        EXPECT_EQ(state.check, c.check);

        toggle.execute(&view);
        EXPECT_EQ(bits("J1"), c.j1After);
        EXPECT_EQ(bits("J2"), c.j2After);
        EXPECT_EQ(mai.beeps, 0);
    }
}

TEST_F(JointToggles, EveryToggleSendsOneJointSupportNoticeOnTheSelection)
{
    VornSelection* selection = select({"J1", "J3"});
    ChannelLog log(mai, {Channel::ObjectsPropertyChanged});
    PropertyChangeNotice seen(nullptr, 0, 0);
    log.probe = [&log, &seen] {
        seen = *static_cast<PropertyChangeNotice*>(log.payloads.back());
        return 0;
    };
    lumbra::JointSupportToggle* toggles[] = {&rotation, &translation, &rigid};
    for (lumbra::JointSupportToggle* toggle : toggles)
    {
        const int invalidations = doc.invalidations;
        log.heard.clear();
        toggle->execute(&view);
        ASSERT_EQ(log.heard.size(), 1u) << toggle->getName();
        EXPECT_EQ(seen.typeID, VornJoint::staticTypeID());
        EXPECT_EQ(seen.changeCode, 13);
        EXPECT_EQ(seen.objects, &selection->objects);
        EXPECT_EQ(doc.invalidations, invalidations + 1);
    }
}

TEST_F(JointToggles, WithoutJointsTheTogglesAreDisabledAndOnlyTheBlockingOnesBeep)
{
    select({"M1", "M2", "F1"});
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    ChannelLog log(mai, {Channel::ObjectsPropertyChanged});
    for (lumbra::JointSupportToggle* toggle :
         {static_cast<lumbra::JointSupportToggle*>(&rotation), static_cast<lumbra::JointSupportToggle*>(&translation),
          static_cast<lumbra::JointSupportToggle*>(&rigid)})
    {
        RecordedCommandState state = update(*toggle, &view);
        EXPECT_EQ(state.enabled, 0);
        EXPECT_EQ(state.check, 0);
    }
    translation.execute(&view);
    EXPECT_EQ(mai.beeps, 1);
    rotation.execute(nullptr);
    EXPECT_EQ(mai.beeps, 2);
    rigid.execute(&view);
    EXPECT_EQ(mai.beeps, 2);
    EXPECT_TRUE(log.heard.empty());
    doc.document.newSelection();
    translation.execute(&view);
    EXPECT_EQ(mai.beeps, 3) << "an empty selection beeps too";
}

TEST_F(JointToggles, TheSharedStateIsRecomputedOnlyAfterANoticeThatConcernsIt)
{
    select({"J1"});
    bits("J1") = 0x00;
    EXPECT_EQ(update(rigid, &view).check, 0);

    bits("J1") = 0x80; // changed behind the toggles' back
    EXPECT_EQ(update(rigid, &view).check, 0) << "no notice yet: the state is not recomputed";
    PropertyChangeNotice other(&doc.document.getSelection()->objects, VornJoint::staticTypeID(), 12);
    mai.notifierRegistry.notify(Channel::ObjectsPropertyChanged, &other);
    mai.notifierRegistry.notify(Channel::ObjectsPropertyChanged, nullptr);
    EXPECT_EQ(update(rigid, &view).check, 0) << "other change codes and null payloads are ignored";

    PropertyChangeNotice support(&doc.document.getSelection()->objects, VornJoint::staticTypeID(), 13);
    mai.notifierRegistry.notify(Channel::ObjectsPropertyChanged, &support);
    EXPECT_EQ(update(rigid, &view).check, 1);

    bits("J1") = 0x00;
    mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
    EXPECT_EQ(update(rigid, &view).check, 0);
}

} // namespace
