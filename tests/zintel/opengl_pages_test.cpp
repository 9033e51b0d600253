// The OpenGL view page in the host: its tool bar and stack of pagettes, and the four pagettes
// changing the active view's colours and camera and its document's grid and stress display, typed,
// spun and chosen as a person does; then the library's versions of the kit's controls.
#include "tests/platform/FieldTyping.h"
#include "tests/support/GlRequirement.h"
#include "tests/zintel/ZintelHost.h"

#include "Zintel/Bitmaps.h"
#include "Zintel/DocItemOpenGL.h"
#include "Zintel/Pages/ViewPageOpenGL.h"
#include "Zintel/ViewTools.h"
#include "platform/InputSimulation.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using namespace zintel;

template <class Plugin>
Plugin* packaged(VornPluginBase* list)
{
    for (VornPluginBase* plugin = list; plugin != nullptr; plugin = plugin->getNext())
        if (auto* found = dynamic_cast<Plugin*>(plugin))
            return found;
    return nullptr;
}

class OpenGLPages : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ZintelHost& host = ZintelHost::instance();
        if (!host.noGl.empty() || host.info() == nullptr)
            return;
        // The library's pictures, as it registers them when it is loaded; one item's module lacks
        // its picture while the page is made (its module stands in for one that registered nothing).
        registerBitmapResources();
        lacking = packaged<PluginVOMIZoomSelected>(host.viewType->menuItems);
        const platform::ModuleHandle ownModule = lacking->module;
        lacking->module = static_cast<platform::ModuleHandle>(1);
        top = new platform::Window;
        top->create("Window", "view page", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, {0, 0, 260, 700},
                    nullptr, 0);
        topHandle = new PluginWindowHandleImpl(top);
        host.viewType->windowHandle = host.viewType->mai->createPluginWindow(host.viewType->getWindowRequest(), topHandle);
        host.viewType->windowHandle->moveWindow(top->clientRect(), true);
        host.viewType->windowHandle->showWindow(platform::SW_SHOW);
        platform::Application::instance()->processMessages();
        lacking->module = ownModule;
    }

    void SetUp() override
    {
        if (!host.noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << host.noGl);
        ASSERT_NE(host.info(), nullptr);
        ASSERT_NE(host.viewType->viewPage, nullptr);
        ASSERT_TRUE(host.viewType->viewPage->exists());
        ASSERT_EQ(host.viewType->mai->activeView, host.viewInterface());
        view().povX = 20.0;
        view().povY = view().povZ = 0.0;
        view().direction = view().tilt = view().roll = 0.0f;
        view().fovY = 30.0;
        view().zNear = 0.3;
        view().zFar = 200.0;
        view().projectionDirty = true;
        DocItemOpenGL& item = settings();
        item.gridUniform = true;
        item.gridSpacingX = item.gridSpacingY = item.gridSpacingZ = 1.0;
        item.gridOffsetX = item.gridOffsetY = item.gridOffsetZ = 0.0;
        item.stressExaggeration = 1.0;
        host.viewType->updatePages();
    }

    OpenGLView& view() const { return *host.info(); }
    DocItemOpenGL& settings() const { return *host.info()->docItem; }
    CViewOpenGLPagetteSetup& setup() const { return *packaged<PluginVOPageAdvancedSettings>(host.viewType->pages)->pagette; }
    CViewOpenGLPagetteColors& colours() const { return *packaged<PluginVOPageColors>(host.viewType->pages)->pagette; }
    CViewOpenGLPagetteGrid& grid() const { return *packaged<PluginVOPageGrid>(host.viewType->pages)->pagette; }
    CViewOpenGLPagetteStress& stress() const { return *packaged<PluginVOPageStress>(host.viewType->pages)->pagette; }

    // The person replaces the text of an edit by typing.
    static void type(platform::Dialog& pagette, int32_t editId, const std::string& text)
    {
        pagette.setDlgItemText(editId, "");
        platform::simulateTyping(pagette.dlgItem(editId)->handle(), text);
        platform::Application::instance()->processMessages();
    }
    // The person pastes a whole text over the edit's text.
    static void enter(platform::Dialog& pagette, int32_t editId, const std::string& text)
    {
        pagette.setDlgItemText(editId, text);
        pagette.onCommand(static_cast<uint32_t>(editId), platform::EN_CHANGE, {});
    }
    static double shown(platform::Dialog& pagette, int32_t editId)
    {
        double value = -1.0;
        platform::parseDouble(pagette.dlgItemText(editId), value);
        return value;
    }
    // A click on the upper (or lower) half of a spinner button.
    static void spin(platform::Dialog& pagette, int32_t spinnerId, bool up)
    {
        platform::Window* spinner = pagette.dlgItem(spinnerId);
        const platform::Point at{4, up ? 2 : spinner->clientRect().height() - 2};
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, at);
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, at);
    }
    // A drag on a spinner button by `pixels` upwards.
    static void dragUp(platform::Dialog& pagette, int32_t spinnerId, int32_t pixels)
    {
        platform::Window* spinner = pagette.dlgItem(spinnerId);
        const platform::Point from{4, 3};
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONDOWN, from);
        platform::simulateMouse(spinner->handle(), platform::WM_MOUSEMOVE, {4, 3 - pixels / 2});
        platform::simulateMouse(spinner->handle(), platform::WM_MOUSEMOVE, {4, 3 - pixels});
        platform::simulateMouse(spinner->handle(), platform::WM_LBUTTONUP, {4, 3 - pixels});
    }

    static inline platform::Window* top = nullptr;
    static inline PluginVOMenuItem* lacking = nullptr;
    static inline PluginWindowHandleImpl* topHandle = nullptr;
    ZintelHost& host = ZintelHost::instance();
};

