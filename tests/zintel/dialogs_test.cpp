// The library's docked dialogs in a document window of the host: the scaleless-size dialog shows
// and sets the size of the active OpenGL view's document, and the help window, which the library
// does not hand out, is made from its template. Before them: every picture that a plugin of the
// library names is one of the library's bitmaps.
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ZintelHost.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/HelpWindow.h"
#include "Zintel/ScalelessSize.h"
#include "Zintel/ZintelPlugins.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"
#include "plugins/VornPluginViewBase.h"
#include "platform/InputSimulation.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using zintel::CScalelessSize;
using zintel::DocItemOpenGL;
using zintel::PluginScalelessSizeDialog;

// Every plugin the library hands out, as the host takes them: its table's plugins, each given the
// library's module, and depth first what each of them packages. Owned by the walk, which deletes
// what was packaged before its packager.
class LibraryPlugins
{
public:
    LibraryPlugins()
    {
        std::function<void(VornPluginBase*)> take = [&](VornPluginBase* plugin) {
            plugins_.push_back(plugin);
            for (uint32_t index = 0; VornPluginBase* packaged = plugin->GetPackagedPlugin(index); ++index)
                take(packaged);
        };
        for (uint32_t index = 0; index < zintel::pluginTable.size(); ++index)
            if (VornPlugin* plugin = zintel::createPlugin(index))
            {
                plugin->module = zintel::thisModule();
                take(plugin);
            }
    }
    ~LibraryPlugins()
    {
        for (auto plugin = plugins_.rbegin(); plugin != plugins_.rend(); ++plugin)
            delete *plugin;
    }
    LibraryPlugins(const LibraryPlugins&) = delete;
    LibraryPlugins& operator=(const LibraryPlugins&) = delete;

    const std::vector<VornPluginBase*>& all() const { return plugins_; }

private:
    std::vector<VornPluginBase*> plugins_;
};

// The bitmap ids a plugin names, each with what names it: a menu item's tool-bar picture, a
// drawing layer's two pictures, a docked dialog's title picture. Zero (none) is left out.
std::vector<std::pair<int32_t, std::string>> bitmapsNamedBy(VornPluginBase& plugin)
{
    std::vector<std::pair<int32_t, std::string>> named;
    const std::string name = plugin.getName() != nullptr ? plugin.getName() : "(no name)";
    const auto add = [&](int32_t id, const char* what) {
        if (id != 0)
            named.emplace_back(id, name + ": " + what);
    };
    if (auto* item = dynamic_cast<VornPluginMenuItem*>(&plugin))
        add(item->getBitmapID(), "tool-bar picture");
    if (auto* layer = dynamic_cast<PluginDrawObject*>(&plugin))
    {
        add(layer->getBitmapID(), "layer picture");
        add(layer->getSecondBitmapID(), "second layer picture");
    }
    if (auto* dialog = dynamic_cast<VornPluginDialog*>(&plugin))
        if (const int32_t title = dialog->getDockInfo(DockInfo::TitleBitmap); title != -1) // -1: a bar without title
            add(title, "title picture");
    return named;
}

TEST(LibraryPictures, EveryBitmapAPluginNamesIsA16By16PictureOfTheLibrary)
{
    zintel::registerBitmapResources();
    std::set<int32_t> named;
    const LibraryPlugins library;
    for (VornPluginBase* plugin : library.all())
        for (const auto& [id, what] : bitmapsNamedBy(*plugin))
        {
            SCOPED_TRACE(what + " " + std::to_string(id));
            named.insert(id);
            // The host and the pages look the picture up in the plugin's own module.
            auto* owner = dynamic_cast<VornPlugin*>(plugin);
            ASSERT_NE(owner, nullptr);
            EXPECT_EQ(owner->module, zintel::thisModule());
            const platform::BitmapResource* picture = platform::findBitmapResource(zintel::thisModule(), id);
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->width, 16);
            EXPECT_EQ(picture->height, 16);
            EXPECT_EQ(picture->pixels.size(), 256u);
            EXPECT_EQ(picture->transparentColour, 0xFF00FFu);
        }
    // The walk reached every family that names a picture, and no picture goes unused.
    using namespace zintel::BitmapId;
    EXPECT_EQ(named,
              (std::set<int32_t>{RotateView, PanView, GridSnap, JointSnap, ZoomView, JointLayer, MemberLayer, GridLayer,
                                 ScalelessSizeTitle, ZoomAll, ZoomSelected, SurfacePointSnap}));
}

class ScalelessSizeDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr);
        settings = host.info()->docItem;
        ASSERT_NE(settings, nullptr);
        settings->setScalelessSize(0.3);
        plugin = std::make_unique<PluginScalelessSizeDialog>();
        plugin->module = zintel::thisModule();
        plugin->mai = &testHost().mai();
        ASSERT_TRUE(parentWindow.create("Window", "bar", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                                        {0, 0, 300, 100}, nullptr));
        parent = std::make_unique<PluginWindowHandleImpl>(&parentWindow);
        windowHandle.reset(testHost().mai().createPluginWindow(plugin->getWindowRequest(), parent.get()));
        ASSERT_NE(windowHandle, nullptr);
        window = plugin->window();
        ASSERT_NE(window, nullptr) << "the window is made from template 143 of the library";
    }

    void TearDown() override
    {
        if (window != nullptr)
            window->destroyWindow();
        if (settings != nullptr)
            settings->setScalelessSize(0.1);
    }

    std::string shown() const { return window->dlgItemText(CScalelessSize::editId); }
    double shownNumber() const { return std::stod(shown()); }

    // The user selects the edit's text and types over it.
    void type(const std::string& text)
    {
        platform::Window* edit = window->dlgItem(CScalelessSize::editId);
        window->gotoDlgCtrl(edit);
        platform::simulateTyping(edit->handle(), text);
        platform::Application::instance()->processMessages();
    }

    // Presses the spinner, drags it by `dy` pixels (up is negative) and lets it go.
    void spin(int32_t dy)
    {
        platform::Window* spinner = window->dlgItem(CScalelessSize::spinnerId);
        const platform::Rect area = spinner->clientRect();
        const platform::Point start{area.width() / 2, area.height() / 4};
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, start);
        if (dy != 0)
            platform::simulateMouse(spinner->handle(), platform::WM_MOUSEMOVE, {start.x, start.y + dy});
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, {start.x, start.y + dy});
        platform::Application::instance()->processMessages();
    }

    ZintelHost& host = ZintelHost::instance();
    DocItemOpenGL* settings = nullptr;
    std::unique_ptr<PluginScalelessSizeDialog> plugin;
    platform::Window parentWindow;
    std::unique_ptr<PluginWindowHandleImpl> parent;
    std::unique_ptr<PluginWindowHandle> windowHandle; // the caller owns the handle it is given
    CScalelessSize* window = nullptr;
};

TEST(ScalelessSizePlugin, IsPluginZeroOfTheLibraryWithItsDockingAndShowAndHideItem)
{
    ASSERT_EQ(zintel::pluginTable.size(), 2u) << "the help window is not handed out";
    std::unique_ptr<VornPlugin> made(zintel::createPlugin(0));
    auto* plugin = dynamic_cast<PluginScalelessSizeDialog*>(made.get());
    ASSERT_NE(plugin, nullptr);
    EXPECT_STREQ(plugin->getTypeName(), "Dialog");
    EXPECT_STREQ(plugin->getName(), "Scaleless Size Dialog");
    EXPECT_STREQ(plugin->getDescription(),
                 "Scaleless Size Dialog:\nEnables the user to setup the size of scaleless items like Joints.");
    EXPECT_STREQ(plugin->getWindowTitle(), "Size Scaleless");
    const std::vector<std::pair<uint32_t, int32_t>> dockInfo = {{0, 0xA000}, {1, 0},   {2, 1}, {3, 0}, {4, 0},
                                                                {5, 15},     {6, 168}, {7, 0}, {8, 0}, {9, 0}};
    for (const auto& [key, value] : dockInfo)
        EXPECT_EQ(plugin->getDockInfo(key), value) << key;
    std::unique_ptr<VornPluginBase> item(plugin->GetPackagedPlugin(0));
    auto* menuItem = dynamic_cast<PluginDialogMenuItem*>(item.get());
    ASSERT_NE(menuItem, nullptr);
    EXPECT_STREQ(menuItem->getMenuPath(), "&View\\S&ettings\\&Size Scaleless...");
    EXPECT_EQ(menuItem->dialog, plugin);
    EXPECT_EQ(plugin->GetPackagedPlugin(1), nullptr);
    EXPECT_FALSE(plugin->activatePlugin(plugin));
}

