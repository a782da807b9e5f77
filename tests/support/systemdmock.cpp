#include "systemdmock.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QThread>

namespace {

const char kMock[] = "org.freedesktop.DBus.Mock";
const char kUnit[] = "org.freedesktop.systemd1.Unit";

const char kLoadUnit[] = "if args[0] not in self.units:\n"
                         "    raise dbus.exceptions.DBusException('Unit ' + args[0] + ' not found.',\n"
                         "        name='org.freedesktop.systemd1.NoSuchUnit')\n"
                         "ret = self.units[args[0]]\n";

const char kReload[] = "import os\n"
                       "files = set(n for n in os.listdir('%1') if n.endswith('.service'))\n"
                       "for name in files - set(self.units):\n"
                       "    self.AddMockUnit(name)\n"
                       "for name in getattr(self, 'unit_files', set()) - files:\n"
                       "    self.RemoveObject(self.units.pop(name))\n"
                       "self.unit_files = files\n";

} // namespace

SystemdMock::SystemdMock(const QString &unitFolder, const QByteArray &address)
    : folder(unitFolder)
    , busAddress(address)
    , connection(QStringLiteral("none"))
{
}

SystemdMock::~SystemdMock()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("systemd-mock"));
    for (QProcess *process : {&mock, &bus}) {
        process->terminate();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
    }
}

bool SystemdMock::start()
{
    QElapsedTimer timer;
    timer.start();
    if (busAddress.isEmpty()) {
        bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        while (!bus.canReadLine() && bus.state() != QProcess::NotRunning && timer.elapsed() < 10000)
            bus.waitForReadyRead(100);
        busAddress = bus.readLine().trimmed();
    }
    if (busAddress.isEmpty())
        return false;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromLatin1(busAddress));
    mock.setProcessEnvironment(env);
    mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mock.start(QStringLiteral(AMBREL_PYTHON), {"-m", "dbusmock", "--system", "--template", "systemd"});
    connection = QDBusConnection::connectToBus(QString::fromLatin1(busAddress), QStringLiteral("systemd-mock"));
    while (!connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.systemd1")).value()) {
        if (timer.elapsed() > 30000 || mock.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(50);
    }
    return addMethod(ManagerPath, Manager, "LoadUnit", "s", "o", kLoadUnit)
           && addMethod(ManagerPath, Manager, "Reload", "", "", QString::fromLatin1(kReload).arg(folder))
           && addMethod(ManagerPath, Manager, "EnableUnitFiles", "asbb", "ba(sss)",
                        "ret = (False, dbus.Array([], signature='(sss)'))")
           && addMethod(ManagerPath, Manager, "DisableUnitFiles", "asb", "a(sss)",
                        "ret = dbus.Array([], signature='(sss)')");
}

QDBusMessage SystemdMock::call(const QString &path, const QString &interface, const QString &method,
                               const QVariantList &args)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.systemd1"), path, interface, method);
    message.setArguments(args);
    return connection.call(message, QDBus::Block, 10000);
}

bool SystemdMock::addMethod(const QString &path, const QString &interface, const QString &name, const QString &in,
                            const QString &out, const QString &code)
{
    return call(path, kMock, "AddMethod", {interface, name, in, out, code}).type() == QDBusMessage::ReplyMessage;
}

bool SystemdMock::addUnit(const QString &unit, const QString &activeState)
{
    return call(ManagerPath, kMock, "AddMockUnit", {unit}).type() == QDBusMessage::ReplyMessage
           && call(unitPath(unit), kMock, "UpdateProperties", {kUnit, QVariantMap{{"ActiveState", activeState}}}).type()
                  == QDBusMessage::ReplyMessage;
}

bool SystemdMock::setProperty(const QString &unit, const QString &interface, const QString &name,
                              const QVariant &value)
{
    const QString path = unitPath(unit);
    return call(path, kMock, "UpdateProperties", {interface, QVariantMap{{name, value}}}).type()
               == QDBusMessage::ReplyMessage
           || call(path, kMock, "AddProperty", {interface, name, value}).type() == QDBusMessage::ReplyMessage;
}

QString SystemdMock::unitPath(const QString &unit)
{
    return call(ManagerPath, Manager, "GetUnit", {unit}).arguments().value(0).value<QDBusObjectPath>().path();
}

QString SystemdMock::activeState(const QString &unit)
{
    const QString path = unitPath(unit);
    if (path.isEmpty())
        return QString();
    const QDBusMessage reply = call(path, "org.freedesktop.DBus.Properties", "Get", {kUnit, "ActiveState"});
    return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
}

int SystemdMock::callCount(const QString &path, const QString &method)
{
    const QDBusArgument calls = call(path, kMock, "GetMethodCalls", {method}).arguments().value(0).value<QDBusArgument>();
    int count = 0;
    calls.beginArray();
    while (!calls.atEnd()) {
        calls.beginStructure();
        calls.endStructure();
        ++count;
    }
    calls.endArray();
    return count;
}
