#include "service/servicecontrollerhandler.h"

#include "service/servicebase.h"
#include "service/servicecontrolstate.h"

#include <QCoreApplication>
#include <QEvent>

ServiceControllerHandler::ServiceControllerHandler(ServiceControlState *state)
    : state(state)
{
}

void ServiceControllerHandler::customEvent(QEvent *event)
{
    ServiceBase *service = ServiceBase::instance();
    const int code = int(event->type()) - ServiceControlState::EventBase;
    if (service) {
        if (code == ServiceControlState::ControlStop) {
            service->stop();
            QCoreApplication::quit();
        } else if (code == ServiceControlState::ControlPause) {
            service->pause();
        } else if (code == ServiceControlState::ControlContinue) {
            service->resume();
        } else if (code == ServiceControlState::ControlStart) {
            service->start();
        } else if (code >= 128 && code <= 255) {
            service->processCommand(code - 128);
        }
    }
    state->eventHandled();
}
