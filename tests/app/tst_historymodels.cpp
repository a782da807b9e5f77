// The history table models over a real SQLite file, their workbooks read back
// by openpyxl, and the shutdown-log tree over a real shutdown.log.

#include "alarm/alarm.h"
#include "app/tablemodelalarm.h"
#include "app/tablemodelselftest.h"
#include "app/treemodelshutdown.h"
#include "email/tablemodeldevdata.h"
#include "protection/shutdownlog.h"
#include "testenvironment.h"
#include "teststore.h"
#include "xlsxreader.h"

#include <QDir>
#include <QJsonArray>
#include <QLocale>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

namespace {

void insert(const QString &table, const QString &columns, const QVariantList &values)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into %1(%2) values(?%3)").arg(table, columns, QStringLiteral(", ?").repeated(values.size() - 1)));
    for (const QVariant &value : values)
        query.addBindValue(value);
    QVERIFY(query.exec());
}

QStringList column(const QAbstractItemModel &model, int role, const QModelIndex &parent = QModelIndex())
{
    QStringList values;
    for (int row = 0; row < model.rowCount(parent); ++row)
        values << model.data(model.index(row, 0, parent), role).toString();
    return values;
}

// The sheet's rows, each cell as "value" or, with a key, that key of the cell.
QJsonArray sheetRows(const QString &path, QJsonObject *sheet = nullptr)
{
    const QJsonObject first = XlsxReader::read(path).value(QStringLiteral("sheets")).toArray().at(0).toObject();
    if (sheet)
        *sheet = first;
    QJsonArray rows;
    for (const QJsonValue &row : first.value(QStringLiteral("rows")).toArray()) {
        QJsonArray values;
        for (const QJsonValue &cell : row.toArray())
            values.append(cell.toObject().value(QStringLiteral("value")));
        rows.append(values);
    }
    return rows;
}

const char kDevColumns[] = "dateTime, inputVol, outputVol, load, inputFreq, battVol, temperature";

// Exports the model's rows to path; true once they are written.
bool saveAs(HistoryTableModel &model, const QString &path)
{
    QSignalSpy finished(&model, &HistoryTableModel::exportFinished);
    bool started = false;
    QMetaObject::invokeMethod(&model, "saveAs", Q_RETURN_ARG(bool, started), Q_ARG(QUrl, QUrl::fromLocalFile(path)));
    return started && finished.wait(30000) && finished.at(0).at(0).toBool();
}

} // namespace

class TestHistoryModels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void selectDate_data();
    void selectDate();
    void shownTexts();
    void workbooks();
    void exportKeepsTheViewsRowsAndOrder();
    void exportRunsOffTheMainThread();
    void selfTestRecordFile();
    void shutdownLogTree_data();
    void shutdownLogTree();

private:
    QTemporaryDir dir;
    QString dataDir;
    QString familyText;
};

void TestHistoryModels::initTestCase()
{
    dataDir = TestStore::open();
    for (const char *stamp : {"2026-04-30 23:59:59", "2026-05-01 00:00:00", "2026-05-01 23:59:59", "2026-05-02 00:00:00"})
        insert("device_data", kDevColumns, {QString::fromLatin1(stamp), 13.65, 230.04, 37, 49.96, 13.65, 25.26});
    const int family = 0x10000 + 3;
    familyText = Alarm::instance()->alarmText(family);
    QVERIFY(!familyText.isEmpty());
    insert("alarm", "dateTime, alarm", {"2026-05-01 10:00:00", int(Alarm::MainsFault)});
    insert("alarm", "dateTime, alarm", {"2026-05-01 11:00:00", family + 500});
    insert("alarm", "dateTime, alarm", {"2026-05-02 09:00:00", 999}); // a code without a text
    // More rows in one day than a model fetches at once.
    QSqlDatabase::database().transaction();
    for (int i = 0; i < 300; ++i)
        insert("alarm", "dateTime, alarm", {QStringLiteral("2026-06-01 %1:%2:00").arg(i / 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')), 0});
    QSqlDatabase::database().commit();
    insert("log_self_test", "dateTime, duration, count", {"2026-05-01 08:00:00", 3725, 3725});
    insert("log_self_test", "dateTime, duration, count", {"2026-05-01 09:00:00", 360000, 10});
}

void TestHistoryModels::selectDate_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("one day") << "2026-05-01" << "2026-05-01" << QStringList{"2026-05-01 23:59:59", "2026-05-01 00:00:00"};
    QTest::newRow("three days") << "2026-04-30" << "2026-05-02"
                                << QStringList{"2026-05-02 00:00:00", "2026-05-01 23:59:59", "2026-05-01 00:00:00", "2026-04-30 23:59:59"};
    QTest::newRow("end before start") << "2026-05-02" << "2026-05-01" << QStringList();
    QTest::newRow("no such day") << "2026-02-30" << "2026-05-01" << QStringList();
    QTest::newRow("short month") << "2026-4-30" << "2026-05-01" << QStringList();
    QTest::newRow("trailing blank") << "2026-04-30" << "2026-05-01 " << QStringList();
    QTest::newRow("empty") << "" << "" << QStringList();
    QTest::newRow("statement") << "2000-01-01') or 1=1 or ('" << "2026-05-01" << QStringList();
}

void TestHistoryModels::selectDate()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QStringList, dates);
    TableModelDevData model;
    model.selectDate(QStringLiteral("2026-04-30"), QStringLiteral("2026-05-02")); // rows before
    model.selectDate(start, end);
    QCOMPARE(column(model, 256 + 1), dates);
}

