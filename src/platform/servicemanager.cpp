#include "servicemanager.h"

#include "fileguard.h"
#include "savefile.h"
#include "systembus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <systemd/sd-daemon.h>

#include <cerrno>
#include <sys/stat.h>
#include <syslog.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.systemd1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString kUnit = QStringLiteral("org.freedesktop.systemd1.Unit");
// systemd's own limit for a call.
const int kCallTimeoutMs = 25000;

QMutex folderMutex;
QString folder = QStringLiteral("/etc/systemd/system");

QString unitName(const QString &name)
{
    return ServiceManager::systemName(name) + QStringLiteral(".service");
}

QString unitPath(const QString &name)
{
    return ServiceManager::unitFolder() + QLatin1Char('/') + unitName(name);
}

int errorNumber(const QString &error)
{
    if (error.endsWith(QLatin1String(".NoSuchUnit")) || error.endsWith(QLatin1String(".UnknownObject")))
        return ENOENT;
    if (error.endsWith(QLatin1String(".AccessDenied")) || error.endsWith(QLatin1String(".InteractiveAuthorizationRequired")))
        return EACCES;
    if (error.endsWith(QLatin1String(".NoReply")) || error.endsWith(QLatin1String(".Timeout")))
        return ETIMEDOUT;
    if (error.endsWith(QLatin1String(".Disconnected")))
        return ENOTCONN;
    return EIO;
}

bool call(const QString &path, const QString &interface, const QString &method, const QVariantList &args,
          QVariant *result = nullptr)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(args);
    const QDBusMessage reply = SystemBus::call(message, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        errno = errorNumber(reply.errorName());
        return false;
    }
    if (result)
        *result = reply.arguments().value(0);
    return true;
}

bool callManager(const QString &method, const QVariantList &args = QVariantList())
{
    return call(kManagerPath, kManager, method, args);
}

// A property of the unit, loaded from its file when systemd has not yet.
bool unitProperty(const QString &name, const QString &property, QVariant *value,
                  const QString &interface = kUnit)
{
    QVariant path;
    if (!call(kManagerPath, kManager, QStringLiteral("LoadUnit"), {unitName(name)}, &path))
        return false;
    QVariant reply;
    if (!call(path.value<QDBusObjectPath>().path(), QStringLiteral("org.freedesktop.DBus.Properties"),
              QStringLiteral("Get"), {interface, property}, &reply))
        return false;
    *value = reply.value<QDBusVariant>().variant();
    return true;
}

// A value in a unit file: specifiers ('%') written literally.
QString unitValue(QString text)
{
    return text.replace(QLatin1Char('%'), QLatin1String("%%"));
}

// The program as the one word of a command line. systemd expands its
// specifiers ('%') there but no variables ('$'), and takes no backslash in
// the program's path: a path with a backslash or a quote is refused.
bool commandWord(const QString &path, QString *word)
{
    if (path.contains(QLatin1Char('\\')) || path.contains(QLatin1Char('"')))
        return false;
    *word = QLatin1Char('"') + unitValue(path) + QLatin1Char('"');
    return true;
}

