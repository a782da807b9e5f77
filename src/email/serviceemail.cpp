#include "serviceemail.h"
#include "serviceemail_p.h"

#include "records/clock.h"
#include "records/database.h"
#include "records/settings.h"
#include "smtpclient.h"
#include "email/tablemodeldevdata.h"
#include "email/workbookexport.h"
#ifndef AMBREL_SERVICE
#include "listmodelemailuser.h"
#endif

#include <QDebug>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

namespace {
const int kTimerInterval = 1000;
const char kTimeFormat[] = "hh:mm:ss";
const char kWorkbookName[] = "record.xlsx";
const char kClientDone[] = "ambrelMailDone";
const double kColumnWidth = 20.0;
} // namespace

ServiceEMailPrivate::ServiceEMailPrivate(ServiceEMail *owner)
    : q(owner)
{
}

void ServiceEMailPrivate::loadSettings()
{
    enable = settings->getSettings(Settings::EMailEnable).toBool();
    serverAddress = settings->getSettings(Settings::EMailServerAddress).toString();
    serverPort = static_cast<quint16>(settings->getSettings(Settings::EMailServerPort).toInt());
    senderName = settings->getSettings(Settings::EMailSenderName).toString();
    senderAddress = settings->getSettings(Settings::EMailSenderAddress).toString();
    encrypt = settings->getSettings(Settings::EMailEncrypt).toInt();
    authEnable = settings->getSettings(Settings::EMailAuthEnable).toBool();
    authAccount = settings->getSettings(Settings::EMailAuthName).toString();
    authPassword = settings->getSettings(Settings::EMailAuthPassword).toString();
    dailyEnable = settings->getSettings(Settings::EMailDailyEnable).toBool();
    dailyTime = QTime::fromString(settings->getSettings(Settings::EMailDailyTime).toString(),
                                  QLatin1String(kTimeFormat));
}

void ServiceEMailPrivate::startTimer()
{
    lastTick = QDateTime();
    timer->start(kTimerInterval);
}

void ServiceEMailPrivate::stopTimer()
{
    timer->stop();
    lastTick = QDateTime();
}

QDate ServiceEMailPrivate::dueReportDay(const QDateTime &now) const
{
    if (!dailyTime.isValid())
        return QDate();
    // A day's report is due at one moment, also on a day when the clocks
    // skip or repeat its time.
    if (!lastTick.isValid()) {
        // First tick since the timer started: only its own second counts,
        // so a time already past is not caught up.
        const qint64 due = Clock::localMoment(now.date(), dailyTime).toSecsSinceEpoch();
        return due == now.toSecsSinceEpoch() && now.date() != lastReportDay ? now.date() : QDate();
    }
    // The daily time counts when it lies after the previous tick and at or
    // before this one, so a late or skipped tick does not lose the report.
    for (const QDate &day : {now.date().addDays(-1), now.date()}) {
        const QDateTime at = Clock::localMoment(day, dailyTime);
        if (at > lastTick && at <= now && day != lastReportDay)
            return day;
    }
    return QDate();
}

QStringList ServiceEMailPrivate::receivers()
{
    ServiceEMail::storedReceivers(&knownReceivers);
    return knownReceivers;
}

