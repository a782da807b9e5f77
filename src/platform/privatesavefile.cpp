#include "privatesavefile.h"

PrivateSaveFile::PrivateSaveFile(const QString &name)
    : SaveFile(name)
{
}

bool PrivateSaveFile::open(OpenMode mode)
{
    if (!QSaveFile::open(mode))
        return false;
    // Before the first byte is written.
    if (setPermissions(ReadOwner | WriteOwner))
        return true;
    cancelWriting();
    return false;
}
