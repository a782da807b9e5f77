// The mail settings of ServiceEMail as properties: each setter stores a
// changed value and writes its setting at once. Desktop program only.

#include "serviceemail.h"
#include "serviceemail_p.h"

#ifndef AMBREL_SERVICE

#include "records/settings.h"

#include <QLocale>
#include <QTimer>

namespace {
const char kTimeFormat[] = "hh:mm:ss";

template <typename T>
bool store(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

bool ServiceEMail::enable() const { return d->enable; }

void ServiceEMail::setEnable(bool enable)
{
    if (!store(d->enable, enable))
        return;
    d->settings->setSettings(Settings::EMailEnable, enable);
    if (enable && d->dailyEnable)
        d->startTimer();
    else
        d->stopTimer();
}

QString ServiceEMail::serverAddress() const { return d->serverAddress; }

void ServiceEMail::setServerAddress(const QString &address)
{
    if (store(d->serverAddress, address))
        d->settings->setSettings(Settings::EMailServerAddress, address);
}

ushort ServiceEMail::serverPort() const { return d->serverPort; }

void ServiceEMail::setServerPort(ushort port)
{
    if (store(d->serverPort, static_cast<quint16>(port)))
        d->settings->setSettings(Settings::EMailServerPort, port);
}

QString ServiceEMail::senderName() const { return d->senderName; }

void ServiceEMail::setSenderName(const QString &name)
{
    if (store(d->senderName, name))
        d->settings->setSettings(Settings::EMailSenderName, name);
}

QString ServiceEMail::senderAddress() const { return d->senderAddress; }

void ServiceEMail::setSenderAddress(const QString &address)
{
    if (store(d->senderAddress, address))
        d->settings->setSettings(Settings::EMailSenderAddress, address);
}

int ServiceEMail::encrypt() const { return d->encrypt; }

void ServiceEMail::setEncrypt(int encrypt)
{
    if (store(d->encrypt, encrypt))
        d->settings->setSettings(Settings::EMailEncrypt, encrypt);
}

bool ServiceEMail::authEnable() const { return d->authEnable; }

void ServiceEMail::setAuthEnable(bool enable)
{
    if (store(d->authEnable, enable))
        d->settings->setSettings(Settings::EMailAuthEnable, enable);
}

QString ServiceEMail::authAccount() const { return d->authAccount; }

void ServiceEMail::setAuthAccount(const QString &account)
{
    if (store(d->authAccount, account))
        d->settings->setSettings(Settings::EMailAuthName, account);
}

QString ServiceEMail::authPassword() const { return d->authPassword; }

void ServiceEMail::setAuthPassword(const QString &password)
{
    if (store(d->authPassword, password))
        d->settings->setSettings(Settings::EMailAuthPassword, password);
}

bool ServiceEMail::dailyEnable() const { return d->dailyEnable; }

void ServiceEMail::setDailyEnable(bool enable)
{
    if (!store(d->dailyEnable, enable))
        return;
    if (enable)
        d->startTimer();
    else
        d->stopTimer();
    d->settings->setSettings(Settings::EMailDailyEnable, enable);
}

int ServiceEMail::dailyHour() const { return d->dailyTime.hour(); }
int ServiceEMail::dailyMinute() const { return d->dailyTime.minute(); }
int ServiceEMail::dailySecond() const { return d->dailyTime.second(); }

// An unreadable stored time counts as midnight for the parts not being set.
static void setDailyPart(ServiceEMailPrivate *d, int hour, int minute, int second)
{
    const QTime base = d->dailyTime.isValid() ? d->dailyTime : QTime(0, 0);
    const QTime time(hour < 0 ? base.hour() : hour, minute < 0 ? base.minute() : minute,
                     second < 0 ? base.second() : second);
    if (!time.isValid() || time == d->dailyTime)
        return;
    d->dailyTime = time;
    d->settings->setSettings(Settings::EMailDailyTime, QLocale::c().toString(time, QLatin1String(kTimeFormat)));
}

void ServiceEMail::setDailyHour(int hour)
{
    if (hour >= 0)
        setDailyPart(d, hour, -1, -1);
}

void ServiceEMail::setDailyMinute(int minute)
{
    if (minute >= 0)
        setDailyPart(d, -1, minute, -1);
}

void ServiceEMail::setDailySecond(int second)
{
    if (second >= 0)
        setDailyPart(d, -1, -1, second);
}

#endif // AMBREL_SERVICE
