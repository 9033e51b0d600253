#include "VornData/generalException.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPlugin.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// A plugin of a given type and name that may package further plugins and register a type of its
// own, like the console registers its pages' type.
class TestPlugin : public VornPlugin
{
public:
    TestPlugin(std::string type, std::string name, std::vector<std::string>* destroyed = nullptr)
        : type(std::move(type)), name(std::move(name)), destroyed(destroyed)
    {
    }
    ~TestPlugin() override
    {
        if (destroyed != nullptr)
            destroyed->push_back(name);
    }
    const char* getTypeName() override { return type.c_str(); }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    void registerPluginTypes(PluginManager* registry) override
    {
        if (!ownTypeName.empty())
            registry->addPluginType(&ownList, ownTypeName.c_str(), this);
    }
    VornPluginBase* GetPackagedPlugin(uint32_t index) override
    {
        ++packageCalls;
        if (index == failAtIndex)
            throw Exc_OutOfMemory("TestPlugin::GetPackagedPlugin");
        return index < packaged.size() ? package(packaged[index]) : nullptr;
    }
    void registerListeners() override
    {
        if (failListeners)
            throw Exc_OutOfMemory("TestPlugin::registerListeners");
        ++listenerRegistrations;
        maiWhenRegistering = mai;
    }

    std::string type;
    std::string name;
    std::string ownTypeName;
    VornPluginBase* ownList = nullptr;
    std::vector<TestPlugin*> packaged;
    int packageCalls = 0;
    uint32_t failAtIndex = 0xFFFFFFFFu;
    bool failListeners = false;
    int listenerRegistrations = 0;
    MAI* maiWhenRegistering = nullptr;
    std::vector<std::string>* destroyed;
};

class LineCollector : public PluginRegistryListener
{
public:
    void pluginAdding(const char* line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

using Names = std::vector<std::string>;

} // namespace

TEST(PluginRegistry, FilesPluginsUnderTheirTypeNameNewestFirst)
{
    VornPluginBase* menuItems = nullptr;
    VornPluginBase* dialogs = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPluginType(&menuItems, "Standard MenuItem", nullptr);
    registry.addPluginType(&dialogs, "Dialog", nullptr);

    registry.addPlugin(new TestPlugin("Standard MenuItem", "Delete"));
    registry.addPlugin(new TestPlugin("Dialog", "Main Console"));
    registry.addPlugin(new TestPlugin("Standard MenuItem", "Hide"));
    registry.addPlugin(new TestPlugin("standard menuitem", "Freeze")); // case matters

    EXPECT_EQ(namesOf(menuItems), (Names{"Hide", "Delete"}));
    EXPECT_EQ(namesOf(dialogs), (Names{"Main Console"}));
    EXPECT_EQ(registry.getFirstPlugin("Standard MenuItem"), menuItems);
    EXPECT_EQ(namesOf(registry.getUnrecognizedPlugins()), (Names{"Freeze"}));
    EXPECT_EQ(registry.getFirstPlugin("No Such Type"), nullptr);
}

TEST(PluginRegistry, APluginAddedBeforeItsTypeWaitsAndMovesInWhenTheTypeIsRegistered)
{
    VornPluginBase* shapes = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPlugin(new TestPlugin("Shape", "HBeam"));
    registry.addPlugin(new TestPlugin("Calculator", "Full Iterator"));
    registry.addPlugin(new TestPlugin("Shape", "Tube"));
    EXPECT_EQ(namesOf(registry.getUnrecognizedPlugins()), (Names{"Tube", "Full Iterator", "HBeam"}));

    ASSERT_NE(registry.addPluginType(&shapes, "Shape", nullptr), nullptr);
    EXPECT_EQ(namesOf(registry.getUnrecognizedPlugins()), (Names{"Full Iterator"}));
    EXPECT_EQ(namesOf(shapes), (Names{"HBeam", "Tube"}));
}

TEST(PluginRegistry, PackagedPluginsAreWalkedRecursivelyAndFiledBeforeTheirParent)
{
    VornPluginBase* viewTypes = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPluginType(&viewTypes, "View Base", nullptr);

    auto* view = new TestPlugin("View Base", "OpenGL");
    view->ownTypeName = "OpenGL MenuItem";
    auto* pan = new TestPlugin("OpenGL MenuItem", "Pan");
    auto* zoom = new TestPlugin("OpenGL MenuItem", "Zoom");
    auto* detail = new TestPlugin("OpenGL MenuItem", "Detail");
    zoom->packaged = {detail}; // two levels deep
    view->packaged = {pan, zoom};
    view->module = platform::ModuleHandle{0x1000};

    std::vector<std::string> order;
    class OrderListener : public PluginRegistryListener
    {
    public:
        explicit OrderListener(std::vector<std::string>& order) : order(order) {}
        void pluginAdding(const char* line) override { order.push_back(line); }
        std::vector<std::string>& order;
    } listener(order);
    registry.addPlugin(view, &listener);

    EXPECT_EQ(namesOf(view->ownList), (Names{"Zoom", "Detail", "Pan"}));
    EXPECT_EQ(namesOf(viewTypes), (Names{"OpenGL"}));
    EXPECT_EQ(view->packageCalls, 3); // indexes 0, 1 and the null at 2, each once
    EXPECT_EQ(zoom->packageCalls, 2);
    EXPECT_EQ(detail->module, platform::ModuleHandle{0x1000}); // handed down two levels
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], "Adding: 'OpenGL' of type 'View Base'");
    EXPECT_EQ(order[3], "Adding: 'Detail' of type 'OpenGL MenuItem'");
    EXPECT_EQ(registry.getTypeOwnerName("OpenGL MenuItem"), std::string("OpenGL"));
    EXPECT_EQ(registry.getTypeOwnerName("View Base"), nullptr);
    EXPECT_EQ(registry.countOwnedTypes(view), 1);
    EXPECT_STREQ(registry.getOwnedTypeName(view, 0), "OpenGL MenuItem");
    EXPECT_EQ(registry.getOwnedTypeName(view, 1), nullptr);
}

