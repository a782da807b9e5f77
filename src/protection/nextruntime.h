#ifndef NEXTRUNTIME_H
#define NEXTRUNTIME_H

#include <QDateTime>
#include <QTime>

// The next moment, after the second of `after` (Clock::now() when invalid),
// at which a scheduled task is due, in local time:
//  - once and every day: today at time when that is still to come, else tomorrow;
//  - every week: on the weekday of the anchor's date;
//  - every month: on the anchor's day of the month (a shorter month gives its
//    last day, or, counting forward from a day before the anchor's, the first
//    days of the next month).
// That second itself counts as passed. A day's run is the moment when the
// local clock first reads the time that day (Clock::localMoment): once in an
// hour that the clocks going back repeat, and at the change for a time that
// the clocks going forward skip. A cycle outside
// ScheduleTaskCycle, an invalid time of day or, for the weekly and monthly
// cycles, an invalid anchor gives an invalid result (never due).
QDateTime nextRunTime(int cycle, const QDateTime &anchor, const QTime &time,
                      const QDateTime &after = QDateTime());

#endif // NEXTRUNTIME_H
