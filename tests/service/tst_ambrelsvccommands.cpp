// The service program as a whole (AmbrelSvcRun), in namespaces of its own,
// with what it runs: scheduled UPS commands around a hand-over, the command file.
#include "ambrelsvcrun.h"
#include "platform/systemaccount.h"
#include "testenvironment.h"

#include <sys/stat.h>
#include <unistd.h>

class TestAmbrelSvcCommands : public QObject, protected AmbrelSvcRun
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpOnce(); }
    void init() { setUpRun(); }
    void cleanup() { tearDownRun(); }

    void commandsDueWhileHandedOverAreDropped()
    {
        // The desktop program holds the UPS's port from before the service
        // starts; a new start finds tasks due in a few seconds.
        writeConfig(protectingConfig());
        startDesktopHolding(desktop, pty, QStringLiteral("O_RDWR|O_NOCTTY"));
        startService();
        QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("is left to it") && addReceiver(), kStep);
        stop(svc);
        const QString due = QTime::currentTime().addSecs(4).toString(QStringLiteral("hh:mm:ss"));
        for (const char *action : {"0", "1", "2"})
            QVERIFY(sql("insert into schedule_task(dateTime, cycle, time, action, enable) "
                        "values('2024-01-01 00:00:00', 0, '" + due + "', " + action + ", 1)").isValid());
        startService();

        // Each is dropped with a line of its own; none reaches the UPS later.
        const QByteArray line = ", due at " + due.toLatin1() + ", is dropped: the desktop program has the UPS link.";
        QTRY_COMPARE_WITH_TIMEOUT(svcOut.count(line), 3, kStep);
        QVERIFY(svcOut.contains("The scheduled self-test of 10 seconds" + line));
        stop(desktop);
        QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("taken back"), kStep);
        waitForStatus();
        QCOMPARE(received("T") + received("TL") + received("C"), 0);
    }

    void othersCommandFileIsNotRun()
    {
        // Another user's file that anyone may write (as a copy of a desktop
        // user's settings may name): the shutdown goes on without it.
        const QVariantMap config = protectingConfig();
        const QByteArray script = QFile::encodeName(config.value(QStringLiteral("shutdown/execFile")).toString());
        QVERIFY(chown(script.constData(), 65534, 65534) == 0 && chmod(script.constData(), 0777) == 0);
        writeConfig(config);
        startService();
        QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
        const int offsBefore = powerOffs();
        sim.write(kMainsFails);
        QTRY_COMPARE_WITH_TIMEOUT(powerOffs(), offsBefore + 1, kStep + 10000);
        QVERIFY(!QFile::exists(marker()));
        QVERIFY(svcOut.contains("The command file " + script + " is not run: the file " + script + " belongs to user "
                                + SystemAccount::userName(65534).toLocal8Bit() + "."));
    }

    void commandFileRunsOnceAtATime()
    {
        // The mains comes back while the file runs, and fails again: the next
        // countdown ends without a second copy of the file.
        const QVariantMap config = protectingConfig("sleep 60\n");
        const QByteArray script = QFile::encodeName(config.value(QStringLiteral("shutdown/execFile")).toString());
        writeConfig(config);
        startService();
        QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
        sim.write(kMainsFails);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker()), kStep + 10000);
        sim.write(kMainsReturns);
        QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
        sim.write(kMainsFails);
        const QByteArray once = " still runs from an earlier countdown: it is not started a second time.";
        QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("The command file " + script + once), kStep + 10000);
        QTest::qWait(500);
        QFile started(marker());
        QVERIFY(started.open(QIODevice::ReadOnly));
        QCOMPARE(started.readAll(), QByteArray("done\n"));
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestAmbrelSvcCommands)
#include "tst_ambrelsvccommands.moc"
