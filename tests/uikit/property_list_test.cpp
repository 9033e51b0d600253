// The property list: the column table of a type, the cells of traced objects, rows of deleted
// objects, and the header's resizing, moving and column menu.

#include "KitTestSupport.h"
#include "tests/support/ImageCheck.h"

#include "VornData/PropertyDescriptor.h"
#include "__globalobjectdevice/GlobalObjectDevice.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Controls.h"
#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "platform/DrawingConstants.h"
#include "platform/Menu.h"
#include "plugins/IdleTask.h"
#include "tests/core/ModelFixture.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "uikit/ControlRules.h"
#include "uikit/PropertyColumns.h"
#include "uikit/PropertyList.h"
#include "uikit/PropertyListTracer.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <gtest/gtest.h>

using namespace platform;

namespace
{

constexpr int32_t headerId = 1000;
constexpr int32_t listId = 1146;

// The application interface and the model services of this test program, made once.
FakeMAI& testInterface()
{
    static FakeMAI* mai = [] {
        auto* made = new FakeMAI();
        GlobalObjectDevice::initiate(made);
        installModelServices();
        registerBaseObjectProperties();
        registerVertexProperties();
        registerJointProperties();
        registerMemberProperties();
        return made;
    }();
    return *mai;
}

class CountingListener : public NotifierListener
{
public:
    void notify(void*) override { ++count; }
    int count = 0;
};

// A header whose column menu answers from the test instead of waiting for a person.
class ScriptedHeader : public CPropertyListHeader
{
public:
    uint32_t trackColumnMenu(Menu& menu, Point screenPoint) override
    {
        shownEntries.clear();
        for (int i = 0; i < menu.entryCount(); ++i)
            shownEntries.push_back({menu.entryText(i), menu.commandId(i), menu.checkState(i)});
        shownAt = screenPoint;
        return answer;
    }
    struct Entry
    {
        std::string text;
        uint32_t id;
        int check;
    };
    std::vector<Entry> shownEntries;
    Point shownAt;
    uint32_t answer = 0;
};

class PropertyListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        testInterface();
        processMessages();
        initProplistTypeArray();
        currentProplistType = objectTypeID(ObjectType::Joint);
        ASSERT_NE(currentProplistEntry(), nullptr);
        savedColumns = currentProplistEntry()->columns;

        ASSERT_TRUE(createTopWindow(dialog, {30, 30, 470, 230}));
        ASSERT_TRUE(header.create("Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {0, 0, listWidth, 20}, &dialog,
                                  headerId));
        ASSERT_TRUE(list.create("ListBox", "",
                                WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOSEL | LBS_NOINTEGRALHEIGHT,
                                {0, 20, listWidth, 180}, &dialog, listId));
        model.addJoint("J1", 0, 0, 0);
        model.addJoint("J2", 3, 4, 0);
        model.addJoint("J3", 3, 4, 5);
        fillRows();
    }
    void TearDown() override
    {
        PropertyListTracer::instance()->clearTracedItems();
        currentProplistType = objectTypeID(ObjectType::Joint);
        currentProplistEntry()->columns = savedColumns;
        dialog.destroyWindow();
        processMessages();
    }

    // What the property list dialog does: one row per object, its knot index as item data.
    void fillRows()
    {
        PropertyListTracer* tracer = PropertyListTracer::instance();
        ASSERT_NE(tracer, nullptr);
        tracer->clearTracedItems();
        list.resetContent();
        for (const char* name : {"J1", "J2", "J3"})
        {
            const int32_t knotIndex = tracer->addTracedItem(model.named<VornJoint>(name));
            ASSERT_GE(knotIndex, 0);
            list.setItemData(list.addString(" "), knotIndex);
        }
        repaint();
    }
    // Every column 40 pixels wide, as if the person had sized them so.
    void sizeColumnsByHand()
    {
        for (ProplistColumn& column : currentProplistEntry()->columns)
        {
            column.width = 40;
            column.sizedByHand = true;
        }
        repaint();
    }
    void repaint()
    {
        header.invalidate(true);
        list.invalidate(true);
        processMessages();
    }
    // The list's pixel at x in the middle of a row.
    uint32_t rowPixel(int32_t row, int32_t x)
    {
        const int32_t height = list.getItemHeight();
        return list.surface()->pixel(x, row * height + height / 2);
    }
    bool rowHasColour(int32_t row, uint32_t colour)
    {
        const int32_t height = list.getItemHeight();
        for (int32_t y = row * height; y < (row + 1) * height; ++y)
            for (int32_t x = 0; x < list.clientRect().width(); ++x)
                if (list.surface()->pixel(x, y) == colour)
                    return true;
        return false;
    }
    std::vector<std::string> columnNames()
    {
        std::vector<std::string> names;
        for (const ProplistColumn& column : currentProplistEntry()->columns)
            names.push_back(column.descriptor->getName());
        return names;
    }
    void headerMouse(uint32_t action, int32_t x)
    {
        simulateMouse(header.handle(), action, {x, 8});
        processMessages();
    }

    int32_t listWidth = 400;
    std::vector<ProplistColumn> savedColumns;
    ModelDocument model;
    Window dialog;
    ScriptedHeader header;
    CPropertyListBox list;
};

