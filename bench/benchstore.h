#ifndef BENCHSTORE_H
#define BENCHSTORE_H

#include "records/database.h"
#include "records/settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Every benchmark keeps its files under a temporary home of its own.
namespace BenchStore {

// Points the data location into `home`. Call before the application object.
inline void useHome(const QString &home)
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(home));
}

// Makes the data directories, loads the settings and opens the database,
// as the programs' start-up does; returns the data directory.
inline QString open()
{
    const QString dataDir = Settings::instance()->dataDir();
    QDir().mkpath(dataDir + QStringLiteral("/cfg"));
    QDir().mkpath(dataDir + QStringLiteral("/data"));
    Settings::instance()->load();
    Database::instance()->createTables();
    return dataDir;
}

// Stores `rows` readings in device_data, the first at `first`, one every
// `stepSeconds`, in one transaction.
inline void insertReadings(const QDateTime &first, int rows, int stepSeconds)
{
    QSqlDatabase::database().transaction();
    QSqlQuery insert;
    insert.prepare(QStringLiteral("insert into device_data(dateTime, inputVol, outputVol, load, "
                                  "inputFreq, battVol, temperature) values(?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < rows; ++i) {
        insert.addBindValue(first.addSecs(qint64(i) * stepSeconds).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        insert.addBindValue(220.0 + (i % 100) / 10.0);
        insert.addBindValue(230.0 - (i % 50) / 10.0);
        insert.addBindValue(i % 101);
        insert.addBindValue(49.9 + (i % 3) / 10.0);
        insert.addBindValue(13.65 + (i % 7) / 100.0);
        insert.addBindValue(25.0 + (i % 11) / 10.0);
        insert.exec();
    }
    QSqlDatabase::database().commit();
}

} // namespace BenchStore

#endif // BENCHSTORE_H
