#include <QTcpServer>
#include <QtTest>

#include "mailmessage.h"
#include "scriptedsmtpserver.h"
#include "smtpclient.h"
#include "smtpclientprivate.h"
#include "testenvironment.h"

namespace {

const QByteArray ehloPipelining = "250-localhost\r\n250-PIPELINING\r\n250 HELP";

// Records what the client reports, in order, as short texts.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(SmtpClient *client)
    {
        connect(client, QOverload<>::of(&SmtpClient::connectionFailed), this,
                [this] { add(QStringLiteral("connectionFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::connectionFailed), this,
                [this](const QString &msg) { add(QStringLiteral("connectionFailed(%1)").arg(msg)); });
        connect(client, QOverload<>::of(&SmtpClient::encryptionFailed), this,
                [this] { add(QStringLiteral("encryptionFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::encryptionFailed), this,
                [this](const QString &) { add(QStringLiteral("encryptionFailed(msg)")); });
        connect(client, QOverload<>::of(&SmtpClient::authenticationFailed), this,
                [this] { add(QStringLiteral("authenticationFailed")); });
        connect(client, QOverload<const QString &>::of(&SmtpClient::authenticationFailed), this,
                [this](const QString &msg) { add(QStringLiteral("authenticationFailed(%1)").arg(msg)); });
        connect(client, QOverload<int, int>::of(&SmtpClient::mailFailed), this,
                [this](int id, int code) { add(QStringLiteral("mailFailed(%1,%2)").arg(id).arg(code)); });
        connect(client, QOverload<int, int, const QString &>::of(&SmtpClient::mailFailed), this,
                [this](int id, int code, const QString &msg) {
                    add(QStringLiteral("mailFailed(%1,%2,%3)").arg(id).arg(code).arg(msg));
                });
        connect(client, &SmtpClient::mailSent, this, [this](int id) { add(QStringLiteral("mailSent(%1)").arg(id)); });
        connect(client, &SmtpClient::finished, this, [this] { add(QStringLiteral("finished")); });
        connect(client, &SmtpClient::authenticated, this, [this] { ++authenticated; emit changed(); });
        connect(client, &SmtpClient::encrypted, this, [this] { ++encrypted; emit changed(); });
        connect(client, &SmtpClient::disconnected, this, [this] { ++disconnected; emit changed(); });
    }

    bool waitFor(const QString &event, int timeoutMs = 5000)
    {
        return waitUntil([&] { return events.contains(event); }, timeoutMs);
    }

    // Runs the event loop until the condition holds, waking on every report.
    template<typename Condition>
    bool waitUntil(Condition condition, int timeoutMs = 5000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        QSignalSpy spy(this, &Recorder::changed);
        while (!condition() && !deadline.hasExpired())
            spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
        return condition();
    }

    QStringList events;
    int authenticated = 0;
    int encrypted = 0;
    int disconnected = 0;

signals:
    void changed();

private:
    void add(const QString &event)
    {
        events << event;
        emit changed();
    }
};

MailMessage makeMessage(const QStringList &to, const QString &subject = QStringLiteral("Test"))
{
    MailMessage message;
    message.setSender(QStringLiteral("Ambrel UPS<ups@example.com>"));
    for (const QString &address : to)
        message.addRecipient(address);
    message.setSubject(subject);
    message.setBody(QStringLiteral("Mains failure.\r\n.\r\nBattery mode."));
    return message;
}

QList<QByteArray> mailCommands(const QStringList &to)
{
    QList<QByteArray> out{"mail from:<ups@example.com>"};
    for (const QString &address : to)
        out << "rcpt to:<" + address.toLatin1() + ">";
    out << "data";
    return out;
}

} // namespace

class TestSmtpClient : public QObject
{
    Q_OBJECT

private slots:
    void extractAddress_data();
    void extractAddress();
    void deliversWithoutPipelining();
    void deliversPipelined();
    void refusedRecipientInPipelinedBurst();
    void refusedMailStep_data();
    void refusedMailStep();
    void mailWithoutRecipients();
    void queuedBeforeConnection();
    void sendWhileWaiting();
    void greetingRefused();
    void connectionRefused();
    void heloFallback();
    void heloRefused();
    void resetRefused();
    void noAuthentication_data();
    void noAuthentication();
    void cramMd5Answer();
    void loginRefused();
    void startTlsRefusedOrDisabled_data();
    void startTlsRefusedOrDisabled();
};

void TestSmtpClient::extractAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("address");

    QTest::newRow("name and address") << QStringLiteral("Ambrel UPS<ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("bare") << QStringLiteral("ups@example.com") << QByteArray("ups@example.com");
    QTest::newRow("quoted <") << QStringLiteral("\"a<b\" <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("comment <") << QStringLiteral("x (a<b) <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("unbalanced )") << QStringLiteral("a) <ups@example.com>") << QByteArray("ups@example.com");
    QTest::newRow("no closing >") << QStringLiteral("Name <ups@example.com") << QByteArray("Name <ups@example.com");
    QTest::newRow("latin-1") << QStringLiteral("\u00e9@example.com") << QByteArray("\xe9@example.com");
}

void TestSmtpClient::extractAddress()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, address);
    QCOMPARE(SmtpClientPrivate::extractAddress(text), address);
}

void TestSmtpClient::deliversWithoutPipelining()
{
    ScriptedSmtpServer server;
    const quint16 port = server.listen();
    QVERIFY(port);
    SmtpClient client;
    Recorder recorder(&client);
    MailMessage message = makeMessage({QStringLiteral("a@example.com")});
    message.addRecipient(QStringLiteral("Copy <c@example.com>"), MailMessage::Cc);
    message.addRecipient(QStringLiteral("h@example.com"), MailMessage::Bcc);

    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QCOMPARE(client.send(message), 1);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));

    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"})
                                    + mailCommands({QStringLiteral("a@example.com"), QStringLiteral("c@example.com"),
                                                    QStringLiteral("h@example.com")}));
    QCOMPARE(server.messages(), QList<QByteArray>{message.rawMessageData()});
    QVERIFY(server.messages().first().contains("\r\n..\r\n"));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("finished")}));
    QCOMPARE(recorder.authenticated, 1);
}

