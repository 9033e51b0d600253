#pragma once

// Worker threads.

#include "platform/PlatformApi.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
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
    // previous body still runs, and when the system can make no thread.
    bool start(std::function<uint32_t()> body);
    // Releases the worker where it waits for the user-interface thread (runOnUiThread answers
    // false, a box it asked answers messageBoxStopped). The body itself is not interrupted.
    void requestStop() { stop_.request_stop(); }
    uint32_t exitCode() const { return exitCode_.load(); }
    bool isRunning() const { return exitCode() == StillActive; }
    // True when the thread has ended within `timeoutMilliseconds`.
    bool wait(uint32_t timeoutMilliseconds);

private:
    std::thread thread_;
    std::atomic<uint32_t> exitCode_{0};
    std::stop_source stop_;
};

// The stop token of the worker thread that runs the caller (see WorkerThread::requestStop); on
// every other thread one that is never requested.
PLATFORM_API std::stop_token currentWorkerStopToken();

// Tests: the next `count` thread starts fail as they do when the system can make no thread.
PLATFORM_API void simulateThreadCreationFailures(uint32_t count);

// ---- The user-interface thread -------------------------------------------------------------------

// True on the thread that runs the user interface (the application's); true on every thread
// while there is no application.
PLATFORM_API bool isUiThread();

// Only the user-interface thread may open windows: runs `call` there and waits until it has run.
// On that thread (or without an application) it runs at once. The call is delivered also while
// the user-interface thread is in a modal loop (a dialog or a box is open). What it throws is
// thrown here. When `stop` is requested first the wait ends at once with false: a call not begun
// by then never runs; one that runs finishes on its own.
PLATFORM_API bool runOnUiThread(std::function<void()> call, std::stop_token stop = {});

} // namespace platform
