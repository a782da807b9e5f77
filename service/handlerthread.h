#ifndef HANDLERTHREAD_H
#define HANDLERTHREAD_H

#include "platform/servicecontrolchannel.h"

#include <QThread>

class ServiceBasePrivate;

// The dispatcher thread of a run as a service: it starts the service and
// then receives every control (the stop signals and the control socket) and
// hands each to the main thread, waiting until it has been carried out.
class HandlerThread : public QThread
{
    Q_OBJECT

public:
    explicit HandlerThread(ServiceBasePrivate *service);

    // Ends the thread's wait for controls. Any thread.
    void finish();

    // False when the service could not be started here.
    bool success = true;
    // True when the process was not started by the service manager.
    bool console = false;

protected:
    void run() override;

private:
    ServiceBasePrivate *service;
    ServiceControlChannel channel;
};

#endif // HANDLERTHREAD_H
