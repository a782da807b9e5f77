#ifndef SERVICEHOST_H
#define SERVICEHOST_H

#include "service/servicebase.h"

#include <QPointer>

// A service whose application object is an Application (QCoreApplication or
// a subclass), created when the service runs and kept here. The host deletes
// the application when its event loop has ended.
template <typename Application>
class ServiceHost : public ServiceBase
{
public:
    ServiceHost(int argc, char **argv, const QString &name)
        : ServiceBase(argc, argv, name)
    {
    }

protected:
    // The application object; nullptr before createApplication().
    Application *application() const { return app.data(); }

    void createApplication(int &argc, char **argv) override { app = new Application(argc, argv); }
    int executeApplication() override { return Application::exec(); }

private:
    QPointer<Application> app;
};

#endif // SERVICEHOST_H
