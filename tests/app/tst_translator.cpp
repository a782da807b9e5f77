// The translator with the program's own translation files, on a French
// system locale (LANG=fr_FR.UTF-8).

#include "alarm/alarm.h"
#include "app/translator.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>

namespace {
const char kEnglish[] = "Communication lost";
const char kFrench[] = "Communication perdue";
const char kRussian[] = "Связь потеряна";
} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void autoFollowsTheSystemLocale();
    void languageChanges_data();
    void languageChanges();
    void unknownStoredLanguageChangesNothing();
    void everyAlarmTextIsTranslated_data();
    void everyAlarmTextIsTranslated();

private:
    QString shown() const { return object->property("text").toString(); }

    QQmlEngine engine;
    QScopedPointer<QObject> object;
};

void TestTranslator::initTestCase()
{
    TestStore::open();
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.15\nQtObject { property string text: qsTranslate(\"Alarm\", \"Communication lost\") }",
                      QUrl());
    object.reset(component.create());
    QVERIFY(object);
    Translator::instance()->setEngine(&engine);
}

void TestTranslator::autoFollowsTheSystemLocale()
{
    QCOMPARE(QLocale::system().name(), QStringLiteral("fr_FR"));
    Settings::instance()->setSettings(Settings::LanguageAuto, true);
    Settings::instance()->setSettings(Settings::LanguageType, Translator::RU_RU);
    QSignalSpy changed(Translator::instance(), &Translator::languageChanged);
    Translator::instance()->init();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(shown(), QString::fromUtf8(kFrench));
    QCOMPARE(Translator::instance()->language(), int(Translator::RU_RU));
}

void TestTranslator::languageChanges_data()
{
    // Rows run in order, each from the state the previous one left.
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("emitted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("storedType");
    QTest::newRow("English") << 0 << 1 << QString::fromUtf8(kEnglish) << 0;
    QTest::newRow("English again") << 0 << 0 << QString::fromUtf8(kEnglish) << 0;
    QTest::newRow("Russian") << 3 << 1 << QString::fromUtf8(kRussian) << 3;
    QTest::newRow("Auto") << -1 << 1 << QString::fromUtf8(kFrench) << 3;
    QTest::newRow("Chinese") << 1 << 1 << QString::fromUtf8("通讯中断") << 1;
    QTest::newRow("out of range") << 9 << 1 << QString::fromUtf8("通讯中断") << 9;
    QTest::newRow("back to English") << 0 << 1 << QString::fromUtf8(kEnglish) << 0;
}

void TestTranslator::languageChanges()
{
    QFETCH(int, language);
    QFETCH(int, emitted);
    QFETCH(QString, text);
    QFETCH(int, storedType);
    QSignalSpy changed(Translator::instance(), &Translator::languageChanged);
    Translator::instance()->setLanguage(language);
    QCOMPARE(changed.count(), emitted);
    QCOMPARE(Translator::instance()->language(), language);
    QCOMPARE(shown(), text);
    QCOMPARE(Settings::instance()->getSettings(Settings::LanguageType).toInt(), storedType);
}

void TestTranslator::unknownStoredLanguageChangesNothing()
{
    Translator::instance()->setLanguage(Translator::FR_FR);
    Translator::instance()->setAutoLanguage(false);
    QCOMPARE(Settings::instance()->getSettings(Settings::LanguageAuto).toBool(), false);
    Settings::instance()->setSettings(Settings::LanguageType, 7);
    QSignalSpy changed(Translator::instance(), &Translator::languageChanged);
    Translator::instance()->init();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(Translator::instance()->language(), 7);
    QCOMPARE(shown(), QString::fromUtf8(kFrench));
}

void TestTranslator::everyAlarmTextIsTranslated_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("zh_CN") << int(Translator::ZH_CN);
    QTest::newRow("fr_FR") << int(Translator::FR_FR);
    QTest::newRow("ru_RU") << int(Translator::RU_RU);
}

void TestTranslator::everyAlarmTextIsTranslated()
{
    QFETCH(int, language);
    QList<int> codes;
    for (int code = 0; code < 22; ++code)
        codes << code;
    for (int family : {0x10000, 0x20000}) {
        for (int bit = 0; bit < 13 * 16; ++bit)
            codes << family + bit << family + 500 + bit;
    }
    Translator::instance()->setLanguage(Translator::EN_GB);
    QStringList english;
    for (int code : qAsConst(codes))
        english << Alarm::instance()->alarmText(code);

    Translator::instance()->setLanguage(language);
    int texts = 0;
    for (int i = 0; i < codes.size(); ++i) {
        if (english.at(i).isEmpty())
            continue;
        ++texts;
        const QString text = Alarm::instance()->alarmText(codes.at(i));
        QVERIFY2(!text.isEmpty() && text != english.at(i), qPrintable(english.at(i)));
    }
    QVERIFY(texts > 200);
}

int main(int argc, char *argv[])
{
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "fr_FR.UTF-8");
    QTemporaryDir home;
    TestEnvironment::prepare(home.path());
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ambrel"));
    TestTranslator tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_translator.moc"
