#include "servicecontrolchannel.h"

#include "servicemanager.h"

#include <QFile>
#include <QMutex>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// How long a peer may take to send its code.
const int kPeerTimeoutMs = 1000;
// The longest line a peer may send: a code of up to four digits.
const int kMaxLine = 5;
// How long a sender waits for the service: the service's loop may be busy.
const int kReplyTimeoutMs = 40000;

QMutex baseMutex;
QString base;

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

bool fillAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray name = QFile::encodeName(path);
    memset(address, 0, sizeof(*address));
    address->sun_family = AF_UNIX;
    if (name.size() >= int(sizeof(address->sun_path))) {
        errno = ENAMETOOLONG;
        return false;
    }
    memcpy(address->sun_path, name.constData(), name.size());
    return true;
}

bool peerAllowed(int fd)
{
    ucred peer{};
    socklen_t size = sizeof(peer);
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return peer.uid == geteuid() || peer.uid == 0;
}

} // namespace

class ServiceControlChannelPrivate
{
public:
    // The code on the connection fd, or -1 when the peer sent no valid code
    // in time or a signal or an interruption came first.
    int readCode(int fd) const;

    QString serviceName;
    QString folder;
    QString path;
    int wakeFd = -1;
    int signalFd = -1;
    int listenFd = -1;
    int clientFd = -1;
};

int ServiceControlChannelPrivate::readCode(int fd) const
{
    QByteArray line;
    int remainingMs = kPeerTimeoutMs;
    while (remainingMs > 0) {
        pollfd fds[3] = {{fd, POLLIN, 0}, {signalFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        struct timespec before;
        clock_gettime(CLOCK_MONOTONIC, &before);
        const int ready = poll(fds, 3, remainingMs);
        if (ready < 0 && errno != EINTR)
            return -1;
        if (fds[1].revents || fds[2].revents)
            return -1; // the stop or the end of the service comes first
        if (ready > 0 && fds[0].revents) {
            char buffer[kMaxLine + 1];
            const ssize_t n = read(fd, buffer, sizeof(buffer));
            if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR)))
                return -1;
            if (n > 0)
                line.append(buffer, int(n));
            const int end = line.indexOf('\n');
            if (end >= 0) {
                if (end != line.size() - 1 || end == 0 || end > kMaxLine - 1)
                    return -1;
                for (int i = 0; i < end; ++i) {
                    if (line.at(i) < '0' || line.at(i) > '9')
                        return -1;
                }
                return line.left(end).toInt();
            }
            if (line.size() > kMaxLine)
                return -1;
        }
        struct timespec after;
        clock_gettime(CLOCK_MONOTONIC, &after);
        remainingMs -= int((after.tv_sec - before.tv_sec) * 1000 + (after.tv_nsec - before.tv_nsec) / 1000000);
    }
    return -1;
}

ServiceControlChannel::ServiceControlChannel(const QString &serviceName)
    : d(new ServiceControlChannelPrivate)
{
    d->serviceName = serviceName;
    d->wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

ServiceControlChannel::~ServiceControlChannel()
{
    if (d->clientFd >= 0)
        close(d->clientFd);
    if (d->listenFd >= 0) {
        close(d->listenFd);
        unlink(QFile::encodeName(d->path).constData());
        rmdir(QFile::encodeName(d->folder).constData());
    }
    if (d->signalFd >= 0)
        close(d->signalFd);
    if (d->wakeFd >= 0)
        close(d->wakeFd);
    delete d;
}

void ServiceControlChannel::blockStopSignals()
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

QString ServiceControlChannel::runtimeBase()
{
    QMutexLocker lock(&baseMutex);
    if (!base.isEmpty())
        return base;
    if (geteuid() == 0)
        return QStringLiteral("/run");
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QStringLiteral("/run/user/") + QString::number(geteuid());
}

void ServiceControlChannel::setRuntimeBase(const QString &folder)
{
    QMutexLocker lock(&baseMutex);
    base = folder;
}

QString ServiceControlChannel::socketPath(const QString &serviceName)
{
    return runtimeBase() + QLatin1Char('/') + ServiceManager::systemName(serviceName) + QStringLiteral("/control");
}

bool ServiceControlChannel::listen(QString *error)
{
    d->path = socketPath(d->serviceName);
    d->folder = d->path.left(d->path.lastIndexOf(QLatin1Char('/')));
    const QByteArray folder = QFile::encodeName(d->folder);
    const QByteArray path = QFile::encodeName(d->path);
    sockaddr_un address;
    struct stat info;
    const sigset_t set = stopSignals();
    bool ok = d->wakeFd >= 0 && fillAddress(d->path, &address)
              && (mkdir(folder.constData(), 0700) == 0 || errno == EEXIST);
    // An existing folder must be a folder of this user, not a link to one.
    if (ok && (lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid())) {
        errno = EPERM;
        ok = false;
    }
    if (ok && chmod(folder.constData(), 0700) == 0 && (unlink(path.constData()) == 0 || errno == ENOENT)) {
        d->listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ok = d->listenFd >= 0 && bind(d->listenFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
             && chmod(path.constData(), 0600) == 0 && ::listen(d->listenFd, 16) == 0;
    } else {
        ok = false;
    }
    if (ok) {
        d->signalFd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
        ok = d->signalFd >= 0;
    }
    if (!ok && error)
        *error = QString::fromLocal8Bit(strerror(errno));
    return ok;
}

int ServiceControlChannel::nextControl()
{
    answer(false); // a control left unanswered is refused
    for (;;) {
        pollfd fds[3] = {{d->wakeFd, POLLIN, 0}, {d->signalFd, POLLIN, 0}, {d->listenFd, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            return Interrupted;
        }
        if (fds[0].revents)
            return Interrupted;
        if (fds[1].revents) {
            signalfd_siginfo info;
            if (read(d->signalFd, &info, sizeof(info)) == ssize_t(sizeof(info)))
                return StopControl;
            continue;
        }
        if (!fds[2].revents)
            continue;
        const int fd = accept4(d->listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            continue;
        const int code = peerAllowed(fd) ? d->readCode(fd) : -1;
        if (code < 0) {
            close(fd);
            continue;
        }
        d->clientFd = fd;
        return code;
    }
}

void ServiceControlChannel::answer(bool accepted)
{
    if (d->clientFd < 0)
        return;
    ::send(d->clientFd, accepted ? "1\n" : "0\n", 2, MSG_NOSIGNAL);
    close(d->clientFd);
    d->clientFd = -1;
}

void ServiceControlChannel::interrupt()
{
    const uint64_t one = 1;
    if (write(d->wakeFd, &one, sizeof(one)) < 0) {
        // The counter is already set: nextControl() returns anyway.
    }
}

bool ServiceControlChannel::send(const QString &serviceName, int code)
{
    sockaddr_un address;
    if (!fillAddress(socketPath(serviceName), &address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const QByteArray line = QByteArray::number(code) + '\n';
    char reply[2] = {0, 0};
    bool accepted = false;
    if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
        && ::send(fd, line.constData(), size_t(line.size()), MSG_NOSIGNAL) == line.size()) {
        pollfd wait = {fd, POLLIN, 0};
        accepted = poll(&wait, 1, kReplyTimeoutMs) > 0 && read(fd, reply, sizeof(reply)) > 0 && reply[0] == '1';
    }
    const int error = errno;
    close(fd);
    errno = error;
    return accepted;
}
