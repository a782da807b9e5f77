#ifndef PRIVATESAVEFILE_H
#define PRIVATESAVEFILE_H

#include <QSaveFile>

// A file that only its owner may read or write, written safely: the content
// goes to a temporary file of the owner's alone, which replaces the file
// only when finish() succeeds, so a write that fails halfway leaves the
// previous file as it was. The file's former rights are not kept.
class PrivateSaveFile : public QSaveFile
{
public:
    explicit PrivateSaveFile(const QString &name);

    bool open(OpenMode mode) override;

    // Replaces the file with what was written; false, leaving the file as it
    // was, when any of it could not be written. Use it in place of commit(),
    // which misses a write that fails while the buffer is flushed.
    bool finish();
};

#endif // PRIVATESAVEFILE_H
