#include <QPointer>
#include <QTcpServer>
#include <QtTest>

#include "mailmessage.h"
#include "messagelines.h"
#include "scriptedsmtpserver.h"
#include "smtpclient.h"
#include "smtpclientprivate.h"
#include "smtprecorder.h"
#include "testenvironment.h"

namespace {

// Recipients separated by blanks.
MailMessage makeMessage(const QString &recipients, int number)
{
    MailMessage message;
    message.setSender(QStringLiteral("Ambrel UPS<u@x>"));
    for (const QString &address : recipients.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        message.addRecipient(address);
    message.setSubject(QStringLiteral("mail %1").arg(number));
    message.setBody(QStringLiteral("Mains failure.\r\n.\r\nBattery mode."));
    return message;
}

const QByteArray sendA = "|mail from:<u@x>|rcpt to:<a@x>|data";

} // namespace

class TestSmtpClient : public QObject
{
    Q_OBJECT

private slots:
    void extractAddress_data();
    void extractAddress();
    void dialogue_data();
    void dialogue();
    void sendWhileWaiting();
    void startTlsInjection();
    void connectionRefused();
    void deletedInItsOwnSignal_data();
    void deletedInItsOwnSignal();
};

void TestSmtpClient::extractAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("address");

    QTest::newRow("name and address") << QStringLiteral("Ambrel UPS<ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("quoted <") << QStringLiteral("\"a<b\" <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("comment <") << QStringLiteral("x (a<b) <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("unbalanced )") << QStringLiteral("a) <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("no closing >") << QStringLiteral("Name <ups@example.com") << QByteArray("Name <ups@example.com");
    QTest::newRow("latin-1") << QStringLiteral("\u00e9@example.com") << QByteArray("\xe9@example.com");
    // A configured address cannot smuggle a second command onto the line.
    QTest::newRow("CR LF in bare") << QStringLiteral("a@example.com\r\nDATA") << QByteArray("a@example.comDATA");
    QTest::newRow("CR LF in brackets") << QStringLiteral("A <a@example.com\r\nDATA>")
                                       << QByteArray("a@example.comDATA");
}

void TestSmtpClient::extractAddress()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, address);
    QCOMPARE(SmtpClientPrivate::extractAddress(text), address);
}

