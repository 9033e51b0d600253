// The Edit page's Modifiers, Selected and Selection pagettes, each made the way the host makes it
// inside a top-level window, on a small model of joints and groups.

#include "Lumbra/Console/ModifiersPagette.h"
#include "Lumbra/Console/SelectedObjectPagette.h"
#include "Lumbra/Console/SelectionSetsPagette.h"
#include "Lumbra/EditMenuItems.h"
#include "VornData/VornGroup.h"
#include "VornData/VornJoint.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/InputSimulation.h"
#include "platform/Services.h"
#include "tests/lumbra/ConsoleTestSupport.h"
#include "tests/support/HeldLock.h"
#include "tests/support/ModelDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace lumbra;

namespace
{

class EditPagetteTest : public ::testing::Test
{
protected:
    EditPagetteTest()
    {
        registerConsoleTestResources();
        mai.activeDocument = &doc;
        mai.activeView = &view;
        top.create("Window", "edit pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {20, 20, 420, 420},
                   nullptr);
        topHandle.attach(&top);
        j1 = model.addJoint("J1", 0, 0, 0);
        j2 = model.addJoint("J2", 1, 0, 0);
        j3 = model.addJoint("J3", 2, 0, 0);
    }
    ~EditPagetteTest() override
    {
        top.destroyWindow();
        processMessages();
    }

    // Registers the plugin's listeners and makes its window, as the Edit page does.
    template <class Plugin>
    void open(Plugin& plugin)
    {
        plugin.mai = &mai;
        plugin.module = thisModule();
        plugin.registerListeners();
        mai.createPluginWindow(plugin.getWindowRequest(), &topHandle);
        processMessages();
        ASSERT_NE(plugin.window(), nullptr);
        ASSERT_TRUE(plugin.window()->exists());
    }

    // Makes these objects the current selection, as a pick tool does, and announces it.
    void select(std::initializer_list<VornSelectable*> objects)
    {
        VornSelection* selection = doc.document.newSelection();
        for (VornSelectable* object : objects)
        {
            selection->add(object);
            object->setFlagBits(VornFlag::Selected | VornFlag::PreSelected);
        }
        mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    }

    // A named set of these objects, stored in "VornSelection" but not current.
    VornSelection* storeSet(const char* name, std::initializer_list<VornSelectable*> objects)
    {
        VornSelection* set = model.selections->add();
        for (VornSelectable* object : objects)
            set->add(object);
        set->name.set(model.strings(), name);
        set->setNamed(true);
        return set;
    }

    // The plugins go after the host's objects have gone: their windows are gone with the top
    // window by then.
    PluginEditStaticPageModifiers modifiersPagette;
    PluginEditStaticPageSelected selectedPagette;
    PluginEditStaticPageSelection selectionPagette;

    WindowMakingMAI mai;
    CountingDoc doc{&mai};
    FakeView view{&doc};
    ModelDocument model{doc.document};
    platform::Window top;
    PluginWindowHandleImpl topHandle;
    VornJoint* j1 = nullptr;
    VornJoint* j2 = nullptr;
    VornJoint* j3 = nullptr;
};

// ---- full names ----

TEST_F(EditPagetteTest, FullNamesJoinTheEnclosingGroupsBelowTheWorldGroup)
{
    VornGroup* g0 = model.addGroup("G0");
    VornGroup* g1 = model.addGroup("G1");
    g0->addChild(g1);
    g1->addChild(j1);
    g0->addChild(j2);

    const struct
    {
        VornSelectable* object;
        const char* fullName;
    } cases[] = {{j1, "G0.G1.J1"}, {j2, "G0.J2"}, {j3, "J3"}, {g1, "G0.G1"}};
    for (const auto& entry : cases)
        EXPECT_EQ(fullNameOf(*entry.object, doc.document), entry.fullName);

    std::string text = "x:";
    appendGroupPath(g1, g0, text);
    EXPECT_EQ(text, "x:G1.") << "the root itself is not named";
}

// ---- Selected pagette ----

class SelectedPagetteTest : public EditPagetteTest
{
protected:
    void SetUp() override { open(selectedPagette); }

