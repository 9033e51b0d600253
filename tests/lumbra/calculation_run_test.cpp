// The run control every calculator shares: starting and stopping its worker, the rotation and
// publishing of the result lists, reset, the pending-iteration count and the lock time-outs,
// driven with a calculator whose iteration adds 1 to every result.
#include "BlockLists/BlockList.h"
#include "Lumbra/Calculators/DocItemCalc.h"
#include "VornData/CalcResults.h"
#include "platform/SystemValues.h"
#include "platform/Threads.h"
#include "plugins/DocumentChangeLock.h"
#include "tests/lumbra/LumbraTestDoubles.h"
#include "tests/support/HeldLock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>

using namespace lumbra;
using namespace std::chrono_literals;

namespace
{

// Boxes come from the worker thread as well: recorded under a mutex.
class ThreadSafeMAI : public ScriptedMAI
{
public:
    int32_t messageBox(const char* text, const char* caption, uint32_t type) override
    {
        std::lock_guard guard(mutex);
        return ScriptedMAI::messageBox(text, caption, type);
    }
    std::vector<Box> seen()
    {
        std::lock_guard guard(mutex);
        return boxes;
    }
    void answer(std::initializer_list<int32_t> script)
    {
        std::lock_guard guard(mutex);
        answers.assign(script.begin(), script.end());
    }

private:
    std::mutex mutex;
};

// Each iteration adds 1 to every displacement's x and every axial force, so a published value
// counts the iterations since the start or the last reset.
class CountingItem : public DocItemCalc
{
public:
    explicit CountingItem(bool counting) : DocItemCalc("TESTCALC", {0, 1}, counting) {}
    ~CountingItem() override { shutDownWorker(); }

    std::atomic<int> iterations{0};
    // The iteration with this number reports a value that is not finite.
    std::atomic<int> failAt{-1};
    std::atomic<bool> throwNext{false};
    // While set, an iteration waits (ignoring stops) until it is cleared.
    std::atomic<bool> stall{false};
    std::atomic<bool> stalled{false}; // an iteration waits on `stall`
    std::atomic<int> statisticsCleared{0};
    std::atomic<int> modelChanges{0};
    // How long an iteration keeps the document lock.
    std::chrono::milliseconds duration{0};

protected:
    IterationOutcome iterate(VornDocument&, ResultStore& results, bool modelChanged) override
    {
        while (stall.load())
        {
            stalled = true;
            std::this_thread::sleep_for(1ms);
        }
        std::this_thread::sleep_for(duration);
        if (throwNext.load())
            throw Exc_InternalError("CountingItem::iterate");
        if (modelChanged)
            ++modelChanges;
        const int number = iterations.load() + 1;
        if (number == failAt.load())
            return {false, "A displacement is not a finite number."};
        auto& sourceDisplacements = static_cast<BlockList<CalcDisplacement>&>(*results.triple(0).source());
        auto& targetDisplacements = static_cast<BlockList<CalcDisplacement>&>(*results.triple(0).target());
        for (uint32_t index = 0; index < targetDisplacements.getCount(); ++index)
            targetDisplacements[index].displacement.x = sourceDisplacements[index].displacement.x + 1;
        auto& sourceForces = static_cast<BlockList<CalcNForce>&>(*results.triple(1).source());
        auto& targetForces = static_cast<BlockList<CalcNForce>&>(*results.triple(1).target());
        for (uint32_t index = 0; index < targetForces.getCount(); ++index)
            targetForces[index].axialForce = sourceForces[index].axialForce + 1;
        iterations.store(number);
        return {};
    }
    void clearStatistics() override { ++statisticsCleared; }
};

class RunControl : public ::testing::Test
{
protected:
    RunControl()
    {
        buildSharedModel(model);
        runTimings() = {200ms, 200ms, 2000ms};
    }
    ~RunControl() override
    {
        delete item;
        runTimings() = RunTimings{};
    }

    CountingItem& make(bool counting = false)
    {
        item = new CountingItem(counting);
        doc.document.addDocumentItem(item);
        return *item;
    }

    // The iteration a published displacement list shows, checked to be the same for every joint
    // and for the published forces.
    int publishedCount()
    {
        auto* displacements = static_cast<BlockList<CalcDisplacement>*>(model.joints->getChild("Displacements"));
        auto* forces = static_cast<BlockList<CalcNForce>*>(model.members->getChild("NForces"));
        const double count = (*displacements)[0].displacement.x;
        for (uint32_t index = 0; index < displacements->getCount(); ++index)
            EXPECT_EQ((*displacements)[index].displacement.x, count) << "joint " << index;
        for (uint32_t index = 0; index < forces->getCount(); ++index)
            EXPECT_EQ((*forces)[index].axialForce, count) << "member " << index;
        return static_cast<int>(count);
    }

