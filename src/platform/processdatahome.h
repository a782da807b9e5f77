#ifndef PROCESSDATAHOME_H
#define PROCESSDATAHOME_H

#include <QString>

// Where another process keeps the data of the program it runs, as that
// program finds the folder itself: XDG_DATA_HOME of the environment the
// process started with, else HOME followed by "/.local/share". What a
// process says of itself is only where to look: the caller still checks
// what it finds there.
class ProcessDataHome
{
public:
    // False when the environment cannot be read (another user's process to
    // a program that is not root, a process that has ended, one larger than
    // 1 MiB) or names no absolute folder. owner: the user the process runs
    // as (an id as ProcessInfo::userId() gives it).
    static bool find(qint64 pid, QString *folder, QString *owner,
                     const QString &procRoot = QStringLiteral("/proc"));
};

#endif // PROCESSDATAHOME_H
