#include "servicebackend.h"

#include "email/serviceemail.h"
#include "link/devcomm.h"
#include "platform/platform.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"

#include <QTimer>

namespace {
// The image name of the desktop program.
const char kDesktopImage[] = "ambrel";
const int kWatchPeriod = 1000;
} // namespace

class ServiceBackendPrivate
{
public:
    QTimer *timer = nullptr;
    bool guiRunning = false;
};

ServiceBackend::ServiceBackend()
    : QObject(nullptr), d(new ServiceBackendPrivate)
{
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &ServiceBackend::onTimerTimeout);
}

ServiceBackend::~ServiceBackend()
{
    delete d;
}

ServiceBackend *ServiceBackend::instance()
{
    static ServiceBackend *backend = new ServiceBackend;
    return backend;
}

void ServiceBackend::start()
{
    d->guiRunning = isProcessRunning(QLatin1String(kDesktopImage));
    if (!d->guiRunning)
        DevComm::instance()->start();
    d->timer->start(kWatchPeriod);
}

void ServiceBackend::stop()
{
    DevComm::instance()->stop();
    d->timer->stop();
}

bool ServiceBackend::isProcessRunning(const QString &imageName)
{
    return Platform::instance()->isProcessRunning(imageName);
}

void ServiceBackend::onTimerTimeout()
{
    const bool running = isProcessRunning(QLatin1String(kDesktopImage));
    if (running == d->guiRunning)
        return;
    d->guiRunning = running;
    if (running) {
        DevComm::instance()->stop();
        return;
    }
    // The desktop program may have left changed settings behind: read the
    // file again before the services take their settings from it.
    Settings::instance()->load();
    ServiceScheduleTask::instance()->reload();
    ServiceShutdown::instance()->onSettingsChanged();
    ServiceEMail::instance()->onSettingsChanged();
    DevComm::instance()->start();
}
