#include "clock.h"
#include "database.h"
#include "listmodelemailuser.h"
#include "serviceemail.h"
#include "serviceemail_p.h"
#include "settings.h"
#include "smtpserverharness.h"
#include "testenvironment.h"
#include "xlsxreader.h"

#include <QJsonArray>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QString workbookPath()
{
    return Settings::instance()->dataDir() + QStringLiteral("/record.xlsx");
}

QDateTime at(const QDate &day, int h, int m, int s, int ms = 0)
{
    return QDateTime(day, QTime(h, m, s, ms));
}

void insertReading(const QString &dateTime, double inputVol, double outputVol, int load,
                   double inputFreq, double battVol, double temperature)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                 "inputFreq, battVol, temperature) values(?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {QVariant(dateTime), QVariant(inputVol), QVariant(outputVol),
                                  QVariant(load), QVariant(inputFreq), QVariant(battVol),
                                  QVariant(temperature)})
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(dateTime));
}

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

} // namespace

class TestServiceDailyReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void sendsOnlyInTheDailySecond();
    void lateTickStillSends();
    void firstTickAfterStart();
    void oncePerDay();
    void aroundMidnight();
    void unreadableTimeSendsNothing();
    void noReceiversNoWorkbook();

    void reportCarriesYesterdaysReadings();
    void dayWithoutReadings();

private:
    ServiceEMail *service() const { return ServiceEMail::instance(); }
    ServiceEMailPrivate *priv() const { return ServiceEMailPrivate::get(ServiceEMail::instance()); }
    // Starts the daily timer anew and takes its ticks into the test's hands.
    void restartTimer();
    // Ticks at the given time; true when a report was made.
    bool tickAt(const QDateTime &time);
    QJsonObject readAttachment(const ReceivedMail &mail);
};

void TestServiceDailyReport::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
    service()->setServerAddress(QStringLiteral("127.0.0.1"));
    service()->setSenderName(QStringLiteral("Ambrel UPS"));
    service()->setSenderAddress(QStringLiteral("ups@example.com"));
    service()->setDailyHour(12);
    service()->setDailyMinute(0);
    service()->setDailySecond(0);
}

void TestServiceDailyReport::init()
{
    service()->setServerPort(closedPort());
    service()->setEnable(true);
    service()->setDailyHour(12);
    service()->setDailyMinute(0);
    service()->setDailySecond(0);
    ListModelEMailUser *model = service()->userModel();
    model->clearUsers();
    model->addUser(QStringLiteral("ops@example.com"));
    QSqlQuery(QStringLiteral("delete from device_data"));
    QFile::remove(workbookPath());
}

void TestServiceDailyReport::cleanupTestCase()
{
    service()->setDailyEnable(false);
    Clock::setNow(QDateTime());
}

void TestServiceDailyReport::restartTimer()
{
    service()->setDailyEnable(false);
    service()->setDailyEnable(true);
    QVERIFY(priv()->timer->isActive());
    priv()->timer->stop();
}

bool TestServiceDailyReport::tickAt(const QDateTime &time)
{
    Clock::setNow(time);
    service()->onTimerTimeout();
    return QFile::remove(workbookPath());
}

QJsonObject TestServiceDailyReport::readAttachment(const ReceivedMail &mail)
{
    if (mail.attachments.size() != 1)
        return QJsonObject();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attached.xlsx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QJsonObject();
    file.write(mail.attachments.at(0).data);
    file.close();
    QString error;
    const QJsonObject book = XlsxReader::read(path, &error);
    if (book.isEmpty())
        qWarning() << error;
    return book;
}

void TestServiceDailyReport::sendsOnlyInTheDailySecond()
{
    const QDate day(2026, 1, 5);
    restartTimer();
    QVERIFY(!tickAt(at(day, 11, 59, 59, 400)));
    QVERIFY(tickAt(at(day, 12, 0, 0, 400)));
    QVERIFY(!tickAt(at(day, 12, 0, 1, 400)));
    QVERIFY(!tickAt(at(day, 12, 0, 2, 400)));
    QVERIFY(!tickAt(at(day, 18, 0, 0, 0)));
}

