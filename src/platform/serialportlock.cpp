#include "serialportlock.h"

#include "processtable.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folders the serial-port library tries for its lock files, in its
// order: it takes the first one the program may read and write.
const char *const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                    "/tmp", "/var/lock/lockdev", "/run/lock"};

// The device path of a port name, as the serial-port library forms it.
QString devicePath(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

// The process id at the start of a lock file (the library writes it on a
// line of its own; other programs pad it with blanks); 0 when there is none.
qint64 readPid(const QByteArray &path)
{
    // Neither a link planted in the lock's place nor a pipe that never ends
    // may be followed.
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat info;
    char text[32];
    ssize_t n = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        n = ::read(fd, text, sizeof text);
    ::close(fd);
    if (n <= 0)
        return 0;
    const QByteArray content(text, int(n));
    bool ok = false;
    const qint64 pid = content.left(content.indexOf('\n')).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace

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
    check.pid = S_ISREG(entry.st_mode) ? readPid(path) : 0;

    struct stat device;
    const bool deviceFound = ::stat(QFile::encodeName(devicePath(portName)).constData(), &device) == 0;
    // A process whose open files cannot be looked into is taken to hold it.
    if (check.pid > 0 && deviceFound
        && ProcessTable::holdsFile(check.pid, device.st_dev, device.st_ino) != ProcessTable::Holding::No) {
        check.state = Held;
        return check;
    }
    const int removed = S_ISDIR(entry.st_mode) ? ::rmdir(path.constData()) : ::unlink(path.constData());
    if (removed == 0 || errno == ENOENT) {
        check.state = Cleared;
    } else {
        check.state = Stuck;
        check.error = QString::fromLocal8Bit(std::strerror(errno));
    }
    return check;
}

bool SerialPortLock::makeExclusive(int descriptor)
{
    return descriptor >= 0 && ::ioctl(descriptor, TIOCEXCL) == 0;
}
