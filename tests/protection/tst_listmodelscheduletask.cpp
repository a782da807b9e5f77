// The schedule-task list model over the schedule_task table.
#include "records/clock.h"
#include "records/database.h"
#include "protection/listmodelscheduletask.h"
#include "protection/scheduletaskdata.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <ctime>

namespace {
const int kCreatedRole = 257, kTimeRole = 259, kEnableRole = 261;

QVariantMap task(int cycle, const char *time, int action)
{
    return {{"cycle", cycle}, {"time", QString::fromLatin1(time)}, {"action", action}, {"enable", true}};
}

// Each row as "dateTime|cycle|time|action|enable".
QStringList tableRows()
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

void addRow(const char *dateTime, int cycle, const char *time, int action, bool enable)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into schedule_task(dateTime, cycle, time, action, enable) values(?, ?, ?, ?, ?)"));
    for (const QVariant &value : QVariantList{dateTime, cycle, time, action, enable})
        query.addBindValue(value);
    QVERIFY(query.exec());
}
} // namespace

class TestListModelScheduleTask : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC0");
        tzset();
        TestStore::open();
    }

    void init()
    {
        QSqlQuery().exec(QStringLiteral("delete from schedule_task"));
        Clock::setNow(QDateTime(QDate(2024, 5, 6), QTime(10, 0)));
    }

    void cleanup() { Clock::setNow(QDateTime()); }

    void addTaskWritesRowAndShowsNextRun()
    {
        ListModelScheduleTask model;
        QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        // A map without one of the four entries adds nothing.
        QVariantMap incomplete = task(ScheduleTaskData::EveryDay, "08:30:00", 0);
        incomplete.remove(QStringLiteral("time"));
        model.addTask(incomplete);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(tableRows().isEmpty());

        model.addTask(task(ScheduleTaskData::EveryDay, "08:30:00", 0));
        QCOMPARE(changed.count(), 2);
        QVERIFY(data.count() > 0); // what the schedule service listens to
        QCOMPARE(tableRows(), QStringList{"2024-05-06 10:00:00|1|08:30:00|0|on"});
        const QModelIndex row = model.index(0, 0);
        QCOMPARE(model.data(row, kCreatedRole).toString(), QStringLiteral("2024-05-06 10:00:00"));
        QCOMPARE(model.data(row, kTimeRole).toString(), QStringLiteral("2024-05-07 08:30:00"));
        // Computed at each call from the current time.
        Clock::setNow(QDateTime(QDate(2024, 5, 7), QTime(9, 0)));
        QCOMPARE(model.data(row, kTimeRole).toString(), QStringLiteral("2024-05-08 08:30:00"));
    }

    void updateTaskKeepsCreationDateAndEnable()
    {
        addRow("2024-05-01 09:00:00", ScheduleTaskData::EveryDay, "08:00:00", 0, false);
        addRow("2024-05-01 09:00:01", 7, "08:00:00", 0, true);
        ListModelScheduleTask model;
        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        model.updateTask(0, task(ScheduleTaskData::EveryWeek, "07:15:00", 3));
        QVERIFY(data.count() > 0);
        QCOMPARE(tableRows(), (QStringList{"2024-05-01 09:00:00|2|07:15:00|3|off",
                                           "2024-05-01 09:00:01|7|08:00:00|0|on"}));
        // Created on Wednesday 1 May: weekly on Wednesdays, whatever day the edit was.
        QCOMPARE(model.data(model.index(0, 0), kTimeRole).toString(), QStringLiteral("2024-05-08 07:15:00"));
        // An unknown cycle shows an empty text.
        const QVariant unknown = model.data(model.index(1, 0), kTimeRole);
        QCOMPARE(unknown.type(), QVariant::String);
        QVERIFY(unknown.toString().isEmpty());
    }

    void switchAndDeleteWriteAtOnce()
    {
        addRow("2024-05-01 09:00:00", 1, "08:00:00", 0, true);
        addRow("2024-05-01 09:00:01", 1, "09:00:00", 1, true);
        ListModelScheduleTask model;
        QSignalSpy changed(&model, &ListModelScheduleTask::taskChanged);
        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(0, 0), false, kEnableRole));
        QVERIFY(!model.setData(QModelIndex(), true, kEnableRole));
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
};

AMBREL_TEST_MAIN(TestListModelScheduleTask)
#include "tst_listmodelscheduletask.moc"
