#ifndef SERVICECONTROLSTATE_H
#define SERVICECONTROLSTATE_H

#include "platform/servicemanager.h"
#include "service/servicebase.h"

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QWaitCondition>

class ServiceControllerHandler;

// What a run as a service needs: the status reported to the service manager
// and the hand-over of each control from the dispatcher thread to the main
// thread, which carries it out while the dispatcher thread waits.
class ServiceControlState
{
public:
    enum Control {
        ControlStop = 1,
        ControlPause = 2,
        ControlContinue = 3,
        ControlInterrogate = 4,
        ControlShutdown = 5,
        ControlStart = 256,
    };
    enum AcceptedControl {
        AcceptStop = 1,
        AcceptPauseContinue = 2,
        AcceptShutdown = 4,
    };
    // Control events posted to the main thread: this plus the control code.
    static const int EventBase = 1000;

    explicit ServiceControlState(ServiceBase::ServiceFlags flags);

    // The state of the running service, or nullptr.
    static ServiceControlState *instance();
    static void setInstance(ServiceControlState *state);

    // Whether the service takes the control code.
    bool accepts(int code) const;

    // Sets the current state and reports it, when the service manager is
    // there. Called with the mutex held.
    void setStatus(ServiceManager::State state);

    // Main thread, after each control event: wakes the waiting handler.
    void eventHandled();
    // Main thread, once the event loop has ended: the service has stopped
    // with exitCode; controls that come later change nothing.
    void finish(int exitCode);

    // The service's entry, on the dispatcher thread: keeps the arguments,
    // lets the main thread create the application, then starts the service.
    static void serviceMain(const QStringList &args);
    // Carries out one control code (see the table in the source).
    static void controlHandler(int code);

    ServiceManager::State currentState = ServiceManager::Stopped;
    int controlsAccepted = 0;
    int exitCode = 0;
    QStringList serviceArgs;
    QWaitCondition condition;
    QMutex mutex;
    // Released once the entry has run or the dispatcher has failed.
    QSemaphore startSemaphore;
    // Released once the application and the handler object exist.
    QSemaphore startSemaphore2;
    ServiceControllerHandler *handler = nullptr;

private:
    // Posts the control event and waits until the main thread has handled
    // it (or its loop has ended). Called with the mutex held.
    void postAndWait(int code);

    quint64 handledEvents = 0;
    bool loopEnded = false;
};

#endif // SERVICECONTROLSTATE_H
