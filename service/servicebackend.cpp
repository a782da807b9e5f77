#include "servicebackend.h"

#include "email/serviceemail.h"
#include "link/devcomm.h"
#include "platform/platform.h"
#include "platform/processdatahome.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFutureWatcher>
#include <QStringList>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// The desktop program's file, beside the service program's.
const char kDesktopProgram[] = "ambrel";
const int kWatchPeriod = 1000;
// Watcher ticks in a row in which no desktop process holds the UPS device
// open, after the hand-over or after one last held it, before the service
// takes the link back.
const int kHoldTicks = 10;
// Watcher ticks after such a take-back in which the service keeps the link
// whoever starts the desktop program: a user who starts it again and again
// would otherwise leave the UPS unwatched nearly all the time.
const int kKeepTicks = 30;

using Process = ProcessTable::Process;
using Holding = ProcessTable::Holding;
using Holder = ProcessTable::Holder;

QByteArray processText(const QList<Process> &processes)
{
    QStringList ids;
    for (const Process &process : processes)
        ids << QString::number(process.pid);
    return ((processes.size() == 1 ? QStringLiteral("process ") : QStringLiteral("processes "))
            + ids.join(QStringLiteral(", ")))
        .toLocal8Bit();
}
} // namespace

class ServiceBackendPrivate
{
public:
    // Where the UPS link is: with the service, handed to the desktop program
    // and not yet seen in use, or seen held by a desktop process.
    enum class Link { Service, OnTrial, Confirmed };

    // The desktop processes that may have the link.
    QList<Process> candidates();
    void handOver();
    // Takes the link back unless a desktop process has been seen holding
    // the UPS device lately, and looks again.
    void checkHolders(const QList<Process> &desktop);
    // The answer of a look.
    void looked();
    void takeBack();

    QTimer *timer = nullptr;
    // Only this very file may take the link: a program of the same name
    // elsewhere (of any user) would switch the protection off.
    QString desktopProgram;
    Link link = Link::Service;
    // The UPS's device file, as the link had it when it was handed over.
    QString device;
    int quietTicks = 0;
    int keepTicks = 0;
    // Processes that had the link and did not use it: they never get it
    // again (a new start of the program does).
    QList<Process> refused;
    // The journal has been told that the shutdown keeps the link here.
    bool toldKept = false;
    // Whether a desktop process holds the UPS device is looked into off the
    // main thread, one look at a time; a tick while one runs counts as one
    // without a holder. A look started before the last take-back is not
    // listened to.
    QFutureWatcher<Holder> look;
    int takeBacks = 0;
    int lookedAt = 0;
    // What the last look found (the holder is looked at first next time).
    Holder found;
    // Looks started, and the number of the last one done.
    int looks = 0;
    int lookDone = 0;
    // The looks started before the countdown wanted a reading of the UPS
    // (-1 while it wants none).
    int wantedAfter = -1;
};

QList<Process> ServiceBackendPrivate::candidates()
{
    const QList<Process> running = Platform::instance()->processesRunning(desktopProgram);
    QList<Process> stillRunning;
    QList<Process> result;
    for (const Process &process : running)
        (refused.contains(process) ? stillRunning : result).append(process);
    refused = stillRunning;
    return result;
}

void ServiceBackendPrivate::handOver()
{
    DevComm *ups = DevComm::instance();
    device = ups->devicePath();
    ups->stop();
    link = Link::OnTrial;
    quietTicks = 0;
    toldKept = false;
}

void ServiceBackendPrivate::checkHolders(const QList<Process> &desktop)
{
    if (!look.isRunning()) {
        lookedAt = takeBacks;
        const QString path = device;
        const Holder last = found;
        ++looks;
        look.setFuture(QtConcurrent::run(
            [desktop, path, last] { return Platform::instance()->findHolder(desktop, path, last); }));
    }
    if (++quietTicks < kHoldTicks)
        return;
    QByteArray why;
    if (found.holding == Holding::Unknown)
        why = " (its open files cannot be looked into)";
    else if (found.cut)
        why = " (not all of its open files could be looked through)";
    const QByteArray what = "the UPS device" + (device.isEmpty() ? QByteArray() : ' ' + device.toLocal8Bit());
    const QByteArray how = link == Link::OnTrial ? "opened " + what + " within" : "held " + what + " open for";
    qWarning("The desktop program (%s) has not %s %d seconds%s: the UPS link is taken back, and not handed to it "
             "again (nor to any other for %d seconds).",
             processText(desktop).constData(), how.constData(), kHoldTicks, why.constData(), kKeepTicks);
    refused += desktop;
    keepTicks = kKeepTicks;
    takeBack();
}

