#include "serviceshutdown.h"

#include "link/devcomm.h"
#include "pendingupsoff.h"
#include "platform/platform.h"
#include "records/clock.h"
#include "records/settings.h"
#include "shutdownlog.h"
#include "shutdowntask.h"

#include <QCoreApplication>
#include <QTimer>

#include <limits>

namespace {
const quint8 kMainsFault = 0x01;
const quint8 kBatteryLow = 0x02;
// A countdown of "0 minutes" and the remainder a low capacity leaves; also
// the most a low battery leaves of the command file's wait.
const int kShortCountdown = 10;
// Seconds from the UPS-off command after a command file to the second one,
// which goes out with the shutdown request.
const int kUpsOffRepeat = 2;
// Seconds from a refused shutdown request to the next.
const int kPowerOffRetry = 10;
// How long a stop waits for the thread of an ended command file.
const int kTaskEndMs = 5000;
// The age (ms) up to which a reading of the UPS counts as fresh, and the
// seconds a decision of a countdown that the UPS state started waits for a
// fresh one: longer than a link that stops answering takes to count as lost.
const qint64 kFreshReadingMs = 3000;
const int kReadingWait = 15;

// Minutes of a setting in seconds; a setting too large for the counters
// gives the longest count rather than one that wraps and never ends.
int toSeconds(int minutes)
{
    return int(qBound<qint64>(0, qint64(minutes) * 60, std::numeric_limits<int>::max()));
}

int countdownSeconds(int minutes)
{
    return minutes > 0 ? toSeconds(minutes) : kShortCountdown;
}
} // namespace

class ServiceShutdownPrivate
{
public:
    explicit ServiceShutdownPrivate(ServiceShutdown *q);

    void loadSettings();
    // A countdown runs, or the command file at its end, or the UPS-off
    // commands after it.
    bool shutdownUnderway() const { return countdown > 0 || task || upsOffStep > 0; }
    // The countdown is over: the command file runs, the UPS has been told to
    // switch off (and not since to cancel), or the power-off has been asked for.
    bool shuttingDown() const
    {
        return task || upsOffStep > 0 || powerOffWanted || powerOffBusy || powerOffAccepted || pending.sentHere();
    }
    // Whether this tick of the countdown tells the UPS to switch off: with a
    // command file the UPS is told once its wait has ended, so that the
    // UPS's delay counts from the shutdown.
    bool upsOffAtThisCount() const
    {
        return upsOff && !execEnable && (countdown == kShortCountdown || countdown == 2);
    }
    // Whether this tick tells the UPS to switch off or asks for the power-off.
    bool decidesThisTick() const;
    // A countdown that the UPS state started takes these steps only on a
    // fresh reading: while there is none, it waits (false) for a while.
    bool readingAllowsDecision();
    // Ends a countdown and forgets a command file that still runs.
    void stopCountdown();
    void startCommandFile();
    // A low battery leaves the command file a few seconds at most.
    void shortenCommandFileWait();
    void shutDownSystem();
    void requestPowerOff();
    void onPowerOffAnswered(bool accepted);

    // The UPS-off command: a countdown that the UPS state started sends it
    // for protection, one that was asked for as planned.
    void sendUpsOff();

    ServiceShutdown *q;
    QTimer timer;
    Settings *settings;
    DevComm *devComm;
    ShutDownTask *task = nullptr;
    quint8 savedStatus = 0;
    bool enable = false;
    bool autoSave = false;
    bool upsOff = false;
    bool counting = false;
    bool osOff = false;
    bool execEnable = false;
    bool execFinished = false;
    int mainFaultTime = 0;
    int battLowTime = 0;
    int mainFaultCapacity = 0;
    int shutdownMode = 0;
    int upsOffTime = 0;
    int execTime = 0;
    int countdown = 0;
    int execCountdown = 0;
    QString execFile;

