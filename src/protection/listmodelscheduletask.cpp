#include "listmodelscheduletask.h"

#include "records/clock.h"
#include "records/database.h"
#include "nextruntime.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const char kDateTimeFormat[] = "yyyy-MM-dd hh:mm:ss";
const int kTimeRole = ListModelScheduleTask::FirstColumnRole + 3;

QSqlDatabase openedDatabase()
{
    Database::instance(); // opens the default connection and names the tables
    return QSqlDatabase::database();
}

// Dates are written and read with ASCII digits whatever the system locale,
// so the table reads back the same under any other locale.
QString toText(const QDateTime &dateTime)
{
    return QLocale::c().toString(dateTime, QLatin1String(kDateTimeFormat));
}

QDateTime toDateTime(const QVariant &value)
{
    const QDateTime parsed =
        QLocale::c().toDateTime(value.toString(), QLatin1String(kDateTimeFormat));
    return parsed.isValid() ? parsed : value.toDateTime();
}

QTime toTime(const QVariant &value)
{
    const QTime parsed = QLocale::c().toTime(value.toString(), QStringLiteral("hh:mm:ss"));
    return parsed.isValid() ? parsed : value.toTime();
}

} // namespace

ListModelScheduleTask::ListModelScheduleTask(QObject *parent)
    : QSqlTableModel(parent, openedDatabase())
{
    setTable(Database::tableName(Database::ScheduleTask));
    setEditStrategy(OnFieldChange);
    select();
}

ListModelScheduleTask::~ListModelScheduleTask() = default;

QDateTime ListModelScheduleTask::nextRun(const QSqlRecord &record, const QDateTime &after)
{
    return nextRunTime(record.value(QStringLiteral("cycle")).toInt(),
                       toDateTime(record.value(QStringLiteral("dateTime"))),
                       toTime(record.value(QStringLiteral("time"))), after);
}

#ifndef AMBREL_SERVICE
void ListModelScheduleTask::addTask(QVariant task)
{
    QSqlRecord rec = record();
    const QVariantMap map = task.toMap();
    rec.setValue(QStringLiteral("dateTime"), toText(Clock::now()));
    for (const char *key : {"cycle", "time", "action", "enable"})
        rec.setValue(QLatin1String(key), map.value(QLatin1String(key)));
    // The database numbers the task.
    rec.setGenerated(QStringLiteral("id"), false);
    insertRecord(-1, rec);
    select();
    emit taskChanged();
}

void ListModelScheduleTask::delTask(int row)
{
    removeRow(row);
    select();
    emit taskChanged();
}

void ListModelScheduleTask::updateTask(int row, QVariant task)
{
    QSqlRecord rec = record(row);
    const QVariantMap map = task.toMap();
    for (const char *key : {"cycle", "time", "action"})
        rec.setValue(QLatin1String(key), map.value(QLatin1String(key)));
    setRecord(row, rec);
    select();
    emit taskChanged();
}
#endif

QVariant ListModelScheduleTask::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role < FirstColumnRole)
        return QSqlQueryModel::data(index, role);
    const int row = index.row();
    if (role == kTimeRole) {
        const QDateTime next = nextRun(QSqlQueryModel::record(row));
        // ASCII digits too: the task editor reads its fields back from this text.
        return next.isValid() ? toText(next) : QString();
    }
    return QSqlQueryModel::data(this->index(row, role - FirstColumnRole), Qt::DisplayRole);
}

bool ListModelScheduleTask::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    if (role < FirstColumnRole)
        return QSqlTableModel::setData(index, value, role);
    const bool ok = QSqlTableModel::setData(this->index(index.row(), role - FirstColumnRole),
                                            value, Qt::EditRole);
    if (ok)
        emit taskChanged();
    return ok;
}

bool ListModelScheduleTask::updateRowInTable(int row, const QSqlRecord &values)
{
    const bool ok = QSqlTableModel::updateRowInTable(row, values);
    return Database::instance()->noteWrite(ok, lastError());
}

bool ListModelScheduleTask::insertRowIntoTable(const QSqlRecord &values)
{
    const bool ok = QSqlTableModel::insertRowIntoTable(values);
    return Database::instance()->noteWrite(ok, lastError());
}

bool ListModelScheduleTask::deleteRowFromTable(int row)
{
    const bool ok = QSqlTableModel::deleteRowFromTable(row);
    return Database::instance()->noteWrite(ok, lastError());
}

QHash<int, QByteArray> ListModelScheduleTask::roleNames() const
{
    return Database::columnRoles(record());
}

bool ListModelScheduleTask::select()
{
    return Database::instance()->select(this);
}