TEST_F(OpenGLPages, ThePageStacksItsFourPagettesUnderTheToolBarTheSetupFolded)
{
    CViewPageOpenGL& page = *host.viewType->viewPage;
    // The pagettes stand in the order of the page list, 2 pixels apart, from the holder's top.
    std::vector<platform::Window*> listed;
    for (VornPluginBase* plugin = host.viewType->pages; plugin != nullptr; plugin = plugin->getNext())
        listed.push_back(static_cast<VornPluginWindowed*>(plugin)->dialogObject);
    EXPECT_EQ(page.holder.children(), listed);
    ASSERT_EQ(listed.size(), 4u);
    const auto rectOf = [&page](platform::Window& pagette) { return page.holder.screenToClient(pagette.windowRect()); };
    int32_t top = 0;
    for (platform::Window* pagette : listed)
    {
        EXPECT_EQ(rectOf(*pagette).top, top);
        top = rectOf(*pagette).bottom + 2;
    }
    EXPECT_EQ(page.stack.bar.total, top);
    EXPECT_EQ(rectOf(setup()).height(), 19) << "the setup pagette starts folded to its title";
    EXPECT_EQ(rectOf(grid()).height(), grid().frame.openHeight);
    const platform::Rect holderRect = page.screenToClient(page.holder.windowRect());
    EXPECT_EQ(holderRect.left, 9);
    EXPECT_EQ(holderRect.top, page.toolbarHeight);
    EXPECT_EQ(holderRect.bottom, page.clientRect().bottom - 1);
    // The scroll bar stands at the page's right edge, the holder up to it.
    const platform::Rect barRect = page.screenToClient(page.stack.bar.windowRect());
    EXPECT_EQ(barRect.left, page.clientRect().right - 10);
    EXPECT_EQ(holderRect.right, barRect.left - 1);

    // A click in the fold box opens the setup pagette and moves the ones below it down; a
    // double-click on its title folds it again.
    const int32_t gridTop = rectOf(grid()).top;
    const bool gridBelow = gridTop > rectOf(setup()).top;
    const platform::WindowHandle title = setup().frame.handle();
    platform::simulateMouse(title, platform::WM_LBUTTONDOWN, {8, 8});
    platform::simulateMouse(title, platform::WM_LBUTTONUP, {8, 8});
    EXPECT_TRUE(setup().frame.unfolded);
    EXPECT_EQ(rectOf(setup()).height(), setup().frame.openHeight);
    if (gridBelow)
    {
        EXPECT_EQ(rectOf(grid()).top, gridTop + setup().frame.openHeight - 19);
    }
    platform::simulateMouse(title, platform::WM_LBUTTONDOWN, {60, 5}, 0, 900000);
    platform::simulateMouse(title, platform::WM_LBUTTONUP, {60, 5}, 0, 900010);
    platform::simulateMouse(title, platform::WM_LBUTTONDOWN, {60, 5}, 0, 900100);
    platform::simulateMouse(title, platform::WM_LBUTTONUP, {60, 5}, 0, 900110);
    EXPECT_FALSE(setup().frame.unfolded);
    EXPECT_EQ(rectOf(grid()).top, gridTop);
}

