#ifndef BENCHSTORE_H
#define BENCHSTORE_H

#include "records/database.h"
#include "records/settings.h"

#include <QDir>
#include <QFile>
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

} // namespace BenchStore

#endif // BENCHSTORE_H
