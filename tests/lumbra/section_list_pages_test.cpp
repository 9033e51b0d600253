// The console's CrossSections and Materials pages on the shared model: New, Delete, Rename and
// Apply to Selection as the user presses them, and what the tree and the buttons show.

#include "Lumbra/Console/PropertyListDialog.h"
#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/Console/PropertyListTabs.h"
#include "uikit/PropertyColumns.h"
#include "Lumbra/Console/SectionListPage.h"
#include "Lumbra/Console/SelectPropertyDialog.h"
#include "Lumbra/LumbraLibrary.h"
#include "platform/Resources.h"
#include "VornData/ObjectChangeNotice.h"
#include "Lumbra/SectionPages/PageSupport.h"
#include "Lumbra/SectionPages/SectionPageTemplates.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/qt/WindowState.h"
#include "tests/lumbra/ConsoleTestSupport.h"
#include "tests/support/HeldLock.h"

#include <QWidget>

#include <algorithm>

using namespace lumbra;
using platform::TreeItem;

namespace
{

TEST(MakeRandomColor, TheDrawnNumberChoosesTheRotationAndTheTwoSharedChannels)
{
    const struct
    {
        int32_t drawn;
        uint32_t colour;
    } cases[] = {
        {0x000, 0x40E060}, // red 0x60, green 0xE0
        {0x17F, 0x61DF40}, // green 0xDF, blue 0x61
        {0x27F, 0xDF4061}, // blue 0xDF, red 0x61
        {0x37F, 0xDF4061}, // the third rotation also for 3
        {0x7FFF, 0xDF4061},
    };
    for (const auto& c : cases)
        EXPECT_EQ(makeRandomColor([&] { return c.drawn; }), c.colour) << std::hex << c.drawn;
}

TEST(MakeRandomColor, TheProgramsGeneratorGivesColoursOfTheSameShapeWithoutFlags)
{
    for (int draw = 0; draw < 50; ++draw)
    {
        const uint32_t colour = makeRandomColor();
        const uint32_t red = colour & 0xFF;
        const uint32_t green = (colour >> 8) & 0xFF;
        const uint32_t blue = (colour >> 16) & 0xFF;
        EXPECT_EQ(colour >> 24, 0u);
        EXPECT_EQ(red + green + blue, 0x140u + 0x40u) << std::hex << colour;
        EXPECT_TRUE(red == 0x40 || green == 0x40 || blue == 0x40) << std::hex << colour;
    }
}

// A new current selection of the named members and joints, announced on "SELCH".
void selectAndAnnounce(MAI& mai, ModelDocument& model, const std::vector<const char*>& names)
{
    VornSelection* selection = model.document->newSelection();
    for (const char* name : names)
    {
        VornSelectable* picked = model.named<VornMember>(name);
        if (picked == nullptr)
            picked = model.named<VornJoint>(name);
        selection->add(picked);
    }
    mai.notifierRegistry.notify(Channel::SelectionChanged, nullptr);
}

class SectionListPageTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        buildSharedModel(model);
        registerSectionPageTemplates();
        addLibraryConsole();
        openConsole();
        sections = page<PluginMCPageCrossSections>("CrossSections Page");
        materials = page<PluginMCPageMaterials>("Materials Page");
        ASSERT_NE(sections, nullptr);
        ASSERT_NE(materials, nullptr);
        mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
        processMessages();
    }

    CMCPageCrossSections& sectionWindow() { return *sections->window(); }
    CMCPageMaterials& materialWindow() { return *materials->window(); }

    template <class Window>
    std::vector<std::string> treeTexts(Window& window)
    {
        std::vector<std::string> texts;
        for (TreeItem item = window.tree.rootItem(); item != TreeItem::None; item = window.tree.nextSibling(item))
            texts.push_back(window.tree.itemText(item));
        return texts;
    }

    template <class Window>
    TreeItem itemNamed(Window& window, const std::string& name)
    {
        for (TreeItem item = window.tree.rootItem(); item != TreeItem::None; item = window.tree.nextSibling(item))
            if (window.tree.itemText(item) == name)
                return item;
        return TreeItem::None;
    }

    template <class Window>
    bool enabled(Window& window, int32_t id)
    {
        return window.dlgItem(id)->isEnabled();
    }

    template <class Window>
    void press(Window& window, int32_t id)
    {
        window.onCommand(static_cast<uint32_t>(id), platform::BN_CLICKED, platform::WindowHandle::None);
        processMessages();
    }

    // Ends a label edit as Enter would, with the text typed.
    template <class Window>
    void finishEdit(Window& window, const std::string& text)
    {
        window.tree.setEditText(text);
        window.tree.endEditLabelNow(false);
        processMessages();
    }

    VornCrossSection* addSection(const char* name)
    {
        VornCrossSection* section = model.crossSections->add();
        section->name.set(model.strings(), name);
        return section;
    }

    void changeSelection(const std::vector<const char*>& names) { selectAndAnnounce(mai, model, names); }

    ModelDocument model{doc.document};
    PluginMCPageCrossSections* sections = nullptr;
    PluginMCPageMaterials* materials = nullptr;
};

