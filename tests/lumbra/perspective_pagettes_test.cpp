#include "tests/lumbra/PerspectiveTestSupport.h"

#include "Lumbra/KitResources.h"
#include "Lumbra/LumbraLibrary.h"
#include "Lumbra/Perspective/PerspectiveImages.h"
#include "Lumbra/Perspective/PerspectivePages.h"
#include "Lumbra/Perspective/PerspectivePagettes.h"
#include "Lumbra/Perspective/PerspectiveViewPage.h"
#include "Lumbra/Perspective/PerspectiveTools.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/support/ImageCheck.h"
#include "tests/uikit/KitTestSupport.h"

#include <algorithm>
#include <cstdint>

using lumbra::PerspectiveView;

// The setup and colour pagettes of the view page, made as the host makes them, on the active
// perspective window of the document.
class PerspectivePagettes : public PerspectiveTest
{
protected:
    PerspectivePagettes()
    {
        platformApplication();
        lumbra::registerPerspectivePagetteTemplates();
        top.create("Window", "pagettes", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {0, 0, 300, 400},
                   nullptr, 0);
        view = &openWindow(240, 200);
        setupPage = packaged<lumbra::PluginVPPageAdvancedSettings>(viewType->pagePlugins);
        colorsPage = packaged<lumbra::PluginVPPageColors>(viewType->pagePlugins);
        setupPage->getWindowRequest();
        colorsPage->getWindowRequest();
        setupPage->pagette->create(&top, lumbra::thisModule());
        colorsPage->pagette->create(&top, lumbra::thisModule());
    }
    ~PerspectivePagettes() override { top.destroyWindow(); }

    // The view type's page, made from the library's resources in the top window.
    lumbra::CViewPagePerspective* makeViewPage()
    {
        lumbra::registerKitResources();
        lumbra::registerPerspectiveImages();
        lumbra::registerPerspectiveViewPageTemplate();
        viewType->getWindowRequest();
        return viewType->viewPage->create(&top, lumbra::thisModule()) ? viewType->viewPage.get() : nullptr;
    }

    double shown(int32_t editId)
    {
        double value = -1.0;
        platform::parseDouble(setupPage->pagette->dlgItemText(editId), value);
        return value;
    }
    // The person types into an edit of the setup pagette.
    void type(int32_t editId, const char* text)
    {
        setupPage->pagette->setDlgItemText(editId, text);
        setupPage->pagette->onCommand(static_cast<uint32_t>(editId), platform::EN_CHANGE, {});
    }

    platform::Window top;
    SizedView* view = nullptr;
    lumbra::PluginVPPageAdvancedSettings* setupPage = nullptr;
    lumbra::PluginVPPageColors* colorsPage = nullptr;
};

TEST_F(PerspectivePagettes, AFreshWindowShowsTheDefaultCameraAfterTheFirstRefresh)
{
    viewType->updatePages();
    const std::pair<int32_t, double> expected[] = {{1049, 500}, {1050, 0}, {1051, 0}, {1055, 0},
                                                   {1056, 0},   {1057, 0}, {1061, 1000}};
    for (const auto& [editId, value] : expected)
        EXPECT_EQ(shown(editId), value) << editId;
    // A camera moved by a tool shows at the camera's next invalidation.
    cameraOf(*view).zoom = 2000.0;
    cameraOf(*view).invalidate();
    EXPECT_EQ(shown(1061), 2000.0);
}

TEST_F(PerspectivePagettes, TypingANumberTurnsTheActiveCameraAndTypingLettersChangesNothing)
{
    viewType->updatePages();
    const int repaints = view->invalidations;
    type(1055, "90");
    EXPECT_EQ(cameraOf(*view).direction, 90.0f);
    EXPECT_NEAR(cameraOf(*view).sinDirection, 1.0, 1e-12);
    EXPECT_EQ(view->invalidations, repaints + 1);
    type(1055, "abc");
    type(1049, "");
    EXPECT_EQ(cameraOf(*view).direction, 90.0f);
    EXPECT_EQ(cameraOf(*view).pointOfView.x, 500.0);
    EXPECT_EQ(view->invalidations, repaints + 1);
    type(1061, "1500.25");
    EXPECT_EQ(cameraOf(*view).zoom, 1500.25);
}

