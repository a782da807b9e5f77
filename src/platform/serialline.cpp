#include "serialline.h"

#include "serialportlock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <asm/termbits.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
// How often the output queue is looked at while it empties.
const int kQueueCheckMs = 2;
// The most one notice of arriving bytes reads; the rest comes with the next.
const int kReadChunks = 16;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

class SerialLinePrivate
{
public:
    // Raw 8N1 without flow control at the baud rate, any rate the driver
    // takes (14400 has no constant of its own).
    bool applySettings();
    // Reads what has arrived and tells of it; whether anything came.
    bool readAvailable();
    // Hands what waits to the driver, as far as it takes it.
    bool flush();
    void failed(const QString &why);

    SerialLine *q = nullptr;
    QString portName;
    int baud = 9600;
    int fd = -1;
    termios2 saved {};
    SerialPortLock::Lock lock;
    QSocketNotifier *reader = nullptr;
    QSocketNotifier *writer = nullptr;
    QByteArray received;
    QByteArray pending;
    QString error;
    bool broken = false;
};

bool SerialLinePrivate::applySettings()
{
    termios2 line;
    if (baud <= 0) {
        errno = EINVAL;
        return false;
    }
    if (::ioctl(fd, TCGETS2, &line) != 0)
        return false;
    line.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    line.c_iflag |= IGNPAR;
    line.c_oflag &= ~tcflag_t(OPOST);
    line.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    line.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD | (CBAUD << IBSHIFT));
    line.c_cflag |= CS8 | CLOCAL | CREAD | BOTHER | (BOTHER << IBSHIFT);
    line.c_ispeed = line.c_ospeed = speed_t(baud);
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    return ::ioctl(fd, TCSETS2, &line) == 0;
}

bool SerialLinePrivate::readAvailable()
{
    char buffer[4096];
    const int before = received.size();
    for (int chunk = 0; chunk < kReadChunks; ++chunk) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break;
        // An end of file on a line is its hang-up.
        const QString why = n == 0 ? QStringLiteral("the line hung up") : systemError(errno);
        reader->setEnabled(false);
        const bool came = received.size() > before;
        if (came)
            emit q->readyRead();
        failed(why);
        return came;
    }
    if (received.size() <= before)
        return false;
    emit q->readyRead();
    return true;
}

bool SerialLinePrivate::flush()
{
    while (!pending.isEmpty()) {
        const ssize_t n = ::write(fd, pending.constData(), size_t(pending.size()));
        if (n > 0) {
            pending.remove(0, int(n));
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else if (n < 0 && errno != EINTR) {
            error = systemError(errno);
            pending.clear();
            writer->setEnabled(false);
            return false;
        }
    }
    writer->setEnabled(!pending.isEmpty());
    return true;
}

// Told from the event loop, not inside the line's own notice, and only to a
// line that has not been closed since.
void SerialLinePrivate::failed(const QString &why)
{
    if (fd < 0 || broken)
        return;
    error = why;
    broken = true;
    QMetaObject::invokeMethod(q, [this] {
        if (broken)
            emit q->failed();
    }, Qt::QueuedConnection);
}

SerialLine::SerialLine(QObject *parent)
    : QObject(parent), d(new SerialLinePrivate)
{
    d->q = this;
}

SerialLine::~SerialLine()
{
    close();
    delete d;
}

void SerialLine::setPortName(const QString &name)
{
    d->portName = name;
}

QString SerialLine::portName() const
{
    return d->portName;
}

bool SerialLine::setBaudRate(int baud)
{
    d->baud = baud;
    return d->fd < 0 || d->applySettings();
}

bool SerialLine::open()
{
    if (d->fd >= 0)
        return true;
    if (!SerialPortLock::take(d->portName, &d->lock, &d->error))
        return false;
    const QByteArray path = QFile::encodeName(SerialPortLock::devicePath(d->portName));
    d->fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (d->fd < 0 || ::ioctl(d->fd, TIOCEXCL) != 0 || ::ioctl(d->fd, TCGETS2, &d->saved) != 0
        || !d->applySettings()) {
        d->error = systemError(errno);
        if (d->fd >= 0)
            ::close(d->fd);
        d->fd = -1;
        SerialPortLock::release(d->lock);
        return false;
    }
    d->reader = new QSocketNotifier(d->fd, QSocketNotifier::Read, this);
    connect(d->reader, &QSocketNotifier::activated, this, [this] { d->readAvailable(); });
    d->writer = new QSocketNotifier(d->fd, QSocketNotifier::Write, this);
    d->writer->setEnabled(false);
    connect(d->writer, &QSocketNotifier::activated, this, [this] {
        if (!d->flush())
            d->failed(d->error);
    });
    return true;
}

bool SerialLine::isOpen() const
{
    return d->fd >= 0;
}

void SerialLine::close()
{
    if (d->fd < 0)
        return;
    delete d->reader;
    delete d->writer;
    d->reader = d->writer = nullptr;
    ::ioctl(d->fd, TCSETS2, &d->saved);
    ::ioctl(d->fd, TIOCNXCL);
    ::close(d->fd);
    d->fd = -1;
    d->received.clear();
    d->pending.clear();
    d->broken = false;
    SerialPortLock::release(d->lock);
}

QByteArray SerialLine::readAll()
{
    QByteArray all;
    all.swap(d->received);
    return all;
}

void SerialLine::clearInput()
{
    if (d->fd >= 0)
        ::ioctl(d->fd, TCFLSH, TCIFLUSH);
    d->received.clear();
}

bool SerialLine::waitForReadyRead(int msecs)
{
    QElapsedTimer waited;
    waited.start();
    while (d->fd >= 0 && !d->broken) {
        const qint64 left = msecs - waited.elapsed();
        pollfd line {d->fd, POLLIN, 0};
        const int ready = left > 0 ? ::poll(&line, 1, int(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        if (d->readAvailable())
            return true;
    }
    return false;
}

qint64 SerialLine::write(const QByteArray &data)
{
    if (d->fd < 0) {
        d->error = systemError(EBADF);
        return -1;
    }
    d->pending.append(data);
    return d->flush() ? data.size() : -1;
}

qint64 SerialLine::bytesToWrite() const
{
    return d->pending.size();
}

bool SerialLine::waitForBytesWritten(int msecs)
{
    QElapsedTimer waited;
    waited.start();
    while (d->fd >= 0 && !d->pending.isEmpty()) {
        const qint64 left = msecs - waited.elapsed();
        pollfd line {d->fd, POLLOUT, 0};
        const int ready = left > 0 ? ::poll(&line, 1, int(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || !d->flush())
            return false;
    }
    return d->fd >= 0;
}

bool SerialLine::drain(int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    // The driver's queue first, within the time given: a line that does not
    // send must not hold the caller up.
    for (;;) {
        int queued = 0;
        if (d->fd < 0 || ::ioctl(d->fd, TIOCOUTQ, &queued) != 0)
            return false;
        if (queued == 0)
            break;
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(kQueueCheckMs);
    }
    // Then what the hardware still holds, a few characters at most (tcdrain).
    return ::ioctl(d->fd, TCSBRK, 1) == 0;
}

QString SerialLine::errorString() const
{
    return d->error;
}
