#include "alarm.h"
#include "clock.h"
#include "database.h"
#include "listmodelemailuser.h"
#include "serviceemail.h"
#include "serviceemail_p.h"
#include "settings.h"
#include "smtpclient.h"
#include "smtpserverharness.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTimer>

namespace {

const QString kSender = QStringLiteral("ups@example.com");
const QStringList kReceivers = {QStringLiteral("one@example.com"), QStringLiteral("two@example.com")};

QString plainBody(const ReceivedMail &mail)
{
    QString body = mail.body;
    body.remove(QLatin1Char('\r'));
    if (body.endsWith(QLatin1Char('\n'))) // the line end the encoding adds
        body.chop(1);
    return body;
}

QString suffixed(const QString &text)
{
    return text + QStringLiteral("\n\t\t\t\tFrom Ambrel");
}

// A port on which nothing listens.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

} // namespace

class TestServiceEMail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void alarmsBackToBackAllArrive();
    void retiredClientThatHangsIsDeleted();
    void testMailButNoAlarmMail();
    void encryptedConnections_data();
    void encryptedConnections();
    void authentication();
    void settings();
    void dailyTimerFollowsTheSwitches();

private:
    ServiceEMail *service() const { return ServiceEMail::instance(); }
    ServiceEMailPrivate *priv() const { return ServiceEMailPrivate::get(ServiceEMail::instance()); }
    void setReceivers(const QStringList &receivers);
    quint16 startServer(SmtpServerHarness &server, const SmtpServerOptions &options = SmtpServerOptions());
};

void TestServiceEMail::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
    QVERIFY(service());
}

void TestServiceEMail::init()
{
    Clock::setNow(QDateTime());
    service()->setDailyEnable(false);
    service()->setServerAddress(QStringLiteral("127.0.0.1"));
    service()->setSenderName(QStringLiteral("Ambrel UPS"));
    service()->setSenderAddress(kSender);
    service()->setEncrypt(0);
    service()->setAuthEnable(false);
    service()->setEnable(true);
    setReceivers(kReceivers);
    Alarm::instance()->clearAlarm();
}

void TestServiceEMail::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestServiceEMail::setReceivers(const QStringList &receivers)
{
    ListModelEMailUser *model = service()->userModel();
    model->clearUsers();
    for (const QString &user : receivers)
        model->addUser(user);
}

quint16 TestServiceEMail::startServer(SmtpServerHarness &server, const SmtpServerOptions &options)
{
    const quint16 port = server.start(options);
    service()->setServerPort(port);
    return port;
}

void TestServiceEMail::alarmsBackToBackAllArrive()
{
    SmtpServerHarness server;
    QVERIFY(startServer(server));
    Alarm *alarm = Alarm::instance();

    // Mains failure and battery low, then link lost and returned.
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    alarm->addAlarm(Alarm::BattVolLow);
    alarm->addAlarm(Alarm::CommLost);
    alarm->delAlarm(Alarm::CommLost);
    alarm->addEvent(Alarm::CommNormal);
    QVERIFY2(server.waitForMails(4), qPrintable(server.serverLog()));

    QStringList bodies;
    for (const ReceivedMail &mail : server.mails()) {
        bodies.append(plainBody(mail));
        QCOMPARE(mail.subject, QStringLiteral("UPS Alarm"));
        QCOMPARE(mail.to, kReceivers);
        QCOMPARE(mail.rcptTos, kReceivers);
        QVERIFY(mail.cc.isEmpty());
        QCOMPARE(mail.fromAddresses, QStringList{kSender});
        QVERIFY(mail.from.startsWith(QLatin1String("Ambrel UPS")));
        QCOMPARE(mail.mailFrom, kSender);
        QVERIFY(!mail.authenticated);
    }
    bodies.sort();
    QStringList expected;
    for (const char *text : {"Input voltage fault", "Battery voltage low", "Communication lost",
                             "Communication established"})
        expected.append(suffixed(QString::fromLatin1(text)));
    expected.sort();
    QCOMPARE(bodies, expected);

    // The clients of the earlier mails go once they are through.
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(priv()->retired.cbegin(), priv()->retired.cend(),
                                         [](const QPointer<SmtpClient> &c) { return c.isNull(); }),
                             5000);
    QCOMPARE(server.mails().size(), 4);
}

