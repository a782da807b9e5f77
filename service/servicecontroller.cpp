#include "service/servicecontroller.h"

#include "platform/servicecontrolchannel.h"
#include "platform/servicemanager.h"
#include "service/servicecontrolstate.h"

#include <QThread>

#include <cerrno>

namespace {
// The stop waits this many times this long for the service to end.
const int kStopPolls = 10;
const int kStopPollMs = 200;
} // namespace

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
    return ServiceManager::isAvailable() && ServiceManager::isInstalled(d_ptr->serviceName);
}

bool ServiceController::isRunning() const
{
    ServiceManager::State state = ServiceManager::Stopped;
    return ServiceManager::isAvailable() && ServiceManager::queryState(d_ptr->serviceName, &state)
           && state != ServiceManager::Stopped;
}

bool ServiceController::start(const QStringList &args)
{
    // The service manager passes no arguments to a service it starts.
    Q_UNUSED(args)
    return ServiceManager::isAvailable() && ServiceManager::start(d_ptr->serviceName);
}

bool ServiceController::stop()
{
    if (!ServiceManager::isAvailable())
        return false;
    if (!ServiceManager::requestStop(d_ptr->serviceName)) {
        qErrnoWarning(errno, "stopping");
        return false;
    }
    ServiceManager::State state = ServiceManager::Stopped;
    if (!ServiceManager::queryState(d_ptr->serviceName, &state))
        return false;
    for (int poll = 0; poll < kStopPolls && state != ServiceManager::Stopped; ++poll) {
        QThread::msleep(kStopPollMs);
        if (!ServiceManager::queryState(d_ptr->serviceName, &state))
            return false;
    }
    return state == ServiceManager::Stopped;
}

bool ServiceController::pause()
{
    return ServiceManager::isAvailable()
           && ServiceControlChannel::send(d_ptr->serviceName, ServiceControlState::ControlPause);
}

bool ServiceController::resume()
{
    return ServiceManager::isAvailable()
           && ServiceControlChannel::send(d_ptr->serviceName, ServiceControlState::ControlContinue);
}

bool ServiceController::sendCommand(int code)
{
    if (code < 0 || code > 127 || !ServiceManager::isAvailable() || !isRunning())
        return false;
    return ServiceControlChannel::send(d_ptr->serviceName, code + 128);
}

bool ServiceController::uninstall()
{
    return ServiceManager::isAvailable() && ServiceManager::uninstall(d_ptr->serviceName);
}
