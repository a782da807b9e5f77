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
    void rolesNamedAfterColumns();
    void addTaskWritesRowAndShowsNextRun();
    void addTaskWithMissingEntryAddsNothing();
    void updateTaskKeepsCreationDateAndEnable();
    void setDataSwitchesTaskAtOnce();
    void delTaskRemovesRow();
    void unknownCycleShowsEmptyTime();
    void everyWriteSignalsDataChanged();

private:
    static QVariantMap task(int cycle, const QString &time, int action, bool enable = true);
    static QList<QVariantList> tableRows();
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

QList<QVariantList> TestListModelScheduleTask::tableRows()
{
    QList<QVariantList> rows;
    QSqlQuery query(QStringLiteral("select dateTime, cycle, time, action, enable from schedule_task order by id"));
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toString(),
                     query.value(3).toInt(), query.value(4).toBool()});
    return rows;
}

void TestListModelScheduleTask::addRow(const QString &dateTime, int cycle, const QString &time,
                                      int action, bool enable)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into schedule_task(dateTime, cycle, time, action, enable) values(?, ?, ?, ?, ?)"));
    query.addBindValue(dateTime);
    query.addBindValue(cycle);
    query.addBindValue(time);
    query.addBindValue(action);
    query.addBindValue(enable);
    QVERIFY(query.exec());
}

void TestListModelScheduleTask::rolesNamedAfterColumns()
{
    ListModelScheduleTask model;
    const QHash<int, QByteArray> roles = model.roleNames();
    QCOMPARE(roles.size(), 6);
    QCOMPARE(roles.value(256), QByteArray("id"));
    QCOMPARE(roles.value(257), QByteArray("dateTime"));
    QCOMPARE(roles.value(258), QByteArray("cycle"));
    QCOMPARE(roles.value(259), QByteArray("time"));
    QCOMPARE(roles.value(260), QByteArray("action"));
    QCOMPARE(roles.value(261), QByteArray("enable"));
}

void TestListModelScheduleTask::addTaskWritesRowAndShowsNextRun()
{
    ListModelScheduleTask model;
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    model.addTask(task(ScheduleTaskData::EveryDay, QStringLiteral("08:30:00"), 0));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(tableRows(), (QList<QVariantList>{{QStringLiteral("2024-05-06 10:00:00"), 1,
                                                QStringLiteral("08:30:00"), 0, true}}));
    const QModelIndex row = model.index(0, 0);
    QCOMPARE(model.data(row, 257).toString(), QStringLiteral("2024-05-06 10:00:00"));
    QCOMPARE(model.data(row, 259).toString(), QStringLiteral("2024-05-07 08:30:00"));
    QVERIFY(model.data(row, 256).toInt() > 0);
    // Computed at each call from the current time.
    Clock::setNow(QDateTime(QDate(2024, 5, 7), QTime(7, 0)));
    QCOMPARE(model.data(row, 259).toString(), QStringLiteral("2024-05-07 08:30:00"));
    QVERIFY(!model.data(QModelIndex(), 259).isValid());
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
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    model.updateTask(0, task(ScheduleTaskData::EveryWeek, QStringLiteral("07:15:00"), 3));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(tableRows(), (QList<QVariantList>{{QStringLiteral("2024-05-01 09:00:00"), 2,
                                                QStringLiteral("07:15:00"), 3, false}}));
    // Created on Wednesday 1 May: weekly on Wednesdays, whatever day the edit was.
    QCOMPARE(model.data(model.index(0, 0), 259).toString(), QStringLiteral("2024-05-08 07:15:00"));
}

void TestListModelScheduleTask::setDataSwitchesTaskAtOnce()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 1, QStringLiteral("08:00:00"), 0, true);
    ListModelScheduleTask model;
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    QVERIFY(model.setData(model.index(0, 0), false, 261));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(tableRows().value(0).value(4).toBool(), false);
    QVERIFY(!model.setData(QModelIndex(), true, 261));
    QCOMPARE(changed.count(), 1);
}

void TestListModelScheduleTask::delTaskRemovesRow()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 1, QStringLiteral("08:00:00"), 0, true);
    addRow(QStringLiteral("2024-05-01 09:00:01"), 1, QStringLiteral("09:00:00"), 1, true);
    ListModelScheduleTask model;
    QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
    model.delTask(1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 0), 260).toInt(), 0);
    QCOMPARE(tableRows().size(), 1);
}

void TestListModelScheduleTask::unknownCycleShowsEmptyTime()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 7, QStringLiteral("08:00:00"), 0, true);
    ListModelScheduleTask model;
    const QVariant time = model.data(model.index(0, 0), 259);
    QCOMPARE(time.type(), QVariant::String);
    QVERIFY(time.toString().isEmpty());
}

void TestListModelScheduleTask::everyWriteSignalsDataChanged()
{
    addRow(QStringLiteral("2024-05-01 09:00:00"), 1, QStringLiteral("08:00:00"), 0, true);
    addRow(QStringLiteral("2024-05-01 09:00:01"), 1, QStringLiteral("09:00:00"), 0, true);
    ListModelScheduleTask model;
    QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
    model.addTask(task(1, QStringLiteral("10:00:00"), 2));
    QVERIFY(data.count() > 0);
    data.clear();
    model.updateTask(0, task(1, QStringLiteral("11:00:00"), 2));
    QVERIFY(data.count() > 0);
    data.clear();
    model.setData(model.index(1, 0), false, 261);
    QVERIFY(data.count() > 0);
    data.clear();
    model.delTask(0);
    QVERIFY(data.count() > 0);
    data.clear();
    model.select();
    QCOMPARE(data.count(), 0);
}

AMBREL_TEST_MAIN(TestListModelScheduleTask)
#include "tst_listmodelscheduletask.moc"