    // After a command file: seconds until the second UPS-off command.
    int upsOffStep = 0;
    PendingUpsOff pending;
    // When the UPS answered last; the seconds a decision has waited for a
    // fresh reading; the program stops.
    QDateTime lastReading;
    int readingWaited = 0;
    bool stopping = false;
    // The operating-system shutdown: asked for and not yet accepted, a
    // request on its way, accepted, refused at least once, seconds until
    // the next request.
    bool powerOffWanted = false;
    bool powerOffBusy = false;
    bool powerOffAccepted = false;
    bool powerOffRefused = false;
    int powerOffRetry = 0;
};

ServiceShutdownPrivate::ServiceShutdownPrivate(ServiceShutdown *owner)
    : q(owner), settings(Settings::instance()), devComm(DevComm::instance()), pending(devComm)
{
}

void ServiceShutdownPrivate::loadSettings()
{
    enable = settings->getSettings(Settings::ShutdownEnable).toBool();
    mainFaultTime = settings->getSettings(Settings::ShutdownMainFaultTime).toInt();
    battLowTime = settings->getSettings(Settings::ShutdownBattLowTime).toInt();
    mainFaultCapacity = settings->getSettings(Settings::ShutdownMainFaultCap).toInt();
    shutdownMode = settings->getSettings(Settings::ShutdownMode).toInt();
    autoSave = settings->getSettings(Settings::ShutdownAutoSave).toBool();
    osOff = settings->getSettings(Settings::ShutdownOsOff).toBool();
    upsOff = settings->getSettings(Settings::ShutdownUPSOff).toBool();
    upsOffTime = settings->getSettings(Settings::ShutdownUPSOffTime).toInt();
    execEnable = settings->getSettings(Settings::ShutdownExec).toBool();
    execTime = settings->getSettings(Settings::ShutdownExecTime).toInt();
    execFile = settings->getSettings(Settings::ShutdownExecFile).toString();
}

void ServiceShutdownPrivate::stopCountdown()
{
    countdown = 0;
    execCountdown = 0;
    counting = false;
    upsOffStep = 0;
    readingWaited = 0;
    powerOffWanted = false;
    powerOffAccepted = false;
    powerOffRetry = 0;
    // A command file of the cancelled countdown may go on running, but its
    // end (even one already queued for this thread) no longer shuts the
    // system down.
    task = nullptr;
    execFinished = false;
}

void ServiceShutdownPrivate::startCommandFile()
{
    execCountdown = toSeconds(execTime);
    // A file that never ends keeps its thread waiting. Only the end of the
    // file of the current countdown counts.
    ShutDownTask *started = ShutDownTask::startFor(execFile);
    task = started;
    QObject::connect(task, &QThread::finished, q, [this, started] {
        if (task == started)
            execFinished = true;
    });
}

void ServiceShutdownPrivate::shortenCommandFileWait()
{
    // A wait of 0 is no limit at all.
    if (execCountdown > 0 && execCountdown <= kShortCountdown)
        return;
    execCountdown = kShortCountdown;
    qInfo("The battery is low: the command file gets %d more seconds at most.", kShortCountdown);
}

void ServiceShutdownPrivate::shutDownSystem()
{
    q->writeShutdownLog();
    powerOffWanted = true;
    requestPowerOff();
}

void ServiceShutdownPrivate::requestPowerOff()
{
    // The request is answered later: the tick and the link go on meanwhile.
    if (powerOffBusy)
        return;
    powerOffBusy = true;
    Platform::instance()->powerOff([this](bool accepted) { onPowerOffAnswered(accepted); });
}

void ServiceShutdownPrivate::onPowerOffAnswered(bool accepted)
{
    powerOffBusy = false;
    if (accepted) {
        powerOffAccepted = true;
        powerOffWanted = false;
        powerOffRefused = false;
        qInfo("The operating system has accepted the shutdown.");
        return;
    }
    // A shutdown cancelled meanwhile is not asked for again.
    if (!powerOffWanted)
        return;
    if (!powerOffRefused)
        qWarning("The operating system did not accept the shutdown: this computer stays up while the UPS "
                 "runs down. The shutdown is asked for again every %d seconds.", kPowerOffRetry);
    powerOffRefused = true;
    powerOffRetry = kPowerOffRetry;
}

