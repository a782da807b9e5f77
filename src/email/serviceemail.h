#ifndef SERVICEEMAIL_H
#define SERVICEEMAIL_H

#include <QObject>
#include <QString>

class QSqlError;
class ServiceEMailPrivate;
#ifndef AMBREL_SERVICE
class ListModelEMailUser;
#endif

// Sends the system's three mails: an alarm mail for every new alarm, the
// daily report with yesterday's readings as "record.xlsx", and the test mail.
// Every mail gets its own SMTP client.
class ServiceEMail : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(bool enable READ enable WRITE setEnable)
    Q_PROPERTY(QString serverAddress READ serverAddress WRITE setServerAddress)
    Q_PROPERTY(ushort serverPort READ serverPort WRITE setServerPort)
    Q_PROPERTY(QString senderName READ senderName WRITE setSenderName)
    Q_PROPERTY(QString senderAddress READ senderAddress WRITE setSenderAddress)
    Q_PROPERTY(int encrypt READ encrypt WRITE setEncrypt)
    Q_PROPERTY(bool authEnable READ authEnable WRITE setAuthEnable)
    Q_PROPERTY(QString authAccount READ authAccount WRITE setAuthAccount)
    Q_PROPERTY(QString authPassword READ authPassword WRITE setAuthPassword)
    Q_PROPERTY(bool dailyEnable READ dailyEnable WRITE setDailyEnable)
    Q_PROPERTY(int dailyHour READ dailyHour WRITE setDailyHour)
    Q_PROPERTY(int dailyMinute READ dailyMinute WRITE setDailyMinute)
    Q_PROPERTY(int dailySecond READ dailySecond WRITE setDailySecond)
#endif

public:
    ~ServiceEMail() override;

    static ServiceEMail *instance();

    // Every receiver the database lists, read whole into `receivers`; the
    // error, and `receivers` as it was, when they cannot be read.
    static QSqlError storedReceivers(QStringList *receivers);

    // The alarm mail with the text of a new alarm; nothing when mail is
    // disabled or no receiver is listed.
    void sendAlarmMail(const QString &text);

#ifndef AMBREL_SERVICE
    ListModelEMailUser *userModel() const;

    bool enable() const;
    void setEnable(bool enable);
    QString serverAddress() const;
    void setServerAddress(const QString &address);
    ushort serverPort() const;
    void setServerPort(ushort port);
    QString senderName() const;
    void setSenderName(const QString &name);
    QString senderAddress() const;
    void setSenderAddress(const QString &address);
    int encrypt() const;
    void setEncrypt(int encrypt);
    bool authEnable() const;
    void setAuthEnable(bool enable);
    QString authAccount() const;
    void setAuthAccount(const QString &account);
    QString authPassword() const;
    void setAuthPassword(const QString &password);
    bool dailyEnable() const;
    void setDailyEnable(bool enable);
    int dailyHour() const;
    void setDailyHour(int hour);
    int dailyMinute() const;
    void setDailyMinute(int minute);
    int dailySecond() const;
    void setDailySecond(int second);

signals:
    void emailFailed(QString msg);
    void emailFinished();
#endif

public slots:
    void onSettingsChanged();
    void onTimerTimeout();
    void onConnectionFailed();
    void onEncryptionFailed();
    void onAuthenticationFailed();
    void onMailFinished();

public:
#ifndef AMBREL_SERVICE
    Q_INVOKABLE void sendTestEMail();
#endif

private:
    ServiceEMail();

    ServiceEMailPrivate *d;
    friend class ServiceEMailPrivate;
};

#endif // SERVICEEMAIL_H
