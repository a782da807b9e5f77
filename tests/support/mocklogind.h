#ifndef MOCKLOGIND_H
#define MOCKLOGIND_H

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Header only: python-dbusmock's "logind" template on a private bus that this
// test program and every program it starts use as their system bus. The bus
// listens on a socket of its own, where it can be ended and started again.
class MockLogind
{
public:
    ~MockLogind() { stop(); }
    QByteArray address() const { return "unix:path=" + QFile::encodeName(dir.filePath(QStringLiteral("bus"))); }

    bool start()
    {
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address());
        bus.start(QStringLiteral("dbus-daemon"),
                  {"--session", "--nofork", "--print-address=1", "--address=" + address()});
        // A connection of its own each time: one that the bus has ended stays closed.
        if (QTest::qWaitFor([this] { return bus.canReadLine(); }, 10000))
            connection = QDBusConnection::connectToBus(address(), QString::number(bus.processId()));
        mock.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "logind", "-l",
                                                   dir.filePath(QStringLiteral("calls.log"))});
        return QTest::qWaitFor([this] { return registered(); }, 20000);
    }
    // The mock leaves the bus.
    bool stopMock()
    {
        mock.kill();
        mock.waitForFinished(5000);
        return QTest::qWaitFor([this] { return !registered(); }, 10000);
    }
    void stop()
    {
        stopMock();
        bus.terminate();
        bus.waitForFinished(5000);
        QDBusConnection::disconnectFromBus(connection.name());
    }

    // A method of the mock's own interface (AddMethod, UpdateProperties, ...).
    bool call(const QString &method, const QVariantList &args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.DBus.Mock", method);
        message.setArguments(args);
        return connection.call(message, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
    }
    bool setPreparingForShutdown(bool preparing)
    {
        return call("UpdateProperties",
                    {"org.freedesktop.login1.Manager", QVariantMap{{"PreparingForShutdown", preparing}}});
    }
    // The PowerOff calls it has had since it last started.
    int powerOffs() const
    {
        QFile log(dir.filePath(QStringLiteral("calls.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll().count("PowerOff False") : 0;
    }

private:
    bool registered()
    {
        return connection.isConnected()
            && connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")).value();
    }

    QTemporaryDir dir;
    QProcess bus, mock;
    QDBusConnection connection{QString()};
};

#endif // MOCKLOGIND_H
