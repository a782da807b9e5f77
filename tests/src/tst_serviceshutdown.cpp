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
    void countdownLength_data();
    void countdownLength();
    void runningCountdownIsOnlyShortened();
    void lowCapacityCutsToTenSeconds();
    void mainsReturnCancels();
    void startCountdownIsNotCancelledByMains();
    void commandFileEndsWaitEarly();
    void commandFileWaitIsBounded();
    void switchingOffCancels();
    void cancelledCountdownIgnoresItsCommandFile();
    void reloadLeavesCountdownAlone();

private:
    void update(quint8 status);
    void ticks(int count);
    int left();

    ServiceShutdown *service = nullptr;
    UPSData *ups = nullptr;
    QScopedPointer<FakePlatform> platform;
    QScopedPointer<QSignalSpy> started;
    QScopedPointer<QSignalSpy> timeLeft;
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
    service->setAmbrelOffEnable(true);
    service->setAmbrelOffEnable(false);
    service->setAmbrelOffEnable(true);
    service->setMainFaultOffTime(5);
    service->setBattLowOffTime(0);
    service->setMainFaultOffCap(20);
    service->setUpsOffEnable(true);
    service->setExecEnable(0);
    service->setExecTime(2);
    service->setExecFile(QStringLiteral("/opt/site/on-battery.sh"));
    service->setOsOffEnable(true);
    started.reset(new QSignalSpy(service, &ServiceShutdown::shutdownStarted));
    timeLeft.reset(new QSignalSpy(service, &ServiceShutdown::shutdownTimeChanged));
}

