// The UPS at the seam between the two programs: the real service
// ("ambrelsvc -e") and the real desktop program side by side, with a home of
// their own, the simulated UPS (it says "shutdown active" from an S.. until a
// C) and a mock logind. Run as root, in namespaces of its own.
#include "mocklogind.h"
#include "testenvironment.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>

namespace {
const int kStep = 15000;
// On battery and low: a ten-second countdown that tells the UPS at once to switch off in a minute.
const QByteArray kLowBattery = "set status 11001000\nset inputVol 0\n";
const QByteArray kMainsBack = "set status 00001000\nset inputVol 230\n";
const QByteArray kProtect = "enable=true\nmainFaultTime=1\nbattLowTime=0\nUPSOff=true\nUPSOffTime=1\nosOff=false\n";
} // namespace

class TestArmedUps : public QObject
{
    Q_OBJECT

    MockLogind logind;
    QTemporaryDir programs;
    QScopedPointer<QTemporaryDir> home;
    QProcess sim, svc, desktop;
    QByteArray simOut, svcOut;

    int received(const QByteArray &command) const { return simOut.count("RX " + command + '\n'); }
    QString marker(const QString &program) const { return home->filePath(program + "/data/upsoff.pending"); }
    QByteArray desktopLog() const
    {
        QByteArray text;
        for (const QFileInfo &file : QDir(home->filePath("Ambrel/log")).entryInfoList({"*.txt"})) {
            QFile log(file.filePath());
            text += log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
        }
        return text;
    }
    void configure(const QString &program, const QByteArray &shutdown, const QByteArray &port = QByteArray())
    {
        QVERIFY(QDir().mkpath(home->filePath(program + "/cfg")));
        QFile file(home->filePath(program + "/cfg/config.cfg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[ups]\ncommType=1\nbaudRate=2400\ncomPort="
                   + (port.isEmpty() ? simOut.mid(4, simOut.indexOf('\n') - 4) : port) + "\n[shutdown]\n" + shutdown);
    }
    void start(QProcess &process, const QString &program, const QString &argument)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home->path());
        env.insert("XDG_DATA_HOME", home->path());
        for (const char *name : {"DISPLAY", "INVOCATION_ID", "NOTIFY_SOCKET"})
            env.remove(name);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home->path());
        process.start(programs.filePath(program), {argument});
        QVERIFY(process.waitForStarted(5000));
    }
    void startService()
    {
        const int polls = received("Q1");
        start(svc, "ambrelsvc", "-e");
        QTRY_VERIFY_WITH_TIMEOUT(received("Q1") > polls || svcOut.contains("left to it"), kStep);
    }
    void armUps()
    {
        sim.write(kLowBattery);
        QTRY_COMPARE_WITH_TIMEOUT(received("S01"), 1, kStep);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(logind.start());
        const QDir build(QCoreApplication::applicationDirPath());
        QVERIFY(QFile::copy(AMBRELSVC, programs.filePath("ambrelsvc")));
        QVERIFY(QFile::copy(build.filePath("ambrel"), programs.filePath("ambrel")));
        for (const char *folder : {"cfg", "translations"})
            QVERIFY(QFile::link(build.filePath(folder), programs.filePath(folder)));
        svc.setProcessChannelMode(QProcess::MergedChannels);
        connect(&svc, &QProcess::readyRead, this, [this] { svcOut += svc.readAll(); });
        connect(&sim, &QProcess::readyReadStandardOutput, this, [this] { simOut += sim.readAllStandardOutput(); });
    }
    void init()
    {
        home.reset(new QTemporaryDir);
        simOut.clear();
        svcOut.clear();
        sim.start(AMBREL_UPSSIM, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(simOut.contains('\n'), 5000);
    }
    void cleanup()
    {
        for (QProcess *process : {&desktop, &svc, &sim}) {
            process->kill();
            process->waitForFinished(10000);
        }
        if (QTest::currentTestFailed())
            qWarning().noquote() << "service:\n" << svcOut << "\ndesktop program:\n" << desktopLog();
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
    startService();
    if (!desktopArms)
        armUps();
    start(desktop, "ambrel", "-srv");
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains(desktopArms ? "it watches the UPS now" : "the service keeps the UPS link"),
                             kStep);
    if (desktopArms)
        armUps();
    QTRY_VERIFY_WITH_TIMEOUT(desktopLog().contains("Started"), kStep);
    const QString armer = desktopArms ? "Ambrel" : "ambrelsvc";
    QVERIFY(QFile::exists(marker(armer)));
    QProcess &armed = desktopArms ? desktop : svc;
    QCOMPARE(::kill(pid_t(armed.processId()), signal), 0);
    QVERIFY(armed.waitForFinished(10000));
    QVERIFY(!planted || (QFile::remove(marker(armer)) && mkfifo(QFile::encodeName(marker(armer)), 0600) == 0));
    sim.write(kMainsBack);
    // The cancel comes within 5 s of getting the link.
    QTRY_VERIFY_WITH_TIMEOUT(desktopArms ? svcOut.contains("has ended: the UPS link is taken back")
                                         : desktopLog().contains("by the service (" + QFile::encodeName(marker(armer)) + ")"),
                             kStep);
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, 5000);
    QCOMPARE(svcOut.contains("is not read: it is a FIFO."), planted);
}

void TestArmedUps::silentStopKeepsTheMarker()
{
    configure("ambrelsvc", kProtect);
    startService();
    armUps();
    sim.write("silent 1\n");
    QTest::qWait(500);
    svc.terminate();
    QVERIFY(svc.waitForFinished(10000));
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, 5000);
    QVERIFY(QFile::exists(marker("ambrelsvc")));
    QVERIFY(svcOut.contains("the UPS has been sent the cancel of its switch-off but has not answered"));
    sim.write("silent 0\n" + kMainsBack);
    startService();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(marker("ambrelsvc")), kStep);
    QCOMPARE(received("C"), 2);
}

void TestArmedUps::countdownEndsOnAFreshReading()
{
    // Ten seconds (the capacity rule) without a UPS-off.
    configure("ambrelsvc", "enable=true\nmainFaultTime=1\nmainFaultCapacity=100\nosOff=true\n");
    configure("Ambrel", "enable=false\n", "/dev/ttyNone");
    startService();
    const int offs = logind.powerOffs();
    sim.write("set status 10001000\nset inputVol 0\n");
    QTest::qWait(3000);
    start(desktop, "ambrel", "-srv");
    QTRY_VERIFY_WITH_TIMEOUT(svcOut.contains("handed to it"), kStep);
    sim.write(kMainsBack);
    // The cancel of the countdown, some eight seconds later.
    QTRY_COMPARE_WITH_TIMEOUT(received("C"), 1, kStep);
    QCOMPARE(logind.powerOffs(), offs);
    QVERIFY(svcOut.contains("The countdown needs a fresh reading"));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestArmedUps)
#include "tst_armedups.moc"
