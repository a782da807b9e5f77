#include "historytablemodel.h"

#include "email/workbookexport.h"
#include "records/database.h"

#include <QDate>
#include <QLocale>
#include <QSqlRecord>

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

// The date of a text that is exactly a real date in kDateFormat, with ASCII
// digits whatever the user's locale.
QDate strictDate(const QString &text)
{
    const QDate date = QLocale::c().toDate(text, kDateFormat);
    return date.isValid() && QLocale::c().toString(date, kDateFormat) == text ? date : QDate();
}

} // namespace

class HistoryTableModelPrivate
{
public:
    // The range of the last selectDate; invalid when it selected nothing.
    QDate first;
    QDate last;
    WorkbookExport exporter;
};

HistoryTableModel::HistoryTableModel(int table, QObject *parent)
    : QSqlTableModel(parent, QSqlDatabase::database()), d(new HistoryTableModelPrivate)
{
    setTable(Database::tableName(table));
    connect(&d->exporter, &WorkbookExport::finished, this, &HistoryTableModel::exportFinished);
}

HistoryTableModel::~HistoryTableModel()
{
    delete d;
}

void HistoryTableModel::selectDate(QString dateS, QString dateE)
{
    const QDate start = strictDate(dateS);
    const QDate end = strictDate(dateE);
    const bool valid = start.isValid() && end.isValid();
    d->first = valid ? start : QDate();
    d->last = valid ? end : QDate();
    if (valid) {
        // Only the dates written anew reach the statement, never the caller's text.
        setFilter(QStringLiteral("dateTime >= Datetime('%1 00:00:00') and dateTime <= "
                                 "Datetime('%2 23:59:59') order by dateTime desc")
                      .arg(QLocale::c().toString(start, kDateFormat), QLocale::c().toString(end, kDateFormat)));
    } else {
        setFilter(QStringLiteral("0"));
    }
    select();
}

QVariant HistoryTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role < Database::FirstColumnRole)
        return QSqlTableModel::data(index, role);
    const int column = role - Database::FirstColumnRole;
    return displayValue(column, QSqlTableModel::data(this->index(index.row(), column), Qt::DisplayRole));
}

QHash<int, QByteArray> HistoryTableModel::roleNames() const
{
    return Database::columnRoles(record());
}

bool HistoryTableModel::exportWorkbook(const QUrl &url, const QStringList &headers, double width,
                                       const std::function<QVariant(int, const QVariant &)> &cellText)
{
    WorkbookExport::Sheet sheet;
    sheet.headers = headers;
    sheet.columnWidth = width;
    sheet.headerFormat.thinBorder = true;
    sheet.headerFormat.fill = true;
    sheet.headerFormat.fillColor = 0xC4D79B;
    sheet.cellFormat = sheet.headerFormat;
    sheet.cellFormat.fillColor = 0xFFFFFF;
    sheet.cellText = cellText;
    // The rows of the current search, newest first as the view shows them.
    const WorkbookExport::Rows rows{tableName(), d->first, d->last, true};
    return d->exporter.start(rows, sheet, url.toLocalFile());
}

bool HistoryTableModel::select()
{
    return Database::instance()->select(this);
}
