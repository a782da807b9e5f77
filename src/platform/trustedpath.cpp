#include "trustedpath.h"

#include "systemaccount.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The most symbolic links followed, as the system itself does.
const int kMaxLinks = 40;

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    void reset(int other = -1)
    {
        if (fd >= 0)
            ::close(fd);
        fd = other;
    }
    int release()
    {
        const int taken = fd;
        fd = -1;
        return taken;
    }
    int get() const { return fd; }

private:
    int fd;
};

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("the folder");
    if (S_ISLNK(mode))
        return QStringLiteral("the link");
    return QStringLiteral("the file");
}

// Why an entry fails, or nothing.
QString fault(const QString &path, const struct stat &entry, uid_t self)
{
    const QString what = kindOf(entry.st_mode) + QLatin1Char(' ') + path;
    if (entry.st_uid != 0 && entry.st_uid != self)
        return QStringLiteral("%1 belongs to user %2").arg(what, SystemAccount::userName(entry.st_uid));
    const bool othersWrite = entry.st_mode & (S_IWGRP | S_IWOTH);
    if (S_ISLNK(entry.st_mode) || !othersWrite || (S_ISDIR(entry.st_mode) && (entry.st_mode & S_ISVTX)))
        return QString();
    return QStringLiteral("%1 (of user %2, mode %3) may be changed by other users")
        .arg(what, SystemAccount::userName(entry.st_uid))
        .arg(entry.st_mode & 07777, 4, 8, QLatin1Char('0'));
}

QString joined(const QString &folder, const QString &name)
{
    if (name == QLatin1String(".."))
        return folder.section(QLatin1Char('/'), 0, -2, QString::SectionSkipEmpty).prepend(QLatin1Char('/'));
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

QString TrustedPath::check(const QString &path, uint account)
{
    if (account == CurrentAccount)
        account = uint(geteuid());
    if (!path.startsWith(QLatin1Char('/')))
        return QStringLiteral("%1 is no absolute path").arg(path);
    QStringList pending = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString folder = QStringLiteral("/");
    QString here = folder;
    Descriptor dir;
    Descriptor next(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    int links = 0;
    for (;;) {
        struct stat entry;
        if (next.get() < 0 || ::fstat(next.get(), &entry) != 0)
            return QStringLiteral("%1 cannot be looked at (%2)").arg(here, QString::fromLocal8Bit(std::strerror(errno)));
        const QString why = fault(here, entry, uid_t(account));
        if (!why.isEmpty())
            return why;
        if (S_ISLNK(entry.st_mode)) {
            // Its folder passed, so only root or this account can point it
            // elsewhere; what it points at is looked at in turn.
            char target[PATH_MAX];
            const ssize_t size = ::readlinkat(next.get(), "", target, sizeof target);
            if (++links > kMaxLinks || size <= 0 || size == ssize_t(sizeof target))
                return QStringLiteral("the link %1 cannot be followed").arg(here);
            const QString to = QFile::decodeName(QByteArray(target, int(size)));
            pending = to.split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
            if (to.startsWith(QLatin1Char('/'))) {
                folder = QStringLiteral("/");
                dir.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
            }
        } else if (S_ISDIR(entry.st_mode)) {
            folder = here;
            dir.reset(next.release());
        } else if (!pending.isEmpty()) {
            return QStringLiteral("%1 is no folder").arg(here);
        } else {
            return S_ISREG(entry.st_mode) ? QString() : QStringLiteral("%1 is no regular file").arg(here);
        }
        pending.removeAll(QStringLiteral("."));
        if (pending.isEmpty())
            return QStringLiteral("%1 is a folder").arg(folder);
        const QString name = pending.takeFirst();
        here = joined(folder, name);
        next.reset(::openat(dir.get(), QFile::encodeName(name).constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    }
}
