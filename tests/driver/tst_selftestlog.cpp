#include "clock.h"
#include "megatec.h"
#include "settings.h"
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
    SimulatedUps::State s;
    s.status = selfTest ? "00000100" : "00000000";
    s.load = load;
    s.battVol = battVol;
    SimulatedUps ups;
    ups.state() = s;
    return feed(m, "Q1", ups.replyFor("Q1"));
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QStringLiteral("<none>");
}

struct Row
{
    QString dateTime;
    int duration;
    int count;
};

QList<Row> rows()
{
    QList<Row> list;
    QSqlQuery query(QStringLiteral("select dateTime, duration, count from log_self_test order by id"));
    while (query.next())
        list.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    return list;
}

} // namespace

class TestSelfTestLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void samplesFileAndRow();
    void secondTestOwnSamples();
    void resetDuringTest();
    void unwritableDirectory();

private:
    QString selfTestDir;
    const QDateTime start{QDate(2026, 12, 8), QTime(14, 3, 7)};
};

void TestSelfTestLog::initTestCase()
{
    selfTestDir = prepareStore() + QStringLiteral("/data/self_test/");
}

void TestSelfTestLog::init()
{
    Clock::setNow(start);
    QSqlQuery().exec(QStringLiteral("delete from log_self_test"));
}

void TestSelfTestLog::cleanupTestCase()
{
    Clock::setNow(QDateTime());
}

void TestSelfTestLog::samplesFileAndRow()
{
    Megatec m;
    QVERIFY(status(m, false, 20));
    QVERIFY(status(m, true, 21, 2.0));  // starts: sample at 0
    QVERIFY(status(m, true, 22, 1.9));  // same second: none
    Clock::advance(1);
    QVERIFY(status(m, true, 23, 1.9));
    Clock::advance(2);
    QVERIFY(status(m, true, 24, 1.8));
    Clock::advance(1);
    QVERIFY(status(m, false, 25));      // ends: no sample

    QCOMPARE(readFile(selfTestDir + "20261208140307.txt"), QString("0,21,55\n1,23,38\n3,24,22\n"));
    const QList<Row> r = rows();
    QCOMPARE(r.size(), 1);
    QCOMPARE(r.first().dateTime, QString("2026-12-08 14:03:07"));
    QCOMPARE(r.first().duration, 4);
    QCOMPARE(r.first().count, 3);
}

void TestSelfTestLog::secondTestOwnSamples()
{
    Megatec m;
    QVERIFY(status(m, true, 10));
    Clock::advance(1);
    QVERIFY(status(m, true, 11));
    QVERIFY(status(m, false, 12));
    Clock::advance(60);
    QVERIFY(status(m, true, 30));
    Clock::advance(5);
    QVERIFY(status(m, false, 31));

    QCOMPARE(readFile(selfTestDir + "20261208140408.txt"), QString("0,30,55\n"));
    const QList<Row> r = rows();
    QCOMPARE(r.size(), 2);
    QCOMPARE(r.at(1).dateTime, QString("2026-12-08 14:04:08"));
    QCOMPARE(r.at(1).duration, 5);
    QCOMPARE(r.at(1).count, 1);
}

void TestSelfTestLog::resetDuringTest()
{
    Clock::advance(3600);
    Megatec m;
    QVERIFY(status(m, true, 40));
    Clock::advance(2);
    // Link lost: the test is written; the reset's publication adds a last
    // sample with load 0 and capacity 0 in its new second.
    m.reset();
    QCOMPARE(readFile(selfTestDir + "20261208150307.txt"), QString("0,40,55\n2,0,0\n"));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().count, 2);

    // The next status without bit 5 is no second stop.
    QVERIFY(status(m, false, 1));
    QCOMPARE(rows().size(), 1);
}

void TestSelfTestLog::unwritableDirectory()
{
    Clock::advance(7200);
    Megatec m;
    QVERIFY(status(m, true, 50));
    QVERIFY(QDir().rename(selfTestDir, selfTestDir.chopped(1) + ".away"));
    Clock::advance(1);
    QVERIFY(status(m, false, 51)); // cannot write: no row, still sampling
    QCOMPARE(rows().size(), 0);
    Clock::advance(1);
    QVERIFY(status(m, false, 52)); // sampled
    QVERIFY(QDir().rename(selfTestDir.chopped(1) + ".away", selfTestDir));

    Clock::advance(1);
    m.reset(); // the next stop writes everything
    QCOMPARE(readFile(selfTestDir + "20261208160307.txt"), QString("0,50,55\n1,51,55\n2,52,55\n3,0,0\n"));
    QCOMPARE(rows().size(), 1);
    QCOMPARE(rows().first().count, 4);
    QCOMPARE(rows().first().duration, 3);
}

AMBREL_TEST_MAIN(TestSelfTestLog)
#include "tst_selftestlog.moc"
