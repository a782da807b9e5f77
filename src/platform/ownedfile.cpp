#include "ownedfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OwnedFile::Status OwnedFile::read(const QString &path, const QString &owner, qint64 maxSize, QByteArray *content,
                                   QString *why)
{
    content->clear();
    why->clear();
    const QByteArray name = QFile::encodeName(path);
    // Looked at first: opening some devices acts on them.
    struct stat seen;
    if (::lstat(name.constData(), &seen) != 0)
        return Absent;
    if (!S_ISREG(seen.st_mode))
        *why = S_ISLNK(seen.st_mode) ? QStringLiteral("a link")
            : S_ISFIFO(seen.st_mode) ? QStringLiteral("a FIFO")
                                     : QStringLiteral("no regular file");
    else if (QString::number(seen.st_uid) != owner)
        *why = QStringLiteral("a file of user %1").arg(seen.st_uid);
    else if (seen.st_size > maxSize)
        *why = QStringLiteral("a file of %1 bytes").arg(seen.st_size);
    if (!why->isEmpty())
        return Refused;

    // The name may have been replaced since: whatever is opened must be what
    // was looked at, and a FIFO put there meanwhile does not block.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Absent : (*why = QString::fromLocal8Bit(std::strerror(errno)), Refused);
    struct stat opened;
    char buffer[4096];
    ssize_t n = -1;
    int error = 0;
    if (::fstat(fd, &opened) == 0 && opened.st_dev == seen.st_dev && opened.st_ino == seen.st_ino) {
        // One byte more than allowed tells a file that has grown.
        const size_t wanted = size_t(qMin<qint64>(maxSize + 1, qint64(sizeof buffer)));
        do {
            n = ::read(fd, buffer, wanted);
        } while (n < 0 && errno == EINTR);
        error = errno;
    } else {
        *why = QStringLiteral("a file replaced while it was read");
    }
    ::close(fd);
    if (n > maxSize)
        *why = QStringLiteral("a file larger than %1 bytes").arg(maxSize);
    else if (n < 0 && why->isEmpty())
        *why = QString::fromLocal8Bit(std::strerror(error));
    if (!why->isEmpty())
        return Refused;
    content->append(buffer, int(n));
    return Read;
}
