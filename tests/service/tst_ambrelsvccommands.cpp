// The service program as a whole (see AmbrelSvcRun) with what it runs on
// its own: scheduled UPS commands around a hand-over, and the command file.
// Run as root, it has a process list, a lock folder and pseudo-terminals of
// its own.
#include "ambrelsvcrun.h"
#include "platform/processinfo.h"
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

    void commandsDueWhileHandedOverAreDropped();
    void othersCommandFileIsNotRun();
};

void TestAmbrelSvcCommands::commandsDueWhileHandedOverAreDropped()
{
    // The desktop program holds the UPS's port (as its input) from before
    // the service starts, which then finds tasks due in a few seconds.
    writeConfig(protectingConfig());
    desktop.setStandardInputFile(pty);
    startDesktop();
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("is left to it") && addReceiver(), kStep);
    stop(svc);
    const QDateTime now = QDateTime::currentDateTime();
    const QString due = now.addSecs(4).toString(QStringLiteral("hh:mm:ss"));
    for (int action : {0, 1, 2})
        QVERIFY(sql(QStringLiteral("insert into schedule_task(dateTime, cycle, time, action, enable) "
                                   "values('%1', 0, '%2', %3, 1)")
                        .arg(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), due)
                        .arg(action))
                    .isValid());
    startService();

    // Each is dropped with a line of its own, and none reaches the UPS when
    // the service takes the link back.
    QTRY_COMPARE_WITH_TIMEOUT(svcOut.count(", due at " + due.toLatin1() + ", is dropped: the desktop program has "
                                           "the UPS link."),
                              3, kStep);
    QVERIFY(svcOut.contains("The scheduled self-test of 10 seconds, due at"));
    stop(desktop);
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("taken back"), kStep);
    waitForStatus();
    QCOMPARE(received("T") + received("TL") + received("C"), 0);
}

void TestAmbrelSvcCommands::othersCommandFileIsNotRun()
{
    // The settings name another user's file that anyone may write (as a
    // copy of a desktop user's settings may): the shutdown goes on without it.
    QVariantMap config = protectingConfig();
    const QByteArray script = QFile::encodeName(config.value(QStringLiteral("shutdown/execFile")).toString());
    QVERIFY(chown(script.constData(), 65534, 65534) == 0 && chmod(script.constData(), 0777) == 0);
    writeConfig(config);
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
    const int offsBefore = powerOffs();
    sim.write(kMainsFails);
    QTRY_COMPARE_WITH_TIMEOUT(powerOffs(), offsBefore + 1, kStep + 10000);
    QCOMPARE(received("S.2"), 2);
    QVERIFY(!QFile::exists(marker()));
    QVERIFY(svcOut.contains("The command file " + script + " is not run: the file " + script + " belongs to user "
                            + ProcessInfo::userName(65534).toLocal8Bit() + "."));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestAmbrelSvcCommands)
#include "tst_ambrelsvccommands.moc"
