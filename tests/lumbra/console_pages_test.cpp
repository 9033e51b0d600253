// The Create, Edit and View pages of the main console, with small creators, modifiers and view
// types of the test, and the console's Tab order through a page's pagettes.

#include "platform/InputSimulation.h"
#include "tests/lumbra/ConsoleTestSupport.h"

using namespace lumbra;

namespace
{

// ---- Create page ----

class CreatePageTest : public ConsoleTest
{
protected:
    // The creators as the library's read: Joint, Member, Force in list order (newest first).
    void openWith(std::initializer_list<TestCreator*> newestLast)
    {
        addCreators(newestLast);
        addLibraryConsole();
        openConsole();
        create = page<PluginMCPageCreate>("Create Page");
        window = static_cast<CMCPageCreate*>(create->dialog());
    }

    std::vector<int32_t> buttonIds()
    {
        std::vector<int32_t> ids;
        for (int index = 0; index < window->toolbar.buttonCount(); ++index)
            ids.push_back(window->toolbar.button(index).commandId);
        return ids;
    }

    std::vector<int32_t> checkedIds()
    {
        std::vector<int32_t> ids;
        for (int index = 0; index < window->toolbar.buttonCount(); ++index)
            if (window->toolbar.button(index).state & platform::TBSTATE_CHECKED)
                ids.push_back(window->toolbar.button(index).commandId);
        return ids;
    }

