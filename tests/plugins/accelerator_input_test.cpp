#include "plugins/AcceleratorTable.h"
#include "plugins/InputEvent.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Calls = std::vector<std::string>;

namespace
{

std::vector<VornPluginMenuItem*> pluginsOf(const AcceleratorTable& table, uint32_t code)
{
    std::vector<VornPluginMenuItem*> plugins;
    for (AcceleratorBinding* binding = table.getBindings(code); binding != nullptr; binding = binding->next)
        plugins.push_back(binding->plugin);
    return plugins;
}

// A document with one view and an active tool; bindings go into the application's table.
class ViewInput : public ::testing::Test
{
protected:
    ViewInput() { document.setActiveMenuItem(&tool); }

    void bind(uint32_t code, VornPluginMenuItem* plugin)
    {
        ASSERT_NE(mai.accelerators.addBinding(code, plugin), nullptr);
    }

    FakeMAI mai;
    FakeDoc document{&mai};
    FakeView view{&document};
    RecordingMenuItem tool{"Tool"};
    RecordingMenuItem bound{"Bound"};
};

constexpr uint32_t rightDown = InputEvent::RightDown | InputEvent::RightHeld;
constexpr uint32_t rightMove = InputEvent::Move | InputEvent::RightHeld;
constexpr uint32_t rightUp = InputEvent::RightUp;

} // namespace

