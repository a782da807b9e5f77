// The UPS link as the service program builds it, and the service's watcher
// that hands it to the desktop program. Run as root, the test has a lock
// folder and pseudo-terminals of its own.
#include "alarm/alarm.h"
#include "fakeplatform.h"
#include "records/clock.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "hidstandin.h"
#include "platform/serialportlock.h"
#include "records/settings.h"
#include "service/servicebackend.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QHostInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace UpsTestUtil;

namespace {

// The service cannot write settings: the test writes the file and reloads.
void writeUpsSettings(const QVariant &commType, const QString &port, const QVariant &baud = 2400)
{
    QSettings file(Settings::instance()->dataDir() + "/cfg/config.cfg", QSettings::IniFormat);
    file.setValue("ups/commType", commType);
    file.setValue("ups/comPort", port);
    file.setValue("ups/baudRate", baud);
    file.sync();
    Settings::instance()->load();
}

// The lines the service writes to the journal while it exists, each also
// handed to g_heard when set.
QStringList g_lines;
QtMessageHandler g_shown = nullptr;
std::function<void(const QString &)> g_heard;
struct Journal
{
    Journal()
    {
        g_lines.clear();
        g_shown = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            g_lines.append(type == QtDebugMsg ? QString() : text);
            if (g_heard)
                g_heard(text);
            if (g_shown)
                g_shown(type, context, text);
        });
    }
    ~Journal() { qInstallMessageHandler(g_shown); g_heard = nullptr; }
    int count(const QString &text) const { return g_lines.filter(text).size(); }
};

// Writes a lock file of the serial-port library for the pty, naming a process.
void plantLock(const QString &port, qint64 pid)
{
    QFile lock("/var/lock/LCK.." + port.mid(5).replace('/', '_'));
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(QByteArray::number(pid) + "\nsleep\n" + QHostInfo::localHostName().toUtf8() + '\n');
}

// Lets every listed event expire (the service never clears its list), so
// that the next one is recorded again.
void expireEvents()
{
    Clock::setNow(Clock::now().addSecs(11));
    Alarm::instance()->onTimerEvent();
}

} // namespace

