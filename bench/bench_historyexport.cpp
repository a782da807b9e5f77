// The history page's month of readings at a 60 s save cycle (43,200 rows):
// the time to select them (every row fetched, as a view scrolled to the end
// has them) and the time to export them to a workbook.

#include "benchstore.h"
#include "email/tablemodeldevdata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    BenchStore::useHome(home.path());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    BenchStore::open();

    // June 2026 and a day on either side of it, one row a minute.
    BenchStore::insertReadings(QDateTime(QDate(2026, 5, 31), QTime(0, 0)), 32 * 1440, 60);

    TableModelDevData model;
    QElapsedTimer timer;
    timer.start();
    model.selectDate(QStringLiteral("2026-06-01"), QStringLiteral("2026-06-30"));
    while (model.canFetchMore())
        model.fetchMore();
    const qint64 selectMs = timer.elapsed();

    const QString path = home.filePath(QStringLiteral("history.xlsx"));
    timer.restart();
    model.saveAs(QUrl::fromLocalFile(path));
    const qint64 exportMs = timer.elapsed();

    std::printf("history select, one month at 60 s (%d rows): %lld ms (target < 200 ms)\n",
                model.rowCount(), static_cast<long long>(selectMs));
    std::printf("history workbook export (%d rows, %lld bytes): %lld ms (target < 2000 ms)\n",
                model.rowCount(), static_cast<long long>(QFileInfo(path).size()),
                static_cast<long long>(exportMs));
    return model.rowCount() == 43200 ? 0 : 1;
}
