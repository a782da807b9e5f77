#include "filesizelimit.h"
#include "records/settings.h"
#include "teststore.h"
#include "uidriver.h"
#include "xlsxreader.h"

#include <QApplication>
#include <QJsonArray>
#include <QSqlQuery>
#include <QTemporaryDir>

// The history page of the real main window over a real database, real
// self-test record files and a real shutdown log.
class TestHistoryPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void searchShowsRangeNewestFirst_data();
    void searchShowsRangeNewestFirst();
    void chartTakesTheSelfTestRecord();
    void secondClickClosesTheCalendar();
    void exportIsReadBack_data();
    void exportIsReadBack();
    void failedExportIsToldAndKeepsTheEarlierFile();
    void closedRecordsShowTheShutdownLog();

private:
    bool search(int tab, const QDate &start, const QDate &end);
    bool clickSelfTestRow(int row);
    bool exportTo(const QString &path);
    QStringList shownDates(const char *view) const;

    QScopedPointer<UiDriver> ui;
    QTemporaryDir files;
};

static const char *const kViews[] = {"tableDevData", "tableAlarm", "treeClosedRecords", "tableSelfTest"};

static void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestHistoryPage::initTestCase()
{
    const QString dataDir = TestStore::open();
    Startup::makeDataDirs();
    QSqlQuery query;
    for (const char *row : {"'2024-05-01 10:00:00', 13.65, 229.5, 23, 50.0, 27.25, 31.5",
                            "'2024-05-02 09:30:00', 231.0, 230.0, 40, 49.9, 26.5, 30.0",
                            "'2024-05-04 08:00:00', 232.0, 231.0, 41, 50.1, 26.0, 29.0"})
        QVERIFY(query.exec(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                          "inputFreq, battVol, temperature) values(%1)").arg(row)));
    for (const char *row : {"'2024-05-01 11:00:00', 2", "'2024-05-02 12:00:00', 3"})
        QVERIFY(query.exec(QStringLiteral("insert into alarm(dateTime, alarm) values(%1)").arg(row)));
    // The test of 3 May has no record file.
    for (const char *row : {"'2024-05-01 07:00:00', 0, 0", "'2024-05-02 08:00:00', 10, 3", "'2024-05-03 08:00:00', 5, 1"})
        QVERIFY(query.exec(QStringLiteral("insert into log_self_test(dateTime, duration, count) values(%1)").arg(row)));
    writeFile(dataDir + "/data/self_test/20240502080000.txt", "0,20,100\r\n5,21,99\r\n10,22,98\r\n");
    writeFile(dataDir + "/data/self_test/20240501070000.txt", "");
    writeFile(dataDir + "/data/shutdown.log", R"({"Editor": ["notes.txt", "todo.txt"], "Browser": ["News"]})");

    ui.reset(new UiDriver);
    QVERIFY(ui->ready);
    QVERIFY(ui->click("footerHistory"));
}

void TestHistoryPage::cleanup()
{
    QVERIFY2(ui->warnings().isEmpty(), qPrintable(ui->warnings().join('\n')));
}

bool TestHistoryPage::search(int tab, const QDate &start, const QDate &end)
{
    if (!ui->click(QByteArray("logTab" + QByteArray::number(tab))))
        return false;
    ui->item("dateStart")->setProperty("date", QDateTime(start, QTime(0, 0)));
    ui->item("dateEnd")->setProperty("date", QDateTime(end, QTime(0, 0)));
    return ui->click("btnSearch");
}

// Clicks a row of the self-test table.
bool TestHistoryPage::clickSelfTestRow(int row)
{
    QQuickItem *table = ui->item("tableSelfTest");
    int y = 0;
    for (QVariant found(-1); found.toInt() != row && y < table->height(); y += 2)
        QMetaObject::invokeMethod(table, "rowAt", Q_RETURN_ARG(QVariant, found), Q_ARG(QVariant, 10), Q_ARG(QVariant, y));
    if (y >= table->height())
        return false;
    QTest::mouseClick(&ui->view(), Qt::LeftButton, Qt::NoModifier, table->mapToScene(QPointF(20, y)).toPoint());
    return true;
}