TEST_F(ScalelessSizeDialog, ShowsTheDocumentsSizeWhenMadeAndWheneverAViewIsActivated)
{
    EXPECT_DOUBLE_EQ(shownNumber(), 0.3) << "not a fixed 0.1 that the next change would write over the document";
    settings->setScalelessSize(0.25);
    // The host tells every dialog plugin of the view type shown by the view that became active.
    EXPECT_FALSE(plugin->activatePlugin(host.viewType));
    EXPECT_DOUBLE_EQ(shownNumber(), 0.25);
    EXPECT_DOUBLE_EQ(settings->getScalelessSize(), 0.25) << "showing changes nothing";
}

TEST_F(ScalelessSizeDialog, TypedPositiveSizesAreAppliedOthersChangeNothing)
{
    platform::ScriptedInteraction interaction;
    // Every keystroke applies the text typed so far when it is a usable size.
    const struct
    {
        const char* typed;
        double size; // the document's size afterwards
        size_t boxes;
    } cases[] = {
        {"0.5", 0.5, 0}, {"2e-3", 0.002, 0}, {"0", 0.3, 0},      {"-1", 0.3, 0}, {"abc", 0.3, 0},
        {"nan", 0.3, 0}, {"-0.5", 0.3, 0},   {"1e999", 1e99, 1}, // "1e99" was taken; the last key's number is out of range
    };
    for (const auto& [typed, size, boxes] : cases)
    {
        settings->setScalelessSize(0.3);
        interaction.boxes.clear();
        type(typed);
        EXPECT_DOUBLE_EQ(settings->getScalelessSize(), size) << typed;
        EXPECT_DOUBLE_EQ(settings->scalelessSizeSq3, 3 * size * size) << typed;
        EXPECT_EQ(interaction.boxes.size(), boxes) << typed;
        EXPECT_EQ(shown(), typed) << "the typed text stays while the edit has the focus";
    }
}

TEST_F(ScalelessSizeDialog, LeavingARefusedSizeShowsTheSizeInEffect)
{
    type("-4");
    window->gotoDlgCtrl(window->dlgItem(CScalelessSize::spinnerId));
    platform::Application::instance()->processMessages();
    EXPECT_DOUBLE_EQ(shownNumber(), 0.3);
    EXPECT_DOUBLE_EQ(settings->getScalelessSize(), 0.3);
}

TEST_F(ScalelessSizeDialog, WithoutAnActiveOpenGLViewNothingIsApplied)
{
    MAI& mai = testHost().mai();
    MAI_View* active = mai.activeView;
    mai.activeView = nullptr;
    type("0.7");
    spin(-50);
    mai.activeView = active;
    EXPECT_DOUBLE_EQ(settings->getScalelessSize(), 0.3);
}

