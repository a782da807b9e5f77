#include "settings.h"

#include "aes.h"

#include <QMap>
#include <QSettings>
#include <QStandardPaths>

#ifndef AMBREL_SERVICE
#include <QDesktopServices>
#include <QUrl>
#endif

#include <functional>

namespace {

using Converter = std::function<QVariant(const QVariant &)>;

struct SettingDef
{
    int type;
    const char *key;
    QVariant defaultValue; // invalid: no default, never written by the store
    bool restored;
};

// The settings of the system, in file order.
const QVector<SettingDef> &settingDefs()
{
    static const QVector<SettingDef> defs = {
        {Settings::LanguageAuto, "language/auto", true, true},
        {Settings::LanguageType, "language/type", 0, true},
        {Settings::EMailEnable, "email/enable", false, true},
        {Settings::EMailSenderName, "email/userName", QString(), true},
        {Settings::EMailSenderAddress, "email/userAddr", QString(), true},
        {Settings::EMailServerAddress, "email/serverAddr", QString(), true},
        {Settings::EMailServerPort, "email/serverPort", 25, true},
        {Settings::EMailAuthEnable, "email/authEnable", false, true},
        {Settings::EMailAuthName, "email/authName", QString(), true},
        {Settings::EMailAuthPassword, "email/authPasswd", QString(), true},
        {Settings::EMailDailyEnable, "email/dailyEnable", false, true},
        {Settings::EMailDailyTime, "email/dailyTime", QStringLiteral("12:00:00"), true},
        {Settings::EMailReceiver, "email/receiver", QVariant(), false},
        {Settings::EMailEncrypt, "email/encrypt", 0, true},
        {Settings::ShutdownEnable, "shutdown/enable", false, true},
        {Settings::ShutdownMainFaultTime, "shutdown/mainFaultTime", 0, true},
        {Settings::ShutdownBattLowTime, "shutdown/battLowTime", 0, true},
        {Settings::ShutdownMainFaultCap, "shutdown/mainFaultCapacity", 1, true},
        {Settings::ShutdownMode, "shutdown/shutdownMode", 0, true},
        {Settings::ShutdownAutoSave, "shutdown/autoSave", false, true},
        {Settings::ShutdownUPSOff, "shutdown/UPSOff", false, true},
        {Settings::ShutdownUPSOffTime, "shutdown/UPSOffTime", 1, true},
        {Settings::ShutdownExec, "shutdown/execEnable", false, true},
        {Settings::ShutdownExecTime, "shutdown/execTime", 1, true},
        {Settings::ShutdownExecFile, "shutdown/execFile", QString(), true},
        {Settings::ShutdownOsOff, "shutdown/osOff", false, true},
        {Settings::UpsCommType, "ups/commType", 0, false},
        {Settings::UpsBaudRate, "ups/baudRate", 2400, true},
        {Settings::UpsComPort, "ups/comPort", QString(), false},
        {Settings::UpsDataSaveCycle, "ups/saveCycle", 60, true},
    };
    return defs;
}

// Key material built into both programs: the AES-128 key, then the vector.
const char kKeyMaterial[] = "MOLTA#418205967!MOLTA#730618254~";

void initCipher(AesContext *ctx)
{
    const auto *material = reinterpret_cast<const uint8_t *>(kKeyMaterial);
    aesInit(ctx, material, material + 16);
}

} // namespace

class SettingsPrivate
{
public:
    Settings *q = nullptr;
    QString dataDir;
    QString filePath;
    QSettings *settings = nullptr;
    QMap<int, QString> keyNames;
    QMap<QString, Converter> encoders;
    QMap<QString, Converter> decoders;
};

