// The force creator as a tool and its creation Settings window: force definitions made with
// unique names and applied to the selected joints under the document lock, and refreshes that
// never count as the user's typing.
#include "tests/lumbra/ForcePagesFixture.h"

#include "plugins/InputEvent.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginViewBase.h"
#include "tests/support/HeldLock.h"

#include <chrono>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

class KindSnap : public VornPluginSnapObject
{
public:
    explicit KindSnap(const char* kind) : VornPluginSnapObject(2), kind(kind) {}
    const char* getTypeName() override { return "Test Snap Object"; }
    const char* getName() override { return kind; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* getSnapKind() override { return kind; }
    bool snapPoint(SnapPoint*, MAI_View*, float, float, float) override { return false; }
    const char* kind;
};

using ForceCreatorTest = ForcePagesTest;

TEST_F(ForceCreatorTest, PackagesItsToolAndOneSettingsPagetteInEachChainAndGivesEveryDocumentItsForceLists)
{
    EXPECT_STREQ(creator.getName(), "Force Creator");
    EXPECT_STREQ(creator.getDescription(), "Force Creator:\nInterface to creation and maintenance of forces.");
    EXPECT_STREQ(creator.getObjectTypeName(), "Force");
    EXPECT_EQ(creator.getObjectTypeID(), VornForceInstance::staticTypeID());
    auto* item = dynamic_cast<VornPluginMenuItem*>(menuItem.get());
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->getMenuPath(), "&Create\\&Force");
    EXPECT_STREQ(item->getButtonText(), "Create Force");
    EXPECT_EQ(item->getBitmapID(), 172);
    EXPECT_EQ(creator.createPagettes.first(), settings.get());
    EXPECT_EQ(settings->nextPagette, nullptr);
    EXPECT_EQ(creator.editPagettes.first(), editor.get());
    EXPECT_EQ(editor->nextPagette, nullptr);
    EXPECT_STREQ(settings->getTypeName(), "Creator Force Pagette");
    EXPECT_STREQ(editor->getTypeName(), "Edit Force Pagette");
    EXPECT_STREQ(settings->getName(), "Settings Pagette");
    EXPECT_STREQ(editor->getName(), "Settings Pagette");
    EXPECT_EQ(creator.GetPackagedPlugin(3), nullptr);

    ScriptedMAI otherMai;
    FakeDoc fresh(&otherMai);
    creator.addBlockLists(&fresh);
    for (const char* name : {"VornForceDefinition", "VornForceInstance"})
    {
        BlockListBase* list = fresh.document.getBlockList(name);
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(list->getCount(), 0u) << name;
    }
    // A document that has them keeps its own.
    creator.addBlockLists(&doc);
    EXPECT_EQ(doc.document.getBlockList("VornForceDefinition"), model.definitions);
}

TEST_F(ForceCreatorTest, OnlyJointSnapsAreUsedAndAClickCreatesNothingButRedrawsUnderTheLock)
{
    KindSnap joint("Joint"), point("Point"), any("AnyPoint");
    for (KindSnap* snap : {&joint, &point, &any})
        creator.acceptSnapObject(snap);
    EXPECT_TRUE(joint.isUsable());
    EXPECT_FALSE(point.isUsable());
    EXPECT_FALSE(any.isUsable());

    const uint32_t definitions = model.definitions->getCount();
    const uint32_t forces = model.forces->getCount();
    creator.createObject();
    EXPECT_EQ(doc.invalidations, 1);
    EXPECT_EQ(model.definitions->getCount(), definitions);
    EXPECT_EQ(model.forces->getCount(), forces);

    // Aborting the wait for the document leaves the views as they are.
    creator.lockTimeout = 5ms;
    HeldLock held(doc.lock);
    mai.answers = {platform::IDABORT};
    creator.createObject();
    EXPECT_EQ(doc.invalidations, 1);
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(mai.boxes[0].text.substr(0, 13), "Create Force\n");
}

// ---- the creation Settings window ----

class ForceSettingsTest : public ForcePagesTest
{
protected:
    std::string comboText(CPageForceSettings& page) { return page.nameCombo.windowText(); }
    std::string buttonText(CPageForceSettings& page) { return page.dlgItemText(CPageForceSettings::buttonId); }
};

