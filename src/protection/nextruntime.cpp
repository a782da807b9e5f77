#include "nextruntime.h"

#include "records/clock.h"
#include "scheduletaskdata.h"

QDateTime nextRunTime(int cycle, const QDateTime &anchor, const QTime &time, const QDateTime &after)
{
    const QDateTime now = (after.isValid() ? after : Clock::now()).toLocalTime();
    if (cycle < ScheduleTaskData::OneShoot || cycle > ScheduleTaskData::EveryMonth
        || !time.isValid())
        return QDateTime();

    // A day's run is one moment (Clock::localMoment), so a clock change
    // neither repeats nor skips it. In whole seconds, the current second
    // counts as passed.
    const QDate today = now.date();
    const QDateTime todays = Clock::localMoment(today, time);
    const bool laterToday = todays.toSecsSinceEpoch() > now.toSecsSinceEpoch();
    const auto on = [&time](const QDate &day) { return Clock::localMoment(day, time); };

    switch (cycle) {
    case ScheduleTaskData::OneShoot:
    case ScheduleTaskData::EveryDay:
        return laterToday ? todays : on(today.addDays(1));

    case ScheduleTaskData::EveryWeek: {
        if (!anchor.date().isValid())
            return QDateTime();
        const int w = anchor.date().dayOfWeek();
        const int d = today.dayOfWeek();
        if (d < w)
            return on(today.addDays(w - d));
        if (d > w)
            return on(today.addDays(w - d + 7));
        return laterToday ? todays : on(today.addDays(7));
    }

    case ScheduleTaskData::EveryMonth: {
        if (!anchor.date().isValid())
            return QDateTime();
        const int m = anchor.date().day();
        const int d = today.day();
        if (d < m)
            return on(today.addDays(m - d));
        if (d > m)
            return on(today.addDays(m - d).addMonths(1));
        return laterToday ? todays : on(today.addMonths(1));
    }
    }
    return QDateTime();
}
