#ifndef SERVICEBASE_H
#define SERVICEBASE_H

#include <QFlags>
#include <QString>
#include <QStringList>

class ServiceBasePrivate;

// The one service that this process implements. A program builds exactly one
// object of a subclass (usually of ServiceHost<Application>) in main and
// returns the value of exec(), which reads the command line: install,
// uninstall, control the installed service, run it in the console, or (with
// no option) run as the service that the service manager started.
//
// start(), stop(), pause(), resume() and processCommand() always run on the
// main thread, inside the application's event loop.
class ServiceBase
{
public:
    enum StartupType {
        AutoStartup = 0,
        ManualStartup = 1,
    };

    enum ServiceFlag {
        CanBeSuspended = 0x1,      // accepts pause and continue
        CannotBeStopped = 0x2,     // refuses the stop control
        NeedsStopOnShutdown = 0x4, // accepts the shutdown control
    };
    Q_DECLARE_FLAGS(ServiceFlags, ServiceFlag)

    // name: the service's name (at most 255 characters; a backslash ends it).
    ServiceBase(int argc, char **argv, const QString &name);
    virtual ~ServiceBase();

    ServiceBase(const ServiceBase &) = delete;
    ServiceBase &operator=(const ServiceBase &) = delete;

    // The service object of this process, or nullptr.
    static ServiceBase *instance();

    QString serviceName() const;
    QString serviceDescription() const;
    void setServiceDescription(const QString &description);
    StartupType startupType() const;
    void setStartupType(StartupType type);
    ServiceFlags serviceFlags() const;
    void setServiceFlags(ServiceFlags flags);

    // Carries out the command line and returns the program's exit value.
    int exec();

protected:
    // The service's work begins here.
    virtual void start() = 0;
    virtual void stop();
    virtual void pause();
    virtual void resume();
    // code: 0 to 127.
    virtual void processCommand(int code);

    // Must leave a QCoreApplication (or subclass) instance behind.
    virtual void createApplication(int &argc, char **argv) = 0;
    // Runs the application's event loop and returns its exit code.
    virtual int executeApplication() = 0;

private:
    bool install(const QString &account, const QString &password);
    // The -i option: installs the service, or brings the installed one up
    // to date; returns the exit value.
    int installFromCommandLine();
    bool startService();
    int runAsApplication(QStringList args);

    ServiceBasePrivate *d_ptr;
    friend class ServiceControllerHandler;
    friend class ServiceStarter;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ServiceBase::ServiceFlags)

#endif // SERVICEBASE_H
