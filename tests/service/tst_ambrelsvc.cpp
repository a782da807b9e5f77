// The service program as a whole (AmbrelSvcRun), in namespaces of its own:
// watching the UPS, mailing, shutting down, handing the link over.
#include "ambrelsvcrun.h"
#include "testenvironment.h"

#include <QSerialPort>

class TestAmbrelSvc : public QObject, protected AmbrelSvcRun
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpOnce(); }
    void init() { setUpRun(); }
    void cleanup() { tearDownRun(); }

    void mainsFailureShutsDownTheMachine();
    void mainsReturnCancelsTheCountdown();
    void desktopProgramTakesTheLink();
    void survivesBadSettingsAndVanishingDevices();
    void unusedLinkIsTakenBack();
    void handOverEndsTheCountdown();

    // A stop of the service while the UPS is set to switch off.
    void stopOrRestartCancelsTheUpsOff();
};

void TestAmbrelSvc::mainsFailureShutsDownTheMachine()
{
    // Another program of the desktop program's name does not take the UPS.
    startImpostor();
    // The command file takes a while: the UPS is told to switch off once it
    // has ended, right before the shutdown.
    writeConfig(protectingConfig("sleep 3\n"));
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0 && addReceiver(), kStep);
    const int offsBefore = powerOffs();

    sim.write(kMainsFails);
    QTRY_VERIFY_WITH_TIMEOUT(sql("select count(*) from alarm where alarm = 2").toInt() == 1, kStep);
    QTRY_VERIFY_WITH_TIMEOUT(mailed(QStringLiteral("Input voltage fault")), kStep);

    // At the end the command file runs; once it has ended the UPS is told
    // to switch off, twice, and the system is powered off.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker()), kStep + 10000);
    QCOMPARE(received("S.2"), 0);
    QCOMPARE(powerOffs(), offsBefore);
    QTRY_COMPARE_WITH_TIMEOUT(received("S.2"), 2, kStep);
    QTRY_COMPARE_WITH_TIMEOUT(powerOffs(), offsBefore + 1, kStep);
    QVERIFY(svcOut.contains("Execute command file:"));
    QCOMPARE(svc.state(), QProcess::Running);
    QVERIFY(!svcOut.contains("desktop program"));
}

void TestAmbrelSvc::mainsReturnCancelsTheCountdown()
{
    // The desktop program runs when the service starts: the service waits
    // for its end before it takes the UPS. Without a command file, the UPS
    // is told to switch off ten seconds before the end, and two.
    QVariantMap config = protectingConfig();
    config.insert("shutdown/execEnable", false);
    writeConfig(config);
    startDesktop();
    startService();
    QTest::qWait(2500);
    QCOMPARE(polls(), 0);
    desktop.kill();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
    QVERIFY(svcOut.contains("taken back") && !svcOut.contains("handed to it"));
    const int offsBefore = powerOffs();

    sim.write(kMainsFails);
    QTRY_COMPARE_WITH_TIMEOUT(received("S.2"), 1, kStep);
    sim.write(kMainsReturns);
    // The cancel command takes the switch-off back.
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
    QTest::qWait(12000); // well past the end the countdown had
    QCOMPARE(received("S.2"), 1);
    QVERIFY(!QFile::exists(marker()));
    QCOMPARE(powerOffs(), offsBefore);
}

