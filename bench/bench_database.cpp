// Cost of one device_data insert, as the UPS link makes it every save cycle
// (its own transaction, size trigger in place), at two table sizes.

#include "benchstore.h"
#include "records/database.h"
#include "records/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void fillTo(int rows)
{
    QSqlQuery query;
    query.exec(QStringLiteral("drop trigger device_data_trigger"));
    query.exec(QStringLiteral("select count(*) from device_data"));
    const int have = query.next() ? query.value(0).toInt() : 0;
    if (rows > have) {
        query.exec(QStringLiteral(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "insert into device_data(inputVol, outputVol, load, inputFreq, battVol, temperature) "
            "select 230.1, 229.8, 35, 50.0, 27.3, 31.5 from n").arg(rows - have));
    }
    Database::instance()->createTables();
}

double microsecondsPerInsert(int inserts)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("insert into %1(inputVol, outputVol, load, inputFreq, battVol, temperature) "
                                 "values(?, ?, ?, ?, ?, ?)").arg(Database::tableName(0)));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < inserts; ++i) {
        query.addBindValue(230.1f);
        query.addBindValue(229.8f);
        query.addBindValue(35);
        query.addBindValue(50.0f);
        query.addBindValue(27.3f);
        query.addBindValue(31.5f);
        query.exec();
    }
    return timer.nsecsElapsed() / 1000.0 / inserts;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    BenchStore::useHome(home.path());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    BenchStore::open();

    fillTo(10000);
    std::printf("device_data insert at   10000 rows: %10.1f us per insert (200 inserts)\n",
                microsecondsPerInsert(200));
    // At 1000000 rows the trigger counts the table; past it, it also looks
    // for rows five years old on every insert (through the index on their day).
    fillTo(1000000);
    std::printf("device_data insert at 1000000 rows: %10.1f us (the first insert)\n",
                microsecondsPerInsert(1));
    std::printf("device_data insert past 1000000 rows: %8.1f us per insert (20 inserts)\n",
                microsecondsPerInsert(20));
    return 0;
}
