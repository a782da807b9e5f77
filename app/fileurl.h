#ifndef FILEURL_H
#define FILEURL_H

#include <QObject>
#include <QString>
#include <QUrl>

// Where the user interface meets a file: turns the URLs of its file dialogs
// into local paths and local paths into URLs for its images.
class FileUrl : public QObject
{
    Q_OBJECT

public:
    explicit FileUrl(QObject *parent = nullptr);

    Q_INVOKABLE static QString toLocalFile(const QUrl &url);
    Q_INVOKABLE static QUrl fromLocalFile(const QString &path);
};

#endif // FILEURL_H
