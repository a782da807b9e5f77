// The schedule-task service: due tasks run on the tick whose second has come,
// with the UPS commands reaching a simulated serial UPS.
#include "clock.h"
#include "database.h"
#include "devcomm.h"
#include "fakeplatform.h"
#include "listmodelscheduletask.h"
#include "scheduletaskdata.h"
#include "servicescheduletask.h"
#include "serviceshutdown.h"
#include "settings.h"
#include "simulatedups.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <ctime>

class TestServiceScheduleTask : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dailyTaskRunsOnceWhenDue();
    void oneShotRunsOnceAndIsSwitchedOff();
    void dueTogetherRunInRowOrder();
    void deletedRowNeverRuns();
    void switchedOffTaskNeverRuns();
    void missedOneShotWaitsForNextDay();
    void clockJumpRunsOnce();
    void powerOffStartsTenSecondCountdown();

private:
    void at(const QString &time, int day = 6);
    void tick() { service->onTick(); }
    // Builds the due list and lets the first tick take in the edits made
    // before it, as a running program does within a second.
    void reload();
    void addTask(int cycle, const QString &time, int action, bool enable = true);
    // Waits for the UPS to have received each command, then a little more,
    // and returns all it received since the last call.
    QList<QByteArray> commandsAfter(const QList<QByteArray> &expected);

    FakePlatform platform;
    SimulatedUps ups;
    QScopedPointer<ServiceScheduleTask> service;
};

void TestServiceScheduleTask::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
    ServiceShutdown::instance()->setAmbrelOffEnable(false);
    QVERIFY(ups.isOpen());
    DevComm *link = DevComm::instance();
    QSignalSpy data(link, &DevComm::devDataChanged);
    link->openDevice(DevComm::COM, ups.portPath());
    QTRY_VERIFY_WITH_TIMEOUT(data.count() > 0, 15000);
}

void TestServiceScheduleTask::init()
{
    QSqlQuery().exec(QStringLiteral("delete from schedule_task"));
    at(QStringLiteral("11:00:00"));
    service.reset(new ServiceScheduleTask);
    ups.clearReceived();
}

void TestServiceScheduleTask::cleanup()
{
    service.reset();
    Clock::setNow(QDateTime());
}

void TestServiceScheduleTask::at(const QString &time, int day)
{
    QTime clock = QTime::fromString(time, QStringLiteral("hh:mm:ss.zzz"));
    if (!clock.isValid())
        clock = QTime::fromString(time, QStringLiteral("hh:mm:ss"));
    Clock::setNow(QDateTime(QDate(2024, 5, day), clock));
}

void TestServiceScheduleTask::reload()
{
    service->reload();
    tick();
}

void TestServiceScheduleTask::addTask(int cycle, const QString &time, int action, bool enable)
{
    service->model()->addTask(QVariantMap{{QStringLiteral("cycle"), cycle},
                                          {QStringLiteral("time"), time},
                                          {QStringLiteral("action"), action},
                                          {QStringLiteral("enable"), enable}});
}

QList<QByteArray> TestServiceScheduleTask::commandsAfter(const QList<QByteArray> &expected)
{
    const auto arrived = [&] {
        for (const QByteArray &command : expected)
            if (!ups.received().contains(command))
                return false;
        return true;
    };
    // On a time-out the caller's comparison shows what is missing.
    (void)QTest::qWaitFor(arrived, 10000);
    QTest::qWait(400); // room for anything unexpected to arrive as well
    QList<QByteArray> commands;
    for (const QByteArray &command : ups.received())
        if (!command.startsWith('Q') && command != "BT" && command != "BP" && command != "F"
            && command != "I" && command != "A1" && command != "NQU")
            commands.append(command);
    ups.clearReceived();
    return commands;
}

void TestServiceScheduleTask::dailyTaskRunsOnceWhenDue()
{
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::SelfTest10S);
    reload();
    at(QStringLiteral("11:59:59.999"));
    tick();
    at(QStringLiteral("12:00:00"));
    tick();
    tick();
    at(QStringLiteral("12:00:01"));
    tick();
    QCOMPARE(commandsAfter({"T"}), QList<QByteArray>{"T"});
    QCOMPARE(service->model()->data(service->model()->index(0, 0), 259).toString(),
             QStringLiteral("2024-05-07 12:00:00"));
    at(QStringLiteral("12:00:00"), 7);
    tick();
    QCOMPARE(commandsAfter({"T"}), QList<QByteArray>{"T"});
}

