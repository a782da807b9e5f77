// The workbook export over a real SQLite file, read back by openpyxl.

#include "email/workbookexport.h"
#include "filesizelimit.h"
#include "teststore.h"
#include "xlsxreader.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>

#include <unistd.h>

namespace {

// Alarms one a second from 2025-03-01, their codes counting up: more than a sheet holds.
const int kRows = XlsxDocument::MaxRows - 1 + 25;
QStringList g_log;

QByteArray stamp(int row)
{
    const QDateTime first(QDate(2025, 3, 1), QTime(0, 0), Qt::UTC);
    return QLocale::c().toString(first.addSecs(row), QStringLiteral("yyyy-MM-dd hh:mm:ss")).toLatin1();
}

// Exports every alarm, newest first as the history page does; true once
// written. What is logged meanwhile goes to g_log.
bool exportAlarms(const QString &path)
{
    WorkbookExport exporter;
    QSignalSpy finished(&exporter, &WorkbookExport::finished);
    exporter.start({"alarm", QDate(2025, 3, 1), QDate(2025, 3, 31), true}, {{"Date", "Alarm"}, 20.0, {}, {}, {}}, path);
    g_log.clear();
    const QtMessageHandler shown =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { g_log << text; });
    const bool ended = finished.wait(60000);
    qInstallMessageHandler(shown);
    return ended && finished.at(0).at(0).toBool();
}

} // namespace

class TestWorkbookExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsPastASheetGoOnTheNext();
    void fullTemporaryFolderEndsTheExportAtOnce();
    void readOnlyFolderIsLoggedWithItsReason();

private:
    QTemporaryDir dir;
};

void TestWorkbookExport::initTestCase()
{
    TestStore::open();
    // The trigger and the indexes, which would work at every insert, come back after.
    for (const char *statement :
         {"drop trigger alarm_trigger", "drop index alarm_index", "drop index alarm_date_index"})
        QVERIFY(QSqlQuery().exec(QLatin1String(statement)));
    QVERIFY(QSqlQuery().exec(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n "
                                            "where i < %1) insert into alarm(dateTime, alarm) "
                                            "select datetime('%2', '+' || i || ' seconds'), i from n")
                                 .arg(kRows - 1)
                                 .arg(QString::fromLatin1(stamp(0)))));
    Database::instance()->createTables();
}

void TestWorkbookExport::rowsPastASheetGoOnTheNext()
{
    const QString path = dir.filePath("alarms.xlsx"), values = dir.filePath("values.txt");
    QVERIFY(exportAlarms(path) && XlsxReader::writeValues(path, values));
    QFile file(values);
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (int sheet = 1, row = kRows; sheet <= 2; ++sheet) {
        QCOMPARE(file.readLine(), "sheet\tSheet" + QByteArray::number(sheet) + "\n");
        QCOMPARE(file.readLine(), QByteArray("Date\tAlarm\n"));
        for (int n = sheet == 1 ? XlsxDocument::MaxRows - 1 : 25; n > 0; --n) {
            --row;
            const QByteArray expected = stamp(row) + '\t' + QByteArray::number(row) + '\n';
            if (file.readLine() != expected)
                QFAIL("missing: " + expected);
        }
    }
    QVERIFY(file.atEnd());
}

void TestWorkbookExport::fullTemporaryFolderEndsTheExportAtOnce()
{
    // As where the temporary folder was full when the program started: SQLite
    // could not sort the rows for the index by time, so each read of the
    // export goes through the whole table.
    QVERIFY(QSqlQuery().exec(QStringLiteral("drop index alarm_index")));
    QTemporaryDir temporary;
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    bool exported = true;
    {
        FileSizeLimit full(64 * 1024);
        exported = exportAlarms(dir.filePath("alarms.xlsx"));
    }
    qputenv("TMPDIR", previous);
    Database::instance()->createTables();
    QVERIFY(!exported);
    QCOMPARE(g_log.size(), 1);
    QVERIFY2(g_log.at(0).contains(temporary.path()) && g_log.at(0).contains(qt_error_string(EFBIG)),
             qPrintable(g_log.at(0)));
}

void TestWorkbookExport::readOnlyFolderIsLoggedWithItsReason()
{
    QTemporaryDir folder;
    const bool mounted = qEnvironmentVariableIsSet("AMBREL_TEST_OWN_NAMESPACES")
                         && QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro", "tmpfs", folder.path()}) == 0;
    if (!mounted && geteuid() == 0)
        QSKIP("root writes into any folder: a read-only one needs a mount namespace of the test's own");
    QVERIFY(mounted || QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString path = folder.filePath("alarms.xlsx");
    const bool exported = exportAlarms(path);
    if (mounted)
        QProcess::execute("umount", {folder.path()});
    else
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!exported);
    QCOMPARE(g_log.size(), 1);
    QVERIFY2(g_log.at(0).contains(path) && g_log.at(0).contains(qt_error_string(mounted ? EROFS : EACCES)),
             qPrintable(g_log.at(0)));
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestWorkbookExport)
#include "tst_workbookexport.moc"