TEST_F(OpenGLPages, TheToolBarHasAButtonShowingItsPictureForEachMenuItemWithAPictureItsModuleHolds)
{
    CViewPageOpenGL& page = *host.viewType->viewPage;
    const platform::ImageList* images = page.toolbar.imageList();
    ASSERT_NE(images, nullptr);
    // A separator, then the buttons in the order of the menu items.
    EXPECT_EQ(page.toolbar.button(0).style, platform::TBSTYLE_SEP);
    int32_t buttons = 0;
    for (VornPluginBase* plugin = host.viewType->menuItems; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* item = dynamic_cast<PluginVOMenuItem*>(plugin);
        ASSERT_NE(item, nullptr);
        SCOPED_TRACE(item->getName());
        if (item->getBitmapID() == 0 || item == lacking)
        {
            EXPECT_EQ(item->pageButton.commandId, 0);
            continue;
        }
        ++buttons;
        const platform::ToolbarButton shown = page.toolbar.button(buttons);
        EXPECT_EQ(shown.commandId, 0x8000 + buttons - 1);
        EXPECT_EQ(item->pageButton.commandId, shown.commandId);
        EXPECT_EQ(shown.data, reinterpret_cast<uint64_t>(item));
        // The button shows the item's picture, its magenta transparent.
        const platform::BitmapResource* picture = platform::findBitmapResource(item->module, item->getBitmapID());
        ASSERT_NE(picture, nullptr);
        int32_t differing = 0;
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 16; ++x)
            {
                const uint32_t colour = picture->pixels[static_cast<size_t>(y * 16 + x)];
                const uint32_t expected = colour == 0xFF00FFu ? platform::ImageList::NoMask : colour;
                differing += images->pixel(shown.imageIndex, x, y) != expected ? 1 : 0;
            }
        EXPECT_EQ(differing, 0);
    }
    // Pan, rotate, zoom and zoom all; zoom selected's module lacked its picture.
    EXPECT_EQ(buttons, 4);
    EXPECT_EQ(page.toolbar.buttonCount(), 1 + buttons);
    EXPECT_EQ(page.nextCommandId, 0x8000 + buttons);
}

TEST_F(OpenGLPages, AToolButtonBecomesTheActiveToolAndShowsCheckedAlone)
{
    CViewPageOpenGL& page = *host.viewType->viewPage;
    auto* pan = packaged<PluginVOMIPan>(host.viewType->menuItems);
    auto* rotate = packaged<PluginVOMIRotate>(host.viewType->menuItems);
    ASSERT_NE(pan->pageButton.commandId, 0);
    ASSERT_NE(rotate->pageButton.commandId, 0);
    const auto checked = [&page](PluginVOMenuItem* item) {
        return (page.toolbar.buttonState(static_cast<uint32_t>(item->pageButton.commandId)) &
                platform::TBSTATE_CHECKED) != 0;
    };
    page.onCommand(static_cast<uint32_t>(rotate->pageButton.commandId), platform::BN_CLICKED, {});
    EXPECT_EQ(host.viewInterface()->document->getActiveMenuItem(), rotate);
    EXPECT_EQ(host.viewType->currentTool, rotate);
    EXPECT_TRUE(checked(rotate));
    EXPECT_FALSE(checked(pan));
    // Asked from elsewhere to show pan, the view type checks pan's button instead.
    EXPECT_TRUE(host.viewType->activatePlugin(pan));
    EXPECT_TRUE(checked(pan));
    EXPECT_FALSE(checked(rotate));
    EXPECT_EQ(host.viewInterface()->document->getActiveMenuItem(), pan);
    // An item without a button leaves every button unchecked.
    ASSERT_EQ(lacking->pageButton.commandId, 0);
    EXPECT_TRUE(host.viewType->activatePlugin(lacking));
    EXPECT_FALSE(checked(pan));
    EXPECT_FALSE(checked(rotate));
    host.viewInterface()->document->setActiveMenuItem(nullptr);
}

