#include "alarm.h"
#include "megatec.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QSignalSpy>

using namespace UpsTestUtil;

namespace {

// Reply texts built by the simulated UPS from a state.
QByteArray reply(const QByteArray &command, const SimulatedUps::State &state)
{
    SimulatedUps ups;
    ups.state() = state;
    return ups.replyFor(command);
}

QByteArray q1(const QByteArray &status, double battVol = 27.2)
{
    SimulatedUps::State s;
    s.status = status;
    s.battVol = battVol;
    return reply("Q1", s);
}

QList<QByteArray> commands(Megatec &m, int count)
{
    QList<QByteArray> list;
    for (int i = 0; i < count; ++i)
        list.append(m.nextCommand());
    return list;
}

} // namespace

class TestMegatec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void queueRefillOrder();
    void framing();
    void overlongReply();
    void rejectedReplies_data();
    void rejectedReplies();
    void statusDigits_data();
    void statusDigits();
    void batteryEstimate_data();
    void batteryEstimate();
    void batteryFromBpAndBt();
    void identityTexts();
    void userCommands();
    void userCommandRefusals();

    void sameStatusNoCalls();
    void statusChangeCallOrder();
    void bypassOrBoost();
    void alarmWords();
    void newAlarmUnit();
    void devDataKeysAndLists();
    void resetPublishesZeros();
};

void TestMegatec::initTestCase()
{
    prepareStore();
}

void TestMegatec::init()
{
    clearAlarms();
}

void TestMegatec::queueRefillOrder()
{
    Megatec m;
    QCOMPARE(commands(m, 7), (QList<QByteArray>{"BT\r", "BP\r", "NQU\r", "F\r", "I\r", "Q1\r", "A1\r"}));

    SimulatedUps::State s;
    QVERIFY(feed(m, "NQU", reply("NQU", s)));
    QVERIFY(feed(m, "F", reply("F", s)));
    QVERIFY(feed(m, "I", reply("I", s)));
    while (m.nextCommand() != "A1\r") {
    }
    QCOMPARE(commands(m, 4), (QList<QByteArray>{"BT\r", "BP\r", "Q1\r", "A1\r"}));

    // A reset forgets the identity replies, so they are asked for again.
    m.reset();
    QCOMPARE(commands(m, 7), (QList<QByteArray>{"BT\r", "BP\r", "NQU\r", "F\r", "I\r", "Q1\r", "A1\r"}));
}

void TestMegatec::framing()
{
    Megatec m;
    QSignalSpy changed(&m, &Megatec::dataChanged);
    const QByteArray good = q1("00001000");

    // Split over chunks: accepted when the CR arrives.
    while (m.nextCommand() != "Q1\r") {
    }
    QVERIFY(!m.parseData(good.left(5)));
    QVERIFY(!m.parseData(good.mid(5, 20)));
    QCOMPARE(changed.count(), 0);
    QVERIFY(m.parseData(good.mid(25)));
    QCOMPARE(changed.count(), 1);
    QVERIFY(m.isOnline());

    // A reply with trailing bytes in the same chunk: accepted, rest dropped.
    while (m.nextCommand() != "Q1\r") {
    }
    QVERIFY(m.parseData(q1("10001000") + "(garbage"));
    QCOMPARE(m.upsData()->status, quint8(0x11));

    // Bytes after a complete reply, before the next command, lengthen it:
    // the next CR dispatches the longer content, which nobody accepts.
    QVERIFY(!m.parseData(good));

    // Replies to user commands are never accepted.
    m.setBuzzer();
    QCOMPARE(m.nextCommand(), QByteArray("Q\r"));
    QVERIFY(!m.parseData(good));
}

void TestMegatec::overlongReply()
{
    Megatec m;
    while (m.nextCommand() != "Q1\r") {
    }
    QVERIFY(!m.parseData(QByteArray(128, 'x')));
    // The 129th byte discards the reply and the rest of its chunk...
    QVERIFY(!m.parseData(q1("00001000")));
    QVERIFY(!m.isOnline());
    // ... and the next chunk starts a fresh reply.
    QVERIFY(m.parseData(q1("00001000")));
}

