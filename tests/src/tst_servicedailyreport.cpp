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

// Values in the order dateTime, inputVol, outputVol, load, inputFreq, battVol, temperature.
void insertReading(const QString &values)
{
    QSqlQuery query;
    QVERIFY2(query.exec(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                       "inputFreq, battVol, temperature) values(%1)").arg(values)),
             qPrintable(values));
}

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

QVariantList rowValues(const QJsonArray &rows, int row)
{
    QVariantList list;
    for (const QJsonValue &cell : rows.at(row).toArray())
        list.append(cell.toObject().value(QStringLiteral("value")).toVariant());
    return list;
}

} // namespace

class TestServiceDailyReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void dailyTick_data();
    void dailyTick();
    void noReceiversNoWorkbook();
    void reportCarriesYesterdaysReadings();
    void dayWithoutReadings();

private:
    ServiceEMail *service() const { return ServiceEMail::instance(); }
    // Starts the daily timer anew and takes its ticks into the test's hands.
    void restartTimer();
    // Sends the report of `now` to a real server; the workbook attached, read back.
    QJsonObject reportAt(const QDateTime &now, ReceivedMail *mail = nullptr);
};

void TestServiceDailyReport::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
    service()->setServerAddress(QStringLiteral("127.0.0.1"));
    service()->setSenderName(QStringLiteral("Ambrel UPS"));
    service()->setSenderAddress(QStringLiteral("ups@example.com"));
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
    QTimer *timer = ServiceEMailPrivate::get(service())->timer;
    QVERIFY(timer->isActive());
    timer->stop();
}

void TestServiceDailyReport::dailyTick_data()
{
    // Steps: "R" restarts the timer; "<time>+" ticks then and expects a report,
    // "<time>-" expects none. A time without a date keeps the date before it.
    QTest::addColumn<QString>("dailyTime");
    QTest::addColumn<QString>("steps");
    QTest::newRow("only in the daily second") << "12:00:00"
        << "R 2026-01-05T11:59:59.400- 12:00:00.400+ 12:00:01.400- 12:00:02.400- 18:00:00.000-";
    QTest::newRow("tick stepped over it") << "12:00:00"
        << "R 2026-01-06T11:59:59.900- 12:00:01.050+ 12:00:02.050-";
    QTest::newRow("first tick within it") << "12:00:00" << "R 2026-01-07T12:00:00.999+";
    QTest::newRow("past at start: not caught up") << "12:00:00"
        << "R 2026-01-08T12:00:01.000- 12:00:02.000- 23:00:00.000- 2026-01-09T12:00:00.100+";
    QTest::newRow("once per day, restarts and clock set back") << "12:00:00"
        << "R 2026-01-12T12:00:00.200+ R 12:00:00.700- 11:59:58.000- 12:00:00.010- 2026-01-13T12:00:00.010+";
    QTest::newRow("across midnight") << "23:59:59"
        << "R 2026-02-01T23:59:58.600- 2026-02-02T00:00:00.100+ 00:00:01.100-";
    QTest::newRow("at midnight") << "00:00:00" << "R 2026-02-02T23:59:59.500- 2026-02-03T00:00:00.500+";
    QTest::newRow("unreadable time") << "25:00:00"
        << "R 2026-02-10T00:00:00.000- 06:00:00.000- 12:00:00.000- 23:59:59.999- 2026-02-11T00:00:00.000-";
}

void TestServiceDailyReport::dailyTick()
{
    QFETCH(QString, dailyTime);
    QFETCH(QString, steps);
    Settings::instance()->setSettings(Settings::EMailDailyTime, dailyTime);
    service()->onSettingsChanged();

    QDate day;
    for (QString step : steps.split(QLatin1Char(' '))) {
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
        QVERIFY2(QFile::remove(workbookPath()) == expected, qPrintable(step));
    }
}

void TestServiceDailyReport::noReceiversNoWorkbook()
{
    service()->userModel()->clearUsers();
    restartTimer();
    Clock::setNow(QDateTime(QDate(2026, 2, 11), QTime(12, 0, 0)));
    service()->onTimerTimeout();
    QVERIFY(!QFile::exists(workbookPath()));
}

QJsonObject TestServiceDailyReport::reportAt(const QDateTime &now, ReceivedMail *mail)
{
    SmtpServerHarness server;
    service()->setServerPort(server.start());
    restartTimer();
    Clock::setNow(now);
    service()->onTimerTimeout();
    if (!server.waitForMails(1) || server.mails().at(0).attachments.size() != 1) {
        qWarning() << server.serverLog();
        return QJsonObject();
    }
    if (mail)
        *mail = server.mails().at(0);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("attached.xlsx")));
    if (!file.open(QIODevice::WriteOnly))
        return QJsonObject();
    file.write(server.mails().at(0).attachments.at(0).data);
    file.close();
    QString error;
    const QJsonObject book = XlsxReader::read(file.fileName(), &error);
    if (book.isEmpty())
        qWarning() << error;
    const QJsonArray sheets = book.value(QStringLiteral("sheets")).toArray();
    return sheets.size() == 1 ? sheets.at(0).toObject() : QJsonObject();
}

void TestServiceDailyReport::reportCarriesYesterdaysReadings()
{
    service()->setEnable(false); // the report does not depend on the alarm mails
    insertReading(QStringLiteral("'2026-03-12 23:59:59', 1, 1, 1, 1, 1, 1"));
    insertReading(QStringLiteral("'2026-03-13 00:00:00', 13.65, 230.04, 37, 49.96, 13.65, 25.26"));
    insertReading(QStringLiteral("'2026-03-13 12:30:00', 221.0, 219.96, 0, 50.0, 27.1, -3.0"));
    insertReading(QStringLiteral("'2026-03-13 23:59:59', 0, 0, 100, 0, 0, 0"));
    insertReading(QStringLiteral("'2026-03-14 00:00:00', 2, 2, 2, 2, 2, 2"));

    ReceivedMail mail;
    const QJsonObject sheet = reportAt(QDateTime(QDate(2026, 3, 14), QTime(12, 0, 0)), &mail);
    QCOMPARE(mail.subject, QStringLiteral("Daily Report"));
    QCOMPARE(mail.rcptTos, QStringList{QStringLiteral("ops@example.com")});
    QVERIFY(mail.body.startsWith(QLatin1String("UPS daily report.")));
    QCOMPARE(mail.attachments.at(0).fileName, QStringLiteral("record.xlsx"));
    QCOMPARE(mail.attachments.at(0).contentType, QStringLiteral("application/octet-stream"));

    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 4);
    QCOMPARE(sheet.value(QStringLiteral("maxColumn")).toInt(), 7);
    const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
    for (int column = 1; column <= 7; ++column) {
        const double width = widths.value(QString::number(column)).toDouble();
        QVERIFY2(width >= 20.0 && width < 21.0, qPrintable(QString::number(width)));
    }

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
    QCOMPARE(rowValues(rows, 3).value(0).toString(), QStringLiteral("2026-03-13 23:59:59"));
    QCOMPARE(rowValues(rows, 3).value(3).toInt(), 100);
}

void TestServiceDailyReport::dayWithoutReadings()
{
    insertReading(QStringLiteral("'2026-03-21 08:00:00', 2, 2, 2, 2, 2, 2"));
    const QJsonObject sheet = reportAt(QDateTime(QDate(2026, 3, 21), QTime(12, 0, 0)));
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 1);
    QCOMPARE(sheet.value(QStringLiteral("rows")).toArray().at(0).toArray().size(), 7);
}

AMBREL_TEST_MAIN(TestServiceDailyReport)
#include "tst_servicedailyreport.moc"