void TestHistoryModels::shownTexts()
{
    TableModelDevData data;
    data.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QCOMPARE(data.roleNames().value(256 + 7), QByteArray("temperature"));
    QCOMPARE(column(data, 256 + 2) + column(data, 256 + 6), QStringList({"13.6", "13.6", "13.65", "13.65"}));

    TableModelAlarm alarms;
    alarms.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QCOMPARE(column(alarms, 256 + 2), QStringList({QStringLiteral("Returned from: ") + familyText, "Input voltage fault"}));

    TableModelSelfTest tests;
    tests.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QCOMPARE(column(tests, 256 + 2), QStringList({"100:00:00", "01:02:05"}));
}

void TestHistoryModels::workbooks()
{
    TableModelDevData data;
    data.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    const QString path = dir.filePath(QStringLiteral("readings #1.xlsx")); // as a file dialog's URL
    QVERIFY(saveAs(data, path));
    QJsonObject sheet;
    QJsonArray rows = sheetRows(path, &sheet);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).toArray().last().toString(), QString::fromUtf8("Temperature(℃)"));
    QCOMPARE(rows.at(1).toArray(), QJsonArray({"2026-05-01 23:59:59", "13.6", "230.0", 37, "50.0", "13.65", "25.3"}));
    QVERIFY(qAbs(sheet.value("widths").toObject().value("7").toDouble() - 20.0) < 1.0);
    for (int r : {0, 2}) {
        const QJsonObject cell = sheet.value("rows").toArray().at(r).toArray().at(3).toObject();
        QCOMPARE(cell.value("horizontal").toString() + cell.value("vertical").toString() + cell.value("border").toArray().at(3).toString()
                     + cell.value("fillColor").toString().right(6),
                 QStringLiteral("centercenterthin") + (r == 0 ? "C4D79B" : "FFFFFF"));
    }

    // Every row of the range, not only those a view has fetched.
    TableModelAlarm alarms;
    alarms.selectDate(QStringLiteral("2026-06-01"), QStringLiteral("2026-06-01"));
    QVERIFY(alarms.rowCount() < 300);
    QVERIFY(saveAs(alarms, path));
    rows = sheetRows(path, &sheet);
    QCOMPARE(rows.size(), 301);
    QCOMPARE(rows.at(0).toArray(), QJsonArray({"Date", "Alarm"}));
    QCOMPARE(rows.at(300).toArray(), QJsonArray({"2026-06-01 00:00:00", "Communication lost"}));
    QVERIFY(qAbs(sheet.value("widths").toObject().value("2").toDouble() - 50.0) < 1.0);

    // An alarm without a text still has its box and fill.
    alarms.selectDate(QStringLiteral("2026-05-02"), QStringLiteral("2026-05-02"));
    QVERIFY(saveAs(alarms, path));
    rows = sheetRows(path, &sheet);
    QCOMPARE(rows.at(1).toArray(), QJsonArray({"2026-05-02 09:00:00", QJsonValue::Null}));
    const QJsonObject blank = sheet.value("rows").toArray().at(1).toArray().at(1).toObject();
    QCOMPARE(blank.value("border").toArray(), QJsonArray({"thin", "thin", "thin", "thin"}));
    QCOMPARE(blank.value("fillColor").toString().right(6), QStringLiteral("FFFFFF"));
}

void TestHistoryModels::exportKeepsTheViewsRowsAndOrder()
{
    // Rows for several reads of the export, three alarms a second, so equal
    // times meet where one read ends and the next begins.
    QSqlDatabase::database().transaction();
    for (int i = 0; i < 1300; ++i)
        insert("alarm", "dateTime, alarm", {"2026-07-01 " + QLocale::c().toString(QTime(0, 0).addSecs(i / 3), "hh:mm:ss"), i % 22});
    QSqlDatabase::database().commit();
    TableModelAlarm alarms;
    alarms.selectDate(QStringLiteral("2026-07-01"), QStringLiteral("2026-07-01"));
    while (alarms.canFetchMore())
        alarms.fetchMore();
    QJsonArray shown;
    for (int row = 0; row < alarms.rowCount(); ++row)
        shown.append(QJsonArray({alarms.data(alarms.index(row, 0), 257).toString(), alarms.data(alarms.index(row, 0), 258).toString()}));

    const QString path = dir.filePath(QStringLiteral("alarms.xlsx"));
    QVERIFY(saveAs(alarms, path));
    QJsonArray rows = sheetRows(path);
    rows.removeFirst();
    QCOMPARE(rows.size(), 1300);
    QCOMPARE(rows, shown);
}

