// Printing a view: Print and Print Preview draw the view through its view type onto the page as
// vectors (the text stays searchable) and never take the view's snapshot; Print Setup needs no
// document.
#include "VornInterface/HostMenus.h"
#include "VornInterface/HostPluginTypes.h"
#include "VornInterface/HostWindows.h"
#include "VornInterface/MAI_View_VornInterface.h"
#include "VornInterface/Snapshots.h"
#include "VornInterface/VornInterfaceApp.h"
#include "plugins/PluginManager.h"
#include "platform/Application.h"
#include "platform/DeviceContext.h"
#include "platform/Services.h"
#include "tests/PdfText.h"
#include "tests/host/HostApplicationForTests.h"
#include "tests/platform/RecordedCommandState.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

// Draws lines and a line of text; remembers whether it drew on a printed page.
struct LinesAndTextViewType : FakeViewType
{
    void draw(platform::DeviceContext* context, ViewTypeInfo*) override
    {
        ++draws;
        printedPages += context->isPrinting() ? 1 : 0;
        const platform::Size size = context->size();
        context->fillSolidRect({0, 0, size.width, size.height}, 0xFFFFFF);
        context->moveTo(0, 0);
        context->lineTo(size.width, size.height);
        context->moveTo(size.width, 0);
        context->lineTo(0, size.height);
        context->setBkMode(platform::TRANSPARENT);
        context->textOut(10, 10, "Quorl2 print test");
    }
    int draws = 0;
    int printedPages = 0;
};

bool isEnabled(CMainFrame& frame, std::uint32_t id)
{
    RecordedCommandState state(id);
    frame.commandRouter().update(state);
    return state.enabled != 0; // a handled command is left as it is
}

TEST(HostPrinting, TheViewPrintsThroughItsViewTypeAsVectorsWithoutASnapshot)
{
    CVornInterfaceApp& app = testHost();
    registerHostPluginTypes(app.registry(), app.mai());
    auto* viewType = new LinesAndTextViewType;
    app.registry().addPlugin(viewType);
    std::filesystem::create_directories("system");

    auto* frame = new CMainFrame;
    ASSERT_TRUE(frame->create());
    platform::Application::instance()->setMainWindow(frame);
    EXPECT_TRUE(isEnabled(*frame, HostCommand::PrintSetup)) << "page setup needs no document";
    ASSERT_NE(frame->newDocument(), nullptr);
    platform::Application::instance()->processMessages();
    auto* view = dynamic_cast<CVornInterfaceView*>(frame->activeView());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->viewInterface(), nullptr);
    for (std::uint32_t id : {HostCommand::Print, HostCommand::PrintPreview, HostCommand::PrintSetup})
        EXPECT_TRUE(isEnabled(*frame, id)) << id;

    // A snapshot is waiting for the view's next paint: printing must leave it waiting.
    Snapshots::instance().reset();
    view->viewInterface()->snapshotRequested = 1;
    const std::string printed = (std::filesystem::current_path() / "host_printing_view.pdf").string();
    std::filesystem::remove(printed);
    platform::ScriptedInteraction script;
    script.printAnswers = {std::nullopt, printed};
    const int screenDraws = viewType->draws;

    EXPECT_TRUE(frame->executeCommand(HostCommand::Print)); // cancelled in the dialog
    EXPECT_EQ(viewType->draws, screenDraws);
    EXPECT_FALSE(std::filesystem::exists(printed));
    EXPECT_TRUE(frame->executeCommand(HostCommand::Print));
    ASSERT_EQ(script.printRequests.size(), 2u);
    EXPECT_EQ(script.printRequests[1].kind, platform::PrintDialogKind::print);
    const platform::Rect client = view->clientRect();
    EXPECT_EQ(script.printRequests[1].size, (platform::Size{client.width(), client.height()}));
    EXPECT_EQ(viewType->printedPages, 1);
    EXPECT_EQ(view->viewInterface()->snapshotRequested, 1) << "printing took the snapshot";
    EXPECT_EQ(Snapshots::instance().getCounter(), 0);

    ASSERT_TRUE(std::filesystem::exists(printed));
    const std::optional<std::string> text = pdf_test::extractText(printed);
    ASSERT_TRUE(text) << "pdftotext (poppler-utils) is not installed";
    EXPECT_NE(text->find("Quorl2 print test"), std::string::npos) << *text;

    script.printAnswers = {std::nullopt, std::nullopt};
    EXPECT_TRUE(frame->executeCommand(HostCommand::PrintPreview));
    EXPECT_TRUE(frame->executeCommand(HostCommand::PrintSetup));
    ASSERT_EQ(script.printRequests.size(), 4u);
    EXPECT_EQ(script.printRequests[2].kind, platform::PrintDialogKind::preview);
    EXPECT_EQ(script.printRequests[3].kind, platform::PrintDialogKind::setup);
    view->viewInterface()->snapshotRequested = 0;

    frame->postMessage(platform::WM_CLOSE);
    platform::Application::instance()->processMessages();
}

} // namespace
