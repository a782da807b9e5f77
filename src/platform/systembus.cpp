#include "systembus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QMutex>
#include <QTimer>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Answer = std::function<void(const QDBusMessage &reply)>;
using Then = std::function<void(const QDBusConnection &bus)>;

// The current connection, shared by all threads, and its replacement.
class SystemBusPrivate
{
public:
    static SystemBusPrivate &instance()
    {
        // Never deleted: a thread that connects may outlive main().
        static SystemBusPrivate *d = new SystemBusPrivate;
        return *d;
    }

    QDBusConnection current()
    {
        QMutexLocker lock(&mutex);
        return bus;
    }

    // then gets the connection that replaces gone, at once when another
    // caller has replaced it already, else from the thread that connects
    // anew for all who found it gone meanwhile.
    void whenReplaced(const QDBusConnection &gone, const Then &then)
    {
        QMutexLocker lock(&mutex);
        if (bus.name() != gone.name() && bus.isConnected()) {
            const QDBusConnection replaced = bus;
            lock.unlock();
            then(replaced);
            return;
        }
        waiting.push_back(then);
        if (waiting.size() == 1) {
            const QString name = QStringLiteral("ambrel-system-bus-%1").arg(++made);
            std::thread([this, name] { replace(name); }).detach();
        }
    }

private:
    void replace(const QString &name)
    {
        const QDBusConnection fresh = QDBusConnection::connectToBus(QDBusConnection::SystemBus, name);
        QMutexLocker lock(&mutex);
        const QString old = bus.name();
        bus = fresh;
        const Reach before = reach;
        if (fresh.isConnected())
            reach = Reached;
        else if (reach == Reached)
            reach = Lost;
        const Reach after = reach;
        std::vector<Then> answer;
        answer.swap(waiting);
        lock.unlock();
        // A bus never reached (a command line on a machine without one) is
        // told by the caller's own error.
        if (before == Reached && after == Lost)
            qWarning("The system bus cannot be reached (%s); each call tries again.",
                     qPrintable(fresh.lastError().message()));
        else if (before == Lost && after == Reached)
            qInfo("The system bus can be reached again.");
        if (!old.isEmpty())
            QDBusConnection::disconnectFromBus(old);
        for (const Then &then : answer)
            then(fresh);
    }

    QMutex mutex;
    QDBusConnection bus{QString()}; // none before the first call
    int made = 0;
    enum Reach { NeverReached, Reached, Lost } reach = NeverReached;
    std::vector<Then> waiting;
};

// An error that a working connection would not have given.
bool isGone(const QDBusConnection &bus, const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ErrorMessage
           && (!bus.isConnected() || reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.Disconnected"));
}

void send(const QDBusConnection &bus, const QDBusMessage &message, int timeoutMs, const Answer &answered,
          bool mayResend);

// Sends message again once a new connection is made; answered on this
// thread, with an error when the bus takes longer than the call may to
// accept the connection. here lives until the connection is made.
void resend(const QDBusConnection &gone, const QDBusMessage &message, int timeoutMs, const Answer &answered)
{
    QObject *here = new QObject;
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(timeoutMs, here, [=] {
        *done = true;
        answered(QDBusMessage::createError(QDBusError::NoReply, QStringLiteral("The system bus did not answer.")));
    });
    SystemBusPrivate::instance().whenReplaced(gone, [=](const QDBusConnection &fresh) {
        QMetaObject::invokeMethod(
            here,
            [=] {
                here->deleteLater();
                if (!*done) {
                    *done = true;
                    send(fresh, message, timeoutMs, answered, false);
                }
            },
            Qt::QueuedConnection);
    });
}

void send(const QDBusConnection &bus, const QDBusMessage &message, int timeoutMs, const Answer &answered,
          bool mayResend)
{
    if (!bus.isConnected()) {
        if (mayResend)
            resend(bus, message, timeoutMs, answered);
        else
            answered(QDBusMessage::createError(QDBusError::Disconnected, bus.lastError().message()));
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, timeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [=] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (mayResend && isGone(bus, reply))
            resend(bus, message, timeoutMs, answered);
        else
            answered(reply);
    });
}

} // namespace

QDBusMessage SystemBus::call(const QDBusMessage &message, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QDBusConnection bus = SystemBusPrivate::instance().current();
    const QDBusMessage reply = bus.call(message, QDBus::Block, timeoutMs);
    if (!isGone(bus, reply))
        return reply;
    auto replaced = std::make_shared<std::promise<QDBusConnection>>();
    std::future<QDBusConnection> fresh = replaced->get_future();
    SystemBusPrivate::instance().whenReplaced(bus,
                                              [replaced](const QDBusConnection &made) { replaced->set_value(made); });
    if (fresh.wait_for(std::chrono::milliseconds(deadline.remainingTime())) != std::future_status::ready
        || deadline.hasExpired())
        return reply;
    return fresh.get().call(message, QDBus::Block, int(deadline.remainingTime()));
}

void SystemBus::callThen(const QDBusMessage &message, int timeoutMs, const Answer &answered)
{
    send(SystemBusPrivate::instance().current(), message, timeoutMs, answered, true);
}
