#ifndef DATABASE_H
#define DATABASE_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

class DatabasePrivate;
class QSqlError;
class QSqlRecord;

// Opens the SQLite store "<data directory>/data/ambrel.db" as the default
// connection, creates its tables and maps table indexes to table names.
// It never recreates, empties or mends the file: when the store cannot keep
// what is written (a damaged file, a full disk), it says so once, and once
// more when writes work again.
class Database : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(QString failure READ failure NOTIFY failureChanged)
#endif

public:
    enum TableIndex {
        DeviceData = 0,
        AlarmTable = 1,
        ScheduleTask = 2,
        EMailUser = 3,
        LogSelfTest = 4
    };

    ~Database() override;

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

    // Every statement that stores readings, alarms, self-tests or tasks
    // passes here: write() runs one on the default connection with its
    // values bound in order, noteWrite() takes the outcome of one run
    // otherwise (a table model's). The first failure after success is told
    // with SQLite's reason, the first success after a failure too. Both
    // return whether the write succeeded.
    bool write(const QString &statement, const QVariantList &values = {});
    bool noteWrite(bool ok, const QSqlError &error);

    // Why the store keeps nothing now (SQLite's error); empty while it does.
    QString failure() const;

#ifndef AMBREL_SERVICE
signals:
    void failureChanged();
#endif

private:
    Database();

    DatabasePrivate *d;
};

#endif // DATABASE_H
