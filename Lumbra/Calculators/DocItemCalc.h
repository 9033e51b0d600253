#pragma once

#include "Lumbra/Calculators/ResultStore.h"
#include "VornData/DocumentItem.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

class BlockListBase;
class DocumentLock;
class MAI;
class MAI_Doc;
class VornDocument;

namespace platform
{
class WorkerThread;
}

namespace lumbra
{

// How long the run control waits before it asks the user or gives up; tests shorten them.
struct RunTimings
{
    std::chrono::milliseconds documentLock{15000};
    std::chrono::milliseconds roleSwitch{5000};
    // Start-up and close-down of a worker.
    std::chrono::milliseconds handshake{3000};
};
RunTimings& runTimings();

// What one iteration reports.
struct IterationOutcome
{
    bool completed = true;
    // Why the run must stop (a value that is not finite, say); shown to the user. The target
    // lists are then not advanced, so the last completed iteration stays the result.
    std::string stopReason;
};

// The state of one calculator's calculation in one document: whether it was started, its worker,
// the run state and the result kinds it computes into the document's shared result lists.
// Each calculator derives its own item with its parameters and its iteration.
//
// All operations run on the user-interface thread except the worker's loop. The worker never
// runs without the document lock: a lock or role switch it cannot get in time is offered to the
// user as Abort, Retry and Ignore, and Ignore ends the run as Abort does.
class DocItemCalc : public DocumentItem
{
public:
    enum RunState : int32_t
    {
        Running = 0,
        StopRequested = 1,
        Stopped = 2,
    };

    // `resultIds` lists the result kinds of the calculator; `counting` calculators obey the
    // document's pending-iteration count and count their iterations.
    DocItemCalc(const char* key, std::vector<int32_t> resultIds, bool counting);
    ~DocItemCalc() override;

    const char* getName() const override { return key_; }

    // 0 when the worker confirmed its start, 1 otherwise (also while a worker of an earlier run
    // still lives).
    int32_t startCalculation(VornDocument& document);
    // 0 stopped, 1 not started or not down in time.
    int32_t stopCalculation();
    // 0 done, 1 not (no lists, or the user gave up waiting for the document lock). The worker
    // goes on from zero with its next iteration.
    int32_t resetCalculation(VornDocument& document);
    // 2 while started, also after the worker ended by itself; else 0.
    int32_t getCalculationState() const { return started_.load() ? 2 : 0; }
    // Publishes the latest completed iteration (at most once per stamp) and answers the
    // published list of that kind; null for a kind the calculator does not make, before the
    // first start, and when the user cancels the wait for the role switch.
    BlockListBase* getResults(int32_t resultId, int32_t stamp);

    bool isStarted() const { return started_.load(); }
    int32_t runState() const { return runState_.load(); }
    // Null before the first start.
    ResultStore* results() const { return results_.get(); }

protected:
    // Ends a running worker: a bounded wait, then a box, then it waits for the worker, which
    // honours the stop wherever it waits. A derived item calls it first in its destructor, since
    // the worker runs the derived item's iteration.
    void shutDownWorker();
    // Called by the worker before its first iteration.
    virtual void beginRun() {}
    // One iteration, under the document lock: reads the source lists of the store and writes its
    // target lists. It must not touch the published lists. `modelChanged` is set for the first
    // iteration of a run and whenever someone else held the document lock since the last one.
    virtual IterationOutcome iterate(VornDocument& document, ResultStore& results, bool modelChanged) = 0;
    // Reset clears the calculator's statistics here (under the document lock).
    virtual void clearStatistics() {}
    // The name the calculator's boxes give it.
    virtual const char* boxName() const { return "Test Calculator"; }
    virtual const char* resultsBoxName() const { return "BasicIterator.getResults"; }

private:
    // The question of a box about a wait, for the calculator's name: made only when it is asked.
    using BoxText = std::string (*)(const char* name);

    uint32_t runWorker(VornDocument& document, MAI_Doc& host);
    // Takes a free lock at once; else waits for it in short slices so that a stop ends the wait,
    // and asks the user each time the time-out passes. False: the run ends.
    template <class Lock>
    bool lockForWorker(Lock& lock, std::chrono::milliseconds timeout, BoxText text, std::stop_token stop);
    void setRunState(int32_t state);
    // False when the condition did not hold within the time-out.
    template <class Condition>
    bool waitUntil(Condition condition, std::chrono::milliseconds timeout);
    // Joins a worker that has ended and forgets it. False while it still runs.
    bool forgetEndedWorker();

    const char* key_;
    std::vector<int32_t> resultIds_;
    bool counting_;
    std::atomic<bool> started_{false};
    std::atomic<int32_t> runState_{Stopped};
    // Set by the worker when it runs; what the start waits for.
    std::atomic<bool> confirmed_{false};
    std::unique_ptr<platform::WorkerThread> worker_;
    std::shared_ptr<ResultStore> results_;
    int32_t lastStamp_ = 0;
    MAI* mai_ = nullptr;
    std::mutex stateMutex_;
    std::condition_variable_any stateChanged_;
};

} // namespace lumbra