TEST_F(PerspectivePagettes, SetupValuesGoIntoTheirCameraFields)
{
    struct Case
    {
        int32_t field;
        double value;
        bool zoomAsFloat;
    };
    const Case cases[] = {{lumbra::PovX, -3.5, false},     {lumbra::PovY, 7.25, false}, {lumbra::PovZ, 1e6, false},
                          {lumbra::Direction, 45.0, false}, {lumbra::Tilt, -30.0, false}, {lumbra::Roll, 10.0, false},
                          {lumbra::Zoom, 1000.1, false},   {lumbra::Zoom, 1000.1, true}};
    for (const Case& c : cases)
    {
        PerspectiveView& camera = cameraOf(*view);
        lumbra::applySetupValue(camera, c.field, c.value, c.zoomAsFloat);
        const double expected = c.zoomAsFloat ? static_cast<float>(c.value) : c.value;
        EXPECT_EQ(lumbra::setupValuesOf(camera)[c.field], expected) << c.field;
    }
    EXPECT_NEAR(cameraOf(*view).sinTilt, -0.5, 1e-7);
    EXPECT_NEAR(cameraOf(*view).cosRoll, std::cos(10.0 * 0.017453292519943295), 1e-7);
}

TEST_F(PerspectivePagettes, AChosenColourGoesToTheActiveWindowOnly)
{
    SizedView& other = openWindow(100, 100);
    platform::ScriptedInteraction person;
    colorsPage->updatePage();
    EXPECT_EQ(colorsPage->pagette->colours[0], 0x808080u);
    person.colourAnswers = {0x123456u, std::nullopt};
    colorsPage->pagette->onCommand(1107, platform::BN_CLICKED, {}); // Background
    EXPECT_EQ(cameraOf(*view).backgroundColor, 0x123456u);
    EXPECT_EQ(cameraOf(other).backgroundColor, 0x808080u);
    colorsPage->pagette->onCommand(1111, platform::BN_CLICKED, {}); // Hidden, cancelled
    EXPECT_EQ(cameraOf(*view).hiddenColor, 0x809090u);
    // Another window's colours show at the next refresh.
    mai.activeView = &other;
    colorsPage->updatePage();
    EXPECT_EQ(colorsPage->pagette->colours[0], 0x808080u);
}

TEST_F(PerspectivePagettes, TheViewPageOffersTheToolsWithImagesAndPressesTheChosenOne)
{
    lumbra::CViewPagePerspective* made = makeViewPage();
    ASSERT_NE(made, nullptr);
    lumbra::CViewPagePerspective& page = *made;
    // A separator, then pan, rotate and zoom; the show-type items have no image.
    ASSERT_EQ(page.toolbar.buttonCount(), 4);
    auto* pan = packaged<lumbra::PluginVPMIPan>(viewType->menuItemPlugins);
    auto* rotate = packaged<lumbra::PluginVPMIRotate>(viewType->menuItemPlugins);
    auto* zoom = packaged<lumbra::PluginVPMIZoom>(viewType->menuItemPlugins);
    EXPECT_EQ(pan->pageButton.commandId, 0x8000);
    EXPECT_EQ(rotate->pageButton.commandId, 0x8001);
    EXPECT_EQ(zoom->pageButton.commandId, 0x8002);
    // The page asked the host for its pagettes, in the order of the page list.
    EXPECT_EQ(mai.requests, (std::vector<int32_t>{146, 133, 145}));

    page.onCommand(0x8001, platform::BN_CLICKED, {});
    EXPECT_EQ(doc.getActiveMenuItem(), rotate);
    EXPECT_EQ(viewType->currentTool, rotate);
    EXPECT_NE(page.toolbar.buttonState(0x8001) & platform::TBSTATE_CHECKED, 0);
    EXPECT_EQ(page.toolbar.buttonState(0x8000) & platform::TBSTATE_CHECKED, 0);
    // A tool chosen elsewhere reaches the page through the view type.
    EXPECT_TRUE(viewType->activatePlugin(pan));
    EXPECT_EQ(doc.getActiveMenuItem(), pan);
    EXPECT_NE(page.toolbar.buttonState(0x8000) & platform::TBSTATE_CHECKED, 0);
    EXPECT_EQ(page.toolbar.buttonState(0x8001) & platform::TBSTATE_CHECKED, 0);
}

