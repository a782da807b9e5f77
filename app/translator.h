#ifndef TRANSLATOR_H
#define TRANSLATOR_H

#include <QObject>

class QQmlEngine;
class TranslatorPrivate;

// Switches the language of the user interface at run time: loads one of the
// translation files beside the program, installs it together with Qt's own
// translations of that language and makes the QML engine evaluate its texts
// again. The choice lives in "language/auto" and "language/type".
class Translator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(bool autoLanguage READ autoLanguage WRITE setAutoLanguage)
    Q_PROPERTY(bool isLoading READ isLoading)
    Q_PROPERTY(QString localeName READ localeName NOTIFY languageChanged)

public:
    enum Language {
        Auto = -1,
        EN_GB = 0,
        ZH_CN = 1,
        FR_FR = 2,
        RU_RU = 3
    };
    Q_ENUM(Language)

    ~Translator() override;

    static Translator *instance();

    // The engine whose texts follow the language (not owned).
    void setEngine(QQmlEngine *engine);

    // Applies the stored choice.
    Q_INVOKABLE void init();

    int language() const;
    void setLanguage(int language);
    bool autoLanguage() const;
    void setAutoLanguage(bool autoLanguage);
    bool isLoading() const;
    // The locale of the texts in force, such as "fr_FR" ("en_GB" for the
    // English source texts): the calendar names its months and days by it.
    QString localeName() const;

signals:
    void languageChanged();

private:
    Translator();

    friend class TranslatorPrivate;
    TranslatorPrivate *d;
};

#endif // TRANSLATOR_H
