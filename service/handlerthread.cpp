#include "service/handlerthread.h"

#include "platform/servicemanager.h"
#include "service/servicebase_p.h"
#include "service/servicecontrolstate.h"

HandlerThread::HandlerThread(ServiceBasePrivate *service)
    : service(service)
    , channel(service->controller.serviceName())
{
}

void HandlerThread::finish()
{
    channel.interrupt();
}

void HandlerThread::run()
{
    ServiceControlState *state = ServiceControlState::instance();
    if (!ServiceManager::startedByManager()) {
        // Run from a console: the caller asks the manager to start the service.
        success = false;
        console = true;
        state->startSemaphore.release();
        return;
    }
    QString error;
    if (!channel.listen(&error)) {
        success = false;
        ServiceManager::logError(service->controller.serviceName(),
                                 QStringLiteral("The Service failed to start [%1]").arg(error));
        state->startSemaphore.release();
        return;
    }
    ServiceControlState::serviceMain(service->args);
    for (;;) {
        const int code = channel.nextControl();
        if (code == ServiceControlChannel::Interrupted)
            break;
        const bool accepted = state->accepts(code);
        if (accepted)
            ServiceControlState::controlHandler(code);
        channel.answer(accepted);
    }
}
