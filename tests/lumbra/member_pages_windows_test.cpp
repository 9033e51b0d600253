// The member creator's Joints window and the member editor's windows bound to their models: what
// the program shows and what the user types, spins, chooses and clicks.
#include "Lumbra/Creators/MemberCreator.h"
#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"
#include "plugins/InputEvent.h"
#include "platform/InputSimulation.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/CreatorTestSupport.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace lumbra;

namespace
{

class MemberWindows : public LumbraCommandTest
{
protected:
    void SetUp() override
    {
        platformApplication();
        registerKitResources();
        registerMemberCreatorResources();
        registerCreationPageTemplates();
        ASSERT_TRUE(top.create("Window", "pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                               {40, 40, 400, 700}, nullptr));
        creator.mai = &mai;
        creator.module = thisModule();
        creator.addBlockLists(&doc);
        for (uint32_t index = 1; index <= 7; ++index)
        {
            pagettes.emplace_back(static_cast<VornPluginWindowed*>(creator.GetPackagedPlugin(index)));
            pagettes.back()->registerListeners();
        }
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    // The pagette's window (packaging index 1 to 7), made as the host makes it.
    template <class Page>
    Page& open(size_t index)
    {
        VornPluginWindowed* plugin = pagettes[index - 1].get();
        plugin->getWindowRequest();
        EXPECT_TRUE(plugin->dialogObject->create(&top, thisModule()));
        processMessages();
        return *static_cast<Page*>(plugin->dialogObject);
    }
    template <class Plugin>
    Plugin& plugin(size_t index)
    {
        return static_cast<Plugin&>(*pagettes[index - 1]);
    }

    std::string text(platform::Dialog& page, int32_t id) { return page.dlgItem(id)->windowText(); }
    void type(platform::Dialog& page, int32_t id, const char* typed)
    {
        page.setDlgItemText(id, typed);
        page.onCommand(static_cast<uint32_t>(id), platform::EN_CHANGE, platform::WindowHandle::None);
    }
    bool readOnly(platform::Dialog& page, int32_t id)
    {
        return (page.dlgItem(id)->style() & platform::ES_READONLY) != 0;
    }

    PluginCreatorMember creator;
    platform::Window top;
    // Indices 1 to 7: CreateButton, Joints, Name, Length, CrossSection, Material, Joints (edit).
    std::vector<std::unique_ptr<VornPluginWindowed>> pagettes;
};

TEST_F(MemberWindows, TheJointsWindowFollowsTheSnapsAndCreateMakesJointsFromWhatWasTyped)
{
    auto& joints = plugin<PluginCreatorMemberPageJoints>(2);
    auto& page = open<CPageMemberJoints>(2);
    open<CPageNameAndColor>(3);
    auto& create = open<CPageCreateButton>(1);
    using Page = CPageMemberJoints;

    // Before any snap every field is open: typed names and coordinates make both joints.
    type(page, Page::startIds.nameId, " Left ");
    type(page, Page::endIds.nameId, "Right");
    type(page, Page::endIds.editIds[0], "6");
    // A click on the upper half of the end block's Y spin button starts from the text and adds 1.
    type(page, Page::endIds.editIds[1], "2");
    platform::Window* spinner = page.dlgItem(Page::endIds.spinnerIds[1]);
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, {4, 3}, 0, 0);
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, {4, 3}, 0, 0);
    processMessages();
    EXPECT_EQ(text(page, Page::endIds.editIds[1]), "3");

    create.onCommand(CPageCreateButton::buttonId, platform::BN_CLICKED, platform::WindowHandle::None);
    VornMember* made = findNamed(model.members, "Member000");
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->getStartJoint()->name.getString(), "Left");
    EXPECT_STREQ(made->getEndJoint()->name.getString(), "Right");
    EXPECT_EQ(made->getEndJoint()->getPosition().y, 3.0);
    EXPECT_EQ(text(page, Page::startIds.nameId), "Left");

    // A snapped point in the end phase: the start block shows the start joint, closed.
    ScriptedSnap grid("Grid", "Point", 9, 0.0, Vector3(7, 8, 9));
    SnapPoint snap(0);
    snap.point = &grid.point.x;
    snap.source = &grid;
    creator.deactivate();
    creator.startJoint.set(made->getEndJoint());
    joints.onSnapPoint(&snap, InputEvent::Move);
    EXPECT_EQ(text(page, Page::startIds.nameId), "Right");
    EXPECT_FALSE(page.dlgItem(Page::startIds.editIds[0])->isEnabled());
    EXPECT_EQ(text(page, Page::endIds.nameId), "---");
    EXPECT_EQ(text(page, Page::endIds.editIds[2]), "9");
    EXPECT_TRUE(readOnly(page, Page::endIds.editIds[2]));
    EXPECT_FALSE(readOnly(page, Page::endIds.nameId));

