#include "Lumbra/Calculators/DocItemCalc.h"

#include "BlockLists/BlockListBase.h"
#include "VornData/VornDocument.h"
#include "VornData/generalException.h"
#include "platform/SystemValues.h"
#include "platform/Threads.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"

#include <algorithm>
#include <exception>

namespace lumbra
{

namespace
{

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The slice in which lock waits look for a stop, and the poll of the pending-iteration count.
constexpr auto waitSlice = 20ms;

constexpr const char* accessTimeOutCaption = "Lumbra.dll: Access TimeOut";
constexpr uint32_t accessBoxType = platform::MB_ICONWARNING | platform::MB_TOPMOST;

std::string documentLockText(const char* name)
{
    return std::string("calculator \"") + name +
        "\"\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\nAbort "
        "calculation?\nRetry to gain access?\nOr ignore? (could cause program crash)";
}

std::string roleSwitchText(const char* name)
{
    return std::string("calculator \"") + name +
        "\"\nis waiting to switch blocklists.\nBut thus far this is not allowed.\n\nAbort calculation?\nRetry to "
        "gain access?\nOr ignore? (could cause application to crash)";
}

std::string publishText(const char* name)
{
    return std::string("calculator \"") + name +
        "\"\nis waiting to switch blocklists.\nBut thus far this is not allowed.\n\nCancel switch?\nRetry to gain "
        "access?";
}

constexpr const char* resetLockText = "Reset Calculation function\nis waiting to gain access to the database.\nBut "
                                      "thus far this is not granted.\n\nAbort Reset?\nRetry to gain access?\nOr "
                                      "ignore? (could cause program crash)";

int32_t showBox(MAI* mai, const std::string& text, const char* caption, uint32_t type)
{
    return mai != nullptr ? mai->messageBox(text.c_str(), caption, type) : platform::IDABORT;
}

} // namespace

RunTimings& runTimings()
{
    static RunTimings timings;
    return timings;
}

DocItemCalc::DocItemCalc(const char* key, std::vector<int32_t> resultIds, bool counting)
    : key_(key), resultIds_(std::move(resultIds)), counting_(counting)
{
}

DocItemCalc::~DocItemCalc()
{
    shutDownWorker();
}

void DocItemCalc::shutDownWorker()
{
    if (!worker_)
        return;
    if (worker_->isRunning())
    {
        setRunState(StopRequested);
        worker_->requestStop();
        if (!worker_->wait(static_cast<uint32_t>(runTimings().handshake.count())))
            showBox(mai_, "Thread CloseDown TimeOUT", "Errr....~DocItemCalc", platform::MB_OK);
    }
    // Every wait of the worker ends on the stop, so this join ends with its iteration in progress.
    worker_.reset();
}

bool DocItemCalc::forgetEndedWorker()
{
    if (!worker_)
        return true;
    if (worker_->isRunning())
        return false;
    worker_.reset();
    return true;
}

void DocItemCalc::setRunState(int32_t state)
{
    {
        std::lock_guard guard(stateMutex_);
        runState_.store(state);
    }
    stateChanged_.notify_all();
}

template <class Condition>
bool DocItemCalc::waitUntil(Condition condition, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    std::unique_lock guard(stateMutex_);
    while (!condition())
    {
        if (Clock::now() >= deadline)
            return false;
        // In slices: the worker's end is not announced through the condition.
        stateChanged_.wait_for(guard, waitSlice);
    }
    return true;
}

int32_t DocItemCalc::startCalculation(VornDocument& document)
{
    if (!forgetEndedWorker())
        return 1;
    auto* host = dynamic_cast<MAI_Doc*>(document.getHost());
    if (host == nullptr || host->getLock() == nullptr)
        return 1;
    mai_ = host->mai;
    results_ = ResultStore::of(document);
    for (int32_t id : resultIds_)
    {
        ResultTriple& triple = results_->triple(id);
        if (!triple.attach(document))
            return 1;
        triple.resetPublished();
    }

    started_.store(true);
    confirmed_.store(false);
    setRunState(Stopped);
    worker_ = std::make_unique<platform::WorkerThread>();
    if (!worker_->start([this, &document, host] { return runWorker(document, *host); }))
    {
        worker_.reset();
        started_.store(false);
        showBox(mai_, "Thread Creation Failed", "Errr.... [tcf]", platform::MB_OK);
        return 1;
    }
    if (!waitUntil([this] { return confirmed_.load() || !worker_->isRunning(); }, runTimings().handshake))
    {
        showBox(mai_, "Thread StartUp TimeOUT", "Errr.... [tsu T.O.]", platform::MB_OK);
        return 1;
    }
    if (!confirmed_.load())
    {
        // The worker found no joint or member list and ended at once.
        forgetEndedWorker();
        started_.store(false);
        return 1;
    }
    return 0;
}

int32_t DocItemCalc::stopCalculation()
{
    if (!started_.load())
        return 1;
    if (worker_ && worker_->isRunning())
    {
        if (runState_.load() == Running)
            setRunState(StopRequested);
        worker_->requestStop();
        if (!worker_->wait(static_cast<uint32_t>(runTimings().handshake.count())))
        {
            showBox(mai_, "Thread CloseDown TimeOUT", "Errr....", platform::MB_OK);
            return 1;
        }
    }
    worker_.reset();
    started_.store(false);
    return 0;
}

int32_t DocItemCalc::resetCalculation(VornDocument& document)
{
    if (!results_)
        return 1;
    auto* host = dynamic_cast<MAI_Doc*>(document.getHost());
    DocumentChangeLock lock(host, resetLockText, runTimings().documentLock, ChangeScope::OpenDocumentState);
    if (!lock)
        return 1;
    // The worker switches roles only under the document lock, which this thread holds now.
    std::lock_guard roles(results_->roles);
    for (int32_t id : resultIds_)
    {
        ResultTriple& triple = results_->triple(id);
        if (!triple.isAttached() || document.getBlockList(triple.kind.parentList) == nullptr)
            return 1;
        triple.resetPublished();
    }
    clearStatistics();
    return 0;
}

BlockListBase* DocItemCalc::getResults(int32_t resultId, int32_t stamp)
{
    if (!results_ || resultId == jointVelocitiesId ||
        std::find(resultIds_.begin(), resultIds_.end(), resultId) == resultIds_.end())
        return nullptr;
    ResultTriple& asked = results_->triple(resultId);
    if (!asked.isAttached())
        return nullptr;
    if (stamp != lastStamp_)
    {
        lastStamp_ = stamp;
        while (!results_->roles.try_lock_for(runTimings().roleSwitch))
        {
            if (showBox(mai_, publishText(resultsBoxName()), accessTimeOutCaption,
                        platform::MB_RETRYCANCEL | accessBoxType) != platform::IDRETRY)
                return nullptr;
        }
        std::lock_guard roles(results_->roles, std::adopt_lock);
        for (int32_t id : resultIds_)
            results_->triple(id).publish();
    }
    return asked.published();
}

template <class Lock>
bool DocItemCalc::lockForWorker(Lock& lock, std::chrono::milliseconds timeout, BoxText text, std::stop_token stop)
{
    if (stop.stop_requested() || runState_.load() != Running)
        return false;
    if (lock.try_lock())
        return true;
    for (;;)
    {
        const auto deadline = Clock::now() + timeout;
        for (;;)
        {
            if (stop.stop_requested() || runState_.load() != Running)
                return false;
            if (lock.try_lock_for(std::min<Clock::duration>(waitSlice, deadline - Clock::now())))
                return true;
            if (Clock::now() >= deadline)
                break;
        }
        // Ignore ends the run as Abort does: a calculation never runs unlocked. A box asked while
        // the run is stopped answers at once.
        if (showBox(mai_, text(boxName()), accessTimeOutCaption, platform::MB_ABORTRETRYIGNORE | accessBoxType) !=
            platform::IDRETRY)
            return false;
    }
}

uint32_t DocItemCalc::runWorker(VornDocument& document, MAI_Doc& host)
{
    if (document.getBlockList("VornJoint") == nullptr || document.getBlockList("VornMember") == nullptr)
        return 1;
    const std::stop_token stop = platform::currentWorkerStopToken();
    DocumentLock& documentLock = *host.getLock();
    beginRun();
    setRunState(Running);
    confirmed_.store(true);
    stateChanged_.notify_all();

    std::string stopReason;
    // The lock's generation after this worker's last lock: one more means nobody else held it.
    uint64_t lastGeneration = 0;
    bool firstIteration = true;
    while (runState_.load() == Running)
    {
        if (counting_ && !document.mayIterate())
        {
            waitUntil([this] { return runState_.load() != Running; }, waitSlice);
            continue;
        }
        if (!lockForWorker(documentLock, runTimings().documentLock, documentLockText, stop))
            break;
        std::unique_lock documentGuard(documentLock, std::adopt_lock);
        const uint64_t generation = documentLock.generation();
        const bool modelChanged = firstIteration || generation != lastGeneration + 1;
        firstIteration = false;
        lastGeneration = generation;
        IterationOutcome outcome;
        try
        {
            outcome = iterate(document, *results_, modelChanged);
        }
        catch (const generalException& exception)
        {
            outcome = {false, std::string(exception.message) + "\n" + exception.where};
        }
        catch (const std::exception& exception)
        {
            outcome = {false, exception.what()};
        }
        if (!outcome.completed)
        {
            stopReason = outcome.stopReason;
            break;
        }
        // A completed iteration turns its lists even when a stop has just come: the stop is
        // honoured only while the roles are held by a reader.
        if (!results_->roles.try_lock() &&
            !lockForWorker(results_->roles, runTimings().roleSwitch, roleSwitchText, stop))
            break;
        {
            std::lock_guard roles(results_->roles, std::adopt_lock);
            for (int32_t id : resultIds_)
                results_->triple(id).advance();
        }
        documentGuard.unlock();
        if (counting_)
            document.countCompletedIteration();
        documentLock.standBackForWaitingChanges(stop, runTimings().documentLock);
    }
    setRunState(Stopped);
    if (!stopReason.empty())
        showBox(mai_, stopReason, "Calculation stopped", platform::MB_OK | platform::MB_ICONERROR);
    return 0;
}

} // namespace lumbra
