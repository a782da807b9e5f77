#include "alarm/alarm.h"
#include "records/clock.h"
#include "records/database.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "email/serviceemail_p.h"
#include "email/workbookexport.h"
#include "records/settings.h"
#include "scriptedsmtpserver.h"
#include "smtpclient.h"
#include "smtpserverharness.h"
#include "testenvironment.h"
#include "teststore.h"
#include "xlsxreader.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString kSender = QStringLiteral("ups@example.com");
const QStringList kReceivers = {QStringLiteral("one@example.com"), QStringLiteral("two@example.com")};

// The text of a mail without its signature; marked when the signature is missing.
QString mailText(const ReceivedMail &mail)
{
    QString body = mail.body;
    body.remove(QLatin1Char('\r'));
    if (body.endsWith(QLatin1Char('\n'))) // the line end the encoding adds
        body.chop(1);
    const QLatin1String signature("\n\t\t\t\tFrom Ambrel");
    return body.endsWith(signature) ? body.chopped(signature.size()) : QStringLiteral("unsigned: ") + body;
}

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

QString workbookPath()
{
    return Settings::instance()->dataDir() + QStringLiteral("/record.xlsx");
}

QVariantList rowValues(const QJsonArray &rows, int row)
{
    QVariantList list;
    for (const QJsonValue &cell : rows.at(row).toArray())
        list.append(cell.toObject().value(QStringLiteral("value")).toVariant());
    return list;
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
    void alarmMailWhileTheDatabaseIsLocked();
    void retiredClientThatHangsIsDeleted();
    void testMailButNoAlarmMail();
    void encryptedConnections_data();
    void encryptedConnections();
    void authentication();
    void refusedMails_data();
    void refusedMails();
    void dailyTimeSettings();
    void dailyTimerFollowsTheSwitches();
    void dailyTick_data();
    void dailyTick();
    void reportCarriesYesterdaysReadings();
    void lateTickReportsTheDayItWasDue();
    void dayWithoutReadings();

private:
    ServiceEMail *service() const { return ServiceEMail::instance(); }
    ServiceEMailPrivate *priv() const { return ServiceEMailPrivate::get(ServiceEMail::instance()); }
    quint16 startServer(SmtpServerHarness &server, const SmtpServerOptions &options = SmtpServerOptions());
    // Starts the daily timer anew and takes its ticks into the test's hands.
    void restartTimer();
    // The client of the latest mail, not `before`, is through with it.
    bool latestMailDone(const SmtpClient *before = nullptr) const
    {
        return priv()->smtp && priv()->smtp != before && priv()->smtp->property("ambrelMailDone").toBool();
    }
    // Sends the report of `now` to a real server and reads the attached workbook back.
    // A valid `before` is ticked first, so `now` may step over the daily time.
    QJsonObject reportAt(const QDateTime &now, ReceivedMail *mail = nullptr, const QDateTime &before = QDateTime());
};

void TestServiceEMail::initTestCase()
{
    TestStore::open();
}

void TestServiceEMail::init()
{
    Clock::setNow(QDateTime());
    service()->setDailyEnable(false);
    service()->setDailyHour(12);
    service()->setDailyMinute(0);
    service()->setDailySecond(0);
    service()->setServerPort(closedPort());
    service()->setServerAddress(QStringLiteral("127.0.0.1"));
    service()->setSenderName(QStringLiteral("Ambrel UPS"));
    service()->setSenderAddress(kSender);
    service()->setEncrypt(0);
    service()->setAuthEnable(false);
    service()->setEnable(true);
    service()->userModel()->clearUsers();
    for (const QString &user : kReceivers)
        service()->userModel()->addUser(user);
    Alarm::instance()->clearAlarm();
    QSqlQuery(QStringLiteral("delete from device_data"));
    QFile::remove(workbookPath());
}

void TestServiceEMail::cleanupTestCase()
{
    service()->setDailyEnable(false);
    Clock::setNow(QDateTime());
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

    QStringList texts;
    for (const ReceivedMail &mail : server.mails()) {
        texts.append(mailText(mail));
        QCOMPARE(mail.subject, QStringLiteral("UPS Alarm"));
        QCOMPARE(mail.to, kReceivers);
        QCOMPARE(mail.rcptTos, kReceivers);
        QVERIFY(mail.cc.isEmpty());
        QCOMPARE(mail.fromAddresses, QStringList{kSender});
        QVERIFY(mail.from.startsWith(QLatin1String("Ambrel UPS")));
        QCOMPARE(mail.mailFrom, kSender);
        QVERIFY(!mail.authenticated);
    }
    texts.sort();
    QCOMPARE(texts, (QStringList{"Battery voltage low", "Communication established", "Communication lost",
                                 "Input voltage fault"}));

    // The clients of the earlier mails go once they are through.
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(priv()->retired.cbegin(), priv()->retired.cend(),
                                         [](const QPointer<SmtpClient> &c) { return c.isNull(); }), 5000);
    QCOMPARE(server.mails().size(), 4);
}

