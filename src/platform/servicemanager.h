#ifndef SERVICEMANAGER_H
#define SERVICEMANAGER_H

#include <QString>
#include <QStringList>

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
    // Writes the unit (also over the service's installed one), has the
    // manager read it again and, when automatic, enables it. When that
    // fails, an installed unit is left as it was.
    static bool install(const QString &name, const UnitConfig &config);
    // What install() with config would change in the installed unit file,
    // one line per setting: "User=bob (was: none)"; empty when nothing.
    static QStringList changes(const QString &name, const UnitConfig &config);
    // The program that the installed unit file runs; empty without one.
    static QString installedProgram(const QString &name);
    // Whether the service runs a program file that has been replaced since
    // it started (an upgrade in place), which only a restart brings in.
    static bool runsReplacedProgram(const QString &name);
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
