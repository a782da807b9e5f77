#ifndef AMBRELSERVICE_H
#define AMBRELSERVICE_H

#include "service/servicehost.h"

#include <QCoreApplication>

// The service program's service: the monitoring and protection services of
// the desktop program, without a user interface, for as long as the
// desktop program does not run.
class AmbrelService : public ServiceHost<QCoreApplication>
{
public:
    AmbrelService(int argc, char **argv);

protected:
    void start() override;
    void stop() override;

private:
    bool started = false;
};

#endif // AMBRELSERVICE_H