void TestAmbrelSvc::desktopProgramTakesTheLink()
{
    // Nothing to mail and no shutdown until the settings are read again.
    QVariantMap config = protectingConfig();
    config.insert("email/enable", false);
    config.insert("shutdown/enable", false);
    writeConfig(config);
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0 && addReceiver(), kStep);

    // No command for longer than the slowest poll period: the link is released.
    const qint64 appeared = clock.elapsed();
    startDesktop();
    QTRY_VERIFY_WITH_TIMEOUT(quiet() > 1700, kStep);
    qInfo("last poll %lld ms after the desktop program appeared", lastPoll - appeared);
    // A hand-over is no loss.
    QVERIFY(!svcOut.contains("does not answer") && !svcOut.contains("not watched"));

    // The desktop program's file is replaced while it runs (an update): the
    // running program is still the desktop program.
    QVERIFY(QFile::remove(desktopProgram) && QFile::copy(QStringLiteral("/bin/sleep"), desktopProgram));
    QTest::qWait(2500);
    QVERIFY(!svcOut.contains("taken back"));

    // The port is free for the desktop program: no lock file of the service
    // is left behind. While it holds the port, the service cannot take it.
    QVERIFY(!serviceHoldsALock());
    QSerialPort port(pty);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    writeConfig(protectingConfig());
    // A ten-second self-test due in a few seconds, added behind the
    // service's back: only a rebuild of its schedule finds it.
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY(sql(QStringLiteral("insert into schedule_task(dateTime, cycle, time, action, enable) "
                               "values('%1', 0, '%2', 0, 1)")
                    .arg(now.toString("yyyy-MM-dd hh:mm:ss"), now.addSecs(8).toString("hh:mm:ss")))
                .isValid());
    desktop.kill();
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("taken back"), kStep);
    QTest::qWait(1700);
    QVERIFY(quiet() > 1700);
    const int pollsBefore = polls();
    const qint64 freed = clock.elapsed();
    port.close();
    QTRY_VERIFY_WITH_TIMEOUT(polls() > pollsBefore, kStep);
    qInfo("polls resumed %lld ms after the port was freed", lastPoll - freed);

    // The schedule and the mail and shutdown settings were read again: the
    // task runs, and a mains failure is mailed and starts the countdown.
    QTRY_COMPARE_WITH_TIMEOUT(received("T"), 1, kStep);
    sim.write(kMainsFails);
    QTRY_VERIFY_WITH_TIMEOUT(mailed(QStringLiteral("Input voltage fault")), kStep);
    QTRY_COMPARE_WITH_TIMEOUT(received("S.2"), 1, kStep);
    sim.write(kMainsReturns);
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
}

void TestAmbrelSvc::survivesBadSettingsAndVanishingDevices()
{
    writeConfig({
        {"ups/commType", "banana"}, {"ups/baudRate", -7}, {"ups/comPort", "\x01\x7f/../"},
        {"ups/saveCycle", "soon"}, {"email/enable", "maybe"}, {"email/serverPort", 999999999},
        {"email/dailyTime", "25:99"}, {"shutdown/enable", true}, {"shutdown/mainFaultTime", "x"},
        {"shutdown/battLowTime", -2147483647}, {"shutdown/execFile", "/nonexistent/\x02"},
    });
    // And a folder where the database should be, left as it is.
    const QString database = dataDir() + QStringLiteral("/data/ambrel.db");
    QVERIFY(QDir().mkdir(database));
    startService();
    QTest::qWait(3000);
    QCOMPARE(svc.state(), QProcess::Running);
    QCOMPARE(polls(), 0);
    // Said once each, not at every poll.
    QCOMPARE(svcOut.count("The UPS link type \"banana\" is unknown: a USB UPS is looked for."), 1);
    QCOMPARE(svcOut.count("No USB UPS is listed in "), 1);

    // The settings are mended while the desktop program runs and read again
    // at its end. The port is named by a link that can be pointed elsewhere.
    const QString link = run->filePath(QStringLiteral("ttyUPS"));
    QVERIFY(QFile::link(pty, link));
    startDesktop();
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("handed to it"), kStep);
    QVariantMap config = protectingConfig();
    config.insert("ups/comPort", link);
    config.insert("shutdown/enable", false);
    writeConfig(config);
    desktop.kill();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0 && svcOut.contains("The UPS answers."), kStep);
    QVERIFY(svcOut.contains("The UPS link settings can be used again."));

    // The UPS goes away while the service holds its port, and comes back
    // under another pseudo-terminal.
    sim.write("quit\n");
    QVERIFY(sim.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("The serial port " + link.toLocal8Bit() + " is lost"), kStep);
    QTest::qWait(2000);
    QCOMPARE(svc.state(), QProcess::Running);
    QCOMPARE(svcOut.count("cannot be opened (No such file or directory): the UPS is not watched."), 1);
    startSim();
    QVERIFY(QFile::remove(link) && QFile::link(pty, link));
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0 && svcOut.count("The UPS answers.") == 2, kStep);
    QCOMPARE(svcOut.count("The serial port " + link.toLocal8Bit() + " is open."), 1);

    // Processes of the watched name that end while the service looks
    // through /proc.
    for (int i = 0; i < 40; ++i) {
        startDesktop(QStringLiteral("0.05"));
        QVERIFY(desktop.waitForFinished(5000));
    }
    QCOMPARE(svc.state(), QProcess::Running);
    const int pollsBefore = polls();
    QTRY_VERIFY_WITH_TIMEOUT(polls() > pollsBefore + 5, kStep);
    QCOMPARE(svcOut.count("Readings, alarms and tasks"), 1);
    QVERIFY(svcOut.contains("Readings, alarms and tasks cannot be kept in the database " + QFile::encodeName(database)
                            + " (unable to open database file)"));
    QVERIFY(QDir(database).isEmpty());
}

