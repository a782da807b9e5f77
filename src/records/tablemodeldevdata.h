#ifndef TABLEMODELDEVDATA_H
#define TABLEMODELDEVDATA_H

#include <QSqlTableModel>
#include <QVariant>

// The stored UPS readings (table "device_data") for the history page.
class TableModelDevData : public QSqlTableModel
{
    Q_OBJECT

public:
    // The text of a value of column `column` of device_data as the history
    // table and the workbooks show it: voltages, frequency and temperature
    // with one decimal, the battery voltage with two, both through single
    // precision; every other column unchanged.
    static QVariant cellText(int column, const QVariant &value);
};

#endif // TABLEMODELDEVDATA_H
