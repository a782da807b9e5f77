// The schedule-task list model over the schedule_task table.
#include "clock.h"
#include "database.h"
#include "listmodelscheduletask.h"
#include "scheduletaskdata.h"
#include "settings.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <ctime>

class TestListModelScheduleTask : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void addTaskWritesRowAndShowsNextRun();
    void addTaskWithMissingEntryAddsNothing();
    void updateTaskKeepsCreationDateAndEnable();
    void switchAndDeleteWriteAtOnce();
    void unknownCycleShowsEmptyTime();

private:
    static QVariantMap task(int cycle, const QString &time, int action, bool enable = true);
    static QStringList tableRows();
    static void addRow(const QString &dateTime, int cycle, const QString &time, int action, bool enable);
};

void TestListModelScheduleTask::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
}

void TestListModelScheduleTask::init()
{
    QSqlQuery().exec(QStringLiteral("delete from schedule_task"));
    Clock::setNow(QDateTime(QDate(2024, 5, 6), QTime(10, 0)));
}

void TestListModelScheduleTask::cleanup()
{
    Clock::setNow(QDateTime());
}

QVariantMap TestListModelScheduleTask::task(int cycle, const QString &time, int action, bool enable)
{
    return {{QStringLiteral("cycle"), cycle}, {QStringLiteral("time"), time},
            {QStringLiteral("action"), action}, {QStringLiteral("enable"), enable}};
}

// Each row as "dateTime|cycle|time|action|enable".
QStringList TestListModelScheduleTask::tableRows()
{
    QStringList rows;
    QSqlQuery query(QStringLiteral("select dateTime, cycle, time, action, enable from schedule_task order by id"));
    while (query.next())
        rows.append(QStringList{query.value(0).toString(), query.value(1).toString(),
                                query.value(2).toString(), query.value(3).toString(),
                                query.value(4).toBool() ? "on" : "off"}
                        .join(QLatin1Char('|')));
    return rows;
}

void TestListModelScheduleTask::addRow(const QString &dateTime, int cycle, const QString &time,
                                      int action, bool enable)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into schedule_task(dateTime, cycle, time, action, enable) values(?, ?, ?, ?, ?)"));
    for (const QVariant &value : QVariantList{dateTime, cycle, time, action, enable})
        query.addBindValue(value);
    QVERIFY(query.exec());
}

void TestListModelScheduleTask::addTaskWritesRowAndShowsNextRun()
{
    ListModelScheduleTask model;
    QCOMPARE(model.roleNames().value(259), QByteArray("time"));
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    model.addTask(task(ScheduleTaskData::EveryDay, QStringLiteral("08:30:00"), 0));
    QCOMPARE(changed.count(), 1);
    QVERIFY(data.count() > 0); // what the schedule service listens to
    QCOMPARE(tableRows(), QStringList{"2024-05-06 10:00:00|1|08:30:00|0|on"});
    const QModelIndex row = model.index(0, 0);
    QCOMPARE(model.data(row, 257).toString(), QStringLiteral("2024-05-06 10:00:00"));
    QCOMPARE(model.data(row, 259).toString(), QStringLiteral("2024-05-07 08:30:00"));
    // Computed at each call from the current time.
    Clock::setNow(QDateTime(QDate(2024, 5, 7), QTime(9, 0)));
    QCOMPARE(model.data(row, 259).toString(), QStringLiteral("2024-05-08 08:30:00"));
}

void TestListModelScheduleTask::addTaskWithMissingEntryAddsNothing()
{
    ListModelScheduleTask model;
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    QVariantMap incomplete = task(1, QStringLiteral("08:30:00"), 0);
    incomplete.remove(QStringLiteral("time"));
    model.addTask(incomplete);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(tableRows().isEmpty());
}

void TestListModelScheduleTask::updateTaskKeepsCreationDateAndEnable()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), ScheduleTaskData::EveryDay, QStringLiteral("08:00:00"), 0, false);
    ListModelScheduleTask model;
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    model.updateTask(0, task(ScheduleTaskData::EveryWeek, QStringLiteral("07:15:00"), 3));
    QVERIFY(data.count() > 0);
    QCOMPARE(tableRows(), QStringList{"2024-05-01 09:00:00|2|07:15:00|3|off"});
    // Created on Wednesday 1 May: weekly on Wednesdays, whatever day the edit was.
    QCOMPARE(model.data(model.index(0, 0), 259).toString(), QStringLiteral("2024-05-08 07:15:00"));
}

void TestListModelScheduleTask::switchAndDeleteWriteAtOnce()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 1, QStringLiteral("08:00:00"), 0, true);
    addRow(QStringLiteral("2024-05-01 09:00:01"), 1, QStringLiteral("09:00:00"), 1, true);
    ListModelScheduleTask model;
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(0, 0), false, 261));
    QVERIFY(!model.setData(QModelIndex(), true, 261));
    QCOMPARE(changed.count(), 1);
    QVERIFY(data.count() > 0);
    QCOMPARE(tableRows().value(0), QStringLiteral("2024-05-01 09:00:00|1|08:00:00|0|off"));

    data.clear();
    model.delTask(1);
    QCOMPARE(changed.count(), 2);
    QVERIFY(data.count() > 0);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(tableRows().size(), 1);
    data.clear();
    model.select(); // re-reading alone is no change
    QCOMPARE(data.count(), 0);
}

void TestListModelScheduleTask::unknownCycleShowsEmptyTime()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 7, QStringLiteral("08:00:00"), 0, true);
    ListModelScheduleTask model;
    const QVariant time = model.data(model.index(0, 0), 259);
    QCOMPARE(time.type(), QVariant::String);
    QVERIFY(time.toString().isEmpty());
}

AMBREL_TEST_MAIN(TestListModelScheduleTask)
#include "tst_listmodelscheduletask.moc"
