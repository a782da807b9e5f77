// The workbook, and the export of a table of the store into one, read back by openpyxl.
#include "testenvironment.h"
#include "email/workbookexport.h"
#include "email/xlsxdocument.h"
#include "filesizelimit.h"
#include "teststore.h"
#include "xlsxreader.h"

#include <QJsonArray>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

QJsonObject firstSheet(const QString &path)
{
    const QJsonArray sheets = XlsxReader::read(path).value(QStringLiteral("sheets")).toArray();
    return sheets.size() == 1 ? sheets.at(0).toObject() : QJsonObject();
}

QJsonObject cell(const QJsonObject &sheet, int row, int column)
{
    return sheet.value(QStringLiteral("rows")).toArray().at(row - 1).toArray().at(column - 1).toObject();
}

// Exports the alarms from 2025-03-01 to `last` (none when it is invalid), newest
// first as the history page does: "written", or what was logged meanwhile.
QString exportAlarms(const QString &path, const QDate &last = QDate(2025, 3, 31))
{
    static QStringList log;
    log.clear();
    WorkbookExport exporter;
    QSignalSpy finished(&exporter, &WorkbookExport::finished);
    exporter.start({"alarm", QDate(2025, 3, 1), last, true}, {{"Date", "Alarm"}, 20.0, {}, {}, {}}, path);
    const QtMessageHandler shown =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { log << text; });
    if (finished.wait(60000) && finished.at(0).at(0).toBool())
        log << QStringLiteral("written");
    qInstallMessageHandler(shown);
    return log.join('\n');
}

} // namespace

class TestXlsxDocument : public QObject
{
    Q_OBJECT

private slots:
    void writesCellsFormatsAndWidths();
    void refusesCellsOutsideTheSheet();
    void failedSaveKeepsThePreviousFile();
    void exportToAReadOnlyFolderIsLoggedWithItsReason();
    void exportLongerThanASheet();
};

void TestXlsxDocument::writesCellsFormatsAndWidths()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("not a workbook");
    old.close();

    XlsxDocument book;
    QVERIFY(book.isValid());
    const int plain = book.addFormat();
    XlsxDocument::Format boxed;
    boxed.thinBorder = true;
    boxed.fill = true;
    boxed.fillColor = 0xC0D8F0;
    const int header = book.addFormat(boxed);
    QVERIFY(plain >= 0 && header >= 0 && plain != header);
    QCOMPARE(book.addFormat(XlsxDocument::Format()), plain);

    QVERIFY(book.setColumnWidth(1, 20.0));
    QVERIFY(book.setColumnWidth(3, 8.0));
    QVERIFY(book.writeString(1, 1, QString::fromUtf8("Temperature(℃)"), header));
    QVERIFY(book.write(2, 1, QStringLiteral("13.6"), plain));
    QVERIFY(book.write(2, 2, 42, plain));
    QVERIFY(book.write(2, 3, 2.5));
    QVERIFY(book.write(3, 1, QVariant())); // empty cell
    QVERIFY(!book.write(1, 5, QStringLiteral("above the row being written")));
    QVERIFY(book.saveAs(path));
    QVERIFY(!book.writeString(4, 1, QStringLiteral("late")));
    QCOMPARE(book.addFormat(), -1);
    const QString copy = dir.filePath(QStringLiteral("copy.xlsx"));
    QVERIFY(book.saveAs(copy));
    QVERIFY(!book.saveAs(dir.filePath(QStringLiteral("missing/dir/book.xlsx"))));
    const QJsonObject saved = firstSheet(copy);
    QCOMPARE(saved.value(QStringLiteral("maxRow")).toInt(), 2);
    QCOMPARE(cell(saved, 2, 2).value(QStringLiteral("value")).toDouble(), 42.0);

    const QJsonObject sheet = firstSheet(path);
    QCOMPARE(sheet.value(QStringLiteral("maxRow")).toInt(), 2);
    // Widths are in characters; the file adds the usual cell padding.
    const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
    QVERIFY(qAbs(widths.value(QStringLiteral("1")).toDouble() - 20.0) < 1.0);
    QVERIFY(qAbs(widths.value(QStringLiteral("3")).toDouble() - 8.0) < 1.0);
    QVERIFY(widths.value(QStringLiteral("2")).isNull());

    const QJsonObject title = cell(sheet, 1, 1);
    QCOMPARE(title.value(QStringLiteral("value")).toString(), QString::fromUtf8("Temperature(℃)"));
    QCOMPARE(title.value(QStringLiteral("horizontal")).toString(), QStringLiteral("center"));
    QCOMPARE(title.value(QStringLiteral("vertical")).toString(), QStringLiteral("center"));
    QCOMPARE(title.value(QStringLiteral("border")).toArray(), QJsonArray({"thin", "thin", "thin", "thin"}));
    QCOMPARE(title.value(QStringLiteral("fill")).toString(), QStringLiteral("solid"));
    QVERIFY(title.value(QStringLiteral("fillColor")).toString().endsWith(QLatin1String("C0D8F0")));

    const QJsonObject text = cell(sheet, 2, 1);
    QCOMPARE(text.value(QStringLiteral("type")).toString(), QStringLiteral("str"));
    QCOMPARE(text.value(QStringLiteral("value")).toString(), QStringLiteral("13.6"));
    QCOMPARE(text.value(QStringLiteral("border")).toArray(), QJsonArray({{}, {}, {}, {}}));
    QCOMPARE(cell(sheet, 2, 2).value(QStringLiteral("value")).toDouble(), 42.0);
    QCOMPARE(cell(sheet, 2, 3).value(QStringLiteral("value")).toDouble(), 2.5);
    QVERIFY(cell(sheet, 2, 3).value(QStringLiteral("horizontal")).isNull());
    QCOMPARE(sheet.value(QStringLiteral("maxColumn")).toInt(), 3); // nothing above row 2 after it
}

