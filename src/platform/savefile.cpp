#include "savefile.h"

#include <cerrno>
#include <cstring>

SaveFile::SaveFile(const QString &name)
    : QSaveFile(name)
{
}

bool SaveFile::finish()
{
    errno = 0;
    if (flush())
        return commit();
    // The temporary file is removed when this object goes.
    if (errno != 0)
        setErrorString(QString::fromLocal8Bit(strerror(errno)));
    return false;
}
