#include "platform/Application.h"
#include "platform/Threads.h"
#include "platform/qt/WindowState.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <exception>
#include <memory>

namespace platform
{

namespace
{

// A call handed to the user-interface thread; shared, because a stopped caller stops waiting
// while the call may still be queued or running.
struct HandedOverCall
{
    std::function<void()> call;
    std::mutex mutex;
    std::condition_variable_any finished;
    bool done = false;
    bool abandoned = false;
    std::exception_ptr error;
};

void runHandedOverCall(HandedOverCall& handed)
{
    {
        std::lock_guard<std::mutex> lock(handed.mutex);
        if (handed.abandoned)
            return;
    }
    std::exception_ptr error;
    try
    {
        handed.call();
    }
    catch (...)
    {
        error = std::current_exception();
    }
    bool nobodyWaits = false;
    {
        std::lock_guard<std::mutex> lock(handed.mutex);
        handed.done = true;
        handed.error = error;
        nobodyWaits = handed.abandoned;
        handed.finished.notify_all();
    }
    if (nobodyWaits && error)
        guardedCall([&] { std::rethrow_exception(error); });
}

} // namespace

bool isUiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

bool runOnUiThread(std::function<void()> call, std::stop_token stop)
{
    if (isUiThread())
    {
        call();
        return true;
    }
    if (stop.stop_requested())
        return false;
    auto handed = std::make_shared<HandedOverCall>();
    handed->call = std::move(call);
    // A queued call on the application object: every event loop of the user-interface thread
    // delivers it, the modal ones of dialogs and boxes too.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [handed] { runHandedOverCall(*handed); }, Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(handed->mutex);
    if (!handed->finished.wait(lock, stop, [&] { return handed->done; }))
    {
        handed->abandoned = true;
        return false;
    }
    if (handed->error)
        std::rethrow_exception(handed->error);
    return true;
}

} // namespace platform