    TestCreator force{"Force", 172, 2};
    TestCreator member{"Member", 122, 1};
    TestCreator joint{"Joint", 121, 3};
    PluginMCPageCreate* create = nullptr;
    CMCPageCreate* window = nullptr;
};

TEST_F(CreatePageTest, ASeparatorThenOneButtonPerCreatorInListOrder)
{
    openWith({&force, &member, &joint});
    EXPECT_EQ(buttonIds(), (std::vector<int32_t>{0, 0x8000, 0x8001, 0x8002}));
    EXPECT_EQ(window->toolbar.button(0).style, platform::TBSTYLE_SEP);
    const std::vector<std::pair<TestCreator*, int32_t>> expected = {
        {&joint, 0x8000}, {&member, 0x8001}, {&force, 0x8002}};
    for (const auto& [creator, id] : expected)
    {
        const platform::ToolbarButton& button = creator->button;
        EXPECT_EQ(button.commandId, id) << creator->objectName;
        EXPECT_EQ(button.state, platform::TBSTATE_ENABLED);
        EXPECT_EQ(button.style, platform::TBSTYLE_BUTTON);
        EXPECT_EQ(button.data, reinterpret_cast<std::uintptr_t>(creator));
        // Each button shows its creator's own picture.
        const platform::ImageList* images = window->toolbar.imageList();
        EXPECT_EQ(images->pixel(button.imageIndex, 3, 3), 0x000080u + static_cast<uint32_t>(creator->bitmapId));
    }
    EXPECT_EQ(window->nextCommandId, 0x8003);
    EXPECT_TRUE(joint.pagettesHidden() && member.pagettesHidden() && force.pagettesHidden())
        << "no creation pagette is shown before a creator is chosen";
    EXPECT_TRUE(checkedIds().empty());
}

TEST_F(CreatePageTest, ACreatorWithoutAUsablePictureGetsNoButtonAndIsNotOfferedButKeepsItsPagettes)
{
    // 173 is too small for a button image; 999 is no bitmap of the module.
    platform::BitmapResource tiny;
    tiny.width = 8;
    tiny.height = 8;
    tiny.pixels.assign(64, 0x123456);
    platform::registerBitmapResource(thisModule(), 173, tiny);
    TestCreator noPicture("NoPicture", 0), tooSmall("TooSmall", 173), missing("Missing", 999);
    openWith({&force, &missing, &tooSmall, &noPicture, &joint});

    EXPECT_EQ(buttonIds(), (std::vector<int32_t>{0, 0x8000, 0x8001}));
    EXPECT_EQ(force.button.commandId, 0x8001) << "the command ids stay consecutive";
    for (TestCreator* creator : {&noPicture, &tooSmall, &missing})
    {
        EXPECT_EQ(creator->button.commandId, 0) << creator->objectName;
        EXPECT_EQ(creator->button.imageIndex, -1) << creator->objectName;
        EXPECT_TRUE(creator->createPagetteObjects.front()->window.exists()) << creator->objectName;
    }
    std::vector<std::string> offered;
    for (const platform::AvailableButton& available : window->toolbar.availableButtons())
        offered.push_back(available.text);
    EXPECT_EQ(offered, (std::vector<std::string>{"Joint", "Force"}));

    // A creator without a button is still activated from elsewhere; no button gets checked.
    EXPECT_TRUE(create->activatePlugin(&tooSmall.tool));
    EXPECT_TRUE(tooSmall.pagettesShown());
    EXPECT_TRUE(checkedIds().empty());
}

TEST_F(CreatePageTest, ExactlyOneCreatorsPagettesAreShownAfterEveryActivation)
{
    openWith({&force, &member, &joint});
    struct Step
    {
        const char* how;
        TestCreator* creator;
    };
    const std::vector<Step> steps = {
        {"button", &member}, {"plugin", &joint}, {"menu item", &force}, {"button", &joint}, {"menu item", &member}};
    for (const Step& step : steps)
    {
        SCOPED_TRACE(std::string(step.how) + " " + step.creator->objectName);
        if (std::strcmp(step.how, "button") == 0)
            window->toolbar.click(
                window->toolbar.commandToIndex(static_cast<uint32_t>(step.creator->button.commandId)));
        else if (std::strcmp(step.how, "plugin") == 0)
            EXPECT_TRUE(create->activatePlugin(step.creator));
        else
            EXPECT_TRUE(create->activatePlugin(&step.creator->tool));
        for (TestCreator* creator : {&joint, &member, &force})
            EXPECT_EQ(creator == step.creator ? creator->pagettesShown() : creator->pagettesHidden(), true)
                << creator->objectName;
        EXPECT_EQ(checkedIds(), (std::vector<int32_t>{step.creator->button.commandId}));
        EXPECT_EQ(doc.getActiveMenuItem(), &step.creator->tool);
        EXPECT_EQ(create->pageTool, &step.creator->tool);
    }

    // The creator that is the page's tool already: still taken, nothing redone.
    member.tool.calls.clear();
    EXPECT_TRUE(create->activatePlugin(&member));
    EXPECT_TRUE(member.tool.calls.empty());
    EXPECT_TRUE(member.pagettesShown());
    RecordingMenuItem stranger("Stranger");
    EXPECT_FALSE(create->activatePlugin(&stranger));

    // A click on the separator belongs to no creator.
    window->toolbar.click(0);
    EXPECT_EQ(doc.getActiveMenuItem(), &member.tool);
}

TEST_F(CreatePageTest, ThePagettesStackBelowTheToolbarAndTheCustomisingAnswers)
{
    openWith({&force, &member, &joint});
    window->activateCreator(&joint);
    const platform::Rect toolbar = window->toolbar.windowRect();
    const platform::Rect holder = window->pagettes.holder->windowRect();
    EXPECT_EQ(holder.top, toolbar.bottom);
    EXPECT_EQ(holder.left - window->windowRect().left, 9);
    // The slim scroll bar runs down the page's right edge, beside the holder.
    const platform::Rect scrollBar = window->pagettes.stack.bar.windowRect();
    EXPECT_EQ(scrollBar.left - window->windowRect().left, window->clientRect().width() - 10);
    EXPECT_EQ(holder.right, scrollBar.left - 1);
    EXPECT_EQ(scrollBar.top, toolbar.bottom);
    // The newest pagette of a creator's list is made first and stands on top.
    std::vector<platform::Window*> shown;
    for (auto pagette = joint.createPagetteObjects.rbegin(); pagette != joint.createPagetteObjects.rend(); ++pagette)
        shown.push_back(&(*pagette)->window);
    for (size_t index = 1; index < shown.size(); ++index)
        EXPECT_EQ(shown[index]->windowRect().top, shown[index - 1]->windowRect().bottom + 2)
            << "the stack places them one below the other";

    platform::NotifyToolbar query;
    query.header = {window->toolbar.handle(), static_cast<std::uintptr_t>(ConsoleControl::CreateToolbar),
                    platform::TBN_QUERYDELETE};
    auto send = [&](platform::NotifyToolbar& record) {
        return window->sendMessage(platform::WM_NOTIFY, record.header.idFrom,
                                   reinterpret_cast<platform::LParam>(&record));
    };
    EXPECT_EQ(send(query), 1);
    query.header.code = platform::TBN_QUERYINSERT;
    EXPECT_EQ(send(query), 1);

    char text[4] = {'x', 'x', 'x', 'x'};
    platform::NotifyToolbar info;
    info.header = query.header;
    info.header.code = platform::TBN_GETBUTTONINFO;
    info.item = 1;
    info.text = text;
    info.textLimit = 4;
    EXPECT_EQ(send(info), 1);
    EXPECT_STREQ(text, "Mem") << "the name is cut to the room given";
    EXPECT_EQ(info.button.commandId, 0x8001);
    info.item = 3;
    EXPECT_EQ(send(info), 0);
}

TEST_F(CreatePageTest, CustomisingMovesTheStackOnlyWhenTheToolbarsHeightChanges)
{
    // Enough buttons to wrap into two rows across the page.
    std::vector<std::unique_ptr<TestCreator>> many;
    for (int index = 0; index < 12; ++index)
        many.push_back(std::make_unique<TestCreator>("Creator" + std::to_string(index), 121));
    for (auto& creator : many)
        addCreators({creator.get()});
    addLibraryConsole();
    openConsole();
    create = page<PluginMCPageCreate>("Create Page");
    window = static_cast<CMCPageCreate*>(create->dialog());
    TestCreator* last = many.front().get(); // the oldest is last in the list
    window->activateCreator(last);
    ASSERT_GT(window->toolbar.rowCount(), 1);
    const int32_t twoRows = window->toolbarHeight;
    const platform::Rect before = window->pagettes.holder->windowRect();

    // Removing the separator keeps two rows: nothing moves.
    ASSERT_TRUE(window->toolbar.customizeRemove(0));
    window->toolbar.endCustomize();
    EXPECT_EQ(window->toolbarHeight, twoRows);
    EXPECT_EQ(window->pagettes.holder->windowRect(), before);

    // Down to one row: the holder and the scroll bar follow the toolbar up.
    while (window->toolbar.rowCount() > 1)
        ASSERT_TRUE(window->toolbar.customizeRemove(window->toolbar.buttonCount() - 1));
    window->toolbar.endCustomize();
    EXPECT_LT(window->toolbarHeight, twoRows);
    EXPECT_EQ(window->pagettes.holder->windowRect().top, window->toolbar.windowRect().bottom);
    EXPECT_EQ(window->pagettes.stack.bar.windowRect().top, window->toolbar.windowRect().bottom);
    EXPECT_TRUE(last->pagettesShown());

    // A creator whose button was removed is still activated; no button is left to check.
    ASSERT_EQ(window->toolbar.commandToIndex(static_cast<uint32_t>(last->button.commandId)), -1);
    window->activateCreator(many[5].get());
    EXPECT_TRUE(create->activatePlugin(&last->tool));
    EXPECT_TRUE(last->pagettesShown());
    EXPECT_TRUE(checkedIds().empty());
    EXPECT_EQ(doc.getActiveMenuItem(), &last->tool);
}

// ---- Edit page ----

// A static pagette of the Edit page that takes the plugins named in `takes`.
class TestStaticPagette : public PluginEditStaticPage
{
public:
    explicit TestStaticPagette(std::string name) : name(std::move(name)) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(TestTemplate::Pagette);
    }
    bool activatePlugin(VornPluginBase* plugin) override
    {
        ++asked;
        return plugin == taken;
    }

