#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>

// The lock of one document's model: a recursive lock with time-outs (every writer of the model and
// each calculation step takes it) that is fair to the changes waiting for it. A calculation's worker
// releases it after every iteration and would otherwise take it again at once, so that a change on
// the user-interface thread could wait out its whole time-out; the worker calls
// `standBackForWaitingChanges` between iterations and lets them in first.
class DocumentLock
{
public:
    void lock();
    bool try_lock() { return counted(mutex_.try_lock()); }
    template <class Rep, class Period>
    bool try_lock_for(const std::chrono::duration<Rep, Period>& timeout)
    {
        return tryLockFor(std::chrono::duration_cast<std::chrono::milliseconds>(timeout));
    }
    void unlock() { mutex_.unlock(); }

    // Counts every time the lock is taken. A worker that finds it raised by more than its own
    // locks knows that someone else held the lock, and so may have changed the model.
    uint64_t generation() const { return generation_.load(); }

    // Waits while another thread waits for the lock (each waiter is let in once), or until `stop`
    // is requested or `limit` has passed.
    void standBackForWaitingChanges(std::stop_token stop, std::chrono::milliseconds limit);

private:
    bool tryLockFor(std::chrono::milliseconds timeout);
    bool counted(bool locked)
    {
        if (locked)
            generation_.fetch_add(1);
        return locked;
    }
    // Counts a waiter for as long as it waits.
    class Waiting;

    std::recursive_timed_mutex mutex_;
    std::atomic<int> waiting_{0};
    std::atomic<uint64_t> generation_{0};
    std::mutex waitingMutex_;
    std::condition_variable_any waitersLeft_;
};
