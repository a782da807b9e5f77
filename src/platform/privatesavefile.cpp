#include "privatesavefile.h"

#include <cerrno>
#include <cstring>

PrivateSaveFile::PrivateSaveFile(const QString &name)
    : QSaveFile(name)
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

bool PrivateSaveFile::finish()
{
    errno = 0;
    if (flush())
        return commit();
    // The temporary file is removed when this object goes.
    if (errno != 0)
        setErrorString(QString::fromLocal8Bit(strerror(errno)));
    return false;
}
