// The force definition edit page: filled from the selected forces without changing anything, and
// every change the user makes applied at once, under the document lock, to the definition and all
// its forces, announced once on "FDFCH" past the page's own listener.
#include "tests/lumbra/ForcePagesFixture.h"

#include "tests/support/HeldLock.h"

#include <chrono>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

class ForceEditPageTest : public ForcePagesTest
{
protected:
    void SetUp() override
    {
        ForcePagesTest::SetUp();
        load = model.named<VornForceDefinition>("Load");
        wind = addDefinition("Wind", {1, 2, 3}, true);
        addForce("F2", "J2", load);
        addForce("F3", "J3", wind);
    }
    // The page filled from a selection of the named objects; answers whether it is shown.
    bool fillWith(const std::vector<const char*>& names) { return !editor->updateFromSelection(0, select(names)); }
    bool shown(CPageEditForceSettings& page, int32_t id) { return page.dlgItem(id)->isVisible(); }

    VornForceDefinition* load = nullptr;
    VornForceDefinition* wind = nullptr;
};

TEST_F(ForceEditPageTest, FillingShowsTheSelectedForcesDefinitionAndChangesNothing)
{
    EXPECT_FALSE(fillWith({"F1"})) << "no window yet";
    auto& page = openEditor();
    ChannelLog log(mai, {Channel::ForceDefinitionsChanged});
    EXPECT_FALSE(fillWith({"J1", "M1"}));

    EXPECT_TRUE(fillWith({"J1", "F1", "F2"}));
    EXPECT_EQ(editor->edited(), load);
    EXPECT_TRUE(shown(page, CPageEditForceSettings::nameEditId));
    EXPECT_FALSE(shown(page, CPageEditForceSettings::nameComboId));
    EXPECT_EQ(page.dlgItemText(CPageEditForceSettings::nameEditId), "Load");
    EXPECT_EQ(page.dlgItemText(1015), "-1000");
    EXPECT_EQ(page.isDlgButtonChecked(CPageEditForceSettings::globalId), platform::BST_CHECKED);

    // The selection lists its newest object first.
    EXPECT_TRUE(fillWith({"F1", "F3"}));
    EXPECT_EQ(editor->edited(), wind);
    EXPECT_FALSE(shown(page, CPageEditForceSettings::nameEditId));
    EXPECT_TRUE(shown(page, CPageEditForceSettings::nameComboId));
    EXPECT_EQ(page.nameCombo.windowText(), "Wind");
    EXPECT_EQ(page.dlgItemText(1013), "1");
    EXPECT_EQ(page.isDlgButtonChecked(CPageEditForceSettings::localId), platform::BST_CHECKED);
    page.onCommand(CPageEditForceSettings::nameComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    ASSERT_EQ(page.nameCombo.count(), 2);
    EXPECT_EQ(page.nameCombo.itemText(page.nameCombo.curSel()), "Wind");

    // A notice of another sender (an import: null payload) refills the values only.
    wind->setVector(4, 5, 6);
    mai.notifierRegistry.notify(Channel::ForceDefinitionsChanged, nullptr);
    EXPECT_EQ(page.dlgItemText(1013), "4");

    // None of it touched a definition or sent a notice of its own.
    EXPECT_EQ(xyz(load->getVector()), (std::vector<double>{0, 0, -1000}));
    EXPECT_EQ(xyz(wind->getVector()), (std::vector<double>{4, 5, 6}));
    EXPECT_EQ(log.heard.size(), 1u);
    EXPECT_EQ(doc.invalidations, 0);
}

TEST_F(ForceEditPageTest, TypingAValueChangesTheDefinitionAndEveryForceAndSendsOneMutedNotice)
{
    auto& settingsPage = openSettings();
    auto& page = openEditor();
    doc.currentForceDefinition.set(load);
    settingsPage.nameCombo.setWindowText("Load");
    settingsPage.onCommand(CPageForceSettings::nameComboId, platform::CBN_EDITCHANGE, platform::WindowHandle::None);
    ASSERT_FALSE(settingsPage.newDefinitionMode);
    ASSERT_TRUE(fillWith({"F1"}));

    // Were the page's own listener not muted, this change made during the send would show.
    sent.during = [&] { load->getVector().x = 99; };
    typeInto(page, CPageEditForceSettings::editIds[1], "7");
    ASSERT_EQ(sent.notices.size(), 1u);
    EXPECT_EQ(sent.notices[0].object, load);
    EXPECT_EQ(sent.notices[0].changedValue, &load->vector);
    EXPECT_EQ(page.dlgItemText(1013), "0");
    EXPECT_EQ(doc.invalidations, 1);
    const std::vector<VornForceInstance*> forces = forcesOf(load);
    ASSERT_EQ(forces.size(), 2u);
    for (VornForceInstance* force : forces)
        EXPECT_EQ(xyz(force->getVector()), (std::vector<double>{0, 7, -1000}));
    // The creation window showing the definition heard it and shows it still, not a new one.
    EXPECT_EQ(settingsPage.dlgItemText(1014), "7");
    EXPECT_FALSE(settingsPage.newDefinitionMode);
}

TEST_F(ForceEditPageTest, AxesAndValuesWaitForTheDocumentAndAnAbortedWaitChangesNothing)
{
    auto& page = openEditor();
    ASSERT_TRUE(fillWith({"F3"}));
    page.checkDlgButton(CPageEditForceSettings::globalId, platform::BST_CHECKED);
    page.checkDlgButton(CPageEditForceSettings::localId, platform::BST_UNCHECKED);
    click(page, CPageEditForceSettings::globalId);
    EXPECT_FALSE(wind->isLocal());
    EXPECT_FALSE(forcesOf(wind)[0]->isLocal());

    editor->lockTimeout = 5ms;
    HeldLock held(doc.lock);
    mai.answers = {platform::IDABORT};
    ChannelLog log(mai, {Channel::ForceDefinitionsChanged});
    page.checkDlgButton(CPageEditForceSettings::localId, platform::BST_CHECKED);
    click(page, CPageEditForceSettings::localId);
    EXPECT_FALSE(wind->isLocal());
    EXPECT_TRUE(log.heard.empty());
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].caption, "Lumbra.dll: Access TimeOut");
    // The page shows the definition as it is.
    EXPECT_EQ(page.isDlgButtonChecked(CPageEditForceSettings::globalId), platform::BST_CHECKED);
}

