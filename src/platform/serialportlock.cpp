#include "serialportlock.h"

#include "processtable.h"
#include "systemaccount.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folders serial-port libraries try for their lock files, in their
// order: the first one the program may read and write is taken.
const char *const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                    "/tmp", "/var/lock/lockdev", "/run/lock"};

// A lock file holds a process id, a program name and a host name: anything
// larger is no lock file and is never read.
constexpr qint64 kMaxLockSize = 512;
// The entries of a planted folder that one look removes; the rest goes at
// the next.
constexpr int kMaxRemovals = 4096;

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

// The process id at the start of the lock file open as fd, which fstat
// found as entry (the library writes it on a line of its own; other programs
// pad it with blanks), 0 when it names none; -1 when it is no lock file:
// nothing else than a small regular file is read, and no more than a lock
// file holds.
qint64 readPid(int fd, const struct stat &entry)
{
    char text[kMaxLockSize + 1];
    ssize_t n = -1;
    if (S_ISREG(entry.st_mode) && entry.st_size <= kMaxLockSize)
        n = ::read(fd, text, sizeof text);
    if (n < 0 || n > kMaxLockSize)
        return -1;
    const QByteArray content(text, int(n));
    bool ok = false;
    const qint64 pid = content.left(content.indexOf('\n')).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

// Whether path still names what was found there as entry.
bool stillThere(const QByteArray &path, const struct stat &entry)
{
    struct stat now;
    return ::lstat(path.constData(), &now) == 0 && now.st_dev == entry.st_dev && now.st_ino == entry.st_ino;
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

// As serial-port libraries form it.
QString SerialPortLock::devicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

QString SerialPortLock::lockFile(const QString &portName)
{
    QString name = devicePath(portName);
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    // Named by the folder's own path (/var/lock is a link to /run/lock).
    for (const char *folder : kLockFolders) {
        if (::access(folder, R_OK | W_OK) == 0)
            return QFileInfo(QString::fromLatin1(folder)).canonicalFilePath() + QStringLiteral("/LCK..") + name;
    }
    return QString();
}

SerialPortLock::Check SerialPortLock::clearFalseLock(const QString &portName)
{
    Check check;
    check.lockFile = lockFile(portName);
    const QByteArray path = QFile::encodeName(check.lockFile);
    if (path.isEmpty())
        return check;
    // What this one open finds is what is decided on: a FIFO opened to be
    // read without waiting has no writer to wait for, and a link is not
    // followed.
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat entry;
    if (fd >= 0 ? ::fstat(fd, &entry) != 0 : errno == ENOENT || ::lstat(path.constData(), &entry) != 0) {
        if (fd >= 0)
            ::close(fd);
        return check;
    }
    // A link, a socket, or what this program may not open is only named.
    check.pid = fd >= 0 ? readPid(fd, entry) : -1;
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
        ::close(fd);
        check.state = Held;
        check.owner = SystemAccount::userName(user);
        return check;
    }
    check.owner = SystemAccount::userName(entry.st_uid);
    // Something put in its place meanwhile is left to the next look.
    const bool folder = fd >= 0 && S_ISDIR(entry.st_mode);
    bool removed = (!folder || emptyFolder(fd)) && stillThere(path, entry);
    if (removed)
        removed = folder ? ::rmdir(path.constData()) == 0 : ::unlink(path.constData()) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (removed) {
        check.state = Cleared;
    } else if (error != ENOENT) { // gone meanwhile: nothing is there
        check.state = Stuck;
        check.error = QString::fromLocal8Bit(std::strerror(error));
    }
    return check;
}

bool SerialPortLock::take(const QString &portName, Lock *lock, QString *error)
{
    lock->path = lockFile(portName);
    const QByteArray path = QFile::encodeName(lock->path);
    if (path.isEmpty()) {
        *error = QStringLiteral("no lock folder can be written");
        return false;
    }
    // The program named as the kernel names it, so that a reader can tell
    // a process that got the id later.
    const QByteArray content = QByteArray::number(qint64(::getpid())) + '\n'
        + QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(QLatin1Char('/'), -1))
        + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0644);
    struct stat made;
    ssize_t written = -1;
    if (fd >= 0 && ::fstat(fd, &made) == 0)
        written = ::write(fd, content.constData(), size_t(content.size()));
    if (written != content.size()) {
        const int why = written >= 0 ? ENOSPC : errno; // written in part: no room
        *error = QStringLiteral("its lock file %1 cannot be made: %2")
                     .arg(lock->path, QString::fromLocal8Bit(std::strerror(why)));
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.constData());
        }
        return false;
    }
    ::close(fd);
    lock->device = made.st_dev;
    lock->inode = made.st_ino;
    return true;
}

void SerialPortLock::release(const Lock &lock)
{
    const QByteArray path = QFile::encodeName(lock.path);
    struct stat entry {};
    entry.st_dev = lock.device;
    entry.st_ino = lock.inode;
    if (!path.isEmpty() && stillThere(path, entry))
        ::unlink(path.constData());
}