void TestServiceDailyReport::lateTickStillSends()
{
    // The timer stepped over 12:00:00 entirely.
    const QDate day(2026, 1, 6);
    restartTimer();
    QVERIFY(!tickAt(at(day, 11, 59, 59, 900)));
    QVERIFY(tickAt(at(day, 12, 0, 1, 50)));
    QVERIFY(!tickAt(at(day, 12, 0, 2, 50)));
}

void TestServiceDailyReport::firstTickAfterStart()
{
    restartTimer();
    QVERIFY(tickAt(at(QDate(2026, 1, 7), 12, 0, 0, 999)));

    // A time already past when the timer starts is not caught up.
    restartTimer();
    const QDate day(2026, 1, 8);
    QVERIFY(!tickAt(at(day, 12, 0, 1, 0)));
    QVERIFY(!tickAt(at(day, 12, 0, 2, 0)));
    QVERIFY(!tickAt(at(day, 23, 0, 0, 0)));
    QVERIFY(tickAt(at(day.addDays(1), 12, 0, 0, 100)));
}

void TestServiceDailyReport::oncePerDay()
{
    const QDate day(2026, 1, 12);
    restartTimer();
    QVERIFY(tickAt(at(day, 12, 0, 0, 200)));
    restartTimer(); // switched off and on within the same second
    QVERIFY(!tickAt(at(day, 12, 0, 0, 700)));
    // The clock goes back over the daily time.
    QVERIFY(!tickAt(at(day, 11, 59, 58, 0)));
    QVERIFY(!tickAt(at(day, 12, 0, 0, 10)));
    QVERIFY(tickAt(at(day.addDays(1), 12, 0, 0, 10)));
}

void TestServiceDailyReport::aroundMidnight()
{
    const QDate day(2026, 2, 1);
    service()->setDailyHour(23);
    service()->setDailyMinute(59);
    service()->setDailySecond(59);
    restartTimer();
    QVERIFY(!tickAt(at(day, 23, 59, 58, 600)));
    QVERIFY(tickAt(at(day.addDays(1), 0, 0, 0, 100))); // the report of 1 February
    QVERIFY(!tickAt(at(day.addDays(1), 0, 0, 1, 100)));

    service()->setDailyHour(0);
    service()->setDailyMinute(0);
    service()->setDailySecond(0);
    QVERIFY(!tickAt(at(day.addDays(1), 23, 59, 59, 500)));
    QVERIFY(tickAt(at(day.addDays(2), 0, 0, 0, 500)));
}

void TestServiceDailyReport::unreadableTimeSendsNothing()
{
    Settings::instance()->setSettings(Settings::EMailDailyTime, QStringLiteral("25:00:00"));
    service()->onSettingsChanged();
    QCOMPARE(service()->dailyHour(), -1);
    restartTimer();
    const QDate day(2026, 2, 10);
    for (int h = 0; h < 24; ++h)
        QVERIFY(!tickAt(at(day, h, 0, 0, 0)));
    QVERIFY(!tickAt(at(day, 0, 0, 0, 0)));
}

void TestServiceDailyReport::noReceiversNoWorkbook()
{
    service()->userModel()->clearUsers();
    restartTimer();
    QVERIFY(!tickAt(at(QDate(2026, 2, 11), 12, 0, 0, 0)));
}

