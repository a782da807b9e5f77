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
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const int kFirstRole = 256;

void exec(const QString &statement, const QVariantList &values)
{
    QSqlQuery query;
    QVERIFY(query.prepare(statement));
    for (const QVariant &value : values)
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(statement));
}

QStringList column(const QAbstractItemModel &model, int role)
{
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values << model.data(model.index(row, 0), role).toString();
    return values;
}

QJsonObject sheetOf(const QString &path)
{
    return XlsxReader::read(path).value(QStringLiteral("sheets")).toArray().at(0).toObject();
}

QJsonArray rowOf(const QJsonObject &sheet, int row)
{
    QJsonArray values;
    for (const QJsonValue &cell : sheet.value(QStringLiteral("rows")).toArray().at(row - 1).toArray())
        values.append(cell.toObject().value(QStringLiteral("value")));
    return values;
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
    void deviceDataWorkbook();
    void alarmWorkbookHoldsEveryRowOfTheRange();
    void selfTestRecordFile();
    void shutdownLogTree();
    void brokenShutdownLog_data();
    void brokenShutdownLog();

private:
    QTemporaryDir dir;
    QString dataDir;
    int familyBit = -1;
};

void TestHistoryModels::initTestCase()
{
    dataDir = TestStore::open();
    const QString insertData = QStringLiteral(
        "insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, battVol, temperature)"
        " values(?, ?, ?, ?, ?, ?, ?)");
    for (const char *stamp : {"2026-04-30 23:59:59", "2026-05-01 00:00:00", "2026-05-01 23:59:59", "2026-05-02 00:00:00"})
        exec(insertData, {QString::fromLatin1(stamp), 13.65, 230.04, 37, 49.96, 13.65, 25.26});

    for (int bit = 0; bit < 208 && familyBit < 0; ++bit) {
        if (!Alarm::instance()->alarmText(0x10000 + bit).isEmpty())
            familyBit = bit;
    }
    QVERIFY(familyBit >= 0);
    const QString insertAlarm = QStringLiteral("insert into alarm(dateTime, alarm) values(?, ?)");
    exec(insertAlarm, {QStringLiteral("2026-05-01 10:00:00"), int(Alarm::MainsFault)});
    exec(insertAlarm, {QStringLiteral("2026-05-01 11:00:00"), 0x10000 + familyBit});
    exec(insertAlarm, {QStringLiteral("2026-05-01 12:00:00"), 0x10000 + 500 + familyBit});
    // More rows in one day than a model fetches at once.
    QSqlDatabase::database().transaction();
    for (int i = 0; i < 300; ++i)
        exec(insertAlarm, {QStringLiteral("2026-06-01 %1").arg(QTime(0, 0).addSecs(i * 60).toString(QStringLiteral("hh:mm:ss"))), 0});
    QSqlDatabase::database().commit();

    const QString insertTest = QStringLiteral("insert into log_self_test(dateTime, duration, count) values(?, ?, ?)");
    exec(insertTest, {QStringLiteral("2026-05-01 08:00:00"), 3725, 3725});
    exec(insertTest, {QStringLiteral("2026-05-01 09:00:00"), 360000, 10});
}

void TestHistoryModels::selectDate_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("one day") << "2026-05-01" << "2026-05-01"
                             << QStringList{"2026-05-01 23:59:59", "2026-05-01 00:00:00"};
    QTest::newRow("three days") << "2026-04-30" << "2026-05-02"
                                << QStringList{"2026-05-02 00:00:00", "2026-05-01 23:59:59",
                                               "2026-05-01 00:00:00", "2026-04-30 23:59:59"};
    QTest::newRow("end before start") << "2026-05-02" << "2026-05-01" << QStringList();
    QTest::newRow("no such day") << "2026-02-30" << "2026-05-01" << QStringList();
    QTest::newRow("short month") << "2026-4-30" << "2026-05-01" << QStringList();
    QTest::newRow("trailing blank") << "2026-04-30" << "2026-05-01 " << QStringList();
    QTest::newRow("empty") << "" << "" << QStringList();
    QTest::newRow("statement") << "2000-01-01') or 1=1 or ('" << "2026-05-01" << QStringList();
    QTest::newRow("comment") << "2026-04-30" << "2026-05-01 23:59:59') --" << QStringList();
}

