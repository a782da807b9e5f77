#include "alarm/alarm.h"
#include "records/clock.h"
#include "records/database.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTranslator>

namespace {

// Brackets every text of the context "Alarm", to show how texts pass the translator.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "Alarm") != 0)
            return QString();
        return QLatin1Char('[') + QString::fromUtf8(sourceText) + QLatin1Char(']');
    }
};

QList<int> alarmRows()
{
    QList<int> codes;
    QSqlQuery query(QStringLiteral("select alarm from alarm order by id"));
    while (query.next())
        codes.append(query.value(0).toInt());
    return codes;
}

int countWithText(int from, int to)
{
    int count = 0;
    for (int code = from; code < to; ++code)
        count += Alarm::instance()->alarmText(code).isEmpty() ? 0 : 1;
    return count;
}

QStringList listed(const char *key = "alarm")
{
    QStringList values;
    for (const QVariant &entry : Alarm::instance()->allAlarm()) {
        const QVariantMap map = entry.toMap(); // "alarm" and "time", nothing else
        values.append(map.size() == 2 ? map.value(QString::fromLatin1(key)).toString() : QStringLiteral("?"));
    }
    return values;
}

} // namespace

class TestAlarm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void texts();
    void addAlarmOnceOnlyAndOnlyWithText();
    void eventExpiry_data();
    void eventExpiry();
    void delAlarmAndClearAlarm();
    void familyAlarmAndReturnEvent();

private:
    QDateTime m_start;
};

void TestAlarm::initTestCase()
{
    TestStore::open();
    m_start = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
}

void TestAlarm::init()
{
    // Let events of earlier cases expire, then start from an empty list.
    Clock::setNow(m_start.addDays(1));
    Alarm::instance()->onTimerEvent();
    Alarm::instance()->clearAlarm();
    QSqlQuery(QStringLiteral("delete from alarm"));
    Clock::setNow(m_start);
}

void TestAlarm::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestAlarm::texts()
{
    QCOMPARE(countWithText(-0x10000, 0x10000), 22);
    QCOMPARE(countWithText(0x10000, 0x10000 + 500), 106);
    QCOMPARE(countWithText(0x20000, 0x20000 + 500), 81);
    // Return events: exactly one per family code with text.
    QCOMPARE(countWithText(0x10000 + 500, 0x20000), 106);
    QCOMPARE(countWithText(0x20000 + 500, 0x20000 + 500 + 0x10000), 81);
    QCOMPARE(countWithText(0x30000 + 500, 0x40000), 0);
    Alarm *alarm = Alarm::instance();
    QVERIFY(alarm->alarmText(INT_MAX).isEmpty() && alarm->alarmText(INT_MIN).isEmpty());
    QCOMPARE(alarm->alarmText(0x20076), QString::fromUtf8("Ambient temperature >40℃ or < -20℃"));
    QCOMPARE(alarm->alarmText(0x101F4), QStringLiteral("Returned from: Input phase sequence error"));
    QVERIFY(alarm->alarmText(0x101FA).isEmpty()); // return of 0x10006, which has no text

    // Translated when asked for, in the context "Alarm".
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(Alarm::instance()->alarmText(Alarm::MainsFault), QStringLiteral("[Input voltage fault]"));
    QCOMPARE(Alarm::instance()->alarmText(0x10000 + 500),
             QStringLiteral("[Returned from: ][Input phase sequence error]"));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(Alarm::instance()->alarmText(Alarm::MainsFault), QStringLiteral("Input voltage fault"));
}

void TestAlarm::addAlarmOnceOnlyAndOnlyWithText()
{
    Alarm *alarm = Alarm::instance();
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    QVERIFY(!alarm->addAlarm(22));
    QVERIFY(!alarm->addAlarm(0x10006));
    alarm->addEvent(-5);
    alarm->addEvent(0x101FA);
    QCOMPARE(changed.count(), 0);

    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    Clock::advance(30);
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    alarm->addEvent(Alarm::BuzzerOff);

    QCOMPARE(alarm->alarmNum(), 2);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::BuzzerOff}));
    // Each entry keeps the time of its first addition.
    QCOMPARE(listed("time"), (QStringList{"2026-03-14 09:26:53", "2026-03-14 09:27:23"}));
    QCOMPARE(listed(), (QStringList{"Input voltage fault", "Buzzer silent"}));
}

void TestAlarm::eventExpiry_data()
{
    QTest::addColumn<int>("addedAgainAt"); // second of a second addEvent, -1 for none
    QTest::addColumn<int>("lastListed");   // last tick second at which the event is listed
    QTest::newRow("added once") << -1 << 10;
    QTest::newRow("added again at t + 5") << 5 << 15;
}

void TestAlarm::eventExpiry()
{
    QFETCH(int, addedAgainAt);
    QFETCH(int, lastListed);
    Alarm *alarm = Alarm::instance();
    alarm->addAlarm(Alarm::MainsFault);
    alarm->addEvent(Alarm::CommNormal);
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    for (int second = 1; second <= lastListed; ++second) {
        Clock::setNow(m_start.addSecs(second));
        if (second == addedAgainAt)
            alarm->addEvent(Alarm::CommNormal);
        alarm->onTimerEvent();
        QCOMPARE(alarm->alarmNum(), 2);
    }
    Clock::setNow(m_start.addSecs(lastListed + 1));
    alarm->onTimerEvent();
    QCOMPARE(listed(), QStringList{alarm->alarmText(Alarm::MainsFault)});
    QCOMPARE(changed.count(), 1);

    // Expired once: later ticks change nothing.
    Clock::advance(20);
    alarm->onTimerEvent();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));

    // An event stamped in the future (the clock was set back) expires too.
    alarm->addEvent(Alarm::SelfTestFinished);
    Clock::advance(-60);
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 1);
}

void TestAlarm::delAlarmAndClearAlarm()
{
    Alarm *alarm = Alarm::instance();
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);
    alarm->clearAlarm(); // empty list: still announced
    QCOMPARE(changed.count(), 1);

    alarm->addAlarm(Alarm::MainsFault);
    alarm->addAlarm(Alarm::BattVolLow);
    alarm->addAlarm(Alarm::UPSFault);
    alarm->addEvent(Alarm::CommNormal);
    changed.clear();
    alarm->delAlarm(Alarm::BypassSupply);
    QCOMPARE(changed.count(), 0);
    alarm->delAlarm(Alarm::BattVolLow);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(listed(), (QStringList{"Input voltage fault", "UPS fault", "Communication established"}));

    alarm->clearAlarm();
    QCOMPARE(alarm->alarmNum(), 0);
    QCOMPARE(changed.count(), 2);

    // After clearing, a code is new again: another row.
    alarm->addAlarm(Alarm::MainsFault);
    QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::BattVolLow, Alarm::UPSFault,
                                      Alarm::CommNormal, Alarm::MainsFault}));
    // The cleared event's timer still runs out without touching the list.
    Clock::advance(11);
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 1);
}

void TestAlarm::familyAlarmAndReturnEvent()
{
    Alarm *alarm = Alarm::instance();
    for (int code : {0x10004, 0x20046}) {
        QVERIFY(alarm->addAlarm(code));
        alarm->delAlarm(code);
        alarm->addEvent(code + 500);
    }

    QCOMPARE(alarmRows(), (QList<int>{0x10004, 0x101F8, 0x20046, 0x2023A}));
    QCOMPARE(listed(), (QStringList{"Returned from: Input N missing", "Returned from: Battery voltage low"}));
}

AMBREL_TEST_MAIN(TestAlarm)
#include "tst_alarm.moc"