    std::string name;
    platform::Dialog window;
    VornPluginBase* taken = nullptr;
    int asked = 0;
};

template <const char* Name>
VornPlugin* makeStaticPagette()
{
    return new TestStaticPagette(Name);
}

constexpr char history[] = "History";
constexpr char modifiers[] = "Modifiers";
constexpr char selected[] = "Selected";
constexpr char selection[] = "Selection";
const std::array<EditStaticPagetteMaker, 4> testStaticPagettes = {
    makeStaticPagette<history>, makeStaticPagette<modifiers>, makeStaticPagette<selected>,
    makeStaticPagette<selection>};

class TestModifier : public VornPluginObjectModifier
{
public:
    explicit TestModifier(std::string name) : name(std::move(name)) {}
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    platform::ToolbarButton* getButton() override { return &button; }
    VornModifier* activate(MAI_Doc*, VornModifier* record, uint32_t) override { return record; }
    void deactivate(MAI_Doc*) override {}
    const char* getToolCaption(int32_t) override { return name.c_str(); }
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable*) override {}
    void rebuildBase(VornModifier*) override {}
    void updateModifier(VornModifier*) override {}

    std::string name;
};

class EditPageTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        addCreators({&member, &joint});
        // Move and Rotate share the pagette of Scale.
        for (TestModifier* modifier : {&scale, &rotate, &move})
        {
            modifier->mai = &mai;
            modifier->module = thisModule();
            PluginManager::pushFront(mai.pluginLists.objectModifiers, modifier);
        }
        scale.package(&transform);
        scale.addPagette(&transform);
        rotate.linkModifier(&scale);
        move.linkModifier(&scale);
        add(createPlugin(0));
        console = static_cast<PluginMainConsoleDialog*>(registry.findPlugin("Dialog", "Main Console"));
        edit = add(new PluginMCPageEdit(testStaticPagettes));
        openConsole();
        window = static_cast<CMCPageEdit*>(edit->dialog());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->exists());
    }

    // The names of the pagettes shown in the holder, top to bottom as the stack shows them.
    std::vector<std::string> shownPagettes()
    {
        std::vector<std::string> names;
        for (platform::Window* child : window->pagettes.holder->children())
            if (child->style() & platform::WS_VISIBLE)
                names.push_back(nameOf(child));
        return names;
    }
    std::string nameOf(platform::Window* pagette)
    {
        for (VornPluginBase* entry = edit->staticPagettes; entry != nullptr; entry = entry->getNext())
            if (&static_cast<TestStaticPagette*>(entry)->window == pagette)
                return entry->getName();
        for (TestCreator* creator : {&joint, &member})
            for (auto& editPagette : creator->editPagetteObjects)
                if (&editPagette->window == pagette)
                    return editPagette->name;
        return pagette == &transform.window ? transform.name : "?";
    }

    TestCreator member{"Member", 122, 1};
    TestCreator joint{"Joint", 121, 2};
    TestModifier move{"Move"}, rotate{"Rotate"}, scale{"Scale"};
    TestModifierPagette transform{"Transform"};
    ModelDocument model{doc.document};
    PluginMCPageEdit* edit = nullptr;
    CMCPageEdit* window = nullptr;
};