    CPageEditStaticSelected& page() { return *selectedPagette.window(); }
    platform::Window& nameEdit() { return *page().dlgItem(CPageEditStaticSelected::nameId); }
    // Where the edit's caret is (the end of its selection).
    uint32_t caret() { return platform::highWord(static_cast<uint64_t>(nameEdit().sendMessage(platform::EM_GETSEL))); }
};

TEST_F(SelectedPagetteTest, ShowsWhyThereIsNoNameToEdit)
{
    EXPECT_EQ(nameEdit().windowText(), "no objects selected");
    EXPECT_FALSE(nameEdit().isEnabled());
    EXPECT_FALSE(page().colourButton.isEnabled());

    select({j1, j2});
    EXPECT_EQ(nameEdit().windowText(), "multiple objects selected");
    EXPECT_EQ(caret(), 0u) << "a message shows from its start";
    EXPECT_FALSE(nameEdit().isEnabled());
    EXPECT_TRUE(page().colourButton.isEnabled());

    select({});
    EXPECT_EQ(nameEdit().windowText(), "no objects selected");
    EXPECT_FALSE(page().colourButton.isEnabled());
}

TEST_F(SelectedPagetteTest, TheFullNameShownNeverRenamesButTypingRenamesTheSingleObject)
{
    VornGroup* g0 = model.addGroup("G0");
    VornGroup* g1 = model.addGroup("G1");
    g0->addChild(g1);
    g1->addChild(j1);

    select({j1});
    EXPECT_EQ(nameEdit().windowText(), "G0.G1.J1");
    EXPECT_TRUE(nameEdit().isEnabled());
    EXPECT_STREQ(j1->name.getString(), "J1") << "showing the full name is no typing";

    nameEdit().setFocus();
    processMessages();
    EXPECT_EQ(nameEdit().windowText(), "J1") << "with the focus the edit shows the own name";
    EXPECT_EQ(caret(), 2u) << "the caret waits behind the name";
    EXPECT_STREQ(j1->name.getString(), "J1");

    nameEdit().sendMessage(platform::EM_SETSEL, 0, -1);
    platform::simulateTyping(nameEdit().handle(), "J7");
    processMessages();
    EXPECT_STREQ(j1->name.getString(), "J7");
    EXPECT_EQ(doc.invalidations, 0) << "a rename redraws nothing";

    page().colourButton.setFocus();
    processMessages();
    EXPECT_EQ(nameEdit().windowText(), "G0.G1.J7");
    EXPECT_STREQ(j1->name.getString(), "J7");
    EXPECT_STREQ(g1->name.getString(), "G1");

    select({j3});
    EXPECT_EQ(nameEdit().windowText(), "J3") << "an object under the world group has its plain name";
}

TEST_F(SelectedPagetteTest, ARenameWaitsForTheDocumentAndChangesNothingWhenGivenUp)
{
    select({j1});
    nameEdit().setFocus();
    processMessages();
    selectedPagette.lockTimeout = std::chrono::milliseconds(20);
    mai.answers = {platform::IDABORT};
    {
        HeldLock calculation(doc.lock);
        nameEdit().sendMessage(platform::EM_SETSEL, 0, -1);
        platform::simulateTyping(nameEdit().handle(), "X");
        processMessages();
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, documentLockWaitingText("Rename"));
    EXPECT_STREQ(j1->name.getString(), "J1");
    EXPECT_EQ(nameEdit().windowText(), "J1") << "the edit shows the name kept";
}

TEST_F(SelectedPagetteTest, TheColourButtonShowsASharedColourAndColoursEverySelectedObject)
{
    j1->setColor(0x112233);
    j2->setColor(0x445566);
    select({j1});
    EXPECT_EQ(page().colour, 0x112233u);
    select({j1, j2});
    EXPECT_EQ(page().colour, 0x112233u) << "different colours: the button keeps its colour";

    platform::ScriptedInteraction person;
    person.colourAnswers = {std::nullopt, 0x00AA00u};
    page().onCommand(CPageEditStaticSelected::colourId, platform::BN_CLICKED, platform::WindowHandle::None);
    EXPECT_EQ(j1->getColor(), 0x112233u) << "Cancel changes nothing";
    EXPECT_EQ(doc.invalidations, 0);

    j1->setFlagBits(VornFlag::Hidden);
    page().onCommand(CPageEditStaticSelected::colourId, platform::BN_CLICKED, platform::WindowHandle::None);
    EXPECT_EQ(j1->getColor(), 0x00AA00u);
    EXPECT_EQ(j2->getColor(), 0x00AA00u);
    EXPECT_TRUE(j1->hasFlagBits(VornFlag::Hidden)) << "the flags stay";
    EXPECT_EQ(j3->getColor() == 0x00AA00u, false);
    EXPECT_EQ(doc.invalidations, 1);
}

TEST_F(SelectedPagetteTest, AColourIsNotSetWithoutTheDocumentLock)
{
    j1->setColor(0x112233);
    select({j1});
    selectedPagette.lockTimeout = std::chrono::milliseconds(20);
    mai.answers = {platform::IDIGNORE};
    platform::ScriptedInteraction person;
    person.colourAnswers = {0x00AA00u};
    {
        HeldLock calculation(doc.lock);
        page().onCommand(CPageEditStaticSelected::colourId, platform::BN_CLICKED, platform::WindowHandle::None);
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(j1->getColor(), 0x112233u);
    EXPECT_EQ(page().colour, 0x112233u) << "the button shows the colour kept";
    EXPECT_EQ(doc.invalidations, 0);
}

// ---- Selection pagette ----

class SelectionPagetteTest : public EditPagetteTest
{
protected:
    void SetUp() override { open(selectionPagette); }

    CPageEditStaticSelection& page() { return *selectionPagette.window(); }
    std::vector<std::string> entries()
    {
        std::vector<std::string> texts;
        for (int entry = 0; entry < page().combo.count(); ++entry)
            texts.push_back(page().combo.itemText(entry));
        return texts;
    }
    // The user types `text` into the combo's edit field.
    void type(const std::string& text)
    {
        page().combo.setWindowText(text);
        page().onCommand(CPageEditStaticSelection::comboId, platform::CBN_EDITCHANGE, platform::WindowHandle::None);
    }
    // The user picks the first entry of that text at or after `from`.
    void pick(const std::string& text, int from = 0)
    {
        for (int entry = from; entry < page().combo.count(); ++entry)
            if (page().combo.itemText(entry) == text)
            {
                page().combo.setCurSel(entry);
                page().onCommand(CPageEditStaticSelection::comboId, platform::CBN_SELCHANGE,
                                 platform::WindowHandle::None);
                return;
            }
        ADD_FAILURE() << "no entry " << text;
    }
    bool highlighted(VornSelectable* object) { return object->hasFlagBits(VornFlag::Selected | VornFlag::PreSelected); }
};

TEST_F(SelectionPagetteTest, ListsAllAndNoneBeforeTheSetNamesInOrder)
{
    storeSet("beta", {j1});
    storeSet("Alpha", {j2});
    VornSelection* gamma = storeSet("gamma", {j3});
    gamma->setNamed(false); // an unnamed selection is no set
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none", "Alpha", "beta"}));
}

TEST_F(SelectionPagetteTest, TypingNamesTheCurrentSelectionAndBlanksOnlyUnnameIt)
{
    select({j1, j2});
    type("  front");
    VornSelection* current = doc.document.findSelection();
    EXPECT_TRUE(current->isNamed());
    EXPECT_STREQ(current->name.getString(), "front") << "leading blanks go";
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none", "front"}));
    EXPECT_EQ(page().combo.windowText(), "  front") << "the text typed stays as typed";

    type("front2");
    EXPECT_STREQ(current->name.getString(), "front2");
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none", "front2"})) << "the entry is replaced";

    type("   ");
    EXPECT_FALSE(current->isNamed());
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none"}));
    EXPECT_EQ(mai.beeps, 0);
}

TEST_F(SelectionPagetteTest, NamingAnEmptySelectionBeepsAndClearsTheText)
{
    select({});
    type("nothing");
    EXPECT_EQ(mai.beeps, 1);
    EXPECT_EQ(page().combo.windowText(), "");
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none"}));
}

TEST_F(SelectionPagetteTest, TheSetPickedIsTheSetShownAndTheSetRenamedWithTwoSetsOfOneName)
{
    VornSelection* first = storeSet("pair", {j1});
    VornSelection* second = storeSet("pair", {j2});
    select({j3});
    ASSERT_EQ(entries(), (std::vector<std::string>{" all", " none", "pair", "pair"}));

    // Each entry stands for its own set: picking it makes that very set current.
    for (VornSelection* set : {second, first})
    {
        int entry = 0;
        while (entry < page().combo.count() && page().combo.itemData(entry) != reinterpret_cast<std::intptr_t>(set))
            ++entry;
        ASSERT_LT(entry, page().combo.count());
        VornSelectable* member = VornSelection::objectOf(set->objects.getFirst());
        page().combo.setCurSel(entry);
        page().onCommand(CPageEditStaticSelection::comboId, platform::CBN_SELCHANGE, platform::WindowHandle::None);
        EXPECT_EQ(doc.document.findSelection(), set);
        EXPECT_TRUE(highlighted(member));
        EXPECT_FALSE(highlighted(member == j1 ? j2 : j1)) << "the other set's objects are not highlighted";
        EXPECT_EQ(page().combo.windowText(), "pair");
    }
    ASSERT_EQ(doc.document.findSelection(), first);

    // Renaming the set shown replaces its own entry; the other set keeps its name and entry.
    type("single");
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none", "pair", "single"}));
    EXPECT_EQ(page().combo.itemData(2), reinterpret_cast<std::intptr_t>(second));
    EXPECT_EQ(page().combo.itemData(3), reinterpret_cast<std::intptr_t>(first));
    EXPECT_STREQ(second->name.getString(), "pair");
    EXPECT_STREQ(first->name.getString(), "single");
}

TEST_F(SelectionPagetteTest, AllSelectsEverythingAndNoneLeavesAFreshEmptySelection)
{
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    pick(" all");
    for (VornSelectable* joint : {j1, j2, j3})
        EXPECT_TRUE(highlighted(joint));
    EXPECT_EQ(page().combo.curSel(), -1);
    EXPECT_EQ(doc.invalidations, 1);

    pick(" none");
    for (VornSelectable* joint : {j1, j2, j3})
        EXPECT_FALSE(joint->hasFlagBits(VornFlag::Selected) || joint->hasFlagBits(VornFlag::PreSelected));
    ASSERT_NE(doc.document.findSelection(), nullptr);
    EXPECT_TRUE(doc.document.findSelection()->isEmpty());
    EXPECT_EQ(page().combo.windowText(), "");
    EXPECT_EQ(doc.invalidations, 2);
    EXPECT_EQ(log.heard, (std::vector<std::string>{"SELCH", "SELCH"}));
}

TEST_F(SelectionPagetteTest, PickingTheCurrentSetAgainChangesAndSendsNothing)
{
    storeSet("left", {j1});
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    pick("left");
    ASSERT_TRUE(highlighted(j1));
    const int invalidations = doc.invalidations;
    ChannelLog log(mai, {Channel::SelectionChanging, Channel::SelectionChanged});
    pick("left");
    EXPECT_TRUE(highlighted(j1));
    EXPECT_TRUE(log.heard.empty());
    EXPECT_EQ(doc.invalidations, invalidations);
}

TEST_F(SelectionPagetteTest, AnEntryWhoseSetWentAwayIsNotChosen)
{
    VornSelection* set = storeSet("gone", {j1});
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
    const int entry = 2;
    ASSERT_EQ(page().combo.itemText(entry), "gone");
    // The set loses its name behind the pagette's back (no notice).
    set->name.set(model.strings(), "renamed");
    page().combo.setCurSel(entry);
    page().onCommand(CPageEditStaticSelection::comboId, platform::CBN_SELCHANGE, platform::WindowHandle::None);
    EXPECT_FALSE(highlighted(j1));
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none", "renamed"})) << "the sets are listed anew";
}

TEST_F(SelectionPagetteTest, NamingWaitsForTheDocumentAndChangesNothingWhenGivenUp)
{
    select({j1});
    selectionPagette.lockTimeout = std::chrono::milliseconds(20);
    mai.answers = {platform::IDABORT};
    {
        HeldLock calculation(doc.lock);
        type("locked");
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_FALSE(doc.document.findSelection()->isNamed());
    EXPECT_EQ(entries(), (std::vector<std::string>{" all", " none"}));
}

TEST_F(SelectionPagetteTest, PackagesTheSelectionToolAndTakesItsActivation)
{
    auto* tool = dynamic_cast<PluginMenuItemSelect*>(selectionPagette.GetPackagedPlugin(0));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->owner, &selectionPagette);
    EXPECT_EQ(tool->mai, &mai);
    EXPECT_EQ(selectionPagette.GetPackagedPlugin(1), nullptr);
    EXPECT_TRUE(selectionPagette.activatePlugin(tool));
    EXPECT_FALSE(selectionPagette.activatePlugin(&selectionPagette));

    tool->commandId = 0xBFF0;
    ASSERT_EQ(page().toolbar.buttonCount(), 1);
    page().toolbar.click(0);
    processMessages();
    EXPECT_EQ(mai.posted, (std::vector<uint32_t>{0xBFF0u}));

    tool->activate(true);
    EXPECT_NE(page().toolbar.buttonState(0) & platform::TBSTATE_CHECKED, 0);
    tool->activate(false);
    EXPECT_EQ(page().toolbar.buttonState(0) & platform::TBSTATE_CHECKED, 0);
    delete tool;
}

// ---- Modifiers pagette ----

class PictureModifier : public RecordingModifier
{
public:
    PictureModifier(const char* name, int32_t bitmapId) : name(name), bitmapId(bitmapId) { menuItem = &item; }
    const char* getName() override { return name; }
    int32_t getBitmapID() override { return bitmapId; }

    const char* name;
    int32_t bitmapId;
    RecordingMenuItem item;
};

class ModifiersPagetteTest : public EditPagetteTest
{
protected:
    void SetUp() override
    {
        // The list runs newest first: Scale, Plain, Rotate, Move.
        for (PictureModifier* modifier : {&move, &rotate, &plain, &scale})
        {
            modifier->mai = &mai;
            modifier->module = thisModule();
            PluginManager::pushFront(mai.pluginLists.objectModifiers, modifier);
        }
        move.item.commandId = 0xBF01;
        rotate.item.commandId = 0xBF02;
        scale.item.commandId = 0xBF03;
        plain.item.commandId = 0xBF04;
        open(modifiersPagette);
    }

    CPageEditStaticModifiers& page() { return *modifiersPagette.window(); }
    std::vector<uint32_t> checkedIds()
    {
        std::vector<uint32_t> ids;
        for (int index = 0; index < page().toolbar.buttonCount(); ++index)
        {
            const uint32_t id = static_cast<uint32_t>(page().toolbar.button(index).commandId);
            if (page().toolbar.buttonState(id) & platform::TBSTATE_CHECKED)
                ids.push_back(id);
        }
        return ids;
    }

    PictureModifier move{"Move", 121}, rotate{"Rotate", 122}, plain{"Plain", 0}, scale{"Scale", 172};
};

TEST_F(ModifiersPagetteTest, OnlyModifiersWithAPictureGetAButtonAndAreOffered)
{
    ASSERT_EQ(page().toolbar.buttonCount(), 3);
    const struct
    {
        PictureModifier* modifier;
        int32_t commandId;
    } expected[] = {{&scale, 0x8000}, {&rotate, 0x8001}, {&move, 0x8002}};
    for (int index = 0; index < 3; ++index)
    {
        const platform::ToolbarButton button = page().toolbar.button(index);
        EXPECT_EQ(button.commandId, expected[index].commandId);
        EXPECT_EQ(button.data, reinterpret_cast<std::uintptr_t>(expected[index].modifier));
        EXPECT_EQ(button.style, platform::TBSTYLE_GROUP);
        EXPECT_EQ(expected[index].modifier->button.commandId, expected[index].commandId);
    }
    EXPECT_EQ(plain.button.imageIndex, -1) << "the record of a modifier without a button stays as it started";
    EXPECT_EQ(plain.button.commandId, 0);
    EXPECT_EQ(plain.button.data, 0u);

    std::vector<std::string> offered;
    for (int item = 0;; ++item)
    {
        char text[platform::Toolbar::kButtonTextLimit] = "junk";
        platform::NotifyToolbar notification;
        notification.header.idFrom = CPageEditStaticModifiers::toolbarId;
        notification.header.code = platform::TBN_GETBUTTONINFO;
        notification.item = item;
        notification.text = text;
        notification.textLimit = sizeof text;
        if (page().windowProc(platform::WM_NOTIFY, 0, reinterpret_cast<platform::LParam>(&notification)) == 0)
            break;
        offered.push_back(text);
        EXPECT_NE(notification.button.imageIndex, -1) << text;
    }
    EXPECT_EQ(offered, (std::vector<std::string>{"Scale", "Rotate", "Move"}));
}

TEST_F(ModifiersPagetteTest, AClickPostsTheModifiersMenuCommand)
{
    page().toolbar.click(1);
    processMessages();
    EXPECT_EQ(mai.posted, (std::vector<uint32_t>{0xBF02u}));
}

TEST_F(ModifiersPagetteTest, ActivatingAModifiersMenuItemPressesItsButtonOnly)
{
    EXPECT_TRUE(modifiersPagette.activatePlugin(&scale.item));
    EXPECT_EQ(checkedIds(), (std::vector<uint32_t>{0x8000}));
    EXPECT_TRUE(modifiersPagette.activatePlugin(&move.item));
    EXPECT_EQ(checkedIds(), (std::vector<uint32_t>{0x8002}));
    EXPECT_FALSE(modifiersPagette.activatePlugin(&plain.item)) << "a modifier without a button";
    EXPECT_FALSE(modifiersPagette.activatePlugin(&modifiersPagette));
    EXPECT_TRUE(checkedIds().empty());
}

TEST_F(ModifiersPagetteTest, AfterCustomisingTheToolbarAndTheFrameFitTheRows)
{
    ASSERT_TRUE(page().toolbar.customizeRemove(0));
    page().toolbar.endCustomize();
    processMessages();
    EXPECT_EQ(page().toolbar.buttonCount(), 2);
    EXPECT_EQ(page().toolbar.clientRect().height(), 27) << "one row";
    EXPECT_EQ(page().frame.openHeight, 52);
}

TEST(ModifiersToolbarHeight, GrowsBy27PerTwoRowsBegun)
{
    const int32_t rows[] = {0, 1, 2, 3, 4, 5};
    const int32_t heights[] = {8, 27, 27, 54, 54, 81};
    for (size_t index = 0; index < std::size(rows); ++index)
        EXPECT_EQ(modifierToolbarHeight(rows[index]), heights[index]) << rows[index] << " rows";
}

// ---- the Edit page packages them ----

TEST(EditPageStaticPagettes, TheLibraryPackagesAllFourInOrder)
{
    const auto& makers = editStaticPagetteMakers();
    std::vector<std::string> names;
    for (EditStaticPagetteMaker make : makers)
        if (make != nullptr)
        {
            VornPlugin* plugin = make();
            names.push_back(plugin->getName());
            EXPECT_STREQ(plugin->getTypeName(), "Edit Static Pagette");
            delete plugin;
        }
    EXPECT_EQ(names, (std::vector<std::string>{"History Pagette", "Modifiers Pagette", "Selected Pagette",
                                               "Selection Pagette"}));
}

} // namespace
