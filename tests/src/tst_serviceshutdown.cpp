// The shutdown service's decisions and countdown, on a UPS record set by the
// test and the recording platform; the tick is driven directly.
#include "devcomm.h"
#include "fakeplatform.h"
#include "serviceshutdown.h"
#include "settings.h"
#include "shutdownlog.h"
#include "testenvironment.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

class TestServiceShutdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mainFaultTimeZeroIgnoresMains();
    void mainsFailureCountsDownAndShutsDown();
    void osOffClearKeepsSystemUp();
    void mainsAndBatteryLowTogetherGiveTenSeconds();
    void runningCountdownIsOnlyShortened();
    void lowCapacityCutsToTenSeconds();
    void mainsReturnCancels();
    void startCountdownWhileIdleAndRunning();
    void commandFileEndsCountdownEarly();
    void commandFileWaitIsBounded();
    void switchingOffCancels();
    void batteryLowOnMainsFaultTriggersAlone_data();
    void batteryLowOnMainsFaultTriggersAlone();
    void mainsFailureWithBatteryAlreadyLow();
    void cancelledCountdownIgnoresItsCommandFile();
    void settersWriteSettings();

private:
    void update(quint8 status);
    void ticks(int count);
    void configure(int mainFaultTime, int battLowTime);

    ServiceShutdown *service = nullptr;
    UPSData *ups = nullptr;
    QScopedPointer<FakePlatform> platform;
};

void TestServiceShutdown::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    service = ServiceShutdown::instance();
    ups = DevComm::instance()->upsData();
}

void TestServiceShutdown::init()
{
    platform.reset(new FakePlatform);
    platform->setWindows({{QStringLiteral("Term"), QStringLiteral("shell")}});
    QFile::remove(ShutdownLog::path());
    ups->status = 0;
    ups->battCapacity = 100.0f;
    // Switching off and on again leaves the service idle.
    service->setAmbrelOffEnable(false);
    service->setAmbrelOffEnable(true);
    service->setMainFaultOffCap(20);
    service->setUpsOffEnable(true);
    service->setUpsOffTime(1);
    service->setExecEnable(0);
    service->setExecTime(2);
    service->setExecFile(QStringLiteral("/opt/site/on-battery.sh"));
    service->setOsOffEnable(true);
    configure(0, 0);
}

void TestServiceShutdown::cleanup()
{
    service->setAmbrelOffEnable(false);
    platform->release();
    // Let a command-file thread of this test end before the fake goes.
    QTest::qWait(50);
    platform.reset();
}

void TestServiceShutdown::configure(int mainFaultTime, int battLowTime)
{
    service->setMainFaultOffTime(mainFaultTime);
    service->setBattLowOffTime(battLowTime);
}

void TestServiceShutdown::update(quint8 status)
{
    ups->status = status;
    emit DevComm::instance()->devDataChanged();
}

void TestServiceShutdown::ticks(int count)
{
    for (int i = 0; i < count; ++i)
        service->onTimerTimeout();
}

void TestServiceShutdown::mainFaultTimeZeroIgnoresMains()
{
    configure(0, 5);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    update(0x01);
    update(0x00);
    update(0x01);
    QCOMPARE(started.count(), 0);
    // The mains fault was never taken in, so a low capacity does not cut a
    // countdown short.
    service->startCountdown(1);
    ups->battCapacity = 5.0f;
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    ticks(1);
    QCOMPARE(left.takeFirst().at(0).toInt(), 59);
}

void TestServiceShutdown::mainsFailureCountsDownAndShutsDown()
{
    configure(5, 0);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    update(0x01);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 300);
    update(0x01); // nothing new
    QCOMPARE(started.count(), 1);

    ticks(299);
    QCOMPARE(left.count(), 299);
    QCOMPARE(left.first().at(0).toInt(), 299);
    QCOMPARE(left.last().at(0).toInt(), 1);
    QCOMPARE(platform->powerOffCount(), 0);
    QVERIFY(!QFile::exists(ShutdownLog::path()));

    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 0);
    QCOMPARE(platform->powerOffCount(), 1);
    QFile log(ShutdownLog::path());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("{\n    \"Term\": [\n        \"shell\"\n    ]\n}\n"));

    // Idle afterwards: no further ticks counted, no second request.
    ticks(5);
    QCOMPARE(left.count(), 300);
    QCOMPARE(platform->powerOffCount(), 1);
    QVERIFY(platform->commandFiles().isEmpty());
}

