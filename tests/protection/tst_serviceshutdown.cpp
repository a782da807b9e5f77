// The shutdown service's decisions and countdown, on a UPS record set by the
// test and the recording platform; the tick is driven directly.
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "fakeplatform.h"
#include "link/megatec.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "protection/shutdownlog.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kFile = QStringLiteral("/opt/site/on-battery.sh");
}

class TestServiceShutdown : public QObject
{
    Q_OBJECT

    ServiceShutdown *service = nullptr;
    UPSData *ups = nullptr;
    QScopedPointer<FakePlatform> platform;
    QScopedPointer<QSignalSpy> started;
    QScopedPointer<QSignalSpy> timeLeft;

    void update(quint8 status)
    {
        ups->status = status;
        emit DevComm::instance()->devDataChanged();
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            service->onTimerTimeout();
    }
    int left() const { return timeLeft->isEmpty() ? -1 : timeLeft->last().at(0).toInt(); }
    int powerOffs() const { return platform->powerOffCount(); }
    static QByteArray log()
    {
        QFile file(ShutdownLog::path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

private slots:
    void initTestCase()
    {
        TestEnvironment::makeDataDirs();
        Settings::instance()->load();
        service = ServiceShutdown::instance();
        ups = DevComm::instance()->upsData();
    }

    void init()
    {
        platform.reset(new FakePlatform);
        platform->setWindows({{QStringLiteral("Term"), QStringLiteral("shell")}});
        QFile::remove(ShutdownLog::path());
        DevCommPrivate::protocol(DevComm::instance())->setOnline(true);
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
        service->setExecFile(kFile);
        service->setOsOffEnable(true);
        started.reset(new QSignalSpy(service, &ServiceShutdown::shutdownStarted));
        timeLeft.reset(new QSignalSpy(service, &ServiceShutdown::shutdownTimeChanged));
    }

    void cleanup()
    {
        service->setAmbrelOffEnable(false);
        platform->release();
        QTest::qWait(50); // a command-file thread of this test ends before the fake
        platform.reset();
    }

    // Steps: uN UPS status N, L the link is lost, O it answers again, tN N ticks, sN startCountdown(N), eN switch the
    // service off/on, kN capacity threshold, cX battery capacity, xN command
    // file off/on, EN its wait in minutes, oN system shutdown off/on, UN
    // UPS-off off/on, RN the system refuses the next N shutdowns, h hold
    // command files, r release them, qN wait N ms, zN sleep N ms without
    // events, T tick until a power-off (bounded). Checks: =N
    // seconds left, pN power-offs so far, nN tick signals so far, fN the first
    // tick signal, l0/l1 no log / the log of the fake's one window, w the
    // command file was asked for.
    void scenario_data()
    {
        QTest::addColumn<int>("mainFaultTime");
        QTest::addColumn<int>("battLowTime");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("starts"); // every shutdownStarted

        QTest::newRow("mains failure") << 5 << 0 << "u1 u1 t299 n299 f299 =1 p0 l0 t1 =0 p1 l1 t5 n300 p1" << QList<int>{300};
        // Mains changes are ignored, so a low capacity does not cut short.
        QTest::newRow("mainFaultTime 0") << 0 << 0 << "u1 u0 u1 s1 c5 t1 =59" << QList<int>{60};
        QTest::newRow("mains and battery low together") << 5 << 0 << "u3 t9 p0 t1 p1" << QList<int>{10};
        QTest::newRow("together, battery time shorter") << 5 << 2 << "u3 t119 p0 t1 p1" << QList<int>{120};
        QTest::newRow("together, mains time shorter") << 1 << 2 << "u3 t59 p0 t1 p1" << QList<int>{60};
        QTest::newRow("battery low alone, mains fine") << 5 << 1 << "u2" << QList<int>{};
        // A battery that goes low while the mains is out counts on its own, also
        // without a mains-fault time; so does a mains failure on a low battery.
        QTest::newRow("battery low on battery, no mains time") << 0 << 3 << "u1 u3 t179 p0 t1 p1" << QList<int>{180};
        QTest::newRow("battery low on battery, 0 minutes") << 0 << 0 << "u1 u3 t9 p0 t1 p1" << QList<int>{10};
        QTest::newRow("mains fails on low battery, no mains time") << 0 << 2 << "u2 u3 t119 p0 t1 p1" << QList<int>{120};
        // Its end is not followed by another countdown while the UPS stays low.
        QTest::newRow("low battery countdown runs once") << 0 << 0 << "o0 u2 u3 t10 u3 t5 n10 p0" << QList<int>{10};
        QTest::newRow("mains fails on low battery") << 5 << 1 << "u2 u3 t59 p0 t1 p1" << QList<int>{60};
        // Mains back with the battery low: 5 minutes would be longer; the
        // battery recovering alone changes nothing.
        QTest::newRow("running countdown only shortened") << 5 << 2 << "u1 t1 u3 t1 =119 u2 t1 =118 u1 t1 =117" << QList<int>{300};
        QTest::newRow("huge mains time still cut by capacity") << 40000000 << 0 << "k50 u1 c40 t1 =9" << QList<int>{2147483647};
        QTest::newRow("low capacity cuts to 10") << 5 << 0 << "k50 u1 t1 c50 t1 =298 c49.9 t1 =9 t9 p1" << QList<int>{300};
        QTest::newRow("mains return cancels") << 5 << 0 << "u1 t3 u0 t400 n3 p0" << QList<int>{300, 0};
        // A lost link zeroes the record: it neither starts nor cancels anything
        // (the countdown through a lost link runs in tst_serviceshutdownserial).
        QTest::newRow("link lost, nothing started") << 5 << 0 << "L u1 t3 n0 O c100 u1 t1 =299" << QList<int>{300};
        QTest::newRow("mains return cancels battery countdown") << 0 << 0 << "u1 u3 u0 t20 p0" << QList<int>{10, 0};
        QTest::newRow("startCountdown kept through mains") << 5 << 0 << "e0 s0 s3 t4 e1 u1 u0 t5 p0 t1 p1" << QList<int>{0, 10};
        // Switching off when idle still says so; the UPS state is then ignored.
        QTest::newRow("switching off") << 5 << 0 << "e0 e0 s0 e1 e0 u1 t20 p0" << QList<int>{0, 10, 0};
        // The file's end is used up: enabling the shutdown later does not take
        // the system down without a countdown.
        QTest::newRow("osOff clear") << 1 << 0 << "o0 x1 u1 t60 w q20 t130 p0 l0 o1 t3 p0" << QList<int>{60};
        QTest::newRow("osOff clear, file outlasts its wait") << 1 << 0 << "o0 x1 h u1 t60 w t130 o1 r q50 t3 p0" << QList<int>{60};
        // The file starts on the last tick, the first of its 120-tick wait.
        QTest::newRow("command file ends first") << 5 << 0 << "x1 h s0 t10 w t30 p0 r T t120 p1" << QList<int>{10};
        // The UPS-off commands after the file's wait delay the shutdown by two seconds.
        QTest::newRow("command file never ends") << 5 << 0 << "x1 h s0 t10 w t118 p0 t1 p0 t1 p0 t1 p1 t120 p1"
                                                 << QList<int>{10};
        QTest::newRow("command file, no UPS-off") << 5 << 0 << "U0 x1 h s0 t10 w t118 p0 t1 p1" << QList<int>{10};
        // A refused shutdown is asked for again every ten seconds until it is
        // accepted; a mains return gives it up.
        QTest::newRow("shutdown refused twice") << 5 << 0 << "U0 R2 s0 t10 p1 t9 p1 t1 p2 t10 p3 t40 p3" << QList<int>{10};
        QTest::newRow("mains back while refused") << 1 << 0 << "U0 R9 u1 t60 p1 t10 p2 u0 t40 p2" << QList<int>{60, 0};
        // A low battery leaves the file's wait 10 seconds at most, never more
        // than it had, and puts a limit on a wait without one.
        QTest::newRow("battery low near the wait's end") << 1 << 0 << "x1 h u1 t60 w t115 u3 t3 p0 t1 p0 t1 p0 t1 p1"
                                                         << QList<int>{60};
        QTest::newRow("battery low, wait without limit") << 1 << 0 << "E0 x1 h u1 t60 w t300 u3 t9 p0 t3 p1"
                                                         << QList<int>{60};
        QTest::newRow("cancel while the file runs") << 1 << 0 << "x1 h u1 t60 w u0 r q50 t200 p0" << QList<int>{60, 0};
        // The file's end is already on its way to the service when the mains returns.
        QTest::newRow("cancel as the file ends") << 1 << 0 << "x1 h u1 t60 w r z200 u0 q50 t200 p0" << QList<int>{60, 0};
    }

    void scenario()
    {
        QFETCH(int, mainFaultTime);
        QFETCH(int, battLowTime);
        QFETCH(QString, steps);
        service->setMainFaultOffTime(mainFaultTime);
        service->setBattLowOffTime(battLowTime);
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const int n = step.midRef(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'u': update(quint8(n)); break;
            case 't': ticks(n); break;
            case 'L': DevCommPrivate::protocol(DevComm::instance())->reset(); break;
            case 'O': DevCommPrivate::protocol(DevComm::instance())->setOnline(true); break;
            case 's': service->startCountdown(n); break;
            case 'e': service->setAmbrelOffEnable(n != 0); break;
            case 'k': service->setMainFaultOffCap(n); break;
            case 'c': ups->battCapacity = step.midRef(1).toFloat(); break;
            case 'x': service->setExecEnable(n); break;
            case 'o': service->setOsOffEnable(n != 0); break;
            case 'U': service->setUpsOffEnable(n != 0); break;
            case 'E': service->setExecTime(n); break;
            case 'R': platform->refusePowerOffs(n); break;
            case 'h': platform->holdCommandFiles(true); break;
            case 'r': platform->release(); break;
            case 'q': QTest::qWait(n); break;
            case 'z': QThread::msleep(ulong(n)); break;
            case 'T': QTRY_VERIFY_WITH_TIMEOUT((ticks(1), powerOffs() == 1), 5000); break;
            case 'w': QTRY_COMPARE_WITH_TIMEOUT(platform->commandFiles(), QStringList{kFile}, 5000); break;
            case '=': QCOMPARE(left(), n); break;
            case 'p': QCOMPARE(powerOffs(), n); break;
            case 'n': QCOMPARE(timeLeft->count(), n); break;
            case 'f': QCOMPARE(timeLeft->value(0).value(0).toInt(), n); break;
            case 'l':
                if (n)
                    QCOMPARE(log(), QByteArray("{\n    \"Term\": [\n        \"shell\"\n    ]\n}\n"));
                else
                    QVERIFY(!QFile::exists(ShutdownLog::path()));
                break;
            default: QFAIL(qPrintable(step));
            }
        }
        QTEST(UpsTestUtil::firstArguments(*started), "starts");
    }

    void reloadLeavesCountdownAlone()
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
};

AMBREL_TEST_MAIN(TestServiceShutdown)
#include "tst_serviceshutdown.moc"
