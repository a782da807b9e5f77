#include "linuxplatform.h"

#include "x11windowlist.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>

namespace {
// How long a shutdown request may hold up the caller; logind answers at once.
const int kPowerOffTimeoutMs = 5000;
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
    return X11WindowList::windows();
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
    if (info.isExecutable())
        process.start(file, QStringList());
    else
        process.start(QStringLiteral("/bin/sh"), QStringList{file});
    if (process.waitForStarted(kStartTimeoutMs))
        process.waitForFinished(-1);
}
