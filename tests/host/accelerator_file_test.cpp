// Accelerator files: round trip, malformed files with their messages, missing plugins, the default
// file, and the hot-key texts derived from the key bindings.
#include "VornInterface/AcceleratorFile.h"
#include "VornInterface/KeyNames.h"
#include "platform/Services.h"
#include "tests/host/HostDialogTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace
{

using Binding = std::pair<uint32_t, std::string>;

std::vector<Binding> bindingsOf(const AcceleratorTable& table)
{
    std::vector<Binding> bindings;
    for (uint32_t code = 0; code < AcceleratorCode::Count; ++code)
        for (const AcceleratorBinding* binding = table.getBindings(code); binding != nullptr; binding = binding->next)
            bindings.emplace_back(code, binding->plugin->getName());
    return bindings;
}

const std::string header = "ACCELERATORS\r\nversion 1\r\n";

std::string entry(uint32_t code, const std::string& name, const std::string& type = "Standard MenuItem")
{
    return "Event: " + std::to_string(code) + "\r\n" + type + "\r\n" + name + "\r\n";
}

struct AcceleratorFiles : ::testing::Test, MenuItemRegistry
{
    ScratchFolder folder;
    platform::ScriptedInteraction interaction;
    AcceleratorTable table;

    bool load(const std::string& text)
    {
        writeFileText(folder.file("in.acc"), text);
        return loadAcceleratorFile(folder.file("in.acc").c_str(), table, registry, platform::WindowHandle::None);
    }
};

TEST_F(AcceleratorFiles, RoundTripKeepsCodesWithShiftAndCtrlStatesAndListOrder)
{
    using namespace AcceleratorCode;
    const std::vector<Binding> bound = {
        {RightDrag, "Move"},
        {RightDrag + mouseBase(true, false), "Rotate"},
        {MiddleClick + mouseBase(false, true), "Scale"},
        {MiddleUp + mouseBase(true, true), "Move"},
        {key('A', false, false), "Delete"},
        {key('A', false, false), "Move"},
        {key('A', false, false), "Delete"},
        {key('A', true, false), "Rotate"},
        {key(0x2E, false, true), "Delete"},
        {key(0x7B, true, true), "Scale"},
    };
    for (const auto& [code, name] : bound)
        ASSERT_NE(table.addBinding(code, item(name.c_str())), nullptr);

    ASSERT_TRUE(saveAcceleratorFile(folder.file("keys.acc").c_str(), table, platform::WindowHandle::None));
    std::string expected = header;
    for (const auto& [code, name] : bound)
        expected += entry(code, name);
    EXPECT_EQ(readFileText(folder.file("keys.acc")), expected);

    table.clear();
    ASSERT_TRUE(loadAcceleratorFile(folder.file("keys.acc").c_str(), table, registry, platform::WindowHandle::None));
    EXPECT_EQ(bindingsOf(table), bound);
    EXPECT_TRUE(interaction.boxes.empty());
}

TEST_F(AcceleratorFiles, EmptyTableGivesTwoLinesThatLoadToNothing)
{
    ASSERT_TRUE(saveAcceleratorFile(folder.file("empty.acc").c_str(), table, platform::WindowHandle::None));
    EXPECT_EQ(readFileText(folder.file("empty.acc")), header);
    EXPECT_TRUE(loadAcceleratorFile(folder.file("empty.acc").c_str(), table, registry, platform::WindowHandle::None));
    EXPECT_EQ(table.getCount(), 0);
}

TEST_F(AcceleratorFiles, LineEndsBlankLinesAndIndentationAroundEventLines)
{
    ASSERT_TRUE(load("ACCELERATORS\nversion 1\n\n   Event: 137  \nStandard MenuItem\nMove\n\r\n\t\r\n"
                     "Event: 2\r\nStandard MenuItem\r\nRotate"));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{2, "Rotate"}, {137, "Move"}}));
    EXPECT_TRUE(interaction.boxes.empty());
}

struct MalformedCase
{
    std::string name;
    std::string text;
    std::string message; // "<path>" stands for the file's path
};

