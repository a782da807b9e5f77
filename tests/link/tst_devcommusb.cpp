#include "alarm/alarm.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "hidstandin.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace UpsTestUtil;

namespace {

constexpr unsigned short kVid = 1630;
constexpr unsigned short kPid = 1;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// 230.0 V in, 229.5 V out, 27.30 V battery, 23 %, 50.0 Hz, 31.5 C, 87 %, 45 min, standby.
const QByteArray goodStatus = HidStandIn::statusReport(2300, 2200, 2295, 2730, 23, 500, 315, 87, 45, 0x10 << 1);

QByteArray statusWord(int word)
{
    return HidStandIn::statusReport(0, 0, 0, 0, 0, 0, 0, 0, 0, quint16(word));
}

HidStandIn::Device scriptedUps(unsigned short vid = kVid, unsigned short pid = kPid)
{
    HidStandIn::Device d;
    d.vendorId = vid;
    d.productId = pid;
    d.featureReports.insert(1, goodStatus);
    d.featureReports.insert(100, bytes({100, 2, 0, 15, 0, 0}));
    d.featureReports.insert(101, bytes({101, 0x98, 0x08, 0x60, 0x09, 5, 0, 0xF4, 0x01, 0}));
    QByteArray alarms(29, '\0');
    alarms[0] = char(103);
    alarms[1] = 1;
    d.featureReports.insert(103, alarms);
    d.strings = {{17, "SN-0001"}, {18, "A COMPANY NAME LONGER THAN TEN"}, {20, "LINE 1000"}, {21, "FW 3.1"}};
    return d;
}

void setStatus(const QByteArray &report)
{
    HidStandIn::device(kVid, kPid)->featureReports.insert(1, report);
}

} // namespace

class TestDevCommUsb : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    DevComm *link = nullptr;

    void makeLink()
    {
        delete link;
        link = new DevComm;
    }

    void poll(int times = 1) { UpsTestUtil::poll(link, times); }

    bool online() const { return link->devData().value("devOnline").toBool(); }

