#ifndef TABLEMODELDEVDATA_H
#define TABLEMODELDEVDATA_H

#ifdef AMBREL_SERVICE
#include <QObject>
#else
#include "email/historytablemodel.h"
#endif

#include <QVariant>

// The stored UPS readings (table "device_data") for the history page. The
// service has no history page: its build keeps only the column text, which
// the daily report uses, and is never made.
#ifdef AMBREL_SERVICE
class TableModelDevData : public QObject
#else
class TableModelDevData : public HistoryTableModel
#endif
{
    Q_OBJECT

#ifndef AMBREL_SERVICE
public:
    explicit TableModelDevData(QObject *parent = nullptr);

    // Starts the export of the selected rows to the workbook at a file URL;
    // exportFinished tells the outcome. False when an export still runs.
    Q_INVOKABLE bool saveAs(QUrl url);
#endif

public:
    // The text of a value of column `column` of device_data as the history
    // table and the workbooks show it: voltages, frequency and temperature
    // with one decimal, the battery voltage with two, both through single
    // precision; every other column unchanged.
    static QVariant cellText(int column, const QVariant &value);

#ifndef AMBREL_SERVICE
protected:
    QVariant displayValue(int column, const QVariant &value) const override;
#endif
};

#endif // TABLEMODELDEVDATA_H