void TestServiceShutdown::osOffClearKeepsSystemUp()
{
    configure(1, 0);
    service->setOsOffEnable(false);
    service->setExecEnable(1);
    update(0x01);
    ticks(60);
    QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles(),
                              QStringList{QStringLiteral("/opt/site/on-battery.sh")}, 5000);
    QTest::qWait(20); // the file's end arrives
    ticks(130);
    QCOMPARE(platform->powerOffCount(), 0);
    QVERIFY(!QFile::exists(ShutdownLog::path()));

    // The file's end was used up: enabling the shutdown later does not
    // take the system down without a countdown.
    service->setOsOffEnable(true);
    ticks(3);
    QCOMPARE(platform->powerOffCount(), 0);
}

void TestServiceShutdown::mainsAndBatteryLowTogetherGiveTenSeconds()
{
    configure(5, 0);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    update(0x03);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 10);
    ticks(10);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::runningCountdownIsOnlyShortened()
{
    configure(5, 2);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    update(0x01);
    ticks(1);
    update(0x03); // battery goes low on battery: 2 minutes
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 119);
    update(0x02); // mains back, battery still low: 5 minutes is longer
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 118);
    QCOMPARE(started.count(), 1);
}

void TestServiceShutdown::lowCapacityCutsToTenSeconds()
{
    configure(5, 0);
    service->setMainFaultOffCap(50);
    update(0x01);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    ticks(1);
    ups->battCapacity = 50.0f; // not below
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 298);
    ups->battCapacity = 49.9f;
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 9);
    ticks(9);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::mainsReturnCancels()
{
    configure(5, 0);
    update(0x01);
    ticks(3);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    update(0x00);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 0);
    ticks(400);
    QCOMPARE(left.count(), 0);
    QCOMPARE(platform->powerOffCount(), 0);
    // A second failure starts afresh.
    update(0x01);
    QCOMPARE(started.last().at(0).toInt(), 300);
}

void TestServiceShutdown::startCountdownWhileIdleAndRunning()
{
    service->setAmbrelOffEnable(false);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    service->startCountdown(0);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 10);
    service->startCountdown(3); // running: nothing
    QCOMPARE(started.count(), 1);
    ticks(4);

    // A mains failure and return do not cancel it.
    service->setAmbrelOffEnable(true);
    started.clear();
    configure(5, 0);
    update(0x01);
    update(0x00);
    QCOMPARE(started.count(), 0);
    ticks(5);
    QCOMPARE(platform->powerOffCount(), 0);
    ticks(1);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::commandFileEndsCountdownEarly()
{
    service->setExecEnable(1);
    platform->holdCommandFiles(true);
    service->startCountdown(0);
    ticks(10);
    QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles().size(), 1, 5000);
    QCOMPARE(platform->commandFiles().first(), QStringLiteral("/opt/site/on-battery.sh"));
    ticks(30);
    QCOMPARE(platform->powerOffCount(), 0);
    platform->release();
    QTest::qWait(20);
    QTRY_VERIFY_WITH_TIMEOUT((ticks(1), platform->powerOffCount() == 1), 5000);
    // The wait's own end later asks for nothing more.
    ticks(120);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::commandFileWaitIsBounded()
{
    service->setExecEnable(1);
    platform->holdCommandFiles(true); // a file that never ends
    service->startCountdown(0);
    ticks(10); // the file starts on this tick, which is the first of the 120
    ticks(118);
    QCOMPARE(platform->powerOffCount(), 0);
    ticks(1);
    QCOMPARE(platform->powerOffCount(), 1);
    ticks(5);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::switchingOffCancels()
{
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    service->setAmbrelOffEnable(false); // idle: still says so
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 0);
    service->setAmbrelOffEnable(false); // no change: nothing
    QCOMPARE(started.count(), 1);

    service->startCountdown(0);
    service->setAmbrelOffEnable(true);
    service->setAmbrelOffEnable(false);
    QCOMPARE(started.last().at(0).toInt(), 0);
    ticks(20);
    QCOMPARE(platform->powerOffCount(), 0);

    // Switched off: the UPS state is not looked at.
    configure(5, 0);
    update(0x01);
    QCOMPARE(started.last().at(0).toInt(), 0);
}