void ServiceShutdownPrivate::sendUpsOff()
{
    pending.switchOff(upsOffTime, counting ? PendingUpsOff::Protection : PendingUpsOff::Planned);
}

bool ServiceShutdownPrivate::decidesThisTick() const
{
    if (upsOffAtThisCount() || (countdown == 1 && !execEnable && osOff))
        return true;
    if (upsOffStep == 1)
        return true;
    return (execFinished || execCountdown == 1) && (osOff || (task && upsOff));
}

bool ServiceShutdownPrivate::readingAllowsDecision()
{
    if (!counting || !decidesThisTick())
        return true;
    const qint64 age = lastReading.isValid() ? lastReading.msecsTo(Clock::now()) : -1;
    if (age >= 0 && age <= kFreshReadingMs)
        return true;
    if (readingWaited < kReadingWait) {
        if (readingWaited++ == 0)
            qInfo("The last reading of the UPS is too old for the shutdown: it waits for a fresh one.");
        return false;
    }
    if (readingWaited++ == kReadingWait)
        qWarning("The UPS has not been read for %d seconds: the shutdown goes on as its last reading asked.",
                 kReadingWait);
    return true;
}

ServiceShutdown::ServiceShutdown()
    : QObject(nullptr), d(new ServiceShutdownPrivate(this))
{
    connect(&d->timer, &QTimer::timeout, this, &ServiceShutdown::onTimerTimeout);
    connect(d->devComm, &DevComm::devDataChanged, this, &ServiceShutdown::onDevDataChanged);
    // The desktop program's Quit ends its event loop.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ServiceShutdown::stop);
    d->loadSettings();
    d->savedStatus = 0;
}

ServiceShutdown::~ServiceShutdown()
{
    delete d;
}

ServiceShutdown *ServiceShutdown::instance()
{
    static ServiceShutdown *service = new ServiceShutdown;
    return service;
}

void ServiceShutdown::start()
{
    d->pending.load();
    d->timer.start(1000);
}

void ServiceShutdown::stop()
{
    d->timer.stop();
    if (d->shutdownUnderway() || d->pending.mayBePending()) {
        // The UPS's answer to the cancel decides nothing else.
        d->stopping = true;
        d->pending.cancelAtStop(d->powerOffAccepted);
        d->stopping = false;
    }
    Platform::instance()->endCommandFiles();
    if (d->task && !d->task->wait(kTaskEndMs))
        qWarning("The command file did not end.");
    d->stopCountdown();
}

void ServiceShutdown::startCountdown(int minutes)
{
    if (d->shutdownUnderway())
        return;
    const int seconds = countdownSeconds(minutes);
    d->countdown = seconds;
    d->powerOffAccepted = false;
    emit shutdownStarted(seconds);
}

void ServiceShutdown::writeShutdownLog()
{
    ShutdownLog::write(ShutdownLog::path(), Platform::instance()->visibleWindows());
}

#ifdef AMBREL_SERVICE
bool ServiceShutdown::isShuttingDown() const
{
    return d->shuttingDown();
}

bool ServiceShutdown::wantsReading() const
{
    return d->readingWaited > 0 && d->readingWaited <= kReadingWait;
}

bool ServiceShutdown::linkHandedOver(const QString &dataHome, const QString &user)
{
    if (!dataHome.isEmpty())
        d->pending.addOtherDataHome(dataHome, user);
    d->savedStatus = 0;
    if (!d->counting)
        return false;
    const bool running = d->countdown > 0;
    d->stopCountdown();
    if (running)
        emit shutdownStarted(0);
    return running;
}
#endif

