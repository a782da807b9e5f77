#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

// The three catalogues hold a finished translation of every text of the
// sources: they are refreshed from the sources (as the README says) into a
// temporary folder first, so a text that nobody has added yet counts too.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();

private:
    QTemporaryDir m_dir;
    QStringList m_languages{"zh_CN", "fr_FR", "ru_RU"};
};

void TestTranslations::initTestCase()
{
    const QString source = QStringLiteral(AMBREL_SOURCE_DIR);
    QStringList arguments{"-no-obsolete", "-locations", "none", "app", "src", "qml", "-ts"};
    for (const QString &language : m_languages) {
        const QString copy = m_dir.filePath(language + ".ts");
        QVERIFY(QFile::copy(source + "/translations/" + language + ".ts", copy));
        arguments << copy;
    }
    QProcess lupdate;
    lupdate.setWorkingDirectory(source);
    lupdate.start(QStringLiteral("lupdate"), arguments);
    QVERIFY2(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
}

void TestTranslations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : m_languages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, language);
    QFile file(m_dir.filePath(language + ".ts"));
    QVERIFY(file.open(QIODevice::ReadOnly));

    // A text that is joined to another keeps its trailing blank (or ends with
    // a full-width colon). A unit in brackets stays in Latin letters, as the
    // values of the Data tab show it beside the number in every language.
    static const QRegularExpression unit(QStringLiteral("\\((V|Hz|%|\u2103) ?\\)"));
    QStringList faults;
    QString context, source;
    int messages = 0;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const bool unfinished = !xml.attributes().value("type").isEmpty();
            const QString text = xml.readElementText();
            if (unfinished || text.trimmed().isEmpty())
                faults << context + ": \"" + source + "\" is not translated";
            else if (source.endsWith(' ') && !text.endsWith(' ') && !text.endsWith(QChar(0xFF1A)))
                faults << context + ": \"" + source + "\" loses its trailing blank";
            const QRegularExpressionMatch symbol = unit.match(source);
            if (symbol.hasMatch() && !text.contains('(' + symbol.captured(1) + ')'))
                faults << context + ": \"" + source + "\" does not keep the unit " + symbol.captured(1);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 0);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

    // The compiled catalogue beside the program loads.
    QTranslator translator;
    QVERIFY(translator.load(QCoreApplication::applicationDirPath() + "/translations/" + language + ".qm"));
}

AMBREL_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
