#ifndef SAVEFILE_H
#define SAVEFILE_H

#include <QSaveFile>

// A file written safely: the content goes to a temporary file beside it,
// which replaces the file only when finish() succeeds, so a write that fails
// halfway leaves the previous file as it was.
class SaveFile : public QSaveFile
{
public:
    explicit SaveFile(const QString &name);

    // Replaces the file with what was written; false, leaving the file as it
    // was, when any of it could not be written. Use it in place of commit(),
    // which misses a write that fails while the buffer is flushed.
    bool finish();
};

#endif // SAVEFILE_H