TEST_F(PerspectivePagettes, TheViewPagesToolBarIsCustomisedInTheDialog)
{
    lumbra::CViewPagePerspective* made = makeViewPage();
    ASSERT_NE(made, nullptr);
    lumbra::CViewPagePerspective& page = *made;
    // The tools with a picture are offered under their names, in list order.
    std::vector<std::string> offered;
    for (const platform::AvailableButton& available : page.toolbar.availableButtons())
        offered.push_back(available.text);
    std::vector<std::string> expected;
    for (VornPluginBase* plugin = viewType->menuItemPlugins; plugin != nullptr; plugin = plugin->getNext())
        if (auto* item = dynamic_cast<lumbra::PluginVPMenuItem*>(plugin); item != nullptr && item->pageButton.commandId != 0)
            expected.push_back(item->getName());
    EXPECT_EQ(offered, expected);
    ASSERT_EQ(offered.size(), 3u);

    // The first tool's button goes, and comes back.
    platform::ScriptedInteraction script;
    const platform::ToolbarButton first = page.toolbar.button(1);
    script.customizeAnswers.push_back([](platform::Toolbar& bar) { EXPECT_TRUE(bar.customizeRemove(1)); });
    page.toolbar.customize();
    EXPECT_EQ(page.toolbar.buttonCount(), 3);
    EXPECT_NE(page.toolbar.button(1).commandId, first.commandId);
    const auto offeredIndex = static_cast<int>(
        std::find(offered.begin(), offered.end(),
                  reinterpret_cast<VornPluginMenuItem*>(static_cast<std::uintptr_t>(first.data))->getName()) -
        offered.begin());
    script.customizeAnswers.push_back([&](platform::Toolbar& bar) { EXPECT_TRUE(bar.customizeInsert(1, offeredIndex)); });
    page.toolbar.customize();
    EXPECT_EQ(page.toolbar.buttonCount(), 4);
    EXPECT_EQ(page.toolbar.button(1).commandId, first.commandId);
    page.onCommand(static_cast<uint32_t>(first.commandId), platform::BN_CLICKED, {});
    EXPECT_EQ(doc.getActiveMenuItem(), reinterpret_cast<VornPluginMenuItem*>(static_cast<std::uintptr_t>(first.data)));
}

TEST_F(PerspectivePagettes, TheShowHideTreeChecksTheLayersOfTheActiveWindow)
{
    auto* showHide = packaged<lumbra::PluginVPPageShowHide>(viewType->pagePlugins);
    showHide->getWindowRequest();
    ASSERT_TRUE(showHide->pagette->create(&top, lumbra::thisModule()));
    platform::TreeControl& tree = showHide->pagette->tree;
    SizedView& other = openWindow(100, 100);
    layer(other, "Grid")->enabled = 0;
    showHide->updatePage();
    std::vector<std::string> rows;
    for (platform::TreeItem item = tree.rootItem(); item != platform::TreeItem::None; item = tree.nextSibling(item))
        rows.push_back(tree.itemText(item) + (tree.getCheck(item) ? "+" : "-"));
    EXPECT_EQ(rows, (std::vector<std::string>{"Origin+", "Members-", "Members-", "Members+", "JointSupport+", "Joints+",
                                              "Displaced Members+", "Grid+"}));
    mai.activeView = &other;
    viewType->updatePages();
    platform::TreeItem last = tree.rootItem();
    while (tree.nextSibling(last) != platform::TreeItem::None)
        last = tree.nextSibling(last);
    EXPECT_EQ(tree.itemText(last), "Grid");
    EXPECT_FALSE(tree.getCheck(last));
}

TEST_F(PerspectivePagettes, TheViewPageStacksItsPagettesBelowTheToolBar)
{
    lumbra::registerKitResources();
    lumbra::registerPerspectiveImages();
    lumbra::registerPerspectiveViewPageTemplate();
    platform::Window frame;
    ASSERT_TRUE(frame.create("Window", "view page", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE,
                             {0, 0, 240, 420}, nullptr, 0));
    // Fresh pagette objects for the page's own windows.
    for (VornPluginBase* plugin = viewType->pagePlugins; plugin != nullptr; plugin = plugin->getNext())
        static_cast<VornPluginWindowed*>(plugin)->dialogObject = nullptr;
    setupPage->pagette.reset();
    colorsPage->pagette.reset();
    mai.buildWindows = true;
    viewType->getWindowRequest();
    ASSERT_TRUE(viewType->viewPage->create(&frame, lumbra::thisModule()));
    viewType->viewPage->moveWindow(frame.clientRect(), true);
    viewType->viewPage->showWindow(platform::SW_SHOW);
    viewType->updatePages();
    platformApplication().processMessages();
    EXPECT_EQ(mai.windows.size(), 3u);
    EXPECT_EQ(shown(1049), 500.0);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(pictureOfWindow(frame), "perspective_view_page", {0, 40}));
    frame.destroyWindow();
}
