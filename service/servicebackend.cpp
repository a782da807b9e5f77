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
    // Writes a line when the UPS starts or stops answering, so that a
    // service that has lost its UPS says so in the system log.
    void onDevDataChanged();

    QTimer *timer = nullptr;
    bool guiRunning = false;
    bool linkOnline = false;
};

void ServiceBackendPrivate::onDevDataChanged()
{
    const bool online = DevComm::instance()->isOnline();
    if (online == linkOnline)
        return;
    linkOnline = online;
    // Releasing the link to the desktop program is no loss.
    if (guiRunning)
        return;
    if (online)
        qInfo("The UPS answers.");
    else
        qWarning("The UPS does not answer any more.");
}

ServiceBackend::ServiceBackend()
    : QObject(nullptr), d(new ServiceBackendPrivate)
{
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &ServiceBackend::onTimerTimeout);
    connect(DevComm::instance(), &DevComm::devDataChanged, this, [this] { d->onDevDataChanged(); });
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
        qInfo("The desktop program runs: the UPS link is handed to it.");
        DevComm::instance()->stop();
        return;
    }
    qInfo("The desktop program has ended: the UPS link is taken back.");
    // The desktop program may have left changed settings behind: read the
    // file again before the services take their settings from it.
    Settings::instance()->load();
    ServiceScheduleTask::instance()->reload();
    ServiceShutdown::instance()->onSettingsChanged();
    ServiceEMail::instance()->onSettingsChanged();
    DevComm::instance()->start();
}
