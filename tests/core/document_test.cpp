// The document: its lists and root group, document items and the counters the workers share.

#include "tests/core/ModelFixture.h"

#include <thread>
#include <vector>

#include "VornData/DocumentItem.h"

namespace
{
class NamedItem : public DocumentItem
{
public:
    NamedItem(const char* key, std::vector<std::string>* destroyed = nullptr, BlockList<VornJoint>** joints = nullptr)
        : key(key), destroyed(destroyed), joints(joints)
    {
    }
    ~NamedItem() override
    {
        if (destroyed)
            destroyed->push_back(std::string(key) + (joints && *joints ? " with joints" : " without joints"));
    }
    const char* getName() const override { return key; }

private:
    const char* key;
    std::vector<std::string>* destroyed;
    BlockList<VornJoint>** joints;
};
} // namespace

TEST(Document, NewDocumentHasItsTwoListsAndNoRootUntilReset)
{
    installModelServices();
    VornDocument document;
    EXPECT_NE(document.getBlockList("VornSelection"), nullptr);
    EXPECT_NE(document.getBlockList("VornGroup"), nullptr);
    EXPECT_EQ(document.getWorldGroup(), nullptr);
    EXPECT_EQ(document.iterationCount.load(), 0);
    EXPECT_EQ(document.pendingIterations.load(), -1);
    EXPECT_FALSE(document.floorEnabled.load());
    EXPECT_EQ(document.floorHeight.load(), 0.0);
    document.reset();
    ASSERT_NE(document.getWorldGroup(), nullptr);
    EXPECT_EQ(document.getGroupList()->getCount(), 1u);
    VornSelection* selection = document.getSelection();
    EXPECT_EQ(document.getSelection(), selection);
    EXPECT_EQ(document.getSelectionList()->getCount(), 1u);
}

TEST(Document, ItemsAreFoundByKeyAndKeysAreUnique)
{
    installModelServices();
    VornDocument document;
    EXPECT_EQ(document.getDocumentItem("OPENGL"), nullptr);
    document.addDocumentItem(new NamedItem("CALC_V_ITERATOR"));
    document.addDocumentItem(new NamedItem("OPENGL"));
    EXPECT_STREQ(document.getDocumentItem("CALC_V_ITERATOR")->getName(), "CALC_V_ITERATOR");
    EXPECT_EQ(document.getDocumentItem("OPENGL")->getDocument(), &document);

    NamedItem duplicate("OPENGL");
    try
    {
        document.addDocumentItem(&duplicate);
        FAIL() << "a second item with one key was accepted";
    }
    catch (const generalException& failure)
    {
        EXPECT_STREQ(failure.where, "VornDocument::addDocumentItem [2]");
    }
    try
    {
        document.addDocumentItem(nullptr);
        FAIL() << "a null item was accepted";
    }
    catch (const generalException& failure)
    {
        EXPECT_STREQ(failure.where, "VornDocument::addDocumentItem [1]");
    }
    delete document.getDocumentItem("OPENGL");
    EXPECT_EQ(document.getDocumentItem("OPENGL"), nullptr);
    EXPECT_NE(document.getDocumentItem("CALC_V_ITERATOR"), nullptr);
}

TEST(Document, ItemsGoFirstWhenTheDocumentCloses)
{
    std::vector<std::string> destroyed;
    {
        ModelDocument model;
        model.addJoint("J", 0, 0, 0);
        BlockList<VornJoint>* joints = nullptr;
        // The holder slot is emptied when the list is destroyed.
        auto* watched = new BlockList<VornJoint>("Watched", &joints);
        model.document->addBlockList(watched);
        model.document->addDocumentItem(new NamedItem("CALCBASICITERATOR", &destroyed, &joints));
        model.document->addDocumentItem(new NamedItem("OPENGL", &destroyed, &joints));
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"OPENGL with joints", "CALCBASICITERATOR with joints"}));
}

TEST(Document, PendingIterationsLetTheWorkerRunExactlyThatMany)
{
    installModelServices();
    VornDocument document;
    document.pendingIterations = 3;
    std::thread worker([&] {
        while (document.mayIterate())
            document.countCompletedIteration();
    });
    worker.join();
    EXPECT_EQ(document.iterationCount.load(), 3);
    EXPECT_EQ(document.pendingIterations.load(), 0);
}

TEST(Document, APendingCountSetWhileTheWorkerRunsIsNeverLost)
{
    installModelServices();
    VornDocument document;
    std::atomic<bool> running{true};
    std::atomic<int32_t> lowest{0};
    std::thread worker([&] {
        while (running.load())
        {
            document.countCompletedIteration();
            const int32_t pending = document.pendingIterations.load();
            if (pending < lowest.load())
                lowest = pending;
        }
    });
    for (int round = 0; round < 2000; ++round)
        document.pendingIterations = round % 2 ? -1 : 2;
    document.pendingIterations = 0;
    running = false;
    worker.join();
    // The worker lowers only a positive count: the free-running mark -1 and a hold stay as set.
    EXPECT_GE(lowest.load(), -1);
    EXPECT_EQ(document.pendingIterations.load(), 0);
}

TEST(Document, FreeRunningCountsEveryIteration)
{
    installModelServices();
    VornDocument document;
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 4; ++worker)
        workers.emplace_back([&] {
            for (int step = 0; step < 10000; ++step)
                document.countCompletedIteration();
        });
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(document.iterationCount.load(), 40000);
    EXPECT_EQ(document.pendingIterations.load(), -1);
}
