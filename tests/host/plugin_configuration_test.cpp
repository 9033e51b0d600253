#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{

const std::string corrupted = "file \"plugin.cfg\" is corrupted";
const std::string endOfFile = "Unexpected end of file \"plugin.cfg\"";
const std::string wrongVersion = "wrong version of file \"plugin.cfg\"";

struct HeaderCase
{
    const char* text;
    std::string message; // "All OK" when the header is good
};

TEST(PluginConfigurationReading, HeaderChecks)
{
    const HeaderCase cases[] = {
        {"PLUGINCONFIG\r\nversion 1\r\n", "All OK"},
        {"PLUGINCONFIG\nversion 1", "All OK"},
        {"", endOfFile},
        {"PLUGINCONFIG\r\n", endOfFile},
        {"PLUGINCONFIG \r\nversion 1\r\n", corrupted},
        {"pluginconfig\r\nversion 1\r\n", corrupted},
        {"PLUGINCONFIG\r\nversion\r\n", corrupted},
        {"PLUGINCONFIG\r\nVersion 1\r\n", corrupted},
        {"PLUGINCONFIG\r\nversion 2\r\n", wrongVersion},
        {"PLUGINCONFIG\r\nversion 1 \r\n", wrongVersion},
    };
    for (const HeaderCase& c : cases)
    {
        PluginConfigurationContent content = parsePluginConfiguration(c.text);
        EXPECT_TRUE(content.opened);
        EXPECT_EQ(content.headerStatus, c.message) << c.text;
        EXPECT_EQ(content.message, c.message) << c.text;
        EXPECT_EQ(content.ok, c.message == "All OK") << c.text;
        EXPECT_TRUE(content.entries.empty());
    }
}

TEST(PluginConfigurationReading, EntriesEndAtEndOfFileOrEmptyTypeLine)
{
    PluginConfigurationContent content = parsePluginConfiguration(
        "PLUGINCONFIG\r\nversion 1\r\nCalculator\r\nBasic Iterator\r\nDefault\r\n"
        "Standard MenuItem\nDelete\nDisabled\n\nDialog\nAfter the end\nDisabled\n");
    EXPECT_TRUE(content.ok);
    ASSERT_EQ(content.entries.size(), 2u);
    EXPECT_EQ(content.entries[0], (PluginConfigurationEntry{"Calculator", "Basic Iterator", "Default"}));
    EXPECT_EQ(content.entries[1], (PluginConfigurationEntry{"Standard MenuItem", "Delete", "Disabled"}));
}

TEST(PluginConfigurationReading, MissingStateLineKeepsEarlierEntriesAndReportsEndOfFile)
{
    PluginConfigurationContent content = parsePluginConfiguration(
        "PLUGINCONFIG\r\nversion 1\r\nCalculator\r\nFull Iterator\r\nDefault\r\nDialog\r\nPropertyList\r\n");
    EXPECT_FALSE(content.ok);
    EXPECT_EQ(content.headerStatus, "All OK");
    EXPECT_EQ(content.message, endOfFile);
    ASSERT_EQ(content.entries.size(), 1u);
    EXPECT_EQ(content.entries[0].pluginName, "Full Iterator");
}

TEST(PluginConfigurationReading, LinesAreTakenExactlyWithoutTrimming)
{
    PluginConfigurationContent content =
        parsePluginConfiguration("PLUGINCONFIG\r\nversion 1\r\n Dialog\r\nName \r\nDefault\r\r\n");
    ASSERT_EQ(content.entries.size(), 1u);
    EXPECT_EQ(content.entries[0], (PluginConfigurationEntry{" Dialog", "Name ", "Default\r"}));
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

TEST_F(FileFixture, WrittenFileReadsBackAndReplacesTheOldOneWhole)
{
    const std::vector<PluginConfigurationEntry> entries = {
        {"Standard MenuItem", "Delete", "Disabled"}, {"Calculator", "Full Iterator", "Default"}};
    {
        std::ofstream old(path());
        old << "a much longer old file that must not leave a tail behind it\n" << std::string(500, 'x');
    }
    ASSERT_EQ(writeFileReplacing(path(), formatPluginConfiguration(entries)), 0);
    std::string text;
    ASSERT_TRUE(readWholeFile(path(), text));
    EXPECT_EQ(text, "PLUGINCONFIG\r\nversion 1\r\nStandard MenuItem\r\nDelete\r\nDisabled\r\n"
                    "Calculator\r\nFull Iterator\r\nDefault\r\n");
    PluginConfigurationContent content = readPluginConfiguration(path());
    EXPECT_TRUE(content.ok);
    EXPECT_EQ(content.entries, entries);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "system"))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1) << "no temporary file left behind";
}

TEST_F(FileFixture, WriteIntoMissingFolderFailsWithBadPathAndChangesNothing)
{
    std::filesystem::remove_all(folder / "system");
    EXPECT_EQ(writeFileReplacing(path(), formatPluginConfiguration({})), 3);
    EXPECT_FALSE(std::filesystem::exists(folder / "system"));
}

} // namespace
