#include "shutdownlog.h"

#include "records/settings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QStringList>

QString ShutdownLog::path()
{
    return Settings::instance()->dataDir() + QStringLiteral("/data/shutdown.log");
}

void ShutdownLog::write(const QString &path, const QList<Platform::Window> &windows)
{
    // QMap keeps the classes in ascending order of their UTF-16 code units.
    QMap<QString, QStringList> list;
    for (const Platform::Window &window : windows) {
        if (window.className.isEmpty() || window.title.isEmpty())
            continue;
        list[window.className].append(window.title);
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QJsonObject object;
    for (auto it = list.cbegin(); it != list.cend(); ++it)
        object.insert(it.key(), QJsonArray::fromStringList(it.value()));
    file.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
}
