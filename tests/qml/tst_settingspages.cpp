#include "app/globaldatadef.h"
#include "app/translator.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "link/devcomm.h"
#include "link/devcomm_p.h"
#include "protection/serviceshutdown.h"
#include "records/settings.h"
#include "smtpserverharness.h"
#include "teststore.h"
#include "uidriver.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSqlQuery>
#include <QTemporaryDir>

// The settings pages of the real main window over a real settings file and
// database. Runs under a French system locale.
class TestSettingsPages : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { openedUrls << url; }

private slots:
    void initTestCase();
    void cleanup();
    void unopenablePortIsReported();
    void followSystemLanguage();
    void receiverPopup_data();
    void receiverPopup();
    void exportChangeImport();
    void restoreQuestion_data();
    void restoreQuestion();
    void testMail_data();
    void testMail();
    void urlsAndPathsMeet();
    void failedExportAndImportAreTold();
    void unacceptableValueIsPutBack_data();
    void unacceptableValueIsPutBack();
    void fileDialogsOpenOnTheDesktop();
    // Last: it ends the event loop's work as Quit does.
    void leavingFinishesTheEditing();

private:
    QString text(const char *name) const { return ui->item(name)->property("text").toString(); }
    void enableEveryField();
    bool checked(const char *name) const { return ui->item(name)->property("checked").toBool(); }
    bool subPage(int index);
    static QStringList receivers();
    static QByteArray settingsFile();

    QScopedPointer<UiDriver> ui;
    QTemporaryDir files;
    QString desktop;
    QList<QUrl> openedUrls;
};

QStringList TestSettingsPages::receivers()
{
    QStringList users;
    QSqlQuery query(QStringLiteral("select user from email_user order by id"));
    while (query.next())
        users << query.value(0).toString();
    return users;
}