void TestMegatec::rejectedReplies_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");

    SimulatedUps::State s;
    const QByteArray goodQ1 = reply("Q1", s);
    QTest::newRow("Q1 wrong lead") << QByteArray("Q1") << QByteArray("#" + goodQ1.mid(1));
    QTest::newRow("Q1 one byte short") << QByteArray("Q1") << QByteArray(goodQ1.left(45) + '\r');
    QTest::newRow("Q1 seven fields") << QByteArray("Q1")
                                     << QByteArray("(230.0 230.0 229.5 023 50.0 27.2 31.5x00001000\r");
    QTest::newRow("Q1 double space") << QByteArray("Q1")
                                     << QByteArray("(230.0 230.0 229.5 023 50.0 27.2 31.5  0001000\r");
    const QByteArray goodF = reply("F", s);
    QTest::newRow("F wrong lead") << QByteArray("F") << QByteArray("(" + goodF.mid(1));
    QTest::newRow("F three fields") << QByteArray("F") << QByteArray("#220.0_005 024.0 50.0\r");
    QTest::newRow("I wrong length") << QByteArray("I") << QByteArray(reply("I", s).mid(1));
    QTest::newRow("BT one field") << QByteArray("BT") << QByteArray("#0045_012.5\r");
    QTest::newRow("BP wrong length") << QByteArray("BP") << QByteArray("#875\r");
    QTest::newRow("A1 wrong lead") << QByteArray("A1") << QByteArray("(" + reply("A1", s).mid(1));
    QTest::newRow("NQU wrong length") << QByteArray("NQU") << QByteArray(reply("NQU", s).mid(2));
}

void TestMegatec::rejectedReplies()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    Megatec m;
    QSignalSpy changed(&m, &Megatec::dataChanged);
    const QVariantMap before = m.devData();
    QVERIFY(!feed(m, command, reply));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m.devData(), before);
    QCOMPARE(m.upsData()->battCapacity, 0.0f);
    QCOMPARE(m.upsData()->ratingBattVol, 0.0f);
    QCOMPARE(m.upsData()->version[0], '\0');
    QVERIFY(!m.isOnline());
}

void TestMegatec::statusDigits_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("status");
    QTest::newRow("standby") << QByteArray("00001000") << 0x10;
    QTest::newRow("mains fault") << QByteArray("10000000") << 0x01;
    QTest::newRow("buzzer") << QByteArray("00000001") << 0x80;
    QTest::newRow("all") << QByteArray("11111111") << 0xFF;
    QTest::newRow("odd digits count") << QByteArray("30000009") << 0x81;
    QTest::newRow("not a number") << QByteArray("0000100x") << 0x00;
}

void TestMegatec::statusDigits()
{
    QFETCH(QByteArray, field);
    QFETCH(int, status);
    Megatec m;
    QVERIFY(feed(m, "Q1", q1(field)));
    QCOMPARE(int(m.upsData()->status), status);
    QCOMPARE(m.devData().value("workState").toInt(), (status >> 4) & 1);
    QCOMPARE(m.devData().value("mainsFault").toInt(), status & 1);
}

void TestMegatec::batteryEstimate_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<double>("ratingBattVol"); // negative: no F reply
    QTest::addColumn<double>("battVol");
    QTest::addColumn<float>("capacity");
    QTest::addColumn<int>("remain");

    QTest::newRow("on-line, clamped high") << QByteArray("00000000") << 24.0 << 2.3 << 100.0f << 120;
    QTest::newRow("on-line, clamped low") << QByteArray("00000000") << 24.0 << 1.5 << 0.0f << 0;
    QTest::newRow("standby, half") << QByteArray("00001000") << 24.0 << 23.6 << 50.0f << 60;
    QTest::newRow("standby, no rating") << QByteArray("00001000") << -1.0 << 27.0 << 100.0f << 120;
    QTest::newRow("standby, nothing at all") << QByteArray("00001000") << -1.0 << 0.0 << 0.0f << 0;
}

