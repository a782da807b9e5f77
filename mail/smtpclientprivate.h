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
class QTimer;

// The dialogue state of SmtpClient and the slots that drive it.
class SmtpClientPrivate : public QObject
{
    Q_OBJECT

public:
    explicit SmtpClientPrivate(SmtpClient *q);

    static SmtpClientPrivate *get(SmtpClient *client) { return client->d; }

    // Bounds of what the server may send: octets of one reply line, lines of
    // one reply. Past either the connection counts as failed.
    static constexpr int kMaxLineLength = 4096;
    static constexpr int kMaxReplyLines = 128;
    // How long the server may take to answer, in milliseconds.
    static constexpr int kReplyTimeout = 60000;

    // Bytes as they come from the server.
    void receive(const QByteArray &bytes);
    // A new time limit for the server's replies; restarts a running wait.
    void setReplyTimeout(int ms);

    // The address between '<' and '>' of a sender text such as
    // "Name<a@b.c>"; a '<' in a quoted part or in parentheses does not count.
    static QByteArray extractAddress(const QString &text);

    // Null once the client is gone: it may be deleted from within one of its
    // own signals, and this object stays until control is back in the event loop.
    SmtpClient *q;
    bool startTlsDisabled = true;
    SmtpClient::SmtpState state = SmtpClient::Disconnected;
    SmtpClient::AuthType authMethod = SmtpClient::AuthPlain;
    int allowedAuthMethods = SmtpClient::AuthLogin | SmtpClient::AuthCramMD5;
    QByteArray readBuffer;
    // Lines of the reply being read so far.
    int replyLines = 0;
    // Set when what is buffered must not be read (plain bytes behind a 220 to STARTTLS).
    bool dropBuffered = false;
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
    QTimer *replyTimer = nullptr;

public slots:
    void socketError(QAbstractSocket::SocketError err);
    void socketDisconnected();
    void socketRead();
    void replyTimeout();
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
    // Emits a failure pair; false when a listener deleted the client.
    bool reportPair(void (SmtpClient::*bare)(), void (SmtpClient::*withMessage)(const QString &),
                    const QString &msg);
    // Ends the dialogue: the failure pair, then the connection is closed,
    // politely (what is written still goes out) or at once.
    void fail(void (SmtpClient::*bare)(), void (SmtpClient::*withMessage)(const QString &), const QString &msg,
              bool politely = false);
    void connectionLost(const QString &msg);
    // Whether the connection may end without losing a mail.
    bool idle() const;
    void setAuthenticated();
};

#endif // SMTPCLIENTPRIVATE_H
