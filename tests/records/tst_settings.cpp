#include "records/settings.h"
#include "testenvironment.h"

#include <QFile>
#include <QMap>
#include <QSettings>

namespace {

// The file read as text: "section/key" -> raw text after '='.
QMap<QString, QString> readIniText(const QString &path)
{
    QMap<QString, QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    QString section;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        QString value = line.mid(eq + 1);
        // The INI writer quotes values that hold '=' or ',' (Base64 padding).
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        entries.insert(section + QLatin1Char('/') + line.left(eq), value);
    }
    return entries;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QString configPath() const { return Settings::instance()->dataDir() + QStringLiteral("/cfg/config.cfg"); }

private slots:
    void initTestCase()
    {
        TestEnvironment::makeDataDirs();
        QVERIFY(Settings::instance()->dataDir().endsWith(QStringLiteral("/Ambrel")));
        QVERIFY(!QFile::exists(configPath()));
    }

    void freshFileHoldsTheDefaults()
    {
        Settings::instance()->load();
        const QMap<QString, QString> expected = {
            {"language/auto", "true"},
            {"language/type", "0"},
            {"email/enable", "false"},
            {"email/userName", ""},
            {"email/userAddr", ""},
            {"email/serverAddr", ""},
            {"email/serverPort", "25"},
            {"email/authEnable", "false"},
            {"email/authName", ""},
            {"email/authPasswd", ""},
            {"email/dailyEnable", "false"},
            {"email/dailyTime", "12:00:00"},
            {"email/encrypt", "0"},
            {"shutdown/enable", "false"},
            {"shutdown/mainFaultTime", "0"},
            {"shutdown/battLowTime", "0"},
            {"shutdown/mainFaultCapacity", "1"},
            {"shutdown/shutdownMode", "0"},
            {"shutdown/autoSave", "false"},
            {"shutdown/UPSOff", "false"},
            {"shutdown/UPSOffTime", "1"},
            {"shutdown/execEnable", "false"},
            {"shutdown/execTime", "1"},
            {"shutdown/execFile", ""},
            {"shutdown/osOff", "false"},
            {"ups/commType", "0"},
            {"ups/baudRate", "2400"},
            {"ups/comPort", ""},
            {"ups/saveCycle", "60"},
        };
        QCOMPARE(expected.size(), 29);
        QCOMPARE(readIniText(configPath()), expected);
    }

    void readsAfterReload()
    {
        Settings *s = Settings::instance();
        s->load();
        QCOMPARE(s->getSettings(Settings::EMailServerPort).toInt(), 25);
        QCOMPARE(s->getSettings(Settings::EMailDailyTime).toString(), QStringLiteral("12:00:00"));
        QCOMPARE(s->getSettings(Settings::LanguageAuto).toBool(), true);
        // An empty text is returned as it stands, not replaced by anything.
        QVERIFY(s->getSettings(Settings::EMailServerAddress).isValid());
        QCOMPARE(s->getSettings(Settings::EMailServerAddress).toString(), QString());
        QVERIFY(!s->getSettings(Settings::EMailReceiver).isValid());
        QVERIFY(!s->getSettings(12345).isValid());
        QVERIFY(!s->getSettings(QStringLiteral("nothing/here")).isValid());
        QCOMPARE(s->keyName(Settings::UpsDataSaveCycle), QStringLiteral("ups/saveCycle"));
        QCOMPARE(s->keyName(9999), QString());
    }

    void userValuesSurviveLoad()
    {
        {
            QSettings ini(configPath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("email/serverPort"), 587);
            ini.setValue(QStringLiteral("shutdown/enable"), true);
            ini.remove(QStringLiteral("ups/baudRate"));
            ini.remove(QStringLiteral("email/serverAddr"));
        }
        Settings *s = Settings::instance();
        s->load();
        QCOMPARE(s->getSettings(Settings::EMailServerPort).toInt(), 587);
        QCOMPARE(s->getSettings(Settings::ShutdownEnable).toBool(), true);
        const auto text = readIniText(configPath());
        QCOMPARE(text.value("email/serverPort"), QStringLiteral("587"));
        QCOMPARE(text.value("ups/baudRate"), QStringLiteral("2400"));
        QVERIFY(text.contains("email/serverAddr"));
        QCOMPARE(text.size(), 29);
    }