// The pagettes of a page as they show: each lies inside the page's pagette holder, and of its
// controls that show, each lies inside the pagette and none covers another (the frame button,
// laid over the whole pagette, is its background). Returns how many controls were checked.
int expectPagettesShowWhole(platform::Window& holder)
{
    int checked = 0;
    const QRect holderArea = holder.state()->widget->rect();
    for (const platform::WindowState* pagette : holder.state()->children)
    {
        if (!pagette->widget->isVisible())
            continue;
        const QRect pagetteArea = pagette->widget->geometry();
        EXPECT_TRUE(holderArea.contains(QRect(0, 0, pagetteArea.width(), 1)))
            << "pagette " << pagette->id << " is " << pagetteArea.width() << " wide, the holder " << holderArea.width();
        std::vector<const platform::WindowState*> shown;
        for (const platform::WindowState* control : pagette->children)
            if (control->widget->isVisible() && control->widget->geometry() != QRect(QPoint(0, 0), pagetteArea.size()))
                shown.push_back(control);
        for (size_t index = 0; index < shown.size(); ++index)
        {
            ++checked;
            const platform::WindowState* control = shown[index];
            const QRect area = control->widget->geometry();
            EXPECT_TRUE(QRect(QPoint(0, 0), pagetteArea.size()).contains(area))
                << "control " << control->id << " at " << area.x() << "," << area.y() << " size " << area.width()
                << " x " << area.height() << " in a pagette of " << pagetteArea.width() << " x "
                << pagetteArea.height();
            for (size_t later = index + 1; later < shown.size(); ++later)
                EXPECT_FALSE(area.intersects(shown[later]->widget->geometry()))
                    << "controls " << control->id << " and " << shown[later]->id << " overlap";
        }
    }
    return checked;
}

// At the width the console has when docked, the pagettes of both pages show whole: on the
// CrossSections page before a cross-section is chosen and with every shape's rows, and on the
// Materials page.
TEST_F(SectionListPageTest, AtTheDockedWidthThePagettesShowWholeWithNoControlOverAnother)
{
    auto* window = static_cast<CMainConsole*>(console->dialog());
    PluginShapeHBeam hBeam;
    PluginShapeRectangle rectangle;
    PluginShapeTube tube;
    VornCrossSection* box = model.named<VornCrossSection>("Box");
    window->selectTab(3);
    processMessages();
    ASSERT_TRUE(sectionWindow().isVisible());
    // Before a cross-section is chosen: the properties and the text without parameters.
    EXPECT_EQ(expectPagettesShowWhole(*sectionWindow().pagetteHost.pagetteParent()->getWnd()), 20);
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Box"));
    processMessages();
    ASSERT_EQ(model.crossSections->current, box);
    for (VornPluginShape* shape : {static_cast<VornPluginShape*>(&hBeam), static_cast<VornPluginShape*>(&rectangle),
                                   static_cast<VornPluginShape*>(&tube)})
    {
        SCOPED_TRACE(shape->getName());
        shape->mai = &mai;
        shape->applyToCrossSection(box);
        sendObjectChange(&mai, Channel::CrossSectionsChanged, box, &box->shape);
        processMessages();
        ASSERT_TRUE(sectionWindow().isVisible());
        // The properties' rows, and the shape's rows or its text without parameters.
        EXPECT_GE(expectPagettesShowWhole(*sectionWindow().pagetteHost.pagetteParent()->getWnd()), 18);
    }
    window->selectTab(2);
    materialWindow().tree.selectItem(itemNamed(materialWindow(), "Steel"));
    processMessages();
    ASSERT_TRUE(materialWindow().isVisible());
    EXPECT_EQ(expectPagettesShowWhole(*materialWindow().pagetteHost.pagetteParent()->getWnd()), 14);
}

