// The schedule-task service and the shutdown service on a simulated serial
// UPS: due tasks run on the tick whose second has come, and the UPS receives
// the commands of both.
#include "records/clock.h"
#include "records/database.h"
#include "link/devcomm.h"
#include "fakeplatform.h"
#include "protection/listmodelscheduletask.h"
#include "protection/scheduletaskdata.h"
#include "protection/servicescheduletask.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <ctime>

using Commands = QList<QByteArray>;

class TestServiceScheduleTask : public QObject
{
    Q_OBJECT

    FakePlatform platform;
    SimulatedUps ups;
    QScopedPointer<ServiceScheduleTask> service;

    // Sets the clock to a time of day on a day of May 2024.
    void at(const char *time, int day = 6)
    {
        const QTime clock = QTime::fromString(time, Qt::ISODateWithMs);
        QVERIFY(clock.isValid());
        Clock::setNow(QDateTime(QDate(2024, 5, day), clock));
    }
    void tick() { service->onTick(); }
    void addTask(int cycle, const char *time, int action, bool enable = true)
    {
        service->model()->addTask(QVariantMap{{"cycle", cycle}, {"time", QString::fromLatin1(time)},
                                              {"action", action}, {"enable", enable}});
    }
    // The commands the UPS received since the last call, other than polls,
    // once the expected ones have come and a little more time has passed;
    // with allQueued, once the UPS is polled after them: the link sends
    // every command queued before the next poll.
    Commands commandsAfter(const Commands &expected, bool allQueued = false)
    {
        const Commands polls{"BT", "BP", "F", "I", "A1", "NQU"};
        const auto isPoll = [&polls](const QByteArray &c) { return c.startsWith('Q') || polls.contains(c); };
        // On a time-out the caller's comparison shows what is missing.
        (void)QTest::qWaitFor([&] {
            const Commands received = ups.received();
            const auto lastCommand = std::find_if_not(received.rbegin(), received.rend(), isPoll);
            return std::all_of(expected.begin(), expected.end(),
                               [&](const QByteArray &c) { return received.contains(c); })
                && (!allQueued || std::any_of(received.rbegin(), lastCommand, isPoll));
        }, 10000);
        if (!allQueued)
            QTest::qWait(400);
        Commands commands;
        for (const QByteArray &command : ups.received())
            if (!isPoll(command))
                commands.append(command);
        ups.clearReceived();
        return commands;
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC0");
        tzset();
        TestStore::open();
        QVERIFY(ups.isOpen());
        QSignalSpy data(DevComm::instance(), &DevComm::devDataChanged);
        DevComm::instance()->openDevice(DevComm::COM, ups.portPath());
        QTRY_VERIFY_WITH_TIMEOUT(data.count() > 0, 15000);
    }

    void init()
    {
        QSqlQuery().exec(QStringLiteral("delete from schedule_task"));
        at("11:00:00");
        service.reset(new ServiceScheduleTask);
        ups.clearReceived();
    }

    void cleanup()
    {
        service.reset();
        Clock::setNow(QDateTime());
    }

