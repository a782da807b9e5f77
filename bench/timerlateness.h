#ifndef TIMERLATENESS_H
#define TIMERLATENESS_H

#include <QElapsedTimer>
#include <QTimer>

// A timer of the main thread, as the UPS poll, the alarm expiry and the
// shutdown countdown are, and how late its ticks came at worst.
class TimerLateness
{
public:
    explicit TimerLateness(int intervalMs = 50) : m_interval(intervalMs)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            if (m_last >= 0)
                m_worst = qMax(m_worst, now - m_last - m_interval);
            m_last = now;
        });
        m_clock.start();
        m_timer.start(m_interval);
    }

    // The longest delay of a tick past its interval so far, in ms.
    qint64 worstMs() const { return m_worst; }

private:
    const int m_interval;
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = -1;
    qint64 m_worst = 0;
};

#endif // TIMERLATENESS_H
