#ifndef PRIVATESAVEFILE_H
#define PRIVATESAVEFILE_H

#include "savefile.h"

// A SaveFile that only its owner may read or write: the temporary file is
// the owner's alone from its first byte on. The file's former rights are not
// kept.
class PrivateSaveFile : public SaveFile
{
public:
    explicit PrivateSaveFile(const QString &name);

    bool open(OpenMode mode) override;
};

#endif // PRIVATESAVEFILE_H
