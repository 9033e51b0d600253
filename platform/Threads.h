#pragma once

// Worker threads.

#include "platform/PlatformApi.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace platform
{

// A worker thread whose owner polls for its exit code, as the calculators do.
class PLATFORM_API WorkerThread
{
public:
    // The exit code of a thread that still runs.
    static constexpr uint32_t StillActive = 259;
    // The exit code of a body that threw.
    static constexpr uint32_t Failed = 0xFFFFFFFF;

    WorkerThread() = default;
    // Waits for the thread: a worker never outlives the objects it works on.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `body` (its result is the exit code) at below-normal priority. False while a
    // previous body still runs.
    bool start(std::function<uint32_t()> body);
    uint32_t exitCode() const { return exitCode_.load(); }
    bool isRunning() const { return exitCode() == StillActive; }
    // True when the thread has ended within `timeoutMilliseconds`.
    bool wait(uint32_t timeoutMilliseconds);

private:
    std::thread thread_;
    std::atomic<uint32_t> exitCode_{0};
};

} // namespace platform
