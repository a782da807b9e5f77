#include "records/clock.h"
#include "link/megatec.h"
#include "records/settings.h"
#include "simulatedups.h"
#include "testenvironment.h"
#include "upstestutil.h"

#include <QDir>
#include <QFile>

using namespace UpsTestUtil;

namespace {

// Feeds one status reply; bit 5 is the self-test bit, the battery voltage
// gives the estimated capacity ((v - 1.667) / 0.6 * 100).
bool status(Megatec &m, bool selfTest, int load, double battVol = 2.0)
{
    SimulatedUps ups;
    ups.state().status = selfTest ? "00000100" : "00000000";
    ups.state().load = load;
    ups.state().battVol = battVol;
    return feed(m, "Q1", ups.replyFor("Q1"));
}

// The "log_self_test" rows as "dateTime duration count".
QStringList rows()
{
    QStringList list;
    QSqlQuery query(QStringLiteral("select dateTime, duration, count from log_self_test order by id"));
    while (query.next())
        list.append(QStringLiteral("%1 %2 %3").arg(query.value(0).toString()).arg(query.value(1).toInt())
                        .arg(query.value(2).toInt()));
    return list;
}

} // namespace

class TestSelfTestLog : public QObject
{
    Q_OBJECT

    QString dir;

    QString readFile(const QString &name) const
    {
        QFile file(dir + name + ".txt");
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QStringLiteral("<none>");
    }

private slots:
    void initTestCase() { dir = prepareStore() + QStringLiteral("/data/self_test/"); }
    void cleanupTestCase() { Clock::setNow(QDateTime()); }

    void init()
    {
        Clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(14, 3, 7)));
        QSqlQuery().exec(QStringLiteral("delete from log_self_test"));
    }

    void samplesFileAndRow()
    {
        Megatec m;
        QVERIFY(status(m, false, 20));
        QVERIFY(status(m, true, 21, 2.0)); // starts: sample at 0
        QVERIFY(status(m, true, 22, 1.9)); // same second: none
        Clock::advance(1);
        QVERIFY(status(m, true, 23, 1.9));
        Clock::advance(2);
        QVERIFY(status(m, true, 24, 1.8));
        Clock::advance(1);
        QVERIFY(status(m, false, 25)); // ends: no sample
        QCOMPARE(readFile("20261208140307"), QString("0,21,55\n1,23,38\n3,24,22\n"));
        QCOMPARE(rows(), QStringList{"2026-12-08 14:03:07 4 3"});

        // A second test has samples of its own.
        Clock::advance(60);
        QVERIFY(status(m, true, 30));
        Clock::advance(5);
        QVERIFY(status(m, false, 31));
        QCOMPARE(readFile("20261208140411"), QString("0,30,55\n"));
        QCOMPARE(rows().value(1), QString("2026-12-08 14:04:11 5 1"));
    }

    void resetDuringTest()
    {
        Clock::advance(3600);
        Megatec m;
        QVERIFY(status(m, true, 40));
        Clock::advance(2);
        // Link lost: the test is written; the reset's publication adds a last
        // sample with load 0 and capacity 0 in its new second.
        m.reset();
        QCOMPARE(readFile("20261208150307"), QString("0,40,55\n2,0,0\n"));
        QCOMPARE(rows(), QStringList{"2026-12-08 15:03:07 2 2"});
        // The next status without bit 5 is no second stop.
        QVERIFY(status(m, false, 1));
        QCOMPARE(rows().size(), 1);
    }

    void unwritableDirectory()
    {
        Clock::advance(7200);
        Megatec m;
        QVERIFY(status(m, true, 50));
        QVERIFY(QDir().rename(dir, dir.chopped(1) + ".away"));
        Clock::advance(1);
        QVERIFY(status(m, false, 51)); // cannot write: no row, still sampling
        QCOMPARE(rows().size(), 0);
        Clock::advance(1);
        QVERIFY(status(m, false, 52));
        QVERIFY(QDir().rename(dir.chopped(1) + ".away", dir));

        Clock::advance(1);
        m.reset(); // the next stop writes everything
        QCOMPARE(readFile("20261208160307"), QString("0,50,55\n1,51,55\n2,52,55\n3,0,0\n"));
        QCOMPARE(rows(), QStringList{"2026-12-08 16:03:07 3 4"});
    }
};

AMBREL_TEST_MAIN_IN_OWN_NAMESPACES(TestSelfTestLog)
#include "tst_selftestlog.moc"