void TestServiceShutdown::batteryLowOnMainsFaultTriggersAlone_data()
{
    QTest::addColumn<int>("mainFaultTime");
    QTest::addColumn<int>("battLowTime");
    QTest::addColumn<int>("expected");
    QTest::newRow("no mains time, 3 min") << 0 << 3 << 180;
    QTest::newRow("no mains time, 0 min") << 0 << 0 << 10;
    QTest::newRow("mains time set") << 5 << 1 << 60;
}

void TestServiceShutdown::batteryLowOnMainsFaultTriggersAlone()
{
    QFETCH(int, mainFaultTime);
    QFETCH(int, battLowTime);
    QFETCH(int, expected);
    configure(mainFaultTime, battLowTime);
    update(0x01);
    ticks(2);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    update(0x03);
    if (mainFaultTime == 0) {
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.at(0).at(0).toInt(), expected);
    } else {
        QCOMPARE(started.count(), 0); // the running countdown is shortened
    }
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), expected - 1);

    // The battery recovering alone changes nothing; the mains return cancels.
    update(0x01);
    QCOMPARE(started.count(), mainFaultTime == 0 ? 1 : 0);
    update(0x00);
    QCOMPARE(started.last().at(0).toInt(), 0);
    ticks(expected);
    QCOMPARE(platform->powerOffCount(), 0);
}

void TestServiceShutdown::mainsFailureWithBatteryAlreadyLow()
{
    configure(5, 1);
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);
    update(0x02); // battery low on mains power: no countdown
    QCOMPARE(started.count(), 0);
    update(0x03);
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), 60);
}

void TestServiceShutdown::cancelledCountdownIgnoresItsCommandFile()
{
    configure(1, 0);
    service->setExecEnable(1);
    platform->holdCommandFiles(true);
    update(0x01);
    ticks(60);
    QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles().size(), 1, 5000);
    update(0x00); // power back while the file runs
    platform->release();
    QTest::qWait(50);
    ticks(200);
    QCOMPARE(platform->powerOffCount(), 0);
}

void TestServiceShutdown::settersWriteSettings()
{
    Settings *settings = Settings::instance();
    service->setMainFaultOffTime(7);
    service->setExecEnable(5);
    service->setExecFile(QStringLiteral("/tmp/x y.sh"));
    service->setShutdownMode(2);
    QCOMPARE(settings->getSettings(Settings::ShutdownMainFaultTime).toInt(), 7);
    QCOMPARE(settings->getSettings(Settings::ShutdownExec).toBool(), true);
    QCOMPARE(service->execEnable(), 1);
    QCOMPARE(service->property("execFile").toString(), QStringLiteral("/tmp/x y.sh"));
    QCOMPARE(settings->getSettings(Settings::ShutdownMode).toInt(), 2);

    // A reload takes the file's values and leaves a running countdown alone.
    service->startCountdown(0);
    settings->setSettings(Settings::ShutdownMainFaultTime, 9);
    service->onSettingsChanged();
    QCOMPARE(service->mainFaultOffTime(), 9);
    QSignalSpy left(service, &ServiceShutdown::shutdownTimeChanged);
    ticks(1);
    QCOMPARE(left.last().at(0).toInt(), 9);
}

AMBREL_TEST_MAIN(TestServiceShutdown)
#include "tst_serviceshutdown.moc"