void TestServiceEMail::retiredClientThatHangsIsDeleted()
{
    // A server that accepts connections and never says a word.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    service()->setServerPort(silent.serverPort());
    const int savedTimeout = priv()->retireTimeout;
    priv()->retireTimeout = 300;

    service()->sendAlarmMail(QStringLiteral("first"));
    QPointer<SmtpClient> first = priv()->smtp;
    QVERIFY(silent.waitForNewConnection(5000));

    SmtpServerHarness server;
    QVERIFY(startServer(server));
    service()->sendAlarmMail(QStringLiteral("second"));
    QVERIFY(priv()->smtp != first.data());
    QVERIFY(priv()->retired.contains(first));
    QVERIFY(!first.isNull()); // still at work, so not deleted yet

    QVERIFY(server.waitForMails(1));
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 5000);
    QCOMPARE(plainBody(server.mails().at(0)), suffixed(QStringLiteral("second")));
    priv()->retireTimeout = savedTimeout;
}

void TestServiceEMail::testMailButNoAlarmMail()
{
    SmtpServerHarness server;
    QVERIFY(startServer(server));
    QSignalSpy finished(service(), &ServiceEMail::emailFinished);
    QSignalSpy failed(service(), &ServiceEMail::emailFailed);

    service()->setEnable(false);
    Alarm::instance()->addAlarm(Alarm::UPSFault);
    service()->setEnable(true);
    setReceivers({});
    Alarm::instance()->addAlarm(Alarm::BypassSupply);
    QSqlQuery rows(QStringLiteral("select count(*) from alarm where alarm in (8, 6)"));
    QVERIFY(rows.next());
    QVERIFY(rows.value(0).toInt() >= 2);

    // The test mail needs neither `enable` nor receivers: it is the only mail that arrives.
    service()->setEnable(false);
    service()->sendTestEMail();
    QVERIFY(server.waitForMails(1));
    QTest::qWait(200);
    QCOMPARE(server.mails().size(), 1);
    const ReceivedMail mail = server.mails().at(0);
    QCOMPARE(mail.subject, QStringLiteral("Test E-Mail"));
    QCOMPARE(mail.rcptTos, QStringList{kSender});
    QCOMPARE(plainBody(mail), suffixed(QStringLiteral("This is a test E-Mail!")));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(failed.count(), 0);

    // Nothing listens: one failure with its text.
    service()->setServerPort(closedPort());
    service()->sendTestEMail();
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 5000);
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("connection failed"));
}

void TestServiceEMail::encryptedConnections_data()
{
    QTest::addColumn<int>("encrypt");
    QTest::addColumn<int>("security");
    QTest::addColumn<bool>("encrypted");
    QTest::newRow("STARTTLS asked, not offered") << 1 << int(SmtpServerOptions::Plain) << false;
    QTest::newRow("STARTTLS") << 1 << int(SmtpServerOptions::StartTls) << true;
    QTest::newRow("TLS") << 2 << int(SmtpServerOptions::Tls) << true;
    QTest::newRow("STARTTLS offered, not asked") << 0 << int(SmtpServerOptions::StartTls) << false;
    QTest::newRow("unknown value acts as none") << 7 << int(SmtpServerOptions::StartTls) << false;
}

void TestServiceEMail::encryptedConnections()
{
    QFETCH(int, encrypt);
    QFETCH(int, security);
    QFETCH(bool, encrypted);

    SmtpServerHarness server;
    SmtpServerOptions options;
    options.security = SmtpServerOptions::Security(security);
    QVERIFY(startServer(server, options));
    server.trustCertificateAuthority();
    service()->setServerAddress(QStringLiteral("localhost"));
    service()->setEncrypt(encrypt);

    service()->sendTestEMail();
    QVERIFY2(server.waitForMails(1), qPrintable(server.serverLog()));
    QCOMPARE(server.mails().at(0).encrypted, encrypted);
}

