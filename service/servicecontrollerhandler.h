#ifndef SERVICECONTROLLERHANDLER_H
#define SERVICECONTROLLERHANDLER_H

#include <QObject>

class ServiceControlState;

// Carries out the control events on the main thread: the service's start(),
// stop() (then the end of the event loop), pause(), resume() and
// processCommand().
class ServiceControllerHandler : public QObject
{
    Q_OBJECT

public:
    explicit ServiceControllerHandler(ServiceControlState *state);

protected:
    void customEvent(QEvent *event) override;

private:
    ServiceControlState *state;
};

#endif // SERVICECONTROLLERHANDLER_H
