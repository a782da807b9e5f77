#include "tablemodeldevdata.h"

#include "records/database.h"

namespace {
enum Column {
    InputVol = 2,
    OutputVol = 3,
    InputFreq = 5,
    BattVol = 6,
    Temperature = 7
};
} // namespace

#ifndef AMBREL_SERVICE

TableModelDevData::TableModelDevData(QObject *parent)
    : HistoryTableModel(Database::DeviceData, parent)
{
}

bool TableModelDevData::saveAs(QUrl url)
{
    return exportWorkbook(url,
                          {tr("Date"), tr("Input Voltage(V)"), tr("Output Voltage(V)"), tr("UPS Load(%)"),
                           tr("Input Frequency(Hz)"), tr("Battery voltage(V)"), tr("Temperature(℃)")},
                          20.0, &TableModelDevData::cellText);
}

QVariant TableModelDevData::displayValue(int column, const QVariant &value) const
{
    return cellText(column, value);
}

#endif // !AMBREL_SERVICE

QVariant TableModelDevData::cellText(int column, const QVariant &value)
{
    switch (column) {
    case InputVol:
    case OutputVol:
    case InputFreq:
    case Temperature:
        return QString::number(value.toFloat(), 'f', 1);
    case BattVol:
        return QString::number(value.toFloat(), 'f', 2);
    default:
        return value;
    }
}
