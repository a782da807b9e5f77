#ifndef DATABASE_H
#define DATABASE_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

class DatabasePrivate;
class QSqlError;
class QSqlRecord;
class QSqlTableModel;

// Opens the SQLite store "<data directory>/data/ambrel.db" as the default
// connection, creates its tables and maps table indexes to table names.
// It never recreates, empties or mends the file: when the store cannot keep
// what is written (a damaged file, a full disk), it says so once, and once
// more when writes work again. The default connection never waits for a
// lock that another program holds: what is written then waits in memory
// (PendingWrites), and a read fails at once and is made again once the store
// is free.
class Database : public QObject
{
    Q_OBJECT
#ifndef AMBREL_SERVICE
    Q_PROPERTY(QString failure READ failure NOTIFY failureChanged)
    Q_PROPERTY(int dropped READ dropped NOTIFY droppedChanged)
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
    // values bound in order, at once or, while another program holds the
    // store, once it is free; noteWrite() takes the outcome of one run
    // otherwise (a table model's) and returns whether it succeeded. The first
    // failure after success is told with SQLite's reason (a lock once it has
    // held writes for a few seconds), the first success after a failure too.
    void write(const QString &statement, const QVariantList &values = {});
    // Writes a row of the table: the values of the columns named (such as
    // "alarm"), and the current time as its dateTime, so that the row
    // carries the time it was made also when it has had to wait.
    void insert(TableIndex table, const char *columns, const QVariantList &values);
    bool noteWrite(bool ok, const QSqlError &error);

    // A table model's select() (its base class's, for a model's own
    // select() to call): when the store is locked, the model's columns and
    // rows are read again once it is free (and available() follows).
    bool select(QSqlTableModel *model);

    // SQLite's own words for an error; the driver's only where SQLite has none.
    static QString reason(const QSqlError &error);
    // Why the store keeps nothing now (SQLite's error); empty while it does.
    QString failure() const;
    // Rows dropped since the store was last free, for want of room to wait.
    int dropped() const;

signals:
    // What waited for a locked store has been written, or a read that found
    // it locked may be made again.
    void available();
#ifndef AMBREL_SERVICE
    void failureChanged();
    void droppedChanged();
#endif

private:
    Database();

    DatabasePrivate *d;
};

#endif // DATABASE_H
