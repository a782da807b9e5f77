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
};

#endif // CLOCK_H
