#include "email/serviceemail.h"
#include "email/listmodelemailuser.h"
#include "protection/listmodelscheduletask.h"
#include "records/settings.h"
#include "teststore.h"
#include "uidriver.h"

#include <QApplication>
#include <QQmlContext>
#include <QScreen>
#include <QSqlQuery>

// Walks the schedule task, UPS control, settings and history pages and each
// of their popups in every language: no page may make the QML engine warn,
// and every header of a history table shows its whole title.
// With AMBREL_SCREENSHOT_DIR set (scripts/screenshots.sh) every step is also
// saved there as a PNG file for a reviewer.
class TestPageWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();

private:
    bool show(const char *button, const char *shot);
    bool openPopup(const char *button, const char *popup, const char *shot);
    void save(const char *shot);

    QScopedPointer<UiDriver> ui;
    QString m_dir;
};

void TestPageWalk::initTestCase()
{
    m_dir = qEnvironmentVariable("AMBREL_SCREENSHOT_DIR");
    const QString dataDir = TestStore::open();
    Startup::makeDataDirs();
    Settings *settings = Settings::instance();
    settings->setSettings(Settings::LanguageAuto, false);
    settings->setSettings(Settings::EMailEnable, true);
    settings->setSettings(Settings::EMailAuthEnable, true);
    settings->setSettings(Settings::ShutdownEnable, true);
    QSqlQuery query;
    QVERIFY(query.exec("insert into device_data(dateTime, inputVol, outputVol, load, inputFreq, battVol, "
                       "temperature) values(date('now', 'localtime') || ' 10:00:00', 230, 229.5, 38, 50, 27.2, 31)"));
    QVERIFY(query.exec("insert into alarm(dateTime, alarm) values(date('now', 'localtime') || ' 10:05:00', 2)"));
    // Today's self-test, so that the page's first search draws it.
    const QDateTime test(QDate::currentDate(), QTime(8, 0));
    QVERIFY(query.exec(QStringLiteral("insert into log_self_test(dateTime, duration, count) values('%1', 10, 1)")
                           .arg(test.toString("yyyy-MM-dd hh:mm:ss"))));
    QFile record(dataDir + "/data/self_test/" + test.toString("yyyyMMddhhmmss") + ".txt");
    QVERIFY(record.open(QIODevice::WriteOnly));
    record.write("0,38,100\n5,40,99\n10,41,97\n");
    record.close();
    QFile log(dataDir + "/data/shutdown.log");
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write(R"({"Editor": ["notes.txt - Editor"], "Terminal": ["build", "logs"]})");
    log.close();

    ui.reset(new UiDriver);
    QVERIFY(ui->ready);
    ServiceEMail::instance()->userModel()->addUser("ops@example.com");
    auto *tasks = qobject_cast<ListModelScheduleTask *>(
        ui->view().rootContext()->contextProperty("listModelScheduleTask").value<QObject *>());
    tasks->addTask(QVariantMap{{"cycle", 3}, {"time", "21:30:00"}, {"action", 1}, {"enable", true}});
}

void TestPageWalk::walk_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("en") << 0;
    QTest::newRow("zh") << 1;
    QTest::newRow("fr") << 2;
    QTest::newRow("ru") << 3;
}

void TestPageWalk::save(const char *shot)
{
    if (m_dir.isEmpty())
        return;
    QTest::qWait(150); // let popups finish opening and charts draw
    const QString file = QStringLiteral("%1/%2-%3.png").arg(m_dir, QTest::currentDataTag(), shot);
    QVERIFY(ui->view().screen()->grabWindow(ui->view().winId()).save(file));
}

bool TestPageWalk::show(const char *button, const char *shot)
{
    if (!ui->click(button))
        return false;
    save(shot);
    return true;
}

bool TestPageWalk::openPopup(const char *button, const char *popup, const char *shot)
{
    QObject *object = ui->object(popup);
    if (!ui->click(button) || !QTest::qWaitFor([object] { return object->property("opened").toBool(); }))
        return false;
    save(shot);
    return true;
}

// What is wrong with the headers of a table: each must show its column's
// whole title on lines laid out as they stand, within its column and the
// table, with no pair of brackets split over two lines.
static QString headerFault(QQuickItem *table)
{
    static const QRegularExpression paired("^[^()]*(\\([^()\n]*\\)[^()]*)*$");
    int shown = 0;
    for (QList<QQuickItem *> items{table}; !items.isEmpty();) {
        QQuickItem *header = items.takeLast();
        items += header->childItems();
        const QString text = header->property("text").toString();
        if (header->objectName() != QLatin1String("logHeader") || !header->isVisible() || text.isEmpty())
            continue;
        ++shown;
        const QString title = qmlContext(header)->contextProperty("styleData").value<QObject *>()
                                  ->property("value").toString();
        const qreal width = header->property("contentWidth").toReal();
        if (text.split('\n').join(' ') != title || header->property("truncated").toBool()
            || header->property("lineCount").toInt() != text.count('\n') + 1 || width > header->width()
            || header->mapToItem(table, QPointF(width, 0)).x() > table->width() || !paired.match(text).hasMatch())
            return QStringLiteral("\"%1\" shown as \"%2\"").arg(title, QString(text).replace('\n', '|'));
    }
    const int columns = table->property("columnCount").toInt();
    return shown == columns ? QString() : QStringLiteral("%1 headers for %2 columns").arg(shown).arg(columns);
}

