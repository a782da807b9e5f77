#include "testenvironment.h"

#include <QDir>
#include <QStandardPaths>

namespace TestEnvironment {

void prepare(const QString &root)
{
    const QByteArray base = QFile::encodeName(root);
    qputenv("XDG_DATA_HOME", base + "/data-home");
    qputenv("XDG_CONFIG_HOME", base + "/config-home");
    qputenv("XDG_CACHE_HOME", base + "/cache-home");
    qputenv("XDG_RUNTIME_DIR", base + "/runtime");
    // A safety net under the fake platform: should any test reach the real
    // power-off call, the system bus it would use is a socket that does not exist.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + base + "/no-system-bus");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + base + "/no-session-bus");
    QDir().mkpath(root + QStringLiteral("/runtime"));
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString makeDataDirs()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir + QStringLiteral("/cfg"));
    QDir().mkpath(dir + QStringLiteral("/data"));
    return dir;
}

QString supportFile(const QString &name)
{
    return QStringLiteral(AMBREL_TEST_SUPPORT_DIR) + QLatin1Char('/') + name;
}

} // namespace TestEnvironment
