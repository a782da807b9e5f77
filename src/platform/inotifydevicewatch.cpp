#include "inotifydevicewatch.h"

#include <QFile>
#include <QSocketNotifier>
#include <QStorageInfo>
#include <QTimer>

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

InotifyDeviceWatch::InotifyDeviceWatch(const QString &folder, QObject *parent)
    : SerialDeviceWatch(parent)
    , fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(kSettleMs);
    connect(settle, &QTimer::timeout, this, &SerialDeviceWatch::devicesChanged);
    if (fd < 0)
        return;
    const uint32_t mask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF
        | IN_ONLYDIR;
    if (inotify_add_watch(fd, QFile::encodeName(folder).constData(), mask) < 0)
        return;
    watching = true;
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &InotifyDeviceWatch::onReadable);
}

InotifyDeviceWatch::~InotifyDeviceWatch()
{
    delete notifier;
    if (fd >= 0)
        ::close(fd);
}

bool InotifyDeviceWatch::kernelKeepsDev()
{
    return QStorageInfo(QStringLiteral("/dev")).fileSystemType() == "devtmpfs";
}

bool InotifyDeviceWatch::isWatching() const
{
    return watching;
}

void InotifyDeviceWatch::onReadable()
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            // The folder itself went away: nothing more will be reported.
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT))
                watching = false;
            at += ssize_t(sizeof(inotify_event)) + ssize_t(event->len);
        }
    }
    if (!watching)
        notifier->setEnabled(false);
    // A lost watch, and an overflowing queue, ask for the list as much as a change does.
    if (!settle->isActive())
        settle->start();
}
