// The items that make a creator or a modifier the document's active tool.
#include "Lumbra/ToolMenuItems.h"
#include "plugins/InputEvent.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"
#include "tests/lumbra/LumbraTestDoubles.h"

using namespace lumbra;

namespace
{

// Records, in one journal, what the tools are told and which plugins the dialogs are offered.
std::vector<std::string> journal;

class JournalDialog : public VornPluginDialog
{
public:
    const char* getName() override { return "Journal Dialog"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return nullptr; }
    const char* getWindowTitle() override { return "Journal"; }
    int32_t getDockInfo(uint32_t) override { return 0; }
    bool activatePlugin(VornPluginBase* plugin) override
    {
        journal.push_back(std::string("offered ") + plugin->getName());
        return false;
    }
};

class JournalCreator : public VornPluginObjectCreator
{
public:
    const char* getName() override { return "Journal Creator"; }
    void about(PluginWindowHandle*) override {}
    const char* getObjectTypeName() override { return "Joint"; }
    int32_t getObjectTypeID() override { return 11; }
    platform::ToolbarButton* getButton() override { return &button; }
    bool createObject() override { return false; }
    void acceptSnapObject(VornPluginSnapObject* snap) override
    {
        journal.push_back(std::string("accept ") + snap->getName());
    }
    void onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) override
    {
        journal.push_back("mouse " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + " " +
                          std::to_string(flags));
    }
    void deactivate() override { journal.push_back("deactivate"); }
    platform::CursorHandle getCursor(MAI_View*, int32_t x, int32_t, uint32_t) override
    {
        return static_cast<platform::CursorHandle>(x);
    }
};

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

class JournalModifier : public VornPluginObjectModifier
{
public:
    const char* getName() override { return "Journal Modifier"; }
    void about(PluginWindowHandle*) override {}
    platform::ToolbarButton* getButton() override { return &button; }
    VornModifier* activate(MAI_Doc* document, VornModifier* record, uint32_t flags) override
    {
        journal.push_back("new record");
        return made;
    }
    void deactivate(MAI_Doc*) override { journal.push_back("record done"); }
    const char* getToolCaption(int32_t) override { return "Move"; }
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable*) override {}
    void rebuildBase(VornModifier*) override {}
    void updateModifier(VornModifier*) override {}
    VornModifier* made = nullptr;
};

class ToolItems : public LumbraCommandTest
{
protected:
    ToolItems()
    {
        journal.clear();
        mai.pluginLists.dialogs = &dialog;
    }
    ~ToolItems() override { doc.setActiveMenuItem(nullptr); }

    JournalDialog dialog;
    JournalCreator creator;
    JournalModifier modifier;
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
    EXPECT_EQ(update(item, nullptr).enabled, 0);
    EXPECT_EQ(update(item, &view).radio, 0);

    item.execute(nullptr);
    EXPECT_TRUE(journal.empty());
    item.execute(&view);
    item.execute(&view);
    EXPECT_EQ(journal, (std::vector<std::string>{"offered Joint Creator", "accept Grid", "accept Joints"}));
    RecordedCommandState state = update(item, &view);
    EXPECT_EQ(state.enabled, 1);
    EXPECT_EQ(state.radio, 1);

    journal.clear();
    EXPECT_TRUE(item.onMouse(&view, 0, 0, 0, InputEvent::Probe));
    EXPECT_TRUE(item.onMouse(&view, 7, 8, 9, 0x101));
    EXPECT_EQ(item.getCursor(&view, 42, 0, 0), static_cast<platform::CursorHandle>(42));
    doc.setActiveMenuItem(nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"mouse 7,8,9 257", "deactivate"}));
    mai.snapObjects = nullptr;
}

TEST_F(ToolItems, AModifierBecomesTheToolWithANewRecordBeforeTheDialogsHearOfIt)
{
    PluginMenuItemModifier item(&modifier, "&Modify\\&Move", "Move", 0);
    adopt(item);
    modifier.made = model.modifiers->add();

    item.execute(&view);
    item.execute(&view);

    EXPECT_EQ(journal, (std::vector<std::string>{"new record", "offered Move"}));
    EXPECT_EQ(doc.getActiveMenuItem(), &item);
    EXPECT_EQ(doc.getActiveModifier(), modifier.made);
    EXPECT_EQ(doc.invalidations, 1);
    EXPECT_EQ(update(item, &view).radio, 1);

    journal.clear();
    doc.setActiveMenuItem(nullptr);
    EXPECT_TRUE(journal.empty()) << "deactivating the item leaves the record alone";
    EXPECT_EQ(doc.getActiveModifier(), modifier.made);
}

} // namespace
