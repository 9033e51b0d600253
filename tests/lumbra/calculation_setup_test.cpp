// The calculation setup dialog in a bar, with the four calculators' pages filed under it by the
// registry, driven by notifications, typing and clicks.
#include "Lumbra/Calculators/CalculationSetupDialog.h"
#include "Lumbra/Calculators/CalculatorSetupPages.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/LumbraMenuItem.h"
#include "Lumbra/LumbraPlugins.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/InputSimulation.h"
#include "plugins/PluginManager.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/support/Structures.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>

using namespace lumbra;
using namespace std::chrono_literals;
using platform::BST_CHECKED;
using platform::BST_UNCHECKED;

namespace
{

// Windows of the library's dialogs made the way the host makes them: by the library's factory.
class WindowMAI : public ScriptedMAI
{
public:
    PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) override
    {
        PluginWindowHandle* handle = makePluginWindow(parent, request, lumbra::windowTable, lumbra::makeWindowHandle);
        if (handle != nullptr)
            handles.emplace_back(handle);
        return handle;
    }

    std::vector<std::unique_ptr<PluginWindowHandle>> handles;
};

// Three joints hanging from two supports by two bars, loaded at the free joint.
Structure hangingPair()
{
    Structure truss;
    const uint8_t held = JointSupport::TranslationX | JointSupport::TranslationY | JointSupport::TranslationZ;
    truss.addJoint(-1, 0, 0, held);
    truss.addJoint(1, 0, 0, held);
    truss.addJoint(0, 0, -1, JointSupport::TranslationY, Vector3(10, 0, -20));
    truss.addMember(0, 2);
    truss.addMember(2, 1);
    truss.section.density = 100;
    return truss;
}

enum Calculator
{
    Basic,
    AutoBasic,
    Velocity,
    Full
};

std::string shown(double value)
{
    return platform::formatDouble(value);
}

std::string printed(const char* format, double value)
{
    std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, format, value)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, value);
    return text;
}

class SetupDialog : public ::testing::Test
{
public:
    void SetUp() override
    {
        platformApplication();
        registerCalculationSetupTemplates();
        mai.activeDocument = &doc;
        registry.addPluginType(&mai.pluginLists.dialogs, "Dialog", nullptr);
        registry.addPluginType(&mai.pluginLists.calculators, "Calculator", nullptr);
        dialog = adopt(new PluginCalculationSetupDialog);
        calculators[Basic] = adopt(new PluginCalculatorBasicIterator);
        calculators[AutoBasic] = adopt(new PluginCalculatorAutoBasicIterator);
        calculators[Velocity] = adopt(new PluginCalculatorVelocityIterator);
        calculators[Full] = adopt(new PluginCalculatorFullIterator);

        ASSERT_TRUE(frame.create("Window", "Program", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                                 {40, 40, 420, 640}, nullptr));
        ASSERT_TRUE(bar.create("Window", "Setup Calculation", platform::WS_CHILD | platform::WS_VISIBLE,
                               {0, 0, 300, 560}, &frame));
        barHandle = std::make_unique<PluginWindowHandleImpl>(&bar);
        dialog->barHandle = barHandle.get();
        ASSERT_NE(mai.createPluginWindow(dialog->getWindowRequest(), barHandle.get()), nullptr);
        madeSize = dialog->dialogObject->clientRect().size();
        // The bar stretches the dialog over its client area.
        dialog->windowHandle->moveWindow(bar.clientRect(), true);
        processMessages();
    }

    void TearDown() override
    {
        for (IteratorCalculator* calculator : calculators)
            calculator->stopCalculation(&doc.document);
        frame.destroyWindow();
        processMessages();
    }

    template <class Plugin>
    Plugin* adopt(Plugin* plugin)
    {
        plugin->mai = &mai;
        registry.addPlugin(plugin);
        return plugin;
    }

    // Makes the calculator active in the active document, as the host does.
    void activate(Calculator which)
    {
        doc.setActiveCalculator(calculators[which]);
        notify(&mai, Channel::ActiveCalculatorChanged);
        processMessages();
    }