void ServiceBackendPrivate::looked()
{
    // One look runs at a time: the last one started.
    lookDone = looks;
    if (lookedAt != takeBacks || link == Link::Service)
        return;
    found = look.result();
    if (found.holding != Holding::Yes || refused.contains(found.process))
        return;
    quietTicks = 0;
    if (link == Link::OnTrial) {
        link = Link::Confirmed;
        // The desktop program runs its own countdown from here, and
        // leaves its marker of a UPS-off in its user's data home.
        QString dataHome, user;
        ProcessDataHome::find(found.process.pid, &dataHome, &user);
        const bool ended = ServiceShutdown::instance()->linkHandedOver(dataHome, user);
        qInfo("The desktop program (process %lld) holds the UPS device %s open: it watches the UPS now%s",
              found.process.pid, qPrintable(device), ended ? ", and the service's countdown ends." : ".");
    }
}

void ServiceBackendPrivate::takeBack()
{
    ++takeBacks;
    found = Holder();
    DevComm *ups = DevComm::instance();
    // While the desktop program watched the UPS, a switch-off queued here
    // could not reach it; sent now, it would come too late.
    if (link == Link::Confirmed)
        ups->dropQueuedShutdown();
    link = Link::Service;
    quietTicks = 0;
    // The desktop program may have left changed settings behind: read the
    // file again before the services take their settings from it.
    Settings::instance()->load();
    ServiceScheduleTask::instance()->reload();
    ServiceShutdown::instance()->onSettingsChanged();
    ServiceEMail::instance()->onSettingsChanged();
    ups->start();
}

ServiceBackend::ServiceBackend()
    : QObject(nullptr), d(new ServiceBackendPrivate)
{
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &ServiceBackend::onTimerTimeout);
    connect(&d->look, &QFutureWatcher<Holder>::finished, this, [this] { d->looked(); });
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
    if (d->candidates().isEmpty()) {
        DevComm::instance()->start();
    } else {
        qInfo("The desktop program runs: the UPS link is left to it.");
        d->device = DevComm::instance()->devicePath();
        d->link = ServiceBackendPrivate::Link::OnTrial;
    }
    d->timer->start(kWatchPeriod);
}

void ServiceBackend::stop()
{
    DevComm::instance()->stop();
    d->timer->stop();
}

void ServiceBackend::onTimerTimeout()
{
    using Link = ServiceBackendPrivate::Link;
    const QList<Process> desktop = d->candidates();
    // Once the shutdown is under way the service sees it through; a
    // countdown that needs a reading of the UPS gets one.
    const bool wantsReading = ServiceShutdown::instance()->wantsReading();
    const bool shutdownUnderway = ServiceShutdown::instance()->isShuttingDown();
    const bool shuttingDown = shutdownUnderway || wantsReading;
    if (d->link == Link::Service) {
        d->keepTicks = qMax(0, d->keepTicks - 1);
        if (desktop.isEmpty() || shuttingDown) {
            if (!desktop.isEmpty() && !d->toldKept)
                qInfo("The desktop program runs, but the shutdown is under way: the service keeps the UPS link "
                      "until it ends.");
            d->toldKept = !desktop.isEmpty();
            return;
        }
        if (d->keepTicks > 0)
            return;
        qInfo("The desktop program runs: the UPS link is handed to it.");
        d->handOver();
        return;
    }
    if (desktop.isEmpty()) {
        qInfo("The desktop program has ended: the UPS link is taken back.");
        d->takeBack();
        return;
    }
    if (!wantsReading)
        d->wantedAfter = -1;
    if (d->link == Link::OnTrial && wantsReading) {
        // Unless a desktop program holds the device (and so ends the
        // countdown): a look begun after the countdown asked tells.
        if (d->wantedAfter < 0)
            d->wantedAfter = d->looks;
        d->checkHolders(desktop);
        if (d->link != Link::OnTrial || d->lookDone <= d->wantedAfter)
            return;
    }
    if (d->link == Link::OnTrial && shuttingDown) {
        d->toldKept = true;
        if (shutdownUnderway)
            qInfo("The shutdown is under way: the UPS link is taken back from the desktop program until it ends.");
        else
            qInfo("The countdown needs a fresh reading of the UPS: the UPS link is taken back from the desktop "
                  "program.");
        d->takeBack();
        return;
    }
    d->checkHolders(desktop);
}
