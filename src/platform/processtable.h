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

    // The descriptors a look through processes reads at most, so that
    // processes that hold very many cannot make it long.
    static constexpr int kLookBudget = 20000;

    // Whether process pid has the file with this identity (device and inode,
    // of stat) open for reading and writing, through a descriptor that can
    // talk to it: one opened only to name the file (O_PATH), or only to read
    // or only to write it, does not count. Unknown when its open files cannot
    // be looked into (another user's process, to a program that is not
    // root); No when the process does not exist, or when one look does not
    // find it holding the file.
    enum class Holding { Yes, No, Unknown };
    static Holding holdsFile(qint64 pid, dev_t device, ino_t inode,
                             const QString &procRoot = QStringLiteral("/proc"));

    // A process found holding a file (Yes), through one of its descriptors;
    // Unknown when none was, but the open files of one could not be looked
    // into.
    struct Holder
    {
        Holding holding = Holding::No;
        Process process;
        int descriptor = -1;
        // Not every descriptor of the processes was looked at.
        bool cut = false;
    };

    // Which of the processes (not a later one given its id) has the file
    // that path names (a link followed) open for reading and writing, as
    // holdsFile tells. The last holder is looked at first, from the
    // descriptor it held the file through; then the others, those with the
    // fewest descriptors first, until budget descriptors have been read in
    // all (one that refers to the file counts twice: its flags are read
    // too). No when there is no such file.
    static Holder findHolder(const QList<Process> &processes, const QString &path, const Holder &last,
                             int budget = kLookBudget, const QString &procRoot = QStringLiteral("/proc"));

    // The user that started process pid (its real user id); false when
    // there is no such process.
    static bool owner(qint64 pid, uid_t *user, const QString &procRoot = QStringLiteral("/proc"));
};

#endif // PROCESSTABLE_H
