#include "workbookexport.h"

#include <QAtomicInt>
#include <QDebug>
#include <QFutureWatcher>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>

namespace {

// Rows read by one query: while it runs, a writer of the store waits.
const int kChunkRows = 500;

// Everything the worker needs, copied, so it depends on nothing that the
// thread which asked may destroy meanwhile.
struct Job {
    WorkbookExport::Rows rows;
    WorkbookExport::Sheet sheet;
    QString path;
    QString databaseName;
    std::shared_ptr<std::atomic_bool> cancelled;
};

QString dayText(const QDate &day, const char *time)
{
    return QLocale::c().toString(day, QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + QLatin1String(time);
}

// What the worker found: whether the workbook is at its path, and why not.
struct Outcome {
    bool written = false;
    QString reason;
};

// Gives a sheet its column widths and its header row.
bool startSheet(XlsxDocument &book, const Job &job, int headerFormat)
{
    for (int k = 1; k <= job.sheet.headers.size(); ++k) {
        if (!book.setColumnWidth(k, job.sheet.columnWidth)
            || !book.writeString(1, k, job.sheet.headers.at(k - 1), headerFormat))
            return false;
    }
    return true;
}

// Writes the rows of the range from sheet row 2 on, reading them in short
// forward-only queries ordered by (dateTime, id); each query goes on after
// the last row of the one before. A sheet full to its last row is followed
// by another one of the same layout. False, with the reason, at the first
// row that cannot be read or written.
bool writeRows(const QSqlDatabase &db, const Job &job, XlsxDocument &book, int headerFormat, int format,
               QString *reason)
{
    const bool newestFirst = job.rows.newestFirst;
    const QString order = QLatin1String(newestFirst ? "desc" : "asc");
    QString low = dayText(job.rows.first, "00:00:00");
    QString high = dayText(job.rows.last, "23:59:59");
    QVariant lastDateTime, lastId;
    int sheetRow = 2;
    QVector<QVector<QVariant>> chunk;
    chunk.reserve(kChunkRows);
    const auto readFailed = [&](const QSqlQuery &query) {
        *reason = QStringLiteral("the rows of %1 cannot be read from %2 (%3)")
                      .arg(job.rows.table, job.databaseName, query.lastError().text());
        return false;
    };
    const auto writeFailed = [&] {
        *reason = book.errorString();
        return false;
    };

    for (;;) {
        if (job.cancelled->load())
            return false;
        // The bound on the side already read moves to the last row read; of
        // the rows at that very time only those after it in id remain.
        const QString after = !lastId.isValid() ? QString()
                              : newestFirst      ? QStringLiteral(" and (dateTime < ? or id < ?)")
                                                 : QStringLiteral(" and (dateTime > ? or id > ?)");
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(QStringLiteral("select * from %1 where dateTime >= ? and dateTime <= ?%2 "
                                          "order by dateTime %3, id %3 limit %4")
                               .arg(job.rows.table, after, order)
                               .arg(kChunkRows)))
            return readFailed(query);
        query.addBindValue(low);
        query.addBindValue(high);
        if (lastId.isValid()) {
            query.addBindValue(lastDateTime);
            query.addBindValue(lastId);
        }
        if (!query.exec())
            return readFailed(query);

        chunk.clear();
        const QSqlRecord record = query.record();
        const int fields = record.count();
        const int idField = record.indexOf(QStringLiteral("id"));
        const int dateTimeField = record.indexOf(QStringLiteral("dateTime"));
        if (idField < 0 || dateTimeField < 0) {
            *reason = QStringLiteral("the table %1 has no columns id and dateTime").arg(job.rows.table);
            return false;
        }
        while (query.next()) {
            QVector<QVariant> values(fields);
            for (int i = 0; i < fields; ++i)
                values[i] = query.value(i);
            chunk.append(values);
        }
        if (query.lastError().type() != QSqlError::NoError)
            return readFailed(query);
        query.finish(); // the store is free for its writers again

        for (const QVector<QVariant> &values : qAsConst(chunk)) {
            if (sheetRow > XlsxDocument::MaxRows) {
                if (!book.addSheet() || !startSheet(book, job, headerFormat))
                    return writeFailed();
                sheetRow = 2;
            }
            for (int j = 1; j < fields; ++j) {
                if (!book.write(sheetRow, j, job.sheet.cellText ? job.sheet.cellText(j, values.at(j)) : values.at(j),
                                format))
                    return writeFailed();
            }
            ++sheetRow;
        }
        if (chunk.size() < kChunkRows)
            return true;
        lastDateTime = chunk.last().at(dateTimeField);
        lastId = chunk.last().at(idField);
        (newestFirst ? high : low) = lastDateTime.toString();
    }
}

// The worker: the whole export, on a connection of its own.
Outcome exportWorkbook(const Job &job)
{
    Outcome outcome;
    XlsxDocument book;
    const int headerFormat = book.addFormat(job.sheet.headerFormat);
    const int cellFormat = book.addFormat(job.sheet.cellFormat);
    if (!startSheet(book, job, headerFormat)) {
        outcome.reason = book.errorString();
        return outcome;
    }

    if (job.rows.first.isValid() && job.rows.last.isValid()) {
        static QAtomicInt connections;
        const QString name = QStringLiteral("WorkbookExport-%1").arg(connections.fetchAndAddRelaxed(1));
        bool read = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(job.databaseName);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!db.open())
                outcome.reason =
                    QStringLiteral("%1 cannot be opened (%2)").arg(job.databaseName, db.lastError().text());
            else
                read = writeRows(db, job, book, headerFormat, cellFormat, &outcome.reason);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!read)
            return outcome;
    }
    if (job.cancelled->load())
        return outcome;
    outcome.written = book.saveAs(job.path);
    if (!outcome.written)
        outcome.reason = book.errorString();
    return outcome;
}

} // namespace

class WorkbookExportPrivate
{
public:
    QFutureWatcher<Outcome> watcher;
    QString table;
    std::shared_ptr<std::atomic_bool> cancelled;
    bool running = false;
};

WorkbookExport::WorkbookExport(QObject *parent)
    : QObject(parent), d(new WorkbookExportPrivate)
{
    connect(&d->watcher, &QFutureWatcher<Outcome>::finished, this, [this] {
        d->running = false;
        const Outcome outcome = d->watcher.result();
        if (!outcome.written)
            qWarning().noquote() << QStringLiteral("The export of %1 failed: %2").arg(d->table, outcome.reason);
        emit finished(outcome.written);
    });
}

WorkbookExport::~WorkbookExport()
{
    if (d->cancelled)
        d->cancelled->store(true);
    delete d;
}

bool WorkbookExport::start(const Rows &rows, const Sheet &sheet, const QString &path)
{
    if (d->running)
        return false;
    Job job;
    job.rows = rows;
    job.sheet = sheet;
    job.path = path;
    d->table = rows.table;
    // The store the calling thread's default connection has open.
    job.databaseName = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).databaseName();
    d->cancelled = std::make_shared<std::atomic_bool>(false);
    job.cancelled = d->cancelled;
    d->running = true;
    d->watcher.setFuture(QtConcurrent::run([job] { return exportWorkbook(job); }));
    return true;
}

bool WorkbookExport::isRunning() const
{
    return d->running;
}