TEST(PluginRegistry, ListenersAreRegisteredOnceWhenThePluginIsAddedWithItsApplicationInterface)
{
    PluginManager registry;
    auto* mai = reinterpret_cast<MAI*>(0x5000); // never dereferenced
    auto* parent = new TestPlugin("Parent", "Parent");
    auto* child = new TestPlugin("Child", "Child");
    parent->packaged = {child};
    parent->mai = mai;
    registry.addPlugin(parent);
    EXPECT_EQ(parent->listenerRegistrations, 1);
    EXPECT_EQ(child->listenerRegistrations, 1);
    EXPECT_EQ(parent->maiWhenRegistering, mai);
    EXPECT_EQ(child->maiWhenRegistering, mai);
}

TEST(PluginRegistry, APluginHandedOverAgainStaysInItsOneList)
{
    std::vector<std::string> destroyed;
    {
        VornPluginBase* items = nullptr;
        PluginManager registry;
        registry.addPluginType(&items, "Item", nullptr);
        auto* shared = new TestPlugin("Item", "Shared", &destroyed);
        auto* parent = new TestPlugin("Item", "Parent", &destroyed);
        parent->packaged = {shared, shared, parent}; // twice, then itself
        registry.addPlugin(parent);
        registry.addPlugin(shared);
        EXPECT_EQ(namesOf(items), (Names{"Parent", "Shared"}));
        EXPECT_EQ(shared->listenerRegistrations, 1);
    }
    std::sort(destroyed.begin(), destroyed.end());
    EXPECT_EQ(destroyed, (Names{"Parent", "Shared"})); // each deleted once
}

TEST(PluginRegistry, ATypeRegisteredTwiceFilesIntoTheNewestAndIsFoundByNameInTheOldest)
{
    VornPluginBase* first = nullptr;
    VornPluginBase* second = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    auto* owner = new TestPlugin("Owner", "Move");
    registry.addPluginType(&first, "Transform Pagette", owner);
    registry.addPluginType(&second, "Transform Pagette", nullptr);
    registry.addPlugin(new TestPlugin("Transform Pagette", "Properties"));
    registry.addPlugin(owner);

    EXPECT_EQ(namesOf(second), (Names{"Properties"}));
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(registry.getFirstPlugin("Transform Pagette"), nullptr);
    EXPECT_EQ(registry.findPlugin("Transform Pagette", "Properties"), nullptr);
    EXPECT_STREQ(registry.getTypeOwnerName("Transform Pagette"), "Move");
}