void TestSmtpClient::deliversPipelined()
{
    ScriptedSmtpServer server;
    server.setEhloReply(ehloPipelining);
    // MAIL FROM and the three RCPT TO get their replies only once all four
    // lines are in: a client that waits for each reply would stall here.
    server.setBurstSize(4);
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    const QStringList to = {QStringLiteral("a@example.com"), QStringLiteral("b@example.com"),
                            QStringLiteral("c@example.com")};

    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage(to));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"}) + mailCommands(to));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("finished")}));
}

void TestSmtpClient::refusedRecipientInPipelinedBurst()
{
    ScriptedSmtpServer server;
    server.setEhloReply(ehloPipelining);
    server.setBurstSize(3);
    server.addReply("rcpt to:<bad@", "550 5.1.1 no such user");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    const QStringList first = {QStringLiteral("bad@example.com"), QStringLiteral("a@example.com")};
    const QStringList second = {QStringLiteral("a@example.com"), QStringLiteral("b@example.com")};

    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage(first));
    client.send(makeMessage(second));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));

    // The replies of the whole burst are taken before the RSET, so the next
    // mail's dialogue stays in step and goes through.
    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("mailFailed(1,550)"), QStringLiteral("mailFailed(1,550,550 5.1.1 no such user)"),
                          QStringLiteral("mailSent(2)"), QStringLiteral("finished")}));
    QList<QByteArray> expected{"ehlo localhost", "rset"};
    expected << mailCommands(first).mid(0, 3) << "rset" << mailCommands(second);
    QCOMPARE(server.commands(), expected);
    QCOMPARE(server.messages().size(), 1);
}

void TestSmtpClient::refusedMailStep_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");

    QTest::newRow("MAIL FROM") << QByteArray("mail from") << QByteArray("553 sender refused") << 553;
    QTest::newRow("RCPT TO") << QByteArray("rcpt to:<a@") << QByteArray("550 mailbox unavailable") << 550;
    QTest::newRow("DATA") << QByteArray("data") << QByteArray("554 no valid recipients") << 554;
    QTest::newRow("end of data") << QByteArray(".") << QByteArray("552 message too big") << 552;
}

void TestSmtpClient::refusedMailStep()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(int, code);

    ScriptedSmtpServer server;
    server.addReply(command, reply);
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com"), QStringLiteral("b@example.com")}));
    client.send(makeMessage({QStringLiteral("b@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));

    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("mailFailed(1,%1)").arg(code),
                          QStringLiteral("mailFailed(1,%1,%2)").arg(code).arg(QString::fromLatin1(reply)),
                          QStringLiteral("mailSent(2)"), QStringLiteral("finished")}));
    // Nothing more of the refused mail is sent; an RSET precedes the next one.
    const QList<QByteArray> commands = server.commands();
    const int reset = commands.lastIndexOf("rset");
    QVERIFY(reset > 1);
    QCOMPARE(commands.mid(reset + 1), mailCommands({QStringLiteral("b@example.com")}));
    if (command == "rcpt to:<a@")
        QVERIFY(!commands.contains("rcpt to:<b@example.com>") || commands.indexOf("rcpt to:<b@example.com>") > reset);
}

