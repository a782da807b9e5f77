#include "service/servicestarter.h"

#include "service/servicebase_p.h"

ServiceStarter::ServiceStarter(ServiceBasePrivate *service)
    : service(service)
{
}

void ServiceStarter::slotStart()
{
    service->q_ptr->start();
}