void TestServiceDailyReport::reportCarriesYesterdaysReadings()
{
    SmtpServerHarness server;
    const quint16 port = server.start();
    QVERIFY(port);
    service()->setServerPort(port);
    // The report does not depend on the alarm mails being switched on.
    service()->setEnable(false);

    const QDate today(2026, 3, 14);
    insertReading(QStringLiteral("2026-03-12 23:59:59"), 1, 1, 1, 1, 1, 1);
    insertReading(QStringLiteral("2026-03-13 00:00:00"), 13.65, 230.04, 37, 49.96, 13.65, 25.26);
    insertReading(QStringLiteral("2026-03-13 12:30:00"), 221.0, 219.96, 0, 50.0, 27.1, -3.0);
    insertReading(QStringLiteral("2026-03-13 23:59:59"), 0, 0, 100, 0, 0, 0);
    insertReading(QStringLiteral("2026-03-14 00:00:00"), 2, 2, 2, 2, 2, 2);

    restartTimer();
    Clock::setNow(at(today, 12, 0, 0, 0));
    service()->onTimerTimeout();
    QVERIFY2(server.waitForMails(1), qPrintable(server.serverLog()));

    const ReceivedMail mail = server.mails().at(0);
    QCOMPARE(mail.subject, QStringLiteral("Daily Report"));
    QCOMPARE(mail.rcptTos, QStringList{QStringLiteral("ops@example.com")});
    QVERIFY(mail.body.startsWith(QLatin1String("UPS daily report.")));
    QCOMPARE(mail.attachments.size(), 1);
    QCOMPARE(mail.attachments.at(0).fileName, QStringLiteral("record.xlsx"));
    QCOMPARE(mail.attachments.at(0).contentType, QStringLiteral("application/octet-stream"));

    const QJsonObject book = readAttachment(mail);
    const QJsonArray sheets = book.value(QStringLiteral("sheets")).toArray();
    QCOMPARE(sheets.size(), 1);
    const QJsonObject sheet = sheets.at(0).toObject();
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 4);
    QCOMPARE(sheet.value(QStringLiteral("maxColumn")).toInt(), 7);

    const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
    for (int column = 1; column <= 7; ++column) {
        const double width = widths.value(QString::number(column)).toDouble();
        QVERIFY2(width >= 20.0 && width < 21.0, qPrintable(QString::number(width)));
    }

    const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
    QStringList header;
    for (const QJsonValue &cell : rows.at(0).toArray())
        header.append(cell.toObject().value(QStringLiteral("value")).toString());
    QCOMPARE(header, (QStringList{QStringLiteral("Date"), QStringLiteral("Input Voltage(V)"),
                                  QStringLiteral("Output Voltage(V)"), QStringLiteral("UPS Load(%)"),
                                  QStringLiteral("Input Frequency(Hz)"), QStringLiteral("Battery voltage(V)"),
                                  QString::fromUtf8("Temperature(℃)")}));

    for (const QJsonValue &row : rows) {
        for (const QJsonValue &value : row.toArray()) {
            const QJsonObject cell = value.toObject();
            QCOMPARE(cell.value(QStringLiteral("horizontal")).toString(), QStringLiteral("center"));
            QCOMPARE(cell.value(QStringLiteral("vertical")).toString(), QStringLiteral("center"));
            QVERIFY(cell.value(QStringLiteral("fill")).isNull());
            QCOMPARE(cell.value(QStringLiteral("border")).toArray(), QJsonArray({{}, {}, {}, {}}));
        }
    }

    auto values = [&rows](int row) {
        QVariantList list;
        for (const QJsonValue &cell : rows.at(row).toArray())
            list.append(cell.toObject().value(QStringLiteral("value")).toVariant());
        return list;
    };
    QCOMPARE(values(1), (QVariantList{QStringLiteral("2026-03-13 00:00:00"), QStringLiteral("13.6"),
                                      QStringLiteral("230.0"), 37, QStringLiteral("50.0"),
                                      QStringLiteral("13.65"), QStringLiteral("25.3")}));
    QCOMPARE(values(2), (QVariantList{QStringLiteral("2026-03-13 12:30:00"), QStringLiteral("221.0"),
                                      QStringLiteral("220.0"), 0, QStringLiteral("50.0"),
                                      QStringLiteral("27.10"), QStringLiteral("-3.0")}));
    QCOMPARE(values(3).value(0).toString(), QStringLiteral("2026-03-13 23:59:59"));
    QCOMPARE(values(3).value(3).toInt(), 100);
}

void TestServiceDailyReport::dayWithoutReadings()
{
    SmtpServerHarness server;
    const quint16 port = server.start();
    QVERIFY(port);
    service()->setServerPort(port);
    insertReading(QStringLiteral("2026-03-21 08:00:00"), 2, 2, 2, 2, 2, 2);

    restartTimer();
    Clock::setNow(at(QDate(2026, 3, 21), 12, 0, 0, 0));
    service()->onTimerTimeout();
    QVERIFY2(server.waitForMails(1), qPrintable(server.serverLog()));

    const QJsonObject book = readAttachment(server.mails().at(0));
    const QJsonObject sheet = book.value(QStringLiteral("sheets")).toArray().at(0).toObject();
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 1);
    QCOMPARE(sheet.value(QStringLiteral("rows")).toArray().at(0).toArray().size(), 7);
}

AMBREL_TEST_MAIN(TestServiceDailyReport)
#include "tst_servicedailyreport.moc"
