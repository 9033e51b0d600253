#include "__globalobjectdevice/Notifier.h"

#include "VornData/IntrusiveList.h"
#include "VornData/generalException.h"

#include <cstring>
#include <new>

void NotifierListener::unlink()
{
    if (channel != nullptr)
        channel->removeListener(this);
}

Notifier::~Notifier()
{
    for (SendCursor* send = sends; send != nullptr; send = send->outer)
    {
        send->next = nullptr;
        send->channelGone = true;
    }
    while (firstListener != nullptr)
        removeListener(firstListener);
    if (registry != nullptr)
        registry->unchain(this);
}

void Notifier::addListener(NotifierListener* listener)
{
    if (listener == nullptr)
        return;
    listener->unlink();
    listener->channel = this;
    linkAtFront<&NotifierListener::previous, &NotifierListener::next>(firstListener, listener);
}

void Notifier::removeListener(NotifierListener* listener)
{
    for (SendCursor* send = sends; send != nullptr; send = send->outer)
    {
        if (send->next == listener)
            send->next = listener->next;
    }
    unlinkFrom<&NotifierListener::previous, &NotifierListener::next>(firstListener, listener);
    listener->channel = nullptr;
}

void Notifier::notifyListeners(void* payload)
{
    SendCursor send{firstListener, sends, false};
    // The cursor is taken off the channel on every way out of this function (unless the channel
    // was destroyed during the send); the compiler cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
    sends = &send;
#pragma GCC diagnostic pop
    struct PopCursor
    {
        Notifier* channel;
        SendCursor& send;
        ~PopCursor()
        {
            if (!send.channelGone)
                channel->sends = send.outer;
        }
    } pop{this, send};
    while (NotifierListener* listener = send.next)
    {
        send.next = listener->next;
        if (!listener->muted)
            listener->notify(payload);
    }
}

NotifierRegistry::~NotifierRegistry()
{
    while (Notifier* channel = firstNotifier)
    {
        firstNotifier = channel->nextNotifier;
        channel->nextNotifier = nullptr;
        channel->registry = nullptr;
        if (channel->ownedByRegistry)
            delete channel;
    }
}

Notifier* NotifierRegistry::getNotifier(const char* name) const
{
    if (name == nullptr)
        return firstNotifier;
    for (Notifier* channel = firstNotifier; channel != nullptr; channel = channel->nextNotifier)
    {
        if (std::strcmp(channel->name, name) == 0)
            return channel;
    }
    return nullptr;
}

Notifier* NotifierRegistry::createNotifier(const char* name)
{
    if (name == nullptr)
        return nullptr;
    Notifier* channel = new (std::nothrow) Notifier(name);
    if (channel == nullptr)
        throw Exc_OutOfMemory("NotifierRegistry::createNotifier");
    channel->ownedByRegistry = true;
    channel->registry = this;
    channel->nextNotifier = firstNotifier;
    firstNotifier = channel;
    return channel;
}

Notifier* NotifierRegistry::ensureNotifier(const char* name)
{
    if (name == nullptr)
        return nullptr;
    Notifier* channel = getNotifier(name);
    return channel != nullptr ? channel : createNotifier(name);
}

void NotifierRegistry::addNotifier(Notifier* channel)
{
    if (channel == nullptr || channel->name == nullptr || channel->registry != nullptr)
        return;
    channel->registry = this;
    channel->nextNotifier = firstNotifier;
    firstNotifier = channel;
}

void NotifierRegistry::unchain(Notifier* channel)
{
    Notifier** link = &firstNotifier;
    while (*link != nullptr && *link != channel)
        link = &(*link)->nextNotifier;
    if (*link == channel)
        *link = channel->nextNotifier;
    channel->nextNotifier = nullptr;
    channel->registry = nullptr;
}

void NotifierRegistry::addListener(const char* name, NotifierListener* listener)
{
    if (listener == nullptr)
        return;
    if (Notifier* channel = ensureNotifier(name))
        channel->addListener(listener);
}

void NotifierRegistry::notify(const char* name, void* payload)
{
    if (name == nullptr)
        return;
    if (Notifier* channel = getNotifier(name))
        channel->notifyListeners(payload);
}