void TestSmtpClient::mailWithoutRecipients()
{
    ScriptedSmtpServer server;
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    MailMessage empty = makeMessage({});
    empty.addRecipient(QStringLiteral("x@example.com"), MailMessage::RecipientType(1));
    QCOMPARE(client.send(makeMessage({})), 1);
    QCOMPARE(client.send(makeMessage({QStringLiteral("a@example.com")})), 2);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));

    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("mailFailed(1,1)"), QStringLiteral("mailFailed(1,1,e-mail has no recipients)"),
                          QStringLiteral("mailSent(2)"), QStringLiteral("finished")}));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"}) + mailCommands({QStringLiteral("a@example.com")}));
}

void TestSmtpClient::queuedBeforeConnection()
{
    ScriptedSmtpServer server;
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    QCOMPARE(client.send(makeMessage({QStringLiteral("a@example.com")}, QStringLiteral("first"))), 1);
    QCOMPARE(client.send(makeMessage({QStringLiteral("b@example.com")}, QStringLiteral("second"))), 2);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));

    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("mailSent(2)"), QStringLiteral("finished")}));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"})
                                    + mailCommands({QStringLiteral("a@example.com")}) + QList<QByteArray>{"rset"}
                                    + mailCommands({QStringLiteral("b@example.com")}));
    QCOMPARE(server.messages().size(), 2);
    QVERIFY(server.messages().at(0).contains("Subject: first"));
    QVERIFY(server.messages().at(1).contains("Subject: second"));
}

void TestSmtpClient::sendWhileWaiting()
{
    ScriptedSmtpServer server;
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(server.commands(), QList<QByteArray>{"ehlo localhost"});

    QCOMPARE(client.send(makeMessage({QStringLiteral("a@example.com")})), 1);
    QVERIFY(recorder.waitFor(QStringLiteral("mailSent(1)")));
    QCOMPARE(server.commands(), QList<QByteArray>{"ehlo localhost"} + mailCommands({QStringLiteral("a@example.com")}));
    QCOMPARE(recorder.events.count(QStringLiteral("finished")), 2);
}

void TestSmtpClient::greetingRefused()
{
    ScriptedSmtpServer server;
    server.setGreeting("554 no service");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("connectionFailed(554 no service)")));
    QVERIFY(server.waitForDisconnect());
    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("connectionFailed"), QStringLiteral("connectionFailed(554 no service)")}));
    QVERIFY(server.commands().isEmpty());
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
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    QVERIFY(recorder.waitUntil([&] { return recorder.events.size() >= 2; }));
    QCOMPARE(recorder.events.at(0), QStringLiteral("connectionFailed"));
    QVERIFY(recorder.events.at(1).startsWith(QStringLiteral("connectionFailed(")));
    QVERIFY(recorder.events.at(1).size() > int(qstrlen("connectionFailed()")));
}

void TestSmtpClient::heloFallback()
{
    ScriptedSmtpServer server;
    server.addReply("ehlo", "502 command not implemented");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.setUsername("user");
    client.setPassword("secret");
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "helo", "rset"})
                                    + mailCommands({QStringLiteral("a@example.com")}));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("finished")}));
}

void TestSmtpClient::heloRefused()
{
    ScriptedSmtpServer server;
    server.addReply("ehlo", "502 command not implemented");
    server.addReply("helo", "501 syntax: HELO hostname");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(server.waitForDisconnect());
    QVERIFY(recorder.waitUntil([&] { return recorder.disconnected > 0; }));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "helo", "QUIT"}));
    QVERIFY(recorder.events.isEmpty());
}

void TestSmtpClient::resetRefused()
{
    ScriptedSmtpServer server;
    server.addReply("rset", "421 closing down");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("connectionFailed(421 closing down)")));
    QCOMPARE(recorder.events,
             QStringList({QStringLiteral("connectionFailed"), QStringLiteral("connectionFailed(421 closing down)")}));
    // The client stays put: a later mail does not start.
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(!server.waitForCommands(3, 300));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"}));
}