TEST_F(SectionListPageTest, TheConsoleShowsBothPagesInTheLibrarysTabOrder)
{
    EXPECT_EQ(tabNames(),
              (std::vector<std::string>{"Create Page", "Edit Page", "Materials Page", "CrossSections Page", "View Page"}));
    EXPECT_EQ(treeTexts(sectionWindow()), (std::vector<std::string>{"Box"}));
    EXPECT_EQ(treeTexts(materialWindow()), (std::vector<std::string>{"Steel"}));
}

TEST_F(SectionListPageTest, NewThreeTimesNumbersTheNamesAndLeavesTheLastInLabelEditing)
{
    ChannelLog log(mai, {Channel::CrossSectionsChanged});
    const TreeItem box = itemNamed(sectionWindow(), "Box");
    for (int press_ = 0; press_ < 3; ++press_)
    {
        press(sectionWindow(), SectionListControl::New);
        if (sectionWindow().tree.isEditingLabel())
            sectionWindow().tree.endEditLabelNow(true);
    }
    EXPECT_EQ(namesOf(model.crossSections),
              (std::vector<std::string>{"Box", "New Cross-section", "New Cross-section001", "New Cross-section002"}));
    EXPECT_EQ(treeTexts(sectionWindow()),
              (std::vector<std::string>{"Box", "New Cross-section", "New Cross-section001", "New Cross-section002"}));
    // Each New announced the list as a whole, and the page did not rebuild its own tree on it:
    // the item made before is still the same item.
    EXPECT_EQ(log.heard.size(), 3u);
    EXPECT_TRUE(std::all_of(log.payloads.begin(), log.payloads.end(), [](void* p) { return p == nullptr; }));
    EXPECT_EQ(sectionWindow().tree.itemText(box), "Box");
    VornCrossSection* last = model.named<VornCrossSection>("New Cross-section002");
    EXPECT_EQ(model.crossSections->current, last);
    EXPECT_EQ(last->colorAndFlags >> 24, 0u);
    EXPECT_EQ(sectionWindow().tree.itemData(sectionWindow().tree.selectedItem()), reinterpret_cast<intptr_t>(last));
}

TEST_F(SectionListPageTest, NewMaterialSkipsTheNamesTaken)
{
    for (const char* taken : {" default", "New Material"})
        model.materials->add()->name.set(model.strings(), taken);
    mai.notifierRegistry.notify(Channel::MaterialsChanged, nullptr);
    press(materialWindow(), SectionListControl::New);
    EXPECT_TRUE(materialWindow().tree.isEditingLabel());
    finishEdit(materialWindow(), "Concrete");
    EXPECT_EQ(namesOf(model.materials), (std::vector<std::string>{" default", "Concrete", "New Material", "Steel"}));
    EXPECT_EQ(treeTexts(materialWindow()),
              (std::vector<std::string>{" default", "Concrete", "New Material", "Steel"}));
}

