#include "alarm.h"
#include "devcomm.h"
#include "devcomm_p.h"
#include "settings.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QSignalSpy>

#include <functional>

using namespace UpsTestUtil;

namespace {

QStringList g_ports;
QStringList fakePorts()
{
    return g_ports;
}

void poll(DevComm *link)
{
    QMetaObject::invokeMethod(link, "onTimerPollingTimeout", Qt::DirectConnection);
}

void save(DevComm *link)
{
    QMetaObject::invokeMethod(link, "onTimerSaveTimeout", Qt::DirectConnection);
}

void scan(DevComm *link)
{
    QMetaObject::invokeMethod(link, "onTimerCOMTimeout", Qt::DirectConnection);
}

} // namespace

class TestDevCommSerial : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstAndShortCycle();
    void splitReplyAndTrailingBytes();
    void garbageIsNotAnAnswer();
    void statusAndBatteryThroughTheLink();
    void userCommandTexts();
    void linkLossAfterNineUnansweredWrites();
    void savingOnlyWhileOnline();
    void reopenWhileOpen();
    void noPortNoCommands();
    void portScan();
    void settersStoreSettings();

private:
    // Opens a fresh link on a fresh simulated UPS and waits until it is online.
    bool openOnline();
    // Runs the poll tick whenever the link is waiting for an answer it will
    // not get, until done() holds.
    bool driveUntil(const std::function<bool()> &done);

    SimulatedUps *ups = nullptr;
    DevComm *link = nullptr;
};

void TestDevCommSerial::initTestCase()
{
    prepareStore();
}

void TestDevCommSerial::init()
{
    clearAlarms();
    QSqlQuery().exec("delete from device_data");
    ups = new SimulatedUps;
    QVERIFY(ups->isOpen());
    link = new DevComm;
}

void TestDevCommSerial::cleanup()
{
    delete link;
    link = nullptr;
    delete ups;
    ups = nullptr;
    DevCommPrivate::portLister = nullptr;
}

bool TestDevCommSerial::driveUntil(const std::function<bool()> &done)
{
    // A refused reply leaves the link waiting for its 1500 ms tick: when the
    // UPS has received nothing for 150 ms, run the tick here.
    for (int round = 0; round < 60; ++round) {
        const int before = ups->received().size();
        if (QTest::qWaitFor([&] { return done() || ups->received().size() != before; }, 150)) {
            if (done())
                return true;
            continue;
        }
        poll(link);
    }
    return done();
}

bool TestDevCommSerial::openOnline()
{
    if (!link->openDevice(DevComm::COM, ups->portPath()))
        return false;
    return driveUntil([this] { return link->devData().value("devOnline").toBool(); });
}

void TestDevCommSerial::firstAndShortCycle()
{
    QSignalSpy changed(link, &DevComm::devDataChanged);
    QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
    // The first command goes out within the call.
    QTRY_VERIFY_WITH_TIMEOUT(!ups->received().isEmpty(), 2000);
    QCOMPARE(ups->received().first(), QByteArray("BT"));

    QTRY_VERIFY_WITH_TIMEOUT(ups->received().size() >= 11, 5000);
    QCOMPARE(ups->received().mid(0, 11),
             (QList<QByteArray>{"BT", "BP", "NQU", "F", "I", "Q1", "A1", "BT", "BP", "Q1", "A1"}));
    QVERIFY(changed.count() >= 2);

    const QVariantMap data = link->devData();
    QCOMPARE(data.value("devOnline").toBool(), true);
    QCOMPARE(data.value("inputVol").toFloat(), 230.0f);
    QCOMPARE(data.value("outputVol").toFloat(), 229.5f);
    QCOMPARE(data.value("battCapacity").toFloat(), 87.5f);
    QCOMPARE(data.value("battRemainTime").toInt(), 45);
    QCOMPARE(data.value("ratingBattVol").toFloat(), 24.0f);
    QCOMPARE(data.value("sn").toString().trimmed(), QString("SN0123456789"));
    QCOMPARE(data.value("version").toString().trimmed(), QString("VER 1.2"));
    QCOMPARE(link->upsData()->status, quint8(0x10));

    // Coming online: CommNormal listed and recorded.
    QVERIFY(listed(Alarm::CommNormal));
    QCOMPARE(alarmRows(), QList<int>{Alarm::CommNormal});
}

void TestDevCommSerial::splitReplyAndTrailingBytes()
{
    ups->setChunkSize(7);
    QVERIFY(openOnline());
    QCOMPARE(link->devData().value("inputVol").toFloat(), 230.0f);

    // A status reply followed by more bytes in the same write is taken.
    ups->setChunkSize(0);
    ups->state().inputVol = 231.0;
    ups->setReply("Q1", ups->replyFor("Q1") + "(000");
    QTRY_COMPARE_WITH_TIMEOUT(link->devData().value("inputVol").toFloat(), 231.0f, 3000);
}

