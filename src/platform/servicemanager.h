#ifndef SERVICEMANAGER_H
#define SERVICEMANAGER_H

#include <QString>

// The system's service manager as the service host needs it. On Linux this
// is systemd: the units are reached over the system D-Bus
// (org.freedesktop.systemd1), the status goes out with sd_notify and the
// event log is syslog.
//
// A service is the unit "<name>.service"; a name is used up to its first
// NUL character. Failed calls leave an error number in errno.
class ServiceManager
{
public:
    // The states a service reports and a controller sees.
    enum State {
        Stopped = 1,
        StartPending = 2,
        StopPending = 3,
        Running = 4,
        ContinuePending = 5,
        PausePending = 6,
        Paused = 7,
    };

    struct UnitConfig
    {
        QString description;
        QString executable; // full path, run without arguments
        QString user;       // empty: the system account
        bool automatic = false;
    };

    // The folder that install() writes unit files into; by default the
    // system's ("/etc/systemd/system").
    static QString unitFolder();
    static void setUnitFolder(const QString &folder);

    // The name as the system takes it: up to its first NUL character.
    static QString systemName(const QString &name);

    // Whether the service manager answers; asked once per process.
    static bool isAvailable();

    // Whether this process was started by the service manager as a service.
    static bool startedByManager();

    // The full path of the running program.
    static QString executablePath();

    static bool isInstalled(const QString &name);
    // Writes the unit, has the manager read it again and, when automatic,
    // enables it.
    static bool install(const QString &name, const UnitConfig &config);
    // Disables the unit, removes its file and has the manager read them again.
    static bool uninstall(const QString &name);
    static bool start(const QString &name);
    static bool requestStop(const QString &name);
    // The unit's state; false (state untouched) when it cannot be asked.
    static bool queryState(const QString &name, State *state);

    // Reports the state of the running service to the manager.
    static void notify(State state);
    // Writes an error entry to the system log under the service's name.
    static void logError(const QString &name, const QString &text);
};

#endif // SERVICEMANAGER_H