TEST_F(SectionListPageTest, RenameNamesTheElementAndAnnouncesItsNameSoTheListenersRefreshIt)
{
    ChannelLog log(mai, {Channel::CrossSectionsChanged});
    VornCrossSection* box = model.named<VornCrossSection>("Box");
    VornCrossSection* other = addSection("Tube 40");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    log.heard.clear();
    log.payloads.clear();
    const TreeItem item = itemNamed(sectionWindow(), "Box");
    sectionWindow().tree.selectItem(item);
    press(sectionWindow(), crossSectionListKind().renameId);
    ASSERT_TRUE(sectionWindow().tree.isEditingLabel());
    EXPECT_TRUE(mai.notifierRegistry.getNotifier(Channel::EnterKey)->hasListeners());
    // Another element's name is accepted as it is.
    finishEdit(sectionWindow(), "Tube 40");
    EXPECT_STREQ(box->name.getText(), "Tube 40");
    EXPECT_STREQ(other->name.getText(), "Tube 40");
    ASSERT_EQ(log.payloads.size(), 1u);
    EXPECT_NE(log.payloads[0], nullptr);
    EXPECT_FALSE(mai.notifierRegistry.getNotifier(Channel::EnterKey)->hasListeners());
    // A cancelled edit changes nothing.
    press(sectionWindow(), crossSectionListKind().renameId);
    sectionWindow().tree.setEditText("ignored");
    sectionWindow().tree.endEditLabelNow(true);
    EXPECT_STREQ(box->name.getText(), "Tube 40");
    EXPECT_EQ(log.payloads.size(), 1u);
}

TEST_F(SectionListPageTest, DeleteMovesTheChoiceToTheNextSiblingElseThePreviousElseNone)
{
    addSection("C");
    addSection("A");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    const struct
    {
        const char* deleted;
        const char* chosenAfter; // null: none
        std::vector<std::string> left;
    } steps[] = {
        {"Box", "C", {"A", "C"}}, // the next sibling in the sorted tree
        {"C", "A", {"A"}}, // the last item: the previous one
        {"A", nullptr, {}}, // the only item: none
    };
    for (const auto& step : steps)
    {
        const TreeItem before = itemNamed(sectionWindow(), step.left.empty() ? "A" : step.left.front());
        sectionWindow().tree.selectItem(itemNamed(sectionWindow(), step.deleted));
        press(sectionWindow(), crossSectionListKind().deleteId);
        EXPECT_EQ(treeTexts(sectionWindow()), step.left) << step.deleted;
        EXPECT_EQ(namesOf(model.crossSections), step.left) << step.deleted;
        VornCrossSection* current = model.crossSections->current;
        EXPECT_STREQ(current != nullptr ? current->name.getText() : nullptr, step.chosenAfter) << step.deleted;
        // The page's own listener rebuilt the tree after the removal.
        EXPECT_TRUE(step.left.empty() || sectionWindow().tree.itemText(before).empty()) << step.deleted;
    }
    for (int32_t id : {crossSectionListKind().deleteId, crossSectionListKind().renameId, crossSectionListKind().applyId})
        EXPECT_FALSE(enabled(sectionWindow(), id)) << id;
}

TEST_F(SectionListPageTest, DeleteDoesNothingWhenTheSelectedItemIsNotTheCurrentElement)
{
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Box"));
    model.crossSections->current = addSection("Other");
    press(sectionWindow(), crossSectionListKind().deleteId);
    EXPECT_EQ(namesOf(model.crossSections), (std::vector<std::string>{"Box", "Other"}));
}