TEST_F(PropertyListTest, AJointShowsTheColumnsOfItsTypeAndItsBases)
{
    EXPECT_EQ(
        columnNames(),
        (std::vector<std::string>{"Name", "Color", "X Creation Coordinate", "Y Creation Coordinate",
                                  "Z Creation Coordinate", "X Displacement", "Y Displacement", "Z Displacement"}));
    for (const ProplistColumn& column : savedColumns)
        EXPECT_EQ(column.width, 40) << "at first";
    EXPECT_EQ(proplistTypeArray[objectTypeID(ObjectType::BaseObject)].columnCount, 2);
    EXPECT_EQ(proplistTypeArray[objectTypeID(ObjectType::Selection)].columnCount, 2);
}

TEST_F(PropertyListTest, CellsPaintTheirDescriptorsColoursAndTheRowEnd)
{
    sizeColumnsByHand();
    VornJoint* j1 = model.named<VornJoint>("J1");
    const std::vector<ProplistColumn>& columns = currentProplistEntry()->columns;
    const uint32_t nameBackground = columns[0].descriptor->getBackgroundColor(j1) & 0xFFFFFF;
    const uint32_t xBackground = columns[2].descriptor->getBackgroundColor(j1) & 0xFFFFFF;
    EXPECT_EQ(rowPixel(0, 3), nameBackground);
    EXPECT_EQ(rowPixel(0, 2 * 40 + 3), xBackground);
    EXPECT_EQ(list.surface()->pixel(1, 0), getSysColor(COLOR_BTNHIGHLIGHT)) << "the cell's light top edge";
    const bool nameEditable = (columns[0].descriptor->flags & PropertyDescriptor::Editable) != 0;
    EXPECT_EQ(rowPixel(0, 40), getSysColor(nameEditable ? COLOR_BTNFACE : COLOR_BTNSHADOW)) << "its right edge";
    EXPECT_EQ(rowPixel(0, 8 * 40 + 10), 0xFFFFFFu) << "white after the last column";
    EXPECT_TRUE(rowHasColour(0, columns[0].descriptor->getTextColor(j1) & 0xFFFFFF)) << "the name is written";

    // A selected object's cells are halved and tinted green; the row's end is pale green.
    j1->markSelected();
    repaint();
    EXPECT_EQ(rowPixel(0, 3), selectedCellColour(nameBackground) & 0xFFFFFF);
    EXPECT_EQ(rowPixel(0, 8 * 40 + 10), 0xC0FFC0u);
    EXPECT_EQ(rowPixel(1, 8 * 40 + 10), 0xFFFFFFu) << "other rows stay";
}

TEST_F(PropertyListTest, AColumnGrowsToShowItsNumbersWholeAndTheHeaderFollows)
{
    VornJoint* j2 = model.named<VornJoint>("J2");
    j2->getCreationCoordinate() = Vector3(-1.736111113522435e-08, 6721254772404, 0);
    repaint();
    processMessages();
    const std::vector<ProplistColumn>& columns = currentProplistEntry()->columns;
    DeviceContext measure = DeviceContext::createCompatibleDC();
    measure.selectObject(Font::stock(ANSI_VAR_FONT));
    for (size_t index : {2u, 3u})
    {
        const std::string text = *columns[index].descriptor->getValueText(j2, 0, 0);
        EXPECT_EQ(text, index == 2 ? "-1.73611e-8" : " 6.72125e12") << "the six-digit text is kept";
        EXPECT_GE(columns[index].width, measure.getTextExtent(text).width + PropertyColumns::cellTextMargins) << text;
    }
    EXPECT_EQ(columns[5].width, 40) << "a column whose texts fit keeps its width";
    // The rows painted before the column grew are painted again: the first row's cells line up
    // with the second's.
    const int32_t edge = columns[0].width + columns[1].width + columns[2].width;
    for (int32_t x : {edge - 1, edge, edge + 1})
        EXPECT_EQ(rowPixel(0, x), rowPixel(2, x)) << x;

    // A width the person gives a column stays, narrower than its texts or not.
    PropertyColumns::resizeColumn(currentProplistEntry()->columns[2], -30);
    const int32_t narrowed = columns[2].width;
    repaint();
    processMessages();
    EXPECT_EQ(columns[2].width, narrowed);
}

