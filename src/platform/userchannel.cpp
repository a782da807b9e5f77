#include "userchannel.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder of this user that nobody else may enter; links are followed.
bool isPrivateFolder(const QString &path)
{
    struct stat info;
    return stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

// Makes path (whose parent exists) a folder of this user alone.
bool makePrivateFolder(const QString &path, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if ((mkdir(name.constData(), 0700) != 0 && errno != EEXIST) || lstat(name.constData(), &info) != 0) {
        *error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
        *error = QStringLiteral("not a folder of this user");
        return false;
    }
    if ((info.st_mode & 077) != 0 && chmod(name.constData(), 0700) != 0) {
        *error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    return true;
}

} // namespace

QString UserChannel::folder(const QString &name, QString *error)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString path;
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime)) {
        path = runtime + QLatin1Char('/') + name;
    } else {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        QDir().mkpath(cache);
        path = cache + QLatin1Char('/') + name + QStringLiteral("-runtime");
    }
    QString reason;
    if (makePrivateFolder(path, &reason))
        return path;
    if (error)
        *error = path + QStringLiteral(": ") + reason;
    return QString();
}

bool UserChannel::isPeerOfThisUser(qintptr socketDescriptor)
{
    ucred peer{};
    socklen_t size = sizeof(peer);
    return getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && size == sizeof(peer) && peer.uid == geteuid();
}
