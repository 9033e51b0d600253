#include "plugins/PluginManager.h"
#include "plugins/VornPluginCalculator.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

class PathItem : public VornPluginMenuItem
{
public:
    explicit PathItem(const char* path) : path(path) {}
    const char* getName() override { return "Path Item"; }
    void about(PluginWindowHandle*) override {}
    const char* getMenuPath() override { return path; }
    void execute(MAI_View*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* path;
};

class TestCalculator : public VornPluginCalculator
{
public:
    const char* getName() override { return "Calc"; }
    void about(PluginWindowHandle*) override {}
    bool isSingleRun() override { return false; }
    int32_t getCalculationState(VornDocument*) override { return 0; }
};

class TestDialog : public VornPluginDialog
{
public:
    const char* getName() override { return "Dialog"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(147); }
    bool activatePlugin(VornPluginBase* plugin) override
    {
        ++asked;
        return plugin == holds;
    }
    const char* getWindowTitle() override { return "Title"; }
    int32_t getDockInfo(uint32_t) override { return 0; }
    VornPluginBase* holds = nullptr;
    int asked = 0;
};

} // namespace

TEST(MenuItems, MenuTextIsThePartOfThePathAfterItsLastBackslash)
{
    struct Case
    {
        const char* path;
        const char* text;
    };
    const Case cases[] = {
        {"&Tools\\&Toolbars\\Main &Options", "Main &Options"},
        {"&Delete", "&Delete"},
        {"&Edit\\", ""},
        {nullptr, nullptr},
    };
    for (const Case& c : cases)
    {
        PathItem item(c.path);
        if (c.text == nullptr)
            EXPECT_EQ(item.getMenuText(), nullptr);
        else
            EXPECT_STREQ(item.getMenuText(), c.text) << c.path;
    }
}

TEST(MenuItems, DefaultsFollowTheName)
{
    PathItem item("&Edit\\&Hide");
    EXPECT_STREQ(item.getTypeName(), "Standard MenuItem");
    EXPECT_STREQ(item.getButtonText(), "Path Item");
    EXPECT_STREQ(item.getToolTipText(), "Path Item");
    EXPECT_EQ(item.getBitmapID(), 0);
    EXPECT_EQ(item.getToolbarName(), nullptr);
    EXPECT_EQ(item.getButton(), &item.button);
    EXPECT_EQ(item.getButton()->imageIndex, -1);
    EXPECT_FALSE(item.onMouse(nullptr, 0, 0, 0, 0x1000));
    EXPECT_EQ(item.hotKeyText[0], '\0');
    EXPECT_TRUE(item.isEnabled());
    EXPECT_FALSE(item.isDefault());
    EXPECT_TRUE(item.isValid());
    EXPECT_EQ(item.GetPackagedPlugin(0), nullptr);
    EXPECT_EQ(std::strncmp(item.getDescription(), "This is a plugin of the base class\n", 35), 0);
}

TEST(Calculators, BaseAnswersNotDoneAndNoResults)
{
    TestCalculator calculator;
    EXPECT_STREQ(calculator.getTypeName(), "Calculator");
    EXPECT_EQ(calculator.startCalculation(nullptr), 3);
    EXPECT_EQ(calculator.resetCalculation(nullptr), 3);
    EXPECT_EQ(calculator.stopCalculation(nullptr), 3);
    EXPECT_EQ(calculator.getResults(nullptr, 0, 0), nullptr);
    EXPECT_EQ(calculator.getResultTypes()[0].name, nullptr);
}

TEST(WindowedPlugins, TheRequestNamesTheDialogThePluginAndItsHandleField)
{
    TestDialog dialog;
    PluginWindowRequest* request = dialog.getWindowRequest();
    EXPECT_EQ(request->dialogId, 147);
    EXPECT_EQ(request->plugin, &dialog);
    EXPECT_EQ(request->handleField, &dialog.windowHandle);
    EXPECT_EQ(dialog.getWindowRequest(), request); // lives as long as the plugin
    TestDialog other;
    EXPECT_NE(other.getWindowRequest(), request); // one record per plugin, not per class
}

TEST(WindowedPlugins, EveryDialogIsAskedToActivateAPluginWhateverTheOthersAnswer)
{
    PluginLists lists;
    PluginManager registry;
    registry.addPluginType(&lists.dialogs, "Dialog", nullptr);
    auto* first = new TestDialog;
    auto* second = new TestDialog;
    registry.addPlugin(first);
    registry.addPlugin(second);
    TestDialog wanted;
    first->holds = &wanted;
    second->holds = &wanted;
    lists.activateInDialogs(&wanted);
    EXPECT_EQ(first->asked, 1);
    EXPECT_EQ(second->asked, 1);
}
