#ifndef HISTORYTABLEMODEL_H
#define HISTORYTABLEMODEL_H

#include <QSqlTableModel>
#include <QStringList>
#include <QUrl>

// A read-only history table of the database for the user interface: its
// columns as roles from 256 in column order, named by the column names, each
// shown through displayValue(); narrowed to a range of whole days, newest
// first; exported to a workbook.
class HistoryTableModel : public QSqlTableModel
{
    Q_OBJECT

public:
    // Over the table of that index (Database::tableName); empty until the
    // first selectDate.
    HistoryTableModel(int table, QObject *parent);

    // The rows dated from dateS to dateE (both "yyyy-MM-dd"), inclusive,
    // newest first. Anything but two real dates of that form selects nothing.
    Q_INVOKABLE void selectDate(QString dateS, QString dateE);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    // The text of a stored value of a column as shown and exported.
    virtual QVariant displayValue(int column, const QVariant &value) const = 0;

    // Writes every row of the selected range (all of it, not only what a
    // view has fetched) to the workbook at the file URL: the headers on a
    // green row, every column but the id, each column `width` wide.
    void exportWorkbook(const QUrl &url, const QStringList &headers, double width);
};

#endif // HISTORYTABLEMODEL_H