TEST_F(AcceleratorFiles, MalformedFilesAreReportedOnceAndKeepWhatTheTableHeld)
{
    const std::string invalid = "File \"<path>\"\nis NOT a valid accelerator file.";
    const std::vector<MalformedCase> cases = {
        {"empty file", "", invalid},
        {"lower-case header", "accelerators\r\nversion 1\r\n", invalid},
        {"header with a trailing blank", "ACCELERATORS \r\nversion 1\r\n", invalid},
        {"no version line", "ACCELERATORS\r\n", "Version of file \"<path>\":\n\"\"\nis NOT supported."},
        {"other version", "ACCELERATORS\r\nversion 2\r\n",
         "Version of file \"<path>\":\n\"version 2\"\nis NOT supported."},
        {"no blank after the colon", header + "Event:5\r\nStandard MenuItem\r\nMove\r\n",
         "Version of file \"<path>\":\n\"Event:5\"\nis NOT supported."},
        {"code 0", header + "Event: 0\r\nStandard MenuItem\r\nMove\r\n",
         "Unable to process \"Event: 0\nin file \"<path>\""},
        {"letters for the code", header + "Event: abc\r\nStandard MenuItem\r\nMove\r\n",
         "Unable to process \"Event: abc\nin file \"<path>\""},
        {"code above the table", header + "Event: 1096\r\nStandard MenuItem\r\nMove\r\n",
         "The event code of \"Event: 1096\"\nin file \"<path>\"\nis not between 1 and 1095."},
        {"negative code", header + "Event: -3\r\nStandard MenuItem\r\nMove\r\n",
         "The event code of \"Event: -3\"\nin file \"<path>\"\nis not between 1 and 1095."},
        {"overlong digits", header + "Event: 99999999999999999999\r\nStandard MenuItem\r\nMove\r\n",
         "The event code of \"Event: 99999999999999999999\"\nin file \"<path>\"\nis not between 1 and 1095."},
        {"no name line", header + "Event: 5\r\nStandard MenuItem\r\n", "Unexpected end of file \"<path>\""},
        {"no type line", header + entry(3, "Scale") + "Event: 5\r\n", "Unexpected end of file \"<path>\""},
    };
    for (const MalformedCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        table.clear();
        table.addBinding(AcceleratorCode::RightUp, item("Delete"));
        interaction.boxes.clear();
        EXPECT_FALSE(load(c.text));
        ASSERT_EQ(interaction.boxes.size(), 1u);
        std::string message = c.message;
        message.replace(message.find("<path>"), 6, folder.file("in.acc"));
        EXPECT_EQ(interaction.boxes[0].text, message);
        EXPECT_EQ(interaction.boxes[0].caption, "Error loading accelerators");
        EXPECT_EQ(interaction.boxes[0].type, platform::MB_OK | platform::MB_ICONEXCLAMATION);
        EXPECT_EQ(table.getBindings(AcceleratorCode::RightUp)->plugin, item("Delete")) << "nothing lost";
    }
}

TEST_F(AcceleratorFiles, UnreadableFileReportsTheFileErrorCause)
{
    EXPECT_FALSE(
        loadAcceleratorFile(folder.file("missing.acc").c_str(), table, registry, platform::WindowHandle::None));
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text, "Could not load accelerators\nErrorCode:  2");
    EXPECT_EQ(interaction.boxes[0].caption, "FileException");
    EXPECT_FALSE(loadAcceleratorFile(nullptr, table, registry, platform::WindowHandle::None));
    EXPECT_EQ(interaction.boxes.size(), 1u) << "a null path fails silently";
}

TEST_F(AcceleratorFiles, MissingPluginIgnoredSkipsAbortedStops)
{
    const std::string text = header + entry(3, "Move") + entry(4, "Gone") + entry(5, "Rotate ") + entry(6, "Scale") +
        entry(7, "Rotate", "No Such Type") + entry(8, "Rotate");
    interaction.boxAnswers = {platform::IDIGNORE, platform::IDIGNORE, platform::IDIGNORE};
    EXPECT_TRUE(load(text));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{3, "Move"}, {6, "Scale"}, {8, "Rotate"}}));
    ASSERT_EQ(interaction.boxes.size(), 3u);
    EXPECT_EQ(interaction.boxes[0].text, "Plugin \"Gone\nof Type \"Standard MenuItem\"\nis NOT present in system");
    EXPECT_EQ(interaction.boxes[1].text, "Plugin \"Rotate \nof Type \"Standard MenuItem\"\nis NOT present in system")
        << "a name with a trailing blank matches no plugin";
    EXPECT_EQ(interaction.boxes[0].type, platform::MB_ABORTRETRYIGNORE | platform::MB_ICONEXCLAMATION);

    table.clear();
    interaction.boxes.clear();
    interaction.boxAnswers = {platform::IDABORT};
    EXPECT_FALSE(load(text));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{3, "Move"}}));
    EXPECT_EQ(interaction.boxes.size(), 1u);
}

// Answers Retry and, while the box is up, adds the missing plugin (the person installed it).
class InstallingOnRetry : public platform::ScriptedInteraction
{
public:
    explicit InstallingOnRetry(PluginManager& registry) : registry(registry) {}
    int32_t messageBox(const platform::MessageBoxRequest& request) override
    {
        boxes.push_back(request);
        registry.addPlugin(new RecordingMenuItem("Late"));
        return platform::IDRETRY;
    }
    PluginManager& registry;
};