void TestHistoryModels::selectDate()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QStringList, dates);
    TableModelDevData model;
    model.selectDate(QStringLiteral("2026-04-30"), QStringLiteral("2026-05-02")); // rows before
    model.selectDate(start, end);
    QCOMPARE(column(model, kFirstRole + 1), dates);
}

void TestHistoryModels::shownTexts()
{
    TableModelDevData data;
    data.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QCOMPARE(data.roleNames().value(kFirstRole + 7), QByteArray("temperature"));
    QCOMPARE(data.data(data.index(0, 0), kFirstRole + 2), QVariant(QStringLiteral("13.6")));
    QCOMPARE(data.data(data.index(0, 0), kFirstRole + 6), QVariant(QStringLiteral("13.65")));
    QCOMPARE(data.data(data.index(0, 0), kFirstRole + 4).toInt(), 37);
    QCOMPARE(data.data(data.index(0, 2), Qt::DisplayRole).toDouble(), 13.65); // the base model's value

    TableModelAlarm alarms;
    alarms.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    const QString family = Alarm::instance()->alarmText(0x10000 + familyBit);
    QCOMPARE(column(alarms, kFirstRole + 2),
             QStringList({QStringLiteral("Returned from: ") + family, family, QStringLiteral("Input voltage fault")}));

    TableModelSelfTest tests;
    tests.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    QCOMPARE(column(tests, kFirstRole + 2), QStringList({"100:00:00", "01:02:05"}));
    QCOMPARE(tests.roleNames().value(kFirstRole + 3), QByteArray("count"));
}

void TestHistoryModels::deviceDataWorkbook()
{
    TableModelDevData model;
    const QString empty = dir.filePath(QStringLiteral("empty book.xlsx"));
    model.saveAs(QUrl::fromLocalFile(empty)); // before any selection: headers only
    QCOMPARE(sheetOf(empty).value(QStringLiteral("maxRow")).toInt(), 1);

    model.selectDate(QStringLiteral("2026-05-01"), QStringLiteral("2026-05-01"));
    const QString path = dir.filePath(QStringLiteral("readings #1.xlsx"));
    model.saveAs(QUrl::fromLocalFile(path));
    const QJsonObject sheet = sheetOf(path);
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 3);
    QCOMPARE(rowOf(sheet, 1), QJsonArray({"Date", "Input Voltage(V)", "Output Voltage(V)", "UPS Load(%)",
                                          "Input Frequency(Hz)", "Battery voltage(V)", QString::fromUtf8("Temperature(℃)")}));
    QCOMPARE(rowOf(sheet, 2), QJsonArray({"2026-05-01 23:59:59", "13.6", "230.0", 37, "50.0", "13.65", "25.3"}));
    QCOMPARE(rowOf(sheet, 3).at(0).toString(), QStringLiteral("2026-05-01 00:00:00"));

    const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
    for (int k = 1; k <= 7; ++k)
        QVERIFY(qAbs(widths.value(QString::number(k)).toDouble() - 20.0) < 1.0);
    const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
    for (int r = 0; r < rows.size(); ++r) {
        for (const QJsonValue &value : rows.at(r).toArray()) {
            const QJsonObject cell = value.toObject();
            QCOMPARE(cell.value(QStringLiteral("horizontal")).toString(), QStringLiteral("center"));
            QCOMPARE(cell.value(QStringLiteral("vertical")).toString(), QStringLiteral("center"));
            QCOMPARE(cell.value(QStringLiteral("border")).toArray(), QJsonArray({"thin", "thin", "thin", "thin"}));
            QVERIFY(cell.value(QStringLiteral("fillColor")).toString().endsWith(r == 0 ? "C4D79B" : "FFFFFF"));
        }
    }
}

