#ifndef TESTSTORE_H
#define TESTSTORE_H

// Header only: compiled with each test, against the build (desktop or
// service) that test links.

#include "records/database.h"
#include "records/settings.h"
#include "testenvironment.h"

namespace TestStore {

// Makes the data directories, loads the settings and creates the tables, as
// the programs' start-up does; returns the data directory.
inline QString open()
{
    const QString dir = TestEnvironment::makeDataDirs();
    Settings::instance()->load();
    Database::instance()->createTables();
    return dir;
}

} // namespace TestStore

#endif // TESTSTORE_H
