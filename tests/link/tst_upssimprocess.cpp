// The simulated serial UPS as a process of its own, driven through its
// standard input, as end-to-end tests of the programs use it.
#include "alarm/alarm.h"
#include "link/devcomm.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QProcess>

using namespace UpsTestUtil;

class TestUpsSimProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareStore(); }
    void linkAgainstProcess();
};

void TestUpsSimProcess::linkAgainstProcess()
{
    QProcess sim;
    sim.start(QStringLiteral(AMBREL_UPSSIM), QStringList());
    QVERIFY(sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
    const QByteArray first = sim.readLine().trimmed();
    QVERIFY(first.startsWith("PTY /dev/"));

    DevComm link;
    QVERIFY(link.openDevice(DevComm::COM, QString::fromLocal8Bit(first.mid(4))));
    QTRY_VERIFY_WITH_TIMEOUT(link.devData().value("devOnline").toBool(), 5000);
    QCOMPARE(link.devData().value("mainsFault").toInt(), 0);
    QVERIFY(sim.readAll().contains("RX Q1\n"));

    sim.write("set status 10001000\nset inputVol 0\n");
    QTRY_VERIFY_WITH_TIMEOUT(link.devData().value("mainsFault").toInt() == 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(link.upsData()->inputVol, 0.0f, 5000);
    QVERIFY(listed(Alarm::MainsFault));

    sim.write("quit\n");
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
}

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestUpsSimProcess)
#include "tst_upssimprocess.moc"