void ServiceShutdown::onSettingsChanged()
{
    d->loadSettings();
}

void ServiceShutdown::onDevDataChanged()
{
    // A lost link zeroes the record: that says nothing about the mains, so
    // it neither starts nor cancels a countdown.
    const bool online = d->devComm->isOnline();
    if (d->stopping)
        return;
    d->pending.recordSeen(online, d->shuttingDown());
    if (!online)
        return;
    d->lastReading = Clock::now();
    d->readingWaited = 0;
    if (!d->enable)
        return;
    const quint8 s = quint8(d->devComm->upsData()->status);
    quint8 &saved = d->savedStatus;
    int minutes = 0;
    bool triggered = false;

    // A mains change counts only while a mains-fault time is set.
    const bool mainsTaken = ((s ^ saved) & kMainsFault) && d->mainFaultTime > 0;
    if (mainsTaken) {
        minutes = d->mainFaultTime;
        saved = quint8((saved & ~kMainsFault) | (s & kMainsFault));
        triggered = true;
    }

    // The battery bit is followed both ways. A battery that goes low while
    // the mains is out triggers on its own, whatever the mains-fault time;
    // so does a mains failure reported while the battery is already low, and
    // a UPS found on a low battery with no countdown of ours behind it (the
    // mains failed on a low battery while mains changes are not taken).
    const bool batteryRose = (s & kBatteryLow) && !(saved & kBatteryLow);
    saved = quint8((saved & ~kBatteryLow) | (s & kBatteryLow));
    const bool lowOnBattery = (s & kMainsFault) && (s & kBatteryLow);
    const bool unguarded = !d->counting && !d->shutdownUnderway();
    if (lowOnBattery && (batteryRose || mainsTaken || unguarded)) {
        minutes = triggered ? qMin(minutes, d->battLowTime) : d->battLowTime;
        triggered = true;
    }

    if (!(s & (kMainsFault | kBatteryLow))) {
        // Power is back and the battery is fine: only a countdown that the
        // UPS state started is cancelled.
        if (d->counting) {
            d->stopCountdown();
            d->pending.cancel();
            emit shutdownStarted(0);
        }
        return;
    }
    // While the command file runs, the deadline already set holds, but for
    // a battery that runs low.
    if (d->task && lowOnBattery)
        d->shortenCommandFileWait();
    if (!triggered || d->task || d->upsOffStep > 0)
        return;

    const int seconds = countdownSeconds(minutes);
    if (d->countdown == 0) {
        d->counting = true;
        d->countdown = seconds;
        d->powerOffAccepted = false;
        emit shutdownStarted(seconds);
    } else if (seconds < d->countdown) {
        d->countdown = seconds;
    }
}

void ServiceShutdown::onTimerTimeout()
{
    bool shutNow = false;

    if (d->powerOffRetry > 0 && --d->powerOffRetry == 0)
        d->requestPowerOff();

    // The capacity of a UPS that does not answer is unknown, not zero.
    if ((d->savedStatus & kMainsFault) && d->devComm->isOnline()
        && d->devComm->upsData()->battCapacity < float(d->mainFaultCapacity)
        && d->countdown > kShortCountdown)
        d->countdown = kShortCountdown;

    // The countdown stands still meanwhile.
    if (!d->readingAllowsDecision())
        return;

    if (d->countdown != 0) {
        if (d->upsOffAtThisCount())
            d->sendUpsOff();
        --d->countdown;
        if (d->countdown == 0) {
            if (d->execEnable)
                d->startCommandFile();
            else
                shutNow = true;
        }
        emit shutdownTimeChanged(d->countdown);
    }

    // The second UPS-off command after a command file, and the shutdown.
    if (d->upsOffStep > 0 && --d->upsOffStep == 0) {
        d->sendUpsOff();
        if (d->osOff)
            d->shutDownSystem();
    }

    if (d->execCountdown != 0) {
        --d->execCountdown;
        if (d->execCountdown == 0)
            shutNow = true;
    }

    // Each end of a countdown asks for one shutdown: the file's end and the
    // end of its wait are used up here, whether or not the system goes down;
    // a file that outlasts its wait ends unheard.
    if (shutNow || d->execFinished) {
        const bool afterCommandFile = d->task != nullptr;
        d->execFinished = false;
        d->execCountdown = 0;
        d->task = nullptr;
        if (afterCommandFile && d->upsOff) {
            d->sendUpsOff();
            d->upsOffStep = kUpsOffRepeat;
        } else if (d->osOff) {
            d->shutDownSystem();
        }
    }
}

