#include "filesizelimit.h"
#include "link/devcomm_p.h"
#include "link/megatec.h"
#include "protection/listmodelscheduletask.h"
#include "records/clock.h"
#include "records/database.h"
#include "records/pendingwrites.h"
#include "records/settings.h"
#include "testenvironment.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The schema as it is meant to stand, in the form SQLite keeps it in
// sqlite_master: "CREATE <kind> name..." without "if not exists" and without
// the closing semicolon.
const QMap<QString, QString> &expectedSchema()
{
    static const QMap<QString, QString> schema = [] {
        const QString dateDefault = QStringLiteral("dateTime datetime not null default(datetime('now', 'localtime'))");
        const QString trigger = QStringLiteral(
            "CREATE TRIGGER %1_trigger before insert on %1 for each row when (select count(*) from %1) > 1000000 "
            "begin delete from %1 where date('now', '-5 year') >= date(dateTime); end");
        const QString index = QStringLiteral("CREATE INDEX %1_index on %1 (dateTime)");
        const QString dayIndex = QStringLiteral("CREATE INDEX %1_date_index on %1 (date(dateTime))");
        QMap<QString, QString> m;
        m["device_data"] = QStringLiteral(
            "CREATE TABLE device_data(id integer primary key autoincrement, %1, inputVol real not null, "
            "outputVol real not null, load integer not null, inputFreq real not null, battVol real not null, "
            "temperature real not null)").arg(dateDefault);
        m["alarm"] = QStringLiteral("CREATE TABLE alarm(id integer primary key autoincrement, %1, alarm integer not null)")
                         .arg(dateDefault);
        m["schedule_task"] = QStringLiteral(
            "CREATE TABLE schedule_task(id integer primary key autoincrement, %1, cycle integer not null, "
            "time time not null, action integer not null, enable not null)").arg(dateDefault);
        m["log_self_test"] = QStringLiteral(
            "CREATE TABLE log_self_test(id integer primary key autoincrement, dateTime datetime not null, "
            "duration integer not null, count integer not null)");
        m["email_user"] = QStringLiteral("CREATE TABLE email_user(id integer primary key autoincrement, %1, user text not null)")
                              .arg(dateDefault);
        m["sqlite_sequence"] = QStringLiteral("CREATE TABLE sqlite_sequence(name,seq)");
        for (const char *table : {"device_data", "alarm"}) {
            m[QStringLiteral("%1_trigger").arg(table)] = trigger.arg(table);
            m[QStringLiteral("%1_index").arg(table)] = index.arg(table);
            m[QStringLiteral("%1_date_index").arg(table)] = dayIndex.arg(table);
        }
        return m;
    }();
    return schema;
}

QMap<QString, QString> storedSchema()
{
    QMap<QString, QString> schema;
    QSqlQuery query(QStringLiteral("select name, sql from sqlite_master"));
    while (query.next())
        schema.insert(query.value(0).toString(), query.value(1).toString());
    return schema;
}

int count(const QString &table)
{
    QSqlQuery query(QStringLiteral("select count(*) from %1").arg(table));
    return query.next() ? query.value(0).toInt() : -1;
}

