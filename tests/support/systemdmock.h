#ifndef SYSTEMDMOCK_H
#define SYSTEMDMOCK_H

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

// python-dbusmock's "systemd" template on a private bus of its own, for
// programs started with DBUS_SYSTEM_BUS_ADDRESS = address(). It also answers
// LoadUnit, EnableUnitFiles and DisableUnitFiles, and its Reload reads the
// unit folder again: a "<name>.service" file makes an inactive unit, a
// removed file removes it.
class SystemdMock
{
public:
    static constexpr const char *ManagerPath = "/org/freedesktop/systemd1";
    static constexpr const char *Manager = "org.freedesktop.systemd1.Manager";

    // On the bus at address, else on a bus of its own.
    explicit SystemdMock(const QString &unitFolder, const QByteArray &address = QByteArray());
    ~SystemdMock();

    bool start();
    QByteArray address() const { return busAddress; }

    QDBusMessage call(const QString &path, const QString &interface, const QString &method,
                      const QVariantList &args = QVariantList());
    // Puts a method in place (also of the template's); code as for AddMethod.
    bool addMethod(const QString &path, const QString &interface, const QString &name, const QString &in,
                   const QString &out, const QString &code);
    // A unit without a file.
    bool addUnit(const QString &unit, const QString &activeState);
    // Sets (or adds) a property of the unit, such as the Unit interface's
    // ActiveState or the Service interface's MainPID.
    bool setProperty(const QString &unit, const QString &interface, const QString &name, const QVariant &value);
    QString unitPath(const QString &unit);
    // Empty when there is no such unit.
    QString activeState(const QString &unit);
    // How often the object at path was called with method.
    int callCount(const QString &path, const QString &method);

private:
    QString folder;
    QProcess bus;
    QProcess mock;
    QByteArray busAddress;
    QDBusConnection connection;
};

#endif // SYSTEMDMOCK_H
