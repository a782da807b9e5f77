#include "records/settings.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

void writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), qint64(data.size()));
}

const QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                   | QFile::WriteOther | QFile::ExeOther;

// The journal lines of the store about its file.
QStringList journal;
void recordJournal(QtMsgType, const QMessageLogContext &, const QString &text)
{
    if (text.startsWith(QLatin1String("The settings file")))
        journal.append(text);
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
        // No cfg folder yet, as at the service's first start.
        QVERIFY(QDir().mkpath(Settings::instance()->dataDir() + "/data"));
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
        // It will hold the mail password.
        QCOMPARE(QFile::permissions(configPath()) & kOthers, QFile::Permissions());
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

    void readableFileBecomesPrivateWhenWritten()
    {
        QVERIFY(QFile::setPermissions(configPath(), QFile::permissions(configPath()) | QFile::ReadGroup
                                                        | QFile::ReadOther));
        Settings::instance()->setSettings(Settings::EMailAuthPassword, QStringLiteral("secret"));
        QCOMPARE(QFile::permissions(configPath()) & kOthers, QFile::Permissions());
    }

    // Values that the INI reader would turn into objects (a damaged one asks
    // for any amount of memory) read as absent: their defaults take their
    // lines, and every other line keeps its value.
    void valuesThatAreNoSetting_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("damaged variant") << QByteArray("enable=@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)");
        QTest::newRow("quoted") << QByteArray("enable=\"@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)\"");
        QTest::newRow("escaped @") << QByteArray("enable=\\x40Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)");
        QTest::newRow("in a list") << QByteArray("enable=true, @Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)");
        QTest::newRow("date") << QByteArray("enable=@DateTime(\\0\\0\\0\\x10)");
        QTest::newRow("rectangle, with a comment") << QByteArray("enable=@Rect(1 2 3 4) ; note");
    }

    void valuesThatAreNoSetting()
    {
        QFETCH(QByteArray, line);
        const QByteArray password = Settings::instance()->getSettings(Settings::EMailAuthPassword, true).toByteArray();
        writeBytes(configPath(), "[email]\nuserAddr=@@home\nauthPasswd=\"@ByteArray(" + password + ")\"\n"
                                 "[shutdown]\nmainFaultTime=5\n" + line + "\nexecFile=/opt/off.sh\n");
        Settings *s = Settings::instance();
        s->load();
        QCOMPARE(s->getSettings(Settings::ShutdownEnable).toString(), QStringLiteral("false"));
        QCOMPARE(s->getSettings(Settings::ShutdownMainFaultTime).toInt(), 5);
        QCOMPARE(s->getSettings(Settings::ShutdownExecFile).toString(), QStringLiteral("/opt/off.sh"));
        QCOMPARE(s->getSettings(Settings::EMailSenderAddress).toString(), QStringLiteral("@home"));
        QCOMPARE(QString::fromUtf8(s->getSettings(Settings::EMailAuthPassword).toByteArray()), QStringLiteral("secret"));
        const QByteArray file = fileBytes(configPath());
        QVERIFY2(!file.contains("Variant") && !file.contains("@DateTime") && !file.contains("@Rect"), file.constData());
        QCOMPARE(readIniText(configPath()).value("shutdown/enable"), QStringLiteral("false"));
    }

    // A file that is no INI file is kept as it is and nothing is written
    // into it; the settings in force stay in force until it can be read
    // again. The journal tells the start and the end of each cause once.
    void unusableFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("cause");
        QTest::newRow("garbage") << QByteArray("[ups]\ncomPort=/dev/ttyS9\nthis is no setting\n") << "INI format";
        QTest::newRow("UTF-16") << QByteArray("\xff\xfe[\0u\0p\0s\0]\0\n\0", 14) << "INI format";
        QTest::newRow("zeros after a power failure") << QByteArray(700, '\0') << "INI format";
        QTest::newRow("unclosed section") << QByteArray("[ups\ncomPort=/dev/ttyS9\n") << "INI format";
        QTest::newRow("damaged and unclosed") << QByteArray("[ups\nenable=@Variant(\\0\\0\\0\\v\\x7f\\xff)\n")
                                              << "INI format";
        QTest::newRow("too large") << QByteArray("[ups]\ncomPort=/dev/ttyS9\n") + QByteArray(2 << 20, ';')
                                   << "larger than 1 MiB";
        QTest::newRow("a folder") << QByteArray() << "no regular file";
    }

    void unusableFileIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, cause);
        Settings *s = Settings::instance();
        writeBytes(configPath(), "[shutdown]\nenable=true\n[ups]\ncomPort=/dev/ttyUSB0\n");
        s->load();
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyUSB0"));

        journal.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordJournal);
        if (cause == QLatin1String("no regular file"))
            QVERIFY(QFile::remove(configPath()) && QDir().mkdir(configPath()));
        else
            writeBytes(configPath(), content);
        s->load();
        s->load(); // the same cause: no second line
        // Still in force, and a change lives in memory only.
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(s->getSettings(Settings::ShutdownEnable).toString(), QStringLiteral("true"));
        QCOMPARE(s->getSettings(Settings::ShutdownUPSOffTime).toInt(), 1);
        s->setSettings(Settings::UpsBaudRate, 9600);
        s->restore();
        QCOMPARE(s->getSettings(Settings::ShutdownEnable).toBool(), false);
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyUSB0"));
        if (cause == QLatin1String("no regular file")) {
            QVERIFY(QFileInfo(configPath()).isDir());
            QVERIFY(QDir().rmdir(configPath()));
        } else {
            QVERIFY(fileBytes(configPath()) == content);
        }
        QCOMPARE(journal.size(), 1);
        QVERIFY2(journal.first().contains(cause) && journal.first().contains("left as it is"),
                 qPrintable(journal.first()));

        // Mended: the file counts again, once said.
        writeBytes(configPath(), "[ups]\ncomPort=/dev/ttyS1\n");
        s->load();
        s->load();
        QCOMPARE(journal.size(), 2);
        QVERIFY2(journal.last().contains("can be used again"), qPrintable(journal.last()));
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyS1"));
        QCOMPARE(s->getSettings(Settings::ShutdownEnable).toString(), QStringLiteral("false"));

        // Spoilt again by an editor while the program runs: the next change
        // finds it so and leaves it alone.
        writeBytes(configPath(), content + "\nhalf a line");
        s->setSettings(Settings::UpsBaudRate, 4800);
        qInstallMessageHandler(previous);
        QCOMPARE(fileBytes(configPath()), content + "\nhalf a line");
        QCOMPARE(s->getSettings(Settings::UpsBaudRate).toInt(), 4800);
        QCOMPARE(s->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyS1"));
        writeBytes(configPath(), QByteArray());
    }
};

AMBREL_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
