#ifndef SERVICECONTROLLER_H
#define SERVICECONTROLLER_H

#include <QString>
#include <QStringList>

class ServiceControllerPrivate;

// Controls the installed service of one name through the system's service
// manager. Every operation reports its outcome only through its result.
class ServiceController
{
public:
    explicit ServiceController(const QString &name);
    virtual ~ServiceController();

    ServiceController(const ServiceController &) = delete;
    ServiceController &operator=(const ServiceController &) = delete;

    QString serviceName() const;

    bool isInstalled() const;
    bool isRunning() const;

    // Asks the service manager to start the service.
    bool start(const QStringList &args = QStringList());
    // Asks the service to stop and waits up to about two seconds until it
    // has; true when it stopped.
    bool stop();
    bool pause();
    bool resume();
    // code: 0 to 127; false without sending anything for any other code or
    // when the service is not running.
    bool sendCommand(int code);
    bool uninstall();

private:
    ServiceControllerPrivate *d_ptr;
};

#endif // SERVICECONTROLLER_H
