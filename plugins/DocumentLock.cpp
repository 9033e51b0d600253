#include "plugins/DocumentLock.h"

bool DocumentLock::acquire(const std::chrono::steady_clock::time_point* deadline)
{
    const std::thread::id me = std::this_thread::get_id();
    std::unique_lock guard(state_);
    if (owner_ == me)
    {
        ++depth_;
        return true;
    }
    if (owner_ != std::thread::id())
    {
        ++waiting_;
        const auto free = [this] { return owner_ == std::thread::id(); };
        bool granted = true;
        if (deadline != nullptr)
            granted = changed_.wait_until(guard, *deadline, free);
        else
            changed_.wait(guard, free);
        --waiting_;
        // A worker standing back waits for the waiters to be served.
        changed_.notify_all();
        if (!granted)
            return false;
    }
    owner_ = me;
    depth_ = 1;
    generation_.fetch_add(1);
    return true;
}

bool DocumentLock::try_lock()
{
    const auto now = std::chrono::steady_clock::now();
    return acquire(&now);
}

void DocumentLock::unlock()
{
    {
        std::lock_guard guard(state_);
        if (owner_ != std::this_thread::get_id() || depth_ == 0)
            return;
        if (--depth_ > 0)
            return;
        owner_ = std::thread::id();
    }
    changed_.notify_all();
}

void DocumentLock::standBackForWaitingChanges(std::stop_token stop, std::chrono::milliseconds limit)
{
    std::unique_lock guard(state_);
    changed_.wait_for(guard, stop, limit, [this] { return waiting_ == 0; });
}
