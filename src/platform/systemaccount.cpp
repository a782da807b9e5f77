#include "systemaccount.h"

#include <QFile>
#include <QVector>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

// The group that owns the serial ports.
const char kSerialGroup[] = "dialout";

struct Account
{
    QString name;
    uid_t uid = 0;
    gid_t gid = 0;
    QString home;
};

bool findAccount(const QString &name, Account *account)
{
    passwd entry;
    passwd *found = nullptr;
    char buffer[4096];
    const QByteArray local = name.toLocal8Bit();
    if (name.isEmpty() || ::getpwnam_r(local.constData(), &entry, buffer, sizeof buffer, &found) != 0 || !found)
        return false;
    *account = {name, found->pw_uid, found->pw_gid, QFile::decodeName(found->pw_dir)};
    return true;
}

bool isInGroup(const Account &account, gid_t group)
{
    int count = 64;
    QVector<gid_t> groups(count);
    const QByteArray name = account.name.toLocal8Bit();
    if (::getgrouplist(name.constData(), account.gid, groups.data(), &count) < 0) {
        groups.resize(count);
        if (::getgrouplist(name.constData(), account.gid, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(count);
    return groups.contains(group);
}

} // namespace

QString SystemAccount::userName(uint uid)
{
    passwd entry;
    passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid_t(uid), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

QString SystemAccount::serviceRefusal(const QString &name)
{
    Account account;
    if (!findAccount(name, &account))
        return QStringLiteral("the account %1 does not exist").arg(name);
    struct stat home;
    if (account.home.isEmpty() || ::stat(QFile::encodeName(account.home).constData(), &home) != 0
        || !S_ISDIR(home.st_mode) || home.st_uid != account.uid)
        return QStringLiteral("the account %1 has no home folder of its own (%2), where the service keeps its "
                              "settings and data")
            .arg(name, account.home);
    return QString();
}

QStringList SystemAccount::serviceNeeds(const QString &name)
{
    Account account;
    if (!findAccount(name, &account) || account.uid == 0)
        return QStringList();
    QStringList needs;
    group entry;
    group *serial = nullptr;
    char buffer[4096];
    if (::getgrnam_r(kSerialGroup, &entry, buffer, sizeof buffer, &serial) == 0 && serial
        && !isInGroup(account, serial->gr_gid))
        needs << QStringLiteral("for a serial UPS, the group %1 of the serial ports (usermod -aG %1 %2)")
                     .arg(QLatin1String(kSerialGroup), name);
    needs << QStringLiteral("for a USB UPS, its hidraw device, which the udev rule opens only to the user at "
                            "the seat")
          << QStringLiteral("to power the machine off, the right to do so through logind without a session (a "
                            "polkit rule for org.freedesktop.login1.power-off)");
    return needs;
}
