// The shutdown service on a live serial link: the simulated UPS reports the
// mains failure and receives the UPS-off and cancel commands.
#include "devcomm.h"
#include "fakeplatform.h"
#include "serviceshutdown.h"
#include "settings.h"
#include "simulatedups.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestServiceShutdownUps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void upsOffAtTenAndTwoAndCancelOnMainsReturn();

private:
    int countOf(const QByteArray &command) const;

    FakePlatform platform;
    SimulatedUps ups;
};

int TestServiceShutdownUps::countOf(const QByteArray &command) const
{
    return ups.received().count(command);
}

void TestServiceShutdownUps::initTestCase()
{
    TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    QVERIFY(ups.isOpen());
    ServiceShutdown *service = ServiceShutdown::instance();
    service->setAmbrelOffEnable(true);
    service->setMainFaultOffTime(1);
    service->setBattLowOffTime(0);
    service->setUpsOffEnable(true);
    service->setUpsOffTime(1);
    service->setExecEnable(0);
    service->setOsOffEnable(true);

    DevComm *link = DevComm::instance();
    QSignalSpy data(link, &DevComm::devDataChanged);
    link->openDevice(DevComm::COM, ups.portPath());
    QTRY_VERIFY_WITH_TIMEOUT(data.count() > 0, 15000);
}

void TestServiceShutdownUps::upsOffAtTenAndTwoAndCancelOnMainsReturn()
{
    ServiceShutdown *service = ServiceShutdown::instance();
    QSignalSpy started(service, &ServiceShutdown::shutdownStarted);

    ups.state().status = "10001000"; // mains failure
    QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 15000);
    QCOMPARE(started.at(0).at(0).toInt(), 60);

    for (int i = 0; i < 50; ++i)
        service->onTimerTimeout();
    QTest::qWait(300);
    QCOMPARE(countOf("S01"), 0);
    service->onTimerTimeout(); // finds 10
    QTRY_COMPARE_WITH_TIMEOUT(countOf("S01"), 1, 10000);
    for (int i = 0; i < 7; ++i) // finds 9 .. 3
        service->onTimerTimeout();
    QTest::qWait(300);
    QCOMPARE(countOf("S01"), 1);
    service->onTimerTimeout(); // finds 2
    QTRY_COMPARE_WITH_TIMEOUT(countOf("S01"), 2, 10000);

    ups.state().status = "00001000"; // mains back
    QTRY_COMPARE_WITH_TIMEOUT(started.count(), 2, 15000);
    QCOMPARE(started.at(1).at(0).toInt(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(countOf("C"), 1, 10000);
    service->onTimerTimeout();
    QCOMPARE(platform.powerOffCount(), 0);
}

AMBREL_TEST_MAIN(TestServiceShutdownUps)
#include "tst_serviceshutdownups.moc"
