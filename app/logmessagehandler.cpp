#include "logmessagehandler.h"

#include "records/clock.h"
#include "records/settings.h"

#include <QFile>
#include <QLocale>
#include <QMutex>

namespace {

QString levelWord(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("Debug: ");
    case QtInfoMsg:
        return QStringLiteral("Information: ");
    case QtWarningMsg:
        return QStringLiteral("Warning: ");
    case QtCriticalMsg:
        return QStringLiteral("Critical: ");
    case QtFatalMsg:
        return QStringLiteral("Fatal: ");
    }
    return QString();
}

} // namespace

void logMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    const QLocale english(QLocale::English);
    const QDateTime now = Clock::now();
    const QString line = QStringLiteral("[%1] ").arg(english.toString(now, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")))
                         + levelWord(type) + message + QStringLiteral("\r\n");
    const QString path = Settings::instance()->dataDir() + QStringLiteral("/log/")
                         + english.toString(now, QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt");

    static QMutex mutex;
    QMutexLocker locker(&mutex);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line.toUtf8());
}