void TestDevCommSerial::garbageIsNotAnAnswer()
{
    // Wrong lead, wrong length and a wrong field count are no answer: the
    // link stays offline and no CommNormal appears.
    ups->setReply("Q1", "#230.0 230.0 229.5 023 50.0 27.2 31.5 00001000\r");
    ups->setReply("BT", "#0045 012.5 1\r");
    ups->setReply("BP", "#0875 1\r");
    QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
    QVERIFY(driveUntil([this] { return ups->received().size() >= 9; }));
    QVERIFY(ups->received().contains("Q1"));
    QVERIFY(!link->devData().value("devOnline").toBool());
    QVERIFY(!listed(Alarm::CommNormal));

    ups->clearReplies();
    ups->writeRaw(QByteArray(200, 'z'));
    QVERIFY(driveUntil([this] { return link->devData().value("devOnline").toBool(); }));
}

void TestDevCommSerial::statusAndBatteryThroughTheLink()
{
    ups->state().status = "10000000";
    ups->state().battVol = 2.3;
    ups->setUnanswered("BP");
    QVERIFY(openOnline());
    QCOMPARE(link->upsData()->status, quint8(0x01));
    QCOMPARE(link->devData().value("mainsFault").toInt(), 1);
    QCOMPARE(link->upsData()->battCapacity, 100.0f);
    QCOMPARE(int(link->upsData()->battRemainTime), 120);
    QVERIFY(listed(Alarm::MainsFault));
}

void TestDevCommSerial::userCommandTexts()
{
    QVERIFY(openOnline());
    // A user command gets no answer, so push it out with a tick of its own
    // rather than waiting for the 1500 ms one.
    auto sent = [this](const QByteArray &text) {
        poll(link);
        return QTest::qWaitFor([&] { return ups->received().contains(text); }, 3000);
    };

    link->setShutdown(true, 0);
    QVERIFY(sent("S.2R9999"));
    link->setShutdown(true, 5);
    QVERIFY(sent("S05R9999"));
    link->setShutdown(false, 0);
    QVERIFY(sent("C"));
    link->setSelfTest(2, 0);
    QVERIFY(sent("T"));
    link->setSelfTest(3, 0);
    QVERIFY(sent("TL"));
    link->setSelfTest(4, 7);
    QVERIFY(sent("T07"));
    link->setBuzzer();
    QVERIFY(sent("Q"));

    // With the mains failed the output stays off (no restart); during a
    // self-test only a cancel goes out.
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
    const int before = ups->received().size();
    poll(link);
    QTRY_COMPARE_WITH_TIMEOUT(ups->received().size(), before + 1, 2000);

    // Every user command is sent exactly once; refused ones never.
    const QList<QByteArray> all = ups->received();
    QCOMPARE(all.count("T"), 1);
    QCOMPARE(all.count("S.2"), 1);
    QCOMPARE(all.count("S11"), 0);
    QCOMPARE(all.count("S11R9999"), 0);
}

void TestDevCommSerial::linkLossAfterNineUnansweredWrites()
{
    QVERIFY(openOnline());
    // From the next A1 on the UPS answers nothing.
    ups->setSilentFrom("A1");
    QTRY_VERIFY_WITH_TIMEOUT(ups->silentFrom() >= 0, 5000);
    auto unanswered = [&] { return ups->received().size() - ups->silentFrom(); };
    QCOMPARE(unanswered(), 1);

    while (unanswered() < 8) {
        const int before = ups->received().size();
        poll(link);
        QTRY_COMPARE_WITH_TIMEOUT(ups->received().size(), before + 1, 2000);
    }
    QVERIFY(link->devData().value("devOnline").toBool());
    QVERIFY(!listed(Alarm::CommLost));

    QSignalSpy changed(link, &DevComm::devDataChanged);
    poll(link); // the ninth
    QVERIFY(!link->devData().value("devOnline").toBool());
    QVERIFY(listed(Alarm::CommLost));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(link->upsData()->inputVol, 0.0f);
    QCOMPARE(Alarm::instance()->alarmNum(), 1); // the list was cleared first

    // Offline, unanswered writes are not counted.
    for (int i = 0; i < 10; ++i)
        poll(link);
    QCOMPARE(alarmRows().count(Alarm::CommLost), 1);

    // The UPS answers again: CommLost goes, CommNormal comes, both recorded.
    ups->setSilent(false);
    QTRY_VERIFY_WITH_TIMEOUT(link->devData().value("devOnline").toBool(), 5000);
    QVERIFY(!listed(Alarm::CommLost));
    QVERIFY(listed(Alarm::CommNormal));
    const QList<int> rows = alarmRows();
    QCOMPARE(rows.mid(rows.size() - 2), (QList<int>{Alarm::CommLost, Alarm::CommNormal}));
}