Settings::Settings()
    : d(new SettingsPrivate)
{
    d->q = this;
    d->dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    d->filePath = d->dataDir + QStringLiteral("/cfg/config.cfg");
    for (const SettingDef &def : settingDefs())
        d->keyNames.insert(def.type, QString::fromLatin1(def.key));

    const QString passwordKey = d->keyNames.value(EMailAuthPassword);
    d->encoders.insert(passwordKey, &Settings::encodePassword);
    d->decoders.insert(passwordKey, &Settings::decodePassword);
}

Settings::~Settings()
{
    delete d->settings;
    delete d;
}

Settings *Settings::instance()
{
    static Settings *store = new Settings;
    return store;
}

void Settings::load()
{
    delete d->settings;
    d->settings = new QSettings(d->filePath, QSettings::IniFormat);
    for (const SettingDef &def : settingDefs()) {
        const QString key = QString::fromLatin1(def.key);
        if (def.defaultValue.isValid() && !d->settings->contains(key))
            d->settings->setValue(key, def.defaultValue);
    }
    d->settings->sync();
}

QString Settings::dataDir() const
{
    return d->dataDir;
}

QString Settings::keyName(int type) const
{
    return d->keyNames.value(type);
}

QVariant Settings::readValue(const QString &key, bool isRaw) const
{
    if (!d->settings || !d->settings->contains(key))
        return QVariant();
    const QVariant stored = d->settings->value(key);
    const auto decoder = d->decoders.constFind(key);
    if (isRaw || decoder == d->decoders.constEnd())
        return stored;
    return (*decoder)(stored);
}

QVariant Settings::getSettings(int type, bool isRaw)
{
    const auto key = d->keyNames.constFind(type);
    if (key == d->keyNames.constEnd())
        return QVariant();
    return readValue(*key, isRaw);
}

#ifndef AMBREL_SERVICE

QVariant Settings::getSettings(QString name, bool isRaw)
{
    return readValue(name, isRaw);
}

void Settings::setSettings(int type, QVariant value, bool isRaw)
{
    const auto key = d->keyNames.constFind(type);
    if (key == d->keyNames.constEnd())
        return;
    setSettings(*key, value, isRaw);
}

void Settings::setSettings(QString name, QVariant value, bool isRaw)
{
    if (!d->settings)
        return;
    const auto encoder = d->encoders.constFind(name);
    if (isRaw || encoder == d->encoders.constEnd())
        d->settings->setValue(name, value);
    else
        d->settings->setValue(name, (*encoder)(value));
    d->settings->sync();
}

void Settings::restore()
{
    if (!d->settings)
        return;
    for (const SettingDef &def : settingDefs()) {
        if (def.restored)
            d->settings->setValue(QString::fromLatin1(def.key), def.defaultValue);
    }
    d->settings->sync();
}

void Settings::openPath()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(d->dataDir));
}

#endif // !AMBREL_SERVICE

QVariant Settings::encodePassword(const QVariant &value)
{
    const QByteArray plain = value.toByteArray();
    if (plain.isEmpty())
        return QByteArray();

    const int length = (plain.size() + 15) / 16 * 16;
    QByteArray buffer(length, '\0');
    std::copy(plain.cbegin(), plain.cend(), buffer.begin());

    AesContext ctx;
    initCipher(&ctx);
    aesEncryptBlock(&ctx, reinterpret_cast<uint8_t *>(buffer.data()));
    return buffer.toBase64();
}

QVariant Settings::decodePassword(const QVariant &value)
{
    const QByteArray stored = value.toByteArray();
    if (stored.isEmpty())
        return QByteArray();

    QByteArray buffer = QByteArray::fromBase64(stored);
    // Only a hand-edited file holds less than one block: it has no password.
    if (buffer.size() < 16)
        return QByteArray();

    AesContext ctx;
    initCipher(&ctx);
    aesDecryptBlock(&ctx, reinterpret_cast<uint8_t *>(buffer.data()));

    if (buffer.at(buffer.size() - 1) != '\0')
        return buffer;
    const int end = buffer.indexOf('\0');
    return buffer.left(end);
}
