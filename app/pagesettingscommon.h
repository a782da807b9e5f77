#ifndef PAGESETTINGSCOMMON_H
#define PAGESETTINGSCOMMON_H

#include <QObject>
#include <QUrl>

// Export, import and restore of the user's settings and mail receivers for
// the common settings page. The file is a JSON object of settings keys with
// their stored texts, plus "email/receiver" as an array of addresses.
class PageSettingsCommon : public QObject
{
    Q_OBJECT

public:
    explicit PageSettingsCommon(QObject *parent = nullptr);

    Q_INVOKABLE void settingsSaveAs(QUrl file);
    // Takes over every key of the file that holds a text and the receiver
    // list when the file has one; everything else keeps its current value.
    Q_INVOKABLE void settingsImport(QUrl file);
    Q_INVOKABLE void settingsRestore();

signals:
    // After an import of a settings object and after every restore.
    void settingsChanged();
};

#endif // PAGESETTINGSCOMMON_H
