#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

// A lock held by another thread (as a calculation's worker holds the document lock) from the
// constructor until `release` is set or the object goes.
class HeldLock
{
public:
    template <class Lock>
    explicit HeldLock(Lock& lock)
        : holder([this, &lock] {
              lock.lock();
              held = true;
              while (!release)
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              lock.unlock();
          })
    {
        while (!held)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~HeldLock()
    {
        release = true;
        holder.join();
    }

    std::atomic<bool> release{false};

private:
    std::atomic<bool> held{false};
    std::thread holder;
};
