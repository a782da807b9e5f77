#include "tablemodelalarm.h"

#include "alarm/alarm.h"
#include "records/database.h"

namespace {
const int kAlarmColumn = 2;
} // namespace

TableModelAlarm::TableModelAlarm(QObject *parent) : HistoryTableModel(Database::AlarmTable, parent) {}

void TableModelAlarm::saveAs(QUrl url)
{
    exportWorkbook(url, {tr("Date"), tr("Alarm")}, 50.0);
}

QVariant TableModelAlarm::displayValue(int column, const QVariant &value) const
{
    if (column == kAlarmColumn)
        return Alarm::instance()->alarmText(value.toInt());
    return value;
}
