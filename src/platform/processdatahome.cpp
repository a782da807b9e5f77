#include "processdatahome.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {
// An environment larger than this is not looked into.
constexpr qint64 kMaxEnvironment = 1024 * 1024;
} // namespace

bool ProcessDataHome::find(qint64 pid, QString *folder, QString *owner, const QString &procRoot)
{
    const QString entry = procRoot + QLatin1Char('/') + QString::number(pid);
    QFile file(entry + QStringLiteral("/environ"));
    if (pid <= 0 || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray variables = file.read(kMaxEnvironment + 1);
    if (variables.size() > kMaxEnvironment)
        return false;
    // Where a name stands twice, the program reads the first (getenv).
    QByteArray dataHome, home;
    bool dataHomeSeen = false, homeSeen = false;
    for (const QByteArray &variable : variables.split('\0')) {
        if (!dataHomeSeen && variable.startsWith("XDG_DATA_HOME=")) {
            dataHome = variable.mid(14);
            dataHomeSeen = true;
        } else if (!homeSeen && variable.startsWith("HOME=")) {
            home = variable.mid(5);
            homeSeen = true;
        }
    }
    const QString base = !dataHome.isEmpty() ? QFile::decodeName(dataHome)
        : !home.isEmpty()                    ? QFile::decodeName(home) + QStringLiteral("/.local/share")
                                             : QString();
    const QFileInfo process(entry);
    if (!base.startsWith(QLatin1Char('/')) || !process.exists())
        return false;
    *folder = base;
    *owner = QString::number(process.ownerId());
    return true;
}
