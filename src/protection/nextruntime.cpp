#include "nextruntime.h"

#include "records/clock.h"
#include "scheduletaskdata.h"

namespace {

QDateTime at(QDateTime day, const QTime &time)
{
    const QDate date = day.date();
    day.setTime(time);
    if (!day.isValid() && date.isValid()) {
        // The change to summer time skips this time of day: take it with the
        // offset of the day before, which lands as far past the jump as the
        // time lies past its start. Left invalid, the task would drop out
        // of the due list for good.
        const int offset = QDateTime(date.addDays(-1), time).offsetFromUtc();
        day = QDateTime(date, time, Qt::OffsetFromUTC, offset).toLocalTime();
    }
    return day;
}

} // namespace

QDateTime nextRunTime(int cycle, const QDateTime &anchor, const QTime &time, const QDateTime &after)
{
    const QDateTime now = after.isValid() ? after : Clock::now();
    if (cycle < ScheduleTaskData::OneShoot || cycle > ScheduleTaskData::EveryMonth
        || !time.isValid())
        return QDateTime();

    // Whole seconds since midnight; the current second counts as passed.
    const int nowSecs = now.time().msecsSinceStartOfDay() / 1000;
    const int timeSecs = time.msecsSinceStartOfDay() / 1000;
    const bool laterToday = timeSecs - nowSecs > 0;

    switch (cycle) {
    case ScheduleTaskData::OneShoot:
    case ScheduleTaskData::EveryDay:
        return at(laterToday ? now : now.addDays(1), time);

    case ScheduleTaskData::EveryWeek: {
        if (!anchor.date().isValid())
            return QDateTime();
        const int w = anchor.date().dayOfWeek();
        const int d = now.date().dayOfWeek();
        if (d < w)
            return at(now.addDays(w - d), time);
        if (d > w)
            return at(now.addDays(w - d + 7), time);
        return at(laterToday ? now : now.addDays(7), time);
    }

    case ScheduleTaskData::EveryMonth: {
        if (!anchor.date().isValid())
            return QDateTime();
        const int m = anchor.date().day();
        const int d = now.date().day();
        if (d < m)
            return at(now.addDays(m - d), time);
        if (d > m)
            return at(now.addDays(m - d).addMonths(1), time);
        return at(laterToday ? now : now.addMonths(1), time);
    }
    }
    return QDateTime();
}
