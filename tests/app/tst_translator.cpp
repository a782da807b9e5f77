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

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void languageChanges_data();
    void languageChanges();
    void everyAlarmTextIsTranslated();

private:
    QQmlEngine engine;
    QScopedPointer<QObject> item;
};

void TestTranslator::initTestCase()
{
    TestStore::open();
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.15\nQtObject { property string text: qsTranslate(\"Alarm\", \"Communication lost\") }",
                      QUrl());
    item.reset(component.create());
    QVERIFY(item);
    Translator::instance()->setEngine(&engine);
}

void TestTranslator::languageChanges_data()
{
    // Rows run in order, each from the state the one before left. "init"
    // rows store the type first (auto on or off, as the row says).
    QTest::addColumn<bool>("init");
    QTest::addColumn<bool>("autoLanguage");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("emitted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("storedType");
    const QString en = QStringLiteral("Communication lost"), fr = QStringLiteral("Communication perdue");
    QTest::newRow("init under Auto") << true << true << 3 << 1 << fr << 3;
    QTest::newRow("English") << false << true << 0 << 1 << en << 0;
    QTest::newRow("English again") << false << true << 0 << 0 << en << 0;
    QTest::newRow("Russian") << false << true << 3 << 1 << QString::fromUtf8("Связь потеряна") << 3;
    QTest::newRow("Auto") << false << true << -1 << 1 << fr << 3;
    QTest::newRow("Chinese") << false << true << 1 << 1 << QString::fromUtf8("通讯中断") << 1;
    QTest::newRow("init with type 7") << true << false << 7 << 1 << QString::fromUtf8("通讯中断") << 7;
    QTest::newRow("init with type 0") << true << false << 0 << 1 << en << 0;
}

void TestTranslator::languageChanges()
{
    QFETCH(bool, init);
    QFETCH(bool, autoLanguage);
    QFETCH(int, language);
    QFETCH(int, emitted);
    QFETCH(QString, text);
    QFETCH(int, storedType);
    Translator *translator = Translator::instance();
    QSignalSpy changed(translator, &Translator::languageChanged);
    if (init) {
        Settings::instance()->setSettings(Settings::LanguageAuto, autoLanguage);
        Settings::instance()->setSettings(Settings::LanguageType, language);
        translator->init();
        QCOMPARE(translator->autoLanguage(), autoLanguage);
    } else {
        translator->setLanguage(language);
    }
    QCOMPARE(changed.count(), emitted);
    QCOMPARE(translator->language(), language);
    QCOMPARE(item->property("text").toString(), text);
    QCOMPARE(Settings::instance()->getSettings(Settings::LanguageType).toInt(), storedType);
}

void TestTranslator::everyAlarmTextIsTranslated()
{
    QList<int> codes;
    for (int code = 0; code < 22; ++code)
        codes << code;
    for (int bit = 0; bit < 13 * 16; ++bit)
        codes << 0x10000 + bit << 0x10000 + 500 + bit << 0x20000 + bit << 0x20000 + 500 + bit;
    const auto texts = [&codes](int language) {
        Translator::instance()->setLanguage(language);
        QStringList list;
        for (int code : qAsConst(codes))
            list << Alarm::instance()->alarmText(code);
        return list;
    };
    const QStringList english = texts(Translator::EN_GB);
    QVERIFY(english.filter(QRegularExpression(QStringLiteral("."))).size() > 200);
    for (int language : {Translator::ZH_CN, Translator::FR_FR, Translator::RU_RU}) {
        const QStringList translated = texts(language);
        for (int i = 0; i < codes.size(); ++i)
            QVERIFY2(english.at(i).isEmpty() || (!translated.at(i).isEmpty() && translated.at(i) != english.at(i)),
                     qPrintable(QString::number(language) + english.at(i)));
    }
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