// Another program holds the database locked: the alarm mail goes to the
// receivers listed last, at once.
void TestServiceEMail::alarmMailWhileTheDatabaseIsLocked()
{
    SmtpServerHarness server;
    QVERIFY(startServer(server));
    service()->sendAlarmMail(QStringLiteral("before"));
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(QSqlDatabase::database().databaseName());
    QVERIFY(other.open() && QSqlQuery(other).exec(QStringLiteral("begin exclusive")));
    service()->sendAlarmMail(QStringLiteral("locked"));
    other.close();
    QVERIFY2(server.waitForMails(2), qPrintable(server.serverLog()));
    QCOMPARE(server.mails().at(1).to, kReceivers);
}

void TestServiceEMail::retiredClientThatHangsIsDeleted()
{
    QTcpServer silent; // accepts connections and never says a word
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
    QVERIFY(!first.isNull()); // still at work, so not deleted yet

    QVERIFY(server.waitForMails(1));
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 5000);
    QCOMPARE(mailText(server.mails().at(0)), QStringLiteral("second"));
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
    service()->userModel()->clearUsers();
    Alarm::instance()->addAlarm(Alarm::BypassSupply);
    QSqlQuery rows(QStringLiteral("select count(*) from alarm where alarm in (8, 6)"));
    QVERIFY(rows.next() && rows.value(0).toInt() >= 2);

    // The test mail needs neither `enable` nor receivers: it is the only mail that arrives.
    service()->setEnable(false);
    service()->sendTestEMail();
    QVERIFY(server.waitForMails(1));
    QTest::qWait(200);
    QCOMPARE(server.mails().size(), 1);
    const ReceivedMail mail = server.mails().at(0);
    QCOMPARE(mail.subject, QStringLiteral("Test E-Mail"));
    QCOMPARE(mail.rcptTos, QStringList{kSender});
    QCOMPARE(mailText(mail), QStringLiteral("This is a test E-Mail!"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(failed.count(), 0);

    // Nothing listens: one failure with its text.
    service()->setServerPort(closedPort());
    service()->sendTestEMail();
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 5000);
    QCOMPARE(failed.at(0).at(0).toString(), QStringLiteral("connection failed"));

    // A server that goes away before it took the mail: a failure too, not silence.
    ScriptedSmtpServer vanishing;
    vanishing.addReply("mail from", "<close>");
    service()->setServerPort(vanishing.listen());
    service()->sendTestEMail();
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, 5000);
    QCOMPARE(failed.at(1).at(0).toString(), QStringLiteral("connection failed"));
    QCOMPARE(finished.count(), 1);

    // Nor is a daily report made without receivers.
    restartTimer();
    Clock::setNow(QDateTime(QDate(2026, 2, 11), QTime(12, 0, 0)));
    service()->onTimerTimeout();
    QVERIFY(!QFile::exists(workbookPath()));
}

void TestServiceEMail::encryptedConnections_data()
{
    // outcome: how the test mail arrives ("encrypted", "plain"), or the failure reported.
    QTest::addColumn<int>("encrypt");
    QTest::addColumn<int>("security");
    QTest::addColumn<QString>("outcome");
    // STARTTLS asked for and missing: nothing goes out in clear.
    QTest::newRow("STARTTLS asked, not offered") << 1 << int(SmtpServerOptions::Plain) << "encryption failed";
    QTest::newRow("STARTTLS") << 1 << int(SmtpServerOptions::StartTls) << "encrypted";
    QTest::newRow("TLS") << 2 << int(SmtpServerOptions::Tls) << "encrypted";
    QTest::newRow("STARTTLS offered, not asked") << 0 << int(SmtpServerOptions::StartTls) << "plain";
    QTest::newRow("unknown value acts as none") << 7 << int(SmtpServerOptions::StartTls) << "plain";
}

