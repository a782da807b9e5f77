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

// Called once by libFuzzer before the first input (LLVMFuzzerInitialize is
// defined here for every target); then runs setUp().
void init(int *argc, char ***argv);

// A target's own set-up after init(); a target that needs one defines it.
void setUp();

// Called after each input: deletes what was handed to deleteLater, and every
// so many inputs clears what the inputs pile up (alarm rows and list,
// self-test files), so that long runs keep their speed and their memory.
void tidy();

// The input split at every occurrence of the separator.
QList<QByteArray> split(const uint8_t *data, size_t size, const QByteArray &separator);

} // namespace FuzzEnvironment

#endif // FUZZENVIRONMENT_H
