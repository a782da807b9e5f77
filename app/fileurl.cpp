#include "fileurl.h"

#include <QDir>

FileUrl::FileUrl(QObject *parent)
    : QObject(parent)
{
}

QString FileUrl::toLocalFile(const QUrl &url)
{
    return QDir::toNativeSeparators(url.toLocalFile());
}

QUrl FileUrl::fromLocalFile(const QString &path)
{
    return QUrl::fromLocalFile(path);
}