TEST(AcceleratorTable, KeepsBindingsInOrderPerCodeAndRefusesCodesOutsideTheTable)
{
    AcceleratorTable table;
    RecordingMenuItem a("A"), b("B"), c("C");
    AcceleratorBinding* first = table.addBinding(72 + 'A', &a);
    AcceleratorBinding* middle = table.addBinding(72 + 'A', &b);
    table.addBinding(72 + 'A', &c);
    table.addBinding(AcceleratorCode::Count - 1, &a);
    EXPECT_EQ(table.getCount(), 4);
    EXPECT_EQ(pluginsOf(table, 72 + 'A'), (std::vector<VornPluginMenuItem*>{&a, &b, &c}));
    EXPECT_EQ(first->code, 72u + 'A');
    EXPECT_EQ(first->reserved, 0u);

    for (uint32_t outside : {AcceleratorCode::Count, 5000u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(table.addBinding(outside, &a), nullptr) << outside;
        EXPECT_EQ(table.getBindings(outside), nullptr) << outside;
    }
    EXPECT_EQ(table.getCount(), 4);

    table.removeBinding(middle);
    EXPECT_EQ(pluginsOf(table, 72 + 'A'), (std::vector<VornPluginMenuItem*>{&a, &c}));
    EXPECT_EQ(table.getCount(), 3);
    table.removeBinding(nullptr);
    EXPECT_EQ(table.getCount(), 3);

    // A binding of another table is not this table's to free.
    AcceleratorTable other;
    AcceleratorBinding* foreign = other.addBinding(72 + 'A', &b);
    table.removeBinding(foreign);
    EXPECT_EQ(table.getCount(), 3);
    EXPECT_EQ(other.getBindings(72 + 'A'), foreign);

    table.swap(other);
    EXPECT_EQ(table.getCount(), 1);
    EXPECT_EQ(other.getCount(), 3);
    other.clear();
    EXPECT_EQ(other.getCount(), 0);
    EXPECT_EQ(other.getBindings(72 + 'A'), nullptr);
}

TEST(AcceleratorTable, EventCodesOfKeysAndMouseGestures)
{
    EXPECT_EQ(AcceleratorCode::key('A', false, false), 137u);
    EXPECT_EQ(AcceleratorCode::key('A', true, false), 393u);
    EXPECT_EQ(AcceleratorCode::key('A', true, true), 905u);
    EXPECT_EQ(AcceleratorCode::key(255, true, true), AcceleratorCode::Count - 1);
    EXPECT_EQ(AcceleratorCode::mouseBase(true, true) + AcceleratorCode::MiddleClick, 56u);
}

TEST_F(ViewInput, AStaticRightClickRunsTheClickBindingsInsteadOfTheUpBindings)
{
    RecordingMenuItem onUp("Up");
    bind(AcceleratorCode::RightClick, &bound);
    bind(AcceleratorCode::RightUp, &onUp);
    view.onMouseEvent(10, 10, rightDown);
    EXPECT_TRUE(view.captured);
    view.onMouseEvent(10, 10, rightUp);
    EXPECT_EQ(bound.calls, (Calls{"execute"}));
    EXPECT_TRUE(onUp.calls.empty());
    EXPECT_TRUE(tool.calls.empty() || tool.calls == (Calls{"activate"}));
    EXPECT_FALSE(view.captured);
    EXPECT_EQ(view.pressFlags, 0u);
}

TEST_F(ViewInput, WithoutAClickBindingTheRightUpBindingsRun)
{
    bind(AcceleratorCode::ShiftBase + AcceleratorCode::RightUp, &bound);
    view.onMouseEvent(10, 10, rightDown | InputEvent::Shift);
    view.onMouseEvent(10, 10, rightUp | InputEvent::Shift);
    EXPECT_EQ(bound.calls, (Calls{"execute"}));
}

TEST_F(ViewInput, ABoundRightDragReachesItsToolAsALeftDragWithThePressModifiers)
{
    tool.calls.clear();
    bind(AcceleratorCode::CtrlBase + AcceleratorCode::RightDrag, &bound);
    view.onMouseEvent(10, 20, rightDown | InputEvent::Ctrl);
    view.onMouseEvent(10, 20, rightMove | InputEvent::Ctrl); // still on the press point
    EXPECT_TRUE(bound.calls.empty());
    view.onMouseEvent(12, 25, rightMove | InputEvent::Ctrl | InputEvent::Shift);
    view.onMouseEvent(14, 30, rightMove);
    view.onMouseEvent(15, 31, rightUp);
    EXPECT_EQ(bound.calls, (Calls{"10,20,111", "12,25,19", "14,30,1", "15,31,210"}));
    EXPECT_TRUE(tool.calls.empty()); // the active tool saw nothing of the gesture
    EXPECT_FALSE(view.captured);
}

TEST_F(ViewInput, ADragToolThatDeclinesMouseInputGetsOnlyTheRelease)
{
    RecordingMenuItem declining("Declining", false);
    bind(AcceleratorCode::MiddleDrag, &declining);
    view.onMouseEvent(0, 0, InputEvent::MiddleDown | InputEvent::MiddleHeld);
    view.onMouseEvent(5, 5, InputEvent::MiddleHeld);
    view.onMouseEvent(6, 6, InputEvent::MiddleUp);
    EXPECT_EQ(declining.calls, (Calls{"6,6,200"}));
}

TEST_F(ViewInput, ADragReleasedOutsideTheViewEndsAtTheNextEventWithoutTheButton)
{
    struct Case
    {
        const char* button;
        uint32_t dragCode;
        uint32_t down;
        uint32_t held;
    };
    const Case cases[] = {
        {"right", AcceleratorCode::RightDrag, InputEvent::RightDown, InputEvent::RightHeld},
        {"middle", AcceleratorCode::MiddleDrag, InputEvent::MiddleDown, InputEvent::MiddleHeld},
    };
    for (const Case& c : cases)
    {
        RecordingMenuItem dragTool("Drag");
        AcceleratorBinding* binding = mai.accelerators.addBinding(c.dragCode, &dragTool);
        view.onMouseEvent(10, 10, c.down | c.held);
        view.onMouseEvent(20, 10, InputEvent::Move | c.held);
        EXPECT_TRUE(view.captured) << c.button;
        // The release happened where the view did not see it; the next move no longer holds the
        // button.
        view.onMouseEvent(30, 10, InputEvent::Move);
        EXPECT_EQ(dragTool.calls, (Calls{"10,10,101", "20,10,1", "30,10,200"})) << c.button;
        EXPECT_EQ(view.pendingDrag, nullptr) << c.button;
        EXPECT_FALSE(view.captured) << c.button;
        // The move itself goes on to the active tool as usual.
        EXPECT_EQ(tool.calls.back(), "30,10,0") << c.button;
        mai.accelerators.removeBinding(binding);
    }
}

TEST_F(ViewInput, APressWithoutBindingsHoldsTheMouseUntilItsReleaseHoweverItComes)
{
    view.onMouseEvent(10, 10, InputEvent::MiddleDown | InputEvent::MiddleHeld);
    EXPECT_TRUE(view.captured);
    view.onMouseEvent(10, 10, InputEvent::MiddleUp);
    EXPECT_FALSE(view.captured);

    view.onMouseEvent(10, 10, rightDown);
    view.onMouseEvent(10, 10, InputEvent::LeftDown | InputEvent::LeftHeld); // the right button went up unseen
    EXPECT_FALSE(view.captured);
    EXPECT_EQ(view.pressFlags, 0u);
}

TEST_F(ViewInput, ShiftDuringAMovedDragSendsNothingButReachesTheToolOtherwise)
{
    bind(AcceleratorCode::RightDrag, &bound);
    view.onMouseEvent(10, 10, rightDown);
    view.onMouseEvent(20, 10, rightMove);
    const std::size_t toolCalls = tool.calls.size();
    const std::size_t boundCalls = bound.calls.size();
    view.onKeyState(InputEvent::ShiftDown);
    EXPECT_EQ(tool.calls.size(), toolCalls);
    EXPECT_EQ(bound.calls.size(), boundCalls);
    view.onMouseEvent(20, 10, rightUp | InputEvent::Shift);

    view.onMouseEvent(40, 50, InputEvent::Move);
    view.onKeyState(InputEvent::CtrlDown);
    EXPECT_EQ(tool.calls.back(), "40,50,c10");
    view.onKeyState(InputEvent::CtrlUp);
    EXPECT_EQ(tool.calls.back(), "40,50,d00");
    view.onKeyState(0x300); // not a key-state code
    EXPECT_EQ(tool.calls.back(), "40,50,d00");
}

TEST_F(ViewInput, TheDrawObjectHoldingTheMouseComesBeforeTheActiveTool)
{
    FakeViewType viewType;
    ViewTypeInfo* info = viewType.getViewTypeInfo(&view);
    auto* holder = new RecordingDrawObject(nullptr, info);
    info->mouseHolder = holder;
    tool.calls.clear();
    view.onMouseEvent(3, 4, InputEvent::LeftDown | InputEvent::LeftHeld);
    view.onKeyState(InputEvent::ShiftDown);
    EXPECT_EQ(holder->calls, (Calls{"3,4,101", "3,4,a09"}));
    EXPECT_TRUE(tool.calls.empty());

    delete holder; // stops holding the mouse
    EXPECT_EQ(info->mouseHolder, nullptr);
    view.onMouseEvent(5, 6, InputEvent::Move);
    EXPECT_EQ(tool.calls, (Calls{"5,6,0"}));
}

TEST_F(ViewInput, AToolThatDeclinesMouseInputGetsNoEvents)
{
    RecordingMenuItem declining("Declining", false);
    document.setActiveMenuItem(&declining);
    view.onMouseEvent(1, 1, InputEvent::LeftDown | InputEvent::LeftHeld);
    EXPECT_EQ(declining.calls, (Calls{"activate"}));
}

TEST_F(ViewInput, LeavingForAViewOfTheSameDocumentSendsNoLeaveEvent)
{
    FakeView sameDocument(&document);
    FakeDoc otherDocument(&mai);
    FakeView otherView(&otherDocument);
    tool.calls.clear();
    view.mouseLeave(&sameDocument);
    EXPECT_TRUE(tool.calls.empty());
    view.mouseLeave(&otherView);
    view.mouseLeave(nullptr);
    EXPECT_EQ(tool.calls, (Calls{"-1,-1,80", "-1,-1,80"}));
}

TEST_F(ViewInput, TheActiveToolIsToldWhenItChangesAndSetsTheEditState)
{
    class CountingListener : public NotifierListener
    {
    public:
        void notify(void*) override { ++count; }
        int count = 0;
    } editStateChanges;
    mai.notifierRegistry.addListener(Channel::EditStateChanged, &editStateChanges);
    RecordingMenuItem creator("Creator");
    creator.editState = 1;
    document.setActiveMenuItem(&creator);
    document.setActiveMenuItem(&creator);
    EXPECT_EQ(tool.calls, (Calls{"activate", "deactivate"}));
    EXPECT_EQ(creator.calls, (Calls{"activate"}));
    EXPECT_EQ(document.getEditState(), 1);
    EXPECT_EQ(editStateChanges.count, 1);
    document.setEditState(1); // no change, no notice
    EXPECT_EQ(editStateChanges.count, 1);
    document.setActiveMenuItem(nullptr);
    EXPECT_EQ(document.getEditState(), 0);
    EXPECT_EQ(editStateChanges.count, 2);
    EXPECT_EQ(creator.calls, (Calls{"activate", "deactivate"}));
}
