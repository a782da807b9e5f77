// The shutdown service on a serial link to a simulated UPS: the UPS state
// comes through the link, and the UPS-off and cancel commands are checked
// where the UPS receives them, also those of the program's end. The tick is
// driven directly.
#include "fakeplatform.h"
#include "link/devcomm.h"
#include "protection/serviceshutdown.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "teststore.h"
#include "upstestutil.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
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
    // Where a service run under this user's account leaves its marker.
    static QString serviceMarker()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/ambrelsvc/data/upsoff.pending");
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
        QFile::remove(serviceMarker());
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
        // Two records more, and the service knows the cancel is out.
        QSignalSpy records(link, &DevComm::devDataChanged);
        QTRY_VERIFY_WITH_TIMEOUT((UpsTestUtil::poll(link), records.count() >= 2), 10000);
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
    // startCountdown(N), xN command file off/on, h hold command files, r
    // release them, M the service's marker of a planned (N 1) or protection
    // (N 0) switch-off, qN wait N ms, RN the system refuses N shutdowns, D it is
    // going down, X the program stops, Q it quits. Checks: =N seconds left,
    // pN power-offs so far, w the command file was asked for once, kN UPS-off
    // and cancel commands received so far, KN command files ended so far.
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
        // With a command file, the UPS is told to switch off when the file's
        // wait ends, twice two seconds apart, the second time with the shutdown.
        QTest::newRow("UPS off after the file's wait") << "x1 h u1 t60 w t118 k0 t1 k1 p0 t1 p0 t1 k2 p1"
                                                       << QList<int>{60} << QStringList{"S01", "S01"};
        QTest::newRow("mains back between the two") << "x1 u1 t60 w q100 t1 k1 t1 u0 t5 p0" << QList<int>{60, 0}
                                                    << QStringList{"S01", "C"};
        // While the command file runs, a scheduled power-off does not start
        // a countdown again; a low battery leaves it 10 seconds at most.
        QTest::newRow("power-off during the file's wait") << "x1 h u1 t60 w s0 t118 k0 p0 t1 k1 t2 p1 w"
                                                          << QList<int>{60} << QStringList{"S01", "S01"};
        QTest::newRow("battery low during the file's wait") << "x1 h u1 t60 w u3 t9 k0 t1 k1 p0 t2 p1 w"
                                                            << QList<int>{60} << QStringList{"S01", "S01"};
        // The program's end while the UPS may switch off, or is about to be
        // told to, tells it at once to cancel; the command file is ended.
        QTest::newRow("stop during the countdown") << "u1 t30 X" << QList<int>{60} << QStringList{"C"};
        QTest::newRow("stop after the UPS-off") << "u1 t59 k2 X" << QList<int>{60} << QStringList{"S01", "S01", "C"};
        QTest::newRow("stop before the UPS-off is out") << "u1 t59 X" << QList<int>{60} << QStringList{"C"};
        QTest::newRow("stop while the file runs") << "x1 h u1 t60 w X K1 t200 p0" << QList<int>{60}
                                                  << QStringList{"C"};
        QTest::newRow("quit after the UPS-off") << "u1 t59 k2 Q" << QList<int>{60} << QStringList{"S01", "S01", "C"};
        // Not when the system goes down: at the program's request, or so.
        QTest::newRow("stop after the shutdown") << "s0 t10 p1 X" << QList<int>{10}
                                                 << QStringList{"S01R9999", "S01R9999"};
        QTest::newRow("stop as the system goes down") << "D u1 t59 k2 X" << QList<int>{60} << QStringList{"S01", "S01"};
        // A refused shutdown leaves the system up: it is asked for again, and
        // the end of the program cancels.
        QTest::newRow("stop after a refused shutdown") << "R2 s0 t10 k2 p1 t10 p2 X" << QList<int>{10}
                                                       << QStringList{"S01R9999", "S01R9999", "C"};
        // The link comes up to a UPS that says it will switch off: the
        // program cancels, unless a marker says a planned power-off asked.
        QTest::newRow("the service's switch-off, planned, then for protection")
            << "M1 u64 L O k0 M0 L O" << QList<int>{} << QStringList{"C"};
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
            case 'r': platform->release(); break;
            case 'q': QTest::qWait(n); break;
            case 'R': platform->refusePowerOffs(n); break;
            case 'D': platform->setShuttingDown(true); break;
            case 'M': {
                QFile marker(serviceMarker());
                QVERIFY(QDir().mkpath(QFileInfo(marker).path()) && marker.open(QIODevice::WriteOnly));
                marker.write(n ? "2024-05-06T10:00:00 planned\n" : "2024-05-06T10:00:00 protection\n");
                break;
            }
            case 'X': service->stop(); break;
            case 'Q':
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
                QCoreApplication::exec();
                break;
            case 'w': QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles(), QStringList{kFile}, 5000); break;
            case '=': QCOMPARE(timeLeft->last().at(0).toInt(), n); break;
            case 'p': QCOMPARE(platform->powerOffCount(), n); break;
            case 'k':
                UpsTestUtil::poll(link, 2);
                QTest::qWait(100);
                QTRY_COMPARE_WITH_TIMEOUT((UpsTestUtil::poll(link), upsCommands().size()), n, 10000);
                break;
            case 'K': QCOMPARE(platform->endCommandFilesCount(), n); break;
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

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestServiceShutdownSerial)
#include "tst_serviceshutdownserial.moc"
