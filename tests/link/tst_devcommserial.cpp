#include "alarm/alarm.h"
#include "fakeplatform.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "platform/serialportlock.h"
#include "records/settings.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <asm/termbits.h>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace UpsTestUtil;

namespace {

QStringList g_ports;
int g_listings = 0;
QStringList fakePorts()
{
    ++g_listings;
    return g_ports;
}

void invoke(DevComm *link, const char *slot)
{
    QMetaObject::invokeMethod(link, slot, Qt::DirectConnection);
}

} // namespace

class TestDevCommSerial : public QObject
{
    Q_OBJECT

    SimulatedUps *ups = nullptr;
    DevComm *link = nullptr;

    bool online() const { return link->devData().value("devOnline").toBool(); }

    // A refused reply leaves the link waiting for its 1500 ms tick: when the
    // UPS has received nothing for 150 ms, run the tick here.
    bool driveUntil(const std::function<bool()> &done)
    {
        for (int round = 0; round < 60 && !done(); ++round) {
            const int before = ups->received().size();
            if (!QTest::qWaitFor([&] { return done() || ups->received().size() != before; }, 150))
                poll(link);
        }
        return done();
    }

    bool openOnline()
    {
        return link->openDevice(DevComm::COM, ups->portPath()) && driveUntil([this] { return online(); });
    }

    // Runs the poll tick and waits until the UPS has received one more command.
    bool pollOnce()
    {
        const int before = ups->received().size();
        poll(link);
        return QTest::qWaitFor([&] { return ups->received().size() == before + 1; }, 2000);
    }

private slots:
    void initTestCase() { prepareStore(); }

    void init()
    {
        clearAlarms();
        QSqlQuery().exec("delete from device_data");
        ups = new SimulatedUps;
        QVERIFY(ups->isOpen());
        link = new DevComm;
    }

    void cleanup()
    {
        delete link;
        delete ups;
        DevCommPrivate::portLister = nullptr;
    }

