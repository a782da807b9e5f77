#include "smtpserverharness.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTest>
#include <QtDebug>

namespace {

QStringList toStringList(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &item : value.toArray())
        out.append(item.toString());
    return out;
}

bool runOpenSsl(const QString &dir, const QString &arguments)
{
    QProcess openssl;
    openssl.setWorkingDirectory(dir);
    openssl.start(QStringLiteral("openssl"), arguments.split(QLatin1Char(' ')));
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
    static const bool made = [] {
        const QString key = QStringLiteral(" -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes");
        return runOpenSsl(dir.path(), QStringLiteral("req -x509") + key
                                          + QStringLiteral(" -keyout ca.key -out ca.crt -days 2 -subj /CN=test-ca"
                                                           " -addext basicConstraints=critical,CA:TRUE"
                                                           " -addext keyUsage=critical,keyCertSign,cRLSign"))
            && runOpenSsl(dir.path(), QStringLiteral("req") + key
                                          + QStringLiteral(" -keyout server.key -out server.csr -subj /CN=localhost"
                                                           " -addext subjectAltName=DNS:localhost,IP:127.0.0.1"
                                                           " -addext basicConstraints=CA:FALSE"
                                                           " -addext keyUsage=digitalSignature,keyEncipherment"
                                                           " -addext extendedKeyUsage=serverAuth"))
            && runOpenSsl(dir.path(), QStringLiteral("x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial"
                                                     " -out server.crt -days 2 -copy_extensions copy"));
    }();
    return made ? dir.path() : QString();
}

} // namespace

SmtpServerHarness::SmtpServerHarness(QObject *parent)
    : QObject(parent)
{
    connect(&m_process, &QProcess::readyReadStandardOutput, this,
            &SmtpServerHarness::onProcessReadyReadStandardOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this,
            [this] { m_log += m_process.readAllStandardError(); });
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
    static const char *const modes[] = {"plain", "starttls", "tls"};
    QStringList arguments = {QStringLiteral("-u"), QStringLiteral(AMBREL_TEST_SUPPORT_DIR "/smtpserver.py"),
                             QStringLiteral("--mode"), QLatin1String(modes[options.security]),
                             QStringLiteral("--auth"), options.authMechanisms.join(QLatin1Char(' ')),
                             QStringLiteral("--user"), QString::fromUtf8(options.userName),
                             QStringLiteral("--password"), QString::fromUtf8(options.password)};
    if (options.security != SmtpServerOptions::Plain) {
        const QString dir = certificateDir();
        if (dir.isEmpty()) {
            qWarning("SmtpServerHarness: no certificate");
            return 0;
        }
        arguments << QStringLiteral("--cert") << dir + QStringLiteral("/server.crt") << QStringLiteral("--key")
                  << dir + QStringLiteral("/server.key");
    }
    if (options.authRequired)
        arguments << QStringLiteral("--auth-required");
    if (options.pipelining)
        arguments << QStringLiteral("--pipelining");
    if (!options.refuse.isEmpty())
        arguments << QStringLiteral("--refuse") << options.refuse;

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
    return QTest::qWaitFor([&] { return m_mails.size() >= count; }, timeoutMs);
}

bool SmtpServerHarness::waitForAuthAttempts(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_authAttempts.size() >= count; }, timeoutMs);
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
    const auto text = [](const QJsonObject &object, const char *key) {
        return object.value(QLatin1String(key)).toString();
    };
    const auto bytes = [&](const QJsonObject &object, const char *key) {
        return QByteArray::fromBase64(text(object, key).toLatin1());
    };
    const QString kind = text(event, "event");
    if (kind == QLatin1String("ready")) {
        m_port = quint16(event.value(QLatin1String("port")).toInt());
    } else if (kind == QLatin1String("auth")) {
        m_authAttempts.append({text(event, "mechanism"), event.value(QLatin1String("success")).toBool(),
                               text(event, "user")});
        emit authAttempted();
    } else if (kind == QLatin1String("mail")) {
        ReceivedMail mail;
        mail.mailFrom = text(event, "mail_from");
        mail.rcptTos = toStringList(event.value(QLatin1String("rcpt_tos")));
        mail.raw = bytes(event, "raw");
        mail.authenticated = event.value(QLatin1String("authenticated")).toBool();
        mail.authUser = text(event, "auth_user");
        mail.encrypted = event.value(QLatin1String("encrypted")).toBool();
        const QJsonObject parsed = event.value(QLatin1String("parsed")).toObject();
        mail.parseError = text(parsed, "error");
        mail.subject = text(parsed, "subject");
        mail.from = text(parsed, "from");
        mail.fromAddresses = toStringList(parsed.value(QLatin1String("from_addresses")));
        mail.to = toStringList(parsed.value(QLatin1String("to")));
        mail.cc = toStringList(parsed.value(QLatin1String("cc")));
        mail.headerNames = toStringList(parsed.value(QLatin1String("header_names")));
        mail.multipart = parsed.value(QLatin1String("multipart")).toBool();
        mail.body = text(parsed, "body");
        mail.bodyCharset = text(parsed, "body_charset");
        mail.bodyTransferEncoding = text(parsed, "body_transfer_encoding");
        mail.defects = toStringList(parsed.value(QLatin1String("defects")));
        for (const QJsonValue &value : parsed.value(QLatin1String("attachments")).toArray()) {
            const QJsonObject object = value.toObject();
            mail.attachments.append({text(object, "filename"), text(object, "content_type"), bytes(object, "data")});
        }
        m_mails.append(mail);
        emit mailReceived();
    }
}