void TestServiceShutdown::cleanup()
{
    service->setAmbrelOffEnable(false);
    platform->release();
    QTest::qWait(50); // a command-file thread of this test ends before the fake
    platform.reset();
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

int TestServiceShutdown::left()
{
    return timeLeft->isEmpty() ? -1 : timeLeft->last().at(0).toInt();
}

void TestServiceShutdown::mainFaultTimeZeroIgnoresMains()
{
    service->setMainFaultOffTime(0);
    update(0x01);
    update(0x00);
    update(0x01);
    QCOMPARE(started->count(), 0);
    // The mains fault was not taken in, so a low capacity does not cut short.
    service->startCountdown(1);
    ups->battCapacity = 5.0f;
    ticks(1);
    QCOMPARE(left(), 59);
}

void TestServiceShutdown::mainsFailureCountsDownAndShutsDown()
{
    update(0x01);
    update(0x01); // nothing new
    QCOMPARE(started->count(), 1);
    QCOMPARE(started->at(0).at(0).toInt(), 300);

    ticks(299);
    QCOMPARE(timeLeft->count(), 299);
    QCOMPARE(timeLeft->first().at(0).toInt(), 299);
    QCOMPARE(left(), 1);
    QCOMPARE(platform->powerOffCount(), 0);
    QVERIFY(!QFile::exists(ShutdownLog::path()));

    ticks(1);
    QCOMPARE(left(), 0);
    QCOMPARE(platform->powerOffCount(), 1);
    QFile log(ShutdownLog::path());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("{\n    \"Term\": [\n        \"shell\"\n    ]\n}\n"));

    ticks(5); // idle: nothing counted, nothing asked again
    QCOMPARE(timeLeft->count(), 300);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::osOffClearKeepsSystemUp()
{
    service->setMainFaultOffTime(1);
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
    // The file's end was used up: enabling the shutdown later does not take
    // the system down without a countdown.
    service->setOsOffEnable(true);
    ticks(3);
    QCOMPARE(platform->powerOffCount(), 0);
}

void TestServiceShutdown::countdownLength_data()
{
    QTest::addColumn<int>("mainFaultTime");
    QTest::addColumn<int>("battLowTime");
    QTest::addColumn<QList<int>>("updates");
    QTest::addColumn<int>("expected"); // first shutdownStarted, -1 for none

    QTest::newRow("mains and battery low together") << 5 << 0 << QList<int>{3} << 10;
    QTest::newRow("together, battery time shorter") << 5 << 2 << QList<int>{3} << 120;
    QTest::newRow("together, mains time shorter") << 1 << 2 << QList<int>{3} << 60;
    QTest::newRow("battery low alone, mains fine") << 5 << 1 << QList<int>{2} << -1;
    // A battery that goes low while the mains is out counts on its own, also
    // without a mains-fault time; so does a mains failure on a low battery.
    QTest::newRow("battery low on battery, no mains time") << 0 << 3 << QList<int>{1, 3} << 180;
    QTest::newRow("battery low on battery, 0 minutes") << 0 << 0 << QList<int>{1, 3} << 10;
    QTest::newRow("mains fails on low battery") << 5 << 1 << QList<int>{2, 3} << 60;
}

void TestServiceShutdown::countdownLength()
{
    QFETCH(int, mainFaultTime);
    QFETCH(int, battLowTime);
    QFETCH(QList<int>, updates);
    QFETCH(int, expected);
    service->setMainFaultOffTime(mainFaultTime);
    service->setBattLowOffTime(battLowTime);
    for (int status : updates)
        update(quint8(status));
    QCOMPARE(started->isEmpty() ? -1 : started->first().at(0).toInt(), expected);
    if (expected < 0)
        return;
    QCOMPARE(started->count(), 1);
    ticks(expected - 1);
    QCOMPARE(platform->powerOffCount(), 0);
    ticks(1);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::runningCountdownIsOnlyShortened()
{
    service->setBattLowOffTime(2);
    update(0x01);
    ticks(1);
    update(0x03); // the battery goes low on battery: 2 minutes
    ticks(1);
    QCOMPARE(left(), 119);
    update(0x02); // mains back, battery still low: 5 minutes would be longer
    ticks(1);
    QCOMPARE(left(), 118);
    update(0x01); // the battery recovering alone changes nothing
    ticks(1);
    QCOMPARE(left(), 117);
    QCOMPARE(started->count(), 1);
}

void TestServiceShutdown::lowCapacityCutsToTenSeconds()
{
    service->setMainFaultOffCap(50);
    update(0x01);
    ticks(1);
    ups->battCapacity = 50.0f; // not below
    ticks(1);
    QCOMPARE(left(), 298);
    ups->battCapacity = 49.9f;
    ticks(1);
    QCOMPARE(left(), 9);
    ticks(9);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::mainsReturnCancels()
{
    update(0x01);
    ticks(3);
    timeLeft->clear();
    update(0x00);
    QCOMPARE(started->count(), 2);
    QCOMPARE(started->last().at(0).toInt(), 0);
    ticks(400);
    QCOMPARE(timeLeft->count(), 0);
    QCOMPARE(platform->powerOffCount(), 0);

    // Also for a countdown that only the battery rule started.
    service->setMainFaultOffTime(0);
    update(0x01);
    update(0x03);
    QCOMPARE(started->last().at(0).toInt(), 10);
    update(0x00);
    QCOMPARE(started->last().at(0).toInt(), 0);
    ticks(20);
    QCOMPARE(platform->powerOffCount(), 0);
}

void TestServiceShutdown::startCountdownIsNotCancelledByMains()
{
    service->setAmbrelOffEnable(false);
    started->clear();
    service->startCountdown(0); // even while switched off
    service->startCountdown(3); // running: nothing
    QCOMPARE(started->count(), 1);
    QCOMPARE(started->at(0).at(0).toInt(), 10);
    ticks(4);

    service->setAmbrelOffEnable(true);
    started->clear();
    update(0x01);
    update(0x00);
    QCOMPARE(started->count(), 0);
    ticks(5);
    QCOMPARE(platform->powerOffCount(), 0);
    ticks(1);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::commandFileEndsWaitEarly()
{
    service->setExecEnable(1);
    platform->holdCommandFiles(true);
    service->startCountdown(0);
    ticks(10);
    QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles(),
                              QStringList{QStringLiteral("/opt/site/on-battery.sh")}, 5000);
    ticks(30);
    QCOMPARE(platform->powerOffCount(), 0);
    platform->release();
    QTRY_VERIFY_WITH_TIMEOUT((ticks(1), platform->powerOffCount() == 1), 5000);
    ticks(120); // the end of the wait asks for nothing more
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::commandFileWaitIsBounded()
{
    service->setExecEnable(1);
    platform->holdCommandFiles(true); // a file that never ends
    service->startCountdown(0);
    ticks(10); // the file starts on this tick, the first of the 120
    ticks(118);
    QCOMPARE(platform->powerOffCount(), 0);
    ticks(1);
    QCOMPARE(platform->powerOffCount(), 1);
    ticks(5);
    QCOMPARE(platform->powerOffCount(), 1);
}

void TestServiceShutdown::switchingOffCancels()
{
    service->setAmbrelOffEnable(false); // idle: still says so
    service->setAmbrelOffEnable(false); // no change: nothing
    QCOMPARE(started->count(), 1);
    QCOMPARE(started->at(0).at(0).toInt(), 0);

    service->startCountdown(0);
    service->setAmbrelOffEnable(true);
    service->setAmbrelOffEnable(false);
    QCOMPARE(started->last().at(0).toInt(), 0);
    ticks(20);
    QCOMPARE(platform->powerOffCount(), 0);
    update(0x01); // switched off: the UPS state is not looked at
    QCOMPARE(started->last().at(0).toInt(), 0);
}

void TestServiceShutdown::cancelledCountdownIgnoresItsCommandFile()
{
    service->setMainFaultOffTime(1);
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

void TestServiceShutdown::reloadLeavesCountdownAlone()
{
    service->startCountdown(0);
    Settings::instance()->setSettings(Settings::ShutdownMainFaultTime, 9);
    Settings::instance()->setSettings(Settings::ShutdownEnable, false);
    service->onSettingsChanged();
    QCOMPARE(service->mainFaultOffTime(), 9);
    QCOMPARE(service->ambrelOffEnable(), false);
    ticks(1);
    QCOMPARE(left(), 9);
}

AMBREL_TEST_MAIN(TestServiceShutdown)
#include "tst_serviceshutdown.moc"