TEST_F(SectionListPageTest, ApplyToSelectionIsEnabledExactlyWhenItWouldChangeSomething)
{
    VornCrossSection* box = model.named<VornCrossSection>("Box");
    VornCrossSection* tube = addSection("Tube");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    const struct
    {
        const char* chosen;
        std::vector<const char*> selected;
        VornCrossSection* m2Section; // given to M2 before the selection
        bool enabled;
    } cases[] = {
        {"Box", {"M1", "M2"}, box, false}, // every member has it already
        {"Tube", {"M1", "M2"}, box, true},
        {"Box", {"M1", "M2"}, tube, true}, // one member has another
        {"Box", {"J1", "J2"}, box, false}, // nothing can take a cross-section
        {"Box", {"J1", "M2"}, tube, true}, // the joint is passed over
        {"Box", {}, tube, false},
    };
    for (const auto& c : cases)
    {
        model.named<VornMember>("M1")->setCrossSection(box);
        model.named<VornMember>("M2")->setCrossSection(c.m2Section);
        sectionWindow().tree.selectItem(itemNamed(sectionWindow(), c.chosen));
        changeSelection(c.selected);
        EXPECT_EQ(enabled(sectionWindow(), crossSectionListKind().applyId), c.enabled) << c.chosen << " "
                                                                                       << c.selected.size();
    }
}

TEST_F(SectionListPageTest, ApplyLinksEverySelectedMemberAnnouncesItAndEndsDisabled)
{
    ChannelLog log(mai, {Channel::AppliedToSelection});
    VornCrossSection* tube = addSection("Tube");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Tube"));
    changeSelection({"J1", "M1", "M2"});
    ASSERT_TRUE(enabled(sectionWindow(), crossSectionListKind().applyId));
    press(sectionWindow(), crossSectionListKind().applyId);
    for (const char* name : {"M1", "M2"})
        EXPECT_EQ(model.named<VornMember>(name)->getCrossSection(), tube) << name;
    EXPECT_EQ(log.payloads, (std::vector<void*>{tube}));
    EXPECT_FALSE(enabled(sectionWindow(), crossSectionListKind().applyId));
    // Choosing another element enables it again.
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Box"));
    EXPECT_TRUE(enabled(sectionWindow(), crossSectionListKind().applyId));
}

// ---- Select Material and Select CrossSection ----

class SelectPropertyDialogTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        buildSharedModel(model);
        top.create("Window", "selectors", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {20, 20, 420, 220},
                   nullptr);
        topHandle.attach(&top);
        for (VornPlugin* plugin : {makeSelectMaterialDialog(), makeSelectCrossSectionDialog()})
        {
            plugins.emplace_back(plugin);
            plugin->mai = &mai;
            plugin->module = thisModule();
            plugin->getName();
            auto* dialog = static_cast<LumbraDialogPlugin*>(plugin);
            mai.createPluginWindow(dialog->getWindowRequest(), &topHandle);
        }
        materials = static_cast<PluginDialogSelectMaterial*>(plugins[0].get());
        sections = static_cast<PluginDialogSelectCrossSection*>(plugins[1].get());
        mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
        processMessages();
    }

    platform::ComboBox& materialCombo() { return materials->window()->combo; }
    platform::ComboBox& sectionCombo() { return sections->window()->combo; }

    void changeSelection(const std::vector<const char*>& names) { selectAndAnnounce(mai, model, names); }

    std::string shownText(platform::ComboBox& combo)
    {
        return combo.curSel() < 0 ? std::string("(none)") : combo.itemText(combo.curSel());
    }

    template <class Window>
    void choose(Window& window, const VornBaseObject* object)
    {
        window.onCommand(selectComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
        window.combo.setCurSel(window.itemOf(object));
        window.onCommand(selectComboId, platform::CBN_SELCHANGE, platform::WindowHandle::None);
        processMessages();
    }

    VornMaterial* addMaterial(const char* name)
    {
        VornMaterial* material = model.materials->add();
        material->name.set(model.strings(), name);
        mai.notifierRegistry.notify(Channel::MaterialsChanged, nullptr);
        return material;
    }

    ModelDocument model{doc.document};
    std::vector<std::unique_ptr<VornPlugin>> plugins;
    PluginDialogSelectMaterial* materials = nullptr;
    PluginDialogSelectCrossSection* sections = nullptr;
};

