#include "app/pagesettingscommon.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "records/settings.h"
#include "testenvironment.h"
#include "teststore.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const QStringList kExportedKeys = {
    "language/auto", "language/type", "email/enable", "email/userName", "email/userAddr",
    "email/encrypt", "email/serverAddr", "email/serverPort", "email/authEnable", "email/authName",
    "email/authPasswd", "email/dailyEnable", "email/dailyTime", "shutdown/enable",
    "shutdown/mainFaultTime", "shutdown/battLowTime", "shutdown/mainFaultCapacity",
    "shutdown/UPSOff", "shutdown/UPSOffTime"};

// Every stored setting as the file holds it.
QVariantMap storedSettings()
{
    QVariantMap values;
    for (const QString &key : kExportedKeys + QStringList{"ups/comPort", "ups/baudRate", "shutdown/execFile"})
        values.insert(key, Settings::instance()->getSettings(key, true).toString());
    return values;
}

QStringList storedReceivers()
{
    QStringList users;
    QSqlQuery query(QStringLiteral("select user from email_user order by id"));
    while (query.next())
        users << query.value(0).toString();
    return users;
}

void setReceivers(const QStringList &users)
{
    ListModelEMailUser *model = ServiceEMail::instance()->userModel();
    model->clearUsers();
    for (const QString &user : users)
        model->addUser(user);
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
    QUrl fileWith(const QByteArray &content);

    QTemporaryDir dir;
    PageSettingsCommon page;
};

void TestPageSettingsCommon::initTestCase()
{
    TestStore::open();
    QDir::setCurrent(dir.path());
}

void TestPageSettingsCommon::init()
{
    Settings *settings = Settings::instance();
    settings->setSettings(Settings::EMailServerAddress, QStringLiteral("smtp.example.org"));
    settings->setSettings(Settings::EMailServerPort, 587);
    settings->setSettings(Settings::EMailAuthPassword, QStringLiteral("s3cret ü"));
    settings->setSettings(Settings::EMailDailyTime, QStringLiteral("07:30:00"));
    settings->setSettings(Settings::ShutdownMainFaultTime, 5);
    settings->setSettings(Settings::ShutdownEnable, true);
    settings->setSettings(Settings::UpsComPort, QStringLiteral("/dev/ttyS1"));
    setReceivers({QStringLiteral("c@example.org"), QStringLiteral("a@example.org"), QStringLiteral("b@example.org")});
}

QUrl TestPageSettingsCommon::fileWith(const QByteArray &content)
{
    QFile file(dir.filePath(QStringLiteral("import.json")));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    return QUrl::fromLocalFile(file.fileName());
}

void TestPageSettingsCommon::exportThenImportRestoresEverything()
{
    const QVariantMap before = storedSettings();
    const QStringList users = storedReceivers();

    // A path with a blank and a '#', as a file dialog hands it over.
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("my settings #1")));
    const QString path = dir.filePath(QStringLiteral("my settings #1/export.json"));
    page.settingsSaveAs(QUrl::fromLocalFile(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList()); // nothing beside it

    QStringList keys = kExportedKeys;
    keys << QStringLiteral("email/receiver");
    keys.sort();
    QCOMPARE(object.keys(), keys);
    QCOMPARE(object.value("email/receiver").toArray().toVariantList(), QVariant(users).toList());
    QCOMPARE(object.value("email/serverPort").toString(), QStringLiteral("587"));
    const QString password = object.value("email/authPasswd").toString();
    QVERIFY(!password.isEmpty() && !password.contains(QStringLiteral("s3cret")));

    Settings::instance()->restore();
    Settings::instance()->setSettings(Settings::EMailAuthPassword, QStringLiteral("other"));
    setReceivers({QStringLiteral("z@example.org")});

    QSignalSpy changed(&page, &PageSettingsCommon::settingsChanged);
    page.settingsImport(QUrl::fromLocalFile(path));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(storedSettings(), before);
    QCOMPARE(storedReceivers(), users);
    QCOMPARE(Settings::instance()->getSettings(Settings::EMailAuthPassword).toString(), QStringLiteral("s3cret ü"));
    QCOMPARE(ServiceEMail::instance()->userModel()->rowCount(), 3);
}

void TestPageSettingsCommon::importKeepsWhatTheFileDoesNotHold_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("emitted");
    QTest::addColumn<QVariantMap>("changes");
    QTest::addColumn<QStringList>("users");

    const QStringList current = {"c@example.org", "a@example.org", "b@example.org"};
    QTest::newRow("empty") << QByteArray() << false << QVariantMap() << current;
    QTest::newRow("not JSON") << QByteArray("{\"email/serverAddr\": ") << false << QVariantMap() << current;
    QTest::newRow("array") << QByteArray("[{\"email/serverAddr\": \"evil\"}]") << false << QVariantMap() << current;
    QTest::newRow("number") << QByteArray("42") << false << QVariantMap() << current;
    QTest::newRow("10 MB") << "{\"email/serverAddr\": \"evil\", \"pad\": \"" + QByteArray(10 << 20, 'x') + "\"}"
                           << false << QVariantMap() << current;
    QTest::newRow("missing keys and non-texts")
        << QByteArray("{\"email/serverAddr\": \"new.example.org\", \"email/serverPort\": 2525,"
                      " \"shutdown/enable\": false, \"email/dailyTime\": null, \"email/receiver\": \"x@y\","
                      " \"ups/comPort\": \"/dev/evil\"}")
        << true << QVariantMap{{"email/serverAddr", "new.example.org"}} << current;
    QTest::newRow("receivers with non-texts")
        << QByteArray("{\"email/receiver\": [\"x@example.org\", 5, null, {}, \"y@example.org\"]}")
        << true << QVariantMap() << QStringList{"x@example.org", "y@example.org"};
    QTest::newRow("no receivers") << QByteArray("{\"email/receiver\": []}") << true << QVariantMap() << QStringList();
}

void TestPageSettingsCommon::importKeepsWhatTheFileDoesNotHold()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, emitted);
    QFETCH(QVariantMap, changes);
    QFETCH(QStringList, users);

    QVariantMap expected = storedSettings();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        expected.insert(it.key(), it.value());
    QSignalSpy changed(&page, &PageSettingsCommon::settingsChanged);
    page.settingsImport(fileWith(content));
    QCOMPARE(changed.count(), emitted ? 1 : 0);
    QCOMPARE(storedSettings(), expected);
    QCOMPARE(storedReceivers(), users);
}

void TestPageSettingsCommon::restoreEmptiesTheReceivers()
{
    QSignalSpy changed(&page, &PageSettingsCommon::settingsChanged);
    page.settingsRestore();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(storedReceivers(), QStringList());
    QCOMPARE(Settings::instance()->getSettings(Settings::EMailServerAddress).toString(), QString());
    QCOMPARE(Settings::instance()->getSettings(Settings::UpsComPort).toString(), QStringLiteral("/dev/ttyS1"));
}

AMBREL_TEST_MAIN(TestPageSettingsCommon)
#include "tst_pagesettingscommon.moc"
