#ifndef NEXTRUNTIME_H
#define NEXTRUNTIME_H

#include <QDateTime>
#include <QTime>

// The next local date and time, after the second of `after` (Clock::now()
// when invalid), at which a scheduled task is due:
//  - once and every day: today at time when that is still to come, else tomorrow;
//  - every week: on the weekday of the anchor's date;
//  - every month: on the anchor's day of the month (a shorter month gives its
//    last day, or, counting forward from a day before the anchor's, the first
//    days of the next month).
// That second itself counts as passed. A cycle outside
// ScheduleTaskCycle, an invalid time of day or, for the weekly and monthly
// cycles, an invalid anchor gives an invalid result (never due).
QDateTime nextRunTime(int cycle, const QDateTime &anchor, const QTime &time,
                      const QDateTime &after = QDateTime());

#endif // NEXTRUNTIME_H
