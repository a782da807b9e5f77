#include "app/pagesettingscommon.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every stored setting as the file holds it, then the receivers in order.
QStringList storedState()
{
    QStringList state;
    const QSettings file(Settings::instance()->dataDir() + QStringLiteral("/cfg/config.cfg"), QSettings::IniFormat);
    for (const QString &key : file.allKeys())
        state << key + QLatin1Char('=') + Settings::instance()->getSettings(key, true).toString();
    QSqlQuery query(QStringLiteral("select user from email_user order by id"));
    while (query.next())
        state << query.value(0).toString();
    return state;
}

QUrl writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    return QUrl::fromLocalFile(path);
}

} // namespace

class TestPageSettingsCommon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void exportThenImportRestoresEverything();
    void importKeepsWhatTheFileDoesNotHold_data();
    void importKeepsWhatTheFileDoesNotHold();
    void importRefusesAndChangesNothing_data();
    void importRefusesAndChangesNothing();
    void importRefusesWhatIsNoRegularFile_data();
    void importRefusesWhatIsNoRegularFile();
    void exportIsPrivate();
    void failedExportIsReported_data();
    void failedExportIsReported();
    void exportFailingHalfwayKeepsThePreviousFile();
    void restoreEmptiesTheReceivers();

private:
    QTemporaryDir dir;
    PageSettingsCommon page;
};

void TestPageSettingsCommon::initTestCase()
{
    TestStore::open();
}

void TestPageSettingsCommon::init()
{
    Settings *settings = Settings::instance();
    settings->setSettings(Settings::EMailServerAddress, QStringLiteral("smtp.example.org"));
    settings->setSettings(Settings::EMailServerPort, 587);
    settings->setSettings(Settings::EMailAuthPassword, QString::fromUtf8("s3cret ü"));
    settings->setSettings(Settings::ShutdownMainFaultTime, 5);
    settings->setSettings(Settings::UpsComPort, QStringLiteral("/dev/ttyS1"));
    ListModelEMailUser *users = ServiceEMail::instance()->userModel();
    users->clearUsers();
    for (const char *user : {"c@example.org", "a@example.org", "b@example.org"})
        users->addUser(QLatin1String(user));
}

void TestPageSettingsCommon::exportThenImportRestoresEverything()
{
    const QStringList before = storedState();
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("my settings #1"))); // as a file dialog's URL has it
    const QUrl url = QUrl::fromLocalFile(dir.filePath(QStringLiteral("my settings #1/export.json")));
    QVERIFY(page.settingsSaveAs(url));
    QFile file(url.toLocalFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(object.size(), 20);
    QCOMPARE(object.value("email/serverPort").toString(), QStringLiteral("587"));
    QCOMPARE(object.value("email/authPasswd").toString(), Settings::instance()->getSettings(Settings::EMailAuthPassword, true).toString());
    QVERIFY(!object.contains("ups/comPort"));

    Settings::instance()->restore();
    Settings::instance()->setSettings(Settings::EMailAuthPassword, QStringLiteral("other"));
    ServiceEMail::instance()->userModel()->clearUsers();
    QSignalSpy changed(&page, &PageSettingsCommon::settingsChanged);
    QVERIFY(page.settingsImport(url));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(storedState(), before);
    QCOMPARE(Settings::instance()->getSettings(Settings::EMailAuthPassword).toString(), QString::fromUtf8("s3cret ü"));
    QCOMPARE(ServiceEMail::instance()->userModel()->rowCount(), 3);
}

void TestPageSettingsCommon::importKeepsWhatTheFileDoesNotHold_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("emitted");
    QTest::addColumn<QStringList>("added"); // settings and receivers afterwards that were not there
    QTest::addColumn<int>("removed");       // how many of those before are gone

    QTest::newRow("missing keys, unknown keys")
        << QByteArray("{\"email/serverAddr\": \"new.example.org\", \"ups/comPort\": \"/dev/evil\"}")
        << true << QStringList{"email/serverAddr=new.example.org"} << 1;
    QTest::newRow("receivers replaced")
        << QByteArray("{\"email/receiver\": [\"x@example.org\", \"y@example.org\"]}")
        << true << QStringList{"x@example.org", "y@example.org"} << 3;
    // The limit itself is allowed.
    QByteArray limit = "{\"email/serverAddr\": \"big.example.org\", \"pad\": \"\"}";
    limit.insert(limit.size() - 2, QByteArray((1 << 20) - limit.size(), 'x'));
    QTest::newRow("1 MiB") << limit << true << QStringList{"email/serverAddr=big.example.org"} << 1;
}