TEST(PluginRegistry, TypeRecordsAreWalkedOldestFirstAlsoWhenANameRepeats)
{
    VornPluginBase* lists[4] = {};
    PluginManager registry; // after the list heads it reads when it is destroyed
    EXPECT_EQ(registry.getFirstTypeName(), nullptr);
    EXPECT_EQ(registry.getFirstType(), nullptr);
    EXPECT_EQ(registry.getNextTypeName("Dialog"), nullptr);

    registry.addPluginType(&lists[0], "Dialog", nullptr);
    registry.addPluginType(&lists[1], "Toolbar", nullptr);
    registry.addPluginType(&lists[2], "Dialog", nullptr);
    registry.addPluginType(&lists[3], "Shape", nullptr);

    Names walked;
    for (const PluginType* type = registry.getFirstType(); type != nullptr; type = type->getNewer())
        walked.push_back(type->getName());
    EXPECT_EQ(walked, (Names{"Dialog", "Toolbar", "Dialog", "Shape"}));
    EXPECT_STREQ(registry.getFirstTypeName(), "Dialog");
    EXPECT_STREQ(registry.getNextTypeName("Toolbar"), "Dialog");
    EXPECT_EQ(registry.getNextTypeName("Shape"), nullptr);
    EXPECT_EQ(registry.getNextTypeName("Unknown"), nullptr);
}

TEST(PluginRegistry, RefusesATypeWithoutNameOrListHead)
{
    VornPluginBase* list = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    EXPECT_EQ(registry.addPluginType(nullptr, "Dialog", nullptr), nullptr);
    EXPECT_EQ(registry.addPluginType(&list, nullptr, nullptr), nullptr);
    EXPECT_EQ(registry.getFirstType(), nullptr);
}

TEST(PluginRegistry, FindPluginPrefersAnEnabledPluginOfTheName)
{
    VornPluginBase* items = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPluginType(&items, "Standard MenuItem", nullptr);
    auto* enabled = new TestPlugin("Standard MenuItem", "Hide");
    auto* disabledFront = new TestPlugin("Standard MenuItem", "Hide");
    auto* disabledBack = new TestPlugin("Standard MenuItem", "Freeze");
    auto* disabledFront2 = new TestPlugin("Standard MenuItem", "Freeze");
    registry.addPlugin(disabledBack);
    registry.addPlugin(enabled);
    registry.addPlugin(disabledFront2);
    registry.addPlugin(disabledFront);
    disabledFront->setEnabled(false);
    disabledBack->setEnabled(false);
    disabledFront2->setEnabled(false);

    EXPECT_EQ(registry.findPlugin("Standard MenuItem", "Hide"), enabled);
    EXPECT_EQ(registry.findPlugin("Standard MenuItem", "Freeze"), disabledBack); // the last of them
    EXPECT_EQ(registry.findPlugin("Standard MenuItem", "Delete"), nullptr);
    EXPECT_EQ(registry.findPlugin("Dialog", "Hide"), nullptr);
}

TEST(PluginRegistry, ConfigurationMovesDisabledPluginsAsideAndTheDefaultToTheFront)
{
    VornPluginBase* calculators = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPluginType(&calculators, "Calculator", nullptr);
    TestPlugin* plugins[4];
    const char* names[4] = {"Auto Basic", "Basic", "Velocity", "Full"};
    for (int i = 0; i < 4; ++i)
        registry.addPlugin(plugins[i] = new TestPlugin("Calculator", names[i]));
    EXPECT_EQ(namesOf(calculators), (Names{"Full", "Velocity", "Basic", "Auto Basic"}));

    registry.applyConfiguration(); // no default, nothing disabled: order unchanged
    EXPECT_EQ(namesOf(calculators), (Names{"Full", "Velocity", "Basic", "Auto Basic"}));

    plugins[2]->setEnabled(false); // Velocity
    EXPECT_EQ(plugins[1]->setDefault(true), nullptr); // Basic
    registry.applyConfiguration();
    EXPECT_EQ(namesOf(calculators), (Names{"Basic", "Full", "Auto Basic"}));
    EXPECT_EQ(namesOf(registry.getFirstDisabledPlugin("Calculator")), (Names{"Velocity"}));

    // Re-enabled: back in the active list, without a default flag it had; the default stays first.
    plugins[2]->setEnabled(true);
    plugins[2]->setDefault(true);
    registry.applyConfiguration();
    EXPECT_FALSE(plugins[2]->isDefault());
    EXPECT_TRUE(plugins[1]->isDefault());
    EXPECT_EQ(namesOf(calculators), (Names{"Basic", "Velocity", "Full", "Auto Basic"}));
    EXPECT_EQ(registry.getFirstDisabledPlugin("Calculator"), nullptr);
}