// The file dialog's choice on the current tab.
bool TestHistoryPage::exportTo(const QString &path)
{
    return QMetaObject::invokeMethod(ui->item("mainPanelLogData"), "exportTo",
                                     Q_ARG(QVariant, QUrl::fromLocalFile(path)));
}

QStringList TestHistoryPage::shownDates(const char *view) const
{
    auto *model = ui->item(view)->property("model").value<QAbstractItemModel *>();
    const int role = model->roleNames().key("dateTime");
    QStringList dates;
    for (int row = 0; row < model->rowCount(); ++row)
        dates << model->data(model->index(row, 0), role).toString();
    return dates;
}

void TestHistoryPage::searchShowsRangeNewestFirst_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("dates");

    const QDate may1(2024, 5, 1), may2(2024, 5, 2), may4(2024, 5, 4);
    QTest::newRow("data") << 0 << may1 << may2
                          << QStringList{"2024-05-02 09:30:00", "2024-05-01 10:00:00"};
    QTest::newRow("data, one day") << 0 << may4 << may4 << QStringList{"2024-05-04 08:00:00"};
    QTest::newRow("data, start after end") << 0 << may2 << may1 << QStringList();
    QTest::newRow("alarm") << 1 << may1 << may4
                           << QStringList{"2024-05-02 12:00:00", "2024-05-01 11:00:00"};
    QTest::newRow("alarm, start after end") << 1 << may4 << may1 << QStringList();
    QTest::newRow("self-test") << 3 << may1 << may2
                               << QStringList{"2024-05-02 08:00:00", "2024-05-01 07:00:00"};
}

void TestHistoryPage::searchShowsRangeNewestFirst()
{
    QFETCH(int, tab);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QStringList, dates);
    QVERIFY(search(tab, start, end));
    QCOMPARE(shownDates(kViews[tab]), dates);
    QCOMPARE(ui->item(kViews[tab])->property("rowCount").toInt(), dates.size());
}

void TestHistoryPage::chartTakesTheSelfTestRecord()
{
    QVERIFY(search(3, QDate(2024, 5, 1), QDate(2024, 5, 2)));
    // The newest test's record is drawn at once.
    QObject *view = ui->object("logSelfTest");
    QObject *load = view->property("seriesLoad").value<QObject *>();
    QObject *capacity = view->property("seriesBattCap").value<QObject *>();
    QTRY_COMPARE(load->property("count").toInt(), 3);
    QPointF point;
    QMetaObject::invokeMethod(load, "at", Q_RETURN_ARG(QPointF, point), Q_ARG(int, 2));
    QCOMPARE(point, QPointF(10, 22));
    QMetaObject::invokeMethod(capacity, "at", Q_RETURN_ARG(QPointF, point), Q_ARG(int, 1));
    QCOMPARE(point, QPointF(5, 99));
    QCOMPARE(view->property("chartEnd").toReal(), 10.0);

    // A click on the older test, whose record has no lines, empties the chart.
    QVERIFY(clickSelfTestRow(1));
    QTRY_COMPARE(load->property("count").toInt(), 0);
    QCOMPARE(capacity->property("count").toInt(), 0);

    // Nothing of a test stays drawn for a search without tests, nor for a
    // test whose record file is missing.
    QVERIFY(clickSelfTestRow(0));
    QTRY_COMPARE(load->property("count").toInt(), 3);
    QVERIFY(search(3, QDate(2024, 6, 1), QDate(2024, 6, 2)));
    QTRY_COMPARE(load->property("count").toInt() + capacity->property("count").toInt(), 0);
    QVERIFY(search(3, QDate(2024, 5, 2), QDate(2024, 5, 3)));
    QVERIFY(clickSelfTestRow(1));
    QTRY_COMPARE(load->property("count").toInt(), 3);
    QVERIFY(clickSelfTestRow(0));
    QTRY_COMPARE(load->property("count").toInt() + capacity->property("count").toInt(), 0);
}