void TestServiceEMail::encryptedConnections()
{
    QFETCH(int, encrypt);
    QFETCH(int, security);
    QFETCH(QString, outcome);
    SmtpServerHarness server;
    SmtpServerOptions options;
    options.security = SmtpServerOptions::Security(security);
    QVERIFY(startServer(server, options));
    server.trustCertificateAuthority();
    service()->setServerAddress(QStringLiteral("localhost"));
    service()->setEncrypt(encrypt);
    QSignalSpy failed(service(), &ServiceEMail::emailFailed);

    service()->sendTestEMail();
    if (outcome == QLatin1String("encryption failed")) {
        QVERIFY(failed.wait());
        QCOMPARE(failed.at(0).at(0).toString(), outcome);
        QVERIFY(!server.waitForMails(1, 300));
        return;
    }
    QVERIFY2(server.waitForMails(1), qPrintable(server.serverLog()));
    QCOMPARE(server.mails().at(0).encrypted, outcome == QLatin1String("encrypted"));
    QCOMPARE(failed.count(), 0);
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

void TestServiceEMail::refusedMails_data()
{
    QTest::addColumn<QString>("refuse");
    QTest::addColumn<QString>("reply");
    QTest::newRow("sender") << "mail" << "553 5.1.3 Sender address rejected";
    QTest::newRow("recipient") << "rcpt" << "550 5.1.1 Recipient address rejected";
    QTest::newRow("message text") << "data" << "554 5.6.0 Message refused";
}

void TestServiceEMail::refusedMails()
{
    QFETCH(QString, refuse);
    QFETCH(QString, reply);
    SmtpServerHarness server;
    SmtpServerOptions options;
    options.refuse = refuse;
    QVERIFY(startServer(server, options));
    QSignalSpy finished(service(), &ServiceEMail::emailFinished);
    QSignalSpy failed(service(), &ServiceEMail::emailFailed);

    // The test mail ends in a failure with the server's reply, never in "sent".
    service()->sendTestEMail();
    QVERIFY(failed.wait());
    QCOMPARE(failed.at(0).at(0).toString(), reply);
    QTRY_VERIFY(latestMailDone());

    // A refused alarm mail is written to the log.
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Alarm mail refused by the mail server: ") + reply));
    const SmtpClient *testClient = priv()->smtp;
    service()->sendAlarmMail(QStringLiteral("Input voltage fault"));
    QTRY_VERIFY(latestMailDone(testClient));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(finished.count(), 0);
    QVERIFY(server.mails().isEmpty());
}

void TestServiceEMail::dailyTimeSettings()
{
    Settings *settings = Settings::instance();
    service()->setDailyHour(7);
    service()->setDailyMinute(5);
    service()->setDailySecond(9);
    // Out-of-range parts are refused; the stored time stays valid.
    service()->setDailyHour(24);
    service()->setDailyMinute(60);
    service()->setDailySecond(-1);
    QCOMPARE(settings->getSettings(Settings::EMailDailyTime).toString(), QStringLiteral("07:05:09"));

    settings->setSettings(Settings::EMailDailyTime, QStringLiteral("18:30:15"));
    settings->setSettings(Settings::EMailDailyEnable, true);
    service()->onSettingsChanged();
    QCOMPARE(QTime(service()->dailyHour(), service()->dailyMinute(), service()->dailySecond()), QTime(18, 30, 15));
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
    // Each step sets `dailyEnable` or `enable`; the timer then runs or not.
    const struct { bool daily, on, running; } steps[] = {
        {false, false, false}, {true, true, true}, // daily on, whatever `enable` holds
        {false, true, true}, {false, false, false}, {false, true, true},
        {true, false, false}, {false, false, false}, {false, true, false}};
    for (const auto &step : steps) {
        step.daily ? service()->setDailyEnable(step.on) : service()->setEnable(step.on);
        QCOMPARE(priv()->timer->isActive(), step.running);
    }
    service()->setDailyEnable(true);
    QCOMPARE(priv()->timer->interval(), 1000);
}

void TestServiceEMail::restartTimer()
{
    service()->setDailyEnable(false);
    service()->setDailyEnable(true);
    QVERIFY(priv()->timer->isActive());
    priv()->timer->stop();
}

void TestServiceEMail::dailyTick_data()
{
    // Steps: "R" restarts the timer; "<time>+" ticks then and expects a report,
    // "<time>-" expects none. A time without a date keeps the date before it.
    // Steps after "CET" run in Central European time.
    QTest::addColumn<QString>("dailyTime");
    QTest::addColumn<QString>("steps");
    QTest::newRow("only in the daily second") << "12:00:00"
        << "R 2026-01-05T11:59:59.400- 12:00:00.400+ 12:00:01.400- 12:00:02.400- 18:00:00.000-";
    QTest::newRow("tick stepped over it") << "12:00:00" << "R 2026-01-06T11:59:59.900- 12:00:01.050+ 12:00:02.050-";
    QTest::newRow("first tick within it") << "12:00:00" << "R 2026-01-07T12:00:00.999+";
    QTest::newRow("past at start: not caught up") << "12:00:00"
        << "R 2026-01-08T12:00:01.000- 12:00:02.000- 23:00:00.000- 2026-01-09T12:00:00.100+";
    QTest::newRow("once per day, restarts, clock set back") << "12:00:00"
        << "R 2026-01-12T12:00:00.200+ R 12:00:00.700- 11:59:58.000- 12:00:00.010- 2026-01-13T12:00:00.010+";
    QTest::newRow("across midnight") << "23:59:59"
        << "R 2026-02-01T23:59:58.600- 2026-02-02T00:00:00.100+ 00:00:01.100-";
    QTest::newRow("at midnight") << "00:00:00" << "R 2026-02-02T23:59:59.500- 2026-02-03T00:00:00.500+";
    QTest::newRow("unreadable time") << "25:00:00"
        << "R 2026-02-10T00:00:00.000- 06:00:00.000- 12:00:00.000- 23:59:59.999- 2026-02-11T00:00:00.000-";
    // The clocks skip 02:00 to 03:00 on 31 March 2024: the report goes at the change.
    QTest::newRow("skipped by the clocks") << "02:30:00"
        << "CET R 2024-03-31T01:59:59.500- 03:00:00.500+ 03:30:00.500- 2024-04-01T02:30:00.100+";
    QTest::newRow("skipped, its first second") << "02:00:00" << "CET R 2024-03-31T01:59:59.600- 03:00:00.100+";
}

void TestServiceEMail::dailyTick()
{
    QFETCH(QString, dailyTime);
    QFETCH(QString, steps);
    Settings::instance()->setSettings(Settings::EMailDailyTime, dailyTime);
    service()->onSettingsChanged();

    QDate day;
    QScopedPointer<TestEnvironment::CentralEuropeanTime> zone(
        steps.startsWith(QLatin1String("CET ")) ? new TestEnvironment::CentralEuropeanTime : nullptr);
    for (QString step : steps.mid(zone ? 4 : 0).split(QLatin1Char(' '))) {
        if (step == QLatin1String("R")) {
            restartTimer();
            continue;
        }
        const bool expected = step.endsWith(QLatin1Char('+'));
        step.chop(1);
        if (step.contains(QLatin1Char('T')))
            day = QDate::fromString(step.section(QLatin1Char('T'), 0, 0), Qt::ISODate);
        const QTime time = QTime::fromString(step.section(QLatin1Char('T'), -1), QStringLiteral("hh:mm:ss.zzz"));
        QVERIFY(day.isValid() && time.isValid());
        Clock::setNow(QDateTime(day, time));
        service()->onTimerTimeout();
        QTRY_VERIFY(!priv()->reportBook->isRunning());
        QVERIFY2(QFile::remove(workbookPath()) == expected, qPrintable(step));
    }
}

QJsonObject TestServiceEMail::reportAt(const QDateTime &now, ReceivedMail *mail, const QDateTime &before)
{
    SmtpServerHarness server;
    service()->setServerPort(server.start());
    restartTimer();
    if (before.isValid()) {
        Clock::setNow(before);
        service()->onTimerTimeout();
    }
    Clock::setNow(now);
    service()->onTimerTimeout();
    if (!server.waitForMails(1) || server.mails().at(0).attachments.size() != 1)
        return QJsonObject();
    if (mail)
        *mail = server.mails().at(0);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("attached.xlsx")));
    if (!file.open(QIODevice::WriteOnly) || file.write(server.mails().at(0).attachments.at(0).data) < 0)
        return QJsonObject();
    file.close();
    const QJsonArray sheets = XlsxReader::read(file.fileName()).value(QStringLiteral("sheets")).toArray();
    return sheets.size() == 1 ? sheets.at(0).toObject() : QJsonObject();
}