void TestSmtpClient::dialogue_data()
{
    // setup: "prefix=>reply" answers the next command with that prefix
    // (ScriptedSmtpServer: "<silent>", "<close>"); "greeting=", "ehlo=",
    // "burst=" (replies held until that many lines are in),
    // "login=user:password"; flags "starttls" (STARTTLS required), "closes"
    // (the client hangs up), "idle" (a later mail must not start), "impatient"
    // (a reply time-out of one second).
    // mails: the recipients of each mail, separated by ';'.
    // events: separated by "; ", "(*)" standing for any message.
    // commands: separated by '|'.
    QTest::addColumn<QByteArrayList>("setup");
    QTest::addColumn<QString>("mails");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QByteArray>("commands");

    const auto row = [](const char *name, const QByteArrayList &setup, const char *mails, const QString &events,
                        const QByteArray &commands) {
        QTest::newRow(name) << setup << QString::fromLatin1(mails) << events << commands;
    };
    // The first mail refused with the reply line, the second sent.
    const auto refused = [](const QString &line) {
        return QStringLiteral("mailFailed(1,%1); mailFailed(1,%1,%2); mailSent(2); finished").arg(line.left(3), line);
    };
    const QString sent = QStringLiteral("mailSent(1); finished");
    const QByteArray sentA = "ehlo localhost|rset" + sendA;
    const QByteArray pipelining = "ehlo=250-localhost\r\n250-PIPELINING\r\n250 HELP";
    const QByteArray authOffered = "ehlo=250-localhost\r\n250 AUTH LOGIN CRAM-MD5";
    const QByteArray startTls = "ehlo=250-localhost\r\n250-STARTTLS\r\n250 HELP";

    // The replies come only once all four lines are in: a client that waits
    // for each reply would stall.
    row("pipelined", {pipelining, "burst=4"}, "a@x b@x c@x", sent,
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<a@x>|rcpt to:<b@x>|rcpt to:<c@x>|data");
    // The whole burst is answered before the RSET, so the next mail stays in step.
    row("refused recipient in a pipelined burst", {pipelining, "burst=3", "rcpt to:<bad@=>550 5.1.1 no such user"},
        "bad@x a@x; a@x b@x", refused("550 5.1.1 no such user"),
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<bad@x>|rcpt to:<a@x>|rset|mail from:<u@x>|rcpt to:<a@x>|"
        "rcpt to:<b@x>|data");
    row("MAIL FROM refused", {"mail from=>553 sender refused"}, "a@x b@x; a@x", refused("553 sender refused"),
        "ehlo localhost|rset|mail from:<u@x>|rset" + sendA);
    row("RCPT TO refused", {"rcpt to:<a@=>550 mailbox unavailable"}, "a@x b@x; b@x", refused("550 mailbox unavailable"),
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<a@x>|rset|mail from:<u@x>|rcpt to:<b@x>|data");
    row("DATA refused", {"data=>554 no valid recipients"}, "b@x; a@x", refused("554 no valid recipients"),
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<b@x>|data|rset" + sendA);
    row("end of data refused", {".=>552 message too big"}, "b@x; a@x", refused("552 message too big"),
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<b@x>|data|rset" + sendA);
    // A greeting and a refusal over several lines count as one reply each.
    row("multi-line replies",
        {"greeting=220-localhost ESMTP\r\n220-no unsolicited mail\r\n220 ready",
         "rcpt to:<bad@=>550-5.1.1 The account does not exist.\r\n550-5.1.1 Please check the\r\n"
         "550 5.1.1 address and try again."},
        "bad@x; a@x", refused("550 5.1.1 address and try again."),
        "ehlo localhost|rset|mail from:<u@x>|rcpt to:<bad@x>|rset" + sendA);
    row("no recipients", {}, "; a@x",
        QStringLiteral("mailFailed(1,1); mailFailed(1,1,e-mail has no recipients); mailSent(2); finished"), sentA);
    row("greeting refused", {"greeting=554 no service", "closes"}, "a@x",
        QStringLiteral("connectionFailed; connectionFailed(554 no service)"), QByteArray());
    row("HELO fallback", {"ehlo=>502-command not\r\n502 implemented", "login=user:secret"}, "a@x", sent,
        "ehlo localhost|helo localhost|rset" + sendA);
    row("HELO refused", {"ehlo=>502 command not implemented", "helo=>501 syntax: HELO hostname", "closes"}, "a@x",
        QStringLiteral("connectionFailed; connectionFailed(501 syntax: HELO hostname)"),
        "ehlo localhost|helo localhost|QUIT");
    row("RSET refused", {"rset=>421 closing down", "idle"}, "a@x",
        QStringLiteral("connectionFailed; connectionFailed(421 closing down)"), "ehlo localhost|rset");
    // A server that goes silent or away before it took the mail: a failure, not a hang.
    const QString lost = QStringLiteral("connectionFailed; connectionFailed(*)");
    row("never greets", {"greeting=", "impatient"}, "a@x", lost, QByteArray());
    row("silent after MAIL FROM", {"mail from=><silent>", "impatient"}, "a@x", lost,
        "ehlo localhost|rset|mail from:<u@x>");
    row("closes at MAIL FROM", {"mail from=><close>"}, "a@x", lost, "ehlo localhost|rset|mail from:<u@x>");
    row("closes at RCPT TO", {"rcpt to=><close>"}, "a@x", lost, "ehlo localhost|rset|mail from:<u@x>|rcpt to:<a@x>");
    row("closes after the data", {".=><close>"}, "a@x", lost, sentA);
    // Replies without bounds end the connection instead of filling the memory.
    row("endless reply line", {"greeting=220-" + QByteArray(5000, 'x')}, "a@x", lost, QByteArray());
    QByteArray endless;
    for (int i = 0; i < 200; ++i)
        endless += "250-X" + QByteArray::number(i) + "\r\n";
    row("endless EHLO reply", {"ehlo=" + endless + "250 HELP"}, "a@x", lost, "ehlo localhost");
    // No AUTH exchange: nothing usable offered, or nothing to log in with.
    row("single-line EHLO reply", {"ehlo=250 localhost", "login=u:p"}, "a@x", sent, sentA);
    row("bare 250 EHLO reply", {"ehlo=250"}, "a@x", sent, sentA);
    row("AUTH=LOGIN keyword", {"ehlo=250-localhost\r\n250-AUTH=LOGIN\r\n250 HELP", "login=u:p"}, "a@x", sent, sentA);
    row("no user name", {authOffered, "login=:p"}, "a@x", sent, sentA);
    row("no password", {authOffered, "login=u:"}, "a@x", sent, sentA);
    // STARTTLS required: neither the password nor the mail goes out in clear.
    row("STARTTLS refused", {startTls, "starttls", "login=u:p", "starttls=>454 TLS not available"}, "a@x",
        QStringLiteral("encryptionFailed; encryptionFailed(msg)"), "ehlo localhost|starttls");
    row("STARTTLS not offered", {authOffered, "starttls", "login=u:p"}, "a@x",
        QStringLiteral("encryptionFailed; encryptionFailed(msg)"), "ehlo localhost");
    row("STARTTLS not required", {startTls}, "a@x", sent, sentA);
}

void TestSmtpClient::dialogue()
{
    QFETCH(QByteArrayList, setup);
    QFETCH(QString, mails);
    QFETCH(QString, events);
    QFETCH(QByteArray, commands);

    ScriptedSmtpServer server;
    SmtpClient client;
    SmtpRecorder recorder(&client);
    for (const QByteArray &entry : setup) {
        const int arrow = entry.indexOf("=>");
        const QByteArray value = entry.mid(entry.indexOf('=') + 1);
        if (arrow > 0) {
            server.addReply(entry.left(arrow), entry.mid(arrow + 2));
        } else if (entry.startsWith("greeting=")) {
            server.greeting = value;
        } else if (entry.startsWith("ehlo=")) {
            server.ehloReply = value;
        } else if (entry.startsWith("burst=")) {
            server.burstSize = value.toInt();
        } else if (entry.startsWith("login=")) {
            client.setUsername(value.left(value.indexOf(':')));
            client.setPassword(value.mid(value.indexOf(':') + 1));
        } else if (entry == "starttls") {
            client.setStartTlsDisabled(false);
        } else if (entry == "impatient") {
            SmtpClientPrivate::get(&client)->setReplyTimeout(1000);
        }
    }
    const quint16 port = server.listen();
    QVERIFY(port);

    QList<MailMessage> messages;
    for (const QString &recipients : mails.split(QLatin1Char(';')))
        messages << makeMessage(recipients, messages.size() + 1);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    for (int i = 0; i < messages.size(); ++i)
        QCOMPARE(client.send(messages.at(i)), i + 1);

    const QStringList expectedEvents = events.split(QStringLiteral("; "), Qt::SkipEmptyParts);
    const QList<QByteArray> expectedCommands = commands.isEmpty() ? QList<QByteArray>() : commands.split('|');
    const bool closes = setup.contains("closes");
    QVERIFY(recorder.waitUntil([&] {
        return recorder.events.size() >= expectedEvents.size() && server.commands.size() >= expectedCommands.size()
            && (!closes || (server.clientDisconnected && recorder.disconnected > 0));
    }));
    QCOMPARE(recorder.events.size(), expectedEvents.size());
    for (int i = 0; i < expectedEvents.size(); ++i) {
        if (expectedEvents.at(i).endsWith(QLatin1String("(*)")))
            QVERIFY(recorder.events.at(i).startsWith(expectedEvents.at(i).chopped(2)));
        else
            QCOMPARE(recorder.events.at(i), expectedEvents.at(i));
    }
    QCOMPARE(server.commands, expectedCommands);
    // The client logs in (or finds nothing to log in with) before its first RSET.
    QCOMPARE(recorder.authenticated, expectedCommands.contains("rset") ? 1 : 0);
    QCOMPARE(recorder.encrypted, 0);

    // The mails reported sent are the last data the server took, dot-stuffed.
    QList<QByteArray> sent;
    for (int i = 0; i < messages.size(); ++i) {
        if (recorder.events.contains(QStringLiteral("mailSent(%1)").arg(i + 1)))
            sent << withoutStamps(messages.at(i).rawMessageData());
    }
    QVERIFY(server.messages.size() <= messages.size());
    QList<QByteArray> received;
    for (const QByteArray &data : server.messages.mid(server.messages.size() - sent.size()))
        received << withoutStamps(data);
    QCOMPARE(received, sent);
    for (const QByteArray &data : sent)
        QVERIFY(data.contains("\r\n..\r\n"));

    if (setup.contains("idle")) {
        client.send(makeMessage(QStringLiteral("a@x"), 9));
        QVERIFY(!server.waitForCommands(expectedCommands.size() + 1, 300));
    }
}

void TestSmtpClient::sendWhileWaiting()
{
    ScriptedSmtpServer server;
    const quint16 port = server.listen();
    SmtpClient client;
    SmtpRecorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(server.commands, QList<QByteArray>{"ehlo localhost"});

    QCOMPARE(client.send(makeMessage(QStringLiteral("a@x"), 1)), 1);
    QVERIFY(recorder.waitFor(QStringLiteral("mailSent(1)")));
    QCOMPARE(server.commands, QByteArray("ehlo localhost" + sendA).split('|'));
    QCOMPARE(recorder.events.count(QStringLiteral("finished")), 2);
}

// A line sent unencrypted behind the 220 to STARTTLS is not taken as the
// answer to the EHLO that follows over the encrypted channel.
void TestSmtpClient::startTlsInjection()
{
    ScriptedSmtpServer server;
    server.ehloReply = "250-localhost\r\n250 STARTTLS";
    server.addReply("starttls", "220 go ahead\r\n250 injected");
    const quint16 port = server.listen();
    QVERIFY(port);
    SmtpClient client;
    SmtpRecorder recorder(&client);
    client.setStartTlsDisabled(false);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage(QStringLiteral("a@x"), 1));
    QVERIFY(server.waitForCommands(2));
    QVERIFY(!recorder.waitUntil([&] { return recorder.authenticated > 0; }, 300));
}

void TestSmtpClient::connectionRefused()
{
    quint16 port;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    SmtpClient client;
    SmtpRecorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(recorder.waitUntil([&] { return recorder.events.size() >= 2; }));
    QCOMPARE(recorder.events.at(0), QStringLiteral("connectionFailed"));
    QVERIFY(recorder.events.at(1).startsWith(QStringLiteral("connectionFailed(")));
    QVERIFY(recorder.events.at(1).size() > int(qstrlen("connectionFailed()")));
}

void TestSmtpClient::deletedInItsOwnSignal_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("failure");
    QTest::newRow("encryptionFailed, STARTTLS missing") << QByteArray("encryptionFailed") << QByteArray("starttls");
    QTest::newRow("encryptionFailed, handshake") << QByteArray("encryptionFailed") << QByteArray("tls");
    QTest::newRow("connectionFailed, closed at MAIL") << QByteArray("connectionFailed") << QByteArray("close");
    QTest::newRow("disconnected, closed at MAIL") << QByteArray("disconnected") << QByteArray("close");
    QTest::newRow("connectionFailed, greeting refused") << QByteArray("connectionFailed") << QByteArray("refuse");
}

// The listener may delete the client from within any of its signals; the
// client must not touch itself afterwards (checked by the sanitizer build).
void TestSmtpClient::deletedInItsOwnSignal()
{
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, failure);
    ScriptedSmtpServer server;
    server.addReply("mail from", "<close>");
    if (failure == "refuse")
        server.greeting = "554 no service";
    const quint16 port = server.listen();
    QVERIFY(port);

    QPointer<SmtpClient> client = new SmtpClient;
    const auto drop = [&client] { delete client.data(); };
    if (signal == "encryptionFailed")
        connect(client, QOverload<>::of(&SmtpClient::encryptionFailed), drop);
    else if (signal == "connectionFailed")
        connect(client, QOverload<>::of(&SmtpClient::connectionFailed), drop);
    else
        connect(client, &SmtpClient::disconnected, drop);
    client->setStartTlsDisabled(failure != "starttls");
    client->send(makeMessage(QStringLiteral("a@x"), 1));
    if (failure == "tls")
        client->connectToSecureHost(QStringLiteral("127.0.0.1"), port);
    else
        client->connectToHost(QStringLiteral("127.0.0.1"), port);
    QTRY_VERIFY(client.isNull());
    QTest::qWait(100); // what the socket does after the signal, and the deferred deletes
}

AMBREL_TEST_MAIN(TestSmtpClient)
#include "tst_smtpclient.moc"
