#ifndef PROCESSTABLE_H
#define PROCESSTABLE_H

#include <QList>
#include <QString>

#include <sys/types.h>

// The processes of the machine as /proc lists them.
class ProcessTable
{
public:
    // One process, told apart from a later one that is given the same id:
    // started is when it started (in clock ticks after the system's start;
    // 0 when that cannot be read).
    struct Process
    {
        qint64 pid = 0;
        quint64 started = 0;
        bool operator==(const Process &other) const { return pid == other.pid && started == other.started; }
    };

    // The processes that run the program file `executable`. Only a process
    // whose name (its "comm", the first 15 bytes of the file name it was
    // started under) equals the file name of `executable` without regard to
    // case is looked at further; it counts when its "exe" link leads to that
    // very file (same device and inode), or, for a program file replaced or
    // removed while it runs, when the link names this path with
    // " (deleted)" on the same file system. A process whose link cannot be
    // read (another user's process, a zombie) or that vanishes meanwhile does
    // not count. procRoot is "/proc" but for tests.
    static QList<Process> processes(const QString &executable, const QString &procRoot = QStringLiteral("/proc"));

    // Whether process pid has the file with this identity (device and inode,
    // of stat) open. Unknown when its open files cannot be looked into
    // (another user's process, to a program that is not root); No when the
    // process does not exist.
    enum class Holding { Yes, No, Unknown };
    static Holding holdsFile(qint64 pid, dev_t device, ino_t inode,
                             const QString &procRoot = QStringLiteral("/proc"));

    // The user that started process pid (its real user id); false when
    // there is no such process.
    static bool owner(qint64 pid, uid_t *user, const QString &procRoot = QStringLiteral("/proc"));

    // Whether the process, and not a later one with its id, has the file
    // that path names (a link followed) open. No when there is no such file.
    static Holding holdsFile(const Process &process, const QString &path,
                             const QString &procRoot = QStringLiteral("/proc"));
};

#endif // PROCESSTABLE_H
