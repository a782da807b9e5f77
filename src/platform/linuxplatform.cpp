#include "linuxplatform.h"

#include "inotifydevicewatch.h"
#include "programwatch.h"
#include "udevdevicewatch.h"
#include "x11windowlist.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <thread>

namespace {
// How long a shutdown request may hold up the caller; logind answers at once.
const int kPowerOffTimeoutMs = 5000;
// The longest wait for the window list.
const int kWindowListTimeoutMs = 3000;
// The longest wait for the command file to start.
const int kStartTimeoutMs = 30000;
} // namespace

void LinuxPlatform::powerOff()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // not interactive: no authentication prompt
    // The answer does not matter: a refusal leaves nothing else to do.
    QDBusConnection::systemBus().call(call, QDBus::Block, kPowerOffTimeoutMs);
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

void LinuxPlatform::runCommandFile(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return;

    // An absolute path can neither be looked up in PATH nor be taken for an
    // option of the shell.
    const QString file = info.absoluteFilePath();
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    bool started = false;
    if (info.isExecutable()) {
        process.start(file, QStringList());
        started = process.waitForStarted(kStartTimeoutMs);
    }
    // A file that the system cannot run by itself (a script without a "#!"
    // line) is the script of the shell, as a shell's own exec would do it.
    if (!started) {
        process.start(QStringLiteral("/bin/sh"), QStringList{file});
        started = process.waitForStarted(kStartTimeoutMs);
    }
    if (started)
        process.waitForFinished(-1);
}

bool LinuxPlatform::isProcessRunning(const QString &executable)
{
    // One watch per program file, kept for the life of the process.
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<ProgramWatch>> watches;
    QMutexLocker lock(&mutex);
    std::unique_ptr<ProgramWatch> &watch = watches[executable];
    if (!watch)
        watch = std::make_unique<ProgramWatch>(executable);
    return watch->runs();
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
