#include "clock.h"

#include <utility>

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

QDateTime Clock::localMoment(const QDate &date, const QTime &time)
{
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    // Each offset in force from the day before to the day after gives one
    // moment; those at which the clock reads `time` are the candidates.
    const auto reading = std::make_pair(date, time);
    const auto readsBefore = [&reading](const QDateTime &at) {
        return std::make_pair(at.date(), at.time()) < reading;
    };
    QDateTime first, earlier, later;
    for (int day = -1; day <= 1; ++day) {
        const QDateTime near(date.addDays(day), time);
        if (!near.isValid())
            continue;
        const QDateTime at = QDateTime(date, time, Qt::OffsetFromUTC, near.offsetFromUtc()).toLocalTime();
        if (std::make_pair(at.date(), at.time()) == reading)
            first = first.isValid() ? qMin(first, at) : at;
        else
            (readsBefore(at) ? earlier : later) = at;
    }
    if (first.isValid() || !earlier.isValid() || !later.isValid())
        return first;
    // Skipped: the clock reads earlier at one moment and later at the
    // other; the change lies between them, on a whole second.
    qint64 low = earlier.toSecsSinceEpoch(), high = later.toSecsSinceEpoch();
    while (high - low > 1) {
        const qint64 middle = low + (high - low) / 2;
        (readsBefore(QDateTime::fromSecsSinceEpoch(middle)) ? low : high) = middle;
    }
    return QDateTime::fromSecsSinceEpoch(high);
}
