#ifndef DATABASE_H
#define DATABASE_H

#include <QHash>
#include <QObject>
#include <QString>

class QSqlRecord;

// Opens the SQLite store "<data directory>/data/ambrel.db" as the default
// connection, creates its tables and maps table indexes to table names.
class Database : public QObject
{
    Q_OBJECT

public:
    enum TableIndex {
        DeviceData = 0,
        AlarmTable = 1,
        ScheduleTask = 2,
        EMailUser = 3,
        LogSelfTest = 4
    };

    static Database *instance();

    // Creates whatever of the schema is missing.
    void createTables();

    // The name of a table by index; empty outside 0..4 and before instance().
    static QString tableName(int index);

    // The roles of every table model over the database: one per column of
    // the record, numbered from FirstColumnRole in column order and named
    // by the column name.
    enum { FirstColumnRole = 256 };
    static QHash<int, QByteArray> columnRoles(const QSqlRecord &record);

private:
    Database();
};

#endif // DATABASE_H
