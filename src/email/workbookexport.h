#ifndef WORKBOOKEXPORT_H
#define WORKBOOKEXPORT_H

#include "email/xlsxdocument.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <functional>

class WorkbookExportPrivate;

// Writes the rows of a table of the store that lie in a range of days to a
// workbook, on a worker thread with a database connection of its own, so
// that the thread that asked goes on meanwhile. Row 1 holds the headers;
// from row 2 on, one sheet row per table row, field 0 (the id) left out.
// Rows past the last row of a worksheet go on to the next one ("Sheet2",
// "Sheet3", ...), laid out alike with its own header row. The store's
// writers wait for at most a short read of a few hundred rows at a time,
// and the file at the path is replaced only by a workbook with every row.
// A failure is written to the log with its reason (the system's error and
// the file or folder).
class WorkbookExport : public QObject
{
    Q_OBJECT

public:
    // Which rows: those of `table` (a table with the columns "id" and
    // "dateTime") dated from the first to the last day, both whole and
    // inclusive; none when either day is invalid.
    struct Rows {
        QString table;
        QDate first;
        QDate last;
        bool newestFirst = false; // else oldest first
    };

    // How the sheet shows them.
    struct Sheet {
        QStringList headers;
        double columnWidth = 20.0;         // every header's column
        XlsxDocument::Format headerFormat; // row 1
        XlsxDocument::Format cellFormat;   // every other row
        // The cell of a stored value of field `column`; unset: the value as it
        // is. It runs on the worker thread, so it must not use objects that
        // live on another one.
        std::function<QVariant(int column, const QVariant &value)> cellText;
    };

    explicit WorkbookExport(QObject *parent = nullptr);
    // An export still running is called off: its workbook is not saved.
    ~WorkbookExport() override;

    // Starts writing the workbook to `path`; false, and nothing starts, while
    // an earlier export still runs.
    bool start(const Rows &rows, const Sheet &sheet, const QString &path);
    bool isRunning() const;

signals:
    // The end of the export that start() began: true when the complete
    // workbook is at its path, false when nothing was saved and a file that
    // was there is as it was.
    void finished(bool succeeded);

private:
    WorkbookExportPrivate *d;
};

#endif // WORKBOOKEXPORT_H
