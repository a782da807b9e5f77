#ifndef HISTORYTABLEMODEL_H
#define HISTORYTABLEMODEL_H

#include <QSqlTableModel>
#include <QStringList>
#include <QUrl>

#include <functional>

class HistoryTableModelPrivate;

// A read-only history table of the database for the user interface: its
// columns as roles from 256 in column order, named by the column names, each
// shown through displayValue(); narrowed to a range of whole days, newest
// first; exported to a workbook off the main thread.
class HistoryTableModel : public QSqlTableModel
{
    Q_OBJECT

public:
    // Over the table of that index (Database::tableName); empty until the
    // first selectDate.
    HistoryTableModel(int table, QObject *parent);
    // An export still running is called off; the file it was to replace stays.
    ~HistoryTableModel() override;

    // The rows dated from dateS to dateE (both "yyyy-MM-dd"), inclusive,
    // newest first. Anything but two real dates of that form selects nothing.
    Q_INVOKABLE void selectDate(QString dateS, QString dateE);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;
    // Selected again once the store is free when another program holds it locked.
    bool select() override;

signals:
    // The end of the export that saveAs started: true once the workbook is
    // written, false when it was not (a file that was there is untouched).
    void exportFinished(bool succeeded);

protected:
    // The text of a stored value of a column as shown and exported.
    virtual QVariant displayValue(int column, const QVariant &value) const = 0;

    // Starts writing every row of the selected range (all of it, not only
    // what a view has fetched) to the workbook at the file URL: the headers
    // on a green row, every column but the id, each column `width` wide,
    // each cell as `cellText` gives it, which runs on the export's worker
    // thread. False, and nothing starts, while an export of the model runs.
    bool exportWorkbook(const QUrl &url, const QStringList &headers, double width,
                        const std::function<QVariant(int column, const QVariant &value)> &cellText);

private:
    HistoryTableModelPrivate *d;
};

#endif // HISTORYTABLEMODEL_H
