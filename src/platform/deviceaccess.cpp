#include "deviceaccess.h"

#include "fileguard.h"
#include "udevrule.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(rulePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(kUdevRule);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return file.commit();
}

bool DeviceAccess::revoke()
{
    return QFile::remove(rulePath()) || !QFile::exists(rulePath());
}