TEST_F(PropertyListTest, ThePartlyVisibleLastCellEndsThreePixelsBeforeTheEdge)
{
    listWidth = 150;
    list.moveWindow({0, 20, listWidth, 180}, false);
    model.named<VornJoint>("J1")->markSelected();
    repaint();
    const uint32_t inside = rowPixel(0, 3 * 40 + 10);
    EXPECT_NE(inside, 0xFFFFFFu);
    EXPECT_NE(rowPixel(0, listWidth - 4), rowPixel(0, listWidth - 2))
        << "nothing of the row drawn in the last 3 pixels";
}

TEST_F(PropertyListTest, ADeletedObjectsRowShowsTheMissingLinkAndOneNoticeFollows)
{
    CountingListener listener;
    testInterface().notifierRegistry.addListener(Channel::PropertyListChanged, &listener);
    PropertyListTracer* tracer = PropertyListTracer::instance();
    IdleTaskManager::instance().runTasks();
    EXPECT_EQ(listener.count, 0) << "nothing went away yet";

    model.named<VornJoint>("J2")->removeFromList();
    model.named<VornJoint>("J3")->removeFromList();
    EXPECT_TRUE(tracer->hasChanged());
    EXPECT_EQ(tracer->getTracedObject(1), nullptr);
    EXPECT_NE(tracer->getTracedObject(0), nullptr);
    repaint();
    EXPECT_TRUE(rowHasColour(1, 0x0000FF)) << "\"_missing_tracerlink_\" in red";
    EXPECT_FALSE(rowHasColour(0, 0x0000FF));

    IdleTaskManager::instance().runTasks();
    IdleTaskManager::instance().runTasks();
    EXPECT_EQ(listener.count, 1) << "one notice however many objects went away";
    EXPECT_FALSE(tracer->hasChanged());
    listener.unlink();
}

TEST_F(PropertyListTest, TracerRowsGrowAndRefuseNull)
{
    PropertyListTracer* tracer = PropertyListTracer::instance();
    EXPECT_EQ(tracer->getTracedObject(3), nullptr) << "beyond the rows";
    VornJoint* j1 = model.named<VornJoint>("J1");
    for (int i = 0; i < 1500; ++i)
        ASSERT_GE(tracer->addTracedItem(j1), 0);
    EXPECT_EQ(tracer->getCount(), 1503u);
    EXPECT_EQ(tracer->getTracedObject(1502), j1);
    EXPECT_EQ(tracer->getTracedObject(1), model.named<VornJoint>("J2"))
        << "rows keep their objects when the array grows";
    tracer->clearTracedItems();
    EXPECT_EQ(tracer->getTracedObject(0), nullptr);
}

TEST_F(PropertyListTest, ATypeWithoutColumnsShowsNothing)
{
    currentProplistType = static_cast<int32_t>(proplistTypeArray.size()) + 5;
    EXPECT_EQ(currentProplistEntry(), nullptr);
    repaint(); // no crash, nothing drawn
    headerMouse(WM_LBUTTONDOWN, 42);
    EXPECT_FALSE(header.resizing || header.moving);
    headerMouse(WM_LBUTTONUP, 42);
    currentProplistType = -1;
    EXPECT_EQ(currentProplistEntry(), nullptr);
}

TEST_F(PropertyListTest, HeaderResizesColumnsBetweenEightAnd500Pixels)
{
    EXPECT_EQ(PropertyColumns::hitTest(currentProplistEntry()->columns, 42), PropertyColumns::resizeZone | 0);
    EXPECT_EQ(PropertyColumns::hitTest(currentProplistEntry()->columns, 39), 0);
    headerMouse(WM_LBUTTONDOWN, 42);
    EXPECT_TRUE(header.resizing);
    headerMouse(WM_MOUSEMOVE, 72);
    EXPECT_EQ(currentProplistEntry()->columns[0].width, 70);
    headerMouse(WM_MOUSEMOVE, 900);
    EXPECT_EQ(currentProplistEntry()->columns[0].width, 500);
    headerMouse(WM_MOUSEMOVE, -900);
    EXPECT_EQ(currentProplistEntry()->columns[0].width, 8);
    headerMouse(WM_LBUTTONUP, -890);
    EXPECT_FALSE(header.resizing);
    EXPECT_EQ(currentProplistEntry()->columns[0].width, 18) << "the release applies its own movement";
    EXPECT_EQ(rowPixel(0, 12),
              currentProplistEntry()->columns[0].descriptor->getBackgroundColor(model.named<VornJoint>("J1")) &
                  0xFFFFFF);
}