    // The names of a list's children, sorted.
    static std::vector<std::string> childNames(BlockListBase* parent)
    {
        std::vector<std::string> names;
        for (BlockListBase* child = parent->getFirstChild(); child != nullptr; child = child->getNext())
            names.push_back(child->getName());
        std::sort(names.begin(), names.end());
        return names;
    }

    ThreadSafeMAI mai;
    CountingDoc doc{&mai};
    ModelDocument model{doc.document};
    CountingItem* item = nullptr;
};

TEST_F(RunControl, StartIteratesAndGetResultsPublishesTheLatestIterationOfEveryKindTogether)
{
    CountingItem& calculation = make();
    EXPECT_EQ(calculation.getResults(0, 1), nullptr) << "nothing is published before the first start";
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    EXPECT_EQ(calculation.getCalculationState(), 2);
    // The counter moves inside an iteration, before its lists turn: once the sixth has begun,
    // the fifth has turned.
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() >= 6; }));

    BlockListBase* published = calculation.getResults(0, 1);
    ASSERT_NE(published, nullptr);
    EXPECT_STREQ(published->getName(), "Displacements");
    EXPECT_GE(publishedCount(), 5);

    EXPECT_EQ(calculation.stopCalculation(), 0);
    // The worker renames the lists it works on while it runs; at rest each name is there once.
    EXPECT_EQ(childNames(model.joints), (std::vector<std::string>{"CalcSrceDisp", "CalcTrgtDisp", "Displacements"}));
    EXPECT_EQ(childNames(model.members), (std::vector<std::string>{"CalcSrceNForce", "CalcTrgtNForce", "NForces"}));
    EXPECT_EQ(calculation.getCalculationState(), 0);
    EXPECT_EQ(calculation.runState(), DocItemCalc::Stopped);
    EXPECT_TRUE(mai.seen().empty());
}

TEST_F(RunControl, OneStampPublishesOnceAndOtherKindsGiveNull)
{
    CountingItem& calculation = make();
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    EXPECT_EQ(publishedCount(), 0) << "stamp 0 is the new item's: nothing published";
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() >= 2; }));
    ASSERT_NE(calculation.getResults(1, 5), nullptr);
    const int first = publishedCount();
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() > first + 2; }));
    EXPECT_STREQ(calculation.getResults(0, 5)->getName(), "Displacements");
    EXPECT_EQ(publishedCount(), first) << "the same stamp again publishes nothing";
    EXPECT_STREQ(calculation.getResults(1, 6)->getName(), "NForces");
    EXPECT_GT(publishedCount(), first);
    for (int32_t kind : {2, 3, -1})
        EXPECT_EQ(calculation.getResults(kind, 7), nullptr) << "kind " << kind;
    EXPECT_EQ(calculation.stopCalculation(), 0);
}

TEST_F(RunControl, AStartAfterAStopReusesTheListsFromZero)
{
    CountingItem& calculation = make();
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() >= 3; }));
    ASSERT_EQ(calculation.stopCalculation(), 0);
    calculation.getResults(0, 9);
    EXPECT_GE(publishedCount(), 3);

    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    EXPECT_EQ(publishedCount(), 0);
    EXPECT_EQ(childNames(model.joints).size(), 3u) << "the lists are reused";
    EXPECT_EQ(calculation.stopCalculation(), 0);
    EXPECT_EQ(calculation.stopCalculation(), 1) << "a second stop finds nothing started";
}

