#include "settings.h"

#include "aes.h"
#include "platform/fileguard.h"
#include "platform/privatesavefile.h"
#include "settingsfilecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A settings file holds a few hundred bytes: a much larger one is no
// settings file, and is not read into memory.
const qint64 kMaxFileSize = 1024 * 1024;

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
    // The file as it stands (nothing when there is none yet); false, with
    // the reason, when it cannot be used.
    bool readFile(QByteArray *data, QString *reason) const;
    // Whether the file still holds what the store last read or wrote.
    bool fileUnchanged() const;
    // Replaces the file by data, readable by its owner only.
    bool writeFile(const QByteArray &data) const;
    // Opens the INI store on the checked file and writes the missing
    // defaults; false when the store finds the file unusable after all.
    bool openStore();
    // The values in force: those of the file, or those held in memory, or
    // the defaults before any was read.
    QVariantMap values() const;
    // Goes on without the file, which is left as it is, with the values
    // that were in force before.
    void hold(const QString &reason, const QVariantMap &inForce);
    // Writes the store's changes to the file.
    void sync();
    // Tells the journal when the file becomes unusable and when it can be
    // used again, once each.
    void report(const QString &reason);

    Settings *q = nullptr;
    QString dataDir;
    QString filePath;
    QSettings *settings = nullptr;
    QMap<int, QString> keyNames;
    QMap<QString, Converter> encoders;
    QMap<QString, Converter> decoders;

    // While the file cannot be used: the values in force, in memory only.
    bool holding = false;
    bool heldDefaults = false;
    QVariantMap held;
    // Why the file cannot be used (empty while it can).
    QString problem;
    // The file as the store last read or wrote it.
    QByteArray seen;
};

bool SettingsPrivate::readFile(QByteArray *data, QString *reason) const
{
    data->clear();
    const QFileInfo info(filePath);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!info.isFile()) {
        *reason = QStringLiteral("it is no regular file");
        return false;
    }
    QFile file(filePath);
    if (info.size() <= kMaxFileSize && file.open(QIODevice::ReadOnly))
        *data = file.read(kMaxFileSize + 1);
    if (info.size() > kMaxFileSize || data->size() > kMaxFileSize) {
        *reason = QStringLiteral("it is larger than 1 MiB");
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

bool SettingsPrivate::fileUnchanged() const
{
    QByteArray data;
    QString reason;
    return readFile(&data, &reason) && data == seen;
}

bool SettingsPrivate::writeFile(const QByteArray &data) const
{
    PrivateSaveFile file(filePath);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.finish();
}

bool SettingsPrivate::openStore()
{
    delete settings;
    // Created private, in its folder, before the store writes the first
    // value into it.
    QDir().mkpath(QFileInfo(filePath).path());
    FileGuard::restrictToOwner(filePath);
    settings = new QSettings(filePath, QSettings::IniFormat);
    settings->allKeys();
    if (settings->status() == QSettings::FormatError) {
        delete settings;
        settings = nullptr;
        return false;
    }
    holding = false;
    held.clear();
    for (const SettingDef &def : settingDefs()) {
        const QString key = QString::fromLatin1(def.key);
        if (def.defaultValue.isValid() && !settings->contains(key))
            settings->setValue(key, def.defaultValue);
    }
    sync();
    return true;
}

QVariantMap SettingsPrivate::values() const
{
    if (holding)
        return held;
    QVariantMap values;
    if (settings) {
        const QStringList keys = settings->allKeys();
        for (const QString &key : keys)
            values.insert(key, settings->value(key));
        return values;
    }
    for (const SettingDef &def : settingDefs()) {
        if (def.defaultValue.isValid())
            values.insert(QString::fromLatin1(def.key), def.defaultValue);
    }
    return values;
}

void SettingsPrivate::hold(const QString &reason, const QVariantMap &inForce)
{
    delete settings;
    settings = nullptr;
    if (!holding) {
        held = inForce;
        holding = true;
    }
    report(reason);
}

void SettingsPrivate::sync()
{
    FileGuard::restrictToOwner(filePath);
    settings->sync();
    QString reason;
    readFile(&seen, &reason);
}

void SettingsPrivate::report(const QString &reason)
{
    if (reason == problem)
        return;
    problem = reason;
    const QByteArray path = QFile::encodeName(filePath);
    if (reason.isEmpty()) {
        qInfo("The settings file %s can be used again.", path.constData());
        return;
    }
    qWarning("The settings file %s cannot be used (%s): it is left as it is, and %s are in force until it "
             "can be read; changes are not saved.",
             path.constData(), qPrintable(reason), heldDefaults ? "the defaults" : "the settings read before");
}

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
    // The INI reader must never see what it cannot read safely, nor a file
    // whose lines it would drop on its next write: such a file stays as it
    // is, and the values in force stay in force.
    const QVariantMap inForce = d->values();
    if (!d->holding)
        d->heldDefaults = !d->settings;
    QByteArray data;
    QString reason;
    if (!d->readFile(&data, &reason)) {
        d->hold(reason, inForce);
        return;
    }
    const SettingsFileCheck check(data);
    if (!check.parses()) {
        d->hold(QStringLiteral("it is not in the INI format"), inForce);
        return;
    }
    const QStringList foreign = check.foreignKeys();
    if (!foreign.isEmpty()) {
        // No setting is stored as an object: such values read as absent,
        // and their defaults take their places below.
        const SettingsFileCheck cleaned(check.cleaned());
        if (!cleaned.parses() || !cleaned.foreignKeys().isEmpty() || !d->writeFile(check.cleaned())) {
            d->hold(QStringLiteral("it holds values that are no setting"), inForce);
            return;
        }
        qWarning("The settings file %s held values that are no setting (%s): their defaults are used.",
                 QFile::encodeName(d->filePath).constData(), qPrintable(foreign.join(QStringLiteral(", "))));
    }
    if (!d->openStore()) {
        d->hold(QStringLiteral("it is not in the INI format"), inForce);
        return;
    }
    d->report(QString());
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
    QVariant stored;
    if (d->holding) {
        stored = d->held.value(key);
    } else {
        if (!d->settings || !d->settings->contains(key))
            return QVariant();
        stored = d->settings->value(key);
    }
    if (!stored.isValid())
        return QVariant();
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
    // A file changed behind the store's back is checked before the store
    // merges its own change into it.
    if (d->settings && !d->fileUnchanged())
        load();
    if (!d->settings && !d->holding)
        return;
    const auto encoder = d->encoders.constFind(name);
    const QVariant stored = isRaw || encoder == d->encoders.constEnd() ? value : (*encoder)(value);
    if (d->holding) {
        d->held.insert(name, stored);
        return;
    }
    d->settings->setValue(name, stored);
    d->sync();
}

void Settings::restore()
{
    if (d->settings && !d->fileUnchanged())
        load();
    for (const SettingDef &def : settingDefs()) {
        if (!def.restored)
            continue;
        if (d->holding)
            d->held.insert(QString::fromLatin1(def.key), def.defaultValue);
        else if (d->settings)
            d->settings->setValue(QString::fromLatin1(def.key), def.defaultValue);
    }
    if (d->settings)
        d->sync();
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