void TestHistoryPage::secondClickClosesTheCalendar()
{
    QVERIFY(ui->click("logTab0"));
    QQuickItem *field = ui->item("dateStart");
    QObject *calendar = field->findChild<QObject *>("calendarPopup");
    QVERIFY(calendar);
    QVERIFY(ui->click(field));
    QTRY_VERIFY(calendar->property("opened").toBool());
    QVERIFY(ui->click(field));
    QTRY_VERIFY(!calendar->property("visible").toBool());
}

void TestHistoryPage::exportIsReadBack_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("firstRow");
    QTest::newRow("data") << 0
                          << QStringList{"Date", "Input Voltage(V)", "Output Voltage(V)", "UPS Load(%)",
                                         "Input Frequency(Hz)", "Battery voltage(V)", "Temperature(℃)"}
                          << QStringList{"2024-05-02 09:30:00", "231.0", "230.0", "40", "49.9", "26.50", "30.0"};
    QTest::newRow("alarm") << 1 << QStringList{"Date", "Alarm"}
                           << QStringList{"2024-05-02 12:00:00", "Input voltage returns to normal"};
}

void TestHistoryPage::exportIsReadBack()
{
    QFETCH(int, tab);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, firstRow);
    QVERIFY(search(tab, QDate(2024, 5, 1), QDate(2024, 5, 2)));
    const QString path = files.filePath(QStringLiteral("history %1.xlsx").arg(tab));
    // The page waits for the export, which cannot read the store while the
    // main thread's connection holds it.
    QVERIFY(QSqlQuery().exec(QStringLiteral("begin exclusive")));
    QVERIFY(exportTo(path));
    QVERIFY(ui->item("busyExport")->property("running").toBool() && !ui->item("btnHistoryExport")->isEnabled());
    QVERIFY(QSqlQuery().exec(QStringLiteral("commit")));
    QVERIFY(ui->answer("msgExportFinished", true));
    QVERIFY(!ui->item("busyExport")->property("running").toBool());

    QString error;
    const QJsonObject sheet = XlsxReader::read(path, &error).value("sheets").toArray().first().toObject();
    const QJsonArray rows = sheet.value("rows").toArray();
    QVERIFY2(rows.size() == 3, qPrintable(error));
    auto texts = [](const QJsonValue &row) {
        QStringList cells;
        for (const QJsonValue &cell : row.toArray())
            cells << cell.toObject().value("value").toVariant().toString();
        return cells;
    };
    QCOMPARE(texts(rows[0]), headers);
    QCOMPARE(texts(rows[1]), firstRow);
}

void TestHistoryPage::failedExportIsToldAndKeepsTheEarlierFile()
{
    QVERIFY(search(0, QDate(2024, 5, 1), QDate(2024, 5, 2)));
    const QString path = files.filePath(QStringLiteral("earlier.xlsx"));
    writeFile(path, "the earlier export");
    {
        FileSizeLimit diskFull(1024);
        QVERIFY(exportTo(path));
        QVERIFY(ui->answer("msgExportFailed", true));
    }
    QCOMPARE(ui->object("msgExportFailed")->property("textMsg").toString(), QStringLiteral("Operation failed!"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the earlier export"));
}

void TestHistoryPage::closedRecordsShowTheShutdownLog()
{
    // The tab has no dates, search or export.
    QVERIFY(ui->click("logTab2"));
    QVERIFY(!ui->item("dateStart")->isVisible() && !ui->item("btnHistoryExport")->isVisible());
    auto *model = ui->item("treeClosedRecords")->property("model").value<QAbstractItemModel *>();
    QCOMPARE(model->rowCount(), 2);
    const QModelIndex browser = model->index(0, 0);
    QCOMPARE(model->data(browser, 257).toString(), QStringLiteral("Browser"));
    QCOMPARE(model->rowCount(model->index(1, 0)), 2);
    QCOMPARE(model->data(model->index(1, 0, model->index(1, 0)), 258).toString(), QStringLiteral("todo.txt"));
}

AMBREL_TEST_MAIN_WITH(QApplication, TestHistoryPage)
#include "tst_historypage.moc"