TEST_F(RunControl, CountingCalculatorsHoldAtZeroPendingAndMakeExactlyTheIterationsAsked)
{
    CountingItem& calculation = make(true);
    doc.document.pendingIterations = 0;
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calculation.iterations.load(), 0);
    EXPECT_EQ(calculation.runState(), DocItemCalc::Running);

    doc.document.pendingIterations = 200;
    ASSERT_TRUE(eventually([&] { return doc.document.pendingIterations.load() == 0; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(calculation.iterations.load(), 200);
    EXPECT_EQ(doc.document.iterationCount.load(), 200);

    // Reset while running: the next published result counts from zero, the document's count goes on.
    ASSERT_EQ(calculation.resetCalculation(doc.document), 0);
    EXPECT_EQ(calculation.statisticsCleared.load(), 1);
    EXPECT_EQ(publishedCount(), 0);
    doc.document.pendingIterations = 3;
    ASSERT_TRUE(eventually([&] { return doc.document.pendingIterations.load() == 0; }));
    calculation.getResults(0, 1);
    EXPECT_EQ(publishedCount(), 3);
    EXPECT_EQ(doc.document.iterationCount.load(), 203);

    EXPECT_EQ(calculation.stopCalculation(), 0) << "a held calculation still stops";
}

TEST_F(RunControl, TheDocumentLockTimeOutAsksAndOnlyRetryGoesOn)
{
    const std::string text = "calculator \"Test Calculator\"\nis waiting to gain access to the database.\nBut thus "
                             "far this is not granted.\n\nAbort calculation?\nRetry to gain access?\nOr ignore? "
                             "(could cause program crash)";
    for (int32_t answer : {platform::IDABORT, platform::IDIGNORE, platform::IDRETRY})
    {
        SCOPED_TRACE(answer);
        delete item;
        CountingItem& calculation = make();
        mai.boxes.clear();
        mai.answer({answer});
        {
            HeldLock editing(*doc.getLock());
            ASSERT_EQ(calculation.startCalculation(doc.document), 0);
            ASSERT_TRUE(eventually([&] { return !mai.seen().empty(); }));
            if (answer != platform::IDRETRY)
            {
                ASSERT_TRUE(eventually([&] { return calculation.runState() == DocItemCalc::Stopped; }));
            }
        }
        const std::vector<ScriptedMAI::Box> boxes = mai.seen();
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, "Lumbra.dll: Access TimeOut");
        EXPECT_EQ(boxes[0].type, platform::MB_ABORTRETRYIGNORE | platform::MB_ICONWARNING | platform::MB_TOPMOST);
        if (answer == platform::IDRETRY)
        {
            EXPECT_TRUE(eventually([&] { return calculation.iterations.load() >= 2; }));
        }
        else
        {
            EXPECT_EQ(calculation.iterations.load(), 0) << "the calculation never runs without the lock";
            EXPECT_EQ(calculation.getCalculationState(), 2) << "ended, still started";
        }
        EXPECT_EQ(calculation.stopCalculation(), 0);
    }
}

TEST_F(RunControl, AStopEndsAWorkerThatWaitsForTheDocumentLock)
{
    CountingItem& calculation = make();
    runTimings().documentLock = 15000ms;
    HeldLock editing(*doc.getLock());
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    EXPECT_EQ(calculation.stopCalculation(), 0);
    EXPECT_TRUE(mai.seen().empty());
}

TEST_F(RunControl, AFailedIterationEndsTheRunWithItsMessageAndKeepsTheLastCompletedIteration)
{
    struct Case
    {
        bool throws;
        std::string text;
    };
    for (const Case& failure :
         {Case{false, "A displacement is not a finite number."}, Case{true, "Internal Error\nCountingItem::iterate"}})
    {
        SCOPED_TRACE(failure.text);
        delete item;
        CountingItem& calculation = make();
        mai.boxes.clear();
        calculation.failAt = 4;
        if (failure.throws)
            calculation.throwNext = true;
        ASSERT_EQ(calculation.startCalculation(doc.document), 0);
        ASSERT_TRUE(eventually([&] { return calculation.runState() == DocItemCalc::Stopped; }));
        ASSERT_TRUE(eventually([&] { return !mai.seen().empty(); }));
        EXPECT_EQ(mai.seen()[0].text, failure.text);
        calculation.getResults(0, 3);
        EXPECT_EQ(publishedCount(), failure.throws ? 0 : 3);
        EXPECT_EQ(calculation.stopCalculation(), 0);
    }
}

TEST_F(RunControl, NoThreadMeansNoStart)
{
    CountingItem& calculation = make();
    platform::simulateThreadCreationFailures(1);
    EXPECT_EQ(calculation.startCalculation(doc.document), 1);
    EXPECT_EQ(calculation.getCalculationState(), 0);
    ASSERT_EQ(mai.seen().size(), 1u);
    EXPECT_EQ(mai.seen()[0].text, "Thread Creation Failed");
    EXPECT_EQ(mai.seen()[0].caption, "Errr.... [tcf]");
}

TEST_F(RunControl, AWorkerThatDoesNotComeDownInTimeBlocksTheNextStartUntilItEnds)
{
    CountingItem& calculation = make();
    runTimings().handshake = 50ms;
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    calculation.stall = true;
    ASSERT_TRUE(eventually([&] { return calculation.stalled.load(); }));
    EXPECT_EQ(calculation.stopCalculation(), 1);
    ASSERT_EQ(mai.seen().size(), 1u);
    EXPECT_EQ(mai.seen()[0].text, "Thread CloseDown TimeOUT");
    EXPECT_EQ(mai.seen()[0].caption, "Errr....");
    EXPECT_EQ(calculation.getCalculationState(), 2);
    EXPECT_EQ(calculation.startCalculation(doc.document), 1) << "refused while the old worker lives";

    calculation.stall = false;
    ASSERT_TRUE(eventually([&] { return calculation.runState() == DocItemCalc::Stopped; }));
    EXPECT_EQ(calculation.stopCalculation(), 0);
    EXPECT_EQ(calculation.startCalculation(doc.document), 0);
    EXPECT_EQ(calculation.stopCalculation(), 0);
}

TEST_F(RunControl, RemovingTheItemWhileItRunsStopsItsWorkerFirst)
{
    CountingItem& calculation = make();
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() >= 2; }));
    delete item;
    item = nullptr;
    EXPECT_EQ(doc.document.getDocumentItem("TESTCALC"), nullptr);
    EXPECT_TRUE(mai.seen().empty());
    EXPECT_EQ(childNames(model.joints).size(), 3u) << "the lists stay with their parent";
}