void TestSmtpClient::noAuthentication_data()
{
    QTest::addColumn<QByteArray>("ehloReply");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("password");

    QTest::newRow("single-line EHLO reply") << QByteArray("250 localhost") << QByteArray("u") << QByteArray("p");
    QTest::newRow("AUTH=LOGIN keyword") << QByteArray("250-localhost\r\n250-AUTH=LOGIN\r\n250 HELP") << QByteArray("u")
                                        << QByteArray("p");
    QTest::newRow("only PLAIN") << QByteArray("250-localhost\r\n250 AUTH PLAIN") << QByteArray("u") << QByteArray("p");
    QTest::newRow("no user name") << QByteArray("250-localhost\r\n250 AUTH LOGIN CRAM-MD5") << QByteArray()
                                  << QByteArray("p");
    QTest::newRow("no password") << QByteArray("250-localhost\r\n250 AUTH LOGIN CRAM-MD5") << QByteArray("u")
                                 << QByteArray();
}

void TestSmtpClient::noAuthentication()
{
    QFETCH(QByteArray, ehloReply);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, password);

    ScriptedSmtpServer server;
    server.setEhloReply(ehloReply);
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.setUsername(user);
    client.setPassword(password);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(recorder.authenticated, 1);
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "rset"})
                                    + mailCommands({QStringLiteral("a@example.com")}));
}

void TestSmtpClient::cramMd5Answer()
{
    // The example exchange of RFC 2195.
    ScriptedSmtpServer server;
    server.setEhloReply("250-localhost\r\n250-AUTH LOGIN CRAM-MD5\r\n250 HELP");
    server.addExchange("auth cram-md5", {"334 " + QByteArray("<1896.697170952@postoffice.reston.mci.net>").toBase64(),
                                         "235 2.7.0 accepted"});
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.setUsername("tim");
    client.setPassword("tanstaaftanstaaf");
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    QCOMPARE(server.commands().mid(0, 4), QList<QByteArray>({"ehlo localhost", "auth cram-md5",
                                                             "dGltIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw", "rset"}));
    QCOMPARE(recorder.events, QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("finished")}));
}

void TestSmtpClient::loginRefused()
{
    ScriptedSmtpServer server;
    server.setEhloReply("250-localhost\r\n250 AUTH PLAIN LOGIN");
    server.addExchange("auth login", {"334 VXNlcm5hbWU6", "334 UGFzc3dvcmQ6", "535 5.7.8 credentials invalid"});
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.setUsername("user");
    client.setPassword("wrong");
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("authenticationFailed(535 5.7.8 credentials invalid)")));
    QVERIFY(server.waitForDisconnect());
    QCOMPARE(recorder.events, QStringList({QStringLiteral("authenticationFailed"),
                                           QStringLiteral("authenticationFailed(535 5.7.8 credentials invalid)")}));
    QCOMPARE(server.commands(), QList<QByteArray>({"ehlo localhost", "auth login", QByteArray("user").toBase64(),
                                                   QByteArray("wrong").toBase64()}));
    QCOMPARE(recorder.authenticated, 0);
}

void TestSmtpClient::startTlsRefusedOrDisabled_data()
{
    QTest::addColumn<bool>("disabled");
    QTest::newRow("refused") << false;
    QTest::newRow("disabled") << true;
}

void TestSmtpClient::startTlsRefusedOrDisabled()
{
    QFETCH(bool, disabled);

    ScriptedSmtpServer server;
    server.setEhloReply("250-localhost\r\n250-STARTTLS\r\n250 HELP");
    server.addReply("starttls", "454 TLS not available");
    const quint16 port = server.listen();
    SmtpClient client;
    Recorder recorder(&client);
    client.setStartTlsDisabled(disabled);
    client.connectToHost(QStringLiteral("127.0.0.1"), port);
    client.send(makeMessage({QStringLiteral("a@example.com")}));
    QVERIFY(recorder.waitFor(QStringLiteral("finished")));
    // Either way the mail goes out unencrypted, without a failure signal.
    QList<QByteArray> expected{"ehlo localhost"};
    if (!disabled)
        expected << "starttls";
    expected << "rset" << mailCommands({QStringLiteral("a@example.com")});
    QCOMPARE(server.commands(), expected);
    QCOMPARE(recorder.events, QStringList({QStringLiteral("mailSent(1)"), QStringLiteral("finished")}));
    QCOMPARE(recorder.encrypted, 0);
}

AMBREL_TEST_MAIN(TestSmtpClient)
#include "tst_smtpclient.moc"
