// The UPS at the seam between the two programs: the service run of AmbrelSvcRun with the real desktop
// program in place of its stand-in, sharing its home; the simulated UPS says "shutdown active" from an
// S.. until a C. Run as root, in namespaces of its own.
#include "../service/ambrelsvcrun.h"
#include "testenvironment.h"

#include <csignal>
#include <sys/stat.h>

namespace {
// On battery and low: a ten-second countdown that tells the UPS at once to switch off in a minute.
const QByteArray kLowBattery = "set status 11001000\nset inputVol 0\n";
const QByteArray kProtect = "enable=true\nmainFaultTime=1\nbattLowTime=0\nUPSOff=true\nUPSOffTime=1\nosOff=false\n";
} // namespace

class TestArmedUps : public QObject, protected AmbrelSvcRun
{
    Q_OBJECT

    QString upsOff(const QString &program) const { return run->filePath("data/" + program + "/data/upsoff.pending"); }
    QByteArray desktopLog() const
    {
        QByteArray text;
        for (const QFileInfo &file : QDir(run->filePath("data/Ambrel/log")).entryInfoList({"*.txt"})) {
            QFile log(file.filePath());
            text += log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
        }
        return text;
    }
    void configure(const QString &program, const QByteArray &shutdown, const QString &port = QString())
    {
        QVERIFY(QDir().mkpath(run->filePath("data/" + program + "/cfg")));
        QFile file(run->filePath("data/" + program + "/cfg/config.cfg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[ups]\ncommType=1\nbaudRate=2400\ncomPort=" + QFile::encodeName(port.isEmpty() ? pty : port)
                   + "\n[shutdown]\n" + shutdown);
    }
    // The service, once it watches the UPS or has left it to the desktop program.
    void startWatching()
    {
        const int polls = received("Q1");
        startService();
        QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > polls || svcOut.contains("left to it"), kStep);
    }
    void startDesktopProgram()
    {
        desktop.setProcessEnvironment(svc.processEnvironment());
        desktop.start(desktopProgram, {"-srv"});
        QVERIFY(desktop.waitForStarted(5000));
    }
    void armUps()
    {
        sim.write(kLowBattery);
        QTRY_COMPARE_WITH_TIMEOUT(received("S01"), 1, kStep);
    }

private slots:
    void initTestCase()
    {
        setUpOnce();
        const QDir build(QCoreApplication::applicationDirPath());
        QVERIFY(QFile::remove(desktopProgram) && QFile::copy(build.filePath("ambrel"), desktopProgram));
        for (const char *folder : {"cfg", "translations"})
            QVERIFY(QFile::link(build.filePath(folder), shared.filePath(folder)));
    }
    void init() { setUpRun(); }
    void cleanup()
    {
        if (QTest::currentTestFailed())
            qWarning().noquote() << "desktop program:\n" << desktopLog();
        tearDownRun();
    }
    // The program that gets the UPS after the other has ended without a word
    // cancels the switch-off it left; a marker goes only once the UPS has
    // answered after the cancel.
    void armingProgramEnds_data();
    void armingProgramEnds();
    void silentStopKeepsTheMarker();
    // The end of a countdown while a desktop program that does not use the
    // UPS has it: the UPS is read first, and the mains is back.
    void countdownEndsOnAFreshReading();
};

void TestArmedUps::armingProgramEnds_data()
{
    QTest::addColumn<bool>("desktopArms");
    QTest::addColumn<int>("signal");
    // A FIFO in place of the desktop program's marker: not read, and nothing blocks.
    QTest::addColumn<bool>("planted");
    QTest::newRow("desktop program, SIGKILL") << true << int(SIGKILL) << false;
    QTest::newRow("desktop program, SIGSEGV, a FIFO for its marker") << true << int(SIGSEGV) << true;
    QTest::newRow("service, SIGKILL") << false << int(SIGKILL) << false;
}

void TestArmedUps::armingProgramEnds()
{
    QFETCH(bool, desktopArms);
    QFETCH(int, signal);
    QFETCH(bool, planted);
    configure("ambrelsvc", kProtect);
    configure("Ambrel", desktopArms ? kProtect : "enable=false\n");
    startWatching();
    if (!desktopArms)
        armUps();
    startDesktopProgram();
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains(desktopArms ? "it watches the UPS now" : "the service keeps the UPS link"),
                             kStep);
    if (desktopArms)
        armUps();
    QTRY_VERIFY_WITH_TIMEOUT(desktopLog().contains("Started"), kStep);
    const QString armer = desktopArms ? "Ambrel" : "ambrelsvc";
    QVERIFY(QFile::exists(upsOff(armer)));
    QProcess &armed = desktopArms ? desktop : svc;
    QCOMPARE(::kill(pid_t(armed.processId()), signal), 0);
    QVERIFY(armed.waitForFinished(10000));
    QVERIFY(!planted || (QFile::remove(upsOff(armer)) && mkfifo(QFile::encodeName(upsOff(armer)), 0600) == 0));
    sim.write(kMainsReturns);
    // The cancel comes within 5 s of getting the link.
    QTRY_VERIFY_WITH_TIMEOUT(desktopArms ? svcOut.contains("has ended: the UPS link is taken back")
                                         : desktopLog().contains("by the service (" + QFile::encodeName(upsOff(armer)) + ")"),
                             kStep);
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, 5000);
    QCOMPARE(svcOut.contains("is not read: it is a FIFO."), planted);
}

void TestArmedUps::silentStopKeepsTheMarker()
{
    configure("ambrelsvc", kProtect);
    startWatching();
    armUps();
    sim.write("silent 1\n");
    QTest::qWait(500);
    svc.terminate();
    QVERIFY(svc.waitForFinished(10000));
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, 5000);
    QVERIFY(QFile::exists(upsOff("ambrelsvc")));
    QVERIFY(svcOut.contains("the UPS has been sent the cancel of its switch-off but has not answered"));
    sim.write("silent 0\n" + kMainsReturns);
    startWatching();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(upsOff("ambrelsvc")), kStep);
    QCOMPARE(received("C"), 2);
}

void TestArmedUps::countdownEndsOnAFreshReading()
{
    // Ten seconds (the capacity rule) without a UPS-off.
    configure("ambrelsvc", "enable=true\nmainFaultTime=1\nmainFaultCapacity=100\nosOff=true\n");
    configure("Ambrel", "enable=false\n", "/dev/ttyNone");
    startWatching();
    const int offs = powerOffs();
    sim.write(kMainsFails);
    QTest::qWait(3000);
    startDesktopProgram();
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("handed to it"), kStep);
    sim.write(kMainsReturns);
    // The cancel of the countdown, some eight seconds later.
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
    QCOMPARE(powerOffs(), offs);
    QVERIFY(svcOut.contains("The countdown needs a fresh reading"));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestArmedUps)
#include "tst_armedups.moc"
