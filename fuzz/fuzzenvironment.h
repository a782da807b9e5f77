#ifndef FUZZENVIRONMENT_H
#define FUZZENVIRONMENT_H

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

// What every fuzz target sets up once: a throw-away home for the settings,
// database and record files, the application object, the recording platform
// (so nothing can reach the machine's power management) and quiet logging.
namespace FuzzEnvironment {

void init(int *argc, char ***argv);

// Clears what the inputs pile up (alarm rows and list, self-test files), every
// so many inputs, so that long runs keep their speed and their memory.
void tidy();

// The input split at every occurrence of the separator.
QList<QByteArray> split(const uint8_t *data, size_t size, const QByteArray &separator);

} // namespace FuzzEnvironment

#endif // FUZZENVIRONMENT_H