void TestPageSettingsCommon::importKeepsWhatTheFileDoesNotHold()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, emitted);
    QFETCH(QStringList, added);
    QFETCH(int, removed);
    const QStringList before = storedState();
    const QUrl file = writeFile(dir.filePath(QStringLiteral("import.json")), content);

    QSignalSpy spy(&page, &PageSettingsCommon::settingsChanged);
    QCOMPARE(page.settingsImport(file), emitted);
    QCOMPARE(spy.count(), emitted ? 1 : 0);
    const QStringList after = storedState();
    QStringList isNew;
    for (const QString &item : after) {
        if (!before.contains(item))
            isNew << item;
    }
    QCOMPARE(isNew, added);
    QCOMPARE(before.size() - (after.size() - added.size()), removed);
}

void TestPageSettingsCommon::importRefusesAndChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QByteArray() << "no settings";
    QTest::newRow("not JSON") << QByteArray("{\"email/serverAddr\": ") << "no settings";
    QTest::newRow("array") << QByteArray("[{\"email/serverAddr\": \"evil\"}]") << "no settings";
    QTest::newRow("number") << QByteArray("42") << "no settings";
    QTest::newRow("over 1 MiB") << "{\"email/serverAddr\": \"evil\", \"pad\": \"" + QByteArray(1 << 20, 'x') + "\"}"
                                << "larger than 1 MiB";

    // Each beside a valid value, which must not be taken over either.
    const auto row = [](const char *name, const QByteArray &member, const char *key) {
        QTest::newRow(name) << "{\"email/serverAddr\": \"new.example.org\", " + member + "}"
                            << QString::fromLatin1(key);
    };
    row("port out of range", "\"email/serverPort\": \"99999\"", "email/serverPort");
    row("port zero", "\"email/serverPort\": \"0\"", "email/serverPort");
    row("port with a line feed", "\"email/serverPort\": \"25\\n\"", "email/serverPort");
    row("port as a number", "\"email/serverPort\": 2525", "email/serverPort");
    row("impossible daily time", "\"email/dailyTime\": \"25:61:00\"", "email/dailyTime");
    row("daily time null", "\"email/dailyTime\": null", "email/dailyTime");
    row("negative mains fault time", "\"shutdown/mainFaultTime\": \"-5\"", "shutdown/mainFaultTime");
    row("capacity over 100", "\"shutdown/mainFaultCapacity\": \"999\"", "shutdown/mainFaultCapacity");
    row("exponent", "\"shutdown/battLowTime\": \"1e9\"", "shutdown/battLowTime");
    row("UPS off in 50 minutes", "\"shutdown/UPSOffTime\": \"50\"", "shutdown/UPSOffTime");
    row("flag as words", "\"shutdown/enable\": \"yes please\"", "shutdown/enable");
    row("flag as a boolean", "\"email/enable\": true", "email/enable");
    row("unknown language", "\"language/type\": \"7\"", "language/type");
    row("unknown encryption", "\"email/encrypt\": \"3\"", "email/encrypt");
    row("password not in stored form", "\"email/authPasswd\": \"plain text!\"", "email/authPasswd");
    row("invalid sender", "\"email/userAddr\": \"a@\"", "email/userAddr");
    row("sender with a line feed", "\"email/userAddr\": \"a@example.com\\n\"", "email/userAddr");
    row("invalid account", "\"email/authName\": \"admin\"", "email/authName");
    row("invalid receiver", "\"email/receiver\": [\"ok@example.org\", \"a@\"]", "email/receiver");
    row("empty receiver", "\"email/receiver\": [\"\"]", "email/receiver");
    row("receiver as a number", "\"email/receiver\": [\"ok@example.org\", 5]", "email/receiver");
    row("receivers not a list", "\"email/receiver\": \"x@example.org\"", "email/receiver");
}

