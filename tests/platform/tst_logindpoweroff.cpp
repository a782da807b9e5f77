// The real shutdown path: logind's PowerOff on the system bus, answered by a
// mock logind on a private bus that this test starts. The machine's own
// system bus is never used: the test refuses to call PowerOff unless the
// service that answers is the mock.
#include "linuxplatform.h"
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

private slots:
    void initTestCase();
    void cleanupTestCase();
    void powerOffCallsLogindNotInteractive();

private:
    QTemporaryDir dir;
    QProcess bus;
    QProcess mock;
    QString logFile;
};

void TestLogindPowerOff::initTestCase()
{
    QVERIFY(dir.isValid());
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--session"), QStringLiteral("--nofork"),
               QStringLiteral("--print-address=1")});
    QVERIFY(bus.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(bus.canReadLine(), 10000);
    const QByteArray address = bus.readLine().trimmed();
    QVERIFY(!address.isEmpty());

    // Everything of this process that speaks to "the system bus" now speaks
    // to the private one; no system bus connection was made before.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);

    logFile = dir.filePath(QStringLiteral("logind.log"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromUtf8(address));
    mock.setProcessEnvironment(env);
    mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mock.start(QStringLiteral(AMBREL_PYTHON),
               {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                QStringLiteral("--template"), QStringLiteral("logind"),
                QStringLiteral("-l"), logFile});
    QVERIFY(mock.waitForStarted(10000));

    QDBusConnection system = QDBusConnection::systemBus();
    QVERIFY(system.isConnected());
    QTRY_VERIFY_WITH_TIMEOUT(
        system.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")), 20000);
}

void TestLogindPowerOff::cleanupTestCase()
{
    for (QProcess *process : {&mock, &bus}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
}

void TestLogindPowerOff::powerOffCallsLogindNotInteractive()
{
    // Only the mock answers to its own interface; the real logind does not.
    QDBusMessage probe = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("GetCalls"));
    const QDBusMessage answer = QDBusConnection::systemBus().call(probe, QDBus::Block, 10000);
    QCOMPARE(answer.type(), QDBusMessage::ReplyMessage);

    LinuxPlatform platform;
    platform.powerOff();

    const auto logged = [this] {
        QFile log(logFile);
        return log.open(QIODevice::ReadOnly) && log.readAll().contains("PowerOff False");
    };
    QTRY_VERIFY_WITH_TIMEOUT(logged(), 10000);
}

AMBREL_TEST_MAIN(TestLogindPowerOff)
#include "tst_logindpoweroff.moc"