void TestXlsxDocument::refusesCellsOutsideTheSheet()
{
    XlsxDocument book;
    QVERIFY(!book.writeString(0, 1, QStringLiteral("x")));
    QVERIFY(!book.writeNumber(1, 0, 1.0));
    QVERIFY(!book.setColumnWidth(0, 10.0));
    QVERIFY(!book.writeNumber(1048577, 1, 1.0)); // past the last row of a sheet
    QVERIFY(!book.writeString(1, 16385, QStringLiteral("x")));
    // Never saved: the document is thrown away without writing a file.
}

void TestXlsxDocument::failedSaveKeepsThePreviousFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    XlsxDocument book;
    QVERIFY(book.saveAs(dir.filePath(QStringLiteral("first.xlsx")))); // the workbook is complete
    QFile previous(path);
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("the previous export") > 0);
    previous.close();
    {
        FileSizeLimit diskFull(512); // fills up while the workbook is stored
        QVERIFY(!book.saveAs(path));
    }
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("the previous export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"book.xlsx", "first.xlsx"}));
}

void TestXlsxDocument::exportToAReadOnlyFolderIsLoggedWithItsReason()
{
    QTemporaryDir folder;
    const bool mounted = qEnvironmentVariableIsSet("AMBREL_TEST_OWN_NAMESPACES")
                         && QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro", "tmpfs", folder.path()}) == 0;
    QVERIFY(mounted || QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(folder.path()).isWritable())
        QSKIP("root writes into any folder: a read-only one needs a mount namespace of the test's own");
    const QString path = folder.filePath("alarms.xlsx"), told = exportAlarms(path, QDate()); // the header row alone
    if (mounted)
        QProcess::execute("umount", {folder.path()});
    QVERIFY2(!told.contains('\n') && told.contains(path) && told.contains(qt_error_string(mounted ? EROFS : EACCES)),
             qPrintable(told));
}

void TestXlsxDocument::exportLongerThanASheet()
{
    // Alarms one a second from 2025-03-01, their codes counting up; the size
    // trigger, which would count the table at every insert, comes back after.
    const int alarms = XlsxDocument::MaxRows - 1 + 25;
    TestStore::open();
    QVERIFY(QSqlQuery().exec(QStringLiteral("drop trigger alarm_trigger")));
    QVERIFY(QSqlQuery().exec(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
                                            "insert into alarm(dateTime, alarm) select datetime('2025-03-01', "
                                            "'+' || i || ' seconds'), i from n").arg(alarms - 1)));
    Database::instance()->createTables();
    QTemporaryDir dir;
    const QString path = dir.filePath("alarms.xlsx"), values = dir.filePath("values.txt");
    QCOMPARE(exportAlarms(path), QStringLiteral("written"));
    QCOMPARE(QProcess::execute(AMBREL_PYTHON, {TestEnvironment::supportFile("xlsxdump.py"), "--values", path, values}), 0);
    QFile file(values);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Every row, newest first: the 25 oldest on Sheet2, under a header row of its own.
    for (int row = alarms - 1; row >= 0; --row) {
        if (row == alarms - 1 || row == 24)
            QCOMPARE(file.readLine(), "Sheet" + QByteArray::number(row == 24 ? 2 : 1) + "\tDate\tAlarm\n");
        QVERIFY2(file.readLine().endsWith('\t' + QByteArray::number(row) + '\n'), "row " + QByteArray::number(row));
    }
    QVERIFY(file.atEnd());

    // As where the temporary folder was full at start, so SQLite could not sort for the time
    // index: each read goes through the whole table. The export ends at once all the same.
    QVERIFY(QSqlQuery().exec(QStringLiteral("drop index alarm_index")));
    const FileSizeLimit full(64 * 1024);
    const QString told = exportAlarms(path), where = "temporary folder " + QDir::tempPath() + '/';
    QVERIFY2(!told.contains('\n') && told.contains(where) && told.contains(qt_error_string(EFBIG)), qPrintable(told));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestXlsxDocument)
#include "tst_xlsxdocument.moc"