SmtpClient *ServiceEMailPrivate::setUpClient(MailKind kind)
{
    retire(smtp);

    SmtpClient *client = new SmtpClient;
    smtp = client;
    QObject::connect(client, QOverload<>::of(&SmtpClient::connectionFailed), q,
                     &ServiceEMail::onConnectionFailed);
    QObject::connect(client, QOverload<>::of(&SmtpClient::encryptionFailed), q,
                     &ServiceEMail::onEncryptionFailed);
    QObject::connect(client, QOverload<>::of(&SmtpClient::authenticationFailed), q,
                     &ServiceEMail::onAuthenticationFailed);
    QObject::connect(client, &SmtpClient::finished, q, &ServiceEMail::onMailFinished);
    QObject::connect(client, QOverload<int, int, const QString &>::of(&SmtpClient::mailFailed), q,
                     [this, client, kind](int, int, const QString &reply) { mailRefused(client, kind, reply); });

    // Once the client is through with its mail, a retired client can go.
    auto done = [this, client]() {
        client->setProperty(kClientDone, true);
        if (client != smtp)
            client->deleteLater();
    };
    QObject::connect(client, QOverload<>::of(&SmtpClient::connectionFailed), client, done);
    QObject::connect(client, QOverload<>::of(&SmtpClient::encryptionFailed), client, done);
    QObject::connect(client, QOverload<>::of(&SmtpClient::authenticationFailed), client, done);
    QObject::connect(client, &SmtpClient::finished, client, done);
    QObject::connect(client, &SmtpClient::disconnected, client, done);

    client->setStartTlsDisabled(encrypt != 1);
    if (encrypt == 2)
        client->connectToSecureHost(serverAddress, serverPort);
    else
        client->connectToHost(serverAddress, serverPort);

    if (authEnable) {
        client->setUsername(authAccount.toLocal8Bit());
        client->setPassword(authPassword.toLocal8Bit());
    } else {
        client->setUsername(senderAddress.toLocal8Bit());
    }
    return client;
}

void ServiceEMailPrivate::retire(SmtpClient *client)
{
    retired.removeAll(QPointer<SmtpClient>());
    if (!client)
        return;
    if (client->property(kClientDone).toBool()) {
        client->deleteLater();
        return;
    }
    // Still at work: let it finish its mail, but not for ever.
    retired.append(client);
    QTimer::singleShot(retireTimeout, client, &QObject::deleteLater);
}

void ServiceEMailPrivate::mailRefused(SmtpClient *client, MailKind kind, const QString &reply)
{
    QObject::disconnect(client, &SmtpClient::finished, q, &ServiceEMail::onMailFinished);
    switch (kind) {
    case TestMail:
#ifndef AMBREL_SERVICE
        emit q->emailFailed(reply);
#endif
        break;
    case AlarmMail:
        qWarning().noquote() << "Alarm mail refused by the mail server:" << reply;
        break;
    case DailyReport:
        qWarning().noquote() << "Daily report refused by the mail server:" << reply;
        break;
    }
}

MailMessage ServiceEMailPrivate::message(const QStringList &to, const QString &subject) const
{
    MailMessage mail;
    mail.setSender(senderName + QLatin1Char('<') + senderAddress + QLatin1Char('>'));
    for (const QString &address : to)
        mail.addRecipient(address, MailMessage::To);
    mail.setSubject(subject);
    return mail;
}

QString ServiceEMailPrivate::body(const QString &text) const
{
    return text + QStringLiteral("\r\n\t\t\t\t") + ServiceEMail::tr("From Ambrel");
}

void ServiceEMailPrivate::writeWorkbook(const QString &path, const QDate &readingsDay)
{
    WorkbookExport::Sheet sheet; // every cell centred, nothing more
    sheet.headers = QStringList{
        ServiceEMail::tr("Date"),
        ServiceEMail::tr("Input Voltage(V)"),
        ServiceEMail::tr("Output Voltage(V)"),
        ServiceEMail::tr("UPS Load(%)"),
        ServiceEMail::tr("Input Frequency(Hz)"),
        ServiceEMail::tr("Battery voltage(V)"),
        ServiceEMail::tr("Temperature(℃)"),
    };
    sheet.columnWidth = kColumnWidth;
    sheet.cellText = &TableModelDevData::cellText;
    const WorkbookExport::Rows rows{Database::tableName(Database::DeviceData), readingsDay, readingsDay, false};
    reportBook->start(rows, sheet, path);
}

void ServiceEMailPrivate::sendDailyReport(const QDate &dueDay)
{
    const QStringList to = receivers();
    if (to.isEmpty())
        return;
    if (reportBook->isRunning()) {
        qWarning("Daily report not sent: the previous report's workbook is still being written");
        return;
    }

    // The readings of the day before the one the report was due, even when
    // the tick that sends it comes after midnight.
    reportReceivers = to;
    writeWorkbook(settings->dataDir() + QLatin1Char('/') + QLatin1String(kWorkbookName), dueDay.addDays(-1));
}

