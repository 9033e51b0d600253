// The plugins dialog: the tree of types and plugins, the buttons per selection, and the default
// and disabled marks, written to the plugin configuration and read back at the next start.
#include "VornInterface/HostDialogResources.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/PluginsDialog.h"
#include "VornInterface/StartupStatus.h"
#include "platform/Services.h"
#include "tests/host/HostDialogTestSupport.h"
#include "tests/host/TreeTestSupport.h"
#include "tests/platform/PlatformTestApplication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using platform::TreeItem;
using Button = CPluginsDialog::ButtonState;

class Calculator : public VornPlugin
{
public:
    explicit Calculator(std::string name, std::string type = "Calculator")
        : name(std::move(name)), type(std::move(type))
    {
    }
    const char* getTypeName() override { return type.c_str(); }
    const char* getName() override { return name.c_str(); }
    const char* getDescription() override
    {
        description = name + ":\nIterates.";
        return description.c_str();
    }
    void about(PluginWindowHandle*) override { ++aboutCalls; }
    PluginWindowRequest* getPropertiesRequest() override { return withProperties ? &request : nullptr; }

    std::string name;
    std::string type;
    std::string description;
    int aboutCalls = 0;
    bool withProperties = false;
    PluginWindowRequest request;
};

// A plugin that registers a type of its own, as a view library does for its draw objects.
class OwningPlugin : public Calculator
{
public:
    OwningPlugin() : Calculator("Owner", "View Base") {}
    void registerPluginTypes(PluginManager* registry) override { registry->addPluginType(&ownList, "Sub Kind", this); }
    VornPluginBase* ownList = nullptr;
};

struct NoStatus : StartupStatus
{
    void showStatus(const std::string&) override {}
};

struct PluginsDialogFixture : ::testing::Test
{
    ScratchFolder folder;
    platform::ScriptedInteraction interaction;
    FakeMAI mai;
    PluginManager registry;
    Calculator* basic = new Calculator("Basic Iterator");
    Calculator* full = new Calculator("Full Iterator");
    Calculator* velocity = new Calculator("Velocity Iterator");
    std::unique_ptr<CPluginsDialog> dialog;

    PluginsDialogFixture()
    {
        platformApplication();
        registerHostPluginTypes(registry, mai);
        for (Calculator* plugin : {basic, full, velocity})
        {
            plugin->mai = &mai;
            registry.addPlugin(plugin);
        }
        registry.addPlugin(new OwningPlugin);
        registry.addPlugin(new Calculator("Sub One", "Sub Kind"));
        registry.addPlugin(new Calculator("Mystery", "Nobody's Type"));
        full->setDefault(true);
        velocity->setEnabled(false);
        registry.applyConfiguration();
        dialog = std::make_unique<CPluginsDialog>(registry);
        EXPECT_TRUE(dialog->create(nullptr, hostResourceModule()));
    }

    platform::TreeControl& tree() { return dialog->getTree(); }
    TreeItem calculatorItem() { return childNamed(tree(), dialog->getRootItem(), "Calculator"); }
    TreeItem pluginItem(const std::string& name) { return childNamed(tree(), calculatorItem(), name); }
    Button shown(int32_t id)
    {
        return {dialog->dlgItem(id)->isEnabled(), dialog->isDlgButtonChecked(id) == platform::BST_CHECKED};
    }
    void expectButtons(Button about, Button properties, Button disable, Button defaultButton)
    {
        for (auto [id, expected] :
             {std::pair{CPluginsDialog::AboutId, about}, std::pair{CPluginsDialog::PropertiesId, properties},
              std::pair{CPluginsDialog::DisableId, disable}, std::pair{CPluginsDialog::DefaultId, defaultButton}})
        {
            EXPECT_EQ(dialog->buttonState(id), expected) << "button " << id;
            EXPECT_EQ(shown(id), expected) << "shown button " << id;
        }
    }
};

