#ifndef SYSTEMBUS_H
#define SYSTEMBUS_H

#include <QDBusMessage>

#include <functional>

// The process's one connection to the system D-Bus. A connection that the
// bus has closed (the bus restarted) never works again: a call that finds
// it gone has a new one made, under a fresh connection name, and is sent
// once more. Connections are made on a thread of their own, so that a bus
// that is slow to accept holds up no caller longer than its call may take.
// The journal says when a bus that was reached cannot be reached any more
// (once while that lasts) and when it can again. Any thread may call.
class SystemBus
{
public:
    // The reply to message, all of it (a new connection too) within timeoutMs.
    static QDBusMessage call(const QDBusMessage &message, int timeoutMs);

    // Returns at once; answered gets the reply later on the calling thread's
    // event loop.
    static void callThen(const QDBusMessage &message, int timeoutMs,
                         const std::function<void(const QDBusMessage &reply)> &answered);
};

#endif // SYSTEMBUS_H