TEST_F(OpenGLPages, TheToolBarIsCustomisedInTheDialogAButtonRemovedAndPutBack)
{
    CViewPageOpenGL& page = *host.viewType->viewPage;
    auto* rotate = packaged<PluginVOMIRotate>(host.viewType->menuItems);
    auto* pan = packaged<PluginVOMIPan>(host.viewType->menuItems);
    const auto shownIds = [&page] {
        std::vector<int32_t> ids;
        for (int index = 1; index < page.toolbar.buttonCount(); ++index)
            ids.push_back(page.toolbar.button(index).commandId);
        return ids;
    };
    const std::vector<int32_t> before = shownIds();
    const auto at = [&page](PluginVOMenuItem* item) {
        for (int index = 0; index < page.toolbar.buttonCount(); ++index)
            if (page.toolbar.button(index).commandId == item->pageButton.commandId)
                return index;
        return -1;
    };
    // The dialog offers the items that have a button, in list order, under their names.
    std::vector<std::string> expected;
    int rotateOffered = -1;
    int panOffered = -1;
    for (VornPluginBase* plugin = host.viewType->menuItems; plugin != nullptr; plugin = plugin->getNext())
        if (auto* item = dynamic_cast<PluginVOMenuItem*>(plugin); item != nullptr && item->pageButton.commandId != 0)
        {
            rotateOffered = item == rotate ? static_cast<int>(expected.size()) : rotateOffered;
            panOffered = item == pan ? static_cast<int>(expected.size()) : panOffered;
            expected.push_back(item->getName());
        }
    std::vector<std::string> offered;
    for (const platform::AvailableButton& available : page.toolbar.availableButtons())
        offered.push_back(available.text);
    EXPECT_EQ(offered, expected);

    platform::ScriptedInteraction script;
    const int rotateAt = at(rotate);
    ASSERT_GT(rotateAt, 0);
    script.customizeAnswers.push_back([&](platform::Toolbar& bar) { EXPECT_TRUE(bar.customizeRemove(rotateAt)); });
    page.toolbar.customize();
    EXPECT_EQ(page.toolbar.buttonCount(), static_cast<int>(before.size()));
    EXPECT_EQ(at(rotate), -1);

    // Put back where it was, and more pan buttons than a row holds: the bar wraps and the
    // pagettes move down below it.
    const int32_t oneRow = page.toolbarHeight;
    script.customizeAnswers.push_back([&](platform::Toolbar& bar) {
        EXPECT_TRUE(bar.customizeInsert(rotateAt, rotateOffered));
        for (int extra = 0; extra < 12; ++extra)
            EXPECT_TRUE(bar.customizeInsert(bar.buttonCount(), panOffered));
    });
    page.toolbar.customize();
    EXPECT_EQ(at(rotate), rotateAt);
    EXPECT_GT(page.toolbarHeight, oneRow) << "two rows";
    EXPECT_EQ(page.screenToClient(page.holder.windowRect()).top, page.toolbarHeight);
    EXPECT_EQ(page.screenToClient(page.stack.bar.windowRect()).top, page.toolbarHeight);

    script.customizeAnswers.push_back([&](platform::Toolbar& bar) {
        while (bar.buttonCount() > static_cast<int>(before.size()) + 1)
            EXPECT_TRUE(bar.customizeRemove(bar.buttonCount() - 1));
    });
    page.toolbar.customize();
    EXPECT_EQ(shownIds(), before);
    EXPECT_EQ(page.toolbarHeight, oneRow);
    EXPECT_EQ(page.screenToClient(page.holder.windowRect()).top, oneRow);

    // The button put back works as before.
    page.onCommand(static_cast<uint32_t>(rotate->pageButton.commandId), platform::BN_CLICKED, {});
    EXPECT_EQ(host.viewInterface()->document->getActiveMenuItem(), rotate);
    host.viewInterface()->document->setActiveMenuItem(nullptr);
}

TEST_F(OpenGLPages, AChosenColourGoesOpaqueIntoTheActiveViewAndShowsInIt)
{
    platform::ScriptedInteraction person;
    const uint32_t grey = 0xFF808080;
    EXPECT_EQ(colours().buttons[0]->colour(), grey) << "the first update copied the view's background";
    EXPECT_EQ(colours().buttons[4]->colour(), view().frozenColor.word());

    person.colourAnswers = {0x00204060u, 0x000000FFu, std::nullopt};
    colours().onCommand(1107, platform::BN_CLICKED, {}); // Background
    EXPECT_EQ(view().backgroundColor.word(), 0xFF204060u);
    ASSERT_EQ(person.colourRequests.size(), 1u);
    EXPECT_EQ(person.colourRequests[0].flags, platform::CC_RGBINIT | platform::CC_FULLOPEN);
    host.paint();
    EXPECT_EQ(host.pixel(2, 2), 0x204060u) << "the view clears to the chosen background";

    colours().onCommand(1110, platform::BN_CLICKED, {}); // Frozen: alpha 128 before, opaque now
    EXPECT_EQ(view().frozenColor.word(), 0xFF0000FFu);
    colours().onCommand(1111, platform::BN_CLICKED, {}); // Hidden, cancelled
    EXPECT_EQ(view().hiddenColor.word(), ColorRGBA(255, 255, 240, 64).word());

    view().backgroundColor = {128, 128, 128};
    view().frozenColor = {192, 240, 255, 128};
    host.paint();
}

