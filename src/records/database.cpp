#include "database.h"

#include "clock.h"
#include "pendingwrites.h"
#include "settings.h"

#include <QFile>
#include <QLocale>
#include <QMap>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {

QMap<int, QString> &tableNames()
{
    static QMap<int, QString> names;
    return names;
}

const char kDeviceDataTable[] =
    "create table if not exists %1(id integer primary key autoincrement, "
    "dateTime datetime not null default(datetime('now', 'localtime')), "
    "inputVol real not null, outputVol real not null, load integer not null, "
    "inputFreq real not null, battVol real not null, temperature real not null);";
const char kAlarmTable[] =
    "create table if not exists %1(id integer primary key autoincrement, "
    "dateTime datetime not null default(datetime('now', 'localtime')), alarm integer not null);";
const char kScheduleTaskTable[] =
    "create table if not exists %1(id integer primary key autoincrement, "
    "dateTime datetime not null default(datetime('now', 'localtime')), "
    "cycle integer not null, time time not null, action integer not null, enable not null);";
const char kLogSelfTestTable[] =
    "create table if not exists %1(id integer primary key autoincrement, "
    "dateTime datetime not null, duration integer not null, count integer not null);";
const char kEMailUserTable[] =
    "create table if not exists %1(id integer primary key autoincrement, "
    "dateTime datetime not null default(datetime('now', 'localtime')), user text not null);";
const char kSizeTrigger[] =
    "create trigger if not exists %1_trigger before insert on %1 for each row "
    "when (select count(*) from %1) > 1000000 begin "
    "delete from %1 where date('now', '-5 year') >= date(dateTime); end;";
const char kDateIndex[] = "create index if not exists %1_index on %1 (dateTime);";
// The size trigger's delete compares the day of each row: without an index on
// that same expression it reads the whole table on every insert.
const char kDayIndex[] = "create index if not exists %1_date_index on %1 (date(dateTime));";

void run(const char *statement, int table)
{
    Database::instance()->write(QString::fromLatin1(statement).arg(Database::tableName(table)));
}

} // namespace

class DatabasePrivate
{
public:
    QString path;
    // SQLite's reason while writes fail; empty while they work.
    QString failure;
    PendingWrites pending;
    // Models whose select found the store locked.
    QList<QPointer<QSqlTableModel>> selectsWaiting;
};

Database::Database()
    : d(new DatabasePrivate)
{
    d->path = Settings::instance()->dataDir() + QStringLiteral("/data/ambrel.db");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(d->path);
    // The main thread serves the poll and the countdown: a lock of another
    // program fails a statement at once instead of holding them.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    connect(&d->pending, &PendingWrites::ran, this, &Database::noteWrite);
    connect(&d->pending, &PendingWrites::available, this, [this] {
        const QList<QPointer<QSqlTableModel>> models = d->selectsWaiting;
        d->selectsWaiting.clear();
        for (QSqlTableModel *model : models) {
            if (model)
                model->select();
        }
        emit available();
    });
#ifndef AMBREL_SERVICE
    connect(&d->pending, &PendingWrites::droppedChanged, this, &Database::droppedChanged);
#endif
    // No driver gives no connection either; its error says so.
    const bool opened = db.isValid() && db.open();
    noteWrite(opened, db.lastError());

    QMap<int, QString> &names = tableNames();
    names.insert(DeviceData, QStringLiteral("device_data"));
    names.insert(AlarmTable, QStringLiteral("alarm"));
    names.insert(ScheduleTask, QStringLiteral("schedule_task"));
    names.insert(EMailUser, QStringLiteral("email_user"));
    names.insert(LogSelfTest, QStringLiteral("log_self_test"));
}

Database::~Database()
{
    delete d;
}

Database *Database::instance()
{
    static Database *database = new Database;
    return database;
}

void Database::createTables()
{
    run(kDeviceDataTable, DeviceData);
    run(kSizeTrigger, DeviceData);
    run(kDateIndex, DeviceData);
    run(kDayIndex, DeviceData);
    run(kAlarmTable, AlarmTable);
    run(kSizeTrigger, AlarmTable);
    run(kDateIndex, AlarmTable);
    run(kDayIndex, AlarmTable);
    run(kScheduleTaskTable, ScheduleTask);
    run(kLogSelfTestTable, LogSelfTest);
    run(kEMailUserTable, EMailUser);
}

void Database::write(const QString &statement, const QVariantList &values)
{
    d->pending.submit(statement, values);
}

void Database::insert(TableIndex table, const char *columns, const QVariantList &values)
{
    QStringList marks;
    for (int i = 0; i <= values.size(); ++i)
        marks << QStringLiteral("?");
    const QString stamp = QLocale::c().toString(Clock::now(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    write(QStringLiteral("insert into %1(dateTime, %2) values(%3)")
              .arg(tableName(table), QLatin1String(columns), marks.join(QStringLiteral(", "))),
          QVariantList{stamp} + values);
}

bool Database::noteWrite(bool ok, const QSqlError &error)
{
    if (ok && d->pending.waiting()) {
        // Free again, but not through yet with what waits.
        d->pending.retrySoon();
        return ok;
    }
    if (ok == d->failure.isEmpty())
        return ok;
    const QByteArray path = QFile::encodeName(d->path);
    if (ok) {
        d->failure.clear();
        qInfo("Readings, alarms and tasks are kept in the database %s again.", path.constData());
    } else {
        d->failure = reason(error);
        const QString waiting = d->pending.waiting()
            ? QStringLiteral(" Up to %1 rows wait in memory until it is free.").arg(int(PendingWrites::MaxWaiting))
            : QString();
        qWarning("Readings, alarms and tasks cannot be kept in the database %s (%s); the file is left as it is.%s",
                 path.constData(), qPrintable(d->failure), qPrintable(waiting));
    }
#ifndef AMBREL_SERVICE
    emit failureChanged();
#endif
    return ok;
}

bool Database::select(QSqlTableModel *model)
{
    // Set while the store was locked, the model could not read its columns.
    if (model->record().isEmpty()) {
        const QString filter = model->filter();
        model->setTable(model->tableName());
        model->setFilter(filter);
    }
    const bool ok = model->QSqlTableModel::select();
    const bool locked = PendingWrites::isLocked(model->lastError())
        || (model->record().isEmpty() && PendingWrites::isLocked());
    if (!ok && locked) {
        if (!d->selectsWaiting.contains(model))
            d->selectsWaiting.append(model);
        d->pending.awaitFree();
    }
    return ok;
}

QString Database::reason(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text().trimmed() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("no reason given") : text;
}

QString Database::failure() const
{
    return d->failure;
}

int Database::dropped() const
{
    return d->pending.dropped();
}

QString Database::tableName(int index)
{
    return tableNames().value(index);
}

QHash<int, QByteArray> Database::columnRoles(const QSqlRecord &record)
{
    QHash<int, QByteArray> roles;
    for (int i = 0; i < record.count(); ++i)
        roles.insert(FirstColumnRole + i, record.fieldName(i).toUtf8());
    return roles;
}
