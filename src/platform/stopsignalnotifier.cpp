#include "stopsignalnotifier.h"

#include <QSocketNotifier>

#include <sys/signalfd.h>
#include <unistd.h>

class StopSignalNotifierPrivate
{
public:
    int fd = -1;
    QSocketNotifier *notifier = nullptr;
};

StopSignalNotifier::StopSignalNotifier(ServiceControlChannel::StopSignals which, QObject *parent)
    : QObject(parent), d(new StopSignalNotifierPrivate)
{
    d->fd = ServiceControlChannel::openStopSignalReader(which);
    if (d->fd < 0) {
        qWarning("The stop signals cannot be received: the program ends only with its event loop.");
        return;
    }
    d->notifier = new QSocketNotifier(d->fd, QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, &StopSignalNotifier::onNotifierActivated);
}

StopSignalNotifier::~StopSignalNotifier()
{
    delete d->notifier;
    if (d->fd >= 0)
        close(d->fd);
    delete d;
}

void StopSignalNotifier::onNotifierActivated()
{
    signalfd_siginfo info;
    while (read(d->fd, &info, sizeof(info)) == ssize_t(sizeof(info)))
        emit activated();
}