    IteratorSetupPage* pageOf(Calculator which)
    {
        for (VornPluginBase* plugin = dialog->firstPage(); plugin != nullptr; plugin = plugin->getNext())
            if (auto* page = dynamic_cast<IteratorSetupPage*>(plugin); page && page->calculator == calculators[which])
                return page;
        return nullptr;
    }
    CalculatorPageWindow* window(Calculator which) { return pageOf(which)->pageWindow(); }

public:
    template <class Item>
    Item* item(Calculator which, MAI_Doc& in)
    {
        return dynamic_cast<Item*>(calculators[which]->findItem(in.document));
    }
    template <class Item>
    Item* item(Calculator which)
    {
        return item<Item>(which, doc);
    }

    // The user selects the edit's text and types over it.
    void type(Calculator which, int32_t id, const std::string& text)
    {
        platform::Window* edit = window(which)->dlgItem(id);
        window(which)->gotoDlgCtrl(edit);
        platform::simulateTyping(edit->handle(), text);
        processMessages();
    }
    void click(Calculator which, int32_t id)
    {
        platform::Window* control = window(which)->dlgItem(id);
        const platform::Rect area = control->clientRect();
        const platform::Point centre{area.width() / 2, area.height() / 2};
        platform::simulateMouse(control->handle(), platform::WM_LBUTTONDOWN, centre);
        platform::simulateMouse(control->handle(), platform::WM_LBUTTONUP, centre);
        processMessages();
    }
    // The focus moves on to another control.
    void leaveEdit(Calculator which, int32_t nextId)
    {
        window(which)->gotoDlgCtrl(window(which)->dlgItem(nextId));
        processMessages();
    }
    void pressEnter(Calculator which, int32_t id)
    {
        const platform::WindowHandle edit = window(which)->dlgItem(id)->handle();
        platform::simulateKey(edit, "Return", true);
        platform::simulateKey(edit, "Return", false);
        processMessages();
    }
    std::string text(Calculator which, int32_t id) { return window(which)->dlgItemText(id); }
    bool enabled(Calculator which, int32_t id) { return window(which)->dlgItem(id)->isEnabled(); }
    uint32_t ticked(Calculator which, int32_t id) { return window(which)->isDlgButtonChecked(id); }

    WindowMAI mai;
    PluginManager registry;
    CountingDoc doc{&mai};
    StructureModel model{hangingPair(), doc.document};
    PluginCalculationSetupDialog* dialog = nullptr;
    IteratorCalculator* calculators[4]{};
    platform::Window frame;
    platform::Window bar;
    std::unique_ptr<PluginWindowHandle> barHandle;
    platform::Size madeSize; // of the dialog, before the bar stretched it
};

TEST_F(SetupDialog, IsFiledWithTheFourPagesAndDocksAsTheBarAsks)
{
    EXPECT_STREQ(dialog->getName(), "Calculation Setup Dialog");
    EXPECT_STREQ(dialog->getWindowTitle(), "Setup Calculation");
    EXPECT_EQ(dialog->getDockInfo(DockInfo::AllowedSides), 0xF000);
    EXPECT_EQ(dialog->getDockInfo(DockInfo::StartHidden), 1);
    EXPECT_EQ(dialog->getDockInfo(DockInfo::BarParameter), 10);
    EXPECT_EQ(dialog->getDockInfo(DockInfo::MinimumSize), (80 << 16) | 192);
    EXPECT_EQ(dialog->getDockInfo(DockInfo::HorizontalSize), 0);
    std::unique_ptr<VornPluginBase> menuItem(dialog->GetPackagedPlugin(0));
    ASSERT_NE(menuItem, nullptr);
    EXPECT_STREQ(static_cast<VornPluginMenuItem*>(menuItem.get())->getMenuPath(), "C&alculate\\&Setup...");
    EXPECT_EQ(dialog->GetPackagedPlugin(1), nullptr);
    EXPECT_FALSE(dialog->activatePlugin(dialog));

    EXPECT_EQ(madeSize.width, platform::dialogUnitsToPixelsX(137));
    EXPECT_EQ(madeSize.height, platform::dialogUnitsToPixelsY(210)) << "as tall as the tallest page";

    std::vector<std::string> names;
    for (VornPluginBase* plugin = dialog->firstPage(); plugin != nullptr; plugin = plugin->getNext())
        names.push_back(plugin->getName());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"Auto Basic Iterator Setup", "Basic Iterator Setup", "Full Iterator Setup",
                                        "Velocity Iterator Setup"}));
    for (Calculator which : {Basic, AutoBasic, Velocity, Full})
    {
        ASSERT_NE(pageOf(which), nullptr);
        EXPECT_STREQ(pageOf(which)->getTypeName(), "Calculation Setup Page");
        ASSERT_NE(pageOf(which)->windowHandle, nullptr) << "the dialog made every page's window";
        EXPECT_FALSE(pageOf(which)->windowHandle->isVisible()) << "no calculator is active yet";
        EXPECT_EQ(window(which)->clientRect(), bar.clientRect()) << "laid over the whole dialog";
    }
}

