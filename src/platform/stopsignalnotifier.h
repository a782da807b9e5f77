#ifndef STOPSIGNALNOTIFIER_H
#define STOPSIGNALNOTIFIER_H

#include "servicecontrolchannel.h"

#include <QObject>

class StopSignalNotifierPrivate;

// Tells the event loop of a program that it is asked to stop (SIGTERM, or
// SIGINT from the terminal; for a program of the user's session also
// SIGHUP and SIGQUIT), so that it can end in order. The same stop signals must be
// blocked in every thread first (ServiceControlChannel::blockStopSignals);
// while this object exists they arrive only here.
class StopSignalNotifier : public QObject
{
    Q_OBJECT

public:
    explicit StopSignalNotifier(ServiceControlChannel::StopSignals which = ServiceControlChannel::ServiceStop,
                                QObject *parent = nullptr);
    ~StopSignalNotifier() override;

signals:
    // Once per stop signal received.
    void activated();

private slots:
    void onNotifierActivated();

private:
    StopSignalNotifierPrivate *d;
};

#endif // STOPSIGNALNOTIFIER_H
