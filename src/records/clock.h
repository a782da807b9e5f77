#ifndef CLOCK_H
#define CLOCK_H

#include <QDateTime>

// The one place where the system reads the wall clock for a decision
// (expiry, countdowns, schedules, the daily report). Tests fix or move the
// time here instead of waiting for it.
class Clock
{
public:
    // The current local date and time: the fixed time when one is set,
    // else the system clock.
    static QDateTime now();

    // Fixes the time that now() returns; an invalid value returns to the
    // system clock.
    static void setNow(const QDateTime &dateTime);

    // Moves a fixed time on by the given seconds (no effect on the system clock).
    static void advance(qint64 seconds);

    static bool isFixed();

    // The moment at which the local clock first reads `time` on `date`: in
    // an hour that the clocks going back repeat, the earlier of the two; for
    // a time that the clocks going forward skip, the moment of the change.
    // Invalid for an invalid date or time.
    static QDateTime localMoment(const QDate &date, const QTime &time);
};

#endif // CLOCK_H
