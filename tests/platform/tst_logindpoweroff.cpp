// The real shutdown path: logind's PowerOff on the system bus, and systemd's
// when logind refuses or is gone, answered by mock logind and systemd
// services on a private bus that this test starts. The machine's own system
// bus is never used: the test refuses to call PowerOff unless the services
// that answer are the mocks.
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "link/megatec.h"
#include "mocklogind.h"
#include "platform/linuxplatform.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "systemdmock.h"
#include "testenvironment.h"

#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const char kMock[] = "org.freedesktop.DBus.Mock";
const char kLogindManager[] = "org.freedesktop.login1.Manager";
const char kRefuse[] = "raise dbus.exceptions.DBusException('Not now.', name='org.freedesktop.DBus.Error.AccessDenied')";
} // namespace

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    MockLogind logind;
    QScopedPointer<SystemdMock> systemd;

    bool callLogind(const QString &method, const QVariantList &args) { return logind.call(method, args); }
    bool setSystemd(const QString &method, const QVariantList &args)
    {
        return systemd->call(SystemdMock::ManagerPath, kMock, method, args).type() == QDBusMessage::ReplyMessage;
    }
    int logindPowerOffs() const { return logind.powerOffs(); }
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
        // Everything of this process that speaks to "the system bus" now speaks
        // to the private one; no system bus connection was made before.
        QVERIFY(logind.start());
        systemd.reset(new SystemdMock(dir.path(), logind.address()));
        QVERIFY(systemd->start());
        QVERIFY(setSystemd("AddMethod", {SystemdMock::Manager, "PowerOff", "", "", ""}));
        QVERIFY(setSystemd("AddProperty", {SystemdMock::Manager, "SystemState", "running"}));
        // Only the mock answers to its own interface; the real logind does not.
        QVERIFY(callLogind("GetCalls", {}));
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
        QVERIFY(logind.stopMock());
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

    // Last: the bus restarts, and logind is back.
    void callsReachTheBusAgainAfterItRestarts()
    {
        logind.stop();
        LinuxPlatform platform;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The system bus cannot be reached"));
        QVERIFY(!platform.isShuttingDown());

        QVERIFY(logind.start());
        QTest::ignoreMessage(QtInfoMsg, "The system bus can be reached again.");
        QCOMPARE(powerOff(), 1);
        QVERIFY(logind.setPreparingForShutdown(true));
        QVERIFY(platform.isShuttingDown());
    }
};

AMBREL_TEST_MAIN(TestLogindPowerOff)
#include "tst_logindpoweroff.moc"
