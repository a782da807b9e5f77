#include "database.h"

#include "settings.h"

#include <QFile>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

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
};

Database::Database()
    : d(new DatabasePrivate)
{
    d->path = Settings::instance()->dataDir() + QStringLiteral("/data/ambrel.db");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(d->path);
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

bool Database::write(const QString &statement, const QVariantList &values)
{
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    // A connection that did not open is not tried again at every reading;
    // its reason was told when it failed.
    if (!db.isOpen())
        return noteWrite(false, db.lastError());
    QSqlQuery query(db);
    if (!query.prepare(statement))
        return noteWrite(false, query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    const bool ok = query.exec();
    return noteWrite(ok, query.lastError());
}

bool Database::noteWrite(bool ok, const QSqlError &error)
{
    if (ok == d->failure.isEmpty())
        return ok;
    const QByteArray path = QFile::encodeName(d->path);
    if (ok) {
        d->failure.clear();
        qInfo("Readings, alarms and tasks are kept in the database %s again.", path.constData());
    } else {
        // SQLite's own words; the driver's only where SQLite has none.
        d->failure = error.databaseText().isEmpty() ? error.text().trimmed() : error.databaseText();
        if (d->failure.isEmpty())
            d->failure = QStringLiteral("no reason given");
        qWarning("Readings, alarms and tasks cannot be kept in the database %s (%s); the file is left as it is.",
                 path.constData(), qPrintable(d->failure));
    }
#ifndef AMBREL_SERVICE
    emit failureChanged();
#endif
    return ok;
}

QString Database::failure() const
{
    return d->failure;
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
