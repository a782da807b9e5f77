// The real shutdown path: logind's PowerOff on the system bus, and systemd's
// when logind refuses or is gone, answered by mock logind and systemd
// services on a private bus that this test starts. The machine's own system
// bus is never used: the test refuses to call PowerOff unless the services
// that answer are the mocks.
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
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const char kMock[] = "org.freedesktop.DBus.Mock";
const char kLogind[] = "org.freedesktop.login1";
const char kLogindPath[] = "/org/freedesktop/login1";
const char kLogindManager[] = "org.freedesktop.login1.Manager";
const char kRefuse[] = "raise dbus.exceptions.DBusException('Not now.', name='org.freedesktop.DBus.Error.AccessDenied')";
} // namespace

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QScopedPointer<SystemdMock> systemd;
    QProcess logind;

    QDBusMessage callLogind(const QString &interface, const QString &method, const QVariantList &args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kLogind, kLogindPath, interface, method);
        message.setArguments(args);
        return QDBusConnection::systemBus().call(message, QDBus::Block, 10000);
    }
    bool setLogindPowerOff(const QString &code)
    {
        return callLogind(kMock, "AddMethod", {kLogindManager, "PowerOff", "b", "", code}).type()
               == QDBusMessage::ReplyMessage;
    }
    bool setSystemdPowerOff(const QString &code)
    {
        return systemd->addMethod(SystemdMock::ManagerPath, SystemdMock::Manager, "PowerOff", "", "", code);
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
        QVERIFY(dir.isValid());
        systemd.reset(new SystemdMock(dir.path()));
        QVERIFY(systemd->start());
        // Everything of this process that speaks to "the system bus" now speaks
        // to the private one; no system bus connection was made before.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", systemd->address());
        QVERIFY(setSystemdPowerOff(QString()));
        QCOMPARE(systemd->call(SystemdMock::ManagerPath, kMock, "AddProperty",
                               {SystemdMock::Manager, "SystemState", "running"}).type(),
                 QDBusMessage::ReplyMessage);

        logind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        logind.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "logind",
                                                     "-l", dir.filePath(QStringLiteral("logind.log"))});
        QVERIFY(logind.waitForStarted(10000));
        QDBusConnection system = QDBusConnection::systemBus();
        QVERIFY(system.isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(system.interface()->isServiceRegistered(QLatin1String(kLogind)), 20000);
        // Only the mock answers to its own interface; the real logind does not.
        QCOMPARE(callLogind(kMock, "GetCalls").type(), QDBusMessage::ReplyMessage);
    }

    void cleanupTestCase()
    {
        logind.terminate();
        if (!logind.waitForFinished(5000)) {
            logind.kill();
            logind.waitForFinished(5000);
        }
        systemd.reset();
    }

    void powerOffAsksLogindFirstThenSystemd()
    {
        QCOMPARE(powerOff(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(logindPowerOffs(), 1, 10000);
        QCOMPARE(systemdPowerOffs(), 0);

        // logind refuses: systemd is asked, and the refusal is told.
        QVERIFY(setLogindPowerOff(kRefuse));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept the power-off "
                                                              "\\(org.freedesktop.DBus.Error.AccessDenied: Not now.\\)"));
        QCOMPARE(powerOff(), 1);
        QCOMPARE(systemdPowerOffs(), 1);

        // Both refuse.
        QVERIFY(setSystemdPowerOff(kRefuse));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^systemd did not accept the power-off either "
                                                              "\\(org.freedesktop.DBus.Error.AccessDenied"));
        QCOMPARE(powerOff(), 0);
        QCOMPARE(systemdPowerOffs(), 2);
        QVERIFY(setLogindPowerOff(QString()));
        QVERIFY(setSystemdPowerOff(QString()));
    }

    void shuttingDownIsReadFromLogindAndSystemd()
    {
        LinuxPlatform platform;
        QVERIFY(!platform.isShuttingDown());
        QCOMPARE(callLogind(kMock, "UpdateProperties", {kLogindManager, QVariantMap{{"PreparingForShutdown", true}}})
                     .type(),
                 QDBusMessage::ReplyMessage);
        QVERIFY(platform.isShuttingDown());
        callLogind(kMock, "UpdateProperties", {kLogindManager, QVariantMap{{"PreparingForShutdown", false}}});
        QVERIFY(!platform.isShuttingDown());
        systemd->call(SystemdMock::ManagerPath, kMock, "UpdateProperties",
                      {SystemdMock::Manager, QVariantMap{{"SystemState", "stopping"}}});
        QVERIFY(platform.isShuttingDown());
        systemd->call(SystemdMock::ManagerPath, kMock, "UpdateProperties",
                      {SystemdMock::Manager, QVariantMap{{"SystemState", "running"}}});
        QVERIFY(!platform.isShuttingDown());
    }

    // Last: logind goes away for good.
    void refusedShutdownIsRetriedWithoutHoldingUpTheLoop()
    {
        logind.terminate();
        QVERIFY(logind.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!QDBusConnection::systemBus().interface()->isServiceRegistered(QLatin1String(kLogind)),
                                 10000);
        // systemd takes its time to refuse.
        QVERIFY(setSystemdPowerOff(QStringLiteral("import time\ntime.sleep(1.5)\n") + kRefuse));
        const int before = systemdPowerOffs();

        TestEnvironment::makeDataDirs();
        Settings::instance()->load();
        DevCommPrivate::protocol(DevComm::instance())->setOnline(true);
        ServiceShutdown *service = ServiceShutdown::instance();
        Settings::instance()->setSettings(Settings::ShutdownOsOff, true);
        Settings::instance()->setSettings(Settings::ShutdownExec, false);
        service->onSettingsChanged();
        // The countdown ends inside the event loop, which must go on turning
        // while the request is on its way.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept the power-off "
                                                              "\\(org.freedesktop.DBus.Error.ServiceUnknown"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^systemd did not accept the power-off either"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The operating system did not accept the shutdown: "
                                                              "this computer stays up"));
        QElapsedTimer sinceTurn;
        qint64 longestGap = 0;
        QTimer turning;
        connect(&turning, &QTimer::timeout, [&] { longestGap = qMax(longestGap, sinceTurn.restart()); });
        sinceTurn.start();
        turning.start(20);
        service->startCountdown(0);
        QTimer::singleShot(100, service, [service] {
            for (int i = 0; i < 10; ++i)
                service->onTimerTimeout();
        });
        QTest::qWait(2500);
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
        QCOMPARE(systemdPowerOffs(), before + 1);

        // The refusal has come back: nine ticks ask nothing, the tenth asks again.
        for (int i = 0; i < 9; ++i)
            service->onTimerTimeout();
        QTest::qWait(200);
        QCOMPARE(systemdPowerOffs(), before + 1);
        QVERIFY(setSystemdPowerOff(QString()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^logind did not accept"));
        QTest::ignoreMessage(QtInfoMsg, "The operating system has accepted the shutdown.");
        service->onTimerTimeout();
        QTRY_COMPARE_WITH_TIMEOUT(systemdPowerOffs(), before + 2, 10000);
        QTest::qWait(200);
        // Accepted: no more requests.
        for (int i = 0; i < 30; ++i)
            service->onTimerTimeout();
        QTest::qWait(200);
        QCOMPARE(systemdPowerOffs(), before + 2);
    }
};

AMBREL_TEST_MAIN(TestLogindPowerOff)
#include "tst_logindpoweroff.moc"
