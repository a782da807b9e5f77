#ifndef SERVICEBASE_P_H
#define SERVICEBASE_P_H

#include "service/servicebase.h"
#include "service/servicecontroller.h"

#include <QByteArray>
#include <QList>
#include <QVector>

class ServiceControlState;

class ServiceBasePrivate
{
public:
    ServiceBasePrivate(ServiceBase *q, const QString &name);

    // Builds the argument count and vector handed to createApplication from
    // list; they stay valid as long as this object (the application keeps
    // pointing at them).
    void setApplicationArguments(const QStringList &list);

    ServiceBase *q_ptr;
    QString serviceDescription;
    ServiceBase::StartupType startupType = ServiceBase::ManualStartup;
    ServiceBase::ServiceFlags serviceFlags;
    QStringList args;
    ServiceController controller;
    // Exists only while the program runs as a service.
    ServiceControlState *controlState = nullptr;
    // The exit code of the service run's event loop.
    int exitCode = 0;

    QList<QByteArray> applicationArgData;
    QVector<char *> applicationArgv;
    int applicationArgc = 0;
};

#endif // SERVICEBASE_P_H