class TestDevCommService : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        prepareStore();
        QFile cfg(dir.filePath("usb.cfg"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write(R"({"usb": [[1630, 1]]})");
        cfg.close();
        DevCommPrivate::usbConfigFile = cfg.fileName();
    }

    void init()
    {
        expireEvents();
        QSqlQuery().exec("delete from alarm");
        HidStandIn::reset();
    }

    void serialLossAndHandBack()
    {
        QScopedPointer<SimulatedUps> upsOwner(new SimulatedUps);
        SimulatedUps &ups = *upsOwner;
        writeUpsSettings(DevComm::COM, ups.portPath());
        DevComm link;
        QSignalSpy changed(&link, &DevComm::devDataChanged);
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(changed.count() >= 1, 5000);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});
        QCOMPARE(link.upsData()->inputVol, 230.0f);

        // Nine unanswered writes: the record is forgotten, but no CommLost.
        ups.setSilentFrom("A1");
        QTRY_VERIFY_WITH_TIMEOUT(ups.silentFrom() >= 0, 5000);
        for (int sent = ups.received().size(); sent - ups.silentFrom() < 9; ++sent) {
            poll(&link);
            QTRY_COMPARE_WITH_TIMEOUT(ups.received().size(), sent + 1, 2000);
        }
        QCOMPARE(link.upsData()->inputVol, 0.0f);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});

        // Hand-back: stop releases the port, start takes it again and the
        // first reply brings a new CommNormal.
        ups.setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(link.upsData()->inputVol == 230.0f, 5000);
        const int emitted = changed.count();
        expireEvents();
        link.stop();
        QCOMPARE(changed.count(), emitted + 1);
        QCOMPARE(link.upsData()->inputVol, 0.0f);
        link.setShutdown(false, 0); // queued while released, sent after the hand-back
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.upsData()->inputVol == 230.0f, 5000);
        QVERIFY(ups.received().contains("C"));
        QCOMPARE(alarmRows().count(Alarm::CommNormal), 2);

        // The line hangs up: the dead port is closed and the record
        // forgotten at once, without CommLost; stop keeps the freed pty shut.
        upsOwner.reset();
        QTRY_COMPARE_WITH_TIMEOUT(link.upsData()->inputVol, 0.0f, 1000);
        QVERIFY(!alarmRows().contains(Alarm::CommLost));
        link.stop();
    }

    void usbStringsAndVanishedDevice()
    {
        HidStandIn::Device device;
        device.vendorId = 1630;
        device.productId = 1;
        device.featureReports.insert(1, HidStandIn::statusReport(2300, 0, 2300, 2700, 10, 500, 300, 90,
                                                                  50, 0x01 << 1));
        device.strings = {{17, "SERIAL"}, {18, "TWELVE CHARS"}, {20, "A MODEL NAME OF TWENTY"}, {21, "FW"}};
        HidStandIn::plugIn(device);
        writeUpsSettings(DevComm::USB, QString());

        DevComm link;
        link.start();
        poll(&link, 4);
        const UPSData *u = link.upsData();
        QCOMPARE(QByteArray(u->compName), QByteArray("TWELVE CHARS"));
        QCOMPARE(QByteArray(u->UPSModel), QByteArray("A MODEL NA"));
        QCOMPARE(QByteArray(u->sn), QByteArray("SERIAL"));
        QCOMPARE(int(u->status), 0x01);
        QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));

        HidStandIn::unplug(1630, 1);
        poll(&link);
        QCOMPARE(HidStandIn::openHandles(), 0);
        QCOMPARE(int(link.upsData()->status), 0);
        // No CommLost in the service, and the list is not cleared.
        QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));

        device.strings.insert(18, "TWENTY CHARACTERS!!!");
        HidStandIn::plugIn(device);
        poll(&link, 2);
        QCOMPARE(QByteArray(link.upsData()->compName), QByteArray("TWENTY CHARACTE"));

        // Hand-back: the reopened device is read afresh.
        link.stop();
        link.start();
        poll(&link, 3);
        QCOMPARE(QByteArray(link.upsData()->sn), QByteArray("SERIAL"));
    }

    // A link that never comes up is the service's one word of being
    // unprotected: CommLost after nine polls, once.
    void neverAnswering()
    {
        writeUpsSettings(DevComm::USB, QString());
        DevComm link;
        link.start();
        poll(&link, 7);
        QVERIFY(alarmRows().isEmpty());
        poll(&link, 21);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommLost});
    }

    // Each cause that keeps the UPS from being watched is told once, not at
    // every poll, and its end too (the service's test has more).
    void unusableSettingsAreTold()
    {
        Journal journal;
        SimulatedUps ups;
        writeUpsSettings(DevComm::COM, "None", -7);
        DevComm link;
        link.start();
        poll(&link, 3);
        QCOMPARE(journal.count("No serial port is set: the UPS is not watched. "
                               "The baud rate \"-7\" cannot be used: 2400 is used."), 1);
        writeUpsSettings(DevComm::COM, ups.portPath());
        link.stop();
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
        QCOMPARE(journal.count("The UPS link settings can be used again."), 1);
        QCOMPARE(journal.count("not watched"), 1);
        link.stop();
    }

    // The lock folder is everyone's: a lock of a process that cannot talk through the port (it holds
    // it only to name it, O_PATH, and to read it) is no reason to leave the UPS unwatched, while one
    // whose process holds the port open for reading and writing is respected until it lets go.
    void lockFilesOfOthers()
    {
        Journal journal;
        SimulatedUps ups;
        // A process that opens the port once for each of the flags, then waits.
        const auto hold = [&ups](QProcess &process, const QStringList &flags) {
            process.start("/usr/bin/python3", QStringList{"-c", "import os, sys, time\nfor flag in sys.argv[2:]: "
                "os.open(sys.argv[1], getattr(os, flag) | os.O_NOCTTY)\nprint(flush=True); time.sleep(30)",
                ups.portPath()} + flags);
            return process.waitForReadyRead();
        };
        QProcess other, holder;
        QVERIFY(hold(other, {"O_PATH", "O_RDONLY"}));
        writeUpsSettings(DevComm::COM, ups.portPath());
        plantLock(ups.portPath(), other.processId());
        DevComm link;
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
        QCOMPARE(journal.count(QString("named process %1, which does not hold the port open: the file is removed.")
                                   .arg(other.processId())), 1);
        link.stop();

        QVERIFY(hold(holder, {"O_RDWR"}));
        plantLock(ups.portPath(), holder.processId());
        link.start();
        poll(&link, 3);
        QVERIFY(!link.isOnline());
        QCOMPARE(journal.count(QString("cannot be opened (it is in use by process %1 of user root): the UPS is not watched.")
                                   .arg(holder.processId())), 1);
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 5000);
        QCOMPARE(journal.count(QString("The serial port %1 is open.").arg(ups.portPath())), 1);
        link.stop();
        other.kill();
        other.waitForFinished();
    }

    // Whatever another user puts at the lock path neither blocks the link (nor a link to a FIFO put back
    // there each time the link has removed it, in the instant before the port is opened) nor grows its
    // memory. Once the link may remove it, it does so and opens the port; till then it names path and owner.
    void lockPathsThatAreNoLocks_data()
    {
        QTest::addColumn<QString>("found");
        QTest::newRow("FIFO") << "a FIFO";
        QTest::newRow("sparse file") << "a file of 107374182400 bytes";
        QTest::newRow("folder") << "a folder";
        QTest::newRow("not removable") << "a FIFO";
        QTest::newRow("link to a FIFO, put back") << "a link";
    }

    void lockPathsThatAreNoLocks()
    {
        QFETCH(QString, found);
        const QByteArray row = QTest::currentDataTag();
        const bool asOtherUser = row == "not removable", fifo = asOtherUser || row == "FIFO";
        const bool putBack = row.startsWith("link");
        if (asOtherUser && geteuid() != 0)
            QSKIP("Only root can act as another user.");
        Journal journal;
        SimulatedUps ups;
        writeUpsSettings(DevComm::COM, ups.portPath());
        const QString lock = SerialPortLock::lockFile(ups.portPath());
        QVERIFY2(lock.startsWith("/run/lock/"), qPrintable(lock)); // as the README names it, not /var/lock
        if (fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(lock), 0644), 0);
        } else if (putBack) {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")), 0644), 0);
            QVERIFY(QFile::link(dir.filePath("fifo"), lock));
        } else if (row == "sparse file") {
            QFile file(lock);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(100LL << 30));
        } else { // with a link out to a folder whose file must stay
            QVERIFY(QDir().mkpath(lock + "/inner") && QFile(lock + "/inner/file").open(QIODevice::WriteOnly));
            QVERIFY(QFile::link(dir.path(), lock + "/inner/out"));
        }
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        // What blocks ends the test as a crash (a namespace's first process ignores default actions).
        ::signal(SIGALRM, [](int) { std::abort(); });
        ::alarm(10);
        // Put back twice, the instant the link has told of the removal.
        int putBacks = putBack ? 2 : 0;
        g_heard = [&](const QString &line) {
            if (line.contains("is no lock file: it is removed.") && putBacks-- > 0)
                QFile::link(dir.filePath("fifo"), lock);
        };
        DevComm link;
        QVERIFY(!asOtherUser || ::seteuid(65534) == 0);
        link.start();
        poll(&link, asOtherUser ? 2 : 0);
        ::alarm(0);
        QVERIFY(!asOtherUser || ::seteuid(0) == 0);
        const QString owned = found + " owned by user root, which ";
        QCOMPARE(journal.count(QString("(its lock path %1 holds %2cannot be removed: Operation not permitted): the "
                                       "UPS is not watched.").arg(lock, owned)), int(asOtherUser));
        QTRY_VERIFY_WITH_TIMEOUT(link.isOnline(), 10000);
        // Each link put back costs one poll.
        QCOMPARE(journal.count("held " + owned + "is no lock file: it is removed."), putBack ? 3 : 1);
        QCOMPARE(journal.count("cannot be made: File exists"), int(putBack));
        QFile::remove(dir.filePath("fifo"));
        QVERIFY(::getrusage(RUSAGE_SELF, &after) == 0 && after.ru_maxrss - before.ru_maxrss < 64 << 10); // KiB
        QVERIFY(QFile::exists(dir.filePath("usb.cfg")));
    }

    // The watcher hands the link to the desktop program (the file "ambrel"
    // beside the service) and takes it back, again and again, while the UPS
    // answers: no CommLost, and neither a hand-over nor the stop is told as
    // a loss.
    void handOversAndStop()
    {
        Journal journal;
        SimulatedUps ups;
        writeUpsSettings(DevComm::COM, ups.portPath());
        FakePlatform platform;
        ServiceBackend *backend = ServiceBackend::instance();
        DevComm *link = DevComm::instance();
        auto tick = [backend] { QMetaObject::invokeMethod(backend, "onTimerTimeout", Qt::DirectConnection); };
        backend->start();
        QTRY_VERIFY_WITH_TIMEOUT(link->isOnline(), 5000);
        for (int i = 0; i < 3; ++i) {
            platform.setRunning(QCoreApplication::applicationDirPath() + "/ambrel");
            tick();
            QVERIFY(!link->isOnline());
            platform.setRunning(QString());
            tick();
            QTRY_VERIFY_WITH_TIMEOUT(link->isOnline(), 5000);
        }
        QVERIFY(!alarmRows().contains(Alarm::CommLost));
        QCOMPARE(journal.count("The UPS answers."), 4);

        // A switch-off queued while the desktop program watched the UPS is
        // not sent when the link comes back; a scheduled self-test is.
        platform.setRunning(QCoreApplication::applicationDirPath() + "/ambrel");
        tick();
        tick(); // the desktop program holds the device: the hand-over is confirmed once the look tells
        QTRY_COMPARE(journal.count("it watches the UPS now."), 1);
        link->setShutdown(true, 0);
        link->setSelfTest(2, 0);
        platform.setRunning(QString());
        ups.clearReceived();
        tick();
        QTRY_VERIFY_WITH_TIMEOUT(ups.received().contains("Q1"), 5000);
        const QByteArray sent = ups.received().join(' ');
        QVERIFY2(ups.received().contains("T") && !sent.contains('S'), sent.constData());
        backend->stop();
        QVERIFY(!journal.count("does not answer") && !journal.count("not watched"));
    }

    void selfTestWithoutSamples()
    {
        QSqlQuery().exec("delete from log_self_test");
        Megatec m;
        SimulatedUps ups;
        ups.state().status = "00000100";
        QVERIFY(feed(m, "Q1", ups.replyFor("Q1")));
        ups.state().status = "00000000";
        QVERIFY(feed(m, "Q1", ups.replyFor("Q1")));
        QCOMPARE(rowCount("log_self_test"), 1);
        QSqlQuery query("select dateTime, count from log_self_test");
        QVERIFY(query.next());
        QCOMPARE(query.value(1).toInt(), 0);
        QFile file(Settings::instance()->dataDir() + "/data/self_test/"
                   + query.value(0).toString().remove(QRegularExpression("[- :]")) + ".txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), 0);
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestDevCommService)
#include "tst_devcommservice.moc"
