#include "serialportlock.h"

#include "processinfo.h"
#include "processtable.h"

#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QScopedPointer>
#include <QThread>
#include <QWaitCondition>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folders the serial-port library tries for its lock files, in its
// order: it takes the first one the program may read and write.
const char *const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                    "/tmp", "/var/lock/lockdev", "/run/lock"};

// A lock file holds a process id, a program name and a host name: anything
// larger is no lock file and is never read.
constexpr qint64 kMaxLockSize = 512;
// The entries of a planted folder that one look removes; the rest goes at
// the next.
constexpr int kMaxRemovals = 4096;
// How often (ms) the guard of an open looks for a blocked reader.
constexpr unsigned long kGuardPeriod = 20;
// To remove a stale lock the library takes a lock on the name with
// ".rmlock" added, and so on: the names of that chain that the guard watches.
constexpr int kGuardedNames = 4;

// The device path of a port name, as the serial-port library forms it.
QString devicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

QString kindOf(const struct stat &entry)
{
    if (S_ISREG(entry.st_mode))
        return QStringLiteral("a file of %1 bytes").arg(qint64(entry.st_size));
    if (S_ISDIR(entry.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(entry.st_mode))
        return QStringLiteral("a FIFO");
    if (S_ISLNK(entry.st_mode))
        return QStringLiteral("a link");
    if (S_ISSOCK(entry.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

// The process id at the start of a lock file (the library writes it on a
// line of its own; other programs pad it with blanks), 0 when it names none;
// -1 when the path holds no lock file: neither a link nor a pipe that never
// ends is followed, and no more is read than a lock file holds.
qint64 readPid(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? 0 : -1;
    struct stat info;
    char text[kMaxLockSize + 1];
    ssize_t n = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxLockSize)
        n = ::read(fd, text, sizeof text);
    ::close(fd);
    if (n < 0 || n > kMaxLockSize)
        return -1;
    const QByteArray content(text, int(n));
    bool ok = false;
    const qint64 pid = content.left(content.indexOf('\n')).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

// Takes the entry name of the folder top away. A folder in it is not
// descended into: what it holds is moved up into top, to be removed from
// there, so that no depth costs stack or open files.
bool removeEntry(int top, const char *name, unsigned &fresh, int &steps)
{
    if (::unlinkat(top, name, 0) == 0 || errno == ENOENT)
        return true;
    if (errno != EISDIR)
        return false;
    if (::unlinkat(top, name, AT_REMOVEDIR) == 0 || errno == ENOENT)
        return true;
    if (errno != ENOTEMPTY && errno != EEXIST)
        return false;
    const int fd = ::openat(top, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    DIR *inner = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!inner) {
        if (fd >= 0)
            ::close(fd);
        return errno == ELOOP || errno == ENOTDIR || errno == ENOENT; // replaced meanwhile: next pass
    }
    bool moved = true;
    while (const dirent *entry = moved ? ::readdir(inner) : nullptr) {
        if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, ".."))
            continue;
        char target[16];
        int result = -1;
        do {
            if (--steps < 0) {
                errno = ENOTEMPTY;
                break;
            }
            std::snprintf(target, sizeof target, "%u", fresh++);
            result = ::renameat2(::dirfd(inner), entry->d_name, top, target, RENAME_NOREPLACE);
        } while (result != 0 && errno == EEXIST);
        moved = result == 0 || errno == ENOENT;
    }
    const int error = errno;
    ::closedir(inner);
    errno = error;
    return moved;
}

// Empties the open folder top, at most kMaxRemovals entries at a time.
bool emptyFolder(int top)
{
    int steps = kMaxRemovals;
    unsigned fresh = 0;
    for (bool left = true; left;) {
        const int fd = ::openat(top, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR *entries = fd < 0 ? nullptr : ::fdopendir(fd);
        if (!entries) {
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        left = false;
        bool removed = true;
        while (removed) {
            const dirent *entry = ::readdir(entries);
            if (!entry)
                break;
            if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, ".."))
                continue;
            left = true;
            removed = --steps >= 0 && removeEntry(top, entry->d_name, fresh, steps);
        }
        const int error = steps < 0 ? ENOTEMPTY : errno;
        ::closedir(entries);
        errno = error;
        if (!removed || steps < 0)
            return false;
    }
    return true;
}

// Removes the folder at path, which lstat found as entry, with everything in it.
bool removeFolder(const QByteArray &path, const struct stat &entry)
{
    const int top = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (top < 0)
        return false;
    struct stat opened;
    bool emptied = ::fstat(top, &opened) == 0 && opened.st_dev == entry.st_dev && opened.st_ino == entry.st_ino;
    if (!emptied)
        errno = EAGAIN; // replaced meanwhile: looked at again next time
    emptied = emptied && emptyFolder(top);
    const int error = errno;
    ::close(top);
    errno = error;
    return emptied && ::rmdir(path.constData()) == 0;
}

// Gives every reader blocked on a FIFO at the lock path (or along its
// ".rmlock" chain) a writer, and with it an end of file.
void unblockReaders(QByteArray path)
{
    for (int i = 0; i < kGuardedNames; ++i, path += ".rmlock") {
        struct stat entry;
        if (::lstat(path.constData(), &entry) != 0)
            return;
        if (!S_ISFIFO(entry.st_mode))
            continue;
        const int fd = ::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace

QString SerialPortLock::Check::removedLine(const QString &portName) const
{
    if (!found.isEmpty())
        return QStringLiteral("The lock path %1 of the serial port %2 held %3 owned by user %4, which is no lock "
                              "file: it is removed.").arg(lockFile, portName, found, owner);
    return QStringLiteral("The lock file %1 of the serial port %2 named %3: the file is removed.")
        .arg(lockFile, portName,
             pid > 0 ? QStringLiteral("process %1, which does not hold the port open").arg(pid)
                     : QStringLiteral("no process"));
}

QString SerialPortLock::Check::reason() const
{
    if (state == Held)
        return QStringLiteral("it is in use by process %1 of user %2").arg(pid).arg(owner);
    if (state == Stuck)
        return QStringLiteral("its lock path %1 holds %2 owned by user %3, which cannot be removed: %4")
            .arg(lockFile, found.isEmpty() ? QStringLiteral("a lock file") : found, owner, error);
    return QString();
}

QString SerialPortLock::lockFile(const QString &portName)
{
    QString name = devicePath(portName);
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *folder : kLockFolders) {
        if (::access(folder, R_OK | W_OK) == 0)
            return QString::fromLatin1(folder) + QStringLiteral("/LCK..") + name;
    }
    return QString();
}

SerialPortLock::Check SerialPortLock::clearFalseLock(const QString &portName)
{
    Check check;
    check.lockFile = lockFile(portName);
    const QByteArray path = QFile::encodeName(check.lockFile);
    struct stat entry;
    if (path.isEmpty() || ::lstat(path.constData(), &entry) != 0)
        return check;
    check.pid = S_ISREG(entry.st_mode) ? readPid(path) : -1;
    if (check.pid < 0) {
        check.pid = 0;
        check.found = kindOf(entry);
    }

    struct stat device;
    const bool deviceFound = ::stat(QFile::encodeName(devicePath(portName)).constData(), &device) == 0;
    uid_t user = 0;
    // A process whose open files cannot be looked into is taken to hold it.
    if (check.pid > 0 && deviceFound
        && ProcessTable::holdsFile(check.pid, device.st_dev, device.st_ino) != ProcessTable::Holding::No
        && ProcessTable::owner(check.pid, &user)) {
        check.state = Held;
        check.owner = ProcessInfo::userName(user);
        return check;
    }
    check.owner = ProcessInfo::userName(entry.st_uid);
    const bool removed = S_ISDIR(entry.st_mode) ? removeFolder(path, entry) : ::unlink(path.constData()) == 0;
    if (removed) {
        check.state = Cleared;
    } else if (errno != ENOENT) { // gone meanwhile: nothing is there
        check.state = Stuck;
        check.error = QString::fromLocal8Bit(std::strerror(errno));
    }
    return check;
}

bool SerialPortLock::guardOpen(const QString &lockFile, const std::function<bool()> &open)
{
    if (lockFile.isEmpty())
        return open();
    const QByteArray path = QFile::encodeName(lockFile);
    QMutex mutex;
    QWaitCondition ended;
    bool done = false;
    // A guard that does not start leaves the open as it was without it.
    const QScopedPointer<QThread> guard(QThread::create([&] {
        QMutexLocker lock(&mutex);
        while (!done) {
            if (!ended.wait(&mutex, kGuardPeriod))
                unblockReaders(path);
        }
    }));
    guard->start();
    const bool opened = open();
    {
        QMutexLocker lock(&mutex);
        done = true;
    }
    ended.wakeAll();
    guard->wait();
    return opened;
}

bool SerialPortLock::makeExclusive(int descriptor)
{
    return descriptor >= 0 && ::ioctl(descriptor, TIOCEXCL) == 0;
}
