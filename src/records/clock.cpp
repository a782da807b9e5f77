#include "clock.h"

namespace {
QDateTime &fixedTime()
{
    static QDateTime time;
    return time;
}
} // namespace

QDateTime Clock::now()
{
    const QDateTime &fixed = fixedTime();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void Clock::setNow(const QDateTime &dateTime)
{
    fixedTime() = dateTime;
}

void Clock::advance(qint64 seconds)
{
    QDateTime &fixed = fixedTime();
    if (fixed.isValid())
        fixed = fixed.addSecs(seconds);
}

bool Clock::isFixed()
{
    return fixedTime().isValid();
}