#ifndef AMBREL_SERVICE
namespace {
template<typename T>
bool store(T &field, const T &value, Settings::SettingsType type)
{
    if (field == value)
        return false;
    field = value;
    Settings::instance()->setSettings(type, QVariant::fromValue(value));
    return true;
}
} // namespace

bool ServiceShutdown::ambrelOffEnable() const { return d->enable; }
int ServiceShutdown::mainFaultOffTime() const { return d->mainFaultTime; }
int ServiceShutdown::battLowOffTime() const { return d->battLowTime; }
int ServiceShutdown::mainFaultOffCap() const { return d->mainFaultCapacity; }
int ServiceShutdown::shutdownMode() const { return d->shutdownMode; }
bool ServiceShutdown::autoSaveEnable() const { return d->autoSave; }
bool ServiceShutdown::upsOffEnable() const { return d->upsOff; }
int ServiceShutdown::upsOffTime() const { return d->upsOffTime; }
int ServiceShutdown::execEnable() const { return d->execEnable ? 1 : 0; }
int ServiceShutdown::execTime() const { return d->execTime; }
QString ServiceShutdown::execFile() const { return d->execFile; }
bool ServiceShutdown::osOffEnable() const { return d->osOff; }

void ServiceShutdown::setAmbrelOffEnable(bool enable)
{
    if (!store(d->enable, enable, Settings::ShutdownEnable) || enable)
        return;
    d->savedStatus = 0;
    d->stopCountdown();
    d->pending.cancel();
    emit shutdownStarted(0);
}

void ServiceShutdown::setMainFaultOffTime(int minutes)
{
    store(d->mainFaultTime, minutes, Settings::ShutdownMainFaultTime);
}

void ServiceShutdown::setBattLowOffTime(int minutes)
{
    store(d->battLowTime, minutes, Settings::ShutdownBattLowTime);
}

void ServiceShutdown::setMainFaultOffCap(int percent)
{
    store(d->mainFaultCapacity, percent, Settings::ShutdownMainFaultCap);
}

void ServiceShutdown::setShutdownMode(int mode)
{
    store(d->shutdownMode, mode, Settings::ShutdownMode);
}

void ServiceShutdown::setAutoSaveEnable(bool enable)
{
    store(d->autoSave, enable, Settings::ShutdownAutoSave);
}

void ServiceShutdown::setUpsOffEnable(bool enable)
{
    store(d->upsOff, enable, Settings::ShutdownUPSOff);
}

void ServiceShutdown::setUpsOffTime(int minutes)
{
    store(d->upsOffTime, minutes, Settings::ShutdownUPSOffTime);
}

void ServiceShutdown::setExecEnable(int enable)
{
    store(d->execEnable, enable != 0, Settings::ShutdownExec);
}

void ServiceShutdown::setExecTime(int minutes)
{
    store(d->execTime, minutes, Settings::ShutdownExecTime);
}

void ServiceShutdown::setExecFile(const QString &file)
{
    store(d->execFile, file, Settings::ShutdownExecFile);
}

void ServiceShutdown::setOsOffEnable(bool enable)
{
    store(d->osOff, enable, Settings::ShutdownOsOff);
}
#endif
