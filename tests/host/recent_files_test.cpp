// The recent-file list: its order, its store and its entries in the File menu.
#include "VornInterface/HostMenus.h"
#include "VornInterface/RecentFileList.h"
#include "platform/Application.h"
#include "platform/Menu.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

using Paths = std::vector<std::string>;

struct AddCase
{
    const char* name;
    Paths added;
    Paths expected;
};

class RecentFileOrder : public ::testing::TestWithParam<AddCase>
{
};

TEST_P(RecentFileOrder, NewestFirstAtMostFourWithoutDuplicates)
{
    RecentFileList list;
    int changes = 0;
    list.setChangeListener([&changes] { ++changes; });
    for (const std::string& path : GetParam().added)
        list.add(path);
    EXPECT_EQ(list.paths(), GetParam().expected);
    EXPECT_EQ(changes, static_cast<int>(GetParam().added.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentFileOrder,
    ::testing::Values(
        AddCase{"one", {"/m/a.sfa"}, {"/m/a.sfa"}},
        AddCase{"newest_first", {"/m/a.sfa", "/m/b.sfa"}, {"/m/b.sfa", "/m/a.sfa"}},
        AddCase{"again_moves_to_the_front",
                {"/m/a.sfa", "/m/b.sfa", "/m/c.sfa", "/m/a.sfa"},
                {"/m/a.sfa", "/m/c.sfa", "/m/b.sfa"}},
        AddCase{"same_file_spelled_twice_collapses", {"/m/a.sfa", "/m/./x/../a.sfa"}, {"/m/a.sfa"}},
        AddCase{"the_oldest_falls_off", {"/m/1", "/m/2", "/m/3", "/m/4", "/m/5"}, {"/m/5", "/m/4", "/m/3", "/m/2"}},
        AddCase{"full_list_again_keeps_all_four",
                {"/m/1", "/m/2", "/m/3", "/m/4", "/m/2"},
                {"/m/2", "/m/4", "/m/3", "/m/1"}}),
    [](const ::testing::TestParamInfo<AddCase>& info) { return std::string(info.param.name); });

TEST(RecentFileList, RelativeNamesAreKeptAbsoluteAndRemovalOutOfRangeDoesNothing)
{
    RecentFileList list;
    list.add("frame.sfa");
    ASSERT_EQ(list.paths().size(), 1u);
    EXPECT_EQ(list.paths()[0], (std::filesystem::current_path() / "frame.sfa").string());
    list.remove(3);
    EXPECT_EQ(list.paths().size(), 1u);
    list.remove(0);
    EXPECT_TRUE(list.paths().empty());
}

TEST(RecentFileList, SurvivesInTheSettingsStore)
{
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "recent_files_store";
    std::filesystem::remove_all(folder);
    {
        platform::Settings store("Quorl v2", "Quorl v2", folder.string());
        RecentFileList list(&store);
        EXPECT_TRUE(list.paths().empty());
        for (const char* path : {"/m/1", "/m/2", "/m/3", "/m/4", "/m/5"})
            list.add(path);
        list.remove(1);
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "Quorl v2" / "Quorl v2.ini"));
    platform::Settings store("Quorl v2", "Quorl v2", folder.string());
    EXPECT_EQ(store.readString("Recent File List", "File4"), "") << "a shortened list leaves no stale entry";
    RecentFileList list(&store);
    EXPECT_EQ(list.paths(), (Paths{"/m/5", "/m/3", "/m/2"}));
    std::filesystem::remove_all(folder);
}

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "recent_files_test";
    static char* argv[] = {name, nullptr};
    static auto* application = platform::Application::instance() != nullptr
        ? platform::Application::instance()
        : new platform::Application(argc, argv, "Quorl2");
    (void)application;
}

// The File menu's entries from the one before the recent files to the one after them.
Paths recentEntries(platform::Menu& bar)
{
    platform::Menu& file = *bar.submenu(0);
    Paths texts;
    const int exit = file.findCommand(HostCommand::Exit);
    for (int position = 0; position < exit; ++position)
    {
        const std::uint32_t id = file.commandId(position);
        if (id >= HostCommand::RecentFile && id < HostCommand::RecentFile + RecentFileList::capacity)
        {
            EXPECT_EQ(id, HostCommand::RecentFile + texts.size());
            EXPECT_TRUE(file.isSeparator(position - 1 - static_cast<int>(texts.size())));
            texts.push_back(file.entryText(position));
        }
    }
    EXPECT_TRUE(file.isSeparator(exit - 1));
    return texts;
}

TEST(RecentFileMenu, EntriesTakeThePlaceOfRecentFileAndGiveItBackWhenEmpty)
{
    ensureApplication();
    for (auto makeMenu : {&makeNoDocumentMenu, &makeDocumentMenu})
    {
        std::unique_ptr<platform::Menu> bar = makeMenu();
        EXPECT_EQ(recentEntries(*bar), Paths{"Recent File"});
        showRecentFiles(*bar, {"/m/b.sfa", "/m/R&D/a.sfa"});
        EXPECT_EQ(recentEntries(*bar), (Paths{"&1 /m/b.sfa", "&2 /m/R&&D/a.sfa"}));
        showRecentFiles(*bar, {"/m/c.sfa"});
        EXPECT_EQ(recentEntries(*bar), Paths{"&1 /m/c.sfa"});
        showRecentFiles(*bar, {});
        EXPECT_EQ(recentEntries(*bar), Paths{"Recent File"});
    }
}

} // namespace
