#ifndef SYSTEMDMOCK_H
#define SYSTEMDMOCK_H

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QVariantList>

// A mock systemd (python-dbusmock's "systemd" template) on a private bus of
// its own, for programs started with DBUS_SYSTEM_BUS_ADDRESS = address().
// Beyond the template it answers LoadUnit, EnableUnitFiles and
// DisableUnitFiles, and its Reload reads the unit folder again: a
// "<name>.service" file there makes a unit (inactive), a removed file
// removes it again.
class SystemdMock
{
public:
    static const char ManagerPath[];
    static const char Manager[];

    explicit SystemdMock(const QString &unitFolder);
    ~SystemdMock();

    // Starts bus and mock; false when either fails.
    bool start();
    QByteArray address() const { return busAddress; }

    QDBusMessage call(const QString &path, const QString &interface, const QString &method,
                      const QVariantList &args = QVariantList());
    // Puts a method in place (or in place of the template's); code as for
    // dbusmock's AddMethod.
    bool addMethod(const QString &path, const QString &interface, const QString &name, const QString &in,
                   const QString &out, const QString &code);
    // A unit without a file, in the given ActiveState.
    bool addUnit(const QString &unit, const QString &activeState);
    QString unitPath(const QString &unit);
    QString activeState(const QString &unit);
    // How often the object at path was called with method since the start.
    int callCount(const QString &path, const QString &method);

private:
    QString folder;
    QProcess bus;
    QProcess mock;
    QByteArray busAddress;
    QDBusConnection connection;
};

#endif // SYSTEMDMOCK_H
