#include "plugins/DocumentChangeLock.h"

#include "plugins/MAI.h"
#include "platform/SystemValues.h"

bool lockOrGiveUp(DocumentLock& lock, std::chrono::milliseconds timeout, const std::function<int32_t()>& ask)
{
    while (!lock.try_lock_for(timeout))
    {
        if (ask() != platform::IDRETRY)
            return false;
    }
    return true;
}

std::string documentLockWaitingText(const std::string& operation)
{
    return operation +
        " function\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
        "Abort " +
        operation + "?\nRetry to gain access?\nOr ignore? (could cause program crash)";
}

DocumentChangeLock::DocumentChangeLock(MAI_Doc* document, const char* waitingText, std::chrono::milliseconds timeout,
                                       ChangeScope scope)
{
    if (document == nullptr || document->getLock() == nullptr)
        return;
    DocumentLock* lock = document->getLock();
    MAI* mai = document->mai;
    auto ask = [mai, waitingText]() -> int32_t {
        if (mai == nullptr)
            return platform::IDABORT;
        return mai->messageBox(waitingText, "Lumbra.dll: Access TimeOut",
                               platform::MB_ABORTRETRYIGNORE | platform::MB_ICONWARNING | platform::MB_TOPMOST);
    };
    if (!lockOrGiveUp(*lock, timeout, ask))
        return;
    lock_ = lock;
    if (scope == ChangeScope::Model)
        document->markModelEdited();
}

DocumentChangeLock::~DocumentChangeLock()
{
    if (lock_ != nullptr)
        lock_->unlock();
}
