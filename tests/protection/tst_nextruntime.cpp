// The next-run rule of scheduled tasks, with a fixed "now" in a fixed zone.
#include "records/clock.h"
#include "protection/nextruntime.h"
#include "protection/scheduletaskdata.h"
#include "testenvironment.h"

#include <QtTest>

#include <ctime>

namespace {
QDateTime dt(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}
} // namespace

class TestNextRunTime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Central European time with its daylight-saving rule, whatever the machine uses.
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }

    void cleanup() { Clock::setNow(QDateTime()); }

    void nextRun_data()
    {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("expected"); // empty: invalid

        const int once = ScheduleTaskData::OneShoot;
        const int day = ScheduleTaskData::EveryDay;
        const int week = ScheduleTaskData::EveryWeek;
        const int month = ScheduleTaskData::EveryMonth;
        const QString anyAnchor = QStringLiteral("2020-01-01 00:00:00.000");

        // Daily: the current second counts as passed.
        QTest::newRow("day before") << day << anyAnchor << "12:00:00" << "2024-05-06 11:59:59.900" << "2024-05-06 12:00:00";
        QTest::newRow("day same second") << day << anyAnchor << "12:00:00" << "2024-05-06 12:00:00.000" << "2024-05-07 12:00:00";
        QTest::newRow("day same second late ms") << day << anyAnchor << "12:00:00" << "2024-05-06 12:00:00.999" << "2024-05-07 12:00:00";
        QTest::newRow("day after") << day << anyAnchor << "12:00:00" << "2024-05-06 18:00:00.000" << "2024-05-07 12:00:00";
        QTest::newRow("day year end") << day << anyAnchor << "00:00:00" << "2024-12-31 23:59:59.000" << "2025-01-01 00:00:00";
        QTest::newRow("day leap") << day << anyAnchor << "06:00:00" << "2024-02-28 07:00:00.000" << "2024-02-29 06:00:00";
        // 02:00 to 03:00 does not exist on 31 March 2024.
        QTest::newRow("day in skipped hour") << day << anyAnchor << "02:30:00" << "2024-03-30 09:00:00.000" << "2024-03-31 03:00:00";
        QTest::newRow("week in skipped hour") << week << "2024-03-24 10:00:00.000" << "02:00:00" << "2024-03-30 09:00:00.000" << "2024-03-31 03:00:00";
        QTest::newRow("once before") << once << anyAnchor << "12:00:00" << "2024-05-06 11:59:59.900" << "2024-05-06 12:00:00";
        QTest::newRow("once same second") << once << anyAnchor << "12:00:00" << "2024-05-06 12:00:00.000" << "2024-05-07 12:00:00";

        // Weekly, created on a Wednesday (2024-05-01).
        const QString wednesday = QStringLiteral("2024-05-01 15:30:00.000");
        QTest::newRow("week monday") << week << wednesday << "08:00:00" << "2024-05-06 09:00:00.000" << "2024-05-08 08:00:00";
        QTest::newRow("week friday") << week << wednesday << "08:00:00" << "2024-05-10 09:00:00.000" << "2024-05-15 08:00:00";
        QTest::newRow("week sunday") << week << wednesday << "08:00:00" << "2024-05-12 09:00:00.000" << "2024-05-15 08:00:00";
        QTest::newRow("week wednesday early") << week << wednesday << "08:00:00" << "2024-05-08 07:00:00.000" << "2024-05-08 08:00:00";
        QTest::newRow("week wednesday at") << week << wednesday << "08:00:00" << "2024-05-08 08:00:00.000" << "2024-05-15 08:00:00";
        QTest::newRow("week across month") << week << wednesday << "08:00:00" << "2024-05-30 09:00:00.000" << "2024-06-05 08:00:00";
        QTest::newRow("week sunday anchor") << week << "2024-05-05 10:00:00.000" << "08:00:00" << "2024-05-06 09:00:00.000" << "2024-05-12 08:00:00";

        // Monthly.
        const QString fifth = QStringLiteral("2024-01-05 10:00:00.000");
        QTest::newRow("month after day") << month << fifth << "08:00:00" << "2024-03-20 09:00:00.000" << "2024-04-05 08:00:00";
        QTest::newRow("month before day") << month << fifth << "08:00:00" << "2024-03-03 09:00:00.000" << "2024-03-05 08:00:00";
        QTest::newRow("month same day early") << month << fifth << "08:00:00" << "2024-03-05 07:59:59.000" << "2024-03-05 08:00:00";
        QTest::newRow("month same day at") << month << fifth << "08:00:00" << "2024-03-05 08:00:00.000" << "2024-04-05 08:00:00";
        QTest::newRow("month december") << month << fifth << "08:00:00" << "2024-12-20 09:00:00.000" << "2025-01-05 08:00:00";
        QTest::newRow("month 31st on 30 april") << month << "2024-01-31 10:00:00.000" << "08:00:00" << "2024-04-30 09:00:00.000" << "2024-05-01 08:00:00";
        QTest::newRow("month 30th on 31 january") << month << "2023-11-30 10:00:00.000" << "08:00:00" << "2023-01-31 09:00:00.000" << "2023-02-28 08:00:00";
        QTest::newRow("month 30th on 31 january leap") << month << "2023-11-30 10:00:00.000" << "08:00:00" << "2024-01-31 09:00:00.000" << "2024-02-29 08:00:00";
        QTest::newRow("month 31st same day passed") << month << "2024-01-31 10:00:00.000" << "08:00:00" << "2024-01-31 09:00:00.000" << "2024-02-29 08:00:00";
        QTest::newRow("month 29th in february") << month << "2024-01-29 10:00:00.000" << "08:00:00" << "2023-02-28 09:00:00.000" << "2023-03-01 08:00:00";

        // Outside the cycles, and unreadable stored values.
        QTest::newRow("cycle 4") << 4 << anyAnchor << "08:00:00" << "2024-05-06 09:00:00.000" << "";
        QTest::newRow("cycle -1") << -1 << anyAnchor << "08:00:00" << "2024-05-06 09:00:00.000" << "";
        QTest::newRow("bad time") << day << anyAnchor << "8 o'clock" << "2024-05-06 09:00:00.000" << "";
        QTest::newRow("bad anchor weekly") << week << "yesterday" << "08:00:00" << "2024-05-06 09:00:00.000" << "";
        QTest::newRow("bad anchor monthly") << month << "" << "08:00:00" << "2024-05-06 09:00:00.000" << "";
        QTest::newRow("bad anchor daily") << day << "" << "08:00:00" << "2024-05-06 09:00:00.000" << "2024-05-07 08:00:00";
    }

    void nextRun()
    {
        QFETCH(int, cycle);
        QFETCH(QString, anchor);
        QFETCH(QString, time);
        QFETCH(QString, now);
        QFETCH(QString, expected);

        Clock::setNow(dt(now));
        QVERIFY(Clock::now().isValid());
        const QDateTime result = nextRunTime(cycle, dt(anchor),
                                             QTime::fromString(time, QStringLiteral("hh:mm:ss")));
        if (expected.isEmpty()) {
            QVERIFY(!result.isValid());
        } else {
            QCOMPARE(result.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), expected);
            QCOMPARE(result.timeSpec(), Qt::LocalTime);
        }
    }

    void keepsLocalTimeAcrossDaylightSaving()
    {
        // The last Sunday of March 2024 is 31 March: 08:00 local stays 08:00.
        Clock::setNow(dt("2024-03-30 09:00:00.000"));
        const QDateTime result = nextRunTime(ScheduleTaskData::EveryDay, QDateTime(),
                                             QTime(8, 0));
        QCOMPARE(result.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), QStringLiteral("2024-03-31 08:00:00"));
        QCOMPARE(result.toSecsSinceEpoch() - Clock::now().toSecsSinceEpoch(), qint64(22 * 3600));
    }
};

AMBREL_TEST_MAIN(TestNextRunTime)
#include "tst_nextruntime.moc"