    void dailyTaskRunsOnceWhenDue()
    {
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::SelfTest10S);
        service->reload();
        at("11:59:59.999");
        tick();
        at("12:00:00");
        tick();
        tick();
        at("12:00:01");
        tick();
        QCOMPARE(commandsAfter({"T"}), Commands{"T"});
        QCOMPARE(service->model()->data(service->model()->index(0, 0), 259).toString(),
                 QStringLiteral("2024-05-07 12:00:00"));
        at("12:00:00", 7);
        tick();
        QCOMPARE(commandsAfter({"T"}), Commands{"T"});
    }

    // Due together: both run, each one-shot task is switched off after it
    // ran, and never runs again.
    void oneShotsRunAndAreSwitchedOff()
    {
        addTask(ScheduleTaskData::OneShoot, "12:00:00", ScheduleTaskData::SelfTestToEOD);
        addTask(ScheduleTaskData::OneShoot, "12:00:00", ScheduleTaskData::PowerOn);
        service->reload();
        at("12:00:00");
        tick();
        Commands commands = commandsAfter({"TL", "C"});
        std::sort(commands.begin(), commands.end());
        QCOMPARE(commands, (Commands{"C", "TL"}));
        QSqlQuery query(QStringLiteral("select count(*) from schedule_task where enable"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        at("12:00:00", 7);
        tick();
        tick();
        QCOMPARE(commandsAfter({}), Commands());
    }

    void deletedOrSwitchedOffRowsNeverRun()
    {
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::PowerOn);
        addTask(ScheduleTaskData::EveryDay, "13:00:00", ScheduleTaskData::SelfTest10S);
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::SelfTestToEOD, false);
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::SelfTestToEOD);
        service->reload();
        service->model()->delTask(0); // the 13:00 task moves up to row 0
        // Switched off through the model after the list was built.
        QVERIFY(service->model()->setData(service->model()->index(2, 0), false, 261));
        at("12:00:00");
        tick();
        QCOMPARE(commandsAfter({}), Commands());
        at("13:00:00");
        tick();
        QCOMPARE(commandsAfter({"T"}), Commands{"T"});
    }

    // A change of the list (a one-shot task switching itself off, a user
    // edit, a reload) is taken in by the next tick; a task due in that
    // tick's second, or since the tick before, still runs then.
    void taskDueRightAfterAChangeRuns_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("one-shot switched off") << "oneShot";
        QTest::newRow("user edit") << "edit";
        QTest::newRow("reload") << "reload";
    }

    void taskDueRightAfterAChangeRuns()
    {
        QFETCH(QString, change);
        addTask(ScheduleTaskData::OneShoot, "12:00:00", ScheduleTaskData::SelfTest10S);
        addTask(ScheduleTaskData::EveryDay, "12:00:01", ScheduleTaskData::SelfTestToEOD);
        addTask(ScheduleTaskData::EveryDay, "12:00:03", ScheduleTaskData::PowerOn);
        service->reload();
        at(change == "oneShot" ? "12:00:00" : "11:59:59");
        tick();
        if (change == "edit")
            QVERIFY(service->model()->setData(service->model()->index(0, 0), false, 261));
        else if (change == "reload")
            service->reload();
        at("12:00:01");
        tick();
        service->model()->updateTask(0, QVariantMap{{"cycle", 0}, {"time", "09:00:00"}, {"action", 0}});
        at("12:00:04"); // a late tick
        tick();
        // Only the edit switched the one-shot task off before its time.
        const Commands expected = change == "edit" ? Commands{"C", "TL"} : Commands{"C", "T", "TL"};
        Commands commands = commandsAfter(expected);
        std::sort(commands.begin(), commands.end());
        QCOMPARE(commands, expected);
    }

    void missedTimesAreNotMadeUp()
    {
        // Started at 11:00: a one-shot task for 10:00 waits for the next day.
        addTask(ScheduleTaskData::OneShoot, "10:00:00", ScheduleTaskData::PowerOn);
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::SelfTest10S);
        service->reload();
        at("17:30:00"); // the clock jumps past the daily task's time: it runs once
        tick();
        tick();
        Clock::advance(1);
        tick();
        QCOMPARE(commandsAfter({"T"}), Commands{"T"});
        at("10:00:00", 7);
        tick();
        QCOMPARE(commandsAfter({"C"}), Commands{"C"});
    }

    // Second by second through the nights the clocks change, each task runs
    // once: in the hour skipped right after the change, in the hour repeated
    // the first time only, also when the list is rebuilt then.
    void clockChangesRunEachTaskOnce_data()
    {
        QTest::addColumn<QDateTime>("start"); // 01:59 local time
        QTest::newRow("forward") << QDateTime(QDate(2024, 3, 31), QTime(0, 59), Qt::UTC);
        QTest::newRow("back") << QDateTime(QDate(2024, 10, 26), QTime(23, 59), Qt::UTC);
    }

    void clockChangesRunEachTaskOnce()
    {
        QFETCH(QDateTime, start);
        const TestEnvironment::CentralEuropeanTime zone;
        addTask(ScheduleTaskData::EveryDay, "02:30:00", ScheduleTaskData::PowerOn);
        addTask(ScheduleTaskData::EveryDay, "03:00:00", ScheduleTaskData::SelfTest10S);
        const QDateTime rebuilt(QDate(2024, 10, 27), QTime(1, 10), Qt::UTC); // 02:10, the second time
        Clock::setNow(start.toLocalTime());
        service->reload();
        for (int second = 0; second < 8100; ++second, Clock::advance(1)) {
            if (Clock::now() == rebuilt)
                service->reload();
            tick();
        }
        Commands commands = commandsAfter({"C", "T"}, true);
        std::sort(commands.begin(), commands.end());
        QCOMPARE(commands, (Commands{"C", "T"}));
    }

    // The shutdown service tells the UPS to switch off ("S01" with one minute
    // while the mains is out) at the ticks that find 10 and 2, and cancels
    // with "C" when the mains returns.
    void shutdownUpsOffAtTenAndTwoAndCancelOnMainsReturn()
    {
        ServiceShutdown *shutdown = ServiceShutdown::instance();
        shutdown->setAmbrelOffEnable(true);
        shutdown->setMainFaultOffTime(1);
        shutdown->setBattLowOffTime(0);
        shutdown->setUpsOffEnable(true);
        shutdown->setUpsOffTime(1);
        shutdown->setExecEnable(0);
        shutdown->setOsOffEnable(true);
        QSignalSpy started(shutdown, &ServiceShutdown::shutdownStarted);
        const auto ticks = [shutdown](int count) {
            for (int i = 0; i < count; ++i)
                shutdown->onTimerTimeout();
        };
        const auto upsOffs = [this] { return ups.received().count("S01"); };

        ups.state().status = "10001000"; // mains failure
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 15000);
        QCOMPARE(started.at(0).at(0).toInt(), 60);
        ticks(50);
        QTest::qWait(300);
        QCOMPARE(upsOffs(), 0);
        ticks(1); // finds 10
        QTRY_COMPARE_WITH_TIMEOUT(upsOffs(), 1, 10000);
        ticks(7); // finds 9 .. 3
        QTest::qWait(300);
        QCOMPARE(upsOffs(), 1);
        ticks(1); // finds 2
        QTRY_COMPARE_WITH_TIMEOUT(upsOffs(), 2, 10000);

        ups.state().status = "00001000"; // mains back
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 2, 15000);
        QCOMPARE(started.at(1).at(0).toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ups.received().count("C"), 1, 10000);
        ticks(1);
        QCOMPARE(platform.powerOffCount(), 0);
    }

    void powerOffStartsTenSecondCountdown()
    {
        ServiceShutdown *shutdown = ServiceShutdown::instance();
        shutdown->setAmbrelOffEnable(false);
        QSignalSpy started(shutdown, &ServiceShutdown::shutdownStarted);
        QSignalSpy left(shutdown, &ServiceShutdown::shutdownTimeChanged);
        addTask(ScheduleTaskData::EveryDay, "12:00:00", ScheduleTaskData::PowerOff);
        addTask(ScheduleTaskData::EveryDay, "12:00:05", ScheduleTaskData::PowerOff);
        service->reload();
        at("12:00:00");
        tick();
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.at(0).at(0).toInt(), 10);
        for (int i = 0; i < 5; ++i)
            shutdown->onTimerTimeout();
        // A second power-off task while the countdown runs changes nothing.
        at("12:00:05");
        tick();
        shutdown->onTimerTimeout();
        QCOMPARE(started.count(), 1);
        QCOMPARE(left.last().at(0).toInt(), 4);
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestServiceScheduleTask)
#include "tst_servicescheduletask.moc"
