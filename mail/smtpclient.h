#ifndef SMTPCLIENT_H
#define SMTPCLIENT_H

#include <QObject>
#include <QString>

#include "mailmessage.h"

class SmtpClientPrivate;

// Delivers queued mails to one SMTP server over one connection (plain,
// STARTTLS or TLS from the first byte), with CRAM-MD5 or LOGIN
// authentication when the server offers it and credentials are set.
// Driven by the socket's signals and a time limit on the server's replies; no
// threads or blocking waits. Failures come as pairs: the signal without
// arguments, then the same signal with the server's reply line or an error
// text. A connection that fails, times out or ends before the server has
// taken every queued mail is a connectionFailed.
// A listener may delete the client at any time, also from within one of its
// signals.
class SmtpClient : public QObject
{
    Q_OBJECT

public:
    enum SmtpState {
        Disconnected = 0,
        StartState,
        EhloSent,
        EhloGreetReceived,
        EhloExtensionsReceived,
        EhloDone,
        HeloSent,
        StartTLSSent,
        AuthRequestSent,
        AuthUsernameSent,
        AuthSent,
        Authenticated,
        MailToSent,
        RcptAckPending,
        SendingBody,
        BodySent,
        Waiting,
        Resetting
    };
    Q_ENUM(SmtpState)

    enum AuthType { AuthPlain = 0, AuthLogin = 1, AuthCramMD5 = 2 };
    Q_ENUM(AuthType)

    // errorCode of mailFailed for a mail without any recipient.
    enum MailErrorCode { NoRecipients = 1 };

    explicit SmtpClient(QObject *parent = nullptr);
    ~SmtpClient() override;

    void connectToHost(const QString &host, quint16 port);
    // TLS from the first byte.
    void connectToSecureHost(const QString &host, quint16 port);

    // Both must be non-empty for authentication to take place.
    void setUsername(const QByteArray &userName);
    void setPassword(const QByteArray &password);
    // When false, the connection must be encrypted with STARTTLS before
    // anything else is sent: a server that does not offer it or refuses it
    // ends in encryptionFailed. True (the default): STARTTLS is never used.
    void setStartTlsDisabled(bool disabled);

    // Queues the mail and returns its id (1, 2, 3, ... over the client's
    // life). The mail goes out at once when the client is idle.
    int send(const MailMessage &message);

signals:
    void connected();
    void connectionFailed();
    void connectionFailed(const QString &msg);
    void encrypted();
    void encryptionFailed();
    void encryptionFailed(const QString &msg);
    void authenticated();
    void authenticationFailed();
    void authenticationFailed(const QString &msg);
    // Declared for listeners; a refused sender or recipient is reported by mailFailed.
    void senderRejected(int mailID, const QString &address);
    void senderRejected(int mailID, const QString &address, const QString &msg);
    void recipientRejected(int mailID, const QString &address);
    void recipientRejected(int mailID, const QString &address, const QString &msg);
    void mailFailed(int mailID, int errorCode);
    void mailFailed(int mailID, int errorCode, const QString &msg);
    void mailSent(int mailID);
    void finished();
    void disconnected();

private:
    friend class SmtpClientPrivate;
    SmtpClientPrivate *d;
};

#endif // SMTPCLIENT_H
