#include "VornInterface/PluginConfiguration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace
{

const std::string corrupted = "file \"plugin.cfg\" is corrupted";
const std::string endOfFile = "Unexpected end of file \"plugin.cfg\"";
const std::string wrongVersion = "wrong version of file \"plugin.cfg\"";

using Lines = std::vector<std::string>;

struct HeaderCase
{
    Lines lines;
    std::string message; // "All OK" when the header is good
};

TEST(PluginConfigurationReading, HeaderChecks)
{
    const HeaderCase cases[] = {
        {{"PLUGINCONFIG", "version 1"}, "All OK"},
        {{"\xEF\xBB\xBFPLUGINCONFIG", "version 1"}, "All OK"},
        {{"\xEF\xBB\xBF", "PLUGINCONFIG", "version 1"}, corrupted},
        {{}, endOfFile},
        {{"PLUGINCONFIG"}, endOfFile},
        {{"PLUGINCONFIG ", "version 1"}, corrupted},
        {{"pluginconfig", "version 1"}, corrupted},
        {{"PLUGINCONFIG", "version"}, corrupted},
        {{"PLUGINCONFIG", "Version 1"}, corrupted},
        {{"PLUGINCONFIG", "version 2"}, wrongVersion},
        {{"PLUGINCONFIG", "version 1 "}, wrongVersion},
    };
    for (const HeaderCase& c : cases)
    {
        PluginConfigurationContent content = parsePluginConfiguration(c.lines);
        const std::string shown = c.lines.empty() ? "" : c.lines.back();
        EXPECT_TRUE(content.opened);
        EXPECT_EQ(content.headerStatus, c.message) << shown;
        EXPECT_EQ(content.message, c.message) << shown;
        EXPECT_EQ(content.ok, c.message == "All OK") << shown;
        EXPECT_TRUE(content.entries.empty());
    }
}

TEST(PluginConfigurationReading, EntriesEndAtEndOfFileOrEmptyTypeLine)
{
    PluginConfigurationContent content = parsePluginConfiguration(
        {"PLUGINCONFIG", "version 1", "Calculator", "Basic Iterator", "Default", "Standard MenuItem", "Delete",
         "Disabled", "", "Dialog", "After the end", "Disabled"});
    EXPECT_TRUE(content.ok);
    ASSERT_EQ(content.entries.size(), 2u);
    EXPECT_EQ(content.entries[0], (PluginConfigurationEntry{"Calculator", "Basic Iterator", "Default"}));
    EXPECT_EQ(content.entries[1], (PluginConfigurationEntry{"Standard MenuItem", "Delete", "Disabled"}));
}

TEST(PluginConfigurationReading, MissingStateLineKeepsEarlierEntriesAndReportsEndOfFile)
{
    PluginConfigurationContent content = parsePluginConfiguration(
        {"PLUGINCONFIG", "version 1", "Calculator", "Full Iterator", "Default", "Dialog", "PropertyList"});
    EXPECT_FALSE(content.ok);
    EXPECT_EQ(content.headerStatus, "All OK");
    EXPECT_EQ(content.message, endOfFile);
    ASSERT_EQ(content.entries.size(), 1u);
    EXPECT_EQ(content.entries[0].pluginName, "Full Iterator");
}

TEST(PluginConfigurationReading, LinesAreTakenExactlyWithoutTrimming)
{
    PluginConfigurationContent content =
        parsePluginConfiguration({"PLUGINCONFIG", "version 1", " Dialog", "Name ", "Default "});
    ASSERT_EQ(content.entries.size(), 1u);
    EXPECT_EQ(content.entries[0], (PluginConfigurationEntry{" Dialog", "Name ", "Default "}));
}

struct FileFixture : ::testing::Test
{
    std::filesystem::path folder = std::filesystem::path(VORN_TEST_BINARY_DIR) / "plugin_configuration_files";
    FileFixture()
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "system");
    }
    std::string path() const { return (folder / pluginConfigurationPath).string(); }
};

TEST_F(FileFixture, FilesWithEitherLineEndReadTheSame)
{
    for (const char* text : {"PLUGINCONFIG\r\nversion 1\r\nDialog\r\nMain Console\r\nDisabled\r\n",
                             "PLUGINCONFIG\nversion 1\nDialog\nMain Console\nDisabled"})
    {
        std::ofstream(path(), std::ios::binary) << text;
        PluginConfigurationContent content = readPluginConfiguration(path());
        EXPECT_TRUE(content.ok) << content.message;
        EXPECT_EQ(content.entries, (std::vector<PluginConfigurationEntry>{{"Dialog", "Main Console", "Disabled"}}));
    }
}

TEST_F(FileFixture, MissingOrUnreadableFileIsAReadError)
{
    const std::string readError = "Errors during reading of file \"plugin.cfg\"";
    PluginConfigurationContent missing = readPluginConfiguration(path());
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, readError);
    EXPECT_TRUE(missing.headerStatus.empty()) << "no header status when nothing was read";

    std::filesystem::create_directory(path());
    EXPECT_EQ(readPluginConfiguration(path()).message, readError) << "a folder in its place";
}

TEST_F(FileFixture, WrittenFileReadsBackWithItsLineEndsAndReplacesTheOldOneWhole)
{
    const std::vector<PluginConfigurationEntry> entries = {{"Standard MenuItem", "Delete", "Disabled"},
                                                           {"Calculator", "Full Iterator", "Default"}};
    {
        std::ofstream old(path());
        old << "a much longer old file that must not leave a tail behind it\n" << std::string(500, 'x');
    }
    ASSERT_EQ(writePluginConfiguration(path(), entries), 0);
    std::ifstream file(path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "PLUGINCONFIG\r\nversion 1\r\nStandard MenuItem\r\nDelete\r\nDisabled\r\n"
              "Calculator\r\nFull Iterator\r\nDefault\r\n");
    PluginConfigurationContent content = readPluginConfiguration(path());
    EXPECT_TRUE(content.ok);
    EXPECT_EQ(content.entries, entries);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "system"))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1) << "no temporary file left behind";
}

TEST_F(FileFixture, WriteIntoMissingFolderFailsAndChangesNothing)
{
    std::filesystem::remove_all(folder / "system");
    EXPECT_NE(writePluginConfiguration(path(), {}), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "system"));
}

} // namespace