void TestServiceScheduleTask::oneShotRunsOnceAndIsSwitchedOff()
{
    addTask(ScheduleTaskData::OneShoot, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOn);
    reload();
    at(QStringLiteral("12:00:00"));
    tick();
    QCOMPARE(commandsAfter({"C"}), QList<QByteArray>{"C"});
    QSqlQuery query(QStringLiteral("select enable from schedule_task"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toBool(), false);
    at(QStringLiteral("12:00:00"), 7);
    tick();
    tick();
    QTest::qWait(400);
    QCOMPARE(commandsAfter({}), QList<QByteArray>());
}

void TestServiceScheduleTask::dueTogetherRunInRowOrder()
{
    addTask(ScheduleTaskData::OneShoot, QStringLiteral("12:00:00"), ScheduleTaskData::SelfTestToEOD);
    addTask(ScheduleTaskData::OneShoot, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOn);
    reload();
    QSignalSpy written(service->model(), &QAbstractItemModel::dataChanged);
    at(QStringLiteral("12:00:00"));
    tick();
    // Each one-shot task is switched off right after it ran.
    QList<int> rows;
    for (const QList<QVariant> &signal : qAsConst(written)) {
        const int row = signal.at(0).toModelIndex().row();
        if (rows.isEmpty() || rows.last() != row)
            rows.append(row);
    }
    QCOMPARE(rows, (QList<int>{0, 1}));
    QList<QByteArray> commands = commandsAfter({"TL", "C"});
    std::sort(commands.begin(), commands.end());
    QCOMPARE(commands, (QList<QByteArray>{"C", "TL"}));
}

void TestServiceScheduleTask::deletedRowNeverRuns()
{
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOn);
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("13:00:00"), ScheduleTaskData::SelfTest10S);
    reload();
    service->model()->delTask(0); // the 13:00 task moves up to row 0
    at(QStringLiteral("12:00:00"));
    tick();
    QTest::qWait(400);
    QCOMPARE(commandsAfter({}), QList<QByteArray>());
    at(QStringLiteral("13:00:00"));
    tick();
    QCOMPARE(commandsAfter({"T"}), QList<QByteArray>{"T"});
}

void TestServiceScheduleTask::switchedOffTaskNeverRuns()
{
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOn, false);
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::SelfTest10S);
    reload();
    // Switched off through the model after the list was built.
    QVERIFY(service->model()->setData(service->model()->index(1, 0), false, 261));
    at(QStringLiteral("12:00:00"));
    tick();
    at(QStringLiteral("12:00:00"), 7);
    tick();
    QTest::qWait(400);
    QCOMPARE(commandsAfter({}), QList<QByteArray>());
}

void TestServiceScheduleTask::missedOneShotWaitsForNextDay()
{
    at(QStringLiteral("13:00:00"));
    addTask(ScheduleTaskData::OneShoot, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOn);
    reload();
    tick();
    at(QStringLiteral("23:59:59"));
    tick();
    QTest::qWait(400);
    QCOMPARE(commandsAfter({}), QList<QByteArray>());
    at(QStringLiteral("12:00:00"), 7);
    tick();
    QCOMPARE(commandsAfter({"C"}), QList<QByteArray>{"C"});
}

void TestServiceScheduleTask::clockJumpRunsOnce()
{
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::SelfTest10S);
    reload();
    at(QStringLiteral("17:30:00")); // jumped past the due time
    tick();
    tick();
    Clock::advance(1);
    tick();
    QCOMPARE(commandsAfter({"T"}), QList<QByteArray>{"T"});
    at(QStringLiteral("11:59:59"), 7);
    tick();
    QTest::qWait(400);
    QCOMPARE(commandsAfter({}), QList<QByteArray>());
}

void TestServiceScheduleTask::powerOffStartsTenSecondCountdown()
{
    ServiceShutdown *shutdown = ServiceShutdown::instance();
    QSignalSpy started(shutdown, &ServiceShutdown::shutdownStarted);
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:00"), ScheduleTaskData::PowerOff);
    addTask(ScheduleTaskData::EveryDay, QStringLiteral("12:00:05"), ScheduleTaskData::PowerOff);
    reload();
    at(QStringLiteral("12:00:00"));
    tick();
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 10);
    QSignalSpy left(shutdown, &ServiceShutdown::shutdownTimeChanged);
    for (int i = 0; i < 5; ++i)
        shutdown->onTimerTimeout();
    // A second power-off task while the countdown runs changes nothing.
    at(QStringLiteral("12:00:05"));
    tick();
    QCOMPARE(started.count(), 1);
    shutdown->onTimerTimeout();
    QCOMPARE(left.last().at(0).toInt(), 4);

    // Back to idle; the switch-off also cancels at the UPS.
    shutdown->setAmbrelOffEnable(true);
    shutdown->setAmbrelOffEnable(false);
    QCOMPARE(commandsAfter({"C"}), QList<QByteArray>{"C"});
}

AMBREL_TEST_MAIN(TestServiceScheduleTask)
#include "tst_servicescheduletask.moc"