TEST_F(EditPageTest, TheStaticPagettesReadSelectionSelectedModifiersHistoryAndStayShown)
{
    EXPECT_EQ(shownPagettes(), (std::vector<std::string>{"Selection", "Selected", "Modifiers", "History"}));
    // Below them, hidden: every creator's edit pagettes, then the modifiers' pagettes.
    std::vector<std::string> all;
    for (platform::Window* child : window->pagettes.holder->children())
        all.push_back(nameOf(child));
    EXPECT_EQ(all,
              (std::vector<std::string>{"Selection", "Selected", "Modifiers", "History", "Joint edit 1", "Joint edit 0",
                                        "Member edit 0", "Transform"}));
    // Each creator and modifier pagette starts a group of the page's Tab order.
    std::vector<platform::Window*> grouped = {&transform.window};
    for (TestCreator* creator : {&joint, &member})
        for (auto& editPagette : creator->editPagetteObjects)
            grouped.push_back(&editPagette->window);
    for (platform::Window* pagette : grouped)
        EXPECT_NE(pagette->style() & platform::WS_GROUP, 0u) << nameOf(pagette);
}

TEST_F(EditPageTest, CreatorAndModifierPagettesReplaceEachOtherBelowTheStaticOnes)
{
    const std::vector<std::string> statics = {"Selection", "Selected", "Modifiers", "History"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> names = statics;
        names.insert(names.end(), more.begin(), more.end());
        return names;
    };
    VornSelection* picked = doc.document.newSelection();
    VornModifier* first = model.modifiers->add();
    VornModifier* second = model.modifiers->add();

    window->showCreatorPagettes(&doc, picked, &joint);
    EXPECT_EQ(shownPagettes(), with({"Joint edit 1", "Joint edit 0"}));
    EXPECT_EQ(joint.editPagetteObjects[0]->updates, 1);

    window->showCreatorPagettes(&doc, picked, &joint);
    EXPECT_EQ(joint.editPagetteObjects[0]->updates, 2) << "the same creator only refreshes";

    window->showModifierPagettes(&doc, first, &scale);
    EXPECT_EQ(shownPagettes(), with({"Transform"}));
    EXPECT_EQ(transform.shownRecord, first);
    EXPECT_EQ(window->shownCreator, nullptr);

    // Rotate shares Scale's pagettes: they stay and take the record.
    window->showModifierPagettes(&doc, second, &rotate);
    EXPECT_EQ(window->shownModifier, &rotate);
    EXPECT_EQ(shownPagettes(), with({"Transform"}));
    EXPECT_EQ(transform.shownRecord, second);

    window->showModifierPagettes(&doc, first, nullptr);
    EXPECT_EQ(window->shownModifier, &rotate) << "no modifier shows nothing new";

    window->showCreatorPagettes(&doc, picked, &member);
    EXPECT_EQ(shownPagettes(), with({"Member edit 0"}));
    EXPECT_EQ(window->shownModifier, nullptr);

    window->showCreatorPagettes(&doc, picked, nullptr);
    EXPECT_EQ(shownPagettes(), statics);
    EXPECT_EQ(window->shownCreator, nullptr);
}