TEST_F(SelectPropertyDialogTest, MembersWithDifferentMaterialsShowNoneAndChoosingAssignsToAll)
{
    ChannelLog log(mai, {Channel::AppliedToSelection});
    VornMaterial* steel = model.named<VornMaterial>("Steel");
    VornMaterial* wood = addMaterial("Wood");
    model.named<VornMember>("M2")->setMaterial(wood);
    changeSelection({"J1", "M1", "M2"});
    EXPECT_TRUE(materialCombo().isEnabled());
    EXPECT_EQ(shownText(materialCombo()), "(none)");
    choose(*materials->window(), wood);
    for (const char* name : {"M1", "M2"})
        EXPECT_EQ(model.named<VornMember>(name)->getMaterial(), wood) << name;
    EXPECT_EQ(log.payloads, (std::vector<void*>{wood}));
    EXPECT_EQ(shownText(materialCombo()), "Wood");
    EXPECT_EQ(materialCombo().count(), 2);
    (void)steel;
}

TEST_F(SelectPropertyDialogTest, TheBarsTitlePictureIsOneOfTheLibrarysBitmaps)
{
    for (VornPluginDialog* dialog : {static_cast<VornPluginDialog*>(materials), static_cast<VornPluginDialog*>(sections)})
    {
        const int32_t bitmap = dialog->getDockInfo(DockInfo::TitleBitmap);
        ASSERT_GT(bitmap, 0);
        const platform::BitmapResource* picture = platform::findBitmapResource(lumbra::thisModule(), bitmap);
        ASSERT_NE(picture, nullptr) << bitmap;
        EXPECT_EQ(picture->width, 16);
    }
}

TEST_F(SelectPropertyDialogTest, WhatTheComboShowsForASelection)
{
    const struct
    {
        std::vector<const char*> selected;
        bool enabled;
        const char* shown;
    } cases[] = {
        {{"M1", "M2"}, true, "Steel"}, // both members share it
        {{"J1", "J2"}, false, "(none)"}, // nothing accepts a material
        {{}, false, "(none)"},
        {{"M1"}, true, "Steel"},
    };
    for (const auto& c : cases)
    {
        changeSelection(c.selected);
        EXPECT_EQ(materialCombo().isEnabled(), c.enabled) << c.selected.size();
        EXPECT_EQ(shownText(materialCombo()), c.shown) << c.selected.size();
        EXPECT_EQ(sectionCombo().isEnabled(), c.enabled) << c.selected.size();
    }
}

