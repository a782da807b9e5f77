#ifndef TABLEMODELDEVDATA_H
#define TABLEMODELDEVDATA_H

#include "email/historytablemodel.h"

#include <QVariant>

// The stored UPS readings (table "device_data") for the history page.
class TableModelDevData : public HistoryTableModel
{
    Q_OBJECT

public:
#ifndef AMBREL_SERVICE
    explicit TableModelDevData(QObject *parent = nullptr);

    // Exports the selected rows to the workbook at a file URL.
    Q_INVOKABLE void saveAs(QUrl url);
#endif

    // The text of a value of column `column` of device_data as the history
    // table and the workbooks show it: voltages, frequency and temperature
    // with one decimal, the battery voltage with two, both through single
    // precision; every other column unchanged.
    static QVariant cellText(int column, const QVariant &value);

protected:
    QVariant displayValue(int column, const QVariant &value) const override;
};

#endif // TABLEMODELDEVDATA_H
