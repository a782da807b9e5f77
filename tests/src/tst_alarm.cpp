#include "alarm.h"
#include "clock.h"
#include "database.h"
#include "settings.h"
#include "testenvironment.h"

#include <QSet>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTranslator>

namespace {

// Marks every text of the context "Alarm" so that a test can see that and
// how the texts went through the translator.
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
    for (int code = from; code < to; ++code) {
        if (!Alarm::instance()->alarmText(code).isEmpty())
            ++count;
    }
    return count;
}

} // namespace

class TestAlarm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void textCounts();
    void textTables();
    void returnTexts();
    void textsAreTranslatedAtCallTime();

    void addAlarmOnceOnly();
    void codesWithoutTextAreRefused();
    void eventExpiresAfterTenSeconds();
    void eventRestartsItsTimeWhenAddedAgain();
    void eventFromTheFutureExpires();
    void delAlarmOfUnlistedCode();
    void clearAlarm();
    void familyAlarmAndReturnEvent();
    void allAlarmListsTimeAndText();

private:
    QDateTime m_start;
};

void TestAlarm::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
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

void TestAlarm::textCounts()
{
    QCOMPARE(countWithText(-0x10000, 0x10000), 22);
    QCOMPARE(countWithText(0x10000, 0x10000 + 500), 106);
    QCOMPARE(countWithText(0x20000, 0x20000 + 500), 81);
    // Return events: exactly one per family code with text.
    QCOMPARE(countWithText(0x10000 + 500, 0x20000), 106);
    QCOMPARE(countWithText(0x20000 + 500, 0x20000 + 500 + 0x10000), 81);
    QCOMPARE(countWithText(0x30000 + 500, 0x40000), 0);
    QVERIFY(Alarm::instance()->alarmText(INT_MAX).isEmpty());
    QVERIFY(Alarm::instance()->alarmText(INT_MIN).isEmpty());

    QSet<QString> family1;
    for (int code = 0x10000; code <= 0x100C2; ++code) {
        const QString text = Alarm::instance()->alarmText(code);
        if (!text.isEmpty())
            family1.insert(text);
    }
    QCOMPARE(family1.size(), 105);
}

void TestAlarm::textTables()
{
    Alarm *alarm = Alarm::instance();
    QCOMPARE(alarm->alarmText(Alarm::CommLost), QStringLiteral("Communication lost"));
    QCOMPARE(alarm->alarmText(Alarm::Online), QStringLiteral("UPS backup"));
    QCOMPARE(alarm->alarmText(Alarm::Standby), QStringLiteral("UPS online"));
    QCOMPARE(alarm->alarmText(Alarm::OnBuck), QStringLiteral("On Buck"));
    QCOMPARE(alarm->alarmText(0x10082), QString::fromUtf8("Battery over temperature(>50℃ charging)"));
    QCOMPARE(alarm->alarmText(0x100C2), QStringLiteral("Battery load time is too long"));
    QCOMPARE(alarm->alarmText(0x20076), QString::fromUtf8("Ambient temperature >40℃ or < -20℃"));
    QCOMPARE(alarm->alarmText(0x20078), QStringLiteral("Need to check battery"));
    QCOMPARE(alarm->alarmText(0x10097), alarm->alarmText(0x100A4));

    for (int code : {-1, 22, 0xFFFF, 0x10006, 0x100C3, 0x101F3, 0x20080, 0x20079, 0x201F3})
        QVERIFY2(alarm->alarmText(code).isEmpty(), qPrintable(QString::number(code, 16)));
}

void TestAlarm::returnTexts()
{
    Alarm *alarm = Alarm::instance();
    QCOMPARE(alarm->alarmText(0x101F4), QStringLiteral("Returned from: Input phase sequence error"));
    QCOMPARE(alarm->alarmText(0x2026C), QStringLiteral("Returned from: Need to check battery"));
    QVERIFY(alarm->alarmText(0x101FA).isEmpty()); // return of 0x10006, which has no text
    QVERIFY(alarm->alarmText(0x2026D).isEmpty());
}

void TestAlarm::textsAreTranslatedAtCallTime()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString mains = Alarm::instance()->alarmText(Alarm::MainsFault);
    const QString back = Alarm::instance()->alarmText(0x10000 + 500);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(mains, QStringLiteral("[Input voltage fault]"));
    QCOMPARE(back, QStringLiteral("[Returned from: ][Input phase sequence error]"));
    QCOMPARE(Alarm::instance()->alarmText(Alarm::MainsFault), QStringLiteral("Input voltage fault"));
}

