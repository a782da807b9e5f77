#include "deviceaccess.h"

#include "fileguard.h"
#include "savefile.h"
#include "udevrule.h"

#include <QFile>

namespace {
QString folder = QStringLiteral("/etc/udev/rules.d");

QString rulePath()
{
    return folder + QStringLiteral("/70-ambrel-ups.rules");
}
} // namespace

QString DeviceAccess::ruleFolder()
{
    return folder;
}

void DeviceAccess::setRuleFolder(const QString &path)
{
    folder = path;
}

bool DeviceAccess::grant()
{
    if (!FileGuard::isAbsentOrRegular(rulePath()))
        return false;
    SaveFile file(rulePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(kUdevRule);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return file.finish();
}

bool DeviceAccess::revoke()
{
    return QFile::remove(rulePath()) || !QFile::exists(rulePath());
}
