#ifndef SMTPRECORDER_H
#define SMTPRECORDER_H

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include "smtpclient.h"

// Records what the client reports, in order, as short texts.
class SmtpRecorder : public QObject
{
public:
    explicit SmtpRecorder(SmtpClient *client)
    {
        connect(client, QOverload<>::of(&SmtpClient::connectionFailed), this,
                [this] { add(QStringLiteral("connectionFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::connectionFailed), this,
                [this](const QString &msg) { add(QStringLiteral("connectionFailed(%1)").arg(msg)); });
        connect(client, QOverload<>::of(&SmtpClient::encryptionFailed), this,
                [this] { add(QStringLiteral("encryptionFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::encryptionFailed), this,
                [this](const QString &) { add(QStringLiteral("encryptionFailed(msg)")); });
        connect(client, QOverload<>::of(&SmtpClient::authenticationFailed), this,
                [this] { add(QStringLiteral("authenticationFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::authenticationFailed), this,
                [this](const QString &msg) { add(QStringLiteral("authenticationFailed(%1)").arg(msg)); });
        connect(client, QOverload<int, int>::of(&SmtpClient::mailFailed), this,
                [this](int id, int code) { add(QStringLiteral("mailFailed(%1,%2)").arg(id).arg(code)); });
        connect(client, QOverload<int, int, const QString &>::of(&SmtpClient::mailFailed), this,
                [this](int id, int code, const QString &msg) {
                    add(QStringLiteral("mailFailed(%1,%2,%3)").arg(id).arg(code).arg(msg));
                });
        connect(client, &SmtpClient::mailSent, this, [this](int id) { add(QStringLiteral("mailSent(%1)").arg(id)); });
        connect(client, &SmtpClient::finished, this, [this] { add(QStringLiteral("finished")); });
        connect(client, &SmtpClient::authenticated, this, [this] { ++authenticated; changed(); });
        connect(client, &SmtpClient::encrypted, this, [this] { ++encrypted; changed(); });
        connect(client, &SmtpClient::disconnected, this, [this] { ++disconnected; changed(); });
    }

    bool waitFor(const QString &event, int timeoutMs = 5000)
    {
        return waitUntil([&] { return events.contains(event); }, timeoutMs);
    }

    // Runs the event loop until the condition holds (bounded), waking on
    // every report.
    template<typename Condition>
    bool waitUntil(Condition condition, int timeoutMs = 5000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!condition() && !deadline.hasExpired()) {
            QEventLoop loop;
            QTimer::singleShot(int(qMax<qint64>(1, deadline.remainingTime())), &loop, &QEventLoop::quit);
            m_loop = &loop;
            loop.exec();
            m_loop = nullptr;
        }
        return condition();
    }

    QStringList events;
    int authenticated = 0;
    int encrypted = 0;
    int disconnected = 0;

private:
    void changed()
    {
        if (m_loop)
            m_loop->quit();
    }

    void add(const QString &event)
    {
        events << event;
        changed();
    }

    QEventLoop *m_loop = nullptr;
};

#endif // SMTPRECORDER_H