TEST_F(SetupDialog, ItsFirstNameSubscribesItToBothChannels)
{
    PluginCalculationSetupDialog fresh;
    fresh.mai = &mai;
    platform::Window freshBar;
    ASSERT_TRUE(freshBar.create("Window", "Setup Calculation", platform::WS_CHILD, {0, 0, 10, 10}, &frame));
    PluginWindowHandleImpl freshBarHandle(&freshBar);
    fresh.barHandle = &freshBarHandle;
    doc.setActiveCalculator(calculators[Full]);

    notify(&mai, Channel::ActiveCalculatorChanged);
    EXPECT_EQ(freshBar.windowText(), "Setup Calculation") << "not listening before its name was asked";
    fresh.getName();
    fresh.getName();
    for (const char* channel : {Channel::ActiveCalculatorChanged, Channel::ActiveDocumentChanged})
    {
        freshBar.setWindowText("");
        notify(&mai, channel);
        EXPECT_EQ(freshBar.windowText(), "Setup Full Iterator") << channel;
    }
}

// Per calculator: what its new item shows on its page (edit id and text, check box id and state).
struct DefaultsCase
{
    Calculator calculator;
    const char* title;
    const char* key;
    std::vector<std::pair<int32_t, std::string>> texts;
    std::vector<std::pair<int32_t, uint32_t>> boxes;
};

TEST_F(SetupDialog, TheActiveCalculatorsPageAloneIsShownUnderItsNameAndShowsItsNewItem)
{
    namespace C = SetupControl;
    const std::vector<DefaultsCase> cases = {
        {Basic,
         "Setup Basic Iterator",
         "CALCBASICITERATOR",
         {{C::factor, "1000000000"}, {C::eFactor, "0.1"}, {C::g, "9.81"}},
         {}},
        {AutoBasic,
         "Setup Auto Basic Iterator",
         "CALCAUTOBASICITER",
         {{C::factor, "1000000000"}, {C::factorBase, "2.5"}, {C::eFactor, "0.1"}, {C::g, "9.81"}},
         {{C::automatic, BST_CHECKED}}},
        {Full,
         "Setup Full Iterator",
         "CALC_FULL_ITERATOR",
         {{C::eFactor, "0.1"}, {C::g, "9.81"}, {C::timeBase, "1e-08"}, {C::drag, "0.01"}},
         {{C::dragOn, BST_CHECKED}}},
        {Velocity,
         "Setup Velocity Iterator",
         "CALC_V_ITERATOR",
         {{C::eFactor, "0.01"}, {C::g, "9.81"}, {C::timeBase, "1e-06"}, {C::drag, "0.001"}},
         {{C::dragOn, BST_CHECKED}, {C::floorOn, BST_UNCHECKED}}},
    };
    for (const DefaultsCase& expected : cases)
    {
        SCOPED_TRACE(expected.title);
        EXPECT_EQ(calculators[expected.calculator]->findItem(doc.document), nullptr);
        activate(expected.calculator);

        EXPECT_EQ(bar.windowText(), expected.title);
        EXPECT_EQ(frame.windowText(), "Program") << "the program's title stays";
        DocItemCalc* made = calculators[expected.calculator]->findItem(doc.document);
        ASSERT_NE(made, nullptr);
        EXPECT_STREQ(made->getName(), expected.key);
        EXPECT_FALSE(made->isStarted());
        for (Calculator other : {Basic, AutoBasic, Velocity, Full})
            EXPECT_EQ(pageOf(other)->windowHandle->isVisible(), other == expected.calculator) << other;
        for (const auto& [id, value] : expected.texts)
            EXPECT_EQ(text(expected.calculator, id), value) << id;
        for (const auto& [id, state] : expected.boxes)
            EXPECT_EQ(ticked(expected.calculator, id), state) << id;
    }
}

