#include "service/servicecontroller.h"

class ServiceControllerPrivate
{
public:
    QString serviceName;
    ServiceController *q_ptr;
};

ServiceController::ServiceController(const QString &name)
    : d_ptr(new ServiceControllerPrivate{name, this})
{
}

ServiceController::~ServiceController()
{
    delete d_ptr;
}

QString ServiceController::serviceName() const
{
    return d_ptr->serviceName;
}

bool ServiceController::isInstalled() const
{
    return false;
}

bool ServiceController::isRunning() const
{
    return false;
}

bool ServiceController::start(const QStringList &)
{
    return false;
}

bool ServiceController::stop()
{
    return false;
}

bool ServiceController::pause()
{
    return false;
}

bool ServiceController::resume()
{
    return false;
}

bool ServiceController::sendCommand(int)
{
    return false;
}

bool ServiceController::uninstall()
{
    return false;
}
