#ifndef BENCHPROCESS_H
#define BENCHPROCESS_H

// Helpers of the benchmarks that measure whole programs from the outside.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QThread>

#include <unistd.h>

namespace BenchProcess {

// CPU seconds (utime + stime) the process has used so far; -1 when it is gone.
inline double cpuSeconds(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = file.readAll();
    // The fields after the name in parentheses; utime and stime are 14 and 15.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// A line of /proc/<pid>/status such as VmHWM, without its name.
inline QByteArray statusField(qint64 pid, const QByteArray &name)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).simplified();
    }
    return {};
}

// Serves the event loop for this long.
inline void waitFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

} // namespace BenchProcess

#endif // BENCHPROCESS_H