TEST_F(PluginsDialogFixture, TreeShowsHostTypesPluginsOwnedTypesAndUnrecognizedPlugins)
{
    const TreeItem root = dialog->getRootItem();
    EXPECT_EQ(tree().itemText(root), "SYSTEM");
    EXPECT_EQ(childTexts(tree(), root),
              (std::vector<std::string>{"Calculator", "Dialog", "File Export", "File Import", "Object Creator",
                                        "Object Modifier", "ObjectType", "Shape", "Standard MenuItem", "Toolbar",
                                        "View Base", "Unrecognized Plugins"}));
    EXPECT_EQ(childTexts(tree(), calculatorItem()),
              (std::vector<std::string>{"Basic Iterator", "Full Iterator", "Velocity Iterator"}));
    EXPECT_EQ(tree().itemImage(pluginItem("Basic Iterator")), CPluginsDialog::PluginImage);
    EXPECT_EQ(tree().itemImage(pluginItem("Full Iterator")), CPluginsDialog::DefaultImage);
    EXPECT_EQ(tree().itemImage(pluginItem("Velocity Iterator")), CPluginsDialog::DisabledImage);

    const TreeItem owner = childNamed(tree(), childNamed(tree(), root, "View Base"), "Owner");
    EXPECT_EQ(childTexts(tree(), owner), std::vector<std::string>{"Sub Kind"}) << "owned types below their plugin";
    EXPECT_EQ(childTexts(tree(), childNamed(tree(), owner, "Sub Kind")), std::vector<std::string>{"Sub One"});
    const TreeItem unrecognized = childNamed(tree(), root, "Unrecognized Plugins");
    EXPECT_EQ(tree().itemImage(unrecognized), CPluginsDialog::UnrecognizedImage);
    EXPECT_EQ(childTexts(tree(), unrecognized), std::vector<std::string>{"Mystery"});
    EXPECT_TRUE(tree().isExpanded(root));
}

TEST_F(PluginsDialogFixture, ButtonsAndDescriptionFollowTheSelection)
{
    const Button off;
    tree().selectItem(dialog->getRootItem());
    EXPECT_EQ(dialog->getDescription(), "SYSTEM:\nThis is the root of all plugin types");
    EXPECT_EQ(dialog->dlgItemText(CPluginsDialog::DescriptionId), dialog->getDescription());
    expectButtons({true, false}, off, off, off);

    tree().selectItem(calculatorItem());
    EXPECT_EQ(dialog->getDescription(), "Plugin Type:\nCalculator");
    expectButtons(off, off, off, off);

    full->withProperties = true;
    tree().selectItem(pluginItem("Full Iterator"));
    EXPECT_EQ(dialog->getDescription(), "Full Iterator:\nIterates.");
    expectButtons({true, false}, {true, false}, {true, false}, {true, true});

    tree().selectItem(pluginItem("Velocity Iterator"));
    expectButtons({true, false}, off, {true, true}, off);

    tree().selectItem(childNamed(tree(), dialog->getRootItem(), "Unrecognized Plugins"));
    EXPECT_EQ(dialog->getDescription(),
              "Unrecognized Plugins:\nAny plugin who's type is not registered, is added to this list.");
    expectButtons(off, off, off, off);
}

TEST_F(PluginsDialogFixture, AboutAndPropertiesReachThePlugin)
{
    tree().selectItem(dialog->getRootItem());
    dialog->OnAbout();
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].caption, "PLUGIN SYSTEM");
    EXPECT_EQ(interaction.boxes[0].text,
              "Central Plugin System\na system allowing plugin coders\nto register new plugin types");

    tree().selectItem(pluginItem("Velocity Iterator"));
    dialog->OnAbout();
    EXPECT_EQ(velocity->aboutCalls, 1) << "about works for disabled plugins too";
    velocity->withProperties = true;
    velocity->request.dialogId = 4711;
    dialog->OnProperties();
    EXPECT_EQ(mai.requests, std::vector<int32_t>{4711});
}

