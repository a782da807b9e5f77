#include "devcomm.h"

#include "alarm/alarm.h"
#include "records/database.h"
#include "devcomm_p.h"
#include "megatec.h"
#include "platform/platform.h"
#include "platform/serialdevicewatch.h"
#include "platform/serialline.h"
#include "platform/serialportlock.h"
#include "portname.h"
#include "records/settings.h"

#include <QDebug>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <hidapi.h>

namespace {

constexpr int kPollPeriod = 1500;
constexpr int kPollAfterReply = 100;

// The journal's lines of a serial port that is lost, and open again.
QString portLostLine(const QString &port, const QString &why)
{
    return QStringLiteral("The serial port %1 is lost (%2): the UPS is not watched.").arg(port, why);
}

QString portOpenLine(const QString &port)
{
    return QStringLiteral("The serial port %1 is open.").arg(port);
}

#ifdef AMBREL_SERVICE
// The baud rate of a link whose setting names none.
constexpr int kDefaultBaud = 2400;
#endif

// The device behind a port name, a listed name or an alias such as
// /dev/serial/by-id/...: the same port gives the same path.
QString portDevicePath(const QString &name)
{
    const QString path = SerialPortLock::devicePath(name);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

#ifndef AMBREL_SERVICE
constexpr int kScanPeriod = 250;

// The name a port is listed under: a full device path names the same port.
QString listedName(const QString &name)
{
    return name.startsWith(QLatin1String("/dev/")) ? name.mid(5) : name;
}
#endif

} // namespace

QStringList (*DevCommPrivate::portLister)() = nullptr;
QString DevCommPrivate::usbConfigFile;

DevCommPrivate::DevCommPrivate(DevComm *owner)
    : q(owner)
{
}

QStringList DevCommPrivate::availablePorts()
{
    if (portLister)
        return portLister();
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
    return names;
}

void DevCommPrivate::startSaveTimer()
{
    // A period of zero would save on every pass of the event loop.
    const quint64 ms = qMax<quint64>(1, saveCycle) * 1000;
    saveTimer->start(int(qMin<quint64>(ms, INT_MAX)));
}

// The service keeps its alarm list: only the desktop clears it and shows
// the loss.
void DevCommPrivate::linkLost()
{
    unanswered = 0;
    silentPolls = 0;
    lossReported = true;
    saveTimer->stop();
    megatec->reset();
    rereadUsbRecord();
#ifndef AMBREL_SERVICE
    Alarm::instance()->clearAlarm();
    Alarm::instance()->addAlarm(Alarm::CommLost);
#endif
}

bool DevCommPrivate::linkConfigured() const
{
    return commType != DevComm::COM || !PortName::isNone(portName);
}

// A link that never comes up would leave the program unprotected without a
// word: it is reported like a link that was lost, once until it answers.
void DevCommPrivate::countSilentPoll()
{
    if (megatec->isOnline() || !linkConfigured())
        return;
    if (silentPolls <= kUnansweredLimit)
        ++silentPolls;
    if (silentPolls <= kUnansweredLimit)
        return;
    // A port or device that does not open has said so already.
    if (told != Told::Closed) {
        tell(Told::Silent, commType == DevComm::COM
                 ? QStringLiteral("The UPS does not answer on the serial port %1.").arg(portName)
                 : QStringLiteral("The UPS does not answer on USB."));
    }
    if (lossReported)
        return;
    linkLost();
#ifdef AMBREL_SERVICE
    // The service tells nobody of a running link that it loses, but a link
    // that never came up is its only word of being unprotected.
    Alarm::instance()->addAlarm(Alarm::CommLost);
#endif
}

void DevCommPrivate::closePort()
{
    serialPort->close();
    linkLost();
}

// A port whose device went away stays open but dead: it never answers again
// (and a hung-up line keeps signalling). Close it like a vanished port, so
// the next tick opens it afresh.
void DevCommPrivate::checkPortError()
{
    if (!serialPort->isOpen())
        return;
    const QString why = serialPort->errorString();
    closePort();
    tell(Told::Closed, portLostLine(portName, why), portOpenLine(portName));
}

bool DevCommPrivate::openPort()
{
    serialPort->setPortName(portName);
    // The lock folder is everyone's: the lock path is checked before the port is opened.
    const SerialPortLock::Check lock = SerialPortLock::clearFalseLock(portName);
    if (lock.state == SerialPortLock::Cleared)
        qWarning().noquote() << lock.removedLine(portName);
    QString why = lock.reason();
    if (!why.isEmpty() || !serialPort->open()) {
        if (why.isEmpty())
            why = serialPort->errorString();
        tell(Told::Closed,
             QStringLiteral("The serial port %1 cannot be opened (%2): the UPS is not watched.").arg(portName, why),
             portOpenLine(portName));
        return false;
    }
    tell(Told::Opened);
    return true;
}

void DevCommPrivate::configurePort()
{
    serialPort->setBaudRate(baud);
}

DevComm::DevComm(QObject *parent)
    : QObject(parent)
    , d(new DevCommPrivate(this))
{
    d->megatec = new Megatec;
    d->pollTimer = new QTimer;
    d->saveTimer = new QTimer;
#ifndef AMBREL_SERVICE
    d->scanTimer = new QTimer;
#endif
    d->settings = Settings::instance();
    d->serialPort = new SerialLine;

#ifndef AMBREL_SERVICE
    d->baud = d->settings->getSettings(Settings::UpsBaudRate).toInt();
    d->commType = d->settings->getSettings(Settings::UpsCommType).toInt();
    d->portName = d->settings->getSettings(Settings::UpsComPort).toString();
    d->configurePort();
#else
    loadSerialSettings();
#endif

    hid_init();
    d->loadUsbConfig();
    d->openUsb();

    d->saveCycle = d->settings->getSettings(Settings::UpsDataSaveCycle).toUInt();

    connect(d->megatec, &Megatec::dataChanged, this, &DevComm::devDataChanged);
    connect(d->serialPort, &SerialLine::readyRead, this, &DevComm::onCOMReadyRead);
    connect(d->serialPort, &SerialLine::failed, this, [this] { d->checkPortError(); });
    connect(d->pollTimer, &QTimer::timeout, this, &DevComm::onTimerPollingTimeout);
    connect(d->saveTimer, &QTimer::timeout, this, &DevComm::onTimerSaveTimeout);
#ifndef AMBREL_SERVICE
    connect(d->scanTimer, &QTimer::timeout, this, &DevComm::onTimerCOMTimeout);
#endif
}

DevComm::~DevComm()
{
    if (d->hidDevice)
        hid_close(d->hidDevice);
    hid_exit();
    delete d->megatec;
    delete d->pollTimer;
    delete d->saveTimer;
#ifndef AMBREL_SERVICE
    delete d->scanTimer;
#endif
    delete d->serialPort;
    delete d;
}

DevComm *DevComm::instance()
{
    static DevComm *link = new DevComm;
    return link;
}

UPSData *DevComm::upsData()
{
    return d->megatec->upsData();
}

bool DevComm::isOnline() const
{
    return d->megatec->isOnline();
}

#ifndef AMBREL_SERVICE

void DevComm::start()
{
    openDevice(d->settings->getSettings(Settings::UpsCommType).toInt(), d->portName);
    if (!d->deviceWatch) {
        d->deviceWatch = Platform::instance()->watchSerialDevices(this);
        if (d->deviceWatch) {
            connect(d->deviceWatch, &SerialDeviceWatch::devicesChanged, this, [this] {
                d->portsStale = true;
                d->scanPorts();
            });
        }
    }
    d->scanTimer->start(kScanPeriod);
}

bool DevComm::openDevice(int type, QString devName)
{
    d->forgetTold();
    if (d->serialPort->isOpen())
        d->closePort();
    else if (type != d->commType && d->megatec->isOnline())
        d->linkLost(); // the readings of the link left behind would stay on show
    d->silentPolls = 0;
    if (type == COM) {
        if (!PortName::isNone(devName) && devName != d->portName)
            d->settings->setSettings(Settings::UpsComPort, devName);
        d->portName = devName;
    }
    d->commType = type;
    onTimerPollingTimeout();
    d->unanswered = 0;
    d->settings->setSettings(Settings::UpsCommType, type);
    // A named serial port that did not open is a failure the user must see.
    return type != COM || PortName::isNone(d->portName) || d->serialPort->isOpen();
}

uint DevComm::saveCycle() const
{
    return d->saveCycle;
}

void DevComm::setSaveCycle(uint seconds)
{
    d->saveCycle = seconds;
    if (d->saveTimer->isActive())
        d->startSaveTimer();
    d->settings->setSettings(Settings::UpsDataSaveCycle, seconds);
}

int DevComm::baud() const
{
    return d->baud;
}

void DevComm::setBaud(int baud)
{
    if (baud == d->baud)
        return;
    d->baud = baud;
    if (d->commType == COM) {
        d->settings->setSettings(Settings::UpsBaudRate, baud);
        d->serialPort->setBaudRate(baud);
    } else if (d->hidDevice) {
        const quint32 value = quint32(baud);
        QByteArray report(5, '\0');
        report[0] = char(200);
        report[1] = char(value >> 24);
        report[2] = char(value >> 16);
        report[3] = char(value >> 8);
        report[4] = char(value);
        d->sendReport(report);
    }
}

int DevComm::commType() const
{
    return d->commType;
}

QVariantMap DevComm::devData() const
{
    return d->megatec->devData();
}

QStringList DevComm::comPort() const
{
    QStringList ports = d->comPorts;
    ports.prepend(tr("None"));
    if (PortName::isNone(d->portName))
        return ports;
    const QString chosen = listedName(d->portName);
    for (int i = ports.size() - 1; i >= 0; --i) {
        if (ports.at(i) == d->portName || ports.at(i) == chosen)
            ports.removeAt(i);
    }
    ports.prepend(d->portName);
    return ports;
}

QString DevComm::usbVersion() const
{
    return d->usbVersion;
}

void DevComm::setBuzzer()
{
    if (d->commType == COM)
        d->megatec->setBuzzer();
    else if (d->hidDevice)
        d->sendReport(QByteArray::fromRawData("\x04", 1)
                      + char(d->megatec->devData().value(QStringLiteral("buzzer")).toBool() ? 1 : 2));
}

void DevComm::onTimerCOMTimeout()
{
    d->scanPorts();
}

// Taking the list costs a walk through every terminal device of the system:
// where the system tells of devices that come and go, it is taken only after
// such news (at once), and the tick compares the list it has.
void DevCommPrivate::scanPorts()
{
    if (deviceWatch && deviceWatch->isWatching() && !portsStale)
        return;
    portsStale = false;
    const QStringList ports = availablePorts();
    if (ports == comPorts)
        return;
    comPorts = ports;
    const QString device = portDevicePath(serialPort->portName());
    const bool listed = std::any_of(ports.cbegin(), ports.cend(),
                                    [&device](const QString &port) { return portDevicePath(port) == device; });
    if (serialPort->isOpen() && !listed)
        closePort();
    emit q->comPortChanged();
}

#else // AMBREL_SERVICE

void DevComm::start()
{
    loadSerialSettings();
    d->unanswered = 0;
    d->silentPolls = 0;
    onTimerPollingTimeout();
}

void DevComm::loadSerialSettings()
{
    const QVariant type = d->settings->getSettings(Settings::UpsCommType);
    const QVariant baud = d->settings->getSettings(Settings::UpsBaudRate);
    bool typeValid = false;
    bool baudValid = false;
    d->commType = type.toInt(&typeValid);
    d->baud = baud.toInt(&baudValid);
    d->portName = d->settings->getSettings(Settings::UpsComPort).toString();

    // Settings that name no link are told once, and what is used instead.
    QStringList problems;
    if (!typeValid || (d->commType != USB && d->commType != COM))
        problems << QStringLiteral("The UPS link type \"%1\" is unknown: a USB UPS is looked for.").arg(type.toString());
    if (d->commType == COM && !d->linkConfigured())
        problems << QStringLiteral("No serial port is set: the UPS is not watched.");
    if (!baudValid || d->baud <= 0) {
        if (d->commType == COM)
            problems << QStringLiteral("The baud rate \"%1\" cannot be used: %2 is used.")
                            .arg(baud.toString()).arg(kDefaultBaud);
        d->baud = kDefaultBaud;
    }
    d->tellSettings(problems.join(QLatin1Char(' ')));
    d->configurePort();
}

QString DevComm::devicePath() const
{
    if (d->commType != COM)
        return d->usbPath;
    return d->linkConfigured() ? portDevicePath(d->portName) : QString();
}

void DevComm::dropQueuedShutdown()
{
    d->megatec->dropShutdown();
}

bool DevComm::isStarted() const
{
    return d->pollTimer->isActive();
}

#endif // AMBREL_SERVICE

void DevComm::setShutdown(bool shutdown, int time)
{
    if (d->commType == COM) {
        d->megatec->setShutdown(shutdown, time);
    } else {
        d->sendShutdownReport(shutdown, time);
    }
}

void DevComm::setSelfTest(int type, int time)
{
    if (d->commType == COM) {
        d->megatec->setSelfTest(type, time);
        return;
    }
    if (!d->hidDevice)
        return;
    int value;
    switch (type) {
    case 1: value = 3; break;          // cancel
    case 2: value = 1; break;          // ten seconds
    case 3: value = 2; break;          // until the battery is low
    case 4:                            // minutes, as time + 3 in one byte
        if (time < 1 || time > 252)
            return;
        value = time + 3;
        break;
    default: return;
    }
    QByteArray report(2, '\0');
    report[0] = 2;
    report[1] = char(value);
    d->sendReport(report);
}

void DevComm::onTimerPollingTimeout()
{
    if (d->commType == COM)
        d->pollSerial();
    else
        d->pollingUSB();
    d->countSilentPoll();
    d->pollTimer->start(kPollPeriod);
}

void DevCommPrivate::pollSerial()
{
    if (!serialPort->isOpen()) {
#ifndef AMBREL_SERVICE
        qDebug() << "Reconnect...";
#else
        q->loadSerialSettings();
#endif
        if (!linkConfigured() || !openPort())
            return;
        startSaveTimer();
        pollTimer->start(kPollPeriod);
        unanswered = 0;
    }

    if (serialPort->write(megatec->nextCommand()) < 0) {
        const QString why = serialPort->errorString();
#ifndef AMBREL_SERVICE
        megatec->reset();
#endif
        serialPort->close();
        tell(Told::Closed, portLostLine(portName, why), portOpenLine(portName));
        return;
    }
    if (megatec->isOnline() && ++unanswered > DevCommPrivate::kUnansweredLimit) {
        linkLost();
        tell(Told::Silent, QStringLiteral("The UPS does not answer any more."));
    }
}

void DevComm::stop()
{
    d->pollTimer->stop();
    if (d->hidDevice) {
        hid_close(d->hidDevice);
        d->hidDevice = nullptr;
    }
    d->serialPort->close();
    d->megatec->reset();
    d->unanswered = 0;
    d->silentPolls = 0;
    // Released on purpose: no loss to tell.
    d->forgetTold();
}

void DevComm::onCOMReadyRead()
{
    const bool wasOnline = d->megatec->isOnline();
    if (!d->megatec->parseData(d->serialPort->readAll()))
        return;
    // The UPS answers: no poll before this one counts as unanswered.
    ++d->repliesAccepted;
    d->unanswered = 0;
    d->silentPolls = 0;
    if (!wasOnline && d->megatec->isOnline()) {
        d->lossReported = false;
        d->startSaveTimer();
        Alarm::instance()->delAlarm(Alarm::CommLost);
        Alarm::instance()->addEvent(Alarm::CommNormal);
    }
    if (d->megatec->isOnline())
        d->tell(DevCommPrivate::Told::Answering);
    d->pollTimer->start(kPollAfterReply);
}

void DevComm::onTimerSaveTimeout()
{
    if (!d->megatec->isOnline())
        return;
    const UPSData *u = d->megatec->upsData();
    Database::instance()->insert(Database::DeviceData, "inputVol, outputVol, load, inputFreq, battVol, temperature",
                                 {u->inputVol, u->outputVol, int(u->load), u->inputFreq, u->battVol, u->temperature});
}
