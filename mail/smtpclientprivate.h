#ifndef SMTPCLIENTPRIVATE_H
#define SMTPCLIENTPRIVATE_H

#include <QAbstractSocket>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

#include "mailmessage.h"
#include "smtpclient.h"

class QSslSocket;

// The dialogue state of SmtpClient and the slots that drive it.
class SmtpClientPrivate : public QObject
{
    Q_OBJECT

public:
    explicit SmtpClientPrivate(SmtpClient *q);

    // The address between '<' and '>' of a sender text such as
    // "Name<a@b.c>"; a '<' in a quoted part or in parentheses does not count.
    static QByteArray extractAddress(const QString &text);

    SmtpClient *q;
    bool startTlsDisabled = false;
    SmtpClient::SmtpState state = SmtpClient::Disconnected;
    SmtpClient::AuthType authMethod = SmtpClient::AuthPlain;
    int allowedAuthMethods = SmtpClient::AuthLogin | SmtpClient::AuthCramMD5;
    QByteArray readBuffer;
    QByteArray userName;
    QByteArray password;
    QHash<QString, QString> extensions;
    QList<QPair<int, MailMessage>> queue;
    QStringList currentRecipients;
    int lastMailId = 0;
    int rcptSent = 0;
    int rcptAccepted = 0;
    bool mailFromAccepted = false;
    // Pipelined burst: replies still due for the lines written at once, and
    // the first refusal among them, reported once all have arrived.
    int burstRepliesDue = 0;
    QByteArray burstRefusal;
    QSslSocket *socket = nullptr;

public slots:
    void socketError(QAbstractSocket::SocketError err);
    void socketRead();
    void ehlo();
    void sendNext();

private:
    void handleLine(const QByteArray &line);
    void handleEhloReply(const QByteArray &code, bool continued, const QString &text);
    void chooseAuthentication();
    void authStep(const QByteArray &line);
    void recipientReply(const QByteArray &line);
    void recipientStep();
    void failCurrentMail(const QByteArray &line);
    void writeCommand(const QByteArray &command);
    void setAuthenticated();
};

#endif // SMTPCLIENTPRIVATE_H