TEST_F(PluginsDialogFixture, DefaultMovesTheMarkAndDisablingClearsIt)
{
    tree().selectItem(pluginItem("Basic Iterator"));
    dialog->OnDefault();
    EXPECT_TRUE(basic->isDefault());
    EXPECT_FALSE(full->isDefault());
    EXPECT_EQ(tree().itemImage(pluginItem("Basic Iterator")), CPluginsDialog::DefaultImage);
    EXPECT_EQ(tree().itemImage(pluginItem("Full Iterator")), CPluginsDialog::PluginImage);
    EXPECT_TRUE(shown(CPluginsDialog::DefaultId).checked);

    dialog->OnDisable();
    EXPECT_FALSE(basic->isEnabled());
    EXPECT_FALSE(basic->isDefault());
    EXPECT_EQ(tree().itemImage(pluginItem("Basic Iterator")), CPluginsDialog::DisabledImage);
    expectButtons({true, false}, {false, false}, {true, true}, {false, false});
    dialog->OnDefault();
    EXPECT_FALSE(basic->isDefault()) << "a disabled plugin is not made the default";

    dialog->OnDisable();
    EXPECT_TRUE(basic->isEnabled());
    EXPECT_FALSE(basic->isDefault()) << "enabling again does not restore the mark";
    EXPECT_EQ(tree().itemImage(pluginItem("Basic Iterator")), CPluginsDialog::PluginImage);
    EXPECT_EQ(childTexts(tree(), calculatorItem()),
              (std::vector<std::string>{"Basic Iterator", "Full Iterator", "Velocity Iterator"}));
    EXPECT_TRUE(interaction.beeps.empty());
}

TEST_F(PluginsDialogFixture, ResizingKeepsTheButtonsAtTheLeftEdgeBelowTheTree)
{
    dialog->moveWindow({0, 0, 500, 400});
    const platform::Rect client = dialog->clientRect();
    auto placeOf = [this](platform::Window* child) { return dialog->screenToClient(child->windowRect()); };
    EXPECT_EQ(placeOf(&tree()).width(), client.width() - 2);
    EXPECT_EQ(placeOf(&tree()).height(), client.height() - 98);
    const std::pair<int32_t, int32_t> rows[] = {{CPluginsDialog::DefaultId, 24},
                                                {CPluginsDialog::DisableId, 48},
                                                {CPluginsDialog::PropertiesId, 72},
                                                {CPluginsDialog::AboutId, 96}};
    for (const auto& [id, above] : rows)
    {
        EXPECT_EQ(placeOf(dialog->dlgItem(id)).topLeft(), (platform::Point{2, client.height() - above})) << id;
    }
    EXPECT_EQ(placeOf(dialog->dlgItem(CPluginsDialog::DescriptionId)).topLeft(),
              (platform::Point{80, client.height() - 96}));
}

TEST_F(PluginsDialogFixture, MarksAreWrittenToThePluginConfigurationAndReadBackAtTheNextStart)
{
    const std::vector<std::string> listBefore = childTexts(tree(), calculatorItem());
    VornPluginBase* firstBefore = mai.pluginLists.calculators;
    tree().selectItem(pluginItem("Velocity Iterator"));
    dialog->OnDisable(); // enabled again
    dialog->OnDefault(); // and made the default
    tree().selectItem(pluginItem("Basic Iterator"));
    dialog->OnDisable();
    EXPECT_EQ(mai.pluginLists.calculators, firstBefore) << "the lists are not rearranged during the run";
    EXPECT_EQ(registry.getFirstDisabledPlugin("Calculator"), velocity);
    EXPECT_EQ(childTexts(tree(), calculatorItem()), listBefore);
    ASSERT_EQ(savePluginConfiguration(registry), 0);

    FakeMAI nextMai;
    PluginManager next;
    registerHostPluginTypes(next, nextMai);
    for (const char* name : {"Basic Iterator", "Full Iterator", "Velocity Iterator"})
        next.addPlugin(new Calculator(name));
    NoStatus status;
    applyPluginConfiguration(readPluginConfiguration(pluginConfigurationPath), next, status);
    next.applyConfiguration();
    ASSERT_NE(nextMai.pluginLists.calculators, nullptr);
    EXPECT_STREQ(nextMai.pluginLists.calculators->getName(), "Velocity Iterator");
    EXPECT_TRUE(nextMai.pluginLists.calculators->isDefault());
    ASSERT_NE(next.getFirstDisabledPlugin("Calculator"), nullptr);
    EXPECT_STREQ(next.getFirstDisabledPlugin("Calculator")->getName(), "Basic Iterator");
}

} // namespace
