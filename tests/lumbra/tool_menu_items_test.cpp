// The items that make a creator or a modifier the document's active tool.
#include "Lumbra/ToolMenuItems.h"
#include "plugins/InputEvent.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/VornPluginViewBase.h"
#include "tests/lumbra/LumbraTestDoubles.h"

using namespace lumbra;

namespace
{

class NamedSnap : public VornPluginSnapObject
{
public:
    explicit NamedSnap(const char* name) : VornPluginSnapObject(1), name(name) {}
    const char* getName() override { return name; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* getSnapKind() override { return "Point"; }
    bool snapPoint(SnapPoint*, MAI_View*, float, float, float) override { return false; }
    const char* name;
};

class ToolItems : public LumbraCommandTest
{
protected:
    ToolItems() { mai.pluginLists.dialogs = &dialog; }
    ~ToolItems() override { doc.setActiveMenuItem(nullptr); }

    RecordingDialog dialog;
    RecordingCreator creator;
    RecordingModifier modifier;
};

TEST_F(ToolItems, TheCaptionNamesTheItemAndThePathDescribesIt)
{
    PluginMenuItemCreator both(&creator, "&Create\\&Joint", "Joint", 150);
    EXPECT_STREQ(both.getName(), "Joint");
    EXPECT_STREQ(both.getButtonText(), "Joint");
    EXPECT_STREQ(both.getMenuPath(), "&Create\\&Joint");
    EXPECT_STREQ(both.getDescription(), "Joint:\n&Create\\&Joint");
    EXPECT_EQ(both.getBitmapID(), 150);
    EXPECT_EQ(both.getToolbarName(), nullptr);

    PluginMenuItemModifier pathOnly(&modifier, "&Modify\\&Move", nullptr, 0);
    EXPECT_STREQ(pathOnly.getName(), "&Modify\\&Move");
    EXPECT_EQ(pathOnly.getButtonText(), nullptr);
    EXPECT_STREQ(pathOnly.getDescription(), "&Modify\\&Move:\n&Modify\\&Move");

    PluginMenuItemModifier captionOnly(&modifier, nullptr, "Move", 0);
    EXPECT_STREQ(captionOnly.getName(), "Move");
    EXPECT_EQ(captionOnly.getMenuPath(), nullptr);
    EXPECT_STREQ(captionOnly.getDescription(), "Move:\nMove");
}

TEST_F(ToolItems, ACreatorBecomesTheToolOnceTakesTheSnapObjectsAndGetsTheMouse)
{
    PluginMenuItemCreator item(&creator, "&Create\\&Joint", "Joint Creator", 0);
    adopt(item);
    NamedSnap grid("Grid");
    NamedSnap joints("Joints");
    mai.snapObjects = &grid;
    grid.nextSnapObject = &joints;
    size_t callsWhenOffered = 99;
    dialog.onOffer = [&] { callsWhenOffered = creator.calls.size(); };
    EXPECT_EQ(update(item, nullptr).enabled, 0);
    EXPECT_EQ(update(item, &view).radio, 0);

    item.execute(nullptr);
    EXPECT_TRUE(dialog.offered.empty());
    item.execute(&view);
    item.execute(&view);
    EXPECT_EQ(dialog.offered, (std::vector<std::string>{"Joint Creator"})) << "told once";
    EXPECT_EQ(callsWhenOffered, 0u) << "the dialogs hear of the tool before it is active";
    EXPECT_EQ(creator.calls, (std::vector<std::string>{"accept Grid", "accept Joints"}));
    RecordedCommandState state = update(item, &view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.radio, 1);

    creator.calls.clear();
    EXPECT_TRUE(item.onMouse(&view, 0, 0, 0, InputEvent::Probe));
    EXPECT_TRUE(item.onMouse(&view, 7, 8, 9, 0x101));
    EXPECT_EQ(item.getCursor(&view, 42, 0, 0), static_cast<platform::CursorHandle>(42));
    doc.setActiveMenuItem(nullptr);
    EXPECT_EQ(creator.calls, (std::vector<std::string>{"7,8,9,101", "deactivate"}));
    mai.snapObjects = nullptr;
}

TEST_F(ToolItems, ACreatorPutsTheDocumentInEditStateAndAModifierDoesNot)
{
    PluginMenuItemCreator creating(&creator, "&Create\\&Member", "Create Member", 0);
    PluginMenuItemModifier modifying(&modifier, "&Modify\\&Move", "Move", 0);
    adopt(creating);
    adopt(modifying);
    ChannelLog log(mai, {Channel::EditStateChanged});

    creating.execute(&view);
    EXPECT_EQ(doc.getEditState(), 1);
    modifying.execute(&view);
    EXPECT_EQ(doc.getEditState(), 0);
    creating.execute(&view);
    doc.setActiveMenuItem(nullptr);
    EXPECT_EQ(doc.getEditState(), 0);
    EXPECT_EQ(log.heard.size(), 4u) << "every change of the edit state is sent";
}

TEST_F(ToolItems, AModifierBecomesTheToolWithANewRecordBeforeTheDialogsHearOfIt)
{
    PluginMenuItemModifier item(&modifier, "&Modify\\&Move", "Move", 0);
    adopt(item);
    modifier.made = model.modifiers->add();
    size_t callsWhenOffered = 99;
    dialog.onOffer = [&] { callsWhenOffered = modifier.calls.size(); };

    item.execute(&view);
    item.execute(&view);

    EXPECT_EQ(modifier.calls, (std::vector<std::string>{"activate new"}));
    EXPECT_EQ(dialog.offered, (std::vector<std::string>{"Move"}));
    EXPECT_EQ(callsWhenOffered, 1u);
    EXPECT_EQ(doc.getActiveMenuItem(), &item);
    EXPECT_EQ(doc.getActiveModifier(), modifier.made);
    EXPECT_EQ(doc.invalidations, 1);
    EXPECT_EQ(update(item, &view).radio, 1);

    modifier.calls.clear();
    doc.setActiveMenuItem(nullptr);
    EXPECT_TRUE(modifier.calls.empty()) << "deactivating the item leaves the record alone";
    EXPECT_EQ(doc.getActiveModifier(), modifier.made);
}

} // namespace
