#include "processinfo.h"

#include <unistd.h>

QString ProcessInfo::userId()
{
    return QString::number(getuid());
}