TEST_F(ForceSettingsTest, ANewWindowProposesForce001WithItsDefaultsAndAvoidsNamesTakenInAnyCase)
{
    auto& page = openSettings();
    EXPECT_EQ(comboText(page), "Force#001");
    EXPECT_EQ(page.dlgItemText(1013), "10000");
    EXPECT_EQ(page.dlgItemText(1014), "0");
    EXPECT_EQ(page.dlgItemText(1015), "0");
    EXPECT_EQ(page.isDlgButtonChecked(CPageForceSettings::globalId), platform::BST_CHECKED);
    EXPECT_EQ(page.isDlgButtonChecked(CPageForceSettings::applyToSelectionId), platform::BST_CHECKED);
    EXPECT_EQ(page.colour, 0xFFFF00u);
    EXPECT_TRUE(page.newDefinitionMode);

    addDefinition("FORCE#001", {1, 0, 0});
    addDefinition("force#002", {1, 0, 0});
    page.refresh();
    EXPECT_EQ(comboText(page), "Force#003");
    EXPECT_EQ(buttonText(page), "CREATE AND APPLY");
}

TEST_F(ForceSettingsTest, CreateAndApplyMakesOneDefinitionAndAForceOnEverySelectedJointInGlobalOrLocalAxes)
{
    auto& page = openSettings();
    for (const bool local : {false, true})
    {
        SCOPED_TRACE(local ? "local" : "global");
        // No current definition: the window proposes a new one.
        doc.currentForceDefinition.set(nullptr);
        page.refresh();
        select({"J1", "J2", "J3", "M1"});
        selectionChanged();
        page.setDlgItemText(CPageForceSettings::editIds[2], "-250");
        if (local)
        {
            page.checkDlgButton(CPageForceSettings::globalId, platform::BST_UNCHECKED);
            page.checkDlgButton(CPageForceSettings::localId, platform::BST_CHECKED);
            click(page, CPageForceSettings::localId);
        }
        const uint32_t definitionsBefore = model.definitions->getCount();
        const uint32_t forcesBefore = model.forces->getCount();
        const int invalidationsBefore = doc.invalidations;
        click(page, CPageForceSettings::buttonId);

        ASSERT_EQ(model.definitions->getCount(), definitionsBefore + 1);
        VornForceDefinition& made = (*model.definitions)[definitionsBefore];
        EXPECT_EQ(doc.currentForceDefinition.get(), &made);
        EXPECT_EQ(xyz(made.getVector()), (std::vector<double>{10000, 0, -250}));
        EXPECT_EQ(made.isLocal(), local);
        EXPECT_EQ(made.getColor(), 0xFFFF00u);
        EXPECT_EQ(model.forces->getCount(), forcesBefore + 3);
        for (VornForceInstance* force : forcesOf(&made))
        {
            EXPECT_EQ(force->isLocal(), local);
            EXPECT_EQ(xyz(force->getVector()), xyz(made.getVector()));
        }
        EXPECT_EQ(forcesOf(&made).size(), 3u);
        EXPECT_EQ(doc.invalidations, invalidationsBefore + 1);
        EXPECT_FALSE(page.newDefinitionMode);
        EXPECT_EQ(buttonText(page), "APPLY");
        EXPECT_EQ(page.dlgItemText(CPageForceSettings::groupId), "Force Definition Settings");

        // Every joint has it already: only a beep.
        const int beeps = mai.beeps;
        click(page, CPageForceSettings::buttonId);
        EXPECT_EQ(mai.beeps, beeps + 1);
        EXPECT_EQ(model.forces->getCount(), forcesBefore + 3);
        EXPECT_EQ(model.definitions->getCount(), definitionsBefore + 1);
    }
    EXPECT_STREQ((*model.definitions)[1].name.getString(), "Force#001");
    EXPECT_STREQ((*model.definitions)[2].name.getString(), "Force#002");
}

TEST_F(ForceSettingsTest, CreateWithoutSelectedJointsOrWithTheBoxClearedMakesTheDefinitionOnly)
{
    auto& page = openSettings();
    page.checkDlgButton(CPageForceSettings::applyToSelectionId, platform::BST_UNCHECKED);
    click(page, CPageForceSettings::applyToSelectionId);
    EXPECT_EQ(buttonText(page), "CREATE");
    select({"J1", "J2"});
    selectionChanged();
    const uint32_t forces = model.forces->getCount();
    click(page, CPageForceSettings::buttonId);
    EXPECT_EQ(model.definitions->getCount(), 2u);
    EXPECT_EQ(model.forces->getCount(), forces);
    EXPECT_EQ(buttonText(page), "APPLY");
    EXPECT_FALSE(page.dlgItem(CPageForceSettings::buttonId)->isEnabled());
}