TEST_F(AcceleratorFiles, RetryLooksForTheMissingPluginAgain)
{
    InstallingOnRetry installing(registry);
    EXPECT_TRUE(load(header + entry(137, "Late") + entry(140, "Move")));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{137, "Late"}, {140, "Move"}}));
    EXPECT_EQ(installing.boxes.size(), 1u);
}

TEST_F(AcceleratorFiles, DisabledPluginIsStillBound)
{
    VornPluginMenuItem* scale = item("Scale");
    scale->setEnabled(false);
    registry.applyConfiguration();
    ASSERT_EQ(registry.getFirstDisabledPlugin("Standard MenuItem"), scale);
    EXPECT_TRUE(load(header + entry(4, "Scale")));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{4, "Scale"}}));
}

TEST_F(AcceleratorFiles, DefaultFileIsWrittenWhenNoneExistsAndReadWhenItDoes)
{
    ASSERT_FALSE(std::filesystem::exists("system/default.acc"));
    EXPECT_TRUE(loadDefaultAccelerators(table, registry, platform::WindowHandle::None));
    EXPECT_EQ(readFileText("system/default.acc"), header);
    EXPECT_TRUE(interaction.boxes.empty());

    writeFileText("system/default.acc", header + entry(150, "Rotate"));
    EXPECT_TRUE(loadDefaultAccelerators(table, registry, platform::WindowHandle::None));
    EXPECT_EQ(bindingsOf(table), (std::vector<Binding>{{150, "Rotate"}}));
}

TEST_F(AcceleratorFiles, FailedSaveIsReportedAndLeavesNoFile)
{
    table.addBinding(5, item("Move"));
    EXPECT_FALSE(saveAcceleratorFile(folder.file("missing/keys.acc").c_str(), table, platform::WindowHandle::None));
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text, "Could not save accelerators\nErrorCode:  2");
    EXPECT_EQ(interaction.boxes[0].caption, "FileError");

    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));
}

TEST(KeyNames, HotKeyTextsOfKeyCodes)
{
    using AcceleratorCode::key;
    const std::pair<uint32_t, std::string> cases[] = {
        {key(0x25, false, false), "Left"},
        {key(0x24, false, false), "Home"},
        {key(0x21, false, false), "Page up"},
        {key(0x2D, false, false), "Insert"},
        {key(0x2E, false, false), "Del"},
        {key(0x2E, true, false), "Shift+Delete"},
        {key('A', false, false), "A"},
        {key('A', false, true), "Ctrl+A"},
        {key(0x74, true, true), "Shift+Ctrl+F5"},
        {key(0x22, true, false), "Shift+Page Down"},
        {key(0x67, false, false), "Num 7"},
        {key(0xBD, false, true), "Ctrl+-"},
        {key(0x0D, false, false), "Enter"},
        {key(0x1B, false, false), "Esc"},
        {key(0x00, false, false), ""},
        {AcceleratorCode::RightDrag, ""},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(hotKeyTextOfCode(code), text) << "code " << code;
    EXPECT_EQ(capitalizedKeyName("PAGE UP"), "Page up");
}

TEST(MenuItemHotkeyTexts, UnshiftedKeysFirstAndOnlyTheFirstBindingOfAKey)
{
    MenuItemRegistry items;
    platform::ScriptedInteraction interaction;
    AcceleratorTable& table = items.mai.accelerators;
    using AcceleratorCode::key;
    table.addBinding(key('M', true, false), items.item("Move"));
    table.addBinding(key('Z', false, false), items.item("Move"));
    table.addBinding(key('R', false, true), items.item("Rotate"));
    table.addBinding(key(0x2E, false, false), items.item("Delete"));
    table.addBinding(key(0x2E, false, false), items.item("Scale"));
    table.addBinding(AcceleratorCode::RightDrag, items.item("Scale"));
    std::strcpy(items.item("Scale")->hotKeyText, "Stale");

    EXPECT_TRUE(updateMenuItemHotkeyTexts(items.mai));
    EXPECT_STREQ(items.item("Move")->hotKeyText, "Z");
    EXPECT_STREQ(items.item("Rotate")->hotKeyText, "Ctrl+R");
    EXPECT_STREQ(items.item("Delete")->hotKeyText, "Del");
    EXPECT_STREQ(items.item("Scale")->hotKeyText, "") << "second of its key, and mouse bindings give no text";
    EXPECT_EQ(items.item("Scale")->hotKeyTextChanged, 1);
    EXPECT_TRUE(interaction.boxes.empty());
}

} // namespace