QByteArray TestSettingsPages::settingsFile()
{
    QFile file(Settings::instance()->dataDir() + QStringLiteral("/cfg/config.cfg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestSettingsPages::subPage(int index)
{
    return ui->click("footerSettings") && ui->click(QByteArray("settingsPageItem" + QByteArray::number(index)));
}

void TestSettingsPages::initTestCase()
{
    QCOMPARE(QLocale::system().name(), QStringLiteral("fr_FR"));
    TestStore::open();
    // The stored port is one that no system has.
    DevCommPrivate::portLister = [] { return QStringList(); };
    Settings::instance()->setSettings(Settings::UpsComPort, QStringLiteral("ttyAmbrelMissing"));
    Settings::instance()->setSettings(Settings::UpsCommType, int(DevComm::USB));
    Settings::instance()->setSettings(Settings::LanguageAuto, false);
    Settings::instance()->setSettings(Settings::LanguageType, int(Translator::EN_GB));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    // A desktop folder of this test's own.
    desktop = files.filePath(QStringLiteral("my desktop"));
    QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs"));
    QVERIFY(QDir().mkpath(desktop) && QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME")) && dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(desktop) + "\"\n");
    dirs.close();
    ui.reset(new UiDriver);
    QVERIFY(ui->ready);
}

void TestSettingsPages::cleanup()
{
    QVERIFY2(ui->warnings().isEmpty(), qPrintable(ui->warnings().join('\n')));
}

void TestSettingsPages::unopenablePortIsReported()
{
    QVERIFY(subPage(0));
    QQuickItem *port = ui->item("comboPort");
    QVERIFY(!port->isEnabled());
    QVERIFY(ui->choose(ui->item("comboCommType"), DevComm::COM));
    QVERIFY(port->isEnabled());
    QTRY_VERIFY(ui->showsMessage("msgSettingsCommon", "Failed to open port: ttyAmbrelMissing"));
    QVERIFY(ui->answer("msgSettingsCommon", true));
    QVERIFY(ui->choose(ui->item("comboCommType"), DevComm::USB));
    QVERIFY(!port->isEnabled());
}

void TestSettingsPages::followSystemLanguage()
{
    // English by choice at start; following the system gives French.
    QVERIFY(subPage(0));
    QQuickItem *selector = ui->item("comboLanguage");
    QVERIFY(!checked("checkFollowSystem") && selector->isEnabled());

    QVERIFY(ui->click("checkFollowSystem"));
    QVERIFY(!selector->isEnabled());
    QCOMPARE(text("settingsPageItem0"), QStringLiteral("Paramètres généraux"));
    QCOMPARE(Settings::instance()->getSettings(Settings::LanguageAuto).toBool(), true);

    // Cleared: the selector's language again.
    QVERIFY(ui->click("checkFollowSystem"));
    QVERIFY(selector->isEnabled());
    QCOMPARE(text("settingsPageItem0"), QStringLiteral("Common Parameters"));
}

void TestSettingsPages::receiverPopup_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("valid");
    QTest::newRow("no at sign") << "john.smith" << false;
    QTest::newRow("long, no top-level domain") << QString(40, 'a') + '@' + QString(40, 'b') << false;
    QTest::newRow("valid") << "ann.lee@example.com" << true;
}

void TestSettingsPages::receiverPopup()
{
    QFETCH(QString, address);
    QFETCH(bool, valid);

    QVERIFY(subPage(1));
    if (!checked("switchEMail"))
        QVERIFY(ui->click("switchEMail"));
    const QStringList before = receivers();
    QObject *popup = ui->object("popupAddEMailUser");
    QVERIFY(ui->click("btnAddUser"));
    QTRY_VERIFY(popup->property("opened").toBool());
    QVERIFY(ui->type(ui->item("fieldReceiver"), address));
    QVERIFY(ui->click("btnUserAccept"));
    if (valid) {
        QTRY_VERIFY(!popup->property("visible").toBool());
        QCOMPARE(receivers(), before + QStringList{address});
    } else {
        QTRY_VERIFY(ui->showsMessage("msgReceiverInvalid", "E-Mail address is invalid!"));
        QVERIFY(ui->answer("msgReceiverInvalid", true));
        QVERIFY(popup->property("opened").toBool());
        QVERIFY(ui->click("btnCloseUserPopup"));
        QCOMPARE(receivers(), before);
    }
}

void TestSettingsPages::exportChangeImport()
{
    QVERIFY(subPage(1));
    QVERIFY(ui->type(ui->item("fieldServerAddress"), "mail.example.com"));
    QVERIFY(ui->type(ui->item("fieldServerPort"), "2525"));
    QVERIFY(ui->choose(ui->item("comboEncrypt"), 2));
    QVERIFY(subPage(2));
    if (!checked("checkPowerControl"))
        QVERIFY(ui->click("checkPowerControl"));
    QVERIFY(ui->type(ui->item("spinMainFaultTime"), "45"));
    QCOMPARE(ServiceShutdown::instance()->mainFaultOffTime(), 45);
    QVERIFY(subPage(0));
    QVERIFY(ui->choose(ui->item("comboLanguage"), Translator::FR_FR));
    const QString french = text("settingsPageItem0");

    const QUrl file = QUrl::fromLocalFile(files.filePath("my settings.conf"));
    QVERIFY(QMetaObject::invokeMethod(ui->object("settingsCommon"), "exportTo", Q_ARG(QVariant, file)));
    QVERIFY(ui->answer("msgSettingsCommon", true));
    const QStringList exportedReceivers = receivers();
    QVERIFY(!exportedReceivers.isEmpty());

    // Change every page, then import.
    QVERIFY(ui->choose(ui->item("comboLanguage"), Translator::EN_GB));
    QVERIFY(subPage(1));
    QVERIFY(ui->type(ui->item("fieldServerAddress"), "other.example.org"));
    QVERIFY(ui->choose(ui->item("comboEncrypt"), 0));
    ServiceEMail::instance()->userModel()->clearUsers();
    QVERIFY(subPage(2));
    QVERIFY(ui->type(ui->item("spinMainFaultTime"), "7"));
    QVERIFY(ui->click("checkPowerControl"));

    QVERIFY(QMetaObject::invokeMethod(ui->object("settingsCommon"), "importFrom", Q_ARG(QVariant, file)));
    QVERIFY(ui->answer("msgSettingsCommon", true));
    QCOMPARE(text("fieldServerAddress"), QStringLiteral("mail.example.com"));
    QCOMPARE(text("fieldServerPort"), QStringLiteral("2525"));
    QCOMPARE(ui->item("comboEncrypt")->property("currentIndex").toInt(), 2);
    QCOMPARE(ui->item("spinMainFaultTime")->property("value").toInt(), 45);
    QVERIFY(checked("checkPowerControl"));
    QCOMPARE(receivers(), exportedReceivers);
    QCOMPARE(ui->item("comboLanguage")->property("currentIndex").toInt(), int(Translator::FR_FR));
    QCOMPARE(text("settingsPageItem0"), french);
    QVERIFY(subPage(0));
    QVERIFY(ui->choose(ui->item("comboLanguage"), Translator::EN_GB));
}

void TestSettingsPages::restoreQuestion_data()
{
    QTest::addColumn<bool>("sure");
    QTest::newRow("cancel") << false;
    QTest::newRow("sure") << true;
}

void TestSettingsPages::restoreQuestion()
{
    QFETCH(bool, sure);
    QVERIFY(subPage(0));
    QVERIFY(ui->type(ui->item("fieldSaveCycle"), "120"));
    QCOMPARE(DevComm::instance()->saveCycle(), 120u);
    ServiceEMail::instance()->userModel()->addUser(QStringLiteral("kept@example.com"));
    const QByteArray before = settingsFile();
    QVERIFY(ui->click("btnRestore"));
    QTRY_VERIFY(ui->showsMessage("msgRestoreQuestion", "Are you sure to restore settings?!"));
    QVERIFY(ui->answer("msgRestoreQuestion", sure));
    if (sure) {
        QCOMPARE(text("fieldSaveCycle"), QStringLiteral("60")); // on the page and in the link
        QCOMPARE(DevComm::instance()->saveCycle(), 60u);
        QVERIFY(receivers().isEmpty());
        QCOMPARE(ServiceShutdown::instance()->mainFaultOffTime(), 0);
        QTRY_COMPARE(ui->item("spinMainFaultTime")->property("value").toInt(), 0);
        // The default follows the system language: French here. Back to English.
        QVERIFY(checked("checkFollowSystem"));
        QVERIFY(ui->click("checkFollowSystem"));
        QCOMPARE(text("settingsPageItem0"), QStringLiteral("Common Parameters"));
    } else {
        QCOMPARE(settingsFile(), before);
        QVERIFY(receivers().contains(QStringLiteral("kept@example.com")));
    }
}

void TestSettingsPages::testMail_data()
{
    QTest::addColumn<bool>("serverUp");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("sent") << true << "E-Mail has been sent.";
    QTest::newRow("no server") << false << "Failed to send test E-Mail!";
}

void TestSettingsPages::testMail()
{
    QFETCH(bool, serverUp);
    QFETCH(QString, outcome);

    SmtpServerHarness server;
    quint16 port = 1;
    if (serverUp) {
        port = server.start();
        QVERIFY2(port, qPrintable(server.serverLog()));
    }
    QVERIFY(subPage(1));
    if (!checked("switchEMail"))
        QVERIFY(ui->click("switchEMail"));
    if (receivers().isEmpty())
        ServiceEMail::instance()->userModel()->addUser(QStringLiteral("ops@example.com"));
    QVERIFY(ui->type(ui->item("fieldSenderAddress"), "ups@example.com"));
    QVERIFY(ui->type(ui->item("fieldServerAddress"), "127.0.0.1"));
    QVERIFY(ui->type(ui->item("fieldServerPort"), QString::number(port)));
    QVERIFY(ui->choose(ui->item("comboEncrypt"), 0));
    if (checked("checkAuth"))
        QVERIFY(ui->click("checkAuth"));

    QVERIFY(ui->click("btnTestMail"));
    QObject *message = ui->object("msgSettingsEMail");
    QVERIFY(message->property("visible").toBool());
    QCOMPARE(message->property("textMsg").toString(), QStringLiteral("Sending test E-Mail..."));
    QTRY_VERIFY_WITH_TIMEOUT(ui->showsMessage("msgSettingsEMail", outcome), 20000);
    if (serverUp) {
        QVERIFY(server.waitForMails(1));
        QCOMPARE(server.mails().first().subject, QStringLiteral("Test E-Mail"));
    }
    QVERIFY(ui->answer("msgSettingsEMail", true));
}

void TestSettingsPages::urlsAndPathsMeet()
{
    // The command file chosen in the file dialog is stored as its local path.
    QVERIFY(subPage(2));
    if (!checked("checkPowerControl"))
        QVERIFY(ui->click("checkPowerControl"));
    if (!checked("checkExec"))
        QVERIFY(ui->click("checkExec"));
    const QString command = files.filePath("on battery/stop all.sh");
    QVERIFY(QMetaObject::invokeMethod(ui->object("settingsShutdown"), "commandFileChosen",
                                      Q_ARG(QVariant, QUrl::fromLocalFile(command))));
    QCOMPARE(text("fieldExecFile"), command);
    QCOMPARE(ServiceShutdown::instance()->execFile(), command);
    // A value typed without Enter is written once a check box or button is pressed.
    QVERIFY(ui->type(ui->item("fieldExecTime"), "7", false) && ui->click("checkOsOff"));
    QCOMPARE(ServiceShutdown::instance()->execTime(), 7);

    // The data directory and the logo are opened by their local-file URLs.
    QVERIFY(subPage(0));
    QVERIFY(ui->type(ui->item("fieldSaveCycle"), "7", false) && ui->click("btnOpenPath"));
    QCOMPARE(DevComm::instance()->saveCycle(), 7u);
    QCOMPARE(openedUrls, QList<QUrl>{QUrl::fromLocalFile(Settings::instance()->dataDir())});
    QQuickItem *logo = ui->item("imageLogo");
    QCOMPARE(logo->property("source").toUrl(),
             QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/cfg/image/logo.png"));
    QTRY_COMPARE(logo->property("status").toInt(), 1); // Image.Ready
}

void TestSettingsPages::failedExportAndImportAreTold()
{
    QVERIFY(subPage(0));
    QFile file(files.filePath("edited.conf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"email/serverAddr": "evil.example.org", "shutdown/UPSOffTime": "50"})");
    file.close();
    const QByteArray before = settingsFile();
    const struct {
        const char *function, *path, *text;
    } cases[] = {{"exportTo", "/proc/ambrel.conf", "Operation failed!\nThe file cannot be written: "},
                 {"importFrom", "", "Operation failed!\nInvalid value of shutdown/UPSOffTime: \"50\""}};
    for (const auto &item : cases) {
        const QString path = *item.path ? QString::fromLatin1(item.path) : file.fileName();
        QVERIFY(QMetaObject::invokeMethod(ui->object("settingsCommon"), item.function,
                                          Q_ARG(QVariant, QUrl::fromLocalFile(path))));
        QObject *message = ui->object("msgSettingsCommon");
        QVERIFY(message->property("textMsg").toString().startsWith(item.text));
        QCOMPARE(message->property("imageType").toInt(), int(GlobalDataDef::MsgDialogWarning));
        QVERIFY(ui->answer("msgSettingsCommon", true));
    }
    QCOMPARE(settingsFile(), before);
}

// What the page shown has to switch on so that its fields take input.
void TestSettingsPages::enableEveryField()
{
    for (const char *check : {"switchEMail", "checkPowerControl", "checkExec"}) {
        if (!checked(check) && ui->item(check)->isVisible())
            QVERIFY(ui->click(check));
    }
}

void TestSettingsPages::unacceptableValueIsPutBack_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("interval") << 0 << "fieldSaveCycle" << "601" << "Invalid value! Enter a number from 1 to 600."
                              << "msgSettingsCommon";
    QTest::newRow("port") << 1 << "fieldServerPort" << "99999" << "Invalid value! Enter a number from 1 to 65535."
                          << "msgSettingsEMail";
    QTest::newRow("sender") << 1 << "fieldSenderAddress" << "a@" << "E-Mail address is invalid!" << "msgSettingsEMail";
    QTest::newRow("execution time") << 2 << "fieldExecTime" << "31" << "Invalid value! Enter a number from 1 to 30."
                                    << "msgSettingsShutdown";
}

void TestSettingsPages::unacceptableValueIsPutBack()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, dialog);
    QVERIFY(subPage(page));
    enableEveryField();
    const QString shown = text(field.toLatin1());
    const QByteArray before = settingsFile();
    QVERIFY(ui->type(ui->item(field.toLatin1()), typed));
    QTRY_VERIFY(ui->showsMessage(dialog.toLatin1(), message));
    QCOMPARE(ui->object(dialog.toLatin1())->property("imageType").toInt(), int(GlobalDataDef::MsgDialogWarning));
    QVERIFY(ui->answer(dialog.toLatin1(), true));
    QCOMPARE(text(field.toLatin1()), shown);
    QCOMPARE(settingsFile(), before);
}

void TestSettingsPages::fileDialogsOpenOnTheDesktop()
{
    const struct {
        int page;
        const char *button, *dialog;
    } dialogs[] = {{0, "btnExport", "fileDialogSettings"}, {2, "btnBrowse", "fileDialogBrowse"}};
    for (const auto &entry : dialogs) {
        QVERIFY(subPage(entry.page));
        QObject *dialog = ui->object(entry.dialog);
        QVERIFY(ui->click(entry.button));
        QTRY_VERIFY(dialog->property("visible").toBool());
        QCOMPARE(dialog->property("folder").toUrl(), QUrl::fromLocalFile(desktop));
        QVERIFY(QMetaObject::invokeMethod(dialog, "close"));
        QTRY_VERIFY(!dialog->property("visible").toBool());
    }
}

void TestSettingsPages::leavingFinishesTheEditing()
{
    // Each way of leaving a page; the end of the program (no button) last.
    const struct {
        int page;
        const char *field, *typed, *leave;
        int setting;
        bool taken;
    } cases[] = {{0, "fieldSaveCycle", "77", "settingsPageItem1", Settings::UpsDataSaveCycle, true},
                 {0, "fieldSaveCycle", "601", "settingsPageItem2", Settings::UpsDataSaveCycle, false},
                 {1, "fieldServerAddress", "typed.example.org", "footerDevice", Settings::EMailServerAddress, true},
                 {2, "spinMainFaultTime", "44", "btnClose", Settings::ShutdownMainFaultTime, true},
                 {2, "fieldExecTime", "9", nullptr, Settings::ShutdownExecTime, true}};
    for (const auto &c : cases) {
        // Typed keys reach the window that the user works in; a file dialog may have been that.
        ui->view().requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(&ui->view()));
        QVERIFY(subPage(c.page));
        enableEveryField();
        const QString before = Settings::instance()->getSettings(c.setting).toString();
        QVERIFY(ui->type(ui->item(c.field), c.typed, false));
        QVERIFY(c.leave ? ui->click(c.leave) : QMetaObject::invokeMethod(qApp, "aboutToQuit"));
        // A value not taken is warned of as after Enter.
        QTRY_VERIFY(c.taken || ui->showsMessage("msgSettingsCommon", "Invalid value! Enter a number from 1 to 600."));
        QVERIFY(c.taken || ui->answer("msgSettingsCommon", true));
        QCOMPARE(Settings::instance()->getSettings(c.setting).toString(), c.taken ? QString(c.typed) : before);
        ui->view().show();
    }
}

AMBREL_TEST_MAIN_WITH(QApplication, TestSettingsPages)
#include "tst_settingspages.moc"
