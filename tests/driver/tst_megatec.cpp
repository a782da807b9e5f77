#include "alarm.h"
#include "megatec.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QSignalSpy>

using namespace UpsTestUtil;

namespace {

using State = SimulatedUps::State;
using Commands = QList<QByteArray>;

QByteArray reply(const QByteArray &command, const State &state = State())
{
    SimulatedUps ups;
    ups.state() = state;
    return ups.replyFor(command);
}

QByteArray q1(const QByteArray &status, double battVol = 27.2)
{
    State s;
    s.status = status;
    s.battVol = battVol;
    return reply("Q1", s);
}

Commands commands(Megatec &m, int count)
{
    Commands list;
    for (int i = 0; i < count; ++i)
        list.append(m.nextCommand());
    return list;
}

void skipTo(Megatec &m, const QByteArray &command)
{
    while (m.nextCommand() != command + '\r') {
    }
}

const Commands firstCycle{"BT\r", "BP\r", "NQU\r", "F\r", "I\r", "Q1\r", "A1\r"};

} // namespace

class TestMegatec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareStore(); }
    void init() { clearAlarms(); }

    void queueRefillOrder()
    {
        Megatec m;
        QCOMPARE(commands(m, 7), firstCycle);
        QVERIFY(feed(m, "NQU", reply("NQU")));
        QVERIFY(feed(m, "F", reply("F")));
        QVERIFY(feed(m, "I", reply("I")));
        skipTo(m, "A1");
        QCOMPARE(commands(m, 4), (Commands{"BT\r", "BP\r", "Q1\r", "A1\r"}));
        // A reset forgets the identity replies, so they are asked for again.
        m.reset();
        QCOMPARE(commands(m, 7), firstCycle);
    }

    void framing()
    {
        Megatec m;
        QSignalSpy changed(&m, &Megatec::dataChanged);
        const QByteArray good = q1("00001000");
        skipTo(m, "Q1");
        QVERIFY(!m.parseData(good.left(5)));
        QVERIFY(!m.parseData(good.mid(5, 20)));
        QCOMPARE(changed.count(), 0);
        QVERIFY(m.parseData(good.mid(25)));
        QCOMPARE(changed.count(), 1);
        QVERIFY(m.isOnline());

        // Trailing bytes in the same chunk are dropped...
        skipTo(m, "Q1");
        QVERIFY(m.parseData(q1("10001000") + "(garbage"));
        QCOMPARE(m.upsData()->status, quint8(0x11));
        // ... but bytes before the next command lengthen the reply.
        QVERIFY(!m.parseData(good));

        // Replies to user commands are never accepted.
        m.setBuzzer();
        QCOMPARE(m.nextCommand(), QByteArray("Q\r"));
        QVERIFY(!m.parseData(good));

        // The 129th byte without a CR discards the reply and the rest of its chunk.
        m.reset();
        skipTo(m, "Q1");
        QVERIFY(!m.parseData(QByteArray(128, 'x')));
        QVERIFY(!m.parseData(good));
        QVERIFY(!m.isOnline());
        QVERIFY(m.parseData(good));
    }

    void rejectedReplies_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray goodQ1 = reply("Q1");
        auto row = [](const char *name, const char *command, const QByteArray &text) {
            QTest::newRow(name) << QByteArray(command) << text;
        };
        row("Q1 wrong lead", "Q1", "#" + goodQ1.mid(1));
        row("Q1 one byte short", "Q1", goodQ1.left(45) + '\r');
        row("Q1 seven fields", "Q1", "(230.0 230.0 229.5 023 50.0 27.2 31.5x00001000\r");
        row("Q1 double space", "Q1", "(230.0 230.0 229.5 023 50.0 27.2 31.5  0001000\r");
        row("F wrong lead", "F", "(" + reply("F").mid(1));
        row("F three fields", "F", "#220.0_005 024.0 50.0\r");
        row("I wrong length", "I", reply("I").mid(1));
        row("BT one field", "BT", "#0045_012.5\r");
        row("BP wrong length", "BP", "#875\r");
        row("A1 wrong lead", "A1", "(" + reply("A1").mid(1));
        row("NQU wrong length", "NQU", reply("NQU").mid(2));
    }

    void rejectedReplies()
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

    void statusDigits_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("status");
        QTest::newRow("standby") << QByteArray("00001000") << 0x10;
        QTest::newRow("mains fault") << QByteArray("10000000") << 0x01;
        QTest::newRow("all") << QByteArray("11111111") << 0xFF;
        QTest::newRow("odd digits count") << QByteArray("30000009") << 0x81;
        QTest::newRow("not a number") << QByteArray("0000100x") << 0x00;
    }

    void statusDigits()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, status);
        Megatec m;
        QVERIFY(feed(m, "Q1", q1(field)));
        QCOMPARE(int(m.upsData()->status), status);
        QCOMPARE(m.devData().value("workState").toInt(), (status >> 4) & 1);
        QCOMPARE(m.devData().value("mainsFault").toInt(), status & 1);
    }

    void batteryEstimate_data()
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

    void batteryEstimate()
    {
        QFETCH(QByteArray, status);
        QFETCH(double, ratingBattVol);
        QFETCH(double, battVol);
        QFETCH(float, capacity);
        QFETCH(int, remain);
        Megatec m;
        if (ratingBattVol >= 0) {
            State s;
            s.ratingBattVol = ratingBattVol;
            QVERIFY(feed(m, "F", reply("F", s)));
        }
        QVERIFY(feed(m, "Q1", q1(status, battVol)));
        QCOMPARE(m.upsData()->battCapacity, capacity);
        QCOMPARE(int(m.upsData()->battRemainTime), remain);
        QCOMPARE(m.devData().value("battCapacity").toFloat(), capacity);
        QCOMPARE(m.devData().value("battRemainTime").toInt(), remain);
    }

    void batteryFromBpAndBt()
    {
        Megatec m;
        QVERIFY(feed(m, "BT", reply("BT")));
        QVERIFY(feed(m, "BP", reply("BP")));
        QVERIFY(feed(m, "Q1", q1("00000000", 2.3)));
        QCOMPARE(m.upsData()->battCapacity, 87.5f);
        QCOMPARE(int(m.upsData()->battRemainTime), 45);
        QCOMPARE(m.upsData()->btSecondValue, 12.5f);
        // Next cycle without a BP answer: the estimate replaces both.
        QVERIFY(feed(m, "Q1", q1("00000000", 2.3)));
        QCOMPARE(m.upsData()->battCapacity, 100.0f);
        QCOMPARE(int(m.upsData()->battRemainTime), 120);
    }

    void identityTexts()
    {
        State s;
        s.company = "COMPANY-FIFTEEN";
        s.model = "MODEL-TEN!";
        s.version = "V1.2.3";
        Megatec m;
        QVERIFY(feed(m, "I", reply("I", s)));
        QCOMPARE(m.devData().value("compName").toString(), QString("COMPANY-FIFTEEN"));
        QCOMPARE(m.devData().value("UPSModel").toString(), QString("MODEL-TEN!"));
        QCOMPARE(m.devData().value("version").toString(), QString("V1.2.3    "));

        // NQU is published with the next updateInfo; a later I changes only the version.
        s.serial = "SERIAL-TWENTY-ONE-XYZ";
        s.nquModel = "A MODEL OF TWENTY CH";
        s.nquCompany = "TEN CHARS!";
        s.version = "V9";
        Megatec m2;
        QVERIFY(feed(m2, "NQU", reply("NQU", s)));
        QCOMPARE(m2.devData().value("sn").toString(), QString());
        QVERIFY(feed(m2, "I", reply("I", s)));
        const QVariantMap data = m2.devData();
        QCOMPARE(data.value("sn").toString(), QString("SERIAL-TWENTY-ONE-XYZ"));
        QCOMPARE(data.value("UPSModel").toString(), QString("A MODEL OF TWENTY CH"));
        QCOMPARE(data.value("compName").toString(), QString("TEN CHARS!"));
        QCOMPARE(data.value("version").toString(), QString("V9        "));
    }

    void userCommands()
    {
        Megatec m;
        // The later of two queued commands goes first; both survive a reset.
        m.setBuzzer();
        m.setShutdown(false, 3);
        m.reset();
        QCOMPARE(commands(m, 3), (Commands{"C\r", "Q\r", "BT\r"}));

        // Refused: out of range, negative, nothing to cancel, unknown type.
        m.setShutdown(true, 11);
        m.setShutdown(true, -1);
        m.setSelfTest(4, 100);
        m.setSelfTest(4, 0);
        m.setSelfTest(1, 0);
        m.setSelfTest(7, 0);
        QCOMPARE(m.nextCommand(), QByteArray("BP\r"));
        // During a self-test only its cancel goes out.
        m.updateStatus(0x20);
        m.setSelfTest(2, 0);
        m.setSelfTest(3, 0);
        m.setSelfTest(4, 5);
        QCOMPARE(m.nextCommand(), QByteArray("NQU\r"));
        m.setSelfTest(1, 0);
        QCOMPARE(m.nextCommand(), QByteArray("CT\r"));
    }

    void statusChangeCallOrder()
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

        // The same status again: no calls at all.
        QSignalSpy listChanged(alarm, &Alarm::alarmNumChanged);
        m.updateStatus(0x81);
        QCOMPARE(listChanged.count(), 0);
        QCOMPARE(alarmRows().size(), 4);

    }

    void statusTransitions_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("gone");
        auto row = [](const char *name, int from, int to, QList<int> shown, QList<int> gone) {
            QTest::newRow(name) << from << to << shown << gone;
        };
        row("mains and buzzer back", 0x81, 0x00, {Alarm::MainsNormal, Alarm::BuzzerOff}, {Alarm::MainsFault});
        row("battery low, UPS fault", 0x00, 0x0A, {Alarm::BattVolLow, Alarm::UPSFault}, {});
        row("both back, output off", 0x0A, 0x40, {Alarm::BattVolNormal, Alarm::UPSNormal, Alarm::InPowerOff},
            {Alarm::BattVolLow, Alarm::UPSFault});
        row("bit 2 with bit 4", 0x10, 0x14, {Alarm::BoostOrBuck}, {Alarm::BypassSupply});
        row("bit 2 with bit 4 off", 0x14, 0x10, {Alarm::BoostOrBuckReturn}, {Alarm::BoostOrBuck});
        row("bit 2 alone", 0x00, 0x04, {Alarm::BypassSupply}, {Alarm::BoostOrBuck});
        row("bit 2 alone off", 0x04, 0x00, {Alarm::RecSupply}, {Alarm::BypassSupply});
    }

    void statusTransitions()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, gone);
        Megatec m;
        m.updateStatus(quint8(from));
        m.updateStatus(quint8(to));
        for (int code : shown)
            QVERIFY2(listed(code), qPrintable(QString::number(code)));
        for (int code : gone)
            QVERIFY2(!listed(code), qPrintable(QString::number(code)));
    }

    void alarmWords()
    {
        const int code = 0x10023; // unit 1, word 2, bit 3
        QVERIFY(!Alarm::instance()->alarmText(code).isEmpty());
        Megatec m;
        quint16 words[13] = {};
        words[2] = 0x0008;
        Alarm::instance()->addEvent(code + 500);
        m.updateAlarm(1, words);
        QVERIFY(listed(code));
        QVERIFY(!listed(code + 500));

        words[2] = 0;
        m.updateAlarm(1, words);
        QVERIFY(!listed(code));
        QVERIFY(listed(code + 500));
        QCOMPARE(alarmRows().mid(alarmRows().size() - 2), (QList<int>{code, code + 500}));

        // Through the A1 reply: unit then 13 hexadecimal words.
        State s;
        s.alarmWords[2] = 0x0008;
        QVERIFY(feed(m, "A1", reply("A1", s)));
        QVERIFY(listed(code));
    }

    void newAlarmUnit()
    {
        Megatec m;
        quint16 words[13] = {};
        words[0] = 0x0001;
        m.updateAlarm(1, words);
        QVERIFY(listed(0x10000));

        // Another unit zeroes the words: what is set is raised again, the
        // first unit's alarm stays listed.
        const int before = alarmRows().size();
        m.updateAlarm(2, words);
        QVERIFY(listed(0x20000));
        QVERIFY(listed(0x10000));
        QCOMPARE(alarmRows().size(), before + 1);
        // The unit is taken as a byte: 258 is unit 2, nothing changes.
        m.updateAlarm(258, words);
        QCOMPARE(alarmRows().size(), before + 1);
    }

    void devDataKeysAndLists()
    {
        Megatec m;
        QVariantMap data = m.devData();
        QCOMPARE(data.size(), 26);
        QVERIFY(!data.contains("devOnline"));
        QCOMPARE(data.value("inputVolList").toList().size(), 1);

        for (int i = 0; i < 61; ++i) {
            State s;
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

    void resetPublishesZeros()
    {
        Megatec m;
        QSignalSpy changed(&m, &Megatec::dataChanged);
        m.reset(); // offline: no signal
        QCOMPARE(changed.count(), 0);

        QVERIFY(feed(m, "F", reply("F")));
        QVERIFY(feed(m, "I", reply("I")));
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
};

AMBREL_TEST_MAIN(TestMegatec)
#include "tst_megatec.moc"
