#include "historytablemodel.h"

#include "email/xlsxdocument.h"
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

HistoryTableModel::HistoryTableModel(int table, QObject *parent)
    : QSqlTableModel(parent, QSqlDatabase::database())
{
    setTable(Database::tableName(table));
}

void HistoryTableModel::selectDate(QString dateS, QString dateE)
{
    const QDate start = strictDate(dateS);
    const QDate end = strictDate(dateE);
    if (start.isValid() && end.isValid()) {
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

void HistoryTableModel::exportWorkbook(const QUrl &url, const QStringList &headers, double width)
{
    while (canFetchMore())
        fetchMore();

    XlsxDocument book;
    XlsxDocument::Format format;
    format.thinBorder = true;
    format.fill = true;
    format.fillColor = 0xC4D79B;
    const int headerFormat = book.addFormat(format);
    format.fillColor = 0xFFFFFF;
    const int cellFormat = book.addFormat(format);

    for (int k = 1; k <= headers.size(); ++k) {
        book.setColumnWidth(k, width);
        book.writeString(1, k, headers.at(k - 1), headerFormat);
    }
    for (int i = 0; i < rowCount(); ++i) {
        const QSqlRecord rec = record(i);
        for (int j = 1; j < rec.count(); ++j)
            book.write(i + 2, j, displayValue(j, rec.value(j)), cellFormat);
    }
    book.saveAs(url.toLocalFile());
}
