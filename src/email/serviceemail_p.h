#ifndef SERVICEEMAIL_P_H
#define SERVICEEMAIL_P_H

// Internal state of ServiceEMail; not part of its interface.

#include "serviceemail.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTime>

class MailMessage;
class Settings;
class SmtpClient;
class WorkbookExport;
class QTimer;

class ServiceEMailPrivate
{
public:
    explicit ServiceEMailPrivate(ServiceEMail *owner);

    static ServiceEMailPrivate *get(ServiceEMail *service) { return service->d; }

    void loadSettings();
    void startTimer();
    void stopTimer();
    // The day whose daily report a tick at `now` sends; invalid for none.
    QDate dueReportDay(const QDateTime &now) const;

    enum MailKind { AlarmMail, DailyReport, TestMail };

    // The receivers as the database lists them; the list read last while
    // another program holds the database locked.
    QStringList receivers();
    SmtpClient *setUpClient(MailKind kind);
    void retire(SmtpClient *client);
    // The server refused the mail of a client (its sender, a recipient or
    // the text): that mail is lost, so the client's finished() that follows
    // tells no delivery.
    void mailRefused(SmtpClient *client, MailKind kind, const QString &reply);
    MailMessage message(const QStringList &to, const QString &subject) const;
    QString body(const QString &text) const;
    // Starts writing the workbook of the readings of one day, off the main
    // thread; reportBook tells when it is done.
    void writeWorkbook(const QString &path, const QDate &readingsDay);
    // The report due on dueDay: the readings of the day before. It is mailed
    // once its workbook is written.
    void sendDailyReport(const QDate &dueDay);
    void mailDailyReport(bool workbookWritten);

    ServiceEMail *q;
#ifndef AMBREL_SERVICE
    ListModelEMailUser *userModel = nullptr;
#endif
    Settings *settings = nullptr;
    SmtpClient *smtp = nullptr;
    QTimer *timer = nullptr;
    bool enable = false;
    QString serverAddress;
    quint16 serverPort = 0;
    QString senderName;
    QString senderAddress;
    int encrypt = 0;
    bool authEnable = false;
    QString authAccount;
    QString authPassword;
    bool dailyEnable = false;
    QTime dailyTime;

    // The daily report's workbook, and the receivers of the report that
    // waits for it.
    WorkbookExport *reportBook = nullptr;
    QStringList reportReceivers;
    // The receivers the database listed last.
    QStringList knownReceivers;

    // Daily timer: the previous tick since the timer was last started (invalid
    // before the first), and the day whose report went out last.
    QDateTime lastTick;
    QDate lastReportDay;

    // Clients of earlier mails that may still be at work; each goes once it
    // has finished, failed or lost its connection, or when its time is up.
    QList<QPointer<SmtpClient>> retired;
    int retireTimeout = 120000; // ms
};

#endif // SERVICEEMAIL_P_H
