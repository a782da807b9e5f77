// The real shutdown path: logind's PowerOff on the system bus, and systemd's
// when logind refuses or is gone, answered by mock logind and systemd
// services on a private system bus that this test starts (and restarts). The
// machine's own system bus is never used: the test refuses to call PowerOff
// unless the services that answer are the mocks.
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "link/megatec.h"
#include "platform/linuxplatform.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const char kMock[] = "org.freedesktop.DBus.Mock";
const char kLogind[] = "org.freedesktop.login1";
const char kLogindManager[] = "org.freedesktop.login1.Manager";
const char kRefuse[] = "raise dbus.exceptions.DBusException('Not now.', name='org.freedesktop.DBus.Error.AccessDenied')";
} // namespace

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QProcess bus;
    QByteArray address;
    QDBusConnection own{QString()};
    QScopedPointer<SystemdMock> systemd;
    QProcess logind;

    // On the same socket each time, with a connection of this test's own.
    bool startBus()
    {
        bus.start(QStringLiteral("dbus-daemon"),
                  {"--nofork", "--print-address=1", "--config-file=" + dir.filePath(QStringLiteral("bus.conf"))});
        if (!QTest::qWaitFor([this] { return bus.canReadLine(); }, 10000))
            return false;
        own = QDBusConnection::connectToBus(QString::fromLatin1(address), QString::number(bus.processId()));
        return own.isConnected();
    }
    bool startLogind()
    {
        logind.waitForFinished(5000);
        logind.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "logind",
                                                     "-l", dir.filePath(QStringLiteral("logind.log"))});
        return QTest::qWaitFor([this] { return own.interface()->isServiceRegistered(kLogind).value(); }, 20000);
    }
    bool callLogind(const QString &method, const QVariantList &args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kLogind, "/org/freedesktop/login1", kMock, method);
        message.setArguments(args);
        return own.call(message, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
    }
    bool setSystemd(const QString &method, const QVariantList &args)
    {
        return systemd->call(SystemdMock::ManagerPath, kMock, method, args).type() == QDBusMessage::ReplyMessage;
    }
    int logindPowerOffs() const
    {
        QFile log(dir.filePath(QStringLiteral("logind.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll().count("PowerOff False") : 0;
    }
    int systemdPowerOffs() { return systemd->callCount(SystemdMock::ManagerPath, "PowerOff"); }

    // The answer of one request: 1 accepted, 0 refused, -1 none in time.
    static int powerOff()
    {
        int answer = -1;
        LinuxPlatform().powerOff([&answer](bool accepted) { answer = accepted ? 1 : 0; });
        return QTest::qWaitFor([&answer] { return answer >= 0; }, 30000) ? answer : -1;
    }

private slots:
    void initTestCase()
    {
        const QByteArray socket = QFile::encodeName(dir.filePath(QStringLiteral("bus")));
        QFile config(dir.filePath(QStringLiteral("bus.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<busconfig><type>system</type><listen>unix:path=" + socket + "</listen><auth>EXTERNAL</auth>"
                     "<policy context='default'><allow send_destination='*'/><allow receive_sender='*'/>"
                     "<allow own='*'/></policy></busconfig>");
        config.close();
        address = "unix:path=" + socket;
        QVERIFY(startBus());
        // Everything of this process that speaks to "the system bus" now speaks
        // to the private one; no system bus connection was made before.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        systemd.reset(new SystemdMock(dir.path(), address));
        QVERIFY(systemd->start());
        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "", ""}));
        QVERIFY(setSystemd("AddProperty", {SystemdMock::Manager, "SystemState", "running"}));
        QVERIFY(startLogind());
        // Only the mock answers to its own interface; the real logind does not.
        QVERIFY(callLogind("GetCalls", {}));
    }

    void cleanupTestCase()
    {
        logind.kill();
        logind.waitForFinished(5000);
        systemd.reset();
        bus.terminate();
        bus.waitForFinished(5000);
    }

    void powerOffAsksLogindFirstThenSystemd()
    {
        QCOMPARE(powerOff(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(logindPowerOffs(), 1, 10000);
        QCOMPARE(systemdPowerOffs(), 0);

        QVERIFY(callLogind("AddMethod", {kLogindManager, "PowerOff", "b", "", kRefuse}));
        QTest::ignoreMessage(QtWarningMsg, "logind did not accept the power-off (org.freedesktop.DBus.Error."
                                           "AccessDenied: Not now.); systemd is asked instead.");
        QCOMPARE(powerOff(), 1);
        QCOMPARE(systemdPowerOffs(), 1);

        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "", kRefuse}));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^systemd did not accept the power-off either"));
        QCOMPARE(powerOff(), 0);
        QVERIFY(callLogind("AddMethod", {kLogindManager, "PowerOff", "b", "", ""}));
    }

    void shuttingDownIsReadFromLogindAndSystemd()
    {
        LinuxPlatform platform;
        QVERIFY(!platform.isShuttingDown());
        QVERIFY(callLogind("UpdateProperties", {kLogindManager, QVariantMap{{"PreparingForShutdown", true}}}));
        QVERIFY(platform.isShuttingDown());
        QVERIFY(callLogind("UpdateProperties", {kLogindManager, QVariantMap{{"PreparingForShutdown", false}}}));
        QVERIFY(setSystemd("UpdateProperties", {SystemdMock::Manager, QVariantMap{{"SystemState", "stopping"}}}));
        QVERIFY(platform.isShuttingDown());
        QVERIFY(setSystemd("UpdateProperties", {SystemdMock::Manager, QVariantMap{{"SystemState", "running"}}}));
    }

    // logind goes away, and systemd takes its time to refuse.
    void refusedShutdownIsRetriedWithoutHoldingUpTheLoop()
    {
        logind.kill();
        QTRY_VERIFY_WITH_TIMEOUT(!own.interface()->isServiceRegistered(kLogind), 10000);
        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "",
                                         QStringLiteral("import time\ntime.sleep(1.5)\n") + kRefuse}));
        const int before = systemdPowerOffs();
        TestEnvironment::makeDataDirs();
        Settings::instance()->load();
        Settings::instance()->setSettings(Settings::ShutdownOsOff, true);
        DevCommPrivate::protocol(DevComm::instance())->setOnline(true);
        ServiceShutdown *service = ServiceShutdown::instance();
        service->onSettingsChanged();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept the power-off "
                                                              "\\(org.freedesktop.DBus.Error.ServiceUnknown"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^systemd did not accept"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The operating system did not accept the shutdown"));
        QElapsedTimer sinceTurn;
        qint64 longestGap = 0;
        QTimer turning;
        connect(&turning, &QTimer::timeout, [&] { longestGap = qMax(longestGap, sinceTurn.restart()); });
        sinceTurn.start();
        turning.start(20);
        // The countdown ends inside the event loop.
        service->startCountdown(0);
        QTimer::singleShot(100, service, [service] {
            for (int i = 0; i < 10; ++i)
                service->onTimerTimeout();
        });
        QTest::qWait(2500);
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
        QCOMPARE(systemdPowerOffs(), before + 1);

        // Ten ticks later it is asked again, and accepted.
        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "", ""}));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept"));
        QTest::ignoreMessage(QtInfoMsg, "The operating system has accepted the shutdown.");
        for (int i = 0; i < 10; ++i)
            service->onTimerTimeout();
        QTRY_COMPARE_WITH_TIMEOUT(systemdPowerOffs(), before + 2, 10000);
        QTest::qWait(300); // for the answer
    }

    // Last: the bus restarts after a refusal, and logind is back.
    void callsReachTheBusAgainAfterItRestarts()
    {
        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "", kRefuse}));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^systemd did not accept"));
        QCOMPARE(powerOff(), 0);

        bus.terminate();
        QVERIFY(bus.waitForFinished(10000));
        LinuxPlatform platform;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The system bus cannot be reached"));
        QVERIFY(!platform.isShuttingDown());

        QVERIFY(startBus());
        QVERIFY(startLogind());
        QTest::ignoreMessage(QtInfoMsg, "The system bus can be reached again.");
        QCOMPARE(powerOff(), 1);
        QVERIFY(callLogind("UpdateProperties", {kLogindManager, QVariantMap{{"PreparingForShutdown", true}}}));
        QVERIFY(platform.isShuttingDown());
    }
};

AMBREL_TEST_MAIN(TestLogindPowerOff)
#include "tst_logindpoweroff.moc"
