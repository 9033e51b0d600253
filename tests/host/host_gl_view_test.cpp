// A plugin library's view type draws its view with GL from the device context of the host's
// paint; its tool picks from the mouse handler on the same GL context through the view's device
// context and window handle without showing anything; printing the view puts the rendered frame
// on the page. No GL context is left current after any of them.
#include "VornInterface/HostMenus.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/MAI_View_VornInterface.h"
#include "VornInterface/PluginLibraries.h"
#include "VornInterface/VornInterfaceApp.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginMenuItem.h"
#include "platform/Application.h"
#include "platform/GlSurface.h"
#include "platform/GlWindow.h"
#include "platform/Services.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "tests/GlHalvesScene.h"
#include "tests/PdfText.h"
#include "tests/support/GlRequirement.h"
#include "tests/host/GlViewProbe.h"
#include "tests/host/HostApplicationForTests.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace
{

constexpr std::uint32_t red = 0x0000FF;
constexpr std::uint32_t green = 0x00FF00;

VornPluginBase* pluginNamed(VornPluginBase* list, const char* name)
{
    for (VornPluginBase* plugin = list; plugin != nullptr; plugin = plugin->getNext())
        if (std::strcmp(plugin->getName(), name) == 0)
            return plugin;
    return nullptr;
}

class HostGlView : public ::testing::Test
{
protected:
    // The probe library is registered and one document opened once for the program.
    static void SetUpTestSuite()
    {
        CVornInterfaceApp& app = testHost();
        if (platform::GlSurface probe(4, 4); !probe.makeCurrent())
        {
            noGl = probe.error();
            return;
        }
        platform::releaseGlCurrent();
        registerHostPluginTypes(app.registry(), app.mai());
        const PluginRegistration registration =
            registerPluginLibraries(GL_PROBE_FOLDER, nullptr, &app.mai(), app.registry(), nullptr, nullptr);
        ASSERT_TRUE(registration.failures.empty()) << registration.failures.front();
        ASSERT_EQ(registration.pluginCount, 2u);
        std::filesystem::create_directories("system");
        frame = new CMainFrame;
        ASSERT_TRUE(frame->create());
        platform::Application::instance()->setMainWindow(frame);
        frame->show();
        ASSERT_NE(frame->newDocument(), nullptr);
        platform::Application::instance()->processMessages();
    }

    void SetUp() override
    {
        if (!noGl.empty())
            VORN_WITHOUT_GL("no EGL pbuffer here: " << noGl);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CVornInterfaceView*>(frame->activeView());
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->viewInterface(), nullptr);
        probe = dynamic_cast<GlProbeResults*>(testHost().mai().pluginLists.viewTypes);
        ASSERT_NE(probe, nullptr) << "the probe's view type is the only one";
        platform::Application::instance()->processMessages();
        view->invalidate(false);
        view->updateWindow();
    }

    std::uint32_t windowPixel(int x, int y) const { return platform::Surface::colourOf(view->surface()->pixel(x, y)); }
    int width() const { return view->clientRect().width(); }
    int height() const { return view->clientRect().height(); }

    static inline std::string noGl;
    static inline CMainFrame* frame = nullptr;
    CVornInterfaceView* view = nullptr;
    GlProbeResults* probe = nullptr;
};

TEST_F(HostGlView, TheViewTypesPaintShowsItsGlFrameInTheView)
{
    const int framesBefore = probe->record().frames;
    view->invalidate(false);
    view->updateWindow();
    EXPECT_EQ(probe->record().frames, framesBefore + 1);
    EXPECT_FALSE(probe->record().currentAfterFrame);
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red);
    EXPECT_EQ(windowPixel(3 * width() / 4, height() / 2), green);
    EXPECT_EQ(view->viewInterface()->getWindowHandle(), view->handle());
}

TEST_F(HostGlView, TheToolPicksFromItsMouseHandlerOnTheViewsContext)
{
    auto* tool =
        dynamic_cast<VornPluginMenuItem*>(pluginNamed(testHost().mai().pluginLists.menuItems, "GL Probe Pick"));
    ASSERT_NE(tool, nullptr);
    view->viewInterface()->document->setActiveMenuItem(tool);
    struct Case
    {
        int x;
        int y;
        std::uint32_t name;
    };
    const Case cases[] = {
        {width() / 4, height() / 2, gl_halves::leftName},
        {3 * width() / 4, height() / 4, gl_halves::rightName},
        {1, height() - 2, gl_halves::leftName},
    };
    for (const Case& press : cases)
    {
        const int picksBefore = probe->record().picks;
        const platform::LParam at = platform::pointToLParam({press.x, press.y});
        platform::sendMessage(view->handle(), platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, at);
        platform::sendMessage(view->handle(), platform::WM_LBUTTONUP, 0, at);
        ASSERT_EQ(probe->record().picks, picksBefore + 1) << "the press reached the tool";
        EXPECT_TRUE(probe->record().dcNamesTheViewWindow);
        EXPECT_TRUE(probe->record().listsSeenInPick) << "the pick runs on the context the paint drew with";
        EXPECT_EQ(probe->record().selected, press.name) << press.x << "," << press.y;
        EXPECT_EQ(probe->record().readBack, press.name) << press.x << "," << press.y;
        EXPECT_FALSE(probe->record().currentAfterPick);
    }
    // The read-back drew name colours into the pbuffer; the view still shows its paint.
    EXPECT_EQ(windowPixel(width() / 4, height() / 2), red);
    EXPECT_EQ(windowPixel(3 * width() / 4, height() / 2), green);
    view->viewInterface()->document->setActiveMenuItem(nullptr);
}

TEST_F(HostGlView, PrintingTheViewPutsItsRenderedFrameOnThePage)
{
    const std::string printed = (std::filesystem::current_path() / "host_gl_view.pdf").string();
    std::filesystem::remove(printed);
    platform::ScriptedInteraction script;
    script.printAnswers = {printed};
    const int printedBefore = probe->record().printedFrames;
    EXPECT_TRUE(frame->executeCommand(HostCommand::Print));
    EXPECT_EQ(probe->record().printedFrames, printedBefore + 1);
    EXPECT_FALSE(probe->record().currentAfterFrame);

    EXPECT_TRUE(pdf_test::printedHalves(printed, static_cast<double>(width()) / height(), 0xFF0000, 0x00FF00));
    std::filesystem::remove(printed);
}

} // namespace
