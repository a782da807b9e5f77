#include "app/pagesettingscommon.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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

QByteArray storedFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void importRefusesInvalidValues_data();
    void importRefusesInvalidValues();
    void exportIsPrivateAndWholeOrNothing();
    void lockedStoreFailsImportAndExport();
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

    QTest::newRow("empty") << QByteArray() << false << QStringList() << 0;
    QTest::newRow("not JSON") << QByteArray("{\"email/serverAddr\": ") << false << QStringList() << 0;
    QTest::newRow("array") << QByteArray("[{\"email/serverAddr\": \"evil\"}]") << false << QStringList() << 0;
    QTest::newRow("number") << QByteArray("42") << false << QStringList() << 0;
    QTest::newRow("over 1 MiB") << "{\"email/serverAddr\": \"evil\", \"pad\": \"" + QByteArray(1 << 20, 'x') + "\"}"
                                << false << QStringList() << 0;
    QTest::newRow("missing keys, unknown keys")
        << QByteArray("{\"email/serverAddr\": \"new.example.org\", \"ups/comPort\": \"/dev/evil\"}")
        << true << QStringList{"email/serverAddr=new.example.org"} << 1;
    QTest::newRow("receivers") << QByteArray("{\"email/receiver\": [\"x@example.org\", \"y@example.org\"]}")
                               << true << QStringList{"x@example.org", "y@example.org"} << 3;
}

void TestPageSettingsCommon::importKeepsWhatTheFileDoesNotHold()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, emitted);
    QFETCH(QStringList, added);
    QFETCH(int, removed);
    const QStringList before = storedState();
    QFile file(dir.filePath(QStringLiteral("import.json")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();

    QSignalSpy spy(&page, &PageSettingsCommon::settingsChanged);
    QCOMPARE(page.settingsImport(QUrl::fromLocalFile(file.fileName())), emitted);
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

void TestPageSettingsCommon::importRefusesInvalidValues_data()
{
    QTest::addColumn<QString>("file"); // when empty, a file holding a valid value and member
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char *name, const char *member, const char *key) {
        QTest::newRow(name) << QString() << QByteArray(member) << QString::fromLatin1(key);
    };
    row("port", R"("email/serverPort": "99999")", "email/serverPort");
    row("port as a number", R"("email/serverPort": 2525)", "email/serverPort");
    row("daily time", R"("email/dailyTime": "25:61:00")", "email/dailyTime");
    row("mains fault time", R"("shutdown/mainFaultTime": "-5")", "shutdown/mainFaultTime");
    row("capacity", R"("shutdown/mainFaultCapacity": "999")", "shutdown/mainFaultCapacity");
    row("low battery time", R"("shutdown/battLowTime": "1e9")", "shutdown/battLowTime");
    row("UPS off time", R"("shutdown/UPSOffTime": "50")", "shutdown/UPSOffTime");
    row("flag", R"("shutdown/enable": "yes please")", "shutdown/enable");
    row("sender", R"("email/userAddr": "a@")", "email/userAddr");
    row("sender and a line feed", R"("email/userAddr": "a@example.com\n")", "email/userAddr");
    row("receiver", R"("email/receiver": ["ok@example.org", "a@"])", "email/receiver");
    // Both tell a size of 0: read as they come, one never ends, the other waits for a writer.
    QTest::newRow("/dev/zero") << "/dev/zero" << QByteArray() << "not a regular file";
    QTest::newRow("FIFO") << dir.filePath(QStringLiteral("fifo")) << QByteArray() << "not a regular file";
}

void TestPageSettingsCommon::importRefusesInvalidValues()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, member);
    QFETCH(QString, reason);
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(QFile::exists(fifo) || mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    if (file.isEmpty()) {
        QFile out(file = dir.filePath(QStringLiteral("import.json")));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(R"({"email/serverAddr": "new.example.org", )" + member + '}');
    }
    const QStringList before = storedState();
    QSignalSpy spy(&page, &PageSettingsCommon::settingsChanged);
    QVERIFY(!page.settingsImport(QUrl::fromLocalFile(file)));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(storedState(), before);
    QVERIFY2(page.errorString().contains(reason), qPrintable(page.errorString()));
}

void TestPageSettingsCommon::exportIsPrivateAndWholeOrNothing()
{
    // Written over a file that others could read, it is the owner's alone.
    const QString path = dir.filePath(QStringLiteral("export.conf"));
    QVERIFY(page.settingsSaveAs(QUrl::fromLocalFile(path)));
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(page.settingsSaveAs(QUrl::fromLocalFile(path)));
    QCOMPARE(QFile::permissions(path) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
             QFile::Permissions());
    QVERIFY(!page.settingsSaveAs(QUrl::fromLocalFile("/proc/ambrel-settings.conf")));
    QVERIFY(page.errorString().startsWith(QStringLiteral("The file cannot be written: ")));

    // Writes past 100 bytes fail for a moment, as on a full disk: the
    // previous export stays whole.
    const QByteArray previous = storedFile(path);
    rlimit saved{}, small{100, RLIM_INFINITY};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = page.settingsSaveAs(QUrl::fromLocalFile(path));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    signal(SIGXFSZ, handler);
    QVERIFY(!written);
    QCOMPARE(page.errorString(), QStringLiteral("The file cannot be written: File too large"));
    QCOMPARE(storedFile(path), previous);
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("export*")}, QDir::Files | QDir::Hidden).size(), 1);
}

// Another program holds the database locked: the import takes over neither the settings nor the
// receivers, the export leaves its file as it was, and both say why, to the page and in the log.
void TestPageSettingsCommon::lockedStoreFailsImportAndExport()
{
    const QString path = dir.filePath(QStringLiteral("kept.conf"));
    QVERIFY(page.settingsSaveAs(QUrl::fromLocalFile(path)));
    const QByteArray previous = storedFile(path);
    // What an import of the file would undo.
    Settings::instance()->setSettings(Settings::EMailServerAddress, QStringLiteral("new.example.org"));
    ServiceEMail::instance()->userModel()->addUser(QStringLiteral("x@example.org"));
    const QStringList before = storedState();

    static QStringList log;
    const QtMessageHandler previousHandler =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { log << text; });
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(QSqlDatabase::database().databaseName());
    const auto unlock = qScopeGuard([&other] { other.close(); }); // also when a check fails
    QVERIFY(other.open() && QSqlQuery(other).exec(QStringLiteral("begin exclusive")));
    QVERIFY(!page.settingsImport(QUrl::fromLocalFile(path)));
    QCOMPARE(page.errorString(), QStringLiteral("The mail receivers cannot be stored in the database: database is locked"));
    QVERIFY(!page.settingsSaveAs(QUrl::fromLocalFile(path)));
    QCOMPARE(page.errorString(), QStringLiteral("The mail receivers cannot be read from the database: database is locked"));
    other.close();
    qInstallMessageHandler(previousHandler);
    QCOMPARE(storedState(), before);
    QCOMPARE(storedFile(path), previous);
    QCOMPARE(log, QStringList({"The settings import from " + path + " failed: The mail receivers cannot be stored "
                               "in the database: database is locked", "The settings export to " + path
                               + " failed: The mail receivers cannot be read from the database: database is locked"}));
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
