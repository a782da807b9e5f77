#ifndef SMTPSERVERHARNESS_H
#define SMTPSERVERHARNESS_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>

// A real SMTP server (Python's aiosmtpd, tests/support/smtpserver.py) on
// 127.0.0.1 and a free port, plain, STARTTLS or TLS from the first byte, with
// a throw-away certificate for "localhost" and 127.0.0.1. It reports every
// accepted message with its envelope, its raw text and what Python's email
// package makes of it. Call trustCertificateAuthority() before the client
// connects; the destructor stops the server and takes the trust back.
struct SmtpServerOptions
{
    enum Security { Plain, StartTls, Tls };
    Security security = Plain;
    // AUTH mechanisms offered ("LOGIN", "PLAIN", "CRAM-MD5"); none: no AUTH line.
    QStringList authMechanisms;
    // The one account accepted.
    QByteArray userName;
    QByteArray password;
    // MAIL FROM is refused until the client has authenticated.
    bool authRequired = false;
    // The EHLO reply lists PIPELINING.
    bool pipelining = false;
    // Every mail is refused at this step: "mail" (553 to MAIL FROM), "rcpt"
    // (550 to each RCPT TO) or "data" (554 at the end of the message text).
    QString refuse;
};

struct ReceivedAttachment
{
    QString fileName;
    QString contentType;
    QByteArray data;   // decoded bytes
};

struct ReceivedMail
{
    // Envelope.
    QString mailFrom;
    QStringList rcptTos;
    // The message text as it arrived (after dot-unstuffing).
    QByteArray raw;
    bool authenticated = false;
    QString authUser;
    bool encrypted = false;

    // Read by Python's email package; header texts are decoded.
    QString subject;
    QString from;                 // the decoded "From" header
    QStringList fromAddresses;    // addresses of "From"
    QStringList to;               // addresses of "To"
    QStringList cc;               // addresses of "Cc"
    QStringList headerNames;      // top-level header names in order
    bool multipart = false;
    QString body;                 // decoded text of the text/plain part
    QString bodyCharset;
    QString bodyTransferEncoding;
    QList<ReceivedAttachment> attachments;
    QStringList defects;          // parser complaints; empty for a sound message
    QString parseError;           // set when the parser gave up
};

struct AuthAttempt
{
    QString mechanism;
    bool success = false;
    QString user;
};

class SmtpServerHarness : public QObject
{
    Q_OBJECT

public:
    explicit SmtpServerHarness(QObject *parent = nullptr);
    ~SmtpServerHarness() override;

    // Returns the port, or 0 (with a warning) when the server did not come up.
    quint16 start(const SmtpServerOptions &options = SmtpServerOptions());
    quint16 port() const { return m_port; }

    // The authority that signed the server certificate (one per test program).
    static QString caCertificatePath();
    // Adds it to the default SSL configuration for sockets made from now on.
    void trustCertificateAuthority();

    // Bounded waits for count mails / count AUTH commands handled.
    bool waitForMails(int count, int timeoutMs = 5000);
    bool waitForAuthAttempts(int count, int timeoutMs = 5000);
    QList<ReceivedMail> mails() const { return m_mails; }
    QList<AuthAttempt> authAttempts() const { return m_authAttempts; }
    // The server's error stream, for failure messages.
    QString serverLog() const { return QString::fromUtf8(m_log); }

signals:
    void mailReceived();
    void authAttempted();

private:
    void onProcessReadyReadStandardOutput();
    void handleLine(const QByteArray &line);

    QProcess m_process;
    QByteArray m_pending;
    quint16 m_port = 0;
    QList<ReceivedMail> m_mails;
    QList<AuthAttempt> m_authAttempts;
    QByteArray m_log;
    bool m_trusting = false;
    QSslConfiguration m_previousDefault;
};

#endif // SMTPSERVERHARNESS_H
