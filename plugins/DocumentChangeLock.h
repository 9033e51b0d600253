#pragma once

#include "plugins/DocumentLock.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class MAI_Doc;

// How long a change of the model waits for the document lock before it asks the user.
inline constexpr std::chrono::milliseconds documentLockTimeout{15000};

// Waits for `lock` up to `timeout` at a time; each time the wait expires, `ask` shows the
// Abort/Retry/Ignore box and answers the button pressed. Retry waits again; any other answer gives
// the operation up (Ignore included: a change never runs without the lock). True when locked.
bool lockOrGiveUp(DocumentLock& lock, std::chrono::milliseconds timeout, const std::function<int32_t()>& ask);

// The text of the time-out box for a change made by the named operation ("Delete"): it says that
// the operation waits for the model and offers to abort it, to retry, or to ignore the lock.
std::string documentLockWaitingText(const std::string& operation);

// What a change under the document lock touches: the model, which the user would lose unless it
// is exported, or only state of the open document that no file keeps (the selection and the
// selection sets, a calculation's results).
enum class ChangeScope
{
    Model,
    OpenDocumentState
};

// The document lock held by one change of a document's model, taken on the user-interface thread.
// When it is not granted in time, the box "Lumbra.dll: Access TimeOut" shows `waitingText`
// (naming the operation that waits) with Abort, Retry and Ignore; the wait before each box is
// `timeout`. Once granted for a change of the model, the document counts as edited until its next
// export. The lock is released when the object goes.
class DocumentChangeLock
{
public:
    DocumentChangeLock(MAI_Doc* document, const char* waitingText,
                       std::chrono::milliseconds timeout = documentLockTimeout, ChangeScope scope = ChangeScope::Model);
    ~DocumentChangeLock();
    DocumentChangeLock(const DocumentChangeLock&) = delete;
    DocumentChangeLock& operator=(const DocumentChangeLock&) = delete;

    // False when the user gave up (or there is no document): the operation must not go on.
    bool isLocked() const { return lock_ != nullptr; }
    explicit operator bool() const { return isLocked(); }

private:
    DocumentLock* lock_ = nullptr;
};
