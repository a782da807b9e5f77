#include "fileguard.h"

#include "systemaccount.h"

#include <QFile>

#include <cerrno>
#include <cstring>
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

QString FileGuard::changeableByOthers(const QString &path)
{
    QString item;
    const QStringList names = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = -1; i < names.size(); ++i) {
        item = i < 0 ? QStringLiteral("/") : (i ? item : QString()) + QLatin1Char('/') + names.at(i);
        struct stat info;
        if (lstat(QFile::encodeName(item).constData(), &info) != 0)
            return QStringLiteral("%1 cannot be looked at (%2)").arg(item, QString::fromLocal8Bit(strerror(errno)));
        const QString what = QLatin1String(S_ISDIR(info.st_mode) ? "the folder " : "the file ") + item;
        if (S_ISLNK(info.st_mode))
            return what + QStringLiteral(" is a link");
        if (info.st_uid != 0)
            return what + QStringLiteral(" belongs to user ") + SystemAccount::userName(info.st_uid);
        if (info.st_mode & S_IWOTH)
            return what + QStringLiteral(" may be changed by every user");
        if (info.st_mode & S_IWGRP)
            return what + QStringLiteral(" may be changed by the group ") + SystemAccount::groupName(info.st_gid);
    }
    return QString();
}