TEST_F(OpenGLPages, TheGridPagetteKeepsYAndZWithXWhileUniformAndRefusesSpacingsUpToZero)
{
    // A new document: Uniform checked, spacings 1, offsets 0; Y and Z cannot be typed.
    EXPECT_EQ(grid().isDlgButtonChecked(CViewOpenGLPagetteGrid::uniformId), 1u);
    EXPECT_EQ(shown(grid(), 1095), 1.0);
    EXPECT_EQ(shown(grid(), 1101), 0.0);
    EXPECT_NE(grid().dlgItem(1096)->style() & platform::ES_READONLY, 0u);

    type(grid(), 1095, "2.5");
    EXPECT_EQ(settings().gridSpacingX, 2.5);
    EXPECT_EQ(settings().gridSpacingY, 2.5);
    EXPECT_EQ(settings().gridSpacingZ, 2.5);
    EXPECT_EQ(grid().dlgItemText(1096), "2.5");
    EXPECT_EQ(grid().dlgItemText(1097), "2.5");

    for (const char* refused : {"0", "-1", "abc"})
    {
        type(grid(), 1095, refused);
        EXPECT_EQ(settings().gridSpacingX, 2.5) << refused;
        EXPECT_EQ(settings().gridSpacingY, 2.5) << refused;
    }

    // Off, then spacings (1, 2, 3); on again makes Y and Z the X spacing in the document too,
    // and off again keeps them so.
    grid().checkDlgButton(CViewOpenGLPagetteGrid::uniformId, 0);
    grid().onCommand(CViewOpenGLPagetteGrid::uniformId, platform::BN_CLICKED, {});
    EXPECT_FALSE(settings().gridUniform);
    EXPECT_EQ(grid().dlgItem(1096)->style() & platform::ES_READONLY, 0u);
    type(grid(), 1095, "1");
    type(grid(), 1096, "2");
    type(grid(), 1097, "3");
    EXPECT_EQ(settings().gridSpacingZ, 3.0);
    grid().checkDlgButton(CViewOpenGLPagetteGrid::uniformId, 1);
    grid().onCommand(CViewOpenGLPagetteGrid::uniformId, platform::BN_CLICKED, {});
    EXPECT_TRUE(settings().gridUniform);
    EXPECT_EQ(settings().gridSpacingY, 1.0);
    EXPECT_EQ(settings().gridSpacingZ, 1.0);
    EXPECT_EQ(shown(grid(), 1097), 1.0);
    grid().checkDlgButton(CViewOpenGLPagetteGrid::uniformId, 0);
    grid().onCommand(CViewOpenGLPagetteGrid::uniformId, platform::BN_CLICKED, {});
    EXPECT_EQ(shown(grid(), 1096), 1.0);
    EXPECT_EQ(settings().gridSpacingZ, 1.0);

    // A document whose flag is set while Y differs: the update shows Y as X and stores it.
    settings().gridUniform = true;
    settings().gridSpacingY = 7.0;
    host.viewType->updatePages();
    EXPECT_EQ(grid().isDlgButtonChecked(CViewOpenGLPagetteGrid::uniformId), 1u);
    EXPECT_EQ(settings().gridSpacingY, 1.0);
}

