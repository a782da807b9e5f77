#include "smtpserverharness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QtDebug>

namespace {

QStringList toStringList(const QJsonValue &value)
{
    QStringList out;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array)
        out.append(item.toString());
    return out;
}

bool runOpenSsl(const QString &dir, const QStringList &arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(dir);
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        qWarning() << "openssl" << arguments << "failed:" << openssl.readAllStandardError();
        return false;
    }
    return true;
}

// A certificate authority and a server certificate for "localhost" and
// 127.0.0.1 signed by it, made once per test program in a temporary directory.
QString certificateDir()
{
    static QTemporaryDir dir;
    static bool made = false;
    static bool tried = false;
    if (tried)
        return made ? dir.path() : QString();
    tried = true;

    const QString path = dir.path();
    QFile extensions(path + QStringLiteral("/server.ext"));
    if (!extensions.open(QIODevice::WriteOnly))
        return QString();
    extensions.write("subjectAltName=DNS:localhost,IP:127.0.0.1\n"
                     "basicConstraints=CA:FALSE\n"
                     "keyUsage=digitalSignature,keyEncipherment\n"
                     "extendedKeyUsage=serverAuth\n");
    extensions.close();

    const QStringList ecKey = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                               QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    made = runOpenSsl(path, QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ecKey
                                + QStringList{QStringLiteral("-keyout"), QStringLiteral("ca.key"),
                                              QStringLiteral("-out"), QStringLiteral("ca.crt"),
                                              QStringLiteral("-days"), QStringLiteral("2"),
                                              QStringLiteral("-subj"), QStringLiteral("/CN=Throw-away test CA"),
                                              QStringLiteral("-addext"),
                                              QStringLiteral("basicConstraints=critical,CA:TRUE"),
                                              QStringLiteral("-addext"),
                                              QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")})
        && runOpenSsl(path, QStringList{QStringLiteral("req")} + ecKey
                                + QStringList{QStringLiteral("-keyout"), QStringLiteral("server.key"),
                                              QStringLiteral("-out"), QStringLiteral("server.csr"),
                                              QStringLiteral("-subj"), QStringLiteral("/CN=localhost")})
        && runOpenSsl(path, {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                             QStringLiteral("server.csr"), QStringLiteral("-CA"), QStringLiteral("ca.crt"),
                             QStringLiteral("-CAkey"), QStringLiteral("ca.key"),
                             QStringLiteral("-CAcreateserial"), QStringLiteral("-out"),
                             QStringLiteral("server.crt"), QStringLiteral("-days"), QStringLiteral("2"),
                             QStringLiteral("-extfile"), QStringLiteral("server.ext")});
    return made ? path : QString();
}

} // namespace

SmtpServerHarness::SmtpServerHarness(QObject *parent)
    : QObject(parent)
{
    connect(&m_process, &QProcess::readyReadStandardOutput, this,
            &SmtpServerHarness::onProcessReadyReadStandardOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this,
            &SmtpServerHarness::onProcessReadyReadStandardError);
}

SmtpServerHarness::~SmtpServerHarness()
{
    if (m_trusting)
        QSslConfiguration::setDefaultConfiguration(m_previousDefault);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

quint16 SmtpServerHarness::start(const SmtpServerOptions &options)
{
    QStringList arguments = {QStringLiteral("-u"), QStringLiteral(AMBREL_TEST_SUPPORT_DIR "/smtpserver.py")};
    static const char *const modes[] = {"plain", "starttls", "tls"};
    arguments << QStringLiteral("--mode") << QString::fromLatin1(modes[options.security]);
    if (options.security != SmtpServerOptions::Plain) {
        const QString dir = certificateDir();
        if (dir.isEmpty()) {
            qWarning("SmtpServerHarness: no certificate");
            return 0;
        }
        arguments << QStringLiteral("--cert") << dir + QStringLiteral("/server.crt") << QStringLiteral("--key")
                  << dir + QStringLiteral("/server.key");
    }
    arguments << QStringLiteral("--auth") << options.authMechanisms.join(QLatin1Char(' '));
    arguments << QStringLiteral("--user") << QString::fromUtf8(options.userName);
    arguments << QStringLiteral("--password") << QString::fromUtf8(options.password);
    if (options.authRequired)
        arguments << QStringLiteral("--auth-required");
    if (options.pipelining)
        arguments << QStringLiteral("--pipelining");

    m_process.start(QStringLiteral(AMBREL_PYTHON), arguments);
    const QDeadlineTimer deadline(10000);
    while (m_port == 0 && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        if (m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            onProcessReadyReadStandardOutput();
    }
    if (m_port == 0)
        qWarning() << "SmtpServerHarness: the server did not start:" << serverLog();
    return m_port;
}

quint16 SmtpServerHarness::port() const
{
    return m_port;
}

QString SmtpServerHarness::caCertificatePath()
{
    const QString dir = certificateDir();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/ca.crt");
}

void SmtpServerHarness::trustCertificateAuthority()
{
    const QList<QSslCertificate> ca = QSslCertificate::fromPath(caCertificatePath());
    if (ca.isEmpty()) {
        qWarning("SmtpServerHarness: no certificate authority to trust");
        return;
    }
    if (!m_trusting) {
        m_previousDefault = QSslConfiguration::defaultConfiguration();
        m_trusting = true;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates(configuration.caCertificates() + ca);
    QSslConfiguration::setDefaultConfiguration(configuration);
}

bool SmtpServerHarness::waitForMails(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QSignalSpy spy(this, &SmtpServerHarness::mailReceived);
    while (m_mails.size() < count && !deadline.hasExpired())
        spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return m_mails.size() >= count;
}

bool SmtpServerHarness::waitForAuthAttempts(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QSignalSpy spy(this, &SmtpServerHarness::authAttempted);
    while (m_authAttempts.size() < count && !deadline.hasExpired())
        spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return m_authAttempts.size() >= count;
}

QList<ReceivedMail> SmtpServerHarness::mails() const
{
    return m_mails;
}

QList<AuthAttempt> SmtpServerHarness::authAttempts() const
{
    return m_authAttempts;
}

QString SmtpServerHarness::serverLog() const
{
    return QString::fromUtf8(m_log);
}

void SmtpServerHarness::onProcessReadyReadStandardError()
{
    m_log += m_process.readAllStandardError();
}

void SmtpServerHarness::onProcessReadyReadStandardOutput()
{
    m_pending += m_process.readAllStandardOutput();
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        handleLine(line);
    }
}

void SmtpServerHarness::handleLine(const QByteArray &line)
{
    const QJsonObject event = QJsonDocument::fromJson(line).object();
    const QString kind = event.value(QStringLiteral("event")).toString();
    if (kind == QLatin1String("ready")) {
        m_port = quint16(event.value(QStringLiteral("port")).toInt());
    } else if (kind == QLatin1String("auth")) {
        AuthAttempt attempt;
        attempt.mechanism = event.value(QStringLiteral("mechanism")).toString();
        attempt.success = event.value(QStringLiteral("success")).toBool();
        attempt.user = event.value(QStringLiteral("user")).toString();
        m_authAttempts.append(attempt);
        emit authAttempted();
    } else if (kind == QLatin1String("mail")) {
        ReceivedMail mail;
        mail.mailFrom = event.value(QStringLiteral("mail_from")).toString();
        mail.rcptTos = toStringList(event.value(QStringLiteral("rcpt_tos")));
        mail.raw = QByteArray::fromBase64(event.value(QStringLiteral("raw")).toString().toLatin1());
        mail.authenticated = event.value(QStringLiteral("authenticated")).toBool();
        mail.authUser = event.value(QStringLiteral("auth_user")).toString();
        mail.encrypted = event.value(QStringLiteral("encrypted")).toBool();
        const QJsonObject parsed = event.value(QStringLiteral("parsed")).toObject();
        mail.parseError = parsed.value(QStringLiteral("error")).toString();
        mail.subject = parsed.value(QStringLiteral("subject")).toString();
        mail.from = parsed.value(QStringLiteral("from")).toString();
        mail.fromAddresses = toStringList(parsed.value(QStringLiteral("from_addresses")));
        mail.to = toStringList(parsed.value(QStringLiteral("to")));
        mail.cc = toStringList(parsed.value(QStringLiteral("cc")));
        mail.headerNames = toStringList(parsed.value(QStringLiteral("header_names")));
        mail.multipart = parsed.value(QStringLiteral("multipart")).toBool();
        mail.body = parsed.value(QStringLiteral("body")).toString();
        mail.bodyCharset = parsed.value(QStringLiteral("body_charset")).toString();
        mail.bodyTransferEncoding = parsed.value(QStringLiteral("body_transfer_encoding")).toString();
        mail.defects = toStringList(parsed.value(QStringLiteral("defects")));
        const QJsonArray attachments = parsed.value(QStringLiteral("attachments")).toArray();
        for (const QJsonValue &value : attachments) {
            const QJsonObject object = value.toObject();
            ReceivedAttachment attachment;
            attachment.fileName = object.value(QStringLiteral("filename")).toString();
            attachment.contentType = object.value(QStringLiteral("content_type")).toString();
            attachment.data = QByteArray::fromBase64(object.value(QStringLiteral("data")).toString().toLatin1());
            mail.attachments.append(attachment);
        }
        m_mails.append(mail);
        emit mailReceived();
    }
}