void TestMegatec::batteryEstimate()
{
    QFETCH(QByteArray, status);
    QFETCH(double, ratingBattVol);
    QFETCH(double, battVol);
    QFETCH(float, capacity);
    QFETCH(int, remain);

    Megatec m;
    if (ratingBattVol >= 0) {
        SimulatedUps::State s;
        s.ratingBattVol = ratingBattVol;
        QVERIFY(feed(m, "F", reply("F", s)));
    }
    QVERIFY(feed(m, "Q1", q1(status, battVol)));
    QCOMPARE(m.upsData()->battCapacity, capacity);
    QCOMPARE(int(m.upsData()->battRemainTime), remain);
    QCOMPARE(m.devData().value("battCapacity").toFloat(), capacity);
    QCOMPARE(m.devData().value("battRemainTime").toInt(), remain);
}

void TestMegatec::batteryFromBpAndBt()
{
    Megatec m;
    SimulatedUps::State s;
    s.remainTime = 45;
    s.battPercent10 = 875;
    QVERIFY(feed(m, "BT", reply("BT", s)));
    QVERIFY(feed(m, "BP", reply("BP", s)));
    QVERIFY(feed(m, "Q1", q1("00000000", 2.3)));
    QCOMPARE(m.upsData()->battCapacity, 87.5f);
    QCOMPARE(int(m.upsData()->battRemainTime), 45);
    QCOMPARE(m.upsData()->btSecondValue, 12.5f);

    // Next cycle without a BP answer: the estimate replaces both.
    QVERIFY(feed(m, "Q1", q1("00000000", 2.3)));
    QCOMPARE(m.upsData()->battCapacity, 100.0f);
    QCOMPARE(int(m.upsData()->battRemainTime), 120);
}

void TestMegatec::identityTexts()
{
    Megatec m;
    SimulatedUps::State s;
    s.company = "COMPANY-FIFTEEN";
    s.model = "MODEL-TEN!";
    s.version = "V1.2.3";
    QVERIFY(feed(m, "I", reply("I", s)));
    QVariantMap data = m.devData();
    QCOMPARE(data.value("compName").toString(), QString("COMPANY-FIFTEEN"));
    QCOMPARE(data.value("UPSModel").toString(), QString("MODEL-TEN!"));
    QCOMPARE(data.value("version").toString(), QString("V1.2.3    "));

    // NQU fills serial, model and company; published with the next updateInfo.
    Megatec m2;
    s.serial = "SERIAL-TWENTY-ONE-XYZ";
    s.nquModel = "A MODEL OF TWENTY CH";
    s.nquCompany = "TEN CHARS!";
    QVERIFY(feed(m2, "NQU", reply("NQU", s)));
    QCOMPARE(m2.devData().value("sn").toString(), QString());

    // An I reply after NQU changes only the version.
    s.version = "V9";
    QVERIFY(feed(m2, "I", reply("I", s)));
    data = m2.devData();
    QCOMPARE(data.value("sn").toString(), QString("SERIAL-TWENTY-ONE-XYZ"));
    QCOMPARE(data.value("UPSModel").toString(), QString("A MODEL OF TWENTY CH"));
    QCOMPARE(data.value("compName").toString(), QString("TEN CHARS!"));
    QCOMPARE(data.value("version").toString(), QString("V9        "));
}

void TestMegatec::userCommands()
{
    Megatec m;
    // Of two commands queued before the next tick the later goes first.
    m.setBuzzer();
    m.setShutdown(false, 3);
    QCOMPARE(m.nextCommand(), QByteArray("C\r"));
    QCOMPARE(m.nextCommand(), QByteArray("Q\r"));
    QCOMPARE(m.nextCommand(), QByteArray("BT\r"));

    // Queued commands survive a reset.
    m.setSelfTest(3, 0);
    m.reset();
    QCOMPARE(m.nextCommand(), QByteArray("TL\r"));
}