// Fills `alarm` in one statement with rows of the given date, bypassing the
// size trigger (which would count the table once per row).
void fillAlarms(int rows, const QString &dateTime)
{
    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("drop trigger alarm_trigger")));
    QVERIFY2(query.exec(QStringLiteral(
                 "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                 "insert into alarm(dateTime, alarm) select '%2', 2 from n").arg(rows).arg(dateTime)),
             qPrintable(query.lastError().text()));
    Database::instance()->createTables();
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(Database::tableName(0), QString());
        TestEnvironment::makeDataDirs();
        Settings::instance()->load();
        Database::instance()->createTables();
        QVERIFY(QSqlDatabase::database().isOpen());
        QVERIFY(QFile::exists(Settings::instance()->dataDir() + QStringLiteral("/data/ambrel.db")));
    }

    void schemaIsExact()
    {
        const auto stored = storedSchema();
        const auto expected = expectedSchema();
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(stored.value(it.key()), it.value());
        QCOMPARE(stored.keys(), expected.keys());
    }

    void createTablesTwiceChangesNothing()
    {
        QSqlQuery(QStringLiteral("insert into email_user(user) values('a@example.com')"));
        const auto before = storedSchema();
        Database::instance()->createTables();
        QCOMPARE(storedSchema(), before);
        QCOMPARE(count(QStringLiteral("email_user")), 1);
    }

    void tableNames()
    {
        const QStringList names = {"device_data", "alarm", "schedule_task", "email_user", "log_self_test"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(Database::tableName(i), names.at(i));
        QCOMPARE(Database::tableName(-1), QString());
        QCOMPARE(Database::tableName(5), QString());
        QCOMPARE(Database::tableName(1), QStringLiteral("alarm"));
    }

    void insertDefaults()
    {
        QSqlQuery query;
        QVERIFY(!query.exec(QStringLiteral("insert into log_self_test(duration, count) values(10, 10)")));
        QVERIFY(query.exec(QStringLiteral(
            "insert into log_self_test(dateTime, duration, count) values('2026-01-01 10:00:00', 10, 10)")));
        QVERIFY(query.exec(QStringLiteral("insert into alarm(alarm) values(4)")));
        QVERIFY(query.exec(QStringLiteral("select dateTime from alarm where alarm = 4")));
        QVERIFY(query.next());
        const QDateTime stamp = QDateTime::fromString(query.value(0).toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY(stamp.isValid());
        QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60);
        QVERIFY(query.exec(QStringLiteral("delete from alarm")));
    }

    // Writes that fail for a while (the file may not grow, as on a full
    // disk): one line when failing begins, one when writes work again.
    void failingWritesAreToldWhenTheyBeginAndEnd()
    {
        DevCommPrivate::protocol(DevComm::instance())->setOnline(true);
        ListModelScheduleTask tasks;
        static QStringList journal;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { journal.append(text); });
        for (const rlim_t limit : {rlim_t(0), RLIM_INFINITY}) {
            const FileSizeLimit full(limit);
            for (int i = 0; i < 3; ++i)
                QVERIFY(QMetaObject::invokeMethod(DevComm::instance(), "onTimerSaveTimeout"));
            tasks.addTask(QVariantMap{{"cycle", 1}, {"time", "12:00:00"}, {"action", 0}, {"enable", true}});
        }
        qInstallMessageHandler(previous);
        const QString database = "Readings, alarms and tasks %1 kept in the database " + QSqlDatabase::database().databaseName();
        QCOMPARE(journal, QStringList({database.arg("cannot be") + " (disk I/O error); the file is left as it is.",
                                       database.arg("are") + " again."}));
        QCOMPARE(count(QStringLiteral("device_data")) + count(QStringLiteral("schedule_task")), 4);
    }

    // Another program holds the store: writes return at once and wait in their order, with the time
    // they were made, up to the bound; later ones are dropped and counted. A model made meanwhile reads
    // its rows once the store is free. Each of it is told once.
    void lockedStoreKeepsWhatWaits()
    {
        for (const char *table : {"device_data", "alarm"})
            QVERIFY(QSqlQuery().exec(QStringLiteral("delete from ") + QLatin1String(table)));
        QVERIFY(QSqlQuery().exec(QStringLiteral("insert into schedule_task(cycle, time, action, enable) "
                                                "values(1, '12:00:00', 0, 1)")));
        Clock::setNow(QDateTime(QDate(2031, 1, 2), QTime(3, 4, 5)));
        static QStringList journal;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { journal.append(text); });
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(QSqlDatabase::database().databaseName());
        const auto unlock = qScopeGuard([&other] { other.close(); }); // also when a check fails
        QVERIFY(other.open() && QSqlQuery(other).exec(QStringLiteral("begin exclusive")));
        QElapsedTimer spent;
        spent.start();
        Database::instance()->insert(Database::AlarmTable, "alarm", {7});
        for (int i = 0; i < PendingWrites::MaxWaiting + 2; ++i)
            QVERIFY(QMetaObject::invokeMethod(DevComm::instance(), "onTimerSaveTimeout"));
        ListModelScheduleTask tasks;
        QVERIFY2(spent.elapsed() < 5000, "a statement waited for the lock");
        QCOMPARE(tasks.rowCount(), 0);
        QCOMPARE(Database::instance()->dropped(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(Database::instance()->failure(), QStringLiteral("database is locked"), 10000);
        QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit")); // what the end leaves
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("rollback")));
        QTRY_COMPARE_WITH_TIMEOUT(Database::instance()->failure(), QString(), 30000);
        qInstallMessageHandler(previous);
        Clock::setNow(QDateTime());

        QCOMPARE(tasks.rowCount(), count(QStringLiteral("schedule_task")));
        QSqlQuery rows(QStringLiteral("select count(*), group_concat(distinct dateTime) from device_data union all "
                                      "select group_concat(alarm), group_concat(dateTime) from alarm"));
        for (const char *expected : {"9999 2031-01-02 03:04:05", "7 2031-01-02 03:04:05"}) {
            QVERIFY(rows.next());
            QCOMPARE(rows.value(0).toString() + ' ' + rows.value(1).toString(), QLatin1String(expected));
        }
        QVERIFY(QSqlQuery().exec(QStringLiteral("delete from alarm")));
        const QString database = " the database " + other.databaseName();
        QCOMPARE(journal, QStringList({"10000 rows wait for" + database + ", which another program holds locked: later "
                                       "ones are dropped until it is free.",
                                       "Readings, alarms and tasks cannot be kept in" + database + " (database is "
                                       "locked); the file is left as it is. Up to 10000 rows wait in memory until it "
                                       "is free.",
                                       "As the program ends, 10000 rows that waited for" + database + " are not "
                                       "written (3 more were dropped before).",
                                       "Readings, alarms and tasks are kept in" + database + " again.",
                                       "3 rows that found no room to wait for" + database + " were dropped."}));
    }

    void sizeTriggerKeepsAMillionRows()
    {
        // Half the rows are more than five years old, half are recent.
        fillAlarms(500000, QStringLiteral("2015-06-01 08:00:00"));
        fillAlarms(500000, QDateTime::currentDateTime().addDays(-1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        QCOMPARE(count(QStringLiteral("alarm")), 1000000);

        QSqlQuery query;
        // 1000000 rows: nothing is deleted.
        QVERIFY(query.exec(QStringLiteral("insert into alarm(alarm) values(5)")));
        QCOMPARE(count(QStringLiteral("alarm")), 1000001);
        // 1000001 rows: the old rows go before the new one lands.
        QVERIFY(query.exec(QStringLiteral("insert into alarm(alarm) values(6)")));
        QCOMPARE(count(QStringLiteral("alarm")), 500002);
        QVERIFY(query.exec(QStringLiteral("select count(*) from alarm where alarm in (5, 6)")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 2);
    }

    // The size trigger's delete finds its rows through an index, not by
    // reading the whole table on every insert.
    void sizeRuleDeleteUsesAnIndex_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("device_data") << QStringLiteral("device_data");
        QTest::newRow("alarm") << QStringLiteral("alarm");
    }

    void sizeRuleDeleteUsesAnIndex()
    {
        QFETCH(QString, table);
        QSqlQuery query;
        QVERIFY(query.exec(QStringLiteral("explain query plan delete from %1 "
                                          "where date('now', '-5 year') >= date(dateTime)").arg(table)));
        QStringList plan;
        while (query.next())
            plan.append(query.value(3).toString());
        QCOMPARE(plan.size(), 1);
        QVERIFY2(plan.at(0).startsWith(QStringLiteral("SEARCH %1 USING INDEX %1_date_index ").arg(table)),
                 qPrintable(plan.at(0)));
    }
};

AMBREL_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