TEST_F(SetupDialog, ActivatingAViewOfAnotherDocumentShowsThatDocumentsItemAndFloor)
{
    activate(Velocity);
    CountingDoc other{&mai};
    StructureModel otherModel{hangingPair(), other.document};
    other.setActiveCalculator(calculators[Velocity]);
    calculators[Velocity]->itemOf(other.document);
    item<VelocityIteratorItem>(Velocity, other)->changeParameters([](auto& values) {
        values.g = 1.5;
        values.drag = 0;
        values.dragValue = 0.25;
    });
    other.document.floorEnabled = true;
    other.document.floorHeight = -3;

    mai.activeDocument = &other;
    notify(&mai, Channel::ActiveDocumentChanged);
    processMessages();

    EXPECT_EQ(text(Velocity, SetupControl::g), "1.5");
    EXPECT_EQ(text(Velocity, SetupControl::drag), "0.25");
    EXPECT_EQ(ticked(Velocity, SetupControl::dragOn), BST_UNCHECKED);
    EXPECT_FALSE(enabled(Velocity, SetupControl::drag));
    EXPECT_EQ(ticked(Velocity, SetupControl::floorOn), BST_CHECKED);
    EXPECT_TRUE(enabled(Velocity, SetupControl::floorHeight));
    EXPECT_EQ(text(Velocity, SetupControl::floorHeight), "-3");

    mai.activeDocument = &doc;
    notify(&mai, Channel::ActiveDocumentChanged);
    processMessages();
    EXPECT_EQ(text(Velocity, SetupControl::g), "9.81");
    EXPECT_EQ(ticked(Velocity, SetupControl::floorOn), BST_UNCHECKED);
    EXPECT_FALSE(enabled(Velocity, SetupControl::floorHeight));
}

// A number typed into an edit and the item's parameter it lands in.
struct TypedCase
{
    Calculator calculator;
    int32_t id;
    const char* typed;
    std::function<double(SetupDialog&)> parameter;
    double expected;
};

class TypedNumbers : public SetupDialog
{
protected:
    template <class Item, class Field>
    static std::function<double(SetupDialog&)> read(Calculator which, Field field)
    {
        return [which, field](SetupDialog& test) {
            return static_cast<double>(test.item<Item>(which)->parameters().*field);
        };
    }
};

TEST_F(TypedNumbers, ReachTheItemAndTextWithoutANumberChangesNothing)
{
    namespace C = SetupControl;
    using BasicValues = BasicParameters;
    using AutoValues = AutoBasicParameters;
    using FullValues = DampedParameters<FullParameters>;
    using VelocityValues = DampedParameters<VelocityParameters>;
    const std::vector<TypedCase> cases = {
        {Basic, C::factor, "2e9", read<BasicIteratorItem>(Basic, &BasicValues::inverseDisplacementFactor), 2e9},
        {Basic, C::eFactor, "0.5", read<BasicIteratorItem>(Basic, &BasicValues::eFactor), 0.5},
        {Basic, C::g, "-1.25", read<BasicIteratorItem>(Basic, &BasicValues::g), -1.25},
        {AutoBasic, C::factorBase, "3", read<AutoBasicIteratorItem>(AutoBasic, &AutoValues::factorBase), 3},
        {AutoBasic, C::eFactor, "0.2", read<AutoBasicIteratorItem>(AutoBasic, &AutoValues::eFactor), 0.2},
        {AutoBasic, C::g, "10", read<AutoBasicIteratorItem>(AutoBasic, &AutoValues::g), 10},
        {Full, C::eFactor, "0.3", read<FullIteratorItem>(Full, &FullValues::eFactor), 0.3},
        {Full, C::g, "1", read<FullIteratorItem>(Full, &FullValues::g), 1},
        {Full, C::timeBase, "2e-7", read<FullIteratorItem>(Full, &FullValues::timeBase), 2e-7},
        {Velocity, C::eFactor, "0.04", read<VelocityIteratorItem>(Velocity, &VelocityValues::eFactor), 0.04},
        {Velocity, C::g, "9", read<VelocityIteratorItem>(Velocity, &VelocityValues::g), 9},
        {Velocity, C::timeBase, "5e-6", read<VelocityIteratorItem>(Velocity, &VelocityValues::timeBase), 5e-6},
    };
    for (const TypedCase& typed : cases)
    {
        SCOPED_TRACE(typed.typed);
        activate(typed.calculator);
        const double before = typed.parameter(*this);
        type(typed.calculator, typed.id, "abc");
        EXPECT_EQ(typed.parameter(*this), before) << "no number";
        type(typed.calculator, typed.id, typed.typed);
        EXPECT_EQ(typed.parameter(*this), typed.expected);
        activate(typed.calculator);
        EXPECT_EQ(text(typed.calculator, typed.id), shown(typed.expected)) << "a refresh shows the item's value";
    }
    EXPECT_TRUE(mai.boxes.empty());
}