TEST_F(ScalelessSizeDialog, TheSpinnerScalesExponentiallyAndAClickReappliesTheSize)
{
    // 100 pixels up multiply by e.
    spin(-100);
    EXPECT_NEAR(settings->getScalelessSize(), 0.3 * std::exp(1.0), 1e-9);
    EXPECT_NEAR(shownNumber(), settings->getScalelessSize(), 1e-12);
    spin(100);
    EXPECT_NEAR(settings->getScalelessSize(), 0.3, 1e-9);

    // A click applies what is typed, multiplied by 1.
    settings->setScalelessSize(0.3);
    window->setDlgItemText(CScalelessSize::editId, "0.45");
    spin(0);
    EXPECT_DOUBLE_EQ(settings->getScalelessSize(), 0.45);

    // From a size that cannot be applied the spinner starts at the size in effect.
    type("-2");
    spin(-100);
    EXPECT_NEAR(settings->getScalelessSize(), 0.45 * std::exp(1.0), 1e-9);
}

TEST(HelpWindow, ItsPluginAnswersAndItsWindowHoldsTheTwoButtons)
{
    zintel::PluginHelpWindow plugin;
    plugin.module = zintel::thisModule();
    plugin.mai = &testHost().mai();
    EXPECT_STREQ(plugin.getTypeName(), "Dialog");
    EXPECT_STREQ(plugin.getName(), "Help Window");
    EXPECT_STREQ(plugin.getDescription(),
                 "Help Window:\nThe HTML-based information window automaticly linked to the Help-Pages.");
    EXPECT_STREQ(plugin.getWindowTitle(), "Help");
    for (uint32_t key = 0; key < 10; ++key)
        EXPECT_EQ(plugin.getDockInfo(key), key == 0 ? 0x5000 : key == 5 ? 8 : 0) << key;
    std::unique_ptr<VornPluginBase> item(plugin.GetPackagedPlugin(0));
    auto* menuItem = dynamic_cast<PluginDialogMenuItem*>(item.get());
    ASSERT_NE(menuItem, nullptr);
    EXPECT_STREQ(menuItem->getMenuPath(), "&Help\\&Contents");
    EXPECT_EQ(plugin.GetPackagedPlugin(1), nullptr);

    platform::Window parentWindow;
    ASSERT_TRUE(parentWindow.create("Window", "bar", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                                    {0, 0, 400, 400}, nullptr));
    PluginWindowHandleImpl parent(&parentWindow);
    const std::unique_ptr<PluginWindowHandle> handle(
        testHost().mai().createPluginWindow(plugin.getWindowRequest(), &parent));
    ASSERT_NE(handle, nullptr);
    auto* window = dynamic_cast<zintel::CMainConsole*>(handle->getWnd());
    ASSERT_NE(window, nullptr) << "made from template 101 of the library";
    EXPECT_EQ(window->owner, &plugin);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->dlgItemText(zintel::CMainConsole::contentsId), "&Contents");
    EXPECT_EQ(window->dlgItemText(zintel::CMainConsole::searchId), "&Search");
    // The buttons lie side by side at the bottom and do nothing.
    platform::ScriptedInteraction interaction;
    const platform::Rect contents = window->dlgItem(zintel::CMainConsole::contentsId)->windowRect();
    const platform::Rect search = window->dlgItem(zintel::CMainConsole::searchId)->windowRect();
    EXPECT_LT(contents.right, search.left);
    EXPECT_EQ(contents.top, search.top);
    EXPECT_GT(contents.top, window->windowRect().top + window->clientRect().height() * 3 / 4);
    for (int32_t id : {zintel::CMainConsole::contentsId, zintel::CMainConsole::searchId})
    {
        platform::Window* button = window->dlgItem(id);
        platform::simulateMouse(button->handle(), platform::WM_LBUTTONDOWN, {5, 5});
        platform::simulateMouse(button->handle(), platform::WM_LBUTTONUP, {5, 5});
        platform::Application::instance()->processMessages();
    }
    EXPECT_TRUE(interaction.boxes.empty());
    EXPECT_TRUE(interaction.openedDocuments.empty());
    EXPECT_TRUE(window->exists());
    window->destroyWindow();
}

} // namespace
