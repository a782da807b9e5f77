// The shutdown service on a serial link to a simulated UPS: the UPS state
// comes through the link, and the UPS-off and cancel commands are checked
// where the UPS receives them. The tick is driven directly.
#include "fakeplatform.h"
#include "link/devcomm.h"
#include "protection/serviceshutdown.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "teststore.h"
#include "upstestutil.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kFile = QStringLiteral("/opt/site/on-battery.sh");
}

class TestServiceShutdownSerial : public QObject
{
    Q_OBJECT

    SimulatedUps ups;
    DevComm *link = nullptr;
    ServiceShutdown *service = nullptr;
    QScopedPointer<FakePlatform> platform;
    QScopedPointer<QSignalSpy> started;
    QScopedPointer<QSignalSpy> timeLeft;

    bool online() const { return link->isOnline(); }
    // The output shutdown and cancel commands the UPS received, in order.
    QStringList upsCommands() const
    {
        QStringList commands;
        for (const QByteArray &command : ups.received())
            if (command.startsWith('S') || command == "C")
                commands.append(QString::fromLatin1(command));
        return commands;
    }
    // Sets the status bits at the UPS and waits until the link reports them.
    bool report(quint8 status)
    {
        QByteArray bits(8, '0');
        for (int bit = 0; bit < 8; ++bit)
            bits[bit] = char('0' + ((status >> bit) & 1));
        ups.state().status = bits;
        return QTest::qWaitFor([&] { return online() && link->upsData()->status == status; }, 10000);
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            service->onTimerTimeout();
    }

private slots:
    void initTestCase()
    {
        TestStore::open();
        QVERIFY(ups.isOpen());
        service = ServiceShutdown::instance();
        link = DevComm::instance();
        QVERIFY(link->openDevice(DevComm::COM, ups.portPath()));
        QTRY_VERIFY_WITH_TIMEOUT(online(), 15000);
    }

    void init()
    {
        platform.reset(new FakePlatform);
        ups.setSilent(false);
        QTRY_VERIFY_WITH_TIMEOUT(online(), 15000);
        // Switching off and on again leaves the service idle and sends one
        // cancel; it is out once the UPS has it.
        ups.clearReceived();
        service->setAmbrelOffEnable(true);
        service->setAmbrelOffEnable(false);
        QVERIFY(report(0));
        service->setAmbrelOffEnable(true);
        QTRY_VERIFY_WITH_TIMEOUT((UpsTestUtil::poll(link), upsCommands().contains("C")), 10000);
        ups.clearReceived();
        service->setMainFaultOffTime(1);
        service->setBattLowOffTime(0);
        service->setUpsOffEnable(true);
        service->setUpsOffTime(1);
        service->setExecEnable(0);
        service->setExecTime(2);
        service->setExecFile(kFile);
        service->setOsOffEnable(true);
        started.reset(new QSignalSpy(service, &ServiceShutdown::shutdownStarted));
        timeLeft.reset(new QSignalSpy(service, &ServiceShutdown::shutdownTimeChanged));
    }

    void cleanup()
    {
        platform->release();
        QTest::qWait(50); // a command-file thread of this test ends before the fake
        platform.reset();
    }

    // Steps: uN the UPS reports status N, tN N ticks, L the UPS stops
    // answering until the link counts as lost, O it answers again, sN
    // startCountdown(N), xN command file off/on, h hold command files.
    // Checks: =N seconds left, pN power-offs so far, w the command file
    // was asked for once.
    void scenario_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("starts"); // every shutdownStarted
        QTest::addColumn<QStringList>("received"); // by the UPS

        QTest::newRow("UPS off at 10 and 2, cancel on mains return")
            << "u1 t58 =2 t1 =1 u0 p0" << QList<int>{60, 0} << QStringList{"S01", "S01", "C"};
        // With the mains present the UPS is to come back after a while.
        QTest::newRow("power-off with mains present") << "s0 t10 p1" << QList<int>{10}
                                                      << QStringList{"S01R9999", "S01R9999"};
        // The link is lost with the mains out: the countdown goes on, and the
        // UPS is told to switch off for the outage it reported.
        QTest::newRow("link lost during countdown") << "u1 t40 L t20 =0 p1" << QList<int>{60}
                                                    << QStringList{"S01", "S01"};
        QTest::newRow("link back, then mains back") << "u1 t10 L t1 =49 O t1 =48 u0 t5 p0" << QList<int>{60, 0}
                                                    << QStringList{"C"};
        // While the command file runs, neither a low battery nor a scheduled
        // power-off starts a countdown again: the wait already set holds.
        QTest::newRow("battery low during the file's wait") << "x1 h u1 t60 w u3 t118 p0 t1 p1 w" << QList<int>{60}
                                                            << QStringList{"S01", "S01"};
        QTest::newRow("power-off during the file's wait") << "x1 h u1 t60 w s0 t118 p0 t1 p1 w" << QList<int>{60}
                                                          << QStringList{"S01", "S01"};
    }

    void scenario()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, received);
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const int n = step.midRef(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'u': QVERIFY(report(quint8(n))); break;
            case 't': ticks(n); break;
            case 'L':
                ups.setSilent(true);
                QTRY_VERIFY_WITH_TIMEOUT((UpsTestUtil::poll(link), !online()), 10000);
                break;
            case 'O':
                ups.setSilent(false);
                QTRY_VERIFY_WITH_TIMEOUT((UpsTestUtil::poll(link), online()), 10000);
                break;
            case 's': service->startCountdown(n); break;
            case 'x': service->setExecEnable(n); break;
            case 'h': platform->holdCommandFiles(true); break;
            case 'w': QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles(), QStringList{kFile}, 5000); break;
            case '=': QCOMPARE(timeLeft->last().at(0).toInt(), n); break;
            case 'p': QCOMPARE(platform->powerOffCount(), n); break;
            default: QFAIL(qPrintable(step));
            }
        }
        QTEST(UpsTestUtil::firstArguments(*started), "starts");
        // User commands go out ahead of the polls, one per poll tick.
        QTRY_COMPARE_WITH_TIMEOUT((UpsTestUtil::poll(link), upsCommands()), received, 10000);
        UpsTestUtil::poll(link, 2);
        QTest::qWait(100);
        QCOMPARE(upsCommands(), received);
    }
};

AMBREL_TEST_MAIN(TestServiceShutdownSerial)
#include "tst_serviceshutdownserial.moc"
