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

// Records the channels heard, in order.
struct ChannelListener : NotifierListener
{
    ChannelListener(std::vector<std::string>& heard, std::string channel) : heard(&heard), channel(std::move(channel))
    {
    }
    void notify(void*) override { heard->push_back(channel); }
    std::vector<std::string>* heard;
    std::string channel;
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
    std::vector<std::string> heard;
    ChannelListener documentChanges{heard, Channel::ActiveDocumentChanged};
    ChannelListener selectionChanging{heard, Channel::SelectionChanging};
    ChannelListener selectionChanges{heard, Channel::SelectionChanged};
    // What another active document tells: the document, and with it the selection, changed.
    const std::vector<std::string> documentChange{Channel::ActiveDocumentChanged, Channel::SelectionChanging,
                                                  Channel::SelectionChanged};

    Activation()
    {
        events.clear();
        mai.notifierRegistry.addListener(Channel::ActiveDocumentChanged, &documentChanges);
        mai.notifierRegistry.addListener(Channel::SelectionChanging, &selectionChanging);
        mai.notifierRegistry.addListener(Channel::SelectionChanged, &selectionChanges);
        viewActivated(mai, &a1);
        documentA.setActiveMenuItem(&toolA);
        toolA.calls.clear();
        events.clear();
        heard.clear();
    }
};

TEST_F(Activation, AnotherDocumentsViewTakesTheToolAwayAndTellsTheDocumentAndSelectionChanged)
{
    viewActivated(mai, &b1);
    EXPECT_EQ(mai.activeView, &b1);
    EXPECT_EQ(mai.activeDocument, &documentB);
    EXPECT_EQ(documentA.getActiveMenuItem(), nullptr);
    EXPECT_EQ(toolA.calls, std::vector<std::string>{"deactivate"});
    EXPECT_EQ(events, (std::vector<std::string>{"a1 left", "b1 activated"}));
    EXPECT_EQ(heard, documentChange);
}

TEST_F(Activation, ViewsOfOneDocumentKeepTheToolAndSendNoDocumentChange)
{
    viewActivated(mai, &a2);
    EXPECT_EQ(documentA.getActiveMenuItem(), &toolA);
    EXPECT_TRUE(heard.empty());
    viewActivated(mai, &a2);
    EXPECT_EQ(events, (std::vector<std::string>{"a1 left", "a2 activated"})) << "the active view again: nothing";
}

TEST_F(Activation, LastViewGoneLeavesNoActiveDocument)
{
    lastViewDeactivated(mai);
    EXPECT_EQ(mai.activeView, nullptr);
    EXPECT_EQ(mai.activeDocument, nullptr);
    EXPECT_EQ(events, std::vector<std::string>{"a1 left"});
    EXPECT_EQ(heard, documentChange) << "the closing document's selection is no longer shown";
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
