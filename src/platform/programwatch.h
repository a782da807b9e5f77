#ifndef PROGRAMWATCH_H
#define PROGRAMWATCH_H

#include "processtable.h"

#include <QString>

class ProgramWatchPrivate;

// Whether a program file runs, asked again and again (once a second by the
// service), without reading every process of the machine each time: the
// process table (ProcessTable::processes) is read at the first look, at the next
// two looks after the file has been started, ended or replaced (as the file
// system tells of the file and its folder), and at every 30th look in any
// case. Where the system tells nothing, every look reads the table.
class ProgramWatch
{
public:
    // procRoot is "/proc" but for tests.
    explicit ProgramWatch(const QString &executable, const QString &procRoot = QStringLiteral("/proc"));
    ~ProgramWatch();
    ProgramWatch(const ProgramWatch &) = delete;
    ProgramWatch &operator=(const ProgramWatch &) = delete;

    // The processes that run the program, as the last reading found them.
    QList<ProcessTable::Process> processes();

private:
    ProgramWatchPrivate *d;
};

#endif // PROGRAMWATCH_H
