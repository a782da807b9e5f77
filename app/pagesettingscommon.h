#ifndef PAGESETTINGSCOMMON_H
#define PAGESETTINGSCOMMON_H

#include <QObject>
#include <QUrl>

class PageSettingsCommonPrivate;

// Export, import and restore of the user's settings and mail receivers for
// the common settings page. The file is a JSON object of settings keys with
// their stored texts, plus "email/receiver" as an array of addresses.
class PageSettingsCommon : public QObject
{
    Q_OBJECT

public:
    explicit PageSettingsCommon(QObject *parent = nullptr);
    ~PageSettingsCommon() override;

    // Writes the file readable by its owner only, through a temporary file:
    // false when it could not be written, and then the previous file stays.
    Q_INVOKABLE bool settingsSaveAs(QUrl file);
    // Takes over every key of the file that it holds and the receiver list
    // when the file has one; everything else keeps its current value. A
    // file that is not a regular file of at most 1 MiB holding a settings
    // object, or that holds any value the settings pages would not accept,
    // changes nothing: false.
    Q_INVOKABLE bool settingsImport(QUrl file);
    Q_INVOKABLE void settingsRestore();
    // Why the last export or import failed, in the user's language.
    Q_INVOKABLE QString errorString() const;

signals:
    // After a successful import and after every restore.
    void settingsChanged();

private:
    PageSettingsCommonPrivate *d;
};

#endif // PAGESETTINGSCOMMON_H
