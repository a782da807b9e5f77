// The alarm list and the e-mail service as the service program builds them.

#include "alarm/alarm.h"
#include "records/clock.h"
#include "records/database.h"
#include "email/serviceemail.h"
#include "email/serviceemail_p.h"
#include "email/tablemodeldevdata.h"
#include "records/settings.h"
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

    void dailyTimerAlarmMailsAndReport();
    void reportColumnTextWithoutHistoryModels();

private:
    void writeSetting(const QString &key, const QVariant &value);

    SmtpServerHarness m_server;
    QString m_configPath;
};

void TestServiceMail::writeSetting(const QString &key, const QVariant &value)
{
    QSettings file(m_configPath, QSettings::IniFormat);
    file.setValue(QStringLiteral("email/") + key, value);
    file.sync();
    Settings::instance()->load();
}

void TestServiceMail::initTestCase()
{
    m_configPath = TestEnvironment::makeDataDirs() + QStringLiteral("/cfg/config.cfg");
    const quint16 port = m_server.start();
    QVERIFY(port);

    // The service cannot write settings: they come from the file.
    writeSetting(QStringLiteral("enable"), true);
    writeSetting(QStringLiteral("dailyEnable"), true);
    writeSetting(QStringLiteral("serverAddr"), QStringLiteral("127.0.0.1"));
    writeSetting(QStringLiteral("serverPort"), port);
    writeSetting(QStringLiteral("userName"), QStringLiteral("Ambrel UPS"));
    writeSetting(QStringLiteral("userAddr"), QStringLiteral("ups@example.com"));
    Database::instance()->createTables();
    QSqlQuery(QStringLiteral("insert into email_user(user) values('ops@example.com')"));
}

void TestServiceMail::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestServiceMail::dailyTimerAlarmMailsAndReport()
{
    // Both switches on in the file: the daily timer runs, and a reload does not stop it.
    ServiceEMail *service = ServiceEMail::instance();
    QTimer *timer = ServiceEMailPrivate::get(service)->timer;
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    writeSetting(QStringLiteral("dailyEnable"), false);
    service->onSettingsChanged();
    QVERIFY(timer->isActive());
    writeSetting(QStringLiteral("dailyEnable"), true);
    service->onSettingsChanged();
    timer->stop();

    Clock::setNow(QDateTime(QDate(2026, 4, 1), QTime(10, 0, 0)));
    Alarm *alarm = Alarm::instance();
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    QVERIFY(alarm->addAlarm(Alarm::MainsFault));
    alarm->delAlarm(Alarm::MainsFault);
    alarm->addEvent(Alarm::MainsNormal);
    QVERIFY2(m_server.waitForMails(2), qPrintable(m_server.serverLog()));
    // Each mail has its own connection, so they may arrive in either order.
    QStringList bodies;
    for (const ReceivedMail &mail : m_server.mails()) {
        QCOMPARE(mail.subject, QStringLiteral("UPS Alarm"));
        QCOMPARE(mail.rcptTos, QStringList{QStringLiteral("ops@example.com")});
        bodies.append(mail.body.section(QLatin1Char('\r'), 0, 0));
    }
    bodies.sort();
    QCOMPARE(bodies, (QStringList{"Input voltage fault", "Input voltage returns to normal"}));

    QSqlQuery rows(QStringLiteral("select group_concat(alarm) from (select alarm from alarm order by id)"));
    QVERIFY(rows.next());
    QCOMPARE(rows.value(0).toString(), QStringLiteral("%1,%2").arg(Alarm::MainsFault).arg(Alarm::MainsNormal));

    // The event still expires; after that the code is new again.
    Clock::advance(11);
    alarm->onTimerEvent();
    alarm->addEvent(Alarm::MainsNormal);
    QVERIFY(m_server.waitForMails(3));

    QSqlQuery(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, "
                             "battVol, temperature) values('2026-04-01 09:00:00', 13.65, 230, 12, 50, 13.65, 20)"));
    Clock::setNow(QDateTime(QDate(2026, 4, 2), QTime(12, 0, 0)));
    service->onTimerTimeout();
    QVERIFY(m_server.waitForMails(4));
    const ReceivedMail mail = m_server.mails().at(3);
    QCOMPARE(mail.subject, QStringLiteral("Daily Report"));
    QCOMPARE(mail.attachments.size(), 1);
    QVERIFY(mail.attachments.at(0).data.startsWith("PK")); // a zip container
}

void TestServiceMail::reportColumnTextWithoutHistoryModels()
{
    // No history page in the service: of the readings model only the daily report's column text.
    QCOMPARE(TableModelDevData::staticMetaObject.superClass(), &QObject::staticMetaObject);
    QCOMPARE(TableModelDevData::cellText(6, 13.65), QVariant(QStringLiteral("13.65")));
}

AMBREL_TEST_MAIN(TestServiceMail)
#include "tst_servicemail.moc"