void TestServiceEMail::reportCarriesYesterdaysReadings()
{
    service()->setEnable(false); // the report does not depend on the alarm mails
    QVERIFY(QSqlQuery().exec(QStringLiteral(
        "insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, battVol, temperature) values"
        "('2026-03-12 23:59:59', 1, 1, 1, 1, 1, 1), ('2026-03-13 00:00:00', 13.65, 230.04, 37, 49.96, 13.65, 25.26),"
        "('2026-03-13 12:30:00', 221.0, 219.96, 0, 50.0, 27.1, -3.0), ('2026-03-13 23:59:59', 0, 0, 100, 0, 0, 0),"
        "('2026-03-14 00:00:00', 2, 2, 2, 2, 2, 2)")));

    ReceivedMail mail;
    const QJsonObject sheet = reportAt(QDateTime(QDate(2026, 3, 14), QTime(12, 0, 0)), &mail);
    QCOMPARE(mail.subject, QStringLiteral("Daily Report"));
    QCOMPARE(mail.rcptTos, kReceivers);
    QVERIFY(mail.body.startsWith(QLatin1String("UPS daily report.")));
    QCOMPARE(mail.attachments.at(0).fileName, QStringLiteral("record.xlsx"));
    QCOMPARE(mail.attachments.at(0).contentType, QStringLiteral("application/octet-stream"));

    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 4);
    QCOMPARE(sheet.value(QStringLiteral("maxColumn")).toInt(), 7);
    for (const QJsonValue &width : sheet.value(QStringLiteral("widths")).toObject())
        QVERIFY2(width.toDouble() >= 20.0 && width.toDouble() < 21.0, qPrintable(QString::number(width.toDouble())));
    const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
    for (const QJsonValue &row : rows) {
        for (const QJsonValue &value : row.toArray()) {
            const QJsonObject cell = value.toObject();
            QCOMPARE(cell.value(QStringLiteral("horizontal")).toString(), QStringLiteral("center"));
            QCOMPARE(cell.value(QStringLiteral("vertical")).toString(), QStringLiteral("center"));
            QVERIFY(cell.value(QStringLiteral("fill")).isNull());
            QCOMPARE(cell.value(QStringLiteral("border")).toArray(), QJsonArray({{}, {}, {}, {}}));
        }
    }
    QCOMPARE(rowValues(rows, 0), (QVariantList{"Date", "Input Voltage(V)", "Output Voltage(V)", "UPS Load(%)",
                                               "Input Frequency(Hz)", "Battery voltage(V)",
                                               QString::fromUtf8("Temperature(℃)")}));
    QCOMPARE(rowValues(rows, 1), (QVariantList{"2026-03-13 00:00:00", "13.6", "230.0", 37, "50.0", "13.65", "25.3"}));
    QCOMPARE(rowValues(rows, 2), (QVariantList{"2026-03-13 12:30:00", "221.0", "220.0", 0, "50.0", "27.10", "-3.0"}));
    QCOMPARE(rowValues(rows, 3), (QVariantList{"2026-03-13 23:59:59", "0.0", "0.0", 100, "0.0", "0.00", "0.0"}));
}