TEST(PluginRegistry, SetDefaultLeavesOneDefaultAndAnswersThePreviousOne)
{
    VornPluginBase* list = nullptr;
    PluginManager registry; // after the list heads it reads when it is destroyed
    registry.addPluginType(&list, "Toolbar", nullptr);
    TestPlugin* plugins[3];
    for (int i = 0; i < 3; ++i)
        registry.addPlugin(plugins[i] = new TestPlugin("Toolbar", std::to_string(i)));

    EXPECT_EQ(plugins[0]->setDefault(true), nullptr);
    EXPECT_EQ(plugins[2]->setDefault(true), plugins[0]);
    EXPECT_EQ(plugins[1]->setDefault(true), plugins[2]);
    int defaults = 0;
    for (VornPluginBase* plugin = list; plugin != nullptr; plugin = plugin->getNext())
        defaults += plugin->isDefault() ? 1 : 0;
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(plugins[0]->setDefault(false), nullptr);
    EXPECT_TRUE(plugins[1]->isDefault());
}

TEST(PluginRegistry, TheProgressLineCutsLongNamesAndTypes)
{
    PluginManager registry;
    LineCollector listener;
    registry.addPlugin(new TestPlugin("Toolbar", std::string(300, 'n')), &listener);
    registry.addPlugin(new TestPlugin(std::string(300, 't'), std::string(150, 'n')), &listener);
    ASSERT_EQ(listener.lines.size(), 2u);
    EXPECT_EQ(listener.lines[0], "Adding: '" + std::string(200, 'n') + "' of type 'Toolbar'");
    EXPECT_EQ(listener.lines[1].size(), 253u);
    EXPECT_EQ(listener.lines[1].substr(0, 9 + 150 + 11), "Adding: '" + std::string(150, 'n') + "' of type '");
    EXPECT_EQ(listener.lines[1].back(), '\'');
}

TEST(PluginRegistry, DestructionDeletesEveryPluginOnceAlsoWhenAListHeadLivesInAPlugin)
{
    std::vector<std::string> destroyed;
    {
        VornPluginBase* dialogs = nullptr; // outlives the registry that fills it
        PluginManager registry;
        // The page type is registered inside the console, and the console's own type comes
        // later, so the console is deleted by a newer record than the one it owns.
        auto* console = new TestPlugin("Dialog", "Console", &destroyed);
        console->ownTypeName = "Main Console Page";
        console->packaged = {new TestPlugin("Main Console Page", "Create Page", &destroyed)};
        registry.addPlugin(console);
        registry.addPlugin(new TestPlugin("Nobody's", "Orphan", &destroyed));
        registry.addPluginType(&dialogs, "Dialog", nullptr);
        auto* disabled = new TestPlugin("Dialog", "Hidden", &destroyed);
        registry.addPlugin(disabled);
        disabled->setEnabled(false);
        registry.applyConfiguration();
    }
    std::sort(destroyed.begin(), destroyed.end());
    EXPECT_EQ(destroyed, (Names{"Console", "Create Page", "Hidden", "Orphan"}));
}

TEST(PluginRegistry, TheProcessRegistryExistsOnlyAfterInstanciate)
{
    PluginManager* registry = PluginManager::instanciate();
    EXPECT_EQ(PluginManager::instanciate(), registry);
    EXPECT_EQ(PluginManager::instance(), registry);
}

TEST(PluginRegistry, APluginThatFailsToStartOrToPackageIsStillKept)
{
    struct Case
    {
        const char* fails;
        bool failListeners;
        uint32_t failAtIndex;
        Names kept;
    };
    const Case cases[] = {
        {"packaging", false, 1, {"Console", "View Page"}},
        {"listeners", true, 0xFFFFFFFFu, {"Console"}},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> destroyed;
        {
            PluginManager registry;
            auto* console = new TestPlugin("Dialog", "Console", &destroyed);
            auto* page = new TestPlugin("Main Console Page", "View Page", &destroyed);
            console->packaged = {page};
            console->failAtIndex = c.failAtIndex;
            console->failListeners = c.failListeners;
            EXPECT_THROW(registry.addPlugin(console), Exc_OutOfMemory) << c.fails;
            EXPECT_EQ(namesOf(registry.getUnrecognizedPlugins()), c.kept) << c.fails;
            if (c.kept.size() == 1)
                delete page; // never handed to the registry
        }
        EXPECT_EQ(destroyed.size(), 2u) << c.fails;
    }
}
