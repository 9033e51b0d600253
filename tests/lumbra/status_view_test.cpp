#include "tests/lumbra/PerspectiveTestSupport.h"

#include "Lumbra/Calculators/IteratorCalculators.h"
#include "Lumbra/Perspective/DevStatusView.h"
#include "Lumbra/Perspective/DevStatusViewPage.h"
#include "VornData/DocumentItem.h"
#include "tests/platform/PlatformTestApplication.h"
#include "tests/support/ImageCheck.h"
#include "VornData/VornJoint.h"
#include "tests/support/Structures.h"

#include <algorithm>
#include <chrono>
#include <set>

using lumbra::StatusPiece;

namespace
{

// The texts of the pieces at that x, top to bottom.
std::vector<std::string> column(const std::vector<StatusPiece>& pieces, int32_t x)
{
    std::vector<const StatusPiece*> found;
    for (const StatusPiece& piece : pieces)
        if (piece.x == x && !piece.text.empty())
            found.push_back(&piece);
    std::stable_sort(found.begin(), found.end(), [](auto* a, auto* b) { return a->y < b->y; });
    std::vector<std::string> texts;
    for (const StatusPiece* piece : found)
        texts.push_back(piece->text);
    return texts;
}

const StatusPiece* pieceWithText(const std::vector<StatusPiece>& pieces, const std::string& text)
{
    for (const StatusPiece& piece : pieces)
        if (piece.text == text)
            return &piece;
    return nullptr;
}

class NamedItem : public DocumentItem
{
public:
    const char* getName() const override { return "Calc Basic"; }
};

} // namespace

class StatusView : public PerspectiveTest
{
};

TEST_F(StatusView, AnEmptyModelShowsItsListsAndNoSelectionsOrItems)
{
    const std::vector<StatusPiece> pieces = lumbra::documentStatus(&doc.document, &mai.notifierRegistry);
    const std::vector<std::string> lists = column(pieces, 10);
    ASSERT_FALSE(lists.empty());
    EXPECT_EQ(lists.front(), "BlockLists:");
    EXPECT_NE(std::find(lists.begin(), lists.end(), "VornJoint [0]"), lists.end());
    EXPECT_NE(std::find(lists.begin(), lists.end(), "VornGroup [1]"), lists.end());
    EXPECT_NE(pieceWithText(pieces, "no selections"), nullptr);
    EXPECT_NE(pieceWithText(pieces, "no items"), nullptr);
    EXPECT_NE(pieceWithText(pieces, "__WORLD o [1]"), nullptr);
    // Types from the highest id down, the root last with "none" as its base.
    const std::vector<std::string> third = column(pieces, 310);
    ASSERT_FALSE(third.empty());
    EXPECT_EQ(third.back(), "Base Object=0 <none>");
    EXPECT_NE(std::find(third.begin(), third.end(), "Joint=11 <Vertex>"), third.end());
    EXPECT_EQ(lumbra::documentStatus(nullptr, nullptr).size(), 1u);
}

TEST_F(StatusView, ChildListsSelectionsGroupsItemsAndChannelsAreListed)
{
    buildFrame();
    SizedView& view = openWindow(240, 200);
    paint(view); // the window's projected joints join the joint list
    VornGroup* group = model.addGroup("G");
    group->addChild(model.named<VornJoint>("J1"));
    group->select();
    VornSelection* named = doc.document.getSelection();
    named->add(model.named<VornJoint>("J2"));
    named->name.set(model.strings(), "Set");
    named->setNamed(true);
    doc.document.newSelection()->add(model.named<VornJoint>("J3"));
    doc.document.addDocumentItem(new NamedItem);
    ChannelLog log(mai, {"SELCH"});

    const std::vector<StatusPiece> pieces = lumbra::documentStatus(&doc.document, &mai.notifierRegistry);
    const StatusPiece* joints = pieceWithText(pieces, "VornJoint [4]");
    const StatusPiece* projected = pieceWithText(pieces, "ScreenCoor [4]");
    ASSERT_NE(joints, nullptr);
    ASSERT_NE(projected, nullptr);
    EXPECT_EQ(projected->x, 30);
    EXPECT_GT(projected->y, joints->y);
    EXPECT_NE(pieceWithText(pieces, "G x [1]"), nullptr);
    const StatusPiece* set = pieceWithText(pieces, "->Set [1]");
    const StatusPiece* current = pieceWithText(pieces, "_unnamed_ [1]");
    ASSERT_NE(set, nullptr);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(set->colour, 0xFFFFFFu);
    EXPECT_EQ(current->colour, 0x4040FFu);
    EXPECT_NE(pieceWithText(pieces, "Calc Basic"), nullptr);
    EXPECT_NE(pieceWithText(pieces, "SELCH [1]"), nullptr);
}

