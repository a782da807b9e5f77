// The real shutdown path: logind's PowerOff on the system bus, answered by a
// mock logind on a private bus that this test starts. The machine's own
// system bus is never used: the test refuses to call PowerOff unless the
// service that answers is the mock.
#include "platform/linuxplatform.h"
#include "testenvironment.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QProcess bus;
    QProcess mock;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), 10000);
        const QByteArray address = bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        // Everything of this process that speaks to "the system bus" now speaks
        // to the private one; no system bus connection was made before.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);

        mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        mock.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "logind",
                                                   "-l", dir.filePath(QStringLiteral("logind.log"))});
        QVERIFY(mock.waitForStarted(10000));
        QDBusConnection system = QDBusConnection::systemBus();
        QVERIFY(system.isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(
            system.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")), 20000);
    }

    void cleanupTestCase()
    {
        for (QProcess *process : {&mock, &bus}) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void powerOffCallsLogindNotInteractive()
    {
        // Only the mock answers to its own interface; the real logind does not.
        const QDBusMessage probe = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls"));
        QCOMPARE(QDBusConnection::systemBus().call(probe, QDBus::Block, 10000).type(),
                 QDBusMessage::ReplyMessage);

        LinuxPlatform().powerOff();
        QTRY_VERIFY_WITH_TIMEOUT(
            [this] {
                QFile log(dir.filePath(QStringLiteral("logind.log")));
                return log.open(QIODevice::ReadOnly) && log.readAll().contains("PowerOff False");
            }(), 10000);
    }
};

AMBREL_TEST_MAIN(TestLogindPowerOff)
#include "tst_logindpoweroff.moc"