TEST_F(EditPageTest, EveryStaticPagetteIsAskedAndATakenPluginBecomesThePageTool)
{
    RecordingMenuItem tool("Tool");
    auto* second = static_cast<TestStaticPagette*>(edit->staticPagettes->getNext());
    second->taken = &tool;
    EXPECT_TRUE(edit->activatePlugin(&tool));
    EXPECT_EQ(edit->pageTool, &tool);
    for (VornPluginBase* entry = edit->staticPagettes; entry != nullptr; entry = entry->getNext())
        EXPECT_EQ(static_cast<TestStaticPagette*>(entry)->asked, 1) << entry->getName();
    RecordingMenuItem other("Other");
    EXPECT_FALSE(edit->activatePlugin(&other));
    EXPECT_EQ(edit->pageTool, &tool);
}

TEST(EditPagePackaging, TheLibrarysPagettesThatExistArePackagedInOrder)
{
    PluginMCPageEdit page(testStaticPagettes);
    std::vector<std::string> names;
    for (uint32_t index = 0;; ++index)
    {
        std::unique_ptr<VornPluginBase> packaged(page.GetPackagedPlugin(index));
        if (packaged == nullptr)
            break;
        names.push_back(packaged->getName());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"History", "Modifiers", "Selected", "Selection"}));
    const std::array<EditStaticPagetteMaker, 4> gaps = {nullptr, makeStaticPagette<modifiers>, nullptr,
                                                        makeStaticPagette<selection>};
    PluginMCPageEdit withGaps(gaps);
    std::unique_ptr<VornPluginBase> first(withGaps.GetPackagedPlugin(0));
    std::unique_ptr<VornPluginBase> second(withGaps.GetPackagedPlugin(1));
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(first->getName(), "Modifiers");
    EXPECT_STREQ(second->getName(), "Selection");
    EXPECT_EQ(withGaps.GetPackagedPlugin(2), nullptr);
}

