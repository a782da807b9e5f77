#ifndef SERVICESTARTER_H
#define SERVICESTARTER_H

#include <QObject>

class ServiceBasePrivate;

// Calls the service's start() from the event loop of a console run, and its
// stop() when the run is asked to stop.
class ServiceStarter : public QObject
{
    Q_OBJECT

public:
    explicit ServiceStarter(ServiceBasePrivate *service);

public slots:
    void slotStart();
    // Calls stop(), then ends the event loop.
    void slotStop();

private:
    ServiceBasePrivate *service;
};

#endif // SERVICESTARTER_H