TEST_F(RunControl, CancelInThePublishBoxGivesNullAndTheStampIsTaken)
{
    CountingItem& calculation = make();
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    ASSERT_EQ(calculation.stopCalculation(), 0);
    mai.answer({platform::IDRETRY, platform::IDCANCEL});
    {
        HeldLock switching(calculation.results()->roles);
        EXPECT_EQ(calculation.getResults(0, 4), nullptr);
    }
    const std::vector<ScriptedMAI::Box> boxes = mai.seen();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "calculator \"BasicIterator.getResults\"\nis waiting to switch blocklists.\nBut thus far "
              "this is not allowed.\n\nCancel switch?\nRetry to gain access?");
    EXPECT_EQ(boxes[0].type, platform::MB_RETRYCANCEL | platform::MB_ICONWARNING | platform::MB_TOPMOST);
    EXPECT_NE(calculation.getResults(0, 4), nullptr);
    EXPECT_EQ(mai.seen().size(), 2u) << "the same stamp does not try again";
}

TEST_F(RunControl, ResetWaitsForTheDocumentLockAndGivesUpOnAbortOrIgnore)
{
    CountingItem& calculation = make();
    EXPECT_EQ(calculation.resetCalculation(doc.document), 1) << "never started";
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    ASSERT_EQ(calculation.stopCalculation(), 0);
    for (int32_t answer : {platform::IDABORT, platform::IDIGNORE})
    {
        mai.answer({answer});
        HeldLock editing(*doc.getLock());
        EXPECT_EQ(calculation.resetCalculation(doc.document), 1);
        EXPECT_EQ(calculation.statisticsCleared.load(), 0);
    }
    EXPECT_EQ(calculation.resetCalculation(doc.document), 0);
    EXPECT_EQ(calculation.statisticsCleared.load(), 1);
}

TEST_F(RunControl, ChangesOnTheInterfaceThreadGetTheLockWhileAWorkerIterates)
{
    CountingItem& calculation = make();
    // The worker takes the lock again as soon as it let it go; each iteration holds it for 5 ms.
    calculation.duration = 5ms;
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    for (int change = 0; change < 20; ++change)
    {
        DocumentChangeLock lock(&doc, "Test change\nis waiting to gain access to the database.", 500ms);
        EXPECT_TRUE(lock.isLocked());
    }
    EXPECT_TRUE(mai.seen().empty());
    EXPECT_EQ(calculation.stopCalculation(), 0);
}

TEST_F(RunControl, AnIterationLearnsWhetherSomeoneElseHeldTheLockSinceTheLastOne)
{
    CountingItem& calculation = make();
    ASSERT_EQ(calculation.startCalculation(doc.document), 0);
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() >= 3; }));
    EXPECT_EQ(calculation.modelChanges.load(), 1) << "only the first iteration of the run";
    int before = 0;
    {
        DocumentChangeLock change(&doc, "Test change\nis waiting to gain access to the database.");
        ASSERT_TRUE(change.isLocked());
        // No iteration runs while the change holds the lock.
        before = calculation.iterations.load();
    }
    ASSERT_TRUE(eventually([&] { return calculation.iterations.load() > before + 2; }));
    EXPECT_EQ(calculation.modelChanges.load(), 2);
    EXPECT_EQ(calculation.stopCalculation(), 0);
}

} // namespace