TEST_F(ForceSettingsTest, AnEmptyNameOrAnUnreadableNumberCreatesNothingAndSaysWhy)
{
    auto& page = openSettings();
    page.nameCombo.setWindowText("   ");
    click(page, CPageForceSettings::buttonId);
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text, "For a Force Definition to be created,\na unique name must be specified.");
    EXPECT_EQ(interaction.boxes[0].caption, "Error: Can't create Force Definition.");
    EXPECT_EQ(model.definitions->getCount(), 1u);

    page.nameCombo.setWindowText("Wind");
    page.setDlgItemText(CPageForceSettings::editIds[1], "1e999");
    click(page, CPageForceSettings::buttonId);
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, "Value too large.");
    EXPECT_EQ(model.definitions->getCount(), 1u);
}

TEST_F(ForceSettingsTest, TheDocumentLockIsTakenAndAnAbortedWaitCreatesNothing)
{
    auto& page = openSettings();
    select({"J2"});
    selectionChanged();
    settings->lockTimeout = 5ms;
    {
        HeldLock held(doc.lock);
        mai.answers = {platform::IDABORT};
        click(page, CPageForceSettings::buttonId);
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
    EXPECT_EQ(model.definitions->getCount(), 1u);
    EXPECT_EQ(model.forces->getCount(), 1u);
    EXPECT_TRUE(page.newDefinitionMode);
}

TEST_F(ForceSettingsTest, RefreshesWriteTheShownDefinitionWithoutCountingAsTypingButTypingProposesANewOne)
{
    auto& page = openSettings();
    VornForceDefinition* load = model.named<VornForceDefinition>("Load");
    ChannelLog log(mai, {Channel::ForceDefinitionsChanged});
    // Choosing the definition by typing its name in another case shows it as it is named.
    page.nameCombo.setWindowText("lOAD");
    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_EDITCHANGE, platform::WindowHandle::None);
    EXPECT_FALSE(page.newDefinitionMode);
    EXPECT_EQ(doc.currentForceDefinition.get(), load);
    EXPECT_EQ(page.dlgItemText(1015), "-1000");

    // The definition changes elsewhere; the notice, a selection change and a refresh rewrite the
    // edits, which must not switch the window to a new definition.
    load->setVector(5, 6, 7);
    ObjectChangeNotice notice{load, &load->vector};
    mai.notifierRegistry.notify(Channel::ForceDefinitionsChanged, &notice);
    EXPECT_EQ(page.dlgItemText(1013), "5");
    selectionChanged();
    page.refresh();
    processMessages();
    EXPECT_FALSE(page.newDefinitionMode);
    EXPECT_EQ(doc.currentForceDefinition.get(), load);
    EXPECT_EQ(comboText(page), "Load");
    EXPECT_EQ(log.heard.size(), 1u); // only the notice sent above

    // The user's typing in X proposes a new definition named after the shown one.
    typeInto(page, CPageForceSettings::editIds[0], "8");
    EXPECT_TRUE(page.newDefinitionMode);
    EXPECT_EQ(comboText(page), "Load#002");
    EXPECT_EQ(page.dlgItemText(1013), "8");
    EXPECT_EQ(xyz(load->getVector()), (std::vector<double>{5, 6, 7}));
    EXPECT_EQ(log.heard.size(), 1u);
}

TEST_F(ForceSettingsTest, ANameTypedIntoTheComboKeepsItsBlanksAndAnExistingNameChoosesItsDefinition)
{
    auto& page = openSettings();
    page.nameCombo.setWindowText("");
    page.nameCombo.setFocus();
    platform::simulateTyping(page.nameCombo.handle(), "Wind load");
    processMessages();
    EXPECT_EQ(comboText(page), "Wind load");
    EXPECT_TRUE(page.newDefinitionMode);

    page.nameCombo.setWindowText("");
    platform::simulateTyping(page.nameCombo.handle(), "load");
    processMessages();
    EXPECT_EQ(comboText(page), "Load");
    EXPECT_FALSE(page.newDefinitionMode);
    EXPECT_EQ(doc.currentForceDefinition.get(), model.named<VornForceDefinition>("Load"));
}

TEST_F(ForceSettingsTest, TheListOffersTheDefinitionsAndTheNewEntryKeepsTheShownName)
{
    auto& page = openSettings();
    VornForceDefinition* wind = addDefinition("Wind", {1, 2, 3}, true);
    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    ASSERT_EQ(page.nameCombo.count(), 3);
    EXPECT_EQ(page.nameCombo.itemText(0), CPageForceSettings::newEntryText);
    EXPECT_EQ(comboText(page), "Force#001");
    const int windEntry = page.nameCombo.findStringExact(-1, "Wind");
    page.nameCombo.setCurSel(windEntry);
    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_SELCHANGE, platform::WindowHandle::None);
    EXPECT_EQ(doc.currentForceDefinition.get(), wind);
    EXPECT_EQ(page.isDlgButtonChecked(CPageForceSettings::localId), platform::BST_CHECKED);
    EXPECT_EQ(page.dlgItemText(1014), "2");

    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    page.nameCombo.setCurSel(0);
    page.nameCombo.setWindowText(CPageForceSettings::newEntryText);
    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_SELCHANGE, platform::WindowHandle::None);
    EXPECT_TRUE(page.newDefinitionMode);
    EXPECT_EQ(comboText(page), "Wind#002");
    EXPECT_EQ(doc.currentForceDefinition.get(), wind);
}

