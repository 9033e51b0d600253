// The active view and the view under the mouse, as the application interface keeps them.
#include "VornInterface/MAI_View_VornInterface.h"
#include "tests/plugins/PluginTestDoubles.h"
#include "__globalobjectdevice/NotificationChannels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> events;

class TracedView : public FakeView
{
public:
    TracedView(MAI_Doc* document, std::string name) : FakeView(document), name(std::move(name)) {}
    void activate(MAI_View*) override { events.push_back(name + " activated"); }
    void deactivate(MAI_View*) override { events.push_back(name + " left"); }
    std::string name;
};

struct CountingListener : NotifierListener
{
    void notify(void*) override { ++count; }
    int count = 0;
};

struct Activation : ::testing::Test
{
    FakeMAI mai;
    FakeDoc documentA{&mai};
    FakeDoc documentB{&mai};
    TracedView a1{&documentA, "a1"};
    TracedView a2{&documentA, "a2"};
    TracedView b1{&documentB, "b1"};
    RecordingMenuItem toolA{"Tool A"};
    CountingListener documentChanges;

    Activation()
    {
        events.clear();
        mai.notifierRegistry.addListener(Channel::ActiveDocumentChanged, &documentChanges);
        viewActivated(mai, &a1);
        documentA.setActiveMenuItem(&toolA);
        toolA.calls.clear();
        events.clear();
        documentChanges.count = 0;
    }
};

TEST_F(Activation, AnotherDocumentsViewTakesTheToolAwayAndTellsOnce)
{
    viewActivated(mai, &b1);
    EXPECT_EQ(mai.activeView, &b1);
    EXPECT_EQ(mai.activeDocument, &documentB);
    EXPECT_EQ(documentA.getActiveMenuItem(), nullptr);
    EXPECT_EQ(toolA.calls, std::vector<std::string>{"deactivate"});
    EXPECT_EQ(events, (std::vector<std::string>{"a1 left", "b1 activated"}));
    EXPECT_EQ(documentChanges.count, 1);
}

TEST_F(Activation, ViewsOfOneDocumentKeepTheToolAndSendNoDocumentChange)
{
    viewActivated(mai, &a2);
    EXPECT_EQ(documentA.getActiveMenuItem(), &toolA);
    EXPECT_EQ(documentChanges.count, 0);
    viewActivated(mai, &a2);
    EXPECT_EQ(events, (std::vector<std::string>{"a1 left", "a2 activated"})) << "the active view again: nothing";
}

TEST_F(Activation, LastViewGoneLeavesNoActiveDocument)
{
    lastViewDeactivated(mai);
    EXPECT_EQ(mai.activeView, nullptr);
    EXPECT_EQ(mai.activeDocument, nullptr);
    EXPECT_EQ(events, std::vector<std::string>{"a1 left"});
    EXPECT_EQ(documentChanges.count, 1);
}

TEST_F(Activation, MouseMovingToAnotherDocumentsViewTellsTheToolItLeft)
{
    viewHovered(mai, &a1);
    viewHovered(mai, &a2);
    EXPECT_TRUE(toolA.calls.empty()) << "same document: no leave";
    viewHovered(mai, &b1);
    EXPECT_EQ(toolA.calls, std::vector<std::string>{"-1,-1,80"});
    EXPECT_EQ(mai.hoveredView, &b1);
    viewHovered(mai, &a1);
    toolA.calls.clear();
    viewsLeft(mai);
    EXPECT_EQ(toolA.calls, std::vector<std::string>{"-1,-1,80"});
    EXPECT_EQ(mai.hoveredView, nullptr);
}

TEST_F(Activation, DestroyedViewIsForgotten)
{
    viewHovered(mai, &a1);
    viewDestroyed(mai, &a1);
    EXPECT_EQ(mai.activeView, nullptr);
    EXPECT_EQ(mai.hoveredView, nullptr);
}

} // namespace