private slots:
    void initTestCase()
    {
        prepareStore();
        QFile cfg(dir.filePath("usb.cfg"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write(R"({"usb": [[1155, 22352], "skip", [1, 2, 3], [1630, 1]]})");
        cfg.close();
    }

    void init()
    {
        Settings::instance()->setSettings(Settings::UpsCommType, int(DevComm::USB));
        clearAlarms();
        HidStandIn::reset();
        DevCommPrivate::usbConfigFile = dir.filePath("usb.cfg");
    }

    void cleanup()
    {
        delete link;
        link = nullptr;
    }

    void deviceList()
    {
        // No list: nothing is opened or read.
        DevCommPrivate::usbConfigFile = dir.filePath("missing.cfg");
        HidStandIn::plugIn(scriptedUps());
        makeLink();
        poll(3);
        QVERIFY(HidStandIn::openAttempts().isEmpty());
        QVERIFY(HidStandIn::readReports().isEmpty());
        QCOMPARE(Alarm::instance()->alarmNum(), 0);
        QCOMPARE(HidStandIn::initCalls(), 1);
        cleanup();
        QCOMPARE(HidStandIn::exitCalls(), 1);

        // Only the second pair is there: both are tried at construction, in order.
        DevCommPrivate::usbConfigFile = dir.filePath("usb.cfg");
        makeLink();
        QCOMPARE(HidStandIn::openAttempts(), (QStringList{"1155:22352", "1630:1"}));
        QCOMPARE(HidStandIn::openHandles(), 1);
        cleanup();
        QCOMPARE(HidStandIn::openHandles(), 0);

        // Both there: the first opens.
        HidStandIn::clearRecords();
        HidStandIn::plugIn(scriptedUps(1155, 22352));
        makeLink();
        QCOMPARE(HidStandIn::openAttempts(), QStringList{"1155:22352"});

        // Nothing there at first: every tick tries again.
        HidStandIn::reset();
        makeLink();
        poll();
        QCOMPARE(HidStandIn::openAttempts().size(), 4);
        HidStandIn::plugIn(scriptedUps());
        poll();
        QCOMPARE(HidStandIn::readReports(), QList<int>{100});
    }

    void cycleAndStrings()
    {
        HidStandIn::Device ups = scriptedUps();
        ups.strings.insert(20, QString()); // empty at first: asked again
        ups.failingStrings.insert(21);
        HidStandIn::plugIn(ups);
        makeLink();
        QSignalSpy version(link, &DevComm::usbVersionChanged);
        poll(3);
        QCOMPARE(HidStandIn::readStrings(), (QList<int>{17, 18, 20}));
        HidStandIn::device(kVid, kPid)->strings.insert(20, "LINE 1000");
        poll(5);
        QCOMPARE(HidStandIn::readStrings(), (QList<int>{17, 18, 20, 20, 21}));
        QCOMPARE(HidStandIn::readReports(), (QList<int>{100, 101, 1, 103, 1, 103, 1, 103}));

        QCOMPARE(values(link->devData(), {"sn", "compName", "UPSModel", "version", "ratingOutputVol",
                                          "ratingBattVol", "ratingCurrent", "ratingFreq"}),
                 (QStringList{"SN-0001", "A COMPANY ", "LINE 1000", "", "220", "24", "5", "50"}));
        QCOMPARE(link->usbVersion(), QString("v2.0.15"));
        QCOMPARE(version.count(), 1);
    }

    void statusReport()
    {
        HidStandIn::Device ups = scriptedUps();
        ups.featureReports.insert(1, goodStatus.left(20));
        HidStandIn::plugIn(ups);
        makeLink();
        QSignalSpy changed(link, &DevComm::devDataChanged);
        poll(4);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!link->devData().contains("devOnline"));

        setStatus(goodStatus);
        poll(); // 1
        QCOMPARE(changed.count(), 1);
        QCOMPARE(values(link->devData(), {"devOnline", "inputVol", "outputVol", "battVol", "load", "inputFreq",
                                          "temperature", "battCapacity", "battRemainTime", "workState"}),
                 (QStringList{"true", "230", "229.5", "27.3", "23", "50", "31.5", "87", "45", "1"}));
        QCOMPARE(link->upsData()->inputFaultVol, 220.0f);
        QVERIFY(listed(Alarm::CommNormal));

        // The next good report: no second CommNormal.
        poll(2);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});
    }

    void communicationFaultBit()
    {
        HidStandIn::Device ups = scriptedUps();
        ups.featureReports.insert(1, statusWord(0x01 << 1));
        HidStandIn::plugIn(ups);
        makeLink();
        poll(3);
        QVERIFY(listed(Alarm::MainsFault));

        setStatus(statusWord((0x01 << 1) | 1));
        poll(2); // 103, 1
        QVERIFY(listed(Alarm::CommLost));
        QVERIFY(listed(Alarm::MainsFault));
        QVERIFY(!online());

        // A good report brings the link back. The reset zeroed the status
        // byte without alarm calls, so the mains alarm stays listed; the
        // ratings and texts it zeroed are read again.
        setStatus(goodStatus);
        poll(4); // 103, 101, 1, 103
        QVERIFY(!listed(Alarm::CommLost));
        QVERIFY(listed(Alarm::CommNormal));
        QVERIFY(listed(Alarm::MainsFault));
        QCOMPARE(values(link->devData(), {"ratingOutputVol", "sn", "UPSModel"}),
                 (QStringList{"220", "SN-0001", "LINE 1000"}));
    }

    void readFailureVersusVanishedDevice()
    {
        HidStandIn::plugIn(scriptedUps());
        makeLink();
        QSignalSpy version(link, &DevComm::usbVersionChanged);
        poll(4);
        QVERIFY(online());

        // Reads fail, the device is still enumerated: nothing changes, up to
        // eight failures in a row; a good read starts the count again.
        HidStandIn::device(kVid, kPid)->readFails = true;
        poll(8);
        HidStandIn::device(kVid, kPid)->readFails = false;
        poll(1);
        HidStandIn::device(kVid, kPid)->readFails = true;
        poll(8);
        QVERIFY(online());
        QCOMPARE(HidStandIn::openHandles(), 1);
        QCOMPARE(link->usbVersion(), QString("v2.0.15"));
        QVERIFY(!listed(Alarm::CommLost));

        // The ninth: the stale readings go, the link is lost and the device
        // is opened afresh, but stays offline while it does not answer.
        poll(1);
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(link->usbVersion(), QString());
        poll(20);
        QVERIFY(!online());
        QCOMPARE(HidStandIn::openHandles(), 1);
        QCOMPARE(version.count(), 2);
        HidStandIn::device(kVid, kPid)->readFails = false;
        poll(8);
        QVERIFY(online());
        QCOMPARE(link->usbVersion(), QString("v2.0.15"));
        version.clear();

        // The device leaves: closed, link lost, version forgotten.
        HidStandIn::unplug(kVid, kPid);
        poll();
        QCOMPARE(HidStandIn::openHandles(), 0);
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(Alarm::instance()->alarmNum(), 1);
        QCOMPARE(link->usbVersion(), QString());
        QCOMPARE(version.count(), 1);

        // Back again: strings, version and ratings are read anew.
        HidStandIn::plugIn(scriptedUps());
        HidStandIn::clearRecords();
        poll(6);
        QCOMPARE(HidStandIn::readStrings(), (QList<int>{17, 18, 20, 21}));
        QVERIFY(HidStandIn::readReports().contains(100));
        QVERIFY(HidStandIn::readReports().contains(101));
        QCOMPARE(link->usbVersion(), QString("v2.0.15"));
        QVERIFY(online());
    }

    // Leaving a link for another that has none open is losing it; a link
    // taken up again reads the ratings and texts that the loss zeroed.
    void changeOfLinkType()
    {
        HidStandIn::plugIn(scriptedUps());
        makeLink();
        poll(4);
        QVERIFY(online());
        QVERIFY(link->openDevice(DevComm::COM, QStringLiteral("None")));
        QVERIFY(!online());
        QVERIFY(listed(Alarm::CommLost));
        QCOMPARE(link->upsData()->ratingOutputVol, 0.0f);
        QVERIFY(link->openDevice(DevComm::USB));
        poll(6);
        QVERIFY(online());
        QCOMPARE(values(link->devData(), {"ratingOutputVol", "sn", "UPSModel"}),
                 (QStringList{"220", "SN-0001", "LINE 1000"}));
    }

    // A device that never answers is a lost link after nine polls, reported
    // once; so is a missing one.
    void neverAnswering_data()
    {
        QTest::addColumn<bool>("plugged");
        QTest::newRow("reads fail") << true;
        QTest::newRow("no device") << false;
    }

    void neverAnswering()
    {
        QFETCH(bool, plugged);
        HidStandIn::Device ups = scriptedUps();
        ups.readFails = true;
        if (plugged)
            HidStandIn::plugIn(ups);
        makeLink();
        poll(8);
        QVERIFY(!listed(Alarm::CommLost));
        poll(1);
        QVERIFY(listed(Alarm::CommLost));
        poll(20);
        QCOMPARE(alarmRows(), QList<int>{Alarm::CommLost});
        ups.readFails = false;
        HidStandIn::plugIn(ups);
        poll(4);
        QVERIFY(online());
        QCOMPARE(alarmRows(), (QList<int>{Alarm::CommLost, Alarm::CommNormal}));
    }

    // A capacity beyond any percentage during a self-test is logged, clamped.
    void hugeCapacityDuringSelfTest()
    {
        HidStandIn::Device ups = scriptedUps();
        ups.featureReports.insert(1, HidStandIn::statusReport(2300, 2200, 2295, 2730, 23, 500, 315, 65535, 45,
                                                              0x20 << 1));
        HidStandIn::plugIn(ups);
        makeLink();
        poll(4);
        QCOMPARE(link->devData().value("selfTest").toInt(), 1);
        setStatus(goodStatus);
        poll(2);
        QCOMPARE(link->devData().value("selfTest").toInt(), 0);
        QCOMPARE(rowCount("log_self_test"), 1);
        const QDir logs(Settings::instance()->dataDir() + "/data/self_test");
        QFile log(logs.filePath(logs.entryList(QDir::Files).value(0)));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY2(log.readAll().endsWith(",23,32767\n"), qPrintable(log.fileName()));
    }

    void commandReports()
    {
        HidStandIn::plugIn(scriptedUps());
        makeLink();
        link->setSelfTest(4, 5);
        link->setShutdown(true, 2);
        link->setShutdown(false, 9);
        link->setSelfTest(1, 0);
        link->setSelfTest(2, 0);
        link->setSelfTest(3, 0);
        link->setSelfTest(5, 0); // unknown: nothing
        link->setBuzzer();       // buzzer off: turn it on
        // Times that do not fit their byte (or would read as a cancel) are not sent.
        link->setShutdown(true, 254);
        link->setShutdown(true, 255);
        link->setShutdown(true, 2147483647);
        link->setShutdown(true, -1);
        link->setSelfTest(4, 252);
        link->setSelfTest(4, 0);
        link->setSelfTest(4, 2147483647);
        QCOMPARE(HidStandIn::sentReports(),
                 (QList<QByteArray>{bytes({2, 8}), bytes({3, 3}), bytes({3, 0}), bytes({2, 3}),
                                    bytes({2, 1}), bytes({2, 2}), bytes({4, 2}), bytes({3, 255}),
                                    bytes({2, 255})}));

        setStatus(statusWord(0x80 << 1));
        poll(3);
        QCOMPARE(link->devData().value("buzzer").toInt(), 1);
        HidStandIn::clearRecords();
        link->setBuzzer();
        QCOMPARE(HidStandIn::sentReports(), QList<QByteArray>{bytes({4, 1})});

        // The baud rate goes to the device, not to the settings.
        const int stored = Settings::instance()->getSettings(Settings::UpsBaudRate).toInt();
        link->setBaud(9600);
        link->setBaud(9600);
        QCOMPARE(HidStandIn::sentReports().mid(1), QList<QByteArray>{bytes({200, 0, 0, 0x25, 0x80})});
        QCOMPARE(Settings::instance()->getSettings(Settings::UpsBaudRate).toInt(), stored);
    }
};

AMBREL_TEST_MAIN(TestDevCommUsb)
#include "tst_devcommusb.moc"
