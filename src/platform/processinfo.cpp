#include "processinfo.h"

#include <pwd.h>
#include <unistd.h>

QString ProcessInfo::userId()
{
    return QString::number(getuid());
}

QString ProcessInfo::userName(uint uid)
{
    passwd entry;
    passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid_t(uid), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}
