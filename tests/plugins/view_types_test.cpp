#include "plugins/PluginManager.h"
#include "tests/plugins/PluginTestDoubles.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

class SecondViewType : public FakeViewType
{
public:
    const char* getName() override { return "Second View"; }
};

class NamedSnapObject : public VornPluginSnapObject
{
public:
    NamedSnapObject(const char* name, int32_t priority, double distance = -1.0)
        : VornPluginSnapObject(priority), name(name), distance(distance)
    {
    }
    const char* getName() override { return name; }
    void about(PluginWindowHandle*) override {}
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    const char* getSnapKind() override { return "Point"; }
    // Offers its one point at `distance` when that beats the best so far.
    bool snapPoint(SnapPoint* point, MAI_View*, float, float, float best) override
    {
        ++asked;
        if (distance < 0.0 || distance >= best)
            return false;
        point->distance = distance;
        point->point = &coordinates[0];
        point->source = this;
        return true;
    }
    const char* name;
    double distance;
    double coordinates[3] = {1.0, 2.0, 3.0};
    int asked = 0;
};

class ViewTypeStates : public ::testing::Test
{
protected:
    FakeMAI mai;
    FakeDoc document{&mai};
    FakeViewType perspective;
    SecondViewType openGL;
};

} // namespace

TEST_F(ViewTypeStates, ANewStateIsShownAndFindingAnOlderOneBringsItToTheFront)
{
    FakeView view(&document);
    ViewTypeInfo* first = perspective.getViewTypeInfo(&view);
    EXPECT_TRUE(first->isActive());
    ViewTypeInfo* second = openGL.getViewTypeInfo(&view);
    EXPECT_TRUE(second->isActive());
    EXPECT_FALSE(first->isActive());

    EXPECT_EQ(perspective.getViewTypeInfo(&view), first); // found, not made again
    EXPECT_TRUE(first->isActive());
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->next, nullptr);
    EXPECT_FALSE(view.findViewTypeInfo(nullptr));

    ViewTypeInfo detached(&perspective, nullptr);
    EXPECT_FALSE(detached.isActive());
}

TEST_F(ViewTypeStates, ClosingAViewDestroysItsStatesAndTheirDrawObjects)
{
    FakeDrawObjectPlugin layer;
    int destroyed = 0;
    {
        FakeView view(&document);
        mai.activeView = &view;
        ViewTypeInfo* shown = perspective.getViewTypeInfo(&view);
        ViewTypeInfo* hidden = openGL.getViewTypeInfo(&view);
        new RecordingDrawObject(&layer, shown, &destroyed);
        new RecordingDrawObject(&layer, shown, &destroyed);
        shown->mouseHolder = new RecordingDrawObject(&layer, shown, &destroyed);
        new RecordingDrawObject(&layer, hidden, &destroyed);
        EXPECT_NE(layer.drawObjects, nullptr);
    }
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(layer.drawObjects, nullptr); // the plugin's chain holds nothing of the closed view
    EXPECT_EQ(document.views, nullptr);
    EXPECT_EQ(mai.activeView, nullptr);
}

TEST_F(ViewTypeStates, DestroyingTheHeadOfBothChainsLeavesBothHeadsOnTheNextObjects)
{
    FakeView view(&document);
    ViewTypeInfo* info = perspective.getViewTypeInfo(&view);
    FakeDrawObjectPlugin layer;
    DrawObject* older = layer.getDrawObject(info);
    DrawObject* newer = layer.getDrawObject(info);
    ASSERT_EQ(info->drawObjects, newer);
    ASSERT_EQ(layer.drawObjects, newer);
    delete newer;
    EXPECT_EQ(info->drawObjects, older);
    EXPECT_EQ(layer.drawObjects, older);
    EXPECT_EQ(older->prev, nullptr);
    EXPECT_EQ(older->prevOfPlugin, nullptr);
}

TEST_F(ViewTypeStates, DestroyingAStateTakesItOutOfItsView)
{
    FakeView view(&document);
    ViewTypeInfo* first = perspective.getViewTypeInfo(&view);
    ViewTypeInfo* second = openGL.getViewTypeInfo(&view);
    delete first;
    EXPECT_EQ(view.viewTypeInfos, second);
    EXPECT_EQ(second->next, nullptr);
    delete second;
    EXPECT_EQ(view.viewTypeInfos, nullptr);
}

TEST_F(ViewTypeStates, ADrawObjectOutlivingItsPluginForgetsIt)
{
    FakeView view(&document);
    ViewTypeInfo* info = perspective.getViewTypeInfo(&view);
    auto layer = std::make_unique<FakeDrawObjectPlugin>();
    DrawObject* object = layer->getDrawObject(info);
    layer.reset();
    EXPECT_EQ(object->plugin, nullptr);
}

