#include "plugins/DocumentLock.h"

class DocumentLock::Waiting
{
public:
    explicit Waiting(DocumentLock& lock) : lock_(lock) { lock_.waiting_.fetch_add(1); }
    ~Waiting()
    {
        {
            std::lock_guard guard(lock_.waitingMutex_);
            lock_.waiting_.fetch_sub(1);
        }
        lock_.waitersLeft_.notify_all();
    }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;

private:
    DocumentLock& lock_;
};

void DocumentLock::lock()
{
    if (!mutex_.try_lock())
    {
        Waiting waiting(*this);
        mutex_.lock();
    }
    counted(true);
}

bool DocumentLock::tryLockFor(std::chrono::milliseconds timeout)
{
    if (mutex_.try_lock())
        return counted(true);
    Waiting waiting(*this);
    return counted(mutex_.try_lock_for(timeout));
}

void DocumentLock::standBackForWaitingChanges(std::stop_token stop, std::chrono::milliseconds limit)
{
    if (waiting_.load() == 0)
        return;
    std::unique_lock guard(waitingMutex_);
    waitersLeft_.wait_for(guard, stop, limit, [this] { return waiting_.load() == 0; });
}