TEST_F(SelectPropertyDialogTest, TwoMaterialsOfTheSameNameAreToldApartByTheirItems)
{
    VornMaterial* steel = model.named<VornMaterial>("Steel");
    VornMaterial* twin = addMaterial("Steel");
    model.named<VornMember>("M1")->setMaterial(twin);
    model.named<VornMember>("M2")->setMaterial(twin);
    changeSelection({"M1", "M2"});
    materials->window()->onCommand(selectComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    ASSERT_EQ(materialCombo().count(), 2);
    EXPECT_EQ(materialCombo().itemData(materialCombo().curSel()), reinterpret_cast<intptr_t>(twin));
    choose(*materials->window(), steel);
    EXPECT_EQ(model.named<VornMember>("M1")->getMaterial(), steel);
    EXPECT_EQ(materialCombo().itemData(materialCombo().curSel()), reinterpret_cast<intptr_t>(steel));
}

TEST_F(SelectPropertyDialogTest, RenamingTheShownMaterialShowsTheNewNameStillChosen)
{
    VornMaterial* steel = model.named<VornMaterial>("Steel");
    addMaterial("Wood");
    changeSelection({"M1", "M2"});
    materials->window()->onCommand(selectComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    steel->name.set(model.strings(), "Alloy");
    ObjectChangeNotice notice{steel, &steel->name};
    mai.notifierRegistry.notify(Channel::MaterialsChanged, &notice);
    EXPECT_EQ(shownText(materialCombo()), "Alloy");
    EXPECT_EQ(materialCombo().count(), 2);
}

TEST_F(SelectPropertyDialogTest, WhileACreatorIsActiveChoosingSetsWhatNewMembersGetAndNoExistingMember)
{
    VornCrossSection* box = model.named<VornCrossSection>("Box");
    VornCrossSection* tube = model.crossSections->add();
    tube->name.set(model.strings(), "Tube");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    changeSelection({"M1"});
    doc.setEditState(1);
    mai.notifierRegistry.notify(Channel::EditStateChanged, nullptr);
    EXPECT_TRUE(sectionCombo().isEnabled());
    choose(*sections->window(), tube);
    EXPECT_EQ(doc.creationCrossSection.get(), tube);
    EXPECT_EQ(model.named<VornMember>("M1")->getCrossSection(), box);
    mai.notifierRegistry.notify(Channel::EditStateChanged, nullptr);
    EXPECT_EQ(shownText(sectionCombo()), "Tube");
}


TEST_F(SelectPropertyDialogTest, AnotherDocumentIsShownFromItsOwnMaterialsAndNoneDisablesTheCombo)
{
    changeSelection({"M1", "M2"});
    ASSERT_TRUE(materialCombo().isEnabled());
    // A second document whose members have no material and whose material list is empty.
    CountingDoc other{&mai};
    ModelDocument otherModel{other.document};
    otherModel.addJoint("K1", 0, 0, 0);
    otherModel.addJoint("K2", 1, 0, 0);
    otherModel.addMember("N1", "K1", "K2");
    mai.activeDocument = &other;
    mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
    selectAndAnnounce(mai, otherModel, {"N1"});
    EXPECT_FALSE(materialCombo().isEnabled()) << "no material to choose";
    EXPECT_EQ(shownText(materialCombo()), "(none)");
    // Back in the first document, the next drop-down lists its materials again.
    mai.activeDocument = &doc;
    mai.notifierRegistry.notify(Channel::ActiveDocumentChanged, nullptr);
    addMaterial("Wood");
    changeSelection({"M1"});
    materials->window()->onCommand(selectComboId, platform::CBN_DROPDOWN, platform::WindowHandle::None);
    EXPECT_EQ(materialCombo().count(), 2);
    EXPECT_EQ(shownText(materialCombo()), "Steel");
}

// ---- the document lock ----

TEST_F(SectionListPageTest, NewDeleteAndApplyWaitForTheModelAndChangeNothingWhenAborted)
{
    sections->lockTimeout = std::chrono::milliseconds(5);
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Box"));
    addSection("Tube");
    mai.notifierRegistry.notify(Channel::CrossSectionsChanged, nullptr);
    sectionWindow().tree.selectItem(itemNamed(sectionWindow(), "Tube"));
    changeSelection({"M1", "M2"});
    ASSERT_TRUE(enabled(sectionWindow(), crossSectionListKind().applyId));
    ChannelLog log(mai, {Channel::CrossSectionsChanged, Channel::AppliedToSelection});
    for (const auto& [operation, id] : std::vector<std::pair<std::string, int32_t>>{
             {"New", SectionListControl::New},
             {"Delete", crossSectionListKind().deleteId},
             {"Apply to Selection", crossSectionListKind().applyId}})
    {
        mai.boxes.clear();
        mai.answers = {platform::IDABORT};
        {
            HeldLock calculation(doc.lock);
            press(sectionWindow(), id);
        }
        ASSERT_EQ(mai.boxes.size(), 1u) << operation;
        EXPECT_EQ(mai.boxes[0].text, documentLockWaitingText(operation));
        EXPECT_EQ(namesOf(model.crossSections), (std::vector<std::string>{"Box", "Tube"})) << operation;
        EXPECT_STREQ(model.named<VornMember>("M1")->getCrossSection()->name.getText(), "Box") << operation;
        EXPECT_TRUE(log.heard.empty()) << operation;
    }
}

TEST_F(SelectPropertyDialogTest, ChoosingWaitsForTheModelAndChangesNothingWhenAborted)
{
    materials->lockTimeout = std::chrono::milliseconds(5);
    VornMaterial* wood = addMaterial("Wood");
    changeSelection({"M1", "M2"});
    ChannelLog log(mai, {Channel::AppliedToSelection});
    mai.answers = {platform::IDABORT};
    {
        HeldLock calculation(doc.lock);
        choose(*materials->window(), wood);
    }
    ASSERT_EQ(mai.boxes.size(), 1u);
    EXPECT_EQ(mai.boxes[0].text, documentLockWaitingText("Select Material"));
    EXPECT_EQ(model.named<VornMember>("M1")->getMaterial()->name.getString(), std::string("Steel"));
    EXPECT_TRUE(log.heard.empty());
    EXPECT_EQ(shownText(materialCombo()), "Steel") << "the combo shows the members' material again";
}

} // namespace

// ---- property list tabs ----

namespace
{

class PropertyListTabs : public SharedModel
{
};

TEST_F(PropertyListTabs, ATabPerListedTypeAndOneForTheBaseThatJoinsDifferentTypes)
{
    const int32_t joint = VornJoint::staticTypeID();
    const int32_t member = VornMember::staticTypeID();
    const int32_t group = VornGroup::staticTypeID();
    const struct
    {
        std::vector<int32_t> listed;
        std::vector<std::string> tabs;
    } cases[] = {
        {{joint, joint}, {"Joint"}},
        {{joint, member, member}, {"Modifiable", "Member", "Joint"}},
        {{member, group}, {"Modifiable", "Group", "Member"}},
        {{}, {}},
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> names;
        for (int32_t id : propertyListTabTypes(*getTypeIDManager(), c.listed))
            names.push_back(getTypeIDManager()->getName(id));
        EXPECT_EQ(names, c.tabs) << c.listed.size();
    }
}

} // namespace

namespace
{

class PropertyListDialogTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        buildSharedModel(model);
        top.create("Window", "property list", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                   {20, 20, 720, 220}, nullptr);
        topHandle.attach(&top);
        plugin.reset(static_cast<PluginDialogPropertyList*>(makePropertyListDialog()));
        plugin->mai = &mai;
        plugin->module = thisModule();
        plugin->getName();
        mai.createPluginWindow(plugin->getWindowRequest(), &topHandle);
        processMessages();
    }

    // Lists the named objects and announces it, as the add-to-property-list command does.
    void list(std::initializer_list<const char*> names)
    {
        VornSelection* listed = doc.document.getPropertyListSelection();
        for (const char* name : names)
        {
            VornSelectable* object = model.named<VornMember>(name);
            listed->add(object != nullptr ? object : model.named<VornJoint>(name));
        }
        mai.notifierRegistry.notify(Channel::PropertyListChanged, nullptr);
    }

    std::vector<std::string> tabTexts()
    {
        std::vector<std::string> texts;
        for (int tab = 0; tab < plugin->window()->tabs.itemCount(); ++tab)
            texts.push_back(plugin->window()->tabs.itemText(tab));
        return texts;
    }

    ModelDocument model{doc.document};
    std::unique_ptr<PluginDialogPropertyList> plugin;
};

TEST_F(PropertyListDialogTest, TabsAndRowsFollowTheListedObjects)
{
    list({"J1", "J2"});
    EXPECT_EQ(tabTexts(), (std::vector<std::string>{"Joint"}));
    EXPECT_EQ(plugin->window()->list.getCount(), 2);
    list({"M1"});
    EXPECT_EQ(tabTexts(), (std::vector<std::string>{"Modifiable", "Member", "Joint"}));
    // The type shown stays while it has a tab.
    EXPECT_EQ(currentProplistType, VornJoint::staticTypeID());
    EXPECT_EQ(plugin->window()->list.getCount(), 2);
    plugin->window()->tabs.setCurSel(0);
    platform::NotifyHeader tabChange{plugin->window()->tabs.handle(), CDialogPropertyList::tabsId, platform::TCN_SELCHANGE};
    plugin->window()->sendMessage(platform::WM_NOTIFY, CDialogPropertyList::tabsId,
                                  reinterpret_cast<platform::LParam>(&tabChange));
    EXPECT_EQ(plugin->window()->list.getCount(), 3);
}

} // namespace