void TestMegatec::userCommandRefusals()
{
    Megatec m;
    m.setShutdown(true, 11);
    m.setShutdown(true, -1);
    m.setSelfTest(4, 100);
    m.setSelfTest(4, 0);
    m.setSelfTest(1, 0);  // nothing to cancel
    m.setSelfTest(7, 0);
    QCOMPARE(m.nextCommand(), QByteArray("BT\r"));

    m.updateStatus(0x20); // self-test running
    m.setSelfTest(2, 0);
    m.setSelfTest(3, 0);
    m.setSelfTest(4, 5);
    QCOMPARE(m.nextCommand(), QByteArray("BP\r"));
    m.setSelfTest(1, 0);
    QCOMPARE(m.nextCommand(), QByteArray("CT\r"));
}

void TestMegatec::sameStatusNoCalls()
{
    Megatec m;
    m.updateStatus(0x01);
    const QList<int> rows = alarmRows();
    QSignalSpy listChanged(Alarm::instance(), &Alarm::alarmNumChanged);
    m.updateStatus(0x01);
    QCOMPARE(listChanged.count(), 0);
    QCOMPARE(alarmRows(), rows);
}

void TestMegatec::statusChangeCallOrder()
{
    Megatec m;
    Alarm *alarm = Alarm::instance();
    alarm->addEvent(Alarm::MainsNormal);
    alarm->addEvent(Alarm::BuzzerOff);
    clearAlarms();
    alarm->addEvent(Alarm::MainsNormal);
    alarm->addEvent(Alarm::BuzzerOff);
    QCOMPARE(alarmRows(), (QList<int>{3, 17}));

    m.updateStatus(0x81);
    QCOMPARE(alarmRows(), (QList<int>{3, 17, Alarm::MainsFault, Alarm::BuzzerOn}));
    QVERIFY(!listed(Alarm::MainsNormal));
    QVERIFY(!listed(Alarm::BuzzerOff));
    QCOMPARE(alarm->alarmNum(), 2);
    QCOMPARE(int(m.upsData()->status), 0x81);

    // Falling: the alarm goes, the return event comes.
    m.updateStatus(0x00);
    QVERIFY(!listed(Alarm::MainsFault));
    QVERIFY(listed(Alarm::MainsNormal));
    QVERIFY(listed(Alarm::BuzzerOff));

    // Battery low and UPS fault are alarms too.
    m.updateStatus(0x0A);
    QVERIFY(listed(Alarm::BattVolLow));
    QVERIFY(listed(Alarm::UPSFault));
    m.updateStatus(0x40);
    QVERIFY(listed(Alarm::BattVolNormal));
    QVERIFY(listed(Alarm::UPSNormal));
    QVERIFY(listed(Alarm::InPowerOff));
}

void TestMegatec::bypassOrBoost()
{
    Megatec m;
    m.updateStatus(0x10);
    m.updateStatus(0x14);
    QVERIFY(listed(Alarm::BoostOrBuck));
    QVERIFY(!listed(Alarm::BypassSupply));
    m.updateStatus(0x10);
    QVERIFY(!listed(Alarm::BoostOrBuck));
    QVERIFY(listed(Alarm::BoostOrBuckReturn));

    clearAlarms();
    m.updateStatus(0x04);
    QVERIFY(listed(Alarm::BypassSupply));
    QVERIFY(!listed(Alarm::BoostOrBuck));
    m.updateStatus(0x00);
    QVERIFY(listed(Alarm::RecSupply));
    QVERIFY(!listed(Alarm::BypassSupply));
}

