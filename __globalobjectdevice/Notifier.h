#pragma once

// Named notification channels. A sender names a channel and passes one untyped pointer; every
// listener of that channel is called at once, on the sender's thread, newest subscription first.
// The registry lives in the application interface, so every module uses the same channels.

class Notifier;
class NotifierRegistry;

// Base of every listener. One listener object is subscribed to at most one channel.
class NotifierListener
{
public:
    NotifierListener() = default;
    NotifierListener(const NotifierListener&) = delete;
    NotifierListener& operator=(const NotifierListener&) = delete;
    // A listener destroyed while subscribed leaves its channel first, even in the middle of a send.
    virtual ~NotifierListener() { unlink(); }

    virtual void notify(void* payload) = 0;

    // Takes the listener out of its channel and clears its links; does nothing when it is not
    // subscribed. A send in progress passes over it from then on.
    void unlink();

    bool isSubscribed() const { return channel != nullptr; }
    Notifier* getChannel() const { return channel; }
    NotifierListener* getPrevious() const { return previous; }
    NotifierListener* getNext() const { return next; }
    // A muted listener is passed over by its channel's sends.
    bool isMuted() const { return muted; }
    void setMuted(bool value) { muted = value; }

private:
    Notifier* channel = nullptr;
    NotifierListener* previous = nullptr; // null for the first listener of the channel
    NotifierListener* next = nullptr;
    bool muted = false;

    friend class Notifier;
};

// One channel: a name and its chain of listeners, newest first.
class Notifier
{
public:
    // `name` is referenced, not copied: a literal of the program.
    explicit Notifier(const char* name) : name(name) {}
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;
    // Leaves no listener pointing at the channel and leaves its registry; a send in progress stops.
    ~Notifier();

    const char* getName() const { return name; }
    NotifierListener* getFirstListener() const { return firstListener; }
    Notifier* getNextNotifier() const { return nextNotifier; }

    // Subscribes the listener at the head of the chain (a null listener is ignored). A listener
    // subscribed anywhere is unlinked first.
    void addListener(NotifierListener* listener);
    // Calls every listener that is not muted, newest first. Listeners may subscribe, unlink or
    // destroy listeners (themselves included) meanwhile: a listener taken out is not called any
    // more, one subscribed during the send is called from the next send on.
    void notifyListeners(void* payload);
    bool hasListeners() const { return firstListener != nullptr; }

private:
    // The position of one send in progress; sends may nest.
    struct SendCursor
    {
        NotifierListener* next;
        SendCursor* outer;
        bool channelGone;
    };

    // A listener leaves the chain: every send in progress that would call it next moves on.
    void removeListener(NotifierListener* listener);

    const char* name;
    NotifierListener* firstListener = nullptr;
    Notifier* nextNotifier = nullptr;
    SendCursor* sends = nullptr;
    bool ownedByRegistry = false;
    NotifierRegistry* registry = nullptr; // the registry whose chain holds it

    friend class NotifierListener;
    friend class NotifierRegistry;
};

// The channels of the process, newest first. It owns the channels it created; channels added from
// outside (the host's key channels) stay their owner's.
class NotifierRegistry
{
public:
    NotifierRegistry() = default;
    NotifierRegistry(const NotifierRegistry&) = delete;
    NotifierRegistry& operator=(const NotifierRegistry&) = delete;
    ~NotifierRegistry();

    // The newest channel of that name (exact, case-sensitive); a null name gives the first channel.
    Notifier* getNotifier(const char* name) const;
    // A new channel at the head of the registry, even when the name exists (it then hides the
    // older one). Null for a null name.
    Notifier* createNotifier(const char* name);
    Notifier* ensureNotifier(const char* name);
    // Puts a channel owned elsewhere at the head; a null channel or one already in a registry is
    // ignored.
    void addNotifier(Notifier* channel);
    // Subscribes the listener to the named channel, creating the channel when needed.
    void addListener(const char* name, NotifierListener* listener);
    // Sends the payload to the named channel; nothing happens when there is no such channel.
    void notify(const char* name, void* payload);

private:
    // Takes a channel out of the chain without destroying it.
    void unchain(Notifier* channel);

    Notifier* firstNotifier = nullptr;

    friend class Notifier;
};
