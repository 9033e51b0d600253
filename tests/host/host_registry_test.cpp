// The host's plugin types and the plugin configuration applied to and collected from the registry.
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/StartupStatus.h"
#include "plugins/PluginManager.h"
#include "tests/host/HostDialogTestSupport.h"
#include "tests/host/RecordingStatus.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace
{

class NamedPlugin : public VornPlugin
{
public:
    NamedPlugin(std::string type, std::string name) : type(std::move(type)), name(std::move(name)) {}
    const char* getTypeName() override { return type.c_str(); }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}

    std::string type;
    std::string name;
};

TEST(HostPluginTypes, ElevenTypesRegisteredInOrderIntoTheInterfaceLists)
{
    FakeMAI mai;
    PluginManager registry;
    registerHostPluginTypes(registry, mai);

    const std::vector<std::string> expected = {"Standard MenuItem", "Dialog",     "Toolbar",        "File Import",
                                               "File Export",       "ObjectType", "Object Creator", "Shape",
                                               "Object Modifier",   "View Base",  "Calculator"};
    std::vector<std::string> registered;
    for (const PluginType* type = registry.getFirstType(); type != nullptr; type = type->getNewer())
    {
        registered.push_back(type->getName());
        EXPECT_EQ(type->getOwner(), nullptr);
    }
    EXPECT_EQ(registered, expected);

    auto* calculator = new NamedPlugin("Calculator", "Full Iterator");
    auto* dialog = new NamedPlugin("Dialog", "Main Console");
    registry.addPlugin(calculator);
    registry.addPlugin(dialog);
    EXPECT_EQ(mai.pluginLists.calculators, calculator);
    EXPECT_EQ(mai.pluginLists.dialogs, dialog);

    ASSERT_NE(mai.menuItemTypes, nullptr);
    EXPECT_STREQ(mai.menuItemTypes->type->getName(), "Standard MenuItem");
    EXPECT_EQ(mai.menuItemTypes->next, nullptr) << "only the menu items may be bound to keys";
}

struct ConfiguredRegistry : ::testing::Test
{
    FakeMAI mai;
    PluginManager registry;
    RecordingStatus status;

    ConfiguredRegistry()
    {
        registerHostPluginTypes(registry, mai);
        for (const char* name : {"Basic Iterator", "Full Iterator", "Velocity Iterator"})
            registry.addPlugin(new NamedPlugin("Calculator", name));
        for (const char* name : {"TempFormat", "Drawing Exchange Format"})
            registry.addPlugin(new NamedPlugin("File Import", name));
    }

    void apply(std::vector<PluginConfigurationEntry> entries)
    {
        PluginConfigurationContent content;
        content.opened = true;
        content.entries = std::move(entries);
        applyPluginConfiguration(content, registry, status);
        registry.applyConfiguration();
    }
};

TEST_F(ConfiguredRegistry, DisabledAndDefaultEntriesRearrangeTheListsAndShowProgress)
{
    apply({{"Calculator", "Full Iterator", "Default"}, {"File Import", "TempFormat", "Disabled"}});
    EXPECT_EQ(namesOf(mai.pluginLists.calculators),
              (std::vector<std::string>{"Full Iterator", "Velocity Iterator", "Basic Iterator"}));
    EXPECT_EQ(namesOf(mai.pluginLists.fileImports), std::vector<std::string>{"Drawing Exchange Format"});
    EXPECT_EQ(namesOf(registry.getFirstDisabledPlugin("File Import")), std::vector<std::string>{"TempFormat"});
    EXPECT_EQ(status.lines,
              (std::vector<std::string>{
                  "Searching for type \"Calculator\"",
                  "Searching for plugin \"Full Iterator\"of type\"Calculator\"",
                  "Plugin \"Full Iterator\"of type\"Calculator\" set toDefault",
                  "Searching for type \"File Import\"",
                  "Searching for plugin \"TempFormat\"of type\"File Import\"",
                  "Plugin \"TempFormat\"of type\"File Import\" set toDisabled",
              }));
}

TEST_F(ConfiguredRegistry, UnknownTypesPluginsAndStatesChangeNothing)
{
    apply({{"Calculator", "TempFormat", "Disabled"},
           {"No Such Type", "Full Iterator", "Disabled"},
           {"Calculator", "Full Iterator", "default"},
           {"Calculator", "Basic Iterator", "Default"},
           {"Calculator", "Velocity Iterator", "Default"}});
    EXPECT_EQ(namesOf(mai.pluginLists.calculators),
              (std::vector<std::string>{"Velocity Iterator", "Full Iterator", "Basic Iterator"}))
        << "the later of two defaults wins";
    EXPECT_EQ(registry.getFirstDisabledPlugin("Calculator"), nullptr);
    EXPECT_EQ(status.lines[2], "Searching for type \"No Such Type\"");
    EXPECT_EQ(status.lines[3], "Searching for type \"Calculator\"") << "no plugin search in an unknown type";
}

TEST_F(ConfiguredRegistry, CollectedEntriesNameDefaultsAndDisabledPluginsOnly)
{
    apply({{"Calculator", "Full Iterator", "Default"}, {"File Import", "TempFormat", "Disabled"}});
    VornPluginBase* basic = registry.findPlugin("Calculator", "Basic Iterator");
    ASSERT_NE(basic, nullptr);
    basic->setDefault(true);
    basic->setEnabled(false); // disabled while marked default: written as disabled
    registry.applyConfiguration();
    EXPECT_EQ(collectPluginConfiguration(registry),
              (std::vector<PluginConfigurationEntry>{{"File Import", "TempFormat", "Disabled"},
                                                     {"Calculator", "Basic Iterator", "Disabled"}}));
}