void TestDevCommSerial::savingOnlyWhileOnline()
{
    save(link);
    QCOMPARE(rowCount("device_data"), 0);
    QVERIFY(openOnline());
    save(link);
    QCOMPARE(rowCount("device_data"), 1);
    QSqlQuery query("select inputVol, outputVol, load, inputFreq, battVol, temperature from device_data");
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toFloat(), 230.0f);
    QCOMPARE(query.value(1).toFloat(), 229.5f);
    QCOMPARE(query.value(2).toInt(), 23);
    QCOMPARE(query.value(3).toFloat(), 50.0f);
    QCOMPARE(query.value(4).toFloat(), 27.2f);
    QCOMPARE(query.value(5).toFloat(), 31.5f);

    link->upsData(); // unchanged record
    ups->setSilent(true);
    for (int i = 0; i < 9; ++i)
        poll(link);
    QVERIFY(!link->devData().value("devOnline").toBool());
    save(link);
    QCOMPARE(rowCount("device_data"), 1);
}

void TestDevCommSerial::reopenWhileOpen()
{
    QVERIFY(openOnline());
    const int before = ups->received().size();
    QVERIFY(link->openDevice(DevComm::COM, ups->portPath()));
    // Closed, list cleared, CommLost added, reopened and first command sent.
    QVERIFY(listed(Alarm::CommLost));
    QCOMPARE(Alarm::instance()->alarmNum(), 1);
    QVERIFY(!link->devData().value("devOnline").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(ups->received().size() > before, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(link->devData().value("devOnline").toBool(), 5000);
    QVERIFY(!listed(Alarm::CommLost));

    // Switching to USB closes the serial port for good.
    QVERIFY(link->openDevice(DevComm::USB));
    QCOMPARE(link->commType(), int(DevComm::USB));
    QVERIFY(!link->devData().value("devOnline").toBool());
    const int after = ups->received().size();
    for (int i = 0; i < 3; ++i)
        poll(link);
    QTest::qWait(100);
    QCOMPARE(ups->received().size(), after);
    QCOMPARE(Settings::instance()->getSettings(Settings::UpsCommType).toInt(), int(DevComm::USB));
}

void TestDevCommSerial::noPortNoCommands()
{
    QVERIFY(link->openDevice(DevComm::COM, QStringLiteral("None")));
    QVERIFY(link->openDevice(DevComm::COM, QString()));
    poll(link);
    QTest::qWait(100);
    QVERIFY(ups->received().isEmpty());
    QVERIFY(!listed(Alarm::CommLost));
}

void TestDevCommSerial::portScan()
{
    DevCommPrivate::portLister = &fakePorts;
    g_ports = QStringList{"ttyS1", "ttyS3", "ttyS4"};
    QSignalSpy ports(link, &DevComm::comPortChanged);
    link->openDevice(DevComm::COM, "ttyS3");
    scan(link);
    QCOMPARE(ports.count(), 1);
    QCOMPARE(link->comPort(), (QStringList{"ttyS3", "None", "ttyS1", "ttyS4"}));
    scan(link);
    QCOMPARE(ports.count(), 1);

    link->openDevice(DevComm::COM, QString());
    QCOMPARE(link->comPort(), (QStringList{"None", "ttyS1", "ttyS3", "ttyS4"}));

    // The open port disappears from the list: closed, link lost.
    QVERIFY(openOnline());
    const QString name = ups->portPath().mid(5); // pts/N
    g_ports = QStringList{"ttyS1", name};
    scan(link);
    QVERIFY(link->devData().value("devOnline").toBool());
    g_ports = QStringList{"ttyS1"};
    scan(link);
    QCOMPARE(ports.count(), 3);
    QVERIFY(!link->devData().value("devOnline").toBool());
    QVERIFY(listed(Alarm::CommLost));
}

void TestDevCommSerial::settersStoreSettings()
{
    Settings *settings = Settings::instance();
    link->openDevice(DevComm::COM, ups->portPath());
    QCOMPARE(settings->getSettings(Settings::UpsComPort).toString(), ups->portPath());
    link->openDevice(DevComm::COM, "None");
    QCOMPARE(settings->getSettings(Settings::UpsComPort).toString(), ups->portPath());

    link->setSaveCycle(7);
    QCOMPARE(settings->getSettings(Settings::UpsDataSaveCycle).toUInt(), 7u);
    QCOMPARE(link->saveCycle(), 7u);

    link->setBaud(9600);
    QCOMPARE(settings->getSettings(Settings::UpsBaudRate).toInt(), 9600);
    settings->setSettings(Settings::UpsBaudRate, 1200);
    link->setBaud(9600); // unchanged: nothing stored
    QCOMPARE(settings->getSettings(Settings::UpsBaudRate).toInt(), 1200);
    settings->setSettings(Settings::UpsBaudRate, 2400);
}

AMBREL_TEST_MAIN(TestDevCommSerial)
#include "tst_devcommserial.moc"