void TestPageSettingsCommon::importRefusesAndChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QStringList before = storedState();
    const QUrl file = writeFile(dir.filePath(QStringLiteral("import.json")), content);

    QSignalSpy spy(&page, &PageSettingsCommon::settingsChanged);
    QVERIFY(!page.settingsImport(file));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(storedState(), before);
    QVERIFY2(page.errorString().contains(reason), qPrintable(page.errorString()));
}

void TestPageSettingsCommon::importRefusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << dir.filePath(QStringLiteral("missing.json")) << "cannot be read";
    QTest::newRow("folder") << dir.path() << "not a regular file";
    // Both report a size of 0; a reader that trusts it reads forever or
    // waits for a writer.
    QTest::newRow("FIFO") << dir.filePath(QStringLiteral("fifo")) << "not a regular file";
    QTest::newRow("/dev/zero") << "/dev/zero" << "not a regular file";
}

void TestPageSettingsCommon::importRefusesWhatIsNoRegularFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(QFile::exists(fifo) || mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QStringList before = storedState();

    QElapsedTimer timer;
    timer.start();
    QVERIFY(!page.settingsImport(QUrl::fromLocalFile(path)));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(storedState(), before);
    QVERIFY2(page.errorString().contains(reason), qPrintable(page.errorString()));
}

void TestPageSettingsCommon::exportIsPrivate()
{
    // A new file and one that others could read before.
    const QString path = dir.filePath(QStringLiteral("private.conf"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    for (int round = 0; round < 2; ++round) {
        QVERIFY(page.settingsSaveAs(QUrl::fromLocalFile(path)));
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther | QFile::ReadGroup));
    }
}

void TestPageSettingsCommon::failedExportIsReported_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("under /proc") << QStringLiteral("/proc/ambrel-settings.conf");
    QTest::newRow("in a file") << dir.filePath(QStringLiteral("plain/settings.conf"));
    QTest::newRow("a folder") << dir.path();
    // Root writes into any folder.
    if (geteuid() != 0)
        QTest::newRow("read-only folder") << dir.filePath(QStringLiteral("read-only/settings.conf"));
}

void TestPageSettingsCommon::failedExportIsReported()
{
    QFETCH(QString, path);
    writeFile(dir.filePath(QStringLiteral("plain")), QByteArray());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("read-only")));
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("read-only")), QFile::ReadOwner | QFile::ExeOwner));

    QVERIFY(!page.settingsSaveAs(QUrl::fromLocalFile(path)));
    QVERIFY2(page.errorString().startsWith(QStringLiteral("The file cannot be written: ")),
             qPrintable(page.errorString()));
    QVERIFY(!QFileInfo(path).isFile());
}

void TestPageSettingsCommon::exportFailingHalfwayKeepsThePreviousFile()
{
    const QString path = dir.filePath(QStringLiteral("previous.conf"));
    writeFile(path, "previous export");

    // Writes past 100 bytes fail for a moment, as on a full disk.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = page.settingsSaveAs(QUrl::fromLocalFile(path));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QCOMPARE(page.errorString(), QStringLiteral("The file cannot be written: File too large"));
    QFile previous(path);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("previous export"));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("previous*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("previous.conf")});
}

void TestPageSettingsCommon::restoreEmptiesTheReceivers()
{
    QSignalSpy changed(&page, &PageSettingsCommon::settingsChanged);
    page.settingsRestore();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(ServiceEMail::instance()->userModel()->rowCount(), 0);
    QCOMPARE(storedState().filter(QStringLiteral("@")), QStringList());
    QVERIFY(storedState().contains(QStringLiteral("ups/comPort=/dev/ttyS1")));
    QVERIFY(storedState().contains(QStringLiteral("email/serverAddr=")));
}

AMBREL_TEST_MAIN(TestPageSettingsCommon)
#include "tst_pagesettingscommon.moc"
