#include "service/servicestarter.h"

#include "service/servicebase_p.h"

#include <QCoreApplication>

ServiceStarter::ServiceStarter(ServiceBasePrivate *service)
    : service(service)
{
}

void ServiceStarter::slotStart()
{
    service->q_ptr->start();
}

void ServiceStarter::slotStop()
{
    service->q_ptr->stop();
    QCoreApplication::quit();
}
