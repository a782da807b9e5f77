#include "listmodelscheduletask.h"

#include "records/clock.h"
#include "records/database.h"
#include "nextruntime.h"

#include <QSqlRecord>

namespace {

const char kDateTimeFormat[] = "yyyy-MM-dd hh:mm:ss";
const int kTimeRole = ListModelScheduleTask::FirstColumnRole + 3;

QSqlDatabase openedDatabase()
{
    Database::instance(); // opens the default connection and names the tables
    return QSqlDatabase::database();
}

QDateTime toDateTime(const QVariant &value)
{
    const QDateTime parsed =
        QDateTime::fromString(value.toString(), QLatin1String(kDateTimeFormat));
    return parsed.isValid() ? parsed : value.toDateTime();
}

QTime toTime(const QVariant &value)
{
    const QTime parsed = QTime::fromString(value.toString(), QStringLiteral("hh:mm:ss"));
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

QDateTime ListModelScheduleTask::nextRun(const QSqlRecord &record)
{
    return nextRunTime(record.value(QStringLiteral("cycle")).toInt(),
                       toDateTime(record.value(QStringLiteral("dateTime"))),
                       toTime(record.value(QStringLiteral("time"))));
}

#ifndef AMBREL_SERVICE
void ListModelScheduleTask::addTask(QVariant task)
{
    QSqlRecord rec = record();
    const QVariantMap map = task.toMap();
    rec.setValue(QStringLiteral("dateTime"),
                 Clock::now().toString(QLatin1String(kDateTimeFormat)));
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
        return next.isValid() ? next.toString(QLatin1String(kDateTimeFormat)) : QString();
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

QHash<int, QByteArray> ListModelScheduleTask::roleNames() const
{
    return Database::columnRoles(record());
}
