#include "scratchsystem.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

namespace {

bool mountAt(const char *type, const QString &options, const char *target)
{
    return ::mount(type, target, type, 0, QFile::encodeName(options).constData()) == 0;
}

bool append(const QString &path, const QByteArray &line)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(line) == line.size();
}

} // namespace

bool ScratchSystem::setUp(QString *why)
{
    // The program runs as the first process of a PID namespace of its own,
    // and with it in a mount namespace of its own.
    if (::geteuid() != 0 || ::getpid() != 1 || !qEnvironmentVariableIsSet("AMBREL_TEST_OWN_NAMESPACES")) {
        *why = QStringLiteral("needs root and namespaces of the test's own");
        return false;
    }
    if (!overlay(QStringLiteral("/etc")) || !QDir().mkpath(QStringLiteral("/etc/systemd/system"))
        || !QDir().mkpath(QStringLiteral("/etc/udev/rules.d")) || !mountAt("tmpfs", QStringLiteral("mode=0755"), "/etc/systemd/system")
        || !mountAt("tmpfs", QStringLiteral("mode=0755"), "/usr/local")
        || !mountAt("tmpfs", QStringLiteral("mode=0700"), "/root")) {
        *why = QStringLiteral("the scratch folders cannot be mounted: %1").arg(qt_error_string(errno));
        return false;
    }
    return true;
}

bool ScratchSystem::overlay(const QString &folder)
{
    const QString changes = dir.filePath(QString::number(++overlays));
    const QByteArray target = QFile::encodeName(folder);
    return QDir().mkpath(changes + QStringLiteral("/upper")) && QDir().mkpath(changes + QStringLiteral("/work"))
           && mountAt("overlay", QStringLiteral("lowerdir=%1,upperdir=%2/upper,workdir=%2/work").arg(folder, changes),
                      target.constData());
}

bool ScratchSystem::addAccount(const QString &name, uint id, const QString &home)
{
    const QByteArray user = name.toLocal8Bit(), number = QByteArray::number(id);
    return append(QStringLiteral("/etc/passwd"),
                  user + ":x:" + number + ':' + number + "::" + QFile::encodeName(home) + ":/usr/sbin/nologin\n")
           && append(QStringLiteral("/etc/group"), user + ":x:" + number + ":\n");
}