void TestAmbrelSvc::unusedLinkIsTakenBack()
{
    writeConfig(protectingConfig());
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
    const int offsBefore = powerOffs();
    // Desktop programs that cannot talk to the UPS have it for ten seconds,
    // however many descriptors they hold: one holds its port only to name it
    // (O_PATH needs no right on it), 59 hold 19,984 others each.
    QProcess others[60];
    startDesktopHolding(desktop, pty, QStringLiteral("O_PATH"));
    for (int i = 0; i < 59; ++i)
        startDesktopHolding(others[i], QStringLiteral("/dev/null"), QStringLiteral("O_RDONLY"), 19984);
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("the UPS link is handed to it"), kStep);
    const qint64 handedOver = clock.elapsed();
    // The mains fails meanwhile: the power-off comes about 23 s later (the
    // trial, the countdown, two seconds after the UPS-off).
    sim.write(kMainsFails);
    const QByteArray trialEnds = ") has not opened the UPS device " + pty.toLocal8Bit() + " within 10 seconds";
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains(trialEnds), 2 * kStep);
    const qint64 takenBack = clock.elapsed();
    QVERIFY(!svcOut.contains("it watches the UPS now"));

    // Neither they nor a new start get the link back soon, nor while the
    // shutdown is under way; the service protects the machine again.
    startDesktopHolding(others[59], QStringLiteral("/dev/null"), QStringLiteral("O_RDONLY"));
    QTRY_COMPARE_WITH_TIMEOUT(powerOffs(), offsBefore + 1, kStep + 10000);
    qInfo("trial ended %lld ms after the hand-over, power-off %lld ms after it", takenBack - handedOver,
          clock.elapsed() - handedOver);
    QVERIFY(takenBack - handedOver < 13000 && clock.elapsed() - handedOver < 25000);
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("the shutdown is under way: the service keeps the UPS link"), kStep);
    QCOMPARE(svcOut.count("the UPS link is handed to it"), 1);
    for (QProcess &process : others)
        stop(process);
}

void TestAmbrelSvc::handOverEndsTheCountdown()
{
    writeConfig(protectingConfig());
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
    const int offsBefore = powerOffs();

    // The mains fails and the service counts ten seconds down; the desktop
    // program holds the UPS's port open (as its input) well past that end.
    sim.write(kMainsFails);
    waitForStatus();
    startDesktopHolding(desktop, pty, QStringLiteral("O_RDWR|O_NOCTTY"));
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("it watches the UPS now, and the service's countdown ends."), kStep);
    QTest::qWait(12000);
    QCOMPARE(powerOffs(), offsBefore);

    // Taken back while the mains is still out: no switch-off that waited in
    // the link, and a countdown of its own.
    stop(desktop);
    waitForStatus();
    QVERIFY(!simOut.contains("RX S"));
    QTRY_COMPARE_WITH_TIMEOUT(powerOffs(), offsBefore + 1, kStep + 10000);
}

void TestAmbrelSvc::stopOrRestartCancelsTheUpsOff()
{
    // Without a command file, the ten-second countdown tells the UPS to
    // switch off at once.
    QVariantMap config = protectingConfig();
    config.insert("shutdown/execEnable", false);
    config.insert("email/enable", false);
    writeConfig(config);
    const QString armed = dataDir() + QStringLiteral("/data/upsoff.pending");
    const int offsBefore = powerOffs();
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > 0, kStep);
    sim.write(kMainsFails);
    QTRY_COMPARE_WITH_TIMEOUT(received("S.2"), 1, kStep);
    QVERIFY(QFile::exists(armed));

    // Killed, the run cancels nothing; the next cancels once the UPS
    // answers, and forgets it once the cancel is out.
    svc.kill();
    QVERIFY(svc.waitForFinished(10000));
    sim.write(kMainsReturns);
    startService();
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(armed), kStep);

    // SIGTERM, as systemd and -t stop the service: the cancel is out
    // before the port closes.
    sim.write(kMainsFails);
    QTRY_COMPARE_WITH_TIMEOUT(received("S.2"), 2, kStep);
    svc.terminate();
    QVERIFY(svc.waitForFinished(10000));
    QCOMPARE(svc.exitStatus(), QProcess::NormalExit);
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 2, 5000);
    QVERIFY(!QFile::exists(armed));
    QCOMPARE(powerOffs(), offsBefore);
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestAmbrelSvc)
#include "tst_ambrelsvc.moc"