// While the calculation runs, the partial texts of a number being typed ("0" and "0." of "0.4",
// each of which would stop the automatic step) never reach it: the number is taken when the user
// leaves the edit or presses Enter, and the next iteration uses it.
TEST_F(TypedNumbers, ReachARunningCalculationWhenTheEditIsLeftOrEnterPressed)
{
    struct Finish
    {
        const char* how;
        std::function<void(SetupDialog&)> finish;
    };
    const std::vector<Finish> finishes = {
        {"focus leaves", [](SetupDialog& test) { test.leaveEdit(AutoBasic, SetupControl::g); }},
        {"Enter", [](SetupDialog& test) { test.pressEnter(AutoBasic, SetupControl::eFactor); }},
    };
    activate(AutoBasic);
    auto* running = item<AutoBasicIteratorItem>(AutoBasic);
    ASSERT_EQ(calculators[AutoBasic]->startCalculation(&doc.document), 0);
    double eFactor = 0.1;
    for (const Finish& finish : finishes)
    {
        SCOPED_TRACE(finish.how);
        ASSERT_TRUE(eventually([&] { return running->statistics.biggestStiffness.load() > 0; }));
        const double stiffness = running->statistics.biggestStiffness.load();

        eFactor *= 4;
        type(AutoBasic, SetupControl::eFactor, shown(eFactor));
        EXPECT_EQ(running->parameters().eFactor, eFactor / 4) << "not while typing";
        finish.finish(*this);
        EXPECT_EQ(running->parameters().eFactor, eFactor);

        EXPECT_TRUE(eventually([&] { return running->statistics.biggestStiffness.load() > 3.5 * stiffness; }))
            << "four times the E-factor makes every stiffness four times larger";
        EXPECT_TRUE(running->isStarted());
    }
    EXPECT_TRUE(mai.boxes.empty()) << mai.boxes.front().text;

    ASSERT_EQ(calculators[AutoBasic]->stopCalculation(&doc.document), 0);
    type(AutoBasic, SetupControl::eFactor, "2");
    EXPECT_EQ(running->parameters().eFactor, 2) << "stopped: taken at once";
}

// The Drag box of the Full and Velocity pages switches the damping off (drag 0) and on again with
// the kept value.
TEST_F(SetupDialog, TheDragBoxSwitchesTheDampingAndKeepsTheTypedValue)
{
    for (Calculator which : {Full, Velocity})
    {
        SCOPED_TRACE(which);
        activate(which);
        auto values = [&] {
            DocItemCalc* found = calculators[which]->findItem(doc.document);
            if (auto* full = dynamic_cast<FullIteratorItem*>(found))
                return std::pair{full->parameters().drag, full->parameters().dragValue};
            auto* velocity = dynamic_cast<VelocityIteratorItem*>(found);
            return std::pair{velocity->parameters().drag, velocity->parameters().dragValue};
        };
        ASSERT_TRUE(enabled(which, SetupControl::drag));

        type(which, SetupControl::drag, "0.05");
        EXPECT_EQ(values(), std::pair(0.05, 0.05)) << "typed while on: in effect and kept";

        click(which, SetupControl::dragOn);
        EXPECT_EQ(ticked(which, SetupControl::dragOn), BST_UNCHECKED);
        EXPECT_FALSE(enabled(which, SetupControl::drag));
        EXPECT_EQ(values(), std::pair(0.0, 0.05)) << "off: no damping, the value waits";

        activate(which);
        EXPECT_EQ(ticked(which, SetupControl::dragOn), BST_UNCHECKED) << "drag and kept value differ";
        EXPECT_EQ(text(which, SetupControl::drag), "0.05");
        EXPECT_EQ(values(), std::pair(0.0, 0.05)) << "the refresh wrote nothing back";

        click(which, SetupControl::dragOn);
        EXPECT_TRUE(enabled(which, SetupControl::drag));
        EXPECT_EQ(values(), std::pair(0.05, 0.05)) << "on again: the kept value is in effect";
    }
}

