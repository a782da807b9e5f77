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

} // namespace

bool UserChannel::makePrivateFolder(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if ((mkdir(name.constData(), 0700) != 0 && errno != EEXIST) || lstat(name.constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
        errno = EPERM;
        return false;
    }
    return (info.st_mode & 07777) == 0700 || chmod(name.constData(), 0700) == 0;
}

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
    if (makePrivateFolder(path))
        return path;
    if (error) {
        *error = path + QStringLiteral(": ")
                 + (errno == EPERM ? QStringLiteral("not a folder of this user")
                                   : QString::fromLocal8Bit(strerror(errno)));
    }
    return QString();
}

bool UserChannel::peerUser(qintptr socketDescriptor, uint *uid)
{
    ucred peer{};
    socklen_t size = sizeof(peer);
    if (getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof(peer))
        return false;
    *uid = peer.uid;
    return true;
}

bool UserChannel::isPeerOfThisUser(qintptr socketDescriptor)
{
    uint uid = 0;
    return peerUser(socketDescriptor, &uid) && uid == geteuid();
}
