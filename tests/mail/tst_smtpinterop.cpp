#include <QRandomGenerator>
#include <QtTest>

#include "mailattachment.h"
#include "mailmessage.h"
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

    QTest::newRow("ascii") << QStringLiteral("Ambrel UPS") << QStringLiteral("Battery low")
                           << QStringLiteral("Battery low.\r\n.\r\n..two dots\r\n\t\t\t\tAmbrel") << QString() << false;
    QTest::newRow("french") << QStringLiteral("Onduleur \u00e9tage 2") << QStringLiteral("Batterie d\u00e9charg\u00e9e")
                            << QStringLiteral("La batterie est d\u00e9charg\u00e9e, arr\u00eat du syst\u00e8me "
                                              "imminent.\r\n.point\r\nSalutations, l'\u00e9quipe")
                            << QStringLiteral("quoted-printable") << false;
    QTest::newRow("french, with attachment")
        << QStringLiteral("Ambrel UPS") << QStringLiteral("Rapport journalier")
        << QStringLiteral("Rapport journalier de l'onduleur.\r\nVoir la pi\u00e8ce jointe.")
        << QStringLiteral("quoted-printable") << true;
    QTest::newRow("german") << QStringLiteral("USV B\u00fcro") << QStringLiteral("St\u00f6rung: Netzausfall")
                            << QStringLiteral("Gr\u00fc\u00dfe aus dem B\u00fcro. Die USV meldet eine St\u00f6rung; "
                                              "bitte pr\u00fcfen Sie die Stromversorgung so schnell wie m\u00f6glich, "
                                              "bevor der Akku leer ist.")
                            << QStringLiteral("quoted-printable") << false;
    QTest::newRow("chinese") << QStringLiteral("\u4e0d\u65ad\u7535\u6e90")
                             << QStringLiteral("\u5e02\u7535\u6545\u969c\uff0c\u7535\u6c60\u4f9b\u7535\u4e2d")
                             << QStringLiteral("\u5e02\u7535\u6545\u969c\u3002\u7535\u6c60\u7535\u91cf\u4f4e\uff0c"
                                               "\u7cfb\u7edf\u5373\u5c06\u5173\u95ed\u3002\u8bf7\u4fdd\u5b58\u6587"
                                               "\u4ef6\u3002\r\n\u8c22\u8c22\u3002")
                             << QStringLiteral("base64") << false;
    QTest::newRow("russian") << QStringLiteral("\u0418\u0411\u041f")
                             << QStringLiteral("\u0421\u0431\u043e\u0439 \u0441\u0435\u0442\u0438")
                             << QStringLiteral("\u0411\u0430\u0442\u0430\u0440\u0435\u044f \u0440\u0430\u0437\u0440"
                                               "\u044f\u0436\u0435\u043d\u0430. \u0421\u0438\u0441\u0442\u0435\u043c"
                                               "\u0430 \u0431\u0443\u0434\u0435\u0442 \u0432\u044b\u043a\u043b\u044e"
                                               "\u0447\u0435\u043d\u0430.")
                             << QStringLiteral("base64") << false;
}

void TestSmtpInterop::delivery()
{
    QFETCH(QString, senderName);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QString, transferEncoding);
    QFETCH(bool, attachment);

    SmtpServerHarness server;
    const quint16 port = server.start();
    QVERIFY(port);
    SmtpClient client;
    SmtpRecorder recorder(&client);
    MailMessage message = makeMessage(subject, body, senderName);
    message.addRecipient(QStringLiteral("second@example.com"));
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
    // Everything on the wire is 7-bit.
    for (const char c : mail.raw)
        QVERIFY(uchar(c) < 0x80);

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