TEST(SnapObjects, ObjectsOfTheSameNameShareTheFirstOnesMaster)
{
    FakeMAI mai;
    NamedSnapObject grid("grid", 1);
    NamedSnapObject gridAgain("Grid", 5);
    NamedSnapObject joint("Joint", 0);
    mai.addSnapObject(&grid);
    mai.addSnapObject(&joint);
    mai.addSnapObject(&gridAgain);
    mai.addSnapObject(&joint); // already in the chain: stays where it is
    mai.addSnapObject(&grid); // also when one of its name stands before it
    EXPECT_EQ(mai.snapObjects, &gridAgain);
    EXPECT_EQ(gridAgain.nextSnapObject, &joint);
    EXPECT_EQ(joint.nextSnapObject, &grid);
    EXPECT_EQ(grid.nextSnapObject, nullptr);
    EXPECT_EQ(gridAgain.master, &grid);
    EXPECT_EQ(joint.master, &joint);
    EXPECT_EQ(gridAgain.getPriority(), 1);

    EXPECT_TRUE(grid.isEnabled());
    gridAgain.execute(nullptr); // toggles the shared flag
    EXPECT_FALSE(grid.isEnabled());
    EXPECT_FALSE(gridAgain.isEnabled());
    EXPECT_TRUE(joint.isEnabled());
    grid.setUsable(true);
    EXPECT_TRUE(gridAgain.isUsable());
    EXPECT_FALSE(joint.isUsable());
    EXPECT_FALSE(grid.reservedQuery()); // reserved: no snap object gives it a role
}

TEST(SnapObjects, ASnapPointStartsEmptyWithItsStamp)
{
    SnapPoint point(1234);
    EXPECT_EQ(point.stamp, 1234u);
    EXPECT_EQ(point.point, nullptr);
    EXPECT_EQ(point.source, nullptr);
    EXPECT_EQ(point.distance, 0.0);
}

TEST(ViewCursor, TheShownStateAnswersBeforeTheActiveTool)
{
    class CursorState : public ViewTypeInfo
    {
    public:
        using ViewTypeInfo::ViewTypeInfo;
        platform::CursorHandle getCursor(int32_t x, int32_t, uint32_t) override
        {
            return x > 0 ? static_cast<platform::CursorHandle>(0x10) : platform::CursorHandle{};
        }
    };
    class CursorTool : public RecordingMenuItem
    {
    public:
        platform::CursorHandle getCursor(MAI_View*, int32_t, int32_t, uint32_t) override
        {
            return static_cast<platform::CursorHandle>(0x20);
        }
    };
    FakeMAI mai;
    FakeDoc document(&mai);
    FakeView view(&document);
    EXPECT_EQ(view.getCursor(1, 1, 0), platform::CursorHandle{});
    CursorTool tool;
    document.setActiveMenuItem(&tool);
    FakeViewType viewType;
    new CursorState(&viewType, &view);
    EXPECT_EQ(view.getCursor(1, 1, 0), static_cast<platform::CursorHandle>(0x10));
    EXPECT_EQ(view.getCursor(0, 1, 0), static_cast<platform::CursorHandle>(0x20));
}

TEST(SnapObjects, TheSearchTakesTheNearestPointOfTheEnabledAndUsableObjects)
{
    EXPECT_EQ(findBestSnapPoint(nullptr, nullptr, 0, 0, 7).source, nullptr);

    VornPluginBase* snapList = nullptr; // a view type's snap-object list, filled newest first
    PluginManager registry;
    registry.addPluginType(&snapList, "Standard MenuItem", nullptr);
    auto add = [&](const char* name, double distance, bool usable, bool enabled) {
        auto* snap = new NamedSnapObject(name, 0, distance);
        snap->setUsable(usable);
        snap->snapEnabled = enabled ? 1 : 0;
        registry.addPlugin(snap);
        return snap;
    };
    NamedSnapObject* laterTie = add("Later Tie", 4.0, true, true);
    NamedSnapObject* far = add("Far", 9.0, true, true);
    NamedSnapObject* disabled = add("Disabled", 1.0, true, false);
    NamedSnapObject* unusable = add("Unusable", 1.0, false, true);
    NamedSnapObject* nearest = add("Nearest", 4.0, true, true);
    // List order: Nearest, Unusable, Disabled, Far, Later Tie.

    const SnapPoint best = findBestSnapPoint(snapList, nullptr, 10.0f, 20.0f, 1234);
    EXPECT_EQ(best.source, nearest);
    EXPECT_EQ(best.distance, 4.0);
    EXPECT_EQ(best.point, &nearest->coordinates[0]);
    EXPECT_EQ(best.stamp, 1234u);
    EXPECT_EQ(disabled->asked + unusable->asked, 0);
    EXPECT_EQ(far->asked, 1);
    EXPECT_EQ(laterTie->asked, 1); // asked, but an equal distance does not replace the earlier point
}
