// Printing: a DeviceContext over a printed page draws vectors (searchable text, images for
// bitmaps) into a PDF file, and the print dialogs go through the interaction service.
#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/DeviceContext.h"
#include "platform/Printing.h"
#include "platform/Services.h"
#include "tests/PdfText.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

using namespace platform;

namespace
{

class Printing : public testing::Test
{
public:
    static void SetUpTestSuite() { application = std::make_unique<Application>(argc, argv, "printing test"); }
    static void TearDownTestSuite() { application.reset(); }

protected:
    std::string pdfPath(const std::string& name) const
    {
        const std::filesystem::path path = std::filesystem::path(VORN_TEST_BINARY_DIR) / ("printing_" + name + ".pdf");
        std::filesystem::remove(path);
        return path.string();
    }

    static inline int argc = 1;
    static inline char name[] = "printing_test";
    static inline char* argv[] = {name, nullptr};
    static inline std::unique_ptr<Application> application;
};

// Every kind of drawing a view type does, including a bitmap (what a GL view's frame becomes).
void drawEverything(DeviceContext& context)
{
    context.fillSolidRect({0, 0, 400, 300}, 0xFFFFFF);
    for (int32_t style : {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT})
    {
        Pen pen(style, 1, 0x000080);
        const Pen previous = context.selectObject(pen);
        context.moveTo(10, 20 + style * 10);
        context.lineTo(390, 20 + style * 10);
        context.selectObject(previous);
    }
    context.selectObject(Brush::solid(0x00C000));
    context.rectangle({10, 80, 100, 120});
    const std::array<Point, 3> triangle{Point{150, 80}, Point{200, 130}, Point{120, 130}};
    context.polygon(triangle);
    Rect edge{220, 80, 300, 120};
    context.drawEdge(edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    context.selectObject(Font::stock(ANSI_VAR_FONT));
    context.setBkMode(TRANSPARENT);
    context.textOut(10, 150, "Quorl2 print test");
    Bitmap picture(16, 16, 0x0000FF);
    DeviceContext memory = DeviceContext::createCompatibleDC();
    memory.selectObject(picture);
    context.bitBlt(10, 200, 16, 16, memory, 0, 0, SRCCOPY);
}

TEST_F(Printing, APageIsPrintedAsVectorsWithSearchableTextAndImages)
{
    const std::string path = pdfPath("everything");
    bool printing = false;
    Size drawnSize;
    ASSERT_TRUE(printToPdfFile(path, {WindowHandle::None, PrintDialogKind::print, "everything", {400, 300}},
                               [&](DeviceContext& page) {
                                   printing = page.isPrinting();
                                   drawnSize = page.size();
                                   drawEverything(page);
                               }));
    EXPECT_TRUE(printing);
    EXPECT_EQ(drawnSize, (Size{400, 300})) << "the page has the drawing's own coordinates";
    const std::string bytes = pdf_test::readBytes(path);
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Subtype /Image"), std::string::npos) << "the bitmap is an image";
    const std::optional<std::string> text = pdf_test::extractText(path);
    ASSERT_TRUE(text) << "pdftotext (poppler-utils) is not installed";
    EXPECT_NE(text->find("Quorl2 print test"), std::string::npos) << *text;
}

TEST_F(Printing, AFileThatCannotBeWrittenFails)
{
    EXPECT_FALSE(printToPdfFile("/no-such-folder/out.pdf", {WindowHandle::None, PrintDialogKind::print, "", {10, 10}},
                                [](DeviceContext&) {}));
}

TEST_F(Printing, DialogsGoThroughTheInteractionService)
{
    ScriptedInteraction script;
    const std::string printed = pdfPath("dialog");
    int draws = 0;
    const PageDrawer draw = [&](DeviceContext& page) {
        ++draws;
        page.textOut(0, 0, "dialog page");
    };
    script.printAnswers = {std::nullopt, printed, std::string()};
    EXPECT_FALSE(print({WindowHandle::None, PrintDialogKind::print, "doc", {100, 50}}, draw)) << "cancelled";
    EXPECT_EQ(draws, 0);
    EXPECT_TRUE(print({WindowHandle::None, PrintDialogKind::preview, "doc", {100, 50}}, draw));
    EXPECT_EQ(draws, 1);
    EXPECT_TRUE(std::filesystem::exists(printed));
    EXPECT_TRUE(print({WindowHandle::None, PrintDialogKind::setup, "", {}}, {}));
    EXPECT_FALSE(print({WindowHandle::None, PrintDialogKind::setup, "", {}}, {})) << "no answer cancels";
    ASSERT_EQ(script.printRequests.size(), 4u);
    EXPECT_EQ(script.printRequests[0].documentName, "doc");
    EXPECT_EQ(script.printRequests[1].kind, PrintDialogKind::preview);
    EXPECT_EQ(script.printRequests[2].kind, PrintDialogKind::setup);
}

} // namespace