bool isOneLine(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// The unit that runs the service; false when config holds what a unit
// cannot (a line break would add lines of its own).
bool unitText(const QString &name, const ServiceManager::UnitConfig &config, QByteArray *unit)
{
    QString command;
    if (!isOneLine(config.description) || !isOneLine(config.user) || !isOneLine(config.executable)
        || !commandWord(config.executable, &command))
        return false;
    QString text = QStringLiteral("[Unit]\n");
    if (!config.description.isEmpty())
        text += QStringLiteral("Description=") + unitValue(config.description) + QLatin1Char('\n');
    text += QStringLiteral("Wants=dbus.service\nAfter=dbus.service\n\n[Service]\nType=notify\nExecStart=") + command
            + QLatin1Char('\n');
    if (!config.user.isEmpty())
        text += QStringLiteral("User=") + unitValue(config.user) + QLatin1Char('\n');
    // Started again after a crash, with its control socket in a folder that
    // systemd makes for it, whatever account it runs under; its files are
    // its account's alone. The sandbox takes nothing that the service or an
    // administrator's command file may need: the home folders, the devices,
    // /run/lock, the buses, other users' processes, the kernel's settings
    // and the capabilities stay open.
    text += QStringLiteral("Restart=on-failure\nRuntimeDirectory=") + unitValue(ServiceManager::systemName(name))
            + QStringLiteral("\nRuntimeDirectoryMode=0700\nUMask=0077\nPrivateTmp=yes\nProtectHostname=yes\n"
                             "ProtectControlGroups=yes\nLockPersonality=yes\nRestrictRealtime=yes\n"
                             "RestrictSUIDSGID=yes\n");
    text += QStringLiteral("\n[Install]\nWantedBy=multi-user.target\n");
    *unit = text.toUtf8();
    return true;
}

// The file's content; empty when it cannot be read.
QByteArray readUnit(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeUnit(const QString &path, const QByteArray &text)
{
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.finish())
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

// The settings of a unit, "Key=value" each, in their order.
QStringList settingsOf(const QByteArray &unit)
{
    QStringList settings;
    const QList<QByteArray> lines = unit.split('\n');
    for (const QByteArray &line : lines) {
        if (line.contains('=') && !line.startsWith('#') && !line.startsWith(';'))
            settings << QString::fromUtf8(line.trimmed());
    }
    return settings;
}

QString keyOf(const QString &setting)
{
    return setting.left(setting.indexOf(QLatin1Char('=')));
}

} // namespace

QString ServiceManager::unitFolder()
{
    QMutexLocker lock(&folderMutex);
    return folder;
}

void ServiceManager::setUnitFolder(const QString &path)
{
    QMutexLocker lock(&folderMutex);
    folder = path;
}

QString ServiceManager::systemName(const QString &name)
{
    return name.left(name.indexOf(QChar(0)));
}

bool ServiceManager::isAvailable()
{
    static const bool available = [] {
        QDBusMessage ask = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
        ask << kService;
        return SystemBus::call(ask, kCallTimeoutMs).arguments().value(0).toBool();
    }();
    return available;
}

bool ServiceManager::startedByManager()
{
    return !qEnvironmentVariableIsEmpty("INVOCATION_ID") && !qEnvironmentVariableIsEmpty("NOTIFY_SOCKET");
}

QString ServiceManager::executablePath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

bool ServiceManager::isInstalled(const QString &name)
{
    QVariant state;
    return unitProperty(name, QStringLiteral("LoadState"), &state) && state.toString() == QLatin1String("loaded");
}

bool ServiceManager::install(const QString &name, const UnitConfig &config)
{
    QByteArray text;
    if (!unitText(name, config, &text)) {
        errno = EINVAL;
        return false;
    }
    const QString path = unitPath(name);
    if (!FileGuard::isAbsentOrRegular(path))
        return false;
    const bool existed = QFileInfo::exists(path);
    const QByteArray previous = readUnit(path);
    if (!writeUnit(path, text))
        return false;
    if (callManager(QStringLiteral("Reload"))
        && (!config.automatic
            || callManager(QStringLiteral("EnableUnitFiles"), {QStringList{unitName(name)}, false, true})))
        return true;
    const int error = errno;
    if (existed)
        writeUnit(path, previous);
    else
        QFile::remove(path);
    callManager(QStringLiteral("Reload"));
    errno = error;
    return false;
}

QStringList ServiceManager::changes(const QString &name, const UnitConfig &config)
{
    QByteArray text;
    // What no unit can hold differs from any unit; install() says why.
    if (!unitText(name, config, &text))
        return {QStringLiteral("ExecStart=")};
    const QStringList installed = settingsOf(readUnit(unitPath(name)));
    const QStringList wanted = settingsOf(text);
    QStringList keys;
    for (const QString &setting : wanted + installed) {
        if (!keys.contains(keyOf(setting)))
            keys << keyOf(setting);
    }
    QStringList changes;
    for (const QString &key : qAsConst(keys)) {
        auto withKey = [&key](const QStringList &settings) {
            QStringList found;
            for (const QString &setting : settings) {
                if (keyOf(setting) == key)
                    found << setting;
            }
            return found.isEmpty() ? QStringLiteral("no ") + key + QLatin1Char('=') : found.join(QLatin1Char(' '));
        };
        const QString now = withKey(wanted);
        const QString was = withKey(installed);
        if (now != was)
            changes << now + QStringLiteral(" (was: ") + was + QLatin1Char(')');
    }
    return changes;
}

QString ServiceManager::installedProgram(const QString &name)
{
    const QStringList settings = settingsOf(readUnit(unitPath(name)));
    for (const QString &setting : settings) {
        if (keyOf(setting) != QLatin1String("ExecStart"))
            continue;
        QString program = setting.mid(setting.indexOf(QLatin1Char('=')) + 1);
        if (program.startsWith(QLatin1Char('"')))
            program = program.mid(1, program.indexOf(QLatin1Char('"'), 1) - 1);
        return program.replace(QLatin1String("%%"), QLatin1String("%"));
    }
    return QString();
}

bool ServiceManager::runsReplacedProgram(const QString &name)
{
    QVariant pid;
    const QString program = installedProgram(name);
    if (program.isEmpty()
        || !unitProperty(name, QStringLiteral("MainPID"), &pid, QStringLiteral("org.freedesktop.systemd1.Service"))
        || pid.toUInt() == 0)
        return false;
    // The process's program file, also one removed since.
    struct stat running, file;
    if (stat(QByteArray("/proc/" + QByteArray::number(pid.toUInt()) + "/exe").constData(), &running) != 0)
        return false;
    return stat(QFile::encodeName(program).constData(), &file) != 0 || file.st_dev != running.st_dev
           || file.st_ino != running.st_ino;
}

bool ServiceManager::uninstall(const QString &name)
{
    // A unit that was never enabled has nothing to disable.
    callManager(QStringLiteral("DisableUnitFiles"), {QStringList{unitName(name)}, false});
    QFile file(unitPath(name));
    if (!file.remove()) {
        errno = file.exists() ? EACCES : ENOENT;
        return false;
    }
    return callManager(QStringLiteral("Reload"));
}

bool ServiceManager::start(const QString &name)
{
    return callManager(QStringLiteral("StartUnit"), {unitName(name), QStringLiteral("replace")});
}

bool ServiceManager::requestStop(const QString &name)
{
    return callManager(QStringLiteral("StopUnit"), {unitName(name), QStringLiteral("replace")});
}

bool ServiceManager::queryState(const QString &name, State *state)
{
    QVariant value;
    if (!unitProperty(name, QStringLiteral("ActiveState"), &value))
        return false;
    const QString active = value.toString();
    if (active == QLatin1String("inactive") || active == QLatin1String("failed"))
        *state = Stopped;
    else if (active == QLatin1String("activating"))
        *state = StartPending;
    else if (active == QLatin1String("deactivating"))
        *state = StopPending;
    else
        *state = Running;
    return true;
}

void ServiceManager::notify(State state)
{
    const char *text = "STATUS=Stopped";
    switch (state) {
    case Stopped:
        break;
    case StartPending:
        text = "STATUS=Starting";
        break;
    case StopPending:
        text = "STOPPING=1\nSTATUS=Stopping";
        break;
    case Running:
        text = "READY=1\nSTATUS=Running";
        break;
    case ContinuePending:
        text = "STATUS=Resuming";
        break;
    case PausePending:
        text = "STATUS=Pausing";
        break;
    case Paused:
        text = "STATUS=Paused";
        break;
    }
    sd_notify(0, text);
}

void ServiceManager::logError(const QString &name, const QString &text)
{
    const QByteArray ident = systemName(name).toLocal8Bit();
    openlog(ident.constData(), LOG_PID, LOG_DAEMON);
    syslog(LOG_ERR, "%s", text.toLocal8Bit().constData());
    closelog();
}
