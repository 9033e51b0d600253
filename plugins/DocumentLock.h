#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>

// The lock of one document's model: recursive, with time-outs (every writer of the model and each
// calculation step takes it) and fair to the changes waiting for it. A calculation's worker
// releases it after every iteration and would otherwise take it again at once, so that a change on
// the user-interface thread could wait out its whole time-out; the worker calls
// `standBackForWaitingChanges` between iterations and lets them in first.
//
// It is built on a plain mutex and a condition rather than a timed mutex, whose timed waits
// thread checkers do not follow.
class DocumentLock
{
public:
    void lock() { acquire(nullptr); }
    bool try_lock();
    template <class Rep, class Period>
    bool try_lock_for(const std::chrono::duration<Rep, Period>& timeout)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeout);
        return acquire(&deadline);
    }
    void unlock();

    // Waits while another thread waits for the lock (each waiter is let in once), or until `stop`
    // is requested or `limit` has passed.
    void standBackForWaitingChanges(std::stop_token stop, std::chrono::milliseconds limit);
    // Counts every time the lock is taken (not the nested takes of its holder). A worker that
    // finds it raised by more than its own locks knows that someone else held the lock, and so
    // may have changed the model.
    uint64_t generation() const { return generation_.load(); }

private:
    // Without a deadline it waits for as long as it takes.
    bool acquire(const std::chrono::steady_clock::time_point* deadline);

    std::mutex state_;
    std::condition_variable_any changed_;
    std::thread::id owner_;
    int depth_ = 0;
    int waiting_ = 0;
    std::atomic<uint64_t> generation_{0};
};
