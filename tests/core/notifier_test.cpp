#include "__globalobjectdevice/Notifier.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A listener that records its calls in a shared log and may run an action during its call.
class RecordingListener : public NotifierListener
{
public:
    RecordingListener(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    void notify(void* payload) override
    {
        log.push_back(name);
        lastPayload = payload;
        if (action)
            action();
    }

    std::string name;
    std::vector<std::string>& log;
    void* lastPayload = nullptr;
    std::function<void()> action;
};

class NotifierTest : public ::testing::Test
{
protected:
    std::unique_ptr<RecordingListener> makeListener(const char* name)
    {
        return std::make_unique<RecordingListener>(name, calls);
    }

    NotifierRegistry registry;
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST_F(NotifierTest, ASendToAChannelNobodyCreatedDoesNothing)
{
    registry.notify("SELCH", nullptr);
    EXPECT_EQ(registry.getNotifier("SELCH"), nullptr);
    EXPECT_EQ(registry.getNotifier(nullptr), nullptr);
}

TEST_F(NotifierTest, ListenersAreCalledNewestSubscriptionFirstWithThePayload)
{
    auto l1 = makeListener("L1"), l2 = makeListener("L2"), l3 = makeListener("L3"), other = makeListener("other");
    registry.addListener("MATCH", l1.get());
    registry.addListener("MATCH", l2.get());
    registry.addListener("CRSCH", other.get());
    registry.addListener("MATCH", l3.get());
    int payload = 7;
    registry.notify("MATCH", &payload);
    EXPECT_EQ(calls, (Calls{"L3", "L2", "L1"}));
    EXPECT_EQ(l1->lastPayload, &payload);
    EXPECT_EQ(other->lastPayload, nullptr);
    EXPECT_TRUE(registry.getNotifier("MATCH")->hasListeners());
}

TEST_F(NotifierTest, AMutedListenerIsPassedOverUntilUnmuted)
{
    auto l1 = makeListener("L1"), l2 = makeListener("L2");
    registry.addListener("LOPCH", l1.get());
    registry.addListener("LOPCH", l2.get());
    l2->setMuted(true);
    registry.notify("LOPCH", nullptr);
    l2->setMuted(false);
    registry.notify("LOPCH", nullptr);
    EXPECT_EQ(calls, (Calls{"L1", "L2", "L1"}));
}

TEST_F(NotifierTest, UnlinkingOrDestroyingAListenerLeavesTheOthersInOrder)
{
    auto l1 = makeListener("L1"), l2 = makeListener("L2"), l3 = makeListener("L3");
    registry.addListener("SELCH", l1.get());
    registry.addListener("SELCH", l2.get());
    registry.addListener("SELCH", l3.get());
    l2.reset();
    registry.notify("SELCH", nullptr);
    EXPECT_EQ(calls, (Calls{"L3", "L1"}));

    calls.clear();
    l3->unlink();
    l3->unlink(); // a second unlink changes nothing
    EXPECT_FALSE(l3->isSubscribed());
    registry.notify("SELCH", nullptr);
    EXPECT_EQ(calls, (Calls{"L1"}));

    // Subscribing again after an unlink works, and subscribing twice keeps one place in one chain.
    calls.clear();
    registry.addListener("SELCH", l3.get());
    registry.addListener("SELCH", l3.get());
    registry.addListener("DOCCH", l1.get()); // moves l1 to another channel
    registry.notify("SELCH", nullptr);
    registry.notify("DOCCH", nullptr);
    EXPECT_EQ(calls, (Calls{"L3", "L1"}));
}

// What a listener does to the chain while a send runs, and who is called in that send.
struct DuringSendCase
{
    const char* what;
    std::function<void(std::unique_ptr<RecordingListener>& l1, RecordingListener& l2,
                       std::unique_ptr<RecordingListener>& l3, NotifierRegistry& registry)>
        actionOfL2;
    Calls expected;
};

TEST_F(NotifierTest, ListenersChangingTheChainDuringASendAreHandledSafely)
{
    std::unique_ptr<RecordingListener> extra;
    const std::vector<DuringSendCase> cases = {
        {"L2 unlinks itself", [](auto&, auto& l2, auto&, auto&) { l2.unlink(); }, {"L3", "L2", "L1"}},
        {"L2 unlinks L1, the next one", [](auto& l1, auto&, auto&, auto&) { l1->unlink(); }, {"L3", "L2"}},
        {"L2 unlinks L3, already called", [](auto&, auto&, auto& l3, auto&) { l3->unlink(); }, {"L3", "L2", "L1"}},
        {"L2 destroys L1, the next one", [](auto& l1, auto&, auto&, auto&) { l1.reset(); }, {"L3", "L2"}},
        {"L2 subscribes a new listener",
         [&extra](auto&, auto& l2, auto&, auto& registry) {
             extra = std::make_unique<RecordingListener>("new", l2.log);
             registry.addListener("SELCH", extra.get());
         },
         {"L3", "L2", "L1"}},
        {"L2 sends again on the same channel",
         [](auto&, auto& l2, auto&, auto& registry) {
             auto action = std::move(l2.action);
             registry.notify("SELCH", nullptr);
             l2.action = std::move(action);
         },
         {"L3", "L2", "L3", "L2", "L1", "L1"}},
    };
    for (const DuringSendCase& testCase : cases)
    {
        SCOPED_TRACE(testCase.what);
        calls.clear();
        NotifierRegistry channels;
        auto l1 = makeListener("L1");
        RecordingListener l2("L2", calls);
        auto l3 = makeListener("L3");
        channels.addListener("SELCH", l1.get());
        channels.addListener("SELCH", &l2);
        channels.addListener("SELCH", l3.get());
        l2.action = [&] { testCase.actionOfL2(l1, l2, l3, channels); };
        channels.notify("SELCH", nullptr);
        EXPECT_EQ(calls, testCase.expected);
        extra.reset();
    }
}

TEST_F(NotifierTest, AListenerThatDestroysItselfDuringASendIsNotTouchedAgain)
{
    auto l1 = makeListener("L1");
    auto* self = new RecordingListener("self", calls);
    self->action = [self] { delete self; };
    registry.addListener("HSTCH", l1.get());
    registry.addListener("HSTCH", self);
    registry.notify("HSTCH", nullptr);
    registry.notify("HSTCH", nullptr);
    EXPECT_EQ(calls, (Calls{"self", "L1", "L1"}));
}

TEST_F(NotifierTest, ADestroyedChannelLeavesNoListenerPointingAtIt)
{
    auto l1 = makeListener("L1"), l2 = makeListener("L2");
    {
        NotifierRegistry shortLived;
        shortLived.addListener("CLCCH", l1.get());
        shortLived.addListener("CLCCH", l2.get());
    }
    EXPECT_FALSE(l1->isSubscribed());
    EXPECT_EQ(l1->getPrevious(), nullptr);
    EXPECT_EQ(l2->getNext(), nullptr);
    l1->unlink();
    registry.addListener("CLCCH", l1.get());
    registry.notify("CLCCH", nullptr);
    EXPECT_EQ(calls, (Calls{"L1"}));

    // A channel destroyed by one of its own listeners stops the send.
    calls.clear();
    auto owned = std::make_unique<Notifier>("KP_ESC");
    l2->action = [&] { owned.reset(); };
    owned->addListener(l1.get()); // moves l1 here from the registry
    owned->addListener(l2.get());
    owned->notifyListeners(nullptr);
    EXPECT_EQ(calls, (Calls{"L2"}));
    EXPECT_FALSE(l1->isSubscribed());
}

TEST_F(NotifierTest, ChannelsAreFoundNewestFirstAndAddedChannelsStayTheirOwners)
{
    Notifier* first = registry.createNotifier("PRLCH");
    Notifier* second = registry.createNotifier("PRLCH");
    EXPECT_NE(first, second);
    EXPECT_EQ(registry.getNotifier("PRLCH"), second);
    EXPECT_EQ(registry.getNotifier(nullptr), second);
    EXPECT_EQ(registry.getNotifier("prlch"), nullptr);
    EXPECT_EQ(registry.ensureNotifier("PRLCH"), second);
    EXPECT_EQ(second->getNextNotifier(), first);

    auto enter = std::make_unique<Notifier>("KP_ENTER");
    {
        NotifierRegistry keys;
        keys.addNotifier(enter.get());
        keys.addNotifier(enter.get());
        keys.addNotifier(nullptr);
        registry.addNotifier(enter.get()); // already chained elsewhere: ignored
        EXPECT_EQ(keys.getNotifier(nullptr), enter.get());
        EXPECT_EQ(enter->getNextNotifier(), nullptr);
        EXPECT_EQ(registry.getNotifier("KP_ENTER"), nullptr);
    }
    // The registry that held it did not destroy it; it may join another one.
    registry.addNotifier(enter.get());
    EXPECT_EQ(registry.getNotifier("KP_ENTER"), enter.get());
    auto l1 = makeListener("L1");
    registry.addListener("KP_ENTER", l1.get());
    registry.notify("KP_ENTER", nullptr);
    EXPECT_EQ(calls, (Calls{"L1"}));
    registry.addListener(nullptr, l1.get());
    registry.addListener("DOCCH", nullptr);
    registry.notify(nullptr, nullptr);
    EXPECT_EQ(calls.size(), 1u);
}

} // namespace