// ---- View page ----

// A view type with a settings page of the test and a select-type menu item.
class TestViewType : public VornPluginViewBase
{
public:
    TestViewType(std::string name, uint32_t commandId) : name(std::move(name)), select(this->name + " select")
    {
        select.commandId = commandId;
        selectMenuItem = &select;
    }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override
    {
        dialogObject = &window;
        return requestWindow(TestTemplate::ViewTypePage);
    }
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override
    {
        return findOrMakeViewTypeInfo<ViewTypeInfo>(this, view, "TestViewType::getViewTypeInfo");
    }
    void draw(platform::DeviceContext*, ViewTypeInfo*) override {}
    void onMouse(MAI_View*, int32_t, int32_t, uint32_t) override {}
    bool activatePlugin(VornPluginBase* plugin) override { return plugin == taken; }
    bool shown() { return window.exists() && (window.style() & platform::WS_VISIBLE) != 0; }

    std::string name;
    RecordingMenuItem select;
    platform::Dialog window;
    VornPluginBase* taken = nullptr;
};

class ViewPageTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        for (TestViewType* viewType : {&perspective, &status, &openGl})
        {
            viewType->mai = &mai;
            viewType->module = thisModule();
            PluginManager::pushFront(mai.pluginLists.viewTypes, viewType);
        }
        addLibraryConsole();
        openConsole();
        viewPage = page<PluginMCPageView>("View Page");
        window = static_cast<CMCPageView*>(viewPage->dialog());
    }
    std::vector<std::string> comboItems()
    {
        std::vector<std::string> items;
        for (int item = 0; item < window->viewTypes.count(); ++item)
            items.push_back(window->viewTypes.itemText(item));
        return items;
    }
    std::string selectedItem()
    {
        const int item = window->viewTypes.curSel();
        return item < 0 ? "" : window->viewTypes.itemText(item);
    }

    TestViewType perspective{"Perspective", 0xB001}, status{"DevStatus", 0xB002}, openGl{"OpenGL", 0xB003};
    PluginMCPageView* viewPage = nullptr;
    CMCPageView* window = nullptr;
};

TEST_F(ViewPageTest, TheComboListsTheRegisteredViewTypesByNameWithNothingShownYet)
{
    EXPECT_EQ(comboItems(), (std::vector<std::string>{"DevStatus", "OpenGL", "Perspective"}));
    for (int item = 0; item < 3; ++item)
        EXPECT_STREQ(reinterpret_cast<VornPluginBase*>(window->viewTypes.itemData(item))->getName(),
                     window->viewTypes.itemText(item).c_str());
    EXPECT_EQ(selectedItem(), "");
    EXPECT_FALSE(perspective.shown() || status.shown() || openGl.shown());
}

TEST_F(ViewPageTest, TheViewTypesPagesFillThePageBelowTheCombo)
{
    window->setWindowPos(nullptr, 0, 0, 210, 300, platform::SWP_NOMOVE | platform::SWP_NOZORDER);
    processMessages();
    const platform::Rect client = window->clientRect();
    for (TestViewType* viewType : {&perspective, &status, &openGl})
        EXPECT_EQ(window->screenToClient(viewType->window.windowRect()),
                  (platform::Rect{client.left + 1, client.top + 30, client.right - 2, client.bottom - 2}))
            << viewType->name;
}

