#include "linuxplatform.h"

#include "commandfile.h"
#include "inotifydevicewatch.h"
#include "programwatch.h"
#include "systembus.h"
#include "udevdevicewatch.h"
#include "x11windowlist.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QFileInfo>
#include <QMutex>

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <thread>

namespace {
// How long a shutdown request may take to be answered; logind answers at once.
const int kPowerOffTimeoutMs = 10000;
// How long each question whether the system is going down may take.
const int kStateTimeoutMs = 1000;
// The longest wait for the window list.
const int kWindowListTimeoutMs = 3000;

const char kLogind[] = "org.freedesktop.login1";
const char kLogindPath[] = "/org/freedesktop/login1";
const char kLogindManager[] = "org.freedesktop.login1.Manager";
const char kSystemd[] = "org.freedesktop.systemd1";
const char kSystemdPath[] = "/org/freedesktop/systemd1";
const char kSystemdManager[] = "org.freedesktop.systemd1.Manager";

QDBusMessage managerCall(const char *service, const char *path, const char *interface, const char *method)
{
    return QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                                          QLatin1String(method));
}

// Sends the call and hands its reply to done on the calling thread.
void callThen(const QDBusMessage &call, const std::function<void(const QDBusMessage &reply)> &done)
{
    SystemBus::callThen(call, kPowerOffTimeoutMs, done);
}

// "name: message" of an error reply.
QByteArray reason(const QDBusMessage &reply)
{
    return (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toLocal8Bit();
}

QVariant managerProperty(const char *service, const char *path, const char *interface, const char *name)
{
    QDBusMessage get = managerCall(service, path, "org.freedesktop.DBus.Properties", "Get");
    get << QLatin1String(interface) << QLatin1String(name);
    const QDBusMessage reply = SystemBus::call(get, kStateTimeoutMs);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}
} // namespace

void LinuxPlatform::powerOff(const std::function<void(bool accepted)> &answered)
{
    QDBusMessage logind = managerCall(kLogind, kLogindPath, kLogindManager, "PowerOff");
    logind << false; // not interactive: no authentication prompt
    callThen(logind, [answered](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ReplyMessage) {
            answered(true);
            return;
        }
        // Without logind, the service manager itself can still power off.
        qWarning("logind did not accept the power-off (%s); systemd is asked instead.", reason(reply).constData());
        callThen(managerCall(kSystemd, kSystemdPath, kSystemdManager, "PowerOff"),
                 [answered](const QDBusMessage &reply) {
                     if (reply.type() != QDBusMessage::ReplyMessage)
                         qWarning("systemd did not accept the power-off either (%s).", reason(reply).constData());
                     answered(reply.type() == QDBusMessage::ReplyMessage);
                 });
    });
}

bool LinuxPlatform::isShuttingDown()
{
    return managerProperty(kLogind, kLogindPath, kLogindManager, "PreparingForShutdown").toBool()
           || managerProperty(kSystemd, kSystemdPath, kSystemdManager, "SystemState").toString()
                  == QLatin1String("stopping");
}

QList<Platform::Window> LinuxPlatform::visibleWindows()
{
    // The list is read just before the shutdown: a display that does not
    // answer must not hold it up. The reader gets a thread of its own and is
    // left behind when it takes too long.
    auto reader = std::make_shared<std::promise<QList<Window>>>();
    std::future<QList<Window>> windows = reader->get_future();
    std::thread([reader] { reader->set_value(X11WindowList::windows()); }).detach();
    if (windows.wait_for(std::chrono::milliseconds(kWindowListTimeoutMs)) != std::future_status::ready)
        return {};
    return windows.get();
}

void LinuxPlatform::runCommandFile(const QString &path, bool trustedOnly)
{
    CommandFile::run(path, trustedOnly);
}

void LinuxPlatform::endCommandFiles()
{
    CommandFile::endAll();
}

QList<ProcessTable::Process> LinuxPlatform::processesRunning(const QString &executable)
{
    // One watch per program file, kept for the life of the process.
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<ProgramWatch>> watches;
    QMutexLocker lock(&mutex);
    std::unique_ptr<ProgramWatch> &watch = watches[executable];
    if (!watch)
        watch = std::make_unique<ProgramWatch>(executable);
    return watch->processes();
}

ProcessTable::Holder LinuxPlatform::findHolder(const QList<ProcessTable::Process> &processes, const QString &path,
                                               const ProcessTable::Holder &last)
{
    return ProcessTable::findHolder(processes, path, last);
}

SerialDeviceWatch *LinuxPlatform::watchSerialDevices(QObject *parent)
{
    SerialDeviceWatch *watch = nullptr;
    if (UdevDeviceWatch::daemonRuns())
        watch = new UdevDeviceWatch(parent);
    if ((!watch || !watch->isWatching()) && InotifyDeviceWatch::kernelKeepsDev()) {
        delete watch;
        watch = new InotifyDeviceWatch(QStringLiteral("/dev"), parent);
    }
    if (watch && !watch->isWatching()) {
        delete watch;
        watch = nullptr;
    }
    if (watch)
        qInfo("Serial ports: listed again when a device comes or goes (%s)",
              qobject_cast<UdevDeviceWatch *>(watch) ? "udev" : "/dev");
    else
        qInfo("Serial ports: no device events here, the list is taken every quarter second");
    return watch;
}
