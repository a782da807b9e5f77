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
    const int rows = 86400;
    BenchStore::insertReadings(QDateTime(today.addDays(-1), QTime(0, 0)), rows, 1);

    Clock::setNow(QDateTime(today, QTime(12, 0)));
    ServiceEMailPrivate *d = ServiceEMailPrivate::get(ServiceEMail::instance());
    const QString path = dataDir + QStringLiteral("/record.xlsx");

    qint64 best = -1;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        d->writeWorkbook(path);
        const qint64 ms = timer.elapsed();
        if (best < 0 || ms < best)
            best = ms;
        std::printf("run %d: %lld ms\n", run + 1, static_cast<long long>(ms));
    }
    std::printf("daily workbook, %d rows: best %lld ms, file %lld bytes\n", rows,
                static_cast<long long>(best), static_cast<long long>(QFileInfo(path).size()));
    return 0;
}
