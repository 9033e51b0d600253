// The creation pagettes' windows bound to their models: what the program shows and what the user
// types, spins and clicks.
#include "Lumbra/Creators/JointCreator.h"
#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "VornData/VornJoint.h"
#include "plugins/InputEvent.h"
#include "platform/InputSimulation.h"
#include "platform/SystemValues.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/FieldTyping.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumbra;

namespace
{

class CreationWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platformApplication();
        registerKitResources();
        registerJointCreatorResources();
        ASSERT_TRUE(top.create("Window", "pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                               {40, 40, 400, 500}, nullptr));
        mai.activeDocument = &doc;
        creator.mai = &mai;
        creator.module = thisModule();
        creator.addBlockLists(&doc);
        for (uint32_t index = 1; index <= 5; ++index)
            pagettes.emplace_back(static_cast<VornPluginWindowed*>(creator.GetPackagedPlugin(index)));
    }
    void TearDown() override
    {
        top.destroyWindow();
        processMessages();
    }

    // The pagette's window, made as the host makes it.
    template <class Page>
    Page& open(size_t index)
    {
        VornPluginWindowed* plugin = pagettes[index].get();
        plugin->getWindowRequest();
        EXPECT_TRUE(plugin->dialogObject->create(&top, thisModule()));
        processMessages();
        return *static_cast<Page*>(plugin->dialogObject);
    }

    std::string text(platform::Dialog& page, int32_t id) { return page.dlgItem(id)->windowText(); }

    ScriptedMAI mai;
    CountingDoc doc{&mai};
    PluginCreatorJoint creator;
    platform::Window top;
    // Indices 1 to 5: CreateButton, Orientation, Support, Coordinates, Name.
    std::vector<std::unique_ptr<VornPluginWindowed>> pagettes;
};

TEST_F(CreationWindows, TheCoordinatesWindowShowsTheMouseAndHandsTypingAndSpinsToItsModel)
{
    auto& coordinates = static_cast<PluginCreatorJointPageCoordinates&>(*pagettes[3]);
    auto& page = open<CPageJointCoordinates>(3);
    EXPECT_EQ(text(page, 1013), "0");

    coordinates.onMousePoint(12, 34, 0, InputEvent::Move);
    EXPECT_EQ(text(page, 1013), "12");
    EXPECT_EQ(text(page, 1014), "34");
    EXPECT_FALSE(page.dlgItem(1013)->isEnabled());
    coordinates.onMousePoint(-1, -1, -1, InputEvent::Leave);
    EXPECT_TRUE(page.dlgItem(1013)->isEnabled());

    // Typing goes to the model as text; it becomes a value when a joint is made.
    page.setDlgItemText(1015, "2.5");
    page.onCommand(1015, platform::EN_CHANGE, platform::WindowHandle::None);
    EXPECT_EQ(coordinates.model.text(2), "2.5");
    EXPECT_EQ(coordinates.model.value(2), 0.0);

    // A click on the upper half of the X spin button starts from the typed text and adds 1.
    page.setDlgItemText(1013, "4");
    page.onCommand(1013, platform::EN_CHANGE, platform::WindowHandle::None);
    platform::Window* spinner = page.dlgItem(1016);
    ASSERT_NE(spinner, nullptr);
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, {4, 3}, 0, 0);
    platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, {4, 3}, 0, 0);
    processMessages();
    EXPECT_EQ(coordinates.model.value(0), 5.0);
    EXPECT_EQ(text(page, 1013), "5");
}

// A coordinate typed key by key stays as typed when it reads as a number; any other text gives
// the edit back the value it held when it got the focus.
TEST_F(CreationWindows, ACoordinateTypedKeyByKeyKeepsOnlyANumber)
{
    struct Case
    {
        const char* text;
        double inEffect; // what a new joint would take
        const char* shown;
    };
    const Case cases[] = {
        {"0.15", 0.15, "0.15"}, {"0.05", 0.05, "0.05"}, {"2,5", 7.0, "7"},
        {"abc", 7.0, "7"},      {"-0.2", -0.2, "-0.2"}, {"1e3", 1000.0, "1e3"},
    };
    auto& coordinates = static_cast<PluginCreatorJointPageCoordinates&>(*pagettes[3]);
    auto& page = open<CPageJointCoordinates>(3);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        coordinates.model.show(1, 7.0);
        page.showModel();
        typeKeyByKey(*page.dlgItem(1014), c.text);
        leaveFor(*page.dlgItem(1015));
        EXPECT_EQ(text(page, 1014), c.shown);
        ASSERT_TRUE(coordinates.readInput());
        EXPECT_EQ(coordinates.model.value(1), c.inEffect);
        EXPECT_EQ(coordinates.model.value(0), 0.0);
        EXPECT_EQ(coordinates.model.value(2), 0.0);
        EXPECT_EQ(text(page, 1013), "0");
        EXPECT_EQ(text(page, 1015), "0");
    }
    EXPECT_TRUE(mai.boxes.empty());
}

TEST_F(CreationWindows, CreateMakesAJointFromTheWindowsAndTheNameWindowShowsTheNextName)
{
    auto& name = open<CPageNameAndColor>(4);
    auto& coordinates = open<CPageJointCoordinates>(3);
    auto& support = open<CPageJointSupport>(2);
    open<CPageJointOrientation>(1);
    auto& create = open<CPageCreateButton>(0);
    EXPECT_EQ(text(name, CPageNameAndColor::nameId), "Joint000");
    EXPECT_EQ(support.isDlgButtonChecked(CPageJointSupport::rigidId), platform::BST_CHECKED);
    EXPECT_EQ(support.isDlgButtonChecked(CPageJointSupport::localId), platform::BST_CHECKED);

    coordinates.setDlgItemText(1014, "-3");
    coordinates.onCommand(1014, platform::EN_CHANGE, platform::WindowHandle::None);
    // Clicking two of the three translation boxes leaves the row's box indeterminate.
    for (int32_t id : {1037, 1039})
    {
        support.checkDlgButton(id, platform::BST_CHECKED);
        support.onCommand(static_cast<uint32_t>(id), platform::BN_CLICKED, platform::WindowHandle::None);
    }
    EXPECT_EQ(support.isDlgButtonChecked(1044), platform::BST_INDETERMINATE);

    create.onCommand(CPageCreateButton::buttonId, platform::BN_CLICKED, platform::WindowHandle::None);
    auto* joints = dynamic_cast<BlockList<VornJoint>*>(doc.document.getBlockList("VornJoint"));
    ASSERT_EQ(joints->getCount(), 1u);
    const VornJoint& joint = (*joints)[0];
    EXPECT_EQ(joint.getPosition().y, -3.0);
    EXPECT_EQ(joint.supportFlags, 0xC5);
    EXPECT_STREQ(joint.name.getString(), "Joint000");
    EXPECT_EQ(text(name, CPageNameAndColor::nameId), "Joint001");
}

} // namespace
