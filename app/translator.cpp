#include "translator.h"

#include "records/settings.h"

#include <QCoreApplication>
#include <QLocale>
#include <QQmlEngine>
#include <QTranslator>

class TranslatorPrivate
{
public:
    explicit TranslatorPrivate(Translator *owner) : q(owner) {}

    void load(int language);

    Translator *q;
    QQmlEngine *engine = nullptr;
    QTranslator translator;
    int language = Translator::EN_GB;
    bool autoLanguage = true;
    bool isLoading = false;
};

Translator::Translator() : d(new TranslatorPrivate(this)) {}

Translator::~Translator()
{
    delete d;
}

Translator *Translator::instance()
{
    static Translator *translator = new Translator;
    return translator;
}

void Translator::setEngine(QQmlEngine *engine)
{
    d->engine = engine;
}

void Translator::init()
{
    Settings *settings = Settings::instance();
    const QVariant stored = settings->getSettings(Settings::LanguageAuto);
    if (stored.isValid()) {
        d->autoLanguage = stored.toBool();
        d->language = settings->getSettings(Settings::LanguageType).toInt();
        d->load(d->autoLanguage ? Auto : d->language);
    } else {
        d->load(Auto);
        settings->setSettings(Settings::LanguageAuto, true);
    }
    emit languageChanged();
}

int Translator::language() const
{
    return d->language;
}

void Translator::setLanguage(int language)
{
    if (language == d->language)
        return;
    d->language = language;
    if (language != Auto)
        Settings::instance()->setSettings(Settings::LanguageType, language);
    d->load(language);
    emit languageChanged();
}

bool Translator::autoLanguage() const
{
    return d->autoLanguage;
}

void Translator::setAutoLanguage(bool autoLanguage)
{
    if (autoLanguage == d->autoLanguage)
        return;
    d->autoLanguage = autoLanguage;
    Settings::instance()->setSettings(Settings::LanguageAuto, autoLanguage);
}

bool Translator::isLoading() const
{
    return d->isLoading;
}

void TranslatorPrivate::load(int value)
{
    QString file;
    switch (value) {
    case Translator::Auto:
        file = QLocale::system().name();
        break;
    case Translator::EN_GB:
        break;
    case Translator::ZH_CN:
        file = QStringLiteral("zh_CN");
        break;
    case Translator::FR_FR:
        file = QStringLiteral("fr_FR");
        break;
    case Translator::RU_RU:
        file = QStringLiteral("ru_RU");
        break;
    default:
        return;
    }

    isLoading = true;
    if (file.isEmpty()) {
        QCoreApplication::removeTranslator(&translator);
    } else {
        // A file that does not load leaves the translator empty: English texts.
        translator.load(QCoreApplication::applicationDirPath() + QStringLiteral("/translations/")
                        + file + QStringLiteral(".qm"));
        QCoreApplication::installTranslator(&translator);
    }
    if (engine)
        engine->retranslate();
    isLoading = false;
}
