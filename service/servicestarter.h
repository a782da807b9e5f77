#ifndef SERVICESTARTER_H
#define SERVICESTARTER_H

#include <QObject>

class ServiceBasePrivate;

// Calls the service's start() from the event loop of a console run.
class ServiceStarter : public QObject
{
    Q_OBJECT

public:
    explicit ServiceStarter(ServiceBasePrivate *service);

public slots:
    void slotStart();

private:
    ServiceBasePrivate *service;
};

#endif // SERVICESTARTER_H
