#include "alarm/alarm.h"
#include "link/megatec.h"
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

} // namespace

class TestMegatec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareStore(); }
    void init() { clearAlarms(); }

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

    void statusReply_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<double>("ratingBattVol"); // negative: no F reply
        QTest::addColumn<double>("battVol");
        QTest::addColumn<int>("status");
        QTest::addColumn<float>("capacity");
        QTest::addColumn<int>("remain");
        auto row = [](const char *name, const char *field, double rating, double battVol, int status,
                      float capacity, int remain) {
            QTest::newRow(name) << QByteArray(field) << rating << battVol << status << capacity << remain;
        };
        row("standby, nothing at all", "00001000", -1, 0.0, 0x10, 0, 0);
        row("mains fault", "10000000", -1, 0.0, 0x01, 0, 0);
        row("all bits", "11111111", -1, 0.0, 0xFF, 0, 0);
        row("odd digits count", "30000009", -1, 0.0, 0x81, 0, 0);
        row("not a number", "0000100x", -1, 0.0, 0x00, 0, 0);
        row("on-line, clamped high", "00000000", 24, 2.3, 0x00, 100, 120);
        row("on-line, clamped low", "00000000", 24, 1.5, 0x00, 0, 0);
        row("standby, half", "00001000", 24, 23.6, 0x10, 50, 60);
        row("standby, no rating", "00001000", -1, 27.0, 0x10, 100, 120);
    }

    void statusReply()
    {
        QFETCH(QByteArray, field);
        QFETCH(double, ratingBattVol);
        QFETCH(double, battVol);
        QFETCH(int, status);
        QFETCH(float, capacity);
        QFETCH(int, remain);
        Megatec m;
        if (ratingBattVol >= 0) {
            State s;
            s.ratingBattVol = ratingBattVol;
            QVERIFY(feed(m, "F", reply("F", s)));
        }
        QVERIFY(feed(m, "Q1", q1(field, battVol)));
        QCOMPARE(int(m.upsData()->status), status);
        QCOMPARE(m.devData().value("workState").toInt(), (status >> 4) & 1);
        QCOMPARE(m.devData().value("mainsFault").toInt(), status & 1);
        QCOMPARE(m.upsData()->battCapacity, capacity);
        QCOMPARE(int(m.upsData()->battRemainTime), remain);
        QCOMPARE(m.devData().value("battCapacity").toFloat(), capacity);
        QCOMPARE(m.devData().value("battRemainTime").toInt(), remain);
    }

    void identityTexts()
    {
        const QStringList keys{"compName", "UPSModel", "version", "sn"};
        State s;
        s.company = "COMPANY-FIFTEEN";
        s.model = "MODEL-TEN!";
        s.version = "V1.2.3";
        Megatec m;
        QVERIFY(feed(m, "I", reply("I", s)));
        QCOMPARE(values(m.devData(), keys), (QStringList{"COMPANY-FIFTEEN", "MODEL-TEN!", "V1.2.3    ", ""}));

        // NQU is published at once (I may have been answered before it); a
        // later I changes only the version.
        s.serial = "SERIAL-TWENTY-ONE-XYZ";
        s.nquModel = "A MODEL OF TWENTY CH";
        s.nquCompany = "TEN CHARS!";
        s.version = "V9";
        Megatec m2;
        QVERIFY(feed(m2, "NQU", reply("NQU", s)));
        QCOMPARE(values(m2.devData(), keys),
                 (QStringList{"TEN CHARS!", "A MODEL OF TWENTY CH", "", "SERIAL-TWENTY-ONE-XYZ"}));
        QVERIFY(feed(m2, "I", reply("I", s)));
        QCOMPARE(values(m2.devData(), keys),
                 (QStringList{"TEN CHARS!", "A MODEL OF TWENTY CH", "V9        ", "SERIAL-TWENTY-ONE-XYZ"}));
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

        // A queued switch-off and its cancel: the later takes the other's place.
        Megatec output;
        output.setShutdown(true, 2);
        output.setBuzzer();
        output.setShutdown(false, 0);
        output.setShutdown(true, 3);
        QCOMPARE(commands(output, 3), (Commands{"S03R9999\r", "Q\r", "BT\r"}));
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
        QCOMPARE(values(data, {"load", "temperature", "inputFreq"}), (QStringList{"23", "31.5", "50"}));
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
        skipTo(m, "A1");
        QCOMPARE(commands(m, 5), (Commands{"BT\r", "BP\r", "NQU\r", "Q1\r", "A1\r"}));
        m.reset();
        QCOMPARE(changed.count(), 2);
        const QVariantMap data = m.devData();
        QCOMPARE(values(data, {"devOnline", "inputVol", "mainsFault", "ratingBattVol", "compName"}),
                 (QStringList{"false", "0", "0", "0", ""}));
        QCOMPARE(data.value("inputVolList").toList(), (QVariantList{0.0f, 0.0f, 230.0f, 0.0f}));
        QCOMPARE(int(m.upsData()->status), 0);
        QVERIFY(!m.isOnline());
        // The identity replies are forgotten, so they are asked for again.
        QCOMPARE(commands(m, 7), (Commands{"BT\r", "BP\r", "NQU\r", "F\r", "I\r", "Q1\r", "A1\r"}));

        // A BP answer from before a reset does not vouch for the zeroed
        // capacity: the first status reply after it estimates again.
        QVERIFY(feed(m, "BP", reply("BP")));
        m.reset();
        QVERIFY(feed(m, "Q1", q1("10000000", 2.3)));
        QCOMPARE(m.upsData()->battCapacity, 100.0f);
        QCOMPARE(int(m.upsData()->battRemainTime), 120);
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestMegatec)
#include "tst_megatec.moc"
