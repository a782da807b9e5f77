// The settings store loading a settings file of any content, and its readers:
// every key read (the mail password deciphered), a write, and the e-mail
// service's reload of its settings. Beside it, the check of the file is held
// against the INI reader of QSettings itself: where the check finds nothing
// foreign, that reader must see the same format verdict and read nothing but
// texts and bytes; a file the check refuses is left byte for byte.
#include "email/serviceemail.h"
#include "fuzzenvironment.h"
#include "records/settings.h"
#include "records/settingsfilecheck.h"

#include <QFile>
#include <QMetaEnum>
#include <QSettings>

#include <cstdlib>

namespace {

void write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        abort();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What QSettings reads from data, which the check found free of foreign
// values, must agree with the check.
void compareWithReader(const QByteArray &data, const SettingsFileCheck &check)
{
    // A name of its own each time: QSettings keeps what it read of a file
    // as long as its size and time stay the same.
    static int files = 0;
    const QString path = Settings::instance()->dataDir() + QStringLiteral("/reader%1.ini").arg(++files);
    write(path, data);
    {
        QSettings reader(path, QSettings::IniFormat);
        const QStringList keys = reader.allKeys();
        if ((reader.status() == QSettings::FormatError) == check.parses())
            abort();
        for (const QString &key : keys) {
            // An empty key ("section/") is listed but cannot be asked for.
            const int type = reader.value(key).userType();
            if (type != QMetaType::UnknownType && type != QMetaType::QString && type != QMetaType::QStringList && type != QMetaType::QByteArray)
                abort();
        }
    }
    QFile::remove(path);
}

} // namespace

void FuzzEnvironment::setUp()
{
    ServiceEMail::instance();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    const SettingsFileCheck check(text);
    if (check.foreignKeys().isEmpty()) {
        compareWithReader(text, check);
    } else {
        const SettingsFileCheck cleaned(check.cleaned());
        if (cleaned.foreignKeys().isEmpty())
            compareWithReader(check.cleaned(), cleaned);
    }

    Settings *settings = Settings::instance();
    const QString path = settings->dataDir() + QStringLiteral("/cfg/config.cfg");
    write(path, text);
    settings->load();
    if (!check.parses() && read(path) != text)
        abort();
    const QMetaEnum types = QMetaEnum::fromType<Settings::SettingsType>();
    for (int i = 0; i < types.keyCount(); ++i) {
        settings->getSettings(types.value(i));
        settings->getSettings(types.value(i), true);
    }
    settings->setSettings(Settings::EMailServerPort, 587);
    if (!check.parses() && read(path) != text)
        abort();
    ServiceEMail::instance()->onSettingsChanged();
    return 0;
}