TEST_F(PropertyListTest, HeaderMovesColumnsPastHiddenOnes)
{
    sizeColumnsByHand();
    headerMouse(WM_LBUTTONDOWN, 10); // inside "Name"
    EXPECT_TRUE(header.moving);
    headerMouse(WM_MOUSEMOVE, 40);
    EXPECT_EQ(columnNames()[0], "Name") << "not yet past the neighbour's width";
    headerMouse(WM_MOUSEMOVE, 55);
    EXPECT_EQ(columnNames()[0], "Color");
    EXPECT_EQ(columnNames()[1], "Name");
    EXPECT_EQ(header.column, 1);
    headerMouse(WM_LBUTTONUP, 55);
    EXPECT_FALSE(header.moving);

    // Hide "X Creation Coordinate" (index 2); "Name" moved right skips it.
    currentProplistEntry()->columns[2].width = -40;
    headerMouse(WM_LBUTTONDOWN, 50);
    headerMouse(WM_MOUSEMOVE, 95);
    EXPECT_EQ(
        columnNames(),
        (std::vector<std::string>{"Color", "X Creation Coordinate", "Y Creation Coordinate", "Name",
                                  "Z Creation Coordinate", "X Displacement", "Y Displacement", "Z Displacement"}));
    headerMouse(WM_MOUSEMOVE, 50);
    EXPECT_EQ(columnNames()[3], "Name") << "not further than the neighbour's width";
    headerMouse(WM_MOUSEMOVE, 45);
    EXPECT_EQ(columnNames()[3], "Y Creation Coordinate") << "and back to the left";
    headerMouse(WM_LBUTTONUP, 45);
}

TEST_F(PropertyListTest, ColumnMenuTogglesColumnsAndKeepsTheirWidths)
{
    sizeColumnsByHand();
    currentProplistEntry()->columns[4].width = 55;
    header.answer = CPropertyListHeader::firstColumnCommand + 4;
    simulateMouse(header.handle(), WM_RBUTTONDOWN, {100, 5});
    simulateMouse(header.handle(), WM_RBUTTONUP, {100, 5});
    processMessages();
    ASSERT_EQ(header.shownEntries.size(), 8u);
    EXPECT_EQ(header.shownEntries[0].text, "Name");
    EXPECT_EQ(header.shownEntries[7].id, 0xB007u);
    EXPECT_EQ(header.shownEntries[4].check, 1);
    EXPECT_EQ(header.shownAt, header.clientToScreen(Point{100, 5}));
    EXPECT_EQ(currentProplistEntry()->columns[4].width, -55) << "hidden, its width kept";

    simulateMouse(header.handle(), WM_RBUTTONDOWN, {100, 5});
    simulateMouse(header.handle(), WM_RBUTTONUP, {100, 5});
    processMessages();
    EXPECT_EQ(header.shownEntries[4].check, 0);
    EXPECT_EQ(currentProplistEntry()->columns[4].width, 55);

    // Commands beyond the columns are not the header's.
    EXPECT_NE(header.sendMessage(WM_COMMAND, CPropertyListHeader::firstColumnCommand + 8), 1);
    EXPECT_EQ(currentProplistEntry()->columns.size(), 8u);
}

TEST_F(PropertyListTest, HeaderCursorIsItsOwn)
{
    Button other;
    ASSERT_TRUE(other.create("Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, {0, 190, 50, 200}, &dialog, 5));
    header.resizing = true;
    header.sendMessage(WM_SETCURSOR, static_cast<WParam>(header.handle()), makeLParam(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(currentCursor(), loadStandardCursor(IDC_SIZEWE));
    other.sendMessage(WM_SETCURSOR, static_cast<WParam>(other.handle()), makeLParam(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(currentCursor(), loadStandardCursor(IDC_SIZEWE)) << "other buttons keep their cursor";
    header.resizing = false;
}

TEST_F(PropertyListTest, PictureOfThePropertyList)
{
    model.named<VornJoint>("J2")->markSelected();
    model.named<VornJoint>("J3")->getCreationCoordinate() = Vector3(1.5, -2.25e-7, 6721254772404);
    currentProplistEntry()->columns[0].width = 60;
    repaint();
    processMessages();
    const Surface picture = pictureOfWindow(dialog);
    EXPECT_TRUE(vorn_test::matchesReferenceImage(picture, "property_list"));
    EXPECT_EQ(picture.pixel(0, 10), getSysColor(COLOR_3DSHADOW)) << "the header's etched left side";
    EXPECT_EQ(picture.pixel(1, 10), getSysColor(COLOR_3DHIGHLIGHT));
}

} // namespace
