#include "tablemodelalarm.h"

#include "alarm/alarm.h"
#include "records/database.h"

namespace {
const int kAlarmColumn = 2;

// The alarm code as its text. The texts come from fixed tables and the
// installed translations alone, so the export's worker thread may ask too.
QVariant cellText(const Alarm *alarm, int column, const QVariant &value)
{
    if (column == kAlarmColumn)
        return alarm->alarmText(value.toInt());
    return value;
}
} // namespace

TableModelAlarm::TableModelAlarm(QObject *parent) : HistoryTableModel(Database::AlarmTable, parent) {}

bool TableModelAlarm::saveAs(QUrl url)
{
    const Alarm *alarm = Alarm::instance(); // made here, on the model's thread, if it was not yet
    return exportWorkbook(url, {tr("Date"), tr("Alarm")}, 50.0,
                          [alarm](int column, const QVariant &value) { return cellText(alarm, column, value); });
}

QVariant TableModelAlarm::displayValue(int column, const QVariant &value) const
{
    return cellText(Alarm::instance(), column, value);
}
