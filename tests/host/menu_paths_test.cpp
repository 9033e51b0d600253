#include "VornInterface/CommandIds.h"
#include "VornInterface/MenuPaths.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// An in-memory menu tree: each entry is a text with either a command id or a popup.
struct MenuNode
{
    struct Entry
    {
        std::string text;
        std::uint32_t commandId = 0;
        std::shared_ptr<MenuNode> popup;
    };
    std::vector<Entry> entries;

    MenuNode& plain(const std::string& text, std::uint32_t id = 65535)
    {
        entries.push_back({text, id, nullptr});
        return *this;
    }
    MenuNode& popup(const std::string& text, std::shared_ptr<MenuNode> node = std::make_shared<MenuNode>())
    {
        entries.push_back({text, 0, node});
        return *this;
    }
    std::shared_ptr<MenuNode> at(const std::string& text) const
    {
        for (const Entry& entry : entries)
            if (entry.text == text)
                return entry.popup;
        return nullptr;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Entry& entry : entries)
            result.push_back(entry.text);
        return result;
    }
};

class MenuNodeAdapter : public EditableMenu
{
public:
    explicit MenuNodeAdapter(std::shared_ptr<MenuNode> node) : node_(std::move(node)) {}
    int entryCount() const override { return static_cast<int>(node_->entries.size()); }
    std::string entryText(int position) const override { return node_->entries[position].text; }
    std::unique_ptr<EditableMenu> submenu(int position) override
    {
        auto popup = node_->entries[position].popup;
        return popup ? std::make_unique<MenuNodeAdapter>(popup) : nullptr;
    }
    void removeEntry(int position) override { node_->entries.erase(node_->entries.begin() + position); }
    std::unique_ptr<EditableMenu> insertPopup(int position, const std::string& label) override
    {
        auto popup = std::make_shared<MenuNode>();
        node_->entries.insert(node_->entries.begin() + position, {label, 0, popup});
        return std::make_unique<MenuNodeAdapter>(popup);
    }
    void appendItem(std::uint32_t commandId, const std::string& text) override
    {
        node_->entries.push_back({text, commandId, nullptr});
    }

private:
    std::shared_ptr<MenuNode> node_;
};

// The parts of the document menu that plugin paths meet.
struct DocumentMenu : ::testing::Test
{
    std::shared_ptr<MenuNode> bar = std::make_shared<MenuNode>();
    MenuNodeAdapter menu{bar};

    DocumentMenu()
    {
        auto create = std::make_shared<MenuNode>();
        create->plain("&Options").plain("");
        auto view = std::make_shared<MenuNode>();
        view->plain("&Select type").plain("").popup("S&ettings");
        auto calculate = std::make_shared<MenuNode>();
        calculate->plain("&Method").plain("");
        bar->popup("&File")
            .popup("&Edit")
            .popup("&Create", create)
            .popup("&Modify")
            .popup("&View", view)
            .popup("C&alculate", calculate)
            .popup("&Window")
            .popup("&Help");
    }
};

TEST_F(DocumentMenu, PathPartMeetingPlainEntryTurnsItIntoPopupInPlace)
{
    addMenuPath(menu, "&Calculate\\&Method\\&Basic Iteration", "", 0xBFFE);
    auto calculate = bar->at("C&alculate");
    ASSERT_TRUE(calculate);
    EXPECT_EQ(calculate->texts(), (std::vector<std::string>{"&Method", ""}));
    auto method = calculate->at("&Method");
    ASSERT_TRUE(method) << "\"&Method\" became a popup";
    EXPECT_EQ(method->texts(), std::vector<std::string>{"&Basic Iteration\t"});
    EXPECT_EQ(method->entries[0].commandId, 0xBFFEu);
    EXPECT_EQ(bar->entries.size(), 8u) << "no new top-level popup";
}

TEST_F(DocumentMenu, LabelsJoinIgnoringCaseAndAccessMarksAndPopupKeepsFirstLabel)
{
    addMenuPath(menu, "&View\\Select &Type\\&OpenGL", "", 1);
    addMenuPath(menu, "&View\\&select TYPE\\&Perspective", "Ctrl+P", 2);
    auto view = bar->at("&View");
    EXPECT_EQ(view->texts(), (std::vector<std::string>{"Select &Type", "", "S&ettings"}));
    EXPECT_EQ(view->at("Select &Type")->texts(), (std::vector<std::string>{"&OpenGL\t", "&Perspective\tCtrl+P"}));
}

TEST_F(DocumentMenu, ItemsOfOnePopupStayInOrderAndUnknownPartsAppendPopups)
{
    addMenuPath(menu, "&Create\\&Joint", "", 1);
    addMenuPath(menu, "&Create\\&Member", "", 2);
    addMenuPath(menu, "\\&Tools\\&Toolbars\\Main &Options", "", 3);
    EXPECT_EQ(bar->at("&Create")->texts(), (std::vector<std::string>{"&Options", "", "&Joint\t", "&Member\t"}));
    ASSERT_EQ(bar->entries.size(), 9u);
    EXPECT_EQ(bar->entries[8].text, "&Tools");
    EXPECT_EQ(bar->entries[8].popup->at("&Toolbars")->texts(), std::vector<std::string>{"Main &Options\t"});
}

TEST_F(DocumentMenu, RemovingLastItemOfPopupMadeForItRemovesThePopup)
{
    addMenuPath(menu, "&Tools\\&Toolbars\\Main &Options", "", 3);
    addMenuPath(menu, "&Create\\&Joint", "", 1);
    EXPECT_EQ(removeMenuPath(menu, "&Tools\\&Toolbars\\Main &Options", ""), 8);
    EXPECT_FALSE(bar->at("&Tools"));
    // The entry text carries the hot-key text: removing needs the same text it was added with.
    removeMenuPath(menu, "&Create\\&Joint", "J");
    EXPECT_EQ(bar->at("&Create")->texts().size(), 3u);
    removeMenuPath(menu, "&Create\\&Joint", "");
    EXPECT_EQ(bar->at("&Create")->texts(), (std::vector<std::string>{"&Options", ""}));
}

TEST_F(DocumentMenu, RemovingNeverTakesAPlainEntryForAPopupOrAnEmptyPath)
{
    EXPECT_EQ(removeMenuPath(menu, "&Create\\&Options\\&Joint", ""), 8);
    EXPECT_EQ(bar->at("&Create")->texts(), (std::vector<std::string>{"&Options", ""}));
    EXPECT_EQ(removeMenuPath(menu, "\\\\", ""), 8) << "a tab is left as the last part";
}

TEST(CommandIdCounter, CountsDownFrom0xBFFEAndKnowsWhatItHandedOut)
{
    CommandIdCounter counter;
    EXPECT_FALSE(counter.isHandedOut(0xBFFE));
    EXPECT_EQ(counter.allocate(), 0xBFFEu);
    EXPECT_EQ(counter.allocate(), 0xBFFDu);
    EXPECT_TRUE(counter.isHandedOut(0xBFFD));
    EXPECT_TRUE(counter.isHandedOut(0xBFFF));
    EXPECT_FALSE(counter.isHandedOut(0xBFFC));
    EXPECT_FALSE(counter.isHandedOut(0xC000));
}

TEST(CommandIdCounter, StopsAtTheEndOfThePluginRange)
{
    CommandIdCounter counter;
    std::uint32_t last = 0;
    for (int i = 0; i < 0xBFFF - 0x9000; ++i)
        last = counter.allocate();
    EXPECT_EQ(last, 0x9000u);
    EXPECT_EQ(counter.allocate(), 0u);
}

} // namespace
