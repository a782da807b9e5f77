#include "app/pagesettingscommon.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

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
    page.settingsSaveAs(url);
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
    page.settingsImport(url);
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
    QTest::newRow("10 MB") << "{\"email/serverAddr\": \"evil\", \"pad\": \"" + QByteArray(10 << 20, 'x') + "\"}" << false << QStringList() << 0;
    QTest::newRow("missing keys, other types")
        << QByteArray("{\"email/serverAddr\": \"new.example.org\", \"email/serverPort\": 2525, \"shutdown/enable\": false,"
                      " \"email/dailyTime\": null, \"email/receiver\": \"x@y\", \"ups/comPort\": \"/dev/evil\"}")
        << true << QStringList{"email/serverAddr=new.example.org"} << 1;
    QTest::newRow("receivers of other types")
        << QByteArray("{\"email/receiver\": [\"x@example.org\", 5, null, {}, \"y@example.org\"]}")
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
    page.settingsImport(QUrl::fromLocalFile(file.fileName()));
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