void TestMegatec::alarmWords()
{
    const int code = 0x10023; // unit 1, word 2, bit 3
    QVERIFY(!Alarm::instance()->alarmText(code).isEmpty());
    Megatec m;
    quint16 words[13] = {};
    words[2] = 0x0008;
    Alarm::instance()->addEvent(code + 500);
    QVERIFY(listed(code + 500));
    m.updateAlarm(1, words);
    QVERIFY(listed(code));
    QVERIFY(!listed(code + 500));

    words[2] = 0;
    m.updateAlarm(1, words);
    QVERIFY(!listed(code));
    QVERIFY(listed(code + 500));
    QCOMPARE(alarmRows().mid(alarmRows().size() - 2), (QList<int>{code, code + 500}));

    // Through the A1 reply: unit then 13 hexadecimal words.
    SimulatedUps::State s;
    s.alarmUnit = 1;
    s.alarmWords[2] = 0x0008;
    QVERIFY(feed(m, "A1", reply("A1", s)));
    QVERIFY(listed(code));
}

void TestMegatec::newAlarmUnit()
{
    Megatec m;
    quint16 words[13] = {};
    words[0] = 0x0001;
    m.updateAlarm(1, words);
    QVERIFY(listed(0x10000));

    // The same words from another unit: everything set is raised again,
    // the first unit's alarm stays listed.
    const int before = alarmRows().size();
    m.updateAlarm(2, words);
    QVERIFY(listed(0x20000));
    QVERIFY(listed(0x10000));
    QCOMPARE(alarmRows().size(), before + 1);

    // The unit is taken as a byte: 258 is unit 2, nothing changes.
    m.updateAlarm(258, words);
    QCOMPARE(alarmRows().size(), before + 1);
}

void TestMegatec::devDataKeysAndLists()
{
    Megatec m;
    QVariantMap data = m.devData();
    QCOMPARE(data.size(), 26);
    QVERIFY(!data.contains("devOnline"));
    QCOMPARE(data.value("inputVolList").toList().size(), 1);

    for (int i = 0; i < 61; ++i) {
        SimulatedUps::State s;
        s.inputVol = 100 + i;
        s.outputVol = 200 + i;
        QVERIFY(feed(m, "Q1", reply("Q1", s)));
    }
    data = m.devData();
    QCOMPARE(data.size(), 27);
    QCOMPARE(data.value("devOnline").toBool(), true);
    const QVariantList in = data.value("inputVolList").toList();
    const QVariantList out = data.value("outputVolList").toList();
    QCOMPARE(in.size(), 60);
    QCOMPARE(out.size(), 60);
    QCOMPARE(in.first().toFloat(), 101.0f);
    QCOMPARE(in.last().toFloat(), 160.0f);
    QCOMPARE(out.first().toFloat(), 201.0f);
    QCOMPARE(data.value("load").toInt(), 23);
    QCOMPARE(data.value("temperature").toFloat(), 31.5f);
    QCOMPARE(data.value("inputFreq").toFloat(), 50.0f);
}

void TestMegatec::resetPublishesZeros()
{
    Megatec m;
    QSignalSpy changed(&m, &Megatec::dataChanged);
    m.reset(); // offline: no signal
    QCOMPARE(changed.count(), 0);

    SimulatedUps::State s;
    QVERIFY(feed(m, "F", reply("F", s)));
    QVERIFY(feed(m, "I", reply("I", s)));
    QVERIFY(feed(m, "Q1", q1("10001000")));
    QCOMPARE(changed.count(), 1);
    m.reset();
    QCOMPARE(changed.count(), 2);
    const QVariantMap data = m.devData();
    QCOMPARE(data.value("devOnline").toBool(), false);
    QCOMPARE(data.value("inputVol").toFloat(), 0.0f);
    QCOMPARE(data.value("mainsFault").toInt(), 0);
    QCOMPARE(data.value("ratingBattVol").toFloat(), 0.0f);
    QCOMPARE(data.value("compName").toString(), QString());
    QCOMPARE(data.value("inputVolList").toList(), (QVariantList{0.0f, 0.0f, 230.0f, 0.0f}));
    QCOMPARE(int(m.upsData()->status), 0);
    QVERIFY(!m.isOnline());
}

AMBREL_TEST_MAIN(TestMegatec)
#include "tst_megatec.moc"
