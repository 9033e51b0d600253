#include "platform/Threads.h"
#include "platform/Time.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace platform
{

namespace
{

thread_local std::stop_token workerStopToken;
std::atomic<uint32_t> threadCreationFailures{0};

} // namespace

std::stop_token currentWorkerStopToken()
{
    return workerStopToken;
}

void simulateThreadCreationFailures(uint32_t count)
{
    threadCreationFailures.store(count);
}

WorkerThread::~WorkerThread()
{
    // A worker waiting for an answer of the user-interface thread would never be joined.
    requestStop();
    if (thread_.joinable())
        thread_.join();
}

bool WorkerThread::start(std::function<uint32_t()> body)
{
    if (isRunning())
        return false;
    if (thread_.joinable())
        thread_.join();
    stop_ = std::stop_source();
    exitCode_.store(StillActive);
    try
    {
        for (uint32_t left = threadCreationFailures.load(); left > 0;)
            if (threadCreationFailures.compare_exchange_weak(left, left - 1))
                throw std::system_error(EAGAIN, std::generic_category(), "no thread left");
        thread_ = std::thread([this, body = std::move(body), stop = stop_.get_token()] {
            workerStopToken = stop;
            // Below normal: the user interface stays responsive while a calculation runs.
            setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 5);
            uint32_t code = Failed;
            try
            {
                code = body();
            }
            catch (...)
            {
                std::fprintf(stderr, "A worker thread ended with an exception\n");
            }
            // A body answering the "still active" value would never look finished.
            exitCode_.store(code == StillActive ? Failed : code);
        });
    }
    catch (const std::system_error&)
    {
        exitCode_.store(Failed);
        return false;
    }
    return true;
}

bool WorkerThread::wait(uint32_t timeoutMilliseconds)
{
    const uint32_t start = tickCount();
    while (isRunning())
    {
        if (tickCount() - start >= timeoutMilliseconds)
            return false;
        sleepMilliseconds(1);
    }
    if (thread_.joinable())
        thread_.join();
    return true;
}

} // namespace platform