TEST_F(SetupDialog, TheFloorBoxAndHeightSetTheDocumentsFloor)
{
    activate(Velocity);
    EXPECT_FALSE(enabled(Velocity, SetupControl::floorHeight));

    click(Velocity, SetupControl::floorOn);
    EXPECT_TRUE(doc.document.floorEnabled.load());
    EXPECT_TRUE(enabled(Velocity, SetupControl::floorHeight));

    type(Velocity, SetupControl::floorHeight, "-2.5");
    EXPECT_EQ(doc.document.floorHeight.load(), -2.5);
    type(Velocity, SetupControl::floorHeight, "abc");
    EXPECT_EQ(doc.document.floorHeight.load(), -2.5);

    click(Velocity, SetupControl::floorOn);
    EXPECT_FALSE(doc.document.floorEnabled.load());
    EXPECT_FALSE(enabled(Velocity, SetupControl::floorHeight));
    EXPECT_EQ(doc.document.floorHeight.load(), -2.5) << "the height stays for the next time";
    EXPECT_EQ(text(Velocity, SetupControl::floorHeight), "-2.5");
}

// A refresh shows the item and writes nothing into it, whatever the controls held before.
TEST_F(SetupDialog, ARefreshNeverWritesBack)
{
    activate(AutoBasic);
    auto* autoItem = item<AutoBasicIteratorItem>(AutoBasic);
    autoItem->changeParameters([](AutoBasicParameters& values) {
        values.automatic = false;
        values.factor = 4e8;
    });
    window(AutoBasic)->setDlgItemText(SetupControl::factor, "7");
    window(AutoBasic)->setDlgItemText(SetupControl::g, "abc");
    activate(AutoBasic);
    EXPECT_EQ(autoItem->parameters().factor, 4e8);
    EXPECT_EQ(autoItem->parameters().g, 9.81);
    EXPECT_FALSE(autoItem->parameters().automatic);
    EXPECT_EQ(text(AutoBasic, SetupControl::factor), "400000000");
    EXPECT_EQ(ticked(AutoBasic, SetupControl::automatic), BST_UNCHECKED);

    activate(Full);
    auto* fullItem = item<FullIteratorItem>(Full);
    fullItem->changeParameters([](auto& values) {
        values.drag = 0;
        values.dragValue = 0.125;
    });
    activate(Full);
    EXPECT_EQ(text(Full, SetupControl::drag), "0.125");
    EXPECT_EQ(fullItem->parameters().drag, 0.0) << "showing the kept value does not switch damping on";
}

TEST_F(SetupDialog, TheAutomaticBoxChoosesBetweenFactorAndFactorBase)
{
    activate(AutoBasic);
    namespace C = SetupControl;
    EXPECT_TRUE(enabled(AutoBasic, C::factorBase));
    EXPECT_TRUE(enabled(AutoBasic, C::factorBaseLabel));
    EXPECT_FALSE(enabled(AutoBasic, C::factor));
    EXPECT_FALSE(enabled(AutoBasic, C::factorLabel));

    click(AutoBasic, C::automatic);
    EXPECT_FALSE(item<AutoBasicIteratorItem>(AutoBasic)->parameters().automatic);
    EXPECT_TRUE(enabled(AutoBasic, C::factor));
    EXPECT_TRUE(enabled(AutoBasic, C::factorLabel));
    EXPECT_FALSE(enabled(AutoBasic, C::factorBase));
    EXPECT_FALSE(enabled(AutoBasic, C::factorBaseLabel));
    type(AutoBasic, C::factor, "5e8");
    EXPECT_EQ(item<AutoBasicIteratorItem>(AutoBasic)->parameters().factor, 5e8);
}