void ServiceEMailPrivate::mailDailyReport(bool workbookWritten)
{
    const QStringList to = reportReceivers;
    reportReceivers.clear();
    if (to.isEmpty())
        return;

    QByteArray content;
    QFile file(settings->dataDir() + QLatin1Char('/') + QLatin1String(kWorkbookName));
    // A file left from an earlier day is not this report's.
    if (!workbookWritten)
        qWarning("Daily report: its workbook could not be written; the report goes without the readings");
    else if (file.open(QIODevice::ReadOnly))
        content = file.readAll();

    SmtpClient *client = setUpClient(DailyReport);
    MailMessage mail = message(to, ServiceEMail::tr("Daily Report"));
    mail.addAttachment(QLatin1String(kWorkbookName),
                       MailAttachment(content, QStringLiteral("application/octet-stream")));
    mail.setBody(body(ServiceEMail::tr("UPS daily report.")));
    client->send(mail);
}

ServiceEMail::ServiceEMail()
    : d(new ServiceEMailPrivate(this))
{
#ifndef AMBREL_SERVICE
    d->userModel = new ListModelEMailUser;
#endif
    d->settings = Settings::instance();
    d->timer = new QTimer;
    d->reportBook = new WorkbookExport;
    connect(d->reportBook, &WorkbookExport::finished, this, [this](bool written) { d->mailDailyReport(written); });
    d->loadSettings();
    connect(d->timer, &QTimer::timeout, this, &ServiceEMail::onTimerTimeout);
    if (d->dailyEnable && d->enable)
        d->startTimer();
}

ServiceEMail::~ServiceEMail()
{
    delete d->timer;
    delete d->reportBook;
    delete d->smtp;
    for (const QPointer<SmtpClient> &client : qAsConst(d->retired))
        delete client.data();
#ifndef AMBREL_SERVICE
    delete d->userModel;
#endif
    delete d;
}

ServiceEMail *ServiceEMail::instance()
{
    static ServiceEMail *service = new ServiceEMail;
    return service;
}

QSqlError ServiceEMail::storedReceivers(QStringList *receivers)
{
    QStringList list;
    QSqlQuery query;
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("select user from %1;").arg(Database::tableName(Database::EMailUser)))) {
        while (query.next())
            list.append(query.value(0).toString());
    }
    if (!query.lastError().isValid())
        *receivers = list;
    return query.lastError();
}

void ServiceEMail::sendAlarmMail(const QString &text)
{
    if (!d->enable)
        return;
    const QStringList to = d->receivers();
    if (to.isEmpty())
        return;

    SmtpClient *client = d->setUpClient(ServiceEMailPrivate::AlarmMail);
    MailMessage mail = d->message(to, tr("UPS Alarm"));
    mail.setBody(d->body(text));
    client->send(mail);
}

void ServiceEMail::onSettingsChanged()
{
    d->loadSettings();
}

void ServiceEMail::onTimerTimeout()
{
    const QDateTime now = Clock::now();
    const QDate day = d->dueReportDay(now);
    d->lastTick = now;
    if (!day.isValid())
        return;
    d->lastReportDay = day;
    d->sendDailyReport(day);
}

#ifdef AMBREL_SERVICE

// The service reports mail outcomes nowhere.
void ServiceEMail::onConnectionFailed() {}
void ServiceEMail::onEncryptionFailed() {}
void ServiceEMail::onAuthenticationFailed() {}
void ServiceEMail::onMailFinished() {}

#else

void ServiceEMail::onConnectionFailed()
{
    emit emailFailed(tr("connection failed"));
}

void ServiceEMail::onEncryptionFailed()
{
    emit emailFailed(tr("encryption failed"));
}

void ServiceEMail::onAuthenticationFailed()
{
    emit emailFailed(tr("authentication failed"));
}

void ServiceEMail::onMailFinished()
{
    emit emailFinished();
}

void ServiceEMail::sendTestEMail()
{
    SmtpClient *client = d->setUpClient(ServiceEMailPrivate::TestMail);
    MailMessage mail = d->message({d->senderAddress}, tr("Test E-Mail"));
    mail.setBody(d->body(tr("This is a test E-Mail!")));
    client->send(mail);
}

ListModelEMailUser *ServiceEMail::userModel() const
{
    return d->userModel;
}

#endif // AMBREL_SERVICE