    void firstAndShortCycle()
    {
        QSignalSpy changed(link, &DevComm::devDataChanged);
        QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
        QTRY_VERIFY_WITH_TIMEOUT(ups->received().size() >= 11, 5000);
        QCOMPARE(ups->received().mid(0, 11),
                 (QList<QByteArray>{"BT", "BP", "NQU", "F", "I", "Q1", "A1", "BT", "BP", "Q1", "A1"}));
        QVERIFY(changed.count() >= 2);

        QCOMPARE(values(link->devData(), {"devOnline", "inputVol", "battCapacity", "battRemainTime",
                                          "ratingBattVol"}),
                 (QStringList{"true", "230", "87.5", "45", "24"}));
        QCOMPARE(link->devData().value("sn").toString().trimmed(), QString("SN0123456789"));
        QCOMPARE(link->devData().value("version").toString().trimmed(), QString("VER 1.2"));
        QCOMPARE(link->upsData()->status, quint8(0x10));
        QVERIFY(listed(Alarm::CommNormal));
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});
    }

    // The first NQU goes unanswered and I is answered: I is not asked again,
    // so the later NQU reply must bring the identity texts by itself.
    void identityReplyAfterTheInformationReply()
    {
        ups->setUnanswered("NQU");
        QVERIFY(openOnline());
        QVERIFY(driveUntil([this] { return ups->received().count("Q1") >= 2; }));
        QCOMPARE(ups->received().count("I"), 1);
        QCOMPARE(link->devData().value("sn").toString(), QString());

        ups->setUnanswered("NQU", false);
        QSignalSpy changed(link, &DevComm::devDataChanged);
        QVERIFY(driveUntil([this] { return !link->devData().value("sn").toString().isEmpty(); }));
        QCOMPARE(values(link->devData(), {"sn", "UPSModel", "compName", "version"}).replaceInStrings(" ", ""),
                 (QStringList{"SN0123456789", "ACMELINE1000", "ACME", "VER1.2"}));
        QCOMPARE(ups->received().count("I"), 1);
        // The next status reply tells the pages.
        const int before = changed.count();
        QVERIFY(driveUntil([&] { return changed.count() > before; }));
    }

    void splitReplyAndTrailingBytes()
    {
        ups->setChunkSize(7);
        QVERIFY(openOnline());
        QCOMPARE(link->devData().value("inputVol").toFloat(), 230.0f);

        ups->setChunkSize(0);
        ups->state().inputVol = 231.0;
        ups->setReply("Q1", ups->replyFor("Q1") + "(000");
        QTRY_COMPARE_WITH_TIMEOUT(link->devData().value("inputVol").toFloat(), 231.0f, 3000);
    }

    void garbageIsNotAnAnswer()
    {
        // Wrong lead, length and field count: the link stays offline.
        ups->setReply("Q1", "#230.0 230.0 229.5 023 50.0 27.2 31.5 00001000\r");
        ups->setReply("BT", "#0045 012.5 1\r");
        ups->setReply("BP", "#0875 1\r");
        QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
        QVERIFY(driveUntil([this] { return ups->received().size() >= 9; }));
        QVERIFY(ups->received().contains("Q1"));
        QVERIFY(!online());
        QVERIFY(!listed(Alarm::CommNormal));

        ups->clearReplies();
        ups->writeRaw(QByteArray(200, 'z'));
        QVERIFY(driveUntil([this] { return online(); }));
    }

    void statusAndBatteryThroughTheLink()
    {
        ups->state().status = "10000000";
        ups->state().battVol = 2.3;
        QVERIFY(openOnline());
        QCOMPARE(link->upsData()->status, quint8(0x01));
        QCOMPARE(link->devData().value("mainsFault").toInt(), 1);
        QVERIFY(listed(Alarm::MainsFault));
        QCOMPARE(link->upsData()->battCapacity, 87.5f);
        QCOMPARE(int(link->upsData()->battRemainTime), 45);
        QCOMPARE(link->upsData()->btSecondValue, 12.5f);

        // Without a BP answer the estimate replaces both.
        ups->setUnanswered("BP");
        QVERIFY(driveUntil([this] { return link->upsData()->battCapacity == 100.0f; }));
        QCOMPARE(int(link->upsData()->battRemainTime), 120);
    }

    void userCommandTexts()
    {
        QVERIFY(openOnline());
        // A user command gets no answer: push it out with a tick of its own.
        auto sent = [this](const QByteArray &text) {
            poll(link);
            return QTest::qWaitFor([&] { return ups->received().contains(text); }, 3000);
        };
        const QList<std::pair<std::function<void()>, QByteArray>> commands{
            {[this] { link->setShutdown(true, 0); }, "S.2R9999"},
            {[this] { link->setShutdown(true, 5); }, "S05R9999"},
            {[this] { link->setShutdown(false, 0); }, "C"},
            {[this] { link->setSelfTest(2, 0); }, "T"},
            {[this] { link->setSelfTest(3, 0); }, "TL"},
            {[this] { link->setSelfTest(4, 7); }, "T07"},
            {[this] { link->setBuzzer(); }, "Q"}};
        for (const auto &command : commands) {
            command.first();
            QVERIFY2(sent(command.second), command.second.constData());
        }

        // With the mains failed there is no restart; during a self-test only a cancel goes out.
        ups->state().status = "10000100";
        QTRY_COMPARE_WITH_TIMEOUT(link->upsData()->status, quint8(0x21), 3000);
        link->setShutdown(true, 0);
        QVERIFY(sent("S.2"));
        link->setShutdown(true, 5);
        QVERIFY(sent("S05"));
        link->setSelfTest(1, 0);
        QVERIFY(sent("CT"));
        link->setSelfTest(2, 0);
        link->setShutdown(true, 11);
        QVERIFY(pollOnce());

        const QList<QByteArray> all = ups->received();
        QCOMPARE(all.count("T"), 1);
        QCOMPARE(all.count("S.2"), 1);
        QCOMPARE(all.count("S11"), 0);
        QCOMPARE(all.count("S11R9999"), 0);
    }

    void linkLossAfterNineUnansweredWrites()
    {
        QVERIFY(openOnline());
        ups->setSilentFrom("A1");
        QTRY_VERIFY_WITH_TIMEOUT(ups->silentFrom() >= 0, 5000);
        auto unanswered = [&] { return ups->received().size() - ups->silentFrom(); };
        QCOMPARE(unanswered(), 1);
        while (unanswered() < 8)
            QVERIFY(pollOnce());
        QVERIFY(online());
        QVERIFY(!listed(Alarm::CommLost));

        QSignalSpy changed(link, &DevComm::devDataChanged);
        poll(link); // the ninth
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(link->upsData()->inputVol, 0.0f);
        QCOMPARE(Alarm::instance()->alarmNum(), 1); // the list was cleared first

        // Offline, unanswered writes are not counted.
        poll(link, 10);
        QCOMPARE(alarmRows().count(Alarm::CommLost), 1);

        ups->setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(online(), 5000);
        QVERIFY(!listed(Alarm::CommLost));
        QVERIFY(listed(Alarm::CommNormal));
        const QList<int> rows = alarmRows();
        QCOMPARE(rows.mid(rows.size() - 2), (QList<int>{Alarm::CommLost, Alarm::CommNormal}));

        // The line hangs up: the dead port is closed and the link lost at
        // once, not after nine more writes. (No port name afterwards, so no
        // tick reopens the freed pty.)
        delete ups;
        ups = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(!online(), 1000);
        QVERIFY(listed(Alarm::CommLost));
        link->openDevice(DevComm::COM, QString());
    }

    // A configured port that never opens, or a UPS that never answers, is a
    // lost link after nine polls, reported once until the UPS answers.
    void neverAnswering_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("port never opens") << false;
        QTest::newRow("UPS never answers") << true;
    }

    void neverAnswering()
    {
        QFETCH(bool, opens);
        ups->setSilent(true);
        // openDevice reports whether the named port opened.
        QCOMPARE(link->openDevice(DevComm::COM, opens ? ups->portPath() : QStringLiteral("/nonexistent/ttyS9")),
                 opens);
        poll(link, 7);
        QVERIFY(!listed(Alarm::CommLost));
        poll(link);
        QVERIFY(listed(Alarm::CommLost));
        poll(link, 20);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommLost});
        if (!opens)
            QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
        ups->setSilent(false);
        QVERIFY(driveUntil([this] { return online(); }));
        QCOMPARE(alarmRows(), (QList<int>{Alarm::CommLost, Alarm::CommNormal}));
    }

    void savingOnlyWhileOnline()
    {
        invoke(link, "onTimerSaveTimeout");
        QCOMPARE(rowCount("device_data"), 0);
        QVERIFY(openOnline());
        invoke(link, "onTimerSaveTimeout");
        QCOMPARE(rowCount("device_data"), 1);
        QSqlQuery query("select inputVol, outputVol, load, inputFreq, battVol, temperature from device_data");
        QVERIFY(query.next());
        const QList<float> expected{230.0f, 229.5f, 23.0f, 50.0f, 27.2f, 31.5f};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(query.value(i).toFloat(), expected.at(i));

        ups->setSilent(true);
        poll(link, 9);
        QVERIFY(!online());
        invoke(link, "onTimerSaveTimeout");
        QCOMPARE(rowCount("device_data"), 1);
    }

    void openDevice()
    {
        QVERIFY(openOnline());
        const int before = ups->received().size();
        // Open again: closed, list cleared, CommLost added, reopened and first command sent.
        QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(Alarm::instance()->alarmNum(), 1);
        QVERIFY(!online());
        QTRY_VERIFY_WITH_TIMEOUT(ups->received().size() > before, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(online(), 5000);
        QVERIFY(!listed(Alarm::CommLost));

        // Switching to USB closes the serial port for good; "None" or no port opens nothing.
        QVERIFY(link->openDevice(DevComm::USB));
        QCOMPARE(link->commType(), int(DevComm::USB));
        QVERIFY(!online());
        QCOMPARE(Settings::instance()->getSettings(Settings::UpsCommType).toInt(), int(DevComm::USB));
        const int after = ups->received().size();
        poll(link, 3);
        clearAlarms();
        QVERIFY(link->openDevice(DevComm::COM, QStringLiteral("None")));
        QVERIFY(link->openDevice(DevComm::COM, QStringLiteral("\u65E0"))); // "None" chosen in Chinese
        QCOMPARE(Settings::instance()->getSettings(Settings::UpsComPort).toString(), ups->portPath());
        QVERIFY(link->openDevice(DevComm::COM, QString()));
        poll(link);
        QTest::qWait(100);
        QCOMPARE(ups->received().size(), after);
        QVERIFY(!listed(Alarm::CommLost));

        // A named port that does not open is reported as such.
        QVERIFY(!link->openDevice(DevComm::COM, QStringLiteral("ttyAmbrelMissing")));
    }

    // While the link has the port, the line runs at the baud rate set (one without a constant of its
    // own too), no one but root opens it, and its lock file names this process; once the link lets go,
    // the line has its old speed back and is free.
    void portWhileOpen()
    {
        const QByteArray path = QFile::encodeName(ups->portPath());
        QCOMPARE(::chmod(path.constData(), 0666), 0);
        const auto speed = [&path] {
            termios2 line {};
            const int fd = ::open(path.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            ::ioctl(fd, TCGETS2, &line);
            ::close(fd);
            return line.c_ospeed;
        };
        // What another user's open fails with (0: it opens).
        const auto othersOpen = [&path] {
            const int fd = ::seteuid(65534) == 0 ? ::open(path.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
            const int error = fd < 0 ? errno : ::close(fd);
            return ::seteuid(0) == 0 ? error : -1;
        };
        const speed_t before = speed();
        QFile lock(SerialPortLock::lockFile(ups->portPath()));
        QVERIFY(openOnline());
        link->setBaud(14400);
        QCOMPARE(speed(), speed_t(14400));
        QVERIFY(!geteuid() || othersOpen() == EBUSY);
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QCOMPARE(lock.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
        QVERIFY(link->openDevice(DevComm::USB));
        QCOMPARE(speed(), before);
        QVERIFY(!geteuid() || othersOpen() == 0);
        QVERIFY(!lock.exists());
    }

    void portScan()
    {
        DevCommPrivate::portLister = &fakePorts;
        g_ports = QStringList{"ttyS1", "ttyS3", "ttyS4"};
        QSignalSpy ports(link, &DevComm::comPortChanged);
        link->openDevice(DevComm::COM, "ttyS3");
        invoke(link, "onTimerCOMTimeout");
        QCOMPARE(ports.count(), 1);
        QCOMPARE(link->comPort(), (QStringList{"ttyS3", "None", "ttyS1", "ttyS4"}));
        invoke(link, "onTimerCOMTimeout");
        QCOMPARE(ports.count(), 1);
        link->openDevice(DevComm::COM, QString());
        QCOMPARE(link->comPort(), (QStringList{"None", "ttyS1", "ttyS3", "ttyS4"}));

        // The open port, chosen by an alias, disappears from the list: closed, link lost.
        QTemporaryDir aliases;
        const QString alias = aliases.filePath("usb-ACME_UPS-if00-port0");
        QVERIFY(QFile::link(ups->portPath(), alias));
        QVERIFY(link->openDevice(DevComm::COM, alias));
        QVERIFY(driveUntil([this] { return online(); }));
        g_ports = QStringList{"ttyS1", ups->portPath().mid(5)}; // pts/N
        invoke(link, "onTimerCOMTimeout");
        QVERIFY(online());
        g_ports = QStringList{"ttyS1"};
        invoke(link, "onTimerCOMTimeout");
        QCOMPARE(ports.count(), 3);
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
    }

    // As the program starts it: where the system tells of devices that come
    // and go, the list is taken again only then; elsewhere at every tick.
    void portListFollowsDevices_data()
    {
        QTest::addColumn<bool>("events");
        QTest::newRow("device events") << true;
        QTest::newRow("no device events") << false;
    }

    void portListFollowsDevices()
    {
        QFETCH(bool, events);
        FakePlatform platform;
        platform.setDeviceEvents(events);
        DevCommPrivate::portLister = &fakePorts;
        const QString pty = ups->portPath().mid(5);
        g_ports = QStringList{"ttyS1", pty};
        QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
        link->start();
        QCOMPARE(platform.deviceWatch() != nullptr, events);
        QVERIFY(driveUntil([this] { return online(); }));
        QSignalSpy ports(link, &DevComm::comPortChanged);
        auto tick = [this](int times) {
            g_listings = 0;
            for (int i = 0; i < times; ++i)
                invoke(link, "onTimerCOMTimeout");
            return g_listings;
        };
        auto deviceEvent = [&] {
            if (events)
                emit platform.deviceWatch()->devicesChanged();
        };

        QCOMPARE(tick(5), events ? 0 : 5);

        // A port comes: with events it is listed on the news, not before.
        g_ports.append("ttyUSB0");
        QCOMPARE(tick(3), events ? 0 : 3);
        QCOMPARE(link->comPort().contains("ttyUSB0"), !events);
        deviceEvent();
        tick(1);
        QVERIFY(link->comPort().contains("ttyUSB0"));
        QCOMPARE(ports.count(), 1);
        QVERIFY(online());

        // The open port goes: closed and the link lost within a tick.
        g_ports.removeAll(pty);
        deviceEvent();
        tick(1);
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(link->comPort().mid(1), (QStringList{"None", "ttyS1", "ttyUSB0"}));
        QCOMPARE(ports.count(), 2);
        link->openDevice(DevComm::COM, QString());
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestDevCommSerial)
#include "tst_devcommserial.moc"