TEST_F(ConfiguredRegistry, CollectedConfigurationReadsBackToTheSameLists)
{
    apply({{"Calculator", "Velocity Iterator", "Default"}, {"File Import", "Drawing Exchange Format", "Disabled"}});
    const std::string path = std::string(VORN_TEST_BINARY_DIR) + "/collected_plugin.cfg";
    ASSERT_EQ(writePluginConfiguration(path, collectPluginConfiguration(registry)), 0);

    FakeMAI freshMai;
    PluginManager fresh;
    registerHostPluginTypes(fresh, freshMai);
    for (const char* name : {"Basic Iterator", "Full Iterator", "Velocity Iterator"})
        fresh.addPlugin(new NamedPlugin("Calculator", name));
    for (const char* name : {"TempFormat", "Drawing Exchange Format"})
        fresh.addPlugin(new NamedPlugin("File Import", name));
    applyPluginConfiguration(readPluginConfiguration(path), fresh, status);
    fresh.applyConfiguration();
    EXPECT_EQ(namesOf(freshMai.pluginLists.calculators), namesOf(mai.pluginLists.calculators));
    EXPECT_EQ(namesOf(freshMai.pluginLists.fileImports), std::vector<std::string>{"TempFormat"});
}

// Start-up reading and close-time writing of "system/plugin.cfg" in a folder of their own.
struct ConfigurationFolder : ConfiguredRegistry
{
    ScratchFolder folder;
};

TEST_F(ConfigurationFolder, ARefusedFileIsKeptBesideTheNewOneWrittenAtClose)
{
    const std::string written = "PLUGINCONFIG\r\nversion 1\r\nFile Import\r\nTempFormat\r\nDisabled\r\n";
    const std::string refusedFiles[] = {
        "PLUGINCONFIG\rversion 1\rFile Import\rTempFormat\rDisabled\r", // line ends of another system
        "PLUGINCONFIG\r\nversion 2\r\nFile Import\r\nTempFormat\r\nDisabled\r\n", // a newer release's
        "",
    };
    for (const std::string& refused : refusedFiles)
    {
        std::filesystem::remove(refusedPluginConfigurationPath);
        writeFileText(pluginConfigurationPath, refused);
        status.lines.clear();
        const std::vector<PluginConfigurationEntry> absent = loadPluginConfiguration(registry, status);
        ASSERT_FALSE(status.lines.empty());
        EXPECT_NE(status.lines.back().find("kept as \"plugin.cfg.bak\""), std::string::npos) << status.lines.back();
        EXPECT_EQ(readFileText(refusedPluginConfigurationPath), refused) << "the user's file, byte for byte";

        registry.findPlugin("File Import", "TempFormat")->setEnabled(false);
        ASSERT_EQ(savePluginConfiguration(registry, absent), 0);
        EXPECT_EQ(readFileText(pluginConfigurationPath), written);
        EXPECT_EQ(readFileText(refusedPluginConfigurationPath), refused) << "writing leaves the kept file alone";
        registry.findPlugin("File Import", "TempFormat")->setEnabled(true);
    }
}

TEST_F(ConfigurationFolder, EntriesOfPluginsNotLoadedThisRunAreWrittenBackUnchanged)
{
    // A byte-order mark before the header is accepted.
    writeFileText(pluginConfigurationPath,
                  "\xEF\xBB\xBFPLUGINCONFIG\r\nversion 1\r\n"
                  "Calculator\r\nFull Iterator\r\nDefault\r\n"
                  "Calculator\r\nAbsent Iterator\r\nDefault\r\n"
                  "Toolbar\r\nDrawing Tools\r\nDisabled\r\n"
                  "No Such Type\r\nAnything\r\nsomething else\r\n"
                  "File Import\r\nTempFormat\r\nDisabled\r\n");
    const std::vector<PluginConfigurationEntry> absent = loadPluginConfiguration(registry, status);
    EXPECT_EQ(status.lines.at(1), "All OK");
    EXPECT_EQ(absent,
              (std::vector<PluginConfigurationEntry>{{"Calculator", "Absent Iterator", "Default"},
                                                     {"Toolbar", "Drawing Tools", "Disabled"},
                                                     {"No Such Type", "Anything", "something else"}}));
    registry.applyConfiguration();
    EXPECT_EQ(namesOf(mai.pluginLists.calculators).front(), "Full Iterator");
    ASSERT_EQ(savePluginConfiguration(registry, absent), 0);
    // The absent plugins' entries first: where both load again, this run's choice comes later and wins.
    EXPECT_EQ(readFileText(pluginConfigurationPath),
              "PLUGINCONFIG\r\nversion 1\r\n"
              "Calculator\r\nAbsent Iterator\r\nDefault\r\n"
              "Toolbar\r\nDrawing Tools\r\nDisabled\r\n"
              "No Such Type\r\nAnything\r\nsomething else\r\n"
              "File Import\r\nTempFormat\r\nDisabled\r\n"
              "Calculator\r\nFull Iterator\r\nDefault\r\n");
    EXPECT_FALSE(std::filesystem::exists(refusedPluginConfigurationPath)) << "a good file is not moved";
}

} // namespace
