// Time to write the daily report workbook for one day of readings saved
// every second (86,400 rows).

#include "benchstore.h"
#include "records/clock.h"
#include "records/database.h"
#include "email/serviceemail.h"
#include "email/serviceemail_p.h"
#include "records/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    BenchStore::useHome(home.path());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));

    const QString dataDir = BenchStore::open();

    const QDate today(2026, 6, 2);
    const QDateTime start(today.addDays(-1), QTime(0, 0));
    const int rows = 86400;
    QSqlDatabase::database().transaction();
    QSqlQuery insert;
    insert.prepare(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                  "inputFreq, battVol, temperature) values(?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < rows; ++i) {
        insert.addBindValue(start.addSecs(i).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        insert.addBindValue(220.0 + (i % 100) / 10.0);
        insert.addBindValue(230.0 - (i % 50) / 10.0);
        insert.addBindValue(i % 101);
        insert.addBindValue(49.9 + (i % 3) / 10.0);
        insert.addBindValue(13.65 + (i % 7) / 100.0);
        insert.addBindValue(25.0 + (i % 11) / 10.0);
        insert.exec();
    }
    QSqlDatabase::database().commit();

    Clock::setNow(QDateTime(today, QTime(12, 0)));
    ServiceEMailPrivate *d = ServiceEMailPrivate::get(ServiceEMail::instance());
    const QString path = dataDir + QStringLiteral("/record.xlsx");

    qint64 best = -1;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        d->writeWorkbook(path, today.addDays(-1));
        const qint64 ms = timer.elapsed();
        if (best < 0 || ms < best)
            best = ms;
        std::printf("run %d: %lld ms\n", run + 1, static_cast<long long>(ms));
    }
    std::printf("daily workbook, %d rows: best %lld ms, file %lld bytes\n", rows,
                static_cast<long long>(best), static_cast<long long>(QFileInfo(path).size()));
    return 0;
}