void TestPageWalk::walk()
{
    QFETCH(int, language);
    Translator::instance()->setLanguage(language);

    QVERIFY(show("footerScheduleTask", "scheduletask"));
    qDebug() << ui->item("btnAddTask")->property("text") << ui->item("comboTaskCycle")->property("model") << QCoreApplication::translate("MainPanelScheduleTaskForm.ui", "Add Task") << QCoreApplication::translate("MainPanelScheduleTaskForm", "Add Task");
    QVERIFY(openPopup("btnAddTask", "popupAddScheduleTask", "scheduletask-editor"));
    // Texts built from translated pieces follow the language too.
    const QVariantList cycles = ui->item("comboTaskCycle")->property("model").toList();
    QCOMPARE(cycles.value(3).toString(), QCoreApplication::translate("PopupAddScheduleTaskForm.ui", "Every Month"));
    QVERIFY(ui->type(ui->item("fieldHour"), "25"));
    QVERIFY(openPopup("btnTaskSure", "msgTaskTimeInvalid", "scheduletask-time-invalid"));
    QVERIFY(ui->answer("msgTaskTimeInvalid", true));
    QVERIFY(ui->click("btnTaskCancel"));
    QTest::qWait(1200); // the schedule service re-reads the list once after a change
    QVERIFY(openPopup("btnDeleteTask0", "msgDeleteTask", "scheduletask-delete"));
    QVERIFY(ui->answer("msgDeleteTask", false));

    QVERIFY(show("footerControl", "control"));
    QVERIFY(openPopup("btnControlSure", "msgOrderIssued", "control-issued"));
    QVERIFY(ui->answer("msgOrderIssued", true));

    QVERIFY(ui->click("footerSettings"));
    QVERIFY(show("settingsPageItem0", "settings-common"));
    QVERIFY(openPopup("btnRestore", "msgRestoreQuestion", "settings-restore"));
    QVERIFY(ui->answer("msgRestoreQuestion", false));
    QVERIFY(ui->type(ui->item("fieldSaveCycle"), "601"));
    QTRY_VERIFY(ui->object("msgSettingsCommon")->property("opened").toBool());
    save("settings-range-warning");
    QVERIFY(ui->answer("msgSettingsCommon", true));
    QVERIFY(show("settingsPageItem1", "settings-email"));
    QVERIFY(openPopup("btnAddUser", "popupAddEMailUser", "settings-receiver"));
    QVERIFY(ui->type(ui->item("fieldReceiver"), "ops"));
    QVERIFY(openPopup("btnUserAccept", "msgReceiverInvalid", "settings-receiver-invalid"));
    QVERIFY(ui->answer("msgReceiverInvalid", true));
    QVERIFY(ui->click("btnCloseUserPopup"));
    QVERIFY(openPopup("btnAuthSettings", "popupSetEMailSender", "settings-sender"));
    QVERIFY(ui->click("btnCloseSenderPopup"));
    QVERIFY(show("settingsPageItem2", "settings-shutdown"));

    QVERIFY(ui->click("footerHistory"));
    const char *tabs[] = {"history-data", "history-alarm", "history-closed", "history-selftest"};
    for (int tab = 0; tab < 4; ++tab) {
        QVERIFY(ui->click(QByteArray("logTab" + QByteArray::number(tab))));
        if (tab != 2)
            QVERIFY(ui->click("btnSearch"));
        save(tabs[tab]);
        QQuickItem *table = ui->item(tab == 0 ? "tableDevData" : tab == 1 ? "tableAlarm" : "tableSelfTest");
        if (tab != 2)
            QTRY_VERIFY2(headerFault(table).isEmpty(), qPrintable(headerFault(table)));
    }
    QVERIFY(openPopup("dateStart", "calendarPopup", "history-calendar"));
    QVERIFY(ui->click("dateStart"));
    QVERIFY(ui->click("logTab0"));

    QVERIFY2(ui->warnings().isEmpty(), qPrintable(ui->warnings().join('\n')));
}

AMBREL_TEST_MAIN_WITH(QApplication, TestPageWalk)
#include "tst_pagewalk.moc"