    // The start phase closes the end block and its colour button.
    creator.deactivate();
    joints.onSnapPoint(&snap, InputEvent::Move);
    EXPECT_EQ(text(page, Page::startIds.nameId), "---");
    EXPECT_FALSE(page.dlgItem(Page::endIds.nameId)->isEnabled());
    EXPECT_FALSE(page.dlgItem(Page::endIds.colourId)->isEnabled());
    EXPECT_EQ(text(page, Page::endIds.editIds[0]), "0");
}

TEST_F(MemberWindows, TheEditWindowsShowMeansMixedStatesAndTakeClicksAndTyping)
{
    auto& length = open<CPageEditMemberLength>(4);
    auto& crossSection = open<CPageEditMemberCrossSection>(5);
    auto& lengthPage = plugin<PluginCreatorMemberEditPageLength>(4);
    auto& sectionPage = plugin<PluginCreatorMemberEditPageCrossSection>(5);
    VornMember& m1 = *model.named<VornMember>("M1");
    VornMember& m2 = *model.named<VornMember>("M2");
    m1.setAngle(10.0);
    m2.setAngle(30.0);
    m2.setFlagBits(VornFlag::LengthFixed);
    m2.setLength(7.0);
    VornSelection* both = select({"M1", "M2"});

    EXPECT_FALSE(lengthPage.updateFromSelection(0, both));
    EXPECT_EQ(text(length, CPageEditMemberLength::lengthId), "6");
    EXPECT_EQ(length.isDlgButtonChecked(CPageEditMemberLength::automaticId), platform::BST_INDETERMINATE);
    EXPECT_TRUE(length.dlgItem(CPageEditMemberLength::editButtonId)->isVisible());
    EXPECT_FALSE(length.dlgItem(CPageEditMemberLength::lengthId)->isEnabled());
    length.onCommand(CPageEditMemberLength::automaticId, platform::BN_CLICKED, platform::WindowHandle::None);
    EXPECT_EQ(length.isDlgButtonChecked(CPageEditMemberLength::automaticId), platform::BST_CHECKED);
    EXPECT_EQ(m2.getLength(), 5.0);
    EXPECT_EQ(text(length, CPageEditMemberLength::lengthId), "5");
    // Both lengths now agree: "Edit:" shows, disabled.
    EXPECT_TRUE(length.dlgItem(CPageEditMemberLength::editButtonId)->isVisible());
    EXPECT_FALSE(length.dlgItem(CPageEditMemberLength::editButtonId)->isEnabled());

    EXPECT_FALSE(sectionPage.updateFromSelection(0, both));
    EXPECT_EQ(text(crossSection, CPageEditMemberCrossSection::angleId), "20");
    EXPECT_TRUE(readOnly(crossSection, CPageEditMemberCrossSection::angleId));
    EXPECT_EQ(crossSection.combo.count(), 1);
    EXPECT_EQ(crossSection.combo.itemText(crossSection.combo.curSel()), "Box");
    crossSection.onCommand(CPageEditMemberCrossSection::absoluteId, platform::BN_CLICKED,
                           platform::WindowHandle::None);
    EXPECT_FALSE(crossSection.dlgItem(CPageEditMemberCrossSection::absoluteId)->isVisible());
    EXPECT_FALSE(readOnly(crossSection, CPageEditMemberCrossSection::angleId));
    type(crossSection, CPageEditMemberCrossSection::angleId, "45");
    EXPECT_EQ(m1.getAngle(), 45.0);
    EXPECT_EQ(m2.getAngle(), 45.0);

    // Opening the combo lists every cross-section; choosing one applies it, and the notice about
    // it leaves it as the only entry.
    VornCrossSection* tube = model.crossSections->add();
    tube->name.set(model.strings(), "Tube");
    crossSection.onCommand(CPageEditMemberCrossSection::comboId, platform::CBN_DROPDOWN,
                           platform::WindowHandle::None);
    ASSERT_EQ(crossSection.combo.count(), 2);
    EXPECT_EQ(crossSection.combo.curSel(), -1);
    const int tubeItem = crossSection.combo.findStringExact(-1, "Tube");
    crossSection.combo.setCurSel(tubeItem);
    crossSection.onCommand(CPageEditMemberCrossSection::comboId, platform::CBN_SELCHANGE,
                           platform::WindowHandle::None);
    EXPECT_EQ(m1.getCrossSection(), tube);
    EXPECT_EQ(m2.getCrossSection(), tube);
    EXPECT_EQ(crossSection.combo.count(), 1);
    EXPECT_EQ(crossSection.combo.itemText(crossSection.combo.curSel()), "Tube");
}

TEST_F(MemberWindows, TheJointsAndLengthWindowsStartFoldedAndTheJointsEditWindowStaysEmpty)
{
    auto& joints = open<CPageEditMemberJoints>(7);
    auto& length = open<CPageEditMemberLength>(4);
    EXPECT_EQ(joints.clientRect().height(), joints.frame.foldedHeight);
    EXPECT_EQ(length.clientRect().height(), length.frame.foldedHeight);
    EXPECT_FALSE(plugin<PluginCreatorMemberEditPageJoints>(7).updateFromSelection(0, select({"M1"})));
    EXPECT_EQ(text(joints, 1067), "");
    EXPECT_EQ(text(joints, 1069), "");
}

} // namespace