// The name in the combo is dark green while it names a definition still to be made, in the
// combo's own colour while it names an existing one; no other control is coloured.
TEST_F(ForceSettingsTest, TheComboShowsANameStillToBeMadeInDarkGreen)
{
    auto& page = openSettings();
    auto nameColour = [&] { return textColourOf(page, CPageForceSettings::nameComboId); };
    constexpr platform::ColorRef darkGreen = 0x008000;
    EXPECT_EQ(nameColour(), darkGreen) << "a new window proposes a new definition";
    EXPECT_EQ(textColourOf(page, CPageForceSettings::editIds[0]), platform::CLR_DEFAULT);

    page.nameCombo.setWindowText("");
    page.nameCombo.setFocus();
    platform::simulateTyping(page.nameCombo.handle(), "load");
    processMessages();
    ASSERT_FALSE(page.newDefinitionMode);
    EXPECT_EQ(nameColour(), platform::CLR_DEFAULT) << "an existing definition's name";

    platform::simulateTyping(page.nameCombo.handle(), " 2");
    processMessages();
    EXPECT_EQ(nameColour(), darkGreen) << "a typed name no definition has";

    page.checkDlgButton(CPageForceSettings::applyToSelectionId, platform::BST_UNCHECKED);
    click(page, CPageForceSettings::buttonId);
    ASSERT_FALSE(page.newDefinitionMode);
    EXPECT_EQ(nameColour(), platform::CLR_DEFAULT) << "the definition just made";

    typeInto(page, CPageForceSettings::editIds[1], "3");
    EXPECT_EQ(nameColour(), darkGreen) << "a changed value proposes a new definition";
}

TEST_F(ForceSettingsTest, TheJointCaptionNamesTheJointUnderTheCursorAndWhetherItHasTheDefinition)
{
    auto& page = openSettings();
    KindSnap jointSnap("Joint");
    VornJoint* j1 = model.named<VornJoint>("J1");
    VornJoint* j2 = model.named<VornJoint>("J2");
    auto snapTo = [&](VornJoint* joint, uint32_t flags = InputEvent::Move) {
        SnapPoint point(0);
        point.joint = joint;
        point.source = &jointSnap;
        settings->onSnapPoint(&point, flags);
        return page.dlgItemText(CPageForceSettings::captionId);
    };
    // Values being typed stay while the caption follows the cursor.
    typeInto(page, CPageForceSettings::editIds[2], "-");
    EXPECT_EQ(snapTo(j1), "Create And Apply to Joint: \"J1\"");
    EXPECT_EQ(page.dlgItemText(1015), "-");
    typeInto(page, CPageForceSettings::editIds[0], "3");
    settings->onMousePoint(5, 5, 0, InputEvent::Move);
    snapTo(j2);
    EXPECT_EQ(page.dlgItemText(1013), "3");
    EXPECT_EQ(snapTo(j1), "Create And Apply to Joint: \"J1\"");
    EXPECT_TRUE(page.dlgItem(CPageForceSettings::captionId)->isVisible());
    EXPECT_FALSE(page.dlgItem(CPageForceSettings::buttonId)->isVisible());
    settings->onMousePoint(5, 5, 0, InputEvent::Move);
    EXPECT_FALSE(page.dlgItem(CPageForceSettings::captionId)->isVisible());
    EXPECT_TRUE(page.dlgItem(CPageForceSettings::buttonId)->isVisible());

    VornForceDefinition* load = model.named<VornForceDefinition>("Load");
    load->name.set(model.strings(), "Load of twenty-five chars");
    j1->name.set(model.strings(), "Joint of twenty-five char");
    page.nameCombo.setWindowText("Load of twenty-five chars");
    page.onCommand(CPageForceSettings::nameComboId, platform::CBN_EDITCHANGE, platform::WindowHandle::None);
    ASSERT_EQ(doc.currentForceDefinition.get(), load);
    EXPECT_EQ(snapTo(j1), "\"Load of twenty-five ...\" is already applied to Joint \"Joint of twenty-five...\"");
    EXPECT_EQ(snapTo(j2), "Apply to Joint: \"J2\"");
    snapTo(j2, InputEvent::Leave);
    EXPECT_FALSE(page.dlgItem(CPageForceSettings::captionId)->isVisible());
}

} // namespace
