// The history page's month of readings at a 60 s save cycle (43,200 rows):
// the time to select them (every row fetched, as a view scrolled to the end
// has them) and the time to export them to a workbook.

#include "benchstore.h"
#include "email/tablemodeldevdata.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
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
    const QDateTime first(QDate(2026, 5, 31), QTime(0, 0));
    const int rows = 32 * 1440;
    QSqlDatabase::database().transaction();
    QSqlQuery insert;
    insert.prepare(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                  "inputFreq, battVol, temperature) values(?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < rows; ++i) {
        insert.addBindValue(first.addSecs(i * 60).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        insert.addBindValue(220.0 + (i % 100) / 10.0);
        insert.addBindValue(230.0 - (i % 50) / 10.0);
        insert.addBindValue(i % 101);
        insert.addBindValue(49.9 + (i % 3) / 10.0);
        insert.addBindValue(13.65 + (i % 7) / 100.0);
        insert.addBindValue(25.0 + (i % 11) / 10.0);
        insert.exec();
    }
    QSqlDatabase::database().commit();

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
