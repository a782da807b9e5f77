#include "service/servicecontrolstate.h"

#include "service/servicecontrollerhandler.h"

#include <QCoreApplication>
#include <QEvent>

#include <atomic>

namespace {
std::atomic<ServiceControlState *> controlState{nullptr};
} // namespace

ServiceControlState::ServiceControlState(ServiceBase::ServiceFlags flags)
{
    if (!flags.testFlag(ServiceBase::CannotBeStopped))
        controlsAccepted |= AcceptStop;
    if (flags.testFlag(ServiceBase::CanBeSuspended))
        controlsAccepted |= AcceptPauseContinue;
    if (flags.testFlag(ServiceBase::NeedsStopOnShutdown))
        controlsAccepted |= AcceptShutdown;
}

ServiceControlState *ServiceControlState::instance()
{
    return controlState.load();
}

void ServiceControlState::setInstance(ServiceControlState *state)
{
    controlState.store(state);
}

bool ServiceControlState::accepts(int code) const
{
    switch (code) {
    case ControlStop:
        return controlsAccepted & AcceptStop;
    case ControlPause:
    case ControlContinue:
        return controlsAccepted & AcceptPauseContinue;
    case ControlInterrogate:
        return true;
    case ControlShutdown:
        return controlsAccepted & AcceptShutdown;
    default:
        return code >= 128 && code <= 255; // the user codes 0 to 127
    }
}

void ServiceControlState::setStatus(ServiceManager::State state)
{
    // Once the loop has ended, a control still on its way reports nothing.
    if (!ServiceManager::startedByManager() || (loopEnded && state != ServiceManager::Stopped))
        return;
    currentState = state;
    ServiceManager::notify(state);
}

void ServiceControlState::eventHandled()
{
    QMutexLocker lock(&mutex);
    ++handledEvents;
    condition.wakeAll();
}

void ServiceControlState::finish(int code)
{
    QMutexLocker lock(&mutex);
    exitCode = code;
    loopEnded = true;
    setStatus(ServiceManager::Stopped);
    condition.wakeAll();
}

void ServiceControlState::postAndWait(int code)
{
    const quint64 before = handledEvents;
    QCoreApplication::postEvent(handler, new QEvent(QEvent::Type(EventBase + code)));
    while (handledEvents == before && !loopEnded)
        condition.wait(&mutex);
}

void ServiceControlState::serviceMain(const QStringList &args)
{
    ServiceControlState *state = instance();
    if (!state || !ServiceBase::instance())
        return;
    state->serviceArgs = args;
    state->startSemaphore.release();
    state->startSemaphore2.acquire();
    controlHandler(ControlStart);
}

void ServiceControlState::controlHandler(int code)
{
    ServiceControlState *state = instance();
    if (!state)
        return;
    QMutexLocker lock(&state->mutex);
    if (state->loopEnded)
        return;
    switch (code) {
    case ControlStop:
        state->setStatus(ServiceManager::StopPending);
        state->postAndWait(ControlStop);
        break;
    case ControlPause:
        state->setStatus(ServiceManager::PausePending);
        state->postAndWait(ControlPause);
        state->setStatus(ServiceManager::Paused);
        break;
    case ControlContinue:
        state->setStatus(ServiceManager::ContinuePending);
        state->postAndWait(ControlContinue);
        state->setStatus(ServiceManager::Running);
        break;
    case ControlShutdown:
        state->postAndWait(ControlStop); // stops without a pending state
        break;
    case ControlStart:
        state->setStatus(ServiceManager::StartPending);
        state->postAndWait(ControlStart);
        state->setStatus(ServiceManager::Running);
        break;
    default:
        if (code >= 128 && code <= 255)
            state->postAndWait(code);
        break; // the interrogation and unknown codes only report the state
    }
    if (ServiceManager::startedByManager() && state->currentState != ServiceManager::Stopped)
        ServiceManager::notify(state->currentState);
}