void TestHistoryModels::exportRunsOffTheMainThread()
{
    const QUrl path = QUrl::fromLocalFile(dir.filePath(QStringLiteral("readings.xlsx")));
    QFile kept(dir.filePath(QStringLiteral("kept.xlsx")));
    QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("the previous export") > 0);
    kept.close();
    TableModelDevData data, *goingAway = new TableModelDevData;
    for (TableModelDevData *model : {&data, goingAway})
        model->selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QSignalSpy finished(&data, &HistoryTableModel::exportFinished);

    // While the main thread's connection holds the store, the exports' own
    // connections wait for it, and the main thread's timers go on.
    QVERIFY(QSqlQuery().exec(QStringLiteral("begin exclusive")));
    QVERIFY(data.saveAs(path) && goingAway->saveAs(QUrl::fromLocalFile(kept.fileName())));
    QVERIFY(!data.saveAs(path)); // one export of a model at a time
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QTRY_VERIFY(ticks >= 3 && finished.isEmpty());
    delete goingAway; // its export is called off
    QVERIFY(QSqlQuery().exec(QStringLiteral("commit")));

    QVERIFY(finished.wait(30000) && finished.at(0).at(0).toBool());
    QCOMPARE(sheetRows(path.toLocalFile()).size(), 3);
    QThreadPool::globalInstance()->waitForDone();
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("the previous export"));
}

void TestHistoryModels::selfTestRecordFile()
{
    QVERIFY(QDir().mkpath(dataDir + QStringLiteral("/data/self_test")));
    QFile file(dataDir + QStringLiteral("/data/self_test/20260501080000.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0,37,100\n1,38\n2,39,99,extra\r\n3,40,98");
    file.close();

    TableModelSelfTest model;
    model.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QSignalSpy finished(&model, &TableModelSelfTest::readLogFinished);
    model.selectLog(1); // 08:00:00
    const QVariantMap expected{{"time", QStringList{"0", "2", "3"}},
                               {"load", QStringList{"37", "39", "40"}},
                               {"battCap", QStringList{"100\n", "99", "98"}}};
    QCOMPARE(model.selfTestData(), expected);
    // No file for 09:00:00, and no such row: nothing of the earlier test is left.
    const QVariantMap empty{{"time", QStringList()}, {"load", QStringList()}, {"battCap", QStringList()}};
    for (int row : {0, 7}) {
        model.selectLog(1);
        model.selectLog(row);
        QCOMPARE(model.selfTestData(), empty);
    }
    QCOMPARE(finished.count(), 5);
}

void TestHistoryModels::shutdownLogTree_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<QStringList>("titlesOfLast");
    QTest::newRow("written at shutdown") << QByteArray() << QStringList{"A", "B"} << QStringList{"b one", "b two"};
    QTest::newRow("empty") << QByteArray("") << QStringList() << QStringList();
    QTest::newRow("not JSON") << QByteArray("{\"A\": [") << QStringList() << QStringList();
    QTest::newRow("array") << QByteArray("[\"A\"]") << QStringList() << QStringList();
    QTest::newRow("odd values") << QByteArray("{\"Z\": [1, \"z\"], \"N\": 5, \"M\": []}") << QStringList{"M", "N", "Z"} << QStringList{"", "z"};
}

void TestHistoryModels::shutdownLogTree()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, classes);
    QFETCH(QStringList, titlesOfLast);
    if (content.isNull()) {
        ShutdownLog::write(ShutdownLog::path(), {{"B", "b one"}, {"A", "a one"}, {"B", "b two"}});
    } else {
        QFile file(ShutdownLog::path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    TreeModelShutdown model;
    QCOMPARE(column(model, 257), classes);
    if (classes.isEmpty())
        return;
    const QModelIndex last = model.index(classes.size() - 1, 0);
    QCOMPARE(column(model, 258, last), titlesOfLast);
    QCOMPARE(column(model, 257, last).join(QString()), QString());
    const QModelIndex title = model.index(1, 0, last);
    QCOMPARE(model.parent(title), last);
    QVERIFY(!model.parent(last).isValid());
    QCOMPARE(model.rowCount(title) + model.rowCount(model.index(0, 1)), 0);
    QCOMPARE(model.columnCount(title), 2);
    QVERIFY(!model.data(title, 256).isValid() && !model.data(title, 259).isValid());
}

AMBREL_TEST_MAIN(TestHistoryModels)
#include "tst_historymodels.moc"
