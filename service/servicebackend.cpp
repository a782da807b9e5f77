#include "servicebackend.h"

#include "email/serviceemail.h"
#include "link/devcomm.h"
#include "platform/platform.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

namespace {
// The desktop program's file, beside the service program's.
const char kDesktopProgram[] = "ambrel";
const int kWatchPeriod = 1000;
} // namespace

class ServiceBackendPrivate
{
public:
    QTimer *timer = nullptr;
    bool guiRunning = false;
    // Only this very file may take the link: a program of the same name
    // elsewhere (of any user) would switch the protection off.
    QString desktopProgram;
};

ServiceBackend::ServiceBackend()
    : QObject(nullptr), d(new ServiceBackendPrivate)
{
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &ServiceBackend::onTimerTimeout);
    // Taken once: the service's own file may be replaced while it runs.
    d->desktopProgram = QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kDesktopProgram));
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
    d->guiRunning = isProcessRunning(d->desktopProgram);
    if (d->guiRunning)
        qInfo("The desktop program runs: the UPS link is left to it.");
    else
        DevComm::instance()->start();
    d->timer->start(kWatchPeriod);
}

void ServiceBackend::stop()
{
    DevComm::instance()->stop();
    d->timer->stop();
}

bool ServiceBackend::isProcessRunning(const QString &executable)
{
    return Platform::instance()->isProcessRunning(executable);
}

void ServiceBackend::onTimerTimeout()
{
    const bool running = isProcessRunning(d->desktopProgram);
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