    void writesReachTheFileAtOnce()
    {
        Settings *s = Settings::instance();
        s->setSettings(Settings::ShutdownExecFile, QStringLiteral("/opt/my scripts/off.sh"));
        QCOMPARE(readIniText(configPath()).value("shutdown/execFile"),
                 QStringLiteral("/opt/my scripts/off.sh"));

        const QByteArray before = fileBytes(configPath());
        s->setSettings(4242, 7);
        QCOMPARE(fileBytes(configPath()), before);

        s->setSettings(QStringLiteral("extra/newKey"), QStringLiteral("value"));
        QCOMPARE(readIniText(configPath()).value("extra/newKey"), QStringLiteral("value"));
        QCOMPARE(s->getSettings(QStringLiteral("extra/newKey")).toString(), QStringLiteral("value"));
    }

    void passwordIsStoredEnciphered()
    {
        Settings *s = Settings::instance();
        s->setSettings(Settings::EMailAuthPassword, QStringLiteral("secret"));
        const QString stored = readIniText(configPath()).value("email/authPasswd");
        QVERIFY2(stored.startsWith(QStringLiteral("@ByteArray(")), qPrintable(stored));
        QVERIFY(!stored.contains(QStringLiteral("secret")));

        const QByteArray raw = s->getSettings(Settings::EMailAuthPassword, true).toByteArray();
        QCOMPARE(raw.size(), 24);
        QCOMPARE(QString::fromUtf8(s->getSettings(Settings::EMailAuthPassword).toByteArray()),
                 QStringLiteral("secret"));

        // After a reload the value comes from the file.
        s->load();
        QCOMPARE(s->getSettings(Settings::EMailAuthPassword, true).toByteArray(), raw);
        QCOMPARE(QString::fromUtf8(s->getSettings(QStringLiteral("email/authPasswd")).toByteArray()),
                 QStringLiteral("secret"));

        // An import writes the Base64 text raw: it decodes alike.
        s->setSettings(Settings::EMailAuthPassword, QString::fromLatin1(raw), true);
        QCOMPARE(readIniText(configPath()).value("email/authPasswd"), QString::fromLatin1(raw));
        s->load();
        QCOMPARE(QString::fromUtf8(s->getSettings(Settings::EMailAuthPassword).toByteArray()),
                 QStringLiteral("secret"));
    }

    void restoreKeepsLinkAndReceivers()
    {
        Settings *s = Settings::instance();
        s->setSettings(Settings::UpsCommType, 1);
        s->setSettings(Settings::UpsComPort, QStringLiteral("ttyUSB0"));
        s->setSettings(Settings::UpsBaudRate, 9600);
        s->setSettings(Settings::EMailEnable, true);
        s->setSettings(QStringLiteral("email/receiver"), QStringLiteral("kept@example.com"));
        s->setSettings(Settings::EMailAuthPassword, QStringLiteral("secret"));

        s->restore();
        s->load();
        QCOMPARE(s->getSettings(Settings::UpsCommType).toInt(), 1);
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("ttyUSB0"));
        QCOMPARE(s->getSettings(QStringLiteral("email/receiver")).toString(),
                 QStringLiteral("kept@example.com"));
        QCOMPARE(s->getSettings(Settings::UpsBaudRate).toInt(), 2400);
        QCOMPARE(s->getSettings(Settings::EMailEnable).toBool(), false);
        QCOMPARE(readIniText(configPath()).value("email/authPasswd"), QString());
        QVERIFY(s->getSettings(Settings::EMailAuthPassword).toByteArray().isEmpty());
    }
};

AMBREL_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