void TestAlarm::addAlarmOnceOnly()
{
    Alarm *alarm = Alarm::instance();
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    Clock::advance(30);
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));

    QCOMPARE(alarm->alarmNum(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(alarmRows(), QList<int>{Alarm::MainsFault});
    // The entry keeps the time of its first addition.
    QCOMPARE(alarm->allAlarm().at(0).toMap().value(QStringLiteral("time")).toString(),
             m_start.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

void TestAlarm::codesWithoutTextAreRefused()
{
    Alarm *alarm = Alarm::instance();
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    QVERIFY(!alarm->addAlarm(22));
    QVERIFY(!alarm->addAlarm(0x10006));
    alarm->addEvent(-5);
    alarm->addEvent(0x101FA);

    QCOMPARE(alarm->alarmNum(), 0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(alarmRows().isEmpty());
}

void TestAlarm::eventExpiresAfterTenSeconds()
{
    Alarm *alarm = Alarm::instance();
    alarm->addAlarm(Alarm::MainsFault);
    alarm->addEvent(Alarm::CommNormal);
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    for (int second = 1; second <= 10; ++second) {
        Clock::setNow(m_start.addSecs(second));
        alarm->onTimerEvent();
        QCOMPARE(alarm->alarmNum(), 2);
    }
    Clock::setNow(m_start.addSecs(11));
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(alarm->allAlarm().at(0).toMap().value(QStringLiteral("alarm")).toString(),
             alarm->alarmText(Alarm::MainsFault));

    // Expired once: later ticks change nothing.
    Clock::advance(20);
    alarm->onTimerEvent();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal}));
}

void TestAlarm::eventRestartsItsTimeWhenAddedAgain()
{
    Alarm *alarm = Alarm::instance();
    alarm->addEvent(Alarm::SelfTestFinished);
    Clock::advance(5);
    alarm->addEvent(Alarm::SelfTestFinished);

    Clock::setNow(m_start.addSecs(15));
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 1);
    Clock::setNow(m_start.addSecs(16));
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 0);
    QCOMPARE(alarmRows(), QList<int>{Alarm::SelfTestFinished});
}

void TestAlarm::eventFromTheFutureExpires()
{
    Alarm *alarm = Alarm::instance();
    alarm->addEvent(Alarm::CommNormal);
    Clock::advance(-60); // the clock is set back
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 0);
}

void TestAlarm::delAlarmOfUnlistedCode()
{
    Alarm *alarm = Alarm::instance();
    alarm->addAlarm(Alarm::MainsFault);
    alarm->addAlarm(Alarm::BattVolLow);
    alarm->addAlarm(Alarm::UPSFault);
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);

    alarm->delAlarm(Alarm::BypassSupply);
    QCOMPARE(changed.count(), 0);

    alarm->delAlarm(Alarm::BattVolLow);
    QCOMPARE(changed.count(), 1);
    const QVariantList list = alarm->allAlarm();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).toMap().value(QStringLiteral("alarm")).toString(), alarm->alarmText(Alarm::MainsFault));
    QCOMPARE(list.at(1).toMap().value(QStringLiteral("alarm")).toString(), alarm->alarmText(Alarm::UPSFault));
}

void TestAlarm::clearAlarm()
{
    Alarm *alarm = Alarm::instance();
    QSignalSpy changed(alarm, &Alarm::alarmNumChanged);
    alarm->clearAlarm();
    QCOMPARE(changed.count(), 1);

    alarm->addAlarm(Alarm::MainsFault);
    alarm->addEvent(Alarm::CommNormal);
    alarm->clearAlarm();
    QCOMPARE(alarm->alarmNum(), 0);
    QCOMPARE(changed.count(), 4);

    // After clearing, a code is new again: another row.
    alarm->addAlarm(Alarm::MainsFault);
    QCOMPARE(alarmRows(), (QList<int>{Alarm::MainsFault, Alarm::CommNormal, Alarm::MainsFault}));

    // The cleared event's timer still runs out without touching the list.
    Clock::advance(11);
    alarm->onTimerEvent();
    QCOMPARE(alarm->alarmNum(), 1);
}

void TestAlarm::familyAlarmAndReturnEvent()
{
    Alarm *alarm = Alarm::instance();
    QVERIFY(alarm->addAlarm(0x10004));
    alarm->delAlarm(0x10004);
    alarm->addEvent(0x10004 + 500);
    QVERIFY(alarm->addAlarm(0x20046));
    alarm->delAlarm(0x20046);
    alarm->addEvent(0x20046 + 500);

    QCOMPARE(alarmRows(), (QList<int>{0x10004, 0x101F8, 0x20046, 0x2023A}));
    const QVariantList list = alarm->allAlarm();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).toMap().value(QStringLiteral("alarm")).toString(),
             QStringLiteral("Returned from: Input N missing"));
    QCOMPARE(list.at(1).toMap().value(QStringLiteral("alarm")).toString(),
             QStringLiteral("Returned from: Battery voltage low"));
}

void TestAlarm::allAlarmListsTimeAndText()
{
    Alarm *alarm = Alarm::instance();
    alarm->addAlarm(Alarm::Online);
    Clock::advance(2);
    alarm->addEvent(Alarm::BuzzerOff);

    const QVariantList list = alarm->allAlarm();
    QCOMPARE(list.size(), 2);
    const QVariantMap second = list.at(1).toMap();
    QCOMPARE(second.value(QStringLiteral("time")).toString(),
             m_start.addSecs(2).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    QCOMPARE(second.value(QStringLiteral("alarm")).toString(), QStringLiteral("Buzzer silent"));
    QCOMPARE(second.keys(), (QStringList{QStringLiteral("alarm"), QStringLiteral("time")}));
}

AMBREL_TEST_MAIN(TestAlarm)
#include "tst_alarm.moc"
