#ifndef SETTINGS_H
#define SETTINGS_H

#include <QObject>
#include <QString>
#include <QVariant>

class SettingsPrivate;

// The typed configuration store of the system: one INI file,
// "<data directory>/cfg/config.cfg", written at once on every change.
class Settings : public QObject
{
    Q_OBJECT

public:
    enum SettingsType {
        LanguageAuto = 0,
        LanguageType = 1,

        EMailEnable = 256,
        EMailSenderName = 257,
        EMailSenderAddress = 258,
        EMailServerAddress = 259,
        EMailServerPort = 260,
        EMailAuthEnable = 261,
        EMailAuthName = 262,
        EMailAuthPassword = 263,
        EMailDailyEnable = 264,
        EMailDailyTime = 265,
        EMailReceiver = 266,
        EMailEncrypt = 267,

        ShutdownEnable = 512,
        ShutdownMainFaultTime = 513,
        ShutdownBattLowTime = 514,
        ShutdownMainFaultCap = 515,
        ShutdownMode = 516,
        ShutdownAutoSave = 517,
        ShutdownUPSOff = 518,
        ShutdownUPSOffTime = 519,
        ShutdownExec = 520,
        ShutdownExecTime = 521,
        ShutdownExecFile = 522,
        ShutdownOsOff = 523,

        UpsCommType = 768,
        UpsBaudRate = 769,
        UpsComPort = 770,
        UpsDataSaveCycle = 771
    };
    Q_ENUM(SettingsType)

    ~Settings() override;

    static Settings *instance();

    // Opens (or reopens) the settings file and writes the defaults it lacks.
    void load();

    QString dataDir() const;
    QString keyName(int type) const;

    // Converters of the stored mail password (enciphered in the file).
    static QVariant encodePassword(const QVariant &value);
    static QVariant decodePassword(const QVariant &value);

#ifdef AMBREL_SERVICE
    QVariant getSettings(int type, bool isRaw = false);
#else
    Q_INVOKABLE QVariant getSettings(int type, bool isRaw = false);
    Q_INVOKABLE QVariant getSettings(QString name, bool isRaw = false);
    Q_INVOKABLE void setSettings(int type, QVariant value, bool isRaw = false);
    Q_INVOKABLE void setSettings(QString name, QVariant value, bool isRaw = false);
    Q_INVOKABLE void restore();
    Q_INVOKABLE void openPath();
#endif

signals:
    void settingsChanged();

private:
    Settings();
    QVariant readValue(const QString &key, bool isRaw) const;

    SettingsPrivate *d;
};

#endif // SETTINGS_H