TEST_F(ForceEditPageTest, ADuplicateNameIsRefusedWhileTypingAndSettledWhenTheFieldIsLeft)
{
    struct Case
    {
        int32_t answer;
        const char* name;
    };
    auto& page = openEditor();
    for (const Case& c : {Case{platform::IDYES, "wIND#002"}, Case{platform::IDNO, "wIND"}})
    {
        SCOPED_TRACE(c.name);
        load->name.set(model.strings(), "Load");
        ASSERT_TRUE(fillWith({"F1"}));
        ChannelLog log(mai, {Channel::ForceDefinitionsChanged});
        typeInto(page, CPageEditForceSettings::nameEditId, "wIND");
        EXPECT_TRUE(page.nameConflict);
        EXPECT_STREQ(load->name.getString(), "wIN") << "the name follows the typing until it collides";

        interaction.boxAnswers = {c.answer};
        interaction.boxes.clear();
        page.onCommand(CPageEditForceSettings::nameEditId, platform::EN_KILLFOCUS, platform::WindowHandle::None);
        ASSERT_EQ(interaction.boxes.size(), 1u);
        EXPECT_EQ(interaction.boxes[0].text,
                  "The name \"wIND\"\nis also used by another Force Definition.\n\nShould a unique name be generated?");
        EXPECT_EQ(interaction.boxes[0].caption, "Name already used");
        EXPECT_STREQ(load->name.getString(), c.name);
        EXPECT_EQ(page.dlgItemText(CPageEditForceSettings::nameEditId), c.name);
        EXPECT_FALSE(page.nameConflict);
        EXPECT_EQ(log.heard.back(), Channel::ForceDefinitionsChanged);
        EXPECT_STREQ(wind->name.getString(), "Wind");
    }
}

// While the typed name is another definition's, the field showing it (the edit for one
// definition, the combo for several) draws it dark red; settling or choosing ends that.
TEST_F(ForceEditPageTest, ADuplicateNameIsShownInDarkRedUntilItIsSettled)
{
    constexpr platform::ColorRef darkRed = 0x0000C0;
    auto& page = openEditor();
    interaction.boxAnswers = {platform::IDYES};

    ASSERT_TRUE(fillWith({"F1"}));
    const int32_t edit = CPageEditForceSettings::nameEditId;
    EXPECT_EQ(textColourOf(page, edit), platform::CLR_DEFAULT);
    typeInto(page, edit, "wIND");
    EXPECT_EQ(textColourOf(page, edit), darkRed);
    EXPECT_EQ(textColourOf(page, CPageEditForceSettings::editIds[0]), platform::CLR_DEFAULT);
    typeInto(page, edit, "Wind load");
    EXPECT_EQ(textColourOf(page, edit), platform::CLR_DEFAULT) << "a name of its own";
    typeInto(page, edit, "wind");
    page.onCommand(edit, platform::EN_KILLFOCUS, platform::WindowHandle::None);
    EXPECT_EQ(textColourOf(page, edit), platform::CLR_DEFAULT) << "settled as Wind#002";

    load->name.set(model.strings(), "Load");
    ASSERT_TRUE(fillWith({"F1", "F3"})); // Wind is edited, in the combo
    const int32_t combo = CPageEditForceSettings::nameComboId;
    page.nameCombo.setWindowText("");
    page.nameCombo.setFocus();
    platform::simulateTyping(page.nameCombo.handle(), "LOAD");
    processMessages();
    EXPECT_EQ(textColourOf(page, combo), darkRed);
    page.onCommand(combo, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    const int windEntry = page.nameCombo.findStringExact(-1, wind->name.getString());
    ASSERT_GE(windEntry, 0);
    page.nameCombo.setCurSel(windEntry);
    page.onCommand(combo, platform::CBN_SELCHANGE, platform::WindowHandle::None);
    EXPECT_EQ(textColourOf(page, combo), platform::CLR_DEFAULT) << "a definition chosen from the list";
}

TEST_F(ForceEditPageTest, TheListOffersAtMost256DefinitionsOfTheSelectedForces)
{
    std::vector<std::string> names;
    for (int index = 0; index < 300; ++index)
        names.push_back("L" + std::to_string(index));
    VornSelection* selection = doc.document.newSelection();
    for (const std::string& name : names)
        selection->add(addForce(("F" + name).c_str(), "J2", addDefinition(name.c_str(), {0, 0, 1})));
    auto& page = openEditor();
    ASSERT_FALSE(editor->updateFromSelection(0, selection));
    page.onCommand(CPageEditForceSettings::nameComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    EXPECT_EQ(page.nameCombo.count(), 256);
    // The newest selected come first.
    EXPECT_GE(page.nameCombo.findStringExact(-1, "L299"), 0);
    EXPECT_GE(page.nameCombo.findStringExact(-1, "L44"), 0);
    EXPECT_EQ(page.nameCombo.findStringExact(-1, "L43"), -1);
}

} // namespace