void TestServiceEMail::lateTickReportsTheDayItWasDue()
{
    // Due at 23:59:59 on the 13th, sent by a tick after midnight: the 12th's readings.
    service()->setDailyHour(23);
    service()->setDailyMinute(59);
    service()->setDailySecond(59);
    QVERIFY(QSqlQuery().exec(QStringLiteral(
        "insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, battVol, temperature) values"
        "('2026-03-12 08:00:00', 12, 12, 12, 12, 12, 12), ('2026-03-13 08:00:00', 13, 13, 13, 13, 13, 13)")));
    const QJsonObject sheet = reportAt(QDateTime(QDate(2026, 3, 14), QTime(0, 0, 0, 100)), nullptr,
                                       QDateTime(QDate(2026, 3, 13), QTime(23, 59, 58, 600)));
    const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rowValues(rows, 1).value(0), QVariant("2026-03-12 08:00:00"));
}

void TestServiceEMail::dayWithoutReadings()
{
    QVERIFY(QSqlQuery().exec(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, "
                                            "battVol, temperature) values('2026-03-21 08:00:00', 2, 2, 2, 2, 2, 2)")));
    const QJsonObject sheet = reportAt(QDateTime(QDate(2026, 3, 21), QTime(12, 0, 0)));
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 1);
    QCOMPARE(sheet.value(QStringLiteral("rows")).toArray().at(0).toArray().size(), 7);
}

AMBREL_TEST_MAIN(TestServiceEMail)
#include "tst_serviceemail.moc"
