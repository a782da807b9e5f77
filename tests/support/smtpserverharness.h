#ifndef SMTPSERVERHARNESS_H
#define SMTPSERVERHARNESS_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>

// A real SMTP server (Python's aiosmtpd, tests/support/smtpserver.py) for
// tests that send mail. It listens on 127.0.0.1 and a free port, offers
// LOGIN, PLAIN and CRAM-MD5 as asked, speaks plain, STARTTLS or TLS from the
// first byte with a throw-away certificate for "localhost" and 127.0.0.1, and
// reports every accepted message with its envelope, its raw text and what
// Python's email package makes of it.
//
//     SmtpServerHarness server;
//     SmtpServerOptions options;
//     options.security = SmtpServerOptions::StartTls;
//     const quint16 port = server.start(options);   // 0 when it did not start
//     server.trustCertificateAuthority();           // before the client connects
//     ... client.connectToHost("localhost", port); client.send(message) ...
//     QVERIFY(server.waitForMails(1));
//     QCOMPARE(server.mails().first().subject, ...);
//
// The server is stopped, and the trust is taken back, when the harness is
// destroyed.
struct SmtpServerOptions
{
    enum Security { Plain, StartTls, Tls };
    Security security = Plain;
    // AUTH mechanisms offered ("LOGIN", "PLAIN", "CRAM-MD5"); none: no AUTH line.
    QStringList authMechanisms;
    // The one account the server accepts.
    QByteArray userName;
    QByteArray password;
    // MAIL FROM is refused until the client has authenticated.
    bool authRequired = false;
    // The EHLO reply lists PIPELINING.
    bool pipelining = false;
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

    // Starts the server and returns its port, or 0 (with a warning) when it
    // did not come up within a few seconds.
    quint16 start(const SmtpServerOptions &options = SmtpServerOptions());
    quint16 port() const;

    // The throw-away certificate authority that signed the server certificate
    // (one per test program).
    static QString caCertificatePath();
    // Adds that authority to the default SSL configuration, so that sockets
    // made from now on trust the server. Taken back by the destructor.
    void trustCertificateAuthority();

    // Waits (bounded) until at least count mails have arrived.
    bool waitForMails(int count, int timeoutMs = 5000);
    // Waits (bounded) until at least count AUTH commands have been handled.
    bool waitForAuthAttempts(int count, int timeoutMs = 5000);
    QList<ReceivedMail> mails() const;
    QList<AuthAttempt> authAttempts() const;
    // What the server wrote on its error stream (its log), for failure messages.
    QString serverLog() const;

signals:
    void mailReceived();
    void authAttempted();

private slots:
    void onProcessReadyReadStandardOutput();
    void onProcessReadyReadStandardError();

private:
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
