#include "testenvironment.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace {
// Set in the program run again inside the namespaces.
const char kInsideVariable[] = "AMBREL_TEST_OWN_NAMESPACES";
// Mounted inside before the program runs: a lock folder and pseudo-terminals
// of its own.
const char kMounts[] = "mount -t tmpfs tmpfs /run/lock"
                       " && mount -t devpts -o newinstance,ptmxmode=0666 devpts /dev/pts"
                       " && mount --bind /dev/pts/ptmx /dev/ptmx";
} // namespace

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

void enterOwnNamespaces(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kInsideVariable))
        return;
    // Tried once without the program first: where the machine offers no
    // namespaces (not root, a container without the rights), the test runs
    // as it is.
    const QByteArray probe = QByteArray("unshare -m -p -f --mount-proc sh -c '") + kMounts + "' >/dev/null 2>&1";
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (::geteuid() != 0 || n <= 0 || std::system(probe.constData()) != 0) {
        std::fprintf(stderr, "No namespaces of its own: the test shares the machine's processes and locks.\n");
        return;
    }
    self[n] = '\0';
    qputenv(kInsideVariable, "1");
    // Ending unshare (as CTest does at a time-out) ends the test with it.
    QByteArrayList args{"unshare", "-m", "-p", "-f", "--kill-child", "--mount-proc", "sh", "-c",
                        QByteArray(kMounts) + " && exec \"$0\" \"$@\"", self};
    for (int i = 1; i < argc; ++i)
        args.append(argv[i]);
    std::vector<char *> pointers;
    for (QByteArray &arg : args)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    ::execvp("unshare", pointers.data());
    qunsetenv(kInsideVariable);
}

QString supportFile(const QString &name)
{
    return QStringLiteral(AMBREL_TEST_SUPPORT_DIR) + QLatin1Char('/') + name;
}

} // namespace TestEnvironment
