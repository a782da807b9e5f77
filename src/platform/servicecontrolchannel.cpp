#include "servicecontrolchannel.h"

#include "servicemanager.h"
#include "userchannel.h"

#include <QFile>
#include <QMutex>
#include <QVarLengthArray>
#include <QVector>

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
// How many peers may wait for their codes at once; the oldest makes room.
const int kMaxPeers = 16;
// The longest line a peer may send: a code of up to four digits.
const int kMaxLine = 5;
// How long a sender waits for the service: the service's loop may be busy.
const int kReplyTimeoutMs = 40000;

QMutex baseMutex;
QString base;

sigset_t stopSignals(ServiceControlChannel::StopSignals which)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    if (which == ServiceControlChannel::SessionStop) {
        sigaddset(&set, SIGHUP);
        sigaddset(&set, SIGQUIT);
    }
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
    uint uid = 0;
    return UserChannel::peerUser(fd, &uid) && (uid == geteuid() || uid == 0);
}

qint64 monotonicMs()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

class ServiceControlChannelPrivate
{
public:
    // A connection that has not sent its code yet.
    struct Peer
    {
        int fd;
        qint64 deadline;
        QByteArray line;
    };
    // What readCode() finds besides a code.
    enum { Refused = -1, Incomplete = -2 };

    // Reads what the peer has sent: its code, Incomplete, or Refused when
    // it cannot send a valid one any more.
    static int readCode(Peer &peer);
    // Closes the peers whose time is up; the time until the next one's end
    // (-1: none waits).
    int expirePeers();
    void dropPeer(int index);

    QString serviceName;
    QString folder;
    QString path;
    int wakeFd = -1;
    int signalFd = -1;
    int listenFd = -1;
    int clientFd = -1;
    // Served side by side, so that an idle one delays no other.
    QVector<Peer> peers;
};

int ServiceControlChannelPrivate::readCode(Peer &peer)
{
    char buffer[kMaxLine + 1];
    const ssize_t n = read(peer.fd, buffer, sizeof(buffer));
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return Incomplete;
    if (n <= 0)
        return Refused;
    peer.line.append(buffer, int(n));
    const QByteArray &line = peer.line;
    const int end = line.indexOf('\n');
    if (end < 0)
        return line.size() > kMaxLine ? Refused : Incomplete;
    if (end != line.size() - 1 || end == 0 || end > kMaxLine - 1)
        return Refused;
    for (int i = 0; i < end; ++i) {
        if (line.at(i) < '0' || line.at(i) > '9')
            return Refused;
    }
    return line.left(end).toInt();
}

int ServiceControlChannelPrivate::expirePeers()
{
    const qint64 now = monotonicMs();
    qint64 next = -1;
    for (int i = peers.size() - 1; i >= 0; --i) {
        if (peers.at(i).deadline <= now)
            dropPeer(i);
        else if (next < 0 || peers.at(i).deadline - now < next)
            next = peers.at(i).deadline - now;
    }
    return int(next);
}

void ServiceControlChannelPrivate::dropPeer(int index)
{
    close(peers.at(index).fd);
    peers.remove(index);
}

ServiceControlChannel::ServiceControlChannel(const QString &serviceName)
    : d(new ServiceControlChannelPrivate)
{
    d->serviceName = serviceName;
    d->wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

ServiceControlChannel::~ServiceControlChannel()
{
    while (!d->peers.isEmpty())
        d->dropPeer(0);
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

void ServiceControlChannel::blockStopSignals(StopSignals which)
{
    const sigset_t set = stopSignals(which);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int ServiceControlChannel::openStopSignalReader(StopSignals which)
{
    const sigset_t set = stopSignals(which);
    return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

void ServiceControlChannel::ignoreFileSizeSignal()
{
    signal(SIGXFSZ, SIG_IGN);
}

QString ServiceControlChannel::runtimeBase()
{
    QMutexLocker lock(&baseMutex);
    return base.isEmpty() ? QStringLiteral("/run") : base;
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
    // The folder that systemd made for the service, when it did.
    const QString runtime = qEnvironmentVariable("RUNTIME_DIRECTORY").section(QLatin1Char(':'), 0, 0);
    d->path = runtime.isEmpty() ? socketPath(d->serviceName) : runtime + QStringLiteral("/control");
    d->folder = d->path.left(d->path.lastIndexOf(QLatin1Char('/')));
    const QByteArray path = QFile::encodeName(d->path);
    sockaddr_un address;
    // An existing folder must be a folder of this user, not a link to one.
    bool ok = d->wakeFd >= 0 && fillAddress(d->path, &address) && UserChannel::makePrivateFolder(d->folder);
    if (ok && (unlink(path.constData()) == 0 || errno == ENOENT)) {
        d->listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ok = d->listenFd >= 0 && bind(d->listenFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
             && chmod(path.constData(), 0600) == 0 && ::listen(d->listenFd, 16) == 0;
    } else {
        ok = false;
    }
    if (ok) {
        d->signalFd = openStopSignalReader();
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
        const int timeout = d->expirePeers();
        QVarLengthArray<pollfd, 3 + kMaxPeers> fds;
        fds.append({d->wakeFd, POLLIN, 0});
        fds.append({d->signalFd, POLLIN, 0});
        fds.append({d->listenFd, POLLIN, 0});
        for (const auto &peer : qAsConst(d->peers))
            fds.append({peer.fd, POLLIN, 0});
        if (poll(fds.data(), nfds_t(fds.size()), timeout) < 0) {
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
        // One peer at a time; the others are still ready at the next poll.
        int ready = 0;
        while (ready < d->peers.size() && !fds[3 + ready].revents)
            ++ready;
        if (ready < d->peers.size()) {
            const int code = ServiceControlChannelPrivate::readCode(d->peers[ready]);
            if (code == ServiceControlChannelPrivate::Incomplete)
                continue;
            if (code == ServiceControlChannelPrivate::Refused) {
                d->dropPeer(ready);
                continue;
            }
            d->clientFd = d->peers.at(ready).fd;
            d->peers.remove(ready);
            return code;
        }
        if (!fds[2].revents)
            continue;
        const int fd = accept4(d->listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            continue;
        if (!peerAllowed(fd)) {
            close(fd);
            continue;
        }
        if (d->peers.size() == kMaxPeers)
            d->dropPeer(0);
        d->peers.append({fd, monotonicMs() + kPeerTimeoutMs, QByteArray()});
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