TEST_F(OpenGLPages, GridSpinnersStepByATenthOfTheSymbolSizeAndStopAboveZero)
{
    spin(grid(), 1102, true);
    EXPECT_NEAR(settings().gridSpacingX, 1.01, 1e-12);
    EXPECT_NEAR(settings().gridSpacingZ, 1.01, 1e-12) << "uniform: Y and Z follow X";
    EXPECT_NEAR(shown(grid(), 1096), 1.01, 1e-12);
    settings().setScalelessSize(2.0);
    spin(grid(), 1105, true); // offset X
    EXPECT_NEAR(settings().gridOffsetX, 0.2, 1e-12);
    settings().setScalelessSize(0.1);

    type(grid(), 1095, "0.015");
    spin(grid(), 1102, false);
    EXPECT_NEAR(settings().gridSpacingX, 0.005, 1e-12);
    spin(grid(), 1102, false);
    EXPECT_NEAR(settings().gridSpacingX, 0.005, 1e-12) << "a step to -0.005 is refused";
    EXPECT_NEAR(shown(grid(), 1095), 0.005, 1e-12);
}

TEST_F(OpenGLPages, AGridSpacingLeftOnARefusedTextShowsTheSpacingInEffectAndSpinsFromIt)
{
    platform::Window& spacingX = *grid().dlgItem(1095);
    platform::Window& uniform = *grid().dlgItem(CViewOpenGLPagetteGrid::uniformId);
    typeKeyByKey(spacingX, "2");
    leaveFor(uniform);
    ASSERT_EQ(settings().gridSpacingX, 2.0);
    for (const char* refused : {"0", "-1", "abc"})
    {
        SCOPED_TRACE(refused);
        typeKeyByKey(spacingX, refused);
        leaveFor(uniform);
        EXPECT_EQ(settings().gridSpacingX, 2.0);
        EXPECT_EQ(grid().dlgItemText(1095), "2");
        EXPECT_EQ(grid().dlgItemText(1096), "2");
    }
    // Pressing the spin button takes the focus from the edit first: the spin starts from 2.
    typeKeyByKey(spacingX, "0");
    spin(grid(), 1102, true);
    EXPECT_NEAR(settings().gridSpacingX, 2.01, 1e-12);
    EXPECT_NEAR(shown(grid(), 1095), 2.01, 1e-12);
}

TEST_F(OpenGLPages, TheSetupPagetteKeepsTheClipDistancesAndTheFieldOfViewSane)
{
    EXPECT_EQ(shown(setup(), 1049), 20.0);
    EXPECT_EQ(shown(setup(), 1063), 200.0);
    struct Case
    {
        double near, far;
        int32_t editId;
        const char* text;
        double nearAfter, farAfter;
    };
    const Case cases[] = {
        {0.3, 200, 1067, "0", 1e-07, 200},   // near below its minimum
        {0.3, 200, 1063, "0.5", 0.25, 0.5},  // far closer than twice near pulls near in
        {0.3, 200, 1067, "150", 150, 300},   // near beyond half far pushes far out
        {100, 1000, 1063, "200", 100, 200},  // exactly twice: both stay
        {0.3, 200, 1063, "0", 1.5e-07, 3e-07}, // far below its minimum
    };
    for (const Case& c : cases)
    {
        view().zNear = c.near;
        view().zFar = c.far;
        host.viewType->updatePages();
        enter(setup(), c.editId, c.text);
        EXPECT_DOUBLE_EQ(view().zNear, c.nearAfter) << c.text;
        EXPECT_DOUBLE_EQ(view().zFar, c.farAfter) << c.text;
        EXPECT_DOUBLE_EQ(shown(setup(), 1067), c.nearAfter) << "the edits show what is stored";
        EXPECT_DOUBLE_EQ(shown(setup(), 1063), c.farAfter);
    }

    for (const auto& [text, stored] : {std::pair{"0.5", 1.0}, {"200", 179.0}, {"45", 45.0}})
    {
        enter(setup(), 1061, text);
        EXPECT_EQ(view().fovY, stored) << text;
        EXPECT_EQ(shown(setup(), 1061), stored) << text;
    }

    type(setup(), 1055, "10.1");
    EXPECT_EQ(view().direction, 10.1f);
    host.viewType->updatePages();
    EXPECT_EQ(setup().dlgItemText(1055), "10.1000003814697");
}