TEST_F(StatusView, TheStatusViewPaintsOverItsBackgroundAndTakesAWindowFromThePerspective)
{
    platformApplication(); // text needs it
    auto* status = new lumbra::PluginViewDevStatus;
    status->mai = &mai;
    registry.addPlugin(status);
    ASSERT_NE(status->selectMenuItem, nullptr);
    EXPECT_STREQ(status->selectMenuItem->getMenuPath(), "&View\\Select &Type\\&DevStatus");
    SizedView& view = openWindow(460, 300);
    status->selectMenuItem->execute(&view);
    ASSERT_EQ(view.viewTypeInfos->viewTypePlugin, status);
    platform::Surface picture(view.width, view.height, 0);
    platform::DeviceContext context(picture);
    status->draw(&context, view.viewTypeInfos);
    EXPECT_EQ(picture.pixel(5, 5), 0xA0C090u);
    // The first column line, right of the longest text of the first column.
    context.selectObject(platform::Font::stock(platform::ANSI_VAR_FONT));
    const std::vector<StatusPiece> pieces =
        lumbra::documentStatus(&doc.document, &mai.notifierRegistry,
                               [&](const std::string& text) { return context.getTextExtent(text).width; });
    const auto firstLine = std::find_if(pieces.begin(), pieces.end(),
                                        [](const StatusPiece& piece) { return piece.text.empty() && piece.x == piece.toX; });
    ASSERT_NE(firstLine, pieces.end());
    EXPECT_GE(firstLine->x, 140);
    EXPECT_EQ(picture.pixel(firstLine->x, 5), 0x000000u);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(picture, "status_view"));
    // Back to the perspective: the same window keeps its camera.
    viewType->selectMenuItem->execute(&view);
    EXPECT_NE(lumbra::perspectiveOf(&view), nullptr);
}

TEST_F(StatusView, ItsPageOnTheViewPageSaysThatThereIsNothingToSet)
{
    platformApplication();
    lumbra::registerDevStatusViewPageTemplate();
    auto* status = new lumbra::PluginViewDevStatus;
    status->mai = &mai;
    status->module = lumbra::thisModule();
    registry.addPlugin(status);
    PluginWindowRequest* request = status->getWindowRequest();
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->dialogId, 132);
    EXPECT_EQ(request->plugin, status);
    platform::Dialog* page = status->dialogObject;
    ASSERT_NE(page, nullptr);
    status->getWindowRequest();
    EXPECT_EQ(status->dialogObject, page) << "one page for the run";

    platform::Window top;
    ASSERT_TRUE(top.create("Window", "view page", platform::WS_OVERLAPPEDWINDOW, {0, 0, 300, 400}, nullptr, 0));
    PluginWindowHandleImpl parent(&top);
    mai.buildWindows = true;
    PluginWindowHandle* handle = mai.createPluginWindow(request, &parent);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->getWnd(), page);
    EXPECT_EQ(status->windowHandle, handle);
    std::vector<std::string> texts;
    for (platform::Window* child : page->children())
        texts.push_back(child->windowText());
    EXPECT_EQ(texts, (std::vector<std::string>{"No Properties available..."}));
    top.destroyWindow();
}

namespace
{

// The name of a block list's line: its text without the count.
std::string listName(const std::string& text)
{
    return text.substr(0, text.rfind(" ["));
}

TEST(StatusViewDuringARun, EachResultListIsListedOnceUnderItsName)
{
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    StructureModel truss{warrenTruss(4, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000)), doc.document};
    lumbra::PluginCalculatorBasicIterator basic;
    basic.mai = &mai;
    ASSERT_EQ(basic.startCalculation(&doc.document), 0);
    // The worker renames the lists with every iteration; read their names for a while.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(700);
    int reads = 0;
    std::string twice;
    while (twice.empty() && std::chrono::steady_clock::now() < until)
    {
        ++reads;
        std::set<std::string> names;
        for (const StatusPiece& piece : lumbra::documentStatus(&doc.document, nullptr))
            if (piece.x == 30 && !names.insert(listName(piece.text)).second)
                twice = piece.text;
    }
    EXPECT_EQ(basic.stopCalculation(&doc.document), 0);
    delete basic.findItem(doc.document);
    EXPECT_EQ(twice, "") << "listed twice in one of " << reads << " reads";
}

TEST(StatusViewColumns, EachColumnIsAsWideAsItsLongestTextAndTheColumnsRightOfItMoveAlong)
{
    ScriptedMAI mai;
    CountingDoc doc{&mai};
    StructureModel truss{warrenTruss(1, 2.0, JointSupport::Rigid, Vector3(0, 0, -1000)), doc.document};
    const auto sevenPixelsEach = [](const std::string& text) { return 7 * static_cast<int32_t>(text.size()); };
    const std::vector<StatusPiece> pieces = lumbra::documentStatus(&doc.document, &mai.notifierRegistry, sevenPixelsEach);
    std::vector<int32_t> columnLines;
    for (const StatusPiece& piece : pieces)
        if (piece.text.empty() && piece.x == piece.toX)
            columnLines.push_back(piece.x);
    ASSERT_EQ(columnLines.size(), 3u);
    for (const StatusPiece& piece : pieces)
    {
        if (piece.text.empty())
            continue;
        const auto right = std::upper_bound(columnLines.begin(), columnLines.end(), piece.x);
        if (right != columnLines.end())
        {
            EXPECT_LE(piece.x + sevenPixelsEach(piece.text), *right) << piece.text << " runs over its column";
        }
    }
    // Without a measure the columns keep their places.
    const std::vector<StatusPiece> plain = lumbra::documentStatus(&doc.document, &mai.notifierRegistry);
    EXPECT_TRUE(std::any_of(plain.begin(), plain.end(),
                            [](const StatusPiece& piece) { return piece.text.empty() && piece.x == 140 && piece.toX == 140; }));
}

} // namespace