TEST_F(ViewPageTest, BringingAViewTypeForwardSelectsItSilentlyAndShowsOnlyItsPage)
{
    EXPECT_FALSE(viewPage->activatePlugin(&openGl)) << "the console stays on its tab";
    EXPECT_EQ(selectedItem(), "OpenGL");
    EXPECT_TRUE(openGl.shown());
    EXPECT_FALSE(perspective.shown() || status.shown());
    EXPECT_TRUE(mai.posted.empty()) << "a selection made by the page posts no command";

    viewPage->activatePlugin(&perspective);
    EXPECT_EQ(selectedItem(), "Perspective");
    EXPECT_TRUE(perspective.shown());
    EXPECT_FALSE(openGl.shown());
    EXPECT_TRUE(mai.posted.empty());
}

TEST_F(ViewPageTest, TheUsersChoicePostsTheViewTypesSelectCommand)
{
    window->viewTypes.setCurSel(window->viewTypes.findStringExact(-1, "DevStatus"));
    window->sendMessage(platform::WM_COMMAND,
                        platform::makeWParam(ConsoleControl::ViewTypeCombo, platform::CBN_SELCHANGE), 0);
    EXPECT_EQ(mai.posted, (std::vector<uint32_t>{0xB002}));
    EXPECT_FALSE(status.shown()) << "the switch comes back through the view type";

    status.selectMenuItem = nullptr;
    window->sendMessage(platform::WM_COMMAND,
                        platform::makeWParam(ConsoleControl::ViewTypeCombo, platform::CBN_SELCHANGE), 0);
    EXPECT_EQ(mai.posted.size(), 1u) << "a view type without a select item posts nothing";
}

TEST_F(ViewPageTest, OtherPluginsGoToTheActiveViewsType)
{
    RecordingMenuItem tool("Tool");
    EXPECT_FALSE(viewPage->activatePlugin(&tool)) << "the active view shows no type yet";
    perspective.getViewTypeInfo(&view);
    perspective.taken = &tool;
    RecordingMenuItem current("Current");
    perspective.currentTool = &current;
    EXPECT_TRUE(viewPage->activatePlugin(&tool));
    EXPECT_EQ(viewPage->pageTool, &current);
    perspective.taken = nullptr;
    EXPECT_FALSE(viewPage->activatePlugin(&tool));
}

// ---- Keyboard ----

TEST_F(CreatePageTest, TabRunsFromTheTabControlThroughEveryPagetteAndBack)
{
    TestCreator two("Two", 121, 2);
    openWith({&two});
    window->activateCreator(&two);
    auto* console = static_cast<CMainConsole*>(this->console->dialog());
    console->tabs.setFocus();
    processMessages();
    auto press = [](uint32_t flags) {
        platform::Window* focus = platform::Window::focus();
        platform::simulateKey(focus->handle(), "Tab", true, flags);
        platform::simulateKey(focus->handle(), "Tab", false, flags);
        processMessages();
        return platform::Window::focus();
    };
    const std::vector<platform::Window*> forward = {
        two.createPagetteObjects[1]->window.dlgItem(pagetteFirstEdit),
        two.createPagetteObjects[1]->window.dlgItem(pagetteSecondEdit),
        two.createPagetteObjects[0]->window.dlgItem(pagetteFirstEdit),
        two.createPagetteObjects[0]->window.dlgItem(pagetteSecondEdit),
        &console->tabs,
    };
    for (platform::Window* expected : forward)
        EXPECT_EQ(press(0), expected) << "Tab";
    for (auto step = forward.rbegin() + 1; step != forward.rend(); ++step)
        EXPECT_EQ(press(platform::MK_SHIFT), *step) << "Shift+Tab";
    EXPECT_EQ(press(platform::MK_SHIFT), &console->tabs) << "Shift+Tab";
}

} // namespace