TEST_F(OpenGLPages, SetupSpinnersMoveTheCameraAndTheViewShowsIt)
{
    host.paint();
    const platform::Point before = host.windowPointOf(0.0, 3.0, 0.0);
    spin(setup(), 1052, true); // pov X + 1: the camera backs away
    EXPECT_EQ(view().povX, 21.0);
    EXPECT_EQ(shown(setup(), 1049), 21.0);
    // A narrower field of view shows the point farther from the centre.
    type(setup(), 1061, "15");
    host.paint();
    const platform::Point after = host.windowPointOf(0.0, 3.0, 0.0);
    const int32_t centre = host.view()->clientRect().width() / 2;
    EXPECT_GT(std::abs(after.x - centre), std::abs(before.x - centre) + 10);

    // The projection spinners multiply: a click keeps the value, a drag up by 100 pixels
    // multiplies it by e, and the field of view still stops at 179.
    spin(setup(), 1064, true);
    EXPECT_EQ(view().zFar, 200.0);
    dragUp(setup(), 1064, 100);
    EXPECT_NEAR(view().zFar, 200.0 * std::exp(1.0), 1e-9);
    type(setup(), 1061, "100");
    dragUp(setup(), 1062, 100);
    EXPECT_EQ(view().fovY, 179.0);
}

TEST_F(OpenGLPages, TheStressPagetteSetsTheDocumentsColoursAndExaggeration)
{
    EXPECT_EQ(stress().dlgItemText(CViewOpenGLPagetteStress::factorId), "1.000000");
    EXPECT_EQ(stress().buttons[0]->colour(), ColorRGBA(255, 0, 0).word());
    EXPECT_EQ(stress().buttons[1]->colour(), ColorRGBA(192, 192, 192).word());
    EXPECT_EQ(stress().buttons[2]->colour(), ColorRGBA(0, 0, 255).word());

    type(stress(), CViewOpenGLPagetteStress::factorId, "3");
    EXPECT_EQ(settings().stressExaggeration, 3.0);
    spin(stress(), 1114, true);
    EXPECT_EQ(settings().stressExaggeration, 3.0);
    dragUp(stress(), 1114, 100);
    EXPECT_NEAR(settings().stressExaggeration, 3.0 * std::exp(1.0), 1e-9);

    platform::ScriptedInteraction person;
    person.colourAnswers = {0x00FF00u, 0x00FFFFu};
    stress().onCommand(1111, platform::BN_CLICKED, {});
    EXPECT_EQ(settings().neutralColor.word(), 0xFF00FF00u);
    // Without an active OpenGL view the choice stays in the button.
    MAI_View* active = host.viewType->mai->activeView;
    host.viewType->mai->activeView = nullptr;
    stress().onCommand(1110, platform::BN_CLICKED, {});
    host.viewType->mai->activeView = active;
    EXPECT_EQ(stress().buttons[0]->colour(), 0xFF00FFFFu);
    EXPECT_EQ(settings().tensionColor.word(), ColorRGBA(255, 0, 0).word());
    settings().neutralColor = {192, 192, 192};
}

// ---- The library's versions of the kit's controls ----

TEST(OpenGLLibraryControls, AColourButtonShowsItsOpacityInQuarters)
{
    struct Case
    {
        uint32_t colour;
        uint32_t overBlack;
        uint32_t overWhite;
    };
    const Case cases[] = {
        {0xFF123456u, 0x123456u, 0x123456u}, // opaque: four equal quarters
        {0x00123456u, 0x000000u, 0xFFFFFFu}, // transparent: black and white whatever the colour
        {0x80FFFFFFu, 0x808080u, 0xFFFFFFu},
        {0x40FF0000u, 0x400000u, 0xFFBFBFu},
    };
    for (const Case& c : cases)
    {
        const ColourFace face = colourFaceOf(c.colour);
        EXPECT_EQ(face.overBlack, c.overBlack) << std::hex << c.colour;
        EXPECT_EQ(face.overWhite, c.overWhite) << std::hex << c.colour;
    }
    EXPECT_EQ(zintel::CColorButton(nullptr, 0x00FFFFFFu).colour(), 0x0080FF80u) << "0x00FFFFFF asks for no initial colour";
    EXPECT_EQ(zintel::CColorButton(nullptr, 0xFFFFFFFFu).colour(), 0xFFFFFFFFu) << "opaque white is a colour";
}

