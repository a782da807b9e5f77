// The settings store loading a settings file of any content, and its readers:
// every key read (the mail password deciphered) and the e-mail service's
// reload of its settings.
#include "email/serviceemail.h"
#include "fuzzenvironment.h"
#include "records/settings.h"

#include <QFile>
#include <QMetaEnum>

void FuzzEnvironment::setUp()
{
    ServiceEMail::instance();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // QSettings itself deserialises "@Variant(...)" values with QDataStream,
    // and a damaged one can ask for any amount of memory: a fault of the
    // library, left out here.
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    if (text.contains("@Variant("))
        return 0;

    Settings *settings = Settings::instance();
    {
        QFile file(settings->dataDir() + QStringLiteral("/cfg/config.cfg"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(text);
    }
    settings->load();
    const QMetaEnum types = QMetaEnum::fromType<Settings::SettingsType>();
    for (int i = 0; i < types.keyCount(); ++i) {
        settings->getSettings(types.value(i));
        settings->getSettings(types.value(i), true);
    }
    ServiceEMail::instance()->onSettingsChanged();
    return 0;
}
