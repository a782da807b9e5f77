#include "fileguard.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool FileGuard::restrictToOwner(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        close(fd);
        return true;
    }
    struct stat info;
    if (errno != EEXIST || stat(name.constData(), &info) != 0)
        return false;
    return (info.st_mode & 077) == 0 || chmod(name.constData(), info.st_mode & 07700) == 0;
}

bool FileGuard::isAbsentOrRegular(const QString &path)
{
    struct stat info;
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISREG(info.st_mode))
        return true;
    errno = S_ISLNK(info.st_mode) ? ELOOP : EEXIST;
    return false;
}