void TestServiceEMail::authentication()
{
    SmtpServerHarness server;
    SmtpServerOptions options;
    options.authMechanisms = QStringList{QStringLiteral("LOGIN"), QStringLiteral("CRAM-MD5")};
    options.userName = "account";
    options.password = "secret";
    QVERIFY(startServer(server, options));
    QSignalSpy failed(service(), &ServiceEMail::emailFailed);

    // Off: no AUTH at all, although the server offers it.
    service()->sendTestEMail();
    QVERIFY(server.waitForMails(1));
    QVERIFY(!server.mails().at(0).authenticated);
    QVERIFY(server.authAttempts().isEmpty());

    service()->setAuthEnable(true);
    service()->setAuthAccount(QStringLiteral("account"));
    service()->setAuthPassword(QStringLiteral("secret"));
    service()->sendTestEMail();
    QVERIFY(server.waitForMails(2));
    QVERIFY(server.mails().at(1).authenticated);
    QCOMPARE(server.mails().at(1).authUser, QStringLiteral("account"));

    service()->setAuthPassword(QStringLiteral("wrong"));
    service()->sendTestEMail();
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 5000);
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("authentication failed"));
    QCOMPARE(server.mails().size(), 2);
}

void TestServiceEMail::settings()
{
    Settings *settings = Settings::instance();
    service()->setAuthPassword(QStringLiteral("p@ss"));
    QCOMPARE(settings->getSettings(Settings::EMailAuthPassword).toString(), QStringLiteral("p@ss"));
    QVERIFY(settings->getSettings(Settings::EMailAuthPassword, true).toString() != QStringLiteral("p@ss"));

    service()->setDailyHour(7);
    service()->setDailyMinute(5);
    service()->setDailySecond(9);
    QCOMPARE(settings->getSettings(Settings::EMailDailyTime).toString(), QStringLiteral("07:05:09"));
    // Out-of-range parts are refused; the stored time stays valid.
    service()->setDailyHour(24);
    service()->setDailyMinute(60);
    service()->setDailySecond(-1);
    QCOMPARE(settings->getSettings(Settings::EMailDailyTime).toString(), QStringLiteral("07:05:09"));

    settings->setSettings(Settings::EMailServerAddress, QStringLiteral("mail.example.com"));
    settings->setSettings(Settings::EMailDailyTime, QStringLiteral("18:30:15"));
    settings->setSettings(Settings::EMailDailyEnable, true);
    service()->onSettingsChanged();
    QCOMPARE(service()->serverAddress(), QStringLiteral("mail.example.com"));
    QCOMPARE(service()->dailyHour(), 18);
    QCOMPARE(service()->dailyMinute(), 30);
    QCOMPARE(service()->dailySecond(), 15);
    QVERIFY(service()->dailyEnable());
    QVERIFY(!priv()->timer->isActive()); // a reload neither starts nor stops it

    settings->setSettings(Settings::EMailDailyTime, QStringLiteral("noon"));
    service()->onSettingsChanged();
    QCOMPARE(service()->dailyHour(), -1);
    service()->setDailyMinute(15); // from an unreadable time: the other parts are 0
    QCOMPARE(settings->getSettings(Settings::EMailDailyTime).toString(), QStringLiteral("00:15:00"));
    settings->setSettings(Settings::EMailDailyEnable, false);
    service()->onSettingsChanged();
}

void TestServiceEMail::dailyTimerFollowsTheSwitches()
{
    QTimer *timer = priv()->timer;
    service()->setEnable(false);
    QVERIFY(!timer->isActive());

    service()->setDailyEnable(true); // whatever `enable` holds
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);

    service()->setEnable(true);
    QVERIFY(timer->isActive());
    service()->setEnable(false);
    QVERIFY(!timer->isActive());
    service()->setEnable(true);
    QVERIFY(timer->isActive());

    service()->setDailyEnable(false);
    QVERIFY(!timer->isActive());
    service()->setEnable(false);
    service()->setEnable(true); // daily report off: stays stopped
    QVERIFY(!timer->isActive());
}

AMBREL_TEST_MAIN(TestServiceEMail)
#include "tst_serviceemail.moc"
