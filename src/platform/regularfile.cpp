#include "regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::Status RegularFile::read(const QString &path, qint64 maxSize, QByteArray *content)
{
    content->clear();
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    // Opening some devices acts on them (a serial line's modem lines): look first.
    if (stat(name.constData(), &info) != 0)
        return Unreadable;
    if (!S_ISREG(info.st_mode))
        return NotRegular;
    // The name may have been replaced since: a FIFO must not block the open.
    const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Unreadable;
    Status status = Read;
    if (fstat(fd, &info) != 0) {
        status = Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        status = NotRegular;
    } else {
        // The size told is not trusted: at most one byte more than allowed is read.
        char buffer[16384];
        for (;;) {
            const qint64 wanted = qMin<qint64>(qint64(sizeof(buffer)), maxSize + 1 - content->size());
            const ssize_t n = ::read(fd, buffer, size_t(wanted));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                status = Unreadable;
                break;
            }
            if (n == 0)
                break;
            if (content->size() + n > maxSize) {
                status = TooLarge;
                break;
            }
            content->append(buffer, int(n));
        }
    }
    close(fd);
    if (status != Read)
        content->clear();
    return status;
}