TEST_F(OpenGLPages, ALibraryColourButtonPaintsItsQuartersAndASpinnerNeverWraps)
{
    zintel::CColorButton& button = *stress().buttons[0];
    button.setColour(0x00123456u);
    button.invalidate(false);
    button.updateWindow();
    const platform::Rect client = button.clientRect();
    const auto at = [&button](int32_t x, int32_t y) { return platform::Surface::colourOf(button.surface()->pixel(x, y)); };
    EXPECT_EQ(at(4, 4), 0x000000u);
    EXPECT_EQ(at(client.right - 4, 4), 0xFFFFFFu);
    EXPECT_EQ(at(4, client.bottom - 3), 0xFFFFFFu);
    EXPECT_EQ(at(client.right - 4, client.bottom - 3), 0x000000u);

    // A spinner paints its face in what it showed at (2, 2) before, its outline half as bright.
    platform::Window& exaggeration = *stress().dlgItem(1114);
    exaggeration.surface()->setPixel(2, 2, 0x0040C0E0u);
    exaggeration.invalidate(false);
    exaggeration.updateWindow();
    EXPECT_EQ(platform::Surface::colourOf(exaggeration.surface()->pixel(3, 3)), 0x0040C0E0u);
    exaggeration.invalidate(false);
    exaggeration.updateWindow();
    EXPECT_EQ(platform::Surface::colourOf(exaggeration.surface()->pixel(3, 3)), 0x0040C0E0u) << "and keeps it";

    // The angle bit wraps nothing here: 179 dragged up by 5 pixels is 184.
    auto& spinner = *setup().dlgItemAs<zintel::CDoubleSpinner>(1058);
    const int32_t flags = spinner.getFlags();
    spinner.setFlags(flags | ::CDoubleSpinner::SpinAngle);
    type(setup(), 1055, "179");
    dragUp(setup(), 1058, 5);
    spinner.setFlags(flags);
    EXPECT_EQ(view().direction, 184.0f);
}

TEST_F(OpenGLPages, ADoubleClickOnTheGripOfAResizablePagetteRestoresItsDefaultHeight)
{
    zintel::CPagetteButton& frame = grid().frame;
    const int32_t height = frame.openHeight;
    frame.resizable = true;
    frame.windowProc(platform::WM_LBUTTONDBLCLK, 0, platform::pointToLParam({20, height - 7}));
    EXPECT_TRUE(frame.unfolded);
    EXPECT_EQ(frame.openHeight, 100);
    EXPECT_EQ(grid().clientRect().height(), 100);
    frame.windowProc(platform::WM_LBUTTONDBLCLK, 0, platform::pointToLParam({20, 100 - 8}));
    EXPECT_FALSE(frame.unfolded) << "just above the grip folds";
    // A middle double-click neither folds nor unfolds.
    frame.windowProc(platform::WM_MBUTTONDBLCLK, 0, platform::pointToLParam({20, 5}));
    EXPECT_FALSE(frame.unfolded);
    frame.resizable = false;
    frame.openHeight = height;
    frame.setFolded(true);
    EXPECT_EQ(grid().clientRect().height(), height);
}

TEST_F(OpenGLPages, ZoomAllZoomsTheActiveViewAtOnceAndLeavesTheActiveTool)
{
    CViewPageOpenGL& page = *host.viewType->viewPage;
    ModelDocument model(host.document());
    model.addJoint("Z1", 0, -3, -2);
    model.addJoint("Z2", 0, 3, 2);
    auto* rotate = packaged<PluginVOMIRotate>(host.viewType->menuItems);
    auto* zoomAll = packaged<PluginVOMIZoomAll>(host.viewType->menuItems);
    ASSERT_NE(zoomAll->pageButton.commandId, 0);
    ASSERT_NE(zoomAll->commandId, 0u) << "the host gave the item its menu command";
    page.onCommand(static_cast<uint32_t>(rotate->pageButton.commandId), platform::BN_CLICKED, {});
    ASSERT_EQ(host.viewInterface()->document->getActiveMenuItem(), rotate);
    view().povX = 500.0; // far off: the model is a few pixels small
    const double farOff = view().povX;

    page.onCommand(static_cast<uint32_t>(zoomAll->pageButton.commandId), platform::BN_CLICKED, {});
    platform::Application::instance()->processMessages();
    EXPECT_LT(view().povX, farOff / 4) << "the camera came close enough to fit the model";
    EXPECT_EQ(host.viewInterface()->document->getActiveMenuItem(), rotate);
    EXPECT_EQ(host.viewType->currentTool, rotate);
    const auto checked = [&page](PluginVOMenuItem* item) {
        return (page.toolbar.buttonState(static_cast<uint32_t>(item->pageButton.commandId)) &
                platform::TBSTATE_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(rotate));
    EXPECT_FALSE(checked(zoomAll));
    host.viewInterface()->document->setActiveMenuItem(nullptr);
}

} // namespace