void TestHistoryModels::alarmWorkbookHoldsEveryRowOfTheRange()
{
    TableModelAlarm model;
    model.selectDate(QStringLiteral("2026-06-01"), QStringLiteral("2026-06-01"));
    QVERIFY(model.rowCount() < 300); // what a view has fetched so far
    const QString path = dir.filePath(QStringLiteral("alarms.xlsx"));
    model.saveAs(QUrl::fromLocalFile(path));
    const QJsonObject sheet = sheetOf(path);
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 301);
    QCOMPARE(rowOf(sheet, 1), QJsonArray({"Date", "Alarm"}));
    QCOMPARE(rowOf(sheet, 2), QJsonArray({"2026-06-01 04:59:00", "Communication lost"}));
    QCOMPARE(rowOf(sheet, 301), QJsonArray({"2026-06-01 00:00:00", "Communication lost"}));
    QVERIFY(qAbs(sheet.value(QStringLiteral("widths")).toObject().value(QStringLiteral("2")).toDouble() - 50.0) < 1.0);
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
    model.selectLog(1); // 08:00:00, the older row
    QCOMPARE(finished.count(), 1);
    const QVariantMap expected{{"time", QStringList{"0", "2", "3"}},
                               {"load", QStringList{"37", "39", "40"}},
                               {"battCap", QStringList{"100\n", "99", "98"}}};
    QCOMPARE(model.selfTestData(), expected);

    model.selectLog(0); // no file for 09:00:00
    model.selectLog(7); // no such row
    QCOMPARE(finished.count(), 3);
    QCOMPARE(model.selfTestData(), expected);
}

void TestHistoryModels::shutdownLogTree()
{
    ShutdownLog::write(ShutdownLog::path(), {{QStringLiteral("B"), QStringLiteral("b one")},
                                             {QStringLiteral("A"), QStringLiteral("a one")},
                                             {QStringLiteral("B"), QStringLiteral("b two")}});
    TreeModelShutdown model;
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex a = model.index(0, 0);
    const QModelIndex b = model.index(1, 0);
    QCOMPARE(model.data(a, 257).toString(), QStringLiteral("A"));
    QCOMPARE(model.data(a, 258).toString(), QString());
    QCOMPARE(model.rowCount(a), 1);
    QCOMPARE(model.rowCount(b), 2);
    const QModelIndex title = model.index(1, 0, b);
    QCOMPARE(model.data(title, 258).toString(), QStringLiteral("b two"));
    QCOMPARE(model.data(title, 257).toString(), QString());
    QCOMPARE(model.parent(title), b);
    QCOMPARE(model.parent(b), QModelIndex());
    QCOMPARE(model.rowCount(title), 0);
    QCOMPARE(model.rowCount(model.index(1, 1)), 0);
    for (const QModelIndex &index : {QModelIndex(), b, title})
        QCOMPARE(model.columnCount(index), 2);
    QVERIFY(!model.data(title, 256).isValid());
    QVERIFY(!model.data(title, 259).isValid());
    QVERIFY(!model.index(2, 0).isValid());
}

void TestHistoryModels::brokenShutdownLog_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<int>("titlesOfFirst");
    QTest::newRow("empty") << QByteArray() << QStringList() << 0;
    QTest::newRow("not JSON") << QByteArray("{\"A\": [") << QStringList() << 0;
    QTest::newRow("array") << QByteArray("[\"A\"]") << QStringList() << 0;
    QTest::newRow("odd values") << QByteArray("{\"Z\": [], \"N\": 5, \"M\": [1, \"m\"]}")
                                << QStringList{"M", "N", "Z"} << 2;
}

void TestHistoryModels::brokenShutdownLog()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, classes);
    QFETCH(int, titlesOfFirst);
    QFile file(ShutdownLog::path());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    TreeModelShutdown model;
    QCOMPARE(column(model, 257), classes);
    if (!classes.isEmpty())
        QCOMPARE(model.rowCount(model.index(0, 0)), titlesOfFirst);
}

AMBREL_TEST_MAIN(TestHistoryModels)
#include "tst_historymodels.moc"
