#include "tests/lumbra/PerspectiveTestSupport.h"

#include "VornData/VornJoint.h"
#include "VornData/VornMember.h"

#include <thread>

using Names = std::vector<std::string>;

class PerspectiveSelection : public PerspectiveTest
{
protected:
    PerspectiveSelection()
    {
        buildFrame();
        view = &openWindow(240, 200);
        viewType->draw(nullptr, view->viewTypeInfos); // nothing without a context
        paint(*view);
    }

    SizedView* view = nullptr;
};

TEST_F(PerspectiveSelection, AClickInEmptySpaceClearsEverythingAndAnnouncesTheChange)
{
    ChannelLog log(mai, {"PRESL", "SELCH"});
    model.named<VornJoint>("J1")->setFlagBits(VornFlag::PreSelected | VornFlag::Selected);
    band(*view, {120, 150}, {120, 150});
    EXPECT_EQ(log.heard, (Names{"PRESL", "SELCH"}));
    EXPECT_EQ(selectedNames(), Names{});
    EXPECT_FALSE(model.named<VornJoint>("J1")->isPreSelected());
    EXPECT_FALSE(cameraOf(*view).hasBand());
    EXPECT_FALSE(view->captured);
}

TEST_F(PerspectiveSelection, ABandDraggedRightTakesWhatLiesInsideItDraggedLeftWhatItTouches)
{
    // J1 (200, 100), J2 (40, 100), J3 (200, 20), J4 (40, 20); M1 J1-J3, M2 J2-J4, M3 J3-J4.
    struct Case
    {
        platform::Point from, to;
        Names selected;
    };
    const Case cases[] = {
        {{180, 5}, {220, 40}, {"J3"}},
        {{220, 40}, {180, 5}, {"J3", "M1", "M3"}},
        {{10, 5}, {230, 110}, {"J1", "J2", "J3", "J4", "M1", "M2", "M3"}},
        {{130, 10}, {110, 30}, {"M3"}},
        {{110, 10}, {130, 30}, {}},
        {{150, 60}, {100, 70}, {}},
    };
    for (const Case& c : cases)
    {
        band(*view, c.from, c.to);
        EXPECT_EQ(selectedNames(), c.selected) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
    }
}

TEST_F(PerspectiveSelection, ClosedGroupsAreTakenWholeByATouchingBandOnly)
{
    VornGroup* top = model.addGroup("Top");
    top->addChild(model.named<VornJoint>("J3"));
    top->addChild(model.named<VornJoint>("J4"));
    top->addChild(model.named<VornMember>("M3"));
    top->select();
    band(*view, {180, 5}, {220, 40});
    EXPECT_EQ(selectedNames(), Names{});
    band(*view, {220, 40}, {180, 5});
    EXPECT_EQ(selectedNames(), (Names{"M1", "Top"}));
    EXPECT_FALSE(model.named<VornJoint>("J3")->isPreSelected());
    // A band right around the whole group takes it too.
    band(*view, {20, 5}, {220, 40});
    EXPECT_EQ(selectedNames(), Names{"Top"});
}

TEST_F(PerspectiveSelection, ShiftAddsCtrlRemovesAndBothFlipAgainstTheSelectionAtThePress)
{
    const platform::Point aroundJ1[] = {{190, 90}, {210, 110}};
    const platform::Point aroundJ2[] = {{30, 90}, {50, 110}};
    const platform::Point aroundBoth[] = {{30, 90}, {210, 110}};
    band(*view, aroundJ1[0], aroundJ1[1]);
    EXPECT_EQ(selectedNames(), Names{"J1"});
    band(*view, aroundJ2[0], aroundJ2[1], InputEvent::Shift);
    EXPECT_EQ(selectedNames(), (Names{"J1", "J2"}));
    band(*view, aroundJ1[0], aroundJ1[1], InputEvent::Ctrl);
    EXPECT_EQ(selectedNames(), Names{"J2"});
    band(*view, aroundBoth[0], aroundBoth[1], InputEvent::Shift | InputEvent::Ctrl);
    EXPECT_EQ(selectedNames(), Names{"J1"});
}

TEST_F(PerspectiveSelection, AnObjectTouchedDuringAnAddingDragStaysAddedWhenTheBandShrinks)
{
    const uint32_t held = InputEvent::LeftHeld | InputEvent::Shift;
    viewType->onMouse(view, 30, 90, InputEvent::LeftDown | held);
    viewType->onMouse(view, 210, 110, held); // over J1 and J2
    EXPECT_TRUE(model.named<VornJoint>("J1")->isPreSelected());
    viewType->onMouse(view, 50, 110, held); // back over J2 only
    viewType->onMouse(view, 50, 110, InputEvent::LeftUp | InputEvent::Shift);
    EXPECT_EQ(selectedNames(), (Names{"J1", "J2"}));
}

TEST_F(PerspectiveSelection, TheBandChangesSelectionBitsOnlyUnderTheDocumentLock)
{
    ChannelLog log(mai, {"PRESL", "SELCH"});
    log.probe = [this] {
        bool free = false;
        std::thread other([&] {
            free = doc.lock.try_lock();
            if (free)
                doc.lock.unlock();
        });
        other.join();
        return free ? 0 : 1;
    };
    band(*view, {190, 90}, {210, 110});
    EXPECT_EQ(log.probes, (std::vector<int>{1, 1}));
    EXPECT_EQ(selectedNames(), Names{"J1"});
    EXPECT_FALSE(doc.hasUnexportedChanges()) << "a selection is no edit of the model";
}
