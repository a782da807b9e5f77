#include "translator.h"

#include "records/settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QQmlEngine>
#include <QTranslator>

namespace {

// Qt's own catalogues beside the program's: the texts of the file dialogs
// and of their standard buttons, and of Qt Quick.
const char *const kQtCatalogues[] = {"qtbase", "qtdeclarative"};
constexpr int kQtCatalogueCount = int(sizeof kQtCatalogues / sizeof *kQtCatalogues);

// The source texts are British English.
const char kSourceLocale[] = "en_GB";

} // namespace

class TranslatorPrivate
{
public:
    explicit TranslatorPrivate(Translator *owner) : q(owner) {}

    void load(int language);
    void loadQtCatalogues(const QLocale &locale);

    Translator *q;
    QQmlEngine *engine = nullptr;
    QTranslator translator;
    QTranslator qtTranslators[kQtCatalogueCount];
    QString localeName = QLatin1String(kSourceLocale);
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

QString Translator::localeName() const
{
    return d->localeName;
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
    bool loaded = false;
    if (file.isEmpty()) {
        QCoreApplication::removeTranslator(&translator);
    } else {
        // A file that does not load leaves the translator empty: English texts.
        loaded = translator.load(QCoreApplication::applicationDirPath() + QStringLiteral("/translations/")
                                 + file + QStringLiteral(".qm"));
        QCoreApplication::installTranslator(&translator);
    }
    // Qt's texts, the calendar's names and the program's texts speak one
    // language.
    localeName = loaded ? file : QLatin1String(kSourceLocale);
    loadQtCatalogues(QLocale(localeName));
    if (engine)
        engine->retranslate();
    isLoading = false;
}

// Qt's catalogues of the language in force, where the system has them (the
// package qttranslations5-l10n); English needs none.
void TranslatorPrivate::loadQtCatalogues(const QLocale &locale)
{
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    for (int i = 0; i < kQtCatalogueCount; ++i) {
        QCoreApplication::removeTranslator(&qtTranslators[i]);
        if (locale.name() != QLatin1String(kSourceLocale)
            && qtTranslators[i].load(locale, QLatin1String(kQtCatalogues[i]), QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(&qtTranslators[i]);
    }
}
