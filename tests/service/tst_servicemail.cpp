// The alarm list and the e-mail service as the service program builds them.

#include "alarm.h"
#include "clock.h"
#include "database.h"
#include "serviceemail.h"
#include "serviceemail_p.h"
#include "settings.h"
#include "smtpserverharness.h"
#include "testenvironment.h"

#include <QSettings>
#include <QSqlQuery>
#include <QTimer>

class TestServiceMail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void metaObjectsLeaveOutTheUserInterface();
    void dailyTimerStartsWithBothSwitchesOn();
    void alarmRowsAndMails();
    void dailyReport();

private:
    void writeSetting(const QString &key, const QVariant &value);

    SmtpServerHarness m_server;
    QString m_configPath;
};

void TestServiceMail::writeSetting(const QString &key, const QVariant &value)
{
    QSettings file(m_configPath, QSettings::IniFormat);
    file.setValue(key, value);
    file.sync();
}

void TestServiceMail::initTestCase()
{
    const QString dataDir = TestEnvironment::makeDataDirs();
    m_configPath = dataDir + QStringLiteral("/cfg/config.cfg");
    const quint16 port = m_server.start();
    QVERIFY(port);

    // The service cannot write settings: they come from the file.
    writeSetting(QStringLiteral("email/enable"), true);
    writeSetting(QStringLiteral("email/dailyEnable"), true);
    writeSetting(QStringLiteral("email/serverAddr"), QStringLiteral("127.0.0.1"));
    writeSetting(QStringLiteral("email/serverPort"), port);
    writeSetting(QStringLiteral("email/userName"), QStringLiteral("Ambrel UPS"));
    writeSetting(QStringLiteral("email/userAddr"), QStringLiteral("ups@example.com"));
    Settings::instance()->load();
    Database::instance()->createTables();
    QSqlQuery(QStringLiteral("insert into email_user(user) values('ops@example.com')"));
}

void TestServiceMail::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestServiceMail::metaObjectsLeaveOutTheUserInterface()
{
    const QMetaObject &alarm = Alarm::staticMetaObject;
    QCOMPARE(alarm.indexOfProperty("alarmNum"), -1);
    QCOMPARE(alarm.indexOfSignal("alarmNumChanged()"), -1);
    QCOMPARE(alarm.indexOfMethod("allAlarm()"), -1);
    QVERIFY(alarm.indexOfSlot("addAlarm(int)") >= 0);
    QVERIFY(alarm.indexOfEnumerator("AlarmCode") >= 0);

    const QMetaObject &mail = ServiceEMail::staticMetaObject;
    QCOMPARE(mail.propertyCount(), mail.propertyOffset());
    QCOMPARE(mail.indexOfSignal("emailFailed(QString)"), -1);
    QCOMPARE(mail.indexOfMethod("sendTestEMail()"), -1);
    QVERIFY(mail.indexOfSlot("onTimerTimeout()") >= 0);
}

void TestServiceMail::dailyTimerStartsWithBothSwitchesOn()
{
    ServiceEMail *service = ServiceEMail::instance();
    QTimer *timer = ServiceEMailPrivate::get(service)->timer;
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);

    // A reload neither stops nor starts it.
    writeSetting(QStringLiteral("email/dailyEnable"), false);
    Settings::instance()->load();
    service->onSettingsChanged();
    QVERIFY(timer->isActive());
    writeSetting(QStringLiteral("email/dailyEnable"), true);
    Settings::instance()->load();
    service->onSettingsChanged();
}

void TestServiceMail::alarmRowsAndMails()
{
    Clock::setNow(QDateTime(QDate(2026, 4, 1), QTime(10, 0, 0)));
    Alarm *alarm = Alarm::instance();
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    alarm->delAlarm(Alarm::MainsFault);
    alarm->addEvent(Alarm::MainsNormal);
    QVERIFY2(m_server.waitForMails(2), qPrintable(m_server.serverLog()));

    QCOMPARE(m_server.mails().at(0).subject, QStringLiteral("UPS Alarm"));
    QVERIFY(m_server.mails().at(0).body.startsWith(QLatin1String("Input voltage fault")));
    QVERIFY(m_server.mails().at(1).body.startsWith(QLatin1String("Input voltage returns to normal")));
    QCOMPARE(m_server.mails().at(0).rcptTos, QStringList{QStringLiteral("ops@example.com")});

    QSqlQuery rows(QStringLiteral("select alarm from alarm order by id"));
    QList<int> codes;
    while (rows.next())
        codes.append(rows.value(0).toInt());
    QCOMPARE(codes, (QList<int>{Alarm::MainsFault, Alarm::MainsNormal}));

    // The event still expires; after that the code is new again.
    Clock::advance(11);
    alarm->onTimerEvent();
    alarm->addEvent(Alarm::MainsNormal);
    QVERIFY(m_server.waitForMails(3));
}

void TestServiceMail::dailyReport()
{
    const int before = m_server.mails().size();
    QSqlQuery(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, "
                             "battVol, temperature) values('2026-04-01 09:00:00', 13.65, 230, 12, "
                             "50, 13.65, 20)"));
    ServiceEMailPrivate *d = ServiceEMailPrivate::get(ServiceEMail::instance());
    d->timer->stop();
    Clock::setNow(QDateTime(QDate(2026, 4, 2), QTime(12, 0, 0)));
    ServiceEMail::instance()->onTimerTimeout();
    QVERIFY(m_server.waitForMails(before + 1));
    const ReceivedMail mail = m_server.mails().at(before);
    QCOMPARE(mail.subject, QStringLiteral("Daily Report"));
    QCOMPARE(mail.attachments.size(), 1);
    QVERIFY(mail.attachments.at(0).data.startsWith("PK")); // a zip container
}

AMBREL_TEST_MAIN(TestServiceMail)
#include "tst_servicemail.moc"