TEST_F(SetupDialog, TheAutoBasicButtonShowsTheStiffnessAndTheUsedFactor)
{
    activate(AutoBasic);
    auto* autoItem = item<AutoBasicIteratorItem>(AutoBasic);
    autoItem->statistics.biggestStiffness = 1234.5;
    autoItem->statistics.usedFactor = 3086.25;

    click(AutoBasic, SetupControl::update);
    EXPECT_EQ(text(AutoBasic, SetupControl::update),
              "Biggest EA/Lo: 1234.500000\nUsed Factor: 3086.250000\nclick to update");

    click(AutoBasic, SetupControl::automatic);
    click(AutoBasic, SetupControl::update);
    EXPECT_EQ(text(AutoBasic, SetupControl::update), "Biggest EA/Lo: 1234.500000\nUsed Factor: n.a.\nclick to update");

    mai.activeDocument = nullptr;
    click(AutoBasic, SetupControl::update);
    EXPECT_EQ(text(AutoBasic, SetupControl::update), "Click To Update...");
}

TEST_F(SetupDialog, TheLargestPublishedDisplacementAndAxialForceAreTakenByMagnitude)
{
    ASSERT_EQ(calculators[Basic]->startCalculation(&doc.document), 0);
    ASSERT_EQ(calculators[Basic]->stopCalculation(&doc.document), 0);
    auto* displacements = dynamic_cast<BlockList<CalcDisplacement>*>(calculators[Basic]->getResults(&doc, 0, 7));
    auto* forces = dynamic_cast<BlockList<CalcNForce>*>(calculators[Basic]->getResults(&doc, 1, 7));
    ASSERT_NE(displacements, nullptr);
    ASSERT_NE(forces, nullptr);
    (*displacements)[0].displacement = Vector3(0, 0, -1);
    (*displacements)[2].displacement = Vector3(3, -4, 0);
    (*forces)[0].axialForce = 2;
    (*forces)[1].axialForce = -7;

    const PublishedExtremes extremes = publishedExtremes(doc.document);
    EXPECT_DOUBLE_EQ(extremes.displacement, 5);
    EXPECT_DOUBLE_EQ(extremes.axialForce, 7);

    VornDocument empty;
    EXPECT_EQ(publishedExtremes(empty).displacement, 0);
    EXPECT_EQ(publishedExtremes(empty).axialForce, 0);
}

TEST_F(SetupDialog, BasicUpdateShowsTheLatestIterationsExtremesAndResidual)
{
    activate(Basic);
    namespace C = SetupControl;
    for (int32_t id : {C::biggestDisplacement, C::biggestForce, C::residual})
        EXPECT_EQ(text(Basic, id), "? press update");

    click(Basic, C::update);
    EXPECT_EQ(text(Basic, C::biggestDisplacement), "0.0000000") << "never started";
    EXPECT_EQ(text(Basic, C::biggestForce), "0.0000000");
    EXPECT_EQ(text(Basic, C::residual), "0.000000");

    auto* basicItem = item<BasicIteratorItem>(Basic);
    ASSERT_EQ(calculators[Basic]->startCalculation(&doc.document), 0);
    ASSERT_TRUE(eventually([&] { return basicItem->statistics.outOfBalanceForce.load() > 0; }));
    ASSERT_EQ(calculators[Basic]->stopCalculation(&doc.document), 0);

    click(Basic, C::update);
    // The click published the last iteration; asking again with another stamp changes nothing.
    calculators[Basic]->getResults(&doc, 0, -1);
    const PublishedExtremes extremes = publishedExtremes(doc.document);
    EXPECT_GT(extremes.displacement, 0);
    EXPECT_GT(extremes.axialForce, 0);
    EXPECT_EQ(text(Basic, C::biggestDisplacement), printed("%.7f", extremes.displacement));
    EXPECT_EQ(text(Basic, C::biggestForce), printed("%.7f", extremes.axialForce));
    EXPECT_EQ(text(Basic, C::residual), printed("%f", basicItem->statistics.outOfBalanceForce.load()));
}

} // namespace
