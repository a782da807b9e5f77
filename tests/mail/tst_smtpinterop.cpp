#include <QRandomGenerator>
#include <QtTest>

#include "mailattachment.h"
#include "mailmessage.h"
#include "mailtextcheck.h"
#include "smtpclient.h"
#include "smtprecorder.h"
#include "smtpserverharness.h"
#include "testenvironment.h"

// Delivery to a real SMTP server (aiosmtpd); what arrives is read back with
// Python's email package.
namespace {

MailMessage makeMessage(const QString &subject, const QString &body,
                        const QString &senderName = QStringLiteral("Ambrel UPS"))
{
    MailMessage message;
    message.setSender(senderName + QStringLiteral("<ups@example.com>"));
    message.addRecipient(QStringLiteral("admin@example.com"));
    message.setSubject(subject);
    message.setBody(body);
    return message;
}

// Line breaks as the receiver's text shows them, without the last one.
QString normalized(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace

class TestSmtpInterop : public QObject
{
    Q_OBJECT

private slots:
    void delivery_data();
    void delivery();
    void session_data();
    void session();
};

void TestSmtpInterop::delivery_data()
{
    QTest::addColumn<QString>("senderName");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("transferEncoding");
    QTest::addColumn<bool>("attachment");
    QTest::addColumn<QString>("recipient");

    const auto row = [](const char *name, const QString &sender, const QString &subject, const QString &body,
                        const char *transferEncoding, bool attachment,
                        const QString &recipient = QStringLiteral("second@example.com")) {
        QTest::newRow(name) << sender << subject << body << QString::fromLatin1(transferEncoding) << attachment
                            << recipient;
    };
    row("ascii", "Ambrel UPS", "Battery low", "Battery low.\r\n.\r\n..two dots\r\n\t\t\t\tAmbrel", "", false);
    row("french", "Onduleur étage 2", "Batterie déchargée",
        "La batterie est déchargée, arrêt du système imminent.\r\n.point\r\nSalutations, l'équipe",
        "quoted-printable", false);
    row("french, with attachment", "Ambrel UPS", "Rapport journalier",
        "Rapport journalier de l'onduleur.\r\nVoir la pièce jointe.", "quoted-printable", true);
    row("german", "USV Büro", "Störung: Netzausfall",
        "Grüße aus dem Büro. Die USV meldet eine Störung; bitte prüfen Sie die Stromversorgung so schnell wie "
        "möglich, bevor der Akku leer ist.",
        "quoted-printable", false);
    row("chinese", "不断电源", "市电故障，电池供电中", "市电故障。电池电量低，系统即将关闭。请保存文件。\r\n谢谢。", "base64", false);
    row("russian", "ИБП", "Сбой сети", "Батарея разряжена. Система будет выключена.", "base64", false);
    // Too long for one line, or not ASCII: folded or encoded, and read back whole.
    row("long words", QStringLiteral("Ambrel UPS ").repeated(90).trimmed(), QString(1200, 's'), "A word: " + QString(1500, 'w'), "quoted-printable",
        false);
    row("non-ascii recipient", "Ambrel UPS", "Alarm", "Mains failure.", "", false,
        QStringLiteral("J\u00f6rg M\u00fcller <second@example.com>"));
}

void TestSmtpInterop::delivery()
{
    QFETCH(QString, senderName);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QString, transferEncoding);
    QFETCH(bool, attachment);
    QFETCH(QString, recipient);

    SmtpServerHarness server;
    const quint16 port = server.start();
    QVERIFY(port);
    SmtpClient client;
    SmtpRecorder recorder(&client);
    MailMessage message = makeMessage(subject, body, senderName);
    message.addRecipient(recipient);
    message.addRecipient(QStringLiteral("copy@example.com"), MailMessage::Cc);
    message.addRecipient(QStringLiteral("hidden@example.com"), MailMessage::Bcc);
    QByteArray workbook(10000, Qt::Uninitialized);
    QRandomGenerator random(5);
    for (char &c : workbook)
        c = char(random.bounded(256));
    if (attachment)
        message.addAttachment(QStringLiteral("record.xlsx"),
                              MailAttachment(workbook, QStringLiteral("application/octet-stream")));
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(message);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QVERIFY2(server.waitForMails(1), qPrintable(server.serverLog()));

    const ReceivedMail mail = server.mails().first();
    QCOMPARE(recorder.events.join(QLatin1Char(' ')), QStringLiteral("mailSent(1) finished"));
    QVERIFY2(mail.parseError.isEmpty(), qPrintable(mail.parseError));
    QVERIFY2(mail.defects.isEmpty(), qPrintable(mail.defects.join(QLatin1Char(' '))));
    QCOMPARE(mail.mailFrom, QStringLiteral("ups@example.com"));
    QCOMPARE(mail.rcptTos, QStringList({QStringLiteral("admin@example.com"), QStringLiteral("second@example.com"),
                                        QStringLiteral("copy@example.com"), QStringLiteral("hidden@example.com")}));
    QCOMPARE(mail.from, senderName + QStringLiteral(" <ups@example.com>"));
    QCOMPARE(mail.fromAddresses, QStringList(QStringLiteral("ups@example.com")));
    QCOMPARE(mail.to, QStringList({QStringLiteral("admin@example.com"), QStringLiteral("second@example.com")}));
    QCOMPARE(mail.cc, QStringList(QStringLiteral("copy@example.com")));
    QVERIFY(!mail.raw.contains("hidden"));
    QVERIFY(!mail.headerNames.contains(QStringLiteral("Bcc"), Qt::CaseInsensitive));
    QVERIFY(!mail.authenticated);
    QVERIFY(!mail.encrypted);

    QCOMPARE(mail.subject, subject);
    QCOMPARE(normalized(mail.body), normalized(body));
    QCOMPARE(mail.bodyTransferEncoding, transferEncoding);
    if (!transferEncoding.isEmpty())
        QCOMPARE(mail.bodyCharset, QStringLiteral("utf-8"));
    // Everything on the wire is 7-bit, in lines of at most 998 octets.
    const QString fault = MailTextCheck::fault(mail.raw);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY(mail.headerNames.contains(QStringLiteral("Date")));
    QVERIFY(mail.headerNames.contains(QStringLiteral("Message-ID")));

    QCOMPARE(mail.multipart, attachment);
    QCOMPARE(mail.attachments.size(), attachment ? 1 : 0);
    if (attachment) {
        QCOMPARE(mail.attachments.first().fileName, QStringLiteral("record.xlsx"));
        QCOMPARE(mail.attachments.first().contentType, QStringLiteral("application/octet-stream"));
        QCOMPARE(mail.attachments.first().data, workbook);
    }
}

void TestSmtpInterop::session_data()
{
    QTest::addColumn<int>("security");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<bool>("rightPassword");
    QTest::addColumn<QString>("usedMechanism");
    QTest::addColumn<bool>("pipelining");

    const auto row = [](const char *name, SmtpServerOptions::Security security, const char *host, bool trusted,
                        const QString &offered, bool rightPassword, const QString &used, bool pipelining) {
        QTest::newRow(name) << int(security) << QString::fromLatin1(host) << trusted
                            << offered.split(QLatin1Char(' '), Qt::SkipEmptyParts) << rightPassword << used
                            << pipelining;
    };
    const QString login = QStringLiteral("LOGIN");
    const QString cram = QStringLiteral("CRAM-MD5");
    row("STARTTLS", SmtpServerOptions::StartTls, "localhost", true, login, true, login, false);
    row("TLS", SmtpServerOptions::Tls, "localhost", true, login, true, login, false);
    row("TLS by address", SmtpServerOptions::Tls, "127.0.0.1", true, login, true, login, false);
    row("STARTTLS, untrusted", SmtpServerOptions::StartTls, "localhost", false, login, true, login, false);
    row("TLS, untrusted", SmtpServerOptions::Tls, "localhost", false, login, true, login, false);
    row("LOGIN", SmtpServerOptions::Plain, "127.0.0.1", true, login, true, login, false);
    row("LOGIN, wrong password", SmtpServerOptions::Plain, "127.0.0.1", true, login, false, login, false);
    row("CRAM-MD5", SmtpServerOptions::Plain, "127.0.0.1", true, cram, true, cram, false);
    row("CRAM-MD5, wrong password", SmtpServerOptions::Plain, "127.0.0.1", true, cram, false, cram, false);
    row("CRAM-MD5 preferred", SmtpServerOptions::Plain, "127.0.0.1", true, "PLAIN LOGIN CRAM-MD5", true, cram, false);
    row("PLAIN only: not used", SmtpServerOptions::Plain, "127.0.0.1", true, "PLAIN", true, QString(), false);
    row("PIPELINING", SmtpServerOptions::Plain, "127.0.0.1", true, QString(), true, QString(), true);
}

void TestSmtpInterop::session()
{
    QFETCH(int, security);
    QFETCH(QString, host);
    QFETCH(bool, trusted);
    QFETCH(QStringList, offered);
    QFETCH(bool, rightPassword);
    QFETCH(QString, usedMechanism);
    QFETCH(bool, pipelining);

    SmtpServerHarness server;
    SmtpServerOptions options;
    options.security = SmtpServerOptions::Security(security);
    options.authMechanisms = offered;
    options.userName = "ups-user";
    options.password = QStringLiteral("s3cret p\u00e4ss").toUtf8();
    options.authRequired = !usedMechanism.isEmpty();
    options.pipelining = pipelining;
    const quint16 port = server.start(options);
    QVERIFY(port);
    if (trusted)
        server.trustCertificateAuthority();

    SmtpClient client;
    SmtpRecorder recorder(&client);
    client.setUsername("ups-user");
    client.setPassword(rightPassword ? options.password : QByteArray("wrong"));
    client.setStartTlsDisabled(security != SmtpServerOptions::StartTls);
    // Both mails are queued before the connection is up; they arrive in order.
    MailMessage message = makeMessage(QStringLiteral("Many"), QStringLiteral("To several."));
    message.addRecipient(QStringLiteral("b@example.com"));
    message.addRecipient(QStringLiteral("c@example.com"), MailMessage::Cc);
    message.addRecipient(QStringLiteral("d@example.com"), MailMessage::Bcc);
    QCOMPARE(client.send(message), 1);
    QCOMPARE(client.send(makeMessage(QStringLiteral("Next"), QStringLiteral("Second mail."))), 2);
    if (security == SmtpServerOptions::Tls)
        client.connectToSecureHost(host, port);
    else
        client.connectToHost(host, port);

    if (!trusted) {
        QVERIFY(recorder.waitFor(QStringLiteral("encryptionFailed(msg)"), 10000));
        QCOMPARE(recorder.events.mid(0, 2),
                 QStringList({QStringLiteral("encryptionFailed"), QStringLiteral("encryptionFailed(msg)")}));
        QVERIFY(!server.waitForMails(1, 300));
        QCOMPARE(recorder.encrypted, 0);
        return;
    }
    if (!rightPassword) {
        QVERIFY(recorder.waitFor(QStringLiteral("authenticationFailed(535 5.7.8 Authentication credentials invalid)")));
        QCOMPARE(recorder.events.first(), QStringLiteral("authenticationFailed"));
        QVERIFY(recorder.waitUntil([&] { return recorder.disconnected > 0; }));
        QVERIFY(server.waitForAuthAttempts(1));
        QCOMPARE(server.authAttempts().size(), 1);
        QCOMPARE(server.authAttempts().first().mechanism, usedMechanism);
        QVERIFY(!server.authAttempts().first().success);
        QVERIFY(server.mails().isEmpty());
        return;
    }

    QVERIFY2(recorder.waitFor(QStringLiteral("finished"), 10000), qPrintable(recorder.events.join(QLatin1Char(' '))));
    QVERIFY2(server.waitForMails(2), qPrintable(server.serverLog()));
    QCOMPARE(recorder.events.join(QLatin1Char(' ')), QStringLiteral("mailSent(1) mailSent(2) finished"));
    QCOMPARE(recorder.encrypted, security == SmtpServerOptions::Plain ? 0 : 1);
    QCOMPARE(server.authAttempts().size(), usedMechanism.isEmpty() ? 0 : 1);
    if (!usedMechanism.isEmpty())
        QCOMPARE(server.authAttempts().first().mechanism, usedMechanism);
    const QList<ReceivedMail> mails = server.mails();
    QCOMPARE(mails.at(0).subject, QStringLiteral("Many"));
    QCOMPARE(mails.at(0).rcptTos, QStringList({QStringLiteral("admin@example.com"), QStringLiteral("b@example.com"),
                                               QStringLiteral("c@example.com"), QStringLiteral("d@example.com")}));
    QCOMPARE(mails.at(1).subject, QStringLiteral("Next"));
    QCOMPARE(mails.at(1).rcptTos, QStringList(QStringLiteral("admin@example.com")));
    for (const ReceivedMail &mail : mails) {
        QCOMPARE(mail.encrypted, security != SmtpServerOptions::Plain);
        QCOMPARE(mail.authenticated, !usedMechanism.isEmpty());
        QCOMPARE(mail.authUser, usedMechanism.isEmpty() ? QString() : QStringLiteral("ups-user"));
    }
}

AMBREL_TEST_MAIN(TestSmtpInterop)
#include "tst_smtpinterop.moc"
