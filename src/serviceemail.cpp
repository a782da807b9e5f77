#include "serviceemail.h"

ServiceEMail::ServiceEMail()
    : d(nullptr)
{
}

ServiceEMail::~ServiceEMail() = default;

ServiceEMail *ServiceEMail::instance()
{
    static ServiceEMail *service = new ServiceEMail;
    return service;
}

void ServiceEMail::sendAlarmMail(const QString &text)
{
    Q_UNUSED(text)
}

void ServiceEMail::onSettingsChanged() {}
void ServiceEMail::onTimerTimeout() {}
void ServiceEMail::onConnectionFailed() {}
void ServiceEMail::onEncryptionFailed() {}
void ServiceEMail::onAuthenticationFailed() {}
void ServiceEMail::onMailFinished() {}
