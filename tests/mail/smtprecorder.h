#ifndef SMTPRECORDER_H
#define SMTPRECORDER_H

#include <QStringList>
#include <QCoreApplication>
#include <QTimer>

#include "smtpclient.h"

// Records what the client reports, in order, as short texts.
class SmtpRecorder : public QObject
{
public:
    explicit SmtpRecorder(SmtpClient *client)
    {
        using C = SmtpClient;
        connect(client, QOverload<>::of(&C::connectionFailed), this, [this] { events << "connectionFailed"; });
        connect(client, QOverload<const QString &>::of(&C::connectionFailed), this,
                [this](const QString &msg) { events << QStringLiteral("connectionFailed(%1)").arg(msg); });
        connect(client, QOverload<>::of(&C::encryptionFailed), this, [this] { events << "encryptionFailed"; });
        connect(client, QOverload<const QString &>::of(&C::encryptionFailed), this,
                [this](const QString &) { events << "encryptionFailed(msg)"; });
        connect(client, QOverload<>::of(&C::authenticationFailed), this, [this] { events << "authenticationFailed"; });
        connect(client, QOverload<const QString &>::of(&C::authenticationFailed), this,
                [this](const QString &msg) { events << QStringLiteral("authenticationFailed(%1)").arg(msg); });
        connect(client, QOverload<int, int>::of(&C::mailFailed), this,
                [this](int id, int code) { events << QStringLiteral("mailFailed(%1,%2)").arg(id).arg(code); });
        connect(client, QOverload<int, int, const QString &>::of(&C::mailFailed), this,
                [this](int id, int code, const QString &msg) {
                    events << QStringLiteral("mailFailed(%1,%2,%3)").arg(id).arg(code).arg(msg);
                });
        connect(client, &C::mailSent, this, [this](int id) { events << QStringLiteral("mailSent(%1)").arg(id); });
        connect(client, &C::finished, this, [this] { events << "finished"; });
        connect(client, &C::authenticated, this, [this] { ++authenticated; });
        connect(client, &C::encrypted, this, [this] { ++encrypted; });
        connect(client, &C::disconnected, this, [this] { ++disconnected; });
    }

    bool waitFor(const QString &event, int timeoutMs = 5000)
    {
        return waitUntil([&] { return events.contains(event); }, timeoutMs);
    }

    // Runs the event loop until the condition holds, waking on every event;
    // the timer bounds the wait.
    template<typename Condition>
    bool waitUntil(Condition condition, int timeoutMs = 5000)
    {
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(timeoutMs);
        while (!condition() && deadline.isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return condition();
    }

    QStringList events;
    int authenticated = 0;
    int encrypted = 0;
    int disconnected = 0;
};

#endif // SMTPRECORDER_H
